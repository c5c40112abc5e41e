#include "framework/forms/CheckBox.h"
#include "framework/forms/Label.h"
#include "framework/host/ComponentFactory.h"
#include "framework/settings/IntegrationSettings.h"
#include "tests/support/PageTest.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
const QString Beschikbaar =
    u"Voor de koppeling met Rolls is het noodzakelijk dat u de Rolls software op dezelfde pc installeert als Quenmarix."_s;
const QString NietGevonden = u"Quenmarix heeft geen ge\u00efnstalleerde versie van de Rolls applicatie gevonden."_s;

// Stands in for the Rolls software's component on a computer that has it.
class RollsComponent final : public UserControl {
public:
    RollsComponent(Form& form, const QString& name, int index, Control* parent)
        : UserControl(form, u"kscomkpp.crckRollsComKoppeling"_s, name, index, parent)
    {
    }
};

struct SetupKopRollsTest : PageTest {
    IntegrationSettings& settings() { return h.setup().get<IntegrationSettings>(); }
    CheckBox& chk() { return h.control<CheckBox>("chkKoppeling"); }
    QString hint() { return h.control<Hint>("hntRollsBeschikbaar").text(); }
};
} // namespace

// Without the Rolls software the link must be disabled and switched off, and the hint must say the software is missing.
TEST_F(SetupKopRollsTest, AbsentSoftwareDisablesAndClearsTheLink)
{
    settings().RollsKoppeling = true;
    settings().RollsKantoornummer = u"00123"_s;
    h.open("SetupKopRolls");
    EXPECT_FALSE(chk().enabled());
    EXPECT_FALSE(chk().isChecked());
    EXPECT_FALSE(settings().RollsKoppeling);
    EXPECT_EQ(hint(), Beschikbaar + "\r\n" + NietGevonden);
    EXPECT_EQ(settings().RollsKantoornummer.get(), "00123"); // the office number is kept
    EXPECT_TRUE(h.errors().empty());
    // a component whose creation fails counts as absent too, silently
    h.app().components().add(
        u"kscomkpp.crckRollsComKoppeling"_s,
        [](Form&, const QString&, Control*, int) -> UserControl& { throw std::runtime_error("kan niet starten"); });
    settings().RollsKoppeling = true;
    h.open("SetupKopRolls");
    EXPECT_FALSE(chk().enabled());
    EXPECT_FALSE(settings().RollsKoppeling);
    EXPECT_TRUE(h.errors().empty());
}

// With the Rolls software the link must stay as stored, be usable and switch, and the hint holds one sentence.
TEST_F(SetupKopRollsTest, InstalledSoftwareKeepsTheLink)
{
    h.app().components().add<RollsComponent>();
    settings().RollsKoppeling = true;
    h.open("SetupKopRolls");
    EXPECT_TRUE(chk().enabled());
    EXPECT_TRUE(chk().isChecked());
    EXPECT_TRUE(settings().RollsKoppeling);
    EXPECT_EQ(hint(), Beschikbaar);
    chk().click();
    EXPECT_FALSE(settings().RollsKoppeling);
    // the probe object was released: nothing of it stays on the page
    for (Control* c : h.form().controls())
        EXPECT_NE(c->name(), "objRolls");
}
