#pragma once

#include <QByteArray>
#include <QSqlDriver>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

class QSocketNotifier;
struct pg_conn;

namespace tarvelo {

// The connection to an office database on the server, as a Qt Sql driver of
// this program's own over libpq. Qt's driver sends five statements of its own
// after every login (the server's version, a backslash check, the encoding,
// the date style, the bytea output), each a round trip, which over a VPN cost
// more than the whole start needs besides; here what the session needs is
// asked in the login itself: the encoding (client_encoding) and the ISO date
// style in which the rows are read (ServerStatement), as startup options.
//
// Statements do not go through the driver but through runOnServer on its
// handle() (a PGconn*), as with Qt's driver. Notifications: the caller sends
// the channel's LISTEN as every statement is sent (with its deadline, or in
// a batch); subscribeToNotification starts delivering what arrives on it.
// Connect options are "key=value" pairs for libpq, separated by ';'.
class ServerDriver final : public QSqlDriver {
public:
    // The keyword and value pairs libpq logs in with.
    using LoginParameters = std::vector<std::pair<QByteArray, QByteArray>>;
    static LoginParameters loginParameters(const QString& database, const QString& user, const QString& password,
                                           const QString& host, int port, const QString& options);
    // Logs in and waits for the server's answer; throws RuntimeError when the
    // client library is not installed. The connection may be bad: see PQstatus.
    static pg_conn* logIn(const LoginParameters& parameters);

    explicit ServerDriver(QObject* parent = nullptr);
    ~ServerDriver() override;

    bool hasFeature(DriverFeature feature) const override;
    bool open(const QString& database, const QString& user, const QString& password, const QString& host, int port,
              const QString& options) override;
    void close() override;
    QSqlResult* createResult() const override;
    QVariant handle() const override;

    bool subscribeToNotification(const QString& name) override;
    bool unsubscribeFromNotification(const QString& name) override;
    QStringList subscribedToNotifications() const override;
    // Hands out what arrived while a statement read the socket.
    void deliverNotifications();

private:
    void readSocket();

    pg_conn* conn_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    QStringList channels_;
};

} // namespace tarvelo
