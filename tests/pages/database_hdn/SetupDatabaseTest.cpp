#include "pages/database_hdn/SetupDatabase.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Connection.h"
#include "framework/registry/Registry.h"
#include "framework/settings/ImportExportSettings.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SetupDatabaseTest : PageTest {
    Registry& reg() { return h.app().registry(); }
    QString user(const char* name)
    {
        return reg().RegGetString(Hive::HKEY_CURRENT_USER, "Software\\Tarvelo", name, "<geen>");
    }
    void setUser(const char* name, const QString& value)
    {
        reg().SaveTarveloSetting(Hive::HKEY_CURRENT_USER, name, value);
    }
    SettingsPage& open() { return h.open("SetupDatabase"); }
    ComboBox& soort(int i = 0) { return h.control<ComboBox>("cboSoortDatabase", i); }
    TextBox& txt(const char* name, int i = -1) { return h.control<TextBox>(name, i); }
    CommandButton& cmd(const char* name, int i = -1) { return h.control<CommandButton>(name, i); }
    // A folder holding an embedded advice database file of the given size.
    QString databaseFolder(const QString& name, qint64 size = 4096)
    {
        QDir(h.folder()).mkpath(name);
        const QString folder = QDir(h.folder()).filePath(name);
        QFile file(QDir(folder).filePath("Adviezen.mdb"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.resize(size);
        return folder;
    }
    const ScriptedUi::ShownMessage& lastMessage() { return h.ui().messages().back(); }
};

} // namespace

