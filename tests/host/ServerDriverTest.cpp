#include "framework/errors/RuntimeError.h"
#include "host/database/ServerLoginAhead.h"
#include "host/database/SqlConnection.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/TestPostgres.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlDriver>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

void runOrFail(SqlConnection& connection, QSqlQuery& query, const QString& sql)
{
    ASSERT_TRUE(connection.run(query, sql)) << query.lastError().text().toStdString();
}

} // namespace

// The session's settings come with the login, not from statements after it:
// a database whose own default writes dates otherwise is still read right.
TEST(ServerDriver, SessionReadsDatesAndTextsWhateverTheDatabaseDefaults)
{
    const DatabaseLocation location{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    {
        SqlConnection admin(location);
        QSqlQuery q;
        runOrFail(admin, q, u"ALTER DATABASE %1 SET DateStyle = 'SQL, DMY'"_s.arg(location.databaseName));
        runOrFail(admin, q, u"ALTER DATABASE %1 SET client_encoding = 'LATIN1'"_s.arg(location.databaseName));
    }
    SqlConnection connection(location);
    QSqlQuery q;
    runOrFail(connection, q,
              u"SELECT CAST('2026-12-09' AS date), CAST('2026-12-09 10:11:12' AS timestamp), "
              "current_setting('DateStyle'), current_setting('client_encoding'), 'één € ☃'"_s);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDate(), QDate(2026, 12, 9));
    EXPECT_EQ(q.value(1).toDateTime(), QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)));
    EXPECT_TRUE(q.value(2).toString().startsWith(u"ISO"_s)) << q.value(2).toString().toStdString();
    EXPECT_EQ(q.value(3).toString(), u"UTF8"_s);
    EXPECT_EQ(q.value(4).toString(), u"één € ☃"_s);
}

// What another session notifies arrives as the other's; what this one
// notifies itself is told as its own; a channel not listened to is not told.
TEST(ServerDriver, NotificationsOfListenedChannelsWithTheirSource)
{
    const DatabaseLocation location{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    widgetApplication();
    SqlConnection listening(location);
    SqlConnection other(location);
    QSqlDriver* driver = listening.database().driver();
    QList<std::pair<QString, QSqlDriver::NotificationSource>> arrived;
    QObject::connect(driver, &QSqlDriver::notification, driver,
                     [&](const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload) {
                         arrived.push_back({name + u':' + payload.toString(), source});
                     });
    QSqlQuery q;
    runOrFail(listening, q, u"LISTEN kanaal"_s);
    ASSERT_TRUE(driver->subscribeToNotification(u"kanaal"_s));
    runOrFail(other, q, u"SELECT pg_notify('kanaal', 'van een ander')"_s);
    runOrFail(other, q, u"SELECT pg_notify('ander_kanaal', 'niet gevraagd')"_s);
    EXPECT_TRUE(within(5000, [&] { return !arrived.isEmpty(); }));
    runOrFail(listening, q, u"SELECT pg_notify('kanaal', 'van mij')"_s);
    EXPECT_TRUE(within(5000, [&] { return arrived.size() >= 2; }));
    ASSERT_EQ(arrived.size(), 2);
    EXPECT_EQ(arrived[0].first, u"kanaal:van een ander"_s);
    EXPECT_EQ(arrived[0].second, QSqlDriver::OtherSource);
    EXPECT_EQ(arrived[1].first, u"kanaal:van mij"_s);
    EXPECT_EQ(arrived[1].second, QSqlDriver::SelfSource);
    // After the connection closed nothing is listened to any more.
    listening.database().close();
    EXPECT_TRUE(driver->subscribedToNotifications().isEmpty());
}

namespace {

// Sessions the server has on a database, counted from a connection of the test's own.
int sessionsOn(const QString& database)
{
    const QString server = testPostgresServer();
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"telt"_s);
        db.setHostName(server.section(QLatin1Char(':'), 0, 0));
        db.setPort(server.section(QLatin1Char(':'), 1, 1).toInt());
        db.setDatabaseName(u"postgres"_s);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(u"SELECT count(*) FROM pg_stat_activity WHERE datname = ?"_s);
            q.addBindValue(database);
            if (q.exec() && q.next())
                count = q.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(u"telt"_s);
    return count;
}

} // namespace

// The program begins its login beside its own start: the office's connection
// takes that login instead of making a second one, a login for another
// database is not taken and is closed when given up, and a failed login tells
// what one made at the opening tells.
TEST(ServerDriver, ALoginBegunAheadIsTakenOnlyByTheConnectionItWasBegunFor)
{
    widgetApplication();
    const DatabaseLocation location{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    const DatabaseLocation other{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    {
        ServerLoginAhead ahead(location);
        ASSERT_TRUE(within(5000, [&] { return sessionsOn(location.databaseName) == 1; }));
        SqlConnection office(location);
        EXPECT_EQ(sessionsOn(location.databaseName), 1);
        QSqlQuery q;
        runOrFail(office, q, u"SELECT 1"_s);
    }
    EXPECT_TRUE(within(5000, [&] { return sessionsOn(location.databaseName) == 0; }));
    {
        ServerLoginAhead ahead(other);
        SqlConnection office(location);
        EXPECT_TRUE(within(5000, [&] { return sessionsOn(other.databaseName) == 1; }));
        EXPECT_EQ(sessionsOn(location.databaseName), 1);
    }
    EXPECT_TRUE(within(5000, [&] { return sessionsOn(other.databaseName) == 0; }));

    const DatabaseLocation missing{u"MSSQL"_s, QString(), testPostgresServer(), u"bestaat_niet_vooruit"_s};
    const auto failureOpening = [&] {
        try {
            SqlConnection office(missing);
        } catch (const RuntimeError& e) {
            return QString(e.description()).replace(QRegularExpression(u"\\d+ ms"_s), u"N ms"_s);
        }
        return QString();
    };
    const QString withoutAhead = failureOpening();
    EXPECT_TRUE(withoutAhead.contains(u"bestaat geen database"_s)) << withoutAhead.toStdString();
    ServerLoginAhead ahead(missing);
    EXPECT_EQ(failureOpening(), withoutAhead);
}
