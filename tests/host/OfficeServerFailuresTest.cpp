#include "framework/errors/RuntimeError.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "tests/support/PageTest.h"
#include "tests/support/StallingRelay.h"
#include "tests/support/TestPostgres.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// A workstation's command line on an office database on the test server,
// reached directly or through a relay of the test's own.
class OfficeServerFailuresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server = testPostgresServer();
        name = createTestDatabase();
    }
    std::unique_ptr<ReferenceApplication> open(const QString& through)
    {
        auto app = std::make_unique<ReferenceApplication>(quiet, dir.path(), QString(),
                                                          ReferenceApplication::NewOffice::Demo,
                                                          DatabaseLocation{u"MSSQL"_s, QString(), through, name});
        app->setShowErrorsToUser(false);
        return app;
    }
    static AdminResult command(ReferenceApplication& app, const QStringList& words)
    {
        AdminRequest request;
        request.command = words.value(0);
        request.arguments = words.mid(1);
        return AdminCommands::run(app, request, [] { return std::optional<QString>(); });
    }
    QString storedAddress()
    {
        QTemporaryDir other;
        ScriptedUi ui;
        ReferenceApplication fresh(ui, other.path(), QString(), ReferenceApplication::NewOffice::Demo,
                                   DatabaseLocation{u"MSSQL"_s, QString(), server, name});
        return fresh.SettingsObject().get<ProxySettings>().ProxyAdres;
    }
    // A connection of the test's own to the office database, as another program.
    QSqlDatabase other(const QString& connection)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, connection);
        db.setHostName(server.section(u':', 0, 0));
        db.setPort(server.section(u':', 1, 1).toInt());
        db.setDatabaseName(name);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }

    QString server;
    QString name;
    QTemporaryDir dir;
    ScriptedUi screen;
    CollectingUi quiet{screen};
};

} // namespace

// Catches a command that waits without a word, or ends the program, when the
// server accepts the connection and then stops answering in the middle of
// the work: the set gives up with the true reason, and nothing is stored.
TEST_F(OfficeServerFailuresTest, ASetGivesUpWhenTheServerStopsAnswering)
{
    StallingRelay relay(server.section(u':', 1, 1).toInt());
    auto app = open(relay.server());
    relay.stall();
    QElapsedTimer waited;
    waited.start();
    const AdminResult r = command(*app, {u"set"_s, u"ProxyAdres"_s, u"nieuw.kantoor:8080"_s});
    EXPECT_LT(waited.elapsed(), 30000);
    EXPECT_EQ(r.status, AdminCommands::Refused);
    EXPECT_TRUE(r.err.contains(u"De kantoordatabase antwoordt niet"_s)) << r.err.toStdString();
    app.reset();
    EXPECT_EQ(storedAddress(), QString());
}

// Catches a save that waits for as long as another workstation holds the
// settings table, or says something untrue: it gives up and says so.
TEST_F(OfficeServerFailuresTest, ASetGivesUpWhileAnotherWorkstationHoldsTheSettings)
{
    auto app = open(server);
    {
        QSqlDatabase holder = other(u"houder"_s);
        QSqlQuery hold(holder);
        ASSERT_TRUE(holder.transaction());
        ASSERT_TRUE(hold.exec(u"LOCK TABLE Instellingen IN SHARE ROW EXCLUSIVE MODE"_s))
            << hold.lastError().text().toStdString();
        QElapsedTimer waited;
        waited.start();
        const AdminResult r = command(*app, {u"set"_s, u"ProxyAdres"_s, u"nieuw.kantoor:8080"_s});
        EXPECT_LT(waited.elapsed(), 30000);
        EXPECT_EQ(r.status, AdminCommands::Refused);
        EXPECT_TRUE(r.err.contains(u"Een andere werkplek houdt de instellingen vast"_s)) << r.err.toStdString();
        holder.rollback();
        holder.close();
    }
    QSqlDatabase::removeDatabase(u"houder"_s);
    EXPECT_EQ(storedAddress(), QString());
    // Once the other workstation lets go, the same command stores.
    EXPECT_EQ(command(*app, {u"set"_s, u"ProxyAdres"_s, u"nieuw.kantoor:8080"_s}).status, AdminCommands::Done);
    EXPECT_EQ(storedAddress(), u"nieuw.kantoor:8080"_s);
}

