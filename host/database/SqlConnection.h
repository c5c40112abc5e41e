#pragma once

#include "TarveloExport.h"

#include "framework/host/Connection.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

// Where the office database is: provider "MSACC" is an SQLite file, provider
// "MSSQL" a PostgreSQL database on a server ("host" or "host:port").
struct TARVELO_EXPORT DatabaseLocation {
    QString provider = u"MSACC"_s;
    QString file;
    QString server;
    QString databaseName;
};

// The office database connection over Qt Sql. Statements are taken as the
// pages write them (Access or SQL Server style) and made to fit the engine:
// both engines know Len and Datalength, and bracketed names are unbracketed
// for PostgreSQL (Len and Datalength are taken from this program's schema).
class TARVELO_EXPORT SqlConnection final : public Connection {
public:
    // Throws RuntimeError with the engine's own message when it cannot connect.
    explicit SqlConnection(const DatabaseLocation& location);
    ~SqlConnection() override;
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    QString provider() const override { return provider_; }
    using Connection::Execute;
    int Execute(const QString& statement) override;
    std::unique_ptr<Recordset> OpenRecordset(const QString& statement) override;
    std::unique_ptr<Recordset> OpenRecordset(const QString& statement, const QVariantList& values) override;
    std::unique_ptr<PreparedStatement> Prepare(const QString& statement) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;

    // The statement as this engine runs it.
    QString adapt(const QString& statement) const;
    QSqlDatabase database() const;

    // How long a statement on the server may take before this program stops
    // waiting for its answer (the connection is then closed and the action
    // fails with "De kantoordatabase antwoordt niet"); the server itself ends
    // a statement a little earlier, and gives up waiting for a lock another
    // workstation holds earlier still. Waiting for another program that
    // makes an office may take longer.
    static constexpr std::chrono::milliseconds AnswerTimeout{15000};
    static constexpr std::chrono::milliseconds ServerStatementTimeout{14000};
    static constexpr std::chrono::milliseconds ServerLockTimeout{10000};
    static constexpr std::chrono::milliseconds OtherProgramsTimeout{75000};
    enum class Wait { ForAnswer, ForOtherPrograms };

    // Runs one statement, taken as it is, with values bound in order to its
    // "?" placeholders, on both engines as bound parameters (never in the
    // statement's text). False when the engine refused it; query holds the
    // engine's error then. A statement is one round trip on the server.
    //
    // On the server a connection found lost (the server restarted, the
    // network dropped) is opened again once before the statement, and the
    // statement is run again when no transaction was open; a connection that
    // cannot be opened again throws RuntimeError ConnectionLost naming the
    // server and the reason. After that failure the connection is tried again
    // only at the user's next action (the next turn of the event loop), so
    // that one action shows one message and does not wait twice.
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values = {}, Wait wait = Wait::ForAnswer);
    // Runs the statements as run() would, in order, sent together: on the
    // server in one round trip, whole or not at all (a lost connection is
    // opened again first, none runs twice, a value the server cannot take
    // fails all unsent); on the file one by one. A failed answer holds its error.
    std::vector<QSqlQuery> runTogether(const QList<std::pair<QString, QVariantList>>& statements);
    // Transactions, counted so that a lost connection is opened again only
    // outside one; false with the engine's error in lastError().
    bool begin();
    bool commit();
    bool rollback();
    QSqlError lastError() const;
    bool inTransaction() const { return depth_ > 0; }

    // The server as the user named it, for messages.
    const QString& server() const { return server_; }
    // The schema of this program's own functions on the server.
    static inline const QString OwnSchema = u"tarvelo"_s;
    // Adds Len and Datalength on the server, in OwnSchema, where they are
    // missing: only in a database that is this program's office (or is being
    // made one), never before it was looked at. The file has them from the start.
    void addOwnFunctions();
    // Opens a lost server connection again (see run); nothing on the file.
    void reopenIfLost();
    // Called after the connection was opened again.
    std::function<void()> reconnected;
    static constexpr long ConnectionLost = 3151;

    // Every statement sent to the engine since the connection was opened:
    // on the file every statement SQLite ran (also the driver's own), on the
    // server every statement this program sent on it, but not those the
    // driver sends itself when it connects, nor the watcher's LISTEN.
    qint64 statementCount() const { return counter_->count; }
    // The texts of the statements counted from now on, for telling which
    // statements an action cost; off again with false.
    void logStatements(bool on);
    QStringList loggedStatements() const { return counter_->log; }
    // Moves with every statement that may write (all but SELECT, PRAGMA and
    // SHOW): what was read before it may be stale since.
    qint64 writeCount() const { return writes_; }
    // Moves with every write and at every turn of the event loop: what was
    // read for one user action serves that action until it writes, and the
    // next action reads again.
    qint64 readGeneration();

private:
    void addFileFunctions();
    bool attempt(const std::function<bool()>& once);
    bool connectionLost();

    QString connectionName_;
    QString provider_;
    QString server_;
    int depth_ = 0;
    qint64 writes_ = 0;
    qint64 turns_ = 0;
    bool turnPending_ = false;
    bool retryLater_ = false;
    QSqlError lastError_;
    // Shared with the engine's trace callback.
    struct Counter {
        qint64 count = 0;
        bool logging = false;
        QStringList log;
        void counted(const QString& statement)
        {
            ++count;
            if (logging)
                log << statement;
        }
    };
    std::shared_ptr<Counter> counter_ = std::make_shared<Counter>();
    QObject context_;
};

} // namespace tarvelo
