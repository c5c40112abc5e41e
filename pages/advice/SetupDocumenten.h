#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/DocumentSettings.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Documenten": how the host prints its documents: the adviser's name and an
// extra signature line on forms, amounts, years, graphs and column headings
// in overviews, printer margins, the company logo, the cover page of the
// reports and the client's address on the covering letter.
class SetupDocumenten final : public SettingsPage {
public:
    SetupDocumenten();
    QString Titel() const override { return u"Documenten"_s; }
    bool hasValidation() const override { return true; }

protected:
    void Fill() override;

private:
    // One function per frame, each returning it.
    Frame& addOndertekening();
    Frame& addOverzichten();
    Frame& addWordRapportages();
    Frame& addPositieAdresgegevens();
    Label& label(Control& parent, const char* name, const char* caption, int index = -1);
    void numberField(TextBox& box, Setting<double> DocumentSettings::*setting);
    void txtNumber_Validation(TextBox& box, bool& Cancel);
    void Fill_LogoVoorblad();
    void Fill_cboLogoUitlijning();
    void Show_VoorbeeldAdviseurnaam();
    void cmdLogoVoorblad_Click();
    void cmdDefaultVoorbladLogo_Click();
    void cmdKolomSelectie_Click();
    void cmdToetsingKolommen_Click();
    // Shows a dialog of this page on its colour; a dialog closed with OK changed the settings.
    template <class D>
    void showSettingsDialog(D& dialog);
    void cmdFormaatLogo_Click();

    Label* lblVoorbeeldAdviseurnaam = nullptr;
    TextBox* txtPositieAdresgegevensBoven = nullptr;
    TextBox* txtPositieAdresgegevensLinks = nullptr;
    ComboBox* cboLogoUitlijning = nullptr;
    TextBox* txtLogoPath = nullptr;
    CommandButton* cmdDefaultVoorbladLogo = nullptr;
};

} // namespace tarvelo
