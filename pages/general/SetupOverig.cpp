#include "pages/general/SetupOverig.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/YesNo.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CalculationSettings.h"
#include "framework/util/NumberText.h"

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6000;
constexpr int LabelWidth = 2655;
constexpr int NumberWidth = 795;
constexpr double MaxWaardestijging = 99;
// The ages at which scenarios can sensibly end.
constexpr int MinEindleeftijd = 18;
constexpr int MaxEindleeftijd = 110;

bool isWholeNumber(double value) { return value == std::floor(value); }

// The typed end age when it is a whole number of years in the sensible range.
std::optional<qint16> typedAge(const TextBox& box)
{
    const std::optional<double> age = typedNumber(box);
    if (!age || !isWholeNumber(*age) || *age < MinEindleeftijd || *age > MaxEindleeftijd)
        return std::nullopt;
    return qint16(*age);
}

} // namespace

SetupOverig::SetupOverig() : SettingsPage(u"SetupOverig"_s)
{
    auto& fraAlgemeen = add<Frame>(form(), u"fraBerekeningen"_s, u"Algemeen"_s, 0);
    auto& lblAantalJaren = add<Label>(fraAlgemeen, u"lblAantalJaren"_s, u"Aantal jaren"_s);
    txtAantalJaren = &add<TextBox>(fraAlgemeen, u"txtAantalJaren"_s);
    auto& lblJaar = add<Label>(fraAlgemeen, u"lblJaar"_s, u"jaar"_s);
    auto& lblHuur = add<Label>(fraAlgemeen, u"lblHuurstijging"_s, u"Huurstijging"_s);
    txtHuurstijging = &add<TextBox>(fraAlgemeen, u"txtHuurstijging"_s);
    auto& lblHuurPc = add<Label>(fraAlgemeen, u"lblProcent"_s, u"%"_s, 0);
    auto& lblPand = add<Label>(fraAlgemeen, u"lblPcWaardePand"_s, u"Waardestijging woning"_s);
    txtPcWaardePand = &add<TextBox>(fraAlgemeen, u"txtPcWaardePand"_s);
    auto& lblPandPc = add<Label>(fraAlgemeen, u"lblProcent"_s, u"%"_s, 1);
    auto& lblContant = add<Label>(fraAlgemeen, u"lblPcContanteWaarde"_s, u"Rekenrente contante waarde"_s);
    txtPcContanteWaarde = &add<TextBox>(fraAlgemeen, u"txtPcContanteWaarde"_s);
    auto& lblContantPc = add<Label>(fraAlgemeen, u"lblProcent"_s, u"%"_s, 2);
    auto& lblOverwaarde = add<Label>(fraAlgemeen, u"lblOverwaarde"_s, u"Overwaarde meenemen"_s);
    auto& jnOverwaarde = add<YesNo>(fraAlgemeen, u"jnOverwaarde"_s);
    auto& lblNbi = add<Label>(fraAlgemeen, u"lblControleNbiSituatie"_s, u"Controle netto besteedbaar inkomen o.b.v."_s);
    auto& optHuidig = add<OptionButton>(fraAlgemeen, u"optControleNbiSituatie"_s, u"Huidige situatie"_s, 0);
    auto& optNaAdvies = add<OptionButton>(fraAlgemeen, u"optControleNbiSituatie"_s, u"Situatie na advies"_s, 1);
    auto& hntNbi =
        add<Hint>(fraAlgemeen, u"hntControleNbiSituatie"_s,
                  u"Met deze instelling kunt u aangeven of de controle van het gewenste netto besteedbaar inkomen "
                  "moet plaatsvinden op basis van de huidige situatie of situatie na advies (voorstel).\r\n"
                  "Huidige situatie: de financi\u00eble ruimte van het lopende kalenderjaar wordt in de "
                  "nbi-scenario's als gewenst netto besteedbaar inkomen genomen.\r\n"
                  "Situatie na advies: de financi\u00eble ruimte van het voorstel in het eerste kalenderjaar na "
                  "het advies wordt in de nbi-scenario's als gewenst netto besteedbaar inkomen genomen."_s);

    auto& fraScenarios = add<Frame>(form(), u"fraBerekeningen"_s, u"Scenario's"_s, 1);
    auto& lblDatum = add<Label>(fraScenarios, u"lblDatumScenarios"_s, u"Ingangsdatum scenario's"_s);
    txtDatumScenarios = &add<TextBox>(fraScenarios, u"txtDatumScenarios"_s);
    auto& lblEind = add<Label>(fraScenarios, u"lblEindLeeftijd"_s, u"Eindleeftijd scenario's"_s);
    txtEindLeeftijd = &add<TextBox>(fraScenarios, u"txtEindLeeftijd"_s);
    txtDatumScenarios->setLocked(true);

    auto& fraHeffingskortingen = add<Frame>(form(), u"fraHeffingskortingen"_s, u"Heffingskortingen"_s);
    auto& lblHeffing = add<Label>(fraHeffingskortingen, u"lblHeffingskortingen"_s,
                                  u"Hieronder zijn de heffingskortingen voor de fiscale berekening in te "
                                  "stellen."_s);
    const std::pair<int, QString> credits[] = {
        {0, u"Algemene heffingskorting"_s},
        {1, u"Arbeidskorting"_s},
        {2, u"Inkomensafhankelijke combinatiekorting"_s},
        {5, u"Ouderenkorting"_s},
        {6, u"Alleenstaande ouderenkorting"_s},
        {7, u"Werkbonus"_s},
        {8, u"Kindgebonden budget"_s},
    };
    RowLayout creditRows(fraHeffingskortingen, InnerWidth);
    creditRows.text(lblHeffing);
    for (const auto& [index, caption] : credits) {
        chkHeffingskorting[index] = &add<CheckBox>(fraHeffingskortingen, u"chkHeffingskorting"_s, caption, index);
        chkHeffingskorting[index]->Click.connect([this, i = index] { chkHeffingskorting_Click(i); });
        creditRows.line(*chkHeffingskorting[index]);
    }
    creditRows.finish();

    for (TextBox* box : {txtAantalJaren, txtHuurstijging, txtPcWaardePand, txtPcContanteWaarde, txtEindLeeftijd}) {
        box->setAlignment(Alignment::Right);
        box->setMaxLength(6);
    }
    txtAantalJaren->Validate.connect([this](bool& Cancel) { txtAantalJaren_Validation(Cancel); });
    txtPcContanteWaarde->Validate.connect([this](bool& Cancel) { txtPcContanteWaarde_Validation(Cancel); });
    txtHuurstijging->Validate.connect([this](bool& Cancel) { txtHuurstijging_Validation(Cancel); });
    txtPcWaardePand->Change.connect([this] { txtPcWaardePand_Change(); });
    txtPcWaardePand->Validate.connect([this](bool& Cancel) { txtPcWaardePand_Validation(Cancel); });
    txtEindLeeftijd->Change.connect([this] { txtEindLeeftijd_Change(); });
    txtEindLeeftijd->Validate.connect([this](bool& Cancel) { txtEindLeeftijd_Validation(Cancel); });
    bind(jnOverwaarde, &CalculationSettings::OverwaardeMeenemen);
    bindOptions({&optHuidig, &optNaAdvies}, &CalculationSettings::ControleNbiSituatie);
    lblNbi.setBuddy(&optHuidig);

    RowLayout(fraAlgemeen, InnerWidth)
        .row({{&lblAantalJaren, LabelWidth}, {txtAantalJaren, NumberWidth}, {&lblJaar, 0}})
        .row({{&lblHuur, LabelWidth}, {txtHuurstijging, NumberWidth}, {&lblHuurPc, 0}})
        .row({{&lblPand, LabelWidth}, {txtPcWaardePand, NumberWidth}, {&lblPandPc, 0}})
        .row({{&lblContant, LabelWidth}, {txtPcContanteWaarde, NumberWidth}, {&lblContantPc, 0}})
        .field(lblOverwaarde, jnOverwaarde, 1455, LabelWidth)
        .line(lblNbi)
        .row({{&optHuidig, LabelWidth}, {&optNaAdvies, 0}})
        .text(hntNbi)
        .finish();
    RowLayout(fraScenarios, InnerWidth)
        .field(lblDatum, *txtDatumScenarios, 1200, LabelWidth)
        .field(lblEind, *txtEindLeeftijd, NumberWidth, LabelWidth)
        .finish();
    shows(*txtAantalJaren, &CalculationSettings::AantalJarenOverzicht);
    shows(*txtHuurstijging, &CalculationSettings::Huurstijging);
    shows(*txtPcWaardePand, &CalculationSettings::PcWaardestijgingPand);
    shows(*txtPcContanteWaarde, &CalculationSettings::RekenrenteContanteWaarde);
    // The page stores a sensible age itself and refuses the rest with its own
    // message; the binding keeps what is stored for anything else, so that
    // the window can still mark the age as changed and put its default back.
    bind(*txtEindLeeftijd, &CalculationSettings::EindleeftijdScenarios)
        .whenLeft()
        .convert([](const QVariant& stored) { return stored; },
                 [this](const QVariant& typed) -> QVariant {
                     bool whole = false;
                     const int age = typed.toString().trimmed().toInt(&whole);
                     if (whole && age >= MinEindleeftijd && age <= MaxEindleeftijd)
                         return age;
                     return Setup<CalculationSettings>().EindleeftijdScenarios.get();
                 });
    shows(*txtDatumScenarios, &CalculationSettings::IngangsjaarScenarios);
    std::vector<CheckBox*> creditBoxes;
    for (CheckBox* box : chkHeffingskorting) {
        if (box)
            creditBoxes.push_back(box);
    }
    showsBits(creditBoxes, &CalculationSettings::Heffingskortingen);
    stackFrames({&fraAlgemeen, &fraScenarios, &fraHeffingskortingen});
}

