#pragma once

#include "framework/host/OfficeTables.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantList>
#include <functional>
#include <utility>

namespace tarvelo {

using namespace Qt::StringLiterals;

class OfficeDatabase;

// Tells one program when another program changed a watched table of the
// office database.
//
// On the server every write to a watched table raises a notification
// (a trigger per table, so writes of every program and of the command line
// count); the driver delivers it on the user-interface thread. The embedded
// file has no notifications: a timer of the user-interface thread reads the
// file's change counter (PRAGMA data_version, one cheap statement, which only
// another connection's commit moves) and, when it moved, the counters the
// triggers keep per table, to say which tables changed.
class ChangeWatcher {
public:
    using Changed = std::function<void(const QSet<QString>& tables)>;

    // Installs what the watching needs in the database when it is missing;
    // an office that cannot be written to now is watched without it.
    // tables: the tables the database holds.
    static void install(OfficeDatabase& database, const QStringList& tables);

    ChangeWatcher(OfficeDatabase& database, Changed changed, int pollMilliseconds = 500);
    ~ChangeWatcher();
    ChangeWatcher(const ChangeWatcher&) = delete;
    ChangeWatcher& operator=(const ChangeWatcher&) = delete;

    // Listens again on a connection that was opened anew; what changed while
    // it was closed is not known, so every table counts as changed.
    void reconnected();
    // The embedded file: looks at the change counter now instead of at the
    // next turn of the timer.
    void checkNow();

    static constexpr const char* Channel = "tarvelo_wijziging";
    // What install and a watcher on the server read first (which tables have
    // the trigger; LISTEN), for reading ahead when the office is opened.
    static QList<std::pair<QString, QVariantList>> startReads();

private:
    void listen();
    void poll();
    // Told at the next turn of the event loop, several changes at once: never
    // in the middle of the statement that noticed them.
    void deliver(const QSet<QString>& tables);
    QHash<QString, qint64> counters() const;

    OfficeDatabase& database_;
    Changed changed_;
    QObject context_;
    QTimer timer_;
    bool server_ = false;
    qint64 dataVersion_ = -1;
    QHash<QString, qint64> counters_;
    QSet<QString> pending_;
};

} // namespace tarvelo
