#include "host/office/ChangeWatcher.h"

#include "framework/errors/RuntimeError.h"
#include "host/database/ServerStatement.h"
#include "host/office/OfficeDatabase.h"

#include <QDebug>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

bool onServer(const OfficeDatabase& database) { return database.location().provider == QLatin1String("MSSQL"); }

// The watched tables among those the database holds, by the name it lists them under.
QStringList presentTables(const QStringList& tables)
{
    QStringList present;
    for (const QString& name : tables) {
        if (OfficeTables::watched().contains(name.toLower()))
            present << name;
    }
    return present;
}

qint64 countOf(QSqlQuery query) { return query.next() ? query.value(0).toLongLong() : 0; }

// The watched tables that have their trigger already.
QString triggersStatement()
{
    return u"SELECT c.relname FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid WHERE t.tgname = '%1'"_s.arg(
        QLatin1String(ChangeWatcher::Channel));
}

QString listenStatement() { return u"LISTEN "_s + QLatin1String(ChangeWatcher::Channel); }

QSet<QString> serverTablesWithTrigger(const OfficeDatabase& database)
{
    QSet<QString> found;
    QSqlQuery q = database.exec(triggersStatement());
    while (q.next())
        found.insert(q.value(0).toString().toLower());
    return found;
}

void installOnServer(OfficeDatabase& database, const QStringList& tables)
{
    const auto missing = [&](const QSet<QString>& present) {
        QStringList without;
        for (const QString& table : tables) {
            if (!present.contains(table.toLower()))
                without << table;
        }
        return without;
    };
    if (missing(serverTablesWithTrigger(database)).isEmpty())
        return;
    database.transaction([&] {
        // Two workstations that open the office at once install it one after the other.
        database.exec(u"SELECT pg_advisory_xact_lock(hashtext('%1'))"_s.arg(QLatin1String(ChangeWatcher::Channel)));
        const QStringList without = missing(serverTablesWithTrigger(database));
        if (without.isEmpty())
            return;
        database.exec(u"CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                      "PERFORM pg_notify('%1', lower(TG_TABLE_NAME)); RETURN NULL; END $$"_s.arg(
                          QLatin1String(ChangeWatcher::Channel)));
        for (const QString& table : without) {
            // Once per statement, not per row: an import of many rows tells it once.
            database.exec(
                u"CREATE TRIGGER %1 AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON %2 "
                "FOR EACH STATEMENT EXECUTE FUNCTION %1()"_s.arg(QLatin1String(ChangeWatcher::Channel), table));
        }
    });
}

QString fileTriggerName(const QString& table, const char* kind)
{
    return u"%1_%2_%3"_s.arg(QLatin1String(ChangeWatcher::Channel), table.toLower(), QLatin1String(kind));
}

void installInFile(OfficeDatabase& database, const QStringList& tables)
{
    QSqlQuery present =
        database.exec(u"SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name LIKE '%1_%'), "
                      "(SELECT count(*) FROM Wijziging)"_s.arg(QLatin1String(ChangeWatcher::Channel)));
    const bool read = present.next();
    const qint64 triggers = read ? present.value(0).toLongLong() : 0;
    const qint64 rows = read ? present.value(1).toLongLong() : 0;
    if (triggers >= 3 * tables.size() && rows >= tables.size())
        return;
    database.transaction([&] {
        for (const QString& table : tables) {
            database.exec(u"INSERT OR IGNORE INTO Wijziging (Onderwerp, Teller) VALUES (?, 0)"_s, {table.toLower()});
            for (const char* kind : {"INSERT", "UPDATE", "DELETE"}) {
                database.exec(u"CREATE TRIGGER IF NOT EXISTS %1 AFTER %2 ON %3 BEGIN UPDATE Wijziging "
                              "SET Teller = Teller + 1 WHERE Onderwerp = '%4'; END"_s.arg(
                                  fileTriggerName(table, kind), QLatin1String(kind), table, table.toLower()));
            }
        }
    });
}

QSet<QString> everyTable()
{
    const QStringList& all = OfficeTables::watched();
    return QSet<QString>(all.begin(), all.end());
}

} // namespace

QList<std::pair<QString, QVariantList>> ChangeWatcher::startReads()
{
    return {{triggersStatement(), {}}, {listenStatement(), {}}};
}

