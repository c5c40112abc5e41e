#include "app/AdminProgram.h"

#include "app/Installation.h"
#include "app/QtUi.h"
#include "framework/errors/RuntimeError.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "host/office/Advisers.h"
#include "host/office/DataFolder.h"
#include "host/office/OfficeDatabase.h"
#include "host/registry/SqliteRegistryStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// All of the text, also past a NUL character a value may hold; on a terminal
// with its control characters shown escaped.
void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = (::isatty(::fileno(stream)) ? AdminCommands::escapedControls(text) : text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

// The program's own warnings may quote a stored value too.
void escapedWarning(QtMsgType, const QMessageLogContext&, const QString& message)
{
    print(stderr, message + QLatin1Char('\n'));
}

// Warnings go through escapedWarning while a command runs.
class EscapedWarnings {
public:
    EscapedWarnings() : previous_(qInstallMessageHandler(escapedWarning)) {}
    ~EscapedWarnings() { qInstallMessageHandler(previous_); }
    EscapedWarnings(const EscapedWarnings&) = delete;
    EscapedWarnings& operator=(const EscapedWarnings&) = delete;

private:
    QtMessageHandler previous_;
};
// Only the administrator works with another adviser's settings, and only when
// he says so. True when the adviser named is not the workstation's own.
bool actFor(ReferenceApplication& host, const QString& adviser)
{
    const QString own = host.currentAdviser().code;
    if (!Advisers::isAdministrator(host.officeDatabase(), host.currentAdviser().code))
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           u"Alleen een beheerder kan met --adviseur voor een andere adviseur werken; u bent %1. Er "
                           "is niets gewijzigd."_s.arg(host.currentAdviser().name));
    const std::optional<AdviserIdentity> other = Advisers::find(host.officeDatabase(), adviser);
    if (!other)
        throw RuntimeError(
            ErrorNumber::ApplicationDefined,
            u"Er is geen adviseur met de gebruikersnaam of code %1. Er is niets gewijzigd."_s.arg(adviser));
    host.setCurrentAdviser(*other);
    host.reloadSettings();
    host.applyAdministratorLocks();
    return other->code.compare(own, Qt::CaseInsensitive) != 0;
}
} // namespace

namespace {
// The office paths a data folder's office records in the user's hive.
const QLatin1StringView OfficePaths[] = {
    RegistryNames::AdviezenDatabaseMap,          RegistryNames::AdviezenDatabaseSource,
    RegistryNames::AdviezenDatabaseProvider,     RegistryNames::AdviezenDatabaseName,
    RegistryNames::AdviezenDatabaseWeergaveNaam, RegistryNames::AdviezenDatabase2,
    RegistryNames::AdviezenDatabase2Source,      RegistryNames::AdviezenDatabase2Map,
    RegistryNames::AdviezenDatabase2Name,        RegistryNames::AdviezenDatabase2WeergaveNaam,
    RegistryNames::AdviesdossierDocumentenMap,
};

QString privateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw RuntimeError(75, u"De map %1 kan niet worden aangemaakt."_s.arg(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}
} // namespace

QString userHiveFile(const QString& dataFolder)
{
    const QDir config(privateFolder(
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(u"tarvelo"_s)));
    const QString shared = config.filePath(u"HKEY_CURRENT_USER.hive"_s);
    const QString folder = QDir::cleanPath(QDir(dataFolder).absolutePath());
    if (folder == QDir::cleanPath(QDir(DataFolder::defaultPath()).absolutePath()))
        return shared;
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha1).toHex().left(16));
    const QString own =
        QDir(privateFolder(config.filePath(u"kantoren/"_s + key))).filePath(u"HKEY_CURRENT_USER.hive"_s);
    if (!QFileInfo::exists(own) && QFileInfo::exists(shared) && QFile::copy(shared, own)) {
        QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        SqliteRegistryStore copy(own);
        for (QLatin1StringView name : OfficePaths)
            copy.writeString(RegistryNames::ProductKey, name, QString());
    }
    return own;
}

QString machineHiveFile() { return Installation::machineHiveFile(QCoreApplication::applicationDirPath()); }

bool AdminInput::isTerminal() const { return ::isatty(STDIN_FILENO); }

std::optional<QString> AdminInput::readLine(const QString& prompt, bool hidden)
{
    print(stderr, prompt);
    std::fflush(stderr);
    termios before{};
    const bool silent = hidden && ::tcgetattr(STDIN_FILENO, &before) == 0;
    if (silent) {
        termios quiet = before;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    char* buffer = nullptr;
    std::size_t capacity = 0;
    const ssize_t length = ::getline(&buffer, &capacity, stdin);
    if (silent) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        print(stderr, u"\n"_s);
    }
    std::optional<QString> line;
    if (length >= 0) {
        QByteArray bytes(buffer, qsizetype(length));
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        line = QString::fromLocal8Bit(bytes);
    }
    std::free(buffer);
    return line;
}

