#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace tarvelo::bench {

using namespace Qt::StringLiterals;

// A PostgreSQL server of the benchmark's own that asks every login for its
// password, as an office's server does: passwords kept as SCRAM-SHA-256
// (password_encryption), and pg_hba asking SCRAM, or md5 (which a SCRAM
// password answers with SCRAM as well). The benchmark's process and the
// programs it starts log in with PGUSER and PGPASSWORD.
class ScramPostgres {
public:
    static constexpr const char* Password = "kantoor-wachtwoord";

    ScramPostgres()
    {
        QStringList versions = QDir(u"/usr/lib/postgresql"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        if (versions.isEmpty())
            fail("PostgreSQL is niet geinstalleerd (scripts/install-deps.sh installeert het).");
        bin_ = u"/usr/lib/postgresql/%1/bin/"_s.arg(versions.last());
        if (::geteuid() == 0) {
            QProcess::execute(u"chown"_s, {u"postgres"_s, dir_.path()});
            runAs_ = {u"runuser"_s, u"-u"_s, u"postgres"_s, u"--"_s};
        }
        QFile password(dir_.filePath(u"wachtwoord"_s));
        if (!password.open(QIODevice::WriteOnly))
            fail("het wachtwoordbestand kan niet worden geschreven");
        password.write(QByteArray(Password) + '\n');
        password.close();
        password.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        if (!run(u"initdb"_s, {u"-D"_s, data(), u"-U"_s, u"postgres"_s, u"-A"_s, u"scram-sha-256"_s,
                               u"--pwfile=%1"_s.arg(password.fileName())}))
            fail("initdb is mislukt");
        QFile hba(data() + u"/pg_hba.conf"_s);
        if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail("pg_hba.conf kan niet worden geschreven");
        hba.write("local all all scram-sha-256\n"
                  "host all all 127.0.0.1/32 scram-sha-256\n"
                  "host all all ::1/128 md5\n");
        hba.close();
        port_ = 40000 + int(QRandomGenerator::global()->bounded(20000));
        if (!run(u"pg_ctl"_s, {u"-D"_s, data(), u"-l"_s, dir_.filePath(u"server.log"_s), u"-w"_s, u"-o"_s,
                               u"-k %1 -h 127.0.0.1 -p %2 -c fsync=off -c password_encryption=scram-sha-256"_s
                                   .arg(dir_.path())
                                   .arg(port_),
                               u"start"_s}))
            fail("de server start niet");
        qputenv("PGUSER", "postgres");
        qputenv("PGPASSWORD", Password);
    }
    ~ScramPostgres() { run(u"pg_ctl"_s, {u"-D"_s, data(), u"-m"_s, u"fast"_s, u"-w"_s, u"stop"_s}); }
    ScramPostgres(const ScramPostgres&) = delete;
    ScramPostgres& operator=(const ScramPostgres&) = delete;

    QString server() const { return u"127.0.0.1:%1"_s.arg(port_); }

private:
    [[noreturn]] static void fail(const char* why)
    {
        std::fprintf(stderr, "Eigen PostgreSQL van de benchmark: %s\n", why);
        std::exit(1);
    }
    QString data() const { return dir_.filePath(u"data"_s); }
    bool run(const QString& tool, const QStringList& arguments)
    {
        QStringList command = runAs_;
        command << bin_ + tool << arguments;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QTemporaryDir dir_;
    QString bin_;
    QStringList runAs_;
    int port_ = 0;
};

} // namespace tarvelo::bench
