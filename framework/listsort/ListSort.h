#pragma once

#include "framework/listsort/ListSortState.h"

namespace tarvelo {

struct ColumnHeader;
class ListView;
class Ui;

enum class SortDataType { Numbers = 1, Dates = 2, Text = 3 };
enum class SortSource { ShownText = 1, Keys = 2 };

// Order arguments: 0 ascending, 1 descending, ToggleOrder for a header click.
inline constexpr int ToggleOrder = -1;

// Sorts the rows by one column (0-based: 0 is the item's own text) as numbers,
// dates or text. A new column always starts ascending; the same column again
// takes order, or turns the order round with ToggleOrder. Afterwards the header
// shows the direction, the sorted column is bold when asked, and the first row
// is selected and scrolled to (unless the list hides its selection, which is
// then cleared).
void SortListView(ListSortState& state, ListView& list, Ui& ui, int column, SortDataType dataType, SortSource source,
                  bool bold, int order);

// Puts a freshly filled list in a given order (0 or 1). A list asked for its
// natural order (shown text of column 0, as text, in its current order) is only
// marked, not sorted.
void SetListViewSort(ListSortState& state, ListView& list, Ui& ui, int column, SortDataType dataType, int order,
                     SortSource source, bool bold);

// The item's text is bold exactly when column is 0; sub-item n exactly when n is column.
void BoldSortedColumn(ListView& list, int column);

// Gives the header of the last sorted column the picture of the last order and
// takes it from every other header.
void ShowSortIndicators(const ListSortState& state, ListView& list);

// The header item's format bits: alignment (left 0, right 1, centred 2), the
// text flag 0x4000 and, on the sorted column, the picture-on-the-right flags 0x1800.
int SortHeaderFormat(const ColumnHeader& header);

} // namespace tarvelo
