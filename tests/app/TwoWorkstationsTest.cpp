#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Connection.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// The save asked about one setting, as the user reads it.
void expectAskedAbout(const std::vector<ConflictLine>& asked, const ConflictLine& expected)
{
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].page, expected.page);
    EXPECT_EQ(asked[0].caption, expected.caption);
    EXPECT_EQ(asked[0].started, expected.started);
    EXPECT_EQ(asked[0].theirs, expected.theirs);
    EXPECT_EQ(asked[0].mine, expected.mine);
}

// Two workstations of one office: A works without a window, B has its
// settings window open. On the embedded file both use the one file of the
// data folder; on the server both use one database of the test server. The
// same adviser works at both, or two advisers: then what is an adviser's own
// (Setup, with the notaries) stays at that adviser's window, and only what the
// office shares (GlobalSetup, the agent numbers) reaches the other.
struct Workstations {
    const char* engine;
    bool twoAdvisers;
};

class TwoWorkstations : public ::testing::TestWithParam<Workstations> {
protected:
    void SetUp() override
    {
        widgetApplication();
        uiA.onUnexpected = uiB.onUnexpected = [](const QString& what) { ADD_FAILURE() << "onverwacht: " << str(what); };
        if (onServer())
            server = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
        a = std::make_unique<ReferenceApplication>(uiA, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo,
                                                   server);
        b = std::make_unique<ReferenceApplication>(uiB, onServer() ? dirB.path() : dirA.path(), QString(),
                                                   ReferenceApplication::NewOffice::Demo, server);
        a->setSysteemDatum(QDate(2026, 12, 7));
        b->setSysteemDatum(QDate(2026, 12, 7));
        if (twoAdvisers()) {
            QSqlQuery q = a->officeDatabase().exec(u"SELECT Code, Achternaam FROM Adviseur WHERE Code <> ? "
                                                   "ORDER BY Achternaam"_s,
                                                   {b->currentAdviser().code});
            ASSERT_TRUE(q.next()) << "the demo office has a second adviser";
            a->setCurrentAdviser({q.value(0).toString(), q.value(1).toString()});
            a->reloadSettings();
            a->applyAdministratorLocks();
        }
    }
    void TearDown() override
    {
        window.reset();
        b.reset();
        a.reset();
    }
    bool onServer() const { return QByteArray(GetParam().engine) == "MSSQL"; }
    bool twoAdvisers() const { return GetParam().twoAdvisers; }
    // A's office-wide change that B's window has taken in: what A saved with
    // it has had every chance to arrive too.
    void officeChangeArrived(qint32 grafieken)
    {
        a->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken = grafieken;
        a->saveSettings();
        EXPECT_TRUE(within(
            2000, [&] { return qint32(b->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken) == grafieken; }));
    }
    void openWindow(const QString& page)
    {
        window = std::make_unique<SettingsWindow>(std::as_const(*b).pageRegistry(), *b);
        window->show();
        ASSERT_TRUE(window->showPage(page));
    }
    template <class T>
    T& control(const QString& name)
    {
        return window->currentPage()->form().get<T>(name);
    }

    QTemporaryDir dirA, dirB;
    ScriptedUi uiA, uiB;
    std::optional<DatabaseLocation> server;
    std::unique_ptr<ReferenceApplication> a, b;
    std::unique_ptr<SettingsWindow> window;
};

} // namespace

// An office-wide setting saved on one workstation was seen on another only after a restart.
TEST_P(TwoWorkstations, AnOfficeSettingArrivesOnTheOpenPage)
{
    a->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken = 2;
    a->saveSettings();
    b->reloadSettings();
    openWindow(u"SetupDocumenten"_s);
    auto& grafieken = control<ComboBox>(u"cboScenarioGrafieken"_s);
    ASSERT_EQ(grafieken.text(), "Na advies");

    a->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken = 3;
    a->saveSettings();
    EXPECT_TRUE(within(2000, [&] { return grafieken.text() == QLatin1String("Geen grafieken"); }))
        << str(grafieken.text());
    EXPECT_EQ(qint32(b->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken), 3);
    // What another stored is no change to save here: saving keeps it and asks nothing.
    EXPECT_TRUE(window->save());
    a->reloadSettings();
    EXPECT_EQ(qint32(a->GlobalSetup().get<DocumentSettings>().ScenarioGrafieken), 3);
    EXPECT_TRUE(uiB.messages().empty());
}

