#include "pages/database_hdn/SetupDatabase.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/page/FieldButtons.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ImportExportSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/FolderRoutines.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

constexpr int InnerWidth = 6300;
constexpr int LabelWidth = 2295;
constexpr int FieldWidth = 3315;

const QString AdviesBestand = u"Adviezen.mdb"_s;
const QString KiesAndereLocatie = u"Kies andere database locatie"_s;
const QString ControleCaption = u"Controle SQL database connectie"_s;
const QString GrootteHint =
    u"Hier staat de huidige grootte van de adviezendatabase. "_s +
    u"Indien de maximale grootte van een MS Access database bijna wordt bereikt, dient u over te stappen "_s +
    u"op een MS SQL database. Deze is geschikt voor de opslag en verwerking van grotere databases."_s;

} // namespace

SetupDatabase::DatabaseControls SetupDatabase::addDatabaseControls(int index, const QString& caption)
{
    Form& f = form();
    DatabaseControls c{};
    c.fra = &f.add<Frame>(f, u"fraDatabase"_s, {}, index);
    c.fra->setCaption(caption);
    c.lblSoort = &f.add<Label>(*c.fra, u"lblSoortDatabase"_s, {}, index);
    c.cboSoort = &f.add<ComboBox>(*c.fra, u"cboSoortDatabase"_s, {}, index);
    c.lblServer = &f.add<Label>(*c.fra, u"lblServerNaam"_s, {}, index);
    c.txtServer = &f.add<TextBox>(*c.fra, u"txtServerNaam"_s, {}, index);
    c.lblNaam = &f.add<Label>(*c.fra, u"lblDatabaseNaam"_s, {}, index);
    c.txtNaam = &f.add<TextBox>(*c.fra, u"txtDatabaseNaam"_s, {}, index);
    c.lblLocatie = &f.add<Label>(*c.fra, u"lblDBaseLocatie"_s, {}, index);
    c.txtLocatie = &f.add<TextBox>(*c.fra, u"txtDBaseLocatie"_s, {}, index);
    c.cmdLocatie = &f.add<CommandButton>(*c.fra, u"cmdDatabaseLoc"_s, {}, index);
    c.lblWeergave = &f.add<Label>(*c.fra, u"lblWeergaveNaam"_s, {}, index);
    c.txtWeergave = &f.add<TextBox>(*c.fra, u"txtWeergaveNaam"_s, {}, index);
    c.lblGrootte = &f.add<Label>(*c.fra, u"lblGrootteDB"_s, {}, index);
    c.txtGrootte = &f.add<TextBox>(*c.fra, u"txtGrootteDB"_s, {}, index);
    c.lblMax = &f.add<Label>(*c.fra, u"lblMaxGrootte"_s, {}, index);
    c.hntGrootte = &f.add<Hint>(*c.fra, u"hntGrootteDB"_s, {}, index);

    c.lblSoort->setCaption(u"Soort database"_s);
    c.lblServer->setCaption(u"Naam server"_s);
    c.lblNaam->setCaption(u"Databasenaam"_s);
    c.lblLocatie->setCaption(u"Databaselocatie"_s);
    c.cmdLocatie->setCaption(u"..."_s);
    c.lblWeergave->setCaption(u"Weergavenaam"_s);
    c.lblGrootte->setCaption(u"Huidige grootte"_s);
    c.lblMax->setCaption(u"(max. 2.000 MB)"_s);
    c.txtGrootte->setLocked(true);
    c.txtGrootte->setAlignment(Alignment::Right);
    return c;
}

