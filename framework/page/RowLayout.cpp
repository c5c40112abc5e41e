#include "framework/page/RowLayout.h"

#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/ContainerLayout.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/util/AccessKey.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Room a check box or option button needs beside its caption for its mark.
constexpr int IndicatorWidth = 330;
// Room a push button needs around its caption.
constexpr int ButtonPadding = 360;
// A wrapped text stops a little short of its box, as the screen's word
// wrapping may break a word earlier than the measured widths suggest.
constexpr int WrapSlack = 45;

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

// The text a control shows on itself, if any.
const QString* captionOf(const Control& c)
{
    if (const auto* label = dynamic_cast<const Label*>(&c))
        return &label->caption();
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        return &box->caption();
    if (const auto* option = dynamic_cast<const OptionButton*>(&c))
        return &option->caption();
    if (const auto* button = dynamic_cast<const CommandButton*>(&c))
        return &button->caption();
    return nullptr;
}

// The width a control needs to show its caption whole, or 0 for controls
// whose width is the page's choice.
int neededWidth(const Control& c)
{
    const QString* caption = captionOf(c);
    if (!caption || caption->isEmpty())
        return 0;
    const bool ownMark = c.kind() == ControlKind::Hint;
    const QString shown = ownMark ? *caption : withoutAccessKey(*caption);
    int widest = 0;
    for (const QString& line : shown.split(u'\n'))
        widest = std::max(widest, c.form().textWidth(QString(line).remove(u'\r'), c.font()));
    switch (c.kind()) {
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: return widest + IndicatorWidth;
    case ControlKind::CommandButton: return widest + ButtonPadding;
    default: return widest + 30;
    }
}

// Fields that read better wider: free text, lists and embedded forms. Short
// entries (a number, a postcode) and combos keep the width the page gave them.
bool growsWithRow(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::TextBox: {
        const auto& box = static_cast<const TextBox&>(c);
        // A password does not read better wider.
        return box.multiLine() || (box.alignment() == Alignment::Left && box.passwordChar().isNull() &&
                                   (box.maxLength() == 0 || box.maxLength() > 12));
    }
    case ControlKind::ListView:
    case ControlKind::ListBox:
    case ControlKind::Embedded:
    case ControlKind::Frame:
    case ControlKind::Address:
        return true;
    default: return false;
    }
}

int lineHeightOf(const Control& c) { return std::max(RowLayout::TextLineHeight - 15, int(std::ceil(c.font().size * 27))); }

// How many lines the caption, and the labels that read on in it, take when
// wrapped at width, breaking between words as the screen does.
int wrappedLines(const Label& label, int width)
{
    const Form& form = label.form();
    int lines = 0;
    int used = 0;
    const auto flow = [&](const Label& part, bool firstPart) {
        const QString text = part.kind() == ControlKind::Hint ? part.caption() : withoutAccessKey(part.caption());
        const int space = form.textWidth(u" "_s, part.font());
        bool firstParagraph = true;
        for (QString paragraph : text.split(u'\n')) {
            paragraph.remove(u'\r');
            // A run goes on in the line where the text before it ended.
            if (firstPart || !firstParagraph) {
                ++lines;
                used = 0;
            }
            firstParagraph = false;
            for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
                const int w = form.textWidth(word, part.font());
                if (used > 0 && used + space + w > width) {
                    ++lines;
                    used = w;
                } else {
                    used += (used > 0 ? space : 0) + w;
                }
            }
        }
    };
    flow(label, true);
    for (const Label* run : label.runs())
        flow(*run, false);
    return std::max(1, lines);
}

} // namespace

class RowLayoutDeclaration final : public ContainerLayout {
public:
    enum class Kind { Line, Field, Row, Text, Space, Block };
    struct Item {
        Kind kind;
        std::vector<RowLayout::Cell> cells;
        int height = 0;
        int labelWidth = 0;
        std::function<void(int, int)> place = {};
    };

    RowLayoutDeclaration(Control& container, int innerWidth, bool belowCaption)
        : container_(container), innerWidth_(innerWidth), belowCaption_(belowCaption) {}

    Control& container() const override { return container_; }
    int declaredInnerWidth() const { return innerWidth_; }
    void add(Item item) { items_.push_back(std::move(item)); }
    const std::vector<Item>& items() const { return items_; }

    int minimumWidth() const override { return minimumInnerWidth() + 2 * RowLayout::Margin; }

    void forget(const Control& control) override
    {
        for (Item& item : items_)
            std::erase_if(item.cells, [&](const RowLayout::Cell& cell) { return cell.control == &control; });
    }

