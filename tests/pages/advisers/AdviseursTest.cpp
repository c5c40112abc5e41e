#include "pages/advisers/Adviseurs.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/ProxySettings.h"
#include "framework/util/Base64.h"
#include "framework/xml/XmlNodes.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/pages/advisers/AdviserOffice.h"
#include "tests/support/LocalHttpServer.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct AdviseursTest : AdviserOffice {
    Adviseurs& open() { return static_cast<Adviseurs&>(h.open("Adviseurs")); }
    ListView& list() { return h.control<ListView>("lvwAdviseurs"); }
    ComboBox& combo(const char* name) { return h.control<ComboBox>(name); }
    TextBox& text(const char* name) { return h.control<TextBox>(name); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
    QString selectedText(const char* name)
    {
        ComboBox& c = combo(name);
        return c.listIndex() < 0 ? QString() : c.list(c.listIndex());
    }
    void selectRow(const QString& code)
    {
        for (int i = 1; i <= list().count(); ++i) {
            if (list().item(i).tag().toString() == code) {
                list().clickItem(i);
                return;
            }
        }
        FAIL() << "geen rij voor " << code.toStdString();
    }
    const ScriptedUi::ShownMessage& lastMessage() { return h.ui().messages().back(); }
};

} // namespace

// The list shows the active advisers with composed names, the office and place; the first row is shown.
TEST_F(AdviseursTest, FillsFromTheRegisterAndTheOfficeDatabase)
{
    standardOffice();
    Adviseurs& page = open();
    EXPECT_EQ(page.Titel(), "Adviseurs");
    ASSERT_EQ(list().count(), 3); // Kees left the office
    EXPECT_EQ(list().columnCount(), 3);
    EXPECT_EQ(list().item(1).text(), "Mevr. A. Bakker");
    EXPECT_EQ(list().item(2).text(), "Dhr. P. (Pieter) Jansen");
    EXPECT_EQ(list().item(3).text(), "Dhr. J.W. (Jan Willem) de Vries");
    EXPECT_EQ(list().item(3).subItem(1), "De Linde");
    EXPECT_EQ(list().item(3).subItem(2), "Amersfoort");
    EXPECT_EQ(list().item(3).tag().toString(), codeOf(1)); // braces of the register removed
    EXPECT_FALSE(combo("cboVestiging").enabled());
    EXPECT_EQ(combo("cboVestiging").listCount(), 0);
    EXPECT_TRUE(h.control<Frame>("fraAutorisatie").visible());
    EXPECT_TRUE(button("cmdDelete").enabled());

    // the first row is shown
    EXPECT_EQ(text("txtKlantcode").text(), codeOf(2));
    EXPECT_EQ(text("txtGeslachtAdviseur").text(), "Vrouw");
    EXPECT_EQ(text("txtEmailGeregistreerd").text(), "anna@kantoor.nl");
    EXPECT_EQ(text("txtGebruikersnaam").text(), "anna");
    EXPECT_EQ(text("txtHuinummerKantoor").text(), "12");
    EXPECT_EQ(selectedText("cboRol"), "Administrator");
    EXPECT_EQ(selectedText("cboAdviezenOpenen"), "Iedereen");
    EXPECT_EQ(selectedText("cboAdviezenRechten"), "Lees- en schrijfrechten");
    EXPECT_TRUE(button("cmdInstellenWachtwoord").enabled());
    EXPECT_EQ(page.InnerHeight(), h.control<Frame>("fraAdviseurs").height());
    EXPECT_TRUE(h.errors().empty());
}

// Branches add a column and the combo; a branch is found by its identifier's last 36 characters.
TEST_F(AdviseursTest, BranchesByTheirLast36Characters)
{
    standardOffice();
    const QString kort = addBranch("Zwolle", codeOf(71));
    const QString lang = addBranch(QString(150, QLatin1Char('x')), codeOf(72));
    db().exec(u"UPDATE Autorisatie SET Vestiging = ? WHERE Code = ?"_s, {lang, codeOf(3)});
    open();
    EXPECT_EQ(list().columnCount(), 4);
    EXPECT_EQ(list().item(2).subItem(3), QString(150, QLatin1Char('x')));
    ComboBox& vestiging = combo("cboVestiging");
    ASSERT_EQ(vestiging.listCount(), 3);
    EXPECT_EQ(vestiging.list(0), "<selecteer een vestiging>");
    EXPECT_EQ(vestiging.itemData(0), -1);
    EXPECT_EQ(vestiging.listIndex(), 0); // Anna has none

    selectRow(codeOf(3));
    EXPECT_EQ(vestiging.listIndex(), 2);
    vestiging.select(1);
    EXPECT_EQ(rights(codeOf(3)).Vestiging, kort);
    EXPECT_EQ(list().item(2).subItem(3), "Zwolle");
    vestiging.select(0);
    EXPECT_EQ(rights(codeOf(3)).Vestiging, "");
    EXPECT_EQ(list().item(2).subItem(3), "");
}

