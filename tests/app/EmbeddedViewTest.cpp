#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/ControlView.h"
#include "app/render/FormView.h"
#include "app/render/StandardViews.h"
#include "app/render/ViewRegistry.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/UserControl.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/HostedPage.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "host/testing/PageHarness.h"
#include "tests/app/WidgetTestSupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::PageHarness;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

// A user control for these tests: a rate field and a button that announces it.
class TestRenteKeuze final : public UserControl {
public:
    TestRenteKeuze(Form& form, const QString& name, int index, Control* parent)
        : UserControl(form, u"TestRenteKeuze"_s, name, index, parent),
          lblRente(inner().add<Label>(inner(), u"lblRente"_s)),
          txtRente(inner().add<TextBox>(inner(), u"txtRente"_s)),
          cmdKies(inner().add<CommandButton>(inner(), u"cmdKies"_s))
    {
        setBounds(0, 0, 4500, 1200);
        lblRente.setBounds(120, 120, 1500, 255);
        lblRente.setCaption(u"Rente"_s);
        txtRente.setBounds(1740, 90, 1200, 315);
        cmdKies.setBounds(120, 600, 1200, 375);
        cmdKies.setCaption(u"Kiezen"_s);
        cmdKies.Click.connect([this] { Gekozen(txtRente.text()); });
    }

    Event<QString> Gekozen;
    Label& lblRente;
    TextBox& txtRente;
    CommandButton& cmdKies;
};

// A page that creates the user control through the host in its fill.
class SetupTestRente final : public SettingsPage {
public:
    SetupTestRente() : SettingsPage(u"SetupTestRente"_s), fraRente(form().add<Frame>(form(), u"fraRente"_s))
    {
        fraRente.setBounds(0, 0, 6000, 2000);
        form().setBounds(0, 0, 6000, 2000);
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

// The page hosted inside the next one; it can grow.
class SetupTestNotaris final : public SettingsPage {
public:
    SetupTestNotaris() : SettingsPage(u"SetupTestNotaris"_s), txtNaam(form().add<TextBox>(form(), u"txtNaam"_s))
    {
        txtNaam.setBounds(180, 300, 3000, 315);
        form().setBounds(0, 0, 5325, 1500);
    }
    QString Titel() const override { return u"Testnotaris"_s; }
    void grow(int twips)
    {
        form().setHeight(form().height() + twips);
        HeightChanged();
    }
    TextBox& txtNaam;

protected:
    void Fill() override {}
};

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
};

// A control drawn as one button, whatever it is.
class RenteKnopView final : public ControlView {
public:
    RenteKnopView(FormView& owner, Control& control, QWidget* parent)
        : ControlView(owner, control),
          button_(new QPushButton(u"Rente kiezen"_s, parent))
    {
        setWidget(button_);
    }

private:
    void syncProperty(Property) override {}
    QPushButton* button_;
};

// Widgets whose deletion was put off are deleted now, as the event loop would.
void deleteDeferred() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Where a widget sits inside the view, in pixels.
QPoint placeIn(const QWidget* widget, const QWidget* view) { return widget->mapTo(view, QPoint(0, 0)); }

class EmbeddedViewTest : public ::testing::Test {
protected:
    void SetUp() override { widgetApplication(); }

    template <class W>
    static W* child(const QWidget& parent, const QString& name)
    {
        return parent.findChild<W*>(name);
    }

    Form form{u"frmTest"_s};
};

} // namespace

// Catches a user control drawn at the wrong place or cut off from its model:
// in the settings window its inner controls sit at the control's position
// plus their own, take the page's colour, and typing and clicking there reach
// the inner controls and so the page.
TEST_F(EmbeddedViewTest, AUserControlInTheSettingsWindowIsDrawnAndUsed)
{
    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    registry.add<SetupTestRente>(PageGroup::Maatschappijen);
    ReferenceApplication host(ui, dir.path());
    host.components().add<TestRenteKeuze>();
    {
        SettingsWindow window(registry, host);
        window.show();
        ASSERT_TRUE(window.showPage(u"SetupTestRente"_s));
        runEvents();
        auto& page = static_cast<SetupTestRente&>(*window.currentPage());
        ASSERT_NE(page.ucRente, nullptr);
        TestRenteKeuze& uc = *page.ucRente;
        FormView* view = window.currentView();
        const TwipsScale scale = view->scale();

        QLineEdit* edit = child<QLineEdit>(*view, "txtRente");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(placeIn(edit, view), QPoint(scale.x(120) + scale.x(1740), scale.y(300) + scale.y(90)));
        EXPECT_EQ(edit->size(), QSize(scale.x(1200), scale.y(315)));
        EXPECT_TRUE(edit->isVisible());
        QWidget* box = view->widgetOf(uc);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), scale.rect(uc));
        EXPECT_EQ(uc.lblRente.backColor(), PageBackColor) << "the window's colour reached the inner label";

        emit edit->textEdited(u"4,2"_s);
        EXPECT_EQ(uc.txtRente.text(), u"4,2"_s);
        child<QPushButton>(*view, "cmdKies")->click();
        EXPECT_EQ(page.gekozen, QStringList{"4,2"});

        uc.setEnabled(false);
        child<QPushButton>(*view, "cmdKies")->click();
        EXPECT_EQ(page.gekozen.size(), 1) << "a disabled user control ignores the user";
        EXPECT_FALSE(box->isEnabled());
    }
    EXPECT_TRUE(host.errorReports().empty());
}

