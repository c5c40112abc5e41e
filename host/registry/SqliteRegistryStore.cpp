#include "host/registry/SqliteRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtDebug>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Marks a database as a hive, so that another program's SQLite file is never taken for one.
constexpr int HiveApplicationId = 0x54766c52;
constexpr int HiveSchemaVersion = 1;
constexpr std::chrono::seconds BusyTimeout{10};
// Pause between one store's back-to-back writes, long enough for a waiting process to get in.
constexpr std::chrono::milliseconds WriteTurn{2};

QString folded(const QString& name) { return name.toCaseFolded(); }

bool isDamage(int resultCode)
{
    const int primary = resultCode & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

} // namespace

// A prepared statement that finalises itself.
class SqliteRegistryStore::Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) { result_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    // Ready to run again with new bindings.
    void reset()
    {
        if (stmt_) {
            sqlite3_reset(stmt_);
            result_ = SQLITE_OK;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const QString& text)
    {
        if (result_ == SQLITE_OK) {
            const QByteArray utf8 = text.toUtf8();
            result_ = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        return *this;
    }

    // SQLITE_ROW, SQLITE_DONE or the error, which later steps return again.
    int step()
    {
        if (result_ != SQLITE_OK && result_ != SQLITE_ROW && result_ != SQLITE_DONE)
            return result_;
        result_ = sqlite3_step(stmt_);
        return result_;
    }

    bool run() { return step() == SQLITE_DONE; }

    QString text(int column) const
    {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return QString::fromUtf8(data, sqlite3_column_bytes(stmt_, column));
    }
    int integer(int column) const { return sqlite3_column_int(stmt_, column); }

    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    int result_;
};

SqliteRegistryStore::SqliteRegistryStore(QString filePath) : filePath_(std::move(filePath)) {}

SqliteRegistryStore::~SqliteRegistryStore() { sqlite3_close_v2(db_); }

bool SqliteRegistryStore::createFile()
{
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // O_EXCL: when another process created it a moment ago, its file is used as it is.
    const int fd = ::open(QFile::encodeName(filePath_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EEXIST;
}

sqlite3* SqliteRegistryStore::connection(Access access)
{
    if (db_)
        return db_;
    if (!QFileInfo::exists(filePath_)) {
        if (access == Access::Read)
            return nullptr;
        if (!createFile()) {
            // A hive this user may not create is the administrator's: its writes are skipped,
            // as the registry skips a write it cannot do; the command that changes it says so.
            if (errno == EACCES || errno == EPERM || errno == EROFS)
                return nullptr;
            qWarning().noquote() << u"Registerbestand %1 kan niet worden aangemaakt: %2"_s.arg(
                filePath_, QString::fromLocal8Bit(std::strerror(errno)));
            return nullptr;
        }
    }
    // Never SQLITE_OPEN_CREATE: a file that vanished is not silently made anew with wider rights.
    // The default rollback journal is kept rather than WAL: WAL readers must write beside the
    // file, and the machine hive may sit in a folder its users can only read.
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(filePath_).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        qWarning().noquote() << u"Registerbestand %1 kan niet worden geopend: %2"_s.arg(
            filePath_, QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, &SqliteRegistryStore::waitWhileBusy, this);
    db_ = db;
    return db_;
}

int SqliteRegistryStore::waitWhileBusy(void* store, int attempt)
{
    // SQLite's own busy wait backs off to sleeps of 100 ms, so a process that writes without
    // pause can starve another one for the whole timeout. Short, uneven retries find the
    // moments between its transactions.
    auto* self = static_cast<SqliteRegistryStore*>(store);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        self->busySince_ = now;
    if (now - self->busySince_ >= BusyTimeout)
        return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(200, 1200)));
    return 1;
}

void SqliteRegistryStore::noteReadFailure(int resultCode)
{
    if (!isDamage(resultCode) || readFailureReported_)
        return;
    readFailureReported_ = true;
    readFailure_ = u"het registerbestand %1 is beschadigd"_s.arg(filePath_);
    qWarning().noquote() << u"Registerbestand %1 is beschadigd; de standaardwaarden "
                            "worden gebruikt: %2"_s.arg(filePath_, QString::fromUtf8(sqlite3_errstr(resultCode)));
}

bool SqliteRegistryStore::prepareSchema(QString& reason)
{
    if (schemaReady_)
        return true;
    Statement appId(db_, "PRAGMA application_id");
    if (appId.step() != SQLITE_ROW) {
        reason = appId.error();
        return false;
    }
    if (appId.integer(0) != HiveApplicationId) {
        Statement objects(db_, "SELECT count(*) FROM sqlite_schema");
        if (objects.step() != SQLITE_ROW) {
            reason = objects.error();
            return false;
        }
        if (objects.integer(0) != 0) {
            reason = u"het bestand is een database van een ander programma"_s;
            return false;
        }
        const char* schema = "CREATE TABLE reg_keys("
                             " folded TEXT PRIMARY KEY,"
                             " path TEXT NOT NULL"
                             ") WITHOUT ROWID;"
                             "CREATE TABLE reg_values("
                             " key_folded TEXT NOT NULL REFERENCES reg_keys(folded),"
                             " name_folded TEXT NOT NULL,"
                             " name TEXT NOT NULL,"
                             " data TEXT NOT NULL,"
                             " PRIMARY KEY(key_folded, name_folded)"
                             ") WITHOUT ROWID;";
        char* message = nullptr;
        const QByteArray pragmas = QByteArray("PRAGMA application_id=") + QByteArray::number(HiveApplicationId) +
                                   ";PRAGMA user_version=" + QByteArray::number(HiveSchemaVersion);
        if (sqlite3_exec(db_, schema, nullptr, nullptr, &message) != SQLITE_OK ||
            sqlite3_exec(db_, pragmas.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            reason = QString::fromUtf8(message);
            sqlite3_free(message);
            return false;
        }
    }
    return true;
}

bool SqliteRegistryStore::insertKey(const QString& keyPath)
{
    // The key and each of its parents, each keeping the case of its first writer.
    Statement insert(db_, "INSERT OR IGNORE INTO reg_keys(folded, path) VALUES(?1, ?2)");
    for (qsizetype end = keyPath.indexOf(u'\\');; end = keyPath.indexOf(u'\\', end + 1)) {
        const QString path = end < 0 ? keyPath : keyPath.left(end);
        insert.reset();
        if (!insert.bind(1, folded(path)).bind(2, path).run())
            return false;
        if (end < 0)
            return true;
    }
}

template <typename Change>
bool SqliteRegistryStore::write(const QString& what, Change&& change)
{
    // The error code is taken before a rollback, which resets it.
    const auto refuse = [&](const QString& reason, int code) {
        // The same for a hive this user may only read.
        if ((code & 0xff) == SQLITE_READONLY)
            return false;
        qWarning().noquote() << u"Registerbestand %1: %2 is niet opgeslagen: %3"_s.arg(filePath_, what, reason);
        return false;
    };
    if (!connection(Access::Write))
        return false;
    // The lock goes to whoever asks first after a commit; without a pause a store writing in a
    // loop would take it again at once and another process could wait in vain.
    const auto sinceLastWrite = std::chrono::steady_clock::now() - lastWrite_;
    if (sinceLastWrite < WriteTurn)
        std::this_thread::sleep_for(WriteTurn - sinceLastWrite);
    const auto written = qScopeGuard([this] { lastWrite_ = std::chrono::steady_clock::now(); });
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return refuse(QString::fromUtf8(sqlite3_errmsg(db_)), sqlite3_errcode(db_));
    QString reason;
    if (!prepareSchema(reason) || !change()) {
        if (reason.isEmpty())
            reason = QString::fromUtf8(sqlite3_errmsg(db_));
        const int code = sqlite3_errcode(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return refuse(reason, code);
    }
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        reason = QString::fromUtf8(sqlite3_errmsg(db_));
        const int code = sqlite3_errcode(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return refuse(reason, code);
    }
    schemaReady_ = true;
    return true;
}

bool SqliteRegistryStore::openKey(const QString& keyPath)
{
    if (!isValidKeyPath(keyPath))
        return false;
    std::lock_guard lock(mutex_);
    if (!connection(Access::Read))
        return false;
    Statement find(db_, "SELECT 1 FROM reg_keys WHERE folded = ?1");
    const int rc = find.bind(1, folded(keyPath)).step();
    noteReadFailure(rc);
    return rc == SQLITE_ROW;
}

bool SqliteRegistryStore::createKey(const QString& keyPath)
{
    if (!isValidKeyPath(keyPath))
        return false;
    std::lock_guard lock(mutex_);
    // An existing key needs no write transaction: opening the product key before every write
    // would otherwise cost a commit each time.
    if (connection(Access::Read)) {
        Statement find(db_, "SELECT 1 FROM reg_keys WHERE folded = ?1");
        if (find.bind(1, folded(keyPath)).step() == SQLITE_ROW)
            return true;
    }
    return write(u"sleutel %1"_s.arg(keyPath), [&] { return insertKey(keyPath); });
}

std::optional<QString> SqliteRegistryStore::readString(const QString& keyPath, const QString& valueName)
{
    if (!isValidKeyPath(keyPath))
        return std::nullopt;
    std::lock_guard lock(mutex_);
    if (!connection(Access::Read))
        return std::nullopt;
    Statement find(db_, "SELECT data FROM reg_values WHERE key_folded = ?1 AND name_folded = ?2");
    const int rc = find.bind(1, folded(keyPath)).bind(2, folded(valueName)).step();
    noteReadFailure(rc);
    if (rc != SQLITE_ROW)
        return std::nullopt;
    return find.text(0);
}

bool SqliteRegistryStore::writeString(const QString& keyPath, const QString& valueName, const QString& value)
{
    if (!isValidKeyPath(keyPath))
        return false;
    std::lock_guard lock(mutex_);
    return write(u"waarde %1\\%2"_s.arg(keyPath, valueName), [&] {
        if (!insertKey(keyPath))
            return false;
        // A later writer changes the text; the name keeps the case it was first written with.
        Statement upsert(db_, "INSERT INTO reg_values(key_folded, name_folded, name, data)"
                              " VALUES(?1, ?2, ?3, ?4)"
                              " ON CONFLICT(key_folded, name_folded) DO UPDATE SET data = excluded.data");
        return upsert.bind(1, folded(keyPath)).bind(2, folded(valueName)).bind(3, valueName).bind(4, value).run();
    });
}

QStringList SqliteRegistryStore::valueNames(const QString& keyPath)
{
    QStringList names;
    if (!isValidKeyPath(keyPath))
        return names;
    std::lock_guard lock(mutex_);
    if (!connection(Access::Read))
        return names;
    Statement list(db_, "SELECT name FROM reg_values WHERE key_folded = ?1 ORDER BY name_folded");
    list.bind(1, folded(keyPath));
    int rc;
    while ((rc = list.step()) == SQLITE_ROW)
        names << list.text(0);
    noteReadFailure(rc);
    return names;
}

QString SqliteRegistryStore::unreadable()
{
    std::lock_guard lock(mutex_);
    if (!readFailure_.isEmpty())
        return readFailure_;
    if (!QFileInfo::exists(filePath_))
        return {};
    if (!connection(Access::Read))
        return u"het registerbestand %1 kan niet worden geopend"_s.arg(filePath_);
    const auto failed = [&](int rc) {
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
            return u"het registerbestand %1 is in gebruik door een ander programma"_s.arg(filePath_);
        if (isDamage(rc))
            return u"het registerbestand %1 is beschadigd"_s.arg(filePath_);
        return u"het registerbestand %1 kan niet worden gelezen (%2)"_s.arg(filePath_,
                                                                            QString::fromUtf8(sqlite3_errstr(rc)));
    };
    Statement check(db_, "PRAGMA quick_check");
    if (const int rc = check.step(); rc != SQLITE_ROW)
        return failed(rc);
    if (check.text(0) != QLatin1String("ok"))
        return u"het registerbestand %1 is beschadigd"_s.arg(filePath_);
    Statement appId(db_, "PRAGMA application_id");
    if (const int rc = appId.step(); rc != SQLITE_ROW)
        return failed(rc);
    if (appId.integer(0) != HiveApplicationId) {
        Statement objects(db_, "SELECT count(*) FROM sqlite_schema");
        if (const int rc = objects.step(); rc != SQLITE_ROW)
            return failed(rc);
        if (objects.integer(0) != 0)
            return u"het bestand %1 is geen registerbestand maar een database van een ander programma"_s.arg(filePath_);
    }
    return {};
}

} // namespace tarvelo
