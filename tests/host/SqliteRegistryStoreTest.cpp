#include "host/registry/SqliteRegistryStore.h"

#include "framework/registry/Registry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

const QString ProductKey = u"Software\\Tarvelo"_s;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString& path, qint64 offset, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(offset));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Writes a few values so the file holds real key and value pages.
void makeHive(const QString& path)
{
    SqliteRegistryStore store(path);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.writeString(ProductKey, QString("Waarde%1").arg(i), QString(60, u'x')));
}

} // namespace

// Catches lookups that depend on case, and a rewrite that changes the name's first case.
TEST(SqliteRegistryStore, NamesIgnoreCaseAndKeepTheirFirstCase)
{
    QTemporaryDir dir;
    SqliteRegistryStore store(dir.filePath("user.hive"));
    ASSERT_TRUE(store.writeString("Software\\Tarvelo", "UrlServer", "a"));
    ASSERT_TRUE(store.writeString("SOFTWARE\\tarvelo", "URLSERVER", "b"));
    ASSERT_TRUE(store.writeString("software\\TARVELO", QString::fromUtf8("\xC3\x89\xC3\xA9n"), "1"));
    ASSERT_TRUE(store.writeString("Software\\Tarvelo", QString::fromUtf8("\xC3\xA9\xC3\x89N"), "2"));

    EXPECT_EQ(store.readString("software\\tarvelo", "urlserver"), QString("b"));
    EXPECT_EQ(store.readString("Software\\Tarvelo", QString::fromUtf8("\xC3\x89\xC3\x89N")), QString("2"));
    EXPECT_EQ(store.valueNames("SOFTWARE\\TARVELO"),
              (QStringList{"UrlServer", QString::fromUtf8("\xC3\x89\xC3\xA9n")}));
    EXPECT_TRUE(store.openKey("SOFTWARE"));
    EXPECT_TRUE(store.openKey("software\\tarvelo"));
    EXPECT_FALSE(store.openKey("Software\\Tarvelo\\Sub"));
    EXPECT_FALSE(store.readString("Software\\Tarvelo", "Url").has_value());
    EXPECT_FALSE(store.readString("Software\\Andere", "UrlServer").has_value());
}

// Catches values lost, cut at a NUL or re-encoded when the hive is closed and opened again.
TEST(SqliteRegistryStore, ValuesSurviveReopening)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/map/machine.hive");
    const std::vector<std::pair<QString, QString>> values{
        {"Leeg", ""},
        {"MetNul", QString("a") + QChar(0) + "b"},
        {"Tekens", QString::fromUtf8("Zo\xC3\xAB \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80")},
        {"Lang", QString(100'000, u'z')},
        {"Aanhalingstekens", "it's \"quoted\"; DROP TABLE reg_values; --"},
    };
    {
        SqliteRegistryStore store(path);
        for (const auto& [name, value] : values)
            ASSERT_TRUE(store.writeString("Software\\Tarvelo\\Sub", name, value));
        ASSERT_TRUE(store.createKey("Software\\Leeg"));
    }
    SqliteRegistryStore reopened(path);
    for (const auto& [name, value] : values)
        EXPECT_EQ(reopened.readString("software\\tarvelo\\sub", name), value) << name.toStdString();
    EXPECT_TRUE(reopened.openKey("Software\\Leeg"));
    EXPECT_EQ(reopened.valueNames("Software\\Tarvelo\\Sub").size(), qsizetype(values.size()));
}

// Catches a read that creates the hive, and a new hive others may read.
TEST(SqliteRegistryStore, MissingHiveIsCreatedOnFirstWriteForItsOwnerOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/tarvelo/user.hive");
    SqliteRegistryStore store(path);
    EXPECT_FALSE(store.openKey(ProductKey));
    EXPECT_FALSE(store.readString(ProductKey, "LogoPath").has_value());
    EXPECT_TRUE(store.valueNames(ProductKey).isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(store.writeString(ProductKey, "LogoPath", "/logo"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(store.readString(ProductKey, "LogoPath"), QString("/logo"));
}

// Catches a damaged or foreign file being read as a hive or written over.
TEST(SqliteRegistryStore, DamagedHiveReadsAsEmptyAndIsNeverWritten)
{
    struct Case {
        const char* what;
        std::function<void(const QString&)> damage;
    };
    const std::vector<Case> cases{
        {"tekstbestand",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray("Dit is geen registerbestand.\n").repeated(200));
         }},
        {"kop overschreven",
         [](const QString& path) {
             makeHive(path);
             overwrite(path, 0, "Geen SQLite meer");
         }},
        {"pagina's beschadigd",
         [](const QString& path) {
             makeHive(path);
             const qint64 size = QFile(path).size();
             ASSERT_GT(size, 4096);
             overwrite(path, 4096, QByteArray(size - 4096, '\xA5'));
         }},
        {"database van een ander programma",
         [](const QString& path) {
             sqlite3* db = nullptr;
             ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
             ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE klanten(naam TEXT); INSERT INTO klanten VALUES('Jansen')",
                                    nullptr, nullptr, nullptr),
                       SQLITE_OK);
             sqlite3_close(db);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("machine.hive");
        c.damage(path);
        const QByteArray before = contents(path);
        ASSERT_FALSE(before.isEmpty());

        SqliteRegistryStore store(path);
        EXPECT_FALSE(store.readString(ProductKey, "Waarde1").has_value());
        EXPECT_FALSE(store.writeString(ProductKey, "UrlServer", "https://voorbeeld.nl"));
        EXPECT_FALSE(store.createKey("Software\\Nieuw"));

        SqliteRegistryStore user(dir.filePath("user.hive"));
        Registry registry(user, store);
        EXPECT_EQ(registry.GetTarveloSetting(Hive::HKEY_CURRENT_USER, "UrlServer", true, "standaard"), "standaard");
        EXPECT_FALSE(registry.SaveTarveloSetting(Hive::HKEY_LOCAL_MACHINE, "UrlServer", "x"));

        EXPECT_EQ(contents(path), before);
        EXPECT_FALSE(QFile::exists(path + "-journal"));
    }
}

// Catches lost updates when two processes write the same hive at once.
TEST(SqliteRegistryStore, TwoProcessesWritingAtOnceLoseNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("user.hive");
    constexpr int PerProcess = 1000;

    std::vector<pid_t> children;
    for (int process = 0; process < 2; ++process) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool allStored = true;
            {
                SqliteRegistryStore store(path);
                for (int i = 0; i < PerProcess; ++i) {
                    allStored &= store.writeString(ProductKey, QString("P%1_%2").arg(process).arg(i),
                                                   QString("%1-%2").arg(process).arg(i));
                }
            }
            _exit(allStored ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    SqliteRegistryStore store(path);
    EXPECT_EQ(store.valueNames(ProductKey).size(), 2 * PerProcess);
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < PerProcess; ++i) {
            ASSERT_EQ(store.readString(ProductKey, QString("p%1_%2").arg(process).arg(i)),
                      QString("%1-%2").arg(process).arg(i));
        }
    }
}
