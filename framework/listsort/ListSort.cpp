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

// The list orders its rows by a key made for each row from the chosen column,
// the way its own sort orders them by a column's text; the columns stay as they are.
void sortByKeys(ListView& list, int column, SortDataType dataType, SortSource source)
{
    const SortKeyMaker maker;
    std::vector<QString> keys;
    keys.reserve(std::size_t(list.count()));
    for (int i = 1; i <= list.count(); ++i)
        keys.push_back(sortKey(cellValue(list.item(i), column, source), dataType, maker));
    list.sortRowsBy(std::move(keys));
    // Rows added later go at the end, as after a sort by a column that is gone again.
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
