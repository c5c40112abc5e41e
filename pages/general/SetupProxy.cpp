#include "pages/general/SetupProxy.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Settings.h"
#include "framework/page/RowLayout.h"
#include "pages/general/UpdateInterval.h"

namespace tarvelo {

namespace {
constexpr int InnerWidth = 5000;
}

SetupProxy::SetupProxy()
    : SettingsPage(QStringLiteral("SetupProxy")),
      fraUpdate(form().add<Frame>("fraUpdate")),
      chkAutoDownload(form().add<CheckBox>("chkAutoDownload", &fraUpdate)),
      lblUpdate(form().add<Label>("lblUpdate", &fraUpdate)),
      cboUpdateTermijn(form().add<ComboBox>("cboUpdateTermijn", &fraUpdate)),
      fraAutoSave(form().add<Frame>("fraAutoSave")),
      chkAutomatischOpslaan(form().add<CheckBox>("chkAutomatischOpslaan", &fraAutoSave)),
      lblElke(form().add<Label>("lblSetupAlgemeen", &fraAutoSave, 0)),
      txtAutomatischOpslaanMinuten(form().add<TextBox>("txtAutomatischOpslaanMinuten", &fraAutoSave)),
      lblMinuten(form().add<Label>("lblSetupAlgemeen", &fraAutoSave, 1)),
      fraProxy(form().add<Frame>("fraProxy")),
      chkProxy(form().add<CheckBox>("chkProxy", &fraProxy)),
      lblProxyadres(form().add<Label>("lblProxy", &fraProxy, 0)),
      txtProxyadres(form().add<TextBox>("txtProxyadres", &fraProxy)),
      lblGebruikersnaam(form().add<Label>("lblProxy", &fraProxy, 1)),
      txtGebruikersnaam(form().add<TextBox>("txtGebruikersnaam", &fraProxy)),
      lblWachtwoord(form().add<Label>("lblProxy", &fraProxy, 2)),
      txtWachtwoord(form().add<TextBox>("txtWachtwoord", &fraProxy)),
      lblUitleg(form().add<Label>("lblUitleg", &fraProxy))
{
    fraUpdate.setCaption(QStringLiteral("Quenmarix update"));
    chkAutoDownload.setCaption(QStringLiteral("Updates automatisch downloaden"));
    lblUpdate.setCaption(QStringLiteral("Zoeken naar updates"));
    RowLayout(fraUpdate, InnerWidth)
        .line(chkAutoDownload, RowLayout::LabelHeight)
        .field(lblUpdate, cboUpdateTermijn, 1815)
        .finish();

    fraAutoSave.setCaption(QStringLiteral("Opslaan"));
    chkAutomatischOpslaan.setCaption(QStringLiteral("Automatisch opslaan"));
    lblElke.setCaption(QStringLiteral("Elke"));
    lblMinuten.setCaption(QStringLiteral("minuten advies automatisch opslaan"));
    txtAutomatischOpslaanMinuten.setMaxLength(5);
    txtAutomatischOpslaanMinuten.setAlignment(Alignment::Right);
    RowLayout(fraAutoSave, InnerWidth)
        .line(chkAutomatischOpslaan, RowLayout::LabelHeight)
        .row({{&lblElke, 435}, {&txtAutomatischOpslaanMinuten, 555}, {&lblMinuten, 0}})
        .finish();

    fraProxy.setCaption(QStringLiteral("Proxyserver"));
    chkProxy.setCaption(QStringLiteral("Proxy-instellingen gebruiken"));
    lblProxyadres.setCaption(QStringLiteral("Proxyserveradres"));
    lblGebruikersnaam.setCaption(QStringLiteral("Gebruikersnaam"));
    lblWachtwoord.setCaption(QStringLiteral("Wachtwoord"));
    txtWachtwoord.setPasswordChar(QLatin1Char('*'));
    lblUitleg.setCaption(QStringLiteral(
        "Mocht uw internetverbinding via een proxy-server lopen, dan kunt u hier de proxy-server gegevens "
        "invullen. Deze gegevens zijn op te vragen bij uw systeembeheerder."));
    RowLayout(fraProxy, InnerWidth)
        .line(chkProxy, RowLayout::LabelHeight)
        .field(lblProxyadres, txtProxyadres, 2895)
        .field(lblGebruikersnaam, txtGebruikersnaam, 2895)
        .field(lblWachtwoord, txtWachtwoord, 2895)
        .text(lblUitleg)
        .finish();
    // Until the box is ticked the proxy fields cannot be used.
    for (Control* c : proxyFields())
        c->setEnabled(false);

    stackFrames({&fraUpdate, &fraAutoSave, &fraProxy});

    cboUpdateTermijn.Click.connect([this] { cboUpdateTermijn_Click(); });
    chkAutoDownload.Click.connect([this] { chkAutoDownload_Click(); });
    chkAutomatischOpslaan.Click.connect([this] { chkAutomatischOpslaan_Click(); });
    txtAutomatischOpslaanMinuten.Change.connect([this] { txtAutomatischOpslaanMinuten_Change(); });
    txtAutomatischOpslaanMinuten.Validate.connect([this](bool&) { txtAutomatischOpslaanMinuten_Validation(); });
    chkProxy.Click.connect([this] { chkProxy_Click(); });
    txtProxyadres.Change.connect([this] { Setup().ProxyAdres = txtProxyadres.text(); });
    txtGebruikersnaam.Change.connect([this] { Setup().ProxyGebruikersnaam = txtGebruikersnaam.text(); });
    txtWachtwoord.Change.connect([this] { Setup().ProxyWachtwoord = txtWachtwoord.text(); });
}

std::array<Control*, 6> SetupProxy::proxyFields()
{
    return {&txtProxyadres, &txtGebruikersnaam, &txtWachtwoord, &lblProxyadres, &lblGebruikersnaam, &lblWachtwoord};
}

void SetupProxy::Fill()
{
    guarded(QStringLiteral("Fill_Screen"), [this] {
        Settings& setup = Setup();
        // A stored 0 means no choice yet; the default goes back at once so the host stores it.
        if (setup.AutomatischOpslaanMinuten == 0)
            setup.AutomatischOpslaanMinuten = 10;
        chkAutomatischOpslaan.setChecked(setup.AutomatischOpslaan);
        txtAutomatischOpslaanMinuten.setText(QString::number(setup.AutomatischOpslaanMinuten));
        chkAutoDownload.setChecked(setup.AutoDownload);
        chkProxy.setChecked(setup.ProxyGebruiken);
        txtProxyadres.setText(setup.ProxyAdres);
        txtGebruikersnaam.setText(setup.ProxyGebruikersnaam);
        txtWachtwoord.setText(setup.ProxyWachtwoord);
        Fill_CboUpdateTermijn();
        Enable_Controls();
    });
}

void SetupProxy::Fill_CboUpdateTermijn()
{
    guarded(QStringLiteral("Fill_CboUpdateTermijn"), [this] { UpdateInterval::fill(cboUpdateTermijn, Setup()); });
}

void SetupProxy::Enable_Controls()
{
    guarded(QStringLiteral("Enable_Controls"), [this] {
        const bool on = Setup().AutomatischOpslaan;
        lblElke.setEnabled(on);
        lblMinuten.setEnabled(on);
        txtAutomatischOpslaanMinuten.setEnabled(on);
    });
}

void SetupProxy::cboUpdateTermijn_Click()
{
    guarded(QStringLiteral("cboUpdateTermijn_Click"),
            [this] { UpdateInterval::store(cboUpdateTermijn, Setup(), app().SysteemDatum()); });
}

void SetupProxy::chkAutoDownload_Click()
{
    guarded(QStringLiteral("chkAutoDownload_Click"), [this] { Setup().AutoDownload = chkAutoDownload.isChecked(); });
}

void SetupProxy::chkAutomatischOpslaan_Click()
{
    guarded(QStringLiteral("chkAutomatischOpslaan_Click"), [this] {
        Setup().AutomatischOpslaan = chkAutomatischOpslaan.isChecked();
        Enable_Controls();
    });
}

void SetupProxy::txtAutomatischOpslaanMinuten_Change()
{
    // Each good number is stored as it is typed; a text that is no number yet
    // (an emptied box while retyping) waits for the user to leave the box.
    try {
        Setup().AutomatischOpslaanMinuten = CInt(txtAutomatischOpslaanMinuten.text());
    } catch (const RuntimeError&) {
    }
}

void SetupProxy::txtAutomatischOpslaanMinuten_Validation()
{
    guarded(QStringLiteral("txtAutomatischOpslaanMinuten_Validation"),
            [this] { Setup().AutomatischOpslaanMinuten = CInt(txtAutomatischOpslaanMinuten.text()); });
}

void SetupProxy::chkProxy_Click()
{
    const bool on = chkProxy.isChecked();
    Setup().ProxyGebruiken = on;
    for (Control* c : proxyFields())
        c->setEnabled(on);
    if (!on) {
        Setup().ProxyAdres = QString();
        txtProxyadres.setText(QString());
        Setup().ProxyGebruikersnaam = QString();
        txtGebruikersnaam.setText(QString());
        Setup().ProxyWachtwoord = QString();
        txtWachtwoord.setText(QString());
    }
}

} // namespace tarvelo
