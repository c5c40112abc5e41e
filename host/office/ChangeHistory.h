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
    // How it was made: empty in the settings window, else "opdrachtregel",
    // "importeren", "terugdraaien" or a combination ("opdrachtregel: terugdraaien").
    QString how;
    qint64 id = 0;   // the entry's number in the history, given when recorded
};

namespace ChangeHistory {

inline const QString SetupObject = u"Setup"_s;
inline const QString GlobalSetupObject = u"GlobalSetup"_s;
inline const QString ByCommandLine = u"opdrachtregel"_s;
inline const QString ByImport = u"importeren"_s;
inline const QString ByRevert = u"terugdraaien"_s;
// How a change made in the window reads.
inline const QString InWindow = u"instellingenvenster"_s;

// Adds an entry; the caller runs it inside the transaction of the save.
void record(const OfficeDatabase& database, const ChangeEntry& entry);
// The entries, newest first: all of them, or those made on one page.
std::vector<ChangeEntry> entries(const OfficeDatabase& database, const QString& page = {});

} // namespace ChangeHistory
} // namespace tarvelo
