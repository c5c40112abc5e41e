#pragma once

#include "framework/forms/CommandButton.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "FDN instellingen": the office's FDN number and where the FDN software lives.
class SetupFDNOUD final : public SettingsPage {
public:
    SetupFDNOUD();
    QString Titel() const override { return u"FDN instellingen"_s; }

protected:
    void Fill() override { UpdateFDN(); }
    QString fillProcedure() const override { return u"FillScreen"_s; }
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - FDN"_s; }

private:
    void cmdFDNInDir_Click();
    void cmdClearFDNInDir_Click();
    void UpdateFDN();

    TextBox* txtFDNNummer = nullptr;
    TextBox* txtFDNInDir = nullptr;
};

} // namespace tarvelo
