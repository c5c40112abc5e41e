#pragma once

#include "tests/support/OwnPostgres.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

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
// server under a program (the shared test server serves other tests at once);
// what fails in starting it fails the test.
class OwnTestPostgres : public OwnPostgres {
public:
    explicit OwnTestPostgres(const QString& password = QString())
        : OwnPostgres([](const QString& why) { ADD_FAILURE() << why.toStdString(); }, password)
    {
    }
};

} // namespace tarvelo::testing
