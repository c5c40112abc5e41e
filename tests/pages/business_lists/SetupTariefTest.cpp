#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/TariefSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SetupTariefTest : PageTest {
    TariefSettings& tarief() { return h.setup().get<TariefSettings>(); }
    SettingsPage& open() { return h.open("SetupTarief"); }
    TextBox& txt(const char* name, int index = -1) { return h.control<TextBox>(name, index); }
    ComboBox& cbo(const char* name, int index = -1) { return h.control<ComboBox>(name, index); }
    static QString selected(const ComboBox& c) { return c.listIndex() < 0 ? QString() : c.list(c.listIndex()); }
};

} // namespace

// Stored fee methods of 0 would leave the advice without a way to charge: they
// show and store "Vast bedrag"; only the loan row offers "Percentage"; the
// fill writes nothing else back.
TEST_F(SetupTariefTest, FillShowsFixedAmountForUnsetMethodsAndWritesNothingElse)
{
    tarief().LeveringsakteMethode = 2;
    tarief().LeveringsakteBedrag = 1250.5;
    tarief().HypotheekakteMethode = 1;
    tarief().HypotheekaktePercentage = 0.5;
    tarief().AdvieskostenMethode3 = 2;
    tarief().PcAdvieskosten = 1.5;
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Tarieven");
    for (int row = 0; row < 5; ++row) {
        const int expected = row == 3 ? 2 : 1;
        EXPECT_EQ(tarief().AdvieskostenMethode(row).get(), expected) << row;
        EXPECT_EQ(selected(cbo("cboAdvieskosten", row)), expected == 1 ? "Vast bedrag" : "Per uur") << row;
        EXPECT_EQ(cbo("cboAdvieskosten", row).listCount(), row == 0 ? 3 : 2) << row;
    }
    EXPECT_EQ(cbo("cboAdvieskosten", 0).list(2), "Percentage");
    EXPECT_EQ(tarief().TariefVersie.get(), 2);
    EXPECT_EQ(tarief().LeveringsakteBedrag.get(), 1250.5);
    EXPECT_EQ(txt("txtLeveringsakteBedrag").text(), "1.250,50");
    EXPECT_TRUE(txt("txtLeveringsakteBedrag").visible());
    EXPECT_FALSE(txt("txtLeveringsaktePercentage").visible());
    EXPECT_TRUE(txt("txtHypotheekaktePercentage").visible());
    EXPECT_TRUE(h.control<Label>("lblPcHypAkte").visible());
    EXPECT_FALSE(txt("txtHypotheekakteBedrag").visible());
    EXPECT_EQ(tarief().HypotheekaktePercentage.get(), 0.5);
    EXPECT_EQ(tarief().PcAdvieskosten.get(), 1.5);
    EXPECT_EQ(selected(cbo("cboInschrijving")), "Gelijk aan gewenste hypotheek");
    EXPECT_FALSE(txt("txtPc_Inschrijving").visible());
    EXPECT_FALSE(txt("txtBd_Inschrijving").visible());
    EXPECT_TRUE(h.errors().empty());
}

// The deeds may cost at most 3%: exactly 3 is stored, 3.01 is refused with
// the message, the focus stays and the stored value is kept.
TEST_F(SetupTariefTest, DeedPercentagesAboveThreeAreRefused)
{
    tarief().LeveringsakteMethode = 1;
    tarief().HypotheekakteMethode = 1;
    open();
    struct Case {
        const char* field;
        const char* message;
        Setting<double>& setting;
    } cases[] = {
        {"txtLeveringsaktePercentage", "De leveringsakte mag maximaal 3% van de koopsom bedragen.",
         tarief().LeveringsaktePercentage},
        {"txtHypotheekaktePercentage", "De hypotheekakte mag maximaal 3% van de hypothecaire inschrijving bedragen.",
         tarief().HypotheekaktePercentage},
    };
    for (const Case& c : cases) {
        TextBox& box = txt(c.field);
        box.type(u"3"_s);
        EXPECT_TRUE(box.leave()) << c.field;
        EXPECT_EQ(c.setting.get(), 3.0) << c.field;
        box.type(u"3,01"_s);
        h.ui().answerMessage(MsgResult::OK);
        EXPECT_FALSE(box.leave()) << c.field;
        EXPECT_EQ(c.setting.get(), 3.0) << c.field;
        EXPECT_TRUE(box.hasFocus()) << c.field;
        ASSERT_FALSE(h.ui().messages().empty());
        const auto& shown = h.ui().messages().back();
        EXPECT_EQ(shown.text, QString::fromUtf8(c.message));
        EXPECT_EQ(shown.icon, MsgIcon::Exclamation);
        EXPECT_EQ(shown.caption, "Quenmarix");
    }
    EXPECT_EQ(h.ui().messages().size(), 2u);
}

