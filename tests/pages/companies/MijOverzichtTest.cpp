#include "pages/companies/MijOverzicht.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/HostedPage.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "framework/status/StatusReporter.h"
#include "framework/status/frmProgress.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeDatabase.h"
#include "pages/companies/ProvisieInstellingen.h"
#include "pages/companies/RenteOpties.h"
#include "pages/companies/frmRenteopties.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct Company {
    QString table, code, name;
    QString shortName = {};
    QString hdn = {};
    QString agentId = {};
    QString object = {};
    bool active = true, inUse = true;
    QString end = {};
    bool provisie = false;
};

struct MijOverzichtTest : PageTest {
    OfficeDatabase& db() { return h.app().officeDatabase(); }
    CompanyCatalogue& cat() { return db().catalogue(); }
    void add(const Company& c)
    {
        db().exec(u"INSERT INTO %1 (Cd_Mij, Om_NaamKort, Om_Naam, Om_Object, In_Actief, In_Gebruik, "
                  "Dt_Einde, Nr_HDN, Agent_Id, In_Provisie, In_ProvisieAfsluit, In_ProvisieDoorlopend) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s.arg(c.table),
                  {c.code, c.shortName.isEmpty() ? c.name : c.shortName, c.name, c.object, c.active ? -1 : 0,
                   c.inUse ? -1 : 0, c.end, c.hdn, c.agentId, c.provisie ? -1 : 0, c.provisie ? -1 : 0,
                   c.provisie ? -1 : 0});
        db().catalogue().reload();
    }
    void agent(const QString& code, int kind, const QString& number, double rente, bool standard, const QString& guid,
               const QString& omschrijving = QString())
    {
        db().exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                  "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                  {number, code, rente, standard ? -1 : 0, kind, omschrijving, guid});
    }
    void product(const QString& code, int kind, const QString& number, const QString& name, bool active)
    {
        db().exec(u"INSERT INTO Tbl_Mij_Product (Cd_Mij, Cd_SoortMij, Cd_Product, Om_Product, In_Actief) "
                  "VALUES (?, ?, ?, ?, ?)"_s,
                  {code, kind, number, name, active ? -1 : 0});
        db().catalogue().reload();
    }
    void provider(const char* naam, bool selected)
    {
        InkoopcombinatieRecord& r = h.setup().get<InkoopcombinatieSettings>().AddInkoopcombinatie();
        r.Naam = QString::fromUtf8(naam);
        r.HDNNummer = u"311237"_s;
        r.TypeCode = u"T"_s;
        r.Geselecteerd = selected;
    }
    MijOverzicht& open()
    {
        h.app().setSysteemDatum(QDate(2026, 12, 7));
        return dynamic_cast<MijOverzicht&>(h.open("MijOverzicht"));
    }
    MijOverzicht& page() { return dynamic_cast<MijOverzicht&>(h.page()); }
    ListView& companies() { return h.control<ListView>("lvwMaatschappij"); }
    ListView& agents() { return h.control<ListView>("lvwAgentnummers"); }
    ComboBox& combo(const char* name) { return h.control<ComboBox>(name); }
    bool shown(const char* name) { return h.form().control(QString::fromLatin1(name)).visible(); }
    bool usable(const char* name) { return h.form().control(QString::fromLatin1(name)).enabled(); }
    void chooseKind(const char* text) { ASSERT_TRUE(combo("cboPartijen").choose(QString::fromUtf8(text))); }
    void click(const QString& code) { companies().clickItem(companies().findItem(code)->index()); }
    static QStringList entries(const ComboBox& c)
    {
        QStringList all;
        for (int i = 0; i < c.listCount(); ++i)
            all << u"%1=%2"_s.arg(c.list(i)).arg(c.itemData(i));
        return all;
    }
    QStringList rows(ListView& list)
    {
        QStringList all;
        for (int i = 1; i <= list.count(); ++i) {
            const ListItem& r = list.item(i);
            all << u"%1|%2|%3|%4%5"_s.arg(r.key(), r.text(), r.subItem(1), r.subItem(2),
                                          r.checked() ? u"|v"_s : QString());
        }
        return all;
    }
    void lenders()
    {
        add({"Tbl_Mij_Info", "G1", "Aurora Hypotheken", "Aurora", "301234", "7001"});
        add({"Tbl_Mij_Info", "G2", "Bouwfonds Noord", "Bouwfonds", "-12345"});
        add({"Tbl_Mij_Info", "XX", "Overige geldverstrekker"});
        add({"Tbl_Mij_Info", "IN", "Intermediair Hypotheken"});
    }
};

} // namespace

// The kinds stand in their fixed order, credit providers before valuers, each with its kind code.
TEST_F(MijOverzichtTest, KindsInTheirOrder)
{
    open();
    EXPECT_EQ(page().Titel(), "Maatschappijen");
    EXPECT_EQ(entries(combo("cboPartijen")),
              (QStringList{"Geldverstrekkers=1", "Verzekeringsmaatschappijen=2", "Bank / Vermogensbeheerders=3",
                           "Kredietverstrekkers=5", "Taxatiebureau's=4", "Notarissen=6", "Serviceproviders=7",
                           "Bankgarantieinstellingen=8"}));
    EXPECT_EQ(combo("cboPartijen").listIndex(), 0);
    EXPECT_EQ(h.control<Hint>("hintAgentnummer").caption(),
              "Hier kunt u per maatschappij een of meerdere agentnummers opgeven. Per agentnummer is een eventuele "
              "renteop- of afslag aan te geven. Daarnaast kunt u aangeven welk agentnummer de standaardkeuze wordt.");
    EXPECT_TRUE(h.errors().empty());
}

