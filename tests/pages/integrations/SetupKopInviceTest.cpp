#include "framework/forms/CommandButton.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/IntegrationSettings.h"
#include "pages/integrations/MarkerFiles.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <tuple>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct FolderLinks : PageTest {
    IntegrationSettings& settings() { return h.setup().get<IntegrationSettings>(); }
    QString makeFolder(const QString& name, const QString& file = QString())
    {
        const QString path = h.folder() + "/" + name;
        QDir().mkpath(path);
        if (!file.isEmpty()) {
            QFile f(path + "/" + file);
            f.open(QIODevice::WriteOnly);
        }
        return path;
    }
};
} // namespace

// The marker rules: the marker files are found whatever the case of their names, as on the installations the
// links serve; "ass20.exe" without a doubled separator at a root; no folder, no marker.
TEST_F(FolderLinks, MarkerFileRules)
{
    EXPECT_TRUE(hasInviceMarker(makeFolder("invice", "importTV.fp7")));
    EXPECT_TRUE(hasInviceMarker(makeFolder("hoofdletter", "ImportTV.fp7")));
    EXPECT_TRUE(hasInviceMarker(makeFolder("kapitalen", "IMPORTTV.FP7")));
    EXPECT_FALSE(hasInviceMarker(makeFolder("anders", "importTV.fp8")));
    EXPECT_FALSE(hasInviceMarker(makeFolder("leeg")));
    EXPECT_FALSE(hasInviceMarker(h.folder() + "/bestaat-niet"));
    EXPECT_FALSE(hasInviceMarker(QString()));
    struct {
        QString folder, path;
    } const paths[] = {
        {"D:\\", "D:\\ass20.exe"}, {"C:\\Ass20", "C:\\Ass20\\ass20.exe"},  {"C:\\Ass20\\", "C:\\Ass20\\ass20.exe"},
        {"/", "/ass20.exe"},       {"/opt/ass20", "/opt/ass20/ass20.exe"},
    };
    for (const auto& p : paths)
        EXPECT_EQ(assistentMarkerPath(p.folder), p.path);
    EXPECT_TRUE(hasAssistentMarker(makeFolder("ass", "ass20.exe")));
    EXPECT_TRUE(hasAssistentMarker(makeFolder("ass") + "/"));
    EXPECT_TRUE(hasAssistentMarker(makeFolder("kapitalen-ass", "Ass20.EXE")));
    EXPECT_FALSE(hasAssistentMarker(makeFolder("zonder", "ass21.exe")));
    makeFolder("map-als-marker/ass20.exe");
    EXPECT_FALSE(hasAssistentMarker(h.folder() + "/map-als-marker")) << "a folder is no marker file";
    EXPECT_FALSE(hasAssistentMarker(QString()));
}

// A chosen folder with the marker is shown and stored; one without it clears the folder with the critical message.
TEST_F(FolderLinks, ChoosingAFolderTestsItsMarker)
{
    struct Case {
        const char* page;
        const char* button;
        const char* box;
        Setting<QString> IntegrationSettings::*setting;
        const char* marker;
        const char* title;
        const char* start;
        const char* message;
    } const cases[] = {
        {"SetupKopInvice", "cmdFilemaker", "txtFilemakerDirectory", &IntegrationSettings::InviceFilemakerDirectory,
         "importTV.fp7", "Selecteer de folder waar 'ImportTV.fp7' van FileMaker staat",
         "C:\\Program Files\\Filemaker\\import", "Onjuiste directory en/of 'ImportTV.fp7' niet gevonden"},
        {"SetupKopAssistent", "cmdAssistent", "txtAssistentDirectory", &IntegrationSettings::AssistentDirectory,
         "ass20.exe", "Selecteer de folder waar 'ass20.exe' van FileMaker staat", "C:\\Ass20",
         "Onjuiste directory en/of 'ass20.exe' niet gevonden"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        settings().*c.setting = QString();
        h.open(c.page);
        auto& box = h.control<TextBox>(c.box);
        auto& button = h.control<CommandButton>(c.button);
        EXPECT_TRUE(box.locked());
        EXPECT_EQ(button.toolTipText(), "Geef het pad aan waar FileMaker is ge\u00efnstalleerd");

        const QString good = makeFolder(u"goed-%1"_s.arg(c.page), c.marker);
        h.ui().chooseFolderNext(good);
        button.click();
        ASSERT_FALSE(h.ui().folderRequests().empty());
        EXPECT_EQ(h.ui().folderRequests().back().title, c.title);
        EXPECT_EQ(h.ui().folderRequests().back().initialFolder, c.start);
        EXPECT_EQ(box.text(), good);
        EXPECT_EQ((settings().*c.setting).get(), good);
        const std::size_t before = h.ui().messages().size();

        h.ui().chooseFolderNext(makeFolder(u"fout-%1"_s.arg(c.page)));
        h.ui().answerMessage(MsgResult::OK);
        button.click();
        EXPECT_EQ(box.text(), "");
        EXPECT_EQ((settings().*c.setting).get(), "");
        ASSERT_EQ(h.ui().messages().size(), before + 1);
        EXPECT_EQ(h.ui().messages().back().text, c.message);
        EXPECT_EQ(h.ui().messages().back().caption, "Onjuiste directory");
        EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Critical);
        EXPECT_TRUE(h.errors().empty());
    }
}

// Cancelling the folder dialog must keep the stored folder and show no message.
TEST_F(FolderLinks, CancellingTheFolderDialogChangesNothing)
{
    for (auto [page, button, box, setting] : {std::tuple{"SetupKopInvice", "cmdFilemaker", "txtFilemakerDirectory",
                                                         &IntegrationSettings::InviceFilemakerDirectory},
                                              std::tuple{"SetupKopAssistent", "cmdAssistent", "txtAssistentDirectory",
                                                         &IntegrationSettings::AssistentDirectory}}) {
        SCOPED_TRACE(page);
        settings().*setting = u"/opt/bestaand"_s;
        h.open(page);
        h.ui().chooseFolderNext(std::nullopt);
        h.control<CommandButton>(button).click();
        EXPECT_EQ((settings().*setting).get(), "/opt/bestaand");
        EXPECT_EQ(h.control<TextBox>(box).text(), "/opt/bestaand");
        EXPECT_TRUE(h.ui().messages().empty());
    }
}
