#include "framework/forms/ComboBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/ui/ScriptedUi.h"
#include "framework/util/ComboRoutines.h"
#include "framework/util/FolderRoutines.h"
#include "framework/util/ListRoutines.h"
#include "framework/util/ProcessRoutines.h"
#include "framework/util/TextBoxRoutines.h"
#include "framework/util/TextFitting.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

ScriptedUi strictUi()
{
    ScriptedUi ui;
    ui.onUnexpected = [](const QString& what) { ADD_FAILURE() << what.toStdString(); };
    return ui;
}

// A copy of sleep under a name no other process has, so counting by name sees only our children.
QString uniqueSleeper(const QTemporaryDir& dir)
{
    const QString name = u"TvSlaap%1"_s.arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    const QString path = dir.filePath(name);
    if (!QFile::copy(u"/bin/sleep"_s, path))
        return QString();
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

} // namespace

// Catches a cancelled picker that returns something other than "", or options that do not reach the dialog.
TEST(Utilities, BrowseForFolderPassesItsOptionsAndReturnsEmptyWhenCancelled)
{
    ScriptedUi ui = strictUi();
    ui.chooseFolderNext(u"/data/export"_s);
    ui.chooseFolderNext(std::nullopt);
    EXPECT_EQ(BrowseForFolder(ui, "/data", "Kies de exportmap", true, false, true), "/data/export");
    EXPECT_EQ(BrowseForFolder(ui, "", "Kies een map"), "");
    ASSERT_EQ(ui.folderRequests().size(), 2u);
    const FolderRequest& first = ui.folderRequests()[0];
    EXPECT_EQ(first.title, "Kies de exportmap");
    EXPECT_EQ(first.initialFolder, "/data");
    EXPECT_TRUE(first.includeFiles);
    EXPECT_FALSE(first.allowNewFolder);
    EXPECT_TRUE(first.showEditBox);
    const FolderRequest& second = ui.folderRequests()[1];
    EXPECT_FALSE(second.includeFiles);
    EXPECT_TRUE(second.allowNewFolder);
    EXPECT_FALSE(second.showEditBox);
}

// Catches a wrong message text, caption or icon, a message when none was asked, and files taken for folders.
TEST(Utilities, FolderExistsTellsTheUserOnlyWhenAskedAndOnlyForMissingFolders)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("bestand.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case {
        QString path;
        bool showMessage;
        bool exists;
        bool messageShown;
    };
    const std::vector<Case> cases{
        {dir.path(), true, true, false},
        {dir.filePath("ontbreekt"), false, false, false},
        {dir.filePath("ontbreekt"), true, false, true},
        {dir.filePath("bestand.txt"), true, false, true},
        {"", true, false, true},
    };
    for (const Case& c : cases) {
        ScriptedUi ui = strictUi();
        if (c.messageShown)
            ui.answerMessage(MsgResult::OK);
        EXPECT_EQ(FolderExists(ui, c.path, c.showMessage), c.exists) << c.path.toStdString();
        ASSERT_EQ(ui.messages().size(), c.messageShown ? 1u : 0u) << c.path.toStdString();
        if (c.messageShown) {
            EXPECT_EQ(ui.messages()[0].text, "De gekozen folder is niet gevonden. Controleer uw invoer.");
            EXPECT_EQ(ui.messages()[0].caption, "Folder niet gevonden");
            EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(ui.messages()[0].buttons, MsgButtons::OK);
        }
    }
}

// Catches a doubled separator, a missing one, and an empty folder turned into the root.
TEST(Utilities, AddBackslashEndsInExactlyOneSeparator)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"/data/export", "/data/export/"},
        {"/data/export/", "/data/export/"},
        {"relatief", "relatief/"},
        {"/", "/"},
        {"", ""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(AddBackslash(path), expected) << path.toStdString();
}

