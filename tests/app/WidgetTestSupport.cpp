#include "tests/app/WidgetTestSupport.h"

namespace tarvelo::testing {

QApplication& widgetApplication()
{
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tarvelo_tests";
        static char* argv[] = {name, nullptr};
        static QApplication application(argc, argv);
    }
    return *qobject_cast<QApplication*>(QApplication::instance());
}

void runEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace tarvelo::testing