SetupDatabase::SetupDatabase()
    : SettingsPage(u"SetupDatabase"_s),
      db{addDatabaseControls(0, u"Adviezen database (primair)"_s),
         addDatabaseControls(1, u"Adviezen database (secundair)"_s)},
      hntDatabaseNaam0(form().add<Hint>(*db[0].fra, u"hntDatabaseNaam"_s, {}, 0)),
      hntWeergaveNaam0(form().add<Hint>(*db[0].fra, u"hntWeergaveNaam"_s, {}, 0)),
      hntSoortDatabase(form().add<Hint>(*db[0].fra, u"hntSoortDatabase"_s)),
      cmdConnectieCheck(form().add<CommandButton>(*db[0].fra, u"cmdConnectieCheck"_s)),
      chkDatabase2(form().add<CheckBox>(*db[1].fra, u"chkDatabase2"_s)),
      txtSoortDatabaseSecundair(form().add<TextBox>(*db[1].fra, u"txtSoortDatabaseSecundair"_s)),
      hntDatabaseNaam1(form().add<Hint>(*db[1].fra, u"hntDatabaseNaam"_s, {}, 1)),
      hntWeergaveNaam1(form().add<Hint>(*db[1].fra, u"hntWeergaveNaam"_s, {}, 1)),
      fraOverige(form().add<Frame>(form(), u"fraDatabase"_s, {}, 2)),
      lblOverigeLocatie(form().add<Label>(fraOverige, u"lblDBaseLocatie"_s, {}, 2)),
      txtOverigeLocatie(form().add<TextBox>(fraOverige, u"txtDBaseLocatie"_s, {}, 2)),
      cmdOverigeLocatie(form().add<CommandButton>(fraOverige, u"cmdDatabaseLoc"_s, {}, 2)),
      fraImportExport(form().add<Frame>(form(), u"fraImportExport"_s)),
      lblExportDir(form().add<Label>(fraImportExport, u"lblExportDir"_s)),
      txtExportDir(form().add<TextBox>(fraImportExport, u"txtExportDir"_s)),
      cmdExportLocatie(form().add<CommandButton>(fraImportExport, u"cmdExportLocatie"_s)),
      lblEmailOntvanger(form().add<Label>(fraImportExport, u"lblEmailOntvanger"_s)),
      txtEmailOntvanger(form().add<TextBox>(fraImportExport, u"txtEmailOntvanger"_s)),
      hntEmailOntvanger(form().add<Hint>(fraImportExport, u"hntEmailOntvanger"_s)),
      lblImportDir(form().add<Label>(fraImportExport, u"lblImportDir"_s)),
      txtImportDir(form().add<TextBox>(fraImportExport, u"txtImportDir"_s)),
      cmdImportLocatie(form().add<CommandButton>(fraImportExport, u"cmdImportLocatie"_s)),
      fraAdviesdossiers(form().add<Frame>(form(), u"fraAdviesdossiers"_s)),
      lblDocumenten(form().add<Label>(fraAdviesdossiers, u"lblDocumenten"_s)),
      txtAdviesdossierDocumentenmap(form().add<TextBox>(fraAdviesdossiers, u"txtAdviesdossierDocumentenmap"_s)),
      cmdAdviesdossierDocumentenmap(form().add<CommandButton>(fraAdviesdossiers, u"cmdAdviesdossierDocumentenmap"_s)),
      hntAdviesdossiers(form().add<Hint>(fraAdviesdossiers, u"hntAdviesdossiers"_s)),
      fraToepassen(form().add<Frame>(form(), u"fraToepassen"_s)),
      hntToepassen(form().add<Hint>(fraToepassen, u"hntToepassen"_s)),
      cmdToepassen(form().add<CommandButton>(fraToepassen, u"cmdToepassen"_s))
{
    hntDatabaseNaam0.setText(u"Dit is de bestandsnaam van de primaire adviezen database."_s);
    hntDatabaseNaam1.setText(u"Dit is de bestandsnaam van de secundaire adviezen database."_s);
    for (Hint* h : {&hntWeergaveNaam0, &hntWeergaveNaam1})
        h->setText(u"Dit is de naam die getoond wordt in de database keuzelijst."_s);
    hntSoortDatabase.setText(
        u"Indien u wilt kiezen voor 'SQL Server', dan dient de SQL database van Quenmarix voorgeïnstalleerd te zijn. "
        "Zie de installatiehandleiding van Quenmarix over SQL databases voor meer informatie. "
        "Kijk ook in de supportsectie op de website van Quenmarix."_s);
    cmdConnectieCheck.setCaption(u"&Controleer databaseconnectie"_s);
    chkDatabase2.setCaption(u"Adviezen database (secundair)"_s);
    txtSoortDatabaseSecundair.setLocked(true);
    db[1].cboSoort->setVisible(false); // the text box beside it names the only kind
    // The second database is always a file: it has no server and keeps the fixed file name.
    db[1].txtServer->setEnabled(false);
    db[1].lblServer->setEnabled(false);
    db[1].txtNaam->setEnabled(false);
    db[1].lblNaam->setEnabled(false);

    fraOverige.setCaption(u"Overige databases"_s);
    lblOverigeLocatie.setCaption(u"Databaselocatie"_s);
    cmdOverigeLocatie.setCaption(u"..."_s);

    fraImportExport.setCaption(u"Import/Export locatie adviezen"_s);
    lblExportDir.setCaption(u"Export locatie adviezen"_s);
    cmdExportLocatie.setCaption(u"..."_s);
    lblEmailOntvanger.setCaption(u"E-mail versturen naar"_s);
    hntEmailOntvanger.setText(u"E-mail voor automatische verzending van geëxporteerde adviezen"_s);
    lblImportDir.setCaption(u"Import locatie adviezen"_s);
    cmdImportLocatie.setCaption(u"..."_s);

    fraAdviesdossiers.setCaption(u"Adviesdossiers"_s);
    lblDocumenten.setCaption(u"Documenten"_s);
    cmdAdviesdossierDocumentenmap.setCaption(u"..."_s);
    hntAdviesdossiers.setText(
        u"Geef hier de map op waarin de Adviesdossiermappen worden opgeslagen. Er wordt per klant een sub-directory "
        "in deze map aangemaakt."_s);

    fraToepassen.setCaption(u"Database wijzigen"_s);
    hntToepassen.setText(
        u"Gewijzigde database-instellingen worden samen toegepast en gelden na het opnieuw starten van Quenmarix."_s);
    cmdToepassen.setCaption(u"Toepassen..."_s);
    cmdToepassen.setEnabled(false);

    layoutDatabaseFrame(0, nullptr, &hntSoortDatabase);
    layoutDatabaseFrame(1, &chkDatabase2, nullptr);
    RowLayout(fraOverige, InnerWidth)
        .row({{&lblOverigeLocatie, LabelWidth},
              {&txtOverigeLocatie, FieldWidth},
              {&cmdOverigeLocatie, RowLayout::FieldButtonWidth}})
        .finish();
    RowLayout(fraImportExport, InnerWidth)
        .row({{&lblExportDir, LabelWidth},
              {&txtExportDir, FieldWidth},
              {&cmdExportLocatie, RowLayout::FieldButtonWidth}})
        .field(lblEmailOntvanger, txtEmailOntvanger, FieldWidth, LabelWidth)
        .text(hntEmailOntvanger)
        .row({{&lblImportDir, LabelWidth},
              {&txtImportDir, FieldWidth},
              {&cmdImportLocatie, RowLayout::FieldButtonWidth}})
        .finish();
    RowLayout(fraAdviesdossiers, InnerWidth)
        .row({{&lblDocumenten, LabelWidth},
              {&txtAdviesdossierDocumentenmap, FieldWidth},
              {&cmdAdviesdossierDocumentenmap, RowLayout::FieldButtonWidth}})
        .text(hntAdviesdossiers)
        .finish();
    RowLayout(fraToepassen, InnerWidth).text(hntToepassen).row({{&cmdToepassen, 1815}}).finish();
    stackFrames({db[0].fra, db[1].fra, &fraOverige, &fraImportExport, &fraAdviesdossiers, &fraToepassen});

    for (int i = 0; i < 2; ++i)
        describeFieldButton(*db[i].cmdLocatie, FieldButton::ChooseFolder, *db[i].txtLocatie);
    describeFieldButton(cmdOverigeLocatie, FieldButton::ChooseFolder, txtOverigeLocatie);
    describeFieldButton(cmdExportLocatie, FieldButton::ChooseFolder, txtExportDir);
    describeFieldButton(cmdImportLocatie, FieldButton::ChooseFolder, txtImportDir);
    describeFieldButton(cmdAdviesdossierDocumentenmap, FieldButton::ChooseFolder, txtAdviesdossierDocumentenmap);
    for (int i = 0; i < 2; ++i) {
        db[i].cboSoort->Click.connect([this, i] { cboSoortDatabase_Click(i); });
        db[i].cmdLocatie->Click.connect([this, i] { cmdDatabaseLoc_Click(i); });
        db[i].txtLocatie->Validate.connect([this, i](bool& cancel) { txtDBaseLocatie_Validate(i, cancel); });
        db[i].txtServer->Validate.connect([this, i](bool&) { txtServerNaam_Validate(i); });
        db[i].txtNaam->Validate.connect([this, i](bool&) { txtDatabaseNaam_Validate(i); });
        db[i].txtWeergave->Validate.connect([this, i](bool&) { txtWeergaveNaam_Validate(i); });
    }
    cmdOverigeLocatie.Click.connect([this] { cmdDatabaseLoc_Click(2); });
    txtOverigeLocatie.Validate.connect([this](bool& cancel) { txtDBaseLocatie_Validate(2, cancel); });
    chkDatabase2.Click.connect([this] { chkDatabase2_Click(); });
    cmdConnectieCheck.Click.connect([this] { cmdConnectieCheck_Click(); });
    cmdToepassen.Click.connect([this] { cmdToepassen_Click(); });
    cmdAdviesdossierDocumentenmap.Click.connect([this] { cmdAdviesdossierDocumentenmap_Click(); });
    txtAdviesdossierDocumentenmap.Validate.connect(
        [this](bool& cancel) { txtAdviesdossierDocumentenmap_Validation(cancel); });
    cmdImportLocatie.Click.connect([this] { cmdImportLocatie_Click(); });
    cmdExportLocatie.Click.connect([this] { cmdExportLocatie_Click(); });
    txtImportDir.Validate.connect(
        [this](bool& cancel) { txtFolder_Validate(txtImportDir, cancel, &SetupDatabase::Update_Importlocatie); });
    txtExportDir.Validate.connect(
        [this](bool& cancel) { txtFolder_Validate(txtExportDir, cancel, &SetupDatabase::Update_Exportlocatie); });
    bind(txtEmailOntvanger, &ImportExportSettings::EmailOntvanger).whenLeft();
}

