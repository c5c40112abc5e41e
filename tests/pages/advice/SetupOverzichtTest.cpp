#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/YesNo.h"
#include "framework/settings/OverviewSettings.h"
#include "pages/advice/frmKolommenFinancieelPlan.h"
#include "pages/advice/frmToetsingKolommen.h"
#include "tests/support/PageTest.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupOverzichtTest : PageTest {
    OverviewSettings& s() { return h.setup().get<OverviewSettings>(); }
    CheckBox& chk(const char* name) { return h.control<CheckBox>(name); }
};

// The column dialogs as the documents page shows them: application and Setup first.
struct KolommenTest : PageTest {
    OverviewSettings& s() { return h.setup().get<OverviewSettings>(); }
    void open(ColumnDialog& dialog)
    {
        dialog.setApplication(h.app());
        dialog.setSetup(h.setup());
    }
    static int selectedCount(const ListBox& list)
    {
        int n = 0;
        for (int i = 0; i < list.listCount(); ++i)
            n += list.selected(i) ? 1 : 0;
        return n;
    }
    // Ticks the first n entries of a list that were not ticked yet.
    static void tick(ListBox& list, int n)
    {
        for (int i = 0; i < list.listCount() && n > 0; ++i) {
            if (!list.selected(i)) {
                list.select(i);
                --n;
            }
        }
    }
};
} // namespace

// A stored Nibud of 0 becomes 2 at once; every box shows its setting; the hint reads exactly.
TEST_F(SetupOverzichtTest, FillShowsSettingsAndReplacesNibud)
{
    s().Nibud = 0;
    s().Servicekosten = true;
    s().Erfpacht = true;
    s().AbonnementenOpOverzicht = true;
    s().TeVerrekenenLasten = 1 | 16 | 64; // 64 has no box
    s().HuidigeLastenIn1eJaar = true;
    auto& page = h.open("SetupOverzicht");
    EXPECT_EQ(page.Titel(), "Lastenoverzicht");
    EXPECT_EQ(s().Nibud.get(), 2);
    EXPECT_FALSE(chk("chkNibud").isChecked());
    EXPECT_TRUE(chk("chkServicekosten").isChecked());
    EXPECT_FALSE(chk("chkBoeterente").isChecked());
    EXPECT_TRUE(chk("chkErfpacht").isChecked());
    EXPECT_TRUE(chk("chkAbonnementen").isChecked());
    EXPECT_TRUE(chk("chkUitkeringen").isChecked());
    EXPECT_TRUE(chk("chkOnttrekkingen").isChecked());
    EXPECT_FALSE(chk("chkExtraStortingen").isChecked());
    EXPECT_EQ(h.control<YesNo>("In1eKalenderjaar").value(), YesNo::Nee);
    EXPECT_EQ(chk("chkAflossingen").caption(), "Aflossingen hypotheek (niet zijnde: annu\u00eftair en lineair)");
    EXPECT_EQ(
        h.control<Hint>("hnt1eJaar").text(),
        "Met deze instelling op 'ja' worden alleen de lasten vanaf de ingangsdatum van het nieuwe advies "
        "meegenomen in de lastenoverzichten. Loopt het advies bijvoorbeeld nog 6 maanden in het huidige "
        "kalenderjaar dan worden de lasten van die 6 maanden opgeteld en gedeeld door 6.\r\nStaat de instelling "
        "op 'nee' dan worden de huidige lasten tot aan de ingangsdatum van het nieuwe advies ook meegenomen in de "
        "lastenoverzichten. Bij een ingangsdatum van 1 juli worden de 6 maanden huidige lasten en 6 maanden "
        "nieuwe lasten opgeteld bij elkaar en gedeeld door 12.\r\nLet op! Deze instelling heeft alleen invloed op "
        "de lastenoverzichten. Netto besteedbaar inkomen blijft over het gehele kalenderjaar genomen worden.");
    EXPECT_TRUE(h.errors().empty());

    s().Nibud = 1;
    h.open("SetupOverzicht");
    EXPECT_TRUE(chk("chkNibud").isChecked());
}

