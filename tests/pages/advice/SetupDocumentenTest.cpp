#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/settings/CurrentAdviserSettings.h"
#include "framework/settings/DocumentSettings.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/settings/OverviewSettings.h"
#include "host/office/CurrentAdviser.h"
#include "host/office/OfficeDatabase.h"
#include "pages/advice/AdviseurnaamWeergave.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupDocumentenTest : PageTest {
    DocumentSettings& s() { return h.setup().get<DocumentSettings>(); }
    DocumentSettings& global() { return h.globalSetup().get<DocumentSettings>(); }
    CurrentAdviserSettings& adviseur() { return h.setup().get<CurrentAdviserSettings>(); }
    ComboBox& cbo(const char* name) { return h.control<ComboBox>(name); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    CommandButton& cmd(const char* name) { return h.control<CommandButton>(name); }
    static QStringList entries(const ComboBox& c)
    {
        QStringList all;
        for (int i = 0; i < c.listCount(); ++i)
            all << c.list(i) + QLatin1Char('=') + QString::number(c.itemData(i));
        return all;
    }
    void adviser(const char* geslacht, const char* voorletters, const char* voornamen, const char* tussenvoegsel,
                 const char* achternaam)
    {
        adviseur().Geslacht = QString::fromUtf8(geslacht);
        adviseur().Voorletters = QString::fromUtf8(voorletters);
        adviseur().Voornamen = QString::fromUtf8(voornamen);
        adviseur().Tussenvoegsel = QString::fromUtf8(tussenvoegsel);
        adviseur().Achternaam = QString::fromUtf8(achternaam);
    }
};
} // namespace

