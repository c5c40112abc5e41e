#include "host/database/SqlConnection.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/ServerConnection.h"
#include "host/database/SnapshotRecordset.h"

#include <QLocale>
#include <QSqlDriver>
#include <QSqlField>
#include <QTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
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
    SqlPreparedStatement(const QSqlDatabase& db, const QString& statement, const QString& sql,
                         std::function<void()> counted)
        : query_(db), statement_(statement), counted_(std::move(counted))
    {
        counted_();
        if (!query_.prepare(sql))
            throw databaseError(query_.lastError(), statement_);
    }

    int Execute(const QVariantList& values) override
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            query_.bindValue(int(i), values.at(i));
        counted_();
        if (!query_.exec())
            throw databaseError(query_.lastError(), statement_);
        return query_.numRowsAffected();
    }

private:
    QSqlQuery query_;
    QString statement_;
    std::function<void()> counted_;
};

bool isServer(const QString& provider) { return provider == QLatin1String("MSSQL"); }

// A value as a literal of the server's SQL: an escape string (E'...') whatever
// the server's setting for backslashes, which the server converts to the
// column's type as it converts a bound value.
QString serverLiteral(const QSqlDriver& driver, const QVariant& value)
{
    if (value.isNull())
        return u"NULL"_s;
    QString text;
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        QSqlField field(QString(), value.metaType());
        field.setValue(value);
        return driver.formatValue(field);
    }
    case QMetaType::Bool: return value.toBool() ? u"TRUE"_s : u"FALSE"_s;
    case QMetaType::Double:
    case QMetaType::Float: text = QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest); break;
    case QMetaType::QDate: text = value.toDate().toString(Qt::ISODate); break;
    case QMetaType::QDateTime: text = value.toDateTime().toString(Qt::ISODateWithMs); break;
    default: text = value.toString(); break;
    }
    text.replace(QLatin1Char('\\'), u"\\\\"_s);
    text.replace(QLatin1Char('\''), u"''"_s);
    return u"E'"_s + text + QLatin1Char('\'');
}

// The "?" placeholders outside quoted text and quoted names take the values.
QString withValues(const QSqlDriver& driver, const QString& sql, const QVariantList& values)
{
    QString out;
    out.reserve(sql.size() + 16 * values.size());
    QChar quote;
    qsizetype next = 0;
    for (QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('?') && next < values.size()) {
            out += serverLiteral(driver, values.at(next++));
            continue;
        }
        out += c;
    }
    return out;
}