// Rights never set up: the user is told and every such adviser becomes an administrator.
TEST_F(AdviseursTest, RightsNeverSetUpAreBroughtUpToDate)
{
    addAdviser({codeOf(1), "J.", "", "", "Vries", "M", "", 0});
    addAdviser({codeOf(2), "A.", "", "", "Bakker", "V", "", 0});
    addAdviser({codeOf(3), "P.", "", "", "Jansen", "M", "", 2});
    h.app().setCurrentAdviser({codeOf(1), "J. Vries"});
    h.ui().answerMessage(MsgResult::OK);
    open();
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "De autorisatiegegevens moeten worden bijgewerkt. Ogenblik geduld..");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    for (int n : {1, 2}) {
        EXPECT_EQ(rights(codeOf(n)).Rol, 1);
        EXPECT_EQ(rights(codeOf(n)).AdviezenOpenen, 3);
        EXPECT_EQ(rights(codeOf(n)).AdviezenRechten, 3);
    }
    EXPECT_EQ(rights(codeOf(3)).Rol, 2); // already set up: kept
}

// A user without the right to manage advisers sees no rights and cannot remove.
TEST_F(AdviseursTest, RightsHiddenForOrdinaryUsers)
{
    standardOffice();
    h.app().setCurrentAdviser({codeOf(3), "P. Jansen"});
    open();
    EXPECT_FALSE(h.control<Frame>("fraAutorisatie").visible());
    EXPECT_FALSE(button("cmdDelete").enabled());
    EXPECT_GT(list().height(), 2295);
}

// The last administrator stays one; one's own role needs a confirmation; other changes are stored.
TEST_F(AdviseursTest, RoleRules)
{
    addAdviser({codeOf(1), "J.", "", "", "Vries", "M", "", 1});
    addAdviser({codeOf(2), "A.", "", "", "Bakker", "V", "", 2});
    h.app().setCurrentAdviser({codeOf(1), "J. Vries"});
    open();
    selectRow(codeOf(1));

    h.ui().answerMessage(MsgResult::No);
    combo("cboRol").choose("Gebruiker");
    EXPECT_EQ(lastMessage().caption, "Wijzigen rol");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Question);
    EXPECT_EQ(lastMessage().text,
              "Weet u zeker dat u uw eigen rol wilt aanpassen naar 'Gebruiker'?\r\nHiermee vervallen "
              "voor u de rechten om gebruikers toe te voegen, te verwijderen en te onderhouden.");
    EXPECT_EQ(selectedText("cboRol"), "Administrator");

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().answerMessage(MsgResult::OK);
    combo("cboRol").choose("Gebruiker");
    EXPECT_EQ(lastMessage().text, "Er moet minstens één gebruiker met administrator rechten aanwezig zijn.\r\n"
                                  "De aanpassing wordt afgebroken.");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    EXPECT_EQ(lastMessage().caption, "Wijzigen rol");
    EXPECT_EQ(selectedText("cboRol"), "Administrator");
    EXPECT_EQ(rights(codeOf(1)).Rol, 1);

    selectRow(codeOf(2));
    combo("cboRol").choose("Administrator");
    EXPECT_EQ(rights(codeOf(2)).Rol, 1);
    combo("cboRol").choose("Gebruiker"); // two administrators now: allowed
    EXPECT_EQ(rights(codeOf(2)).Rol, 2);
    EXPECT_TRUE(h.errors().empty());
}

