#include "app/render/ReportView.h"

#include "app/render/ListViewModel.h"
#include "framework/forms/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <algorithm>
#include <QItemSelectionModel>
#include <QProxyStyle>
#include <QStyleOptionHeaderV2>
#include <QTimer>
#include <QTreeView>
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
} // namespace

ReportView::ReportView(FormView& owner, ListView& list, QWidget* parent)
    : FieldView(owner, list), list_(list), tree_(new QTreeView(parent)), model_(new ListViewModel(list, tree_))
{
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSortingEnabled(false);
    tree_->setModel(model_);
    tree_->header()->setSectionsMovable(false);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionsClickable(true);
    // Without a base of its own the proxy makes its own copy of the program's style.
    auto* pictures = new SortPictureStyle;
    pictures->setParent(tree_); // outlives the header, which is older
    tree_->header()->setStyle(pictures);
    setWidget(tree_);
    watch(tree_->viewport());

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
        scheduleLists();
        break;
    case Property::Items:
    case Property::Selection: scheduleLists(); break;
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
    if (columnsChanged_) {
        // A column is never narrower than its header reads; a column the
        // page gives no width stays hidden.
        for (int c = 1; c <= list_.columnCount(); ++c) {
            const int declared = scale().x(list_.column(c).width);
            header->resizeSection(c - 1, declared > 0 ? std::max(declared, header->sectionSizeHint(c - 1))
                                                      : 0);
        }
        columnsChanged_ = false;
    }
    int sortColumn = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    for (int c = 1; c <= list_.columnCount(); ++c) {
        if (list_.column(c).sortPicture >= 0) {
            sortColumn = c - 1;
            order = list_.column(c).sortPicture == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
            break;
        }
    }
    header->setSortIndicatorShown(sortColumn >= 0);
    if (sortColumn >= 0)
        header->setSortIndicator(sortColumn, order);
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
