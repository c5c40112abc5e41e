// Moving stored HDN messages: 100,000 messages of about 4 KB between the
// database and a folder tree, against a baseline of the same file writes plus
// one SQLite transaction of the same updates; and the counts on 1,000,000 rows.
// HDN_BENCH_N sets the number of messages; with TARVELO_TEST_PGSERVER (and
// PGUSER) set the moves run on PostgreSQL too.
#include "framework/host/Connection.h"
#include "host/database/SqlConnection.h"
#include "pages/database_hdn/HdnMessageStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

QString text(int id)
{
    static const QString body = QString(3900, QLatin1Char('x'));
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<AXBericht><Header><Id>%1</Id></Header><T>%2</T></AXBericht>"_s
        .arg(id)
        .arg(body);
}

QDate date(int id) { return QDate(2015 + id % 10, 1 + id % 12, 1 + id % 28); }

long maxRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void fill(SqlConnection& connection, const QString& table, int n, bool small)
{
    QSqlDatabase db = connection.database();
    QSqlQuery q(db);
    q.exec(u"DROP TABLE IF EXISTS %1"_s.arg(table));
    if (!q.exec(u"CREATE TABLE %1 (Ber_Id INTEGER PRIMARY KEY, Ber_Cd TEXT, Ber_Dt TEXT, Ber_Om_Ascii TEXT, "
                "Ber_Om_Berichtnaam TEXT)"_s.arg(table)))
        qFatal("%s", qPrintable(q.lastError().text()));
    db.transaction();
    q.prepare(u"INSERT INTO %1 VALUES (?, 'AX', ?, ?, '')"_s.arg(table));
    for (int id = 1; id <= n; ++id) {
        q.addBindValue(id);
        q.addBindValue(date(id).toString(Qt::ISODate));
        q.addBindValue(small ? u"<a>%1</a>"_s.arg(id) : text(id));
        if (!q.exec())
            qFatal("%s", qPrintable(q.lastError().text()));
    }
    db.commit();
}

double seconds(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e9; }

void line(const char* what, int n, double s, double baseline = 0)
{
    std::printf("%-44s %9.2f s %10.0f berichten/s", what, s, n / s);
    if (baseline > 0)
        std::printf("   %.2f x basislijn", s / baseline);
    std::printf("   (max. geheugen %ld MB)\n", maxRssMb());
}

// The baseline: the same files written plainly, then one transaction of the same updates.
double baseline(SqlConnection& connection, const QString& folder, int n)
{
    fill(connection, u"HDNBasislijn"_s, n, false);
    QElapsedTimer t;
    t.start();
    QString lastFolder;
    std::vector<QString> names;
    names.reserve(std::size_t(n));
    for (int id = 1; id <= n; ++id) {
        const QString dir = HdnMessageStore::MessagePath(folder, date(id), QString());
        if (dir != lastFolder) {
            QDir().mkpath(dir);
            lastFolder = dir;
        }
        names.push_back(u"AX_"_s + QUuid::createUuid().toString(QUuid::WithoutBraces) + u".xml"_s);
        QFile f(dir + QLatin1Char('/') + names.back());
        f.open(QIODevice::WriteOnly);
        f.write(text(id).toUtf8());
    }
    QSqlDatabase db = connection.database();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(u"UPDATE HDNBasislijn SET Ber_Om_Berichtnaam = ?, Ber_Om_Ascii = '' WHERE Ber_Id = ?"_s);
    for (int id = 1; id <= n; ++id) {
        q.addBindValue(names[std::size_t(id - 1)]);
        q.addBindValue(id);
        q.exec();
    }
    db.commit();
    QSqlQuery(db).exec(u"DROP TABLE HDNBasislijn"_s);
    return seconds(t);
}

void moves(const char* engine, SqlConnection& connection, bool server, const QString& root, int n, double base)
{
    std::printf("\n%s, %d berichten van ongeveer 4 kB\n", engine, n);
    fill(connection, u"HDNBericht"_s, n, false);
    HdnMessageStore store(connection, server);
    const QString a = root + u"/a"_s, b = root + u"/b"_s;
    QDir().mkpath(a);
    QElapsedTimer t;
    t.start();
    const qint64 count = store.CountInDatabase();
    line("tellen (in database)", n, seconds(t));
    t.restart();
    const qint64 size = store.SizeOnDisk(QStorageInfo(a).blockSize());
    line("grootte op schijf", n, seconds(t));
    if (count != n || size <= 0)
        qFatal("telling klopt niet");
    t.restart();
    HdnMoveResult r = store.MoveDatabaseToFolder(a);
    line("database -> map", n, seconds(t), base);
    t.restart();
    r = store.CopyFolderToFolder(a, b);
    store.RemoveDuplicates(a, b);
    line("map -> map", n, seconds(t), base);
    t.restart();
    r = store.MoveFolderToDatabase(b, true);
    line("map -> database (bestanden verwijderd)", n, seconds(t), base);
    if (!r.error.isEmpty() || store.CountInDatabase() != n)
        qFatal("verplaatsen mislukt: %s", qPrintable(r.error));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each result as it comes
    const int n = qEnvironmentVariableIsSet("HDN_BENCH_N") ? qEnvironmentVariableIntValue("HDN_BENCH_N") : 100000;
    QTemporaryDir dir;
    SqlConnection sqlite(DatabaseLocation{u"MSACC"_s, dir.filePath(u"kantoor.db"_s), {}, {}});

    const double base = baseline(sqlite, dir.filePath(u"basislijn"_s), n);
    std::printf("basislijn: %d bestanden schrijven + 1 SQLite-transactie: %.2f s, %.0f berichten/s\n", n, base,
                n / base);
    QDir(dir.filePath(u"basislijn"_s)).removeRecursively();

    moves("SQLite", sqlite, false, dir.filePath(u"sqlite"_s), n, base);

    const QString server = qEnvironmentVariable("TARVELO_TEST_PGSERVER");
    if (!server.isEmpty()) {
        const QString name = u"bench_"_s + QUuid::createUuid().toString(QUuid::Id128).left(10);
        {
            QSqlDatabase admin = QSqlDatabase::addDatabase(u"QPSQL"_s, u"bench-admin"_s);
            admin.setHostName(server.section(QLatin1Char(':'), 0, 0));
            admin.setPort(server.section(QLatin1Char(':'), 1, 1).toInt());
            admin.setDatabaseName(u"postgres"_s);
            if (admin.open())
                QSqlQuery(admin).exec(u"CREATE DATABASE %1"_s.arg(name));
        }
        QSqlDatabase::removeDatabase(u"bench-admin"_s);
        SqlConnection pg(DatabaseLocation{u"MSSQL"_s, {}, server, name});
        moves("PostgreSQL", pg, true, dir.filePath(u"pg"_s), n, base);
    }

    // The counts on 1,000,000 rows.
    SqlConnection counts(DatabaseLocation{u"MSACC"_s, dir.filePath(u"tellen.db"_s), {}, {}});
    const int million = 1000000;
    fill(counts, u"HDNBericht"_s, million, true);
    HdnMessageStore store(counts, false);
    QElapsedTimer t;
    t.start();
    store.CountInDatabase();
    store.CountAsFiles();
    line("\ntellen van 1.000.000 rijen (beide tellingen)", million, seconds(t));
    return 0;
}