// The fill replaces what the settings table replaces and writes it back: 0 graphs, 0 name format,
// positions of 300, a logo alignment of -1; the lists are ordered Links, Rechts, Midden with codes 0, 2, 1.
TEST_F(SetupDocumentenTest, FillReplacesAndWritesBack)
{
    s().ToonGrafiekenScenario = 0;
    global().ScenarioGrafieken = 0;
    s().WeergaveAdviseurnaam = 0;
    s().PositieAdresgegevensBoven = 300;
    s().PositieAdresgegevensLinks = 300;
    s().LogoUitlijning = -1;
    s().VoorbladLogoUitlijning = 1;
    s().VoorbladGegevensUitlijning = 2;
    s().UitlijningKolomkoppen = 90;
    s().PrinterMargeLinks = 1.5;
    s().Ondertekening = u"Uw adviseur"_s;
    s().AlleenJarenMetWijzigingen = true;
    s().Bedragen = 1;
    s().MijTonen = true;
    auto& page = h.open("SetupDocumenten");
    EXPECT_EQ(page.Titel(), "Documenten");
    EXPECT_EQ(s().ToonGrafiekenScenario.get(), 3);
    EXPECT_EQ(h.control<YesNo>("jnGrafieken").value(), YesNo::Nee);
    EXPECT_EQ(global().ScenarioGrafieken.get(), 2);
    EXPECT_EQ(cbo("cboScenarioGrafieken").text(), "Na advies");
    EXPECT_EQ(s().WeergaveAdviseurnaam.get(), 1);
    EXPECT_EQ(cbo("cboWeergaveAdviseurnaam").text(), "Voorletters Achternaam");
    EXPECT_EQ(s().PositieAdresgegevensBoven.get(), 5.5);
    EXPECT_EQ(s().PositieAdresgegevensLinks.get(), 3);
    EXPECT_EQ(txt("txtPositieAdresgegevensBoven").text(), "5,5");
    EXPECT_EQ(txt("txtPositieAdresgegevensLinks").text(), "3");
    EXPECT_EQ(cbo("cboLogoUitlijning").text(), "Rechts");
    EXPECT_EQ(s().LogoUitlijning.get(), 2);
    for (const char* list : {"cboLogoUitlijning", "cboVoorbladLogoUitlijning", "cboVoorbladGegevensUitlijning"})
        EXPECT_EQ(entries(cbo(list)), (QStringList{"Links=0", "Rechts=2", "Midden=1"})) << list;
    EXPECT_EQ(cbo("cboVoorbladLogoUitlijning").text(), "Midden");
    EXPECT_EQ(cbo("cboVoorbladGegevensUitlijning").text(), "Rechts");
    EXPECT_EQ(entries(cbo("cboWeergaveAdviseurnaam")),
              (QStringList{"Voorletters Achternaam=1", "Titel Achternaam=2", "Titel Voorletters Achternaam=5",
                           "Voorletters (Voornamen) Achternaam=3", "Voornamen Achternaam=4"}));
    EXPECT_TRUE(h.control<OptionButton>("optUitlijning", 1).value());
    EXPECT_EQ(txt("txtLinkerMarge").text(), "1,5");
    EXPECT_EQ(txt("txtOndertekening").text(), "Uw adviseur");
    EXPECT_EQ(cbo("cboTonenJaren").text(), "Alleen jaren met wijzigingen");
    EXPECT_EQ(cbo("cboBedragen").text(), "Maandbedragen");
    EXPECT_EQ(h.control<YesNo>("jnMijTonen").value(), YesNo::Ja);
    EXPECT_EQ(txt("txtLogoPath").text(), "Standaard...");
    EXPECT_FALSE(cmd("cmdDefaultVoorbladLogo").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// "Ja" stores -1 and "Nee" 0 (not the other way round); -1 shows "Ja", any other value "Nee".
TEST_F(SetupDocumentenTest, GraphsYesStoresMinusOne)
{
    s().ToonGrafiekenScenario = -1;
    h.open("SetupDocumenten");
    auto& jn = h.control<YesNo>("jnGrafieken");
    EXPECT_EQ(jn.value(), YesNo::Ja);
    jn.choose(YesNo::Nee);
    EXPECT_EQ(s().ToonGrafiekenScenario.get(), 0);
    jn.choose(YesNo::Ja);
    EXPECT_EQ(s().ToonGrafiekenScenario.get(), -1);
    s().ToonGrafiekenScenario = 1;
    h.open("SetupDocumenten");
    EXPECT_EQ(h.control<YesNo>("jnGrafieken").value(), YesNo::Nee);
    EXPECT_EQ(s().ToonGrafiekenScenario.get(), 1);
}

// Every control writes its setting: list index, item data, true for index 1, angles, margins, the office-wide graphs.
TEST_F(SetupDocumentenTest, ControlsWriteTheirSettings)
{
    h.open("SetupDocumenten");
    cbo("cboAdviseurNaam").select(1);
    EXPECT_EQ(s().AdviseurNaam.get(), 1);
    cbo("cboBedragen").select(1);
    EXPECT_EQ(s().Bedragen.get(), 1);
    cbo("cboTonenJaren").select(1);
    EXPECT_TRUE(s().AlleenJarenMetWijzigingen.get());
    cbo("cboTonenJaren").select(0);
    EXPECT_FALSE(s().AlleenJarenMetWijzigingen.get());
    cbo("cboScenarioGrafieken").select(2);
    EXPECT_EQ(global().ScenarioGrafieken.get(), 3);
    EXPECT_EQ(s().ScenarioGrafieken.get(), s().ScenarioGrafieken.defaultValue()) << "office-wide, not per user";
    cbo("cboWeergaveAdviseurnaam").select(2);
    EXPECT_EQ(s().WeergaveAdviseurnaam.get(), 5);
    h.control<OptionButton>("optUitlijning", 1).click();
    EXPECT_EQ(s().UitlijningKolomkoppen.get(), 90);
    h.control<OptionButton>("optUitlijning", 0).click();
    EXPECT_EQ(s().UitlijningKolomkoppen.get(), 0);
    h.control<YesNo>("jnMijTonen").choose(YesNo::Ja);
    EXPECT_TRUE(s().MijTonen.get());
    txt("txtRechterMarge").type(u"0,75"_s);
    txt("txtBovenmarge").type(u"2"_s);
    EXPECT_EQ(s().PrinterMargeRechts.get(), 0.75);
    EXPECT_EQ(s().PrinterMargeBoven.get(), 2);
    txt("txtPositieAdresgegevensBoven").type(u"6,25"_s);
    EXPECT_EQ(s().PositieAdresgegevensBoven.get(), 6.25);
    txt("txtOndertekening").type(u"Namens de directie"_s);
    EXPECT_EQ(s().Ondertekening.get(), "Namens de directie");

    auto& chkRapport = h.control<CheckBox>("chkTonenOpRapport");
    EXPECT_FALSE(cbo("cboLogoUitlijning").enabled());
    chkRapport.click();
    EXPECT_TRUE(s().LogoOpVervolgpaginas.get());
    EXPECT_TRUE(cbo("cboLogoUitlijning").enabled());
    EXPECT_TRUE(h.control<Label>("lblUitlijning", 0).enabled());
    cbo("cboLogoUitlijning").select(2);
    EXPECT_EQ(s().LogoUitlijning.get(), 1);
    cbo("cboVoorbladLogoUitlijning").select(1);
    EXPECT_EQ(s().VoorbladLogoUitlijning.get(), 2);
    cbo("cboVoorbladGegevensUitlijning").select(2);
    EXPECT_EQ(s().VoorbladGegevensUitlijning.get(), 1);
    for (const char* name : {"chkVoorbladLogo", "chkVoorbladGegevens", "chkTonenOpAanvraagformulier"})
        h.control<CheckBox>(name).click();
    EXPECT_TRUE(s().VoorbladLogo.get());
    EXPECT_TRUE(s().VoorbladGegevens.get());
    EXPECT_TRUE(s().LogoOpAanvraagformulier.get());

    bool cancel = false;
    h.page().Validation(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(h.errors().empty());
}

// The example shows the current adviser in the chosen format, with "Dhr. " or "Mw. ", and follows the list.
TEST_F(SetupDocumentenTest, AdviserNameExample)
{
    adviser("V", "L.", "Lotte Maria", "van", "Dijk");
    struct Case {
        int weergave;
        const char* shown;
    } cases[] = {{1, "L. van Dijk"},
                 {2, "Mw. van Dijk"},
                 {5, "Mw. L. van Dijk"},
                 {3, "L. (Lotte Maria) van Dijk"},
                 {4, "Lotte Maria van Dijk"}};
    for (const Case& c : cases)
        EXPECT_EQ(adviseurnaamWeergave(adviseur(), c.weergave), QString::fromUtf8(c.shown)) << c.weergave;
    adviser("M", "P.", "", "", "Jansen");
    EXPECT_EQ(adviseurnaamWeergave(adviseur(), 5), "Dhr. P. Jansen");
    EXPECT_EQ(adviseurnaamWeergave(adviseur(), 3), "P. Jansen");
    EXPECT_EQ(adviseurnaamWeergave(adviseur(), 4), "P. Jansen");

    s().WeergaveAdviseurnaam = 2;
    h.open("SetupDocumenten");
    auto& voorbeeld = h.control<Label>("lblVoorbeeldAdviseurnaam");
    EXPECT_EQ(voorbeeld.caption(), "Dhr. Jansen");
    cbo("cboWeergaveAdviseurnaam").select(0);
    EXPECT_EQ(voorbeeld.caption(), "P. Jansen");
}

// The host puts its current adviser's name parts from the adviser register into Setup, so the example names a real
// person.
TEST_F(SetupDocumentenTest, HostSuppliesTheCurrentAdviser)
{
    h.app().officeDatabase().exec(
        u"INSERT INTO Adviseur (Code, Voornamen, Voorletters, Tussenvoegsel, Achternaam, Geslacht) "
        "VALUES (?, ?, ?, ?, ?, ?)"_s,
        {u"c0de"_s, u"Lotte"_s, u"L."_s, u"van"_s, u"Dijk"_s, u"V"_s});
    fillCurrentAdviser(h.app().officeDatabase(), u"c0de"_s, h.setup());
    s().WeergaveAdviseurnaam = 5;
    h.open("SetupDocumenten");
    EXPECT_EQ(h.control<Label>("lblVoorbeeldAdviseurnaam").caption(), "Mw. L. van Dijk");
}

// A chosen cover picture is stored and shown; "Standaard" asks first and only "Ja" goes back to the standard picture.
TEST_F(SetupDocumentenTest, CoverPicture)
{
    h.open("SetupDocumenten");
    const QString file = h.folder() + u"/voorblad.jpg"_s;
    h.ui().chooseOpenFileNext(file);
    cmd("cmdLogoVoorblad").click();
    ASSERT_EQ(h.ui().fileRequests().size(), 1u);
    EXPECT_EQ(h.ui().fileRequests()[0].title, "Selecteer afbeelding voor het voorblad");
    EXPECT_EQ(h.ui().fileRequests()[0].filter,
              "Bitmap (*.bmp;*.dib)|*.bmp;*.dib|GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|Metabestanden (*.wmf;*.emf)|"
              "*.wmf;*.emf|Icon (*.ico;*.cur)|*.ico;*.cur|Alle afbeeldingen|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;"
              "*.cur");
    EXPECT_EQ(s().LogoVoorblad.get(), file);
    EXPECT_EQ(txt("txtLogoPath").text(), file);
    EXPECT_TRUE(cmd("cmdDefaultVoorbladLogo").enabled());

    h.ui().chooseOpenFileNext(std::nullopt);
    cmd("cmdLogoVoorblad").click();
    EXPECT_EQ(s().LogoVoorblad.get(), file) << "cancelling keeps the picture";

    h.ui().answerMessage(MsgResult::No);
    cmd("cmdDefaultVoorbladLogo").click();
    EXPECT_EQ(s().LogoVoorblad.get(), file);
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdDefaultVoorbladLogo").click();
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_EQ(h.ui().messages()[1].text, "Weet u zeker dat u de standaardafbeelding van het voorblad wil gebruiken?");
    EXPECT_EQ(h.ui().messages()[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.ui().messages()[1].icon, MsgIcon::Question);
    EXPECT_EQ(s().LogoVoorblad.get(), "");
    EXPECT_EQ(txt("txtLogoPath").text(), "Standaard...");
    EXPECT_FALSE(cmd("cmdDefaultVoorbladLogo").enabled());
}

// The three buttons open their dialogs on the page's settings; what the dialogs confirm is stored.
TEST_F(SetupDocumentenTest, ButtonsOpenTheDialogs)
{
    h.setup().get<OverviewSettings>().KolommenLastenoverzicht = 1;
    h.setup().get<OverviewSettings>().KolommenNBIOverzicht = 1;
    h.open("SetupDocumenten");
    h.ui().whenModal("frmKolommenFinancieelPlan", [](Form& f) {
        f.get<ListBox>("lstKolommenLastenoverzicht").select(1);
        f.get<CommandButton>("cmdOk").click();
    });
    cmd("cmdKolomSelectie").click();
    EXPECT_EQ(h.setup().get<OverviewSettings>().KolommenLastenoverzicht.get(), 3);

    h.ui().whenModal("frmToetsingKolommen", [](Form& f) {
        f.get<ListBox>("lstKolommen").select(0);
        f.get<CommandButton>("cmdOk").click();
    });
    cmd("cmdToetsingKolommen").click();
    EXPECT_EQ(h.setup().get<OverviewSettings>().ToetsingKolommenVerbergen.get(), 2);

    h.ui().whenModal("frmFormaatLogo", [](Form& f) {
        f.get<TextBox>("txtBreedte").type(u"8"_s);
        f.get<CommandButton>("cmdOk").click();
    });
    cmd("cmdFormaatLogo").click();
    EXPECT_EQ(h.setup().get<HouseStyleSettings>().LogoMaxBreedte.get(), 8);
    EXPECT_EQ(h.app().setupChangedCount(), 3);
    EXPECT_TRUE(h.errors().empty());
}

// A margin or position that is no number of 0 or more is told in Dutch when left, keeps the focus and the stored value.
TEST_F(SetupDocumentenTest, BadNumbersAreToldAndNotStored)
{
    s().PrinterMargeOnder = 1.25;
    s().PositieAdresgegevensLinks = 3;
    h.open("SetupDocumenten");
    for (const char* name : {"txtOndermarge", "txtPositieAdresgegevensLinks"}) {
        for (const char* typed : {"abc", "-1", ""}) {
            txt(name).type(QString::fromLatin1(typed));
            h.ui().answerMessage(MsgResult::OK);
            EXPECT_FALSE(txt(name).leave()) << name << " " << typed;
            EXPECT_EQ(h.ui().messages().back().text, "Vul een getal van 0 of groter in.");
            EXPECT_EQ(h.ui().messages().back().caption, "Documenten");
            EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Exclamation);
            EXPECT_TRUE(txt(name).hasFocus());
        }
    }
    EXPECT_EQ(s().PrinterMargeOnder.get(), 1.25);
    EXPECT_EQ(s().PositieAdresgegevensLinks.get(), 3);
    txt("txtOndermarge").type(u"0,5"_s);
    EXPECT_TRUE(txt("txtOndermarge").leave());
    EXPECT_EQ(s().PrinterMargeOnder.get(), 0.5);
    EXPECT_TRUE(h.errors().empty());
}
