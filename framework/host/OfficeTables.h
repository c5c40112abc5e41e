#pragma once

#include "TarveloExport.h"

#include <QString>
#include <QStringList>

namespace tarvelo {

using namespace Qt::StringLiterals;

// The tables of the office database whose changes other workstations learn
// of while their settings window is open: the settings records, the shared
// lists (agent numbers, advisers and their rights, branches, notaries,
// subscriptions, purchase combinations) and the office's data per company.
// Names in lower case, as the server reports them; a page names those it
// shows (SettingsPage::showsOfficeTables).
namespace OfficeTables {
inline const QString GlobalSetup = u"kantoorinstellingen"_s;
inline const QString Setup = u"instellingen"_s;
TARVELO_EXPORT const QStringList& watched();
// The office's data per company: agent numbers and the company lists.
TARVELO_EXPORT const QStringList& companyData();
// The advisers, their own data and rights, and the branches.
TARVELO_EXPORT const QStringList& advisers();
// Whether a change of this table changes what the company catalogue holds.
TARVELO_EXPORT bool isCompanyData(const QString& table);
} // namespace OfficeTables

} // namespace tarvelo
