#include "framework/errors/RuntimeError.h"
#include "tests/support/PageTest.h"

using namespace tarvelo;
using namespace tarvelo::testing;

using AllPages = PageTest;

// Every registered page must open by its name as the window does, fill without errors and say its title.
TEST_F(AllPages, EveryRegisteredPageOpensCleanly)
{
    ASSERT_FALSE(h.registry().pages().empty());
    for (const PageInfo& info : h.registry().pages()) {
        SCOPED_TRACE(str(info.className));
        auto& page = h.open(info.className);
        EXPECT_EQ(page.componentName(), info.className);
        EXPECT_EQ(page.Titel(), info.title);
        EXPECT_FALSE(info.group.isEmpty());
        EXPECT_GT(h.form().width(), 0);
        EXPECT_GT(h.form().height(), 0);
        EXPECT_TRUE(h.errors().empty()) << str(h.errors().empty() ? QString() : h.errors().front().ErrorDescription);
    }
    EXPECT_THROW(h.open("SetupBestaatNiet"), RuntimeError);
}
