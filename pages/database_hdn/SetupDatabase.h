#pragma once

#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Database;

// "Data": where the advice databases live (an embedded file or a server
// database, and an optional second file), the folder of the other databases,
// the import and export folders and the root of the dossier documents. The
// database choices are collected and applied together with "Toepassen...";
// the program then has to be restarted.
class SetupDatabase final : public SettingsPage {
public:
    SetupDatabase();
    QString Titel() const override { return u"Data"_s; }

    // The size of a database file as the page shows it ("977 kB", "0,95 MB").
    static QString Get_Om_Bestandsgrootte(qint64 bytes);

    // Changes that were collected but not applied are offered once more.
    void Terminate() override;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }
    void Notify(const QString& sender, const QString& form, const QString& action, const QVariant& value) override;

private:
    // The controls of one advice database (0 primary, 1 secondary).
    struct DatabaseControls {
        Frame* fra;
        Label* lblSoort;
        ComboBox* cboSoort;
        Label* lblServer;
        TextBox* txtServer;
        Label* lblNaam;
        TextBox* txtNaam;
        Label* lblLocatie;
        TextBox* txtLocatie;
        CommandButton* cmdLocatie;
        Label* lblWeergave;
        TextBox* txtWeergave;
        Label* lblGrootte;
        TextBox* txtGrootte;
        Label* lblMax;
        Hint* hntGrootte;
    };
    DatabaseControls addDatabaseControls(int index, const QString& caption);
    void layoutDatabaseFrame(int index, Control* top, Hint* extra);

    void Set_StatusControls();
    void Fill_DatabaseSize();
    // The choices of databases as this workstation's registry holds them.
    void Fill_Databases();
    bool CheckForDBase(const QString& folder, int index);
    void Update_DatabaseLocatie(int index);
    void Update_Importlocatie(const QString& folder);
    void Update_Exportlocatie(const QString& folder);
    void Update_DossierLocatie(const QString& folder);
    void setChanged(bool on);

    void cboSoortDatabase_Click(int index);
    void chkDatabase2_Click();
    void cmdDatabaseLoc_Click(int index);
    void txtDBaseLocatie_Validate(int index, bool& cancel);
    void txtServerNaam_Validate(int index);
    void txtDatabaseNaam_Validate(int index);
    void txtWeergaveNaam_Validate(int index);
    void cmdConnectieCheck_Click();
    void cmdToepassen_Click();
    void Toepassen();
    Database& databaseObject();
    void cmdAdviesdossierDocumentenmap_Click();
    void txtAdviesdossierDocumentenmap_Validation(bool& cancel);
    void cmdImportLocatie_Click();
    void cmdExportLocatie_Click();
    void txtFolder_Validate(TextBox& box, bool& cancel, void (SetupDatabase::*store)(const QString&));

    std::array<DatabaseControls, 2> db;
    Hint& hntDatabaseNaam0;
    Hint& hntWeergaveNaam0;
    Hint& hntSoortDatabase;
    CommandButton& cmdConnectieCheck;
    CheckBox& chkDatabase2;
    TextBox& txtSoortDatabaseSecundair;
    Hint& hntDatabaseNaam1;
    Hint& hntWeergaveNaam1;

    Frame& fraOverige;
    Label& lblOverigeLocatie;
    TextBox& txtOverigeLocatie;
    CommandButton& cmdOverigeLocatie;

    Frame& fraImportExport;
    Label& lblExportDir;
    TextBox& txtExportDir;
    CommandButton& cmdExportLocatie;
    Label& lblEmailOntvanger;
    TextBox& txtEmailOntvanger;
    Hint& hntEmailOntvanger;
    Label& lblImportDir;
    TextBox& txtImportDir;
    CommandButton& cmdImportLocatie;

    Frame& fraAdviesdossiers;
    Label& lblDocumenten;
    TextBox& txtAdviesdossierDocumentenmap;
    CommandButton& cmdAdviesdossierDocumentenmap;
    Hint& hntAdviesdossiers;

    Frame& fraToepassen;
    Hint& hntToepassen;
    CommandButton& cmdToepassen;

    // One advice database as the registry held it at the fill, with what the
    // page has collected for it since.
    struct DatabaseChoice {
        QString server;
        QString folder;
        QString name;
        QString displayName;
    };
    std::array<DatabaseChoice, 2> chosen;
    QString provider, databaseDir, dossierMap;
    bool database2 = false;
    int typeAtFill = 0;
    bool changed = false;
};

} // namespace tarvelo
