#include "framework/errors/RuntimeError.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/MessageDetails.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "host/database/ServerConnection.h"
#include "tests/support/PageTest.h"
#include "tests/support/StallingRelay.h"
#include "tests/support/TestPostgres.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
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
        auto app =
            std::make_unique<ReferenceApplication>(quiet, dir.path(), QString(), ReferenceApplication::NewOffice::Demo,
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
        for (const QString& sql :
             {u"CREATE ROLE %1 LOGIN"_s.arg(reader), u"GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1"_s.arg(reader),
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
        EXPECT_TRUE(
            r.err.contains(u"Deze databaselogin mag de instellingen van het kantoor lezen, maar niet wijzigen."_s))
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
                           "(SELECT count(*) FROM pg_namespace WHERE nspname = 'tarvelo')"_s) &&
                    q.next());
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

namespace {

// What opening the office says when it cannot be opened, or "" when it opened.
QString openingFails(const DatabaseLocation& location)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    try {
        ReferenceApplication app(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return QString();
}

// The sentence a user reads is Dutch; the driver's English is only in the administrator's part.
void expectToldInDutch(const QString& message, const QString& expected, const QString& driverWords)
{
    const SplitMessage told = splitDetails(message);
    EXPECT_TRUE(told.text.contains(expected)) << message.toStdString();
    for (const char* english : {"failed", "FATAL", "refused", "does not exist", "password authentication",
                                "no password supplied", "permission denied", "timeout"})
        EXPECT_FALSE(told.text.contains(QLatin1String(english), Qt::CaseInsensitive))
            << english << " in: " << told.text.toStdString();
    EXPECT_TRUE(told.details.contains(driverWords, Qt::CaseInsensitive)) << message.toStdString();
}

class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const QByteArray& value)
        : name_(name),
          had_(qEnvironmentVariableIsSet(name)),
          old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentValue()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

// Catches the driver's English ("connection to server at ... failed: Connection refused",
// "FATAL: database ... does not exist", "role ... does not exist") as the sentence a user
// reads when the office cannot be opened: each common cause is told in Dutch with what to
// do, by the server's code, and the driver's text is kept for the administrator.
TEST_F(OfficeServerFailuresTest, AnOfficeThatCannotBeOpenedIsToldInDutch)
{
    // A port that was free a moment ago: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString nothingThere = u"127.0.0.1:%1"_s.arg(probe.serverPort());
    probe.close();
    expectToldInDutch(openingFails({u"MSSQL"_s, QString(), nothingThere, name}),
                      u"De server %1 van de kantoordatabase is niet bereikbaar."_s.arg(nothingThere),
                      u"Connection refused"_s);
    expectToldInDutch(openingFails({u"MSSQL"_s, QString(), server, u"bestaat_niet"_s}),
                      u"Op de server %1 bestaat geen database bestaat_niet."_s.arg(server), u"bestaat_niet"_s);
    {
        EnvironmentValue user("PGUSER", "niemand_hier");
        expectToldInDutch(openingFails({u"MSSQL"_s, QString(), server, name}),
                          u"De server %1 weigert de aanmelding van gebruiker niemand_hier"_s.arg(server),
                          u"niemand_hier"_s);
    }
    // The connection check of the database page says the same.
    const SplitMessage checked = splitDetails(testServerConnection(nothingThere, name));
    EXPECT_TRUE(checked.text.startsWith(u"De server %1 van de kantoordatabase is niet bereikbaar."_s.arg(nothingThere)))
        << checked.text.toStdString();
}

// Catches a server that never answers the login told in English ("timeout expired"), or
// after waiting twice: one wait, and a Dutch sentence that says what to check.
TEST_F(OfficeServerFailuresTest, AServerThatDoesNotAnswerTheLoginIsToldInDutch)
{
    StallingRelay relay(server.section(u':', 1, 1).toInt());
    relay.stall();
    QElapsedTimer waited;
    waited.start();
    expectToldInDutch(openingFails({u"MSSQL"_s, QString(), relay.server(), name}),
                      u"De server %1 van de kantoordatabase antwoordt niet binnen 5 seconden."_s.arg(relay.server()),
                      u"timeout"_s);
    EXPECT_LT(waited.elapsed(), 9000);
}

// Catches "FATAL: password authentication failed for user ..." as what a user reads on a
// server that asks a password: a wrong one and a missing one are told in Dutch.
TEST_F(OfficeServerFailuresTest, AWrongOrMissingPasswordIsToldInDutch)
{
    OwnTestPostgres guarded(u"juist-wachtwoord"_s);
    EnvironmentValue user("PGUSER", "postgres");
    {
        EnvironmentValue password("PGPASSWORD", "fout-wachtwoord");
        expectToldInDutch(openingFails({u"MSSQL"_s, QString(), guarded.server(), u"postgres"_s}),
                          u"De server %1 weigert de aanmelding van gebruiker postgres: de gebruikersnaam of het "
                          "wachtwoord is onjuist."_s.arg(guarded.server()),
                          u"postgres"_s);
    }
    {
        EnvironmentValue password("PGPASSWORD", QByteArray());
        EnvironmentValue passwordFile("PGPASSFILE", "/nonexistent/pgpass");
        expectToldInDutch(openingFails({u"MSSQL"_s, QString(), guarded.server(), u"postgres"_s}),
                          u"De server %1 vraagt een wachtwoord voor gebruiker postgres"_s.arg(guarded.server()),
                          u"password"_s);
    }
}

// Catches a login without rights on the office's tables told as the server's English
// "permission denied", or as a login that may read: it may not even read, and says so.
TEST_F(OfficeServerFailuresTest, ALoginWithoutRightsOnTheTablesIsToldInDutch)
{
    open(server).reset();
    const QString stranger = u"vreemde_"_s + name;
    {
        QSqlDatabase owner = other(u"eigenaar2"_s);
        QSqlQuery q(owner);
        ASSERT_TRUE(q.exec(u"CREATE ROLE %1 LOGIN"_s.arg(stranger))) << q.lastError().text().toStdString();
        owner.close();
    }
    QSqlDatabase::removeDatabase(u"eigenaar2"_s);
    EnvironmentValue user("PGUSER", stranger.toUtf8());
    expectToldInDutch(openingFails({u"MSSQL"_s, QString(), server, name}),
                      u"Deze databaselogin heeft geen leesrechten op een tabel van de kantoordatabase."_s,
                      u"permission denied"_s);
}
