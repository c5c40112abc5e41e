#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QTcpSocket;

namespace tarvelo {

using namespace Qt::StringLiterals;

class SqlConnection;

// What the host announces with RaiseNotify(sender, form, action, value) when
// the office database on the server went away and when it came back, so that
// a window can show it without stopping its user.
namespace OfficeConnectionNotice {
inline const QString Sender = u"Kantoordatabase"_s;
inline const QString Form = u"frmInstellingen"_s;
inline const QString Action = u"Verbinding"_s;
inline const QString Lost = u"Verbroken"_s;
inline const QString Back = u"Hersteld"_s;
} // namespace OfficeConnectionNotice

// Notices while nobody uses it that the connection to the office database
// on the server broke, and opens it again as soon as the server answers.
//
// A server that shuts down or restarts ends its sessions: the driver reads
// that on the notification socket and marks the connection bad, which this
// sees at its next look (a few times a second, without a round trip). A
// network that dropped without a word is found by the connection's
// keep-alive the same way. While the connection is lost, a plain TCP
// connection to the server's port tells, without waiting on the
// user-interface thread, when the server is there again; only then is the
// connection opened again (and told through SqlConnection::reconnected).
class LostServerWatch {
public:
    using StateChanged = std::function<void(bool connected)>;

    LostServerWatch(SqlConnection& connection, StateChanged changed);
    ~LostServerWatch();
    LostServerWatch(const LostServerWatch&) = delete;
    LostServerWatch& operator=(const LostServerWatch&) = delete;

    bool connected() const { return connected_; }

    // How often the connection is looked at, and how long one try to reach
    // the server may take before the next one starts.
    static constexpr int LookMilliseconds = 250;
    static constexpr int TryMilliseconds = 3000;
    // After the server took the connection and then refused the login (still
    // starting, say) or kept it waiting, the next try waits a little, twice
    // as long after each refusal, so that a server that keeps the login
    // waiting does not hold the window up again and again.
    static constexpr int FirstRefusalMilliseconds = 500;
    static constexpr int LongestRefusalMilliseconds = 15000;

private:
    void look();
    void tryServer();
    void serverAnswers();
    void refused();

    SqlConnection& sql_;
    StateChanged changed_;
    bool connected_ = true;
    QObject context_;
    QTimer timer_;
    std::unique_ptr<QTcpSocket> probe_;
    QTimer probeDeadline_;
    QElapsedTimer sinceRefusal_;
    int refusalWait_ = 0;
};

} // namespace tarvelo
