#include "app/AdminProgram.h"
#include "app/CommandLine.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/office/DataFolder.h"
#include "host/registry/SqliteRegistryStore.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// The administrator and the users of one machine, as the program meets them:
// the user's config and data folders and the machine hive in a temporary folder.
class MachineAndUsersTest : public ::testing::Test {
protected:
    MachineAndUsersTest()
    {
        tarvelo::testing::widgetApplication();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            saved_.push_back({name, qgetenv(name)});
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(u"config"_s)));
        qputenv("XDG_DATA_HOME", QFile::encodeName(path(u"share"_s)));
    }
    ~MachineAndUsersTest() override
    {
        for (const auto& [name, value] : saved_)
            qputenv(name, value);
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    int run(const QStringList& words)
    {
        const CommandLine line = CommandLine::parse(words);
        EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
        return runAdminCommand(line);
    }
    static QString read(const QString& hive, const QString& key, const QString& name)
    {
        SqliteRegistryStore store(hive);
        return store.readString(key, name).value_or(u"(geen)"_s);
    }

    QTemporaryDir dir;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

const QString LockKey = u"Software\\Tarvelo\\Beheer\\Vastgezet\\Setup"_s;

// Runs check as a user who is not the administrator (nobody), in a child
// process; its exit status is the number of the first failed expectation.
// Only root can become another user; elsewhere the test is skipped.
int asAnotherUser(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

} // namespace

// Catches a lock that makes an office: root's lock wrote root's own data
// folder into the machine hive as the database folder and made a demo office
// in root's home, which every user's Data page then showed. A lock and an
// unlock change the lock list and nothing else: no office, no user hive, no
// other value of the machine.
TEST_F(MachineAndUsersTest, ALockOrUnlockTouchesOnlyTheLocks)
{
    const QString data = path(u"kantoor"_s);
    ASSERT_EQ(run({u"lock"_s, u"proxyadres"_s, u"--data"_s, data}), 0);
    const QString hive = DataFolder::machineHivePath(data);
    EXPECT_EQ(read(hive, LockKey, u"ProxyAdres"_s), u"1"_s);
    EXPECT_FALSE(QFileInfo::exists(DataFolder::officeDatabasePath(data))) << "de vergrendeling maakte een kantoor";
    EXPECT_FALSE(QFileInfo::exists(path(u"config/tarvelo"_s)))
        << "de vergrendeling schreef in de hive van de gebruiker";
    SqliteRegistryStore machine(hive);
    EXPECT_EQ(machine.valueNames(QString(RegistryNames::ProductKey)), QStringList());
    EXPECT_FALSE(machine.readString(QString(RegistryNames::ProductKey), QString(RegistryNames::DatabaseDir)));

    // The office opened later holds the lock; an unlock frees it, again without more.
    {
        ScriptedUi ui;
        ReferenceApplication office(ui, data, QString(), ReferenceApplication::NewOffice::Demo);
        EXPECT_TRUE(office.SettingsObject().isLocked(u"ProxyAdres"_s));
    }
    const QStringList before = machine.valueNames(QString(RegistryNames::ProductKey));
    ASSERT_EQ(run({u"unlock"_s, u"ProxyAdres"_s, u"--data"_s, data}), 0);
    EXPECT_EQ(read(hive, LockKey, u"ProxyAdres"_s), QString());
    EXPECT_EQ(machine.valueNames(QString(RegistryNames::ProductKey)), before);

    // Wrong usage and unknown names are refused as before.
    EXPECT_EQ(run({u"lock"_s, u"GeenInstelling"_s, u"--data"_s, data}), AdminCommands::Refused);
    EXPECT_EQ(run({u"lock"_s, u"ProxyAdres"_s, u"--toon"_s, u"--data"_s, data}), AdminCommands::WrongUsage);
}

// Catches the administrator's hive told to a user who only reads it: a user's
// first run printed "Registerbestand ... kan niet worden aangemaakt:
// Permission denied", and a refused unlock "attempt to write a readonly
// database". Writes to the machine hive a user may not make are skipped
// without a word; a lock or unlock by that user says in Dutch that only the
// administrator can, and changes nothing.
TEST_F(MachineAndUsersTest, AUserHearsOfTheMachineHiveOnlyWhenChangingIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "alleen root kan een andere gebruiker worden";
    // As installed: the machine's folder and its hive belong to root, readable by all.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther));
    const QString machineFolder = path(u"etc-tarvelo"_s);
    ASSERT_TRUE(QDir().mkpath(machineFolder));
    const QString missingHive = QDir(machineFolder).filePath(u"leeg.hive"_s);
    const QString hive = QDir(machineFolder).filePath(u"HKEY_LOCAL_MACHINE.hive"_s);
    {
        SqliteRegistryStore root(hive);
        ASSERT_TRUE(root.writeString(LockKey, u"ProxyAdres"_s, u"1"_s));
    }
    ASSERT_TRUE(QFile::setPermissions(hive, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));

    static QStringList warnings;
    warnings.clear();
    const int failed = asAnotherUser([&] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
        // A write that the user may not do is skipped without a word: to a hive not made yet...
        SqliteRegistryStore missing(missingHive);
        if (missing.writeString(u"Software\\Tarvelo"_s, u"DatabaseDir"_s, u"/home/iemand"_s))
            return 1;
        // ... and to one the user may only read.
        SqliteRegistryStore readOnly(hive);
        if (readOnly.writeString(u"Software\\Tarvelo"_s, u"DatabaseDir"_s, u"/home/iemand"_s))
            return 2;
        if (!warnings.isEmpty())
            return 3;
        // A refused unlock says who can.
        SqliteRegistryStore user(QDir(machineFolder).filePath(u"gebruiker.hive"_s));
        const Registry registry(user, readOnly);
        AdminRequest unlock;
        unlock.command = u"unlock"_s;
        unlock.arguments = {u"ProxyAdres"_s};
        const AdminResult result = AdminCommands::lock(registry, unlock, hive);
        if (result.status != AdminCommands::Refused)
            return 4;
        if (!result.err.startsWith(u"Alleen de beheerder van deze computer kan een instelling vrijgeven"_s))
            return 5;
        if (!warnings.isEmpty() || result.err.contains(u"readonly"_s))
            return 6;
        return 0;
    });
    EXPECT_EQ(failed, 0) << "1/2: de schrijfpoging slaagde, 3: er werd gemeld, 4/5: de weigering, 6: Engelse melding";
    EXPECT_EQ(read(hive, LockKey, u"ProxyAdres"_s), u"1"_s);
    EXPECT_FALSE(QFileInfo::exists(missingHive));
}