// The same adviser at two windows: a change of his own settings elsewhere must show, without
// taking away what he typed here and has not saved.
TEST_P(TwoWorkstations, OwnSettingsFollowAndWhatWasTypedHereStays)
{
    openWindow(u"SetupProxy"_s);
    auto& adres = control<TextBox>(u"txtProxyadres"_s);
    auto& naam = control<TextBox>(u"txtGebruikersnaam"_s);
    ASSERT_TRUE(control<CheckBox>(u"chkProxy"_s).click());
    adres.setFocus();
    adres.type(u"proxy.hier:8080"_s);
    ASSERT_TRUE(adres.leave());
    ASSERT_EQ(b->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.hier:8080");

    a->SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.daar:3128"_s;
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"kantoor"_s;
    a->saveSettings();
    if (twoAdvisers()) {
        // Another adviser's own settings never reach this window, nor its save.
        officeChangeArrived(3);
        EXPECT_EQ(naam.text(), "");
        EXPECT_EQ(adres.text(), "proxy.hier:8080");
        EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "");
        EXPECT_TRUE(window->save());
        a->reloadSettings();
        EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.daar:3128");
        EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "kantoor");
        b->reloadSettings();
        EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.hier:8080");
        EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "");
        EXPECT_TRUE(uiB.messages().empty());
        return;
    }
    EXPECT_TRUE(within(2000, [&] { return naam.text() == QLatin1String("kantoor"); })) << str(naam.text());
    EXPECT_EQ(adres.text(), "proxy.hier:8080");
    EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.hier:8080");
    EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "kantoor");
    EXPECT_TRUE(b->hasUnsavedChanges());
}

// An agent number added on one workstation must appear in the other's list of the company
// its user has selected, and that company stays selected.
TEST_P(TwoWorkstations, AnAgentNumberArrivesInTheSelectedCompany)
{
    openWindow(u"MijOverzicht"_s);
    auto& companies = control<ListView>(u"lvwMaatschappij"_s);
    ASSERT_GE(companies.count(), 2);
    const QString chosen = companies.item(2).key();
    companies.clickItem(2);
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    const int before = agents.count();

    a->connection().Execute(
        u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
        "Om_Omschrijving, GUID) VALUES ('77001', '%1', 0, 0, 1, 'Elders', '{A-77001}')"_s.arg(chosen));
    EXPECT_TRUE(within(2000, [&] { return agents.findItem(u"{A-77001}"_s) != nullptr; }));
    EXPECT_EQ(agents.count(), before + 1);
    ASSERT_NE(companies.selectedItem(), nullptr);
    EXPECT_EQ(companies.selectedItem()->key(), chosen);
    EXPECT_TRUE(b->errorReports().empty());
}

// The question reads a choice as the screen shows it ("Maandelijks", not 30),
// under the page's name in the page list.
TEST_P(TwoWorkstations, TheQuestionUsesTheScreensWords)
{
    openWindow(u"SetupProxy"_s);
    ASSERT_TRUE(control<ComboBox>(u"cboUpdateTermijn"_s).choose(u"Wekelijks"_s));
    a->SettingsObject().get<UpdateSettings>().UpdateTermijn = 30;
    a->saveSettings();
    std::vector<ConflictLine> asked;
    window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
        asked = lines;
        return false;
    };
    if (twoAdvisers()) {
        // Each adviser chose for himself: nothing to ask, each keeps his own.
        EXPECT_TRUE(window->save());
        EXPECT_TRUE(asked.empty());
        a->reloadSettings();
        b->reloadSettings();
        EXPECT_EQ(qint32(a->SettingsObject().get<UpdateSettings>().UpdateTermijn), 30);
        EXPECT_EQ(qint32(b->SettingsObject().get<UpdateSettings>().UpdateTermijn), 7);
        return;
    }
    EXPECT_FALSE(window->save());
    expectAskedAbout(asked, {u"Updates, opslaan en proxy"_s, u"Zoeken naar updates"_s, u"Dagelijks"_s, u"Maandelijks"_s,
                             u"Wekelijks"_s});
}

