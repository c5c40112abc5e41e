#include "app/ProgramEntry.h"
#include "app/AdminProgram.h"
#include "app/CommandLine.h"
#include "app/PageRenderer.h"
#include "app/ProgramLook.h"
#include "app/QtUi.h"
#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/render/ProgressView.h"
#include "framework/errors/RuntimeError.h"
#include "framework/page/PageRegistry.h"
#include "framework/ui/MessageDetails.h"
#include "host/ReferenceApplication.h"
#include "host/admin/SettingCatalogue.h"
#include "host/database/ServerLoginAhead.h"
#include "host/database/SqlConnection.h"
#include "host/office/DataFolder.h"
#include "pages/business_lists/TaskCheck.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

enum ExitCode { Ok = 0, OfficeUnusable = 1, BadArguments = 2, NoDisplay = 3 };

void print(FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Pages are named by class name; an unknown name is refused with the list.
bool knownPage(const PageRegistry& registry, const QString& name)
{
    if (registry.find(name))
        return true;
    QString known;
    for (const PageInfo& info : registry.pages())
        known += u"  %1 (%2)\n"_s.arg(info.className, info.title);
    for (const QString& dialog : ReviewDialogs::names()) {
        if (dialog.compare(name, Qt::CaseInsensitive) == 0)
            return true;
        known += u"  %1 (venster)\n"_s.arg(dialog);
    }
    print(stderr, u"Onbekende pagina: %1\nBekende pagina's:\n%2"_s.arg(name, known));
    return false;
}

// An office on a server named on the command line: its login begins now, beside
// Qt's start and the pages' learning, and the office takes it when it opens.
std::unique_ptr<ServerLoginAhead> loginToNamedServer(int argc, char* argv[])
{
    // Qt's own options (-platform vnc) are not the program's: Qt takes them out later.
    static const QStringList qtOptionsWithValue{
        u"-platform"_s,   u"-platformpluginpath"_s, u"-platformtheme"_s, u"-plugin"_s,          u"-display"_s,
        u"-style"_s,      u"-stylesheet"_s,         u"-session"_s,       u"-qwindowgeometry"_s, u"-qwindowtitle"_s,
        u"-qwindowicon"_s};
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(u'-') && !argument.startsWith(u"--"_s)) {
            if (qtOptionsWithValue.contains(argument))
                ++i;
            continue;
        }
        arguments << argument;
    }
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.error.isEmpty() || line.admin || line.provider != QLatin1String("MSSQL"))
        return nullptr;
    return std::make_unique<ServerLoginAhead>(DatabaseLocation{line.provider, QString(), line.server, line.database});
}

} // namespace

