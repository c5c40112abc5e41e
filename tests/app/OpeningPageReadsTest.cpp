#include "app/SettingsWindow.h"
#include "framework/forms/ListView.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "host/database/SqlConnection.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/OnBothEngines.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/PageTest.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

class ReopeningTheWindow : public OnBothEngines {
protected:
    // A start of the program on the user's data folder, with its window.
    struct Start {
        std::unique_ptr<ReferenceApplication> host;
        std::unique_ptr<SettingsWindow> window;
    };
    Start start(const QString& page = QString())
    {
        Start s;
        s.host = std::make_unique<ReferenceApplication>(ui, dir.path(), own.filePath(u"HKEY_CURRENT_USER.hive"_s),
                                                        ReferenceApplication::NewOffice::Demo, server);
        s.host->setShowErrorsToUser(false);
        SqlConnection& connection = s.host->officeDatabase().pageConnection();
        started = connection.statementCount();
        connection.logStatements(true);
        s.window = std::make_unique<SettingsWindow>(std::as_const(*s.host).pageRegistry(), *s.host);
        s.window->show();
        made = connection.statementCount() - started;
        EXPECT_TRUE(s.window->showStartPage(page));
        opened = connection.statementCount() - started - made;
        ran = connection.loggedStatements().join(u'\n');
        return s;
    }
    // The window is left on its page, as when it closes.
    static void leave(Start& s)
    {
        runEvents();
        s.window->rememberPage();
        s.window.reset();
        s.host.reset();
    }

    // The data folder, and the user's own folder with the user's hive.
    QTemporaryDir dir, own;
    qint64 started = 0;
    // The statements of making the window, and of opening its first page.
    qint64 made = 0;
    qint64 opened = 0;
    QString ran;
};

// What is read ahead rides in the server's round trip; the file has no round trips to
// save and reads nothing ahead, so these cases run on the server only.
using ReadingAheadOnTheServer = ReopeningTheWindow;

} // namespace

// The window reopens on the page last used. On the server that page's first fill cost round
// trips of its own after the start's one (the company overview: its lists, then its first
// company's agent numbers). The start reads what the page read when it was last filled in its
// own round trip, and the page finds every answer there: the window opens on it without a
// statement of its own.
TEST_P(ReadingAheadOnTheServer, ThePageLastUsedFindsWhatItReadsInTheStartsOwnRoundTrip)
{
    Start first = start(u"MijOverzicht"_s);
    const qint64 freshOpening = opened;
    EXPECT_GT(freshOpening, 0);
    leave(first);

    Start again = start();
    ASSERT_EQ(again.window->currentPage()->componentName(), u"MijOverzicht"_s);
    Form& form = again.window->currentPage()->form();
    EXPECT_EQ(made + opened, 0) << str(ran);
    // What the page shows is what the office holds.
    const auto& companies = form.get<ListView>(u"lvwMaatschappij"_s);
    ASSERT_GT(companies.count(), 0);
    ASSERT_TRUE(companies.selectedItem());
    QSqlQuery numbers = again.host->officeDatabase().exec(
        u"SELECT COUNT(*) FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = 1"_s, {companies.selectedItem()->key()});
    ASSERT_TRUE(numbers.next());
    EXPECT_EQ(form.get<ListView>(u"lvwAgentnummers"_s).count(), numbers.value(0).toInt());
    EXPECT_TRUE(again.host->errorReports().empty());

    // Left on another page, the next start reads what that one read instead.
    ASSERT_TRUE(again.window->showPage(u"SetupProxy"_s));
    leave(again);
    Start third = start();
    ASSERT_EQ(third.window->currentPage()->componentName(), u"SetupProxy"_s);
    SqlConnection& connection = third.host->officeDatabase().pageConnection();
    const qint64 before = connection.statementCount();
    ASSERT_TRUE(third.window->showPage(u"MijOverzicht"_s));
    EXPECT_EQ(connection.statementCount() - before, freshOpening) << "the company overview reads for itself again";
}

// What the file keeps is only ever read: a statement put there that writes is not run at the
// start, and the start goes on as without it.
TEST_P(ReadingAheadOnTheServer, AStatementKeptThatWritesIsNotRun)
{
    Start first = start(u"MijOverzicht"_s);
    leave(first);
    {
        QFile kept(own.filePath(u"leesvooruit.json"_s));
        ASSERT_TRUE(kept.exists());
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write(R"([{"opdracht":"DELETE FROM tp_info","waarden":[]}])");
    }
    Start again = start();
    QSqlQuery numbers = again.host->officeDatabase().exec(u"SELECT COUNT(*) FROM tp_info"_s);
    ASSERT_TRUE(numbers.next());
    EXPECT_GT(numbers.value(0).toInt(), 0);
    EXPECT_TRUE(again.host->errorReports().empty());
}

// The reads were kept in the data folder, which an office may share or copy, and the start
// ran what it found there with this user's rights. They are kept beside the user's own hive;
// a file left in the data folder is removed unread.
TEST_P(ReopeningTheWindow, TheReadsAreKeptBesideTheUsersOwnHive)
{
    Start first = start(u"MijOverzicht"_s);
    leave(first);
    const QString kept = own.filePath(u"leesvooruit.json"_s);
    const QString shared = dir.filePath(u"leesvooruit.json"_s);
    ASSERT_TRUE(QFile::exists(kept));
    EXPECT_FALSE(QFile::exists(shared));

    ASSERT_TRUE(QFile::rename(kept, shared));
    Start again = start();
    EXPECT_FALSE(QFile::exists(shared));
    if (server) {
        EXPECT_GT(opened, 0) << "read ahead from the data folder";
    }
    EXPECT_TRUE(again.host->errorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, ReopeningTheWindow, ::testing::Values("MSACC", "MSSQL"));
INSTANTIATE_TEST_SUITE_P(Server, ReadingAheadOnTheServer, ::testing::Values("MSSQL"));
