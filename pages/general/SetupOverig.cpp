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
#include <optional>

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6000;
constexpr int LabelWidth = 2655;
constexpr int NumberWidth = 795;
constexpr double MaxWaardestijging = 99;

} // namespace

SetupOverig::SetupOverig() : SettingsPage(QStringLiteral("SetupOverig"))
{
    auto& fraAlgemeen = add<Frame>(form(), QStringLiteral("fraBerekeningen"), QStringLiteral("Algemeen"), 0);
    auto& lblAantalJaren = add<Label>(fraAlgemeen, QStringLiteral("lblAantalJaren"), QStringLiteral("Aantal jaren"));
    txtAantalJaren = &add<TextBox>(fraAlgemeen, QStringLiteral("txtAantalJaren"));
    auto& lblJaar = add<Label>(fraAlgemeen, QStringLiteral("lblJaar"), QStringLiteral("jaar"));
    auto& lblHuur = add<Label>(fraAlgemeen, QStringLiteral("lblHuurstijging"), QStringLiteral("Huurstijging"));
    txtHuurstijging = &add<TextBox>(fraAlgemeen, QStringLiteral("txtHuurstijging"));
    auto& lblHuurPc = add<Label>(fraAlgemeen, QStringLiteral("lblProcent"), QStringLiteral("%"), 0);
    auto& lblPand = add<Label>(fraAlgemeen, QStringLiteral("lblPcWaardePand"), QStringLiteral("Waardestijging woning"));
    txtPcWaardePand = &add<TextBox>(fraAlgemeen, QStringLiteral("txtPcWaardePand"));
    auto& lblPandPc = add<Label>(fraAlgemeen, QStringLiteral("lblProcent"), QStringLiteral("%"), 1);
    auto& lblContant = add<Label>(fraAlgemeen, QStringLiteral("lblPcContanteWaarde"),
                                  QStringLiteral("Rekenrente contante waarde"));
    txtPcContanteWaarde = &add<TextBox>(fraAlgemeen, QStringLiteral("txtPcContanteWaarde"));
    auto& lblContantPc = add<Label>(fraAlgemeen, QStringLiteral("lblProcent"), QStringLiteral("%"), 2);
    auto& lblOverwaarde = add<Label>(fraAlgemeen, QStringLiteral("lblOverwaarde"), QStringLiteral("Overwaarde meenemen"));
    auto& jnOverwaarde = add<YesNo>(fraAlgemeen, QStringLiteral("jnOverwaarde"));
    auto& lblNbi = add<Label>(fraAlgemeen, QStringLiteral("lblControleNbiSituatie"),
                              QStringLiteral("Controle netto besteedbaar inkomen o.b.v."));
    auto& optHuidig = add<OptionButton>(fraAlgemeen, QStringLiteral("optControleNbiSituatie"),
                                        QStringLiteral("Huidige situatie"), 0);
    auto& optNaAdvies = add<OptionButton>(fraAlgemeen, QStringLiteral("optControleNbiSituatie"),
                                          QStringLiteral("Situatie na advies"), 1);
    auto& hntNbi = add<Hint>(
        fraAlgemeen, QStringLiteral("hntControleNbiSituatie"),
        QStringLiteral("Met deze instelling kunt u aangeven of de controle van het gewenste netto besteedbaar inkomen "
                       "moet plaatsvinden op basis van de huidige situatie of situatie na advies (voorstel).\r\n"
                       "Huidige situatie: de financi\u00eble ruimte van het lopende kalenderjaar wordt in de "
                       "nbi-scenario's als gewenst netto besteedbaar inkomen genomen.\r\n"
                       "Situatie na advies: de financi\u00eble ruimte van het voorstel in het eerste kalenderjaar na "
                       "het advies wordt in de nbi-scenario's als gewenst netto besteedbaar inkomen genomen."));

    auto& fraScenarios = add<Frame>(form(), QStringLiteral("fraBerekeningen"), QStringLiteral("Scenario's"), 1);
    auto& lblDatum = add<Label>(fraScenarios, QStringLiteral("lblDatumScenarios"),
                                QStringLiteral("Ingangsdatum scenario's"));
    txtDatumScenarios = &add<TextBox>(fraScenarios, QStringLiteral("txtDatumScenarios"));
    auto& lblEind = add<Label>(fraScenarios, QStringLiteral("lblEindLeeftijd"), QStringLiteral("Eindleeftijd scenario's"));
    auto& txtEindLeeftijd = add<TextBox>(fraScenarios, QStringLiteral("txtEindLeeftijd"));
    txtDatumScenarios->setLocked(true);

    auto& fraHeffingskortingen =
        add<Frame>(form(), QStringLiteral("fraHeffingskortingen"), QStringLiteral("Heffingskortingen"));
    auto& lblHeffing = add<Label>(fraHeffingskortingen, QStringLiteral("lblHeffingskortingen"),
                                  QStringLiteral("Hieronder zijn de heffingskortingen voor de fiscale berekening in te "
                                                 "stellen."));
    const std::pair<int, QString> credits[] = {
        {0, QStringLiteral("Algemene heffingskorting")},
        {1, QStringLiteral("Arbeidskorting")},
        {2, QStringLiteral("Inkomensafhankelijke combinatiekorting")},
        {5, QStringLiteral("Ouderenkorting")},
        {6, QStringLiteral("Alleenstaande ouderenkorting")},
        {7, QStringLiteral("Werkbonus")},
        {8, QStringLiteral("Kindgebonden budget")},
    };
    RowLayout creditRows(fraHeffingskortingen, InnerWidth);
    creditRows.text(lblHeffing);
    for (const auto& [index, caption] : credits) {
        chkHeffingskorting[index] =
            &add<CheckBox>(fraHeffingskortingen, QStringLiteral("chkHeffingskorting"), caption, index);
        chkHeffingskorting[index]->Click.connect([this, i = index] { chkHeffingskorting_Click(i); });
        creditRows.line(*chkHeffingskorting[index], RowLayout::LabelHeight);
    }
    creditRows.finish();

    for (TextBox* box : {txtAantalJaren, txtHuurstijging, txtPcWaardePand, txtPcContanteWaarde, &txtEindLeeftijd}) {
        box->setAlignment(Alignment::Right);
        box->setMaxLength(6);
    }
    txtAantalJaren->Validate.connect([this](bool& Cancel) { txtAantalJaren_Validation(Cancel); });
    txtPcContanteWaarde->Validate.connect([this](bool& Cancel) { txtPcContanteWaarde_Validation(Cancel); });
    txtHuurstijging->Validate.connect([this](bool& Cancel) { txtHuurstijging_Validation(Cancel); });
    txtPcWaardePand->Change.connect([this] { txtPcWaardePand_Change(); });
    txtPcWaardePand->Validate.connect([this](bool&) { txtPcWaardePand_Validation(); });
    bind(txtEindLeeftijd, &CalculationSettings::EindleeftijdScenarios);
    bind(jnOverwaarde, &CalculationSettings::OverwaardeMeenemen);
    bindOptions({&optHuidig, &optNaAdvies}, &CalculationSettings::ControleNbiSituatie);

    RowLayout(fraAlgemeen, InnerWidth)
        .row({{&lblAantalJaren, LabelWidth}, {txtAantalJaren, NumberWidth}, {&lblJaar, 0}})
        .row({{&lblHuur, LabelWidth}, {txtHuurstijging, NumberWidth}, {&lblHuurPc, 0}})
        .row({{&lblPand, LabelWidth}, {txtPcWaardePand, NumberWidth}, {&lblPandPc, 0}})
        .row({{&lblContant, LabelWidth}, {txtPcContanteWaarde, NumberWidth}, {&lblContantPc, 0}})
        .field(lblOverwaarde, jnOverwaarde, 1455, LabelWidth)
        .line(lblNbi, RowLayout::LabelHeight)
        .row({{&optHuidig, LabelWidth}, {&optNaAdvies, 0}})
        .text(hntNbi)
        .finish();
    RowLayout(fraScenarios, InnerWidth)
        .field(lblDatum, *txtDatumScenarios, 1200, LabelWidth)
        .field(lblEind, txtEindLeeftijd, NumberWidth, LabelWidth)
        .finish();
    stackFrames({&fraAlgemeen, &fraScenarios, &fraHeffingskortingen});
}

