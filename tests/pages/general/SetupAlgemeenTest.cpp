#include "pages/general/SetupAlgemeen.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Image.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/HouseStyleSettings.h"
#include "tests/support/PageTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupAlgemeenTest : PageTest {
    HouseStyleSettings& style() { return h.setup().get<HouseStyleSettings>(); }
    QString logoFolder() { return h.app().DataDir() + "/Logo"; }
    // A picture of the given size in pixels, written as the format its name says.
    QString picture(const QString& path, int width = 20, int height = 10)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    void file(const QString& path, const QByteArray& content = "geen afbeelding")
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    SettingsPage& open() { return h.open("SetupAlgemeen"); }
    TextBox& path() { return h.control<TextBox>("txtLogoPath"); }
    Image& logo() { return h.control<Image>("imgBedrijflogo"); }
    CommandButton& cmd(const char* name, int index = -1) { return h.control<CommandButton>(name, index); }
    Label& swatch(int i) { return h.control<Label>("picCurrentColor", i); }
    void setRegistryLogo(const QString& value)
    {
        h.app().registry().RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, RegistryNames::LogoPath,
                                        value);
    }
};
} // namespace

// A logo fits 4515 x 1035 twips with its aspect ratio kept.
TEST(SetupAlgemeenLogo, FitsTheBoxKeepingItsRatio)
{
    struct Case {
        QSize in, out;
    };
    for (const Case c : {Case{{9000, 1000}, {4515, 502}},
                         {{1000, 3000}, {345, 1035}},
                         {{1500, 600}, {1500, 600}},
                         {{9030, 2070}, {4515, 1035}}}) {
        SCOPED_TRACE(c.in.width());
        EXPECT_EQ(SetupAlgemeen::fitLogo(c.in), c.out);
    }
}

