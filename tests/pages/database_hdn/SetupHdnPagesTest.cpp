#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/registry/Registry.h"
#include "framework/settings/AutorisatieSettings.h"
#include "framework/settings/HdnSettings.h"
#include "pages/database_hdn/CWeslyHDN.h"
#include "pages/database_hdn/frmHDNIndir.h"
#include "pages/database_hdn/frmSubnodeEdit.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct HdnPageTest : PageTest {
    HdnPageTest()
    {
        h.app().Notify.connect([this](QString, QString form, QString action, QVariant) {
            if (form == "frmInstellingen" && action == "HdnServiceChanged")
                ++announced;
        });
    }
    HdnSettings& hdn() { return h.setup().get<HdnSettings>(); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    CommandButton& cmd(const char* name) { return h.control<CommandButton>(name); }
    CheckBox& chk(const char* name) { return h.control<CheckBox>(name); }
    const ScriptedUi::ShownMessage& last() { return h.ui().messages().back(); }
    // Adds message types in the dialog, one per call.
    void addIndir(const QString& soort, const QString& folder)
    {
        h.ui().whenModal("frmHDNIndir", [&, soort, folder](Form& form) {
            auto& dialog = dynamic_cast<frmHDNIndir&>(form);
            dialog.cboBerichtsoort.choose(soort);
            h.ui().chooseFolderNext(folder);
            dialog.cmdHDNInDir.click();
            dialog.cmdOk.click();
        });
        cmd("cmdToevoegen").click();
    }
    int announced = 0;
    QTemporaryDir folders;
};

} // namespace

TEST_F(HdnPageTest, IncomingFoldersPageAddsFreeTypesRemovesAndRefusesWhenAllAreTaken)
{
    h.open("SetupHdnIndir");
    EXPECT_EQ(h.page().Titel(), "Inkomende berichten");
    auto& list = h.control<ListView>("lstHdnIndir");
    EXPECT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.column(1).text, "Berichtsoort");
    EXPECT_EQ(list.column(2).text, "Locatie");
    // Nothing to remove from an empty list.
    EXPECT_FALSE(cmd("cmdVerwijderen").enabled());

    // Empty type or folder is refused in the dialog.
    h.ui().whenModal("frmHDNIndir", [&](Form& form) {
        auto& dialog = dynamic_cast<frmHDNIndir&>(form);
        EXPECT_EQ(dialog.caption(), "Afwijkende locatie HDN Indir toevoegen");
        EXPECT_EQ(dialog.cboBerichtsoort.listCount(), 12);
        EXPECT_EQ(dialog.cboBerichtsoort.text(), "AX");
        h.ui().answerMessage(MsgResult::OK);
        dialog.cmdOk.click();
        EXPECT_EQ(last().text, "Selecteer a.u.b. een berichtsoort en een locatie voor de Indir.");
        EXPECT_EQ(last().icon, MsgIcon::Exclamation);
        dialog.cmdAnnuleren.click();
    });
    cmd("cmdToevoegen").click();
    EXPECT_EQ(hdn().HDNIndirs().Count(), 0);

    const QStringList all = frmHDNIndir::Berichtsoorten();
    EXPECT_EQ(all.join(';'), "AX;DA;DX;GX;LX;KX;OX;PX;RX;SX;TX;BX");
    for (const QString& soort : all)
        addIndir(soort, folders.path() + "/" + soort);
    ASSERT_EQ(hdn().HDNIndirs().Count(), 12);
    EXPECT_EQ(list.count(), 12);
    EXPECT_TRUE(cmd("cmdVerwijderen").enabled());
    EXPECT_EQ(list.item(5).text(), "LX");
    EXPECT_EQ(list.item(5).subItem(1), folders.path() + "/LX");

    h.ui().answerMessage(MsgResult::OK);
    cmd("cmdToevoegen").click();
    EXPECT_EQ(last().text,
              "U heeft alle inkomende berichtsoorten al toegewezen aan een map.\r\nIndien u een berichtsoort "
              "aan een andere map wilt toewijzen dient u deze eerst uit de lijst te verwijderen.");
    EXPECT_EQ(last().caption, "HDN Indir instellen");
    EXPECT_EQ(last().icon, MsgIcon::Exclamation);

    // A removed type can be chosen again, and comes back at the end of the list.
    list.clickItem(2);
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdVerwijderen").click();
    EXPECT_EQ(h.ui().messages().back().text, "Wilt u de ingestelde indir voor berichtsoort 'DA' verwijderen?");
    EXPECT_EQ(h.ui().messages().back().caption, "Verwijderen HDN Indir");
    EXPECT_EQ(hdn().HDNIndirs().Count(), 11);
    EXPECT_EQ(frmHDNIndir::FreeBerichtsoorten(h.setup()), QStringList{"DA"});
    addIndir("DA", folders.path() + "/nieuw");
    EXPECT_EQ(hdn().HDNIndirs().Item(12)->Berichtsoort, "DA");
    EXPECT_EQ(hdn().HDNIndirs().Item(12)->Map, folders.path() + "/nieuw");
    EXPECT_TRUE(h.errors().empty());
}