// Catches one user hive for every data folder: a second office opened with
// --data showed the first office's database and document folders on its Data
// page. Each data folder's office records its own; the default data folder
// keeps the hive every earlier version used, and a data folder's first hive
// keeps the user's other values.
TEST_F(MachineAndUsersTest, EachDataFolderShowsItsOwnOfficePaths)
{
    const auto opened = [](const QString& data, const QString& name) {
        ScriptedUi ui;
        ReferenceApplication office(ui, data, userHiveFile(data), ReferenceApplication::NewOffice::Demo);
        return office.registry().GetTarveloSetting(Hive::HKEY_CURRENT_USER, name, true, QString());
    };
    const QString first = DataFolder::defaultPath();
    const QString second = path(u"tweede"_s);
    const QString firstFolder = opened(first, QString(RegistryNames::AdviezenDatabaseMap));
    EXPECT_TRUE(firstFolder.startsWith(first)) << firstFolder.toStdString();
    {
        // A value of the user's own, kept in the hive the default data folder uses.
        SqliteRegistryStore shared(userHiveFile(first));
        ASSERT_TRUE(shared.writeString(u"Software\\Tarvelo"_s, u"ExportDir"_s, u"/home/gebruiker/export"_s));
    }
    EXPECT_TRUE(opened(second, QString(RegistryNames::AdviezenDatabaseMap)).startsWith(second));
    EXPECT_TRUE(opened(second, QString(RegistryNames::AdviesdossierDocumentenMap)).startsWith(second));
    EXPECT_EQ(opened(second, u"ExportDir"_s), u"/home/gebruiker/export"_s);
    // The first office still shows its own.
    EXPECT_EQ(opened(first, QString(RegistryNames::AdviezenDatabaseMap)), firstFolder);
    EXPECT_EQ(userHiveFile(first), path(u"config/tarvelo/HKEY_CURRENT_USER.hive"_s));
    EXPECT_NE(userHiveFile(second), userHiveFile(first));
}
