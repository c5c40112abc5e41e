#include "pages/integrations/SetupQvxOnline.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/OnlineInventorySettings.h"
#include "pages/integrations/DocumentAanvraagSnelkeuze.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupQvxOnlineTest : PageTest {
    OnlineInventorySettings& settings() { return h.setup().get<OnlineInventorySettings>(); }
    CheckBox& inv(int i) { return h.control<CheckBox>("chkInventarisatie", i); }
    ComboBox& cbo(const char* name) { return h.control<ComboBox>(name); }
    QString link() { return h.control<Label>("lblQuenmarixConsument").tag().toString(); }
    QStringList items(const char* name)
    {
        QStringList out;
        for (int i = 0; i < cbo(name).listCount(); ++i)
            out << u"%1=%2"_s.arg(cbo(name).list(i)).arg(cbo(name).itemData(i));
        return out;
    }
};
} // namespace

// The page must show its exact captions, combo tables and frames in order.
TEST_F(SetupQvxOnlineTest, CaptionsTablesAndLayout)
{
    auto& page = h.open("SetupQvxOnline");
    EXPECT_EQ(page.Titel(), "Online inventarisatie");
    EXPECT_EQ(inv(0).caption(), "Basis");
    EXPECT_EQ(inv(1).caption(), "Financieel");
    EXPECT_EQ(h.control<CheckBox>("chkCheckHdnDocumenten").caption(), "Controleer op openstaande HDN-documenten");
    EXPECT_EQ(h.control<CheckBox>("chkDirectZoeken").caption(), "Direct bijwerken bij openen scherm");
    EXPECT_EQ(h.control<Label>("lblInvullen").caption(), "Klant moet invullen");
    EXPECT_EQ(h.control<Label>("lblPeriode").caption(), "Toon status van laatste");
    EXPECT_EQ(items("cboAanhef"), (QStringList{"Formeel=1", "Informeel=2"}));
    EXPECT_EQ(items("cboPeriode"),
              (QStringList{"Dag=1", "Week=7", "2 Weken=14", "Maand=30", "6 Maanden=180", "Alle data=0"}));
    EXPECT_EQ(items("cboToonBerichten"),
              (QStringList{"Alle berichten=0", "Alleen laatste bericht per klant=1", "Verwijderde taken=2"}));
    auto& uitnodiging = h.control<Frame>("fraUitnodiging");
    auto& overzicht = h.control<Frame>("fraOverzicht");
    auto& instelling = h.control<Frame>("fraInstelling");
    EXPECT_EQ(uitnodiging.caption(), "Uitnodiging");
    EXPECT_EQ(overzicht.caption(), "Overzichtsscherm");
    EXPECT_EQ(instelling.caption(), "Kantoor- en adviseurgegevens");
    EXPECT_EQ(h.control<Label>("lblQuenmarixConsument").caption(), "Ga naar online instellingen");
    EXPECT_TRUE(instelling.visible());
    EXPECT_EQ(uitnodiging.top(), 0);
    EXPECT_EQ(overzicht.top(), uitnodiging.bottom() + 60);
    EXPECT_EQ(instelling.top(), overzicht.bottom() + 60);
    for (Control* c : h.form().controls()) {
        if (c->parent() == &h.form() || c->parent() == nullptr || &c->form() != &h.form())
            continue;
        SCOPED_TRACE(str(c->name()));
        EXPECT_LE(c->right(), c->parent()->width());
        EXPECT_LE(c->bottom(), c->parent()->height());
    }
    EXPECT_TRUE(h.errors().empty());
}

// The financial inventory always includes the basic one: touching the boxes must keep the bit set consistent.
TEST_F(SetupQvxOnlineTest, InventoryBitsKeepFinancialWithBasic)
{
    settings().CdInventarisatie = 2;
    h.open("SetupQvxOnline");
    EXPECT_FALSE(inv(0).isChecked()); // shown as stored
    EXPECT_TRUE(inv(1).isChecked());
    EXPECT_EQ(qint16(settings().CdInventarisatie), 2); // the fill writes nothing
    inv(0).click();
    EXPECT_TRUE(inv(0).isChecked());
    EXPECT_TRUE(inv(1).isChecked());
    EXPECT_EQ(qint16(settings().CdInventarisatie), 3);
    inv(0).click(); // unticking "Basis" unticks both
    EXPECT_FALSE(inv(0).isChecked());
    EXPECT_FALSE(inv(1).isChecked());
    EXPECT_EQ(qint16(settings().CdInventarisatie), 0);
    inv(1).click(); // ticking "Financieel" ticks "Basis"
    EXPECT_TRUE(inv(0).isChecked());
    EXPECT_EQ(qint16(settings().CdInventarisatie), 3);
    inv(1).click();
    EXPECT_TRUE(inv(0).isChecked());
    EXPECT_EQ(qint16(settings().CdInventarisatie), 1);
    EXPECT_TRUE(h.errors().empty());
}

