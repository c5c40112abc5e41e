#include "framework/forms/CommandButton.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ImportExportSettings.h"
#include "tests/support/PageTest.h"

#include <QDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupExportTest : PageTest {
    ImportExportSettings& io() { return h.setup().get<ImportExportSettings>(); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    QString reg(QLatin1StringView name)
    {
        return h.app().registry().RegGetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, name, u"(leeg)"_s);
    }
    QString makeFolder(const QString& name)
    {
        const QString path = h.folder() + QLatin1Char('/') + name;
        QDir().mkpath(path);
        return path;
    }
};
} // namespace

// The fill must show both folders in upper case and the mail data as stored.
TEST_F(SetupExportTest, FillShowsFoldersInUpperCase)
{
    io().ImportDir = u"/data/Import"_s;
    h.app().setExportDir(makeFolder(u"Export"_s));
    io().EmailOntvanger = u"advies@kantoor.nl"_s;
    io().SMTPServer = u"smtp.kantoor.nl"_s;
    auto& page = h.open("SetupExport");
    EXPECT_EQ(page.Titel(), "Import en export");
    EXPECT_EQ(txt("txtImportDir").text(), "/DATA/IMPORT");
    EXPECT_EQ(txt("txtExportDir").text(), (h.folder() + "/Export").toUpper());
    EXPECT_EQ(txt("txtEmailOntvanger").text(), "advies@kantoor.nl");
    EXPECT_EQ(txt("txtSMTPServer").text(), "smtp.kantoor.nl");
    EXPECT_EQ(h.control<Label>("lblEmailKop").caption(),
              "E-mail voor automatische verzending van geëxporteerde adviezen");
    EXPECT_EQ(h.control<Label>("lblExportDir").caption(), "Export locatie adviezen");
    EXPECT_EQ(h.control<Label>("lblImportDir").caption(), "Import locatie adviezen");
}

// A chosen folder goes to the host as chosen, to the box and the registry in upper case; cancel changes nothing.
TEST_F(SetupExportTest, ChoosingFolders)
{
    const QString exportDir = makeFolder(u"Data/Export"_s);
    h.open("SetupExport");
    h.ui().chooseFolderNext(exportDir);
    h.control<CommandButton>("cmdExportLocatie").click();
    EXPECT_EQ(h.app().ExportDir(), exportDir);
    EXPECT_EQ(txt("txtExportDir").text(), exportDir.toUpper());
    EXPECT_EQ(reg(RegistryNames::ExportDir), exportDir.toUpper());
    EXPECT_EQ(h.ui().folderRequests().back().title, "Selecteer de standaardfolder voor de advies-exportbestanden");

    h.ui().chooseFolderNext(u"/mnt/Import"_s);
    h.control<CommandButton>("cmdImportLocatie").click();
    EXPECT_EQ(io().ImportDir.get(), "/mnt/Import");
    EXPECT_EQ(txt("txtImportDir").text(), "/MNT/IMPORT");
    EXPECT_EQ(reg(RegistryNames::ImportDir), "/MNT/IMPORT");
    EXPECT_EQ(h.ui().folderRequests().back().title, "Selecteer de standaardfolder voor de importbestanden");
    EXPECT_EQ(h.ui().folderRequests().back().initialFolder, "");

    for (const char* button : {"cmdExportLocatie", "cmdImportLocatie"}) {
        h.ui().chooseFolderNext(std::nullopt);
        h.control<CommandButton>(button).click();
    }
    EXPECT_EQ(h.app().ExportDir(), exportDir);
    EXPECT_EQ(reg(RegistryNames::ExportDir), exportDir.toUpper());
    EXPECT_EQ(io().ImportDir.get(), "/mnt/Import");
    EXPECT_EQ(txt("txtImportDir").text(), "/MNT/IMPORT");
    EXPECT_TRUE(h.errors().empty());
}

// A folder the host refuses must reach neither the registry nor the box, and the user is told why in Dutch.
TEST_F(SetupExportTest, RefusedExportFolderChangesNothingAndSaysWhy)
{
    const QString exportDir = makeFolder(u"Export"_s);
    h.app().setExportDir(exportDir);
    h.open("SetupExport");
    const QString refused = h.folder() + "/BestaatNiet";
    h.ui().chooseFolderNext(refused);
    h.ui().answerMessage(MsgResult::OK);
    h.control<CommandButton>("cmdExportLocatie").click();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    const auto& told = h.ui().messages().back();
    EXPECT_EQ(told.text, u"De map %1 is niet als exportlocatie overgenomen.\r\n\r\nDe exportmap %1 bestaat niet."_s.arg(
                             QDir::toNativeSeparators(refused)));
    EXPECT_EQ(told.caption, "Export locatie adviezen");
    EXPECT_EQ(told.icon, MsgIcon::Exclamation);
    EXPECT_EQ(h.app().ExportDir(), exportDir);
    EXPECT_EQ(txt("txtExportDir").text(), exportDir.toUpper());
    EXPECT_EQ(reg(RegistryNames::ExportDir), "(leeg)");
    EXPECT_TRUE(h.errors().empty());
}

// The mail fields write every change at once, an empty address as "".
TEST_F(SetupExportTest, MailFieldsWriteBack)
{
    io().EmailOntvanger = u"oud@kantoor.nl"_s;
    h.open("SetupExport");
    txt("txtEmailOntvanger").type("");
    EXPECT_EQ(io().EmailOntvanger.get(), "");
    txt("txtSMTPServer").type("mail.kantoor.nl");
    EXPECT_EQ(io().SMTPServer.get(), "mail.kantoor.nl");
}
