#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/InkoopcombinatieSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SetupInkoopCombisTest : PageTest {
    InkoopcombinatieSettings& providers() { return h.setup().get<InkoopcombinatieSettings>(); }
    void seed(const char* naam, const char* nummer, const char* type, bool selected = false)
    {
        InkoopcombinatieRecord& r = providers().AddInkoopcombinatie();
        r.Naam = QString::fromUtf8(naam);
        r.HDNNummer = QString::fromLatin1(nummer);
        r.TypeCode = QString::fromLatin1(type);
        r.Geselecteerd = selected;
    }
    void seedStandard()
    {
        seed("Woonadvies Groep", "311237", "T", true);
        seed("De Adviesunie", "312474", "T");
        seed("Regio Collectief", "384102", "A", true);
        seed("Zekerheid Partners", "318659", "T");
    }
    SettingsPage& open() { return h.open("SetupInkoopCombis"); }
    ListView& list() { return h.control<ListView>("lstInkoopcombinatie"); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
    int row(const QString& key) { return list().findItem(key)->index(); }
    QStringList rows()
    {
        QStringList all;
        for (int i = 1; i <= list().count(); ++i) {
            const ListItem& r = list().item(i);
            all << u"%1 %2 %3%4"_s.arg(r.key(), r.text(), r.subItem(1), r.checked() ? " v" : "");
        }
        return all;
    }
    // Plays the dialog: types both fields and presses OK.
    void playAdd(const QString& naam, const QString& nummer, bool expectClosed)
    {
        h.ui().whenModal("frmInkoopcombinatie", [=](Form& f) {
            EXPECT_EQ(f.caption(), "Toevoegen serviceprovider");
            f.get<TextBox>("txtNaam").type(naam);
            f.get<TextBox>("txtHDNNummer").type(nummer);
            f.get<CommandButton>("cmdOk").click();
            EXPECT_EQ(!f.visible(), expectClosed);
            if (f.visible())
                f.get<CommandButton>("cmdCancel").click();
        });
    }
};

} // namespace

// Rows are keyed type code + index, sorted by name, ticked as stored; own providers stand out from standard ones.
TEST_F(SetupInkoopCombisTest, ListShowsEveryProviderSortedAndMarked)
{
    seedStandard();
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Serviceproviders");
    EXPECT_EQ(h.control<Frame>("fraInkoopCombis").caption(), "Beschikbare serviceproviders");
    EXPECT_EQ(button("cmdSelectAll").toolTipText(), "Alle inkoopcombinaties selecteren");
    ASSERT_EQ(list().columnCount(), 2);
    EXPECT_EQ(list().column(1).text, "Naam");
    EXPECT_EQ(list().column(2).text, "HDN nummer");
    EXPECT_LE(list().column(1).width + list().column(2).width, list().width());
    EXPECT_EQ(rows(), (QStringList{"T2 De Adviesunie 312474", "A3 Regio Collectief 384102 v",
                                   "T1 Woonadvies Groep 311237 v", "T4 Zekerheid Partners 318659"}));
    EXPECT_TRUE(list().findItem("A3")->bold());
    EXPECT_FALSE(list().findItem("T1")->bold());
    EXPECT_LE(h.form().width(), 5325) << "it fits where the company overview hosts it";
    EXPECT_LE(h.form().height(), 5685);
    EXPECT_TRUE(h.errors().empty());
}

// Ticking a row sets that provider's flag, whatever the sort did to the row order; select-all ticks every one.
TEST_F(SetupInkoopCombisTest, TickingAndSelectAllWriteTheFlags)
{
    seedStandard();
    open();
    list().checkItem(row("T4"), true);
    EXPECT_TRUE(providers().Inkoopcombinatie(4)->Geselecteerd);
    list().checkItem(row("T1"), false);
    EXPECT_FALSE(providers().Inkoopcombinatie(1)->Geselecteerd);
    EXPECT_FALSE(providers().Inkoopcombinatie(2)->Geselecteerd);
    EXPECT_EQ(h.app().setupChangedCount(), 2);

    button("cmdSelectAll").click();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(providers().Inkoopcombinatie(i)->Geselecteerd) << i;
        EXPECT_TRUE(list().item(i).checked()) << i;
    }
    EXPECT_EQ(h.app().setupChangedCount(), 3);
}

