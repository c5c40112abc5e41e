#include "app/ColumnFit.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>

namespace tarvelo {

void fitColumnsAndDialog(QWidget& dialog, QTreeWidget& list, int most, QSize least)
{
    int columns = 0;
    for (int c = 0; c < list.columnCount(); ++c) {
        if (list.isColumnHidden(c))
            continue;
        list.resizeColumnToContents(c);
        list.setColumnWidth(c, std::min(list.columnWidth(c), most));
        columns += list.columnWidth(c);
    }
    const int margins = dialog.layout() ? dialog.layout()->contentsMargins().left() +
                                              dialog.layout()->contentsMargins().right()
                                        : 0;
    const int wanted = columns + 2 * list.frameWidth() + list.style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                       margins;
    const QSize room = dialog.screen() ? dialog.screen()->availableGeometry().size() * 19 / 20 : QSize(1600, 1000);
    dialog.resize(std::clamp(wanted, least.width(), std::max(least.width(), room.width())),
                  std::min(least.height(), room.height()));
}

} // namespace tarvelo