void ChangeWatcher::install(OfficeDatabase& database, const QStringList& held)
{
    try {
        const QStringList tables = presentTables(held);
        if (onServer(database))
            installOnServer(database, tables);
        else
            installInFile(database, tables);
    } catch (const RuntimeError& e) {
        // Without it the embedded file still tells that something changed;
        // a server database made read-only for this user tells nothing.
        qWarning().noquote() << "Wijzigingen van andere werkplekken worden niet gemeld:" << e.description();
    }
}

ChangeWatcher::ChangeWatcher(OfficeDatabase& database, Changed changed, int pollMilliseconds)
    : database_(database),
      changed_(std::move(changed)),
      server_(onServer(database))
{
    if (server_) {
        listen();
        return;
    }
    try {
        dataVersion_ = countOf(database_.exec(u"PRAGMA data_version"_s));
        counters_ = counters();
    } catch (const RuntimeError&) {
        dataVersion_ = -1;
    }
    timer_.setInterval(pollMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { poll(); });
    timer_.start();
}

ChangeWatcher::~ChangeWatcher() = default;

void ChangeWatcher::listen()
{
    QSqlDriver* driver = database_.connection().driver();
    // The same driver after a reconnect keeps its connection to this object.
    QObject::disconnect(driver, &QSqlDriver::notification, &context_, nullptr);
    QObject::connect(driver, &QSqlDriver::notification, &context_,
                     [this](const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload) {
                         // This program's own writes it knows already.
                         if (source == QSqlDriver::SelfSource || name != QLatin1String(Channel))
                             return;
                         const QString table = payload.toString().toLower();
                         deliver(table.isEmpty() ? everyTable() : QSet<QString>{table});
                     });
    if (driver->subscribedToNotifications().contains(QLatin1String(Channel)))
        return;
    // LISTEN is sent as every statement is, with its deadline (a server that
    // stopped answering is noticed here); the driver then hands on what arrives.
    // Sent already when the office was opened, as a rule.
    std::optional<QSqlQuery> ahead = database_.answeredAhead(listenStatement(), {});
    QSqlQuery first;
    if (!ahead && !runOnServer(database_.connection(), first, listenStatement(), {}, SqlConnection::AnswerTimeout)) {
        qWarning().noquote() << "Wijzigingen van andere werkplekken worden niet gemeld:" << first.lastError().text();
        return;
    }
    if (!driver->subscribeToNotification(QLatin1String(Channel)))
        qWarning().noquote() << "Wijzigingen van andere werkplekken worden niet gemeld:" << driver->lastError().text();
}

void ChangeWatcher::reconnected()
{
    if (server_)
        listen();
    else
        counters_ = counters();
    deliver(everyTable());
}

void ChangeWatcher::deliver(const QSet<QString>& tables)
{
    const bool posted = !pending_.isEmpty();
    pending_ += tables;
    if (posted)
        return;
    QTimer::singleShot(0, &context_, [this] {
        const QSet<QString> changed = std::exchange(pending_, {});
        if (!changed.isEmpty())
            changed_(changed);
    });
}

void ChangeWatcher::checkNow()
{
    if (!server_)
        poll();
}

QHash<QString, qint64> ChangeWatcher::counters() const
{
    QHash<QString, qint64> found;
    QSqlQuery q = database_.exec(u"SELECT Onderwerp, Teller FROM Wijziging"_s);
    while (q.next())
        found.insert(q.value(0).toString(), q.value(1).toLongLong());
    return found;
}

void ChangeWatcher::poll()
{
    QSet<QString> tables;
    try {
        const qint64 version = countOf(database_.exec(u"PRAGMA data_version"_s));
        if (version == dataVersion_)
            return;
        dataVersion_ = version;
        const QHash<QString, qint64> now = counters();
        for (auto it = now.begin(); it != now.end(); ++it) {
            if (counters_.value(it.key(), -1) != it.value())
                tables.insert(it.key());
        }
        counters_ = now;
        // A file without counters says only that something changed.
        if (now.isEmpty())
            tables = everyTable();
    } catch (const RuntimeError&) {
        // A file another program holds just now is looked at next time.
        return;
    }
    if (!tables.isEmpty())
        deliver(tables);
}

} // namespace tarvelo