// Sizes mix decimal thresholds with binary divisions and Dutch grouping; each boundary is easy to get wrong.
TEST(SetupDatabaseSize, SizeTextsFollowThresholdsAndDutchFormat)
{
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 B"},
        {1000, "1.000 B"},
        {1001, "1 kB"},
        {1000000, "977 kB"},
        {1000001, "0,95 MB"},
        {12345678, "11,77 MB"},
        {1000000000, "953,67 MB"},
        {1000000001, "0,93 GB"},
        {2147483648LL, "2,00 GB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SetupDatabase::Get_Om_Bestandsgrootte(bytes), QString::fromUtf8(text)) << bytes;
}

// The fill must show the stored choice, the fixed texts and the size of the embedded file.
TEST_F(SetupDatabaseTest, FillShowsStoredAccessDatabaseWithItsSize)
{
    const QString primary = databaseFolder("primair", 1000001);
    setUser("AdviezenDatabaseMap", primary);
    setUser("AdviezenDatabaseProvider", "MSACC");
    setUser("AdviezenDatabaseWeergaveNaam", "Kantoor \"Centrum\"");
    reg().RegSetString(Hive::HKEY_LOCAL_MACHINE, "Software\\Tarvelo", "DatabaseDir", "/srv/quenmarix/databases");
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Data");
    ASSERT_EQ(soort().listCount(), 2);
    EXPECT_EQ(soort().text(), "MS Access");
    EXPECT_EQ(soort(1).text(), "MS Access");
    EXPECT_FALSE(soort(1).enabled());
    EXPECT_EQ(txt("txtDBaseLocatie", 0).text(), primary);
    EXPECT_EQ(txt("txtDatabaseNaam", 0).text(), "Adviezen.mdb");
    EXPECT_FALSE(txt("txtServerNaam", 0).enabled());
    EXPECT_EQ(txt("txtWeergaveNaam", 0).text(), "Kantoor \"Centrum\"");
    EXPECT_EQ(txt("txtDBaseLocatie", 2).text(), "/srv/quenmarix/databases");
    EXPECT_EQ(txt("txtAdviesdossierDocumentenmap").text(),
              "/srv/quenmarix/databases"); // defaults to the database folder
    EXPECT_FALSE(cmd("cmdConnectieCheck").visible());
    EXPECT_FALSE(cmd("cmdToepassen").enabled());
    EXPECT_EQ(txt("txtGrootteDB", 0).text(), "0,95 MB");
    EXPECT_TRUE(h.control<Label>("lblMaxGrootte", 0).visible());
    EXPECT_EQ(h.control<Label>("lblMaxGrootte", 0).caption(), "(max. 2.000 MB)");
    EXPECT_EQ(txt("txtGrootteDB", 1).text(), "");
    EXPECT_FALSE(h.control<Label>("lblMaxGrootte", 1).visible());
    EXPECT_TRUE(h.control<Hint>("hntGrootteDB", 1)
                    .text()
                    .startsWith("Hier staat de huidige grootte van de adviezendatabase. Indien"));
    EXPECT_EQ(cmd("cmdConnectieCheck").caption(), "&Controleer databaseconnectie");
    EXPECT_EQ(cmd("cmdToepassen").caption(), "Toepassen...");
    EXPECT_TRUE(h.errors().empty());
}

// Switching the kind must empty what belonged to the old kind, and switching back undo the change mark.
TEST_F(SetupDatabaseTest, TypeChangeEmptiesServerFieldsAndSelectingStoredTypeClearsChanged)
{
    setUser("AdviezenDatabaseProvider", "MSSQL");
    setUser("AdviezenDatabaseSource", "dbserver:5432");
    setUser("AdviezenDatabaseName", "adviezen");
    setUser("AdviezenDatabaseWeergaveNaam", "Server");
    open();
    EXPECT_EQ(soort().text(), "MS SQL Server");
    EXPECT_EQ(txt("txtServerNaam", 0).text(), "dbserver:5432");
    EXPECT_EQ(txt("txtDatabaseNaam", 0).text(), "adviezen");
    EXPECT_TRUE(cmd("cmdConnectieCheck").visible());
    EXPECT_FALSE(txt("txtDBaseLocatie", 0).enabled());

    soort().choose("MS Access");
    EXPECT_TRUE(cmd("cmdToepassen").enabled());
    EXPECT_EQ(txt("txtServerNaam", 0).text(), "");
    EXPECT_EQ(txt("txtWeergaveNaam", 0).text(), "");
    EXPECT_EQ(txt("txtDatabaseNaam", 0).text(), "Adviezen.mdb");
    EXPECT_FALSE(cmd("cmdConnectieCheck").visible());
    EXPECT_TRUE(cmd("cmdDatabaseLoc", 0).enabled());

    soort().choose("MS SQL Server");
    EXPECT_FALSE(cmd("cmdToepassen").enabled());
    EXPECT_EQ(txt("txtServerNaam", 0).text(), ""); // what was emptied stays empty
}

// A typed server name must survive redrawing the controls when the second database is ticked.
TEST_F(SetupDatabaseTest, TypedServerNameSurvivesTickingTheSecondDatabase)
{
    setUser("AdviezenDatabaseProvider", "MSSQL");
    open();
    txt("txtServerNaam", 0).type("nieuw-server");
    txt("txtServerNaam", 0).leave();
    h.control<CheckBox>("chkDatabase2").click();
    EXPECT_EQ(txt("txtServerNaam", 0).text(), "nieuw-server");
    EXPECT_EQ(txt("txtSoortDatabaseSecundair").text(), "MS Access");
    EXPECT_EQ(txt("txtDatabaseNaam", 1).text(), "Adviezen.mdb");
    EXPECT_TRUE(cmd("cmdToepassen").enabled());
    h.ui().answerMessage(MsgResult::No); // closing offers the pending change
    h.close();
}

// The database choices made here wait for "Toepassen". A setting read from elsewhere (the
// e-mail recipient another workstation changed) filled the page again, and the host's whole
// fill did too: the choices were gone without a word. The page follows the setting and
// keeps what waits to be applied.
TEST_F(SetupDatabaseTest, ASettingFromElsewhereKeepsTheChoicesWaitingToBeApplied)
{
    setUser("AdviezenDatabaseProvider", "MSSQL");
    SettingsPage& page = open();
    txt("txtServerNaam", 0).type("nieuw-server");
    txt("txtServerNaam", 0).leave();
    h.control<CheckBox>("chkDatabase2").click();
    const auto expectKept = [&] {
        EXPECT_EQ(txt("txtServerNaam", 0).text(), "nieuw-server");
        EXPECT_TRUE(h.control<CheckBox>("chkDatabase2").isChecked());
        EXPECT_EQ(txt("txtSoortDatabaseSecundair").text(), "MS Access");
        EXPECT_TRUE(cmd("cmdToepassen").enabled());
    };
    h.setup().fromMap({{u"EmailOntvanger"_s, u"elders@kantoor.nl"_s}});
    EXPECT_EQ(txt("txtEmailOntvanger").text(), "elders@kantoor.nl");
    expectKept();

    h.setup().fromMap({{u"ImportDir"_s, h.folder()}});
    page.setApplication(h.app());
    EXPECT_EQ(txt("txtImportDir").text(), h.folder());
    expectKept();
    h.ui().answerMessage(MsgResult::No); // closing offers the pending change
    h.close();
}

// Folders without the expected files, equal locations and equal display names are refused with their messages.
TEST_F(SetupDatabaseTest, FolderChoiceRefusals)
{
    const QString primary = databaseFolder("primair");
    const QString empty = QDir(h.folder()).filePath("leeg");
    QDir().mkpath(empty);
    setUser("AdviezenDatabaseMap", primary);
    setUser("AdviezenDatabase2", "True");
    open();

    h.ui().chooseFolderNext(empty);
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdDatabaseLoc", 1).click();
    EXPECT_EQ(lastMessage().text, "Databases zijn niet gevonden in " + empty);
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    EXPECT_EQ(lastMessage().caption, "Kies andere database locatie");
    EXPECT_EQ(h.ui().folderRequests().back().title,
              "Selecteer de map waarin de overige Quenmarix databases zich bevinden:");
    EXPECT_FALSE(cmd("cmdToepassen").enabled());

    h.ui().chooseFolderNext(primary);
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdDatabaseLoc", 1).click();
    EXPECT_EQ(lastMessage().text, "Er is al een locatie ingesteld naar " + primary);
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(txt("txtDBaseLocatie", 1).text(), "");

    const QString second = databaseFolder("secundair");
    h.ui().chooseFolderNext(second);
    cmd("cmdDatabaseLoc", 1).click();
    EXPECT_EQ(txt("txtDBaseLocatie", 1).text(), second);
    EXPECT_TRUE(cmd("cmdToepassen").enabled());

    txt("txtWeergaveNaam", 0).type("Kantoor");
    txt("txtWeergaveNaam", 0).leave();
    txt("txtWeergaveNaam", 1).type("Kantoor");
    h.ui().answerMessage(MsgResult::OK);
    txt("txtWeergaveNaam", 1).leave();
    EXPECT_EQ(lastMessage().text, "Weergavenamen mogen niet gelijk zijn aan elkaar!");
    EXPECT_EQ(lastMessage().caption, "Weergavenaam gelijk");
    EXPECT_EQ(txt("txtWeergaveNaam", 1).text(), "");

    // a typed folder that does not exist keeps the focus after the folder message
    txt("txtDBaseLocatie", 0).type(QDir(h.folder()).filePath("bestaat-niet"));
    h.ui().answerMessage(MsgResult::OK);
    EXPECT_FALSE(txt("txtDBaseLocatie", 0).leave());
    EXPECT_EQ(lastMessage().text, "De gekozen folder is niet gevonden. Controleer uw invoer.");
    EXPECT_TRUE(txt("txtDBaseLocatie", 0).hasFocus());
    h.ui().answerMessage(MsgResult::No); // closing offers the pending change
    h.close();
}

// Apply must write exactly these registry values, then offer the restart.
TEST_F(SetupDatabaseTest, ApplyWritesEveryRegistryValue)
{
    const QString primary = databaseFolder("primair");
    const QString second = databaseFolder("tweede");
    setUser("AdviezenDatabaseMap", primary);
    open();
    h.control<CheckBox>("chkDatabase2").click();
    h.ui().chooseFolderNext(second);
    cmd("cmdDatabaseLoc", 1).click();
    txt("txtWeergaveNaam", 0).type("Hoofd'kantoor");
    txt("txtWeergaveNaam", 0).leave();
    txt("txtWeergaveNaam", 1).type("Archief");
    txt("txtWeergaveNaam", 1).leave();

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdToepassen").click();
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_EQ(h.ui().messages()[0].text,
              "Weet u zeker dat u de instellingen met betrekking tot de adviezendatabase wilt wijzigen?");
    EXPECT_EQ(h.ui().messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.ui().messages()[0].caption, "Adviezendatabase instellingen");
    EXPECT_EQ(
        h.ui().messages()[1].text,
        "Om de nieuwe database te gebruiken dient u Quenmarix opnieuw op te starten, wilt u Quenmarix afsluiten?");
    EXPECT_EQ(h.ui().messages()[1].caption, "Aanpassen database...");
    EXPECT_TRUE(h.app().closeRequested());
    EXPECT_FALSE(cmd("cmdToepassen").enabled());

    EXPECT_EQ(user("AdviezenDatabaseProvider"), "MSACC");
    EXPECT_EQ(user("AdviezenDatabaseSource"), "");
    EXPECT_EQ(user("AdviezenDatabaseName"), "Adviezen.mdb");
    EXPECT_EQ(user("AdviezenDatabaseWeergaveNaam"), "Hoofd'kantoor");
    EXPECT_EQ(user("AdviezenDatabaseMap"), primary);
    EXPECT_EQ(user("AdviezenDatabase2"), "True");
    EXPECT_EQ(user("AdviezenDatabase2WeergaveNaam"), "Archief");
    EXPECT_EQ(user("AdviezenDatabase2Map"), second);
    EXPECT_EQ(user("AdviezenDatabase2Source"), "");
    EXPECT_EQ(user("AdviezenDatabase2Name"), "Adviezen.mdb");
}

// The second database off is stored as the text "False", and No to the first question writes nothing.
TEST_F(SetupDatabaseTest, ApplyStoresFalseAndNoWritesNothing)
{
    setUser("AdviezenDatabase2", "True");
    open();
    h.control<CheckBox>("chkDatabase2").click();
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdToepassen").click();
    EXPECT_EQ(user("AdviezenDatabase2"), "True");
    EXPECT_FALSE(cmd("cmdToepassen").enabled());

    h.control<CheckBox>("chkDatabase2").click();
    h.control<CheckBox>("chkDatabase2").click();
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdToepassen").click();
    EXPECT_EQ(user("AdviezenDatabase2"), "False");
    EXPECT_FALSE(h.app().closeRequested());
}

// A failed connection test at apply time writes nothing and leaves the running host on its old choice.
TEST_F(SetupDatabaseTest, FailedConnectionTestAtApplyWritesNothingAndRestoresHost)
{
    setUser("AdviezenDatabaseProvider", "MSACC");
    setUser("AdviezenDatabaseMap", "/oud");
    h.app().setDatabaseProvider("MSACC");
    h.app().setDatabaseServer("");
    open();
    soort().choose("MS SQL Server");
    txt("txtServerNaam", 0).type("127.0.0.1:1"); // nothing listens there
    txt("txtServerNaam", 0).leave();
    txt("txtDatabaseNaam", 0).type("adviezen");
    txt("txtDatabaseNaam", 0).leave();
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdToepassen").click();
    ASSERT_EQ(h.ui().messages().size(), 2u);
    EXPECT_TRUE(lastMessage().text.startsWith("Kan geen verbinding maken met de SQL database.\r\nFoutmelding: "));
    EXPECT_GT(lastMessage().text.size(),
              QString("Kan geen verbinding maken met de SQL database.\r\nFoutmelding: ").size());
    EXPECT_EQ(lastMessage().caption, "Kan geen verbinding maken");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(user("AdviezenDatabaseProvider"), "MSACC");
    EXPECT_EQ(user("AdviezenDatabaseSource"), "<geen>");
    EXPECT_EQ(user("AdviezenDatabaseName"), "<geen>");
    EXPECT_EQ(h.app().DatabaseProvider(), "MSACC");
    EXPECT_EQ(h.app().DatabaseServer(), "");
}

// The connection check must really reach the server: success for a working database, the server's text otherwise.
TEST_F(SetupDatabaseTest, ConnectionCheckAgainstRealPostgres)
{
    const QString server = testPostgresServer();
    const QString database = createTestDatabase();
    setUser("AdviezenDatabaseProvider", "MSSQL");
    setUser("AdviezenDatabaseSource", server);
    setUser("AdviezenDatabaseName", database);
    open();
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdConnectieCheck").click();
    EXPECT_EQ(lastMessage().text, "Verbinding met de SQL database geslaagd.");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    EXPECT_TRUE(cmd("cmdConnectieCheck").enabled());
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);

    txt("txtDatabaseNaam", 0).type("bestaat_niet");
    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdConnectieCheck").click();
    EXPECT_TRUE(lastMessage().text.startsWith("Kan geen verbinding maken met de SQL database.\r\n\r\nFoutmelding: "));
    EXPECT_TRUE(lastMessage().text.contains("bestaat_niet")) << str(lastMessage().text);
    EXPECT_EQ(lastMessage().caption, "Controle SQL database connectie");

    // and apply with a working server stores the server choice
    txt("txtDatabaseNaam", 0).type(database);
    txt("txtDatabaseNaam", 0).leave();
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdToepassen").click();
    EXPECT_EQ(user("AdviezenDatabaseProvider"), "MSSQL");
    EXPECT_EQ(user("AdviezenDatabaseSource"), server);
    EXPECT_EQ(user("AdviezenDatabaseName"), database);
    EXPECT_EQ(h.app().DatabaseServer(), server);
}

