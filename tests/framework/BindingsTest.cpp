#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/host/Settings.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/PageHost.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A page made of bindings only, one of each kind, over the product's own settings.
class BoundPage final : public SettingsPage {
public:
    BoundPage()
        : SettingsPage(u"SetupGebonden"_s),
          fra(add<Frame>(form(), u"fraGebonden"_s, u"Gebonden"_s)),
          chkProxy(add<CheckBox>(fra, u"chkProxy"_s, u"Proxy"_s)),
          lblAdres(add<Label>(fra, u"lblAdres"_s, u"Adres"_s)),
          txtAdres(add<TextBox>(fra, u"txtAdres"_s)),
          txtMinuten(add<TextBox>(fra, u"txtMinuten"_s)),
          cboTermijn(add<ComboBox>(fra, u"cboTermijn"_s)),
          jnDownload(add<YesNo>(fra, u"jnDownload"_s)),
          jnOpslaan(add<YesNo>(fra, u"jnOpslaan"_s)),
          txtGebruiker(add<TextBox>(fra, u"txtGebruiker"_s))
    {
        for (int i = 0; i < 3; ++i) {
            option.push_back(&add<OptionButton>(fra, u"optVlag"_s, QString(), i));
            bit.push_back(&add<CheckBox>(fra, u"chkBit"_s, QString(), i));
        }
        bind(chkProxy, &ProxySettings::ProxyGebruiken).enables({&lblAdres, &txtAdres});
        bind(txtAdres, &ProxySettings::ProxyAdres);
        bind(txtMinuten, &AutosaveSettings::AutomatischOpslaanMinuten).defaultWhenEmpty(10);
        bind(cboTermijn, &UpdateSettings::UpdateTermijn, {{u"Dagelijks"_s, 1}, {u"Wekelijks"_s, 7}})
            .defaultWhenEmpty(1)
            .then([this] { ++followUps; });
        bind(jnDownload, &UpdateSettings::AutoDownload);
        bind(jnOpslaan, &AutosaveSettings::AutomatischOpslaan).inverted();
        bindOptions(option, &UpdateSettings::UpdateVlag, {5, 6, 7}).inGlobalSetup();
        bindBits(bit, &UpdateSettings::UpdateTermijn).inGlobalSetup();
        bind(txtGebruiker, &ProxySettings::ProxyGebruikersnaam).whenLeft().procedure(u"Update_Gebruiker"_s);
    }
    QString Titel() const override { return u"Gebonden"_s; }

    int followUps = 0;
    Frame& fra;
    CheckBox& chkProxy;
    Label& lblAdres;
    TextBox& txtAdres;
    TextBox& txtMinuten;
    ComboBox& cboTermijn;
    YesNo& jnDownload;
    YesNo& jnOpslaan;
    TextBox& txtGebruiker;
    std::vector<OptionButton*> option;
    std::vector<CheckBox*> bit;
};

struct BindingsTest : PageTest {
    BoundPage& open()
    {
        PageRegistry registry;
        registry.add<BoundPage>(PageGroup::Algemeen);
        page = openPage(registry, u"SetupGebonden"_s, h.app());
        return static_cast<BoundPage&>(*page);
    }
    UpdateSettings& updates() { return h.setup().get<UpdateSettings>(); }
    ProxySettings& proxy() { return h.setup().get<ProxySettings>(); }
    AutosaveSettings& autosave() { return h.setup().get<AutosaveSettings>(); }
    std::unique_ptr<SettingsPage> page;
};

} // namespace

// Every kind of binding must show its setting, and stored zeros take the default, written back at once.
TEST_F(BindingsTest, FillShowsEverySettingAndWritesDefaultsBack)
{
    proxy().ProxyGebruiken = true;
    proxy().ProxyAdres = u"proxy:8080"_s;
    updates().AutoDownload = true;
    autosave().AutomatischOpslaan = true;
    h.globalSetup().get<UpdateSettings>().UpdateVlag = 6;
    h.globalSetup().get<UpdateSettings>().UpdateTermijn = 0b101 | 0b1000; // bit 3 has no box
    auto& p = open();

    EXPECT_TRUE(p.chkProxy.isChecked());
    EXPECT_EQ(p.txtAdres.text(), "proxy:8080");
    EXPECT_EQ(p.txtMinuten.text(), "10");
    EXPECT_EQ(qint16(autosave().AutomatischOpslaanMinuten), 10);
    ASSERT_EQ(p.cboTermijn.listCount(), 2);
    EXPECT_EQ(p.cboTermijn.listIndex(), 0);
    EXPECT_EQ(qint16(updates().UpdateTermijn), 1);
    EXPECT_EQ(p.jnDownload.value(), YesNo::Ja);
    EXPECT_EQ(p.jnOpslaan.value(), YesNo::Nee); // inverted
    EXPECT_TRUE(p.option[1]->value());
    EXPECT_FALSE(p.option[0]->value());
    EXPECT_TRUE(p.bit[0]->isChecked());
    EXPECT_FALSE(p.bit[1]->isChecked());
    EXPECT_TRUE(p.bit[2]->isChecked());
    EXPECT_EQ(p.followUps, 0) << "the fill is no change of the user's";
    EXPECT_TRUE(h.errors().empty());
}

// A stored value that no entry carries selects nothing and is not overwritten.
TEST_F(BindingsTest, UnknownComboValueSelectsNothing)
{
    updates().UpdateTermijn = 3;
    auto& p = open();
    EXPECT_EQ(p.cboTermijn.listIndex(), -1);
    EXPECT_EQ(qint16(updates().UpdateTermijn), 3);
}

