#include "pages/general/SetupZoekscherm.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/SearchScreenSettings.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5400;
} // namespace

SetupZoekscherm::SetupZoekscherm() : SettingsPage(u"SetupZoekscherm"_s)
{
    auto& fraZoekscherm = add<Frame>(form(), u"fraZoekscherm"_s, u"Algemeen"_s);
    auto& chkDirectZoeken = add<CheckBox>(fraZoekscherm, u"chkDirectZoeken"_s, u"Direct zoeken bij openen scherm"_s);
    bind(chkDirectZoeken, &SearchScreenSettings::ZoekDirectZoeken);
    RowLayout(fraZoekscherm, InnerWidth).line(chkDirectZoeken).finish();

    auto& fraMutatie = add<Frame>(form(), u"fraMutatie"_s, u"Mutatiedatum"_s);
    auto& lblMutatie = add<Label>(fraMutatie, u"lblMutatie"_s, u"Toon adviezen van"_s);
    const QString mutatie[] = {u"Laatste week"_s, u"Laatste twee weken"_s, u"Laatste maand"_s, u"Alle data"_s,
                               u"Laatste zes maanden"_s};
    RowLayout mutatieRows(fraMutatie, InnerWidth);
    mutatieRows.line(lblMutatie);
    // listed by period; the indexes keep their codes
    for (int i : {0, 1, 2, 4, 3}) {
        optMutatie[i] = &add<OptionButton>(fraMutatie, u"optMutatie"_s, mutatie[i], i);
        optMutatie[i]->Click.connect([this, i] { optMutatie_Click(i); });
    }
    for (int i : {0, 1, 2, 4, 3})
        mutatieRows.line(*optMutatie[i]);
    mutatieRows.finish();

    auto& fraAdviezen = add<Frame>(form(), u"fraAdviezen"_s, u"Adviezen"_s);
    auto& lblAdviezen = add<Label>(fraAdviezen, u"lblAdviezen"_s, u"Gewenste adviezen"_s);
    const QString tonen[] = {u"Alle adviezen"_s, u"Alle adviezen binnen mijn vestiging"_s, u"Eigen adviezen"_s};
    RowLayout adviezenRows(fraAdviezen, InnerWidth);
    adviezenRows.line(lblAdviezen);
    for (int i = 0; i < 3; ++i) {
        optTonenAdviezen[i] = &add<OptionButton>(fraAdviezen, u"optTonenAdviezen"_s, tonen[i], i);
        optTonenAdviezen[i]->Click.connect([this, i] { optTonenAdviezen_Click(i); });
        adviezenRows.line(*optTonenAdviezen[i]);
    }
    adviezenRows.finish();
    stackFrames({&fraZoekscherm, &fraMutatie, &fraAdviezen});
}

void SetupZoekscherm::Fill()
{
    SearchScreenSettings& zoek = Setup<SearchScreenSettings>();
    // an unknown period shows "Alle data"; the stored code stays until the user picks
    const auto mutatie = std::find(MutatieCodes.begin(), MutatieCodes.end(), zoek.ZoekMutatie.get());
    optMutatie[mutatie == MutatieCodes.end() ? AlleData : int(mutatie - MutatieCodes.begin())]->setValue(true);

    // "*" is no choice of its own, and the branch's advices only exist for an
    // office with branches: both become all advices, written back at once.
    const bool branches = app().WerktMetVestigingen();
    optTonenAdviezen[1]->setVisible(branches);
    const auto tonen = std::find(TonenCodes.begin(), TonenCodes.end(), zoek.ZoekTonenAdviezen.get());
    int shown = tonen == TonenCodes.end() ? 0 : int(tonen - TonenCodes.begin());
    if (shown == 1 && !branches)
        shown = 0;
    if (zoek.ZoekTonenAdviezen.get() != TonenCodes[shown])
        zoek.ZoekTonenAdviezen = TonenCodes[shown];
    optTonenAdviezen[shown]->setValue(true);
}

void SetupZoekscherm::optMutatie_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] { Setup<SearchScreenSettings>().ZoekMutatie = MutatieCodes[index]; });
}

void SetupZoekscherm::optTonenAdviezen_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] { Setup<SearchScreenSettings>().ZoekTonenAdviezen = TonenCodes[index]; });
}

} // namespace tarvelo