bool onlyReads(const QString& sql)
{
    const QStringView text = QStringView(sql).trimmed();
    for (const char* word : {"SELECT", "PRAGMA", "SHOW"}) {
        if (text.startsWith(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString reasonOf(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = u"de server antwoordt niet"_s;
    return text;
}

} // namespace

SqlConnection::SqlConnection(const DatabaseLocation& location)
    : connectionName_(u"kantoor-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      provider_(location.provider), server_(location.server)
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
            // Every statement the engine runs is counted, whoever sends it.
            sqlite3_trace_v2(
                sqlite, SQLITE_TRACE_PROFILE,
                [](unsigned, void* counter, void* statement, void*) -> int {
                    auto* c = static_cast<Counter*>(counter);
                    c->counted(c->logging ? QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(statement)))
                                          : QString());
                    return 0;
                },
                counter_.get());
        }
        return;
    }
    // Created once per database, by one program at a time: two workstations
    // that start together on a new database would otherwise both create them.
    const auto present = [this, &db] {
        QSqlQuery count(db);
        counter_->counted(u"SELECT count(*) FROM pg_proc"_s);
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

bool SqlConnection::attempt(const std::function<bool()>& once)
{
    reopenIfLost();
    if (once())
        return true;
    // Inside a transaction what went before is lost with the connection: the
    // statement fails, and the next action opens the connection again.
    if (!isServer(provider_) || depth_ > 0 || !connectionLost())
        return false;
    reopenIfLost();
    return once();
}

// The driver closes a connection it knows is gone; a server that ended it says
// so by its error class (08, or 57P01 to 57P03 when it shut down); a failure
// without a code is a lost connection when even a plain SELECT fails.
bool SqlConnection::connectionLost()
{
    QSqlDatabase db = database();
    if (!db.isOpen())
        return true;
    const QString code = lastError_.nativeErrorCode();
    bool lost = code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") ||
                code == QLatin1String("57P02") || code == QLatin1String("57P03");
    if (!lost && code.isEmpty()) {
        QSqlQuery probe(db);
        counter_->counted(u"SELECT 1"_s);
        lost = !probe.exec(u"SELECT 1"_s);
    }
    if (lost)
        db.close();
    return lost;
}

void SqlConnection::reopenIfLost()
{
    if (!isServer(provider_))
        return;
    QSqlDatabase db = database();
    if (db.isOpen())
        return;
    depth_ = 0;
    const auto lost = [this](const QString& why) {
        return RuntimeError(ConnectionLost,
                            u"De verbinding met de kantoordatabase op server %1 is verbroken en kon niet worden "
                            "hersteld: %2"_s.arg(server_, why),
                            DatabaseSource);
    };
    if (retryLater_)
        throw lost(reasonOf(lastError_));
    if (!db.open()) {
        lastError_ = db.lastError();
        // The rest of this action fails at once; the next action tries again.
        retryLater_ = true;
        QTimer::singleShot(0, &context_, [this] { retryLater_ = false; });
        throw lost(reasonOf(lastError_));
    }
    counter_->counted(u"(verbinden)"_s);
    if (reconnected)
        reconnected();
}

bool SqlConnection::run(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    const bool server = isServer(provider_);
    if (!onlyReads(sql))
        ++writes_;
    return attempt([&] {
        query = QSqlQuery(database());
        query.setForwardOnly(true);
        if (server)
            counter_->counted(sql);
        // A statement without values runs as it is: the server cannot
        // prepare statements that create tables.
        bool ok = false;
        if (values.isEmpty()) {
            ok = query.exec(sql);
        } else if (server) {
            ok = query.exec(withValues(*database().driver(), sql, values));
        } else if (query.prepare(sql)) {
            for (const QVariant& v : values)
                query.addBindValue(v);
            ok = query.exec();
        }
        if (!ok)
            lastError_ = query.lastError();
        return ok;
    });
}

bool SqlConnection::begin()
{
    const bool ok = attempt([this] {
        QSqlDatabase db = database();
        if (isServer(provider_))
            counter_->counted(u"BEGIN"_s);
        const bool begun = db.transaction();
        lastError_ = db.lastError();
        return begun;
    });
    if (ok)
        ++depth_;
    return ok;
}

bool SqlConnection::commit()
{
    QSqlDatabase db = database();
    if (isServer(provider_))
        counter_->counted(u"COMMIT"_s);
    const bool ok = db.commit();
    lastError_ = db.lastError();
    if (ok)
        depth_ = std::max(0, depth_ - 1);
    return ok;
}

bool SqlConnection::rollback()
{
    QSqlDatabase db = database();
    depth_ = std::max(0, depth_ - 1);
    // A lost connection took the transaction with it.
    if (!db.isOpen())
        return true;
    if (isServer(provider_))
        counter_->counted(u"ROLLBACK"_s);
    const bool ok = db.rollback();
    lastError_ = db.lastError();
    return ok;
}

QSqlError SqlConnection::lastError() const { return lastError_; }

qint64 SqlConnection::readGeneration()
{
    if (!std::exchange(turnPending_, true)) {
        QTimer::singleShot(0, &context_, [this] {
            ++turns_;
            turnPending_ = false;
        });
    }
    // Writes and turns are counted apart; both only grow.
    return writes_ * 1000003 + turns_;
}

void SqlConnection::logStatements(bool on)
{
    counter_->logging = on;
    counter_->log.clear();
}

int SqlConnection::Execute(const QString& statement)
{
    QSqlQuery q;
    if (!run(q, adapt(statement)))
        throw databaseError(q.lastError(), statement);
    return q.numRowsAffected();
}

std::unique_ptr<Recordset> SqlConnection::OpenRecordset(const QString& statement)
{
    QSqlQuery q;
    const QString sql = adapt(statement);
    if (!run(q, sql))
        throw databaseError(q.lastError(), statement);
    return std::make_unique<SnapshotRecordset>(*this, q, sql);
}

std::unique_ptr<PreparedStatement> SqlConnection::Prepare(const QString& statement)
{
    reopenIfLost();
    const bool server = isServer(provider_);
    return std::make_unique<SqlPreparedStatement>(database(), statement, adapt(statement), [this, server, statement] {
        ++writes_;
        if (server)
            counter_->counted(statement);
    });
}

void SqlConnection::BeginTrans()
{
    if (!begin())
        throw databaseError(lastError_);
}

void SqlConnection::CommitTrans()
{
    if (!commit())
        throw databaseError(lastError_);
}

void SqlConnection::RollbackTrans()
{
    if (!rollback())
        throw databaseError(lastError_);
}

} // namespace tarvelo
