#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Connection.h"
#include "framework/host/Database.h"
#include "framework/host/Maatschappij.h"
#include "framework/page/HostedPage.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/settings/NotarisSettings.h"
#include "framework/settings/ProxySettings.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "pages/advice/AdviseurnaamWeergave.h"
#include "tests/app/OnBothEngines.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/PageTest.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A host's own page that shows rows of an office table (the notaries, counted),
// which no part of the window knows by name.
class NotaryCountPage final : public SettingsPage {
public:
    NotaryCountPage()
        : SettingsPage(u"TestNotarisTelling"_s),
          fra(add<Frame>(form(), u"fraTelling"_s, u"Notarissen"_s)),
          lblAantal(add<Label>(fra, u"lblAantal"_s))
    {
        showsOfficeTables({u"Notaris"_s});
        stackFrames({&fra});
    }
    QString Titel() const override { return u"Notarissen geteld"_s; }

    Frame& fra;
    Label& lblAantal;
    int fills = 0;

protected:
    void Fill() override
    {
        ++fills;
        auto rows =
            GetDatabase(*getApplication())->connection().OpenRecordset(u"SELECT COUNT(*) AS Aantal FROM Notaris"_s);
        lblAantal.setCaption(rows->field(u"Aantal"_s).toString());
    }
};

// A host's own page with two combos no setting is bound to: one its fill chooses from a
// setting that no page of the window declares (the update interval), which its click stores
// by hand, and one whose choice is the user's alone.
class ChoicesPage final : public SettingsPage {
public:
    ChoicesPage()
        : SettingsPage(u"TestKeuzes"_s),
          fra(add<Frame>(form(), u"fraKeuzes"_s, u"Keuzes"_s)),
          cboTermijn(add<ComboBox>(fra, u"cboTermijn"_s)),
          cboEigen(add<ComboBox>(fra, u"cboEigen"_s))
    {
        for (const char* days : {"1", "7", "30"})
            cboTermijn.addItem(QString::fromLatin1(days));
        for (const char* own : {"eerste", "tweede", "derde"})
            cboEigen.addItem(QString::fromLatin1(own));
        cboTermijn.Click.connect([this] {
            if (!IsLoading)
                Setup().setValue(u"UpdateTermijn"_s, cboTermijn.text().toInt());
        });
        stackFrames({&fra});
    }
    QString Titel() const override { return u"Keuzes"_s; }

    Frame& fra;
    ComboBox& cboTermijn;
    ComboBox& cboEigen;

protected:
    bool guardsFill() const override { return true; }
    void Fill() override
    {
        cboTermijn.choose(Setup().value(u"UpdateTermijn"_s).toString());
        cboEigen.setListIndex(0);
    }
};

// A workstation A without a window and B with its window open, on one office (the
// embedded file, or a database of the test server).
class WindowTakingChanges : public OnBothEngines {
protected:
    void SetUp() override
    {
        OnBothEngines::SetUp();
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
    // The window opened again over the pages of ownPages.
    void openOwnPages()
    {
        window.reset();
        window = std::make_unique<SettingsWindow>(ownPages, *b);
        window->show();
    }

    QTemporaryDir dirA, dirB;
    std::unique_ptr<ReferenceApplication> a, b;
    PageRegistry ownPages;
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

// Another workstation's change waited while the user typed in any field of the page, and then
// the whole page was filled again. The change reaches the control bound to it at once; the
// field being typed in keeps what the user typed, and saving asks about it as before.
TEST_P(WindowTakingChanges, AChangeReachesItsControlWhileTheUserTypesInAnother)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    Form& form = window->currentPage()->form();
    auto& adres = form.get<TextBox>(u"txtProxyadres"_s);
    auto& naam = form.get<TextBox>(u"txtGebruikersnaam"_s);
    ASSERT_TRUE(form.get<CheckBox>(u"chkProxy"_s).click());
    adres.setFocus();
    adres.type(u"proxy.hier:8080"_s);

    a->SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy.daar:3128"_s;
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"kantoor"_s;
    a->saveSettings();
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("kantoor"); })) << str(naam.text());
    EXPECT_EQ(adres.text(), "proxy.hier:8080");
    EXPECT_TRUE(adres.edited());
    EXPECT_EQ(form.focusedControl(), &adres);
    EXPECT_EQ(b->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "kantoor");

    std::vector<ConflictLine> asked;
    window->conflictQuestion = [&](std::vector<ConflictLine>& lines) {
        asked = lines;
        return true; // each keeps the user's own value
    };
    EXPECT_TRUE(window->save());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].theirs, "proxy.daar:3128");
    EXPECT_EQ(asked[0].mine, "proxy.hier:8080");
    a->reloadSettings();
    EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy.hier:8080");
    EXPECT_EQ(a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam.get(), "kantoor");
}

