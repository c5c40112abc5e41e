#include "pages/advice/SetupOverzicht.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/YesNo.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/OverviewSettings.h"

#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// The right column is wide enough for its longest caption, the spread-payment box.
constexpr int InnerWidth = 8100;
constexpr int ColumnWidth = 2535;

constexpr qint16 NibudAan = 1;
constexpr qint16 NibudUit = 2;

const QString HintEersteJaar =
    u"Met deze instelling op 'ja' worden alleen de lasten vanaf de ingangsdatum van het nieuwe advies "
    "meegenomen in de lastenoverzichten. "_s +
    u"Loopt het advies bijvoorbeeld nog 6 maanden in het huidige kalenderjaar dan worden de lasten van "
    "die 6 maanden opgeteld en gedeeld door 6."_s +
    u"\r\n"_s +
    u"Staat de instelling op 'nee' dan worden de huidige lasten tot aan de ingangsdatum van het nieuwe "
    "advies ook meegenomen in de lastenoverzichten. "_s +
    u"Bij een ingangsdatum van 1 juli worden de 6 maanden huidige lasten en 6 maanden nieuwe lasten "
    "opgeteld bij elkaar en gedeeld door 12."_s +
    u"\r\n"_s +
    u"Let op! Deze instelling heeft alleen invloed op de lastenoverzichten. Netto besteedbaar inkomen "
    "blijft over het gehele kalenderjaar genomen worden."_s;
} // namespace

