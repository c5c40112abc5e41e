#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/TextBox.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A dialog shared by several pages: it reports under "Generiek" with the long message.
class frmWachtwoordTest final : public Dialog {
public:
    frmWachtwoordTest()
        : Dialog(u"frmWachtwoordTest"_s, ReportTexts::GeneralContext, ReportTexts::MessageWithEllipsis),
          txtWachtwoord(add<TextBox>(*this, u"txtWachtwoord"_s)),
          cmdOK(add<CommandButton>(*this, u"cmdOK"_s)),
          cmdRegel(add<CommandButton>(*this, u"cmdRegel"_s, {}, 0))
    {
        cmdOK.Click.connect([this] { cmdOK_Click(); });
        cmdRegel.Click.connect([this] { cmdRegel_Click(0); });
    }

    void cmdOK_Click()
    {
        guarded([this] {
            if (txtWachtwoord.text().isEmpty())
                throw RuntimeError::invalidProcedureCall();
            close(false);
        });
    }
    void cmdRegel_Click(int index)
    {
        guarded(Index{index}, [this] {
            runningNames = trace().running();
            throw RuntimeError::subscriptOutOfRange();
        });
    }

    QStringList runningNames;
    TextBox& txtWachtwoord;
    CommandButton& cmdOK;
    CommandButton& cmdRegel;
};

} // namespace

// A dialog must report its errors with its own name, its fixed context and message, and stay open and usable.
TEST_F(PageTest, DialogReportsWithItsOwnContext)
{
    frmWachtwoordTest dialog;
    dialog.setApplication(h.app());
    dialog.show();
    dialog.cmdOK.click();
    ASSERT_EQ(h.errors().size(), 1u);
    const ErrorReport& r = h.errors()[0];
    EXPECT_EQ(r.ProcedureName, "cmdOK_Click");
    EXPECT_EQ(r.ComponentName, "frmWachtwoordTest");
    EXPECT_EQ(r.Context, "Generiek");
    EXPECT_EQ(r.Message, "Er is een fout opgetreden...");
    EXPECT_EQ(r.ProductName, "Quenmarix");
    EXPECT_EQ(r.ApplicationTitle, "TarveloInstellingen");
    EXPECT_EQ(r.ErrorKind, 2);
    EXPECT_EQ(r.ErrorNumber, "5");
    EXPECT_TRUE(dialog.visible()) << "a failed OK answers nothing: the dialog stays open";

    dialog.txtWachtwoord.type("geheim");
    dialog.cmdOK.click();
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(dialog.Geannuleerd());
    EXPECT_EQ(h.errors().size(), 1u);
}

// A control-array handler must be traced and reported with its index after its own name.
TEST_F(PageTest, ArrayHandlerNamesCarryTheIndex)
{
    frmWachtwoordTest dialog;
    dialog.setApplication(h.app());
    dialog.cmdRegel.click();
    EXPECT_EQ(dialog.runningNames, QStringList{"cmdRegel_Click Index=0"});
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "cmdRegel_Click Index=0");
    EXPECT_TRUE(dialog.trace().running().isEmpty());
}

// A dialog without a host must not swallow its error: whoever made it learns of it.
TEST(Procedures, WithoutHostTheErrorGoesToTheCaller)
{
    frmWachtwoordTest dialog;
    EXPECT_THROW(dialog.cmdOK_Click(), RuntimeError);
}
