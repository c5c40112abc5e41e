#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/IntegrationSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
using S = IntegrationSettings;

struct Box {
    const char* name;
    const char* label;
    Setting<QString> S::*setting;
    bool masked;
};

struct PageCase {
    const char* page;
    const char* titel;
    const char* caption;
    Setting<bool> S::*koppeling;
    std::vector<Box> boxes;
};

// The table of the plain link pages and the link part of the others.
const std::vector<PageCase>& linkPages()
{
    static const std::vector<PageCase> cases{
        {"SetupKopElements",
         "Koppeling Elements",
         "Koppeling met Elements",
         &S::ElementsKoppeling,
         {{"txtLocatiePortal", "Locatie Elements portal", &S::ElementsLocatiePortal, false},
          {"txtGebruikersnaam", "Gebruikersnaam", &S::ElementsGebruikersnaam, false},
          {"txtWachtwoord", "Wachtwoord", &S::ElementsWachtwoord, true},
          {"txtOrganisatieId", "Organisatienummer", &S::ElementsOrganisatieId, false},
          {"txtSSOCode", "SSO Code", &S::ElementsSSOCode, true}}},
        {"SetupKopANVA",
         "Koppeling ANVA CRM",
         "Koppeling met ANVA CRM",
         &S::ANVAKoppeling,
         {{"txtLocatiePortal", "Locatie portal", &S::ANVALocatiePortal, false},
          {"txtGebruikersnaam", "Gebruikersnaam", &S::ANVAGebruikersnaam, false},
          {"txtWachtwoord", "Wachtwoord", &S::ANVAWachtwoord, true},
          {"txtOrganisatieId", "Organisatienummer", &S::ANVAOrganisatieId, false},
          {"txtSSOCode", "SSO Code", &S::ANVASSOCode, true}}},
        {"SetupKopInvice", "Koppeling Invice", "Koppeling met Invice", &S::InviceKoppeling, {}},
        {"SetupKopAssistent",
         "Koppeling Assistent",
         "Koppeling met Assistent",
         &S::AssistentKoppeling,
         {{"txtGebruikersnaam", "Gebruikersnaam", &S::AssistentGebruikersnaam, false},
          {"txtWachtwoord", "Wachtwoord", &S::AssistentWachtwoord, true}}},
        {"SetupKopNHBond",
         "Koppeling Nationale hypotheekbond",
         "Koppeling met Nationale hypotheekbond",
         &S::NHBondKoppeling,
         {{"txtEMailadres", "E-mailadres", &S::NHBondEMailadres, false},
          {"txtWachtwoord", "Wachtwoord", &S::NHBondWachtwoord, true}}},
        {"SetupKopFinly",
         "Koppeling Finly",
         "Koppeling met Finly",
         &S::FinlyKoppeling,
         {{"txtToken", "Token", &S::FinlyToken, true}}},
        {"SetupKopEDR",
         "Koppeling EDR Creditservice",
         "Koppeling met EDR Creditservice",
         &S::EDRKoppeling,
         {{"txtGebruikersnaam", "Gebruikersnaam", &S::EDRGebruikersnaam, false},
          {"txtWachtwoord", "Wachtwoord", &S::EDRWachtwoord, true},
          {"txtKlantnummer", "Klantnummer", &S::EDRKlantnummer, false}}},
        {"SetupKopAdvies",
         "Koppeling Advieskeuze",
         "Koppeling met Advieskeuze",
         &S::AdvieskeuzeKoppeling,
         {{"txtKantoorID", "KantoorID", &S::AdvieskeuzeKantoorID, false}}},
        {"SetupKopJulia",
         "Koppeling Julia",
         "Koppeling met Julia",
         &S::JuliaKoppeling,
         {{"txtAdviseurCode", "Adviseurcode", &S::JuliaAdviseurCode, false},
          {"txtVestigingCode", "Vestigingcode", &S::JuliaVestigingCode, false}}},
        {"SetupKopVanBruggen",
         "Koppeling Van Bruggen Adviesgroep",
         "Koppeling",
         &S::VanBruggenKoppeling,
         {{"txtLocatieDynamics", "Locatie Dynamics", &S::VanBruggenLocatieDynamics, false},
          {"txtGebruikersnaam", "Gebruikersnaam", &S::VanBruggenGebruikersnaam, false},
          {"txtWachtwoord", "Wachtwoord", &S::VanBruggenWachtwoord, true}}},
        {"SetupKopBoxD", "Koppeling BOX Duurzaam", "Koppeling met BOX Duurzaam", &S::BoxDuurzaamKoppeling, {}},
        {"SetupKopCalcasa", "Koppeling Calcasa", "Koppeling met Calcasa", &S::CalcasaKoppeling, {}},
        {"SetupKopPosWon", "Koppeling Positief Wonen", "Koppeling met Positief Wonen", &S::PositiefWonenKoppeling, {}},
    };
    return cases;
}

