#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class OfficeDatabase;

// One changed setting: who changed which setting of which settings object
// from what to what, and when. Secret settings (passwords, tokens) are
// recorded as changed, without their values.
struct ChangeEntry {
    QDateTime when;
    QString adviserCode;
    QString adviserName;
    QString object;  // "Setup" or "GlobalSetup"
    QString setting;
    std::optional<QString> oldValue;
    std::optional<QString> newValue;
    bool secret = false;
    QString page;    // the page on which the change was made, when known
};

namespace ChangeHistory {

inline const QString SetupObject = u"Setup"_s;
inline const QString GlobalSetupObject = u"GlobalSetup"_s;

// Adds an entry; the caller runs it inside the transaction of the save.
void record(const OfficeDatabase& database, const ChangeEntry& entry);
// Adds entries, many rows to a statement: a save of many settings costs a
// few statements, not one per setting.
void record(const OfficeDatabase& database, const std::vector<ChangeEntry>& entries);
// The entries, newest first: all of them, or those made on one page.
std::vector<ChangeEntry> entries(const OfficeDatabase& database, const QString& page = {});

} // namespace ChangeHistory
} // namespace tarvelo
