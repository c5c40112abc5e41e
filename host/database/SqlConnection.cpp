#include "host/database/SqlConnection.h"

#include "framework/errors/RuntimeError.h"
#include "framework/ui/MessageDetails.h"
#include "host/database/DatabaseFailure.h"
#include "host/database/ServerConnection.h"
#include "host/database/ServerDriver.h"
#include "host/database/ServerStatement.h"
#include "host/database/SnapshotRecordset.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

const QString DatabaseSource = u"Quenmarix database"_s;

bool onlyReads(const QString& sql);

// A known cause is told in Dutch, the engine's own text after it for the administrator.
RuntimeError databaseError(const QSqlError& error, const QString& statement = QString())
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (!statement.isEmpty())
        text += u" [%1]"_s.arg(statement);
    const QString cause = DatabaseFailure::knownCause(error, statement.isEmpty() || !onlyReads(statement));
    return RuntimeError(-2147217900L, cause.isEmpty() ? text : withDetails(cause, text), DatabaseSource);
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

// One QSqlQuery prepared on the file; each run binds the values by position.
class SqlPreparedStatement final : public PreparedStatement {
public:
    SqlPreparedStatement(const QSqlDatabase& db, const QString& statement, const QString& sql,
                         std::function<void()> counted)
        : query_(db),
          statement_(statement),
          counted_(std::move(counted))
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

// On the server each run sends the statement with its values bound: one
// round trip, and the connection's care for a lost server and its deadline.
class ServerPreparedStatement final : public PreparedStatement {
public:
    ServerPreparedStatement(SqlConnection& connection, const QString& statement)
        : connection_(connection),
          statement_(statement),
          sql_(connection.adapt(statement))
    {
    }