// A short name is looked up table by table (lenders first) with its quote doubled; an unknown one leaves kind 1.
TEST_F(MijOverzichtTest, PreselectionByShortName)
{
    add({"Tbl_Mij_Info", "G1", "Delta Bank", "Delta"});
    add({"Tbl_Mij_Info", "G2", "Aurora Hypotheken"});
    add({"Tbl_Mij_Verzekering", "V1", "Delta Leven", "Delta"});
    add({"Tbl_Mij_Verzekering", "OB", "O'Brien Verzekeringen", "O'Brien"});
    add({"Tbl_Mij_Verzekering", "V3", "Anker Verzekeringen"});
    open();

    page().setOm_NaamKort(u"O'Brien"_s);
    page().SetApplication(h.app());
    EXPECT_EQ(page().currentKind(), 2);
    EXPECT_EQ(page().currentCompany(), "OB");
    EXPECT_EQ(companies().selectedItem()->key(), "OB");
    EXPECT_EQ(combo("cboPartijen").itemData(combo("cboPartijen").listIndex()), 2) << "the combo shows the kind found";

    page().setOm_NaamKort(u"Delta"_s);
    page().SetApplication(h.app());
    EXPECT_EQ(page().currentKind(), 1) << "a name in two tables is the lender";
    EXPECT_EQ(page().currentCompany(), "G1");

    page().setOm_NaamKort(u"Onbekend"_s);
    page().SetApplication(h.app());
    EXPECT_EQ(page().currentKind(), 1);
    EXPECT_EQ(companies().selectedItem()->key(), "G2") << "without a preselection the first row is selected";

    page().SetApplication(h.app());
    EXPECT_EQ(page().currentKind(), 1) << "the name is used once";
    EXPECT_TRUE(h.errors().empty());
}

// Rows: stored default agent number, else the company's own number and checked; XX always checked; IN no method;
// companies that are inactive, not offered or past their end date are not listed.
TEST_F(MijOverzichtTest, CompanyRowsFromTheCatalogueAndStoredSettings)
{
    lenders();
    add({"Tbl_Mij_Info", "G3", "Gesloten Bank", {}, {}, {}, {}, false});
    add({"Tbl_Mij_Info", "G4", "Niet Aangeboden", {}, {}, {}, {}, true, false});
    add({"Tbl_Mij_Info", "G5", "Gestopte Bank", {}, {}, {}, {}, true, true, "2026-12-06"});
    add({"Tbl_Mij_Info", "G6", "Stopt Vandaag", {}, {}, {}, {}, true, true, "2026-12-07"});
    agent("G2", 1, "55501", 0.1, true, "{A}");
    cat().SaveMijInstellingen("IN", 1, QString(), false, 3);
    open();
    EXPECT_EQ(companies().column(1).text, "Partijnaam");
    EXPECT_EQ(companies().column(2).text, "Agentnummer");
    EXPECT_EQ(companies().column(3).text, "Aanvraag naar");
    EXPECT_EQ(rows(companies()), (QStringList{"G1|Aurora Hypotheken|7001|Aurora Hypotheken|v",
                                              "G2|Bouwfonds Noord|55501| ", "IN|Intermediair Hypotheken| | ",
                                              "XX|Overige geldverstrekker| | |v", "G6|Stopt Vandaag| | |v"}));
    EXPECT_EQ(companies().findItem("IN")->tag().toInt(), 0);
    EXPECT_EQ(companies().findItem("G2")->tag().toInt(), 0);
    EXPECT_TRUE(h.errors().empty());
}

// The office's stored mark is what the row shows when the page is opened again.
TEST_F(MijOverzichtTest, StoredMarkIsShownAgain)
{
    lenders();
    cat().SaveMijInstellingen("G1", 1, QString(), false, 4);
    cat().SaveMijInstellingen("G2", 1, QString(), true, 0);
    open();
    EXPECT_FALSE(companies().findItem("G1")->checked());
    EXPECT_EQ(companies().findItem("G1")->tag().toInt(), 4);
    EXPECT_TRUE(companies().findItem("G2")->checked());
}

// The agent numbers of the selected company: key GUID, surcharge with a point, description or a blank;
// a single number is shown as the default even when it is not stored so.
TEST_F(MijOverzichtTest, AgentNumbersOfTheSelectedCompany)
{
    lenders();
    agent("G1", 1, "1001", 0.25, false, "{G1-A}", "Hoofdkantoor");
    agent("G1", 1, "1002", -0.1, true, "{G1-B}");
    agent("G1", 2, "9999", 0, false, "{G1-OTHER-KIND}");
    agent("G2", 1, "2001", 0, false, "{G2-A}");
    open();
    ASSERT_EQ(agents().columnCount(), 3);
    EXPECT_EQ(agents().column(1).key, "AGENTNUMMER");
    EXPECT_EQ(agents().column(2).text, "Rente op-/afslag");
    EXPECT_EQ(agents().column(3).key, "OMSCHRIJVING");
    EXPECT_EQ(rows(agents()), (QStringList{"{G1-A}|1001|0.25|Hoofdkantoor", "{G1-B}|1002|-0.10| |v"}));
    click("G2");
    EXPECT_EQ(rows(agents()), (QStringList{"{G2-A}|2001|0.00| |v"}));
    EXPECT_TRUE(usable("cmdAddAgentnummer"));
    EXPECT_FALSE(usable("cmdEditAgentnummer"));
    agents().clickItem(1);
    EXPECT_TRUE(usable("cmdEditAgentnummer"));
    EXPECT_TRUE(usable("cmdDeleteAgentnummer"));
}

// Before 1 May 2013 without "UrlServer" lenders get the four fixed methods; from then, or with it, the catalogue's;
// credit providers always get the catalogue with an empty first entry.
TEST_F(MijOverzichtTest, ReturnMethods)
{
    lenders();
    add({"Tbl_Mij_Krediet", "K1", "Krediet Centraal", {}, "305517"});
    const QStringList fixed{"Per post=1", "Per fax=2", "Per HDN=3", "Per e-mail=4"};
    const QStringList catalogue{"=0",
                                "Per post=1",
                                "Per fax=2",
                                "Per HDN=3",
                                "Per e-mail=4",
                                "Via het portaal van de geldverstrekker=5",
                                "Per HDN en per e-mail=6"};
    h.app().setSysteemDatum(QDate(2013, 4, 30));
    h.open("MijOverzicht");
    EXPECT_EQ(entries(combo("cboHDNRetour")), fixed);
    EXPECT_EQ(h.control<Label>("lblHdnRetour").caption(), "Voorkeur retourwijze");
    EXPECT_EQ(combo("cboHDNRetour").listIndex(), 2) << "no stored method: the third choice";
    chooseKind("Kredietverstrekkers");
    EXPECT_EQ(entries(combo("cboHDNRetour")), catalogue);
    EXPECT_EQ(h.control<Label>("lblHdnRetour").caption(), "Aanvullende retourwijze");
    EXPECT_EQ(h.control<Frame>("fraHypotheekaanvraag").caption(), "Kredietaanvraag");

    h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                    QString(RegistryNames::UrlServer), u"test"_s);
    h.open("MijOverzicht");
    EXPECT_EQ(entries(combo("cboHDNRetour")), catalogue);
    EXPECT_EQ(combo("cboHDNRetour").listIndex(), 0) << "no stored method: the empty entry";

    h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                    QString(RegistryNames::UrlServer), QString());
    h.app().setSysteemDatum(QDate(2013, 5, 1));
    h.open("MijOverzicht");
    EXPECT_EQ(entries(combo("cboHDNRetour")), catalogue);
    EXPECT_EQ(h.control<Frame>("fraHypotheekaanvraag").caption(), "Hypotheekaanvraag");
    EXPECT_TRUE(h.errors().empty());
}