void SetupOverig::Fill()
{
    CalculationSettings& s = Setup<CalculationSettings>();
    const int year = CDate(app().SysteemDatum()).year();
    txtDatumScenarios->setText(u"1-1-%1"_s.arg(year + s.IngangsjaarScenarios.get()));
    txtAantalJaren->setText(QString::number(s.AantalJarenOverzicht.get()));
    txtHuurstijging->setText(numberText(s.Huurstijging));
    txtPcWaardePand->setText(numberText(s.PcWaardestijgingPand));
    txtEindLeeftijd->setText(QString::number(s.EindleeftijdScenarios.get()));
    if (s.RekenrenteContanteWaarde == 0)
        s.RekenrenteContanteWaarde = StandaardRekenrente;
    txtPcContanteWaarde->setText(numberText(s.RekenrenteContanteWaarde));
    const qint16 bits = s.Heffingskortingen;
    for (std::size_t i = 0; i < chkHeffingskorting.size(); ++i) {
        if (chkHeffingskorting[i])
            chkHeffingskorting[i]->setChecked(bits == 0 || (bits & HeffingskortingBit[i]) != 0);
    }
}

// The set is rebuilt from the boxes as shown. Unticking every box stores a
// bit of its own, so that "none" is not read back as "never chosen" (all).
void SetupOverig::chkHeffingskorting_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] {
        qint16 bits = 0;
        for (std::size_t i = 0; i < chkHeffingskorting.size(); ++i) {
            if (chkHeffingskorting[i] && chkHeffingskorting[i]->isChecked())
                bits = qint16(bits | HeffingskortingBit[i]);
        }
        Setup<CalculationSettings>().Heffingskortingen = bits == 0 ? CalculationSettings::GeenHeffingskortingen : bits;
    });
}

