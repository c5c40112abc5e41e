#include "pages/general/SetupOverig.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/page/Bindings.h"
#include "framework/settings/CalculationSettings.h"
#include "tests/support/PageTest.h"

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupOverigTest : PageTest {
    SettingsPage& open()
    {
        h.app().setSysteemDatum(QDate(2026, 12, 7));
        return h.open("SetupOverig");
    }
    CalculationSettings& calc() { return h.setup().get<CalculationSettings>(); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    CheckBox& chk(int index) { return h.control<CheckBox>("chkHeffingskorting", index); }
    static constexpr int boxes[] = {0, 1, 2, 5, 6, 7, 8};
};
} // namespace

// The fill must show every value, the scenario date from the host's year, and write the default rate back.
TEST_F(SetupOverigTest, FillShowsValuesAndWritesDefaultRate)
{
    calc().IngangsjaarScenarios = 2;
    calc().AantalJarenOverzicht = 30;
    calc().Huurstijging = 2.5;
    calc().EindleeftijdScenarios = 85;
    calc().PcWaardestijgingPand = 1.75;
    calc().OverwaardeMeenemen = true;
    calc().RekenrenteContanteWaarde = 0;
    calc().ControleNbiSituatie = 1;
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Berekeningen");
    EXPECT_EQ(txt("txtDatumScenarios").text(), "1-1-2028");
    EXPECT_EQ(txt("txtAantalJaren").text(), "30");
    EXPECT_EQ(txt("txtHuurstijging").text(), "2,5");
    EXPECT_EQ(txt("txtEindLeeftijd").text(), "85");
    EXPECT_EQ(txt("txtPcWaardePand").text(), "1,75");
    EXPECT_EQ(txt("txtPcContanteWaarde").text(), "4");
    EXPECT_EQ(calc().RekenrenteContanteWaarde.get(), SetupOverig::StandaardRekenrente);
    EXPECT_EQ(h.control<YesNo>("jnOverwaarde").value(), YesNo::Ja);
    EXPECT_TRUE(h.control<OptionButton>("optControleNbiSituatie", 1).value());
    EXPECT_EQ(h.control<Frame>("fraHeffingskortingen").caption(), "Heffingskortingen");
    EXPECT_EQ(h.control<Label>("lblHeffingskortingen").caption(),
              "Hieronder zijn de heffingskortingen voor de fiscale berekening in te stellen.");
    EXPECT_TRUE(h.control<Hint>("hntControleNbiSituatie")
                    .text()
                    .startsWith("Met deze instelling kunt u aangeven of de controle van het gewenste netto besteedbaar "
                                "inkomen moet plaatsvinden op basis van de huidige situatie of situatie na advies "
                                "(voorstel)."));
    EXPECT_EQ(chk(7).caption(), "Werkbonus");
    EXPECT_EQ(chk(8).caption(), "Kindgebonden budget");
    EXPECT_EQ(chk(2).caption(), "Inkomensafhankelijke combinatiekorting");
    EXPECT_TRUE(h.errors().empty());
}

// The credit boxes must follow their bits; a stored 0 ticks all, and the first click stores the boxes as shown.
TEST_F(SetupOverigTest, TaxCreditBits)
{
    calc().Heffingskortingen = 0;
    open();
    for (int i : boxes)
        EXPECT_TRUE(chk(i).isChecked()) << i;
    chk(0).click();
    EXPECT_EQ(qint16(calc().Heffingskortingen), 2 + 1024 + 128 + 256 + 2048 + 4);

    calc().Heffingskortingen = 2052;
    open();
    for (int i : boxes)
        EXPECT_EQ(chk(i).isChecked(), i == 7 || i == 8) << i;

    calc().Heffingskortingen = 1;
    open();
    chk(0).click();
    chk(7).click();
    chk(8).click();
    EXPECT_EQ(qint16(calc().Heffingskortingen), 2052);
}

// Unticking every credit must come back as none, not as the "never chosen" all.
TEST_F(SetupOverigTest, NoCreditsSurvivesTheRoundTrip)
{
    calc().Heffingskortingen = 2;
    open();
    chk(1).click();
    EXPECT_NE(qint16(calc().Heffingskortingen), 0);
    open();
    for (int i : boxes)
        EXPECT_FALSE(chk(i).isChecked()) << i;
    chk(8).click();
    EXPECT_EQ(qint16(calc().Heffingskortingen), 4); // the marker goes once a credit is chosen
}