// Insurers have no return method: selecting one selects nothing in the empty combo and reports no error.
TEST_F(MijOverzichtTest, InsurerRowsSelectWithoutError)
{
    add({"Tbl_Mij_Verzekering", "V1", "Anker Verzekeringen", {}, "302214"});
    add({"Tbl_Mij_Verzekering", "V2", "Baken Leven"});
    open();
    chooseKind("Verzekeringsmaatschappijen");
    click("V2");
    click("V1");
    EXPECT_EQ(combo("cboHDNRetour").listCount(), 0);
    EXPECT_EQ(combo("cboHDNRetour").listIndex(), -1);
    EXPECT_FALSE(usable("cboHDNRetour"));
    EXPECT_FALSE(usable("lblHdnRetour"));
    EXPECT_EQ(h.control<Frame>("fraHypotheekaanvraag").caption(), "Productaanvraag");
    EXPECT_TRUE(shown("fraHypotheekaanvraag"));
    EXPECT_TRUE(h.errors().empty()) << str(h.errors().empty() ? QString() : h.errors().front().ErrorDescription);
}

// The receiver combo: the company itself when it has a real HDN number, then the selected service providers;
// the row's receiver is selected, else the first entry.
TEST_F(MijOverzichtTest, ReceiverCombo)
{
    lenders();
    provider("Hypotheekhuis Nederland", true);
    provider("De Adviesunie", false);
    provider("Woonadvies Groep", true);
    cat().SaveMijInstellingen("G2", 1, u"Woonadvies Groep"_s, true, 1);
    open();
    EXPECT_EQ(entries(combo("cboHDNOntvanger")),
              (QStringList{"Aurora Hypotheken=0", "Hypotheekhuis Nederland=0", "Woonadvies Groep=0"}));
    EXPECT_EQ(combo("cboHDNOntvanger").listIndex(), 0);
    EXPECT_TRUE(usable("cboHDNOntvanger"));
    click("G2");
    EXPECT_EQ(entries(combo("cboHDNOntvanger")), (QStringList{"Hypotheekhuis Nederland=0", "Woonadvies Groep=0"}))
        << "\"-12345\" is no HDN number";
    EXPECT_EQ(combo("cboHDNOntvanger").text(), "Woonadvies Groep");
    EXPECT_EQ(combo("cboHDNRetour").text(), "Per post");
    // Only six digits make an HDN number.
    for (const char* bad : {"-12345", "1.2345", " 12345", "12345", "1234567"}) {
        Maatschappij m;
        m.Nr_HDN = QString::fromLatin1(bad);
        EXPECT_FALSE(m.heeftHdnNummer()) << bad;
    }
}

// Choosing "Notarissen" puts the notary page in place of the company frames; another kind removes it again.
TEST_F(MijOverzichtTest, HostedPagesForNotariesAndServiceProviders)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    open();
    ASSERT_EQ(agents().count(), 1);
    chooseKind("Notarissen");
    ASSERT_NE(page().hostedPage(), nullptr);
    ASSERT_NE(page().hostedPage()->page(), nullptr);
    EXPECT_EQ(page().hostedPage()->page()->componentName(), "SetupNotaris");
    EXPECT_EQ(page().hostedPage()->page()->getSetup(), &h.setup());
    EXPECT_EQ(page().hostedPage()->left(), h.control<Frame>("fraMaatschappij").left());
    EXPECT_EQ(page().hostedPage()->top(), h.control<Frame>("fraPartijen").bottom() + 60);
    EXPECT_EQ(page().hostedPage()->width(), 5325);
    EXPECT_EQ(page().hostedPage()->height(), 5685);
    for (const char* frame : {"fraMaatschappij", "fraAgentnummers", "fraAgentummersUitwisselen", "fraHypotheekaanvraag",
                              "fraHypotheekOpties", "fraProvisie"})
        EXPECT_FALSE(shown(frame)) << frame;
    EXPECT_EQ(agents().count(), 0);

    chooseKind("Serviceproviders");
    EXPECT_EQ(page().hostedPage()->page()->componentName(), "SetupInkoopCombis");
    EXPECT_EQ(h.form().find("SetupNotaris"), nullptr) << "the notary page is gone";

    chooseKind("Geldverstrekkers");
    EXPECT_EQ(page().hostedPage(), nullptr);
    EXPECT_EQ(h.form().find("SetupInkoopCombis"), nullptr);
    EXPECT_TRUE(shown("fraMaatschappij"));
    EXPECT_TRUE(shown("fraAgentnummers"));
    EXPECT_TRUE(h.errors().empty());
}

// While no ordinary company is current the agent numbers of the previous one are gone and cannot be edited.
TEST_F(MijOverzichtTest, NoAgentNumbersWithoutACurrentCompany)
{
    lenders();
    add({"Tbl_Mij_Info", "TV", "Te verdelen"});
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    agent("G1", 1, "1002", 0, false, "{G1-B}");
    open();
    agents().clickItem(1);
    ASSERT_TRUE(usable("cmdEditAgentnummer"));
    chooseKind("Verzekeringsmaatschappijen");
    EXPECT_EQ(agents().count(), 0);
    for (const char* button : {"cmdAddAgentnummer", "cmdEditAgentnummer", "cmdDeleteAgentnummer", "lvwAgentnummers"})
        EXPECT_FALSE(usable(button)) << button;

    chooseKind("Geldverstrekkers");
    click("G1");
    agents().clickItem(2);
    click("TV");
    EXPECT_EQ(agents().count(), 0);
    for (const char* button : {"cmdAddAgentnummer", "cmdEditAgentnummer", "cmdDeleteAgentnummer"})
        EXPECT_FALSE(usable(button)) << button;
}

