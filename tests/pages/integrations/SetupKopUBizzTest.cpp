#include "pages/integrations/SetupKopUBizz.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/settings/IntegrationSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct OtherLinks : PageTest {
    IntegrationSettings& settings() { return h.setup().get<IntegrationSettings>(); }
};
} // namespace

// The XML link must show its settings without writing them, store the yes/no choices and the address as changed.
TEST_F(OtherLinks, XmlLinkFillsAndStores)
{
    settings().XMLKoppelingActief = true;
    settings().XMLValideren = false;
    settings().XMLExportlocatie = u"/data/export"_s;
    settings().XMLImportlocatie = u"/data/import"_s;
    settings().WebsiteURL = u"https://www.kantoor.nl"_s;
    auto& page = h.open("SetupKopUBizz");
    EXPECT_EQ(page.Titel(), "XML-koppeling");
    EXPECT_EQ(h.control<Label>("lblActiveren").caption(), "XML-koppeling activeren");
    EXPECT_EQ(h.control<Label>("lblValideren").caption(), "XML-bestanden valideren");
    EXPECT_EQ(h.control<Label>("lblExportlocatie").caption(), "Exportlocatie");
    EXPECT_EQ(h.control<Label>("lblImport").caption(), "Importlocatie");
    EXPECT_EQ(h.control<Label>("lblOmschrijving").caption(), "Omschrijving");
    EXPECT_EQ(h.control<Hint>("hntOmschrijving").text(),
              "Voer hier de URL in van de website die geopend wordt bij het aanklikken van het bedrijfslogo op het "
              "hoofdscherm");
    auto& jnActiveren = h.control<YesNo>("jnActiveren");
    auto& jnValideren = h.control<YesNo>("jnValideren");
    EXPECT_EQ(jnActiveren.value(), YesNo::Ja);
    EXPECT_EQ(jnValideren.value(), YesNo::Nee);
    EXPECT_TRUE(settings().XMLKoppelingActief);
    EXPECT_FALSE(settings().XMLValideren);
    EXPECT_EQ(h.control<TextBox>("txtExportlocatie").text(), "/data/export");
    EXPECT_EQ(h.control<TextBox>("txtImport").text(), "/data/import");
    EXPECT_EQ(h.control<TextBox>("txtOmschrijving").text(), "https://www.kantoor.nl");

    jnActiveren.choose(YesNo::Nee);
    jnValideren.choose(YesNo::Ja);
    EXPECT_FALSE(settings().XMLKoppelingActief);
    EXPECT_TRUE(settings().XMLValideren);
    h.control<TextBox>("txtOmschrijving").type("https://www.ander.nl");
    EXPECT_EQ(settings().WebsiteURL.get(), "https://www.ander.nl");
    EXPECT_TRUE(h.errors().empty());
}

// The folder buttons must store a chosen folder and keep the old one when the dialog is cancelled.
TEST_F(OtherLinks, XmlLinkFolderButtons)
{
    settings().XMLExportlocatie = u"/oud/export"_s;
    settings().XMLImportlocatie = u"/oud/import"_s;
    h.open("SetupKopUBizz");
    h.ui().chooseFolderNext(u"/nieuw/export"_s);
    h.control<CommandButton>("cmdExportlocatie").click();
    EXPECT_EQ(h.ui().folderRequests().back().title,
              "Selecteer a.u.b. de map waar u de XML-bestanden naartoe wilt exporteren");
    EXPECT_EQ(settings().XMLExportlocatie.get(), "/nieuw/export");
    EXPECT_EQ(h.control<TextBox>("txtExportlocatie").text(), "/nieuw/export");
    h.ui().chooseFolderNext(std::nullopt);
    h.control<CommandButton>("cmdImport").click();
    EXPECT_EQ(h.ui().folderRequests().back().title, "Selecteer de map waar de XML-bestanden staan");
    EXPECT_EQ(settings().XMLImportlocatie.get(), "/oud/import");
    EXPECT_EQ(h.control<TextBox>("txtImport").text(), "/oud/import");
    h.ui().chooseFolderNext(u"/nieuw/import"_s);
    h.control<CommandButton>("cmdImport").click();
    EXPECT_EQ(settings().XMLImportlocatie.get(), "/nieuw/import");
    EXPECT_TRUE(h.ui().messages().empty());
}

// The Finly and EDR link labels must open the party's address through the Ui and show the fixed texts.
TEST_F(OtherLinks, InformationLinksOpenThePartysAddress)
{
    h.open("SetupKopFinly");
    EXPECT_EQ(h.control<Label>("lblFinly", 0).caption(),
              "Met Finly van Future Of Finance kunt u Quenmarix, websites, documenten en uzelf in beeld brengen.");
    EXPECT_EQ(h.control<Label>("lblFinly", 1).caption(), "Voor meer informatie kunt u kijken op");
    auto& finly = h.control<Label>("lblFinly", 4);
    EXPECT_TRUE(finly.isLink());
    EXPECT_FALSE(h.control<Label>("lblFinly", 1).isLink());
    finly.click();
    EXPECT_EQ(h.ui().openedAddresses(), QStringList{SetupKopFinly::InformatieAdres});

    h.open("SetupKopEDR");
    EXPECT_EQ(h.control<Label>("lblUitleg", 1).caption(), "Ken uw klant");
    EXPECT_TRUE(h.control<Label>("lblUitleg", 0).caption().endsWith("Hiermee geeft u invulling aan het"));
    EXPECT_EQ(h.control<Label>("lblUitleg", 2).caption(),
              "principe, uw zorgplicht en beperkt u het krediet- en betalingsrisico van de consument.");
    EXPECT_EQ(h.control<Label>("lblUitleg", 3).caption(), "Voor meer informatie over deze koppeling kunt u kijken op:");
    auto& edr = h.control<Label>("lblUitleg", 4);
    EXPECT_TRUE(edr.isLink());
    edr.click();
    EXPECT_EQ(h.ui().openedAddresses(), (QStringList{SetupKopFinly::InformatieAdres, SetupKopEDR::WebsiteAdres}));
    EXPECT_TRUE(h.errors().empty());
}
