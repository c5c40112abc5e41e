#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/host/AdviserRecords.h"
#include "framework/page/SettingsPage.h"
#include "pages/advisers/AdviserRegister.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;

// "Adviseurs": the office's registered advisers with the identity and office
// the host's register holds, each adviser's own contact data and login name,
// his access rights and password, and the removal of an adviser who hands
// his advices over to another.
class Adviseurs final : public SettingsPage {
public:
    Adviseurs();
    QString Titel() const override { return u"Adviseurs"_s; }
    AttachKind attachKind() const override { return AttachKind::SetApplication; }
    bool hasValidation() const override { return true; }
    void setBackColor(Colour colour) override;
    void Terminate() override;

    // The room the page's content needs.
    int InnerHeight() const { return fraAdviseurs.height(); }
    int InnerWidth() const { return fraAdviseurs.width(); }
    // Asks whether to save the adviser's changed data, and saves it on "Ja".
    void Update_Kantoorgegevens();

    // Declared for the host; this page never needs a restart.
    Event<> RestartRequired;
    // An edited AFM registration number was accepted.
    Event<> Changed;

protected:
    void Fill() override;
    QString fillProcedure() const override { return u"SetApplication"_s; }
    QString errorContext() const override { return u"Beheer adviseurs"_s; }
    std::vector<ValidationCheck> validationChecks() override;
    void Notify(const QString& sender, const QString& form, const QString& action, const QVariant& value) override;

private:
    void Fill_Controls();
    void setHintTexts();
    void Update_Autorisatie();
    void lvwAdviseurs_ItemClick(ListItem& item);
    void lvwAdviseurs_ColumnClick(ColumnHeader& header);
    void Show_Adviseur(ListItem& item);
    void Save_Kantoorgegevens();
    bool Check_Gebruikersnaam();
    void txtGebruikersnaam_Validate(bool& cancel);
    void txtAFMRegistratieNr_Validate(bool& cancel);
    void cboRol_Click();
    void cboAdviezenOpenen_Click();
    void cboAdviezenRechten_Click();
    void cboVestiging_Click();
    void cmdInstellenWachtwoord_Click();
    void cmdWachtwoordVersturen_Click();
    void cmdDelete_Click();
    void arrange();
    void fillLists();
    Label& label(Frame& frame, const QString& name, const QString& caption);
    void layoutAdviseur();
    void layoutKantoor();
    void layoutAutorisatie();
    void layoutList();
    void connectHandlers();
    void saveAutorisatie();
    // Puts a combo on the item with that item data without running its handler.
    void selectData(ComboBox& combo, int data);
    QString Get_VestigingNaam(const QString& vestiging) const;
    QString huidigeAdviseur() const;
    ListItem* rowOf(const QString& code) const;

    Frame& fraAdviseurs;
    ListView& lvwAdviseurs;
    CommandButton& cmdDelete;
    Frame& fraAdviseur;
    TextBox& txtKlantcode;
    TextBox& txtVoorletters;
    TextBox& txtTussenvoegsel;
    TextBox& txtNaam;
    TextBox& txtVoornamen;
    TextBox& txtGeslachtAdviseur;
    TextBox& txtEmailGeregistreerd;
    TextBox& txtEmailAdviseur;
    TextBox& txtInternetAdviseur;
    TextBox& txtTelefoonAdviseur;
    TextBox& txtTelefaxAdviseur;
    TextBox& txtGebruikersnaam;
    Hint& hintGebruikersnaam;
    TextBox& txtAFMRegistratieNr;
    Frame& fraKantoor;
    TextBox& txtNaamKantoor;
    TextBox& txtStraatKantoor;
    TextBox& txtHuinummerKantoor;
    TextBox& txtToevoeging;
    TextBox& txtPostcodeKantoor;
    TextBox& txtPlaatsKantoor;
    Frame& fraAutorisatie;
    ComboBox& cboRol;
    Hint& hintRol;
    ComboBox& cboVestiging;
    Hint& hintVestiging;
    ComboBox& cboAdviezenOpenen;
    Hint& hintAdviezenOpenen;
    ComboBox& cboAdviezenRechten;
    Hint& hintRechtenAdviezen;
    CommandButton& cmdInstellenWachtwoord;
    CommandButton& cmdWachtwoordVersturen;

    Database* database_ = nullptr;
    AdviserRegister register_;
    QString code_;
    AdviseurGegevens gegevens_;
    Autorisatie autorisatie_;
    bool changed_ = false;
    bool magBeheren_ = false;
    int sortColumn_ = -1;
    int sortOrder_ = 0;
};

} // namespace tarvelo
