#pragma once

#include <QString>
#include <QVariantList>

#include <optional>
#include <utility>

namespace tarvelo {

class OfficeDatabase;

// The adviser who works with the program: whose Setup is loaded and stored,
// and who is named in the change history.
struct AdviserIdentity {
    QString code; // empty when the office has no advisers yet
    QString name;
};

namespace Advisers {
// The adviser whose login name is the workstation user's; otherwise the first
// administrator, otherwise the first adviser; without advisers the workstation
// user by login name.
AdviserIdentity current(const OfficeDatabase& database, const QString& loginName);
// The statement current runs, with its values, for reading it ahead.
std::pair<QString, QVariantList> currentRead(const QString& loginName);
// The login name of the workstation user.
QString loginName();
// The adviser with this login name or code; nothing when there is none.
std::optional<AdviserIdentity> find(const OfficeDatabase& database, const QString& loginOrCode);
// Whether the adviser with this code has the administrator's role.
bool isAdministrator(const OfficeDatabase& database, const QString& code);
} // namespace Advisers

} // namespace tarvelo
