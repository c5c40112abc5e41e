#include "host/database/ServerStatement.h"

#include "host/database/ServerDriver.h"

#include <QDate>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QLocale>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTime>

#include <cerrno>
#include <climits>
#include <libpq-fe.h>
#include <poll.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Type numbers of the server's types that are read as something else than text.
enum : Oid {
    BoolOid = 16,
    ByteaOid = 17,
    TextOid = 25,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestampTzOid = 1184,
    NumericOid = 1700,
};

QMetaType typeOf(Oid type)
{
    switch (type) {
    case BoolOid: return QMetaType(QMetaType::Bool);
    case ByteaOid: return QMetaType(QMetaType::QByteArray);
    case Int8Oid: return QMetaType(QMetaType::LongLong);
    case Int2Oid:
    case Int4Oid: return QMetaType(QMetaType::Int);
    case OidOid: return QMetaType(QMetaType::UInt);
    case Float4Oid:
    case Float8Oid:
    case NumericOid: return QMetaType(QMetaType::Double);
    case DateOid: return QMetaType(QMetaType::QDate);
    case TimeOid: return QMetaType(QMetaType::QTime);
    case TimestampOid:
    case TimestampTzOid: return QMetaType(QMetaType::QDateTime);
    default: return QMetaType(QMetaType::QString);
    }
}

// The rows of one answer, read as Qt's driver reads them (text format).
class ServerRows final : public QSqlResult {
public:
    ServerRows(const QSqlDriver* driver, PGresult* result, const QSqlError& error, const QString& sql)
        : QSqlResult(driver),
          result_(result)
    {
        setQuery(sql);
        setForwardOnly(true);
        if (error.isValid()) {
            setLastError(error);
            return;
        }
        setActive(true);
        setSelect(result_ && PQresultStatus(result_) == PGRES_TUPLES_OK);
        setAt(QSql::BeforeFirstRow);
    }
    ~ServerRows() override
    {
        if (result_)
            PQclear(result_);
    }

protected:
    QVariant data(int i) override
    {
        if (!result_ || i < 0 || i >= PQnfields(result_) || at() < 0)
            return {};
        const Oid type = PQftype(result_, i);
        const QMetaType meta = typeOf(type);
        if (PQgetisnull(result_, at(), i))
            return QVariant(meta);
        const char* text = PQgetvalue(result_, at(), i);
        const int length = PQgetlength(result_, at(), i);
        switch (type) {
        case BoolOid: return QVariant(text[0] == 't');
        case ByteaOid: {
            size_t size = 0;
            unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
            const QByteArray value(reinterpret_cast<const char*>(bytes), qsizetype(size));
            PQfreemem(bytes);
            return value;
        }
        case Int8Oid: return QVariant(QByteArray(text, length).toLongLong());
        case Int2Oid:
        case Int4Oid: return QVariant(QByteArray(text, length).toInt());
        case OidOid: return QVariant(QByteArray(text, length).toUInt());
        case Float4Oid:
        case Float8Oid:
        case NumericOid: return QVariant(QByteArray(text, length).toDouble());
        case DateOid: return QDate::fromString(QString::fromLatin1(text, length), Qt::ISODate);
        case TimeOid: return QTime::fromString(QString::fromLatin1(text, length), Qt::ISODateWithMs);
        case TimestampOid:
        case TimestampTzOid: {
            QString stamp = QString::fromLatin1(text, length);
            stamp.replace(10, 1, QLatin1Char('T'));
            // "+01" is "+01:00" in the notation Qt reads.
            if (stamp.size() > 3 && (stamp.at(stamp.size() - 3) == u'+' || stamp.at(stamp.size() - 3) == u'-'))
                stamp += u":00"_s;
            return QDateTime::fromString(stamp, Qt::ISODateWithMs);
        }
        default: return QString::fromUtf8(text, length);
        }
    }
    bool isNull(int i) override { return !result_ || at() < 0 || PQgetisnull(result_, at(), i); }
    bool reset(const QString&) override { return false; }
    bool fetch(int i) override
    {
        if (!isSelect() || i < 0 || i >= PQntuples(result_))
            return false;
        setAt(i);
        return true;
    }
    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return result_ && fetch(PQntuples(result_) - 1); }
    int size() override { return isSelect() ? PQntuples(result_) : -1; }
    int numRowsAffected() override
    {
        if (!result_)
            return -1;
        const char* tuples = PQcmdTuples(result_);
        return tuples && *tuples ? QByteArray(tuples).toInt() : 0;
    }
    QSqlRecord record() const override
    {
        QSqlRecord record;
        if (!result_ || !isSelect())
            return record;
        for (int i = 0; i < PQnfields(result_); ++i)
            record.append(QSqlField(QString::fromUtf8(PQfname(result_, i)), typeOf(PQftype(result_, i))));
        return record;
    }

