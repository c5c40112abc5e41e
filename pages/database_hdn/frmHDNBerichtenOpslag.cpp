#include "pages/database_hdn/frmHDNBerichtenOpslag.h"

#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/HdnSettings.h"
#include "framework/ui/Ui.h"
#include "pages/database_hdn/frmWijzigenHDNBerichtenOpslag.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6000;
} // namespace

frmHDNBerichtenOpslag::frmHDNBerichtenOpslag()
    : Dialog(u"frmHDNBerichtenOpslag"_s, u"Instellingen - HDN berichten opslag"_s),
      lblUitleg0(add<Label>(*this, u"lblUitleg"_s, {}, 0)),
      lblUitleg1(add<Label>(*this, u"lblUitleg"_s, {}, 1)),
      optDatabase(add<OptionButton>(add<Frame>(*this, u"fraOpslag"_s), u"optHDNBerichtenOpslag"_s, {}, 0)),
      optMap(add<OptionButton>(get<Frame>(u"fraOpslag"_s), u"optHDNBerichtenOpslag"_s, {}, 1)),
      cmdWijzigen(add<CommandButton>(*this, u"cmdWijzigen"_s)),
      cmdSluiten(add<CommandButton>(*this, u"cmdSluiten"_s))
{
    setCaption(u"HDN berichten opslag"_s);
    lblUitleg0.setWordWrap(true);
    lblUitleg1.setWordWrap(true);
    lblUitleg0.setBounds(RowLayout::DialogMargin, RowLayout::DialogMargin, InnerWidth, 450);
    lblUitleg1.setBounds(RowLayout::DialogMargin, lblUitleg0.bottom() + RowLayout::DialogMargin, InnerWidth, 450);
    auto& fraOpslag = get<Frame>(u"fraOpslag"_s);
    fraOpslag.setCaption(u"Opslag"_s);
    fraOpslag.setBounds(RowLayout::DialogMargin, lblUitleg1.bottom() + RowLayout::DialogMargin, InnerWidth, 900);
    optDatabase.setBounds(RowLayout::DialogMargin, 270, InnerWidth - 2 * RowLayout::DialogMargin, 255);
    optMap.setBounds(RowLayout::DialogMargin, 570, InnerWidth - 2 * RowLayout::DialogMargin, 255);
    cmdSluiten.setCaption(u"&Sluiten"_s);
    cmdWijzigen.setCaption(u"&Wijzigen..."_s);
    // Enter goes on to the next screen, which shows what would move and moves
    // nothing before its own button.
    placeButtonRow({&cmdWijzigen, &cmdSluiten}, &cmdWijzigen, &cmdSluiten);

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
            ui().msgBox(u"Zet eerst de property 'Application'."_s, MsgButtons::OK, MsgIcon::Exclamation, caption());
            return;
        }
        if (huidigeOpslag() == 2) {
            lblUitleg0.setCaption(u"De HDN berichten zijn als losse bestanden buiten de database opgeslagen."_s);
            lblUitleg1.setCaption(u"Hier kunt u kiezen om de HDN berichten in de adviezendatabase te laten opslaan."_s);
            optDatabase.setCaption(u"In adviezendatabase"_s);
            optMap.setCaption(u"In Verkenner-map (huidige keuze)"_s);
            optMap.setValue(true);
        } else {
            lblUitleg0.setCaption(u"De HDN berichten zijn in de adviezendatabase opgeslagen."_s);
            lblUitleg1.setCaption(
                u"Hier kunt u kiezen om de HDN berichten niet meer in de database op te slaan, maar als bestanden buiten de database in een verkenner-map. "_s);
            optDatabase.setCaption(u"In adviezendatabase (huidige keuze)"_s);
            optMap.setCaption(u"In Verkenner-map"_s);
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
            cmdWijzigen.setCaption(u"Wijzigen van opslagmap naar database..."_s);
        else
            cmdWijzigen.setCaption(huidigeOpslag() == 2 ? u"Wijzigen opslagmap..."_s
                                                        : u"Wijzigen van database naar opslagmap..."_s);
        // Messages in the database cannot move into the database.
        cmdWijzigen.setEnabled(!(index == 0 && huidigeOpslag() == 1));
    });
}

void frmHDNBerichtenOpslag::cmdWijzigen_Click()
{
    guarded([this] {
        cmdWijzigen.setEnabled(false);
        ui().msgBox(
            u"Let op, het volgende scherm toont het aantal te verplaatsten HDN berichten. Het tellen hiervan kan enige minuten duren indien u een grote database heeft."_s,
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
            ui().msgBox(u"U heeft de wijziging nog niet doorgevoerd. Wilt u het scherm verlaten?"_s, MsgButtons::YesNo,
                        MsgIcon::None, caption()) != MsgResult::Yes)
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
