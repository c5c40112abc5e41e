#pragma once

#include "TarveloExport.h"

#include "framework/forms/ComboBox.h"

namespace tarvelo {

// A list of entries with item data; with multi-select each entry has its own
// selected state. Click is raised whenever the selection changes.
class TARVELO_EXPORT ListBox : public Control {
public:
    enum class MultiSelect { None = 0, Simple = 1, Extended = 2 };

    ListBox(Form& form, const QString& name, int index, Control* parent);

    MultiSelect multiSelect() const { return multiSelect_; }
    void setMultiSelect(MultiSelect m)
    {
        multiSelect_ = m;
        changed(Property::Other);
    }

    int listCount() const { return int(entries_.size()); }
    const QString& list(int index) const { return entry(index).text; }
    qint32 itemData(int index) const { return entry(index).itemData; }
    void setItemData(int index, qint32 data) { entryRef(index).itemData = data; }
    int addItem(const QString& text, int position = -1);
    int addItemWithData(const QString& text, qint32 itemData);
    void removeItem(int index);
    void clear();

    int listIndex() const { return listIndex_; }
    void setListIndex(int index);
    bool selected(int index) const { return entry(index).selected; }
    void setSelected(int index, bool on);
    int selCount() const;

    Event<> Click;
    Event<> DblClick;

    // A user's click: selects the entry, or toggles it in a multi-select list.
    bool select(int index);
    bool doubleClick() { return userAction(DblClick); }

private:
    struct Entry : ListEntry {
        bool selected = false;
    };
    const Entry& entry(int index) const;
    Entry& entryRef(int index) { return const_cast<Entry&>(entry(index)); }

    MultiSelect multiSelect_ = MultiSelect::None;
    std::vector<Entry> entries_;
    int listIndex_ = -1;
};

} // namespace tarvelo
