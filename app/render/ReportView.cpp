#include "app/render/ReportView.h"

#include "app/render/ListViewModel.h"
#include "framework/forms/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QProxyStyle>
#include <QStyleOptionHeaderV2>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <algorithm>
#include <utility>

namespace tarvelo {

namespace {
// The header's sort pictures as a list view has always drawn them: an arrow
// up over a column sorted ascending, down over one sorted descending. Qt's
// styles draw them the other way round.
class SortPictureStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_IndicatorHeaderArrow) {
            if (const auto* v2 = qstyleoption_cast<const QStyleOptionHeaderV2*>(option)) {
                QStyleOptionHeaderV2 turned(*v2);
                turnRound(turned);
                QProxyStyle::drawPrimitive(element, &turned, painter, widget);
                return;
            }
            if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
                QStyleOptionHeader turned(*header);
                turnRound(turned);
                QProxyStyle::drawPrimitive(element, &turned, painter, widget);
                return;
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    static void turnRound(QStyleOptionHeader& option)
    {
        if (option.sortIndicator == QStyleOptionHeader::SortUp)
            option.sortIndicator = QStyleOptionHeader::SortDown;
        else if (option.sortIndicator == QStyleOptionHeader::SortDown)
            option.sortIndicator = QStyleOptionHeader::SortUp;
    }
};
// The tree's own measure of a column's cells (the rows on screen and up to
// the header's precision around them), which Qt keeps protected.
class ReportTree final : public QTreeView {
public:
    using QTreeView::QTreeView;
    int cellsWidth(int column) const { return std::max(0, sizeHintForColumn(column)); }
};

// Rows tall enough for their check boxes, with room around them, and the
// whole text of a cell that does not fit as its tooltip.
class ReportDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.flags() & Qt::ItemIsUserCheckable) {
            const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
            const int indicator = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget);
            size.setHeight(std::max(size.height(), indicator + 6));
        }
        return size;
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() == QEvent::ToolTip && index.isValid() && index.data(Qt::ToolTipRole).isNull()) {
            QStyleOptionViewItem shown = option;
            initStyleOption(&shown, index);
            const QStyle* style = view->style();
            const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &shown, view);
            const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
            if (shown.fontMetrics.horizontalAdvance(shown.text) > room.width() - 2 * margin) {
                QToolTip::showText(event->globalPos(), shown.text, view->viewport(), option.rect);
                return true;
            }
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
};
} // namespace

ReportView::ReportView(FormView& owner, ListView& list, QWidget* parent)
    : FieldView(owner, list),
      list_(list),
      tree_(new ReportTree(parent)),
      model_(new ListViewModel(list, tree_))
{
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSortingEnabled(false);
    tree_->setModel(model_);
    tree_->setItemDelegate(new ReportDelegate(tree_));
    tree_->setTextElideMode(Qt::ElideRight);
    tree_->header()->setSectionsMovable(false);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionsClickable(true);
    // Without a base of its own the proxy makes its own copy of the program's style.
    auto* pictures = new SortPictureStyle;
    pictures->setParent(tree_); // outlives the header, which is older
    tree_->header()->setStyle(pictures);
    setWidget(tree_);
    watch(tree_->viewport());
    // A column the user widened or narrowed keeps the width he gave it.
    QObject::connect(tree_->header(), &QHeaderView::sectionResized, this, [this] {
        if (!fitting_)
            userSized_ = true;
    });

    model_->onUserCheck = [this](int row, bool on) {
        // A mouse click that ticked the box is followed, in the same event, by
        // the view's clicked signal; the flag lasts until the next turn only.
        checkedByClick_ = true;
        QTimer::singleShot(0, this, [this] { checkedByClick_ = false; });
        forward([this, row, on] { list_.checkItem(row + 1, on); });
    };
    QObject::connect(tree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (std::exchange(checkedByClick_, false))
            return;
        forward([this, index] { list_.clickItem(index.row() + 1); });
    });
    QObject::connect(tree_, &QTreeView::doubleClicked, this,
                     [this](const QModelIndex&) { forward([this] { list_.doubleClick(); }); });
    QObject::connect(tree_->header(), &QHeaderView::sectionClicked, this,
                     [this](int section) { forward([this, section] { list_.clickColumn(section + 1); }); });
    // The keyboard moves the selection like a click on the new row.
    QObject::connect(tree_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                     [this](const QModelIndex& current, const QModelIndex&) {
                         if (current.isValid() && QApplication::mouseButtons() == Qt::NoButton && !syncing())
                             forward([this, current] { list_.clickItem(current.row() + 1); });
                     });
}

void ReportView::released() { tree_->setModel(nullptr); }