// Which frames show for which kind and company.
TEST_F(MijOverzichtTest, VisibilityRules)
{
    lenders();
    add({"Tbl_Mij_Verzekering", "AVT", "AVT Verzekeringen", {}, "302214", {}, "ProvisieAVT", true, true, {}, true});
    add({"Tbl_Mij_Verzekering", "V2", "Baken Leven"});
    add({"Tbl_Mij_Krediet", "CE", "Centraal Krediet", {}, "305517", {}, "ProvisieCE", true, true, {}, true});
    add({"Tbl_Mij_Krediet", "XX", "Overige kredietverstrekker"});
    add({"Tbl_Mij_Taxatie", "T1", "Taxaties Midden", {}, {}, {}, "ProvisieT1", true, true, {}, true});
    open();
    EXPECT_TRUE(shown("fraHypotheekaanvraag"));
    EXPECT_TRUE(shown("fraHypotheekOpties"));
    EXPECT_FALSE(shown("fraProvisie"));
    EXPECT_TRUE(usable("cmdRenteOpties"));
    click("IN");
    EXPECT_FALSE(usable("cmdRenteOpties"));

    chooseKind("Verzekeringsmaatschappijen");
    EXPECT_FALSE(shown("fraHypotheekOpties"));
    EXPECT_FALSE(usable("cboHDNOntvanger")) << "no company selected yet";
    click("AVT");
    EXPECT_TRUE(shown("fraProvisie"));
    EXPECT_TRUE(usable("cmdProvisieInstellingen"));
    click("V2");
    EXPECT_FALSE(shown("fraProvisie"));

    chooseKind("Kredietverstrekkers");
    click("CE");
    EXPECT_TRUE(shown("fraProvisie"));
    EXPECT_TRUE(shown("fraHypotheekaanvraag"));
    click("XX");
    EXPECT_FALSE(shown("fraHypotheekaanvraag"));

    chooseKind("Taxatiebureau's");
    EXPECT_FALSE(shown("fraHypotheekaanvraag"));
    EXPECT_EQ(entries(combo("cboHDNRetour")).size(), 4);

    chooseKind("Bankgarantieinstellingen");
    EXPECT_EQ(companies().count(), 4) << "the institutions are found among the lenders";
    EXPECT_EQ(h.control<ListView>("lvwProducten").column(1).text, "Bankgarantie");

    QStringList provisie;
    for (const auto& entry : page().provisieLijst())
        provisie << entry.Cd_Mij + QLatin1Char('=') + entry.Om_Object;
    EXPECT_EQ(provisie, (QStringList{"AVT=ProvisieAVT", "CE=ProvisieCE", "T1=ProvisieT1"}));
    EXPECT_TRUE(h.errors().empty());
}

// Active products of the selected company only.
TEST_F(MijOverzichtTest, ProductsOfTheSelectedCompany)
{
    lenders();
    product("G1", 1, "P1", "Annuïteitenhypotheek", true);
    product("G1", 1, "P2", "Spaarhypotheek", false);
    product("G1", 1, "P3", "Lineaire hypotheek", true);
    product("G1", 2, "P4", "Andere soort", true);
    open();
    EXPECT_EQ(rows(h.control<ListView>("lvwProducten")),
              (QStringList{"|Annuïteitenhypotheek||", "|Lineaire hypotheek||"}));
    EXPECT_EQ(h.control<ListView>("lvwProducten").column(1).text, "Productnaam");
}

// The page grows to what its frames need, tells the host, and a mouse-down in its corner refills it.
TEST_F(MijOverzichtTest, ResizeAndRefillAtTheCorner)
{
    lenders();
    open();
    int raised = 0;
    Subscription<> follow(page().HeightChanged, [&] { ++raised; });
    EXPECT_EQ(page().InnerWidth(), h.control<Frame>("fraAgentummersUitwisselen").right());
    EXPECT_GE(h.form().width(), page().InnerWidth());
    EXPECT_GE(h.form().height(), page().InnerHeight());
    const int left = h.control<Frame>("fraAgentnummers").bottom();
    const int right = h.control<Frame>("fraProducten").bottom();
    EXPECT_EQ(page().InnerHeight(), std::max(left, right));
    EXPECT_EQ(h.control<Frame>("fraMaatschappij").top(), h.control<Frame>("fraPartijen").bottom() + 60);
    h.form().setBounds(0, 0, 3000, 2000);
    EXPECT_GE(raised, 1);
    EXPECT_GE(h.form().width(), page().InnerWidth());

    add({"Tbl_Mij_Info", "G9", "Nieuwe Bank"});
    h.form().MouseDown(15, 0);
    EXPECT_EQ(companies().findItem("G9"), nullptr);
    h.form().MouseDown(0, 0);
    EXPECT_NE(companies().findItem("G9"), nullptr);
}

namespace {

struct TpRow {
    QString agentId;
    double rente;
    int standaard;
    QString omschrijving;
};

struct MijOverzichtEditingTest : MijOverzichtTest {
    // The stored agent numbers of a company and kind, by number.
    QStringList stored(const QString& code, int kind = 1)
    {
        QSqlQuery q = db().exec(u"SELECT Agent_Id, Rente, In_Default, Om_Omschrijving FROM tp_info WHERE "
                                "Cd_Mij = ? AND Cd_SoortMij = ? ORDER BY Agent_Id"_s,
                                {code, kind});
        QStringList all;
        while (q.next())
            all << u"%1|%2|%3|%4"_s.arg(q.value(0).toString(), QString::number(q.value(1).toDouble()),
                                        q.value(2).toString(), q.value(3).toString());
        return all;
    }
    void playDialog(const QString& number, const QString& rente, const QString& omschrijving, bool toggleDefault)
    {
        h.ui().whenModal("frmAgentnummer", [=](Form& f) {
            f.get<TextBox>("txtAgentnummer").type(number);
            f.get<TextBox>("txtRente").type(rente);
            f.get<TextBox>("txtAgentnummerOmschrijving").type(omschrijving);
            if (toggleDefault)
                f.get<CheckBox>("chkStandaard").click();
            f.get<CommandButton>("cmdOk").click();
        });
    }
    const ScriptedUi::ShownMessage& lastMessage() { return h.ui().messages().back(); }
};

} // namespace