// Which pages show which office tables was a table of page names in the window, so a
// host's own page never learned of a change. A page that declares a table is filled again
// when another workstation changes it; a page that shows no changed table is not.
TEST_P(WindowTakingChanges, APageThatDeclaresATableIsFilledAgainWhenItChanges)
{
    ownPages.add<NotaryCountPage>(PageGroup::Kantoor);
    for (const PageInfo& page : std::as_const(*b).pageRegistry().pages()) {
        if (page.className == QLatin1String("SetupProxy"))
            ownPages.add(page);
    }
    openOwnPages();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    ASSERT_TRUE(window->showPage(u"TestNotarisTelling"_s));
    auto& page = static_cast<NotaryCountPage&>(*window->currentPage());
    const QString before = page.lblAantal.caption();

    a->connection().Execute(u"INSERT INTO Notaris (ID, Naam) VALUES ('{N-TELLING}', 'Notariskantoor Elders')"_s);
    EXPECT_TRUE(within(3000, [&] { return page.lblAantal.caption() == QString::number(before.toInt() + 1); }))
        << str(page.lblAantal.caption());
    EXPECT_EQ(page.fills, 2);

    // A change of the settings alone fills no page that shows none of them.
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"elders"_s;
    a->saveSettings();
    auto& naam = window->openedPage(u"SetupProxy"_s)->form().get<TextBox>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("elders"); })) << str(naam.text());
    runEvents();
    EXPECT_EQ(page.fills, 2);
}

// What a page works out from a setting itself (the preview of how the adviser's name reads
// under "Weergave adviseurnaam") kept the old value when another workstation changed the
// setting: only the combo bound to it followed. The page reads as one opened afresh, and
// what the user is typing in another field of it stays, with the focus.
TEST_P(WindowTakingChanges, WhatAPageWorksOutFromASettingFollowsAChangeFromElsewhere)
{
    ASSERT_TRUE(window->showPage(u"SetupDocumenten"_s));
    Form& form = window->currentPage()->form();
    auto& weergave = form.get<ComboBox>(u"cboWeergaveAdviseurnaam"_s);
    auto& voorbeeld = form.get<Label>(u"lblVoorbeeldAdviseurnaam"_s);
    auto& ondertekening = form.get<TextBox>(u"txtOndertekening"_s);
    ondertekening.setFocus();
    ASSERT_TRUE(ondertekening.type(u"Met vriendelijke groet, van hier"_s));
    const int other = weergave.listIndex() == 0 ? 1 : 0;
    const qint32 value = weergave.itemData(other);
    const QString expected = adviseurnaamWeergave(b->SettingsObject().get<CurrentAdviserSettings>(), value);
    ASSERT_NE(voorbeeld.caption(), expected);

    a->SettingsObject().get<DocumentSettings>().WeergaveAdviseurnaam = value;
    a->saveSettings();
    ASSERT_TRUE(within(3000, [&] { return weergave.listIndex() == other; })) << weergave.listIndex();
    EXPECT_EQ(voorbeeld.caption(), expected);
    EXPECT_EQ(ondertekening.text(), "Met vriendelijke groet, van hier");
    EXPECT_TRUE(ondertekening.edited());
    EXPECT_EQ(form.focusedControl(), &ondertekening);
    EXPECT_TRUE(b->errorReports().empty());
}

