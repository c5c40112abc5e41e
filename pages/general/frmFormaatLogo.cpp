#include "pages/general/frmFormaatLogo.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/NumberText.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// A size the report can use: a number above 0.
std::optional<double> sizeOf(const TextBox& box)
{
    try {
        const double cm = CDbl(box.text());
        if (cm > 0)
            return cm;
    } catch (const RuntimeError&) {
    }
    return std::nullopt;
}

HouseStyleSettings& houseStyle(Application& app) { return app.SettingsObject().get<HouseStyleSettings>(); }
} // namespace

frmFormaatLogo::frmFormaatLogo()
    : Dialog(u"frmFormaatLogo"_s, u"Instellingen - Formaat logo"_s),
      cmdDefault(add<CommandButton>(*this, u"cmdDefault"_s)),
      cmdOk(add<CommandButton>(*this, u"cmdOk"_s)),
      cmdAnnuleren(add<CommandButton>(*this, u"cmdAnnuleren"_s))
{
    setCaption(u"Formaat logo op Financieel Plan"_s);
    auto& fra = add<Frame>(*this, u"fraFormaatLogo"_s);
    fra.setCaption(u"Maximale afmetingen logo"_s);
    auto& lblBreedte = add<Label>(fra, u"lblBreedte"_s);
    lblBreedte.setCaption(u"Breedte"_s);
    txtBreedte = &add<TextBox>(fra, u"txtBreedte"_s);
    auto& lblHoogte = add<Label>(fra, u"lblHoogte"_s);
    lblHoogte.setCaption(u"Hoogte"_s);
    txtHoogte = &add<TextBox>(fra, u"txtHoogte"_s);
    auto& lblCmB = add<Label>(fra, u"lblCm"_s, {}, 0);
    lblCmB.setCaption(u"cm"_s);
    auto& lblCmH = add<Label>(fra, u"lblCm"_s, {}, 1);
    lblCmH.setCaption(u"cm"_s);
    auto& lblNoot = add<Label>(fra, u"lblNoot"_s);
    lblNoot.setCaption(u"Het overschrijden van het aanbevolen formaat kan tot afwijkingen van de layout "
                       "van uw rapport leiden."_s);
    cmdDefault.setCaption(u"Reset"_s);
    cmdDefault.setToolTipText(u"Stelt de standaardwaarden van 1,17cm bij 10 cm in."_s);
    cmdOk.setCaption(u"OK"_s);
    cmdAnnuleren.setCaption(u"Annuleren"_s);
    for (TextBox* box : {txtBreedte, txtHoogte})
        box->setAlignment(Alignment::Right);

    RowLayout rows(fra, 3600);
    rows.row({{&lblBreedte, 1200}, {txtBreedte, 900}, {&lblCmB, 0}})
        .row({{&lblHoogte, 1200}, {txtHoogte, 900}, {&lblCmH, 0}})
        .text(lblNoot)
        .finish();
    fra.move(RowLayout::Margin, RowLayout::Margin);
    placeButtonRow({&cmdOk, &cmdAnnuleren}, &cmdOk, &cmdAnnuleren, &cmdDefault);

    cmdDefault.Click.connect([this] { cmdDefault_Click(); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
    cmdAnnuleren.Click.connect([this] { cmdAnnuleren_Click(); });
}

void frmFormaatLogo::Fill_Control()
{
    guarded([&] {
        HouseStyleSettings& s = houseStyle(app());
        if (s.LogoMaxBreedte == 0)
            s.LogoMaxBreedte = StandaardBreedte;
        if (s.LogoMaxHoogte == 0)
            s.LogoMaxHoogte = StandaardHoogte;
        opened_ = {s.LogoMaxBreedte, s.LogoMaxHoogte};
        showSizes();
    });
}

// Reset writes at once; cancelling puts back the sizes the dialog opened with.
void frmFormaatLogo::cmdAnnuleren_Click()
{
    guarded([&] {
        houseStyle(app()).LogoMaxBreedte = opened_.first;
        houseStyle(app()).LogoMaxHoogte = opened_.second;
        close(true);
    });
}

void frmFormaatLogo::cmdDefault_Click()
{
    guarded([&] {
        houseStyle(app()).LogoMaxBreedte = StandaardBreedte;
        houseStyle(app()).LogoMaxHoogte = StandaardHoogte;
        showSizes();
    });
}

// Both sizes are converted before either is written: a bad height must not
// leave a new width beside the old height.
void frmFormaatLogo::cmdOk_Click()
{
    guarded([&] {
        const std::optional<double> breedte = sizeOf(*txtBreedte);
        if (!breedte)
            return void(failCheck(u"Vul als breedte een getal groter dan 0 in."_s, u"Ongeldige invoer"_s, txtBreedte));
        const std::optional<double> hoogte = sizeOf(*txtHoogte);
        if (!hoogte)
            return void(failCheck(u"Vul als hoogte een getal groter dan 0 in."_s, u"Ongeldige invoer"_s, txtHoogte));
        houseStyle(app()).LogoMaxBreedte = *breedte;
        houseStyle(app()).LogoMaxHoogte = *hoogte;
        close(false);
    });
}

void frmFormaatLogo::showSizes()
{
    txtBreedte->setText(numberText(houseStyle(app()).LogoMaxBreedte));
    txtHoogte->setText(numberText(houseStyle(app()).LogoMaxHoogte));
}

} // namespace tarvelo