int tarvelo_instellingen_main(int argc, char* argv[])
{
    // Help and rendering need no screen: look before Qt looks for one.
    bool rendering = false;
    bool platformGiven = false;
    bool command = false;
    for (int i = 1; i < argc; ++i) {
        // A word that is no option's value asks for a command (a misspelt one
        // is wrong usage, told without looking for a screen).
        const bool afterOption = i > 1 && argv[i - 1][0] == '-' && qstrcmp(argv[i - 1], "--office") != 0 &&
                                 qstrcmp(argv[i - 1], "--wachtwoorden") != 0;
        command = command || (!afterOption && argv[i][0] != '-');
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            print(stdout, CommandLine::helpText(DataFolder::defaultPath()));
            return Ok;
        }
        rendering = rendering || qstrcmp(argv[i], "--render") == 0 || qstrncmp(argv[i], "--render=", 9) == 0;
        platformGiven = platformGiven || qstrcmp(argv[i], "-platform") == 0;
    }
    if ((rendering || command) && !platformGiven && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (!rendering && !platformGiven && !hasDisplay()) {
        print(stderr, u"Er is geen beeldscherm gevonden (DISPLAY is niet gezet).\n"
                      "Start het venster via VNC:  tarvelo-instellingen -platform vnc\n"
                      "  en open een VNC-viewer op poort 5900 van deze computer;\n"
                      "of maak afbeeldingen van de pagina's:  tarvelo-instellingen --render all --out MAP\n"_s);
        return NoDisplay;
    }

    const std::unique_ptr<ServerLoginAhead> loginAhead = loginToNamedServer(argc, argv);
    QApplication qt(argc, argv);
    QApplication::setApplicationName(u"tarvelo-instellingen"_s);
    // The desktop shows the window under the installed desktop entry's name and icon.
    QGuiApplication::setDesktopFileName(u"nl.tarvelo.Instellingen"_s);
    // Before any widget: the pictures rendered below look like the program.
    applyProgramLook();
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Dutch, QLocale::Netherlands), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    loadProgramFonts();

    const CommandLine line = CommandLine::parse(QCoreApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        print(stderr, line.error + u"\nZie tarvelo-instellingen --help.\n"_s);
        return BadArguments;
    }

    if (line.admin)
        return runAdminCommand(line);

    QtUi ui;
    const QString dataFolder = line.dataFolder.isEmpty() ? DataFolder::defaultPath() : line.dataFolder;
    std::unique_ptr<ReferenceApplication> host;
    const auto officeUnusable = [rendering](const RuntimeError& e) {
        print(stderr, e.description() + QLatin1Char('\n'));
        if (!rendering) {
            // What the user can do in the box; the driver's own words behind its details button.
            const SplitMessage message = splitDetails(e.description());
            QMessageBox box(QMessageBox::Critical, u"Quenmarix instellingen"_s, message.text);
            box.setDetailedText(message.details);
            box.exec();
        }
        return OfficeUnusable;
    };
    try {
        std::optional<DatabaseLocation> server;
        if (line.provider == QLatin1String("MSSQL"))
            server = DatabaseLocation{line.provider, QString(), line.server, line.database};
        host = std::make_unique<ReferenceApplication>(ui, dataFolder, userHiveFile(dataFolder),
                                                      ReferenceApplication::NewOffice::Demo, server, machineHiveFile());
    } catch (const RuntimeError& e) {
        return officeUnusable(e);
    }

    // The host knows the pages, so the names are checked once it is there.
    const PageRegistry& registry = std::as_const(*host).pageRegistry();
    QStringList renderNames;
    if (line.rendersWindow()) {
        // The window is drawn below, with the page --page names.
    } else if (line.render.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        for (const PageInfo& info : registry.pages())
            renderNames << info.className;
        renderNames << ReviewDialogs::names();
    } else if (line.render.compare(PageRenderer::AdministrationDialogs, Qt::CaseInsensitive) == 0) {
        // Drawn below, from the window.
    } else if (!line.render.isEmpty()) {
        if (!knownPage(registry, line.render))
            return BadArguments;
        renderNames << line.render;
    }
    if (!line.page.isEmpty() && !knownPage(registry, line.page))
        return BadArguments;

    if (rendering) {
        try {
            if (line.rendersWindow()) {
                print(stdout, PageRenderer::renderWindow(registry, *host, line.page, line.out) + QLatin1Char('\n'));
                return Ok;
            }
            if (line.render.compare(PageRenderer::AdministrationDialogs, Qt::CaseInsensitive) == 0) {
                for (const QString& file : PageRenderer::renderAdministration(registry, *host, line.out))
                    print(stdout, file + QLatin1Char('\n'));
                return Ok;
            }
            for (const QString& file : PageRenderer::render(registry, *host, renderNames, line.out))
                print(stdout, file + QLatin1Char('\n'));
            return Ok;
        } catch (const RuntimeError& e) {
            return officeUnusable(e);
        }
    }

    SettingsWindow window(registry, *host);
    window.restoreSize();
    ui.setOwner(&window);
    // Long runs without a host status bar show their progress in a window of their own.
    ProgressView progress(host->status(), TwipsScale{ui.twipsPerPixelX(), ui.twipsPerPixelY()}, &window);
    window.show();
    window.showStartPage(line.page);
    // Passwords whose key is not on this workstation are told once, as the screen names them.
    const QString missing = host->unreadableSecretsMessage([&window](const QString& key) {
        const qsizetype dot = key.indexOf(u'.');
        return window.catalogue().find(key.left(dot), key.mid(dot + 1)).caption;
    });
    if (!missing.isEmpty())
        ui.msgBox(missing, MsgButtons::OK, MsgIcon::Exclamation, u"Wachtwoorden"_s);
    // Once a day the office's tasks are made from approaching dates.
    try {
        TaskCheck::runDaily(*host, *host, host->SettingsObject());
    } catch (const RuntimeError& e) {
        ui.msgBox(u"De dagelijkse controle op taken is mislukt:\r\n"_s + e.description(), MsgButtons::OK,
                  MsgIcon::Exclamation, u"Taken aanmaken"_s);
    }
    return qt.exec();
}