// Adding stores the number exactly as typed, the surcharge with a point, and makes it the only checked row.
TEST_F(MijOverzichtEditingTest, AddingAnAgentNumber)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    open();
    h.ui().whenModal("frmAgentnummer", [this](Form& f) {
        EXPECT_EQ(f.caption(), "Agentnummer toevoegen");
        h.ui().answerMessage(MsgResult::OK);
        f.get<CommandButton>("cmdOk").click();
        EXPECT_TRUE(f.visible()) << "an empty number is refused";
        f.hide();
    });
    h.control<CommandButton>("cmdAddAgentnummer").click();
    EXPECT_EQ(lastMessage().text, "Voer a.u.b. een agentnummer in.");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"}));

    playDialog(u"20'02"_s, u"0,25"_s, u"Vestiging O'Hara"_s, true);
    h.control<CommandButton>("cmdAddAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|0|", "20'02|0.25|-1|Vestiging O'Hara"})) << "one default";
    EXPECT_EQ(companies().findItem("G1")->subItem(1), "20'02");
    const ListItem& added = agents().item(agents().count());
    EXPECT_EQ(added.text(), "20'02");
    EXPECT_EQ(added.subItem(1), "0.25");
    EXPECT_TRUE(added.key().startsWith('{') && added.key().size() == 38);
    EXPECT_TRUE(added.checked());
    EXPECT_FALSE(agents().item(1).checked());
    EXPECT_TRUE(h.errors().empty());
}

// Changing by double click; closing the dialog with its close button after typing stores nothing.
TEST_F(MijOverzichtEditingTest, ChangingAnAgentNumber)
{
    lenders();
    agent("G1", 1, "1001", 0.1, true, "{G1-A}", "Oud");
    agent("G1", 1, "1002", 0, false, "{G1-B}");
    open();
    agents().clickItem(1);
    h.ui().whenModal("frmAgentnummer", [](Form& f) {
        EXPECT_EQ(f.caption(), "Agentnummer wijzigen");
        EXPECT_EQ(f.get<TextBox>("txtAgentnummer").text(), "1001");
        EXPECT_EQ(f.get<CheckBox>("chkStandaard").value(), 1);
        f.get<TextBox>("txtAgentnummer").type(u"9999"_s);
        f.hide();
    });
    agents().doubleClick();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0.1|-1|Oud", "1002|0|0|"}));

    playDialog(u"1001"_s, u"-0.5"_s, u"Nieuw"_s, false);
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|-0.5|-1|Nieuw", "1002|0|0|"}));
    EXPECT_EQ(agents().item(1).subItem(1), "-0.50");
    EXPECT_EQ(agents().item(1).subItem(2), "Nieuw");
}

// A company and kind keep one default when the dialog ticks "Standaard" on another number; a description keeps its
// own spaces; taking the default off or deleting it leaves the company without a default number, shown and stored.
TEST_F(MijOverzichtEditingTest, OneDefaultAlsoFromTheDialog)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    agent("G1", 1, "1002", 0, false, "{G1-B}", "Kantoor ");
    agent("G2", 1, "2001", 0, true, "{G2-A}");
    open();
    click("G1");
    agents().clickItem(2);
    playDialog(u"1002"_s, u"0,1"_s, u"Kantoor "_s, true);
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|0|", "1002|0.1|-1|Kantoor "}));
    EXPECT_EQ(stored("G2"), (QStringList{"2001|0|-1|"})) << "another company keeps its default";
    EXPECT_FALSE(agents().item(1).checked());
    EXPECT_EQ(companies().findItem("G1")->subItem(1), "1002");
    EXPECT_EQ(cat().GetMijInstellingen("G1", 1).Agentnummer, "1002");

    playDialog(u"1002"_s, u"0,1"_s, u"Kantoor "_s, true);
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|0|", "1002|0.1|0|Kantoor "}));
    EXPECT_EQ(companies().findItem("G1")->subItem(1), " ");

    agents().checkItem(1, true);
    ASSERT_TRUE(agents().item(1).checked());
    EXPECT_EQ(companies().findItem("G1")->subItem(1), "1001");
    agents().clickItem(1);
    h.ui().answerMessage(MsgResult::Yes);
    h.control<CommandButton>("cmdDeleteAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1002|0.1|0|Kantoor "}));
    EXPECT_EQ(companies().findItem("G1")->subItem(1), " ");
    EXPECT_EQ(cat().GetMijInstellingen("G1", 1).Agentnummer, "");
    EXPECT_TRUE(h.errors().empty());
}

// The surcharges sort as numbers in the Dutch locale, where the point they are shown with groups thousands; the
// sort selects the first row, so the buttons for a selected number are usable.
TEST_F(MijOverzichtEditingTest, SortingBySurchargeSortsNumbers)
{
    lenders();
    const double rentes[] = {10, -0.5, 2, 0.25, -1};
    for (int i = 0; i < 5; ++i)
        agent("G1", 1, u"10%1"_s.arg(i), rentes[i], i == 0, u"{G1-%1}"_s.arg(i));
    open();
    click("G1");
    agents().clickColumn(2);
    QStringList shown;
    for (int i = 1; i <= agents().count(); ++i)
        shown << agents().item(i).subItem(1);
    // Negatives come first and among themselves follow their digits, as the list sort has always done.
    EXPECT_EQ(shown, (QStringList{"-0.50", "-1.00", "0.25", "2.00", "10.00"}));
    EXPECT_TRUE(h.control<CommandButton>("cmdEditAgentnummer").enabled());
    EXPECT_TRUE(h.control<CommandButton>("cmdDeleteAgentnummer").enabled());
    agents().clickColumn(2);
    EXPECT_EQ(agents().item(1).subItem(1), "10.00");
}

