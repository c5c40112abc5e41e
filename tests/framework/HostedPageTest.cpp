#include "framework/page/HostedPage.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Settings.h"
#include "framework/page/PageAttach.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/ProxySettings.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Kept outside the pages, so a test can still read them once a page is gone.
int notarisHeard = 0;
int kantoorHeard = 0;

// The page hosted inside the other: a name from Setup, a button whose
// unguarded handler fails, and a size that can grow.
class SetupTestNotaris final : public SettingsPage {
public:
    SetupTestNotaris()
        : SettingsPage(u"SetupTestNotaris"_s),
          fraNotaris(form().add<Frame>(form(), u"fraNotaris"_s)),
          txtNaam(form().add<TextBox>(fraNotaris, u"txtNaam"_s)),
          cmdFout(form().add<CommandButton>(fraNotaris, u"cmdFout"_s))
    {
        fraNotaris.setBounds(0, 0, 5325, 1500);
        txtNaam.setBounds(180, 300, 3000, 315);
        cmdFout.setBounds(180, 800, 1200, 375);
        form().setBounds(0, 0, 5325, 1500);
        cmdFout.Click.connect([] { throw RuntimeError::overflow(); });
    }
    QString Titel() const override { return u"Testnotaris"_s; }

    // The page's own layout made it taller, as showing more rows does.
    void grow(int twips)
    {
        fraNotaris.setHeight(fraNotaris.height() + twips);
        form().setHeight(form().height() + twips);
        HeightChanged();
    }

    Frame& fraNotaris;
    TextBox& txtNaam;
    CommandButton& cmdFout;

protected:
    void Fill() override { txtNaam.setText(Setup<ProxySettings>().ProxyGebruikersnaam); }
    void Notify(const QString&, const QString&, const QString&, const QVariant&) override { ++notarisHeard; }
};

// The page that hosts the other in one of its frames.
class SetupTestKantoor final : public SettingsPage {
public:
    SetupTestKantoor()
        : SettingsPage(u"SetupTestKantoor"_s),
          fraNotarissen(form().add<Frame>(form(), u"fraNotarissen"_s)),
          ctlNotaris(form().add<HostedPage>(fraNotarissen, u"ctlNotaris"_s))
    {
        fraNotarissen.setBounds(0, 0, 6000, 6000);
        ctlNotaris.move(120, 240);
        form().setBounds(0, 0, 6000, 6000);
    }
    QString Titel() const override { return u"Testkantoor"_s; }

    Frame& fraNotarissen;
    HostedPage& ctlNotaris;

protected:
    // The page's own host reaches the hosted page when the page is attached.
    void Fill() override { ctlNotaris.open(u"SetupTestNotaris"_s); }
    void Notify(const QString&, const QString&, const QString&, const QVariant&) override { ++kantoorHeard; }
};

// A page whose fill fails outside any guarded procedure.
class SetupTestKapot final : public SettingsPage {
public:
    // Traps no errors of its own, so the fill's error escapes the page.
    SetupTestKapot() : SettingsPage(u"SetupTestKapot"_s) { setTrapsErrors(false); }
    QString Titel() const override { return u"Testkapot"_s; }

protected:
    void Fill() override { throw RuntimeError::typeMismatch(); }
};

void registerTestPages(PageRegistry& registry)
{
    registry.add<SetupTestNotaris>(PageGroup::Kantoor);
    registry.add<SetupTestKantoor>(PageGroup::Kantoor);
    registry.add<SetupTestKapot>(PageGroup::Kantoor);
}

class HostedPageTest : public PageTest {
protected:
    HostedPageTest()
    {
        notarisHeard = kantoorHeard = 0;
        registerTestPages(h.registry());
    }
    SetupTestKantoor& openKantoor() { return static_cast<SetupTestKantoor&>(h.open(u"SetupTestKantoor"_s)); }
    static SetupTestNotaris& notaris(HostedPage& control)
    {
        EXPECT_NE(control.page(), nullptr);
        return static_cast<SetupTestNotaris&>(*control.page());
    }
    void raiseNotify() { h.app().RaiseNotify("SetupTest", "Kantoor", "Refresh", 1); }
};

} // namespace