    int apply(int width) override
    {
        int inner = std::max(width - 2 * RowLayout::Margin, minimumInnerWidth());
        if (container_.kind() == ControlKind::Form)
            inner = std::min(inner, std::max(minimumInnerWidth(), RowLayout::ReadableWidth - 2 * RowLayout::Margin));
        const int labelColumn = labelColumnWidth();
        int top = firstTop();
        bool placedAny = false;
        for (Item& item : items_) {
            const int before = top;
            top = applyItem(item, top, inner, labelColumn);
            placedAny = placedAny || top != before;
        }
        const int height = placedAny ? top - RowLayout::RowGap + RowLayout::Margin : firstTop() + RowLayout::Margin;
        int containerWidth = inner + 2 * RowLayout::Margin;
        if (container_.kind() == ControlKind::Form)
            containerWidth = std::max(containerWidth, width);
        container_.setBounds(container_.left(), container_.top(), containerWidth, height);
        return height;
    }

private:
    int firstTop() const
    {
        if (!belowCaption_)
            return RowLayout::Margin;
        if (const auto* frame = dynamic_cast<const Frame*>(&container_); frame && frame->caption().isEmpty())
            return RowLayout::Margin;
        return RowLayout::CaptionTop;
    }

    // Every label of a field row starts its field at one column: the widest
    // of the declared and the needed label widths.
    int labelColumnWidth() const
    {
        int column = 0;
        for (const Item& item : items_) {
            if (item.kind != Kind::Field || item.cells.empty())
                continue;
            column = std::max({column, item.labelWidth, neededWidth(*item.cells.front().control)});
        }
        return column;
    }

    int cellWidth(const RowLayout::Cell& cell) const
    {
        return cell.width > 0 ? std::max(cell.width, neededWidth(*cell.control)) : 0;
    }

    int minimumInnerWidth() const
    {
        int widest = innerWidth_;
        const int labelColumn = labelColumnWidth();
        for (const Item& item : items_) {
            if (item.kind != Kind::Row && item.kind != Kind::Field)
                continue;
            int used = 0;
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                const RowLayout::Cell& cell = item.cells[i];
                const int w = item.kind == Kind::Field && i == 0 ? labelColumn
                              : cell.width > 0                    ? cellWidth(cell)
                                                                  : neededWidth(*cell.control);
                used += w + (i > 0 ? RowLayout::Gap : 0);
            }
            widest = std::max(widest, used);
        }
        return widest;
    }

    // One cell takes what the row leaves: the last open-ended one, else the
    // last field that reads better wider (a frame only at the row's end, so
    // that what follows it stays beside it). Hidden cells take nothing.
    static std::size_t growingCell(const Item& item)
    {
        for (std::size_t i = item.cells.size(); i-- > 0;) {
            if (item.cells[i].control->visible() && item.cells[i].width <= 0)
                return i;
        }
        bool last = true;
        for (std::size_t i = item.cells.size(); i-- > 0;) {
            const Control& c = *item.cells[i].control;
            if (!c.visible())
                continue;
            if (growsWithRow(c) && (last || c.kind() != ControlKind::Frame))
                return i;
            last = false;
        }
        return item.cells.size();
    }

public:
    void attach(Control& field, Control& trailing, int width)
    {
        for (Item& item : items_) {
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                if (item.cells[i].control == &field) {
                    item.cells.insert(item.cells.begin() + std::ptrdiff_t(i) + 1, RowLayout::Cell{&trailing, width});
                    return;
                }
            }
        }
        add({Kind::Row, {{&field, 0}, {&trailing, width}}});
    }