// Catches a cut that is one character too short or too long, a fitting text that still gets "...",
// and the bold argument being ignored. ScriptedUi measures 88 twips a character at 8 points, 96 in bold.
TEST(Utilities, FitTextToWidthCutsToTheLongestStartThatFitsWithTheDots)
{
    ScriptedUi ui;
    Font font; // 8 points, not bold
    Font boldFont = font;
    boldFont.bold = true;
    struct Case {
        QString text;
        int maxWidth;
        bool bold;
        const Font* font;
        QString expected;
    };
    const std::vector<Case> cases{
        {"abcdefghij", 880, false, &font, "abcdefghij"},  // exactly as wide as allowed
        {"abcdefghijk", 880, false, &font, "abcdefg..."}, // 7 * 88 + 3 * 88 = 880
        {"abcdefghijk", 879, false, &font, "abcdef..."},
        {"abcdefghij", 880, true, &font, "abcdef..."},       // bold: 6 * 96 + 3 * 96 = 864
        {"abcdefghij", 880, false, &boldFont, "abcdefghij"}, // the argument decides, not the font
        {"abcdef", 100, false, &font, "..."},                // nothing fits besides the dots
        {"", 0, false, &font, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitTextToWidth(ui, *c.font, c.text, c.maxWidth, c.bold), c.expected)
            << c.text.toStdString() << " in " << c.maxWidth;
}

// Catches a drop-down that is narrowed, not capped by the limit or the screen, or measured without the 20 pixels.
TEST(Utilities, FitComboDropDownWidensToTheLongestEntryWithinTheLimits)
{
    ScriptedUi ui; // 15 twips a pixel, screen 1920 pixels wide, 88 twips a character
    struct Case {
        int entryLength;
        int maxPixels;
        int droppedBefore;
        int droppedAfter;
    };
    const std::vector<Case> cases{
        {30, 0, 0, 196},   // 30 * 88 = 2640 twips = 176 pixels, plus 20
        {30, 150, 0, 150}, // the caller's limit
        {30, 0, 300, 300}, // already wider: left alone
        {5, 0, 0, 0},      // fits in the box itself (1215 twips = 81 pixels)
        {400, 0, 0, 1900}, // never wider than the screen less 20 pixels
        {0, 0, 0, 0},      // no entries at all
    };
    for (const Case& c : cases) {
        Form form("frmTest");
        auto& combo = form.add<ComboBox>(form, u"cboTest"_s);
        if (c.entryLength > 0) {
            combo.addItem("kort");
            combo.addItem(QString(c.entryLength, u'x'));
        }
        if (c.droppedBefore > 0)
            combo.setDroppedWidth(c.droppedBefore);
        FitComboDropDown(combo, ui, c.maxPixels);
        EXPECT_EQ(combo.droppedWidth(), c.droppedAfter) << c.entryLength << " / " << c.maxPixels;
    }
}

// Catches picking the last of two entries with the same item data, and a selection change (Click) when none matches.
TEST(Utilities, SelectComboByItemDataPicksTheFirstMatchOnly)
{
    Form form("frmTest");
    auto& combo = form.add<ComboBox>(form, u"cboUpdateTermijn"_s);
    combo.addItemWithData("Dagelijks", 1);
    combo.addItemWithData("Wekelijks", 7);
    combo.addItemWithData("Elke 7 dagen", 7);
    combo.addItemWithData("Maandelijks", 30);
    int clicks = 0;
    combo.Click.connect([&] { ++clicks; });

    SelectComboByItemData(combo, 7);
    EXPECT_EQ(combo.listIndex(), 1);
    EXPECT_EQ(combo.text(), "Wekelijks");
    EXPECT_EQ(clicks, 1);

    SelectComboByItemData(combo, 14);
    EXPECT_EQ(combo.listIndex(), 1);
    EXPECT_EQ(clicks, 1);

    SelectComboByItemData(combo, 30);
    EXPECT_EQ(combo.text(), "Maandelijks");
}

// Catches a membership test that misses the first or last element, and a larger/smaller mix-up.
TEST(Utilities, ListMembershipAndLargerSmaller)
{
    const QStringList names{"MSACC", "MSSQL"};
    EXPECT_TRUE(IsInList(u"MSACC"_s, names));
    EXPECT_TRUE(IsInList(u"MSSQL"_s, names));
    EXPECT_FALSE(IsInList(u"msacc"_s, names));
    EXPECT_FALSE(IsInList(u"X"_s, QStringList()));
    EXPECT_TRUE(IsInList(3, {1, 2, 3}));
    EXPECT_FALSE(IsInList(4, {1, 2, 3}));

    EXPECT_EQ(MaxOf(3, 8), 8);
    EXPECT_EQ(MaxOf(8, 3), 8);
    EXPECT_EQ(MinOf(3, 8), 3);
    EXPECT_EQ(MinOf(8, 3), 3);
    EXPECT_EQ(MaxOf(-2, -5), -2);
    EXPECT_DOUBLE_EQ(MaxOf(2, 2.5), 2.5);
    EXPECT_DOUBLE_EQ(MinOf(2.5, 2), 2.0);
}

// Catches a selection that misses the last character or starts elsewhere, and other controls being touched.
TEST(Utilities, SelectAllTextSelectsAWholeTextBoxOnly)
{
    Form form("frmTest");
    auto& box = form.add<TextBox>(form, u"txtPad"_s);
    box.setText("/data/export");
    box.setSelection(3, 2);
    SelectAllText(box);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 12);

    auto& combo = form.add<ComboBox>(form, u"cboTest"_s);
    combo.addItem("Een");
    combo.setListIndex(0);
    SelectAllText(combo);
    EXPECT_EQ(combo.text(), "Een");
}

