#pragma once

#include "TarveloExport.h"

#include <functional>
#include <initializer_list>
#include <memory>

namespace tarvelo {

class Control;
class Label;
class RowLayoutDeclaration;

// Places controls in rows inside a frame or page, in twips, in the order the
// page declares them: a page says what goes in which row, not where. The
// declaration is kept by the form (see ContainerLayout) and applied again
// whenever the container's width changes or a control in it is shown or
// hidden: the last field of a row, full-width lines and wrapped texts follow
// the width, hidden controls give their row back, and the label column of
// the container is as wide as its widest label (a page lines the columns of
// its frames up). Where the container is too narrow for labels beside their
// fields, each label stands above its field and the cells of a row that do
// not fit go on in the next line.
class TARVELO_EXPORT RowLayout {
public:
    static constexpr int Margin = 180;     // left and right of the contents
    static constexpr int CaptionTop = 390; // first row below a frame's caption line, as far as Margin
    static constexpr int RowHeight = 315;  // text boxes and combos
    static constexpr int RowGap = 90;
    static constexpr int LabelHeight = 255;
    static constexpr int Gap = 120; // between cells of one row
    static constexpr int TextLineHeight = 240;
    // Between a label standing above its field and the field.
    static constexpr int LabelAboveGap = 30;
    // Around the lists and buttons that a page places inside its frame itself.
    static constexpr int PageMargin = 120;
    // Between a dialog's edge and its contents, and between its answer buttons.
    static constexpr int DialogMargin = 120;
    // A button shown as a sign beside its field ("...", "X").
    static constexpr int FieldButtonWidth = 375;
    // The narrowest push button, and the height of the buttons under a list.
    static constexpr int ButtonWidth = 1215;
    static constexpr int ButtonHeight = 375;
    // Kept free beside a list's columns for its vertical scroll bar.
    static constexpr int ScrollBarRoom = 360;
    // Frames grow with the page up to a width that still reads well (900 pixels).
    static constexpr int ReadableWidth = 13500;

    struct Cell {
        Control* control;
        int width; // 0: the rest of the row
    };

    // innerWidth is the narrowest the contents are laid out at. Containers
    // without a caption start at Margin.
    // The width a control needs to show its caption whole (a button with room
    // around it, a check box with its mark), or 0 for controls without one.
    static int captionWidth(const Control& control);

    // One page's frames line up: where the fields of a container's labelled
    // rows begin (from its left edge; 0 when it has none), the width at which
    // its labels stand beside their fields, and the column and the place of
    // the labels that its page gives it (labels above their fields where the
    // pane is too narrow for them beside).
    static int fieldColumnOf(const Control& container);
    static int besideWidthOf(const Control& container);
    static void alignFields(const Control& container, int column, bool labelsAbove);

    RowLayout(Control& container, int innerWidth, bool belowCaption = true);
    RowLayout(const RowLayout&) = delete;
    RowLayout& operator=(const RowLayout&) = delete;
    ~RowLayout();

    // One control across the whole row; a frame with a layout of its own
    // takes the height of its contents. Without a height: a caption's height
    // for a label, check box or option, else the height the page gave the
    // control (a field's row unless the page gave it another).
    RowLayout& line(Control& control, int height = 0);
    // A label in the label column, then its field; the label names the field.
    RowLayout& field(Label& label, Control& field, int fieldWidth, int labelWidth = 2055);
    // Cells side by side; labels are lowered to line up with the fields' text.
    RowLayout& row(std::initializer_list<Cell> cells);
    // Buttons side by side at the row's start, each as wide as its caption
    // needs (never narrower than ButtonWidth), ButtonHeight high.
    RowLayout& buttons(std::initializer_list<Control*> buttons);
    // A list of records across the row, height high, with the buttons that
    // act on them under it.
    RowLayout& recordList(Control& list, int height, std::initializer_list<Control*> actions);
    // The label's caption wrapped across the row, as many lines high as it needs.
    RowLayout& text(Label& label);
    RowLayout& space(int twips);
    // A control at the end of field's row, width wide (a folder button
    // beside its box); the field keeps taking the rest of the row. Also
    // after finish: the form is laid out again.
    RowLayout& attach(Control& field, Control& trailing, int width);
    // A piece the page places itself: place(top, innerWidth) runs at every
    // layout with the top of this row and the width of the rows.
    RowLayout& block(int height, std::function<void(int top, int innerWidth)> place);
    // Hands the declaration to the form, applies it, and returns the
    // container's height.
    int finish();

    int innerWidth() const;

private:
    RowLayoutDeclaration& declaration() const;
    // Until finish the layout holds its declaration; afterwards the form does.
    std::unique_ptr<RowLayoutDeclaration> declaration_;
    RowLayoutDeclaration* finished_ = nullptr;
};

} // namespace tarvelo
