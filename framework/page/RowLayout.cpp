#include "framework/page/RowLayout.h"

#include "framework/page/FieldColumn.h"

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

bool isTextOnly(const Control& c) { return c.kind() == ControlKind::Label || c.kind() == ControlKind::Hint; }

int naturalHeight(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::Label:
    case ControlKind::Hint:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: return RowLayout::LabelHeight;
    default: return RowLayout::RowHeight;
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
        // A password or code is as wide as the names and addresses around it.
        return box.multiLine() || (box.alignment() == Alignment::Left &&
                                   (box.maxLength() == 0 || box.maxLength() > 12 || !box.passwordChar().isNull()));
    }
    case ControlKind::ListView:
    case ControlKind::ListBox:
    case ControlKind::Embedded:
    case ControlKind::Frame:
    case ControlKind::Address: return true;
    default: return false;
    }
}

// A line's height where the page names none: a caption's, else the height
// the page gave the control.
int ownHeight(const Control& c)
{
    if (naturalHeight(c) == RowLayout::LabelHeight || c.height() <= 0)
        return naturalHeight(c);
    return c.height();
}

int lineHeightOf(const Control& c)
{
    return std::max(RowLayout::TextLineHeight - 15, int(std::ceil(c.font().size * 27)));
}

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
    enum class Kind { Line, Field, Row, Buttons, Text, Space, Block };
    struct Item {
        Kind kind;
        std::vector<RowLayout::Cell> cells;
        int height = 0;
        int labelWidth = 0;
        std::function<void(int, int)> place = {};
        // A row that starts with the label of the field after it: its label
        // stands in the label column like a field's.
        bool labelled = false;
    };

    RowLayoutDeclaration(Control& container, int innerWidth, bool belowCaption)
        : container_(container),
          innerWidth_(innerWidth),
          belowCaption_(belowCaption)
    {
    }

    Control& container() const override { return container_; }
    int declaredInnerWidth() const { return innerWidth_; }
    void add(Item item) { items_.push_back(std::move(item)); }
    const std::vector<Item>& items() const { return items_; }

    // The narrowest width with labels above their fields where that is narrower.
    int minimumWidth() const override { return minimumInnerWidth(true) + 2 * RowLayout::Margin; }
    // The narrowest width at which every label stands beside its field.
    int besideWidth() const { return minimumInnerWidth(false) + 2 * RowLayout::Margin; }

    // Where the fields of the labelled rows begin, from the container's left
    // edge, as far as its own labels and those of the frames on a line of
    // their own inside it need; 0 when it has none.
    int fieldColumn() const
    {
        int column = 0;
        if (hasLabelColumn())
            column = RowLayout::Margin + ownLabelColumn() + RowLayout::Gap;
        for (const Item& item : items_) {
            if (const RowLayoutDeclaration* nested = nestedLayout(item); nested && nested->fieldColumn() > 0)
                column = std::max(column, RowLayout::Margin + nested->fieldColumn());
        }
        return column;
    }

    // Lines the container up with others (the frames of one page): its fields
    // begin at column at least, and its labels stand above their fields when
    // labelsAbove.
    void alignFields(int column, bool labelsAbove)
    {
        alignedColumn_ = column;
        labelsAbove_ = labelsAbove;
    }

    void forget(const Control& control) override
    {
        for (Item& item : items_)
            std::erase_if(item.cells, [&](const RowLayout::Cell& cell) { return cell.control == &control; });
    }

    int apply(int width) override
    {
        // Labels go above their fields only when the page says so, for all
        // its frames alike; elsewhere the container widens instead.
        const bool above = labelsAbove_;
        const int narrowest = minimumInnerWidth(above);
        int inner = std::max(width - 2 * RowLayout::Margin, narrowest);
        if (container_.kind() == ControlKind::Form)
            inner = std::min(inner, std::max(narrowest, RowLayout::ReadableWidth - 2 * RowLayout::Margin));
        const Placing placing{inner, above ? 0 : labelColumn(), above};
        fieldLeft_ = above ? 0 : fieldColumnUsed(placing);
        int top = firstTop();
        bool placedAny = false;
        for (Item& item : items_) {
            const int before = top;
            top = applyItem(item, top, placing);
            placedAny = placedAny || top != before;
        }
        const int height = placedAny ? top - RowLayout::RowGap + RowLayout::Margin : firstTop() + RowLayout::Margin;
        int containerWidth = inner + 2 * RowLayout::Margin;
        if (container_.kind() == ControlKind::Form)
            containerWidth = std::max(containerWidth, width);
        container_.setBounds(container_.left(), container_.top(), containerWidth, height);
        return height;
    }

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
    struct Placing {
        int inner;
        int labelColumn;
        bool labelsAbove;
    };

    int firstTop() const
    {
        if (!belowCaption_)
            return RowLayout::Margin;
        if (const auto* frame = dynamic_cast<const Frame*>(&container_); frame && frame->caption().isEmpty())
            return RowLayout::Margin;
        return RowLayout::CaptionTop;
    }

    static bool inLabelColumn(const Item& item)
    {
        return (item.kind == Kind::Field || item.labelled) && !item.cells.empty();
    }

    bool hasLabelColumn() const { return std::any_of(items_.begin(), items_.end(), inLabelColumn); }

    // A frame on a line of its own, laid out by a layout of its own.
    const RowLayoutDeclaration* nestedLayout(const Item& item) const
    {
        if (item.kind != Kind::Line || item.cells.empty() || !item.cells.front().control->isContainer())
            return nullptr;
        return of(*item.cells.front().control);
    }

