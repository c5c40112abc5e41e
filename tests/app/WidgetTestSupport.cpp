#include "tests/app/WidgetTestSupport.h"

#include "app/render/QtConversions.h"
#include "framework/forms/Contrast.h"

#include "app/ProgramLook.h"

#include <algorithm>
#include <cmath>

namespace tarvelo::testing {

QApplication& widgetApplication()
{
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tarvelo_tests";
        static char* argv[] = {name, nullptr};
        // Never destroyed: the program ends with it, after every test and
        // every static that Qt's own objects may still refer to.
        new QApplication(argc, argv);
        // Widgets measure and draw as in the program.
        applyProgramLook();
    }
    return *qobject_cast<QApplication*>(QApplication::instance());
}

double contrast(const QColor& a, const QColor& b) { return contrastRatio(fromQColor(a), fromQColor(b)); }

void runEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace tarvelo::testing
