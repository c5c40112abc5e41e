#include "framework/forms/ListBox.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

ListBox::ListBox(Form& form, const QString& name, int index, Control* parent)
    : Control(form, ControlKind::ListBox, name, index, parent)
{
    initialBackColor(SystemColour::Window);
    setForeColor(SystemColour::WindowText);
}

const ListBox::Entry& ListBox::entry(int index) const
{
    if (index < 0 || index >= listCount())
        throw RuntimeError(381, u"Ongeldige index voor eigenschappenmatrix"_s);
    return entries_[std::size_t(index)];
}

int ListBox::addItem(const QString& text, int position)
{
    if (position < 0 || position > listCount())
        position = listCount();
    Entry e;
    e.text = text;
    entries_.insert(entries_.begin() + position, e);
    if (listIndex_ >= position)
        ++listIndex_;
    changed(Property::Items);
    return position;
}

int ListBox::addItemWithData(const QString& text, qint32 itemData)
{
    const int position = addItem(text);
    entries_[std::size_t(position)].itemData = itemData;
    return position;
}

void ListBox::removeItem(int index)
{
    entry(index);
    entries_.erase(entries_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    changed(Property::Items);
}

void ListBox::clear()
{
    entries_.clear();
    listIndex_ = -1;
    changed(Property::Items);
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        throw RuntimeError(380, u"Ongeldige waarde voor eigenschap"_s);
    if (index == listIndex_)
        return;
    listIndex_ = index;
    if (multiSelect_ == MultiSelect::None) {
        for (int i = 0; i < listCount(); ++i)
            entries_[std::size_t(i)].selected = (i == index);
    }
    changed(Property::Selection);
    Click();
}

void ListBox::setSelected(int index, bool on)
{
    Entry& e = entryRef(index);
    if (multiSelect_ == MultiSelect::None) {
        if (on)
            setListIndex(index);
        else if (listIndex_ == index)
            setListIndex(-1);
        return;
    }
    listIndex_ = index;
    if (e.selected == on)
        return;
    e.selected = on;
    changed(Property::Selection);
    Click();
}

int ListBox::selCount() const
{
    int n = 0;
    for (const auto& e : entries_)
        n += e.selected ? 1 : 0;
    return n;
}

bool ListBox::select(int index)
{
    return userAction([&] {
        if (multiSelect_ == MultiSelect::None)
            setListIndex(index);
        else
            setSelected(index, !selected(index));
    });
}

} // namespace tarvelo
