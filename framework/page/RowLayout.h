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
// the container is as wide as its widest label.
class TARVELO_EXPORT RowLayout {
public:
    static constexpr int Margin = 180;      // left and right of the contents
    static constexpr int CaptionTop = 390;  // first row below a frame's caption line, as far as Margin
    static constexpr int RowHeight = 315;   // text boxes and combos
    static constexpr int RowGap = 90;
    static constexpr int LabelHeight = 255;
    static constexpr int Gap = 120;         // between cells of one row
    static constexpr int TextLineHeight = 240;
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

    RowLayout(Control& container, int innerWidth, bool belowCaption = true);
    RowLayout(const RowLayout&) = delete;
    RowLayout& operator=(const RowLayout&) = delete;
    ~RowLayout();

    // One control across the whole row; a frame with a layout of its own
    // takes the height of its contents.
    RowLayout& line(Control& control, int height = RowHeight);
    // A label in the label column, then its field; the label names the field.
    RowLayout& field(Label& label, Control& field, int fieldWidth, int labelWidth = 2055);
    // Cells side by side; labels are lowered to line up with the fields' text.
    RowLayout& row(std::initializer_list<Cell> cells);
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