private:
    PGresult* result_;
};

QSqlError serverError(const QString& text, const QString& code)
{
    return QSqlError(QString(), text.trimmed(), QSqlError::StatementError, code);
}

QSqlError resultError(const PGresult* result)
{
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const QString text = primary ? QString::fromUtf8(primary) : QString::fromUtf8(PQresultErrorMessage(result));
    return serverError(text, state ? QString::fromLatin1(state) : QString());
}

QSqlError connectionError(PGconn* conn)
{
    // A connection that broke is told as one, so that it is opened again.
    return serverError(QString::fromUtf8(PQerrorMessage(conn)),
                       PQstatus(conn) == CONNECTION_BAD ? u"08006"_s : QString());
}

// "?" outside quoted text and quoted names becomes $1, $2, ...
QByteArray numbered(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    QChar quote;
    int next = 0;
    for (QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++next);
            continue;
        }
        out += c;
    }
    return out.toUtf8();
}

// One value as the server reads a parameter: text, except bytes, which go as
// they are. Its type is left to the server to infer from where it stands,
// as it would for a quoted literal; only a Boolean says what it is.
struct Parameter {
    QByteArray bytes;
    bool null = false;
    bool binary = false;
    Oid type = 0;
};

Parameter parameterOf(const QVariant& value)
{
    Parameter p;
    if (value.isNull()) {
        p.null = true;
        return p;
    }
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        p.bytes = value.toByteArray();
        p.binary = true;
        p.type = ByteaOid;
        break;
    case QMetaType::Bool:
        p.bytes = value.toBool() ? "t" : "f";
        p.type = BoolOid;
        break;
    case QMetaType::Double:
    case QMetaType::Float: p.bytes = QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest); break;
    case QMetaType::QDate: p.bytes = value.toDate().toString(Qt::ISODate).toLatin1(); break;
    case QMetaType::QDateTime: p.bytes = value.toDateTime().toString(Qt::ISODateWithMs).toLatin1(); break;
    default: p.bytes = value.toString().toUtf8(); break;
    }
    return p;
}

// Waits until the socket is ready for events, or the deadline passed (false).
bool ready(int socket, short events, const QDeadlineTimer& deadline)
{
    pollfd watched{socket, events, 0};
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        const int n = ::poll(&watched, 1, left < 0 ? -1 : int(std::min<qint64>(left, INT_MAX)));
        if (n > 0)
            return true;
        if (n == 0)
            return false;
        if (errno != EINTR)
            return true; // libpq tells what is wrong with the socket
    }
}

} // namespace

QString ownFunctionsCount(const QString& schema)
{
    return u"SELECT count(*) FROM pg_catalog.pg_proc p JOIN pg_catalog.pg_namespace n ON n.oid = "
           "p.pronamespace WHERE n.nspname = '%1' AND p.proname IN ('len', 'datalength')"_s.arg(schema);
}

QString nulInValueText()
{
    return u"Een waarde bevat een NUL-teken (\\x00); de kantoordatabase op de server kan zo'n teken niet "
           "opslaan. Er is niets opgeslagen."_s;
}

