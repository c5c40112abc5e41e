#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
struct SetupProxyTest : PageTest {
    SettingsPage& open() { return h.open("SetupProxy"); }
    CheckBox& chk(const char* name) { return h.control<CheckBox>(name); }
    TextBox& txt(const char* name) { return h.control<TextBox>(name); }
    ComboBox& cbo() { return h.control<ComboBox>("cboUpdateTermijn"); }
};
} // namespace

// The page must show every caption exactly and lay its frames out one below the other.
TEST_F(SetupProxyTest, CaptionsTitleAndLayout)
{
    auto& page = open();
    EXPECT_EQ(page.Titel(), "Algemeen");
    EXPECT_EQ(h.control<Frame>("fraUpdate").caption(), "Quenmarix update");
    EXPECT_EQ(chk("chkAutoDownload").caption(), "Updates automatisch downloaden");
    EXPECT_EQ(h.control<Label>("lblUpdate").caption(), "Zoeken naar updates");
    EXPECT_EQ(chk("chkAutomatischOpslaan").caption(), "Automatisch opslaan");
    EXPECT_EQ(h.control<Label>("lblSetupAlgemeen", 0).caption(), "Elke");
    EXPECT_EQ(h.control<Label>("lblSetupAlgemeen", 1).caption(), "minuten advies automatisch opslaan");
    EXPECT_EQ(chk("chkProxy").caption(), "Proxy-instellingen gebruiken");
    EXPECT_EQ(h.control<Label>("lblProxy", 0).caption(), "Proxyserveradres");
    EXPECT_EQ(h.control<Label>("lblProxy", 1).caption(), "Gebruikersnaam");
    EXPECT_EQ(h.control<Label>("lblProxy", 2).caption(), "Wachtwoord");
    EXPECT_EQ(h.control<Label>("lblUitleg").caption(),
              "Mocht uw internetverbinding via een proxy-server lopen, dan kunt u hier de proxy-server gegevens "
              "invullen. Deze gegevens zijn op te vragen bij uw systeembeheerder.");
    QStringList items;
    for (int i = 0; i < cbo().listCount(); ++i)
        items << u"%1=%2"_s.arg(cbo().list(i)).arg(cbo().itemData(i));
    EXPECT_EQ(items, (QStringList{"Dagelijks=1", "Wekelijks=7", "2-Wekelijks=14", "Maandelijks=30"}));

    auto& update = h.control<Frame>("fraUpdate");
    auto& autosave = h.control<Frame>("fraAutoSave");
    auto& proxy = h.control<Frame>("fraProxy");
    EXPECT_EQ(update.top(), 0);
    EXPECT_EQ(autosave.top(), update.bottom() + 60);
    EXPECT_EQ(proxy.top(), autosave.bottom() + 60);
    EXPECT_EQ(proxy.width(), update.width());
    EXPECT_EQ(h.form().height(), proxy.bottom());
    EXPECT_EQ(h.form().width(), update.right());
    // every control lies inside its frame
    for (Control* c : h.form().controls()) {
        if (c->parent() == &h.form())
            continue;
        SCOPED_TRACE(str(c->name()));
        EXPECT_LE(c->right(), c->parent()->width());
        EXPECT_LE(c->bottom(), c->parent()->height());
    }
}

// Stored values must appear in the controls; stored zeros become the defaults in Setup at once.
TEST_F(SetupProxyTest, FillShowsSettingsAndWritesDefaultsBack)
{
    h.setup().get<UpdateSettings>().UpdateTermijn = 0;
    h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten = 0;
    h.setup().get<AutosaveSettings>().AutomatischOpslaan = true;
    h.setup().get<UpdateSettings>().AutoDownload = true;
    h.setup().get<ProxySettings>().ProxyGebruiken = true;
    h.setup().get<ProxySettings>().ProxyAdres = u"proxy.kantoor.local:3128"_s;
    h.setup().get<ProxySettings>().ProxyGebruikersnaam = u"jansen"_s;
    h.setup().get<ProxySettings>().ProxyWachtwoord = u"geheim\"'"_s;
    open();
    EXPECT_EQ(cbo().text(), "Dagelijks");
    EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), 1);
    EXPECT_EQ(txt("txtAutomatischOpslaanMinuten").text(), "10");
    EXPECT_EQ(qint16(h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten), 10);
    EXPECT_TRUE(chk("chkAutomatischOpslaan").isChecked());
    EXPECT_TRUE(chk("chkAutoDownload").isChecked());
    EXPECT_TRUE(chk("chkProxy").isChecked());
    EXPECT_EQ(txt("txtProxyadres").text(), "proxy.kantoor.local:3128");
    EXPECT_EQ(txt("txtGebruikersnaam").text(), "jansen");
    EXPECT_EQ(txt("txtWachtwoord").text(), "geheim\"'");
    EXPECT_TRUE(txt("txtProxyadres").enabled()); // the fill's Click applied the enable rule
    EXPECT_TRUE(txt("txtAutomatischOpslaanMinuten").enabled());
    EXPECT_TRUE(h.errors().empty());
}