std::vector<ValidationCheck> SetupOverig::validationChecks()
{
    return {
        {1,
         [this] {
             // A number of whole years: "10,5" is refused, not rounded.
             const std::optional<double> years = typedNumber(*txtAantalJaren);
             if (years && isWholeNumber(*years) && *years >= 1 && *years <= 50)
                 return true;
             return failCheck(u"Aantal jaren overzicht van 1 t/m 50 invullen."_s, Titel(), txtAantalJaren);
         }},
        // The message names 0% as the lower bound, so a negative rate is refused as well.
        {20,
         [this] {
             const std::optional<double> rate = typedNumber(*txtPcContanteWaarde);
             if (rate && *rate >= 0 && *rate <= 20)
                 return true;
             return failCheck(u"Percentage van 0% t/m 20% invullen."_s, u"Ongeldige invoer"_s, txtPcContanteWaarde);
         }},
    };
}

void SetupOverig::txtAantalJaren_Validation(bool& Cancel)
{
    guarded([&] {
        Validation(Cancel, 1);
        if (!Cancel)
            Setup<CalculationSettings>().AantalJarenOverzicht.fromVariant(txtAantalJaren->text());
    });
}

void SetupOverig::txtPcContanteWaarde_Validation(bool& Cancel)
{
    guarded([&] {
        Validation(Cancel, 20);
        if (!Cancel)
            Setup<CalculationSettings>().RekenrenteContanteWaarde = CDbl(txtPcContanteWaarde->text());
    });
}