// A "LogoPath" naming an existing file locks both logo buttons, whatever LogoBestand holds; a missing one is ignored.
TEST_F(SetupAlgemeenTest, RegistryLogoLocksTheButtons)
{
    const QString admin = picture(h.folder() + "/beheer/logo.bmp");
    picture(logoFolder() + "/eigen.bmp");
    style().LogoBestand = u"eigen.bmp"_s;
    setRegistryLogo(admin);
    open();
    EXPECT_EQ(path().text(), "Via register ingesteld");
    EXPECT_EQ(logo().picture(), admin);
    EXPECT_FALSE(cmd("cmdBedrijfslogo").enabled());
    EXPECT_FALSE(cmd("cmdLogoVerwijder").enabled());

    setRegistryLogo(h.folder() + "/beheer/weg.bmp");
    open();
    EXPECT_EQ(logo().picture(), logoFolder() + "/eigen.bmp");
    EXPECT_TRUE(cmd("cmdBedrijfslogo").enabled());
    EXPECT_TRUE(cmd("cmdLogoVerwijder").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// With no LogoBestand the first picture of the folder is shown: files that are no picture do not count.
TEST_F(SetupAlgemeenTest, FirstPictureOfTheLogoFolder)
{
    file(logoFolder() + "/Thumbs.db");
    file(logoFolder() + "/a-notities.txt");
    picture(logoFolder() + "/b-logo.png", 600, 100);
    picture(logoFolder() + "/c-logo.bmp");
    open();
    EXPECT_EQ(logo().picture(), logoFolder() + "/b-logo.png");
    EXPECT_TRUE(logo().stretch());
    EXPECT_EQ(logo().width(), 4515);
    EXPECT_EQ(logo().height(), 753);
    EXPECT_TRUE(cmd("cmdLogoVerwijder").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// Without any logo the host's default logo shows and the remove button is off.
TEST_F(SetupAlgemeenTest, NoLogoShowsTheDefault)
{
    open();
    EXPECT_EQ(path().text(), "Standaard...");
    EXPECT_EQ(logo().picture(), h.app().DefaultLogo());
    EXPECT_FALSE(cmd("cmdLogoVerwijder").enabled());
    EXPECT_TRUE(cmd("cmdBedrijfslogo").enabled());
    EXPECT_TRUE(QFileInfo(logoFolder()).isDir()); // made by the fill
}

// A logo that cannot be loaded is reported once; the page still fills its combos and is not left loading.
TEST_F(SetupAlgemeenTest, BrokenLogoStillFillsThePage)
{
    style().StartschermKlanten = 2;
    style().StartschermAdviezen = 1;
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"no picture",
         [&] {
             file(logoFolder() + "/kapot.bmp");
             style().LogoBestand = u"kapot.bmp"_s;
         }},
        {"folder is a file",
         [&] {
             QDir(logoFolder()).removeRecursively();
             file(logoFolder());
             style().LogoBestand = QString();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        const std::size_t before = h.errors().size();
        auto& page = open();
        EXPECT_EQ(h.errors().size(), before + 1);
        EXPECT_EQ(h.errors().back().Context, "Instellingen - Algemeen");
        EXPECT_EQ(path().text(), "Standaard...");
        EXPECT_EQ(logo().picture(), h.app().DefaultLogo());
        EXPECT_EQ(h.control<ComboBox>("cboKlanten").text(), "Aantal");
        EXPECT_EQ(h.control<ComboBox>("cboAdviezen").text(), "Meest recente adviezen");
        EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);
        // not left loading: a choice writes back
        h.control<ComboBox>("cboKlanten").choose("Niet tonen");
        EXPECT_EQ(qint16(style().StartschermKlanten), 0);
        (void)page;
        style().StartschermKlanten = 2;
    }
}

// Choosing a logo outside the folder replaces the folder's files; the dialog shows the exact title and filter.
TEST_F(SetupAlgemeenTest, ChoosingALogoReplacesTheFolder)
{
    picture(logoFolder() + "/oud.bmp");
    file(logoFolder() + "/Thumbs.db");
    style().LogoBestand = u"oud.bmp"_s;
    open();
    const QString chosen = picture(h.folder() + "/elders/nieuw.png", 100, 30);
    h.ui().chooseOpenFileNext(chosen);
    cmd("cmdBedrijfslogo").click();
    ASSERT_EQ(h.ui().fileRequests().size(), 1u);
    EXPECT_EQ(h.ui().fileRequests()[0].title, "Selecteer het bedrijfslogo");
    EXPECT_EQ(
        h.ui().fileRequests()[0].filter,
        "Bitmap (*.bmp;*.dib)|*.bmp;*.dib|GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|Metabestanden (*.wmf;*.emf)|"
        "*.wmf;*.emf|Icon (*.ico;*.cur)|*.ico;*.cur|Alle afbeeldingen|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;*.cur");
    EXPECT_EQ(QDir(logoFolder()).entryList(QDir::Files), QStringList{"nieuw.png"});
    EXPECT_EQ(style().LogoBestand.get(), "nieuw.png");
    EXPECT_EQ(logo().picture(), logoFolder() + "/nieuw.png");
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_TRUE(cmd("cmdLogoVerwijder").enabled());

    // a file already in the folder: nothing is deleted
    picture(logoFolder() + "/tweede.bmp");
    h.ui().chooseOpenFileNext(logoFolder() + "/tweede.bmp");
    cmd("cmdBedrijfslogo").click();
    EXPECT_EQ(QDir(logoFolder()).entryList(QDir::Files), (QStringList{"nieuw.png", "tweede.bmp"}));
    EXPECT_EQ(style().LogoBestand.get(), "tweede.bmp");
    EXPECT_TRUE(h.errors().empty());
}

// A copy that fails, or a file that is no picture, keeps the office's logo and reports the reason.
TEST_F(SetupAlgemeenTest, FailedChoiceKeepsTheOldLogo)
{
    picture(logoFolder() + "/oud.bmp");
    style().LogoBestand = u"oud.bmp"_s;
    open();
    const QString chosen = picture(h.folder() + "/elders/nieuw.png");
    QDir().mkpath(logoFolder() + "/" + SetupAlgemeen::NewLogoName); // the copy cannot be made
    h.ui().chooseOpenFileNext(chosen);
    cmd("cmdBedrijfslogo").click();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "cmdBedrijfslogo_Click");
    EXPECT_TRUE(h.errors()[0].ErrorDescription.contains("huidige logo blijft behouden"));
    EXPECT_TRUE(QFileInfo::exists(logoFolder() + "/oud.bmp"));
    EXPECT_EQ(style().LogoBestand.get(), "oud.bmp");
    EXPECT_EQ(logo().picture(), logoFolder() + "/oud.bmp");

    file(h.folder() + "/elders/nep.bmp");
    h.ui().chooseOpenFileNext(h.folder() + "/elders/nep.bmp");
    cmd("cmdBedrijfslogo").click();
    ASSERT_EQ(h.errors().size(), 2u);
    EXPECT_TRUE(h.errors()[1].ErrorDescription.contains("geen afbeelding"));
    EXPECT_TRUE(QFileInfo::exists(logoFolder() + "/oud.bmp"));
    EXPECT_EQ(style().LogoBestand.get(), "oud.bmp");

    h.ui().chooseOpenFileNext(std::nullopt); // cancelled
    cmd("cmdBedrijfslogo").click();
    EXPECT_EQ(style().LogoBestand.get(), "oud.bmp");
}

// Removing asks first; on Yes every file goes, read-only ones too, and the default logo shows.
TEST_F(SetupAlgemeenTest, RemovingTheLogo)
{
    picture(logoFolder() + "/logo.bmp");
    file(logoFolder() + "/extra.txt");
    for (const char* name : {"/logo.bmp", "/extra.txt"})
        QFile::setPermissions(logoFolder() + name, QFileDevice::ReadOwner);
    style().LogoBestand = u"logo.bmp"_s;
    open();
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdLogoVerwijder").click();
    EXPECT_EQ(style().LogoBestand.get(), "logo.bmp");
    EXPECT_EQ(h.ui().messages().back().text, "Weet u zeker dat u het bedrijfslogo wilt verwijderen ?");
    EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Question);

    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdLogoVerwijder").click();
    EXPECT_TRUE(QDir(logoFolder()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(style().LogoBestand.get(), "");
    EXPECT_EQ(path().text(), "Standaard logo...");
    EXPECT_EQ(logo().picture(), h.app().DefaultLogo());
    EXPECT_FALSE(cmd("cmdLogoVerwijder").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// Catches a removal that follows links out of the logo folder: links go as
// links, and the files they name elsewhere keep their mode and content.
TEST_F(SetupAlgemeenTest, RemovingTheLogoLeavesWhatLinksPointToAlone)
{
    const QString elsewhere = h.folder() + "/elders";
    file(elsewhere + "/geheim.txt", "van een ander");
    picture(elsewhere + "/ander.bmp");
    for (const char* name : {"/geheim.txt", "/ander.bmp"})
        ASSERT_TRUE(QFile::setPermissions(elsewhere + name, QFileDevice::ReadOwner));
    const QFileDevice::Permissions before = QFile::permissions(elsewhere + "/geheim.txt");
    picture(logoFolder() + "/logo.bmp");
    ASSERT_TRUE(QFile::link(elsewhere + "/geheim.txt", logoFolder() + "/koppeling.txt"));
    ASSERT_TRUE(QFile::link(elsewhere + "/weg.txt", logoFolder() + "/dood.txt"));
    ASSERT_EQ(::link(QFile::encodeName(elsewhere + "/ander.bmp").constData(),
                     QFile::encodeName(logoFolder() + "/tweede-naam.bmp").constData()),
              0);
    style().LogoBestand = u"logo.bmp"_s;
    open();
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdLogoVerwijder").click();
    EXPECT_TRUE(QDir(logoFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
    for (const char* name : {"/geheim.txt", "/ander.bmp"}) {
        EXPECT_EQ(QFile::permissions(elsewhere + name), before) << name;
        EXPECT_FALSE(QFile::permissions(elsewhere + name) & QFileDevice::WriteOwner) << name;
    }
    QFile kept(elsewhere + "/geheim.txt");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "van een ander");
    EXPECT_TRUE(h.errors().empty());
}

// Colour 0 warns only while an advice is open; colours 1, 2, 3 and 5 never; colour 5 tells the host.
TEST_F(SetupAlgemeenTest, ColourChoiceAndTheOpenAdvice)
{
    struct Case {
        int index;
        int advice;
        bool warns;
    };
    for (const Case c : {Case{0, 3, true}, {0, -1, false}, {4, 0, true}, {1, 3, false}, {2, 3, false}, {5, 3, false}}) {
        SCOPED_TRACE(c.index * 10 + c.advice);
        h.app().setHuidigAdvies(c.advice);
        open();
        const std::size_t before = h.ui().messages().size();
        const std::size_t calls = h.app().procedureCalls().size();
        h.ui().chooseColourNext(rgb(1, 2, 3));
        if (c.warns)
            h.ui().answerMessage(MsgResult::OK);
        cmd("cmdAanpassenKleur", c.index).click();
        EXPECT_EQ(swatch(c.index).backColor(), rgb(1, 2, 3));
        EXPECT_EQ(Colour(style().Kleur(c.index).get()), rgb(1, 2, 3));
        EXPECT_EQ(h.ui().messages().size(), before + (c.warns ? 1 : 0));
        if (c.warns) {
            EXPECT_EQ(h.ui().messages().back().text,
                      "De gekozen kleur wordt pas actief bij het openen van het volgende advies.");
            EXPECT_EQ(h.ui().messages().back().caption, "Let op");
            EXPECT_EQ(h.ui().messages().back().icon, MsgIcon::Information);
        }
        EXPECT_EQ(h.app().procedureCalls().size(), calls + (c.index == 5 ? 1 : 0));
        if (c.index == 5) {
            EXPECT_EQ(h.app().procedureCalls().back().procedure, "Apply_BackColor");
        }
        style().Kleur(c.index) = HouseStyleSettings::StandaardKleur[c.index];
    }
}

// "Standaard" asks first: No keeps the swatch and Kleuren, Yes puts the default in both.
TEST_F(SetupAlgemeenTest, DefaultColourAsksFirst)
{
    style().Kleur(2) = 0x123456;
    open();
    EXPECT_EQ(swatch(2).backColor(), Colour(0x123456));
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdDefaultKleur", 2).click();
    EXPECT_EQ(h.ui().messages().back().text, "Weet u zeker dat u de standaardkleur wilt selecteren?");
    EXPECT_EQ(swatch(2).backColor(), Colour(0x123456));
    EXPECT_EQ(style().Kleur(2).get(), 0x123456);
    h.ui().answerMessage(MsgResult::Yes);
    cmd("cmdDefaultKleur", 2).click();
    EXPECT_EQ(swatch(2).backColor(), Colour(0xEFEFEF));
    EXPECT_EQ(style().Kleur(2).get(), 0xEFEFEF);
    h.ui().answerMessage(MsgResult::No);
    cmd("cmdDefaultKleur", 5).click();
    EXPECT_EQ(h.app().procedureCalls().size(), 1u); // the host is told in both cases
}

// The preview dialog shows the title and row colours of the swatches.
TEST_F(SetupAlgemeenTest, TablePreviewUsesTheTableColours)
{
    style().Kleur(1) = 0x111111;
    style().Kleur(2) = 0x222222;
    style().Kleur(3) = 0x333333;
    open();
    bool shown = false;
    h.ui().whenModal("frmVoorbeeldKleurinstelling", [&](Form& dialog) {
        shown = true;
        EXPECT_EQ(dialog.get<Label>("lblTabel").caption(), "VOORBEELDTABEL");
        EXPECT_EQ(dialog.get<Label>("lblKop", 0).caption(), "Jaar");
        EXPECT_EQ(dialog.get<Label>("lblKop", 6).caption(), "Waarde 6");
        EXPECT_EQ(dialog.get<Label>("lblKop", 3).backColor(), Colour(0x111111));
        EXPECT_EQ(dialog.get<Label>("lblCel", 0).backColor(), Colour(0x222222));
        EXPECT_EQ(dialog.get<Label>("lblCel", 7).backColor(), Colour(0x333333));
        dialog.get<CommandButton>("cmdSluiten").click();
    });
    cmd("cmdVoorbeeldTabellen").click();
    EXPECT_TRUE(shown);
}
