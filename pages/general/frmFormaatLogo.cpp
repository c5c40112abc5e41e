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
    : Dialog(QStringLiteral("frmFormaatLogo"), QStringLiteral("Instellingen - Formaat logo")),
      cmdDefault(add<CommandButton>(QStringLiteral("cmdDefault"))),
      cmdOk(add<CommandButton>(QStringLiteral("cmdOk")))
{
    setCaption(QStringLiteral("Formaat logo op Financieel Plan"));
    auto& fra = add<Frame>(QStringLiteral("fraFormaatLogo"));
    fra.setCaption(QStringLiteral("Maximale afmetingen logo"));
    auto& lblBreedte = add<Label>(QStringLiteral("lblBreedte"), &fra);
    lblBreedte.setCaption(QStringLiteral("Breedte"));
    txtBreedte = &add<TextBox>(QStringLiteral("txtBreedte"), &fra);
    auto& lblHoogte = add<Label>(QStringLiteral("lblHoogte"), &fra);
    lblHoogte.setCaption(QStringLiteral("Hoogte"));
    txtHoogte = &add<TextBox>(QStringLiteral("txtHoogte"), &fra);
    auto& lblCmB = add<Label>(QStringLiteral("lblCm"), &fra, 0);
    lblCmB.setCaption(QStringLiteral("cm"));
    auto& lblCmH = add<Label>(QStringLiteral("lblCm"), &fra, 1);
    lblCmH.setCaption(QStringLiteral("cm"));
    auto& lblNoot = add<Label>(QStringLiteral("lblNoot"), &fra);
    lblNoot.setCaption(QStringLiteral("Het overschrijden van het aanbevolen formaat kan tot afwijkingen van de layout "
                                      "van uw rapport leiden."));
    cmdDefault.setCaption(QStringLiteral("Reset"));
    cmdDefault.setToolTipText(QStringLiteral("Stelt de standaardwaarden van 1,17cm bij 10 cm in."));
    cmdOk.setCaption(QStringLiteral("OK"));
    cmdOk.setDefault(true);
    for (TextBox* box : {txtBreedte, txtHoogte})
        box->setAlignment(Alignment::Right);

    RowLayout rows(fra, 3600);
    rows.row({{&lblBreedte, 1200}, {txtBreedte, 900}, {&lblCmB, 0}})
        .row({{&lblHoogte, 1200}, {txtHoogte, 900}, {&lblCmH, 0}})
        .text(lblNoot)
        .finish();
    fra.move(RowLayout::Margin, RowLayout::Margin);
    const int buttonsTop = fra.bottom() + RowLayout::Gap;
    cmdDefault.setBounds(fra.left(), buttonsTop, 1095, 375);
    cmdOk.setBounds(fra.right() - 1095, buttonsTop, 1095, 375);
    setBounds(0, 0, fra.right() + RowLayout::Margin, cmdOk.bottom() + RowLayout::Margin);

    cmdDefault.Click.connect([this] { cmdDefault_Click(); });
    cmdOk.Click.connect([this] { cmdOk_Click(); });
}

void frmFormaatLogo::Fill_Control()
{
    guarded([&] {
        HouseStyleSettings& s = houseStyle(app());
        if (s.LogoMaxBreedte == 0)
            s.LogoMaxBreedte = StandaardBreedte;
        if (s.LogoMaxHoogte == 0)
            s.LogoMaxHoogte = StandaardHoogte;
        showSizes();
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
            return void(failCheck(QStringLiteral("Vul als breedte een getal groter dan 0 in."),
                                  QStringLiteral("Ongeldige invoer"), txtBreedte));
        const std::optional<double> hoogte = sizeOf(*txtHoogte);
        if (!hoogte)
            return void(failCheck(QStringLiteral("Vul als hoogte een getal groter dan 0 in."),
                                  QStringLiteral("Ongeldige invoer"), txtHoogte));
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
