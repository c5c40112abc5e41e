#include "host/office/OfficeDatabase.h"

#include "framework/errors/RuntimeError.h"
#include "host/office/OfficeSchema.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace tarvelo {

namespace {
QAtomicInt connectionCounter;

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

RuntimeError unusable(const QString& path, const QString& why)
{
    return RuntimeError(3049, QStringLiteral("De kantoordatabase %1 kan niet worden gebruikt: %2").arg(path, why));
}
} // namespace

OfficeDatabase::OfficeDatabase(const QString& filePath)
    : filePath_(QFileInfo(filePath).absoluteFilePath()),
      connectionName_(QStringLiteral("tarvelo-kantoor-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    QFile file(filePath_);
    if (!file.exists()) {
        // Created empty and owner-only before SQLite writes a byte: settings
        // and adviser passwords are kept as typed.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw unusable(filePath_, QStringLiteral("het bestand kan niet worden aangemaakt (%1).").arg(file.errorString()));
        file.close();
        file.setPermissions(OwnerOnly);
        created_ = true;
    } else if (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                                     QFileDevice::WriteOther)) {
        file.setPermissions(OwnerOnly);
    }
    checkFile();

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(filePath_);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const QString why = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName_);
            throw unusable(filePath_, why);
        }
    }
    try {
        bool intact = false;
        try {
            QSqlQuery check = exec(QStringLiteral("PRAGMA quick_check"));
            intact = check.next() && check.value(0).toString() == QLatin1String("ok");
        } catch (const RuntimeError&) {
        }
        if (!intact)
            throw unusable(filePath_, QStringLiteral("het bestand is beschadigd."));
        QSqlQuery tables = exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        QStringList names;
        while (tables.next())
            names << tables.value(0).toString();
        if (names.isEmpty()) {
            createSchema();
            created_ = true;
        } else if (!names.contains(QLatin1String("DatabaseVersie"))) {
            throw unusable(filePath_, QStringLiteral("het is geen kantoordatabase."));
        } else {
            QSqlQuery version = exec(QStringLiteral("SELECT Versie FROM DatabaseVersie"));
            if (!version.next())
                throw unusable(filePath_, QStringLiteral("het versienummer ontbreekt."));
            if (version.value(0).toInt() > SchemaVersion)
                throw unusable(filePath_, QStringLiteral("het is gemaakt door een nieuwere versie van het programma."));
        }
    } catch (...) {
        {
            QSqlDatabase db = connection();
            db.close();
        }
        QSqlDatabase::removeDatabase(connectionName_);
        throw;
    }
}

OfficeDatabase::~OfficeDatabase()
{
    {
        QSqlDatabase db = connection();
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

void OfficeDatabase::checkFile()
{
    // Qt opens any file as SQLite and fails only on the first statement; a
    // file that is not SQLite at all is told apart here, before any write.
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        throw unusable(filePath_, QStringLiteral("het bestand kan niet worden gelezen (%1).").arg(file.errorString()));
    const QByteArray header = file.read(16);
    if (!header.isEmpty() && header != QByteArray("SQLite format 3\0", 16))
        throw unusable(filePath_, QStringLiteral("het bestand is beschadigd of is geen kantoordatabase."));
}

QSqlQuery OfficeDatabase::exec(const QString& sql, const QVariantList& values) const
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw RuntimeError(3001, QStringLiteral("Fout in de kantoordatabase: %1").arg(query.lastError().text()));
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw RuntimeError(3001, QStringLiteral("Fout in de kantoordatabase: %1").arg(query.lastError().text()));
    return query;
}

void OfficeDatabase::transaction(const std::function<void()>& body)
{
    QSqlDatabase db = connection();
    if (!db.transaction())
        throw RuntimeError(3001, QStringLiteral("Fout in de kantoordatabase: %1").arg(db.lastError().text()));
    try {
        body();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString why = db.lastError().text();
        db.rollback();
        throw RuntimeError(3001, QStringLiteral("De wijzigingen konden niet worden opgeslagen: %1").arg(why));
    }
}

void OfficeDatabase::createSchema()
{
    transaction([this] {
        for (const QString& statement : officeSchema())
            exec(statement);
        exec(QStringLiteral("INSERT INTO DatabaseVersie (Versie) VALUES (?)"), {SchemaVersion});
    });
}

} // namespace tarvelo
