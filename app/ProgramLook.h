#pragma once

#include <QPalette>

namespace tarvelo {

// The palette with disabled fields drawn grey on grey wherever the theme
// would draw them like enabled ones, and disabled text grey but readable
// (4.5:1) on every background the program draws text on.
QPalette withVisibleStates(QPalette palette);

// One look for the program on every platform: the Fusion style (access keys
// underlined while Alt is held, on every control alike), and the pages'
// design font (see toQFont) as the application font, so that the window, its
// dialogs and message boxes read like the pages. Needs the QApplication.
void applyProgramLook();
// Loads the program's fonts, plain and bold, as the first text measured
// would (10 to 20 ms): the program does it while its login to a server runs.
void loadProgramFonts();

} // namespace tarvelo