// Catches the server's English refusal shown as it is to a login that may
// only read: the command says in Dutch what this login may do.
TEST_F(OfficeServerFailuresTest, ALoginThatMayOnlyReadIsToldSo)
{
    open(server).reset();
    const QString reader = u"lezer_"_s + name;
    {
        QSqlDatabase owner = other(u"eigenaar"_s);
        QSqlQuery q(owner);
        for (const QString& sql : {u"CREATE ROLE %1 LOGIN"_s.arg(reader),
                                   u"GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1"_s.arg(reader),
                                   u"GRANT USAGE ON SCHEMA tarvelo TO %1"_s.arg(reader)})
            ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        owner.close();
    }
    QSqlDatabase::removeDatabase(u"eigenaar"_s);
    const QByteArray user = qgetenv("PGUSER");
    qputenv("PGUSER", reader.toUtf8());
    {
        QTemporaryDir other;
        auto app = std::make_unique<ReferenceApplication>(quiet, other.path(), QString(),
                                                          ReferenceApplication::NewOffice::Demo,
                                                          DatabaseLocation{u"MSSQL"_s, QString(), server, name});
        app->setShowErrorsToUser(false);
        EXPECT_EQ(command(*app, {u"get"_s, u"ProxyAdres"_s}).status, AdminCommands::Done);
        const AdminResult r = command(*app, {u"set"_s, u"ProxyAdres"_s, u"nieuw.kantoor:8080"_s});
        EXPECT_EQ(r.status, AdminCommands::Refused);
        EXPECT_TRUE(r.err.contains(u"Deze databaselogin mag de instellingen van het kantoor lezen, maar niet wijzigen."_s))
            << r.err.toStdString();
    }
    qputenv("PGUSER", user);
    EXPECT_EQ(storedAddress(), QString());
}

// Catches a database of another program changed before it was looked at:
// its own len function replaced and functions added, although it is refused.
TEST_F(OfficeServerFailuresTest, AnotherProgramsDatabaseIsLeftAsItWas)
{
    {
        QSqlDatabase theirs = other(u"ander"_s);
        QSqlQuery q(theirs);
        ASSERT_TRUE(q.exec(u"CREATE TABLE klanten (id integer)"_s));
        ASSERT_TRUE(q.exec(u"CREATE FUNCTION len(text) RETURNS integer LANGUAGE sql AS 'SELECT 42'"_s));
        theirs.close();
    }
    QSqlDatabase::removeDatabase(u"ander"_s);
    try {
        open(server);
        ADD_FAILURE() << "een database van een ander programma moet geweigerd worden";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(u"het is geen kantoordatabase."_s)) << e.description().toStdString();
    }
    {
        QSqlDatabase theirs = other(u"ander"_s);
        QSqlQuery q(theirs);
        ASSERT_TRUE(q.exec(u"SELECT len('abc'), (SELECT count(*) FROM pg_proc WHERE proname = 'datalength'), "
                           "(SELECT count(*) FROM pg_namespace WHERE nspname = 'tarvelo')"_s) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 42);
        EXPECT_EQ(q.value(1).toInt(), 0);
        EXPECT_EQ(q.value(2).toInt(), 0);
        theirs.close();
    }
    QSqlDatabase::removeDatabase(u"ander"_s);
}

// Catches a demo office made in the server's own maintenance database.
TEST_F(OfficeServerFailuresTest, TheServersOwnDatabaseGetsNoOffice)
{
    name = u"postgres"_s;
    try {
        open(server);
        ADD_FAILURE() << "in de database postgres hoort geen kantoor";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(u"daarin wordt geen kantoor gemaakt"_s)) << e.description().toStdString();
    }
    QSqlDatabase db = other(u"onderhoud"_s);
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(u"SELECT count(*) FROM pg_tables WHERE schemaname = 'public'"_s) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"onderhoud"_s);
}
