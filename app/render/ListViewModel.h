#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace tarvelo {

class ListView;

// The rows of a report-style list view as a Qt table model, read straight
// from the control model: nothing is copied, so a list of 100,000 rows costs
// only the rows on screen. The shape (row and column counts) is taken over in
// refresh(), which the view calls once per turn of the event loop.
class ListViewModel final : public QAbstractTableModel {
public:
    explicit ListViewModel(ListView& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Follows the control model: a new shape resets, the same shape repaints.
    void refresh();

    // A user ticks or unticks a row's check box (row from 0).
    std::function<void(int row, bool on)> onUserCheck;

    // The alignment a column's cells and header are drawn with.
    Qt::Alignment alignment(int column) const;

private:
    bool live(int row) const;
    void findNumberColumns();

    ListView& list_;
    int rows_ = 0;
    int columns_ = 1;
    std::vector<bool> numbers_; // per column: every cell read is a number
};

} // namespace tarvelo
