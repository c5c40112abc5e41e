#include "app/AdminProgram.h"
#include "app/CommandLine.h"
#include "framework/errors/RuntimeError.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/TestPostgres.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

// One start of the program's command line, as main runs it, with the words
// in TARVELO_START_ARGS (one a line). The parent test starts it as a process
// of its own and may kill it at any moment.
TEST(FirstStartChild, DISABLED_Program)
{
    widgetApplication();
    // As the program does before it reads its arguments.
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const CommandLine line = CommandLine::parse(qEnvironmentVariable("TARVELO_START_ARGS").split(QLatin1Char('\n')));
    if (!line.error.isEmpty() || !line.admin) {
        std::fputs(line.error.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        ::_exit(2);
    }
    ::_exit(runAdminCommand(line));
}

namespace {

// Where the starts keep their office: a data folder, and a database on the
// test server or none.
struct Place {
    QString data;
    std::optional<DatabaseLocation> server;
    QString config; // the user's config folder, with the user hive

    QStringList arguments() const
    {
        QStringList words{u"--data"_s, data};
        if (server)
            words << u"--provider"_s << u"MSSQL"_s << u"--server"_s << server->server << u"--database"_s
                  << server->databaseName;
        return words;
    }
};

class Start {
public:
    Start(const Place& place, const QStringList& command)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TARVELO_START_ARGS"_s, (command + place.arguments()).join(QLatin1Char('\n')));
        env.insert(u"XDG_CONFIG_HOME"_s, place.config);
        process_.setProcessEnvironment(env);
        process_.start(QFileInfo(u"/proc/self/exe"_s).canonicalFilePath(),
                       {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=FirstStartChild.*"_s});
    }
    ~Start()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    bool finished(int ms) { return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms); }
    void kill()
    {
        process_.kill();
        process_.waitForFinished(30000);
    }
    // The exit status, or nothing when the start was killed.
    std::optional<int> status()
    {
        finished(120000);
        if (process_.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        return process_.exitCode();
    }
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    QProcess process_;
};

// What a later program finds: an office with its advisers and data, and the
// settings the starts stored. It opens the office without making or filling
// anything, so an office left half-made shows as such.
struct Found {
    QString problem; // empty when the office is complete
    QString proxyAdres;
    QString proxyGebruikersnaam;
};

qlonglong count(OfficeDatabase& db, const QString& sql)
{
    QSqlQuery q = db.exec(sql);
    return q.next() ? q.value(0).toLongLong() : -1;
}

Found look(const Place& place)
{
    Found found;
    ScriptedUi ui;
    try {
        ReferenceApplication app(ui, place.data, QDir(place.config).filePath(u"tarvelo/HKEY_CURRENT_USER.hive"_s),
                                 ReferenceApplication::NewOffice::Empty, place.server);
        OfficeDatabase& db = app.officeDatabase();
        if (db.isNew())
            found.problem = u"er was nog geen kantoor"_s;
        else if (count(db, u"SELECT COUNT(*) FROM Adviseur"_s) != 6 ||
                 count(db, u"SELECT COUNT(*) FROM Kantoor"_s) != 1 ||
                 count(db, u"SELECT COUNT(*) FROM HDNBericht"_s) != 320)
            found.problem = u"het demokantoor is niet compleet"_s;
        else if (count(db, u"SELECT COUNT(*) FROM Instellingen WHERE AdviseurCode = ''"_s) != 0)
            found.problem = u"instellingen onder een lege adviseurscode"_s;
        else if (app.currentAdviser().code.isEmpty())
            found.problem = u"geen huidige adviseur"_s;
        found.proxyAdres = app.SettingsObject().get<ProxySettings>().ProxyAdres;
        found.proxyGebruikersnaam = app.SettingsObject().get<ProxySettings>().ProxyGebruikersnaam;
    } catch (const RuntimeError& e) {
        found.problem = e.description();
    }
    return found;
}

int rounds(const char* variable, int otherwise)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(variable, &ok);
    return ok && n > 0 ? n : otherwise;
}

struct Tally {
    int rounds = 0;
    int kills = 0;    // starts killed before they ended
    int reported = 0; // writes whose start reported success
    int found = 0;    // of those, found by a later program
};

void report(const char* what, const Tally& t)
{
    std::printf("%s: %d rondes, %d starts gedood, %d schrijfacties gemeld, %d gevonden\n", what, t.rounds, t.kills,
                t.reported, t.found);
    ::testing::Test::RecordProperty(what, u"%1 rondes, %2 gedood, %3 gemeld, %4 gevonden"_s.arg(t.rounds)
                                              .arg(t.kills)
                                              .arg(t.reported)
                                              .arg(t.found)
                                              .toStdString());
}

// Two first starts at once, the second a little later each round so that it
// meets the first at every stage of making the office.
Tally simultaneousFirstStarts(const std::function<Place(int)>& newPlace, int n)
{
    Tally t;
    for (int round = 0; round < n; ++round) {
        SCOPED_TRACE(round);
        const Place place = newPlace(round);
        const QString address = u"adres-%1:80"_s.arg(round);
        const QString user = u"gebruiker-%1"_s.arg(round);
        Start first(place, {u"set"_s, u"ProxyAdres"_s, address});
        QThread::msleep(unsigned(round % 6) * 40);
        Start second(place, {u"set"_s, u"ProxyGebruikersnaam"_s, user});
        const std::optional<int> one = first.status();
        const std::optional<int> two = second.status();
        EXPECT_EQ(one, 0) << first.errors().toStdString();
        EXPECT_EQ(two, 0) << second.errors().toStdString();
        const Found found = look(place);
        EXPECT_TRUE(found.problem.isEmpty()) << found.problem.toStdString();
        t.reported += (one == 0) + (two == 0);
        t.found += (one == 0 && found.proxyAdres == address) + (two == 0 && found.proxyGebruikersnaam == user);
        ++t.rounds;
    }
    EXPECT_EQ(t.found, t.reported);
    return t;
}

// The first start killed at moments spread over the time a whole first start
// takes (the shortest seen so far, as the machine's load varies); on odd
// rounds a second start is already waiting when it dies. The start after it
// reports success, and the office it leaves is complete.
Tally killedFirstStarts(const std::function<Place(int)>& newPlace, int n)
{
    QElapsedTimer clock;
    clock.start();
    {
        Start whole(newPlace(-1), {u"set"_s, u"ProxyAdres"_s, u"heel:80"_s});
        EXPECT_EQ(whole.status(), 0) << whole.errors().toStdString();
    }
    qint64 span = clock.elapsed();
    Tally t;
    for (int round = 0; round < n; ++round) {
        SCOPED_TRACE(round);
        const Place place = newPlace(round);
        const QString address = u"adres-%1:80"_s.arg(round);
        const QString user = u"gebruiker-%1"_s.arg(round);
        Start first(place, {u"set"_s, u"ProxyAdres"_s, address});
        std::optional<Start> waiting;
        if (round % 2)
            waiting.emplace(place, QStringList{u"set"_s, u"ProxyGebruikersnaam"_s, user});
        // Spread over the span in an order of its own, so that no stretch waits for the span to settle.
        clock.restart();
        if (!first.finished(int(span * ((round * 7) % n) / n))) {
            first.kill();
            ++t.kills;
        } else if (!waiting) {
            span = std::min(span, clock.elapsed());
        }
        const std::optional<int> one = first.status();
        std::optional<Start> after;
        if (!waiting)
            after.emplace(place, QStringList{u"set"_s, u"ProxyGebruikersnaam"_s, user});
        Start& second = waiting ? *waiting : *after;
        const std::optional<int> two = second.status();
        EXPECT_EQ(two, 0) << second.errors().toStdString();
        const Found found = look(place);
        EXPECT_TRUE(found.problem.isEmpty()) << found.problem.toStdString();
        t.reported += (one == 0) + (two == 0);
        t.found += (one == 0 && found.proxyAdres == address) + (two == 0 && found.proxyGebruikersnaam == user);
        ++t.rounds;
    }
    EXPECT_EQ(t.found, t.reported);
    EXPECT_GT(t.kills, n / 3) << "the starts ended before they could be killed";
    return t;
}

} // namespace

// Catches an office made in two steps: two programs started at once on a new
// data folder both report success, both changes are stored where the adviser
// finds them, and the demo office is complete; a start killed at any moment
// leaves an office the next start makes or completes.
TEST(FirstStart, NewDataFolderIsMadeInOneStepWhateverRunsBesideOrStops)
{
    QTemporaryDir root;
    const auto newPlace = [&](int round) {
        const QString folder = QDir(root.path()).filePath(u"ronde-%1"_s.arg(round));
        return Place{QDir(folder).filePath(u"kantoor"_s), std::nullopt, QDir(folder).filePath(u"config"_s)};
    };
    report("tegelijk, gegevensmap", simultaneousFirstStarts(newPlace, rounds("TARVELO_FIRST_START_ROUNDS", 8)));
    report("gedood, gegevensmap", killedFirstStarts(newPlace, rounds("TARVELO_FIRST_START_KILLS", 12)));
}

// Catches a server database made by two workstations at once (one failing
// on the server's duplicate key), or left empty by a start that was killed.
TEST(FirstStart, NewServerDatabaseIsMadeOnceAndCompletedByWhoeverComesNext)
{
    QTemporaryDir root;
    const QString server = testPostgresServer();
    ASSERT_FALSE(server.isEmpty());
    const auto newPlace = [&](int round) {
        const QString folder = QDir(root.path()).filePath(u"ronde-%1"_s.arg(round));
        return Place{QDir(folder).filePath(u"kantoor"_s),
                     DatabaseLocation{u"MSSQL"_s, QString(), server, createTestDatabase()},
                     QDir(folder).filePath(u"config"_s)};
    };
    report("tegelijk, server", simultaneousFirstStarts(newPlace, rounds("TARVELO_FIRST_START_ROUNDS", 8)));
    report("gedood, server", killedFirstStarts(newPlace, rounds("TARVELO_FIRST_START_KILLS", 12)));
}

// Catches an office that an earlier version left with its tables and nothing
// in them (stopped between its two steps): the next start that makes demo
// offices completes it, while an office that holds anything is left alone.
TEST(FirstStart, AnOfficeLeftEmptyByAnEarlierStartIsCompleted)
{
    QTemporaryDir leftEmpty, inUse;
    ScriptedUi ui;
    {
        ReferenceApplication tablesOnly(ui, leftEmpty.path());
    }
    {
        ReferenceApplication used(ui, inUse.path());
        used.officeDatabase().exec(u"INSERT INTO Kantoor (Naam) VALUES ('Eigen kantoor')"_s);
    }
    ReferenceApplication completed(ui, leftEmpty.path(), QString(), ReferenceApplication::NewOffice::Demo);
    EXPECT_TRUE(completed.officeDatabase().isNew());
    EXPECT_EQ(count(completed.officeDatabase(), u"SELECT COUNT(*) FROM Adviseur"_s), 6);
    EXPECT_FALSE(completed.currentAdviser().code.isEmpty());
    ReferenceApplication kept(ui, inUse.path(), QString(), ReferenceApplication::NewOffice::Demo);
    EXPECT_FALSE(kept.officeDatabase().isNew());
    EXPECT_EQ(count(kept.officeDatabase(), u"SELECT COUNT(*) FROM Adviseur"_s), 0);
    EXPECT_EQ(count(kept.officeDatabase(), u"SELECT COUNT(*) FROM Kantoor"_s), 1);
}
