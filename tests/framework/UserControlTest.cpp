#include "framework/forms/UserControl.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Image.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A user control for these tests: a rate with a label, a button that
// announces the rate (and fails, unguarded, without one), a label in a colour
// of its own and a picture without a background.
class TestRenteKeuze final : public UserControl {
public:
    TestRenteKeuze(Form& form, const QString& name, int index, Control* parent)
        : UserControl(form, u"TestRenteKeuze"_s, name, index, parent),
          lblRente(inner().add<Label>(inner(), u"lblRente"_s)),
          txtRente(inner().add<TextBox>(inner(), u"txtRente"_s)),
          cmdKies(inner().add<CommandButton>(inner(), u"cmdKies"_s)),
          lblUitleg(inner().add<Label>(inner(), u"lblUitleg"_s)),
          imgLogo(inner().add<Image>(inner(), u"imgLogo"_s))
    {
        setBounds(0, 0, 4500, 1200);
        lblRente.setBounds(120, 120, 1500, 255);
        txtRente.setBounds(1740, 90, 1200, 315);
        cmdKies.setBounds(120, 600, 1200, 375);
        lblUitleg.setBounds(1500, 600, 1500, 255);
        lblUitleg.setBackColor(rgb(255, 255, 192));
        cmdKies.Click.connect([this] {
            if (txtRente.text().isEmpty())
                throw RuntimeError::invalidProcedureCall();
            Gekozen(txtRente.text());
        });
    }

    // A procedure of the control's own that fails.
    void Herbereken()
    {
        guarded([] { throw RuntimeError::overflow(); });
    }

    Event<QString> Gekozen;
    int fills = 0;

    Label& lblRente;
    TextBox& txtRente;
    CommandButton& cmdKies;
    Label& lblUitleg;
    Image& imgLogo;

protected:
    void Fill_Control() override
    {
        ++fills;
        lblRente.setCaption(u"Rente per "_s + app().SysteemDatum());
    }
};

// A page that creates the user control through the host in its fill, the way
// pages add controls of other components to a frame.
class SetupTestRente final : public SettingsPage {
public:
    SetupTestRente() : SettingsPage(u"SetupTestRente"_s), fraRente(form().add<Frame>(form(), u"fraRente"_s))
    {
        fraRente.setBounds(0, 0, 6000, 2000);
    }
    QString Titel() const override { return u"Testrente"_s; }

    Frame& fraRente;
    TestRenteKeuze* ucRente = nullptr;
    QStringList gekozen;

protected:
    void Fill() override
    {
        guarded("Fill_Screen", [this] {
            UserControl& uc = app().components().create(u"TestRenteKeuze"_s, form(), u"ucRente"_s, &fraRente);
            ucRente = &dynamic_cast<TestRenteKeuze&>(uc);
            ucRente->move(120, 300);
            ucRente->Gekozen.connect([this](const QString& rente) { gekozen << rente; });
            ucRente->setApplication(app());
        });
    }
};

class UserControlTest : public PageTest {
protected:
    UserControlTest()
    {
        h.app().components().add<TestRenteKeuze>();
        h.registry().add<SetupTestRente>(PageGroup::Maatschappijen);
        h.app().setSysteemDatum(u"01-02-2024"_s);
    }
    SetupTestRente& openRente() { return static_cast<SetupTestRente&>(h.open(u"SetupTestRente"_s)); }
};

} // namespace

// Catches a factory that cannot find or place a control: found by class name
// in any case, added to the given form in the given frame under the given
// name and index; an unknown class is error 429 and adds nothing; a class
// registered twice is refused.
TEST(ComponentFactory, CreatesUserControlsByClassName)
{
    ComponentFactory factory;
    factory.add<TestRenteKeuze>();
    EXPECT_EQ(factory.classNames(), QStringList{"TestRenteKeuze"});
    Form form(u"frmTest"_s);
    auto& frame = form.add<Frame>(form, u"fraRente"_s);

    UserControl& uc = factory.create(u"TESTRENTEKEUZE"_s, form, u"ucRente"_s, &frame, 2);
    EXPECT_EQ(&uc, &form.control(u"ucRente"_s, 2));
    EXPECT_EQ(uc.parent(), &frame);
    EXPECT_EQ(uc.className(), u"TestRenteKeuze"_s);
    EXPECT_EQ(uc.kind(), ControlKind::Embedded);
    EXPECT_EQ(uc.embedded(), &uc.inner());
    EXPECT_NE(dynamic_cast<TestRenteKeuze*>(&uc), nullptr);
    EXPECT_EQ(uc.inner().control(u"txtRente"_s).kind(), ControlKind::TextBox);

    const std::size_t count = form.controls().size();
    try {
        factory.create(u"RenteOptiesOnbekend"_s, form, u"ucAnder"_s);
        ADD_FAILURE() << "geen fout";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_EQ(e.description(), u"ActiveX-component kan geen object maken: RenteOptiesOnbekend"_s);
    }
    EXPECT_EQ(form.controls().size(), count);
    EXPECT_THROW(factory.add<TestRenteKeuze>(), RuntimeError);
}

