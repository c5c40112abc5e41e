#include "framework/util/ComboRoutines.h"

#include "framework/forms/ComboBox.h"
#include "framework/ui/Ui.h"

#include <algorithm>

namespace tarvelo {

void FitComboDropDown(ComboBox& combo, const Ui& ui, int maxPixels)
{
    if (combo.listCount() == 0)
        return;
    const int twipsPerPixel = std::max(1, ui.twipsPerPixelX());
    int widest = 0;
    for (int i = 0; i < combo.listCount(); ++i)
        widest = std::max(widest, ui.textWidth(combo.list(i), combo.font()));
    int needed = (widest + twipsPerPixel - 1) / twipsPerPixel + 20;
    if (maxPixels > 0)
        needed = std::min(needed, maxPixels);
    // A drop-down width of 0 means the list is as wide as the box itself.
    const int current = combo.droppedWidth() > 0 ? combo.droppedWidth() : combo.width() / twipsPerPixel;
    if (needed > current)
        combo.setDroppedWidth(std::min(needed, ui.screenWidthPixels() - 20));
}

void SelectComboByItemData(ComboBox& combo, qint32 value)
{
    for (int i = 0; i < combo.listCount(); ++i) {
        if (combo.itemData(i) == value) {
            combo.setListIndex(i);
            return;
        }
    }
}

} // namespace tarvelo
