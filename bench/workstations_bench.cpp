// The settings window against an office database on a PostgreSQL server, as
// an office over a VPN uses it: between the program and the server a small
// TCP relay of this benchmark adds a fixed delay in each direction, also to
// the connection's handshake (the first bytes of a connection reach the server
// a round trip later, as a TCP connect over the VPN costs one). The server is
// the benchmark's own and asks a password (SCRAM-SHA-256).
//
// Measured, at a 20 ms round trip, on the demo office (31 lenders) and on one
// with 1,000 more: the real program (tarvelo-instellingen, beside this
// benchmark) from its start until it has drawn its window, on the first page
// and reopening on the company overview; and inside this process the window's
// start, opening every page, selecting a company on the company overview and a
// save; each with the round trips the relay saw, the median of several runs.
#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ListView.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/database/SqlConnection.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/LargeOffice.h"
#include "tests/support/OwnPostgres.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <map>

using namespace Qt::StringLiterals;
using namespace tarvelo;

namespace {

constexpr int Repeats = 5;
// A start of the program costs less than a second: measured more often.
constexpr int ProgramRepeats = 11;

// Forwards every byte between the program and the server after a fixed
// delay, in order, and counts the round trips: the connection's handshake,
// and each time the server answers what the program sent since its last
// answer (what the program sends together, as a batch, is one; its goodbye
// when it closes the connection waits for no answer and is none).
class Relay {
public:
    Relay(QString host, quint16 port, int delayMs) : host_(std::move(host)), port_(port), delayMs_(delayMs)
    {
        thread_.start();
        context_.moveToThread(&thread_);
        QMetaObject::invokeMethod(
            &context_, [this] { listen(); }, Qt::BlockingQueuedConnection);
    }
    ~Relay()
    {
        QMetaObject::invokeMethod(
            &context_,
            [this] {
                server_.reset();
                for (auto& link : links_) {
                    delete link.client;
                    delete link.upstream;
                }
                links_.clear();
                delete timer_;
                timer_ = nullptr;
            },
            Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    quint16 port() const { return listening_; }
    qint64 roundTrips() const { return roundTrips_.load(); }

private:
    struct Link {
        QTcpSocket* client = nullptr;
        QTcpSocket* upstream = nullptr;
        bool answered = true;
        qint64 openedAt = 0;
    };
    struct Due {
        qint64 at;
        QTcpSocket* to;
        QByteArray bytes;
    };

    void listen()
    {
        server_ = std::make_unique<QTcpServer>();
        QObject::connect(server_.get(), &QTcpServer::newConnection, &context_, [this] { accept(); });
        server_->listen(QHostAddress::LocalHost, 0);
        listening_ = server_->serverPort();
        timer_ = new QTimer(&context_);
        timer_->setTimerType(Qt::PreciseTimer);
        timer_->setSingleShot(true);
        QObject::connect(timer_, &QTimer::timeout, &context_, [this] { flush(); });
        clock_.start();
    }
    void accept()
    {
        while (QTcpSocket* client = server_->nextPendingConnection()) {
            client->setParent(nullptr);
            client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            auto* upstream = new QTcpSocket;
            upstream->connectToHost(host_, port_);
            upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            const std::size_t index = links_.size();
            // The handshake: what the program sends first reaches the server a round trip later.
            links_.push_back({client, upstream, true, clock_.elapsed() + 2 * delayMs_});
            ++roundTrips_;
            QObject::connect(client, &QTcpSocket::readyRead, &context_, [this, index] {
                Link& link = links_[index];
                link.answered = false;
                send(link.upstream, link.client->readAll(), link.openedAt);
            });
            QObject::connect(upstream, &QTcpSocket::readyRead, &context_, [this, index] {
                Link& link = links_[index];
                if (!std::exchange(link.answered, true))
                    ++roundTrips_;
                send(link.client, link.upstream->readAll());
            });
            QObject::connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            QObject::connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
        }
    }
    void send(QTcpSocket* to, const QByteArray& bytes, qint64 notBefore = 0)
    {
        queue_.push_back({std::max(clock_.elapsed(), notBefore) + delayMs_, to, bytes});
        schedule();
    }
    // Every connection's bytes in their order; one connection's handshake
    // does not hold back another's.
    void flush()
    {
        const qint64 now = clock_.elapsed();
        qint64 next = -1;
        for (auto it = queue_.begin(); it != queue_.end();) {
            if (it->at <= now) {
                it->to->write(it->bytes);
                it = queue_.erase(it);
            } else {
                next = next < 0 ? it->at : std::min(next, it->at);
                ++it;
            }
        }
        if (next >= 0)
            timer_->start(int(std::max<qint64>(0, next - clock_.elapsed())));
    }
    void schedule()
    {
        qint64 next = -1;
        for (const Due& due : queue_)
            next = next < 0 ? due.at : std::min(next, due.at);
        if (next >= 0)
            timer_->start(int(std::max<qint64>(0, next - clock_.elapsed())));
    }

    QString host_;
    quint16 port_;
    int delayMs_;
    QThread thread_;
    QObject context_;
    std::unique_ptr<QTcpServer> server_;
    QTimer* timer_ = nullptr;
    QElapsedTimer clock_;
    std::deque<Due> queue_;
    std::vector<Link> links_;
    std::atomic<quint16> listening_{0};
    std::atomic<qint64> roundTrips_{0};
};

QString createDatabase(const QString& server)
{
    const QString name = u"bench_"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"maak"_s);
        db.setHostName(server.section(QLatin1Char(':'), 0, 0));
        db.setPort(server.section(QLatin1Char(':'), 1, 1).toInt());
        db.setDatabaseName(u"postgres"_s);
        if (!db.open() || !QSqlQuery(db).exec(u"CREATE DATABASE %1"_s.arg(name))) {
            std::fprintf(stderr, "Geen database op %s: %s\n", qPrintable(server), qPrintable(db.lastError().text()));
            std::exit(1);
        }
    }
    QSqlDatabase::removeDatabase(u"maak"_s);
    return name;
}

// The demo office (31 lenders) and extra lenders with two agent numbers and stored settings each.
void prepareOffice(const DatabaseLocation& location, int extraLenders)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    ReferenceApplication seed(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, location);
    if (extraLenders > 0)
        testing::addLenders(seed.officeDatabase(), extraLenders);
}

