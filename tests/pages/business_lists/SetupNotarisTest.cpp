#include "framework/forms/AddressControl.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/NotarisSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

NotarisRecord notary(const char* naam, const char* geslacht = "M")
{
    NotarisRecord r;
    r.Naam = QString::fromUtf8(naam);
    r.Straat = u"Utrechtseweg"_s;
    r.Huisnummer = 41;
    r.Postcode = u"3811 NB"_s;
    r.Woonplaats = u"Amersfoort"_s;
    r.Telefoon = u"033 - 123 45 67"_s;
    r.Geslacht = QString::fromLatin1(geslacht);
    r.Voorletters = u"H."_s;
    r.Voorvoegsel = u"van den"_s;
    r.Achternaam = u"Berg"_s;
    return r;
}

struct SetupNotarisTest : PageTest {
    NotarisSettings& notarissen() { return h.setup().get<NotarisSettings>(); }
    void seed(std::initializer_list<NotarisRecord> records)
    {
        for (const NotarisRecord& r : records)
            notarissen().AddNotaris() = r;
    }
    SettingsPage& open() { return h.open("SetupNotaris"); }
    ListView& list() { return h.control<ListView>("lstNotaris"); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
    QStringList rows()
    {
        QStringList all;
        for (int i = 1; i <= list().count(); ++i)
            all << list().item(i).key() + QLatin1Char('=') + list().item(i).text();
        return all;
    }
    static TextBox& txt(Form& f, const char* name) { return f.get<TextBox>(name); }
    static AddressControl& address(Form& f) { return f.get<AddressControl>("AdresGegevens"); }
    static OptionButton& gender(Form& f, int i) { return f.get<OptionButton>("optGeslachtNotaris", i); }
    static void ok(Form& f) { f.get<CommandButton>("cmdOK").click(); }
};

} // namespace

// An empty list shows only its header; edit and remove cannot be used then.
TEST_F(SetupNotarisTest, EmptyListShowsTheHeaderOnly)
{
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Notariskantoren");
    ASSERT_EQ(list().columnCount(), 1);
    EXPECT_EQ(list().column(1).text, "Notariskantoor");
    EXPECT_EQ(list().count(), 0);
    EXPECT_TRUE(button("cmdToevoegenNotaris").enabled());
    EXPECT_FALSE(button("cmdBewerkenNotaris").enabled());
    EXPECT_FALSE(button("cmdVerwijderenNotaris").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// Each office is listed by name under "n" + its index, the first selected and both buttons usable.
TEST_F(SetupNotarisTest, ListsTheOfficesKeyedByIndex)
{
    seed({notary("Notariskantoor Van den Berg"), notary("Notarissen aan de Gracht"), notary("Notariaat O'Brien")});
    open();
    EXPECT_EQ(rows(),
              (QStringList{"n1=Notariskantoor Van den Berg", "n2=Notarissen aan de Gracht", "n3=Notariaat O'Brien"}));
    ASSERT_NE(list().selectedItem(), nullptr);
    EXPECT_EQ(list().selectedItem()->key(), "n1");
    EXPECT_TRUE(button("cmdBewerkenNotaris").enabled());
    EXPECT_TRUE(button("cmdVerwijderenNotaris").enabled());
    EXPECT_LE(h.form().width(), 5325) << "it fits where the company overview hosts it";
    EXPECT_LE(h.form().height(), 5685);
}

// A new office gets every field as typed (postcode tidied), is listed and selected, and the host hears of it.
TEST_F(SetupNotarisTest, AddingStoresEveryField)
{
    seed({notary("Notariskantoor Van den Berg")});
    open();
    QString caption;
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        caption = f.caption();
        txt(f, "txtNaamNotaris").type(u"Notariaat Het Eemhuis"_s);
        address(f).type({u"Eemplein"_s, u"7"_s, u"bis"_s, u"3812ea"_s, u"Amersfoort"_s});
        txt(f, "txtTelefoonNotaris").type(u"033 - 465 00 00"_s);
        gender(f, 1).click();
        txt(f, "txtVoorlettersNotaris").type(u"E.J."_s);
        txt(f, "txtVoorvoegselNotaris").type(u"van 't"_s);
        txt(f, "txtAchternaamNotaris").type(u"Mulder"_s);
        ok(f);
    });
    button("cmdToevoegenNotaris").click();
    EXPECT_EQ(caption, "Toevoegen notariskantoor");
    ASSERT_EQ(notarissen().Notarissen.count(), 2);
    const NotarisRecord& added = *notarissen().Notaris(2);
    EXPECT_EQ(added.Naam, "Notariaat Het Eemhuis");
    EXPECT_EQ(added.Straat, "Eemplein");
    EXPECT_EQ(added.Huisnummer, 7);
    EXPECT_EQ(added.Toevoeging, "bis");
    EXPECT_EQ(added.Postcode, "3812 EA");
    EXPECT_EQ(added.Woonplaats, "Amersfoort");
    EXPECT_EQ(added.Telefoon, "033 - 465 00 00");
    EXPECT_EQ(added.Geslacht, "V");
    EXPECT_EQ(added.Voorletters, "E.J.");
    EXPECT_EQ(added.Voorvoegsel, "van 't");
    EXPECT_EQ(added.Achternaam, "Mulder");
    EXPECT_EQ(h.app().setupChangedCount(), 1);
    EXPECT_EQ(rows(), (QStringList{"n1=Notariskantoor Van den Berg", "n2=Notariaat Het Eemhuis"}));
}