    int Execute(const QVariantList& values) override
    {
        QSqlQuery query;
        if (!connection_.run(query, sql_, values))
            throw databaseError(query.lastError(), statement_);
        return query.numRowsAffected();
    }

private:
    SqlConnection& connection_;
    QString statement_;
    QString sql_;
};

bool isServer(const QString& provider) { return provider == QLatin1String("MSSQL"); }

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
      provider_(location.provider),
      server_(location.server)
{
    const bool server = provider_ == QLatin1String("MSSQL");
    QSqlDatabase db = server ? QSqlDatabase::addDatabase(new ServerDriver, connectionName_)
                             : QSqlDatabase::addDatabase(u"QSQLITE"_s, connectionName_);
    if (server) {
        const ServerAddress address = ServerAddress::parse(location.server);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(location.databaseName);
        db.setConnectOptions(serverSessionOptions());
    } else {
        db.setDatabaseName(location.file);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    }
    QElapsedTimer clock;
    clock.start();
    if (!db.open()) {
        const RuntimeError error =
            server ? RuntimeError(3049, DatabaseFailure::connectFailure(location, db.lastError(), clock.elapsed()),
                                  DatabaseSource)
                   : databaseError(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw error;
    }
    if (!server)
        addFileFunctions();
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

void SqlConnection::addFileFunctions()
{
    QSqlDatabase db = database();
    {
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
    }
}

void SqlConnection::addOwnFunctions()
{
    if (!isServer(provider_))
        return;
    // Created once per database, by one program at a time: two workstations
    // that start together on a new database would otherwise both create them.
    const auto server = [this](const QString& sql, QSqlQuery& q, Wait wait = Wait::ForAnswer) {
        counter_->counted(sql);
        return runOnServer(database(), q, sql, {}, wait == Wait::ForAnswer ? AnswerTimeout : OtherProgramsTimeout);
    };
    const auto present = [&] {
        QSqlQuery count;
        return server(ownFunctionsCount(OwnSchema), count) && count.next() && count.value(0).toInt() >= 3;
    };
    if (present())
        return;
    QSqlQuery begin;
    if (!server(u"BEGIN"_s, begin))
        throw databaseError(begin.lastError());
    try {
        QSqlQuery lock;
        if (!server(u"SET LOCAL statement_timeout = %1; SET LOCAL lock_timeout = %1; SELECT pg_advisory_xact_lock(%2)"_s
                        .arg(std::chrono::milliseconds(OtherProgramsTimeout - std::chrono::seconds(5)).count())
                        .arg(OfficeCreationLock),
                    lock, Wait::ForOtherPrograms))
            throw databaseError(lock.lastError());
        if (!present()) {
            for (
                const char* sql : {
                    "CREATE SCHEMA IF NOT EXISTS %1",
                    "CREATE OR REPLACE FUNCTION %1.len(text) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT char_length($1)'",
                    "CREATE OR REPLACE FUNCTION %1.datalength(text) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT octet_length($1)'",
                    "CREATE OR REPLACE FUNCTION %1.datalength(bytea) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT octet_length($1)'",
                }) {
                QSqlQuery q;
                const QString statement = QString::fromLatin1(sql).arg(OwnSchema);
                if (server(statement, q))
                    continue;
                // A login that may only read the office reads it without them.
                if (q.lastError().nativeErrorCode() == QLatin1String("42501")) {
                    QSqlQuery rollback;
                    server(u"ROLLBACK"_s, rollback);
                    return;
                }
                throw databaseError(q.lastError(), statement);
            }
        }
    } catch (...) {
        QSqlQuery rollback;
        if (database().isOpen())
            server(u"ROLLBACK"_s, rollback);
        throw;
    }
    QSqlQuery commit;
    if (!server(u"COMMIT"_s, commit))
        throw databaseError(commit.lastError());
}

QString SqlConnection::adapt(const QString& statement) const
{
    if (provider_ != QLatin1String("MSSQL"))
        return statement; // SQLite takes bracketed names as they are
    // PostgreSQL: [Name] becomes Name (names fold alike either way); text
    // between quotes is left alone.
    // Len and Datalength are this program's own functions, in a schema of
    // its own so that they cannot meet another program's functions.
    QString out;
    out.reserve(statement.size() + 16);
    bool inText = false;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\''))
            inText = !inText;
        if (!inText && (c == QLatin1Char('[') || c == QLatin1Char(']')))
            continue;
        if (!inText && c.isLetter() &&
            (i == 0 ||
             !(statement.at(i - 1).isLetterOrNumber() || statement.at(i - 1) == u'_' || statement.at(i - 1) == u'.'))) {
            qsizetype end = i;
            while (end < statement.size() && (statement.at(end).isLetterOrNumber() || statement.at(end) == u'_'))
                ++end;
            const QStringView word = QStringView(statement).mid(i, end - i);
            qsizetype next = end;
            while (next < statement.size() && statement.at(next).isSpace())
                ++next;
            if (next < statement.size() && statement.at(next) == u'(' &&
                (word.compare(u"len", Qt::CaseInsensitive) == 0 ||
                 word.compare(u"datalength", Qt::CaseInsensitive) == 0))
                out += OwnSchema + u'.';
            out += word;
            i = end - 1;
            continue;
        }
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
    if (!isServer(provider_))
        return false;
    // A server that did not answer is not asked again in this action: the
    // user has waited once.
    if (lastError_.nativeErrorCode() == NoAnswerCode) {
        retryLater_ = true;
        QTimer::singleShot(0, &context_, [this] { retryLater_ = false; });
        return false;
    }
    if (depth_ > 0 || !connectionLost())
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
        QSqlQuery probe;
        counter_->counted(u"SELECT 1"_s);
        lost = !runOnServer(db, probe, u"SELECT 1"_s, {}, AnswerTimeout);
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
    // why: what the server said, or, after a failed reopen, the reason in Dutch with it as details.
    const auto lost = [this](const QString& why) {
        if (lastError_.nativeErrorCode() == NoAnswerCode)
            return RuntimeError(
                ConnectionLost,
                withDetails(u"De kantoordatabase antwoordt niet (server %1). Er is niets opgeslagen."_s.arg(server_),
                            why),
                DatabaseSource);
        const SplitMessage reason = splitDetails(why);
        return RuntimeError(ConnectionLost,
                            withDetails(u"De verbinding met de kantoordatabase op server %1 is verbroken en kon "
                                        "niet worden hersteld. %2"_s.arg(server_, reason.text),
                                        reason.details),
                            DatabaseSource);
    };
    if (retryLater_)
        throw lost(reasonOf(lastError_));
    QElapsedTimer clock;
    clock.start();
    if (!db.open()) {
        // The reason is told once in Dutch and kept as the error's text, so
        // that the rest of this action tells it without trying again.
        const QSqlError failed = db.lastError();
        lastError_ = QSqlError(failed.driverText(),
                               DatabaseFailure::connectFailure({provider_, QString(), server_, db.databaseName()},
                                                               failed, clock.elapsed()),
                               QSqlError::ConnectionError, failed.nativeErrorCode());
        // The rest of this action fails at once; the next action tries again.
        retryLater_ = true;
        QTimer::singleShot(0, &context_, [this] { retryLater_ = false; });
        throw lost(reasonOf(lastError_));
    }
    counter_->counted(u"(verbinden)"_s);
    if (reconnected)
        reconnected();
}

bool SqlConnection::run(QSqlQuery& query, const QString& sql, const QVariantList& values, Wait wait)
{
    const bool server = isServer(provider_);
    if (!onlyReads(sql))
        ++writes_;
    return attempt([&] {
        bool ok = false;
        if (server) {
            counter_->counted(sql);
            ok = runOnServer(database(), query, sql, values,
                             wait == Wait::ForAnswer ? AnswerTimeout : OtherProgramsTimeout);
        } else {
            query = QSqlQuery(database());
            query.setForwardOnly(true);
            // A statement without values runs as it is.
            if (values.isEmpty()) {
                ok = query.exec(sql);
            } else if (query.prepare(sql)) {
                for (const QVariant& v : values)
                    query.addBindValue(v);
                ok = query.exec();
            }
        }
        if (!ok)
            lastError_ = query.lastError();
        return ok;
    });
}

std::vector<QSqlQuery> SqlConnection::runTogether(const QList<std::pair<QString, QVariantList>>& statements)
{
    if (!isServer(provider_)) {
        std::vector<QSqlQuery> answers(std::size_t(statements.size()));
        for (qsizetype i = 0; i < statements.size(); ++i)
            run(answers[std::size_t(i)], statements.at(i).first, statements.at(i).second);
        return answers;
    }
    reopenIfLost();
    QList<ServerStatement> sent;
    for (const auto& [sql, values] : statements) {
        if (!onlyReads(sql))
            ++writes_;
        counter_->counted(sql);
        sent.push_back({sql, values});
    }
    std::vector<QSqlQuery> answers = runTogetherOnServer(database(), sent, AnswerTimeout);
    for (const QSqlQuery& answer : answers) {
        if (answer.lastError().isValid()) {
            lastError_ = answer.lastError();
            break;
        }
    }
    // As for one statement: a server that did not answer is not asked again in this action.
    if (lastError_.nativeErrorCode() == NoAnswerCode && !database().isOpen() && !retryLater_) {
        retryLater_ = true;
        QTimer::singleShot(0, &context_, [this] { retryLater_ = false; });
    }
    return answers;
}

// On the server a transaction's statements go the way every statement goes,
// with its deadline; the driver's own would wait without end.
bool SqlConnection::begin()
{
    const bool ok = attempt([this] {
        if (isServer(provider_)) {
            counter_->counted(u"BEGIN"_s);
            QSqlQuery q;
            const bool begun = runOnServer(database(), q, u"BEGIN"_s, {}, AnswerTimeout);
            lastError_ = q.lastError();
            return begun;
        }
        QSqlDatabase db = database();
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
    bool ok = false;
    if (isServer(provider_)) {
        counter_->counted(u"COMMIT"_s);
        QSqlQuery q;
        ok = runOnServer(db, q, u"COMMIT"_s, {}, AnswerTimeout);
        lastError_ = q.lastError();
    } else {
        ok = db.commit();
        lastError_ = db.lastError();
    }
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
    bool ok = false;
    if (isServer(provider_)) {
        counter_->counted(u"ROLLBACK"_s);
        QSqlQuery q;
        ok = runOnServer(db, q, u"ROLLBACK"_s, {}, AnswerTimeout);
        lastError_ = q.lastError();
    } else {
        ok = db.rollback();
        lastError_ = db.lastError();
    }
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
    return OpenRecordset(statement, {});
}

std::unique_ptr<Recordset> SqlConnection::OpenRecordset(const QString& statement, const QVariantList& values)
{
    QSqlQuery q;
    const QString sql = adapt(statement);
    if (!run(q, sql, values))
        throw databaseError(q.lastError(), statement);
    return std::make_unique<SnapshotRecordset>(*this, q, sql);
}

std::unique_ptr<PreparedStatement> SqlConnection::Prepare(const QString& statement)
{
    reopenIfLost();
    if (isServer(provider_))
        return std::make_unique<ServerPreparedStatement>(*this, statement);
    return std::make_unique<SqlPreparedStatement>(database(), statement, adapt(statement), [this] { ++writes_; });
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
