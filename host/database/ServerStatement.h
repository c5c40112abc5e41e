#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <chrono>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

// Statements on the server, sent by this program itself over the driver's
// connection: the values travel as bound parameters ("?" becomes $1, $2, ...),
// never inside the statement's text, so that neither a quote nor a backslash
// in a value can change a statement, and a failing statement does not put a
// password into the server's log. Each statement waits for its answer at most
// answerWithin: a server that stops answering ends the statement with
// NoAnswerCode and the connection is closed (what it was doing is rolled back
// by the server). The rows come back in query, as Qt's driver would give them;
// false with the error in query.lastError() when the server refused it.
bool runOnServer(const QSqlDatabase& db, QSqlQuery& query, const QString& sql, const QVariantList& values,
                 std::chrono::milliseconds answerWithin);

// A statement with its values, for sending several together.
struct ServerStatement {
    QString sql;
    QVariantList values;
};

// Sends the statements at once and reads their answers: one round trip for
// all of them (libpq's pipeline), each run as if sent alone, in order; an
// answer per statement, a failed one holding its error. One with a value the
// server cannot take fails them all, none sent. Within answerWithin for all
// together, else the connection is closed as above.
std::vector<QSqlQuery> runTogetherOnServer(const QSqlDatabase& db, const QList<ServerStatement>& statements,
                                           std::chrono::milliseconds answerWithin);

// How many of this program's own functions (Len, Datalength) the schema holds: three when all are there.
QString ownFunctionsCount(const QString& schema);

// The error codes of failures the server does not name itself.
inline const QString NoAnswerCode = u"TVL01"_s;
inline const QString NulInValueCode = u"TVL02"_s;

// A text with a NUL character cannot be stored in the server's text columns.
QString nulInValueText();

} // namespace tarvelo
