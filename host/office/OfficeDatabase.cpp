#include "host/office/OfficeDatabase.h"

#include "framework/errors/RuntimeError.h"
#include "host/office/ChangeWatcher.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeSchema.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

RuntimeError unusable(const QString& path, const QString& why)
{
    return RuntimeError(3049, u"De kantoordatabase %1 kan niet worden gebruikt: %2"_s.arg(path, why));
}
} // namespace

namespace {
DatabaseLocation fileLocation(const QString& filePath)
{
    DatabaseLocation location;
    location.provider = u"MSACC"_s;
    location.file = QFileInfo(filePath).absoluteFilePath();
    return location;
}

bool isServer(const DatabaseLocation& location) { return location.provider == QLatin1String("MSSQL"); }
} // namespace

OfficeDatabase::OfficeDatabase(const QString& filePath) : OfficeDatabase(fileLocation(filePath)) {}

OfficeDatabase::OfficeDatabase(const DatabaseLocation& location)
    : location_(location),
      filePath_(isServer(location) ? u"%1/%2"_s.arg(location.server, location.databaseName)
                                   : QFileInfo(location.file).absoluteFilePath())
{
    if (!isServer(location_)) {
        location_.file = filePath_;
        prepareFile();
    }
    try {
        sql_ = std::make_unique<SqlConnection>(location_);
    } catch (const RuntimeError& e) {
        throw unusable(filePath_, e.description());
    }
    try {
        openAndCheck();
    } catch (...) {
        sql_.reset();
        throw;
    }
}

OfficeDatabase::~OfficeDatabase() = default;

void OfficeDatabase::prepareFile()
{
    QFile file(filePath_);
    if (!file.exists()) {
        // Created empty and owner-only before SQLite writes a byte: settings
        // and adviser passwords are kept as typed.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw unusable(filePath_, u"het bestand kan niet worden aangemaakt (%1)."_s.arg(file.errorString()));
        file.close();
        file.setPermissions(OwnerOnly);
        created_ = true;
    } else if (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                                     QFileDevice::WriteOther)) {
        file.setPermissions(OwnerOnly);
    }
    checkFile();
}

void OfficeDatabase::openAndCheck()
{
    if (!isServer(location_)) {
        bool intact = false;
        try {
            QSqlQuery check = exec(u"PRAGMA quick_check"_s);
            intact = check.next() && check.value(0).toString() == QLatin1String("ok");
        } catch (const RuntimeError&) {
        }
        if (!intact)
            throw unusable(filePath_, u"het bestand is beschadigd."_s);
    }
    const QStringList names = connection().tables();
    if (names.isEmpty()) {
        createSchema();
        created_ = true;
    } else if (!names.contains(QLatin1String("DatabaseVersie"), Qt::CaseInsensitive)) {
        throw unusable(filePath_, u"het is geen kantoordatabase."_s);
    } else {
        QSqlQuery version = exec(u"SELECT Versie FROM DatabaseVersie"_s);
        if (!version.next())
            throw unusable(filePath_, u"het versienummer ontbreekt."_s);
        if (version.value(0).toInt() > SchemaVersion)
            throw unusable(filePath_, u"het is gemaakt door een nieuwere versie van het programma."_s);
        addMissingTables(names);
        keyAgentNumbers();
    }
    ChangeWatcher::install(*this, created_ ? connection().tables() : names);
}

// Agent numbers stored without a key (by older versions or imported from
// elsewhere) cannot be changed, deleted or made default by key: each gets one.
// Only the embedded file can hold them, its key column allowing empty values.
void OfficeDatabase::keyAgentNumbers()
{
    if (isServer(location_))
        return;
    QSqlQuery unkeyed = exec(u"SELECT rowid FROM tp_info WHERE GUID IS NULL OR GUID = ''"_s);
    QList<qint64> rows;
    while (unkeyed.next())
        rows << unkeyed.value(0).toLongLong();
    if (rows.isEmpty())
        return;
    try {
        transaction([&] {
            for (qint64 row : rows)
                exec(u"UPDATE tp_info SET GUID = ? WHERE rowid = ?"_s,
                     {QUuid::createUuid().toString(QUuid::WithBraces).toUpper(), row});
        });
    } catch (const RuntimeError&) {
        // An office that cannot be written to now is still opened; its keys come another time.
    }
}

