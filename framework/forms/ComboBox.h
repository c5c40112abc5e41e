#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

#include <vector>

namespace tarvelo {

struct TARVELO_EXPORT ListEntry {
    QString text;
    qint32 itemData = 0;
};

// A drop-down list. Each entry carries a 32-bit item data beside its text.
// Click is raised whenever the selection changes, from a user or from code.
class TARVELO_EXPORT ComboBox : public Control {
public:
    enum class Style { DropDownCombo = 0, DropDownList = 2 };

    ComboBox(Form& form, const QString& name, int index, Control* parent);

    Style style() const { return style_; }
    void setStyle(Style style)
    {
        style_ = style;
        changed(Property::Other);
    }

    int listCount() const { return int(entries_.size()); }
    const QString& list(int index) const { return entry(index).text; }
    qint32 itemData(int index) const { return entry(index).itemData; }
    void setItemData(int index, qint32 data);
    // Adds an entry at the end (or before position); returns its position.
    int addItem(const QString& text, int position = -1);
    int addItemWithData(const QString& text, qint32 itemData);
    void removeItem(int index);
    // Removes every entry; the selection becomes none without a Click.
    void clear();

    int listIndex() const { return listIndex_; } // -1 = nothing selected
    void setListIndex(int index);

    // The shown text: the selected entry's text, or what was typed into an
    // editable combo.
    const QString& text() const { return text_; }
    void setText(const QString& text);

    // Entries of the form "text + run of spaces + identifier" carry an
    // identifier of fixed length (36 or 38 characters) at their end.
    QString identifierOf(int index, int length) const { return list(index).right(length); }

    // Widest drop-down list in pixels (0 = as wide as the box).
    int droppedWidth() const { return droppedWidth_; }
    void setDroppedWidth(int pixels)
    {
        droppedWidth_ = pixels;
        changed(Property::Other);
    }

    Event<> Click;
    Event<> Change; // typing into an editable combo

    bool select(int index);
    // Selects the first entry with this text; false when there is none.
    bool choose(const QString& text);
    bool type(const QString& text);

private:
    const ListEntry& entry(int index) const;

    Style style_ = Style::DropDownList;
    std::vector<ListEntry> entries_;
    int listIndex_ = -1;
    QString text_;
    int droppedWidth_ = 0;
};

} // namespace tarvelo