SetupOverzicht::SetupOverzicht() : SettingsPage(u"SetupOverzicht"_s)
{
    auto& fraOverzichten = add<Frame>(form(), u"fraOverzichten"_s, u"Meenemen in lastenoverzicht"_s);
    auto& lblProductlasten = add<Label>(fraOverzichten, u"lblProductlasten"_s, u"Productlasten"_s);
    auto& lblOverigeLasten = add<Label>(fraOverzichten, u"lblOverigeLasten"_s, u"Overige lasten"_s);
    const auto box = [&](const char* name, const char* caption) -> CheckBox& {
        return add<CheckBox>(fraOverzichten, QString::fromLatin1(name), QString::fromUtf8(caption));
    };
    // Product charges on the left, other charges on the right, row by row.
    auto& chkTelecom = box("chkTelecomOpOverzicht", "Telecomproducten");
    auto& chkServicekosten = box("chkServicekosten", "Servicekosten");
    auto& chkEnergie = box("chkEnergieOpOverzicht", "Energieproducten");
    auto& chkBoeterente = box("chkBoeterente", "Boeterente");
    auto& chkUitvaart = box("chkUitvaartOpOverzicht", "Uitvaartverzekeringen");
    auto& chkNibud = box("chkNibud", "Uitgaven");
    auto& chkKrediet = box("chkKredietlastenVerrekenen", "Kredietlasten");
    auto& chkFinancieringskosten = box("chkFinancieringskostenMeerekenen", "Financieringskosten");
    auto& chkSchade = box("chkSchadeOpOverzicht", "Schadeverzekeringen");
    auto& chkErfpacht = box("chkErfpacht", "Erfpacht");
    auto& chkAbonnementen = box("chkAbonnementen", "Abonnementen");
    auto& chkGespreidBetalen = box("chkGespreidBetalen", "Gespreide betaling advieskosten en bemiddelingsvergoeding");
    auto& lblEersteJaar = add<Label>(fraOverzichten, u"lbl1eKalenderjaar"_s, u"1e jaar alleen nieuwe situatie tonen"_s);
    auto& In1eKalenderjaar = add<YesNo>(fraOverzichten, u"In1eKalenderjaar"_s);
    auto& hnt1eJaar = add<Hint>(fraOverzichten, u"hnt1eJaar"_s, HintEersteJaar);

    bind(chkServicekosten, &OverviewSettings::Servicekosten);
    bind(chkBoeterente, &OverviewSettings::Boeterente);
    // Stored as 1 (on) or 2 (off); a stored 0 means never chosen and becomes off.
    bind(chkNibud, &OverviewSettings::Nibud)
        .defaultWhenEmpty()
        .convert([](const QVariant& v) { return QVariant(v.toInt() == NibudAan); },
                 [](const QVariant& v) { return QVariant(v.toBool() ? NibudAan : NibudUit); });
    bind(chkTelecom, &OverviewSettings::TelecomOpOverzicht);
    bind(chkEnergie, &OverviewSettings::EnergieOpOverzicht);
    bind(chkUitvaart, &OverviewSettings::UitvaartOpOverzicht);
    bind(chkKrediet, &OverviewSettings::KredietlastenVerrekenen);
    bind(chkSchade, &OverviewSettings::SchadeOpOverzicht);
    bind(chkFinancieringskosten, &OverviewSettings::FinancieringskostenMeerekenen);
    bind(chkErfpacht, &OverviewSettings::Erfpacht);
    bind(chkAbonnementen, &OverviewSettings::AbonnementenOpOverzicht);
    bind(chkGespreidBetalen, &OverviewSettings::GespreidBetalen);
    // "Ja" shows only the new situation in the first year: the setting holds the opposite.
    bind(In1eKalenderjaar, &OverviewSettings::HuidigeLastenIn1eJaar).inverted();

    RowLayout(fraOverzichten, InnerWidth)
        .row({{&lblProductlasten, ColumnWidth}, {&lblOverigeLasten, 0}})
        .row({{&chkTelecom, ColumnWidth}, {&chkServicekosten, 0}})
        .row({{&chkEnergie, ColumnWidth}, {&chkBoeterente, 0}})
        .row({{&chkUitvaart, ColumnWidth}, {&chkNibud, 0}})
        .row({{&chkKrediet, ColumnWidth}, {&chkFinancieringskosten, 0}})
        .row({{&chkSchade, ColumnWidth}, {&chkErfpacht, 0}})
        .row({{&chkAbonnementen, ColumnWidth}, {&chkGespreidBetalen, 0}})
        .space(RowLayout::RowGap)
        .field(lblEersteJaar, In1eKalenderjaar, 1455, 3135)
        .text(hnt1eJaar)
        .finish();
    // Bold group captions, as the headings of the two columns.
    for (Label* heading : {&lblProductlasten, &lblOverigeLasten})
        heading->setFontBold(true);

    auto& fraLasten = add<Frame>(form(), u"fraLasten"_s, u"Verrekenen in lasten"_s);
    const char* const netting[NettingBoxes][2] = {
        {"chkUitkeringen", "Uitkeringen uit financi\u00eble dekkingen"},
        {"chkAflossingen", "Aflossingen hypotheek (niet zijnde: annu\u00eftair en lineair)"},
        {"chkAanvangsstortingen", "Aanvangsstortingen/eerste inleg"},
        {"chkExtraStortingen", "Extra stortingen"},
        {"chkOnttrekkingen", "Onttrekkingen"},
        {"chkExtraOpnames", "Extra opnames"},
    };
    RowLayout lastenRows(fraLasten, InnerWidth);
    for (int i = 0; i < NettingBoxes; ++i) {
        nettingBoxes_[i] =
            &add<CheckBox>(fraLasten, QString::fromLatin1(netting[i][0]), QString::fromUtf8(netting[i][1]));
        nettingBoxes_[i]->Click.connect([this] { Update_TeVerrekenenLasten(); });
        lastenRows.line(*nettingBoxes_[i]);
    }
    lastenRows.finish();

    stackFrames({&fraOverzichten, &fraLasten});
}

void SetupOverzicht::Fill()
{
    const QScopedValueRollback filling(IsLoading, true);
    const qint32 bits = Setup<OverviewSettings>().TeVerrekenenLasten;
    for (int i = 0; i < NettingBoxes; ++i)
        nettingBoxes_[i]->setChecked(bits & (1 << i));
}

// The whole set is rebuilt from the boxes: bits without a box are not kept.
void SetupOverzicht::Update_TeVerrekenenLasten()
{
    if (IsLoading)
        return;
    guarded([this] {
        qint32 bits = 0;
        for (int i = 0; i < NettingBoxes; ++i) {
            if (nettingBoxes_[i]->isChecked())
                bits += 1 << i;
        }
        Setup<OverviewSettings>().TeVerrekenenLasten = bits;
    });
}

} // namespace tarvelo
