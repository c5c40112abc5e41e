#include "app/render/ListViewModel.h"

#include "app/render/QtConversions.h"
#include "framework/forms/ListView.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace tarvelo {

ListViewModel::ListViewModel(ListView& list, QObject* parent) : QAbstractTableModel(parent), list_(list)
{
    rows_ = list_.count();
    columns_ = std::max(1, list_.columnCount());
}

int ListViewModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ListViewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

// Between a change of the list and the next refresh the view may still ask
// for a row that is gone; such a row reads as empty.
bool ListViewModel::live(int row) const { return row >= 0 && row < list_.count(); }

QVariant ListViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !live(index.row()))
        return {};
    const ListItem& item = list_.item(index.row() + 1);
    const int column = index.column();
    const ListSubItem* sub = column > 0 ? item.findSubItem(column) : nullptr;
    switch (role) {
    case Qt::DisplayRole: return item.columnText(column);
    case Qt::CheckStateRole:
        if (column == 0 && list_.checkboxes())
            return item.checked() ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::FontRole: {
        const bool bold = column == 0 ? item.bold() : (sub && sub->bold);
        if (!bold)
            return {};
        QFont f = toQFont(list_.font());
        f.setBold(true);
        return f;
    }
    case Qt::ForegroundRole: {
        const Colour c = column == 0 ? item.foreColor() : (sub ? sub->foreColor : SystemColour::WindowText);
        if (c == SystemColour::WindowText)
            return {};
        return toQColor(c, QApplication::palette());
    }
    case Qt::TextAlignmentRole:
        if (column < list_.columnCount())
            return QVariant::fromValue(toQtAlignment(list_.column(column + 1).alignment) | Qt::AlignVCenter);
        return {};
    default: return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section >= list_.columnCount())
        return {};
    const ColumnHeader& header = list_.column(section + 1);
    if (role == Qt::DisplayRole)
        return header.text;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(toQtAlignment(header.alignment) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 && list_.checkboxes())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ListViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !live(index.row()) || !onUserCheck)
        return false;
    onUserCheck(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void ListViewModel::refresh()
{
    const int rows = list_.count();
    const int columns = std::max(1, list_.columnCount());
    if (rows != rows_ || columns != columns_) {
        beginResetModel();
        rows_ = rows;
        columns_ = columns;
        endResetModel();
        return;
    }
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

} // namespace tarvelo
