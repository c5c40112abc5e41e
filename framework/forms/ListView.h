#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"
#include "framework/forms/Label.h"
#include "framework/forms/RowKeys.h"

#include <QHash>
#include <memory>
#include <vector>

namespace tarvelo {

class ListView;

// Column headers and rows are numbered from 1, as the pages count them.
struct TARVELO_EXPORT ColumnHeader {
    QString key;
    QString text;
    int width = 1440; // twips
    Alignment alignment = Alignment::Left;
    int index = 0;
    // The header's sort picture: -1 none, 0 ascending, 1 descending.
    int sortPicture = -1;
};

struct TARVELO_EXPORT ListSubItem {
    QString key;
    QString text;
    bool bold = false;
    Colour foreColor = SystemColour::WindowText;
};

class TARVELO_EXPORT ListItem {
public:
    ListItem(ListView& owner, QString key, QString text);

    int index() const { return index_; }
    const QString& key() const { return key_; }
    const QString& text() const { return text_; }
    void setText(const QString& text);
    QVariant tag() const { return tag_; }
    void setTag(const QVariant& tag) { tag_ = tag; }
    bool checked() const { return checked_; }
    void setChecked(bool on);
    bool bold() const { return bold_; }
    void setBold(bool on);
    bool selected() const { return selected_; }
    void setSelected(bool on);
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour c);

    // Sub-item n is column n + 1; reading one that was never set gives "".
    QString subItem(int n) const;
    void setSubItem(int n, const QString& text);
    ListSubItem& listSubItem(int n);
    const ListSubItem* findSubItem(int n) const;
    int subItemCount() const { return int(subItems_.size()); }

    // The text shown in a column (0 = the item's own text).
    const QString& columnText(int column) const;

    void ensureVisible();

private:
    friend class ListView;
    void changed();

    ListView& owner_;
    QString key_;
    QString text_;
    QVariant tag_;
    bool checked_ = false;
    bool bold_ = false;
    bool selected_ = false;
    Colour foreColor_ = SystemColour::WindowText;
    std::vector<ListSubItem> subItems_;
    int index_ = 0;
};

// A report-style list view: column headers, rows with sub-items, check boxes,
// selection and the built-in sort by one column's text.
class TARVELO_EXPORT ListView : public Control {
public:
    ListView(Form& form, const QString& name, int index, Control* parent);
    ~ListView() override;

    // Columns
    ColumnHeader& addColumn(const QString& key, const QString& text, int width = 1440,
                            Alignment alignment = Alignment::Left);
    void removeColumn(int index);
    void clearColumns();
    int columnCount() const { return int(columns_.size()); }
    ColumnHeader& column(int index);
    const ColumnHeader& column(int index) const;
    void columnsChanged() { changed(Property::Columns); }

    // Rows
    ListItem& addItem(const QString& key, const QString& text);
    ListItem& addItem(const QString& text) { return addItem(QString(), text); }
    void removeItem(int index);
    void clear();
    int count() const { return int(items_.size()); }
    ListItem& item(int index);
    const ListItem& item(int index) const;
    ListItem* findItem(const QString& key) const;

    ListItem* selectedItem() const;
    void setSelectedItem(ListItem* item);
    // Every row's state changed at once (a sort, bolding a column, ...).
    void rowsChanged() { changed(Property::Items); }

    bool checkboxes() const { return checkboxes_; }
    void setCheckboxes(bool on)
    {
        checkboxes_ = on;
        changed(Property::Other);
    }
    bool fullRowSelect() const { return fullRowSelect_; }
    void setFullRowSelect(bool on)
    {
        fullRowSelect_ = on;
        changed(Property::Other);
    }
    bool gridLines() const { return gridLines_; }
    void setGridLines(bool on)
    {
        gridLines_ = on;
        changed(Property::Other);
    }
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool on)
    {
        hideSelection_ = on;
        changed(Property::Other);
    }
    bool multiSelect() const { return multiSelect_; }
    void setMultiSelect(bool on)
    {
        multiSelect_ = on;
        changed(Property::Other);
    }

    // Built-in sort: while sorted, the rows are ordered by the text of column
    // sortKey (0-based: 0 is the item's text) in sortOrder (0 up, 1 down).
    int sortKey() const { return sortKey_; }
    void setSortKey(int column);
    int sortOrder() const { return sortOrder_; }
    void setSortOrder(int order);
    bool sorted() const { return sorted_; }
    void setSorted(bool on);
    // Orders the rows once by a key per row (the i-th key belongs to row i),
    // in sortOrder(); text keys compare as the built-in sort compares column texts.
    void sortRowsBy(RowKeys keys);

    // The row a renderer should scroll into view.
    ListItem* scrolledTo() const { return scrolledTo_; }

    Event<ListItem&> ItemClick;
    Event<ListItem&> ItemCheck;
    Event<ColumnHeader&> ColumnClick;
    Event<> DblClick;

    bool clickItem(int index);
    bool checkItem(int index, bool on);
    bool clickColumn(int index);
    bool doubleClick() { return userAction(DblClick); }

private:
    friend class ListItem;
    void itemChanged(ListItem& item);
    void sortRows();
    void renumber(int from = 0);

    std::vector<ColumnHeader> columns_;
    std::vector<std::unique_ptr<ListItem>> items_;
    QHash<QString, ListItem*> byKey_;
    ListItem* scrolledTo_ = nullptr;
    bool checkboxes_ = false;
    bool fullRowSelect_ = true;
    bool gridLines_ = false;
    bool hideSelection_ = true;
    bool multiSelect_ = false;
    int sortKey_ = 0;
    int sortOrder_ = 0;
    bool sorted_ = false;
};

} // namespace tarvelo