// A host that gives no database object: the connection check and the apply report it as an error of the
// procedure, change nothing and leave the page usable.
TEST_F(SetupDatabaseTest, AHostWithoutDatabaseObjectIsReported)
{
    setUser("AdviezenDatabaseProvider", "MSSQL");
    setUser("AdviezenDatabaseSource", "server");
    setUser("AdviezenDatabaseName", "adviezen");
    h.app().setDatabaseProvider("MSACC");
    h.app().setDatabaseServer("");
    h.app().setOffersDatabaseObject(false);
    open();
    cmd("cmdConnectieCheck").click();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "cmdConnectieCheck_Click");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "424");
    EXPECT_TRUE(cmd("cmdConnectieCheck").enabled());
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);

    txt("txtDatabaseNaam", 0).type("andere");
    txt("txtDatabaseNaam", 0).leave();
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdToepassen").click();
    ASSERT_EQ(h.errors().size(), 2u);
    EXPECT_EQ(h.errors()[1].ErrorNumber, "424");
    EXPECT_EQ(user("AdviezenDatabaseName"), "adviezen");
    EXPECT_EQ(h.app().DatabaseProvider(), "MSACC");
    EXPECT_EQ(h.app().DatabaseServer(), "");
}

// Pending changes are offered when the window saves and when the page closes; none are offered when there are none.
TEST_F(SetupDatabaseTest, PendingChangesOfferedOnSaveAndOnClose)
{
    open();
    h.app().RaiseNotify("frmInstellingen", "Setup", "WijzigingenOpslaan", {});
    EXPECT_TRUE(h.ui().messages().empty());

    h.control<CheckBox>("chkDatabase2").click();
    h.ui().answerMessage(MsgResult::No);
    h.app().RaiseNotify("frmInstellingen", "Setup", "WijzigingenOpslaan", {});
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].caption, "Adviezendatabase instellingen");

    h.control<CheckBox>("chkDatabase2").click();
    h.ui().answerMessage(MsgResult::No);
    h.open("SetupUpdates"); // closes the database page
    EXPECT_EQ(h.ui().messages().size(), 2u);
}

