#pragma once

#include "host/office/ChangeHistory.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarvelo {

class SettingCatalogue;
class Ui;

// The change history as a list, newest first and numbered from 1: when, who,
// on which page, which setting and from what to what in the screen's words,
// and how it was made. The code names and stored values are a column that can
// be shown. The list can be filtered by page, adviser, setting and period and
// exported as CSV; the chosen line can be taken back.
class ChangeHistoryDialog final : public QDialog {
public:
    // What changed first, then who, where and how: on a narrow screen the
    // values stay in view.
    enum Column { Nr, When, Setting, OldValue, NewValue, Adviser, Page, How, Name, StoredOld, StoredNew, Columns };

    // pageTitles maps a page's class name to its name in the page list;
    // caption is the title while no page is chosen in the filter.
    ChangeHistoryDialog(const QString& caption, std::vector<ChangeEntry> entries, const SettingCatalogue& catalogue,
                        QHash<QString, QString> pageTitles, Ui& ui, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    void setEntries(std::vector<ChangeEntry> entries);

    // The filters; empty or null means any. A page is a choice of the page
    // filter also when it has no changes.
    void filter(const QString& page, const QString& adviser, const QString& setting, const QDate& from = {},
                const QDate& to = {});
    // The lines the filters let through, in list order.
    int shownLines() const;
    // Shows or hides the code names and stored values.
    void showCodeNames(bool on);

    // Takes back the entry on list line i (of the lines shown); the window's
    // revert does the work and says why when it refuses.
    std::function<bool(const ChangeEntry&)> onRevert;
    bool revertLine(int i);

    // Writes the lines shown as CSV (semicolon-separated) into file, whole or
    // not at all; false with a Dutch reason when it cannot be written.
    bool exportCsv(const QString& file, QString* why = nullptr) const;

private:
    void fill();
    void applyFilter();
    void exportChosen();
    void fitColumns();
    const ChangeEntry* entryOf(int shownLine) const;

    std::vector<ChangeEntry> entries_;
    const SettingCatalogue& catalogue_;
    QHash<QString, QString> pageTitles_;
    Ui& ui_;
    QString caption_;
    QTreeWidget* list_;
    QLabel* none_;
    QComboBox* page_;
    QComboBox* adviser_;
    QLineEdit* setting_;
    QCheckBox* period_;
    QDateEdit* from_;
    QDateEdit* to_;
    QCheckBox* codeNames_;
    QPushButton* revert_;
    QPushButton* export_;
};

} // namespace tarvelo