// The stored interval decides the selection; an unknown one leaves none and is not changed;
// opening the page never postpones the planned update check.
TEST_F(SetupProxyTest, StoredIntervalSelectsItsItem)
{
    struct Case {
        qint16 stored;
        const char* shown;
        qint16 after;
    };
    for (const Case c : {Case{7, "Wekelijks", 7}, {14, "2-Wekelijks", 14}, {30, "Maandelijks", 30}, {3, "", 3}}) {
        SCOPED_TRACE(c.stored);
        h.setup().get<UpdateSettings>().UpdateTermijn = c.stored;
        h.setup().get<UpdateSettings>().VolgendeUpdate = QDate(2020, 1, 1);
        h.setup().get<UpdateSettings>().UpdateVlag = 1;
        open();
        EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateVlag), 1);
        EXPECT_EQ(cbo().text(), c.shown);
        EXPECT_EQ(cbo().listIndex() == -1, QString(c.shown).isEmpty());
        EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), c.after);
        EXPECT_EQ(h.setup().get<UpdateSettings>().VolgendeUpdate.get(), QDate(2020, 1, 1));
    }
}

// Choosing an interval stores it, clears the flag and plans the next check in calendar days.
TEST_F(SetupProxyTest, ChoosingAnIntervalPlansTheNextCheck)
{
    struct Case {
        QDate today;
        const char* choice;
        qint16 days;
        QDate next;
    };
    const Case cases[] = {
        {QDate(2027, 1, 31), "Maandelijks", 30, QDate(2027, 3, 2)}, // a common year: not the end of February
        {QDate(2028, 1, 31), "Maandelijks", 30, QDate(2028, 3, 1)}, // a leap year
        {QDate(2026, 12, 28), "Wekelijks", 7, QDate(2027, 1, 4)},
        {QDate(2026, 12, 6), "2-Wekelijks", 14, QDate(2026, 12, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        h.setup().get<UpdateSettings>().UpdateTermijn = 1;
        h.setup().get<UpdateSettings>().UpdateVlag = 1;
        h.app().setSysteemDatum(c.today);
        open();
        ASSERT_TRUE(cbo().choose(c.choice));
        EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), c.days);
        EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateVlag), 0);
        EXPECT_EQ(h.setup().get<UpdateSettings>().VolgendeUpdate.get(), c.next);
    }
}

// Each check box writes its setting at once; autosave switches the minutes box and both labels.
TEST_F(SetupProxyTest, CheckBoxesWriteBackAndEnableRules)
{
    h.setup().get<AutosaveSettings>().AutomatischOpslaan = false;
    h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten = 15;
    open();
    auto& minutes = txt("txtAutomatischOpslaanMinuten");
    EXPECT_FALSE(minutes.enabled());
    EXPECT_FALSE(h.control<Label>("lblSetupAlgemeen", 0).enabled());
    EXPECT_FALSE(h.control<Label>("lblSetupAlgemeen", 1).enabled());
    EXPECT_EQ(minutes.text(), "15"); // disabled but keeping its value

    chk("chkAutomatischOpslaan").click();
    EXPECT_TRUE(h.setup().get<AutosaveSettings>().AutomatischOpslaan);
    EXPECT_TRUE(minutes.enabled());
    EXPECT_TRUE(h.control<Label>("lblSetupAlgemeen", 1).enabled());

    chk("chkAutoDownload").click();
    EXPECT_TRUE(h.setup().get<UpdateSettings>().AutoDownload);
    chk("chkAutoDownload").click();
    EXPECT_FALSE(h.setup().get<UpdateSettings>().AutoDownload);
}