// An office database made before a table or column was added to the office's
// tables gets that table, empty, or that column, empty; what it has stays as it is.
void OfficeDatabase::addMissingTables(const QStringList& existing)
{
    static const QRegularExpression createTable(u"^CREATE TABLE (\\w+) \\((.*)\\)$"_s);
    static const QRegularExpression plainName(u"^\\w+$"_s);
    // Every table's columns in one statement, not one question per table. The
    // file keeps each table's definition as text, added columns included; a
    // name that only a key clause mentions is a column all the same.
    QHash<QString, QSet<QString>> columns;
    if (isServer(location_)) {
        QSqlQuery listed = exec(u"SELECT table_name, column_name FROM information_schema.columns "
                                "WHERE table_schema = current_schema()"_s);
        while (listed.next())
            columns[listed.value(0).toString().toLower()].insert(listed.value(1).toString().toLower());
    } else {
        static const QRegularExpression definition(u"^[^(]*\\((.*)\\)\\s*$"_s,
                                                   QRegularExpression::DotMatchesEverythingOption);
        QSqlQuery listed = exec(u"SELECT name, sql FROM sqlite_master WHERE type = 'table'"_s);
        while (listed.next()) {
            QSet<QString>& names = columns[listed.value(0).toString().toLower()];
            const QString body = definition.match(listed.value(1).toString()).captured(1);
            for (const QString& part : body.split(QLatin1Char(',')))
                names.insert(part.trimmed().section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('"')).toLower());
        }
    }
    QStringList missing;
    for (const QString& statement : officeSchema()) {
        const QRegularExpressionMatch match = createTable.match(statement);
        if (!match.hasMatch())
            continue;
        const QString table = match.captured(1);
        // A server folds unquoted names to lower case; ask for the name it lists.
        const auto stored = std::find_if(existing.begin(), existing.end(), [&](const QString& name) {
            return name.compare(table, Qt::CaseInsensitive) == 0;
        });
        if (stored == existing.end()) {
            missing << statement;
            continue;
        }
        const QSet<QString> present = columns.value(stored->toLower());
        if (present.isEmpty())
            continue; // the columns cannot be read; better add none than add them twice
        for (const QString& definition : match.captured(2).split(QLatin1Char(','))) {
            const QString column = definition.trimmed().section(QLatin1Char(' '), 0, 0);
            if (!plainName.match(column).hasMatch() || column == QLatin1String("PRIMARY")
                || column == QLatin1String("UNIQUE") || present.contains(column.toLower()))
                continue;
            // A column added later starts with its default, or empty when it has none,
            // so NOT NULL without a default cannot be kept.
            QString type = definition.trimmed().section(QLatin1Char(' '), 1);
            if (!type.contains(QLatin1String("DEFAULT"), Qt::CaseInsensitive))
                type.remove(QLatin1String("NOT NULL"), Qt::CaseInsensitive);
            missing << u"ALTER TABLE %1 ADD COLUMN %2 %3"_s.arg(table, column, type.trimmed());
        }
    }
    if (!missing.isEmpty())
        transaction([&] {
            for (const QString& statement : missing)
                exec(statement);
        });
}

void OfficeDatabase::checkFile()
{
    // Qt opens any file as SQLite and fails only on the first statement; a
    // file that is not SQLite at all is told apart here, before any write.
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        throw unusable(filePath_, u"het bestand kan niet worden gelezen (%1)."_s.arg(file.errorString()));
    const QByteArray header = file.read(16);
    if (!header.isEmpty() && header != QByteArray("SQLite format 3\0", 16))
        throw unusable(filePath_, u"het bestand is beschadigd of is geen kantoordatabase."_s);
}

QSqlQuery OfficeDatabase::exec(const QString& sql, const QVariantList& values) const
{
    QSqlQuery query;
    if (!sql_->run(query, sql, values))
        throw RuntimeError(3001, u"Fout in de kantoordatabase: %1"_s.arg(query.lastError().text()));
    return query;
}

void OfficeDatabase::transaction(const std::function<void()>& body)
{
    if (!sql_->begin())
        throw RuntimeError(3001, u"Fout in de kantoordatabase: %1"_s.arg(sql_->lastError().text()));
    try {
        body();
    } catch (...) {
        sql_->rollback();
        throw;
    }
    if (!sql_->commit()) {
        const QString why = sql_->lastError().text();
        sql_->rollback();
        throw RuntimeError(3001, u"De wijzigingen konden niet worden opgeslagen: %1"_s.arg(why));
    }
}

void OfficeDatabase::createSchema()
{
    transaction([this] {
        for (QString statement : officeSchema()) {
            // A numbered key counts by itself in SQLite; the server is told so.
            if (isServer(location_))
                statement.replace(QLatin1String("INTEGER PRIMARY KEY"),
                                  QLatin1String("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
            exec(statement);
        }
        exec(u"INSERT INTO DatabaseVersie (Versie) VALUES (?)"_s, {SchemaVersion});
    });
}

} // namespace tarvelo

namespace tarvelo {

CompanyCatalogue& OfficeDatabase::catalogue()
{
    if (!catalogue_)
        catalogue_ = std::make_unique<CompanyCatalogue>(*this);
    return *catalogue_;
}

} // namespace tarvelo
