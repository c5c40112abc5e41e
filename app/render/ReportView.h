#pragma once

#include "app/render/ControlView.h"

class QTreeView;

namespace tarvelo {

class ListView;
class ListViewModel;

// A report-style list view: a tree view without branches over the control
// model's rows, with check boxes, bold rows, column widths in twips and the
// header's sort indicator taken from the columns' sort pictures.
class ReportView final : public FieldView {
public:
    ReportView(FormView& owner, ListView& list, QWidget* parent);
    void syncLists() override;

private:
    void syncProperty(Property property) override;
    void showModelState() override { syncLists(); }
    // The model reads the list control, which is about to go.
    void released() override;
    void syncColumns();
    void syncSelection();

    ListView& list_;
    QTreeView* tree_;
    ListViewModel* model_;
    bool columnsChanged_ = true;
    // A click on a row's check box ticks it; it is not also a click on the row.
    bool checkedByClick_ = false;
};

} // namespace tarvelo