struct Cost {
    double ms = 0;
    qint64 roundTrips = 0;
    qint64 statements = 0;
};

struct Run {
    Cost start;
    std::vector<std::pair<QString, Cost>> pages;
    Cost select;
    Cost save;
};

Run measure(const QString& server, const QString& database, int delayMs)
{
    const QString host = server.section(QLatin1Char(':'), 0, 0);
    const auto port = quint16(server.section(QLatin1Char(':'), 1, 1).toUInt());
    Relay relay(host, port, delayMs);
    const DatabaseLocation location{u"MSSQL"_s, QString(), u"127.0.0.1:%1"_s.arg(relay.port()), database};
    QTemporaryDir dir;
    ScriptedUi ui;
    Run run;
    QElapsedTimer clock;
    const auto done = [&](Cost& cost, const std::function<void()>& action, SqlConnection* connection) {
        QCoreApplication::processEvents();
        const qint64 trips = relay.roundTrips();
        const qint64 statements = connection ? connection->statementCount() : 0;
        clock.start();
        action();
        cost.ms = double(clock.nsecsElapsed()) / 1e6;
        cost.roundTrips = relay.roundTrips() - trips;
        cost.statements = connection ? connection->statementCount() - statements : 0;
    };
    std::unique_ptr<ReferenceApplication> app;
    std::unique_ptr<SettingsWindow> window;
    done(
        run.start,
        [&] {
            app = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(),
                                                         ReferenceApplication::NewOffice::Demo, location);
            app->setShowErrorsToUser(false);
            window = std::make_unique<SettingsWindow>(std::as_const(*app).pageRegistry(), *app);
            window->show();
            window->showStartPage();
        },
        nullptr);
    SqlConnection& connection = app->officeDatabase().pageConnection();
    run.start.statements = connection.statementCount();
    for (const PageInfo& info : std::as_const(*app).pageRegistry().pages()) {
        Cost cost;
        done(
            cost, [&] { window->showPage(info.className); }, &connection);
        run.pages.emplace_back(info.className, cost);
    }
    window->showPage(u"MijOverzicht"_s);
    auto& companies = window->currentPage()->form().get<ListView>(u"lvwMaatschappij"_s);
    const int middle = companies.count() / 2;
    done(
        run.select, [&] { companies.clickItem(middle); }, &connection);
    window->showPage(u"SetupProxy"_s);
    window->currentPage()->form().get<CheckBox>(u"chkProxy"_s).click();
    done(
        run.save, [&] { window->save(); }, &connection);
    window.reset();
    app.reset();
    return run;
}