TEST_F(HdnPageTest, FillRulesOfTheHdnPage)
{
    hdn().ToonBerichten = 0;
    hdn().HDNBerichtenVerwijderen = 7;
    hdn().HDNBewaren = true;
    hdn().LocatieHdnCertificaat = "/pad/naar/cert.p12";
    h.open("SetupHDNOUD");
    EXPECT_EQ(h.page().Titel(), "HDN instellingen");
    auto& toon = h.control<ComboBox>("cboToonBerichten");
    EXPECT_EQ(hdn().ToonBerichten, 100);
    EXPECT_EQ(toon.text(), "de laatste 100");
    EXPECT_EQ(toon.listCount(), 5);
    EXPECT_EQ(hdn().HDNBerichtenVerwijderen, 1) << "a value outside 1 to 3 is rewritten to never";
    EXPECT_TRUE(h.control<OptionButton>("optHDNBerichtenVerwijderenUitDatabase", 0).value());
    EXPECT_EQ(hdn().DirHDNXML.get(), h.app().DefaultDataFolder());
    EXPECT_TRUE(hdn().HdnVerkeerViaAbo) << "an empty HDN number switches the portal route on";
    EXPECT_EQ(h.control<YesNo>("jnHdnVerkeerViaAbo").value(), 2);
    EXPECT_EQ(txt("txtHDNBerichtenOpslag").text(), " In adviezendatabase");
    EXPECT_EQ(txt("txtLocatieHdnCertificaat").toolTipText(), "/pad/naar/cert.p12");
    EXPECT_TRUE(cmd("cmdClearLocatieHdnCertificaat").enabled());
    EXPECT_FALSE(h.control<Frame>("fraIndir").visible());
    EXPECT_FALSE(h.control<Frame>("fraEnterprise").visible());
    EXPECT_EQ(h.control<Label>("lblSubnodes").caption(),
              "Maak eerst vestigingen aan in het onderdeel 'Inregelen - Autorisatie'.");
    EXPECT_FALSE(cmd("cmdEditSubnodes").visible());
    EXPECT_FALSE(h.control<ListView>("lstHDNSubnodes").enabled());
    EXPECT_EQ(h.control<ListView>("lstHdnIndir").height(), 735);
    EXPECT_EQ(txt("txtDirHDNXML").left(), txt("txtHDNImporterArchieffolder").left())
        << "the folder after the check box starts in the field column";
    EXPECT_EQ(announced, 0);

    h.close();
    h.globalSetup().get<HdnStorageSettings>().Cd_HDNBerichtenOpslag = 2;
    h.open("SetupHDNOUD");
    EXPECT_EQ(txt("txtHDNBerichtenOpslag").text(), "Opslaglocatie niet bekend");
    h.ui().whenModal("frmHDNBerichtenOpslag", [](Form& form) { form.hide(); });
    h.globalSetup().get<HdnStorageSettings>().Cd_HDNBerichtenOpslag = 1;
    cmd("cmdHDNBerichtenOpslag").click();
    EXPECT_EQ(txt("txtHDNBerichtenOpslag").text(), "In database");
    EXPECT_TRUE(h.errors().empty());
}

TEST_F(HdnPageTest, NodeNumberFromTheClientWhenNoneIsSet)
{
    QDir root(folders.path());
    root.mkpath("bin");
    root.mkpath("config");
    ASSERT_TRUE(
        QFile::copy(QString::fromUtf8(HDN_CLIENT_LIBRARY), root.filePath("bin/" + CWeslyHDN::LibraryFileName())));
    QFile node(root.filePath("config/node"));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.write("123456\n");
    node.close();
    h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, "Software\\CS Engineering\\HDN", "Installdir",
                                    folders.path());
    h.open("SetupHDNOUD");
    EXPECT_EQ(hdn().HDNNummer.get(), "123456");
    EXPECT_EQ(txt("txtHDNNummer").text(), "123456");
}

