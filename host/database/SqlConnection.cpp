#include "host/database/SqlConnection.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/ServerConnection.h"
#include "host/database/SnapshotRecordset.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

const QString DatabaseSource = u"Quenmarix database"_s;

RuntimeError databaseError(const QSqlError& error, const QString& statement = QString())
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (!statement.isEmpty())
        text += u" [%1]"_s.arg(statement);
    return RuntimeError(-2147217900L, text, DatabaseSource);
}

// Len: characters of a text; Datalength: its bytes. Both NULL for NULL.
void sqliteLen(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    sqlite3_result_int64(context, QString::fromUtf8(text, bytes).size());
}

void sqliteDatalength(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int64(context, sqlite3_value_bytes(argv[0]));
}

// One QSqlQuery prepared on the engine; each run binds the values by position.
class SqlPreparedStatement final : public PreparedStatement {
public:
    SqlPreparedStatement(const QSqlDatabase& db, const QString& statement, const QString& sql)
        : query_(db), statement_(statement)
    {
        if (!query_.prepare(sql))
            throw databaseError(query_.lastError(), statement_);
    }

    int Execute(const QVariantList& values) override
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            query_.bindValue(int(i), values.at(i));
        if (!query_.exec())
            throw databaseError(query_.lastError(), statement_);
        return query_.numRowsAffected();
    }

private:
    QSqlQuery query_;
    QString statement_;
};

} // namespace

SqlConnection::SqlConnection(const DatabaseLocation& location)
    : connectionName_(u"kantoor-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      provider_(location.provider)
{
    const bool server = provider_ == QLatin1String("MSSQL");
    QSqlDatabase db = QSqlDatabase::addDatabase(server ? u"QPSQL"_s : u"QSQLITE"_s,
                                                connectionName_);
    if (server) {
        const ServerAddress address = ServerAddress::parse(location.server);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(location.databaseName);
        db.setConnectOptions(u"connect_timeout=5"_s);
    } else {
        db.setDatabaseName(location.file);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    }
    if (!db.open()) {
        const RuntimeError error = databaseError(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw error;
    }
    try {
        addMissingFunctions();
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw;
    }
}

SqlConnection::~SqlConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase SqlConnection::database() const { return QSqlDatabase::database(connectionName_, false); }

void SqlConnection::addMissingFunctions()
{
    QSqlDatabase db = database();
    if (provider_ != QLatin1String("MSSQL")) {
        const QVariant handle = db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
            sqlite3* sqlite = *static_cast<sqlite3* const*>(handle.data());
            const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
            sqlite3_create_function(sqlite, "len", 1, flags, nullptr, sqliteLen, nullptr, nullptr);
            sqlite3_create_function(sqlite, "datalength", 1, flags, nullptr, sqliteDatalength, nullptr, nullptr);
        }
        return;
    }
    // Created once per database, by one program at a time: two workstations
    // that start together on a new database would otherwise both create them.
    const auto present = [&db] {
        QSqlQuery count(db);
        return count.exec(u"SELECT count(*) FROM pg_proc WHERE proname IN ('len', 'datalength')"_s) && count.next() &&
               count.value(0).toInt() >= 3;
    };
    if (present())
        return;
    if (!db.transaction())
        throw databaseError(db.lastError());
    try {
        QSqlQuery lock(db);
        if (!lock.exec(u"SELECT pg_advisory_xact_lock(%1)"_s.arg(OfficeCreationLock)))
            throw databaseError(lock.lastError());
        if (!present()) {
            for (const char* sql : {
                     "CREATE OR REPLACE FUNCTION len(text) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT char_length($1)'",
                     "CREATE OR REPLACE FUNCTION datalength(text) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT octet_length($1)'",
                     "CREATE OR REPLACE FUNCTION datalength(bytea) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT octet_length($1)'",
                 }) {
                QSqlQuery q(db);
                if (!q.exec(QLatin1String(sql)))
                    throw databaseError(q.lastError(), QLatin1String(sql));
            }
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw databaseError(db.lastError());
}

QString SqlConnection::adapt(const QString& statement) const
{
    if (provider_ != QLatin1String("MSSQL"))
        return statement; // SQLite takes bracketed names as they are
    // PostgreSQL: [Name] becomes Name (names fold alike either way); text
    // between quotes is left alone.
    QString out;
    out.reserve(statement.size());
    bool inText = false;
    for (QChar c : statement) {
        if (c == QLatin1Char('\''))
            inText = !inText;
        if (!inText && (c == QLatin1Char('[') || c == QLatin1Char(']')))
            continue;
        out += c;
    }
    return out;
}

int SqlConnection::Execute(const QString& statement)
{
    QSqlQuery q(database());
    const QString sql = adapt(statement);
    if (!q.exec(sql))
        throw databaseError(q.lastError(), statement);
    return q.numRowsAffected();
}

std::unique_ptr<Recordset> SqlConnection::OpenRecordset(const QString& statement)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    const QString sql = adapt(statement);
    if (!q.exec(sql))
        throw databaseError(q.lastError(), statement);
    return std::make_unique<SnapshotRecordset>(database(), q, sql);
}

std::unique_ptr<PreparedStatement> SqlConnection::Prepare(const QString& statement)
{
    return std::make_unique<SqlPreparedStatement>(database(), statement, adapt(statement));
}

void SqlConnection::BeginTrans()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        throw databaseError(db.lastError());
}

void SqlConnection::CommitTrans()
{
    QSqlDatabase db = database();
    if (!db.commit())
        throw databaseError(db.lastError());
}

void SqlConnection::RollbackTrans()
{
    QSqlDatabase db = database();
    if (!db.rollback())
        throw databaseError(db.lastError());
}

} // namespace tarvelo
