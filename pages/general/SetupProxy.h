#pragma once

#include <array>

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

// "Algemeen": how often to look for updates, autosave of the open advice, and
// the proxy server through which the program reaches the internet.
class SetupProxy final : public SettingsPage {
public:
    SetupProxy();
    QString Titel() const override { return QStringLiteral("Algemeen"); }

protected:
    void Fill() override;

private:
    void Fill_CboUpdateTermijn();
    void Enable_Controls();
    void cboUpdateTermijn_Click();
    void chkAutoDownload_Click();
    void chkAutomatischOpslaan_Click();
    void txtAutomatischOpslaanMinuten_Change();
    void txtAutomatischOpslaanMinuten_Validation();
    void chkProxy_Click();
    // The three proxy boxes and their labels, usable only while the proxy is used.
    std::array<Control*, 6> proxyFields();

    Frame& fraUpdate;
    CheckBox& chkAutoDownload;
    Label& lblUpdate;
    ComboBox& cboUpdateTermijn;

    Frame& fraAutoSave;
    CheckBox& chkAutomatischOpslaan;
    Label& lblElke;
    TextBox& txtAutomatischOpslaanMinuten;
    Label& lblMinuten;

    Frame& fraProxy;
    CheckBox& chkProxy;
    Label& lblProxyadres;
    TextBox& txtProxyadres;
    Label& lblGebruikersnaam;
    TextBox& txtGebruikersnaam;
    Label& lblWachtwoord;
    TextBox& txtWachtwoord;
    Label& lblUitleg;
};

} // namespace tarvelo
