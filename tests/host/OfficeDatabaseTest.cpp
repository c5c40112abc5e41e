#include "framework/errors/RuntimeError.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/office/DataFolder.h"
#include "tests/support/PageTest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Another program that holds the office file: an exclusive transaction of its own.
class OtherProgram {
public:
    explicit OtherProgram(const QString& file)
    {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherProgram() { sqlite3_close_v2(db_); }
    bool hold() { return sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK; }
    void release() { sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

std::optional<QString> openingFails(ScriptedUi& ui, const QString& folder)
{
    try {
        ReferenceApplication app(ui, folder);
        return std::nullopt;
    } catch (const RuntimeError& e) {
        return e.description();
    }
}

} // namespace

// Catches a busy office called damaged, which sends an office to its backups:
// a start waits while another program holds the file for a few seconds, and
// when it stays held says that it is in use.
TEST(OfficeDatabaseInUse, AStartWaitsForAnotherProgramAndThenSaysItIsInUse)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    {
        ReferenceApplication made(ui, dir.path());
    }
    OtherProgram other(DataFolder::officeDatabasePath(dir.path()));

    ASSERT_TRUE(other.hold());
    std::thread releaseSoon([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        other.release();
    });
    QElapsedTimer waited;
    waited.start();
    const std::optional<QString> afterWaiting = openingFails(ui, dir.path());
    releaseSoon.join();
    EXPECT_EQ(afterWaiting, std::nullopt);
    EXPECT_GE(waited.elapsed(), 1500);

    ASSERT_TRUE(other.hold());
    const std::optional<QString> held = openingFails(ui, dir.path());
    other.release();
    ASSERT_TRUE(held.has_value());
    EXPECT_TRUE(held->contains(u"in gebruik door een ander programma"_s)) << held->toStdString();
    EXPECT_FALSE(held->contains(u"beschadigd"_s)) << held->toStdString();
    EXPECT_EQ(openingFails(ui, dir.path()), std::nullopt);
}
