#include "app/AdminProgram.h"

#include "app/QtUi.h"
#include "framework/errors/RuntimeError.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "host/office/DataFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// All of the text, also past a NUL character a value may hold; on a terminal
// with its control characters shown escaped.
void print(FILE* stream, const QString& text)
{
    const QByteArray bytes =
        (::isatty(::fileno(stream)) ? AdminCommands::escapedControls(text) : text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}
} // namespace

QString userHiveFile()
{
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(u"tarvelo"_s);
    if (!QDir().mkpath(folder))
        throw RuntimeError(75, u"De map %1 kan niet worden aangemaakt."_s.arg(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QDir(folder).filePath(u"HKEY_CURRENT_USER.hive"_s);
}

int runAdminCommand(const CommandLine& line)
{
    QtUi screen;
    CollectingUi quiet(screen);
    std::unique_ptr<ReferenceApplication> host;
    try {
        std::optional<DatabaseLocation> server;
        if (line.provider == QLatin1String("MSSQL"))
            server = DatabaseLocation{line.provider, QString(), line.server, line.database};
        host = std::make_unique<ReferenceApplication>(
            quiet, line.dataFolder.isEmpty() ? DataFolder::defaultPath() : line.dataFolder, userHiveFile(),
            ReferenceApplication::NewOffice::Demo, server);
        host->setShowErrorsToUser(false);
    } catch (const RuntimeError& e) {
        print(stderr, e.description() + QLatin1Char('\n'));
        return AdminCommands::Refused;
    }
    // The file's password comes on the first line of the input, never as an argument.
    const auto passphrase = []() -> std::optional<QString> {
        print(stderr, u"Wachtwoord van het bestand: "_s);
        QTextStream in(stdin);
        const QString text = in.readLine();
        print(stderr, u"\n"_s);
        return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
    };
    const AdminResult result = AdminCommands::run(*host, *line.admin, passphrase);
    print(stdout, result.out);
    print(stderr, result.err);
    std::fflush(stdout);
    std::fflush(stderr);
    return result.status;
}

} // namespace tarvelo