// The real program through the relay, from its start until it has drawn its
// window (offscreen: the picture's file is made once the window is drawn, and
// before it is written) and until it has ended. The office's data folder of
// the user is made by a first start that is not measured. Without a page
// named the window opens on the page the user last used.
struct ProgramCost {
    double drawnMs = 0;
    double endedMs = 0;
    qint64 roundTrips = 0;
};

ProgramCost programStart(const QString& server, const QString& database, const QString& dataFolder, int delayMs,
                         const QString& page)
{
    const QString host = server.section(QLatin1Char(':'), 0, 0);
    const auto port = quint16(server.section(QLatin1Char(':'), 1, 1).toUInt());
    Relay relay(host, port, delayMs);
    QTemporaryDir pictures;
    const QString picture = pictures.filePath(u"frmInstellingen.png"_s);
    QStringList arguments{
        u"--data"_s,     dataFolder, u"--provider"_s, u"MSSQL"_s,  u"--server"_s, u"127.0.0.1:%1"_s.arg(relay.port()),
        u"--database"_s, database,   u"--render"_s,   u"window"_s, u"--out"_s,    pictures.path()};
    if (!page.isEmpty())
        arguments << u"--page"_s << page;
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ProgramCost cost;
    QElapsedTimer clock;
    clock.start();
    program.start(QCoreApplication::applicationDirPath() + u"/tarvelo-instellingen"_s, arguments);
    while (!program.waitForFinished(1)) {
        if (cost.drawnMs == 0 && QFileInfo::exists(picture))
            cost.drawnMs = double(clock.nsecsElapsed()) / 1e6;
        if (clock.elapsed() > 60000)
            break;
    }
    cost.endedMs = double(clock.nsecsElapsed()) / 1e6;
    if (program.state() != QProcess::NotRunning || program.exitCode() != 0 || !QFileInfo::exists(picture)) {
        std::fprintf(stderr, "tarvelo-instellingen startte niet goed (%d)\n", program.exitCode());
        std::exit(1);
    }
    if (cost.drawnMs == 0)
        cost.drawnMs = cost.endedMs;
    cost.roundTrips = relay.roundTrips();
    return cost;
}

// The median of the program's runs, with the fastest beside it: the machine
// the benchmark runs on may be busy with other work now and then.
struct ProgramCosts {
    ProgramCost median;
    double fastestDrawnMs = 0;
};

ProgramCosts summary(std::vector<ProgramCost> costs)
{
    std::sort(costs.begin(), costs.end(), [](const auto& a, const auto& b) { return a.drawnMs < b.drawnMs; });
    ProgramCosts result{costs[costs.size() / 2], costs.front().drawnMs};
    std::sort(costs.begin(), costs.end(), [](const auto& a, const auto& b) { return a.endedMs < b.endedMs; });
    result.median.endedMs = costs[costs.size() / 2].endedMs;
    return result;
}

// Each figure the median of several runs: the machine the benchmark runs on
// may be busy with other work now and then.
Run median(std::vector<Run> runs)
{
    const auto middle = [](std::vector<Cost> costs) {
        std::sort(costs.begin(), costs.end(), [](const Cost& a, const Cost& b) { return a.ms < b.ms; });
        return costs[costs.size() / 2];
    };
    const auto of = [&](const std::function<Cost(const Run&)>& pick) {
        std::vector<Cost> costs;
        for (const Run& run : runs)
            costs.push_back(pick(run));
        return middle(costs);
    };
    Run result;
    result.start = of([](const Run& r) { return r.start; });
    for (std::size_t i = 0; i < runs.front().pages.size(); ++i)
        result.pages.emplace_back(runs.front().pages[i].first, of([i](const Run& r) { return r.pages[i].second; }));
    result.select = of([](const Run& r) { return r.select; });
    result.save = of([](const Run& r) { return r.save; });
    return result;
}

