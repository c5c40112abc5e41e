#include "framework/page/SettingsPage.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Image.h"
#include "framework/forms/Line.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Settings.h"
#include "framework/page/DpiScaling.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/PageHost.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A page with everything the contract offers: two stacked frames, a guarded
// fill, an unguarded and a guarded handler, and two numbered checks.
class ContractPage final : public SettingsPage {
public:
    ContractPage()
        : SettingsPage(u"SetupContract"_s),
          fraA(form().add<Frame>(form(), u"fraA"_s)),
          chkA(form().add<CheckBox>(fraA, u"chkA"_s)),
          txtB(form().add<TextBox>(fraA, u"txtB"_s)),
          fraB(form().add<Frame>(form(), u"fraB"_s)),
          imgLogo(form().add<Image>(fraB, u"imgLogo"_s)),
          linA(form().add<Line>(fraB, u"linA"_s))
    {
        fraA.setBounds(120, 90, 4500, 1200);
        chkA.setBounds(150, 300, 2400, 255);
        txtB.setBounds(150, 660, 1200, 315);
        fraB.setBounds(0, 0, 3000, 900);
        imgLogo.setBounds(300, 300, 4515, 1035);
        linA.setPoints(0, 150, 3000, 150);
        stackFrames({&fraA, &fraB});
        chkA.Click.connect([this] {
            if (!IsLoading)
                Setup().get<UpdateSettings>().AutoDownload = chkA.isChecked();
        });
        txtB.Validate.connect([this](bool&) {
            guarded("txtB_Validation",
                    [this] { Setup().get<AutosaveSettings>().AutomatischOpslaanMinuten = CIntOf(txtB.text()); });
        });
    }
    QString Titel() const override { return u"Contract"_s; }
    bool hasValidation() const override { return true; }

    int fills = 0;
    std::vector<int> checksRun;
    bool failSecond = false;
    bool throwInFill = false;

    using SettingsPage::guarded;
    bool loading() const { return IsLoading; }

protected:
    bool guardsFill() const override { return true; }
    QStringList keepSizeNames() const override { return {"imgLogo"}; }
    void Fill() override
    {
        guarded("Fill_Screen", [this] {
            ++fills;
            chkA.setChecked(
                !Setup().get<UpdateSettings>().AutoDownload); // the loading flag keeps this from writing back
            if (throwInFill)
                throw RuntimeError::typeMismatch();
        });
    }
    std::vector<ValidationCheck> validationChecks() override
    {
        return {
            {1,
             [this] {
                 checksRun.push_back(1);
                 return true;
             }},
            {2,
             [this] {
                 checksRun.push_back(2);
                 return !failSecond || failCheck("Vul een waarde in.", "Controle", &txtB);
             }},
            {3,
             [this] {
                 checksRun.push_back(3);
                 return true;
             }},
        };
    }

private:
    static qint16 CIntOf(const QString& t);

public:
    Frame& fraA;
    CheckBox& chkA;
    TextBox& txtB;
    Frame& fraB;
    Image& imgLogo;
    Line& linA;
};

qint16 ContractPage::CIntOf(const QString& t)
{
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return qint16(v);
}

std::unique_ptr<SettingsPage> openContract(PageHarness& harness, int twipsPerPixel)
{
    PageRegistry registry;
    registry.add<ContractPage>(PageGroup::Algemeen);
    harness.ui().setTwipsPerPixel(twipsPerPixel, twipsPerPixel);
    return openPage(registry, "SetupContract", harness.app());
}

struct ContractHarness : PageTest {
    ContractPage& open(int twipsPerPixel = 15)
    {
        page = openContract(h, twipsPerPixel);
        return static_cast<ContractPage&>(*page);
    }
    std::unique_ptr<SettingsPage> page;
};

} // namespace

using SettingsPageContract = ContractHarness;

