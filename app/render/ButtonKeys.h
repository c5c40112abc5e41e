#pragma once

class QAbstractButton;

namespace tarvelo {

// Return and Enter press a focused button, as Space does. Inside a dialog a
// push button does that itself (it is the dialog's default while it has the
// focus); outside one, in the settings window and on its pages, it does not.
void pressOnReturn(QAbstractButton& button);

} // namespace tarvelo