// Cancelling, by the button or the close box, adds no record, not even an empty one.
TEST_F(SetupNotarisTest, CancelledDialogAddsNothing)
{
    open();
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Half ingevuld"_s);
        f.get<CommandButton>("cmdCancel").click();
    });
    button("cmdToevoegenNotaris").click();
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Half ingevuld"_s);
        f.hide(); // the close box
    });
    button("cmdToevoegenNotaris").click();
    EXPECT_EQ(notarissen().Notarissen.count(), 0);
    EXPECT_EQ(list().count(), 0);
    EXPECT_EQ(h.app().setupChangedCount(), 0);
}

// Editing, by button or double click, shows the stored office and writes the changes into the same record.
TEST_F(SetupNotarisTest, EditingLoadsAndWritesTheSameRecord)
{
    seed({notary("Notariskantoor Van den Berg"), notary("Notarissen aan de Gracht", "V")});
    open();
    list().clickItem(2);
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        EXPECT_EQ(f.caption(), "Bewerken notariskantoor");
        EXPECT_EQ(txt(f, "txtNaamNotaris").text(), "Notarissen aan de Gracht");
        EXPECT_EQ(address(f).address(), (Address{"Utrechtseweg", "41", "", "3811 NB", "Amersfoort"}));
        EXPECT_TRUE(gender(f, 1).value());
        EXPECT_FALSE(gender(f, 0).value());
        EXPECT_EQ(txt(f, "txtVoorvoegselNotaris").text(), "van den");
        txt(f, "txtNaamNotaris").type(u"Notarissen aan de Oudegracht"_s);
        gender(f, 0).click();
        ok(f);
    });
    button("cmdBewerkenNotaris").click();
    EXPECT_EQ(notarissen().Notaris(2)->Naam, "Notarissen aan de Oudegracht");
    EXPECT_EQ(notarissen().Notaris(2)->Geslacht, "M");
    EXPECT_EQ(notarissen().Notarissen.count(), 2);

    list().clickItem(2);
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        EXPECT_EQ(txt(f, "txtNaamNotaris").text(), "Notarissen aan de Oudegracht");
        txt(f, "txtTelefoonNotaris").type(u"030 - 111 22 33"_s);
        ok(f);
    });
    list().doubleClick();
    EXPECT_EQ(notarissen().Notaris(2)->Telefoon, "030 - 111 22 33");
    EXPECT_EQ(notarissen().Notaris(1)->Telefoon, "033 - 123 45 67");
    EXPECT_EQ(h.app().setupChangedCount(), 2);
}