// Catches a hosted page attached otherwise than a page of the window: filled
// from the host's Setup and Application, scaled for the host's screen, drawn
// inside the control, which takes its size.
TEST_F(HostedPageTest, IsAttachedLikeAWindowPageAndGivesTheControlItsSize)
{
    for (const int twipsPerPixel : {15, 12}) {
        PageHarness harness(twipsPerPixel);
        registerTestPages(harness.registry());
        harness.setup().get<ProxySettings>().ProxyGebruikersnaam = u"Notariskantoor De Vries"_s;
        auto& kantoor = static_cast<SetupTestKantoor&>(harness.open(u"SetupTestKantoor"_s));
        SetupTestNotaris& hosted = notaris(kantoor.ctlNotaris);

        EXPECT_EQ(hosted.getSetup(), &harness.setup()) << twipsPerPixel;
        EXPECT_EQ(hosted.getApplication(), &harness.app()) << twipsPerPixel;
        EXPECT_EQ(hosted.txtNaam.text(), u"Notariskantoor De Vries"_s) << twipsPerPixel;
        EXPECT_EQ(hosted.form().width(), 5325 * twipsPerPixel / 15) << "scaled for the screen";
        EXPECT_EQ(kantoor.ctlNotaris.embedded(), &hosted.form());
        EXPECT_EQ(kantoor.ctlNotaris.width(), hosted.form().width()) << twipsPerPixel;
        EXPECT_EQ(kantoor.ctlNotaris.height(), hosted.form().height()) << twipsPerPixel;
        EXPECT_TRUE(harness.errors().empty());
    }
}

// Catches a page that keeps listening after it was taken away: once its
// control is removed from the form, or closed, the host's notifications no
// longer reach it, while the outer page still hears them.
TEST_F(HostedPageTest, ARemovedOrClosedPageNoLongerHearsTheHost)
{
    const int before = h.app().Notify.count();
    SetupTestKantoor& kantoor = openKantoor();
    EXPECT_EQ(h.app().Notify.count(), before + 2) << "the outer page and the hosted one";
    raiseNotify();
    EXPECT_EQ(notarisHeard, 1);
    EXPECT_EQ(kantoorHeard, 1);

    h.form().remove(kantoor.ctlNotaris);
    EXPECT_EQ(h.form().find(u"ctlNotaris"_s), nullptr);
    EXPECT_EQ(h.app().Notify.count(), before + 1);
    raiseNotify();
    EXPECT_EQ(notarisHeard, 1) << "the removed page heard it";
    EXPECT_EQ(kantoorHeard, 2);

    auto& again = h.form().add<HostedPage>(kantoor.fraNotarissen, u"ctlNotarisOpnieuw"_s);
    again.setApplication(h.app());
    again.open(u"SetupTestNotaris"_s);
    EXPECT_EQ(h.app().Notify.count(), before + 2);
    again.close();
    EXPECT_EQ(again.page(), nullptr);
    EXPECT_EQ(again.embedded(), nullptr);
    EXPECT_EQ(h.app().Notify.count(), before + 1);
    raiseNotify();
    EXPECT_EQ(notarisHeard, 1) << "the closed page heard it";
}

// Catches a control that keeps the size the page had when opened: a page
// that grows makes its control grow with it.
TEST_F(HostedPageTest, TheControlFollowsThePagesHeight)
{
    SetupTestKantoor& kantoor = openKantoor();
    const int height = kantoor.ctlNotaris.height();
    notaris(kantoor.ctlNotaris).grow(600);
    EXPECT_EQ(kantoor.ctlNotaris.height(), height + 600);
    EXPECT_EQ(kantoor.ctlNotaris.left(), 120) << "it stays where the outer page put it";
}

