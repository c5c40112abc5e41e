#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/page/SettingsPage.h"
#include "pages/database_hdn/HdnIndirLijst.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

struct HdnSettings;

// "HDN instellingen": the office's HDN number and the HDN client's folders,
// copies of messages, the route through the consumer portal with its
// certificate, clean-up, branch subnodes, alternative incoming folders and
// where stored messages live.
class SetupHDNOUD final : public SettingsPage {
public:
    SetupHDNOUD();
    QString Titel() const override { return u"HDN instellingen"_s; }

    // The address behind "Instructie HDN instellen".
    static QString InstructieAdres();

    ComboBox& cboToonBerichten;
    TextBox& txtHDNImporterArchieffolder;
    CheckBox& chkHDNBewaren;
    TextBox& txtDirHDNXML;
    CommandButton& cmdHDNExportDir;
    TextBox& txtHDNNummer;
    Label& lblHoofdcertificaat;
    TextBox& txtHDNInDir;
    TextBox& txtHDNOutDir;
    TextBox& txtHDNErrDir;
    Label& lblLink;
    YesNo& jnHdnVerkeerViaAbo;
    Label& lblLocatieHdnCertificaat;
    TextBox& txtLocatieHdnCertificaat;
    CommandButton& cmdLocatieHdnCertificaat;
    CommandButton& cmdClearLocatieHdnCertificaat;
    CommandButton& cmdImportHdnCertificaat;
    Label& lblWachtwoordHdnCertificaat;
    TextBox& txtWachtwoordHdnCertificaat;
    CommandButton& cmdHDNBerichtenOpslag;
    TextBox& txtHDNBerichtenOpslag;
    OptionButton& optNooit;
    OptionButton& opt6Maanden;
    OptionButton& opt12Maanden;
    CheckBox& chkHDNEnterprise;
    Frame& fraEnterprise;
    Label& lblSubnodes;
    ListView& lstHDNSubnodes;
    CommandButton& cmdEditSubnodes;
    TextBox& txtHDNEnterpriseUsersFolder;
    CheckBox& chkAfwijkendeIndirHDN;
    Frame& fraIndir;
    Label& lblMelding;
    ListView& lstHdnIndir;
    CommandButton& cmdToevoegen;
    CommandButton& cmdVerwijderen;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    HdnSettings& hdn() const;
    Frame& addHdn();
    Frame& addHdnVerkeer();
    Frame& addOverig();
    Frame& addOpschonen();
    Frame& addEnterprise();
    Frame& addInkomend();
    void connectHandlers();
    void showSettings();
    void announce();
    void Enable_HdnVerkeerControls();
    void fitFrame(Frame& container);
    void Show_Certificaat();
    void Show_HDNBerichtenOpslag(bool afterChange);
    void Fill_ListviewSubnodes();
    void Show_HDNSubnodeMeldingen();
    void Check_HdnDirectories();
    void chkHDNBewaren_Click();
    void chkAfwijkendeIndirHDN_Click();
    void chkHDNEnterprise_Click();
    void jnHdnVerkeerViaAbo_Change();
    void cmdEditSubnodes_Click();
    void cmdLocatieHdnCertificaat_Click();
    void cmdImportHdnCertificaat_Click();
    void cmdClearLocatieHdnCertificaat_Click();
    void txtHDNNummer_Validation(bool& cancel);
    void txtWachtwoordHdnCertificaat_Validation(bool& cancel);
    void cmdHDNBerichtenOpslag_Click();
    void lblLink_Click();
    void optHDNBerichtenVerwijderenUitDatabase_Click(int index);
    // A folder field with its setting: browse, clear and leave-check.
    void addFolderHandlers(TextBox& field, CommandButton* browse, CommandButton* clear, const QString& title,
                           Setting<QString> HdnSettings::*setting, bool announces);
    std::optional<QString> chooseCertificate();

    HdnIndirLijst indirs_;
};

} // namespace tarvelo