// The message asks for a percentage between 0 and 100, so both bounds are
// checked, and an empty box or text that is no number gets it as well.
void SetupOverig::txtHuurstijging_Validation(bool& Cancel)
{
    guarded([&] {
        const std::optional<double> rise = typedNumber(*txtHuurstijging);
        if (!rise || *rise < 0 || *rise > 100) {
            Cancel = true;
            failCheck(u"Voor a.u.b. een percentage tussen 0 en 100% in."_s, Titel(), txtHuurstijging);
            return;
        }
        Setup<CalculationSettings>().Huurstijging = *rise;
    });
}

// Stored as typed, at most 99; a text that is no number yet waits for the leave.
void SetupOverig::txtPcWaardePand_Change()
{
    if (IsLoading)
        return;
    if (const std::optional<double> growth = typedNumber(*txtPcWaardePand))
        Setup<CalculationSettings>().PcWaardestijgingPand = std::min(*growth, MaxWaardestijging);
}

void SetupOverig::txtPcWaardePand_Validation(bool& Cancel)
{
    guarded([&] {
        const std::optional<double> growth = typedNumber(*txtPcWaardePand);
        if (!growth) {
            Cancel = true;
            failCheck(u"Voer a.u.b. een percentage in voor de waardestijging van de woning."_s, Titel(),
                      txtPcWaardePand);
            return;
        }
        Setup<CalculationSettings>().PcWaardestijgingPand = std::min(*growth, MaxWaardestijging);
    });
}

// Stored as typed once it is a sensible age; anything else waits for the leave.
void SetupOverig::txtEindLeeftijd_Change()
{
    if (IsLoading)
        return;
    if (const std::optional<qint16> age = typedAge(*txtEindLeeftijd))
        Setup<CalculationSettings>().EindleeftijdScenarios = *age;
}

void SetupOverig::txtEindLeeftijd_Validation(bool& Cancel)
{
    guarded([&] {
        const std::optional<qint16> age = typedAge(*txtEindLeeftijd);
        if (!age) {
            Cancel = true;
            failCheck(
                u"Voer a.u.b. een eindleeftijd van %1 t/m %2 jaar in."_s.arg(MinEindleeftijd).arg(MaxEindleeftijd),
                Titel(), txtEindLeeftijd);
            return;
        }
        Setup<CalculationSettings>().EindleeftijdScenarios = *age;
    });
}

} // namespace tarvelo
