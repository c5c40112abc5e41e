#include "tests/app/WidgetTestSupport.h"

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

double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void runEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace tarvelo::testing