void SetupDatabase::layoutDatabaseFrame(int index, Control* top, Hint* extra)
{
    DatabaseControls& c = db[index];
    Hint& hntNaam = index == 0 ? hntDatabaseNaam0 : hntDatabaseNaam1;
    Hint& hntWeergave = index == 0 ? hntWeergaveNaam0 : hntWeergaveNaam1;
    c.hntGrootte->setText(GrootteHint);
    RowLayout lay(*c.fra, InnerWidth);
    if (top)
        lay.line(*top);
    if (index == 0)
        lay.field(*c.lblSoort, *c.cboSoort, 1815, LabelWidth);
    else
        lay.row({{c.lblSoort, LabelWidth}, {&txtSoortDatabaseSecundair, 1815}});
    if (index == 1)
        c.cboSoort->setBounds(txtSoortDatabaseSecundair.left(), txtSoortDatabaseSecundair.top(), 1815, 315);
    lay.field(*c.lblServer, *c.txtServer, FieldWidth, LabelWidth)
        .field(*c.lblNaam, *c.txtNaam, FieldWidth, LabelWidth)
        .text(hntNaam)
        .row({{c.lblLocatie, LabelWidth}, {c.txtLocatie, FieldWidth}, {c.cmdLocatie, RowLayout::FieldButtonWidth}})
        .field(*c.lblWeergave, *c.txtWeergave, FieldWidth, LabelWidth)
        .text(hntWeergave)
        .row({{c.lblGrootte, LabelWidth}, {c.txtGrootte, 1215}, {c.lblMax, 0}})
        .text(*c.hntGrootte);
    if (extra) {
        lay.text(*extra);
        lay.row({{&cmdConnectieCheck, 2895}});
    }
    lay.finish();
}

