// A host program of its own around the settings library: it implements the
// host objects (MinimalHost), adds one page of its own to the library's pages
// and shows the settings window.
//
//   minimal-host [--data MAP]                  the window, on a screen
//   minimal-host [--data MAP] --render FILE    a picture of the window as PNG,
//                                              without a screen
#include "MinimalHost.h"
#include "SetupVoorbeeldhost.h"

#include <tarvelo/app/HostSettingsWindow.h>
#include <tarvelo/framework/errors/RuntimeError.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QString dataFolder;
    QString picture;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--data") == 0)
            dataFolder = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--render") == 0)
            picture = QString::fromLocal8Bit(argv[++i]);
    }
    // A picture needs no screen.
    if (!picture.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication qt(argc, argv);
    QApplication::setApplicationName(u"minimal-host"_s);
    if (dataFolder.isEmpty())
        dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    std::optional<minimalhost::MinimalHost> host;
    try {
        host.emplace(dataFolder);
    } catch (const tarvelo::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }

    tarvelo::HostSettingsWindow window(*host);
    host->setWindow(window.widget());
    if (picture.isEmpty()) {
        window.show();
        return qt.exec();
    }

    window.widget()->resize(960, 680);
    if (!window.show(u"SetupVoorbeeldhost"_s))
        return 1;
    if (!window.picture().save(picture, "PNG")) {
        std::fprintf(stderr, "%s kan niet worden geschreven\n", qPrintable(picture));
        return 1;
    }
    std::printf("pagina: %s\npagina's: %d\nfouten: %d\n", qPrintable(window.currentPage()),
                int(host->pageRegistry().pages().size()), host->errorCount());
    return 0;
}