TEST_F(HdnPageTest, EveryChangeTheServiceMustKnowIsAnnounced)
{
    hdn().HDNNummer = "111111";
    hdn().HDNInDir = folders.path();
    hdn().HDNOutDir = folders.path();
    hdn().HDNErrDir = folders.path();
    hdn().LocatieHdnCertificaat = folders.path() + "/c.p12";
    hdn().HdnVerkeerViaAbo = true;
    h.open("SetupHDNOUD");
    int expected = 0;
    for (const char* clear :
         {"cmdClearHDNInDir", "cmdClearHDNOutDir", "cmdClearHdnErrDir", "cmdClearLocatieHdnCertificaat"}) {
        ASSERT_TRUE(cmd(clear).click()) << clear;
        EXPECT_EQ(announced, ++expected) << clear;
    }
    EXPECT_TRUE(hdn().HDNInDir.get().isEmpty());
    EXPECT_TRUE(hdn().LocatieHdnCertificaat.get().isEmpty());
    EXPECT_FALSE(cmd("cmdClearLocatieHdnCertificaat").enabled());
    // The certificate's password is stored as typed.
    txt("txtWachtwoordHdnCertificaat").type(" geheim 'x' ");
    txt("txtWachtwoordHdnCertificaat").leave();
    EXPECT_EQ(hdn().WachtwoordHdnCertificaat.get(), " geheim 'x' ");
    EXPECT_EQ(announced, ++expected);
    h.control<YesNo>("jnHdnVerkeerViaAbo").choose(1);
    EXPECT_FALSE(hdn().HdnVerkeerViaAbo);
    EXPECT_EQ(announced, ++expected);
    EXPECT_FALSE(cmd("cmdImportHdnCertificaat").enabled());
    chk("chkAfwijkendeIndirHDN").click();
    EXPECT_TRUE(hdn().AfwijkendeIndirHDN);
    EXPECT_TRUE(h.control<Frame>("fraIndir").visible());
    EXPECT_EQ(announced, ++expected);
    h.ui().chooseFolderNext(folders.path());
    cmd("cmdHDNInDir").click();
    EXPECT_EQ(h.ui().folderRequests().back().title, "Selecteer de 'in'-map van HDN");
    EXPECT_EQ(hdn().HDNInDir.get(), folders.path());
    EXPECT_EQ(announced, ++expected);
}