void SetupDatabase::Terminate()
{
    if (changed && getApplication())
        cmdToepassen_Click();
}

void SetupDatabase::setChanged(bool on)
{
    changed = on;
    cmdToepassen.setEnabled(on);
}

QString SetupDatabase::Get_Om_Bestandsgrootte(qint64 bytes)
{
    const QLocale locale;
    const double s = double(bytes);
    if (bytes > 1000000000)
        return locale.toString(s / 1024 / 1024 / 1024, 'f', 2) + u" GB"_s;
    if (bytes > 1000000)
        return locale.toString(s / 1024 / 1024, 'f', 2) + u" MB"_s;
    if (bytes > 1000)
        return locale.toString(s / 1024, 'f', 0) + u" kB"_s;
    return locale.toString(bytes) + u" B"_s;
}

void SetupDatabase::Fill()
{
    // The databases come from this workstation's own registry: what the user
    // chose here and has not applied yet stays when the page is filled again
    // for a setting read from elsewhere.
    if (!changed)
        Fill_Databases();
    txtImportDir.setText(Setup<ImportExportSettings>().ImportDir);
    txtExportDir.setText(Setup<ImportExportSettings>().ExportDir);
}

void SetupDatabase::Fill_Databases()
{
    const Registry& reg = app().registry();
    const auto user = [&](QLatin1StringView value, const QString& fallback = QString()) {
        return reg.GetTarveloSetting(Hive::HKEY_CURRENT_USER, value, true, fallback);
    };
    provider = user(RegistryNames::AdviezenDatabaseProvider);
    chosen[0] = {user(RegistryNames::AdviezenDatabaseSource), user(RegistryNames::AdviezenDatabaseMap),
                 user(RegistryNames::AdviezenDatabaseName), user(RegistryNames::AdviezenDatabaseWeergaveNaam)};
    chosen[1] = {user(RegistryNames::AdviezenDatabase2Source), user(RegistryNames::AdviezenDatabase2Map),
                 user(RegistryNames::AdviezenDatabase2Name), user(RegistryNames::AdviezenDatabase2WeergaveNaam)};
    databaseDir =
        reg.RegGetString(Hive::HKEY_LOCAL_MACHINE, RegistryNames::ProductKey, RegistryNames::DatabaseDir, QString());
    database2 =
        user(RegistryNames::AdviezenDatabase2, u"False"_s).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    dossierMap = user(RegistryNames::AdviesdossierDocumentenMap, databaseDir);

    txtAdviesdossierDocumentenmap.setText(dossierMap);
    chkDatabase2.setChecked(database2);
    db[0].txtWeergave->setText(chosen[0].displayName);
    db[1].txtWeergave->setText(chosen[1].displayName);

    ComboBox& soort = *db[0].cboSoort;
    soort.clear();
    soort.addItemWithData(u"MS Access"_s, 0);
    soort.setListIndex(0);
    if (app().SqlServerAvailable()) {
        soort.addItemWithData(u"MS SQL Server"_s, 1);
        if (app().DatabaseProvider() == QLatin1String("MSSQL") || provider == QLatin1String("MSSQL"))
            soort.setListIndex(1);
    }
    soort.setEnabled(soort.listCount() > 1);
    typeAtFill = soort.itemData(soort.listIndex());

    const bool sql = typeAtFill == 1;
    db[0].txtServer->setText(sql ? chosen[0].server : QString());
    db[0].txtNaam->setText(chosen[0].name);
    db[0].txtLocatie->setText(sql ? QString() : chosen[0].folder);
    Set_StatusControls();

    ComboBox& soort2 = *db[1].cboSoort;
    soort2.clear();
    soort2.addItemWithData(u"MS Access"_s, 0);
    soort2.setEnabled(soort2.listCount() > 1);
    soort2.setListIndex(0);

    Fill_DatabaseSize();
    setChanged(false);
}

