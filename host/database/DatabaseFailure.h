#pragma once

#include <QSqlError>
#include <QString>

namespace tarvelo {

struct DatabaseLocation;

// The one place where a failure of the office database becomes what a user
// reads: the common causes in Dutch, each with what the user or the
// administrator can do, told by the server's error code (SQLSTATE) where
// there is one. The driver's own text is kept for the administrator, as the
// details part of the message (framework/ui/MessageDetails.h).
namespace DatabaseFailure {

// A statement's failure whose cause is known (another workstation holds a
// lock, no answer in time, no rights, a value the server cannot store, the
// file in use); empty otherwise. writing: the statement would change data.
QString knownCause(const QSqlError& error, bool writing = true);

// Why a connection to the office database on the server could not be made,
// in Dutch, with the driver's text as details: the server not reachable, the
// login refused (user or password), the database missing, no right to open
// it, too many connections, no answer in time. error is what the driver
// said; elapsedMilliseconds how long the attempt took.
QString connectFailure(const DatabaseLocation& location, const QSqlError& error, qint64 elapsedMilliseconds);

// The seconds a connection attempt to the server may take.
inline constexpr int ConnectSeconds = 5;

} // namespace DatabaseFailure

} // namespace tarvelo
