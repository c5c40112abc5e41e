#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/ProxySettings.h"
#include "host/ReferenceApplication.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A workstation B with its settings window open on a server of the test's own, which the
// test stops and starts under it; A is another workstation on the same database.
class ServerRestartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgetApplication();
        ui.onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << str(what); };
        location = DatabaseLocation{u"MSSQL"_s, QString(), postgres.server(), createTestDatabase(postgres.server())};
        b = std::make_unique<ReferenceApplication>(ui, dirB.path(), QString(), ReferenceApplication::NewOffice::Demo,
                                                   location);
        window = std::make_unique<SettingsWindow>(std::as_const(*b).pageRegistry(), *b);
        window->show();
        ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
        ASSERT_TRUE(form().get<CheckBox>(u"chkProxy"_s).click());
        auto& adres = form().get<TextBox>(u"txtProxyadres"_s);
        adres.setFocus();
        adres.type(u"proxy.kantoor:8080"_s);
        ASSERT_TRUE(adres.leave());
    }
    void TearDown() override
    {
        window.reset();
        b.reset();
    }
    Form& form() { return window->currentPage()->form(); }
    QString storedAddress()
    {
        QTemporaryDir dir;
        ScriptedUi quiet;
        ReferenceApplication fresh(quiet, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
        return fresh.SettingsObject().get<ProxySettings>().ProxyAdres;
    }

    OwnTestPostgres postgres;
    QTemporaryDir dirB;
    ScriptedUi ui;
    DatabaseLocation location;
    std::unique_ptr<ReferenceApplication> b;
    std::unique_ptr<SettingsWindow> window;
};

} // namespace

// The server restarted while the window was open: the next save failed on the dead
// connection. It opens the connection again once and stores, and changes of another
// workstation arrive again.
TEST_F(ServerRestartTest, TheNextSaveAfterARestartSucceeds)
{
    ASSERT_TRUE(postgres.stop());
    ASSERT_TRUE(postgres.start());
    EXPECT_TRUE(window->save());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(storedAddress(), "proxy.kantoor:8080");
    EXPECT_TRUE(b->errorReports().empty());
}

// A server that stays away: one Dutch message naming the server and the reason, the window
// stays open with every edit; once the server is back the next save stores them.
TEST_F(ServerRestartTest, AServerThatStaysAwayIsToldOnceAndNothingIsLost)
{
    ASSERT_TRUE(postgres.stop());
    ui.answerMessage(MsgResult::OK);
    EXPECT_FALSE(window->save());
    ASSERT_EQ(ui.messages().size(), 1u);
    const QString text = ui.messages().front().text;
    EXPECT_TRUE(text.startsWith(u"De instellingen zijn niet opgeslagen.\r\n\r\nDe verbinding met de kantoordatabase "
                                "op server %1 is verbroken en kon niet worden hersteld: "_s.arg(postgres.server())))
        << str(text);
    EXPECT_GT(text.size(), 160) << "the reason follows";
    EXPECT_EQ(form().get<TextBox>(u"txtProxyadres"_s).text(), "proxy.kantoor:8080");
    EXPECT_TRUE(b->hasUnsavedChanges());

    ASSERT_TRUE(postgres.start());
    // The next action (the next turn of the event loop) tries the server again.
    runEvents();
    EXPECT_TRUE(window->save());
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(storedAddress(), "proxy.kantoor:8080");
}

// After the connection was opened again, the window listens again: a change of another
// workstation arrives as before the restart.
TEST_F(ServerRestartTest, ChangesArriveAgainAfterTheConnectionCameBack)
{
    QTemporaryDir dirA;
    ScriptedUi quiet;
    ReferenceApplication a(quiet, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
    ASSERT_TRUE(postgres.stop());
    ASSERT_TRUE(postgres.start());
    // The user's next action that reaches the server opens the connection again.
    EXPECT_TRUE(window->showPage(u"MijOverzicht"_s));
    EXPECT_TRUE(window->showPage(u"SetupProxy"_s));
    // A's own connection went with the restart too; its save opens it again.
    a.SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"na de herstart"_s;
    a.saveSettings();
    auto& naam = form().get<TextBox>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("na de herstart"); })) << str(naam.text());
    EXPECT_TRUE(b->errorReports().empty());
}