void SetupDatabase::Set_StatusControls()
{
    guarded([this] {
        const bool sql = db[0].cboSoort->listIndex() == 1;
        const bool access = db[0].cboSoort->listIndex() == 0;
        const bool second = chkDatabase2.value() == 1;

        db[0].txtServer->setEnabled(sql);
        db[0].txtServer->setText(access ? QString() : chosen[0].server);
        db[0].txtNaam->setEnabled(sql);
        db[0].txtNaam->setText(access ? AdviesBestand : chosen[0].name);
        db[0].txtLocatie->setEnabled(access);
        db[0].cmdLocatie->setEnabled(access);
        db[0].txtLocatie->setText(sql ? QString() : chosen[0].folder);
        const int selected = db[0].cboSoort->listIndex();
        cmdConnectieCheck.setVisible(selected >= 0 && db[0].cboSoort->itemData(selected) == 1);

        db[1].txtWeergave->setEnabled(second);
        db[1].txtWeergave->setText(second ? chosen[1].displayName : QString());
        db[1].txtNaam->setEnabled(false);
        db[1].txtNaam->setText(second ? AdviesBestand : QString());
        db[1].txtLocatie->setEnabled(second);
        db[1].cmdLocatie->setEnabled(second);
        db[1].txtLocatie->setText(second ? chosen[1].folder : QString());
        txtSoortDatabaseSecundair.setText(second ? u"MS Access"_s : QString());

        txtOverigeLocatie.setEnabled(true);
        cmdOverigeLocatie.setEnabled(true);
        txtOverigeLocatie.setText(databaseDir);
        fraAdviesdossiers.setVisible(true);

        for (const DatabaseControls& c : db) {
            c.lblServer->setEnabled(c.txtServer->enabled());
            c.lblNaam->setEnabled(c.txtNaam->enabled());
            c.lblLocatie->setEnabled(c.txtLocatie->enabled());
            c.lblWeergave->setEnabled(c.txtWeergave->enabled());
        }
        db[1].lblSoort->setEnabled(second);
    });
}

void SetupDatabase::Fill_DatabaseSize()
{
    guarded([this] {
        const bool accessSelected =
            db[0].cboSoort->listIndex() >= 0 && db[0].cboSoort->itemData(db[0].cboSoort->listIndex()) == 0;
        const std::array<std::pair<bool, QString>, 2> files{std::pair{accessSelected, chosen[0].folder},
                                                            std::pair{chkDatabase2.value() == 1, chosen[1].folder}};
        for (int i = 0; i < 2; ++i) {
            DatabaseControls& c = db[i];
            c.hntGrootte->setText(GrootteHint);
            const QFileInfo file(QDir(files[i].second).filePath(AdviesBestand));
            const bool show = files[i].first && !files[i].second.isEmpty() && file.isFile();
            c.lblGrootte->setEnabled(show);
            c.txtGrootte->setText(show ? Get_Om_Bestandsgrootte(file.size()) : QString());
            c.lblMax->setVisible(show);
        }
    });
}