struct KoppelingPages : PageTest {
    // Rolls is on its own: without its software the page forces its link off.
    S& settings() { return h.setup().get<S>(); }
};
} // namespace

// Each page must carry its exact title, captions and labels, mask its secrets and keep its boxes inside its frame.
TEST_F(KoppelingPages, TitlesCaptionsAndLabels)
{
    for (const PageCase& c : linkPages()) {
        SCOPED_TRACE(c.page);
        auto& page = h.open(c.page);
        EXPECT_EQ(page.Titel(), c.titel);
        EXPECT_EQ(h.control<CheckBox>("chkKoppeling").caption(), c.caption);
        for (const Box& b : c.boxes) {
            SCOPED_TRACE(b.name);
            auto& box = h.control<TextBox>(b.name);
            EXPECT_EQ(h.control<Label>(u"lbl"_s + QString::fromLatin1(b.name).mid(3)).caption(), b.label);
            EXPECT_EQ(!box.passwordChar().isNull(), b.masked);
        }
        for (Control* control : h.form().controls()) {
            if (control->parent() == &h.form())
                continue;
            SCOPED_TRACE(str(control->name()));
            EXPECT_LE(control->right(), control->parent()->width());
            EXPECT_LE(control->bottom(), control->parent()->height());
        }
    }
    h.open("SetupKopElements");
    EXPECT_EQ(h.control<Hint>("hntKoppeling").text(),
              "Let op: de opgegeven locatie dient altijd voorafgegaan te worden met 'https://'.");
    h.open("SetupKopANVA");
    EXPECT_EQ(h.control<Hint>("hntKoppeling").text(),
              "Let op: de opgegeven locatie dient altijd voorafgegaan te worden met 'https://'.");
}

// Filling must never flip a link, whichever way it is stored, and must show every stored text as it was typed.
TEST_F(KoppelingPages, FillShowsTheSettingsAndNeverFlipsTheLink)
{
    for (const PageCase& c : linkPages()) {
        for (bool on : {true, false}) {
            SCOPED_TRACE(std::string(c.page) + (on ? " aan" : " uit"));
            settings().*c.koppeling = on;
            int n = 0;
            for (const Box& b : c.boxes)
                settings().*b.setting = u"waarde %1 \"'& %2"_s.arg(++n).arg(QString::fromLatin1(b.name));
            h.open(c.page);
            EXPECT_EQ(bool(settings().*c.koppeling), on);
            EXPECT_EQ(h.control<CheckBox>("chkKoppeling").isChecked(), on);
            n = 0;
            for (const Box& b : c.boxes) {
                const QString expected = u"waarde %1 \"'& %2"_s.arg(++n).arg(QString::fromLatin1(b.name));
                EXPECT_EQ(h.control<TextBox>(b.name).text(), expected);
                EXPECT_EQ((settings().*b.setting).get(), expected);
            }
            EXPECT_TRUE(h.errors().empty());
        }
    }
}

// A click must switch the link, typing must store at once, and the boxes stay usable with the link off.
TEST_F(KoppelingPages, ClickAndTypingWriteBackAtOnce)
{
    for (const PageCase& c : linkPages()) {
        SCOPED_TRACE(c.page);
        settings().*c.koppeling = false;
        h.open(c.page);
        auto& chk = h.control<CheckBox>("chkKoppeling");
        chk.click();
        EXPECT_TRUE(bool(settings().*c.koppeling));
        chk.click();
        EXPECT_FALSE(bool(settings().*c.koppeling));
        for (const Box& b : c.boxes) {
            auto& box = h.control<TextBox>(b.name);
            EXPECT_TRUE(box.isUsable());
            box.type(u"  p@ss \"x\" "_s);
            EXPECT_EQ((settings().*b.setting).get(), "  p@ss \"x\" "); // kept as typed, spaces too
        }
        EXPECT_TRUE(h.errors().empty());
    }
}

// An error while filling any link page (here: no settings object) must be reported with the page's context, not end the
// program.
TEST_F(KoppelingPages, AnUnexpectedErrorIsReportedByEveryPage)
{
    QStringList pages;
    for (const PageCase& c : linkPages())
        pages << QString::fromLatin1(c.page);
    pages << "SetupKopRolls"
          << "SetupKopUBizz"
          << "SetupQvxOnline";
    for (const QString& name : pages) {
        SCOPED_TRACE(str(name));
        auto page = h.registry().create(name);
        ASSERT_TRUE(page);
        const std::size_t before = h.errors().size();
        EXPECT_NO_THROW(page->setApplication(h.app()));
        ASSERT_EQ(h.errors().size(), before + 1);
        const ErrorReport& r = h.errors().back();
        EXPECT_EQ(r.ComponentName, name);
        EXPECT_EQ(r.Context, "Instellingen - " + page->Titel());
        EXPECT_EQ(r.Message, "Er is een fout opgetreden.");
        EXPECT_FALSE(r.fromControl);
    }
}