// Clicks write at once: Nibud as 1/2, "ja" as false, and the netting set rebuilt from the six boxes only.
TEST_F(SetupOverzichtTest, ClicksWriteTheirSettings)
{
    s().TeVerrekenenLasten = 64;
    h.open("SetupOverzicht");
    chk("chkExtraStortingen").click();
    chk("chkOnttrekkingen").click();
    EXPECT_EQ(s().TeVerrekenenLasten.get(), 24);
    chk("chkExtraOpnames").click();
    chk("chkExtraStortingen").click();
    EXPECT_EQ(s().TeVerrekenenLasten.get(), 48);

    chk("chkNibud").click();
    EXPECT_EQ(s().Nibud.get(), 1);
    chk("chkNibud").click();
    EXPECT_EQ(s().Nibud.get(), 2);
    chk("chkKredietlastenVerrekenen").click();
    EXPECT_TRUE(s().KredietlastenVerrekenen.get());
    chk("chkGespreidBetalen").click();
    EXPECT_TRUE(s().GespreidBetalen.get());

    auto& jn = h.control<YesNo>("In1eKalenderjaar");
    jn.choose(YesNo::Nee);
    EXPECT_TRUE(s().HuidigeLastenIn1eJaar.get());
    jn.choose(YesNo::Ja);
    EXPECT_FALSE(s().HuidigeLastenIn1eJaar.get());

    bool cancel = false;
    h.page().Validation(cancel, 0);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(h.errors().empty());
}

// Both lists show their own bits; "Overige uitgaven" ticked in the charges list sets 131072 there only.
TEST_F(KolommenTest, EachListKeepsItsOwnBits)
{
    s().KolommenLastenoverzicht = 1 | 64;
    s().KolommenNBIOverzicht = 65536 | 256;
    frmKolommenFinancieelPlan dialog;
    open(dialog);
    dialog.Fill_Control();
    auto& lasten = dialog.get<ListBox>("lstKolommenLastenoverzicht");
    auto& nbi = dialog.get<ListBox>("lstKolommenNBIOverzicht");
    ASSERT_EQ(lasten.listCount(), 15);
    ASSERT_EQ(nbi.listCount(), 10);
    EXPECT_EQ(lasten.list(2), "Waardeopbouw");
    EXPECT_EQ(lasten.itemData(2), 16777216);
    EXPECT_TRUE(lasten.selected(0));
    EXPECT_TRUE(lasten.selected(8)) << "Spaar- en beleggingsdepots, 64";
    EXPECT_FALSE(nbi.selected(6)) << "Bruto inkomen is bit 1 there too, but not stored for this list";
    EXPECT_TRUE(nbi.selected(2));
    EXPECT_TRUE(nbi.selected(3));

    lasten.select(11); // Overige uitgaven
    EXPECT_EQ(lasten.list(11), "Overige uitgaven");
    dialog.get<CommandButton>("cmdOk").click();
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_EQ(s().KolommenLastenoverzicht.get(), 1 | 64 | 131072);
    EXPECT_EQ(s().KolommenNBIOverzicht.get(), 65536 | 256);
    EXPECT_TRUE(h.errors().empty());
}

// Ten columns in portrait turn the warning red and bold; in landscape fourteen do not, fifteen do; nothing is refused.
TEST_F(KolommenTest, WarningFollowsTheOrientation)
{
    s().KolommenNBIOverzicht = 1;
    struct Case {
        qint16 afdrukstand;
        int columns;
        bool red;
    };
    for (const Case c :
         {Case{0, 9, false}, Case{0, 10, true}, Case{2, 10, true}, Case{1, 14, false}, Case{1, 15, true}}) {
        s().Afdrukstand = c.afdrukstand;
        s().KolommenLastenoverzicht = 0;
        frmKolommenFinancieelPlan dialog;
        open(dialog);
        dialog.Fill_Control();
        auto& warning = dialog.get<Label>("lblWaarschuwing");
        EXPECT_EQ(warning.foreColor(), SystemColour::ButtonText);
        EXPECT_FALSE(warning.font().bold);
        tick(dialog.get<ListBox>("lstKolommenLastenoverzicht"), c.columns);
        EXPECT_EQ(warning.foreColor(), c.red ? Colour(0xFF) : SystemColour::ButtonText)
            << c.afdrukstand << "/" << c.columns;
        EXPECT_EQ(warning.font().bold, c.red);
        dialog.get<CommandButton>("cmdOk").click();
        EXPECT_FALSE(dialog.Geannuleerd());
        EXPECT_EQ(selectedCount(dialog.get<ListBox>("lstKolommenLastenoverzicht")), c.columns);
    }
}