// After a notary is added, edited or removed the list is filled again as at the start: the first row is
// selected and edit and remove can be used.
TEST_F(SetupNotarisTest, AfterAChangeTheFirstRowIsSelected)
{
    seed({notary("Eerste"), notary("Tweede"), notary("Derde")});
    open();
    const auto expectFirstSelected = [&](const char* after) {
        SCOPED_TRACE(after);
        ASSERT_NE(list().selectedItem(), nullptr);
        EXPECT_EQ(list().selectedItem()->key(), "n1");
        EXPECT_TRUE(button("cmdBewerkenNotaris").enabled());
        EXPECT_TRUE(button("cmdVerwijderenNotaris").enabled());
    };
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Vierde"_s);
        address(f).type({"Hessenweg", "15", "", "3831 AA", "Leusden"});
        ok(f);
    });
    button("cmdToevoegenNotaris").click();
    expectFirstSelected("toevoegen");

    list().clickItem(3);
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Derde kantoor"_s);
        ok(f);
    });
    button("cmdBewerkenNotaris").click();
    expectFirstSelected("bewerken");

    list().clickItem(3);
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdVerwijderenNotaris").click();
    expectFirstSelected("verwijderen");
    EXPECT_EQ(rows(), (QStringList{"n1=Eerste", "n2=Tweede", "n3=Vierde"}));
}

// Fields the user did not touch are written back exactly as they were stored; only what was typed is tidied.
TEST_F(SetupNotarisTest, UntouchedFieldsAreWrittenBackAsStored)
{
    NotarisRecord stored = notary(" Notariaat De Hof ");
    stored.Postcode = u"1234AB"_s;
    stored.Toevoeging = u" a"_s;
    stored.Achternaam = u"Berg "_s;
    seed({stored});
    open();
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtTelefoonNotaris").type(u"033 - 222 33 44"_s);
        ok(f);
    });
    button("cmdBewerkenNotaris").click();
    NotarisRecord expected = stored;
    expected.Telefoon = u"033 - 222 33 44"_s;
    EXPECT_EQ(*notarissen().Notaris(1), expected);

    // a postcode the user does change is written the Dutch way
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        Address a = address(f).address();
        a.postcode = u"1234ac"_s;
        address(f).type(a);
        ok(f);
    });
    button("cmdBewerkenNotaris").click();
    expected.Postcode = u"1234 AC"_s;
    EXPECT_EQ(*notarissen().Notaris(1), expected);
}

// A notary stored without a gender keeps none when edited, unless the user chooses one.
TEST_F(SetupNotarisTest, MissingGenderStaysMissingUnlessChosen)
{
    seed({notary("Notaris Hoogland", "")});
    open();
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        EXPECT_FALSE(gender(f, 0).value());
        EXPECT_FALSE(gender(f, 1).value());
        txt(f, "txtTelefoonNotaris").type(u"033 - 999 99 99"_s);
        ok(f);
    });
    button("cmdBewerkenNotaris").click();
    EXPECT_EQ(notarissen().Notaris(1)->Geslacht, "");
    EXPECT_EQ(notarissen().Notaris(1)->Telefoon, "033 - 999 99 99");

    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Nieuw kantoor"_s);
        address(f).type({"Hessenweg", "15", "", "3831 AA", "Leusden"});
        ok(f);
    });
    button("cmdToevoegenNotaris").click();
    EXPECT_EQ(notarissen().Notaris(2)->Geslacht, "");
}

// A missing name or an incomplete address is told in Dutch and keeps the dialog open; nothing is written.
TEST_F(SetupNotarisTest, InvalidInputKeepsTheDialogOpen)
{
    open();
    for (int i = 0; i < 3; ++i)
        h.ui().answerMessage(MsgResult::OK);
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        ok(f);
        EXPECT_TRUE(f.visible());
        txt(f, "txtNaamNotaris").type(u"Notariaat Leusden"_s);
        ok(f);
        EXPECT_TRUE(f.visible());
        address(f).type({"Hessenweg", "15", "", "38311", "Leusden"});
        ok(f);
        EXPECT_TRUE(f.visible());
        EXPECT_EQ(notarissen().Notarissen.count(), 0);
        address(f).type({"Hessenweg", "15", "", "3831 aa", "Leusden"});
        ok(f);
        EXPECT_FALSE(f.visible());
    });
    button("cmdToevoegenNotaris").click();
    const auto& shown = h.ui().messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Vul de naam van het notariskantoor in.");
    EXPECT_EQ(shown[1].text, "Vul de straat in.");
    EXPECT_EQ(shown[2].text, "Vul een geldige postcode in (bijvoorbeeld 1234 AB).");
    for (const auto& m : shown) {
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.caption, "Toevoegen notariskantoor");
    }
    ASSERT_EQ(notarissen().Notarissen.count(), 1);
    EXPECT_EQ(notarissen().Notaris(1)->Postcode, "3831 AA");
}

