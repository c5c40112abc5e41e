#pragma once

#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Import en export": the default folders of advice exports and imports, and
// where exported advices are mailed automatically.
class SetupExport final : public SettingsPage {
public:
    SetupExport();
    QString Titel() const override { return u"Import en export"_s; }

protected:
    void Fill() override;

private:
    void cmdExportLocatie_Click();
    void cmdImportLocatie_Click();

    TextBox* txtExportDir = nullptr;
    TextBox* txtImportDir = nullptr;
};

} // namespace tarvelo
