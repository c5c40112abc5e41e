#include "framework/listsort/ListSort.h"

#include "framework/forms/ListView.h"
#include "framework/listsort/SortKeys.h"
#include "framework/ui/Ui.h"

namespace tarvelo {

namespace {

// The row's value in the chosen column, read where it is kept.
const QString& cellValue(const ListItem& row, int column, SortSource source)
{
    static const QString none;
    if (source == SortSource::ShownText)
        return row.columnText(column);
    if (column == 0)
        return row.key();
    const ListSubItem* sub = row.findSubItem(column);
    return sub ? sub->key : none;
}

void addKey(RowKeys& keys, const SortKey& key)
{
    if (const DigitKey* digits = std::get_if<DigitKey>(&key))
        keys.addDigits(*digits);
    else if (const QStringView* same = std::get_if<QStringView>(&key))
        keys.addText(*same);
    else
        keys.addOwnText(std::get<QString>(key));
}

// The list orders its rows by a key made for each row from the chosen column,
// the way its own sort orders them by a column's text; the columns stay as they are.
void sortByKeys(ListView& list, int column, SortDataType dataType, SortSource source)
{
    // First where every value is, then the keys: reading the rows is then a short loop that
    // the processor runs ahead in, and making the keys reads the values one after another.
    std::vector<QStringView> values;
    values.reserve(std::size_t(list.count()));
    for (int i = 1; i <= list.count(); ++i)
        values.push_back(cellValue(list.item(i), column, source));

    const SortKeyMaker maker;
    RowKeys keys(dataType == SortDataType::Numbers ? maker.numberLayout()
                 : dataType == SortDataType::Dates ? SortKeyMaker::dateLayout()
                                                   : DigitKeyLayout{});
    keys.reserve(values.size());
    for (QStringView value : values) {
        switch (dataType) {
        case SortDataType::Numbers: addKey(keys, maker.numberSortKey(value)); break;
        case SortDataType::Dates: addKey(keys, maker.dateSortKey(value)); break;
        case SortDataType::Text: keys.addText(value); break;
        }
    }
    list.sortRowsBy(std::move(keys));
    // Rows added later go at the end, as after a sort by a column that is gone again.
    list.setSorted(false);
}

} // namespace

void SortListView(ListSortState& state, ListView& list, Ui& ui, int column, SortDataType dataType, SortSource source,
                  bool bold, int order)
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