// Stored values must select their items (0 is "Alle data"), unknown ones none, and choices write their item data.
TEST_F(SetupQvxOnlineTest, CombosAndBoxesFillAndStore)
{
    struct {
        qint16 stored;
        QString shown;
    } const periods[] = {{0, "Alle data"}, {7, "Week"}, {180, "6 Maanden"}, {99, ""}};
    for (const auto& p : periods) {
        settings().OverzichtPeriode = p.stored;
        h.open("SetupQvxOnline");
        EXPECT_EQ(cbo("cboPeriode").text(), p.shown) << p.stored;
        EXPECT_EQ(qint16(settings().OverzichtPeriode), p.stored);
    }
    cbo("cboPeriode").select(3);
    EXPECT_EQ(qint16(settings().OverzichtPeriode), 30);
    cbo("cboAanhef").select(1);
    EXPECT_EQ(qint16(settings().Aanhef), 2);
    cbo("cboToonBerichten").select(2);
    EXPECT_EQ(qint16(settings().OverzichtBerichten), 2);
    for (const char* name : {"chkKlantprofiel", "chkDocumenten", "chkCheckHdnDocumenten", "chkDirectZoeken"})
        h.control<CheckBox>(name).click();
    EXPECT_TRUE(settings().InventarisatieKlantprofiel);
    EXPECT_TRUE(settings().InventarisatieDocumenten);
    EXPECT_TRUE(settings().CheckHdnDocumenten);
    EXPECT_TRUE(settings().DirectZoeken);
    EXPECT_TRUE(h.errors().empty());
}

// Any text in "UrlServer" chooses the test address; the sid key is the office text Base64-encoded, reversed and safe in
// an address.
TEST_F(SetupQvxOnlineTest, PortalLinkAddressAndSidKey)
{
    EXPECT_EQ(SetupQvxOnline::sidKey("Demokantoor"), "=I3bvRnbht2btVGR");
    EXPECT_EQ(SetupQvxOnline::sidKey("Caf\u00e9 \u00fc>?"), "=8jP8DS6mF2Q"); // ANSI bytes, not UTF-8
    EXPECT_EQ(SetupQvxOnline::sidKey(""), "");

    h.app().setKantoorIdentificatie("Demokantoor");
    h.open("SetupQvxOnline");
    EXPECT_EQ(link(), SetupQvxOnline::ProductieAdres + "%3DI3bvRnbht2btVGR");
    EXPECT_TRUE(SetupQvxOnline::ProductieAdres.endsWith("kantoorinstellingen.aspx?sid="));
    EXPECT_TRUE(SetupQvxOnline::TestAdres.endsWith("kantoorinstellingen.aspx?sid="));
    h.control<Label>("lblQuenmarixConsument").click();
    EXPECT_EQ(h.ui().openedAddresses(), QStringList{SetupQvxOnline::ProductieAdres + "%3DI3bvRnbht2btVGR"});

    for (const QString& server : {u"x"_s, u"0"_s, u"https://acceptatie"_s}) {
        h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                        QString(RegistryNames::UrlServer), server);
        h.app().setKantoorIdentificatie("Hypotheken?>"); // Base64 with a "+"
        h.open("SetupQvxOnline");
        EXPECT_EQ(link(), SetupQvxOnline::TestAdres + "%2B8jbltWZoR3bwlHS") << str(server);
    }
    // without an office identification there is no portal page to go to
    h.app().setKantoorIdentificatie(QString());
    h.open("SetupQvxOnline");
    EXPECT_FALSE(h.control<Frame>("fraInstelling").visible());
    EXPECT_TRUE(h.errors().empty());
}

// The embedded quick-choice control must be created through the host, show the stored choice and store a new one.
TEST_F(SetupQvxOnlineTest, DocumentRequestQuickChoice)
{
    settings().DocumentAanvraagSnelkeuze = DocumentAanvraagSnelkeuze::Keuzes().at(1);
    h.open("SetupQvxOnline");
    auto& control = h.control<DocumentAanvraagSnelkeuze>("ucDocumentAanvraagSnelkeuze");
    EXPECT_EQ(control.className(), "DocumentAanvraagSnelkeuze");
    EXPECT_EQ(control.parent()->name(), "fraUitnodiging");
    EXPECT_EQ(control.getApplication(), &h.app());
    EXPECT_EQ(control.cboSnelkeuze.listIndex(), 1);
    EXPECT_EQ(settings().DocumentAanvraagSnelkeuze.get(), DocumentAanvraagSnelkeuze::Keuzes().at(1));
    // Its choice lines up with the frame's other fields.
    EXPECT_EQ(control.left() + control.cboSnelkeuze.left(), h.control<ComboBox>("cboAanhef").left());
    control.cboSnelkeuze.select(3);
    EXPECT_EQ(settings().DocumentAanvraagSnelkeuze.get(), DocumentAanvraagSnelkeuze::Keuzes().at(3));
    h.page().setBackColor(rgb(255, 255, 255));
    EXPECT_EQ(control.BackColor(), rgb(255, 255, 255));
    EXPECT_TRUE(h.errors().empty());
}
