#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;

// "Autorisatie instellingen": what ordinary users may reach, how users pick
// themselves at login, the rights a new adviser gets, the office's branches,
// and applying the default rights to every adviser at once.
class SetupAutorisatie final : public SettingsPage {
public:
    SetupAutorisatie();
    QString Titel() const override { return u"Autorisatie instellingen"_s; }
    void setBackColor(Colour colour) override;
    void Terminate() override;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    QString errorContext() const override { return u"Instellingen - Autorisatie"_s; }

private:
    void setHintTexts();
    void Fill_Vestigingen();
    void Select_VestigingItem(const QString& id);
    void Select_StandaardVestiging();
    void Update_AuthorisatieInstellingenRechten();
    void cboInlogMethode_Click();
    void cboVestiging_Click();
    void lvwVestigingen_ItemClick(ListItem& item);
    void cmdNieuw_Click();
    void cmdOpslaan_Click();
    void cmdVerwijderen_Click();
    void cmdReset_Click();
    void enableBranchEditing(bool on);
    void broadcastRefresh();

    Frame& fraToegangGebruiker;
    CheckBox& chkOnderhoudsmenu;
    Hint& hntOnderhoudsmenu;
    CheckBox& chkRapportageInstellingen;
    Hint& hntRapportageInstellingen;
    Frame& fraInloggen;
    ComboBox& cboInlogMethode;
    Frame& fraVoorkeuren;
    ComboBox& cboRol;
    ComboBox& cboAdviezenOpenen;
    ComboBox& cboAdviezenRechten;
    ComboBox& cboVestiging;
    Frame& fraVestigingen;
    ListView& lvwVestigingen;
    TextBox& txtVestiging;
    CommandButton& cmdNieuw;
    CommandButton& cmdVerwijderen;
    CommandButton& cmdOpslaan;
    Frame& fraResetten;
    Label& lblReset;
    CheckBox& chkWachtwoordReset;
    CommandButton& cmdReset;

    Database* database_ = nullptr;
};

} // namespace tarvelo
