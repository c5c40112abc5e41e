#include "framework/page/RowLayout.h"

#include "framework/forms/Control.h"
#include "framework/forms/Label.h"

#include <algorithm>

namespace tarvelo {

RowLayout::RowLayout(Control& container, int innerWidth, bool belowCaption)
    : container_(container), innerWidth_(innerWidth), top_(belowCaption ? CaptionTop : Margin)
{
    container_.setWidth(innerWidth + 2 * Margin);
}

namespace {
bool isTextOnly(const Control& c)
{
    return c.kind() == ControlKind::Label || c.kind() == ControlKind::Hint;
}
int naturalHeight(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::Label:
    case ControlKind::Hint:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        return RowLayout::LabelHeight;
    default:
        return RowLayout::RowHeight;
    }
}
} // namespace

void RowLayout::place(Control& control, int left, int width, int rowHeight)
{
    const int height = naturalHeight(control);
    const int lowered = isTextOnly(control) ? (rowHeight - height) / 2 + 15 : (rowHeight - height) / 2;
    control.setBounds(left, top_ + std::max(0, lowered), width, height);
}

RowLayout& RowLayout::line(Control& control, int height)
{
    control.setBounds(Margin, top_, innerWidth_, height);
    top_ += height + RowGap;
    return *this;
}

RowLayout& RowLayout::field(Label& label, Control& field, int fieldWidth, int labelWidth)
{
    return row({{&label, labelWidth}, {&field, fieldWidth}});
}

RowLayout& RowLayout::row(std::initializer_list<Cell> cells)
{
    int rowHeight = 0;
    for (const Cell& cell : cells)
        rowHeight = std::max(rowHeight, naturalHeight(*cell.control));
    int left = Margin;
    for (const Cell& cell : cells) {
        const int width = cell.width > 0 ? cell.width : std::max(0, Margin + innerWidth_ - left);
        place(*cell.control, left, width, rowHeight);
        left += width + Gap;
    }
    top_ += rowHeight + RowGap;
    return *this;
}

RowLayout& RowLayout::text(Label& label)
{
    label.setWordWrap(true);
    const int charsPerLine = std::max(1, innerWidth_ / AverageCharWidth);
    const int lines = std::max<int>(1, int((label.caption().size() + charsPerLine - 1) / charsPerLine));
    const int height = lines * TextLineHeight + 30;
    label.setBounds(Margin, top_, innerWidth_, height);
    top_ += height + RowGap;
    return *this;
}

RowLayout& RowLayout::space(int twips)
{
    top_ += twips;
    return *this;
}

int RowLayout::finish()
{
    const int height = top_ - RowGap + Margin;
    container_.setHeight(height);
    return height;
}

} // namespace tarvelo