void SetupOverig::Fill()
{
    CalculationSettings& s = Setup<CalculationSettings>();
    const int year = CDate(app().SysteemDatum()).year();
    txtDatumScenarios->setText(QStringLiteral("1-1-%1").arg(year + s.IngangsjaarScenarios.get()));
    txtAantalJaren->setText(QString::number(s.AantalJarenOverzicht.get()));
    txtHuurstijging->setText(numberText(s.Huurstijging));
    txtPcWaardePand->setText(numberText(s.PcWaardestijgingPand));
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
             const std::optional<double> years = typedNumber(*txtAantalJaren);
             if (years && *years >= 1 && *years <= 50)
                 return true;
             return failCheck(QStringLiteral("Aantal jaren overzicht van 1 t/m 50 invullen."), Titel(), txtAantalJaren);
         }},
        // The message names 0% as the lower bound, so a negative rate is refused as well.
        {20,
         [this] {
             const std::optional<double> rate = typedNumber(*txtPcContanteWaarde);
             if (rate && *rate >= 0 && *rate <= 20)
                 return true;
             return failCheck(QStringLiteral("Percentage van 0% t/m 20% invullen."), QStringLiteral("Ongeldige invoer"),
                              txtPcContanteWaarde);
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

// The message asks for a percentage between 0 and 100, so both bounds are checked.
void SetupOverig::txtHuurstijging_Validation(bool& Cancel)
{
    guarded([&] {
        const double rise = CDbl(txtHuurstijging->text()); // no number: reported, the stored value stays
        if (rise < 0 || rise > 100) {
            Cancel = true;
            failCheck(QStringLiteral("Voor a.u.b. een percentage tussen 0 en 100% in."), Titel(), txtHuurstijging);
            return;
        }
        Setup<CalculationSettings>().Huurstijging = rise;
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

void SetupOverig::txtPcWaardePand_Validation()
{
    guarded([&] { Setup<CalculationSettings>().PcWaardestijgingPand = std::min(CDbl(txtPcWaardePand->text()), MaxWaardestijging); });
}

} // namespace tarvelo