// Frames must stack 60 twips apart, follow the page's width up to a readable width, never get narrower
// than the widest of them, and the page take their height.
TEST_F(SettingsPageContract, StackedFramesLayout)
{
    auto& p = open();
    EXPECT_EQ(p.fraA.left(), 0);
    EXPECT_EQ(p.fraA.top(), 0);
    EXPECT_EQ(p.fraB.top(), 1200 + 60);
    EXPECT_EQ(p.fraB.left(), 0);
    EXPECT_EQ(p.fraB.width(), 4500);
    EXPECT_EQ(p.form().height(), 1260 + 900);
    EXPECT_EQ(p.form().width(), 4500);

    int heightChanges = 0;
    p.HeightChanged.connect([&] { ++heightChanges; });
    p.fraB.setHeight(1500);
    p.form().setWidth(9000); // any resize lays out again, and the guard stops the recursion
    EXPECT_EQ(p.form().height(), 1260 + 1500);
    EXPECT_EQ(p.form().width(), 9000);
    EXPECT_EQ(p.fraA.width(), 9000);
    EXPECT_EQ(p.fraB.width(), 9000);
    EXPECT_EQ(heightChanges, 1);

    p.form().setWidth(30000);
    EXPECT_EQ(p.form().width(), 30000);
    EXPECT_EQ(p.fraB.width(), RowLayout::ReadableWidth);

    p.form().setWidth(2000); // narrower than the frames: the page keeps their width and the host scrolls
    EXPECT_EQ(p.form().width(), 4500);
    EXPECT_EQ(p.fraA.width(), 4500);
    EXPECT_EQ(p.minimumWidth(), 4500);

    p.fraA.setVisible(false); // a hidden frame gives its place back
    p.form().relayout();
    EXPECT_EQ(p.fraB.top(), 0);
}

// At 96 DPI nothing may move; at 120 DPI every twips value becomes 12/15 so pixels stay as designed.
TEST_F(SettingsPageContract, ScaleForDpiAt96And120)
{
    auto& at96 = open(15);
    EXPECT_EQ(at96.txtB.left(), 150);
    EXPECT_EQ(at96.txtB.width(), 1200);
    EXPECT_DOUBLE_EQ(at96.txtB.font().size, 8.0);

    PageHarness other;
    auto page120 = openContract(other, 12);
    auto& at120 = static_cast<ContractPage&>(*page120);
    EXPECT_EQ(at120.txtB.left(), 120);
    EXPECT_EQ(at120.txtB.top(), 528);
    EXPECT_EQ(at120.txtB.width(), 960);
    EXPECT_EQ(at120.txtB.height(), 252);
    EXPECT_DOUBLE_EQ(at120.txtB.font().size, 8.0 * 12 / 15);
    EXPECT_EQ(at120.imgLogo.left(), 240);
    EXPECT_EQ(at120.imgLogo.width(), 4515); // kept at its size
    EXPECT_EQ(at120.imgLogo.height(), 1035);
    EXPECT_EQ(at120.linA.x2(), 2400);
    EXPECT_EQ(at120.linA.y1(), 120);
    // the stacked layout follows the scaled frames
    EXPECT_EQ(at120.fraB.top(), 960 + 60);
}

// A page without a border scales its whole height; a dialog's border keeps its size.
TEST(ScaleForDpi, ContainerBorderKeepsItsSize)
{
    Form dialog("frmDialoog");
    dialog.setBounds(0, 0, 6000, 4000);
    dialog.setBorderHeight(400);
    ScaleForDpi(dialog, dialog.controls(), {}, 12, 12);
    EXPECT_EQ(dialog.width(), 4800);
    EXPECT_EQ(dialog.height(), 400 + 3600 * 12 / 15);
}

// The second colour must reach only the page and the controls still on the button face.
TEST_F(SettingsPageContract, BackColorTwice)
{
    auto& p = open();
    const Colour first = rgb(200, 220, 255), second = rgb(255, 255, 200);
    p.setBackColor(first);
    EXPECT_EQ(p.BackColor(), first);
    EXPECT_EQ(p.fraA.backColor(), first);
    EXPECT_EQ(p.chkA.backColor(), first);
    EXPECT_EQ(p.txtB.backColor(), SystemColour::Window); // was never the button face
    EXPECT_FALSE(p.imgLogo.hasBackColor());

    p.fraB.setBackColor(SystemColour::ButtonFace); // back on the button face before the second call
    p.setBackColor(second);
    EXPECT_EQ(p.BackColor(), second);
    EXPECT_EQ(p.fraA.backColor(), first);
    EXPECT_EQ(p.fraB.backColor(), second);
}

// The fill must not write back while the loading flag is up, and setting Application again refills.
TEST_F(SettingsPageContract, GuardedFillDoesNotWriteBack)
{
    h.setup().get<UpdateSettings>().AutoDownload = false;
    auto& p = open();
    EXPECT_EQ(p.fills, 1);
    EXPECT_TRUE(p.chkA.isChecked());
    EXPECT_FALSE(h.setup().get<UpdateSettings>().AutoDownload); // the Click during the fill wrote nothing
    p.chkA.click();
    p.chkA.click();
    EXPECT_TRUE(h.setup().get<UpdateSettings>().AutoDownload); // after the fill it writes again
    p.setApplication(h.app());
    EXPECT_EQ(p.fills, 2);
}

