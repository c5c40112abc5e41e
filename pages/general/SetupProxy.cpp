#include "pages/general/SetupProxy.h"

#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5000;
constexpr int ProxyFieldWidth = 2895;
} // namespace

SetupProxy::SetupProxy()
    : SettingsPage(u"SetupProxy"_s),
      fraUpdate(add<Frame>(form(), u"fraUpdate"_s, u"Quenmarix update"_s)),
      updates(*this, bindings(), fraUpdate)
{
    RowLayout updateRows(fraUpdate, InnerWidth);
    updates.layout(updateRows);
    updateRows.finish();

    auto& fraAutoSave = add<Frame>(form(), u"fraAutoSave"_s, u"Opslaan"_s);
    auto& chkAutomatischOpslaan = add<CheckBox>(fraAutoSave, u"chkAutomatischOpslaan"_s, u"Automatisch opslaan"_s);
    auto& lblElke = add<Label>(fraAutoSave, u"lblSetupAlgemeen"_s, u"Elke"_s, 0);
    auto& txtMinuten = add<TextBox>(fraAutoSave, u"txtAutomatischOpslaanMinuten"_s);
    auto& lblMinuten = add<Label>(fraAutoSave, u"lblSetupAlgemeen"_s, u"minuten advies automatisch opslaan"_s, 1);
    txtMinuten.setMaxLength(5);
    txtMinuten.setAlignment(Alignment::Right);
    bind(chkAutomatischOpslaan, &AutosaveSettings::AutomatischOpslaan).enables({&lblElke, &txtMinuten, &lblMinuten});
    bind(txtMinuten, &AutosaveSettings::AutomatischOpslaanMinuten).defaultWhenEmpty();
    RowLayout(fraAutoSave, InnerWidth)
        .line(chkAutomatischOpslaan)
        .row({{&lblElke, 435}, {&txtMinuten, 555}, {&lblMinuten, 0}})
        .finish();

    auto& fraProxy = add<Frame>(form(), u"fraProxy"_s, u"Proxyserver"_s);
    auto& chkProxy = add<CheckBox>(fraProxy, u"chkProxy"_s, u"Proxy-instellingen gebruiken"_s);
    auto& lblProxyadres = add<Label>(fraProxy, u"lblProxy"_s, u"Proxyserveradres"_s, 0);
    txtProxyadres = &add<TextBox>(fraProxy, u"txtProxyadres"_s);
    auto& lblGebruikersnaam = add<Label>(fraProxy, u"lblProxy"_s, u"Gebruikersnaam"_s, 1);
    txtGebruikersnaam = &add<TextBox>(fraProxy, u"txtGebruikersnaam"_s);
    auto& lblWachtwoord = add<Label>(fraProxy, u"lblProxy"_s, u"Wachtwoord"_s, 2);
    txtWachtwoord = &add<TextBox>(fraProxy, u"txtWachtwoord"_s);
    auto& lblUitleg =
        add<Label>(fraProxy, u"lblUitleg"_s,
                   u"Mocht uw internetverbinding via een proxy-server lopen, dan kunt u hier de proxy-server "
                   "gegevens invullen. Deze gegevens zijn op te vragen bij uw systeembeheerder."_s);
    txtWachtwoord->setPasswordChar(QLatin1Char('*'));
    bind(chkProxy, &ProxySettings::ProxyGebruiken)
        .enables({txtProxyadres, txtGebruikersnaam, txtWachtwoord, &lblProxyadres, &lblGebruikersnaam, &lblWachtwoord})
        .then([this] { chkProxy_Click(); });
    bind(*txtProxyadres, &ProxySettings::ProxyAdres);
    bind(*txtGebruikersnaam, &ProxySettings::ProxyGebruikersnaam);
    bind(*txtWachtwoord, &ProxySettings::ProxyWachtwoord);
    RowLayout(fraProxy, InnerWidth)
        .line(chkProxy)
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
