#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/Label.h"
#include "framework/settings/UpdateSettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

using SetupUpdatesTest = PageTest;

// The reduced page must carry the same update controls, texts and rules as the full one.
TEST_F(SetupUpdatesTest, FillsAndWritesTheUpdateSettings)
{
    h.setup().get<UpdateSettings>().UpdateTermijn = 0;
    h.setup().get<UpdateSettings>().AutoDownload = true;
    h.app().setSysteemDatum(QDate(2027, 1, 31));
    auto& page = h.open("SetupUpdates");
    EXPECT_EQ(page.Titel(), "Tarvelo Update");
    auto& cbo = h.control<ComboBox>("cboUpdateTermijn");
    auto& chk = h.control<CheckBox>("chkAutoDownload");
    EXPECT_EQ(chk.caption(), "Updates automatisch downloaden");
    EXPECT_EQ(h.control<Label>("lblUpdate").caption(), "Zoeken naar updates");
    EXPECT_EQ(cbo.listCount(), 4);
    EXPECT_EQ(cbo.text(), "Dagelijks");
    EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), 1);
    EXPECT_TRUE(chk.isChecked());
    EXPECT_EQ(h.form().find("fraUpdate"), nullptr); // no frames on this page

    cbo.choose("Maandelijks");
    EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), 30);
    EXPECT_EQ(h.setup().get<UpdateSettings>().VolgendeUpdate.get(), QDate(2027, 3, 2));
    chk.click();
    EXPECT_FALSE(h.setup().get<UpdateSettings>().AutoDownload);
    EXPECT_TRUE(h.errors().empty());
}

// The page traps nothing itself: an error in its handler reaches the host's general handling, not ShowError's trace.
TEST_F(SetupUpdatesTest, UnguardedHandlerErrorGoesToHostGeneralHandling)
{
    h.open("SetupUpdates");
    auto& cbo = h.control<ComboBox>("cboUpdateTermijn");
    // A host date text that is no date makes the handler fail.
    h.app().setSysteemDatum(u"geen datum"_s);
    h.setup().get<UpdateSettings>().VolgendeUpdate = QDate(2026, 1, 1);
    EXPECT_TRUE(cbo.choose("Wekelijks"));
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_TRUE(h.errors()[0].fromControl);
    EXPECT_EQ(h.errors()[0].ComponentName, "SetupUpdates");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "13");
    EXPECT_EQ(h.errors()[0].Context, ""); // this page has no trace of its own
    // it stored what it could before failing
    EXPECT_EQ(qint16(h.setup().get<UpdateSettings>().UpdateTermijn), 7);
    EXPECT_EQ(h.setup().get<UpdateSettings>().VolgendeUpdate.get(), QDate(2026, 1, 1));
    // and the program goes on with the page usable
    EXPECT_TRUE(h.control<CheckBox>("chkAutoDownload").click());
    EXPECT_TRUE(h.setup().get<UpdateSettings>().AutoDownload);
}
