#pragma once

namespace tarvelo {

// One look for the program on every platform: the Fusion style, and the pages'
// design font (see toQFont) as the application font, so that the window, its
// dialogs and message boxes read like the pages. Needs the QApplication.
void applyProgramLook();

} // namespace tarvelo
