#include "app/render/ListViewModel.h"

#include "app/render/QtConversions.h"
#include "framework/forms/ListView.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace tarvelo {

namespace {
// How many rows decide whether a column holds numbers: enough to know the
// column, few enough that a list of 100,000 rows stays quick to refresh.
constexpr int NumberSample = 200;

// A number as the lists show them: "12", "-0,05", "1.000,00", "5,25 %",
// "€ 1.234"; not a date, a code with letters or a telephone number.
bool readsAsNumber(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u'€'))
        text = text.mid(1).trimmed();
    if (text.endsWith(u'%'))
        text = text.chopped(1).trimmed();
    if (text.startsWith(u'-') || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty() || !text.front().isDigit() || !text.back().isDigit())
        return false;
    int commas = 0;
    for (QChar c : text) {
        if (c == u',' || c == u'.') {
            commas += c == u',';
            continue;
        }
        if (!c.isDigit())
            return false;
    }
    return commas <= 1;
}
} // namespace

ListViewModel::ListViewModel(ListView& list, QObject* parent) : QAbstractTableModel(parent), list_(list)
{
    rows_ = list_.count();
    columns_ = std::max(1, list_.columnCount());
    findNumberColumns();
}

void ListViewModel::findNumberColumns()
{
    numbers_.assign(std::size_t(list_.columnCount()), false);
    const int rows = std::min(list_.count(), NumberSample);
    for (int c = 0; c < list_.columnCount(); ++c) {
        bool any = false;
        bool all = true;
        for (int r = 1; all && r <= rows; ++r) {
            // A blank cell (some lists write a space for none) says nothing.
            const QStringView text = QStringView(list_.item(r).columnText(c)).trimmed();
            if (text.isEmpty())
                continue;
            any = true;
            all = readsAsNumber(text);
        }
        numbers_[std::size_t(c)] = any && all;
    }
}

Qt::Alignment ListViewModel::alignment(int column) const
{
    // A column the page aligned keeps it; numbers and amounts read right-aligned.
    const Alignment declared = list_.column(column + 1).alignment;
    if (declared == Alignment::Left && std::size_t(column) < numbers_.size() && numbers_[std::size_t(column)])
        return Qt::AlignRight;
    return toQtAlignment(declared);
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
            return QVariant::fromValue(alignment(column) | Qt::AlignVCenter);
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
        return QVariant::fromValue(
            (header.alignment == Alignment::Left ? alignment(section) : toQtAlignment(header.alignment)) |
            Qt::AlignVCenter);
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
    findNumberColumns();
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