// Catches a renderer that keeps drawing removed controls, or reads them once
// they are gone: a frame's widget and its contents' go, an embedded form's
// view lets go of it, a button may remove itself from its own click, and
// controls added afterwards are still drawn.
TEST_F(EmbeddedViewTest, RemovedControlsLeaveTheView)
{
    auto& frame = form.add<Frame>(form, u"fraA"_s);
    auto& text = form.add<TextBox>(frame, u"txtA"_s);
    form.add<CheckBox>(frame, u"chkA"_s);
    auto& button = form.add<CommandButton>(form, u"cmdWeg"_s);
    ComponentFactory factory;
    factory.add<TestRenteKeuze>();
    auto& uc = static_cast<TestRenteKeuze&>(factory.create(u"TestRenteKeuze"_s, form, "ucRente"));
    int clicks = 0;
    button.Click.connect([&] {
        ++clicks;
        form.remove(button);
    });
    FormView view(form, TwipsScale{});
    view.show();
    runEvents();

    QPointer<QWidget> frameWidget = view.widgetOf(frame);
    QPointer<QWidget> textWidget = view.widgetOf(text);
    QPointer<QWidget> checkWidget = child<QCheckBox>(view, "chkA");
    ASSERT_TRUE(frameWidget && textWidget && checkWidget);
    form.remove(frame);
    EXPECT_EQ(view.widgetOf(text), nullptr);
    EXPECT_EQ(view.widgetOf(frame), nullptr);
    EXPECT_FALSE(frameWidget->isVisible()) << "hidden at once";
    deleteDeferred();
    EXPECT_TRUE(!frameWidget && !textWidget && !checkWidget);

    QPointer<QWidget> innerEdit = child<QLineEdit>(view, "txtRente");
    ASSERT_TRUE(innerEdit);
    form.remove(uc);
    deleteDeferred();
    EXPECT_FALSE(innerEdit);
    EXPECT_EQ(child<FormView>(view, "TestRenteKeuze"), nullptr);

    QPointer<QPushButton> push = child<QPushButton>(view, "cmdWeg");
    ASSERT_TRUE(push);
    push->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.find(u"cmdWeg"_s), nullptr);
    deleteDeferred();
    EXPECT_FALSE(push);

    auto& later = form.add<Label>(form, u"lblLater"_s);
    later.setCaption(u"Nieuw"_s);
    QLabel* label = child<QLabel>(view, "lblLater");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), u"Nieuw"_s);
    EXPECT_TRUE(label->isVisible());
}

// Catches an outer view that does not follow its hosted page: the box has the
// page's size and grows with it, closing the page drops its widgets, and a
// page opened again is drawn again.
TEST_F(EmbeddedViewTest, AHostedPageIsDrawnInsideAndFollowed)
{
    PageHarness h;
    h.registry().add<SetupTestNotaris>(PageGroup::Kantoor);
    h.registry().add<SetupTestKantoor>(PageGroup::Kantoor);
    auto& kantoor = static_cast<SetupTestKantoor&>(h.open(u"SetupTestKantoor"_s));
    HostedPage& ctl = kantoor.ctlNotaris;
    const TwipsScale scale{12, 12};
    FormView view(h.form(), scale);
    view.show();
    runEvents();

    QWidget* box = view.widgetOf(ctl);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(scale.x(120), scale.y(240), scale.x(5325), scale.y(1500)));
    QPointer<FormView> inner = child<FormView>(*box, "SetupTestNotaris");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->size(), box->size());
    QLineEdit* edit = child<QLineEdit>(*inner, "txtNaam");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(placeIn(edit, &view), placeIn(box, &view) + QPoint(scale.x(180), scale.y(300)));

    static_cast<SetupTestNotaris&>(*ctl.page()).grow(600);
    EXPECT_EQ(box->height(), scale.y(2100));
    EXPECT_EQ(inner->height(), scale.y(2100));

    ctl.close();
    deleteDeferred();
    EXPECT_FALSE(inner);
    EXPECT_EQ(child<QLineEdit>(view, "txtNaam"), nullptr);
    EXPECT_EQ(view.widgetOf(ctl), box) << "the control itself stays";

    ctl.open(u"SetupTestNotaris"_s);
    QLineEdit* again = child<QLineEdit>(*box, "txtNaam");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_TRUE(h.errors().empty());
}

