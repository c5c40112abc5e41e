#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/MessageDetails.h"
#include "host/ReferenceApplication.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
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
    const SplitMessage told = splitDetails(text);
    EXPECT_TRUE(told.text.startsWith(u"De instellingen zijn niet opgeslagen.\r\n\r\nDe verbinding met de "
                                     "kantoordatabase op server %1 is verbroken en kon niet worden hersteld. De server "
                                     "%1 van de kantoordatabase is niet bereikbaar."_s.arg(postgres.server())))
        << str(text);
    // The driver's own words only for the administrator.
    EXPECT_FALSE(told.text.contains(u"Connection refused"_s)) << str(text);
    EXPECT_TRUE(told.details.contains(u"Connection refused"_s)) << str(text);
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

// A window left alone while the server restarted showed the old value long after another
// workstation's save, with no sign of trouble. It notices the lost connection by itself,
// says so in a line above the page (no box stops the user), opens the connection again
// when the server is back, and what another workstation saves then arrives.
TEST_F(ServerRestartTest, AnIdleWindowNoticesTheLostServerAndComesBackByItself)
{
    QTemporaryDir dirA;
    ScriptedUi quiet;
    ReferenceApplication a(quiet, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
    auto* line = window->findChild<QLabel*>(u"lblVerbinding"_s);
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->isVisible());

    ASSERT_TRUE(postgres.stop());
    EXPECT_TRUE(within(5000, [&] { return line->isVisible(); }));
    EXPECT_TRUE(line->text().startsWith(u"De verbinding met de kantoordatabase is verbroken."_s)) << str(line->text());

    ASSERT_TRUE(postgres.start());
    EXPECT_TRUE(within(5000, [&] { return line->text().contains(u"hersteld"_s); })) << str(line->text());
    a.SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"na de herstart"_s;
    a.saveSettings();
    auto& naam = form().get<TextBox>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("na de herstart"); })) << str(naam.text());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(b->errorReports().empty());
}

// A change another workstation saved while this window had lost the server is taken in
// once the window has the connection again, without the user doing anything.
TEST_F(ServerRestartTest, WhatChangedWhileTheServerWasAwayArrivesWhenItIsBack)
{
    QTemporaryDir dirA;
    ScriptedUi quiet;
    ReferenceApplication a(quiet, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
    auto* line = window->findChild<QLabel*>(u"lblVerbinding"_s);
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(postgres.stop());
    ASSERT_TRUE(within(5000, [&] { return line->isVisible(); }));
    ASSERT_TRUE(postgres.start());
    // Saved before this window found the server back: no notification reaches it.
    a.SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"terwijl het venster wachtte"_s;
    a.saveSettings();
    auto& naam = form().get<TextBox>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(within(5000, [&] { return naam.text() == QLatin1String("terwijl het venster wachtte"); }))
        << str(naam.text());
    EXPECT_TRUE(ui.messages().empty());
}