// The company overview shows the notaries in a page of its own inside it. When another
// workstation added a notary, the list there stayed as it was: a row picked there could be
// another record than the one it named. The list follows, with the other workstation's
// notary beside this window's unsaved edit of another one, and the save keeps both.
TEST_P(WindowTakingChanges, TheNotariesInsideTheCompanyOverviewFollowAChangeFromElsewhere)
{
    ASSERT_TRUE(window->showPage(u"MijOverzicht"_s));
    Form& form = window->currentPage()->form();
    ASSERT_TRUE(form.get<ComboBox>(u"cboPartijen"_s).choose(u"Notarissen"_s));
    HostedPage* hosted = nullptr;
    for (Control* c : form.controls()) {
        if (auto* page = dynamic_cast<HostedPage*>(c); page && page->page())
            hosted = page;
    }
    ASSERT_TRUE(hosted);
    Form& notarissen = hosted->page()->form();
    auto& list = notarissen.get<ListView>(u"lstNotaris"_s);
    const int before = list.count();
    ASSERT_GE(before, 2);
    ASSERT_TRUE(list.clickItem(2));
    ui.whenModal(u"frmNotaris"_s, [](Form& f) {
        f.get<TextBox>(u"txtNaamNotaris"_s).type(u"Notariskantoor Hier"_s);
        f.get<CommandButton>(u"cmdOK"_s).click();
    });
    ASSERT_TRUE(notarissen.get<CommandButton>(u"cmdBewerkenNotaris"_s).click());
    ASSERT_EQ(list.item(2).text(), "Notariskantoor Hier");
    ASSERT_TRUE(list.clickItem(3));

    a->SettingsObject().get<NotarisSettings>().AddNotaris().Naam = u"Notariskantoor Elders"_s;
    a->saveSettings();
    ASSERT_TRUE(within(3000, [&] { return list.count() == before + 1; })) << list.count();
    EXPECT_EQ(list.item(before + 1).text(), "Notariskantoor Elders");
    EXPECT_EQ(list.item(2).text(), "Notariskantoor Hier");
    EXPECT_EQ(list.selectedItem(), &list.item(3)) << "the row the user chose stays chosen";

    EXPECT_TRUE(window->save());
    a->reloadSettings();
    const NotarisSettings& stored = a->SettingsObject().get<NotarisSettings>();
    EXPECT_EQ(stored.Notarissen.count(), before + 1);
    EXPECT_EQ(stored.Notaris(2)->Naam, "Notariskantoor Hier");
    EXPECT_EQ(stored.Notaris(before + 1)->Naam, "Notariskantoor Elders");
    EXPECT_TRUE(b->errorReports().empty());
}

// A page that fills a combo with a setting by hand (the valuation office) was filled again
// when another workstation chose another office, and then the window chose the office the
// combo had shown before back, as a user would: the other workstation's choice was undone
// here and the save stored the old one over it. The combo shows the other's choice, and the
// save leaves it stored.
TEST_P(WindowTakingChanges, AChoiceMadeElsewhereIsNotChosenBack)
{
    ASSERT_TRUE(window->showPage(u"SetupTaxatie"_s));
    auto& shown = window->currentPage()->form().get<ComboBox>(u"cboTaxatieMaatschappij"_s);
    ASSERT_GE(shown.listCount(), 3);
    const int before = shown.listIndex();
    const int chosen = before == 2 ? 1 : 2;
    const std::optional<HostCompany> other = a->Taxatiebureau(shown.itemData(chosen));
    ASSERT_TRUE(other);

    a->SettingsObject().get<CompanyChoiceSettings>().TaxatieMaatschappij = other->code;
    a->saveSettings();
    EXPECT_TRUE(within(3000, [&] { return shown.listIndex() == chosen; })) << shown.listIndex();
    runEvents();
    EXPECT_EQ(shown.listIndex(), chosen);
    EXPECT_EQ(b->SettingsObject().get<CompanyChoiceSettings>().TaxatieMaatschappij.get(), other->code);
    EXPECT_TRUE(window->save());
    a->reloadSettings();
    EXPECT_EQ(a->SettingsObject().get<CompanyChoiceSettings>().TaxatieMaatschappij.get(), other->code);
}