// Deleting asks first; No keeps the number.
TEST_F(MijOverzichtEditingTest, DeletingAnAgentNumber)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    agent("G1", 1, "1002", 0, false, "{G1-B}");
    open();
    agents().clickItem(2);
    h.ui().answerMessage(MsgResult::No);
    h.control<CommandButton>("cmdDeleteAgentnummer").click();
    EXPECT_EQ(lastMessage().text, "Weet u zeker dat u het geselecteerde agentnummer wilt verwijderen?\r\n\r\n"
                                  "Let op. Deze aanpassing kan niet ongedaan gemaakt worden.");
    EXPECT_EQ(lastMessage().caption, "Agentnummer verwijderen");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::YesNo);
    EXPECT_EQ(agents().count(), 2);
    h.ui().answerMessage(MsgResult::Yes);
    h.control<CommandButton>("cmdDeleteAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"}));
    EXPECT_EQ(agents().count(), 1);
}

// Checking a second number leaves one default; unchecking the default keeps it; the company row follows.
TEST_F(MijOverzichtEditingTest, ChoosingTheDefault)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    agent("G1", 1, "1002", 0, false, "{G1-B}");
    agent("G1", 2, "3003", 0, true, "{G1-OTHER}");
    open();
    agents().checkItem(2, true);
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|0|", "1002|0|-1|"}));
    EXPECT_EQ(stored("G1", 2), (QStringList{"3003|0|-1|"})) << "another kind keeps its default";
    EXPECT_FALSE(agents().item(1).checked());
    EXPECT_EQ(companies().findItem("G1")->subItem(1), "1002");
    agents().checkItem(2, false);
    EXPECT_TRUE(agents().item(2).checked());
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|0|", "1002|0|-1|"}));
    EXPECT_TRUE(cat().GetMijInstellingen("G1", 1).Opgeslagen);
}

// A number removed meanwhile by another workstation: changing, deleting or making it the
// default was reported as an unexpected error; it is told in a message, stores nothing, and the
// row goes from the list where that is safe.
TEST_F(MijOverzichtEditingTest, NumberGoneMeanwhileIsToldNotReportedAsAnError)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    agent("G1", 1, "1002", 0, false, "{G1-B}");
    agent("G1", 1, "1003", 0, false, "{G1-C}");
    open();
    db().exec(u"DELETE FROM tp_info WHERE GUID IN ('{G1-B}', '{G1-C}')"_s);
    const QString gone = u"Het agentnummer 1002 is intussen op een andere werkplek verwijderd. "
                         "Uw wijziging is niet opgeslagen."_s;

    h.ui().answerMessage(MsgResult::OK);
    agents().checkItem(2, true);
    EXPECT_EQ(lastMessage().text, gone);
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(agents().item(2).checked());
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"})) << "the old default stays when the new one is gone";

    agents().clickItem(2);
    playDialog(u"1002"_s, u"0,5"_s, u"Nieuw"_s, true);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(lastMessage().text, gone);
    EXPECT_EQ(agents().findItem(u"{G1-B}"_s), nullptr);
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"})) << "nothing else is written";

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    agents().clickItem(agents().findItem(u"{G1-C}"_s)->index());
    h.control<CommandButton>("cmdDeleteAgentnummer").click();
    EXPECT_EQ(lastMessage().text, "Het agentnummer 1003 was al op een andere werkplek verwijderd.");
    EXPECT_EQ(agents().count(), 1);
    EXPECT_TRUE(h.errors().empty());
}

// The company row's mark: XX stays checked; a change is stored and shown again on the next opening.
TEST_F(MijOverzichtEditingTest, CompanyMarkAndSettingsAreStored)
{
    lenders();
    provider("Hypotheekhuis Nederland", true);
    open();
    companies().checkItem(companies().findItem("XX")->index(), false);
    EXPECT_TRUE(companies().findItem("XX")->checked());
    companies().checkItem(companies().findItem("G1")->index(), false);
    ASSERT_TRUE(combo("cboHDNOntvanger").choose(u"Hypotheekhuis Nederland"_s));
    ASSERT_TRUE(combo("cboHDNRetour").choose(u"Per fax"_s));
    const MijInstellingen g1 = cat().GetMijInstellingen("G1", 1);
    EXPECT_FALSE(g1.Geselecteerd);
    EXPECT_EQ(g1.Retourwijze, 2);
    EXPECT_EQ(cat().HdnOntvanger("G1", 1), "Hypotheekhuis Nederland");
    open();
    EXPECT_FALSE(companies().findItem("G1")->checked());
    EXPECT_EQ(companies().findItem("G1")->subItem(2), "Hypotheekhuis Nederland");
    EXPECT_EQ(combo("cboHDNRetour").text(), "Per fax");
}

// Export writes every agent number to AgentNrs.txt; an import of it restores them after the question.
TEST_F(MijOverzichtEditingTest, ExportAndImport)
{
    lenders();
    open();
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerExport").click();
    EXPECT_EQ(lastMessage().text, "Geen agentnummers gevonden...");
    EXPECT_EQ(lastMessage().caption, "Export niet mogelijk");
    const QString file = QDir(h.app().ExchangeFolder()).filePath("AgentNrs.txt");
    EXPECT_FALSE(QFile::exists(file));

    agent("G1", 1, "1001", 0.25, true, "{G1-A}", "Hoofdkantoor");
    agent("G2", 2, "2002", -0.1, false, "{G2-A}");
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerExport").click();
    EXPECT_EQ(lastMessage().caption, "Export 2 agentnummer(s) succesvol afgerond...");
    EXPECT_TRUE(lastMessage().text.endsWith(QDir::toNativeSeparators(file)));
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray bytes = exported.readAll();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    // The file declares the encoding it is written in, so that a strict XML reader takes it.
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<quenmarixagentnummers "));
    QXmlStreamReader strict(bytes);
    while (!strict.atEnd())
        strict.readNext();
    EXPECT_FALSE(strict.hasError()) << str(strict.errorString());
    EXPECT_EQ(text.count("<?xml"), 1) << "one declaration, or readers refuse the document";
    EXPECT_TRUE(text.contains("<agentnummerdata id=\"1\" guid=\"{G1-A}\">")) << str(text);
    EXPECT_TRUE(text.contains("<renteopslagpercentage>0.25</renteopslagpercentage>"));
    EXPECT_TRUE(text.contains("<soortmaatschappijcode>2</soortmaatschappijcode>"));

    db().exec("DELETE FROM tp_info");
    h.ui().chooseFolderNext(h.folder());
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_EQ(lastMessage().text,
              "Exportbestand '" + QDir::toNativeSeparators(h.folder() + "/AgentNrs.txt") + "' niet gevonden.");

    h.ui().chooseFolderNext(h.app().ExchangeFolder());
    h.ui().answerMessage(MsgResult::No);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_TRUE(lastMessage().text.contains("De aanmaakdatum van deze export is 07-12-2026."));
    EXPECT_EQ(stored("G1"), QStringList{});

    h.ui().chooseFolderNext(h.app().ExchangeFolder());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_EQ(lastMessage().text, "De agentnummers zijn geïmporteerd.") << str(lastMessage().text);
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0.25|-1|Hoofdkantoor"}));
    EXPECT_EQ(stored("G2", 2), (QStringList{"2002|-0.1|0|"}));
    EXPECT_EQ(rows(agents()), (QStringList{"{G1-A}|1001|0.25|Hoofdkantoor|v"}));
    EXPECT_TRUE(h.errors().empty());
}

