#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvelo {

// The office database on a server (provider "MSSQL") is a PostgreSQL database.
// A server is written "host" or "host:port" (a comma instead of the colon is
// accepted too, as server names are often written); the user and password come
// from the connection environment (PGUSER, PGPASSWORD or ~/.pgpass).
struct ServerAddress {
    QString host;
    int port = 5432;

    static ServerAddress parse(const QString& server);
};

// The advisory lock under which programs make or complete an office on a
// server, one at a time (a database-wide key of the server's advisory locks).
inline constexpr qint64 OfficeCreationLock = 0x54766c4b616e746fLL;

// The options of the office's sessions on the server: keep-alive and timeouts.
QString serverSessionOptions();

// Opens and closes a connection; returns "" when it worked, else why not, in
// Dutch (DatabaseFailure::connectFailure).
QString testServerConnection(const QString& server, const QString& databaseName);

} // namespace tarvelo
