#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Label.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

// "Tarvelo Update": only how often to look for updates and whether to download
// them without asking. Its handlers trap no errors of their own.
class SetupUpdates final : public SettingsPage {
public:
    SetupUpdates();
    QString Titel() const override { return QStringLiteral("Tarvelo Update"); }

protected:
    void Fill() override;

private:
    void cboUpdateTermijn_Click();
    void chkAutoDownload_Click();

    CheckBox& chkAutoDownload;
    Label& lblUpdate;
    ComboBox& cboUpdateTermijn;
};

} // namespace tarvelo
