#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeView>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

class ListColumnsTest : public tarvelo::testing::DrawnPageTest {
protected:
    QTreeView* list(const QString& name)
    {
        auto* tree = view->findChild<QTreeView*>(name);
        EXPECT_NE(tree, nullptr) << name.toStdString();
        return tree;
    }
};

// Catches cut headers, lists that end in an empty band or scroll sideways
// while everything would fit, and check boxes stacked into a ladder: on every
// page of the demo office each column is at least as wide as its header, the
// columns fill the list, and rows with check boxes have room around them.
TEST_F(ListColumnsTest, ColumnsFitTheirHeadersAndFillTheList)
{
    int lists = 0;
    for (const PageInfo& info : host->pageRegistry().pages()) {
        open(info.className);
        for (QTreeView* tree : view->findChildren<QTreeView*>()) {
            if (!tree->isVisibleTo(view.get()) || !tree->model() || tree->model()->columnCount() == 0)
                continue;
            ++lists;
            const std::string where = (info.className + u'.' + tree->objectName()).toStdString();
            QHeaderView* header = tree->header();
            int least = 0;
            for (int c = 0; c < header->count(); ++c) {
                if (header->sectionSize(c) == 0)
                    continue; // a column the page hides
                EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c))
                    << where << " column " << c << " narrower than its header";
                least += header->sectionSizeHint(c);
            }
            if (least <= tree->viewport()->width()) {
                EXPECT_FALSE(tree->horizontalScrollBar()->isVisible()) << where;
                EXPECT_EQ(header->length(), tree->viewport()->width()) << where << " the last column fills the list";
            }
            const QModelIndex first = tree->model()->index(0, 0);
            if (first.isValid() && (first.flags() & Qt::ItemIsUserCheckable)) {
                const int indicator = tree->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, tree);
                EXPECT_GE(tree->visualRect(first).height(), indicator + 4) << where << " rows too low for check boxes";
            }
        }
    }
    EXPECT_GE(lists, 10) << "the demo office shows lists on many pages";
}

// Catches a list that scrolls sideways in the window although its columns fit:
// as the window first draws a page in its pane, each list's columns end at
// its edge, on every page of the demo office.
TEST_F(ListColumnsTest, InTheWindowAListScrollsSidewaysOnlyWhenItsColumnsDoNotFit)
{
    SettingsWindow window(host->pageRegistry(), *host);
    window.resize(SettingsWindow::defaultSize());
    window.show();
    int lists = 0;
    for (const PageInfo& info : host->pageRegistry().pages()) {
        ASSERT_TRUE(window.showPage(info.className));
        // As the page is first drawn: one turn of the event loop.
        QCoreApplication::processEvents();
        window.currentView()->flushPending();
        for (QTreeView* tree : window.currentView()->findChildren<QTreeView*>()) {
            if (!tree->isVisible() || !tree->model() || tree->model()->columnCount() == 0)
                continue;
            QHeaderView* header = tree->header();
            int least = 0;
            for (int c = 0; c < header->count(); ++c)
                least += header->sectionSize(c) == 0 ? 0 : header->sectionSizeHint(c);
            if (least > tree->viewport()->width())
                continue;
            ++lists;
            EXPECT_FALSE(tree->horizontalScrollBar()->isVisible())
                << (info.className + u'.' + tree->objectName()).toStdString();
        }
    }
    EXPECT_GE(lists, 10) << "the demo office shows lists on many pages";
}

// Catches numbers read left-aligned and cut texts with no way to read them:
// agent numbers and rates sit on the right, descriptions on the left, and a
// company name that does not fit shows whole in its tooltip.
TEST_F(ListColumnsTest, NumbersAlignRightAndCutTextsShowWholeInTheirTooltip)
{
    open(u"MijOverzicht"_s);
    QTreeView* agents = list(u"lvwAgentnummers"_s);
    ASSERT_NE(agents, nullptr);
    ASSERT_GT(agents->model()->rowCount(), 0);
    const auto alignment = [&](int column) {
        return Qt::Alignment(agents->model()->index(0, column).data(Qt::TextAlignmentRole).toInt()) &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0), Qt::AlignRight) << "agent number";
    EXPECT_EQ(alignment(1), Qt::AlignRight) << "rate";
    EXPECT_EQ(alignment(2), Qt::AlignLeft) << "description";
    // A column with blank cells among its numbers (a company without an agent number).
    QTreeView* companies = list(u"lvwMaatschappij"_s);
    ASSERT_NE(companies, nullptr);
    EXPECT_EQ(Qt::Alignment(companies->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt()) &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    QModelIndex cut;
    for (int r = 0; r < companies->model()->rowCount() && !cut.isValid(); ++r) {
        const QModelIndex cell = companies->model()->index(r, 0);
        const QRect shown = companies->visualRect(cell);
        if (shown.isValid() && companies->viewport()->rect().contains(shown) &&
            companies->fontMetrics().horizontalAdvance(cell.data().toString()) > shown.width())
            cut = cell;
    }
    ASSERT_TRUE(cut.isValid()) << "a company name longer than its column";
    const QPoint at = companies->visualRect(cut).center();
    QHelpEvent help(QEvent::ToolTip, at, companies->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(companies->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), cut.data().toString());
    QToolTip::hideText();
}

} // namespace