// The minutes are stored as typed; bad text is reported with its number and the last good value stays.
TEST_F(SetupProxyTest, MinutesTextConversionAndErrors)
{
    h.setup().get<AutosaveSettings>().AutomatischOpslaan = true;
    h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten = 20;
    open();
    auto& minutes = txt("txtAutomatischOpslaanMinuten");
    minutes.type("45");
    EXPECT_EQ(qint16(h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten), 45); // written on the change already
    EXPECT_TRUE(minutes.leave());

    struct Case {
        const char* text;
        const char* number;
    };
    for (const Case c : {Case{"", "13"}, {"tien", "13"}, {"32768", "6"}, {"5a", "13"}}) {
        SCOPED_TRACE(c.text);
        const std::size_t before = h.errors().size();
        minutes.type(QString::fromUtf8(c.text));
        EXPECT_EQ(h.errors().size(), before); // nothing reported while typing
        minutes.leave();
        ASSERT_EQ(h.errors().size(), before + 1);
        const ErrorReport& r = h.errors().back();
        EXPECT_EQ(r.ProcedureName, "txtAutomatischOpslaanMinuten_Validation");
        EXPECT_EQ(r.ErrorNumber, c.number);
        EXPECT_EQ(r.Context, "Instellingen - Algemeen");
        EXPECT_EQ(r.ComponentName, "SetupProxy");
        EXPECT_EQ(qint16(h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten), 45);
    }
    minutes.type("32767");
    minutes.leave();
    EXPECT_EQ(qint16(h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten), 32767);
}

// Unticking the proxy erases all three fields at once; ticking again does not bring them back.
TEST_F(SetupProxyTest, ProxyFieldsFollowTheBoxAndAreErased)
{
    h.setup().get<ProxySettings>().ProxyGebruiken = false;
    open();
    auto& proxy = chk("chkProxy");
    for (const char* name : {"txtProxyadres", "txtGebruikersnaam", "txtWachtwoord"})
        EXPECT_FALSE(txt(name).enabled()) << name;
    EXPECT_FALSE(txt("txtProxyadres").type("x")); // a disabled box takes no typing

    proxy.click();
    EXPECT_TRUE(h.setup().get<ProxySettings>().ProxyGebruiken);
    EXPECT_TRUE(h.control<Label>("lblProxy", 2).enabled());
    txt("txtProxyadres").type("10.0.0.1:8080");
    txt("txtGebruikersnaam").type("o'brien");
    txt("txtWachtwoord").type("p@ss \"x\"");
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), "10.0.0.1:8080");
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyGebruikersnaam.get(), "o'brien");
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyWachtwoord.get(), "p@ss \"x\"");

    proxy.click();
    EXPECT_FALSE(h.setup().get<ProxySettings>().ProxyGebruiken);
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), "");
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyGebruikersnaam.get(), "");
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyWachtwoord.get(), "");
    EXPECT_EQ(txt("txtWachtwoord").text(), "");
    EXPECT_FALSE(txt("txtGebruikersnaam").enabled());
    EXPECT_FALSE(h.control<Label>("lblProxy", 0).enabled());

    proxy.click();
    EXPECT_EQ(h.setup().get<ProxySettings>().ProxyAdres.get(), "");
    EXPECT_EQ(txt("txtProxyadres").text(), "");
}

// A fault inside a traced procedure is reported with the page's context and the page keeps working.
TEST_F(SetupProxyTest, FaultInTracedProcedureIsReportedWithPageContext)
{
    open();
    h.app().setSysteemDatum(u"31-02-2027"_s);
    cbo().choose("Wekelijks");
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "cboUpdateTermijn_Click");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "13");
    EXPECT_FALSE(h.errors()[0].fromControl);
    EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), 7); // written before the error, kept
    h.app().setSysteemDatum(QDate(2027, 2, 1));
    cbo().choose("Dagelijks");
    EXPECT_EQ(h.setup().get<UpdateSettings>().VolgendeUpdate.get(), QDate(2027, 2, 2));

    // A missing settings object is a fault the page can meet; the fill reports it.
    auto fresh = h.registry().create("SetupProxy");
    fresh->setApplication(h.app());
    ASSERT_EQ(h.errors().size(), 2u);
    EXPECT_EQ(h.errors()[1].ProcedureName, "Fill_Screen");
    EXPECT_EQ(h.errors()[1].Context, "Instellingen - Algemeen");
    EXPECT_EQ(h.errors()[1].ErrorNumber, "91");
    // the attached page still works
    chk("chkAutoDownload").click();
    EXPECT_TRUE(h.setup().get<UpdateSettings>().AutoDownload);
}