bool SetupDatabase::CheckForDBase(const QString& folder, int index)
{
    bool found = false;
    guarded([&] {
        const QDir dir(folder);
        if (index == 0 || index == 1) {
            const bool server = index == 0 && db[0].txtNaam->enabled();
            const QString pattern = server ? u"*.mdf"_s : AdviesBestand;
            found = !dir.entryList({pattern}, QDir::Files).isEmpty();
        } else {
            found = true;
            for (const char* file : {"Rente.mdb", "Tabellen.mdb", "Tarieven.mdb"}) {
                if (!QFileInfo(dir.filePath(QLatin1String(file))).isFile()) {
                    found = false;
                    break;
                }
            }
        }
    });
    return found;
}

void SetupDatabase::Update_DatabaseLocatie(int index)
{
    guarded(Index{index}, [&] {
        if (index == 0 || index == 1) {
            const QString primary = db[0].txtLocatie->text();
            const QString secondary = db[1].txtLocatie->text();
            if (primary.compare(secondary, Qt::CaseInsensitive) == 0 && !primary.trimmed().isEmpty()) {
                ui().msgBox(u"Er is al een locatie ingesteld naar "_s + db[index].txtLocatie->text(), MsgButtons::OK,
                            MsgIcon::Exclamation, KiesAndereLocatie);
                db[index].txtLocatie->setText(QString());
                return;
            }
            QString& stored = chosen[index].folder;
            if (db[index].txtLocatie->text() != stored)
                setChanged(true);
            stored = db[index].txtLocatie->text();
        } else {
            if (txtOverigeLocatie.text() != databaseDir)
                setChanged(true);
            app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, RegistryNames::ProductKey,
                                          RegistryNames::DatabaseDir, txtOverigeLocatie.text());
            databaseDir = txtOverigeLocatie.text();
        }
        Fill_DatabaseSize();
    });
}

void SetupDatabase::cboSoortDatabase_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [&] {
        const ComboBox& soort = *db[index].cboSoort;
        setChanged(soort.itemData(soort.listIndex()) != typeAtFill);
        if (changed) {
            // Another kind of database: what was typed for the old kind does not apply.
            chosen[index].server.clear();
            chosen[index].displayName.clear();
            chosen[index].name.clear();
            db[index].txtServer->setText(QString());
            db[index].txtWeergave->setText(QString());
            db[index].txtNaam->setText(QString());
        }
        Set_StatusControls();
        Fill_DatabaseSize();
    });
}

void SetupDatabase::chkDatabase2_Click()
{
    if (IsLoading)
        return;
    guarded([this] {
        setChanged(true);
        Set_StatusControls();
        Fill_DatabaseSize();
    });
}

void SetupDatabase::cmdDatabaseLoc_Click(int index)
{
    guarded(Index{index}, [&] {
        if (index < 0 || index > 2)
            return;
        TextBox& field = index == 2 ? txtOverigeLocatie : *db[index].txtLocatie;
        const QString title = index == 0 ? u"Selecteer de map waarin de adviezen database zich bevindt:"_s
                                         : u"Selecteer de map waarin de overige Quenmarix databases zich bevinden:"_s;
        const QString folder = BrowseForFolder(ui(), field.text(), title);
        if (folder.isEmpty())
            return;
        if (CheckForDBase(folder, index)) {
            field.setText(folder);
            Update_DatabaseLocatie(index);
        } else {
            ui().msgBox(u"Databases zijn niet gevonden in "_s + folder, MsgButtons::OK, MsgIcon::Information,
                        KiesAndereLocatie);
        }
    });
}

void SetupDatabase::txtDBaseLocatie_Validate(int index, bool& cancel)
{
    TextBox& field = index == 2 ? txtOverigeLocatie : *db[index].txtLocatie;
    // An emptied field is told like a folder that does not exist, so the user
    // knows why the focus stays.
    if (FolderExists(ui(), field.text(), true))
        Update_DatabaseLocatie(index);
    else
        cancel = true;
}

// What was typed is kept with the page's fields, so that redrawing the status
// of the controls (ticking the second database, say) shows it again.
void SetupDatabase::txtServerNaam_Validate(int index)
{
    chosen[index].server = db[index].txtServer->text();
    setChanged(true);
}

