#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/ClientProfileSettings.h"
#include "framework/settings/FdnSettings.h"
#include "framework/settings/MaintenanceSettings.h"
#include "pages/general/SetupZivavivoz.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupKlantprofielTest : PageTest {
    OptionButton& opt(int i) { return h.control<OptionButton>("optVolledigheidKlantadvisering", i); }
    qint16 stored() { return h.setup().get<ClientProfileSettings>().ControleVolledigheid; }
};
} // namespace

// Each stored choice must select its own option; a stored 0 or 4 becomes 1, written back, without an error.
TEST_F(SetupKlantprofielTest, StoredChoiceSelectsItsOption)
{
    struct Case {
        qint16 stored;
        int option;
        qint16 after;
    };
    for (const Case c : {Case{1, 0, 1}, {2, 1, 2}, {3, 2, 3}, {0, 0, 1}, {4, 0, 1}, {-1, 0, 1}}) {
        SCOPED_TRACE(c.stored);
        h.setup().get<ClientProfileSettings>().ControleVolledigheid = c.stored;
        auto& page = h.open("SetupKlantprofiel");
        EXPECT_EQ(page.Titel(), "Klantadvisering en motivering");
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(opt(i).value(), i == c.option) << i;
        EXPECT_EQ(stored(), c.after);
        EXPECT_TRUE(h.errors().empty());
    }
}