// Catches a renderer that still chooses views by a fixed list: a user control
// class with a view of its own is drawn by it, a kind's view can be replaced,
// and the other controls keep the standard views.
TEST_F(EmbeddedViewTest, ViewsComeFromTheRegistryClassNameFirst)
{
    ComponentFactory factory;
    factory.add<TestRenteKeuze>();
    factory.create(u"TestRenteKeuze"_s, form, "ucRente");
    form.add<Label>(form, u"lblUitleg"_s).setCaption(u"Uitleg"_s);
    form.add<TextBox>(form, u"txtNaam"_s);

    ViewRegistry views = standardViews();
    views.addUserControl(u"testrentekeuze"_s, [](FormView& owner, Control& control, QWidget* parent) {
        return std::make_unique<RenteKnopView>(owner, control, parent);
    });
    views.add<RenteKnopView, Control>(ControlKind::Label);
    {
        FormView view(form, TwipsScale{}, views);
        auto* own = child<QPushButton>(view, "ucRente");
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(withoutAccessKey(own->text()), u"Rente kiezen"_s) << "(the window gives it an access key)";
        EXPECT_EQ(child<QLineEdit>(view, "txtRente"), nullptr) << "not drawn as its inner form";
        EXPECT_NE(child<QPushButton>(view, "lblUitleg"), nullptr) << "the label kind's view was replaced";
        EXPECT_NE(child<QLineEdit>(view, "txtNaam"), nullptr);
    }
    FormView standard(form, TwipsScale{});
    EXPECT_NE(child<QLineEdit>(standard, "txtRente"), nullptr);
    EXPECT_NE(child<QLabel>(standard, "lblUitleg"), nullptr);
}

// Catches a host that lets the user leave a page while a field inside a user
// control still refuses its edit: leaving the form asks the inner field too.
TEST_F(EmbeddedViewTest, LeavingTheFormValidatesAFieldInsideAUserControl)
{
    ComponentFactory factory;
    factory.add<TestRenteKeuze>();
    auto& uc = static_cast<TestRenteKeuze&>(factory.create(u"TestRenteKeuze"_s, form, "ucRente"));
    bool refuse = true;
    int validations = 0;
    uc.txtRente.Validate.connect([&](bool& cancel) {
        ++validations;
        cancel = refuse;
    });
    FormView view(form, TwipsScale{});
    view.show();
    runEvents();
    EXPECT_TRUE(view.leaveFocusedControl()) << "nothing edited yet";

    uc.txtRente.setFocus();
    uc.txtRente.type(u"12,5"_s);
    EXPECT_FALSE(view.leaveFocusedControl());
    EXPECT_EQ(validations, 1);
    runEvents();
    refuse = false;
    EXPECT_TRUE(view.leaveFocusedControl());
    EXPECT_EQ(validations, 2);
}

// A picture is taken without turning the event loop: the lists inside a user
// control must be drawn by then too, with their columns' widths.
class TestLijst final : public UserControl {
public:
    TestLijst(Form& form, const QString& name, int index, Control* parent)
        : UserControl(form, u"TestLijst"_s, name, index, parent),
          lvwLijst(inner().add<ListView>(inner(), u"lvwLijst"_s))
    {
        setBounds(0, 0, 5000, 2000);
        lvwLijst.setBounds(0, 0, 5000, 2000);
        lvwLijst.addColumn(u"Arrangement"_s, u"Arrangement"_s, 4200);
        lvwLijst.addItem(u"P1"_s, u"Annuïteitenhypotheek"_s);
    }
    ListView& lvwLijst;
};

TEST_F(EmbeddedViewTest, ListsInsideAUserControlAreDrawnBeforeAPicture)
{
    Form form(u"frmLijst"_s);
    form.setBounds(0, 0, 6000, 3000);
    ComponentFactory factory;
    factory.add<TestLijst>();
    factory.create(u"TestLijst"_s, form, u"ucLijst"_s);
    const TwipsScale scale{15, 15};
    FormView view(form, scale);
    view.flushPending();
    auto* tree = view.findChild<QTreeView*>();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->model()->rowCount(), 1);
    EXPECT_EQ(tree->header()->sectionSize(0), tree->maximumViewportSize().width()) << "the one column fills the list";
}
