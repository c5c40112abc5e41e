#pragma once

#include <initializer_list>

namespace tarvelo {

class Control;
class Label;

// Places controls in rows inside a frame or page, in twips, in the order the
// page declares them: a page says what goes in which row, not where.
class RowLayout {
public:
    static constexpr int Margin = 180;      // left and right of the contents
    static constexpr int CaptionTop = 300;  // first row below a frame's caption
    static constexpr int RowHeight = 315;   // text boxes and combos
    static constexpr int RowGap = 90;
    static constexpr int LabelHeight = 255;
    static constexpr int Gap = 120;         // between cells of one row
    static constexpr int TextLineHeight = 240;
    static constexpr int AverageCharWidth = 95; // the 8-point page font, with room to spare

    struct Cell {
        Control* control;
        int width; // 0: the rest of the row
    };

    // The container becomes innerWidth wide plus the margins. Pages without
    // a frame caption start at Margin.
    RowLayout(Control& container, int innerWidth, bool belowCaption = true);

    // One control across the whole row.
    RowLayout& line(Control& control, int height = RowHeight);
    // A label in the label column, then its field.
    RowLayout& field(Label& label, Control& field, int fieldWidth, int labelWidth = 2055);
    // Cells side by side; labels are lowered to line up with the fields' text.
    RowLayout& row(std::initializer_list<Cell> cells);
    // The label's caption wrapped across the row, as many lines high as it needs.
    RowLayout& text(Label& label);
    RowLayout& space(int twips);
    // Gives the container the height of its contents; returns it.
    int finish();

    int innerWidth() const { return innerWidth_; }
    int nextTop() const { return top_; }

private:
    void place(Control& control, int left, int width, int rowHeight);

    Control& container_;
    int innerWidth_;
    int top_;
};

} // namespace tarvelo
