#include "tests/app/LayoutCheck.h"
#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "app/render/QtConversions.h"
#include "app/render/TextBaseline.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::layoutFaults;

namespace {

using LayoutCheck = tarvelo::testing::DrawnPageTest;

// The pane widths the window is tried at, in pixels, minus the pane's own margins.
constexpr int PaneWidths[] = {760, 1000, 1400};

// When LAYOUT_CHECK_PICTURES names a folder, every form checked is also drawn there.
void keepPicture(QWidget& view, const QString& name)
{
    const QString folder = qEnvironmentVariable("LAYOUT_CHECK_PICTURES");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        view.grab().save(QDir(folder).filePath(name + u".png"_s));
}

// Catches a page whose layout clips, overlaps, spills or leaves holes at the
// widths the settings window shows it at.
TEST_F(LayoutCheck, EveryPageAtBothPaneWidths)
{
    QStringList faults;
    for (const PageInfo& info : std::as_const(*host).pageRegistry().pages()) {
        for (int pane : PaneWidths) {
            open(info.className, pane);
            const QString name = u"%1@%2"_s.arg(info.className).arg(pane);
            keepPicture(*view, name);
            faults << tarvelo::testing::pageLayoutFaults(*view, name);
            page->Terminate();
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

// Catches a dialog whose layout clips, overlaps, spills or leaves holes.
TEST_F(LayoutCheck, EveryDialog)
{
    QStringList faults;
    for (const QString& name : ReviewDialogs::names()) {
        std::unique_ptr<Form> dialog = ReviewDialogs::open(name, *host);
        ASSERT_TRUE(dialog) << name.toStdString();
        FormView view(*dialog, screenScale(ui));
        view.flushPending();
        view.ensurePolished();
        keepPicture(view, name);
        faults << layoutFaults(view, name);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

// A page built to be wrong, so that the check is seen to fail: a caption
// wider than its label, two fields on one spot, a field outside its frame.
class SetupFouteIndeling final : public SettingsPage {
public:
    SetupFouteIndeling() : SettingsPage(u"SetupFouteIndeling"_s)
    {
        auto& fra = add<Frame>(form(), u"fraFout"_s, u"Fout"_s);
        auto& lbl = add<Label>(fra, u"lblLang"_s, u"Een opschrift dat veel te lang is voor zijn vak"_s);
        lbl.setBounds(180, 390, 600, 255);
        add<TextBox>(fra, u"txtEen"_s).setBounds(180, 900, 1500, 315);
        add<TextBox>(fra, u"txtTwee"_s).setBounds(900, 900, 1500, 315);
        add<CheckBox>(fra, u"chkBuiten"_s, u"Buiten"_s).setBounds(4000, 1000, 1500, 255);
        fra.setBounds(0, 0, 4500, 1500);
        form().setBounds(0, 0, 4500, 1500);
    }
    QString Titel() const override { return u"Fout"_s; }
};

TEST_F(LayoutCheck, NamesAClippedCaptionAnOverlapAndAControlOutsideItsFrame)
{
    SetupFouteIndeling wrong;
    FormView view(wrong.form(), screenScale(ui));
    view.ensurePolished();
    const QString faults = layoutFaults(view, u"SetupFouteIndeling"_s).join(u'\n');
    EXPECT_TRUE(faults.contains(u"SetupFouteIndeling: lblLang: tekst afgekapt"_s)) << faults.toStdString();
    EXPECT_TRUE(faults.contains(u"SetupFouteIndeling: txtEen overlapt txtTwee"_s)) << faults.toStdString();
    EXPECT_TRUE(faults.contains(u"SetupFouteIndeling: chkBuiten: buiten fraFout"_s)) << faults.toStdString();
}

// Catches a page that makes the window scroll sideways at its own default
// size or with a 760-pixel pane, where it should reflow instead.
TEST_F(LayoutCheck, NoPageScrollsSidewaysAtTheDefaultSizeOrA760PixelPane)
{
    SettingsWindow window(std::as_const(*host).pageRegistry(), *host);
    window.resize(SettingsWindow::defaultSize());
    window.show();
    tarvelo::testing::runEvents();
    auto* pane = window.findChild<QScrollArea*>(u"scrPagina"_s);
    ASSERT_NE(pane, nullptr);
    // The window's width beside the pane, so that the pane can be made 760 pixels wide.
    const int besidePane = window.width() - pane->viewport()->width();
    QStringList faults;
    for (const QSize size : {SettingsWindow::defaultSize(), QSize(760 + besidePane, 600)}) {
        window.resize(size);
        tarvelo::testing::runEvents();
        for (const PageInfo& info : std::as_const(*host).pageRegistry().pages()) {
            if (!window.showPage(info.className))
                continue;
            tarvelo::testing::runEvents();
            const QString name = u"%1@%2x%3"_s.arg(info.className).arg(size.width()).arg(size.height());
            faults << tarvelo::testing::sidewaysFaults(*pane, *window.currentView(), name);
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

// A page built wrong on purpose for the page rules: two frames whose fields
// begin at different columns, a list that leaves its frame half empty, and a
// control that needs more room than the pane has.
class SetupScheveIndeling final : public SettingsPage {
public:
    SetupScheveIndeling() : SettingsPage(u"SetupScheveIndeling"_s)
    {
        auto& fraEen = add<Frame>(form(), u"fraEen"_s, u"Een"_s);
        auto& lblEen = add<Label>(fraEen, u"lblEen"_s, u"Naam"_s);
        auto& txtEen = add<TextBox>(fraEen, u"txtEen"_s);
        lblEen.setBuddy(&txtEen);
        lblEen.setBounds(180, 435, 1500, 255);
        txtEen.setBounds(1800, 390, 3000, 315);
        add<ListView>(fraEen, u"lvwSmal"_s).setBounds(180, 900, 2000, 1200);
        // A row whose field is switched on by a check box starts off the column.
        auto& lblVier = add<Label>(fraEen, u"lblVier"_s, u"Plaats"_s);
        auto& txtVier = add<TextBox>(fraEen, u"txtVier"_s);
        lblVier.setBuddy(&txtVier);
        lblVier.setBounds(180, 2245, 1500, 255);
        txtVier.setBounds(1800, 2200, 3000, 315);
        add<CheckBox>(fraEen, u"chkDrie"_s, u"Kopie"_s).setBounds(180, 2630, 1500, 255);
        add<TextBox>(fraEen, u"txtDrie"_s).setBounds(2000, 2600, 3000, 315);
        fraEen.setBounds(0, 0, 9000, 3000);
        auto& fraTwee = add<Frame>(form(), u"fraTwee"_s, u"Twee"_s);
        auto& lblTwee = add<Label>(fraTwee, u"lblTwee"_s, u"Adres"_s);
        auto& txtTwee = add<TextBox>(fraTwee, u"txtTwee"_s);
        lblTwee.setBuddy(&txtTwee);
        lblTwee.setBounds(180, 435, 2400, 255);
        txtTwee.setBounds(2700, 390, 3000, 315);
        fraTwee.setBounds(0, 3100, 9000, 1000);
        form().setBounds(0, 0, 9000, 4100);
    }
    QString Titel() const override { return u"Scheef"_s; }
};

TEST_F(LayoutCheck, NamesFieldColumnsThatDifferANarrowListAndSidewaysScrolling)
{
    SetupScheveIndeling wrong;
    FormView view(wrong.form(), screenScale(ui));
    view.ensurePolished();
    view.refreshAccess();
    const QString faults = tarvelo::testing::pageLayoutFaults(view, u"SetupScheveIndeling"_s).join(u'\n');
    EXPECT_TRUE(faults.contains(u"SetupScheveIndeling: fraTwee: velden beginnen op 180 pixels, in fraEen op 120"_s))
        << faults.toStdString();
    EXPECT_TRUE(faults.contains(u"SetupScheveIndeling: lvwSmal: lijst 133 van 576 pixels breed in fraEen"_s))
        << faults.toStdString();
    EXPECT_TRUE(
        faults.contains(u"SetupScheveIndeling: txtDrie: begint op 133 pixels, de andere velden van fraEen op 120"_s))
        << faults.toStdString();
    EXPECT_FALSE(faults.contains(u"txtVier"_s)) << faults.toStdString();

    QScrollArea pane;
    pane.resize(300, 300);
    auto* holder = new QWidget;
    view.setParent(holder);
    holder->resize(view.size());
    pane.setWidget(holder);
    pane.show();
    tarvelo::testing::runEvents();
    const QString sideways = tarvelo::testing::sidewaysFaults(pane, view, u"SetupScheveIndeling"_s).join(u'\n');
    EXPECT_TRUE(sideways.contains(u"SetupScheveIndeling: txtTwee: schuift zijwaarts (600 pixels breed"_s))
        << sideways.toStdString();
    view.setParent(nullptr);
}

// A label written above or below its field's text line is seen, by how many pixels.
TEST_F(LayoutCheck, NamesALabelOffItsFieldsBaseline)
{
    QWidget form;
    form.setObjectName(u"frmBasislijn"_s);
    auto* field = new QLineEdit(&form);
    field->setObjectName(u"txtNaam"_s);
    field->setGeometry(150, 20, 200, 21);
    auto* label = new QLabel(u"Naam"_s, &form);
    label->setObjectName(u"lblNaam"_s);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBuddy(field);
    form.resize(400, 80);
    form.ensurePolished();
    const int onLine = 20 + tarvelo::fieldTextBaseline(*field, field->size()) - tarvelo::labelTextBaseline(*label);
    label->setGeometry(10, onLine, 120, 17);
    EXPECT_TRUE(layoutFaults(form, u"frmBasislijn"_s).isEmpty())
        << layoutFaults(form, u"frmBasislijn"_s).join(u'\n').toStdString();
    label->move(10, onLine - 3);
    EXPECT_TRUE(layoutFaults(form, u"frmBasislijn"_s)
                    .contains(u"frmBasislijn: lblNaam: 3 pixels boven de basislijn van txtNaam"_s))
        << layoutFaults(form, u"frmBasislijn"_s).join(u'\n').toStdString();
}

// Catches a window that shows pages at a fixed width: the page's frames
// follow the pane as the window widens, up to a readable width.
TEST_F(LayoutCheck, WindowShowsThePageAtThePanesWidth)
{
    SettingsWindow window(std::as_const(*host).pageRegistry(), *host);
    window.resize(900, 600);
    window.show();
    ASSERT_TRUE(window.showPage(u"SetupProxy"_s));
    tarvelo::testing::runEvents();
    const Control& frame = window.currentPage()->form().control(u"fraProxy"_s);
    const int narrow = frame.width();
    window.resize(1300, 600);
    tarvelo::testing::runEvents();
    EXPECT_GT(frame.width(), narrow);
    window.resize(2400, 600);
    tarvelo::testing::runEvents();
    EXPECT_EQ(frame.width(), RowLayout::ReadableWidth);
    // Labels beside their fields while there is room, above them in a narrow pane.
    const Control& label = window.currentPage()->form().control(u"lblProxy"_s, 0);
    const Control& field = window.currentPage()->form().control(u"txtProxyadres"_s);
    EXPECT_LT(std::abs(label.top() - field.top()), RowLayout::RowHeight);
    window.resize(300, 600);
    tarvelo::testing::runEvents();
    EXPECT_GE(window.currentPage()->form().width(), window.currentPage()->minimumWidth());
    EXPECT_LE(label.bottom(), field.top());
    EXPECT_EQ(label.left(), field.left());
}

} // namespace