// Catches a wrong exit code, arguments that do not arrive, a crash reported as success,
// and a program that cannot start being reported as success or hanging the caller.
TEST(Utilities, RunAndWaitReturnsTheExitCode)
{
    struct Case {
        QString commandLine;
        int expected;
    };
    const std::vector<Case> cases{
        {"/bin/sh -c \"exit 3\"", 3},
        {"true", 0},
        {"/bin/sh -c \"exit $#\" nul \"een argument\"", 1},
        {"/bin/sh -c \"kill -9 $$\"", RunResult::Crashed},
        {"/bestaat/niet/programma --optie", RunResult::NotStarted},
        {"programma-dat-nergens-staat", RunResult::NotStarted},
        {"", RunResult::NotStarted},
    };
    for (const Case& c : cases) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(RunAndWait(c.commandLine, 10000), c.expected) << c.commandLine.toStdString();
        EXPECT_LT(timer.elapsed(), 5000) << c.commandLine.toStdString();
    }
}

// Catches waiting past the time-out, and a program left running after it.
TEST(Utilities, RunAndWaitStopsAProgramThatOutlivesTheTimeout)
{
    QTemporaryDir dir;
    const QString sleeper = uniqueSleeper(dir);
    ASSERT_FALSE(sleeper.isEmpty());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(RunAndWait(u"\"%1\" 30"_s.arg(sleeper), 300), RunResult::StillActive);
    EXPECT_GE(timer.elapsed(), 250);
    EXPECT_LT(timer.elapsed(), 5000);
    int count = -1;
    KillProcessByName(QFileInfo(sleeper).fileName(), count, false);
    EXPECT_EQ(count, 0);
}

// Catches counting the wrong processes (prefix instead of end, case), killing when only counting,
// and a kill that leaves the processes running.
TEST(Utilities, KillProcessByNameCountsAndKillsMatchingProcesses)
{
    QTemporaryDir dir;
    const QString sleeper = uniqueSleeper(dir);
    ASSERT_FALSE(sleeper.isEmpty());
    const QString name = QFileInfo(sleeper).fileName();
    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < 2; ++i) {
        children.push_back(std::make_unique<QProcess>());
        children.back()->start(sleeper, {"30"});
        ASSERT_TRUE(children.back()->waitForStarted());
    }
    struct Case {
        QString exeName;
        int expected;
    };
    const std::vector<Case> counting{
        {name, 2},
        {name.toUpper(), 2},
        {name.toLower(), 2},
        {name.mid(2), 2},                // the end of the name
        {name.left(name.size() - 1), 0}, // the start is not enough
        {"x" + name, 0},
    };
    for (const Case& c : counting) {
        int count = -1;
        KillProcessByName(c.exeName, count, false);
        EXPECT_EQ(count, c.expected) << c.exeName.toStdString();
    }
    for (const auto& child : children)
        EXPECT_EQ(child->state(), QProcess::Running);

    int unchanged = 7;
    KillProcessByName("", unchanged, true);
    EXPECT_EQ(unchanged, 7);

    int killed = 0;
    KillProcessByName(name, killed, true);
    EXPECT_EQ(killed, 2);
    for (const auto& child : children) {
        EXPECT_TRUE(child->waitForFinished(5000));
        EXPECT_EQ(child->exitStatus(), QProcess::CrashExit);
    }
    int after = -1;
    KillProcessByName(name, after, false);
    EXPECT_EQ(after, 0);
}

// Catches cutting at a "bin" inside a longer name, upper-casing the folder, missing a development tree,
// and a current folder that does not follow.
TEST(Utilities, SetCurrentDirToProgramFolderGoesToTheProgramsBinFolder)
{
    const std::vector<std::pair<QString, QString>> rules{
        {"/opt/Apps/Tarvelo/bin/Tools", "/opt/Apps/Tarvelo/bin"},
        {"/opt/Apps/Tarvelo/Bin", "/opt/Apps/Tarvelo/Bin"},
        {"/opt/bin/Tarvelo/BIN/x/y", "/opt/bin/Tarvelo/BIN"},
        {"/opt/binaries/Tarvelo", "/opt/binaries/Tarvelo"},
        {"/opt/Tarvelo/", "/opt/Tarvelo"},
        {"/source/Tarvelo/build/Tools", "/source/Tarvelo/bin"},
        {"/Source/anders", "/Source/Tarvelo/bin"},
        {"/sourcecode/Tarvelo/bin/x", "/sourcecode/Tarvelo/bin"},
        {"/home/ontwikkelaar/source/Tarvelo/bin/x", "/home/ontwikkelaar/source/Tarvelo/bin"},
    };
    for (const auto& [programFolder, expected] : rules)
        EXPECT_EQ(ProgramWorkFolder(programFolder), expected) << programFolder.toStdString();

    QTemporaryDir dir;
    const QString bin = dir.filePath("Tarvelo/bin");
    ASSERT_TRUE(QDir().mkpath(bin + "/Tools"));
    const QString before = QDir::currentPath();
    EXPECT_TRUE(SetCurrentDirToProgramFolder(bin + "/Tools"));
    EXPECT_EQ(QDir::currentPath(), QDir(bin).canonicalPath());
    EXPECT_FALSE(SetCurrentDirToProgramFolder(dir.filePath("Weg/bin/Tools")));
    EXPECT_EQ(QDir::currentPath(), QDir(bin).canonicalPath());
    QDir::setCurrent(before);
}
