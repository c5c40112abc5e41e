#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "tests/support/PageTest.h"

using namespace tarvelo;

// Numbers typed by users follow the classic conversion: Dutch separators, halves to even, 13 and 6 as errors.
TEST(Conversions, CIntFollowsTheClassicRules)
{
    struct Case {
        const char* text;
        long expected; // or the error number when error is set
        bool error;
    };
    const Case cases[] = {
        {"10", 10, false},       {" 15 ", 15, false}, {"-32768", -32768, false},
        {"32767", 32767, false}, {"2,5", 2, false},   {"3,5", 4, false},
        {"1.000", 1000, false},  {"&H10", 16, false}, {"32768", 6, true},
        {"-32769", 6, true},     {"", 13, true},      {"   ", 13, true},
        {"abc", 13, true},       {"12a", 13, true},   {"99999999999", 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.error) {
            try {
                CInt(QString::fromUtf8(c.text));
                ADD_FAILURE() << "geen fout";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), c.expected);
                EXPECT_EQ(e.source(), "TarveloInstellingen");
            }
        } else {
            EXPECT_EQ(CInt(QString::fromUtf8(c.text)), c.expected);
        }
    }
    EXPECT_EQ(CLng("40000"), 40000);
    EXPECT_EQ(CDate("31-1-2027"), QDate(2027, 1, 31));
    EXPECT_THROW(CDate("31-2-2027"), RuntimeError);
}
