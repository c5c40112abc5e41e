#pragma once

#include "app/render/ControlView.h"

#include <vector>

class QTreeView;

namespace tarvelo {

class ListView;
class ListViewModel;

// A report-style list view: a tree view without branches over the control
// model's rows, with check boxes, bold rows and the header's sort indicator
// taken from the columns' sort pictures. Columns fit their header or widest
// cell and the last fills the list; a column the page gives no width stays
// hidden, and one the user resizes keeps his width.
class ReportView final : public FieldView {
public:
    ReportView(FormView& owner, ListView& list, QWidget* parent);
    void syncLists() override;

private:
    // Read as it is when locked: the model refuses a change, and the view shows the model again.
    bool readOnlyWhenLocked() const override { return true; }
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }
    // The model reads the list control, which is about to go.
    void released() override;
    void syncColumns();
    // Columns as wide as their contents; the last one fills the list.
    void fitColumns();
    void syncSelection();
    bool eventFilter(QObject* watched, QEvent* event) override;

    ListView& list_;
    QTreeView* tree_;
    ListViewModel* model_;
    bool columnsChanged_ = true;
    bool contentsChanged_ = true;
    // The widest cell of each column, measured when the rows, the columns or
    // the font change: a list of a thousand rows is measured once, not at each
    // move or resize while the page is laid out.
    std::vector<int> cellWidths_;
    bool fitting_ = false;
    bool userSized_ = false;
    // A click on a row's check box ticks it; it is not also a click on the row.
    bool checkedByClick_ = false;
};

} // namespace tarvelo