// "Eigen vestiging" needs branches; the other rights are stored at once.
TEST_F(AdviseursTest, OpeningOwnBranchNeedsBranches)
{
    standardOffice();
    open();
    selectRow(codeOf(3));
    h.ui().answerMessage(MsgResult::OK);
    combo("cboAdviezenOpenen").choose("Eigen vestiging");
    EXPECT_EQ(lastMessage().text, "Stel eerst de vestigingen in. Dit kan in de Instellingen, onderdeel Autorisatie.");
    EXPECT_EQ(lastMessage().caption, "Wijzigen Adviezen openen");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    EXPECT_EQ(selectedText("cboAdviezenOpenen"), "Iedereen");
    EXPECT_EQ(rights(codeOf(3)).AdviezenOpenen, 3);
    combo("cboAdviezenOpenen").choose("Zichzelf");
    EXPECT_EQ(rights(codeOf(3)).AdviezenOpenen, 1);
    combo("cboAdviezenRechten").choose("Alleen leesrechten");
    EXPECT_EQ(rights(codeOf(3)).AdviezenRechten, 2);
}

// A login name another adviser uses is refused; an empty one is accepted; changes are saved on "Ja".
TEST_F(AdviseursTest, LoginNameAndSavingTheAdviserRecord)
{
    standardOffice();
    Adviseurs& page = open();
    selectRow(codeOf(1));
    h.ui().answerMessage(MsgResult::OK);
    text("txtGebruikersnaam").type("ANNA");
    EXPECT_FALSE(text("txtGebruikersnaam").leave());
    EXPECT_EQ(lastMessage().text, "De door u ingevulde gebruikersnaam is reeds in gebruik.");
    EXPECT_EQ(lastMessage().caption, "Gebruikersnaam");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);

    text("txtGebruikersnaam").type("");
    EXPECT_TRUE(text("txtGebruikersnaam").leave());
    text("txtTelefoonAdviseur").type("033 - 123");
    // leaving the adviser asks to save: "Ja" stores it, also in the current user's settings
    h.ui().answerMessage(MsgResult::Yes);
    selectRow(codeOf(3));
    EXPECT_EQ(lastMessage().text, "Wilt u de bijgewerkte gegevens opslaan?");
    EXPECT_EQ(lastMessage().caption, "Gegevens gewijzigd");
    AdviseurGegevens stored;
    database().GetAdviseur(stored, codeOf(1));
    EXPECT_EQ(stored.Telefoon, "033 - 123");
    EXPECT_EQ(stored.Gebruikersnaam, "");
    EXPECT_EQ(QString(h.setup().get<HuidigeAdviseurSettings>().Telefoon), "033 - 123");

    // "Nee" keeps the stored record; Validation asks too
    text("txtEmailAdviseur").type("p@kantoor.nl");
    h.ui().answerMessage(MsgResult::No);
    bool cancel = false;
    page.Validation(cancel);
    EXPECT_FALSE(cancel);
    database().GetAdviseur(stored, codeOf(3));
    EXPECT_EQ(stored.Email, "");
    EXPECT_EQ(QString(h.setup().get<HuidigeAdviseurSettings>().Email), "jan@kantoor.nl");
}

// The password dialog confirms; an existing password is only changed after a question.
TEST_F(AdviseursTest, SettingThePassword)
{
    standardOffice();
    open();
    selectRow(codeOf(3));
    h.ui().whenModal("frmWachtwoord", [&](Form& f) {
        EXPECT_TRUE(f.get<TextBox>("txtWachtwoord", 1).visible());
        f.get<TextBox>("txtWachtwoord", 0).type("Geheim1");
        f.get<TextBox>("txtWachtwoord", 1).type("Geheim2");
        h.ui().answerMessage(MsgResult::OK);
        f.get<CommandButton>("cmdOK").click();
        EXPECT_TRUE(f.visible());
        EXPECT_EQ(lastMessage().text, "De beide ingevoerde wachtwoorden komen niet overeen.");
        EXPECT_EQ(lastMessage().caption, "Wachtwoord onjuist");
        f.get<TextBox>("txtWachtwoord", 0).type("");
        f.get<TextBox>("txtWachtwoord", 1).type("");
        h.ui().answerMessage(MsgResult::OK);
        f.get<CommandButton>("cmdOK").click(); // two empty fields are no password
        EXPECT_TRUE(f.visible());
        f.get<TextBox>("txtWachtwoord", 0).type("Geheim1");
        f.get<TextBox>("txtWachtwoord", 1).type("Geheim1");
        f.get<CommandButton>("cmdOK").click();
    });
    button("cmdInstellenWachtwoord").click();
    EXPECT_EQ(rights(codeOf(3)).Wachtwoord, "Geheim1");

    h.ui().answerMessage(MsgResult::No);
    button("cmdInstellenWachtwoord").click();
    EXPECT_EQ(lastMessage().text, "Weet u zeker dat u het wachtwoord wilt wijzigen?");
    EXPECT_EQ(lastMessage().caption, "Wijzigen bestaand wachtwoord");

    h.ui().answerMessage(MsgResult::Yes);
    h.ui().whenModal("frmWachtwoord", [](Form& f) { f.hide(); }); // the close box
    button("cmdInstellenWachtwoord").click();
    EXPECT_EQ(rights(codeOf(3)).Wachtwoord, "Geheim1");
}

