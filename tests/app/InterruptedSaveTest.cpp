#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "tests/support/TestPostgres.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// The command line program as built beside the tests, run as an
// administrator runs it, with a configuration folder of the test's own.
class Program {
public:
    explicit Program(QStringList office) : office_(std::move(office)) {}

    // Beside the test program, wherever it is run from.
    static QString path()
    {
        return QFileInfo(QFileInfo(u"/proc/self/exe"_s).canonicalFilePath()).dir().filePath(u"tarvelo-instellingen"_s);
    }

    // Starts a command; input is what it reads (a password for "set NAME -").
    std::unique_ptr<QProcess> start(const QStringList& words, const QByteArray& input = {}) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, config());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process->setProcessEnvironment(env);
        process->start(path(), words + office_);
        process->waitForStarted();
        if (!input.isEmpty())
            process->write(input);
        process->closeWriteChannel();
        return process;
    }
    // Runs a command to its end: its exit code and what it wrote.
    std::pair<int, QString> run(const QStringList& words, const QByteArray& input = {}) const
    {
        auto process = start(words, input);
        if (!process->waitForFinished(60000)) {
            process->kill();
            process->waitForFinished();
            return {-1, u"(wacht te lang)"_s};
        }
        return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()).trimmed() +
                                         QString::fromUtf8(process->readAllStandardError()).trimmed()};
    }
    QString config() const { return QDir(config_.path()).filePath(u"config"_s); }

private:
    QStringList office_;
    QTemporaryDir config_;
};

// The proxy address and password as a later start of the program reads them.
struct Stored {
    QString address;
    QString password;
    QStringList unreadable;
};

// Sets the proxy address and, every other time, the password, interrupting
// each save after a growing part of the time an uninterrupted one takes;
// after each, the office opens and holds either the old or the new values.
void interruptEverySave(const Program& program, const std::function<Stored()>& read,
                        const std::function<void(QProcess&)>& interrupt, const std::function<void()>& after = {})
{
    ASSERT_EQ(program.run({u"set"_s, u"ProxyAdres"_s, u"adres-0"_s}).first, 0);
    QElapsedTimer timer;
    timer.start();
    const auto [status, text] = program.run({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, "wachtwoord-0\n");
    ASSERT_EQ(status, 0) << text.toStdString();
    const qint64 whole = timer.elapsed();
    Stored before = read();
    ASSERT_EQ(before.address, u"adres-0"_s);
    ASSERT_EQ(before.password, u"wachtwoord-0"_s);
    constexpr int Steps = 10;
    int interrupted = 0;
    for (int i = 1; i <= Steps; ++i) {
        const bool password = i % 2 == 0;
        const QString value = (password ? u"wachtwoord-%1"_s : u"adres-%1"_s).arg(i);
        SCOPED_TRACE(u"stap %1, %2 ms"_s.arg(i).arg(whole * i / Steps).toStdString());
        auto process = password ? program.start({u"set"_s, u"ProxyWachtwoord"_s, u"-"_s}, value.toUtf8() + '\n')
                                : program.start({u"set"_s, u"ProxyAdres"_s, value});
        if (!process->waitForFinished(int(whole * i / Steps))) {
            interrupt(*process);
            ++interrupted;
        }
        process->waitForFinished(60000);
        if (after)
            after();
        const Stored now = read();
        EXPECT_TRUE(now.unreadable.isEmpty()) << now.unreadable.join(u", "_s).toStdString();
        if (password) {
            EXPECT_TRUE(now.password == before.password || now.password == value) << now.password.toStdString();
            EXPECT_EQ(now.address, before.address);
        } else {
            EXPECT_TRUE(now.address == before.address || now.address == value) << now.address.toStdString();
            EXPECT_EQ(now.password, before.password);
        }
        before = now;
    }
    // The early steps end a save before it is done; otherwise nothing was tried.
    EXPECT_GT(interrupted, 0);
}

Stored readStored(const QString& dataFolder, const Program& program, const std::optional<DatabaseLocation>& server)
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(program.config()));
    Stored stored;
    try {
        ScriptedUi ui;
        ReferenceApplication office(ui, dataFolder, QString(), ReferenceApplication::NewOffice::Empty, server);
        stored = {office.SettingsObject().get<ProxySettings>().ProxyAdres,
                  office.SettingsObject().get<ProxySettings>().ProxyWachtwoord, office.unreadableSecrets()};
    } catch (const std::exception& e) {
        ADD_FAILURE() << "het kantoor opent niet meer: " << e.what();
    }
    qputenv("XDG_CONFIG_HOME", config);
    return stored;
}

void killNow(QProcess& process) { process.kill(); }

} // namespace

// Catches a save that a kill leaves half done in the office file: killed at
// every moment of a set (of an address, of a password with its key), the
// office keeps the old value or has the new one, and opens.
TEST(InterruptedSave, AKillAtAnyMomentOfASetLeavesTheOldOrTheNewValueInTheFile)
{
    ASSERT_TRUE(QFileInfo(Program::path()).isExecutable()) << Program::path().toStdString();
    QTemporaryDir data;
    const Program program({u"--data"_s, data.path()});
    interruptEverySave(
        program, [&] { return readStored(data.path(), program, std::nullopt); }, killNow);
}

// The same for an office database on the server.
TEST(InterruptedSave, AKillAtAnyMomentOfASetLeavesTheOldOrTheNewValueOnTheServer)
{
    ASSERT_TRUE(QFileInfo(Program::path()).isExecutable()) << Program::path().toStdString();
    QTemporaryDir data;
    const DatabaseLocation server{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    const Program program({u"--data"_s, data.path(), u"--provider"_s, u"MSSQL"_s, u"--server"_s, server.server,
                           u"--database"_s, server.databaseName});
    interruptEverySave(
        program, [&] { return readStored(data.path(), program, server); }, killNow);
}

// Catches a save that a server stopping under it leaves half done: the
// server is stopped at every moment of a set and started again; the office
// keeps the old value or has the new one.
TEST(InterruptedSave, AServerStopAtAnyMomentOfASetLeavesTheOldOrTheNewValue)
{
    ASSERT_TRUE(QFileInfo(Program::path()).isExecutable()) << Program::path().toStdString();
    OwnTestPostgres postgres;
    QTemporaryDir data;
    const DatabaseLocation server{u"MSSQL"_s, QString(), postgres.server(), createTestDatabase(postgres.server())};
    const Program program({u"--data"_s, data.path(), u"--provider"_s, u"MSSQL"_s, u"--server"_s, server.server,
                           u"--database"_s, server.databaseName});
    bool stopped = false;
    interruptEverySave(
        program, [&] { return readStored(data.path(), program, server); },
        [&](QProcess&) { EXPECT_TRUE(stopped = postgres.stop()); },
        [&] {
            if (std::exchange(stopped, false)) {
                EXPECT_TRUE(postgres.start());
            }
        });
}
