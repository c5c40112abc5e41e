#include "framework/forms/ComboBox.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

ComboBox::ComboBox(Form& form, const QString& name, int index, Control* parent)
    : Control(form, ControlKind::ComboBox, name, index, parent)
{
    initialBackColor(SystemColour::Window);
    setForeColor(SystemColour::WindowText);
}

const ListEntry& ComboBox::entry(int index) const
{
    if (index < 0 || index >= listCount())
        throw RuntimeError(381, u"Ongeldige index voor eigenschappenmatrix"_s);
    return entries_[std::size_t(index)];
}

void ComboBox::setItemData(int index, qint32 data)
{
    entry(index);
    entries_[std::size_t(index)].itemData = data;
}

int ComboBox::addItem(const QString& text, int position)
{
    if (position < 0 || position > listCount())
        position = listCount();
    entries_.insert(entries_.begin() + position, ListEntry{text, 0});
    if (listIndex_ >= position)
        ++listIndex_;
    changed(Property::Items);
    return position;
}

int ComboBox::addItemWithData(const QString& text, qint32 itemData)
{
    const int position = addItem(text);
    entries_[std::size_t(position)].itemData = itemData;
    return position;
}

void ComboBox::removeItem(int index)
{
    entry(index);
    entries_.erase(entries_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
        if (style_ == Style::DropDownList)
            text_.clear();
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    changed(Property::Items);
}

void ComboBox::clear()
{
    entries_.clear();
    listIndex_ = -1;
    text_.clear();
    changed(Property::Items);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        throw RuntimeError(380, u"Ongeldige waarde voor eigenschap"_s);
    if (index == listIndex_)
        return;
    listIndex_ = index;
    text_ = index >= 0 ? entries_[std::size_t(index)].text : QString();
    changed(Property::Selection);
    Click();
}

void ComboBox::setText(const QString& text)
{
    if (style_ == Style::DropDownList) {
        for (int i = 0; i < listCount(); ++i) {
            if (entries_[std::size_t(i)].text.compare(text, Qt::CaseInsensitive) == 0) {
                setListIndex(i);
                return;
            }
        }
        throw RuntimeError(383, u"Eigenschap 'Text' is alleen-lezen"_s);
    }
    if (text_ == text)
        return;
    text_ = text;
    changed(Property::Text);
    Change();
}

bool ComboBox::choose(const QString& text)
{
    for (int i = 0; i < listCount(); ++i) {
        if (entries_[std::size_t(i)].text == text)
            return select(i);
    }
    return false;
}

bool ComboBox::select(int index)
{
    return userAction([&] { setListIndex(index); });
}

bool ComboBox::type(const QString& text)
{
    return userAction([&] { setText(text); });
}

} // namespace tarvelo
