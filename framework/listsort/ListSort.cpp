#include "framework/listsort/ListSort.h"

#include "framework/forms/ListView.h"
#include "framework/listsort/SortKeys.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

namespace {

QString cellValue(const ListItem& row, int column, SortSource source)
{
    if (source == SortSource::ShownText)
        return row.columnText(column);
    if (column == 0)
        return row.key();
    const ListSubItem* sub = row.findSubItem(column);
    return sub ? sub->key : QString();
}

QString sortKey(const QString& value, SortDataType dataType, const SortKeyMaker& keys)
{
    switch (dataType) {
    case SortDataType::Numbers:
        return keys.numberKey(value);
    case SortDataType::Dates:
        return keys.dateKey(value);
    case SortDataType::Text:
        break;
    }
    return value;
}

// The list's own sort orders rows by one column's text; the keys go into a
// column of their own that exists only while the list sorts.
void sortByKeys(ListView& list, int column, SortDataType dataType, SortSource source)
{
    const int keyColumn = list.columnCount();
    list.addColumn(QString(), QString());
    const SortKeyMaker keys;
    for (int i = 1; i <= list.count(); ++i) {
        ListItem& row = list.item(i);
        // Written without a change notice per row: the column is gone again
        // before anyone could see it.
        row.listSubItem(keyColumn).text = sortKey(cellValue(row, column, source), dataType, keys);
    }
    list.setSortKey(keyColumn);
    list.setSorted(true);
    list.removeColumn(keyColumn + 1);
    // The rows keep their new order; rows added later go at the end instead of
    // being sorted by a column that no longer exists.
    list.setSorted(false);
}

} // namespace

void SortListView(ListSortState& state, ListView& list, Ui& ui, int column, SortDataType dataType,
                  SortSource source, bool bold, int order)
{
    list.column(column + 1); // a column the list does not have raises the list's own error
    // The order changes below must not sort the list by its previous column.
    list.setSorted(false);
    if (column == state.lastColumn) {
        if (order == ToggleOrder)
            list.setSortOrder(list.sortOrder() == 0 ? 1 : 0);
        else
            list.setSortOrder(order);
    } else {
        state.lastColumn = column;
        list.setSortOrder(0);
    }
    state.lastOrder = list.sortOrder();

    sortByKeys(list, column, dataType, source);

    if (bold)
        BoldSortedColumn(list, column);
    ShowSortIndicators(state, list);

    if (list.count() > 0 && !list.hideSelection()) {
        ListItem& first = list.item(1);
        list.setSelectedItem(&first);
        first.ensureVisible();
    } else {
        list.setSelectedItem(nullptr);
    }
    ui.doEvents();
}

void SetListViewSort(ListSortState& state, ListView& list, Ui& ui, int column, SortDataType dataType, int order,
                     SortSource source, bool bold)
{
    const int wanted = order == 0 ? 0 : 1;
    if (source == SortSource::ShownText && dataType == SortDataType::Text && column == 0 &&
        wanted == list.sortOrder()) {
        state.lastColumn = 0;
        // The header must show this list's direction, not the one some other list was sorted in last.
        state.lastOrder = wanted;
        if (bold)
            BoldSortedColumn(list, 0);
        ShowSortIndicators(state, list);
        return;
    }
    state.lastColumn = column;
    list.setSorted(false);
    list.setSortOrder(wanted);
    SortListView(state, list, ui, column, dataType, source, bold, wanted);
}

void BoldSortedColumn(ListView& list, int column)
{
    for (int i = 1; i <= list.count(); ++i) {
        ListItem& row = list.item(i);
        row.setBold(column == 0);
        for (int n = 1; n < list.columnCount(); ++n)
            row.listSubItem(n).bold = n == column;
    }
    list.rowsChanged();
}

void ShowSortIndicators(const ListSortState& state, ListView& list)
{
    for (int i = 1; i <= list.columnCount(); ++i)
        list.column(i).sortPicture = i == state.lastColumn + 1 ? state.lastOrder : -1;
    list.columnsChanged();
}

int SortHeaderFormat(const ColumnHeader& header)
{
    constexpr int TextFlag = 0x4000;
    constexpr int PictureOnTheRight = 0x1800;
    int format = int(header.alignment) | TextFlag;
    if (header.sortPicture >= 0)
        format |= PictureOnTheRight;
    return format;
}

} // namespace tarvelo
