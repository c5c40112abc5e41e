#pragma once

#include "TarveloExport.h"

namespace tarvelo {

// The sort state that every list view of the library shares: one instance,
// owned by the host and handed to whoever sorts. Sorting one list by column 2
// and then another by column 2 counts as the same column, so the second
// sort toggles the order.
struct TARVELO_EXPORT ListSortState {
    int lastColumn = 0; // 0-based: 0 is the item's own text
    int lastOrder = 0;  // 0 ascending, 1 descending
};

} // namespace tarvelo
