#include "host/database/SqlConnection.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/EventsUntil.h"
#include "tests/support/TestPostgres.h"

#include <QDate>
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
