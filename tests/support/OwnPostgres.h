#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <unistd.h>

namespace tarvelo::testing {

using namespace Qt::StringLiterals;

// A PostgreSQL server of its own in a temporary folder, on 127.0.0.1 at a
// port of its own, for a test that stops or restarts the server under a
// program, or for a benchmark; started as scripts/test-postgres.sh starts the
// tests' shared one. With a password, every login must give it (SCRAM, as an
// office's server asks). What fails is told to failed, which a test reports
// and a benchmark ends on.
class OwnPostgres {
public:
    using Failed = std::function<void(const QString& why)>;

    explicit OwnPostgres(Failed failed, const QString& password = QString()) : failed_(std::move(failed))
    {
        QStringList versions = QDir(u"/usr/lib/postgresql"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        if (versions.isEmpty()) {
            failed_(u"PostgreSQL is niet geinstalleerd (scripts/install-deps.sh installeert het)."_s);
            return;
        }
        bin_ = u"/usr/lib/postgresql/%1/bin/"_s.arg(versions.last());
        if (::geteuid() == 0) {
            // initdb refuses to run as root; the server runs as the postgres user.
            QProcess::execute(u"chown"_s, {u"postgres"_s, dir_.path()});
            runAs_ = {u"runuser"_s, u"-u"_s, u"postgres"_s, u"--"_s};
        }
        QStringList init{u"-D"_s, data(), u"-A"_s, u"trust"_s, u"-U"_s, u"postgres"_s};
        if (!password.isEmpty()) {
            QFile file(dir_.filePath(u"wachtwoord"_s));
            if (!file.open(QIODevice::WriteOnly)) {
                failed_(u"het wachtwoordbestand kan niet worden geschreven"_s);
                return;
            }
            file.write(password.toUtf8() + '\n');
            file.close();
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
            init = {u"-D"_s,
                    data(),
                    u"-A"_s,
                    u"scram-sha-256"_s,
                    u"-U"_s,
                    u"postgres"_s,
                    u"--pwfile=%1"_s.arg(file.fileName())};
        }
        if (!run(u"initdb"_s, init)) {
            failed_(u"initdb is mislukt"_s);
            return;
        }
        port_ = 40000 + int(QRandomGenerator::global()->bounded(20000));
        if (!start())
            failed_(u"de eigen PostgreSQL start niet"_s);
    }
    ~OwnPostgres() { stop(); }
    OwnPostgres(const OwnPostgres&) = delete;
    OwnPostgres& operator=(const OwnPostgres&) = delete;

    QString server() const { return u"127.0.0.1:%1"_s.arg(port_); }
    bool start()
    {
        return run(u"pg_ctl"_s, {u"-D"_s, data(), u"-l"_s, dir_.filePath(u"server.log"_s), u"-w"_s, u"-o"_s,
                                 u"-k %1 -h 127.0.0.1 -p %2 -c fsync=off"_s.arg(dir_.path()).arg(port_), u"start"_s});
    }
    bool stop() { return run(u"pg_ctl"_s, {u"-D"_s, data(), u"-m"_s, u"fast"_s, u"-w"_s, u"stop"_s}); }

private:
    QString data() const { return dir_.filePath(u"data"_s); }
    bool run(const QString& tool, const QStringList& arguments)
    {
        if (bin_.isEmpty())
            return false;
        QStringList command = runAs_;
        command << bin_ + tool << arguments;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    Failed failed_;
    QTemporaryDir dir_;
    QString bin_;
    QStringList runAs_;
    int port_ = 0;
};

} // namespace tarvelo::testing
