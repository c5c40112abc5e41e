#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>

namespace tarvelo {

// The office database: one SQLite file opened through Qt Sql. A missing file
// is created readable by its owner only, with the office's tables; a file
// that is damaged, or is no office database, is refused and left untouched.
class OfficeDatabase {
public:
    // Throws RuntimeError with a Dutch description when the file cannot be used.
    explicit OfficeDatabase(const QString& filePath);
    ~OfficeDatabase();
    OfficeDatabase(const OfficeDatabase&) = delete;
    OfficeDatabase& operator=(const OfficeDatabase&) = delete;

    const QString& filePath() const { return filePath_; }
    // True when this start created the file.
    bool isNew() const { return created_; }
    QSqlDatabase connection() const { return QSqlDatabase::database(connectionName_, false); }

    // Runs a statement with its values bound in order; throws RuntimeError
    // when it fails. The query is positioned before its first row.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {}) const;
    // Runs body as one transaction: all of it is stored, or none of it.
    void transaction(const std::function<void()>& body);

    static constexpr int SchemaVersion = 1;

private:
    void checkFile();
    void createSchema();

    QString filePath_;
    QString connectionName_;
    bool created_ = false;
};

} // namespace tarvelo