// A setting no page of the window declares fills every open page again. The window then chose
// back every choice its combos had shown, also the one the fill had just made from the setting
// another workstation changed, and the save stored the old value over the other's. The window's
// fill keeps only what the user chose since the page was last filled.
TEST_P(WindowTakingChanges, TheWindowsOwnFillKeepsTheUsersChoicesButNoneMadeFromASetting)
{
    ownPages.add<ChoicesPage>(PageGroup::Kantoor);
    openOwnPages();
    ASSERT_TRUE(window->showPage(u"TestKeuzes"_s));
    auto& page = static_cast<ChoicesPage&>(*window->currentPage());
    const QString before = page.cboTermijn.text();
    const QString other = before == QLatin1String("30") ? u"1"_s : u"30"_s;
    ASSERT_TRUE(page.cboEigen.choose(u"derde"_s));

    a->SettingsObject().setValue(u"UpdateTermijn"_s, other.toInt());
    a->saveSettings();
    EXPECT_TRUE(within(3000, [&] { return page.cboTermijn.text() == other; })) << str(page.cboTermijn.text());
    runEvents();
    EXPECT_EQ(page.cboTermijn.text(), other) << "chosen back";
    EXPECT_EQ(page.cboEigen.text(), "derde") << "the user's own choice stays";
    EXPECT_TRUE(window->save());
    a->reloadSettings();
    EXPECT_EQ(a->SettingsObject().value(u"UpdateTermijn"_s).toString(), other);
}

// The receivers of the company overview are the company itself and the service providers the
// office ticked. A provider ticked on another workstation was not offered until the company was
// chosen again. The list follows at once; the company the user chose stays chosen with the
// receiver stored for it, and no other company's receiver is touched on the way.
TEST_P(WindowTakingChanges, TheReceiversFollowTheServiceProvidersTickedElsewhere)
{
    ASSERT_TRUE(window->showPage(u"MijOverzicht"_s));
    Form& form = window->currentPage()->form();
    auto& companies = form.get<ListView>(u"lvwMaatschappij"_s);
    auto& receivers = form.get<ComboBox>(u"cboHDNOntvanger"_s);
    ASSERT_GE(companies.count(), 3);
    const QString firstCode = companies.item(1).key();
    const QString firstReceiver = companies.item(1).subItem(2);
    int chosen = 0;
    for (int i = 2; i <= companies.count() && !chosen; ++i) {
        ASSERT_TRUE(companies.clickItem(i));
        if (receivers.isUsable() && receivers.listCount() >= 2)
            chosen = i;
    }
    ASSERT_GT(chosen, 0) << "a company with a choice of receivers";
    const QString code = companies.item(chosen).key();
    const int mine = receivers.listIndex() == 0 ? 1 : 0;
    const QString receiver = receivers.list(mine);
    ASSERT_TRUE(receivers.choose(receiver));
    // On the file the watcher counts this window's own store of the receiver as a change of the
    // company data at the next change from elsewhere, and that fills the whole page again: that
    // change comes first, so that the service provider's arrives alone.
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"eerst"_s;
    a->saveSettings();
    const ProxySettings& proxy = b->SettingsObject().get<ProxySettings>();
    ASSERT_TRUE(within(3000, [&] { return proxy.ProxyGebruikersnaam.get() == QLatin1String("eerst"); }));
    runEvents();

    InkoopcombinatieRecord& added = a->SettingsObject().get<InkoopcombinatieSettings>().AddInkoopcombinatie();
    added.Naam = u"Serviceprovider Elders"_s;
    added.HDNNummer = u"123456"_s;
    added.TypeCode = u"A"_s;
    added.Geselecteerd = true;
    a->saveSettings();
    const auto offered = [&] {
        for (int i = 0; i < receivers.listCount(); ++i) {
            if (receivers.list(i) == QLatin1String("Serviceprovider Elders"))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(within(3000, offered));
    runEvents();
    ASSERT_TRUE(companies.selectedItem());
    EXPECT_EQ(companies.selectedItem()->key(), code);
    EXPECT_EQ(receivers.text(), receiver);
    MijCatalogus& catalogue = GetMijCatalogus(*b);
    EXPECT_EQ(catalogue.HdnOntvanger(code, SoortMij::Geldverstrekker), receiver);
    EXPECT_EQ(catalogue.HdnOntvanger(firstCode, SoortMij::Geldverstrekker).trimmed(), firstReceiver.trimmed())
        << "another company's receiver was stored over";
    EXPECT_TRUE(b->errorReports().empty());
}

// A host opens the settings window again after the user saved and closed it, and lets the old
// window go after the new one is made. The old window's going stopped the host's watch, so the
// new window never heard of another workstation's change. The newest window watches.
TEST_P(WindowTakingChanges, AWindowOpenedAgainHearsOfChangesAfterTheOldOneGoes)
{
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    ASSERT_TRUE(window->currentPage()->form().get<CheckBox>(u"chkProxy"_s).click());
    ASSERT_TRUE(window->save());
    window = std::make_unique<SettingsWindow>(std::as_const(*b).pageRegistry(), *b);
    window->show();
    ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
    a->reloadSettings();
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"van elders"_s;
    a->saveSettings();
    auto& naam = window->currentPage()->form().get<TextBox>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("van elders"); })) << str(naam.text());

    // Two windows at once: when the newer goes, the one before it hears again.
    auto second = std::make_unique<SettingsWindow>(std::as_const(*b).pageRegistry(), *b);
    second.reset();
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"weer van elders"_s;
    a->saveSettings();
    EXPECT_TRUE(within(3000, [&] { return naam.text() == QLatin1String("weer van elders"); })) << str(naam.text());
}

