#include "host/database/ServerConnection.h"

#include "host/database/DatabaseFailure.h"
#include "host/database/ServerDriver.h"
#include "host/database/SqlConnection.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace tarvelo {

ServerAddress ServerAddress::parse(const QString& server)
{
    ServerAddress address;
    QString text = server.trimmed();
    const qsizetype separator = std::max(text.lastIndexOf(QLatin1Char(':')), text.lastIndexOf(QLatin1Char(',')));
    if (separator > 0) {
        bool ok = false;
        const int port = text.mid(separator + 1).trimmed().toInt(&ok);
        if (ok && port > 0 && port < 65536) {
            address.port = port;
            text = text.left(separator).trimmed();
        }
    }
    address.host = text;
    return address;
}

// A server that goes away unnoticed is found by the keep-alive; one that
// keeps a statement waiting (for a lock another workstation holds, or for
// itself) ends it before this program stops waiting for its answer; a
// transaction left open by a program that stopped answering ends after a
// minute, with the locks it held.
QString serverSessionOptions()
{
    return u"connect_timeout=%3;keepalives=1;keepalives_idle=5;keepalives_interval=2;keepalives_count=3;"
           "options='-c statement_timeout=%1 -c lock_timeout=%2 -c idle_in_transaction_session_timeout=60000'"_s
               .arg(SqlConnection::ServerStatementTimeout.count())
               .arg(SqlConnection::ServerLockTimeout.count())
               .arg(DatabaseFailure::ConnectSeconds);
}

QString testServerConnection(const QString& server, const QString& databaseName)
{
    if (server.trimmed().isEmpty())
        return u"Er is geen server opgegeven."_s;
    if (databaseName.trimmed().isEmpty())
        return u"Er is geen databasenaam opgegeven."_s;
    const QString connectionName = u"verbindingstest-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(new ServerDriver, connectionName);
        const ServerAddress address = ServerAddress::parse(server);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(databaseName);
        db.setConnectOptions(u"connect_timeout=%1"_s.arg(DatabaseFailure::ConnectSeconds));
        QElapsedTimer clock;
        clock.start();
        if (!db.open())
            error = DatabaseFailure::connectFailure({u"MSSQL"_s, QString(), server, databaseName}, db.lastError(),
                                                    clock.elapsed());
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return error;
}

} // namespace tarvelo