// Catches errors of a hosted page that get lost or blamed on the outer page,
// and a hosted page a user can reach through a disabled or hidden container:
// an escaping error reaches the host under the hosted page's name, and an
// outer control that is switched off keeps the user out.
TEST_F(HostedPageTest, ErrorsGoToTheHostAndAnUnusableControlKeepsTheUserOut)
{
    SetupTestKantoor& kantoor = openKantoor();
    SetupTestNotaris& hosted = notaris(kantoor.ctlNotaris);
    EXPECT_TRUE(hosted.cmdFout.click());
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_TRUE(h.errors()[0].fromControl);
    EXPECT_EQ(h.errors()[0].ComponentName, u"SetupTestNotaris"_s);
    EXPECT_EQ(h.errors()[0].ErrorNumber, u"6"_s);

    struct Case {
        const char* what;
        std::function<void(bool)> switchOn;
    };
    const Case cases[] = {
        {"control disabled", [&](bool on) { kantoor.ctlNotaris.setEnabled(on); }},
        {"control hidden", [&](bool on) { kantoor.ctlNotaris.setVisible(on); }},
        {"frame disabled", [&](bool on) { kantoor.fraNotarissen.setEnabled(on); }},
    };
    for (const Case& c : cases) {
        c.switchOn(false);
        EXPECT_FALSE(hosted.txtNaam.isUsable()) << c.what;
        EXPECT_FALSE(hosted.cmdFout.click()) << c.what;
        EXPECT_FALSE(hosted.txtNaam.type(u"Jansen"_s)) << c.what;
        c.switchOn(true);
        EXPECT_TRUE(hosted.txtNaam.isUsable()) << c.what;
    }
    EXPECT_EQ(h.errors().size(), 1u) << "no click got through";
    EXPECT_EQ(hosted.txtNaam.text(), QString());
}

// Catches pages opened where none can be: an unknown name is error 5 and a
// control without the host application error 424, and the open page stays.
TEST_F(HostedPageTest, OpeningWhatCannotBeOpenedIsAnError)
{
    SetupTestKantoor& kantoor = openKantoor();
    SettingsPage* open = kantoor.ctlNotaris.page();
    ASSERT_NE(open, nullptr);
    try {
        kantoor.ctlNotaris.open(u"SetupBestaatNiet"_s);
        ADD_FAILURE() << "geen fout";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_EQ(e.description(), u"Onbekende pagina: SetupBestaatNiet"_s);
    }
    EXPECT_EQ(kantoor.ctlNotaris.page(), open);
    EXPECT_EQ(kantoor.ctlNotaris.embedded(), &open->form());

    auto& loose = h.form().add<HostedPage>(h.form(), u"ctlLos"_s);
    try {
        loose.open(u"SetupTestNotaris"_s);
        ADD_FAILURE() << "geen fout";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::ObjectRequired);
    }
}

// Catches an attach sequence that lets an error of the fill escape, or leaves
// the form without a handler: both reach the given handler with the page's
// name and the page is handed back; an unknown name gives no page.
TEST_F(HostedPageTest, TheAttachSequenceHandsEscapingErrorsToItsHandler)
{
    std::vector<std::pair<QString, QString>> reported;
    const PageErrorHandler handler = [&](const QString& component, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const RuntimeError& e) {
            reported.emplace_back(component, QString::number(e.number()));
        }
    };
    std::unique_ptr<SettingsPage> broken = attachPage(h.registry(), u"SetupTestKapot"_s, h.app(), handler);
    ASSERT_NE(broken, nullptr);
    std::unique_ptr<SettingsPage> notary = attachPage(h.registry(), u"SetupTestNotaris"_s, h.app(), handler);
    static_cast<SetupTestNotaris&>(*notary).cmdFout.click();
    const std::vector<std::pair<QString, QString>> expected{{"SetupTestKapot", "13"}, {"SetupTestNotaris", "6"}};
    EXPECT_EQ(reported, expected);
    EXPECT_TRUE(h.errors().empty()) << "the given handler, not the host's";
    EXPECT_EQ(attachPage(h.registry(), u"SetupBestaatNiet"_s, h.app(), handler), nullptr);
}
