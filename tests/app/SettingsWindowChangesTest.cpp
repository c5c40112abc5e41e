#include "app/SettingsWindow.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/ProxySettings.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A workstation A without a window and B with its window open, on one office (the
// embedded file, or a database of the test server).
class WindowTakingChanges : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        widgetApplication();
        ui.onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << str(what); };
        if (QByteArray(GetParam()) == "MSSQL")
            server = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
        a = std::make_unique<ReferenceApplication>(ui, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo,
                                                   server);
        b = std::make_unique<ReferenceApplication>(ui, server ? dirB.path() : dirA.path(), QString(),
                                                   ReferenceApplication::NewOffice::Demo, server);
        window = std::make_unique<SettingsWindow>(std::as_const(*b).pageRegistry(), *b);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        b.reset();
        a.reset();
    }

    QTemporaryDir dirA, dirB;
    ScriptedUi ui;
    std::optional<DatabaseLocation> server;
    std::unique_ptr<ReferenceApplication> a, b;
    std::unique_ptr<SettingsWindow> window;
};

} // namespace

// Every open page was filled again when any setting changed elsewhere: the company overview
// read the office database again for a proxy name it does not show. Only the pages that show
// a changed setting are filled again.
TEST_P(WindowTakingChanges, OnlyPagesThatShowAChangedSettingAreFilledAgain)
{
    ASSERT_TRUE(window->showPage(u"MijOverzicht"_s));
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    runEvents();
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"van elders"_s;
    a->saveSettings();
    auto& naam = window->currentPage()->form().get<TextBox>(u"txtGebruikersnaam"_s);
    ASSERT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("van elders"); })) << str(naam.text());
    runEvents();
    SqlConnection& connection = b->officeDatabase().pageConnection();
    const qint64 before = connection.statementCount();
    ASSERT_TRUE(window->showPage(u"MijOverzicht"_s));
    EXPECT_EQ(connection.statementCount() - before, 0) << "de pagina is opnieuw gevuld";
}

INSTANTIATE_TEST_SUITE_P(Engines, WindowTakingChanges, ::testing::Values("MSACC", "MSSQL"));