// A method that hides a field must not leave its amount in force.
TEST_F(SetupTariefTest, SwitchingToTableZeroesAndHidesTheFixedAmount)
{
    tarief().LeveringsakteMethode = 2;
    tarief().LeveringsakteBedrag = 900;
    open();
    ASSERT_TRUE(cbo("cboLeveringsakte").choose(u"Volgens tabel"_s));
    EXPECT_EQ(tarief().LeveringsakteMethode.get(), 0);
    EXPECT_EQ(tarief().LeveringsakteBedrag.get(), 0.0);
    EXPECT_FALSE(txt("txtLeveringsakteBedrag").visible());
    EXPECT_FALSE(txt("txtLeveringsaktePercentage").visible());

    ASSERT_TRUE(cbo("cboTaxatiekosten").choose(u"Percentage van de Marktwaarde"_s));
    EXPECT_EQ(tarief().TaxatiekostenMethode.get(), 1);
    EXPECT_TRUE(txt("txtTaxatiekostenPercentage").visible());
    EXPECT_TRUE(txt("txtTaxatiekostenPercentage").enabled());
    EXPECT_FALSE(txt("txtTaxatiekostenBedrag").visible());
}

// The loan percentage and the registration surcharge are capped silently,
// and the field shows what is stored, not what was typed.
TEST_F(SetupTariefTest, CappedPercentagesShowTheStoredValue)
{
    tarief().AdvieskostenMethode0 = 3;
    tarief().InschrijvingMethode = 1;
    open();
    EXPECT_TRUE(h.control<Frame>("fraBemiddelingsvergoeding").visible());
    txt("txtPcAdvieskosten").type(u"12"_s);
    EXPECT_TRUE(txt("txtPcAdvieskosten").leave());
    EXPECT_EQ(tarief().PcAdvieskosten.get(), 9.0);
    EXPECT_EQ(txt("txtPcAdvieskosten").text(), "9");
    txt("txtPc_Inschrijving").type(u"150"_s);
    EXPECT_TRUE(txt("txtPc_Inschrijving").leave());
    EXPECT_EQ(tarief().InschrijvingPercentage.get(), 99.0);
    EXPECT_EQ(txt("txtPc_Inschrijving").text(), "99");
    txt("txtPc_Inschrijving").type(u"2,5"_s);
    EXPECT_TRUE(txt("txtPc_Inschrijving").leave());
    EXPECT_EQ(tarief().InschrijvingPercentage.get(), 2.5);
    EXPECT_TRUE(h.ui().messages().empty());
}

// With "Percentage" the loan row shows its percentage part and the amount,
// now the minimum, moves to its right; otherwise the amount takes its place.
TEST_F(SetupTariefTest, LoanFeePercentagePlacesTheMinimumBesideIt)
{
    open();
    auto& frame = h.control<Frame>("fraBemiddelingsvergoeding");
    TextBox& amount = txt("txtAdvieskosten", 0);
    EXPECT_FALSE(frame.visible());
    EXPECT_EQ(amount.left(), frame.left());
    ASSERT_TRUE(cbo("cboAdvieskosten", 0).choose(u"Percentage"_s));
    EXPECT_EQ(tarief().AdvieskostenMethode0.get(), 3);
    EXPECT_TRUE(frame.visible());
    EXPECT_GT(amount.left(), frame.right());
    ASSERT_TRUE(cbo("cboAdvieskosten", 4).choose(u"Per uur"_s));
    EXPECT_EQ(tarief().AdvieskostenMethode4.get(), 2);
}

// An amount that is no number is the page's error; the stored amount stays
// and the field shows it again.
TEST_F(SetupTariefTest, AmountThatIsNoNumberKeepsTheStoredValue)
{
    tarief().Dossiervergoeding = 350;
    open();
    txt("txtAdvieskosten", 2).type(u"1.500,25"_s);
    EXPECT_TRUE(txt("txtAdvieskosten", 2).leave());
    EXPECT_EQ(tarief().AdvieskostenBedrag2.get(), 1500.25);
    txt("txtDossiervergoeding").type(u"veel"_s);
    txt("txtDossiervergoeding").leave();
    EXPECT_EQ(tarief().Dossiervergoeding.get(), 350.0);
    EXPECT_EQ(txt("txtDossiervergoeding").text(), "350,00");
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors().front().ProcedureName, "txtDossiervergoeding_Validation");
    EXPECT_EQ(h.errors().front().Context, "Instellingen - Tarieven");

    bool cancel = false;
    h.page().Validation(cancel, 0);
    EXPECT_FALSE(cancel);
}