void ReportView::syncProperty(Property property)
{
    switch (property) {
    case Property::Other:
        tree_->setSelectionMode(list_.multiSelect() ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
        tree_->setSelectionBehavior(list_.fullRowSelect() ? QAbstractItemView::SelectRows
                                                          : QAbstractItemView::SelectItems);
        scheduleLists();
        break;
    case Property::Columns:
        columnsChanged_ = true;
        userSized_ = false;
        scheduleLists();
        break;
    case Property::Items:
        contentsChanged_ = true;
        scheduleLists();
        break;
    case Property::Selection: scheduleLists(); break;
    case Property::Bounds: fitColumns(); break;
    default: break;
    }
}

void ReportView::syncLists()
{
    silently([this] {
        const QSignalBlocker blockSelection(tree_->selectionModel());
        model_->refresh();
        syncColumns();
        syncSelection();
        if (ListItem* target = list_.scrolledTo())
            tree_->scrollTo(model_->index(target->index() - 1, 0));
    });
    tree_->viewport()->update();
}

void ReportView::syncColumns()
{
    QHeaderView* header = tree_->header();
    header->setVisible(list_.columnCount() > 0);
    int sortColumn = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    for (int c = 1; c <= list_.columnCount(); ++c) {
        if (list_.column(c).sortPicture >= 0) {
            sortColumn = c - 1;
            order = list_.column(c).sortPicture == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
            break;
        }
    }
    // The headers take room for the sort picture once there is one.
    if (header->isSortIndicatorShown() != (sortColumn >= 0))
        contentsChanged_ = true;
    header->setSortIndicatorShown(sortColumn >= 0);
    if (sortColumn >= 0)
        header->setSortIndicator(sortColumn, order);
    if (columnsChanged_ || contentsChanged_)
        fitColumns();
}

void ReportView::fitColumns()
{
    const int columns = list_.columnCount();
    if (columns == 0 || userSized_)
        return;
    const bool measure = columnsChanged_ || contentsChanged_ || int(cellWidths_.size()) != columns;
    if (measure)
        cellWidths_.assign(columns, 0);
    columnsChanged_ = contentsChanged_ = false;
    fitting_ = true;
    QHeaderView* header = tree_->header();
    // Each column as wide as its header or its widest cell, whichever is
    // wider; a column the page gave no width stays hidden.
    std::vector<int> wanted(columns, 0), least(columns, 0);
    int last = -1;
    for (int c = 0; c < columns; ++c) {
        if (list_.column(c + 1).width <= 0)
            continue;
        least[c] = header->sectionSizeHint(c);
        if (measure)
            cellWidths_[c] = static_cast<ReportTree*>(tree_)->cellsWidth(c);
        wanted[c] = std::max(least[c], cellWidths_[c]);
        last = c;
    }
    // The room inside the list, less a vertical scroll bar when the rows need one.
    QSize room = tree_->maximumViewportSize();
    const int rowsHeight =
        list_.count() * std::max(1, tree_->sizeHintForRow(0)) + (header->isVisible() ? header->sizeHint().height() : 0);
    if (rowsHeight > room.height())
        room.rwidth() -= tree_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree_);
    const int width = std::max(0, room.width());
    const auto total = [&](int cap) {
        int sum = 0;
        for (int c = 0; c < columns; ++c)
            sum += std::max(least[c], std::min(wanted[c], cap));
        return sum;
    };
    // Too wide: the widest cells give way first, down to their headers, and
    // are elided; what still does not fit scrolls.
    int cap = *std::max_element(wanted.begin(), wanted.end());
    if (total(cap) > width) {
        int low = 0;
        while (low < cap) {
            const int mid = (low + cap + 1) / 2;
            if (total(mid) <= width)
                low = mid;
            else
                cap = mid - 1;
        }
    }
    int used = 0;
    for (int c = 0; c < columns; ++c) {
        const int size = wanted[c] == 0 ? 0 : std::max(least[c], std::min(wanted[c], cap));
        header->resizeSection(c, size);
        used += size;
    }
    // The last column fills the rest of the list.
    if (last >= 0 && used < width)
        header->resizeSection(last, header->sectionSize(last) + width - used);
    fitting_ = false;
}

bool ReportView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_->viewport() && event->type() == QEvent::FontChange) {
        // The cells are measured again in the font they are now drawn in.
        contentsChanged_ = true;
        scheduleLists();
    }
    // Also while the page is laid out: the list's room is known only now, and
    // columns fitted to its room before would scroll sideways in the first frame.
    if (watched == tree_->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return FieldView::eventFilter(watched, event);
}

void ReportView::syncSelection()
{
    QItemSelection selection;
    QModelIndex current;
    const int lastColumn = model_->columnCount() - 1;
    for (int r = 1; r <= list_.count(); ++r) {
        if (!list_.item(r).selected())
            continue;
        selection.select(model_->index(r - 1, 0), model_->index(r - 1, lastColumn));
        if (!current.isValid())
            current = model_->index(r - 1, 0);
    }
    QItemSelectionModel* model = tree_->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current.isValid())
        model->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

} // namespace tarvelo