// Both workstations change the proxy address: B's save silently overwrote A's. B must be asked,
// with the setting in the screen's words and all three values, and what B chooses is stored;
// cancelling stores nothing and keeps B's edits.
TEST_P(TwoWorkstations, BothChangeOneSettingAndTheSaveAsks)
{
    struct Case {
        const char* answer;
        const char* stored;
    };
    for (const Case c :
         {Case{"annuleren", "proxy.daar:3128"}, Case{"andere", "proxy.daar:3128"}, Case{"eigen", "proxy.hier:8080"}}) {
        SCOPED_TRACE(c.answer);
        a->SettingsObject().get<ProxySettings>().ProxyGebruiken = false;
        a->SettingsObject().get<ProxySettings>().ProxyAdres = QString();
        a->saveSettings();
        b->reloadSettings();
        openWindow(u"SetupProxy"_s);
        auto& adres = control<TextBox>(u"txtProxyadres"_s);
        if (!control<CheckBox>(u"chkProxy"_s).isChecked()) {
            ASSERT_TRUE(control<CheckBox>(u"chkProxy"_s).click());
        }
        adres.setFocus();
        adres.type(u"proxy.hier:8080"_s);
        ASSERT_TRUE(adres.leave());
        a->SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.daar:3128"_s;
        a->saveSettings();

        std::vector<ConflictLine> asked;
        window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
            asked = lines;
            for (ConflictLine& line : lines)
                line.keepMine = QByteArray(c.answer) == "eigen";
            return QByteArray(c.answer) != "annuleren";
        };
        if (twoAdvisers()) {
            // Two advisers' own proxy addresses: no question, both stored.
            EXPECT_TRUE(window->save());
            EXPECT_TRUE(asked.empty());
            a->reloadSettings();
            b->reloadSettings();
            EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.daar:3128");
            EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.hier:8080");
            window.reset();
            b->SettingsObject().get<ProxySettings>().ProxyGebruiken = false;
            b->SettingsObject().get<ProxySettings>().ProxyAdres = QString();
            b->saveSettings();
            continue;
        }
        EXPECT_EQ(window->save(), QByteArray(c.answer) != "annuleren");
        expectAskedAbout(asked, {u"Updates, opslaan en proxy"_s, u"Proxyserveradres"_s, u"(leeg)"_s,
                                 u"proxy.daar:3128"_s, u"proxy.hier:8080"_s});
        a->reloadSettings();
        EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyAdres.get(), c.stored);
        if (QByteArray(c.answer) == "annuleren") {
            EXPECT_FALSE(a->SettingsObject().get<ProxySettings>().ProxyGebruiken) << "nothing is stored";
            EXPECT_EQ(adres.text(), "proxy.hier:8080") << "the edit stays in the window";
            EXPECT_TRUE(b->hasUnsavedChanges());
        } else {
            EXPECT_TRUE(a->SettingsObject().get<ProxySettings>().ProxyGebruiken) << "B's other change is stored too";
        }
        window.reset();
        a->SettingsObject().get<ProxySettings>().ProxyGebruiken = false;
        a->saveSettings();
    }
}

// A workstation that stores the same setting again between the question and the save: the save
// must ask again instead of writing over the newer value.
TEST_P(TwoWorkstations, AChangeDuringTheQuestionIsAskedAgain)
{
    openWindow(u"SetupProxy"_s);
    ASSERT_TRUE(control<CheckBox>(u"chkProxy"_s).click());
    auto& naam = control<TextBox>(u"txtGebruikersnaam"_s);
    naam.setFocus();
    naam.type(u"hier"_s);
    ASSERT_TRUE(naam.leave());
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"daar"_s;
    a->saveSettings();

    QStringList theirs;
    if (twoAdvisers()) {
        window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
            theirs << lines.at(0).theirs;
            return false;
        };
        EXPECT_TRUE(window->save());
        EXPECT_TRUE(theirs.isEmpty());
        a->reloadSettings();
        b->reloadSettings();
        EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "daar");
        EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "hier");
        return;
    }
    window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
        theirs << lines.at(0).theirs;
        if (theirs.size() == 1) {
            a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"daar, later"_s;
            a->saveSettings();
        }
        // First the own value, then, asked again, the other's newer one.
        lines[0].keepMine = theirs.size() == 1;
        return true;
    };
    EXPECT_TRUE(window->save());
    EXPECT_EQ(theirs, (QStringList{u"daar"_s, u"daar, later"_s}));
    a->reloadSettings();
    EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "daar, later");
}