// Moving the dossier root asks first, moves on Yes, and a cancelled folder dialog asks nothing.
TEST_F(SetupDatabaseTest, DossierFolderQuestionAndMove)
{
    const QString oud = QDir(h.folder()).filePath("dossiers-oud");
    const QString nieuw = QDir(h.folder()).filePath("dossiers-nieuw");
    QDir().mkpath(oud);
    QDir().mkpath(nieuw);
    setUser("AdviesdossierDocumentenMap", oud);
    Connection& office = h.app().connection();
    const std::pair<const char*, QString> dossiers[] = {
        {"D1", oud + "/Bakker 1"}, {"D2", oud}, {"D3", oud + "2/Jansen 3"}, {"D4", "/elders/De Boer 4"}};
    for (const auto& [id, folder] : dossiers)
        office.Execute(u"INSERT INTO Adviesdossier (ID, Klant, DocumentenMap) VALUES ('%1', 'klant', %2)"_s.arg(
            id, sqlQuoted(folder)));
    const auto folderOf = [&](const char* id) {
        return office.OpenRecordset(u"SELECT DocumentenMap FROM Adviesdossier WHERE ID = '%1'"_s.arg(id))
            ->text("DocumentenMap");
    };
    open();

    h.ui().chooseFolderNext(std::nullopt);
    cmd("cmdAdviesdossierDocumentenmap").click();
    EXPECT_TRUE(h.ui().messages().empty());

    h.ui().chooseFolderNext(nieuw);
    h.ui().answerMessage(MsgResult::Cancel);
    cmd("cmdAdviesdossierDocumentenmap").click();
    EXPECT_EQ(user("AdviesdossierDocumentenMap"), oud);
    EXPECT_EQ(h.ui().folderRequests().back().title,
              "Selecteer de hoofdmap waar u de documenten per adviesdossier wilt opslaan");

    h.ui().chooseFolderNext(nieuw);
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdAdviesdossierDocumentenmap").click();
    EXPECT_EQ(lastMessage().text,
              "Wilt u de documentlocatie van uw bestaande adviesdossiers aanpassen naar de geselecteerde map?");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(lastMessage().caption, "Documentlocatie adviesdossiers");
    EXPECT_EQ(user("AdviesdossierDocumentenMap"), nieuw);
    EXPECT_EQ(txt("txtAdviesdossierDocumentenmap").text(), nieuw);
    EXPECT_EQ(folderOf("D1"), nieuw + "/Bakker 1");
    EXPECT_EQ(folderOf("D2"), nieuw);
    EXPECT_EQ(folderOf("D3"), oud + "2/Jansen 3"); // a folder that only starts alike stays
    EXPECT_EQ(folderOf("D4"), "/elders/De Boer 4");

    // No stores the folder without moving
    txt("txtAdviesdossierDocumentenmap").type(oud);
    h.ui().answerMessage(MsgResult::No);
    EXPECT_TRUE(txt("txtAdviesdossierDocumentenmap").leave());
    EXPECT_EQ(user("AdviesdossierDocumentenMap"), oud);
    EXPECT_EQ(folderOf("D1"), nieuw + "/Bakker 1");
    EXPECT_TRUE(cmd("cmdToepassen").enabled());
    h.ui().answerMessage(MsgResult::No); // closing offers the pending change
    h.close();
}

