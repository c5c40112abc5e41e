#pragma once

namespace tarvelo {

class Control;

// Selects the whole text of a text box, so the next keystroke replaces it;
// other controls are left alone.
void SelectAllText(Control& control);

} // namespace tarvelo