namespace {
// Asked once from a script, twice on a terminal where a typing error cannot be seen.
std::optional<QString> askTwice(AdminInput& input, const QString& prompt, bool confirm, const QString& differ)
{
    const std::optional<QString> first = input.readLine(prompt, true);
    if (!first || first->isEmpty() || !confirm || !input.isTerminal())
        return first && !first->isEmpty() ? first : std::nullopt;
    const std::optional<QString> second = input.readLine(u"Nogmaals ter controle: "_s, true);
    if (second != first)
        throw RuntimeError(ErrorNumber::ApplicationDefined, differ);
    return first;
}
} // namespace

std::optional<QString> askPassphrase(AdminInput& input, bool confirm)
{
    return askTwice(input, u"Wachtwoord van het bestand: "_s, confirm,
                    u"De twee wachtwoorden voor het bestand zijn niet gelijk. Er is niets geëxporteerd."_s);
}

std::optional<QString> askSecret(AdminInput& input, const QString& name)
{
    return askTwice(input, u"Nieuwe waarde van %1: "_s.arg(name), true,
                    u"De twee ingetypte waarden van %1 zijn niet gelijk. Er is niets gewijzigd."_s.arg(name));
}

namespace {
// The user's hive as a lock sees it: there is none, since a lock reads and
// writes the machine hive only.
class NoUserHive final : public RegistryStore {
public:
    bool openKey(const QString&) override { return false; }
    bool createKey(const QString&) override { return false; }
    std::optional<QString> readString(const QString&, const QString&) override { return std::nullopt; }
    bool writeString(const QString&, const QString&, const QString&) override { return false; }
    QStringList valueNames(const QString&) override { return {}; }
};

// lock and unlock change the lock list and nothing else: no office is opened
// or made, and no other registry value is written.
int runLockCommand(const CommandLine& line)
{
    const QString installed = machineHiveFile();
    const QString dataFolder = line.dataFolder.isEmpty() ? DataFolder::defaultPath() : line.dataFolder;
    NoUserHive user;
    SqliteRegistryStore machine(installed.isEmpty() ? DataFolder::machineHivePath(dataFolder) : installed);
    const Registry registry(user, machine);
    const AdminResult result = AdminCommands::lock(registry, *line.admin, installed);
    print(stdout, result.out);
    print(stderr, result.err);
    return result.status;
}
} // namespace

int runAdminCommand(const CommandLine& line, AdminInput& input)
{
    const EscapedWarnings warnings;
    if (line.admin->command == QLatin1String("lock") || line.admin->command == QLatin1String("unlock"))
        return runLockCommand(line);
    QtUi screen;
    CollectingUi quiet(screen);
    AdminRequest request = *line.admin;
    std::unique_ptr<ReferenceApplication> host;
    try {
        std::optional<DatabaseLocation> server;
        if (line.provider == QLatin1String("MSSQL"))
            server = DatabaseLocation{line.provider, QString(), line.server, line.database};
        const QString dataFolder = line.dataFolder.isEmpty() ? DataFolder::defaultPath() : line.dataFolder;
        host = std::make_unique<ReferenceApplication>(quiet, dataFolder, userHiveFile(dataFolder),
                                                      ReferenceApplication::NewOffice::Demo, server, machineHiveFile());
        host->setShowErrorsToUser(false);
        if (!line.adviser.isEmpty())
            request.forOtherAdviser = actFor(*host, line.adviser);
        // An office made on a server is told: the database named was empty.
        if (server && host->officeDatabase().isNew())
            print(stderr, u"De database %1 op server %2 was leeg; er is een nieuw kantoor in gemaakt.\n"_s.arg(
                              server->databaseName, server->server));
    } catch (const std::exception& e) {
        print(stderr, RuntimeError::fromStd(e).description() + QLatin1Char('\n'));
        return AdminCommands::Refused;
    }
    // Passwords come from the input, never as an argument.
    const bool exporting = line.admin->command == QLatin1String("export");
    const auto passphrase = [&] { return askPassphrase(input, exporting); };
    const auto secret = [&](const QString& name) { return askSecret(input, name); };
    AdminResult result;
    // Whatever fails on the way (the office database that stops answering or
    // is held by another program in the middle of a command) is told, and the
    // command ends as refused: what it stores is stored in one transaction,
    // so nothing is half-stored.
    try {
        result = AdminCommands::run(*host, request, passphrase, secret);
    } catch (const std::exception& e) {
        result = {
            AdminCommands::Refused, {}, u"Er is niets gewijzigd: %1\n"_s.arg(RuntimeError::fromStd(e).description())};
    } catch (...) {
        result = {AdminCommands::Refused, {}, u"Er is niets gewijzigd: een onbekende fout trad op.\n"_s};
    }
    print(stdout, result.out);
    print(stderr, result.err);
    std::fflush(stdout);
    std::fflush(stderr);
    return result.status;
}

int runAdminCommand(const CommandLine& line)
{
    AdminInput input;
    return runAdminCommand(line, input);
}

} // namespace tarvelo
