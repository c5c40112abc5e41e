#pragma once

#include "host/database/SqlConnection.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace tarvelo {

class CompanyCatalogue;

// The office database: one SQLite file, or a PostgreSQL database on a server
// once the office has outgrown one workstation; the same tables on both. A
// missing file is created readable by its owner only, an empty database gets
// the office's tables; a file that is damaged, or a database that is no office
// database, is refused and left untouched.
//
// Making an office is one step: its tables, what the host fills it with and
// its version are committed together, by one program at a time. A second
// program that opens the database meanwhile waits and then finds the office
// made; a start that was killed or failed left nothing, and the next one
// starts over.
class OfficeDatabase {
public:
    // What a new office holds besides its tables, written inside the step
    // that makes it. It also completes an office that has its tables but
    // nothing in it (no office, advisers, companies or messages), as an
    // earlier version could leave it when it was stopped while making one.
    using Filling = std::function<void(OfficeDatabase&)>;
    // Reads the host makes right after opening, with their values: on the
    // server they go in one round trip with the opening's own reads.
    using Reads = QList<std::pair<QString, QVariantList>>;

    // Throws RuntimeError with a Dutch description when the database cannot be used.
    explicit OfficeDatabase(const QString& filePath, const Filling& fill = {});
    explicit OfficeDatabase(const DatabaseLocation& location, const Filling& fill = {}, const Reads& alsoRead = {});
    ~OfficeDatabase();
    OfficeDatabase(const OfficeDatabase&) = delete;
    OfficeDatabase& operator=(const OfficeDatabase&) = delete;

    const QString& filePath() const { return filePath_; }
    const DatabaseLocation& location() const { return location_; }
    // True when this start made the office (or filled one that was left empty).
    bool isNew() const { return created_; }
    QSqlDatabase connection() const { return sql_->database(); }
    // The connection the pages run their statements on.
    SqlConnection& pageConnection() { return *sql_; }

    // Runs a statement with its values bound in order; throws RuntimeError
    // when it fails. The query is positioned before its first row.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {}) const;
    // Sends these reads together (on the server in one round trip) and keeps
    // their answers: exec of the same statement with the same values takes
    // its answer from here, once, until the next write or the event loop's
    // next turn. A read that failed is run again when asked.
    void readAhead(const Reads& reads) const;
    // The answer read ahead for this statement, if there is one (taken).
    std::optional<QSqlQuery> answeredAhead(const QString& sql, const QVariantList& values) const;
    // While a list is given, every read (SELECT) that exec runs, also one
    // answered ahead, is added to it once, in order; nullptr stops.
    void recordReads(Reads* into) const { recording_ = into; }
    // Runs body as one transaction: all of it is stored, or none of it.
    void transaction(const std::function<void()>& body);

    // The companies of the company tables and the office's data per company.
    CompanyCatalogue& catalogue();

    static constexpr int SchemaVersion = 1;

private:
    void prepareFile();
    void checkFile();
    void openAndCheck(const Filling& fill, const Reads& alsoRead);
    void checkIntact();
    // The office's tables and each table's columns (in lower case), read in
    // one statement.
    struct Tables {
        QStringList names;
        QHash<QString, QSet<QString>> columns;
    };
    Tables readTables() const;
    // Throws when it is no office of this version; with alsoEmpty, true when
    // the office holds nothing (asked in the same statement).
    bool checkVersion(const QStringList& names, bool alsoEmpty) const;
    bool holdsNothing() const;
    void exclusively(const std::function<void()>& body);
    void createSchema();
    QStringList missingTablesAndColumns(const Tables& existing) const;
    void keyAgentNumbers();

    DatabaseLocation location_;
    QString filePath_;
    std::unique_ptr<SqlConnection> sql_;
    std::unique_ptr<CompanyCatalogue> catalogue_;
    bool created_ = false;
    mutable QHash<QString, QSqlQuery> ahead_;
    mutable qint64 aheadGeneration_ = -1;
    mutable Reads* recording_ = nullptr;
};

} // namespace tarvelo
