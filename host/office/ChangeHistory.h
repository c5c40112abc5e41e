#pragma once

#include "framework/host/ChangeEntry.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <utility>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class OfficeDatabase;

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
// Adds entries, many rows to a statement: a save of many settings costs a
// few statements, not one per setting.
void record(const OfficeDatabase& database, const std::vector<ChangeEntry>& entries);
// The statements record runs for these entries, with their values.
QList<std::pair<QString, QVariantList>> statements(const std::vector<ChangeEntry>& entries);
// The entries, newest first: all of them, or those made on one page.
std::vector<ChangeEntry> entries(const OfficeDatabase& database, const QString& page = {});

} // namespace ChangeHistory
} // namespace tarvelo