// The password goes to the registered address through the mail service; every failure is told as one.
TEST_F(AdviseursTest, MailingThePassword)
{
    widgetApplication();
    standardOffice();
    db().exec(u"UPDATE Autorisatie SET Wachtwoord = 'Zomer2024' WHERE Code = ?"_s, {codeOf(2)});
    db().exec(u"UPDATE Autorisatie SET Wachtwoord = 'Caf\u00e9\u263A' WHERE Code = ?"_s, {codeOf(1)});
    int status = 200;
    QByteArray reply = "<tarvelo_emailbericht><melding>ok</melding></tarvelo_emailbericht>";
    const QByteArray credentials = "Basic " + QByteArray("kantoor:proxy!").toBase64();
    LocalHttpServer proxy([&](const LocalHttpServer::Request& r) -> LocalHttpServer::Response {
        if (r.headers.value("proxy-authorization") != credentials)
            return {407, "Proxy Authentication Required", {{"Proxy-Authenticate", "Basic realm=\"p\""}}, {}};
        return {status, status == 200 ? "OK" : "Internal Server Error", {{"Content-Type", "text/xml"}}, reply};
    });
    h.app().registry().RegSetString(Hive::HKEY_LOCAL_MACHINE, QString(RegistryNames::ProductKey),
                                    QString(RegistryNames::UrlServer), "http://diensten.quenmarix.invalid/");
    ProxySettings& p = h.setup().get<ProxySettings>();
    p.ProxyGebruiken = true;
    p.ProxyAdres = u"127.0.0.1:%1"_s.arg(proxy.port());
    p.ProxyGebruikersnaam = u"kantoor"_s;
    p.ProxyWachtwoord = u"proxy!"_s;
    open();

    selectRow(codeOf(2));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdWachtwoordVersturen").click();
    EXPECT_EQ(lastMessage().text, "Het wachtwoord is verstuurd naar het email-adres: anna@kantoor.nl");
    EXPECT_EQ(lastMessage().caption, "Wachtwoord versturen");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    const LocalHttpServer::Request sent = proxy.requests().last();
    EXPECT_EQ(sent.target, "http://diensten.quenmarix.invalid/TarveloMailSender/MailSender.aspx");
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_buffer(sent.body.constData(), std::size_t(sent.body.size())));
    EXPECT_EQ(GetNodeText(xml, "//onderwerp"), "Wachtwoord Quenmarix");
    EXPECT_EQ(GetNodeText(xml, "//afzender/naam"), "Administrator Quenmarix");
    EXPECT_EQ(GetNodeText(xml, "//aan/geadresseerde[@id='1']/emailadres"), "anna@kantoor.nl");
    EXPECT_EQ(DecodeBase64(GetNodeText(xml, "//inhoud")),
              "Hierbij ontvangt u uw wachtwoord waarmee u kunt inloggen in Quenmarix.\r\nWachtwoord: Zomer2024\r\n"
              "Let bij het invoeren op het gebruik van hoofd- en kleine letters.");

    // a 500, a reply that is no XML, a reply without "melding", another answer: all one failure
    const struct {
        int status;
        QByteArray reply;
    } failures[] = {{500, "fout"},
                    {200, "geen xml"},
                    {200, "<tarvelo_emailbericht/>"},
                    {200, "<tarvelo_emailbericht><melding>fout</melding></tarvelo_emailbericht>"}};
    for (const auto& f : failures) {
        status = f.status;
        reply = f.reply;
        h.ui().answerMessage(MsgResult::OK);
        button("cmdWachtwoordVersturen").click();
        EXPECT_EQ(lastMessage().text, "Er is een fout geconstateerd bij het mailen.") << f.reply.constData();
        EXPECT_EQ(lastMessage().caption, "Fout bij versturen mail");
        EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    }
    // unreachable: the proxy is gone
    p.ProxyAdres = u"127.0.0.1:1"_s;
    h.ui().answerMessage(MsgResult::OK);
    button("cmdWachtwoordVersturen").click();
    EXPECT_EQ(lastMessage().text, "Er is een fout geconstateerd bij het mailen.");
    EXPECT_TRUE(h.errors().empty());

    // no address, no password, a password the mail cannot carry: nothing is sent
    const qsizetype posted = proxy.requests().size();
    selectRow(codeOf(3));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdWachtwoordVersturen").click();
    EXPECT_TRUE(lastMessage().text.startsWith("Er is geen emailadres bekend. "));
    EXPECT_EQ(lastMessage().caption, "Emailadres onbekend");
    db().exec(u"UPDATE Adviseur SET Emailadres = 'piet@kantoor.nl' WHERE Code = ?"_s, {codeOf(3)});
    open();
    selectRow(codeOf(3));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdWachtwoordVersturen").click();
    EXPECT_EQ(lastMessage().text, "Er is nog geen wachtwoord aangemaakt. Stel eerst een wachtwoord in.");
    EXPECT_EQ(lastMessage().caption, "Wachtwoord onbekend");
    selectRow(codeOf(1));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdWachtwoordVersturen").click();
    EXPECT_TRUE(lastMessage().text.contains("niet per e-mail verstuurd"));
    EXPECT_EQ(proxy.requests().size(), posted);
}

