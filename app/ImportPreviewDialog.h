#pragma once

#include "host/admin/SettingsProfile.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

namespace tarvelo {

// What an import would change: one line per setting (setting, current value,
// new value) with a check box each, and what will not be applied.
class ImportPreviewDialog final : public QDialog {
public:
    explicit ImportPreviewDialog(ImportPlan plan, QWidget* parent = nullptr);

    // The lines still ticked.
    std::vector<ProfileDifference> chosen() const;
    void setChecked(int line, bool on);

private:
    ImportPlan plan_;
    QTreeWidget* list_;
};

} // namespace tarvelo
