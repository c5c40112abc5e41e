#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/listsort/ListSort.h"
#include "tests/app/WidgetTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMouseEvent>
#include <QTreeView>
#include <optional>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

void clickHeader(QHeaderView* header, int section)
{
    const QPointF at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2.0,
                     header->height() / 2.0);
    const QPointF global = header->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &press);
    QApplication::sendEvent(header->viewport(), &release);
}

// Whether the arrow drawn at the right end of a header section points up: its
// widest row of dark pixels is its lowest. The arrow is the rightmost run of
// columns with dark pixels, apart from the text before it.
std::optional<bool> arrowPointsUp(QHeaderView* header, int section)
{
    const QImage picture = header->grab().toImage();
    const auto dark = [&](int x, int y) { return picture.pixelColor(x, y).lightness() < 128; };
    const auto darkColumn = [&](int x) {
        for (int y = 0; y < picture.height(); ++y) {
            if (dark(x, y))
                return true;
        }
        return false;
    };
    int x = header->sectionViewportPosition(section) + header->sectionSize(section) - 2;
    const int leftmost = x - 20;
    while (x > leftmost && !darkColumn(x))
        --x;
    const int arrowRight = x;
    while (x > leftmost && darkColumn(x))
        --x;
    const int arrowLeft = x + 1;
    int widest = 0, widestRow = -1, firstRow = -1, lastRow = -1;
    for (int y = 0; y < picture.height(); ++y) {
        int width = 0;
        for (int c = arrowLeft; c <= arrowRight; ++c)
            width += dark(c, y) ? 1 : 0;
        if (width == 0)
            continue;
        if (firstRow < 0)
            firstRow = y;
        lastRow = y;
        if (width > widest) {
            widest = width;
            widestRow = y;
        }
    }
    if (widestRow < 0 || firstRow == lastRow || arrowRight - arrowLeft > 12)
        return std::nullopt;
    return widestRow - firstRow > lastRow - widestRow;
}

QStringList shownColumn(QTreeView* tree, int column)
{
    QStringList texts;
    for (int r = 0; r < tree->model()->rowCount(); ++r)
        texts << tree->model()->index(r, column).data().toString();
    return texts;
}

// Catches a header that does not show the sorted column and its direction, or
// a header click that never reaches the list: a click sorts through the list's
// ColumnClick as a page wires it, and the screen shows rows and arrow after it.
TEST(SortIndicatorTest, TheHeaderShowsTheSortOfTheListAndClicksSortIt)
{
    widgetApplication();
    // Amounts are written with the decimal comma of the Dutch locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    struct RestoreLocale {
        QLocale locale;
        ~RestoreLocale() { QLocale::setDefault(locale); }
    } restore{previous};
    StrictUi ui;
    ListSortState state;
    Form form(u"frmTest"_s);
    form.setBounds(0, 0, 7000, 3000);
    auto& list = form.add<ListView>(form, u"lvwAgentnummers"_s);
    list.setBounds(120, 120, 6600, 2400);
    list.addColumn(u"MIJ"_s, u"Maatschappij"_s, 2400);
    list.addColumn(u"NR"_s, u"Agentnummer"_s, 1500);
    list.addColumn(u"RENTE"_s, u"Rente op-/afslag"_s, 2100, Alignment::Right);
    const struct {
        const char* company;
        const char* number;
        const char* rate;
    } rows[] = {{"Bank B", "200", "-1,00"}, {"Bank A", "300", "0,25"}, {"Bank C", "100", "-0,50"}};
    for (const auto& r : rows) {
        ListItem& item = list.addItem(QString::fromUtf8(r.company));
        item.setSubItem(1, QString::fromUtf8(r.number));
        item.setSubItem(2, QString::fromUtf8(r.rate));
    }
    list.ColumnClick.connect([&](ColumnHeader& header) {
        const int column = header.index - 1;
        SortListView(state, list, ui, column, column == 2 ? SortDataType::Numbers : SortDataType::Text,
                     SortSource::ShownText, false, ToggleOrder);
    });
    FormView view(form, TwipsScale{});
    view.show();
    runEvents();
    auto* tree = view.findChild<QTreeView*>(u"lvwAgentnummers"_s);
    ASSERT_NE(tree, nullptr);
    QHeaderView* header = tree->header();
    EXPECT_FALSE(header->isSortIndicatorShown()) << "no arrow before a sort";

    SetListViewSort(state, list, ui, 1, SortDataType::Text, 1, SortSource::ShownText, false);
    runEvents();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(arrowPointsUp(header, 1), false) << "descending: the arrow points down";
    EXPECT_EQ(arrowPointsUp(header, 0), std::nullopt) << "only the sorted column has an arrow";
    EXPECT_EQ(shownColumn(tree, 1), (QStringList{"300", "200", "100"}));

    struct Click {
        int section;
        int arrowSection;
        Qt::SortOrder order;
        QStringList column2;
    };
    const Click clicks[] = {
        {2, 2, Qt::AscendingOrder, {"-0,50", "-1,00", "0,25"}},
        {2, 2, Qt::DescendingOrder, {"0,25", "-1,00", "-0,50"}},
        {0, 0, Qt::AscendingOrder, {"0,25", "-1,00", "-0,50"}},
    };
    for (const Click& c : clicks) {
        clickHeader(header, c.section);
        runEvents();
        EXPECT_EQ(header->sortIndicatorSection(), c.arrowSection) << c.section;
        EXPECT_EQ(header->sortIndicatorOrder(), c.order) << c.section;
        EXPECT_EQ(arrowPointsUp(header, c.section), c.order == Qt::AscendingOrder) << c.section;
        EXPECT_EQ(shownColumn(tree, 2), c.column2) << c.section;
        EXPECT_EQ(header->count(), 3) << "the sort's own column never shows";
    }
}

} // namespace
