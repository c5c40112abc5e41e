#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

// "FDN instellingen": the office's FDN number and where the FDN software lives.
class SetupFDNOUD final : public SettingsPage {
public:
    SetupFDNOUD();
    QString Titel() const override { return QStringLiteral("FDN instellingen"); }

protected:
    void Fill() override { UpdateFDN(); }
    QString fillProcedure() const override { return QStringLiteral("FillScreen"); }
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return QStringLiteral("Instellingen - FDN"); }

private:
    void cmdFDNInDir_Click();
    void cmdClearFDNInDir_Click();
    void UpdateFDN();

    TextBox* txtFDNNummer = nullptr;
    TextBox* txtFDNInDir = nullptr;
};

} // namespace tarvelo
