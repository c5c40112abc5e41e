#include "app/Installation.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "host/ReferenceApplication.h"
#include "host/registry/SqliteRegistryStore.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

QFileDevice::Permissions othersAndGroup(const QString& file)
{
    return QFile::permissions(file) &
           (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
}

} // namespace

// Catches a program that takes its build folder, or any folder named bin, for
// an installation, or looks for the machine's folder beside the wrong prefix.
TEST(Installation, TheMachineFolderLiesBesideTheInstalledProgram)
{
    QTemporaryDir root;
    const QString r = root.path();
    for (const char* folder :
         {"etc/tarvelo", "usr/bin", "opt/tarvelo/etc/tarvelo", "opt/tarvelo/bin", "build", "home/bin", "usr/local/bin"})
        ASSERT_TRUE(QDir(r).mkpath(QString::fromLatin1(folder)));
    const struct {
        QString program;
        QString folder;
    } cases[] = {
        {r + u"/usr/bin"_s, r + u"/etc/tarvelo"_s}, // /usr keeps its machine's files in /etc
        {r + u"/usr/bin/"_s, r + u"/etc/tarvelo"_s},
        {r + u"/opt/tarvelo/bin"_s, r + u"/opt/tarvelo/etc/tarvelo"_s},
        {r + u"/build"_s, QString()},         // a build folder
        {r + u"/home/bin"_s, QString()},      // no home/etc/tarvelo
        {r + u"/usr/local/bin"_s, QString()}, // no usr/local/etc/tarvelo
    };
    for (const auto& c : cases)
        EXPECT_EQ(Installation::machineFolder(c.program), c.folder) << c.program.toStdString();
    EXPECT_TRUE(Installation::machineHiveFile(r + u"/build"_s).isEmpty());
}

// Catches a machine hive that only its creator can read, so that the
// administrator's locks would not hold for the other users; a hive that is
// there already keeps the rights it has.
TEST(Installation, TheMachineHiveIsReadableByEveryUser)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(u"etc/tarvelo"_s));
    const mode_t umaskBefore = ::umask(077);
    const QString file = Installation::machineHiveFile(root.path() + u"/usr/bin"_s);
    ::umask(umaskBefore);
    EXPECT_EQ(file, root.path() + u"/etc/tarvelo/HKEY_LOCAL_MACHINE.hive"_s);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(othersAndGroup(file), QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // Made but not yet written, the hive reads as empty, not as one that cannot be read.
    EXPECT_TRUE(SqliteRegistryStore(file).unreadable().isEmpty());
    {
        SqliteRegistryStore store(file);
        ASSERT_TRUE(store.writeString(u"Software\\Tarvelo"_s, u"ServerCertificaat"_s, u"kantoor.pem"_s));
    }
    EXPECT_EQ(othersAndGroup(file), QFileDevice::ReadGroup | QFileDevice::ReadOther);
    SqliteRegistryStore reader(file);
    EXPECT_EQ(reader.readString(u"Software\\Tarvelo"_s, u"ServerCertificaat"_s), u"kantoor.pem"_s);

    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(Installation::machineHiveFile(root.path() + u"/usr/bin"_s), file);
    EXPECT_EQ(othersAndGroup(file), QFileDevice::Permissions());
    EXPECT_EQ(SqliteRegistryStore(file).readString(u"Software\\Tarvelo"_s, u"ServerCertificaat"_s), u"kantoor.pem"_s);
}

// Catches a host that keeps the machine hive in the data folder although the
// program named the machine's own file for it.
TEST(Installation, TheHostKeepsTheMachineHiveInTheFileItIsGiven)
{
    tarvelo::testing::widgetApplication();
    QTemporaryDir data, machine;
    tarvelo::testing::StrictUi ui;
    const QString hive = machine.filePath(u"HKEY_LOCAL_MACHINE.hive"_s);
    {
        ReferenceApplication host(ui, data.path(), QString(), ReferenceApplication::NewOffice::Empty, std::nullopt,
                                  hive);
        ASSERT_TRUE(host.registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, RegistryNames::ProductKey, u"UrlServer"_s,
                                                 u"https://kantoor.example"_s));
    }
    EXPECT_TRUE(QFile::exists(hive));
    EXPECT_FALSE(QFile::exists(QDir(data.path()).filePath(u"HKEY_LOCAL_MACHINE.hive"_s)));
    ReferenceApplication again(ui, data.path(), QString(), ReferenceApplication::NewOffice::Empty, std::nullopt, hive);
    EXPECT_EQ(
        again.registry().RegGetString(Hive::HKEY_LOCAL_MACHINE, RegistryNames::ProductKey, u"UrlServer"_s, QString()),
        u"https://kantoor.example"_s);
}

// Catches a new office of one user that replaces the database folder the
// machine hive, shared by every user of the installed program, already names.
TEST(Installation, ANewOfficeKeepsTheMachinesDatabaseFolder)
{
    tarvelo::testing::widgetApplication();
    QTemporaryDir first, second, machine;
    tarvelo::testing::StrictUi ui;
    const QString hive = machine.filePath(u"HKEY_LOCAL_MACHINE.hive"_s);
    const auto machineFolder = [&](ReferenceApplication& host) {
        return host.registry().RegGetString(Hive::HKEY_LOCAL_MACHINE, RegistryNames::ProductKey,
                                            RegistryNames::DatabaseDir, QString());
    };
    QString recorded;
    {
        ReferenceApplication host(ui, first.path(), QString(), ReferenceApplication::NewOffice::Demo, std::nullopt,
                                  hive);
        recorded = machineFolder(host);
        EXPECT_EQ(recorded, host.DataFolder());
    }
    ReferenceApplication other(ui, second.path(), QString(), ReferenceApplication::NewOffice::Demo, std::nullopt, hive);
    EXPECT_NE(other.DataFolder(), recorded);
    EXPECT_EQ(machineFolder(other), recorded);
}
