#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "tests/pages/advisers/AdviserOffice.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct SetupAutorisatieTest : AdviserOffice {
    AutorisatieSettings& settings() { return h.setup().get<AutorisatieSettings>(); }
    SettingsPage& open() { return h.open("SetupAutorisatie"); }
    ComboBox& combo(const char* name) { return h.control<ComboBox>(name); }
    CheckBox& check(const char* name) { return h.control<CheckBox>(name); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
    ListView& branches() { return h.control<ListView>("lvwVestigingen"); }
    QString selectedText(const char* name)
    {
        ComboBox& c = combo(name);
        return c.listIndex() < 0 ? QString() : c.list(c.listIndex());
    }
    QString invoerGebruikersnaam()
    {
        return h.app().registry().RegGetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                               QString(RegistryNames::InvoerGebruikersnaam), "-");
    }
    const ScriptedUi::ShownMessage& lastMessage() { return h.ui().messages().back(); }
};

} // namespace

// Defaults that read 0 are shown and stored; each choice is stored; the login method lives in the machine registry.
TEST_F(SetupAutorisatieTest, DefaultsAndLoginMethod)
{
    SettingsPage& page = open();
    EXPECT_EQ(page.Titel(), "Autorisatie instellingen");
    EXPECT_EQ(selectedText("cboRol"), "Administrator");
    EXPECT_EQ(selectedText("cboAdviezenOpenen"), "Iedereen");
    EXPECT_EQ(selectedText("cboAdviezenRechten"), "Lees- en schrijfrechten");
    EXPECT_EQ(qint16(settings().StandaardRol), 1);
    EXPECT_EQ(qint16(settings().StandaardAdviezenOpenen), 3);
    EXPECT_EQ(qint16(settings().StandaardAdviezenRechten), 3);
    combo("cboRol").choose("Gebruiker");
    combo("cboAdviezenOpenen").choose("Zichzelf");
    combo("cboAdviezenRechten").choose("Alleen leesrechten");
    EXPECT_EQ(qint16(settings().StandaardRol), 2);
    EXPECT_EQ(qint16(settings().StandaardAdviezenOpenen), 1);
    EXPECT_EQ(qint16(settings().StandaardAdviezenRechten), 2);

    EXPECT_EQ(selectedText("cboInlogMethode"), "Keuzelijst adviseurs");
    EXPECT_EQ(invoerGebruikersnaam(), "-"); // filling writes nothing
    combo("cboInlogMethode").choose("Invoer gebruikersnaam");
    EXPECT_EQ(invoerGebruikersnaam(), "True");
    open();
    EXPECT_EQ(selectedText("cboInlogMethode"), "Invoer gebruikersnaam");
    combo("cboInlogMethode").choose("Keuzelijst adviseurs");
    EXPECT_EQ(invoerGebruikersnaam(), "False");
}

// Both boxes off is stored as &H8000000 and shows both empty; both on is 3.
TEST_F(SetupAutorisatieTest, AccessOfOrdinaryUsers)
{
    settings().GebruikersToegang = 1;
    open();
    EXPECT_TRUE(check("chkOnderhoudsmenu").isChecked());
    EXPECT_FALSE(check("chkRapportageInstellingen").isChecked());
    check("chkRapportageInstellingen").click();
    EXPECT_EQ(qint32(settings().GebruikersToegang), 3);
    check("chkOnderhoudsmenu").click();
    EXPECT_EQ(qint32(settings().GebruikersToegang), 2);
    check("chkRapportageInstellingen").click();
    EXPECT_EQ(qint32(settings().GebruikersToegang), 0x8000000);
    open();
    EXPECT_FALSE(check("chkOnderhoudsmenu").isChecked());
    EXPECT_FALSE(check("chkRapportageInstellingen").isChecked());
}

// A new branch gets a fresh identifier; saving renames it and tells the advisers page.
TEST_F(SetupAutorisatieTest, NewAndRenamedBranches)
{
    QStringList notified;
    Subscription<QString, QString, QString, QVariant> listen(
        h.app().Notify, [&](const QString& s, const QString& f, const QString& a, const QVariant&) {
            notified << s + "/" + f + "/" + a;
        });
    open();
    EXPECT_FALSE(combo("cboVestiging").enabled());
    EXPECT_FALSE(button("cmdVerwijderen").enabled());
    button("cmdNieuw").click();
    ASSERT_EQ(settings().Vestigingen.count(), 1);
    const QString id = settings().Vestiging(1)->ID;
    EXPECT_EQ(id.size(), 36);
    EXPECT_FALSE(id.contains('{'));
    EXPECT_EQ(settings().Vestiging(1)->Naam, "<Nieuwe vestiging>");
    ASSERT_NE(branches().selectedItem(), nullptr);
    EXPECT_EQ(branches().selectedItem()->key(), id);
    EXPECT_TRUE(h.control<TextBox>("txtVestiging").enabled());
    EXPECT_TRUE(button("cmdOpslaan").enabled());

    h.control<TextBox>("txtVestiging").type("Amersfoort");
    button("cmdOpslaan").click();
    EXPECT_EQ(settings().Vestiging(1)->Naam, "Amersfoort");
    EXPECT_FALSE(button("cmdOpslaan").enabled());
    EXPECT_EQ(notified, QStringList{"SetupAutorisatie/Adviseurs/Refresh"});
    button("cmdNieuw").click();
    EXPECT_NE(settings().Vestiging(2)->ID, id);

    // the default branch is stored by its identifier
    combo("cboVestiging").select(0);
    EXPECT_EQ(QString(settings().StandaardVestiging), id);
}

