#include "app/ReviewDialogs.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "app/render/QtConversions.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/RowLayout.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "tests/app/LayoutCheck.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::layoutFaults;

namespace {

using LayoutCheck = tarvelo::testing::DrawnPageTest;

// The pane widths the window is tried at, in pixels, minus the pane's own margins.
constexpr int PaneWidths[] = {800, 1400};

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
            faults << layoutFaults(*view, name);
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
    window.resize(300, 600);
    tarvelo::testing::runEvents();
    EXPECT_EQ(window.currentPage()->form().width(), window.currentPage()->minimumWidth());
}

} // namespace
