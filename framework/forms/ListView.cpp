#include "framework/forms/ListView.h"

#include "framework/errors/RuntimeError.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
RuntimeError indexOutOfBounds() { return RuntimeError(35600, u"Index valt buiten het bereik"_s); }
RuntimeError keyNotUnique() { return RuntimeError(35602, u"Sleutel is niet uniek in verzameling"_s); }
} // namespace

ListItem::ListItem(ListView& owner, QString key, QString text)
    : owner_(owner),
      key_(std::move(key)),
      text_(std::move(text))
{
}

void ListItem::changed() { owner_.itemChanged(*this); }

void ListItem::setText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    changed();
}

void ListItem::setChecked(bool on)
{
    if (checked_ == on)
        return;
    checked_ = on;
    changed();
}

void ListItem::setBold(bool on)
{
    if (bold_ == on)
        return;
    bold_ = on;
    changed();
}

void ListItem::setSelected(bool on)
{
    if (on)
        owner_.setSelectedItem(this);
    else if (selected_) {
        selected_ = false;
        changed();
    }
}

void ListItem::setForeColor(Colour c)
{
    if (foreColor_ == c)
        return;
    foreColor_ = c;
    changed();
}

QString ListItem::subItem(int n) const
{
    const ListSubItem* s = findSubItem(n);
    return s ? s->text : QString();
}

const QString& ListItem::columnText(int column) const
{
    static const QString none;
    if (column == 0)
        return text_;
    const ListSubItem* s = findSubItem(column);
    return s ? s->text : none;
}

const ListSubItem* ListItem::findSubItem(int n) const
{
    if (n < 1 || n > int(subItems_.size()))
        return nullptr;
    return &subItems_[std::size_t(n - 1)];
}

ListSubItem& ListItem::listSubItem(int n)
{
    if (n < 1 || n >= std::max(owner_.columnCount(), int(subItems_.size()) + 1))
        throw indexOutOfBounds();
    if (n > int(subItems_.size()))
        subItems_.resize(std::size_t(n));
    return subItems_[std::size_t(n - 1)];
}

void ListItem::setSubItem(int n, const QString& text)
{
    ListSubItem& s = listSubItem(n);
    if (s.text == text)
        return;
    s.text = text;
    changed();
}

void ListItem::ensureVisible()
{
    owner_.scrolledTo_ = this;
    changed();
}

ListView::ListView(Form& form, const QString& name, int index, Control* parent)
    : Control(form, ControlKind::ListView, name, index, parent)
{
    initialBackColor(SystemColour::Window);
    setForeColor(SystemColour::WindowText);
    setBounds(0, 0, 4815, 2415);
}

ListView::~ListView() = default;

ColumnHeader& ListView::addColumn(const QString& key, const QString& text, int width, Alignment alignment)
{
    ColumnHeader header;
    header.key = key;
    header.text = text;
    header.width = width;
    header.alignment = alignment;
    header.index = columnCount() + 1;
    columns_.push_back(header);
    changed(Property::Columns);
    return columns_.back();
}

void ListView::removeColumn(int index)
{
    column(index);
    columns_.erase(columns_.begin() + (index - 1));
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i].index = int(i) + 1;
    // A removed column takes its sub-items along, so the columns after it keep theirs.
    for (auto& item : items_) {
        if (index - 1 >= 1 && index - 1 <= int(item->subItems_.size()))
            item->subItems_.erase(item->subItems_.begin() + (index - 2));
    }
    changed(Property::Columns);
}

void ListView::clearColumns()
{
    columns_.clear();
    changed(Property::Columns);
}

ColumnHeader& ListView::column(int index)
{
    if (index < 1 || index > columnCount())
        throw indexOutOfBounds();
    return columns_[std::size_t(index - 1)];
}

const ColumnHeader& ListView::column(int index) const { return const_cast<ListView*>(this)->column(index); }

ListItem& ListView::addItem(const QString& key, const QString& text)
{
    if (!key.isEmpty() && byKey_.contains(key))
        throw keyNotUnique();
    items_.push_back(std::make_unique<ListItem>(*this, key, text));
    ListItem& added = *items_.back();
    added.index_ = count();
    if (!key.isEmpty())
        byKey_.insert(key, &added);
    if (sorted_)
        sortRows();
    changed(Property::Items);
    return added;
}

void ListView::removeItem(int index)
{
    ListItem& doomed = item(index);
    if (!doomed.key_.isEmpty())
        byKey_.remove(doomed.key_);
    if (scrolledTo_ == &doomed)
        scrolledTo_ = nullptr;
    items_.erase(items_.begin() + (index - 1));
    renumber(index - 1);
    changed(Property::Items);
}

void ListView::clear()
{
    items_.clear();
    byKey_.clear();
    scrolledTo_ = nullptr;
    changed(Property::Items);
}

ListItem& ListView::item(int index)
{
    if (index < 1 || index > count())
        throw indexOutOfBounds();
    return *items_[std::size_t(index - 1)];
}

const ListItem& ListView::item(int index) const { return const_cast<ListView*>(this)->item(index); }

ListItem* ListView::findItem(const QString& key) const { return byKey_.value(key, nullptr); }

ListItem* ListView::selectedItem() const
{
    for (const auto& i : items_) {
        if (i->selected_)
            return i.get();
    }
    return nullptr;
}

void ListView::setSelectedItem(ListItem* item)
{
    for (auto& i : items_) {
        const bool on = i.get() == item;
        if (i->selected_ != on && (on || !multiSelect_ || item == nullptr))
            i->selected_ = on;
    }
    changed(Property::Selection);
}

void ListView::setSortKey(int column)
{
    sortKey_ = column;
    if (sorted_)
        sortRows();
}

void ListView::setSortOrder(int order)
{
    sortOrder_ = order == 0 ? 0 : 1;
    if (sorted_)
        sortRows();
}

void ListView::setSorted(bool on)
{
    sorted_ = on;
    if (sorted_)
        sortRows();
}

void ListView::sortRows()
{
    RowKeys keys;
    keys.reserve(items_.size());
    for (const auto& i : items_)
        keys.addText(i->columnText(sortKey_));
    sortRowsBy(std::move(keys));
}

void ListView::sortRowsBy(RowKeys keys)
{
    if (keys.size() != items_.size())
        throw RuntimeError::invalidProcedureCall();
    const std::vector<std::size_t> order = std::move(keys).sortedOrder(sortOrder_ == 1);
    // The rows move once, each to its place, and are numbered on the way.
    std::vector<std::unique_ptr<ListItem>> sortedItems;
    sortedItems.reserve(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        sortedItems.push_back(std::move(items_[order[i]]));
        sortedItems.back()->index_ = int(i) + 1;
    }
    items_ = std::move(sortedItems);
    changed(Property::Items);
}

void ListView::renumber(int from)
{
    for (std::size_t i = std::size_t(from); i < items_.size(); ++i)
        items_[i]->index_ = int(i) + 1;
}

void ListView::itemChanged(ListItem&) { changed(Property::Items); }

bool ListView::clickItem(int index)
{
    return userAction([&] {
        ListItem& clicked = item(index);
        setSelectedItem(&clicked);
        ItemClick(clicked);
    });
}

bool ListView::checkItem(int index, bool on)
{
    return userAction([&] {
        ListItem& row = item(index);
        if (!checkboxes_ || row.checked_ == on)
            return;
        row.setChecked(on);
        ItemCheck(row);
    });
}

bool ListView::clickColumn(int index)
{
    return userAction([&] { ColumnClick(column(index)); });
}

} // namespace tarvelo
