#pragma once

#include "framework/forms/Frame.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"
#include "pages/general/UpdateFields.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Algemeen": how often to look for updates, autosave of the open advice, and
// the proxy server through which the program reaches the internet.
class SetupProxy final : public SettingsPage {
public:
    SetupProxy();
    QString Titel() const override { return u"Algemeen"_s; }

private:
    void chkProxy_Click();

    Frame& fraUpdate;
    UpdateFields updates;
    TextBox* txtProxyadres = nullptr;
    TextBox* txtGebruikersnaam = nullptr;
    TextBox* txtWachtwoord = nullptr;
};

} // namespace tarvelo