public:
    static RowLayoutDeclaration* of(const Control& container)
    {
        return dynamic_cast<RowLayoutDeclaration*>(container.form().layoutOf(container));
    }

private:
    // Every label of a labelled row starts its field at one column: the widest
    // of the declared and the needed label widths.
    int ownLabelColumn() const
    {
        int column = 0;
        for (const Item& item : items_) {
            if (!inLabelColumn(item))
                continue;
            column = std::max({column, item.kind == Kind::Field ? item.labelWidth : item.cells.front().width,
                               neededWidth(*item.cells.front().control)});
        }
        return column;
    }

    // The own column, widened to line up with the frames inside it and with
    // the column the page gave.
    int labelColumn() const
    {
        const int column = std::max(fieldColumn(), alignedColumn_);
        return std::max(0, column - RowLayout::Margin - RowLayout::Gap);
    }

    int cellWidth(const RowLayout::Cell& cell) const
    {
        return cell.width > 0 ? std::max(cell.width, neededWidth(*cell.control)) : 0;
    }

    // The width of a row's cell as it starts: its own width, or what its
    // caption needs for an open-ended one.
    int startWidth(const Item& item, std::size_t i, const Placing& placing) const
    {
        const RowLayout::Cell& cell = item.cells[i];
        if (i == 0 && inLabelColumn(item))
            return placing.labelsAbove ? neededWidth(*cell.control) : placing.labelColumn;
        if (item.kind == Kind::Buttons)
            return std::max(RowLayout::ButtonWidth, neededWidth(*cell.control));
        return cell.width > 0 ? cellWidth(cell) : neededWidth(*cell.control);
    }

    int minimumInnerWidth(bool labelsAbove) const
    {
        int widest = labelsAbove && !hasBlock() ? 0 : innerWidth_;
        const Placing placing{0, labelsAbove ? 0 : labelColumn(), labelsAbove};
        for (const Item& item : items_) {
            if (const RowLayoutDeclaration* nested = nestedLayout(item)) {
                const int w = labelsAbove ? nested->minimumWidth() : nested->besideWidth();
                widest = std::max(widest, w);
                continue;
            }
            if (item.kind != Kind::Row && item.kind != Kind::Field && item.kind != Kind::Buttons)
                continue;
            int used = 0;
            for (std::size_t i = 0; i < item.cells.size(); ++i) {
                const int w = startWidth(item, i, placing);
                if (!labelsAbove) {
                    used += w + (i > 0 ? RowLayout::Gap : 0);
                } else if (i == 0 && inLabelColumn(item)) {
                    widest = std::max(widest, w);
                } else {
                    // Cells that do not fit go on in the next line; a label
                    // stays with the field it names.
                    const bool namesNext = i + 1 < item.cells.size() && isTextOnly(*item.cells[i].control);
                    const int group = namesNext ? w + RowLayout::Gap + startWidth(item, i + 1, placing) : w;
                    widest = std::max(widest, group);
                }
            }
            widest = std::max(widest, used);
        }
        return widest;
    }

    bool hasBlock() const
    {
        return std::any_of(items_.begin(), items_.end(), [](const Item& i) { return i.kind == Kind::Block; });
    }

    // One cell takes what the line leaves: the last open-ended one, else the
    // last field that reads better wider (a frame only at the line's end, so
    // that what follows it stays beside it). Hidden cells take nothing.
    static std::size_t growingCell(const Item& item, std::size_t from, std::size_t to)
    {
        for (std::size_t i = to; i-- > from;) {
            if (item.cells[i].control->visible() && item.cells[i].width <= 0 && item.kind != Kind::Buttons)
                return i;
        }
        bool last = true;
        for (std::size_t i = to; i-- > from;) {
            const Control& c = *item.cells[i].control;
            if (!c.visible())
                continue;
            if (item.kind != Kind::Buttons && growsWithRow(c) && (last || c.kind() != ControlKind::Frame))
                return i;
            last = false;
        }
        return to;
    }

    static int heightIn(Control& control, int width, int declared)
    {
        if (ContainerLayout* own = control.form().layoutOf(control))
            return own->apply(width);
        return declared;
    }

    // Cells from..to side by side in one line starting at left; returns the
    // line's height.
    int placeLine(Item& item, std::size_t from, std::size_t to, std::vector<int>& widths, int left, int top,
                  int inner) const
    {
        int fixed = 0;
        bool anyVisible = false;
        for (std::size_t i = from; i < to; ++i) {
            if (!item.cells[i].control->visible())
                continue;
            fixed += widths[i] + (anyVisible ? RowLayout::Gap : 0);
            anyVisible = true;
        }
        if (!anyVisible)
            return -1;
        if (const std::size_t grower = growingCell(item, from, to); grower < to) {
            const int rest = inner - (fixed - widths[grower]) - (left - RowLayout::Margin);
            widths[grower] = std::max(widths[grower], std::max(0, rest));
        }
        const int declaredHeight = item.kind == Kind::Buttons ? RowLayout::ButtonHeight : 0;
        std::vector<int> heights;
        int lineHeight = 0;
        for (std::size_t i = from; i < to; ++i) {
            Control& control = *item.cells[i].control;
            const int h = heightIn(control, widths[i], declaredHeight > 0 ? declaredHeight : naturalHeight(control));
            heights.push_back(h);
            if (control.visible())
                lineHeight = std::max(lineHeight, h);
        }
        int x = left;
        for (std::size_t i = from; i < to; ++i) {
            Control& control = *item.cells[i].control;
            const int h = heights[i - from];
            const int lowered = isTextOnly(control) ? (lineHeight - h) / 2 + 15 : (lineHeight - h) / 2;
            control.setBounds(x, top + std::max(0, lowered), widths[i], h);
            if (control.visible())
                x += widths[i] + RowLayout::Gap;
        }
        return lineHeight;
    }

    int applyCells(Item& item, int top, const Placing& placing)
    {
        const int left = RowLayout::Margin;
        std::vector<int> widths;
        bool anyVisible = false;
        for (std::size_t i = 0; i < item.cells.size(); ++i) {
            widths.push_back(std::min(placing.inner, startWidth(item, i, placing)));
            anyVisible = anyVisible || item.cells[i].control->visible();
        }
        if (!anyVisible)
            return top;
        std::size_t from = 0;
        if (placing.labelsAbove && inLabelColumn(item)) {
            // The label on a line of its own, its field below it.
            Control& label = *item.cells.front().control;
            label.setBounds(left, top, placing.inner, naturalHeight(label));
            if (label.visible())
                top += naturalHeight(label) + RowLayout::LabelAboveGap;
            from = 1;
        }
        if (!placing.labelsAbove) {
            const int h = placeLine(item, from, item.cells.size(), widths, left, top, placing.inner);
            return h < 0 ? top : top + h + RowLayout::RowGap;
        }
        // Labels above: the cells that do not fit go on in the next line; a
        // label stays with the field it names.
        while (from < item.cells.size()) {
            std::size_t to = from;
            int used = 0;
            while (to < item.cells.size()) {
                const bool namesNext = to + 1 < item.cells.size() && isTextOnly(*item.cells[to].control);
                const std::size_t groupEnd = namesNext ? to + 2 : to + 1;
                int groupWidth = 0;
                for (std::size_t i = to; i < groupEnd; ++i) {
                    if (item.cells[i].control->visible())
                        groupWidth += widths[i] + (groupWidth > 0 || used > 0 ? RowLayout::Gap : 0);
                }
                if (to > from && used + groupWidth > placing.inner)
                    break;
                used += groupWidth;
                to = groupEnd;
            }
            const int h = placeLine(item, from, to, widths, left, top, placing.inner);
            if (h >= 0)
                top += h + RowLayout::RowGap;
            from = to;
        }
        return top;
    }

    int applyItem(Item& item, int top, const Placing& placing)
    {
        const int left = RowLayout::Margin;
        switch (item.kind) {
        case Kind::Space: return top + item.height;
        case Kind::Block: item.place(top, placing.inner); return top + item.height;
        case Kind::Line: {
            if (item.cells.empty())
                return top;
            Control& control = *item.cells.front().control;
            if (!control.visible())
                return top;
            // A frame on its own line lines its fields up with this container's.
            if (RowLayoutDeclaration* nested = of(control))
                nested->alignFields(placing.labelsAbove ? 0 : std::max(0, fieldColumnUsed(placing) - left),
                                    placing.labelsAbove);
            const int height = heightIn(control, placing.inner, item.height > 0 ? item.height : ownHeight(control));
            control.setBounds(left, top, placing.inner, height);
            return top + height + RowLayout::RowGap;
        }
        case Kind::Text: {
            if (item.cells.empty())
                return top;
            auto& label = static_cast<Label&>(*item.cells.front().control);
            if (!label.visible())
                return top;
            const int inner = placing.inner;
            const int lines = wrappedLines(label, inner - std::max(WrapSlack, inner / 60));
            const int height = lines * lineHeightOf(label) + 30;
            label.setBounds(left, top, inner, height);
            return top + height + RowLayout::RowGap;
        }
        case Kind::Field:
        case Kind::Row:
        case Kind::Buttons: return applyCells(item, top, placing);
        }
        return top;
    }

    int fieldColumnUsed(const Placing& placing) const
    {
        return RowLayout::Margin + placing.labelColumn + RowLayout::Gap;
    }

    Control& container_;
    int innerWidth_;
    bool belowCaption_;
    std::vector<Item> items_;
    int alignedColumn_ = 0;
    bool labelsAbove_ = false;

