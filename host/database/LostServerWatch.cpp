#include "host/database/LostServerWatch.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/ServerConnection.h"
#include "host/database/SqlConnection.h"

#include <QSqlDriver>
#include <QTcpSocket>
#include <algorithm>
#include <libpq-fe.h>

namespace tarvelo {

namespace {

// Closed, or marked bad by the driver (the server ended the session, the
// keep-alive found the network gone).
bool broken(const QSqlDatabase& db)
{
    if (!db.isOpen())
        return true;
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return false;
    PGconn* conn = *static_cast<PGconn* const*>(handle.constData());
    return !conn || PQstatus(conn) != CONNECTION_OK;
}

} // namespace

LostServerWatch::LostServerWatch(SqlConnection& connection, StateChanged changed)
    : sql_(connection),
      changed_(std::move(changed))
{
    timer_.setInterval(LookMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { look(); });
    timer_.start();
    probeDeadline_.setSingleShot(true);
    QObject::connect(&probeDeadline_, &QTimer::timeout, &context_, [this] { probe_.reset(); });
}

LostServerWatch::~LostServerWatch() = default;

void LostServerWatch::look()
{
    QSqlDatabase db = sql_.database();
    if (!connected_) {
        // The user's own action may have opened it again meanwhile.
        if (!broken(db))
            serverAnswers();
        else if (!probe_ && (!sinceRefusal_.isValid() || sinceRefusal_.hasExpired(refusalWait_)))
            tryServer();
        return;
    }
    // What a transaction of the user's action meets is that action's to tell.
    if (sql_.inTransaction() || !broken(db))
        return;
    if (db.isOpen())
        db.close();
    connected_ = false;
    changed_(false);
    tryServer();
}

void LostServerWatch::tryServer()
{
    const ServerAddress address = ServerAddress::parse(sql_.server());
    probe_ = std::make_unique<QTcpSocket>();
    QTcpSocket* probe = probe_.get();
    QObject::connect(probe, &QTcpSocket::connected, &context_, [this] {
        probeDeadline_.stop();
        // Not from inside the socket's own signal.
        QTimer::singleShot(0, &context_, [this] {
            probe_.reset();
            serverAnswers();
        });
    });
    QObject::connect(probe, &QTcpSocket::errorOccurred, &context_, [this] {
        probeDeadline_.stop();
        QTimer::singleShot(0, &context_, [this] { probe_.reset(); });
    });
    probeDeadline_.start(TryMilliseconds);
    probe->connectToHost(address.host, quint16(address.port));
}

void LostServerWatch::refused()
{
    refusalWait_ =
        refusalWait_ == 0 ? FirstRefusalMilliseconds : std::min(2 * refusalWait_, LongestRefusalMilliseconds);
    sinceRefusal_.start();
}

void LostServerWatch::serverAnswers()
{
    QSqlDatabase db = sql_.database();
    if (broken(db)) {
        if (db.isOpen())
            db.close();
        try {
            // Listening again and taking in what changed meanwhile follow from reconnected.
            sql_.reopenIfLost();
        } catch (const RuntimeError&) {
            refused();
            return;
        }
        if (broken(sql_.database())) {
            refused();
            return;
        }
    }
    sinceRefusal_.invalidate();
    refusalWait_ = 0;
    connected_ = true;
    changed_(true);
}

} // namespace tarvelo
