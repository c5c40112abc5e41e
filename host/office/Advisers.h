#pragma once

#include <QString>

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
// The login name of the workstation user.
QString loginName();
} // namespace Advisers

} // namespace tarvelo
