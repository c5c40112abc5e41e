#pragma once

#include <QtGlobal>

namespace tarvelo {

class ComboBox;
class Ui;

// Widens the drop-down list so its widest entry fits (plus 20 pixels), limited
// to maxPixels when that is above 0 and always to the screen width less 20
// pixels. A list that is already wide enough is left alone.
void FitComboDropDown(ComboBox& combo, const Ui& ui, int maxPixels = 0);

// Selects the first entry carrying value as its item data; no change when none does.
void SelectComboByItemData(ComboBox& combo, qint32 value);

} // namespace tarvelo