namespace {
QStringList storedNumbers(ReferenceApplication& host, const QString& company)
{
    QSqlQuery q = host.officeDatabase().exec(u"SELECT Agent_Id, Rente, In_Default, Om_Omschrijving FROM tp_info "
                                             "WHERE Cd_Mij = ? AND Cd_SoortMij = 1 ORDER BY Agent_Id"_s,
                                             {company});
    QStringList all;
    while (q.next())
        all << u"%1|%2|%3|%4"_s.arg(q.value(0).toString(), QString::number(q.value(1).toDouble()),
                                    q.value(2).toInt() ? u"standaard"_s : QString(), q.value(3).toString());
    return all;
}
} // namespace

// A removes the agent number B has selected; B's change of it was a failure report, and the
// company's other numbers must not lose their default by it: refused with a message, nothing written.
TEST_P(TwoWorkstations, ANumberRemovedElsewhereIsRefusedAndNothingIsWritten)
{
    openWindow(u"MijOverzicht"_s);
    auto& companies = control<ListView>(u"lvwMaatschappij"_s);
    const QString company = companies.item(1).key();
    for (const auto& [number, standard, guid] : {std::tuple{"81001", -1, "{B-81001}"}, {"81002", 0, "{B-81002}"}})
        a->officeDatabase().exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                                 "Om_Omschrijving, GUID) VALUES (?, ?, 0, ?, 1, '', ?)"_s,
                                 {QString::fromLatin1(number), company, standard, QString::fromLatin1(guid)});
    ASSERT_TRUE(within(2000, [&] { return control<ListView>(u"lvwAgentnummers"_s).findItem(u"{B-81002}"_s); }));
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    agents.clickItem(agents.findItem(u"{B-81002}"_s)->index());
    const QStringList before = storedNumbers(*a, company);

    a->officeDatabase().exec(u"DELETE FROM tp_info WHERE GUID = '{B-81002}'"_s);
    uiB.whenModal(u"frmAgentnummer"_s, [](Form& f) {
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(u"Nieuw"_s);
        f.get<CheckBox>(u"chkStandaard"_s).click();
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    uiB.answerMessage(MsgResult::OK);
    ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
    ASSERT_FALSE(uiB.messages().empty());
    EXPECT_EQ(uiB.messages().back().text,
              "Het agentnummer 81002 is intussen op een andere werkplek verwijderd. Uw wijziging is niet opgeslagen.");
    EXPECT_EQ(uiB.messages().back().icon, MsgIcon::Exclamation);
    QStringList expected = before;
    expected.removeIf([](const QString& row) { return row.startsWith(u"81002|"_s); });
    EXPECT_EQ(storedNumbers(*a, company), expected) << "the other default stays";
    EXPECT_TRUE(expected.contains(u"81001|0|standaard|"_s));
    EXPECT_EQ(agents.findItem(u"{B-81002}"_s), nullptr);
    EXPECT_TRUE(b->errorReports().empty());
}

// A changes the agent number B is editing; B's save wrote over it unasked. B is asked with the
// three versions and keeps what B chooses.
TEST_P(TwoWorkstations, ANumberChangedElsewhereIsAskedAbout)
{
    openWindow(u"MijOverzicht"_s);
    const QString company = control<ListView>(u"lvwMaatschappij"_s).item(1).key();
    a->officeDatabase().exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                             "Om_Omschrijving, GUID) VALUES ('82001', ?, 0.25, 0, 1, 'Oud', '{B-82001}')"_s,
                             {company});
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    ASSERT_TRUE(within(2000, [&] { return agents.findItem(u"{B-82001}"_s); }));
    for (const MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
        SCOPED_TRACE(answer == MsgResult::Yes ? "eigen" : "andere");
        agents.clickItem(agents.findItem(u"{B-82001}"_s)->index());
        const QString theirs = answer == MsgResult::Yes ? u"Daar 2"_s : u"Daar"_s;
        a->officeDatabase().exec(u"UPDATE tp_info SET Om_Omschrijving = ? WHERE GUID = '{B-82001}'"_s, {theirs});
        uiB.whenModal(u"frmAgentnummer"_s, [](Form& f) {
            f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(u"Hier"_s);
            f.get<CommandButton>(u"cmdOk"_s).click();
        });
        uiB.answerMessage(answer);
        ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
        ASSERT_FALSE(uiB.messages().empty());
        EXPECT_TRUE(uiB.messages().back().text.contains(u"Andere werkplek: 82001, opslag 0.25, '%1'"_s.arg(theirs)))
            << str(uiB.messages().back().text);
        EXPECT_TRUE(uiB.messages().back().text.contains(u"Uw wijziging: 82001, opslag 0.25, 'Hier'"_s));
        const QString kept = answer == MsgResult::Yes ? u"Hier"_s : theirs;
        EXPECT_EQ(storedNumbers(*a, company).filter(u"82001|"_s), QStringList{u"82001|0.25||%1"_s.arg(kept)});
        EXPECT_EQ(agents.findItem(u"{B-82001}"_s)->subItem(2), kept);
    }
    EXPECT_TRUE(b->errorReports().empty());
}

