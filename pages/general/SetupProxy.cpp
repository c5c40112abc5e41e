#include "pages/general/SetupProxy.h"

#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5000;
constexpr int ProxyFieldWidth = 2895;
} // namespace

SetupProxy::SetupProxy()
    : SettingsPage(QStringLiteral("SetupProxy")),
      fraUpdate(add<Frame>(form(), QStringLiteral("fraUpdate"), QStringLiteral("Quenmarix update"))),
      updates(*this, bindings(), fraUpdate)
{
    RowLayout updateRows(fraUpdate, InnerWidth);
    updates.layout(updateRows);
    updateRows.finish();

    auto& fraAutoSave = add<Frame>(form(), QStringLiteral("fraAutoSave"), QStringLiteral("Opslaan"));
    auto& chkAutomatischOpslaan =
        add<CheckBox>(fraAutoSave, QStringLiteral("chkAutomatischOpslaan"), QStringLiteral("Automatisch opslaan"));
    auto& lblElke = add<Label>(fraAutoSave, QStringLiteral("lblSetupAlgemeen"), QStringLiteral("Elke"), 0);
    auto& txtMinuten = add<TextBox>(fraAutoSave, QStringLiteral("txtAutomatischOpslaanMinuten"));
    auto& lblMinuten = add<Label>(fraAutoSave, QStringLiteral("lblSetupAlgemeen"),
                                  QStringLiteral("minuten advies automatisch opslaan"), 1);
    txtMinuten.setMaxLength(5);
    txtMinuten.setAlignment(Alignment::Right);
    bind(chkAutomatischOpslaan, &AutosaveSettings::AutomatischOpslaan).enables({&lblElke, &txtMinuten, &lblMinuten});
    bind(txtMinuten, &AutosaveSettings::AutomatischOpslaanMinuten).defaultWhenEmpty(10);
    RowLayout(fraAutoSave, InnerWidth)
        .line(chkAutomatischOpslaan, RowLayout::LabelHeight)
        .row({{&lblElke, 435}, {&txtMinuten, 555}, {&lblMinuten, 0}})
        .finish();

    auto& fraProxy = add<Frame>(form(), QStringLiteral("fraProxy"), QStringLiteral("Proxyserver"));
    auto& chkProxy = add<CheckBox>(fraProxy, QStringLiteral("chkProxy"), QStringLiteral("Proxy-instellingen gebruiken"));
    auto& lblProxyadres = add<Label>(fraProxy, QStringLiteral("lblProxy"), QStringLiteral("Proxyserveradres"), 0);
    txtProxyadres = &add<TextBox>(fraProxy, QStringLiteral("txtProxyadres"));
    auto& lblGebruikersnaam = add<Label>(fraProxy, QStringLiteral("lblProxy"), QStringLiteral("Gebruikersnaam"), 1);
    txtGebruikersnaam = &add<TextBox>(fraProxy, QStringLiteral("txtGebruikersnaam"));
    auto& lblWachtwoord = add<Label>(fraProxy, QStringLiteral("lblProxy"), QStringLiteral("Wachtwoord"), 2);
    txtWachtwoord = &add<TextBox>(fraProxy, QStringLiteral("txtWachtwoord"));
    auto& lblUitleg = add<Label>(
        fraProxy, QStringLiteral("lblUitleg"),
        QStringLiteral("Mocht uw internetverbinding via een proxy-server lopen, dan kunt u hier de proxy-server "
                       "gegevens invullen. Deze gegevens zijn op te vragen bij uw systeembeheerder."));
    txtWachtwoord->setPasswordChar(QLatin1Char('*'));
    bind(chkProxy, &ProxySettings::ProxyGebruiken)
        .enables({txtProxyadres, txtGebruikersnaam, txtWachtwoord, &lblProxyadres, &lblGebruikersnaam, &lblWachtwoord})
        .then([this] { chkProxy_Click(); });
    bind(*txtProxyadres, &ProxySettings::ProxyAdres);
    bind(*txtGebruikersnaam, &ProxySettings::ProxyGebruikersnaam);
    bind(*txtWachtwoord, &ProxySettings::ProxyWachtwoord);
    RowLayout(fraProxy, InnerWidth)
        .line(chkProxy, RowLayout::LabelHeight)
        .field(lblProxyadres, *txtProxyadres, ProxyFieldWidth)
        .field(lblGebruikersnaam, *txtGebruikersnaam, ProxyFieldWidth)
        .field(lblWachtwoord, *txtWachtwoord, ProxyFieldWidth)
        .text(lblUitleg)
        .finish();

    stackFrames({&fraUpdate, &fraAutoSave, &fraProxy});
}

// Without a proxy its address and credentials are of no use: they are cleared,
// so that no password is kept for a proxy that is no longer used.
void SetupProxy::chkProxy_Click()
{
    if (Setup<ProxySettings>().ProxyGebruiken)
        return;
    for (TextBox* box : {txtProxyadres, txtGebruikersnaam, txtWachtwoord})
        box->setText(QString());
    ProxySettings& proxy = Setup<ProxySettings>();
    proxy.ProxyAdres = QString();
    proxy.ProxyGebruikersnaam = QString();
    proxy.ProxyWachtwoord = QString();
}

} // namespace tarvelo
