#include "host/database/ServerDriver.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/ServerLoginAhead.h"

#include <QSocketNotifier>
#include <QSqlError>
#include <QSqlResult>
#include <QVariant>

#include <libpq-fe.h>
#include <vector>

Q_DECLARE_OPAQUE_POINTER(PGconn*)
Q_DECLARE_METATYPE(PGconn*)

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Statements reach the server through runOnServer, with their deadline; a
// query on the driver itself is refused rather than left waiting without one.
class RefusedResult final : public QSqlResult {
public:
    explicit RefusedResult(const QSqlDriver* driver) : QSqlResult(driver) {}

protected:
    QVariant data(int) override { return {}; }
    bool isNull(int) override { return true; }
    bool reset(const QString&) override
    {
        setLastError(QSqlError(u"Opdrachten op de server gaan via de verbinding van het kantoor"_s, QString(),
                               QSqlError::StatementError));
        return false;
    }
    bool fetch(int) override { return false; }
    bool fetchFirst() override { return false; }
    bool fetchLast() override { return false; }
    int size() override { return -1; }
    int numRowsAffected() override { return -1; }
};

// "key=value;key='value with spaces'".
ServerDriver::LoginParameters parsed(const QString& options)
{
    ServerDriver::LoginParameters found;
    for (const QString& part : options.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QString value = part.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))
            value = value.mid(1, value.size() - 2);
        found.emplace_back(part.left(equals).trimmed().toUtf8(), value.toUtf8());
    }
    return found;
}

} // namespace

ServerDriver::ServerDriver(QObject* parent) : QSqlDriver(parent) {}

ServerDriver::~ServerDriver() { close(); }

bool ServerDriver::hasFeature(DriverFeature feature) const
{
    switch (feature) {
    case QuerySize:
    case Unicode:
    case EventNotifications:
    case BLOB: return true;
    default: return false;
    }
}

ServerDriver::LoginParameters ServerDriver::loginParameters(const QString& database, const QString& user,
                                                            const QString& password, const QString& host, int port,
                                                            const QString& options)
{
    LoginParameters given{{"host", host.toUtf8()},
                          {"port", QByteArray::number(port < 0 ? 5432 : port)},
                          {"dbname", database.toUtf8()},
                          {"client_encoding", "UTF8"}};
    if (!user.isEmpty())
        given.emplace_back("user", user.toUtf8());
    if (!password.isEmpty())
        given.emplace_back("password", password.toUtf8());
    QByteArray sessionOptions = "-c DateStyle=ISO";
    for (auto& option : parsed(options)) {
        if (option.first == "options")
            sessionOptions += ' ' + option.second;
        else
            given.push_back(std::move(option));
    }
    given.emplace_back("options", sessionOptions);
    return given;
}

pg_conn* ServerDriver::logIn(const LoginParameters& parameters)
{
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : parameters) {
        keys.push_back(key.constData());
        values.push_back(value.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 0);
}

bool ServerDriver::open(const QString& database, const QString& user, const QString& password, const QString& host,
                        int port, const QString& options)
{
    close();
    const LoginParameters parameters = loginParameters(database, user, password, host, port, options);
    try {
        // A login the program began ahead with the same parameters saves its round trips here.
        const std::optional<pg_conn*> ahead = ServerLoginAhead::take(parameters);
        conn_ = ahead ? *ahead : logIn(parameters);
    } catch (const RuntimeError& e) {
        // The client library is not installed.
        setLastError(QSqlError(u"Geen verbinding"_s, e.description(), QSqlError::ConnectionError));
        setOpenError(true);
        return false;
    }
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        setLastError(QSqlError(u"Geen verbinding"_s,
                               conn_ ? QString::fromUtf8(PQerrorMessage(conn_)).trimmed() : QString(),
                               QSqlError::ConnectionError));
        if (conn_)
            PQfinish(conn_);
        conn_ = nullptr;
        setOpenError(true);
        return false;
    }
    setOpen(true);
    setOpenError(false);
    return true;
}

void ServerDriver::close()
{
    notifier_.reset();
    channels_.clear();
    if (conn_) {
        PQfinish(conn_);
        conn_ = nullptr;
    }
    if (isOpen())
        setOpen(false);
}

QSqlResult* ServerDriver::createResult() const { return new RefusedResult(this); }

QVariant ServerDriver::handle() const { return conn_ ? QVariant::fromValue(conn_) : QVariant(); }

bool ServerDriver::subscribeToNotification(const QString& name)
{
    if (!conn_ || !isOpen())
        return false;
    if (!channels_.contains(name))
        channels_ << name;
    if (!notifier_) {
        notifier_ = std::make_unique<QSocketNotifier>(PQsocket(conn_), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readSocket(); });
    }
    return true;
}

bool ServerDriver::unsubscribeFromNotification(const QString& name)
{
    channels_.removeAll(name);
    if (channels_.isEmpty())
        notifier_.reset();
    return true;
}

QStringList ServerDriver::subscribedToNotifications() const { return channels_; }

void ServerDriver::readSocket()
{
    if (!conn_)
        return;
    // A server that ended the session: libpq marks the connection bad, and
    // the closed socket is not watched further.
    if (!PQconsumeInput(conn_) || PQstatus(conn_) != CONNECTION_OK) {
        notifier_.reset();
        return;
    }
    deliverNotifications();
}

void ServerDriver::deliverNotifications()
{
    if (!conn_)
        return;
    const int self = PQbackendPID(conn_);
    while (PGnotify* arrived = PQnotifies(conn_)) {
        const QString name = QString::fromUtf8(arrived->relname);
        const NotificationSource source = arrived->be_pid == self ? SelfSource : OtherSource;
        const QString payload = QString::fromUtf8(arrived->extra);
        PQfreemem(arrived);
        if (channels_.contains(name))
            emit notification(name, source, payload);
    }
}

} // namespace tarvelo