// Catches a user control cut off from its page: created through the host by
// class name in the page's fill, filled once with the host application, its
// escaping errors reported as the page's, its event reaching the page.
TEST_F(UserControlTest, APageCreatesItThroughTheHostAndHearsIt)
{
    SetupTestRente& page = openRente();
    ASSERT_NE(page.ucRente, nullptr);
    TestRenteKeuze& uc = *page.ucRente;
    EXPECT_EQ(uc.fills, 1);
    EXPECT_EQ(uc.getApplication(), &h.app());
    EXPECT_EQ(uc.lblRente.caption(), u"Rente per 01-02-2024"_s);
    EXPECT_EQ(uc.parent(), &page.fraRente);

    EXPECT_TRUE(uc.cmdKies.click());
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_TRUE(h.errors()[0].fromControl);
    EXPECT_EQ(h.errors()[0].ComponentName, u"SetupTestRente"_s);
    EXPECT_EQ(h.errors()[0].ErrorNumber, u"5"_s);

    uc.txtRente.type(u"4,5"_s);
    uc.cmdKies.click();
    EXPECT_EQ(page.gekozen, QStringList{"4,5"});
    EXPECT_EQ(h.errors().size(), 1u);
}

// Catches a user control that keeps the old colour inside when its page is
// recoloured: the inner form and its controls in the button face colour take
// the page's colour; fields, a colour of its own and pictures keep theirs.
TEST_F(UserControlTest, TheInnerControlsTakeThePagesBackColor)
{
    TestRenteKeuze& uc = *openRente().ucRente;
    h.page().setBackColor(White);
    EXPECT_EQ(uc.BackColor(), White);
    EXPECT_EQ(uc.inner().backColor(), White);
    EXPECT_EQ(uc.lblRente.backColor(), White);
    EXPECT_EQ(uc.cmdKies.backColor(), White);
    EXPECT_EQ(uc.txtRente.backColor(), SystemColour::Window);
    EXPECT_EQ(uc.lblUitleg.backColor(), rgb(255, 255, 192));
    EXPECT_FALSE(uc.imgLogo.hasBackColor());
}

// Catches inner controls a user can reach while their user control, or a
// container around it, is switched off.
TEST_F(UserControlTest, AnUnusableUserControlKeepsTheUserOut)
{
    SetupTestRente& page = openRente();
    TestRenteKeuze& uc = *page.ucRente;
    uc.txtRente.type(u"3,9"_s);
    struct Case {
        const char* what;
        std::function<void(bool)> switchOn;
    };
    const Case cases[] = {
        {"user control disabled", [&](bool on) { uc.setEnabled(on); }},
        {"user control hidden", [&](bool on) { uc.setVisible(on); }},
        {"frame disabled", [&](bool on) { page.fraRente.setEnabled(on); }},
        {"frame hidden", [&](bool on) { page.fraRente.setVisible(on); }},
    };
    for (const Case& c : cases) {
        c.switchOn(false);
        EXPECT_FALSE(uc.cmdKies.click()) << c.what;
        EXPECT_FALSE(uc.txtRente.type(u"5,1"_s)) << c.what;
        c.switchOn(true);
        EXPECT_TRUE(uc.cmdKies.isUsable()) << c.what;
    }
    EXPECT_TRUE(page.gekozen.isEmpty());
    EXPECT_EQ(uc.txtRente.text(), u"3,9"_s);
}

// Catches a removal that leaves contents behind or tells whoever draws the
// form too late: a frame leaves with everything in it, contents before their
// container, each announced while it is still on the form; the focus goes
// with them and the rest stays.
TEST(FormRemove, TakesAControlAndItsContentsOff)
{
    Form form(u"frmTest"_s);
    auto& fraA = form.add<Frame>(form, u"fraA"_s);
    auto& txtA = form.add<TextBox>(fraA, u"txtA"_s);
    auto& fraB = form.add<Frame>(fraA, u"fraB"_s);
    form.add<CheckBox>(fraB, u"chkB"_s);
    auto& lblC = form.add<Label>(form, u"lblC"_s);
    ComponentFactory factory;
    factory.add<TestRenteKeuze>();
    factory.create(u"TestRenteKeuze"_s, form, u"ucRente"_s, &fraB);

    QStringList removed;
    form.setObserver([&](Control& control, Property property) {
        if (property == Property::Removed)
            removed << control.name() + (form.contains(control) ? "" : " (al weg)");
    });
    txtA.setFocus();
    form.remove(fraA);

    EXPECT_EQ(removed, (QStringList{"ucRente", "chkB", "fraB", "txtA", "fraA"}));
    EXPECT_EQ(form.controls(), std::vector<Control*>{&lblC});
    EXPECT_EQ(form.find(u"txtA"_s), nullptr);
    EXPECT_EQ(form.focusedControl(), nullptr);

    Form other(u"frmAnder"_s);
    auto& elsewhere = other.add<Label>(other, u"lblElders"_s);
    EXPECT_THROW(form.remove(elsewhere), RuntimeError);
    EXPECT_THROW(form.remove(form), RuntimeError);
    EXPECT_EQ(other.controls().size(), 1u);
}

// A user control's own procedures must be reported like a page's, under its class name, and leave it usable.
TEST_F(UserControlTest, ItsGuardedProceduresAreReportedUnderItsClassName)
{
    SetupTestRente& page = openRente();
    ASSERT_NE(page.ucRente, nullptr);
    page.ucRente->Herbereken();
    ASSERT_EQ(h.errors().size(), 1u);
    EXPECT_EQ(h.errors()[0].ProcedureName, "Herbereken");
    EXPECT_EQ(h.errors()[0].ComponentName, "TestRenteKeuze");
    EXPECT_EQ(h.errors()[0].Context, "Generiek");
    EXPECT_EQ(h.errors()[0].ErrorNumber, "6");
    EXPECT_TRUE(page.ucRente->trace().running().isEmpty());
}