// A damaged or hostile file is told before anything is asked, and the agent numbers stay exactly as they were.
TEST_F(MijOverzichtEditingTest, DamagedImportFileChangesNothing)
{
    lenders();
    agent("G1", 1, "1001", 0.5, true, "{G1-A}", "Hoofdkantoor");
    open();
    const QString file = QDir(h.folder()).filePath("AgentNrs.txt");
    const QByteArray longLine = QByteArray(50 * 1024 * 1024, 'x');
    const std::vector<std::pair<QByteArray, QString>> cases{
        {"<?xml version=\"1.0\"?>\r\n<quenmarixagentnummers><agentnummerdata guid=\"{X}\"><agentnummer>9", ""},
        {"<html><body>geen export</body></html>", ""},
        {"<quenmarixagentnummers><agentnummerdata><agentnummer>9</agentnummer><maatschappijcode>G1</maatschappijcode>"
         "<renteopslagpercentage>1e400</renteopslagpercentage></agentnummerdata></quenmarixagentnummers>",
         ""},
        {"Date=01-02-2010\r\n5005;G1;1e400\r\n", " (regel 2)"},
        {"5005;G1;0,3\r\n6006;G1\x01;0\r\n", " (regel 2)"},
        {"5005;G1;0,3\r\n" + longLine + "\r\n", " (regel 2)"},
    };
    for (const auto& [content, where] : cases) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        out.close();
        const std::size_t before = h.ui().messages().size();
        h.ui().chooseFolderNext(h.folder());
        h.ui().answerMessage(MsgResult::OK);
        h.control<CommandButton>("cmdAgentnummerImport").click();
        ASSERT_EQ(h.ui().messages().size(), before + 1) << content.left(60).toStdString();
        EXPECT_EQ(lastMessage().text, "Het bestand '" + QDir::toNativeSeparators(file) +
                                          "' is beschadigd of is geen export van agentnummers" + where +
                                          ".\r\nEr is niets gewijzigd.");
        EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
        EXPECT_EQ(stored("G1"), (QStringList{"1001|0.5|-1|Hoofdkantoor"}));
    }
    EXPECT_TRUE(h.errors().empty());
}

// A file written to while the question is open is refused after it: the agent numbers stay as they were.
TEST_F(MijOverzichtEditingTest, ImportFileChangedDuringTheQuestionChangesNothing)
{
    lenders();
    agent("G1", 1, "1001", 0.5, true, "{G1-A}", "Hoofdkantoor");
    open();
    const QString file = QDir(h.folder()).filePath("AgentNrs.txt");
    const auto write = [&](const QByteArray& content) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
    };
    write("Date=01-02-2010\r\n5005;G1;0,3\r\n6006;G1;0\r\n");
    h.ui().chooseFolderNext(h.folder());
    h.ui().answerMessage(MsgResult::Yes, [&] { write("Date=01-02-2010\r\n5005;G1;0,3\r\n7007;G1;0\r\n"); });
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_EQ(lastMessage().text, "Het bestand '" + QDir::toNativeSeparators(file) +
                                      "' is tijdens het importeren gewijzigd.\r\nEr is niets gewijzigd.");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0.5|-1|Hoofdkantoor"}));
    EXPECT_TRUE(h.errors().empty());
}

// The older plain-text file: its "Date=" line is shown; a file without numbers clears nothing.
TEST_F(MijOverzichtEditingTest, ImportOfThePlainTextForm)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    open();
    const QString file = QDir(h.folder()).filePath("AgentNrs.txt");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Date=01-02-2010\r\n// commentaar\r\n");
    out.close();
    h.ui().chooseFolderNext(h.folder());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_TRUE(h.ui().messages()[0].text.contains("De aanmaakdatum van deze export is 01-02-2010."));
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"})) << "no numbers in the file: nothing cleared";

    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write("Date=01-02-2010\r\n5005;G1;0,3\r\n");
    out.close();
    h.ui().chooseFolderNext(h.folder());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    QSqlQuery q = db().exec("SELECT Agent_Id, Cd_Mij, Rente, GUID FROM tp_info");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "5005");
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 0.3);
    EXPECT_EQ(q.value(3).toString().size(), 38) << "every imported number gets a key";
    EXPECT_FALSE(q.next());
}

// A large import tells its progress in the library's own window, which closes when the import is done.
TEST_F(MijOverzichtEditingTest, ALargeImportShowsItsProgress)
{
    lenders();
    open();
    QFile out(QDir(h.folder()).filePath("AgentNrs.txt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Date=01-02-2010\r\n");
    for (int i = 0; i < 2500; ++i)
        out.write(u"%1;G1;0,1\r\n"_s.arg(10000 + i).toLatin1());
    out.close();
    int created = 0;
    QStringList atTheEnd;
    h.app().status().WindowCreated.connect([&](frmProgress& window) {
        ++created;
        window.Closed.connect([&] {
            atTheEnd << window.caption() << QString::number(window.Pgb1.max()) << QString::number(window.Pgb1.value())
                     << window.lblMessage.caption();
        });
    });
    h.ui().chooseFolderNext(h.folder());
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdAgentnummerImport").click();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(atTheEnd, (QStringList{"Agentnummers importeren", "3", "2", "Bezig met agentnummer 2000 van 2500"}));
    EXPECT_EQ(h.app().status().window(), nullptr) << "the window is gone after the import";
    QSqlQuery count = db().exec("SELECT COUNT(*) FROM tp_info WHERE Cd_Mij = 'G1'");
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.value(0).toInt(), 2500);
    EXPECT_TRUE(h.errors().empty());
}