public:
    int fieldLeft_ = 0; // as last applied
};

RowLayout::RowLayout(Control& container, int innerWidth, bool belowCaption)
    : declaration_(std::make_unique<RowLayoutDeclaration>(container, innerWidth, belowCaption))
{
}

RowLayout::~RowLayout() = default;

int RowLayout::captionWidth(const Control& control) { return neededWidth(control); }

int fieldLeftOf(const Control& container)
{
    const RowLayoutDeclaration* layout = RowLayoutDeclaration::of(container);
    return layout ? layout->fieldLeft_ : 0;
}

int RowLayout::fieldColumnOf(const Control& container)
{
    const RowLayoutDeclaration* layout = RowLayoutDeclaration::of(container);
    return layout ? layout->fieldColumn() : 0;
}

int RowLayout::besideWidthOf(const Control& container)
{
    const RowLayoutDeclaration* layout = RowLayoutDeclaration::of(container);
    return layout ? layout->besideWidth() : 0;
}

void RowLayout::alignFields(const Control& container, int column, bool labelsAbove)
{
    if (RowLayoutDeclaration* layout = RowLayoutDeclaration::of(container))
        layout->alignFields(column, labelsAbove);
}

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
    // A label directly before a field names it, unless it goes on the
    // sentence of the field before it ("Contractduur [3] jaar [0] maanden").
    for (auto it = cells.begin(); it != cells.end() && it + 1 != cells.end(); ++it) {
        auto* label = dynamic_cast<Label*>(it->control);
        Control* next = (it + 1)->control;
        const QString text = label ? withoutAccessKey(label->caption()) : QString();
        const bool continues =
            it != cells.begin() && !captionOf(*(it - 1)->control) && !text.isEmpty() && text.front().isLower();
        if (label && label->kind() == ControlKind::Label && !label->buddy() && !captionOf(*next) && !continues)
            label->setBuddy(next);
    }
    RowLayoutDeclaration::Item item{RowLayoutDeclaration::Kind::Row, std::vector<Cell>(cells)};
    if (cells.size() > 1) {
        const Control& first = *cells.begin()->control;
        const auto* label = dynamic_cast<const Label*>(&first);
        // A check box that switches the field after it on stands where its
        // label would, so that field starts in the column too.
        const bool namesField = (label && label->kind() == ControlKind::Label) || first.kind() == ControlKind::CheckBox;
        // A colour swatch (a label without a caption) is a field too.
        const QString* next = captionOf(*(cells.begin() + 1)->control);
        item.labelled = namesField && cells.begin()->width > 0 && (!next || next->isEmpty());
    }
    declaration_->add(std::move(item));
    return *this;
}

RowLayout& RowLayout::buttons(std::initializer_list<Control*> buttons)
{
    RowLayoutDeclaration::Item item{RowLayoutDeclaration::Kind::Buttons, {}};
    for (Control* button : buttons)
        item.cells.push_back({button, ButtonWidth});
    declaration_->add(std::move(item));
    return *this;
}

RowLayout& RowLayout::recordList(Control& list, int height, std::initializer_list<Control*> actions)
{
    return line(list, height).buttons(actions);
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
            form.noteLaidOut(*cell.control,
                             item.kind == RowLayoutDeclaration::Kind::Text || cell.control->isContainer());
    const int width = declared.declaredInnerWidth() + 2 * Margin;
    finished_ = declaration_.get();
    form.addLayout(std::move(declaration_));
    return form.layoutOf(container)->apply(width);
}

} // namespace tarvelo