namespace {

PGconn* connectionOf(const QSqlDatabase& db)
{
    const QSqlDriver* driver = db.driver();
    const QVariant handle = driver ? driver->handle() : QVariant();
    // Qt's driver names the type by its struct ("pg_conn*").
    if (!db.isOpen() || !handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

QSqlQuery answerOf(const QSqlDriver* driver, PGresult* result, const QSqlError& error, const QString& sql)
{
    QSqlQuery query(new ServerRows(driver, result, error, sql));
    // A notification that came in with the answer was read off the socket with it.
    if (auto* own = dynamic_cast<const ServerDriver*>(driver)) {
        auto* notifying = const_cast<ServerDriver*>(own);
        if (own->subscribedToNotifications().isEmpty())
            notifying->deliverNotifications(); // nobody listens: let go of them
        else
            QMetaObject::invokeMethod(
                notifying, [notifying] { notifying->deliverNotifications(); }, Qt::QueuedConnection);
    }
    return query;
}

// A statement as it is sent: "?" numbered when it has values; an error when
// the server could not hold one of them.
struct Outgoing {
    QByteArray text;
    std::vector<Parameter> parameters;
    QSqlError refused;
};

Outgoing outgoing(const QString& sql, const QVariantList& values)
{
    Outgoing out;
    out.parameters.reserve(std::size_t(values.size()));
    for (const QVariant& v : values) {
        out.parameters.push_back(parameterOf(v));
        if (!out.parameters.back().binary && out.parameters.back().bytes.contains('\0'))
            out.refused = serverError(nulInValueText(), NulInValueCode);
    }
    out.text = values.isEmpty() ? sql.toUtf8() : numbered(sql);
    if (out.text.contains('\0'))
        out.refused = serverError(nulInValueText(), NulInValueCode);
    return out;
}

int sendWithValues(PGconn* conn, const Outgoing& out, bool valuesAsText)
{
    std::vector<const char*> data;
    std::vector<int> lengths;
    std::vector<int> formats;
    std::vector<Oid> types;
    for (const Parameter& p : out.parameters) {
        data.push_back(p.null ? nullptr : p.bytes.constData());
        lengths.push_back(int(p.bytes.size()));
        formats.push_back(p.binary ? 1 : 0);
        // Where nothing around a value tells its type ("SELECT ?"), it is text.
        types.push_back(p.type == 0 && valuesAsText ? TextOid : p.type);
    }
    return PQsendQueryParams(conn, out.text.constData(), int(out.parameters.size()), types.data(), data.data(),
                             lengths.data(), formats.data(), 0);
}

enum class Wait { Done, NoAnswer, Broken };

// Until everything sent has left.
Wait flushed(PGconn* conn, const QDeadlineTimer& deadline)
{
    for (;;) {
        const int left = PQflush(conn);
        if (left == 0)
            return Wait::Done;
        if (left < 0)
            return Wait::Broken;
        if (!ready(PQsocket(conn), POLLOUT | POLLIN, deadline))
            return Wait::NoAnswer;
        if (!PQconsumeInput(conn))
            return Wait::Broken;
    }
}

// One statement's answer: its last result, or the first error among them.
struct Answer {
    Wait wait = Wait::Done;
    PGresult* kept = nullptr;
    QSqlError failed;
};

Answer collected(PGconn* conn, const QDeadlineTimer& deadline)
{
    Answer answer;
    for (;;) {
        while (PQisBusy(conn)) {
            const bool readable = ready(PQsocket(conn), POLLIN, deadline);
            if (!readable || !PQconsumeInput(conn)) {
                if (answer.kept)
                    PQclear(answer.kept);
                answer.kept = nullptr;
                answer.wait = readable ? Wait::Broken : Wait::NoAnswer;
                return answer;
            }
        }
        PGresult* result = PQgetResult(conn);
        if (!result)
            return answer;
        const ExecStatusType status = PQresultStatus(result);
        if ((status == PGRES_FATAL_ERROR || status == PGRES_BAD_RESPONSE) && !answer.failed.isValid())
            answer.failed = resultError(result);
        if (status == PGRES_PIPELINE_ABORTED && !answer.failed.isValid())
            answer.failed = serverError(u"niet uitgevoerd na een eerdere fout"_s, u"25P02"_s);
        if (answer.kept)
            PQclear(answer.kept);
        answer.kept = result;
        // In a batch a statement's answer ends at its sync point.
        if (status == PGRES_PIPELINE_SYNC)
            return answer;
    }
}

QSqlError noAnswerError(std::chrono::milliseconds answerWithin)
{
    return serverError(u"de server gaf binnen %1 seconden geen antwoord"_s.arg(
                           std::chrono::duration_cast<std::chrono::seconds>(answerWithin).count()),
                       NoAnswerCode);
}

bool runOnce(const QSqlDatabase& db, QSqlQuery& query, const QString& sql, const QVariantList& values,
             std::chrono::milliseconds answerWithin, bool valuesAsText)
{
    const QSqlDriver* driver = db.driver();
    const auto answer = [&](PGresult* result, const QSqlError& error) {
        query = answerOf(driver, result, error, sql);
        return !error.isValid();
    };
    PGconn* conn = connectionOf(db);
    if (!conn)
        return answer(nullptr, serverError(u"de verbinding met de server is gesloten"_s, u"08003"_s));
    const Outgoing out = outgoing(sql, values);
    if (out.refused.isValid())
        return answer(nullptr, out.refused);

    const QDeadlineTimer deadline(answerWithin);
    const bool wasNonBlocking = PQisnonblocking(conn);
    PQsetnonblocking(conn, 1);
    const auto finish = [&](PGresult* result, const QSqlError& error) {
        if (PQstatus(conn) == CONNECTION_OK)
            PQsetnonblocking(conn, wasNonBlocking);
        return answer(result, error);
    };
    // A server that stops answering leaves the connection in the middle of a
    // statement: it cannot be used again, and the server ends the session.
    const auto noAnswer = [&] {
        QSqlDatabase(db).close();
        return answer(nullptr, noAnswerError(answerWithin));
    };
    // Without values a text may hold several statements.
    const int sent =
        values.isEmpty() ? PQsendQuery(conn, out.text.constData()) : sendWithValues(conn, out, valuesAsText);
    if (!sent)
        return finish(nullptr, connectionError(conn));
    const Wait wait = flushed(conn, deadline);
    if (wait == Wait::NoAnswer)
        return noAnswer();
    if (wait == Wait::Broken)
        return finish(nullptr, connectionError(conn));
    Answer got = collected(conn, deadline);
    if (got.wait == Wait::NoAnswer)
        return noAnswer();
    if (got.wait == Wait::Broken)
        return finish(nullptr, connectionError(conn));
    if (!got.kept && !got.failed.isValid())
        got.failed = connectionError(conn);
    if (got.failed.isValid()) {
        if (got.kept)
            PQclear(got.kept);
        return finish(nullptr, got.failed);
    }
    return finish(got.kept, {});
}

} // namespace

bool runOnServer(const QSqlDatabase& db, QSqlQuery& query, const QString& sql, const QVariantList& values,
                 std::chrono::milliseconds answerWithin)
{
    if (runOnce(db, query, sql, values, answerWithin, false))
        return true;
    // The server could not tell a value's type from where it stands.
    if (!values.isEmpty() && query.lastError().nativeErrorCode() == QLatin1String("42P18"))
        return runOnce(db, query, sql, values, answerWithin, true);
    return false;
}

} // namespace tarvelo

namespace tarvelo {

std::vector<QSqlQuery> runTogetherOnServer(const QSqlDatabase& db, const QList<ServerStatement>& statements,
                                           std::chrono::milliseconds answerWithin)
{
    const QSqlDriver* driver = db.driver();
    std::vector<QSqlQuery> answers;
    answers.reserve(std::size_t(statements.size()));
    PGconn* conn = connectionOf(db);
    const auto allFail = [&](const QSqlError& error) {
        while (answers.size() < std::size_t(statements.size()))
            answers.push_back(answerOf(driver, nullptr, error, statements.at(qsizetype(answers.size())).sql));
        return answers;
    };
    if (!conn)
        return allFail(serverError(u"de verbinding met de server is gesloten"_s, u"08003"_s));
    const QDeadlineTimer deadline(answerWithin);
    const bool wasNonBlocking = PQisnonblocking(conn);
    PQsetnonblocking(conn, 1);
    if (!PQenterPipelineMode(conn)) {
        PQsetnonblocking(conn, wasNonBlocking);
        return allFail(connectionError(conn));
    }
    // What cannot be sent (a value the server cannot take) is refused before
    // anything goes: statements sent together are sent whole or not at all,
    // so that a transaction among them never goes without one of its parts.
    std::vector<Outgoing> out;
    for (const ServerStatement& statement : statements) {
        out.push_back(outgoing(statement.sql, statement.values));
        if (out.back().refused.isValid()) {
            PQexitPipelineMode(conn);
            PQsetnonblocking(conn, wasNonBlocking);
            return allFail(out.back().refused);
        }
    }
    // Each statement ends at a sync point of its own: it runs as if sent
    // alone, and a failing one does not take the others with it (inside a
    // transaction the server then refuses the rest of it, and rolls it back).
    for (const Outgoing& statement : out) {
        if (!sendWithValues(conn, statement, false) || !PQpipelineSync(conn)) {
            PQexitPipelineMode(conn);
            PQsetnonblocking(conn, wasNonBlocking);
            return allFail(connectionError(conn));
        }
    }
    const auto noAnswer = [&] {
        QSqlDatabase(db).close();
        return allFail(noAnswerError(answerWithin));
    };
    const Wait wait = flushed(conn, deadline);
    if (wait == Wait::NoAnswer)
        return noAnswer();
    if (wait == Wait::Broken)
        return allFail(connectionError(conn));
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const QString& sql = statements.at(i).sql;
        Answer got = collected(conn, deadline);
        Answer sync = got.wait == Wait::Done ? collected(conn, deadline) : Answer{};
        if (sync.kept)
            PQclear(sync.kept);
        if (got.wait == Wait::NoAnswer || sync.wait == Wait::NoAnswer)
            return noAnswer();
        if (got.wait == Wait::Broken || sync.wait == Wait::Broken)
            return allFail(connectionError(conn));
        if (!got.kept && !got.failed.isValid())
            got.failed = connectionError(conn);
        if (got.failed.isValid() && got.kept) {
            PQclear(got.kept);
            got.kept = nullptr;
        }
        answers.push_back(answerOf(driver, got.kept, got.failed, sql));
    }
    PQexitPipelineMode(conn);
    if (PQstatus(conn) == CONNECTION_OK)
        PQsetnonblocking(conn, wasNonBlocking);
    return answers;
}

} // namespace tarvelo
