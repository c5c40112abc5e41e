#include "pages/database_hdn/frmHDNBerichtenOpslag.h"

#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"

namespace tarvelo {

namespace {
constexpr int Margin = 120;
constexpr int InnerWidth = 6000;
constexpr int ButtonHeight = 375;
} // namespace

frmHDNBerichtenOpslag::frmHDNBerichtenOpslag()
    : Dialog(QStringLiteral("frmHDNBerichtenOpslag"), QStringLiteral("Instellingen - HDN berichten opslag")),
      lblUitleg0(add<Label>(QStringLiteral("lblUitleg"), nullptr, 0)),
      lblUitleg1(add<Label>(QStringLiteral("lblUitleg"), nullptr, 1)),
      optDatabase(add<OptionButton>(QStringLiteral("optHDNBerichtenOpslag"), &add<Frame>(QStringLiteral("fraOpslag")), 0)),
      optMap(add<OptionButton>(QStringLiteral("optHDNBerichtenOpslag"), &get<Frame>(QStringLiteral("fraOpslag")), 1)),
      cmdWijzigen(add<CommandButton>(QStringLiteral("cmdWijzigen"))),
      cmdSluiten(add<CommandButton>(QStringLiteral("cmdSluiten")))
{
    setCaption(QStringLiteral("HDN berichten opslag"));
    lblUitleg0.setWordWrap(true);
    lblUitleg1.setWordWrap(true);
    lblUitleg0.setBounds(Margin, Margin, InnerWidth, 450);
    lblUitleg1.setBounds(Margin, lblUitleg0.bottom() + Margin, InnerWidth, 450);
    auto& fraOpslag = get<Frame>(QStringLiteral("fraOpslag"));
    fraOpslag.setCaption(QStringLiteral("Opslag"));
    fraOpslag.setBounds(Margin, lblUitleg1.bottom() + Margin, InnerWidth, 900);
    optDatabase.setBounds(Margin, 270, InnerWidth - 2 * Margin, 255);
    optMap.setBounds(Margin, 570, InnerWidth - 2 * Margin, 255);
    const int top = fraOpslag.bottom() + Margin;
    cmdSluiten.setCaption(QStringLiteral("&Sluiten"));
    cmdSluiten.setCancel(true);
    cmdSluiten.setBounds(Margin + InnerWidth - 1215, top, 1215, ButtonHeight);
    cmdWijzigen.setCaption(QStringLiteral("&Wijzigen..."));
    cmdWijzigen.setBounds(cmdSluiten.left() - Margin - 3720, top, 3720, ButtonHeight);
    setBorderHeight(TitleBarHeight);
    setBounds(0, 0, InnerWidth + 2 * Margin, cmdSluiten.bottom() + Margin + TitleBarHeight);

    optDatabase.Click.connect([this] { optHDNBerichtenOpslag_Click(0); });
    optMap.Click.connect([this] { optHDNBerichtenOpslag_Click(1); });
    cmdWijzigen.Click.connect([this] { cmdWijzigen_Click(); });
    cmdSluiten.Click.connect([this] { cmdSluiten_Click(); });
}

void frmHDNBerichtenOpslag::setApplication(Application& application)
{
    Dialog::setApplication(application);
    Fill_Control();
}

int frmHDNBerichtenOpslag::huidigeOpslag() const
{
    return host()->GlobalSetup().get<HdnStorageSettings>().Cd_HDNBerichtenOpslag == 2 ? 2 : 1;
}

void frmHDNBerichtenOpslag::Fill_Control()
{
    guarded([this] {
        if (!host()) {
            ui().msgBox(QStringLiteral("Zet eerst de property 'Application'."), MsgButtons::OK, MsgIcon::Exclamation,
                        caption());
            return;
        }
        if (huidigeOpslag() == 2) {
            lblUitleg0.setCaption(QStringLiteral("De HDN berichten zijn als losse bestanden buiten de database opgeslagen."));
            lblUitleg1.setCaption(QStringLiteral("Hier kunt u kiezen om de HDN berichten in de adviezendatabase te laten opslaan."));
            optDatabase.setCaption(QStringLiteral("In adviezendatabase"));
            optMap.setCaption(QStringLiteral("In Verkenner-map (huidige keuze)"));
            optMap.setValue(true);
        } else {
            lblUitleg0.setCaption(QStringLiteral("De HDN berichten zijn in de adviezendatabase opgeslagen."));
            lblUitleg1.setCaption(QStringLiteral("Hier kunt u kiezen om de HDN berichten niet meer in de database op te slaan, maar als bestanden buiten de database in een verkenner-map. "));
            optDatabase.setCaption(QStringLiteral("In adviezendatabase (huidige keuze)"));
            optMap.setCaption(QStringLiteral("In Verkenner-map"));
            optDatabase.setValue(true);
        }
        optHDNBerichtenOpslag_Click(optMap.value() ? 1 : 0);
    });
}

void frmHDNBerichtenOpslag::optHDNBerichtenOpslag_Click(int index)
{
    guarded(Index{index}, [&] {
        if (!host())
            return;
        if (index == 0)
            cmdWijzigen.setCaption(QStringLiteral("Wijzigen van opslagmap naar database..."));
        else
            cmdWijzigen.setCaption(huidigeOpslag() == 2 ? QStringLiteral("Wijzigen opslagmap...")
                                                        : QStringLiteral("Wijzigen van database naar opslagmap..."));
        // Messages in the database cannot move into the database.
        cmdWijzigen.setEnabled(!(index == 0 && huidigeOpslag() == 1));
    });
}

void frmHDNBerichtenOpslag::cmdWijzigen_Click()
{
    guarded([this] {
        cmdWijzigen.setEnabled(false);
        ui().msgBox(QStringLiteral("Let op, het volgende scherm toont het aantal te verplaatsten HDN berichten. Het tellen hiervan kan enige minuten duren indien u een grote database heeft."),
                    MsgButtons::OK, MsgIcon::Information, caption());
        frmWijzigenHDNBerichtenOpslag dialog;
        dialog.setCd_HDNBerichtenOpslagActie(optDatabase.value() ? 1 : 2);
        dialog.setApplication(*host());
        ui().showModal(dialog);
        cmdWijzigen.setEnabled(true);
        Fill_Control();
    });
}

bool frmHDNBerichtenOpslag::QueryUnload()
{
    bool mayClose = true;
    guarded([&] {
        const int chosen = optMap.value() ? 2 : 1;
        if (host() && chosen != huidigeOpslag() &&
            ui().msgBox(QStringLiteral("U heeft de wijziging nog niet doorgevoerd. Wilt u het scherm verlaten?"),
                        MsgButtons::YesNo, MsgIcon::None, caption()) != MsgResult::Yes)
            mayClose = false;
    });
    return mayClose;
}

void frmHDNBerichtenOpslag::cmdSluiten_Click()
{
    if (QueryUnload())
        close(true);
}

} // namespace tarvelo