// Removing a branch used by one adviser asks with "is"; it unlinks the advisers and the defaults that named it.
TEST_F(SetupAutorisatieTest, RemovingABranch)
{
    standardOffice();
    const QString used = addBranch("Utrecht", codeOf(80));
    const QString unused = addBranch("Zwolle", codeOf(81));
    db().exec(u"UPDATE Autorisatie SET Vestiging = ? WHERE Code = ?"_s, {used, codeOf(3)});
    settings().StandaardVestiging = used;
    h.setup().get<HuidigeAdviseurSettings>().Vestiging = used;
    open();
    EXPECT_EQ(combo("cboVestiging").listIndex(), 0);

    branches().clickItem(1);
    h.ui().answerMessage(MsgResult::No);
    button("cmdVerwijderen").click();
    EXPECT_EQ(lastMessage().text, "Er is nog 1 adviseurs gekoppeld aan deze vestiging.\r\n"
                                  "Weet u zeker dat u deze vestiging uit het systeem wilt verwijderen?");
    EXPECT_EQ(lastMessage().caption, "Verwijderen vestiging");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(settings().Vestigingen.count(), 2);

    branches().clickItem(1);
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdVerwijderen").click();
    EXPECT_EQ(settings().Vestigingen.count(), 1);
    EXPECT_EQ(rights(codeOf(3)).Vestiging, "");
    EXPECT_EQ(QString(settings().StandaardVestiging), "");
    EXPECT_EQ(QString(h.setup().get<HuidigeAdviseurSettings>().Vestiging), "");

    // no adviser uses it: no question
    const size_t shown = h.ui().messages().size();
    branches().clickItem(1);
    button("cmdVerwijderen").click();
    EXPECT_EQ(h.ui().messages().size(), shown);
    EXPECT_EQ(settings().Vestigingen.count(), 0);
    EXPECT_NE(unused, used);
}

// Several advisers in one branch: the question says "zijn"; closing without branches tidies the access records.
TEST_F(SetupAutorisatieTest, SeveralLinkedAdvisersAndClosingWithoutBranches)
{
    standardOffice();
    const QString id = addBranch("Utrecht", codeOf(80));
    db().exec(u"UPDATE Autorisatie SET Vestiging = ?"_s, {id});
    open();
    branches().clickItem(1);
    h.ui().answerMessage(MsgResult::No);
    button("cmdVerwijderen").click();
    EXPECT_TRUE(lastMessage().text.startsWith("Er zijn nog 4 adviseurs gekoppeld"));
    // the branch is gone from the settings elsewhere; closing the page tidies up
    settings().RemoveVestiging(1);
    h.close();
    EXPECT_EQ(rights(codeOf(2)).Vestiging, "");
}

// The reset applies the defaults to every adviser, the current user stays administrator.
TEST_F(SetupAutorisatieTest, ResetKeepsTheCurrentUserAdministrator)
{
    standardOffice();
    db().exec(u"UPDATE Autorisatie SET Wachtwoord = 'x'"_s);
    const QString id = addBranch("Utrecht", codeOf(80));
    open();
    combo("cboRol").choose("Gebruiker");
    combo("cboAdviezenOpenen").choose("Eigen vestiging");
    combo("cboAdviezenRechten").choose("Alleen leesrechten");
    combo("cboVestiging").select(0);

    h.ui().answerMessage(MsgResult::No);
    button("cmdReset").click();
    EXPECT_EQ(lastMessage().caption, "Standaard autorisaties toepassen");
    EXPECT_FALSE(lastMessage().text.contains("wachtwoorden gewist"));
    EXPECT_EQ(rights(codeOf(2)).Rol, 1);

    check("chkWachtwoordReset").click();
    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    button("cmdReset").click();
    const auto& question = h.ui().messages()[h.ui().messages().size() - 2];
    EXPECT_TRUE(question.text.startsWith("Let op! U staat op het punt de ingestelde autorisaties voor alle "));
    EXPECT_TRUE(question.text.contains("\r\nTevens worden voor alle adviseurs de wachtwoorden gewist.\r\n"));
    EXPECT_TRUE(question.text.endsWith("Uw eigen rol blijft na deze actie 'administrator', ongeacht wat de standaard "
                                       "instelling is.\r\nWilt u doorgaan?"));
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    for (int n : {2, 3, 4}) {
        const Autorisatie a = rights(codeOf(n));
        EXPECT_EQ(a.Rol, 2) << n;
        EXPECT_EQ(a.AdviezenOpenen, 2);
        EXPECT_EQ(a.AdviezenRechten, 2);
        EXPECT_EQ(a.Vestiging, id);
        EXPECT_EQ(a.Wachtwoord, "");
    }
    EXPECT_EQ(rights(codeOf(1)).Rol, 1);
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);
}