namespace {
// Two numbers of one company, the first its default, as both workstations list them.
QString twoNumbers(ReferenceApplication& host, const QString& company, const char* first, const char* second)
{
    for (const auto& [number, standard] : {std::pair{first, -1}, {second, 0}})
        host.officeDatabase().exec(
            u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
            "Om_Omschrijving, GUID) VALUES (?, ?, 0, ?, 1, 'Oud', ?)"_s,
            {QString::fromLatin1(number), company, standard, u"{C-%1}"_s.arg(QLatin1String(number))});
    return company;
}

// What A's company overview writes when A ticks Standaard on a number (and maybe changes its
// description) in the dialog.
void makeDefaultElsewhere(ReferenceApplication& a, const QString& company, const QString& guid,
                          const QString& description = u"Oud"_s)
{
    a.officeDatabase().transaction([&] {
        a.officeDatabase().exec(u"UPDATE tp_info SET In_Default = 0 WHERE Cd_Mij = ? AND Cd_SoortMij = 1"_s, {company});
        a.officeDatabase().exec(u"UPDATE tp_info SET In_Default = -1, Om_Omschrijving = ? WHERE GUID = ?"_s,
                                {description, guid});
    });
}

int defaultsOf(ReferenceApplication& host, const QString& company)
{
    QSqlQuery q = host.officeDatabase().exec(
        u"SELECT COUNT(*) FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = 1 AND In_Default <> 0"_s, {company});
    return q.next() ? q.value(0).toInt() : -1;
}
} // namespace