// Leaving the overview length and the discount rate runs checks 1 and 20 with their messages and captions.
TEST_F(SetupOverigTest, LeaveChecksOfLengthAndRate)
{
    calc().AantalJarenOverzicht = 30;
    calc().RekenrenteContanteWaarde = 3;
    open();
    struct Case {
        const char* box;
        const char* text;
        bool accepted;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {"txtAantalJaren", "0", false, "Aantal jaren overzicht van 1 t/m 50 invullen.", "Berekeningen"},
        {"txtAantalJaren", "51", false, "Aantal jaren overzicht van 1 t/m 50 invullen.", "Berekeningen"},
        {"txtAantalJaren", "veel", false, "Aantal jaren overzicht van 1 t/m 50 invullen.", "Berekeningen"},
        {"txtAantalJaren", "50", true, "", ""},
        {"txtPcContanteWaarde", "20,5", false, "Percentage van 0% t/m 20% invullen.", "Ongeldige invoer"},
        {"txtPcContanteWaarde", "-1", false, "Percentage van 0% t/m 20% invullen.", "Ongeldige invoer"},
        {"txtPcContanteWaarde", "20", true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        const std::size_t before = h.ui().messages().size();
        if (!c.accepted)
            h.ui().answerMessage(MsgResult::OK);
        txt(c.box).type(QString::fromUtf8(c.text));
        EXPECT_EQ(txt(c.box).leave(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(h.ui().messages().size(), before);
            continue;
        }
        ASSERT_EQ(h.ui().messages().size(), before + 1);
        EXPECT_EQ(h.ui().messages().back().text, c.message);
        EXPECT_EQ(h.ui().messages().back().caption, c.caption);
        EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(qint16(calc().AantalJarenOverzicht), 50);
    EXPECT_EQ(calc().RekenrenteContanteWaarde.get(), 20.0);
    EXPECT_TRUE(h.errors().empty());
}

// Validation(0) must stop at the first failing check; a refused length is never stored.
TEST_F(SetupOverigTest, ValidationRunsChecksInOrder)
{
    calc().AantalJarenOverzicht = 30;
    calc().RekenrenteContanteWaarde = 3;
    auto& page = open();
    txt("txtAantalJaren").type("0");
    txt("txtPcContanteWaarde").type("25");
    h.ui().answerMessage(MsgResult::OK);
    bool cancel = false;
    page.Validation(cancel, 0);
    EXPECT_TRUE(cancel);
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "Aantal jaren overzicht van 1 t/m 50 invullen.");
    EXPECT_EQ(qint16(calc().AantalJarenOverzicht), 30);
    h.ui().answerMessage(MsgResult::OK);
    cancel = false;
    page.Validation(cancel, 20);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(h.ui().messages().back().caption, "Ongeldige invoer");
}

// Rent growth must lie in 0..100; house-price growth is capped at 99; bad numbers are reported, old values kept.
TEST_F(SetupOverigTest, RentAndHousePriceGrowth)
{
    calc().Huurstijging = 2;
    calc().PcWaardestijgingPand = 3;
    open();
    for (const char* refused : {"150", "-5"}) {
        SCOPED_TRACE(refused);
        h.ui().answerMessage(MsgResult::OK);
        txt("txtHuurstijging").type(refused);
        EXPECT_FALSE(txt("txtHuurstijging").leave());
        EXPECT_EQ(h.ui().messages().back().text, "Voor a.u.b. een percentage tussen 0 en 100% in.");
        EXPECT_EQ(calc().Huurstijging.get(), 2.0);
    }
    txt("txtHuurstijging").type("3,5");
    EXPECT_TRUE(txt("txtHuurstijging").leave());
    EXPECT_EQ(calc().Huurstijging.get(), 3.5);

    txt("txtPcWaardePand").type("150");
    EXPECT_EQ(calc().PcWaardestijgingPand.get(), 99.0);
    txt("txtPcWaardePand").type("2,5");
    EXPECT_EQ(calc().PcWaardestijgingPand.get(), 2.5);
    EXPECT_TRUE(txt("txtPcWaardePand").leave());
    EXPECT_EQ(calc().PcWaardestijgingPand.get(), 2.5);
    EXPECT_TRUE(h.errors().empty());
}

// Text that is no number, and an end age outside 18 to 110, are told in a message box like the page's other
// checks: the user stays in the box and the stored value is kept; no error report.
TEST_F(SetupOverigTest, TextThatIsNoNumberIsToldAndNotStored)
{
    calc().Huurstijging = 2;
    calc().PcWaardestijgingPand = 3;
    calc().EindleeftijdScenarios = 85;
    open();
    const QString rent = u"Voor a.u.b. een percentage tussen 0 en 100% in."_s;
    const QString growth = u"Voer a.u.b. een percentage in voor de waardestijging van de woning."_s;
    const QString age = u"Voer a.u.b. een eindleeftijd van 18 t/m 110 jaar in."_s;
    struct Case {
        const char* box;
        const char* text;
        const QString& message;
    };
    const Case cases[] = {
        {"txtHuurstijging", "", rent},    {"txtHuurstijging", "twee", rent}, {"txtPcWaardePand", "", growth},
        {"txtPcWaardePand", "x", growth}, {"txtEindLeeftijd", "", age},      {"txtEindLeeftijd", "oud", age},
        {"txtEindLeeftijd", "17", age},   {"txtEindLeeftijd", "111", age},   {"txtEindLeeftijd", "70000", age},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " '" + c.text + "'");
        const std::size_t before = h.ui().messages().size();
        h.ui().answerMessage(MsgResult::OK);
        txt(c.box).setFocus();
        txt(c.box).type(QString::fromUtf8(c.text));
        EXPECT_FALSE(txt(c.box).leave());
        EXPECT_TRUE(txt(c.box).hasFocus());
        ASSERT_EQ(h.ui().messages().size(), before + 1);
        EXPECT_EQ(h.ui().messages().back().text, c.message);
        EXPECT_EQ(h.ui().messages().back().caption, "Berekeningen");
        EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(calc().Huurstijging.get(), 2.0);
        EXPECT_EQ(calc().PcWaardestijgingPand.get(), 3.0);
        EXPECT_EQ(qint16(calc().EindleeftijdScenarios), 85);
    }
    EXPECT_TRUE(h.errors().empty());
    for (const char* accepted : {"18", "110"}) {
        txt("txtEindLeeftijd").type(QString::fromLatin1(accepted));
        EXPECT_TRUE(txt("txtEindLeeftijd").leave()) << accepted;
        EXPECT_EQ(qint16(calc().EindleeftijdScenarios), QString::fromLatin1(accepted).toShort());
    }
}

// The scenario start is an unsigned 8-bit number of years: 0 to 255, nothing below or above.
TEST_F(SetupOverigTest, ScenarioStartIsAnUnsigned8BitValue)
{
    Settings& setup = h.setup();
    setup.setValue(u"IngangsjaarScenarios"_s, 255);
    EXPECT_EQ(setup.value(u"IngangsjaarScenarios"_s).toInt(), 255);
    EXPECT_EQ(setup.value(u"IngangsjaarScenarios"_s).toString(), "255");
    for (const int outside : {256, -1}) {
        try {
            setup.setValue(u"IngangsjaarScenarios"_s, outside);
            ADD_FAILURE() << outside << " was accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 6) << outside;
        }
    }
    EXPECT_EQ(setup.value(u"IngangsjaarScenarios"_s).toInt(), 255);
    calc().IngangsjaarScenarios = 200;
    open();
    EXPECT_EQ(txt("txtDatumScenarios").text(), "1-1-2226");
}

// The overview length is a whole number of years: "10,5" is refused with the check's message, not rounded and
// stored without a word.
TEST_F(SetupOverigTest, AFractionOfYearsIsRefused)
{
    calc().AantalJarenOverzicht = 30;
    open();
    for (const char* fraction : {"10,5", "1,5", "49,9"}) {
        SCOPED_TRACE(fraction);
        h.ui().answerMessage(MsgResult::OK);
        txt("txtAantalJaren").type(QString::fromLatin1(fraction));
        EXPECT_FALSE(txt("txtAantalJaren").leave());
        EXPECT_EQ(h.ui().messages().back().text, "Aantal jaren overzicht van 1 t/m 50 invullen.");
        EXPECT_EQ(h.ui().messages().back().caption, "Berekeningen");
        EXPECT_EQ(qint16(calc().AantalJarenOverzicht), 30);
    }
    txt("txtAantalJaren").type(u"10"_s);
    EXPECT_TRUE(txt("txtAantalJaren").leave());
    EXPECT_EQ(qint16(calc().AantalJarenOverzicht), 10);
    EXPECT_TRUE(h.errors().empty());
}

// The page stores the end age itself; the window still marks it as changed
// and can put its default back.
TEST_F(SetupOverigTest, TheEndAgeIsMarkedAndGoesBackToItsDefault)
{
    calc().EindleeftijdScenarios = 85;
    SettingsPage& page = open();
    Binding* binding = page.settingBindings().bindingOf(txt("txtEindLeeftijd"));
    ASSERT_NE(binding, nullptr);
    EXPECT_TRUE(binding->differsFromDefault());
    EXPECT_TRUE(binding->resetToDefault());
    EXPECT_EQ(calc().EindleeftijdScenarios.defaultVariant().toInt(), qint16(calc().EindleeftijdScenarios));
    EXPECT_FALSE(binding->differsFromDefault());
    EXPECT_TRUE(h.errors().empty());
}
