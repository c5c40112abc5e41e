#include "pages/general/SetupKlantprofiel.h"

#include "framework/forms/Frame.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/ClientProfileSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr qint16 FirstChoice = 1;
constexpr qint16 LastChoice = 3;
} // namespace

SetupKlantprofiel::SetupKlantprofiel() : SettingsPage(u"SetupKlantprofiel"_s)
{
    auto& fra = add<Frame>(form(), u"fraVolledigheidKlantadvisering"_s,
                           u"Controle op volledigheid klantprofiel en motivering bij afdruk "
                           "aanvraagformulier en HDN-aanvraag"_s);
    const QString captions[] = {u"Klantprofiel en motivering"_s, u"Alleen klantprofiel"_s, u"Geen controle"_s};
    RowLayout rows(fra, 9000); // as wide as its long caption
    for (int i = 0; i < 3; ++i) {
        optVolledigheidKlantadvisering[i] =
            &add<OptionButton>(fra, u"optVolledigheidKlantadvisering"_s, captions[i], i);
        rows.line(*optVolledigheidKlantadvisering[i]);
    }
    rows.finish();
    bindOptions(
        std::vector<OptionButton*>(optVolledigheidKlantadvisering.begin(), optVolledigheidKlantadvisering.end()),
        &ClientProfileSettings::ControleVolledigheid, {1, 2, 3});
    stackFrames({&fra});
}

// A stored value outside 1 to 3 (0 when none was ever stored) would select no
// option; the first option is the product's default and is written back, as
// other defaults are.
void SetupKlantprofiel::Fill()
{
    auto& stored = Setup<ClientProfileSettings>().ControleVolledigheid;
    if (stored >= FirstChoice && stored <= LastChoice)
        return;
    stored = FirstChoice;
    optVolledigheidKlantadvisering[0]->setValue(true);
}

} // namespace tarvelo