// Clicking option i must store i + 1; Validation has no checks and never cancels.
TEST_F(SetupKlantprofielTest, ClickStoresAndValidationKeepsCancel)
{
    h.setup().get<ClientProfileSettings>().ControleVolledigheid = 1;
    auto& page = h.open("SetupKlantprofiel");
    EXPECT_EQ(h.control<Frame>("fraVolledigheidKlantadvisering").caption(),
              "Controle op volledigheid klantprofiel en motivering bij afdruk aanvraagformulier en HDN-aanvraag");
    EXPECT_EQ(opt(0).caption(), "Klantprofiel en motivering");
    EXPECT_EQ(opt(1).caption(), "Alleen klantprofiel");
    EXPECT_EQ(opt(2).caption(), "Geen controle");
    opt(2).click();
    EXPECT_EQ(stored(), 3);
    opt(1).click();
    EXPECT_EQ(stored(), 2);
    EXPECT_TRUE(page.hasValidation());
    bool cancel = false;
    page.Validation(cancel, 0);
    EXPECT_FALSE(cancel);
    cancel = true;
    page.Validation(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(h.ui().messages().empty());
}

namespace {
struct SetupFDNOUDTest : PageTest {
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    CommandButton& cmd(const char* name) { return h.control<CommandButton>(name); }
    FdnSettings& fdn() { return h.setup().get<FdnSettings>(); }
};
} // namespace

// The fill must show both values without writing; the number is stored as typed.
TEST_F(SetupFDNOUDTest, FillAndNumber)
{
    fdn().FDNNummer = u"12345"_s;
    fdn().FDNInDir = u"/opt/fdn/bin"_s;
    auto& page = h.open("SetupFDNOUD");
    EXPECT_EQ(page.Titel(), "FDN instellingen");
    EXPECT_EQ(h.control<Label>("lblFDNNummer").caption(), "FDN-nummer");
    EXPECT_EQ(h.control<Label>("lblFDNInDir").caption(), "Installatiedirectory");
    EXPECT_EQ(txt("txtFDNNummer").text(), "12345");
    EXPECT_EQ(txt("txtFDNInDir").text(), "/opt/fdn/bin");
    txt("txtFDNNummer").type("678");
    EXPECT_EQ(fdn().FDNNummer.get(), "678");
    EXPECT_EQ(fdn().FDNInDir.get(), "/opt/fdn/bin");
}

// The folder button must store a chosen folder, keep the old one on cancel; the clear button empties it.
TEST_F(SetupFDNOUDTest, FolderChooseCancelAndClear)
{
    fdn().FDNInDir = u"/opt/oud"_s;
    h.open("SetupFDNOUD");
    h.ui().chooseFolderNext(std::nullopt);
    cmd("cmdFDNInDir").click();
    EXPECT_EQ(fdn().FDNInDir.get(), "/opt/oud");
    ASSERT_EQ(h.ui().folderRequests().size(), 1u);
    EXPECT_EQ(h.ui().folderRequests()[0].title, "Selecteer de 'bin'-map van FDN");
    EXPECT_EQ(h.ui().folderRequests()[0].initialFolder, "/opt/oud");

    h.ui().chooseFolderNext(u"/opt/fdn/bin"_s);
    cmd("cmdFDNInDir").click();
    EXPECT_EQ(fdn().FDNInDir.get(), "/opt/fdn/bin");
    EXPECT_EQ(txt("txtFDNInDir").text(), "/opt/fdn/bin");

    cmd("cmdClearFDNInDir").click();
    EXPECT_EQ(fdn().FDNInDir.get(), "");
    EXPECT_EQ(txt("txtFDNInDir").text(), "");
    EXPECT_TRUE(h.errors().empty());
}

namespace {
struct SetupZivavivozTest : PageTest {
    TextBox& oud() { return h.control<TextBox>("txtWachtwoordOud"); }
    TextBox& nieuw(int i) { return h.control<TextBox>("txtWachtwoordNieuw", i); }
    CommandButton& cmd() { return h.control<CommandButton>("cmdWijzigenWachtwoord"); }
    QString stored() { return h.setup().get<MaintenanceSettings>().OnderhoudWachtwoord; }
    void openWith(const QString& password)
    {
        h.setup().get<MaintenanceSettings>().OnderhoudWachtwoord = password;
        h.open("SetupZivavivoz");
    }
};
} // namespace

// The old password is compared exactly: red with the new boxes emptied and disabled, green when it matches.
TEST_F(SetupZivavivozTest, OldPasswordColoursAndUnlocks)
{
    openWith(u"Geheim"_s);
    EXPECT_EQ(h.control<Hint>("hintWachtwoordWijzigen").text(),
              "U kunt hier het wachtwoord wijzigen.\r\nVoer eerst het oude wachtwoord in en daarna tweemaal het nieuwe "
              "wachtwoord.\r\nDruk op de knop bevestigen om de wijzigen door te voeren.");
    EXPECT_EQ(cmd().caption(), "&Bevestigen");
    EXPECT_FALSE(nieuw(0).enabled());
    EXPECT_FALSE(cmd().enabled());
    // Nothing typed yet: the box is judged neither way.
    EXPECT_EQ(oud().backColor(), Colour(SystemColour::Window));
    EXPECT_EQ(SetupZivavivoz::Fout, Colour(112 << 16 | 105 << 8 | 255));
    EXPECT_EQ(SetupZivavivoz::Goed, Colour(153 << 16 | 255 << 8 | 165));

    oud().type("Geheim");
    EXPECT_EQ(oud().backColor(), SetupZivavivoz::Goed);
    EXPECT_TRUE(nieuw(0).enabled());
    EXPECT_TRUE(nieuw(1).enabled());
    nieuw(0).type("abc");
    oud().type("geheim"); // only the case differs
    EXPECT_EQ(oud().backColor(), SetupZivavivoz::Fout);
    EXPECT_EQ(nieuw(0).text(), "");
    EXPECT_FALSE(nieuw(0).enabled());
    EXPECT_FALSE(nieuw(1).enabled());
    EXPECT_EQ(stored(), "Geheim");
}

// An office without a password must not show the empty box as correct before anything is typed.
TEST_F(SetupZivavivozTest, AnEmptyBoxIsNeitherRightNorWrong)
{
    openWith(QString());
    EXPECT_EQ(oud().backColor(), Colour(SystemColour::Window));
    oud().type("x");
    EXPECT_EQ(oud().backColor(), SetupZivavivoz::Fout);
    oud().type("");
    EXPECT_EQ(oud().backColor(), Colour(SystemColour::Window));
    EXPECT_TRUE(nieuw(0).enabled()) << "the empty password is the stored one";
}

// The button must be enabled only for two equal, non-empty new passwords, case included.
TEST_F(SetupZivavivozTest, ConfirmButtonFollowsTheNewPasswords)
{
    openWith(u"oud"_s);
    oud().type("oud");
    struct Case {
        const char* first;
        const char* second;
        bool enabled;
    };
    for (const Case c :
         {Case{"Nieuw", "nieuw", false}, {"", "", false}, {"nieuw", "", false}, {"nieuw", "nieuw", true}}) {
        SCOPED_TRACE(c.first + std::string("/") + c.second);
        nieuw(0).type(QString::fromUtf8(c.first));
        nieuw(1).type(QString::fromUtf8(c.second));
        EXPECT_EQ(cmd().enabled(), c.enabled);
    }
    EXPECT_EQ(nieuw(0).maxLength(), 8);
    h.ui().answerMessage(MsgResult::OK);
    cmd().click();
    EXPECT_EQ(stored(), "nieuw");
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "Het nieuwe wachtwoord is opgeslagen.");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Information);
}

// A click that reaches the button with an unconfirmed password (enabled by other code) must store nothing.
TEST_F(SetupZivavivozTest, ClickChecksAgainBeforeStoring)
{
    openWith(u"oud"_s);
    oud().type("oud");
    nieuw(0).type("een");
    nieuw(1).type("twee");
    cmd().setEnabled(true);
    h.ui().answerMessage(MsgResult::OK);
    cmd().click();
    EXPECT_EQ(stored(), "oud");
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);

    nieuw(1).type("een");
    oud().type("fout"); // empties the new boxes; the button follows
    cmd().setEnabled(true);
    h.ui().answerMessage(MsgResult::OK);
    cmd().click();
    EXPECT_EQ(stored(), "oud");
    EXPECT_EQ(h.ui().messages().size(), 2u);
    EXPECT_TRUE(h.errors().empty());
}