// Removing asks first; after removing the second of three, the former third is listed second as "n2".
TEST_F(SetupNotarisTest, RemovingAsksAndRenumbers)
{
    seed({notary("Eerste"), notary("Tweede"), notary("Derde")});
    open();
    list().clickItem(2);
    h.ui().answerMessage(MsgResult::No);
    button("cmdVerwijderenNotaris").click();
    EXPECT_EQ(notarissen().Notarissen.count(), 3);
    EXPECT_EQ(h.app().setupChangedCount(), 0);

    h.ui().answerMessage(MsgResult::Yes);
    button("cmdVerwijderenNotaris").click();
    const auto& asked = h.ui().messages().back();
    EXPECT_EQ(asked.text, "Wilt u notariskantoor 'Tweede' verwijderen?");
    EXPECT_EQ(asked.caption, "Verwijderen notariskantoor");
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(rows(), (QStringList{"n1=Eerste", "n2=Derde"}));
    EXPECT_EQ(h.app().setupChangedCount(), 1);

    // the former third office is now edited under its new index
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        EXPECT_EQ(txt(f, "txtNaamNotaris").text(), "Derde");
        f.hide();
    });
    list().clickItem(2);
    button("cmdBewerkenNotaris").click();
}

// The offices survive saving and opening the office again, every field intact.
TEST_F(SetupNotarisTest, OfficesSurviveSaveAndReload)
{
    seed({notary("Notariaat O'Brien \"&\" Zn."), notary("Notaris Hoogland", "")});
    h.app().saveSettings();
    ScriptedUi otherUi;
    ReferenceApplication reopened(otherUi, h.folder());
    const NotarisSettings& stored = reopened.SettingsObject().get<NotarisSettings>();
    ASSERT_EQ(stored.Notarissen.count(), 2);
    EXPECT_EQ(*stored.Notaris(1), *notarissen().Notaris(1));
    EXPECT_EQ(*stored.Notaris(2), *notarissen().Notaris(2));
    EXPECT_EQ(stored.Notaris(3), nullptr);
    EXPECT_FALSE(h.app().hasUnsavedChanges());
}

// House numbers the address accepts (up to 99999) are stored whole, not overflowing a 16-bit number.
TEST_F(SetupNotarisTest, LargeHouseNumbersAreKept)
{
    open();
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        txt(f, "txtNaamNotaris").type(u"Notariaat Buitengebied"_s);
        address(f).type({"Polderweg", "40001", "", "1234 AB", "Ergens"});
        ok(f);
    });
    button("cmdToevoegenNotaris").click();
    ASSERT_EQ(notarissen().Notarissen.count(), 1);
    EXPECT_EQ(notarissen().Notaris(1)->Huisnummer, 40001);
    EXPECT_TRUE(h.errors().empty());
    h.ui().whenModal("frmNotaris", [&](Form& f) {
        EXPECT_EQ(address(f).address().huisnummer, "40001");
        f.hide();
    });
    button("cmdBewerkenNotaris").click();
}

// An error in a page procedure is reported once, under the page's short context, and the page stays usable.
TEST_F(SetupNotarisTest, ErrorsAreReportedUnderTheNotaryContext)
{
    seed({notary("Eerste"), notary("Tweede"), notary("Derde")});
    open();
    notarissen().RemoveNotaris(3); // the list changed behind the page's back
    list().clickItem(3);
    h.ui().answerMessage(MsgResult::Yes);
    button("cmdVerwijderenNotaris").click();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "cmdVerwijderenNotaris_Click");
    EXPECT_EQ(h.errors()[0].Context, "Instellingen - Notaris");
    EXPECT_EQ(h.errors()[0].Message, "Er is een fout opgetreden.");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "9");
    EXPECT_EQ(notarissen().Notarissen.count(), 2) << "nothing else was removed";
}