private:
    static int heightIn(Control& control, int width, int declared)
    {
        if (ContainerLayout* own = control.form().layoutOf(control))
            return own->apply(width);
        return declared;
    }

    int applyItem(Item& item, int top, int inner, int labelColumn)
    {
        const int left = RowLayout::Margin;
        switch (item.kind) {
        case Kind::Space: return top + item.height;
        case Kind::Block:
            item.place(top, inner);
            return top + item.height;
        case Kind::Line: {
            if (item.cells.empty())
                return top;
            Control& control = *item.cells.front().control;
            if (!control.visible())
                return top;
            const int height = heightIn(control, inner, item.height);
            control.setBounds(left, top, inner, height);
            return top + height + RowLayout::RowGap;
        }
        case Kind::Text: {
            if (item.cells.empty())
                return top;
            auto& label = static_cast<Label&>(*item.cells.front().control);
            if (!label.visible())
                return top;
            const int lines = wrappedLines(label, inner - std::max(WrapSlack, inner / 60));
            const int height = lines * lineHeightOf(label) + 30;
            label.setBounds(left, top, inner, height);
            return top + height + RowLayout::RowGap;
        }
        case Kind::Field:
        case Kind::Row: {
            std::vector<int> widths;
            int rowHeight = 0;
            bool anyVisible = false;
            int fixed = 0;
            // A hidden cell gives its place to the cells after it.
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                const RowLayout::Cell& cell = item.cells[i];
                const int w = item.kind == Kind::Field && i == 0 ? labelColumn : cellWidth(cell);
                widths.push_back(w);
                if (!cell.control->visible())
                    continue;
                fixed += w + (anyVisible ? RowLayout::Gap : 0);
                anyVisible = true;
            }
            if (!anyVisible)
                return top;
            if (const std::size_t grower = growingCell(item); grower < item.cells.size()) {
                const int rest = inner - (fixed - widths[grower]);
                widths[grower] = std::max(widths[grower], std::max(0, rest));
            }
            std::vector<int> heights;
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                Control& control = *item.cells[i].control;
                const int h = heightIn(control, widths[i], naturalHeight(control));
                heights.push_back(h);
                if (control.visible())
                    rowHeight = std::max(rowHeight, h);
            }
            int x = left;
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                Control& control = *item.cells[i].control;
                const int lowered = isTextOnly(control) ? (rowHeight - heights[i]) / 2 + 15 : (rowHeight - heights[i]) / 2;
                control.setBounds(x, top + std::max(0, lowered), widths[i], heights[i]);
                if (control.visible())
                    x += widths[i] + RowLayout::Gap;
            }
            return top + rowHeight + RowLayout::RowGap;
        }
        }
        return top;
    }

    Control& container_;
    int innerWidth_;
    bool belowCaption_;
    std::vector<Item> items_;
};

RowLayout::RowLayout(Control& container, int innerWidth, bool belowCaption)
    : declaration_(std::make_unique<RowLayoutDeclaration>(container, innerWidth, belowCaption))
{
}

RowLayout::~RowLayout() = default;

int RowLayout::captionWidth(const Control& control) { return neededWidth(control); }

int RowLayout::innerWidth() const { return declaration().declaredInnerWidth(); }

RowLayout& RowLayout::line(Control& control, int height)
{
    declaration_->add({RowLayoutDeclaration::Kind::Line, {{&control, 0}}, height});
    return *this;
}

RowLayout& RowLayout::field(Label& label, Control& field, int fieldWidth, int labelWidth)
{
    if (!label.buddy())
        label.setBuddy(&field);
    RowLayoutDeclaration::Item item{RowLayoutDeclaration::Kind::Field, {{&label, labelWidth}, {&field, fieldWidth}}};
    item.labelWidth = labelWidth;
    declaration_->add(std::move(item));
    return *this;
}

RowLayout& RowLayout::row(std::initializer_list<Cell> cells)
{
    // A label directly before a field names it.
    for (auto it = cells.begin(); it != cells.end() && it + 1 != cells.end(); ++it) {
        auto* label = dynamic_cast<Label*>(it->control);
        Control* next = (it + 1)->control;
        if (label && label->kind() == ControlKind::Label && !label->buddy() && !captionOf(*next))
            label->setBuddy(next);
    }
    declaration_->add({RowLayoutDeclaration::Kind::Row, std::vector<Cell>(cells)});
    return *this;
}

RowLayout& RowLayout::text(Label& label)
{
    label.setWordWrap(true);
    declaration_->add({RowLayoutDeclaration::Kind::Text, {{&label, 0}}});
    return *this;
}

RowLayout& RowLayout::space(int twips)
{
    declaration_->add({RowLayoutDeclaration::Kind::Space, {}, twips});
    return *this;
}

RowLayoutDeclaration& RowLayout::declaration() const { return declaration_ ? *declaration_ : *finished_; }

RowLayout& RowLayout::attach(Control& field, Control& trailing, int width)
{
    declaration().attach(field, trailing, width);
    trailing.form().noteLaidOut(trailing);
    if (finished_)
        trailing.form().relayout();
    return *this;
}

RowLayout& RowLayout::block(int height, std::function<void(int top, int innerWidth)> place)
{
    RowLayoutDeclaration::Item item{RowLayoutDeclaration::Kind::Block, {}, height};
    item.place = std::move(place);
    declaration_->add(std::move(item));
    return *this;
}

int RowLayout::finish()
{
    RowLayoutDeclaration& declared = *declaration_;
    Control& container = declared.container();
    Form& form = container.form();
    form.noteLaidOut(container, true);
    for (const auto& item : declared.items())
        for (const Cell& cell : item.cells)
            form.noteLaidOut(*cell.control, item.kind == RowLayoutDeclaration::Kind::Text || cell.control->isContainer());
    const int width = declared.declaredInnerWidth() + 2 * Margin;
    finished_ = declaration_.get();
    form.addLayout(std::move(declaration_));
    return form.layoutOf(container)->apply(width);
}

} // namespace tarvelo