// A window opened while another is open watches the office for both; when it closed, the one
// before it watched again from then on, and what had changed meanwhile reached only the newer
// window: the older one's page of notaries kept its count. The window that watches again takes
// in what changed meanwhile, as after a reconnect.
TEST_P(WindowTakingChanges, AWindowThatWatchesAgainTakesInWhatChangedMeanwhile)
{
    ownPages.add<NotaryCountPage>(PageGroup::Kantoor);
    openOwnPages();
    ASSERT_TRUE(window->showPage(u"TestNotarisTelling"_s));
    auto& page = static_cast<NotaryCountPage&>(*window->currentPage());
    const QString after = QString::number(page.lblAantal.caption().toInt() + 1);
    auto newer = std::make_unique<SettingsWindow>(ownPages, *b);
    ASSERT_TRUE(newer->showPage(u"TestNotarisTelling"_s));
    auto& newerPage = static_cast<NotaryCountPage&>(*newer->currentPage());

    a->connection().Execute(u"INSERT INTO Notaris (ID, Naam) VALUES ('{N-TUSSENDOOR}', 'Notariskantoor Elders')"_s);
    ASSERT_TRUE(within(3000, [&] { return newerPage.lblAantal.caption() == after; }));
    newer.reset();
    EXPECT_TRUE(within(3000, [&] { return page.lblAantal.caption() == after; })) << str(page.lblAantal.caption());

    // On the file a change the newer window had not looked for yet was before the new watch's start.
    newer = std::make_unique<SettingsWindow>(ownPages, *b);
    a->SettingsObject().get<ProxySettings>().ProxyGebruikersnaam = u"tussendoor"_s;
    a->saveSettings();
    newer.reset();
    const ProxySettings& proxy = b->SettingsObject().get<ProxySettings>();
    EXPECT_TRUE(within(3000, [&] { return proxy.ProxyGebruikersnaam.get() == QLatin1String("tussendoor"); }));
}

INSTANTIATE_TEST_SUITE_P(Engines, WindowTakingChanges, ::testing::Values("MSACC", "MSSQL"));