// Each control must write its own value back the moment the user changes it, into the right object.
TEST_F(BindingsTest, UserChangesWriteBack)
{
    auto& p = open();
    EXPECT_FALSE(p.txtAdres.enabled()); // follows the unticked box from the start
    p.chkProxy.click();
    EXPECT_TRUE(proxy().ProxyGebruiken);
    EXPECT_TRUE(p.txtAdres.enabled());
    EXPECT_TRUE(p.lblAdres.enabled());
    p.txtAdres.type("proxy.kantoor.nl");
    EXPECT_EQ(proxy().ProxyAdres.get(), "proxy.kantoor.nl");

    p.cboTermijn.select(1);
    EXPECT_EQ(qint16(updates().UpdateTermijn), 7);
    EXPECT_EQ(p.followUps, 1);
    p.cboTermijn.select(1); // the same entry again changes nothing
    EXPECT_EQ(p.followUps, 1);

    p.jnDownload.choose(YesNo::Nee);
    EXPECT_FALSE(updates().AutoDownload);
    p.jnOpslaan.choose(YesNo::Nee);
    EXPECT_TRUE(autosave().AutomatischOpslaan);

    p.option[2]->click();
    EXPECT_EQ(qint16(h.globalSetup().get<UpdateSettings>().UpdateVlag), 7);
    EXPECT_EQ(qint16(updates().UpdateVlag), 0) << "the user's own object is untouched";

    h.globalSetup().get<UpdateSettings>().UpdateTermijn = 0b1000;
    p.bit[1]->click();
    // Box 0 shows bit 0 of the declared default (1) since the fill.
    EXPECT_EQ(qint16(h.globalSetup().get<UpdateSettings>().UpdateTermijn), 0b1011)
        << "bits without a box keep their value";

    p.txtGebruiker.type("jan");
    EXPECT_EQ(proxy().ProxyGebruikersnaam.get(), "") << "written when the box is left";
    EXPECT_TRUE(p.txtGebruiker.leave());
    EXPECT_EQ(proxy().ProxyGebruikersnaam.get(), "jan");
    EXPECT_TRUE(h.errors().empty());
}

// A number is stored as typed; a half-typed text waits, and leaving with a bad number is reported once.
TEST_F(BindingsTest, NumericTextStoresGoodNumbersAndReportsBadOnesOnLeaving)
{
    auto& p = open();
    p.txtMinuten.type("25");
    EXPECT_EQ(qint16(autosave().AutomatischOpslaanMinuten), 25);
    p.txtMinuten.type("");
    EXPECT_EQ(qint16(autosave().AutomatischOpslaanMinuten), 25);
    EXPECT_TRUE(h.errors().empty());
    p.txtMinuten.type("40000");
    EXPECT_TRUE(p.txtMinuten.leave());
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "txtMinuten_Validation");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "6");
    EXPECT_EQ(h.errors()[0].Context, "Instellingen - Gebonden");
    EXPECT_EQ(qint16(autosave().AutomatischOpslaanMinuten), 25);
}

// Refilling with other settings must not write the shown values back over them.
// Settings read from outside (another workstation's change) must reach the controls bound to
// them, with their enable rules and markers, silently; a box the user is typing in keeps the
// typed text, which is stored when the user leaves it.
TEST_F(BindingsTest, SettingsReadFromOutsideReachTheirControls)
{
    auto& p = open();
    p.txtGebruiker.setFocus();
    p.txtGebruiker.type(u"typt nog"_s);
    const int followUps = p.followUps;
    ASSERT_FALSE(p.txtAdres.enabled());

    h.setup().fromMap({{u"ProxyGebruiken"_s, true},
                       {u"ProxyAdres"_s, u"proxy.elders"_s},
                       {u"ProxyGebruikersnaam"_s, u"elders"_s},
                       {u"UpdateTermijn"_s, 7}});
    EXPECT_TRUE(p.chkProxy.isChecked());
    EXPECT_TRUE(p.txtAdres.enabled());
    EXPECT_EQ(p.txtAdres.text(), "proxy.elders");
    EXPECT_EQ(p.txtAdres.settingMarker(), SettingMarker::ChangedFromDefault);
    EXPECT_EQ(p.cboTermijn.text(), "Wekelijks");
    EXPECT_EQ(p.followUps, followUps);
    EXPECT_EQ(p.txtGebruiker.text(), "typt nog");
    EXPECT_EQ(proxy().ProxyGebruikersnaam.get(), "elders");
    ASSERT_TRUE(p.txtGebruiker.leave());
    EXPECT_EQ(proxy().ProxyGebruikersnaam.get(), "typt nog");

    // The office's settings reach the controls bound to them there, and only those.
    h.globalSetup().fromMap({{u"UpdateVlag"_s, 7}, {u"ProxyAdres"_s, u"niet van het kantoor"_s}});
    EXPECT_TRUE(p.option[2]->value());
    EXPECT_EQ(p.txtAdres.text(), "proxy.elders");
}

TEST_F(BindingsTest, RefillIsSilent)
{
    auto& p = open();
    p.cboTermijn.select(1);
    const int followUps = p.followUps;
    updates().UpdateTermijn = 1;
    proxy().ProxyAdres = u"ander"_s;
    p.setApplication(h.app());
    EXPECT_EQ(p.cboTermijn.listIndex(), 0);
    EXPECT_EQ(p.txtAdres.text(), "ander");
    EXPECT_EQ(qint16(updates().UpdateTermijn), 1);
    EXPECT_EQ(p.followUps, followUps);
}