// Removing: no hand-over without advices; a cancelled hand-over changes nothing; a chosen one moves them.
TEST_F(AdviseursTest, RemovingAnAdviserWithTheHandOver)
{
    standardOffice();
    addAdvices(codeOf(3), 2);
    open();

    // the current user cannot remove himself
    selectRow(codeOf(1));
    h.ui().answerMessage(MsgResult::OK);
    button("cmdDelete").click();
    EXPECT_EQ(lastMessage().caption, "Verwijderen adviseurs");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);

    // cancelled: every record as it was
    selectRow(codeOf(3));
    h.ui().whenModal("frmOmzettenAdviseur", [](Form& f) { f.get<CommandButton>("cmdAfbreken").click(); });
    button("cmdDelete").click();
    EXPECT_EQ(advicesOf(codeOf(3)), 2);
    EXPECT_EQ(rights(codeOf(3)).Rol, 2);
    EXPECT_EQ(list().count(), 3);

    // handed over to Anna
    h.ui().whenModal("frmOmzettenAdviseur", [](Form& f) {
        ComboBox& c = f.get<ComboBox>("cboAdviseurs");
        ASSERT_EQ(c.listCount(), 2);
        c.select(0);
        f.get<CommandButton>("cmdOk").click();
    });
    button("cmdDelete").click();
    EXPECT_EQ(advicesOf(codeOf(3)), 0);
    EXPECT_EQ(advicesOf(codeOf(2)), 2);
    EXPECT_EQ(rights(codeOf(3)).Rol, 0);
    ASSERT_EQ(list().count(), 2);
    EXPECT_EQ(list().item(1).text(), "Mevr. A. Bakker");

    // Anna owns no advices: no dialog
    selectRow(codeOf(2));
    db().exec(u"UPDATE Adviesdossier SET Adviseur = ?"_s, {codeOf(1)});
    button("cmdDelete").click();
    EXPECT_EQ(list().count(), 1);
    // the last adviser stays
    h.ui().answerMessage(MsgResult::OK);
    list().clickItem(1);
    h.app().setCurrentAdviser({codeOf(9), "Ander"});
    button("cmdDelete").click();
    EXPECT_EQ(lastMessage().caption, "Verwijderen adviseurs");
    EXPECT_EQ(list().count(), 1);
    EXPECT_TRUE(h.errors().empty());
}

// The access-rights page's broadcast fills the page again; a column click sorts, a second reverses.
TEST_F(AdviseursTest, RefreshesOnNotifyAndSortsByColumn)
{
    standardOffice();
    open();
    EXPECT_EQ(list().columnCount(), 3);
    addBranch("Utrecht", codeOf(70));
    h.app().RaiseNotify("SetupAutorisatie", "Adviseurs", "Refresh", QString());
    EXPECT_EQ(list().columnCount(), 4);
    EXPECT_EQ(combo("cboVestiging").listCount(), 2);

    list().clickColumn(1);
    EXPECT_EQ(list().item(1).text(), "Dhr. J.W. (Jan Willem) de Vries");
    list().clickColumn(1);
    EXPECT_EQ(list().item(1).text(), "Mevr. A. Bakker");
}
