#pragma once

#include "framework/host/Connection.h"

#include <QSqlDatabase>

namespace tarvelo {

using namespace Qt::StringLiterals;

// Where the office database is: provider "MSACC" is an SQLite file, provider
// "MSSQL" a PostgreSQL database on a server ("host" or "host:port").
struct DatabaseLocation {
    QString provider = u"MSACC"_s;
    QString file;
    QString server;
    QString databaseName;
};

// The office database connection over Qt Sql. Statements are taken as the
// pages write them (Access or SQL Server style) and made to fit the engine:
// both engines know Len and Datalength, and bracketed names are unbracketed
// for PostgreSQL.
class SqlConnection final : public Connection {
public:
    // Throws RuntimeError with the engine's own message when it cannot connect.
    explicit SqlConnection(const DatabaseLocation& location);
    ~SqlConnection() override;
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    QString provider() const override { return provider_; }
    int Execute(const QString& statement) override;
    std::unique_ptr<Recordset> OpenRecordset(const QString& statement) override;
    std::unique_ptr<PreparedStatement> Prepare(const QString& statement) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;

    // The statement as this engine runs it.
    QString adapt(const QString& statement) const;
    QSqlDatabase database() const;

private:
    void addMissingFunctions();

    QString connectionName_;
    QString provider_;
};

} // namespace tarvelo