// An empty list refuses OK with its message and stores nothing; closing afterwards keeps the stored columns.
TEST_F(KolommenTest, RefusedOkStoresNothing)
{
    s().KolommenLastenoverzicht = 2 | 4;
    s().KolommenNBIOverzicht = 16384;
    frmKolommenFinancieelPlan dialog;
    open(dialog);
    dialog.Fill_Control();
    EXPECT_EQ(dialog.caption(), "Kolommen financieel plan");
    EXPECT_TRUE(
        dialog.get<Label>("lblUitleg")
            .caption()
            .startsWith(
                "In dit scherm kunt u aangeven welke kolommen in de lastenoverzichten en in het overzicht 'netto besteedbaar "
                "inkomen' moeten worden opgenomen."));
    EXPECT_EQ(dialog.get<Label>("lblWaarschuwing").caption(),
              "Let op! Bij de 'staande' afdrukstand passen maximaal 9 kolommen op de pagina. In 'liggende' afdrukstand "
              "passen maximaal 14 kolommen op de pagina.");
    auto& nbi = dialog.get<ListBox>("lstKolommenNBIOverzicht");
    nbi.select(0); // the only one: now none
    dialog.get<ListBox>("lstKolommenLastenoverzicht").select(0);
    h.ui().answerMessage(MsgResult::OK);
    dialog.get<CommandButton>("cmdOk").click();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "Selecteer minimaal 1 kolom voor de beide overzichten.");
    EXPECT_EQ(h.ui().messages()[0].caption, "Geen kolommen geselecteerd");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(s().KolommenLastenoverzicht.get(), 2 | 4);
    EXPECT_EQ(s().KolommenNBIOverzicht.get(), 16384);
    dialog.get<CommandButton>("cmdAnnuleren").click();
    EXPECT_TRUE(dialog.Geannuleerd());
    EXPECT_EQ(s().KolommenLastenoverzicht.get(), 2 | 4);
    EXPECT_EQ(s().KolommenNBIOverzicht.get(), 16384);
}

// Without Setup the caller hears of it in the debug message instead of a crash.
TEST_F(KolommenTest, WithoutSetupTellsTheCaller)
{
    frmToetsingKolommen dialog;
    dialog.setApplication(h.app());
    h.ui().answerMessage(MsgResult::OK);
    dialog.Fill_Control();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "Set eerst de property Application en/of Setup.");
    EXPECT_EQ(h.ui().messages()[0].caption, "Debugmelding");
    EXPECT_TRUE(h.errors().empty());
}

// The assessment dialog stores exactly the ticked columns; none ticked is allowed; cancelling keeps the old set.
TEST_F(KolommenTest, ToetsingStoresTheTickedColumns)
{
    s().ToetsingKolommenVerbergen = 8 | 1024;
    frmToetsingKolommen dialog;
    open(dialog);
    dialog.Fill_Control();
    EXPECT_EQ(dialog.caption(), "Kolommen op het toetsing overzicht verwijderen");
    auto& list = dialog.get<ListBox>("lstKolommen");
    ASSERT_EQ(list.listCount(), 7);
    EXPECT_EQ(list.list(6), "o.b.v. vrij vermogen");
    EXPECT_TRUE(list.selected(1));
    list.select(5);
    dialog.get<CommandButton>("cmdAnnuleren").click();
    EXPECT_EQ(s().ToetsingKolommenVerbergen.get(), 8 | 1024);

    frmToetsingKolommen again;
    open(again);
    again.Fill_Control();
    auto& list2 = again.get<ListBox>("lstKolommen");
    list2.select(1);
    list2.select(5);
    list2.select(6);
    again.get<CommandButton>("cmdOk").click();
    EXPECT_EQ(s().ToetsingKolommenVerbergen.get(), 128 | 256);

    frmToetsingKolommen none;
    open(none);
    none.Fill_Control();
    none.get<ListBox>("lstKolommen").select(5);
    none.get<ListBox>("lstKolommen").select(6);
    none.get<CommandButton>("cmdOk").click();
    EXPECT_FALSE(none.Geannuleerd());
    EXPECT_EQ(s().ToetsingKolommenVerbergen.get(), 0);
    EXPECT_TRUE(h.errors().empty());
}