// Controle_Nr 0 runs every check in order after pending events; a number runs one check; Cancel stops them.
TEST_F(SettingsPageContract, ValidationNumberingAndCancel)
{
    auto& p = open();
    bool pendingRan = false;
    h.ui().postEvent([&] { pendingRan = true; });

    bool cancel = false;
    p.Validation(cancel, 0);
    EXPECT_TRUE(pendingRan);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(p.checksRun, (std::vector<int>{1, 2, 3}));

    p.checksRun.clear();
    const int eventsBefore = h.ui().doEventsCount();
    p.Validation(cancel, 2);
    EXPECT_EQ(p.checksRun, std::vector<int>{2});
    EXPECT_EQ(h.ui().doEventsCount(), eventsBefore); // only number 0 lets events run

    p.checksRun.clear();
    p.failSecond = true;
    h.ui().answerMessage(MsgResult::OK);
    p.Validation(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(p.checksRun, (std::vector<int>{1, 2}));
    ASSERT_EQ(h.ui().messages().size(), 1u);
    EXPECT_EQ(h.ui().messages()[0].text, "Vul een waarde in.");
    EXPECT_EQ(h.ui().messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(h.ui().messages()[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(p.txtB.hasFocus());

    p.checksRun.clear();
    p.Validation(cancel, 0); // already cancelled on entry: no check runs
    EXPECT_TRUE(p.checksRun.empty());
}

// A guarded error must reach ShowError once with every field of the report, and the page stay usable.
TEST_F(SettingsPageContract, ErrorReportFieldsAndPageStaysUsable)
{
    auto& p = open();
    h.ui().setMousePointer(MousePointer::Hourglass);
    p.txtB.type("geen getal");
    EXPECT_TRUE(p.txtB.leave());
    ASSERT_EQ(h.errors().size(), 1u);
    const ErrorReport& r = h.errors()[0];
    EXPECT_EQ(r.ProcedureName, "txtB_Validation");
    EXPECT_EQ(r.ErrorKind, 2);
    EXPECT_EQ(r.ApplicationTitle, "TarveloInstellingen");
    EXPECT_EQ(r.ComponentName, "SetupContract");
    EXPECT_EQ(r.ProductName, "Quenmarix");
    EXPECT_EQ(r.Context, "Instellingen - Contract");
    EXPECT_EQ(r.Message, "Er is een fout opgetreden.");
    EXPECT_EQ(r.ErrorNumber, "13");
    EXPECT_EQ(r.ErrorDescription, "Typen komen niet overeen");
    EXPECT_EQ(r.ErrorSource, "TarveloInstellingen");
    EXPECT_EQ(h.ui().mousePointer(), MousePointer::Default);

    p.txtB.type("25");
    p.txtB.leave();
    EXPECT_EQ(qint16(h.setup().get<AutosaveSettings>().AutomatischOpslaanMinuten), 25);
    EXPECT_EQ(h.errors().size(), 1u);
}

// A trace left by an error must not make later procedures look nested in it.
TEST_F(SettingsPageContract, ErrorInNestedProcedureUnwindsOnlyItsOwnEntries)
{
    auto& p = open();
    bool outerFinished = false;
    p.guarded("Outer", [&] {
        p.guarded("Inner", [] { throw RuntimeError::overflow(); });
        outerFinished = true;
    });
    EXPECT_TRUE(outerFinished);
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "Inner");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "6");
}

// An error in the fill itself is reported through the host, and the page is still handed back.
TEST(SettingsPageFill, ErrorDuringFillIsReportedNotThrown)
{
    PageHarness harness;
    PageRegistry registry;
    registry.add<ContractPage>(PageGroup::Algemeen);
    auto page = registry.create("SetupContract");
    auto& contract = static_cast<ContractPage&>(*page);
    contract.throwInFill = true;
    contract.setSetup(harness.setup());
    contract.setApplication(harness.app());
    ASSERT_EQ(harness.errors().size(), 1u);
    EXPECT_EQ(harness.errors()[0].ProcedureName, "Fill_Screen");
    EXPECT_FALSE(contract.loading());
}