// A ticks Standaard on the number B is changing; B changes only its description. B's update
// wrote the default flag back to 0 unasked and left the company without a default: the
// default stays, B's description is stored too, and nothing is asked.
TEST_P(TwoWorkstations, ADefaultMadeElsewhereSurvivesAnEditOfAnotherField)
{
    openWindow(u"MijOverzicht"_s);
    const QString company = twoNumbers(*a, control<ListView>(u"lvwMaatschappij"_s).item(1).key(), "83001", "83002");
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    ASSERT_TRUE(within(2000, [&] { return agents.findItem(u"{C-83002}"_s); }));
    agents.clickItem(agents.findItem(u"{C-83002}"_s)->index());
    uiB.whenModal(u"frmAgentnummer"_s, [&](Form& f) {
        makeDefaultElsewhere(*a, company, u"{C-83002}"_s);
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(u"Hier"_s);
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
    EXPECT_TRUE(uiB.messages().empty()) << str(uiB.messages().empty() ? QString() : uiB.messages().back().text);
    EXPECT_EQ(storedNumbers(*a, company).filter(u"8300"_s),
              (QStringList{u"83001|0||Oud"_s, u"83002|0|standaard|Hier"_s}));
    EXPECT_EQ(defaultsOf(*a, company), 1);
    EXPECT_TRUE(agents.findItem(u"{C-83002}"_s)->checked());
    EXPECT_FALSE(agents.findItem(u"{C-83001}"_s)->checked());
    EXPECT_TRUE(b->errorReports().empty());
}

// B changes the description of the number that B's list shows as the default, while A made
// another number the default: B's update made its number the default again and took A's away.
// When both changed the same field B is asked, with the default flag among the versions, and
// either answer leaves the company exactly one default.
TEST_P(TwoWorkstations, AnEditNeverTakesAwayADefaultMadeElsewhere)
{
    openWindow(u"MijOverzicht"_s);
    const QString company = twoNumbers(*a, control<ListView>(u"lvwMaatschappij"_s).item(1).key(), "84001", "84002");
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    ASSERT_TRUE(within(2000, [&] { return agents.findItem(u"{C-84002}"_s); }));
    agents.clickItem(agents.findItem(u"{C-84001}"_s)->index());
    uiB.whenModal(u"frmAgentnummer"_s, [&](Form& f) {
        makeDefaultElsewhere(*a, company, u"{C-84002}"_s);
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(u"Hier"_s);
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
    EXPECT_TRUE(uiB.messages().empty());
    EXPECT_EQ(storedNumbers(*a, company).filter(u"8400"_s),
              (QStringList{u"84001|0||Hier"_s, u"84002|0|standaard|Oud"_s}));

    // Now both change the description of 84002, A with it as the default; B keeps B's own.
    agents.clickItem(agents.findItem(u"{C-84002}"_s)->index());
    ASSERT_TRUE(within(2000, [&] { return agents.findItem(u"{C-84002}"_s)->checked(); }));
    uiB.whenModal(u"frmAgentnummer"_s, [&](Form& f) {
        makeDefaultElsewhere(*a, company, u"{C-84002}"_s, u"Daar"_s);
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(u"Ook hier"_s);
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    uiB.answerMessage(MsgResult::Yes);
    ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
    ASSERT_EQ(uiB.messages().size(), 1u);
    EXPECT_TRUE(uiB.messages().back().text.contains(u"Andere werkplek: 84002, opslag 0.00, 'Daar', standaard"_s))
        << str(uiB.messages().back().text);
    EXPECT_TRUE(uiB.messages().back().text.contains(u"Uw wijziging: 84002, opslag 0.00, 'Ook hier', standaard"_s));
    EXPECT_EQ(storedNumbers(*a, company).filter(u"8400"_s),
              (QStringList{u"84001|0||Hier"_s, u"84002|0|standaard|Ook hier"_s}));
    EXPECT_EQ(defaultsOf(*a, company), 1);
    EXPECT_TRUE(b->errorReports().empty());
}

// Values go to the office database bound, never inside a statement's text: quotes,
// backslashes, "E'" and "$$" in an agent number and its description come back as typed, and
// on the file a NUL character too.
TEST_P(TwoWorkstations, TheCompanyOverviewStoresValuesAsTyped)
{
    openWindow(u"MijOverzicht"_s);
    const QString company = control<ListView>(u"lvwMaatschappij"_s).item(1).key();
    QString description = u"O'Brien \\ E'x' $$ drop $$ ;--"_s;
    if (!onServer())
        description += QChar(0) + u"na de NUL"_s;
    uiB.whenModal(u"frmAgentnummer"_s, [&](Form& f) {
        f.get<TextBox>(u"txtAgentnummer"_s).type(u"85'001\\"_s);
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(description);
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    ASSERT_TRUE(control<CommandButton>(u"cmdAddAgentnummer"_s).click());
    EXPECT_EQ(storedNumbers(*a, company).filter(u"85'001"_s), QStringList{u"85'001\\|0||"_s + description});
    auto& agents = control<ListView>(u"lvwAgentnummers"_s);
    ListItem* row = nullptr;
    for (int i = 1; i <= agents.count(); ++i)
        if (agents.item(i).text() == u"85'001\\"_s)
            row = &agents.item(i);
    ASSERT_NE(row, nullptr);
    agents.clickItem(row->index());
    uiB.whenModal(u"frmAgentnummer"_s, [&](Form& f) {
        f.get<TextBox>(u"txtAgentnummerOmschrijving"_s).type(description + u" 2"_s);
        f.get<CommandButton>(u"cmdOk"_s).click();
    });
    ASSERT_TRUE(control<CommandButton>(u"cmdEditAgentnummer"_s).click());
    EXPECT_TRUE(uiB.messages().empty()) << str(uiB.messages().empty() ? QString() : uiB.messages().back().text);
    EXPECT_EQ(storedNumbers(*a, company).filter(u"85'001"_s), QStringList{u"85'001\\|0||"_s + description + u" 2"_s});
    EXPECT_TRUE(b->errorReports().empty());
}

namespace {
NotarisRecord& notary(ReferenceApplication& host, int index)
{
    NotarisRecord* record = host.SettingsObject().get<NotarisSettings>().Notaris(index);
    if (!record)
        throw std::runtime_error("geen notaris " + std::to_string(index));
    return *record;
}

// B changes a notary's telephone number through the page's dialog.
void changePhoneOnThePage(ScriptedUi& ui, SettingsWindow& window, int index, const QString& phone)
{
    auto& list = window.currentPage()->form().get<ListView>(u"lstNotaris"_s);
    list.clickItem(index);
    ui.whenModal(u"frmNotaris"_s, [phone](Form& f) {
        f.get<TextBox>(u"txtTelefoonNotaris"_s).type(phone);
        f.get<CommandButton>(u"cmdOK"_s).click();
    });
    ASSERT_TRUE(window.currentPage()->form().get<CommandButton>(u"cmdBewerkenNotaris"_s).click());
}
} // namespace

// A list a page saves whole was one setting: A changes notary 1 and B notary 2, and B's save
// asked "Was 8 notariskantoren, Andere werkplek 8 notariskantoren ..." and either answer threw
// one edit away. Both edits survive without a question, and B's page shows A's.
TEST_P(TwoWorkstations, EditsOfDifferentRecordsOfAListBothSurvive)
{
    openWindow(u"SetupNotaris"_s);
    changePhoneOnThePage(uiB, *window, 2, u"020 222 22 22"_s);
    notary(*a, 1).Naam = u"Notariskantoor Elders"_s;
    notary(*a, 3).Telefoon = u"030 333 33 33"_s;
    a->saveSettings();
    auto& list = control<ListView>(u"lstNotaris"_s);
    std::vector<ConflictLine> asked;
    if (twoAdvisers()) {
        // Another adviser's notaries are his own: neither edit reaches the other.
        const QString first = list.item(1).text();
        officeChangeArrived(3);
        EXPECT_EQ(list.item(1).text(), first);
        EXPECT_TRUE(window->save());
        a->reloadSettings();
        b->reloadSettings();
        EXPECT_EQ(notary(*a, 1).Naam, "Notariskantoor Elders");
        EXPECT_NE(notary(*a, 2).Telefoon, "020 222 22 22");
        EXPECT_EQ(notary(*b, 1).Naam, first);
        EXPECT_EQ(notary(*b, 2).Telefoon, "020 222 22 22");
        EXPECT_TRUE(uiB.messages().empty());
        return;
    }
    EXPECT_TRUE(within(2000, [&] { return list.item(1).text() == QLatin1String("Notariskantoor Elders"); }))
        << str(list.item(1).text());
    window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
        asked = lines;
        return false;
    };
    EXPECT_TRUE(window->save());
    EXPECT_TRUE(asked.empty()) << str(asked.empty() ? QString() : asked[0].caption + u" "_s + asked[0].theirs);
    a->reloadSettings();
    EXPECT_EQ(notary(*a, 1).Naam, "Notariskantoor Elders");
    EXPECT_EQ(notary(*a, 2).Telefoon, "020 222 22 22");
    EXPECT_EQ(notary(*a, 3).Telefoon, "030 333 33 33");
    EXPECT_EQ(a->SettingsObject().get<NotarisSettings>().Notarissen.count(),
              b->SettingsObject().get<NotarisSettings>().Notarissen.count());
    EXPECT_TRUE(uiB.messages().empty());
    EXPECT_TRUE(b->errorReports().empty());
}

// One notary changed on both workstations, and one removed on A that B changed: B is asked
// about each, with the record named and its differing fields in the dialog's words; what B
// chooses per record is stored, and a third notary that only B changed is stored without a question.
TEST_P(TwoWorkstations, TheSameRecordChangedOrRemovedOnBothIsAskedAbout)
{
    struct Case {
        const char* answer;
        bool keepMine;
    };
    for (const Case c : {Case{"andere", false}, Case{"eigen", true}}) {
        SCOPED_TRACE(c.answer);
        b->reloadSettings();
        openWindow(u"SetupNotaris"_s);
        const NotarisRecord third = notary(*b, 3);
        const NotarisRecord fifth = notary(*b, 5);
        const int count = b->SettingsObject().get<NotarisSettings>().Notarissen.count();
        changePhoneOnThePage(uiB, *window, 3, u"030 444 44 44"_s);
        changePhoneOnThePage(uiB, *window, 5, u"050 555 55 55"_s);
        changePhoneOnThePage(uiB, *window, 6, u"060 666 66 66"_s);
        a->reloadSettings();
        // Another number each round: the first round may have stored A's.
        const QString theirsPhone = u"030 333 33 3%1"_s.arg(c.keepMine ? 2 : 1);
        notary(*a, 3).Telefoon = theirsPhone;
        a->SettingsObject().get<NotarisSettings>().RemoveNotaris(5);
        a->saveSettings();

        std::vector<ConflictLine> asked;
        window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
            asked = lines;
            for (ConflictLine& line : lines)
                line.keepMine = c.keepMine;
            return true;
        };
        EXPECT_TRUE(window->save());
        if (twoAdvisers()) {
            // Only the own adviser's list can be changed elsewhere.
            EXPECT_TRUE(asked.empty());
            b->reloadSettings();
            EXPECT_EQ(notary(*b, 3).Telefoon, "030 444 44 44");
            EXPECT_EQ(notary(*b, 5).Telefoon, "050 555 55 55");
            EXPECT_EQ(b->SettingsObject().get<NotarisSettings>().Notarissen.count(), count);
            window.reset();
            continue;
        }
        QString seen;
        for (const ConflictLine& line : asked)
            seen += line.caption + u" | "_s + line.started + u" | "_s + line.theirs + u" | "_s + line.mine + u"\n"_s;
        ASSERT_EQ(asked.size(), 2u) << str(seen);
        const QString phoneWas = third.Telefoon.isEmpty() ? u"(leeg)"_s : third.Telefoon;
        EXPECT_EQ(asked[0].page, "Notariskantoren");
        EXPECT_EQ(asked[0].caption, u"Notariskantoor '%1'"_s.arg(third.Naam));
        EXPECT_EQ(asked[0].started, u"Telefoonnummer: "_s + phoneWas);
        EXPECT_EQ(asked[0].theirs, u"Telefoonnummer: "_s + theirsPhone);
        EXPECT_EQ(asked[0].mine, "Telefoonnummer: 030 444 44 44");
        EXPECT_EQ(asked[1].caption, u"Notariskantoor '%1'"_s.arg(fifth.Naam));
        EXPECT_EQ(asked[1].theirs, "(verwijderd)");
        EXPECT_EQ(asked[1].mine, "Telefoonnummer: 050 555 55 55");

        a->reloadSettings();
        const NotarisSettings& stored = a->SettingsObject().get<NotarisSettings>();
        EXPECT_EQ(stored.Notarissen.count(), c.keepMine ? count : count - 1);
        EXPECT_EQ(notary(*a, 3).Telefoon, c.keepMine ? u"030 444 44 44"_s : theirsPhone);
        const int sixth = c.keepMine ? 6 : 5;
        EXPECT_EQ(notary(*a, sixth).Telefoon, "060 666 66 66") << "a record only B changed";
        if (c.keepMine) {
            EXPECT_EQ(notary(*a, 5).Naam, fifth.Naam);
            EXPECT_EQ(notary(*a, 5).Telefoon, "050 555 55 55");
        }
        EXPECT_TRUE(b->errorReports().empty());
        window.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, TwoWorkstations,
                         ::testing::Values(Workstations{"MSACC", false}, Workstations{"MSSQL", false},
                                           Workstations{"MSACC", true}, Workstations{"MSSQL", true}),
                         [](const ::testing::TestParamInfo<Workstations>& info) {
                             return std::string(QByteArray(info.param.engine) == "MSSQL" ? "Server" : "Bestand") +
                                    (info.param.twoAdvisers ? "TweeAdviseurs" : "");
                         });