void print(const char* what, const Cost& c, const char* aim = "")
{
    std::printf("  %-40s %8.1f ms  %4lld rondgangen  %4lld opdrachten  %s\n", what, c.ms, (long long)c.roundTrips,
                (long long)c.statements, aim);
}

void print(const char* what, const ProgramCosts& c, const char* aim)
{
    std::printf("  %-40s %8.1f ms  %4lld rondgangen  %s\n", what, c.median.drawnMs, (long long)c.median.roundTrips,
                aim);
    std::printf("  %-40s %8.1f ms; tot het einde van het programma %.1f ms\n", "    snelste", c.fastestDrawnMs,
                c.median.endedMs);
}

void report(int lenders, const ProgramCosts& first, const ProgramCosts& reopened, const Run& r)
{
    std::printf("\n%d geldverstrekkers, rondgang 20 ms (10 ms per richting, ook de handdruk), SCRAM, mediaan van "
                "%d keer (het programma %d keer):\n",
                lenders, Repeats, ProgramRepeats);
    print("programma tot getekend venster", first, "doel 250 ms, 6 rondgangen");
    print("programma, heropend op MijOverzicht", reopened, "doel 250 ms");
    print("venster openen (in dit proces)", r.start);
    double total = 0;
    const std::pair<QString, Cost>* slowest = &r.pages.front();
    for (const auto& page : r.pages) {
        total += page.second.ms;
        if (page.second.ms > slowest->second.ms)
            slowest = &page;
    }
    for (const auto& [page, cost] : r.pages) {
        if (cost.roundTrips > 0 || cost.ms > 20)
            print(qPrintable(u"pagina %1"_s.arg(page)), cost, "doel 100 ms");
    }
    std::printf("  %-40s %8.1f ms  (langzaamste: %s)\n", "alle pagina's samen", total, qPrintable(slowest->first));
    print("bedrijf kiezen", r.select);
    print("opslaan", r.save, "doel 100 ms, 1 batch");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    // The benchmark's own server asks every login for its password (SCRAM), as an office's does.
    const QString password = u"kantoor-wachtwoord"_s;
    testing::OwnPostgres postgres(
        [](const QString& why) {
            std::fprintf(stderr, "Eigen PostgreSQL van de benchmark: %s\n", qPrintable(why));
            std::exit(1);
        },
        password);
    qputenv("PGUSER", "postgres");
    qputenv("PGPASSWORD", password.toUtf8());
    const QString server = postgres.server();
    std::printf("Instellingenvenster op een eigen PostgreSQL met wachtwoord (SCRAM-SHA-256), via een relais.\n");
    constexpr int Delay = 10;
    for (int extra : {0, 1000}) {
        const QString database = createDatabase(server);
        prepareOffice({u"MSSQL"_s, QString(), server, database}, extra);
        QTemporaryDir data;
        // The first start makes the user's data folder; later starts open it,
        // as a user's do, each on the page the user last used: the first
        // page, and after the company overview was used, that one.
        programStart(server, database, data.path(), 0, QString());
        std::vector<ProgramCost> first, reopened;
        for (int i = 0; i < ProgramRepeats; ++i)
            first.push_back(programStart(server, database, data.path(), Delay, QString()));
        programStart(server, database, data.path(), 0, u"MijOverzicht"_s);
        for (int i = 0; i < ProgramRepeats; ++i)
            reopened.push_back(programStart(server, database, data.path(), Delay, QString()));
        // Once without measuring, so that every run finds the server's caches alike.
        measure(server, database, 0);
        std::vector<Run> runs;
        for (int i = 0; i < Repeats; ++i)
            runs.push_back(measure(server, database, Delay));
        report(31 + extra, summary(first), summary(reopened), median(std::move(runs)));
    }
    std::printf("\nDoelen bij 20 ms rondgang: venster getekend binnen 250 ms met hoogstens zes rondgangen, elke "
                "pagina binnen 100 ms, opslaan binnen 100 ms.\n");
    return 0;
}