void SetupDatabase::txtDatabaseNaam_Validate(int index)
{
    chosen[index].name = db[index].txtNaam->text();
    setChanged(true);
}

void SetupDatabase::txtWeergaveNaam_Validate(int index)
{
    const QString first = db[0].txtWeergave->text();
    if (first == db[1].txtWeergave->text() && !first.isEmpty()) {
        ui().msgBox(u"Weergavenamen mogen niet gelijk zijn aan elkaar!"_s, MsgButtons::OK, MsgIcon::Exclamation,
                    u"Weergavenaam gelijk"_s);
        db[index].txtWeergave->setText(QString());
        chosen[index].displayName.clear();
        return;
    }
    chosen[index].displayName = db[index].txtWeergave->text();
    setChanged(true);
}

// The host's database object; a host that gives none is reported as an
// object that is missing (error 424), as the other procedures do.
Database& SetupDatabase::databaseObject()
{
    Database* database = GetDatabase(app());
    if (!database)
        throw RuntimeError::objectRequired();
    return *database;
}

void SetupDatabase::cmdConnectieCheck_Click()
{
    guarded([this] {
        cmdConnectieCheck.setEnabled(false);
        Database& database = databaseObject();
        ui().setMousePointer(MousePointer::Hourglass);
        const auto pointerBack = qScopeGuard([this] { ui().setMousePointer(MousePointer::Default); });
        QString errorText;
        database.TestConnection(db[0].txtServer->text(), errorText, db[0].txtNaam->text());
        ui().setMousePointer(MousePointer::Default);
        if (errorText.isEmpty()) {
            ui().msgBox(u"Verbinding met de SQL database geslaagd."_s, MsgButtons::OK, MsgIcon::Information,
                        ControleCaption);
        } else {
            ui().msgBox(u"Kan geen verbinding maken met de SQL database.\r\n\r\nFoutmelding: "_s + errorText,
                        MsgButtons::OK, MsgIcon::Exclamation, ControleCaption);
        }
    });
    cmdConnectieCheck.setEnabled(true);
}

void SetupDatabase::cmdToepassen_Click()
{
    guarded([this] {
        const MsgResult answer =
            ui().msgBox(u"Weet u zeker dat u de instellingen met betrekking tot de adviezendatabase wilt wijzigen?"_s,
                        MsgButtons::YesNo, MsgIcon::Question, u"Adviezendatabase instellingen"_s);
        if (answer == MsgResult::Yes)
            Toepassen();
    });
    setChanged(false);
}

void SetupDatabase::Toepassen()
{
    Application& a = app();
    const ComboBox& soort = *db[0].cboSoort;
    const QString newProvider = soort.itemData(soort.listIndex()) == 1 ? u"MSSQL"_s : u"MSACC"_s;
    const QString oldProvider = a.DatabaseProvider();
    const QString oldServer = a.DatabaseServer();
    // Asked before anything changes: a host without one changes nothing.
    Database* database = newProvider == QLatin1String("MSSQL") ? &databaseObject() : nullptr;
    a.setDatabaseProvider(newProvider);
    a.setDatabaseServer(db[0].txtServer->text());

    if (database) {
        QString errorText;
        database->TestConnection(a.DatabaseServer(), errorText, db[0].txtNaam->text());
        if (!errorText.isEmpty()) {
            // Nothing is stored, so the running program keeps the choice it started with.
            a.setDatabaseProvider(oldProvider);
            a.setDatabaseServer(oldServer);
            ui().msgBox(u"Kan geen verbinding maken met de SQL database.\r\nFoutmelding: "_s + errorText,
                        MsgButtons::OK, MsgIcon::Exclamation, u"Kan geen verbinding maken"_s);
            return;
        }
    }

    const Registry& reg = a.registry();
    const auto save = [&](QLatin1StringView value, const QString& text) {
        reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, value, text);
    };
    save(RegistryNames::AdviezenDatabaseProvider, a.DatabaseProvider());
    save(RegistryNames::AdviezenDatabaseSource, a.DatabaseServer());
    save(RegistryNames::AdviezenDatabaseName, db[0].txtNaam->text());
    save(RegistryNames::AdviezenDatabaseWeergaveNaam, db[0].txtWeergave->text());
    save(RegistryNames::AdviezenDatabaseMap, chosen[0].folder);
    save(RegistryNames::AdviezenDatabase2, chkDatabase2.value() == 1 ? u"True"_s : u"False"_s);
    save(RegistryNames::AdviezenDatabase2WeergaveNaam, db[1].txtWeergave->text());
    save(RegistryNames::AdviezenDatabase2Map, chosen[1].folder);
    save(RegistryNames::AdviezenDatabase2Source, db[1].txtServer->text());
    save(RegistryNames::AdviezenDatabase2Name, db[1].txtNaam->text());

    if (ui().msgBox(u"Om de nieuwe database te gebruiken dient u Quenmarix opnieuw op te starten, "
                    "wilt u Quenmarix afsluiten?"_s,
                    MsgButtons::YesNo, MsgIcon::Question, u"Aanpassen database..."_s) == MsgResult::Yes)
        a.CloseApplication();
}