// The dialog's change flag: typing the old value back is no change; an edit stays one when another field is set back.
TEST_F(MijOverzichtEditingTest, DialogChangeFlag)
{
    lenders();
    agent("G1", 1, "1001", 0, true, "{G1-A}");
    open();
    agents().clickItem(1);
    h.ui().whenModal("frmAgentnummer", [](Form& f) {
        f.get<TextBox>("txtAgentnummer").type(u"1002"_s);
        f.get<TextBox>("txtAgentnummer").type(u"1001"_s);
        f.get<CommandButton>("cmdOk").click();
    });
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|"}));
    h.ui().whenModal("frmAgentnummer", [](Form& f) {
        f.get<TextBox>("txtAgentnummerOmschrijving").type(u"Nieuw"_s);
        f.get<CheckBox>("chkStandaard").click();
        f.get<CheckBox>("chkStandaard").click();
        f.get<CommandButton>("cmdOk").click();
    });
    h.control<CommandButton>("cmdEditAgentnummer").click();
    EXPECT_EQ(stored("G1"), (QStringList{"1001|0|-1|Nieuw"}));
}

// The mortgage options of a lender: its active arrangements, saved with "Opslaan" (then disabled until the next
// change) or OK; the product's own lender gets the control of its own library.
TEST_F(MijOverzichtEditingTest, MortgageOptionsDialog)
{
    lenders();
    product("G1", 1, "P1", "Annuïteitenhypotheek", true);
    product("G1", 1, "P2", "Lineaire hypotheek", true);
    product("G1", 1, "P3", "Spaarhypotheek", false);
    open();
    h.ui().whenModal("frmRenteopties", [](Form& f) {
        EXPECT_EQ(f.caption(), "Hypotheekopties Aurora Hypotheken");
        auto& control = f.get<RenteOpties>("RenteOpties");
        EXPECT_EQ(control.className(), "TarveloCommonCtrl.RenteOpties");
        ASSERT_EQ(control.lvwOpties.count(), 2);
        EXPECT_TRUE(control.lvwOpties.item(2).checked());
        auto& opslaan = f.get<CommandButton>("cmdOpslaan");
        EXPECT_TRUE(opslaan.visible());
        EXPECT_FALSE(opslaan.enabled());
        control.lvwOpties.checkItem(2, false);
        EXPECT_TRUE(opslaan.enabled());
        opslaan.click();
        EXPECT_FALSE(opslaan.enabled());
        EXPECT_EQ(f.get<CommandButton>("cmdOK").right(), control.right());
        f.get<CommandButton>("cmdOK").click();
    });
    h.control<CommandButton>("cmdRenteOpties").click();
    QSqlQuery q = db().exec("SELECT Cd_Product, In_Aanbieden FROM Tbl_Mij_Renteopties WHERE Cd_Mij = 'G1' ORDER BY 1");
    QStringList saved;
    while (q.next())
        saved << q.value(0).toString() + '=' + q.value(1).toString();
    EXPECT_EQ(saved, (QStringList{"P1=-1", "P2=0"}));

    h.ui().whenModal("frmRenteopties", [](Form& f) {
        EXPECT_FALSE(f.get<RenteOpties>("RenteOpties").lvwOpties.item(2).checked()) << "the choice is kept";
        f.hide();
    });
    h.control<CommandButton>("cmdRenteOpties").click();
    EXPECT_TRUE(h.errors().empty());

    frmRenteopties dialog;
    dialog.setCd_Mij(u"IN"_s);
    dialog.SetApplication(h.app());
    ASSERT_NE(dialog.control(), nullptr);
    EXPECT_EQ(dialog.control()->className(), "TarveloINVoorstel.RenteOpties");
}

// The commission settings of a company with a commission object: its control in the dialog stores each accepted
// percentage at once and refuses one above 100.
TEST_F(MijOverzichtEditingTest, CommissionSettingsDialog)
{
    add({"Tbl_Mij_Krediet", "CE", "Centraal Krediet", {}, "305517", {}, "ProvisieCE", true, true, {}, true});
    open();
    chooseKind("Kredietverstrekkers");
    click("CE");
    ASSERT_TRUE(usable("cmdProvisieInstellingen"));
    h.ui().whenModal("frmProvisieInstellingen", [this](Form& f) {
        EXPECT_EQ(f.caption(), "Provisieinstellingen");
        auto& control = f.get<ProvisieInstellingen>("Provisie");
        EXPECT_EQ(control.Om_Object(), "ProvisieCE");
        EXPECT_EQ(control.left(), 135);
        EXPECT_EQ(control.top(), 300);
        EXPECT_GT(f.get<CommandButton>("cmdOk").top(), f.get<Frame>("fraProvisieInstelling").bottom());
        control.txtAfsluit.type(u"0,75"_s);
        EXPECT_TRUE(control.txtAfsluit.leave());
        control.txtDoorlopend.type(u"101"_s);
        h.ui().answerMessage(MsgResult::OK);
        EXPECT_FALSE(control.txtDoorlopend.leave());
        EXPECT_EQ(h.ui().messages().back().text, "Voer een percentage van 0 tot en met 100 in.");
        control.txtDoorlopend.type(u"0.2"_s);
        EXPECT_TRUE(control.txtDoorlopend.leave());
        f.get<CommandButton>("cmdOk").click();
    });
    h.control<CommandButton>("cmdProvisieInstellingen").click();
    QSqlQuery q = db().exec("SELECT Pc_Afsluit, Pc_Doorlopend FROM Tbl_Mij_Provisie WHERE Om_Object = 'ProvisieCE'");
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 0.75);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 0.2);
    EXPECT_TRUE(h.errors().empty());
}
