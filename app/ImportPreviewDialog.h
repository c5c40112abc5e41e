#pragma once

#include "host/admin/SettingsProfile.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

namespace tarvelo {

class SettingCatalogue;

// What an import would change: one line per setting (setting, current value,
// new value, in the screen's words; the page that shows it) with a check box
// each, and what will not be applied.
class ImportPreviewDialog final : public QDialog {
public:
    ImportPreviewDialog(ImportPlan plan, const SettingCatalogue& catalogue, QWidget* parent = nullptr);

    // The lines still ticked.
    std::vector<ProfileDifference> chosen() const;
    void setChecked(int line, bool on);

private:
    ImportPlan plan_;
    QTreeWidget* list_;
};

} // namespace tarvelo