// A new provider is added as the office's own, not yet used, and shown selected in the list.
TEST_F(SetupInkoopCombisTest, AddingCreatesAnOwnProvider)
{
    seedStandard();
    open();
    playAdd(u"  Hypotheekplein Oost "_s, u"400123"_s, true);
    button("cmdToevoegenInkoopCombinatie").click();
    ASSERT_EQ(providers().AantalInkoopcombinaties(), 5);
    const InkoopcombinatieRecord& added = *providers().Inkoopcombinatie(5);
    EXPECT_EQ(added.Naam, "Hypotheekplein Oost");
    EXPECT_EQ(added.HDNNummer, "400123");
    EXPECT_EQ(added.TypeCode, "A");
    EXPECT_FALSE(added.Geselecteerd);
    ASSERT_NE(list().findItem("A5"), nullptr);
    EXPECT_EQ(list().selectedItem(), list().findItem("A5"));
    EXPECT_EQ(h.app().setupChangedCount(), 1);

    h.ui().whenModal("frmInkoopcombinatie", [](Form& f) {
        f.get<TextBox>("txtNaam").type(u"Afgebroken"_s);
        f.get<TextBox>("txtHDNNummer").type(u"400999"_s);
        f.get<CommandButton>("cmdCancel").click();
    });
    button("cmdToevoegenInkoopCombinatie").click();
    EXPECT_EQ(providers().AantalInkoopcombinaties(), 5) << "cancelled: nothing added";
    EXPECT_EQ(h.app().setupChangedCount(), 1);
}