TEST_F(HdnPageTest, FolderAndNumberChecksOnLeaving)
{
    h.open("SetupHDNOUD");
    const QString missing = folders.path() + "/weg";
    txt("txtHDNOutDir").type(missing);
    h.ui().answerMessage(MsgResult::OK);
    EXPECT_FALSE(txt("txtHDNOutDir").leave());
    EXPECT_EQ(last().text, "De ingevoerde folder bestaat niet of is niet beschikbaar. Kies een andere folder.");
    EXPECT_EQ(last().caption, missing + " niet beschikbaar");
    EXPECT_EQ(last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(hdn().HDNOutDir.get().isEmpty());
    txt("txtHDNOutDir").type(QString());
    EXPECT_TRUE(txt("txtHDNOutDir").leave());

    txt("txtHDNNummer").type("12a456");
    h.ui().answerMessage(MsgResult::OK);
    EXPECT_FALSE(txt("txtHDNNummer").leave());
    EXPECT_EQ(last().text, "Ongeldig HDN Nummer ingevoerd...");
    EXPECT_EQ(last().caption, "Ongeldige invoer");
    EXPECT_EQ(last().icon, MsgIcon::Information);
    // The first number with no folders set makes the three folders under the data folder.
    txt("txtHDNNummer").type("123456");
    EXPECT_TRUE(txt("txtHDNNummer").leave());
    EXPECT_EQ(hdn().HDNNummer.get(), "123456");
    const QString base = QDir(h.app().DataFolder()).filePath("HDN berichten");
    EXPECT_EQ(hdn().HDNInDir.get(), base + "/InDir");
    EXPECT_EQ(hdn().HDNOutDir.get(), base + "/OutDir");
    EXPECT_EQ(hdn().HDNErrDir.get(), base + "/ErrorDir");
    EXPECT_TRUE(QDir(base + "/ErrorDir").exists());
    EXPECT_EQ(txt("txtHDNErrDir").text(), base + "/ErrorDir");
}

// A folder the first HDN number cannot make is told, naming the folder and why; what was made is kept and
// the number is still stored.
TEST_F(HdnPageTest, AFolderThatCannotBeMadeIsTold)
{
    const QString base = QDir(h.app().DataFolder()).filePath("HDN berichten");
    QDir().mkpath(base);
    QFile blocker(base + "/OutDir");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    h.open("SetupHDNOUD");
    txt("txtHDNNummer").type("123456");
    h.ui().answerMessage(MsgResult::OK);
    const std::size_t before = h.ui().messages().size();
    EXPECT_TRUE(txt("txtHDNNummer").leave());
    ASSERT_EQ(h.ui().messages().size(), before + 1);
    const QString folder = QDir::toNativeSeparators(base + "/OutDir");
    EXPECT_EQ(last().text, "De map " + folder + " kan niet worden gemaakt: " + folder + " is een bestand, geen map.");
    EXPECT_EQ(last().caption, "HDN instellingen");
    EXPECT_EQ(last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(hdn().HDNInDir.get(), base + "/InDir");
    EXPECT_TRUE(hdn().HDNOutDir.get().isEmpty());
    EXPECT_TRUE(txt("txtHDNOutDir").text().isEmpty());
    EXPECT_TRUE(hdn().HDNErrDir.get().isEmpty());
    EXPECT_EQ(hdn().HDNNummer.get(), "123456");
    EXPECT_TRUE(h.errors().empty());
}

TEST_F(HdnPageTest, SubnodePerBranchChecksSixDigits)
{
    auto& vestigingen = h.setup().get<AutorisatieSettings>();
    vestigingen.Vestiging(vestigingen.AddVestiging())->Naam = "Utrecht";
    vestigingen.Vestiging(vestigingen.AddVestiging())->Naam = "Zwolle";
    hdn().HDNEnterprise = 1;
    h.open("SetupHDNOUD");
    auto& list = h.control<ListView>("lstHDNSubnodes");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.column(2).text, "HDN-nummer");
    EXPECT_TRUE(h.control<Frame>("fraEnterprise").visible());
    EXPECT_TRUE(h.control<Label>("lblMelding").visible());
    EXPECT_EQ(h.control<ListView>("lstHdnIndir").height(), 1095);
    list.clickItem(2);
    h.ui().whenModal("frmSubnodeEdit", [&](Form& form) {
        auto& dialog = dynamic_cast<frmSubnodeEdit&>(form);
        EXPECT_EQ(dialog.caption(), "Subnode per vestiging");
        EXPECT_EQ(dialog.txtVestiging.text(), "Zwolle");
        dialog.txtHDNNummer.type("12345");
        h.ui().answerMessage(MsgResult::OK);
        dialog.cmdOK.click();
        EXPECT_EQ(last().text, "Ongeldig HDN Nummer ingevoerd...");
        dialog.txtHDNNummer.type("654321");
        dialog.cmdOK.click();
    });
    cmd("cmdEditSubnodes").click();
    EXPECT_EQ(vestigingen.Vestiging(2)->HDNNummer, "654321");
    EXPECT_EQ(list.item(2).subItem(1), "654321");
    chk("chkHDNEnterprise").click();
    EXPECT_EQ(hdn().HDNEnterprise, 0);
    EXPECT_FALSE(h.control<Frame>("fraEnterprise").visible());
}

TEST_F(HdnPageTest, CertificateImportCopiesIntoTheDataFolder)
{
    hdn().HDNNummer = "111111";
    hdn().HdnVerkeerViaAbo = true;
    QFile source(folders.path() + "/kantoor.p12");
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("PKCS12");
    source.close();
    h.open("SetupHDNOUD");
    h.ui().chooseOpenFileNext(source.fileName());
    cmd("cmdImportHdnCertificaat").click();
    EXPECT_EQ(h.ui().fileRequests().back().title, "Selecteer het HDN-certificaat");
    EXPECT_EQ(h.ui().fileRequests().back().filter, "PKCS#12 certificaat (*.p12;*.pks)|*.p12;*.pks");
    const QString copy = QDir(h.app().DataFolder()).filePath("kantoor.p12");
    EXPECT_EQ(hdn().LocatieHdnCertificaat.get(), copy);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(announced, 1);
    h.ui().chooseOpenFileNext(std::nullopt);
    cmd("cmdLocatieHdnCertificaat").click();
    EXPECT_EQ(hdn().LocatieHdnCertificaat.get(), copy) << "a cancelled dialog changes nothing";
    h.control<Label>("lblLink").click();
    EXPECT_EQ(h.ui().openedAddresses().size(), 1);
}
