#include "app/ColumnFit.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace tarvelo {

namespace {
struct FittedColumn {
    int column;
    int width;
    int least; // the header's own width: a column never hides its name
};

// Narrows the widest columns first until all fit in room; a cut text shows
// whole in its tooltip.
void shrinkToRoom(std::vector<FittedColumn>& columns, int room)
{
    const auto total = [&] {
        int sum = 0;
        for (const FittedColumn& c : columns)
            sum += c.width;
        return sum;
    };
    for (int excess = total() - room; excess > 0; excess = total() - room) {
        FittedColumn* widest = nullptr;
        for (FittedColumn& c : columns)
            if (c.width > c.least && (!widest || c.width > widest->width))
                widest = &c;
        if (!widest)
            return;   // the headers alone need more room
        int next = 0; // the widest of the others: narrowed no further than that at first
        for (const FittedColumn& c : columns)
            if (&c != widest)
                next = std::max(next, c.width);
        const int to = std::max({widest->least, next, widest->width - excess});
        widest->width = to < widest->width ? to : std::max(widest->least, widest->width - excess);
    }
}
} // namespace

void fitColumnsAndDialog(QWidget& dialog, QTreeWidget& list, int most, QSize least)
{
    std::vector<FittedColumn> columns;
    for (int c = 0; c < list.columnCount(); ++c) {
        if (list.isColumnHidden(c))
            continue;
        list.resizeColumnToContents(c);
        // A widget in a cell (a choice) counts as its contents.
        int width = list.columnWidth(c);
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            if (QWidget* w = list.itemWidget(list.topLevelItem(row), c))
                width = std::max(width, w->sizeHint().width());
        const int header = list.header()->sectionSizeHint(c);
        columns.push_back({c, std::min(width, std::max(most, header)), header});
    }
    const int margins =
        dialog.layout() ? dialog.layout()->contentsMargins().left() + dialog.layout()->contentsMargins().right() : 0;
    const int around = 2 * list.frameWidth() + list.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins;
    const QSize room = dialog.screen() ? dialog.screen()->availableGeometry().size() * 19 / 20 : QSize(1600, 1000);
    shrinkToRoom(columns, std::max(least.width(), room.width()) - around);
    int wanted = around;
    for (const FittedColumn& c : columns) {
        list.setColumnWidth(c.column, c.width);
        wanted += c.width;
    }
    dialog.resize(std::clamp(wanted, least.width(), std::max(least.width(), room.width())),
                  std::min(least.height(), room.height()));
}

} // namespace tarvelo
