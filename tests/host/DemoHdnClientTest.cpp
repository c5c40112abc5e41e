#include "host/office/DemoHdnClient.h"
#include "framework/registry/Registry.h"
#include "host/registry/SqliteRegistryStore.h"
#include "pages/database_hdn/CWeslyHDN.h"
#include "pages/database_hdn/WeslyService.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

class RunningService final : public WeslyService {
public:
    QString state() override { return u"Running"_s; }
    void start() override {}
    void stop() override {}
};

constexpr QFileDevice::Permissions OthersWrite = QFileDevice::WriteGroup | QFileDevice::WriteOther;

} // namespace

// Catches an HDN client whose code a group member could replace: made under
// umask 002, the folders and the library the pages load are writable by
// their owner only, and a library that others can write is not loaded.
TEST(DemoHdnClient, TheCodeThePagesLoadIsWritableByItsOwnerOnly)
{
    tarvelo::testing::widgetApplication();
    QTemporaryDir data;
    SqliteRegistryStore user(QDir(data.path()).filePath(u"HKCU.hive"_s));
    SqliteRegistryStore machine(QDir(data.path()).filePath(u"HKLM.hive"_s));
    Registry registry(user, machine);
    const mode_t before = ::umask(002);
    installDemoHdnClient(registry, data.path());
    ::umask(before);
    const QString root = QDir(data.path()).filePath(u"HDN client"_s);
    const QString library = QDir(root).filePath(u"bin/libweslycln.so"_s);
    ASSERT_TRUE(QFileInfo::exists(library)) << "the client library beside the test program";
    QStringList open;
    QStringList entries{root};
    QDirIterator all(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (all.hasNext())
        entries << all.next();
    for (const QString& path : entries) {
        if (QFileInfo(path).permissions() & OthersWrite)
            open << path;
    }
    EXPECT_TRUE(open.isEmpty()) << open.join(u", "_s).toStdString();

    RunningService service;
    long number = 99;
    QString text;
    {
        CWeslyHDN wesly(registry, service);
        QString node;
        EXPECT_TRUE(wesly.WeslyHDNGetNodeNumber(node, number, text));
        EXPECT_EQ(node, u"123456"_s);
    }
    for (const QString& path : {library, QDir(root).filePath(u"bin"_s), root}) {
        SCOPED_TRACE(path.toStdString());
        const QFileDevice::Permissions mode = QFile::permissions(path);
        ASSERT_TRUE(QFile::setPermissions(path, mode | QFileDevice::WriteGroup));
        CWeslyHDN wesly(registry, service);
        QString node = u"<niet gezet>"_s;
        EXPECT_FALSE(wesly.WeslyHDNGetNodeNumber(node, number, text)) << "loaded while others can write";
        EXPECT_EQ(node, u"<niet gezet>"_s);
        EXPECT_TRUE(wesly.IsWeslyAvailable(number, text, true));
        EXPECT_EQ(number, -3);
        EXPECT_TRUE(text.contains(u"kan ook door anderen dan de eigenaar worden gewijzigd"_s)) << text.toStdString();
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
        ASSERT_TRUE(QFile::setPermissions(path, mode));
    }
}