// The import folder goes to the registry and Setup, the export folder to Setup only, the mail address as typed.
TEST_F(SetupDatabaseTest, ImportExportFoldersAndMailAddress)
{
    const QString import = QDir(h.folder()).filePath("import");
    const QString exportDir = QDir(h.folder()).filePath("Export Map");
    QDir().mkpath(import);
    QDir().mkpath(exportDir);
    h.setup().get<ImportExportSettings>().EmailOntvanger = u"adviezen@kantoor.nl"_s;
    open();
    EXPECT_EQ(txt("txtEmailOntvanger").text(), "adviezen@kantoor.nl");

    h.ui().chooseFolderNext(import);
    cmd("cmdImportLocatie").click();
    EXPECT_EQ(h.ui().folderRequests().back().title, "Selecteer de standaardfolder voor de importbestanden");
    EXPECT_EQ(h.setup().get<ImportExportSettings>().ImportDir.get(), import);
    EXPECT_EQ(user("ImportDir"), import);

    txt("txtExportDir").type(exportDir);
    EXPECT_TRUE(txt("txtExportDir").leave());
    EXPECT_EQ(h.setup().get<ImportExportSettings>().ExportDir.get(), exportDir);
    EXPECT_EQ(user("ExportDir"), "<geen>");

    txt("txtImportDir").type("");
    EXPECT_FALSE(txt("txtImportDir").leave()); // empty: the focus stays
    EXPECT_EQ(h.setup().get<ImportExportSettings>().ImportDir.get(), import);

    txt("txtEmailOntvanger").type("o'neill@kantoor.nl");
    txt("txtEmailOntvanger").leave();
    EXPECT_EQ(h.setup().get<ImportExportSettings>().EmailOntvanger.get(), "o'neill@kantoor.nl");
}
