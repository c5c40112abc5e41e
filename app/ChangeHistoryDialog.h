#pragma once

#include "host/office/ChangeHistory.h"

#include <QDialog>
#include <QHash>
#include <vector>

class QTreeWidget;

namespace tarvelo {

class Settings;

// The change history as a list, newest first: when, who, which setting, from
// what to what, and on which page. Secret settings show that they changed.
class ChangeHistoryDialog final : public QDialog {
public:
    // pageTitles maps a page's class name to its title.
    ChangeHistoryDialog(const QString& caption, const std::vector<ChangeEntry>& entries, const Settings& types,
                        const QHash<QString, QString>& pageTitles, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }

    // A stored value as the user reads it: "Ja"/"Nee" for a Boolean, a date
    // as dd-mm-jjjj, "(leeg)" for nothing.
    static QString displayValue(const std::optional<QString>& value, bool secret, const Settings& types,
                                const QString& setting);

private:
    QTreeWidget* list_;
};

} // namespace tarvelo