// An HDN number is exactly six characters 0 to 9: signs, points, spaces and other lengths are refused in order.
TEST_F(SetupInkoopCombisTest, HdnNumberChecksInOrder)
{
    seedStandard();
    open();
    struct Case {
        const char* naam;
        const char* nummer;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {"Nieuw", "12345", "HDN nummer moet 6 posities lang zijn.", "Ongeldige invoer"},
        {"Nieuw", "1234567", "HDN nummer moet 6 posities lang zijn.", "Ongeldige invoer"},
        {"", "", "HDN nummer moet 6 posities lang zijn.", "Ongeldige invoer"}, // the number is checked first
        {"Nieuw", "12a456", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"Nieuw", "-12345", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"Nieuw", "1.2345", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"Nieuw", " 12345", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"Nieuw", "12345 ", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"Nieuw", "1\u00b2345\u0661", "HDN nummer moet numeriek zijn.", "Ongeldige invoer"},
        {"   ", "400123", "Naam serviceprovider moet ingevuld zijn.", "Ongeldige invoer"},
        {"Dubbel standaard", "312474", "Deze serviceprovider staat al in de lijst.", "Toevoegen serviceprovider"},
        {"Dubbel eigen", "384102", "Deze serviceprovider staat al in de lijst.", "Toevoegen serviceprovider"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nummer);
        h.ui().answerMessage(MsgResult::OK);
        playAdd(QString::fromUtf8(c.naam), QString::fromUtf8(c.nummer), false);
        button("cmdToevoegenInkoopCombinatie").click();
        ASSERT_FALSE(h.ui().messages().empty());
        const auto& shown = h.ui().messages().back();
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.caption, c.caption);
        EXPECT_EQ(shown.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(h.ui().messages().size(), std::size(cases));
    EXPECT_EQ(providers().AantalInkoopcombinaties(), 4);
    EXPECT_EQ(h.app().setupChangedCount(), 0);
}

// Each field checks itself when the user leaves it and keeps the focus while it is wrong.
TEST_F(SetupInkoopCombisTest, FieldsCheckThemselvesWhenLeft)
{
    open();
    h.ui().answerMessage(MsgResult::OK);
    h.ui().answerMessage(MsgResult::OK);
    h.ui().whenModal("frmInkoopcombinatie", [&](Form& f) {
        auto& nummer = f.get<TextBox>("txtHDNNummer");
        auto& naam = f.get<TextBox>("txtNaam");
        nummer.type(u"1234"_s);
        EXPECT_FALSE(nummer.leave());
        nummer.type(u"123456"_s);
        EXPECT_TRUE(nummer.leave());
        naam.type(QString());
        EXPECT_FALSE(naam.leave());
        naam.type(u"Naam"_s);
        EXPECT_TRUE(naam.leave());
        f.get<CommandButton>("cmdOk").click();
    });
    button("cmdToevoegenInkoopCombinatie").click();
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_EQ(h.ui().messages()[0].text, "HDN nummer moet 6 posities lang zijn.");
    EXPECT_EQ(h.ui().messages()[1].text, "Naam serviceprovider moet ingevuld zijn.");
    EXPECT_EQ(providers().AantalInkoopcombinaties(), 1);
}

// Standard providers cannot be removed; an own one is removed after "Ja", and the keys are renumbered.
TEST_F(SetupInkoopCombisTest, OnlyOwnProvidersAreRemoved)
{
    seed("Eerste eigen", "400001", "A");
    seed("Standaard", "311237", "T");
    seed("Tweede eigen", "400002", "A");
    open();
    button("cmdVerwijderenInkoopcombinatie").click(); // nothing selected: nothing happens
    EXPECT_TRUE(h.ui().messages().empty());

    list().clickItem(row("T2"));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdVerwijderenInkoopcombinatie").click();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "U kunt alleen serviceproviders verwijderen die u zelf heeft toegevoegd.");
    EXPECT_EQ(h.ui().messages()[0].caption, "Verwijderen serviceprovider");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(providers().AantalInkoopcombinaties(), 3);

    list().clickItem(row("A1"));
    h.ui().answerMessage(MsgResult::No);
    button("cmdVerwijderenInkoopcombinatie").click();
    EXPECT_EQ(providers().AantalInkoopcombinaties(), 3);
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdVerwijderenInkoopcombinatie").click();
    const auto& asked = h.ui().messages().back();
    EXPECT_EQ(asked.text, "Wilt u 'Eerste eigen' verwijderen?");
    EXPECT_EQ(asked.caption, "Verwijderen serviceprovider");
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(rows(), (QStringList{"T1 Standaard 311237", "A2 Tweede eigen 400002"}));
    EXPECT_EQ(h.app().setupChangedCount(), 1);
    // the renumbered key still reaches the right provider
    list().checkItem(row("A2"), true);
    EXPECT_TRUE(providers().Inkoopcombinatie(2)->Geselecteerd);
    EXPECT_EQ(providers().Inkoopcombinatie(2)->Naam, "Tweede eigen");
}

// The list, flags and own providers survive saving and opening the office again.
TEST_F(SetupInkoopCombisTest, ProvidersSurviveSaveAndReload)
{
    seedStandard();
    h.app().saveSettings();
    ScriptedUi otherUi;
    ReferenceApplication reopened(otherUi, h.folder());
    const InkoopcombinatieSettings& stored = reopened.SettingsObject().get<InkoopcombinatieSettings>();
    ASSERT_EQ(stored.AantalInkoopcombinaties(), 4);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(*stored.Inkoopcombinatie(i), *providers().Inkoopcombinatie(i)) << i;
    EXPECT_FALSE(h.app().hasUnsavedChanges());
}

// A tick on a row whose provider is gone is reported under its handler, not written into another provider.
TEST_F(SetupInkoopCombisTest, StaleRowIsReportedNotWrittenElsewhere)
{
    seed("Eerste eigen", "400001", "A");
    seed("Tweede eigen", "400002", "A");
    open();
    providers().RemoveInkoopcombinatie(2); // the list changed behind the page's back
    list().checkItem(row("A2"), true);
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "lstInkoopcombinatie_ItemCheck");
    EXPECT_EQ(h.errors()[0].Context, "Instellingen - Serviceproviders");
    EXPECT_FALSE(providers().Inkoopcombinatie(1)->Geselecteerd);
    EXPECT_EQ(h.app().setupChangedCount(), 0);
}

// The list must follow the page's colour, though a list is not on the button face.
TEST_F(SetupInkoopCombisTest, BackColorAlsoColoursTheList)
{
    SettingsPage& page = open();
    const Colour before = list().backColor();
    page.setBackColor(rgb(255, 255, 200));
    EXPECT_NE(before, rgb(255, 255, 200));
    EXPECT_EQ(list().backColor(), rgb(255, 255, 200));
    EXPECT_EQ(page.BackColor(), rgb(255, 255, 200));
}
