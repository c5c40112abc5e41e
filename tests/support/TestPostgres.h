#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tarvelo::testing {

using namespace Qt::StringLiterals;

// The PostgreSQL server that scripts/test.sh starts for the tests ("host:port").
// Tests that need it fail, not skip, when it is missing.
inline QString testPostgresServer()
{
    const QString server = qEnvironmentVariable("TARVELO_TEST_PGSERVER");
    if (server.isEmpty())
        ADD_FAILURE() << "Geen PostgreSQL voor de tests: start ze met scripts/test.sh "
                         "(of zet TARVELO_TEST_PGSERVER en PGUSER).";
    return server;
}

// Creates a fresh, empty database on the test server (or on server) and returns its name.
inline QString createTestDatabase(QString server = QString())
{
    if (server.isEmpty())
        server = testPostgresServer();
    const QString name = u"test_"_s + QUuid::createUuid().toString(QUuid::Id128).left(12);
    const QString connection = u"maak-"_s + name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, connection);
        db.setHostName(server.section(QLatin1Char(':'), 0, 0));
        db.setPort(server.section(QLatin1Char(':'), 1, 1).toInt());
        db.setDatabaseName(u"postgres"_s);
        if (!db.open()) {
            ADD_FAILURE() << db.lastError().text().toStdString();
        } else {
            QSqlQuery q(db);
            if (!q.exec(u"CREATE DATABASE %1"_s.arg(name)))
                ADD_FAILURE() << q.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return name;
}

// A PostgreSQL server of one test's own, for tests that stop or restart the
// server under a program (the shared test server serves other tests at once).
// Started as scripts/test-postgres.sh starts the shared one.
class OwnTestPostgres {
public:
    // With a password, every login must give it (SCRAM, as an office's server asks).
    explicit OwnTestPostgres(const QString& password = QString())
    {
        QStringList versions = QDir(u"/usr/lib/postgresql"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        if (versions.isEmpty()) {
            ADD_FAILURE() << "PostgreSQL is niet geinstalleerd (scripts/install-deps.sh installeert het).";
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
            if (file.open(QIODevice::WriteOnly))
                file.write(password.toUtf8() + '\n');
            file.close();
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
            init = {u"-D"_s, data(), u"-A"_s, u"scram-sha-256"_s, u"-U"_s, u"postgres"_s,
                    u"--pwfile=%1"_s.arg(file.fileName())};
        }
        if (!run(u"initdb"_s, init)) {
            ADD_FAILURE() << "initdb is mislukt";
            return;
        }
        port_ = 40000 + int(QRandomGenerator::global()->bounded(20000));
        if (!start())
            ADD_FAILURE() << "de eigen PostgreSQL start niet";
    }
    ~OwnTestPostgres() { stop(); }
    OwnTestPostgres(const OwnTestPostgres&) = delete;
    OwnTestPostgres& operator=(const OwnTestPostgres&) = delete;

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
        QStringList command = runAs_;
        command << bin_ + tool;
        command << arguments;
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

} // namespace tarvelo::testing