void SetupDatabase::Update_DossierLocatie(const QString& folder)
{
    const QString current = app().registry().GetTarveloSetting(
        Hive::HKEY_CURRENT_USER, RegistryNames::AdviesdossierDocumentenMap, true, databaseDir);
    MsgResult answer = MsgResult::No;
    if (!current.isEmpty()) {
        answer = ui().msgBox(u"Wilt u de documentlocatie van uw bestaande adviesdossiers aanpassen naar "
                             "de geselecteerde map?"_s,
                             MsgButtons::YesNoCancel, MsgIcon::Question, u"Documentlocatie adviesdossiers"_s);
        if (answer == MsgResult::Cancel)
            return;
    }
    txtAdviesdossierDocumentenmap.setText(folder);
    app().registry().SaveTarveloSetting(Hive::HKEY_CURRENT_USER, RegistryNames::AdviesdossierDocumentenMap, folder);
    dossierMap = folder;
    if (answer == MsgResult::Yes) {
        const QVariant result = app().RunFunction(u"SetupDatabase"_s, u"Tarvelomain"_s, u"GetDatabase"_s);
        if (auto* database = result.value<Database*>())
            database->MoveDossierDocumentFolder(app().DataDir(), current, folder);
    }
    setChanged(true);
}

void SetupDatabase::cmdAdviesdossierDocumentenmap_Click()
{
    guarded([this] {
        const QString folder =
            BrowseForFolder(ui(), txtAdviesdossierDocumentenmap.text(),
                            u"Selecteer de hoofdmap waar u de documenten per adviesdossier wilt opslaan"_s);
        // Without a chosen folder there is nothing to move the dossiers to.
        if (!folder.isEmpty())
            Update_DossierLocatie(folder);
    });
}

void SetupDatabase::txtAdviesdossierDocumentenmap_Validation(bool& cancel)
{
    guarded([&] {
        const QString folder = txtAdviesdossierDocumentenmap.text();
        if (!FolderExists(ui(), folder, true)) {
            cancel = true;
            return;
        }
        Update_DossierLocatie(folder);
    });
}

void SetupDatabase::Update_Importlocatie(const QString& folder)
{
    guarded([&] {
        app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::ImportDir,
                                      folder);
        Setup<ImportExportSettings>().ImportDir = folder;
    });
}

void SetupDatabase::Update_Exportlocatie(const QString& folder)
{
    guarded([&] { Setup<ImportExportSettings>().ExportDir = folder; });
}

void SetupDatabase::cmdImportLocatie_Click()
{
    guarded([this] {
        const QString folder =
            BrowseForFolder(ui(), txtImportDir.text(), u"Selecteer de standaardfolder voor de importbestanden"_s);
        if (folder.isEmpty())
            return;
        txtImportDir.setText(folder);
        Update_Importlocatie(folder);
    });
}

void SetupDatabase::cmdExportLocatie_Click()
{
    guarded([this] {
        const QString folder = BrowseForFolder(ui(), txtExportDir.text(),
                                               u"Selecteer de standaardfolder voor de advies-exportbestanden"_s);
        if (folder.isEmpty())
            return;
        txtExportDir.setText(folder);
        Update_Exportlocatie(folder);
    });
}

void SetupDatabase::txtFolder_Validate(TextBox& box, bool& cancel, void (SetupDatabase::*store)(const QString&))
{
    if (!box.text().isEmpty() && FolderExists(ui(), box.text(), true))
        (this->*store)(box.text());
    else
        cancel = true;
}

void SetupDatabase::Notify(const QString& sender, const QString& form, const QString& action, const QVariant&)
{
    guarded(u"m_Application_Notify"_s, [&] {
        if (sender == QLatin1String("frmInstellingen") && form == QLatin1String("Setup") &&
            action == QLatin1String("WijzigingenOpslaan") && changed)
            cmdToepassen_Click();
    });
}

} // namespace tarvelo
