#pragma once

#include "TarveloExport.h"

#include "framework/registry/RegistryStore.h"

#include <QString>

#include <chrono>
#include <mutex>

struct sqlite3;

namespace tarvelo {

// One hive in one SQLite file. Every write is its own transaction, so processes sharing the file
// lose nothing. A file that is damaged, or is not a hive, reads as empty and is never written
// over: writes to it are refused and logged. A missing file is created on the first write,
// readable by its owner only. Writes to a hive this user may only read (the machine hive of an
// installed program, for everyone but the administrator) are skipped without a word, as the
// registry skips a write it cannot do.
class TARVELO_EXPORT SqliteRegistryStore final : public RegistryStore {
public:
    explicit SqliteRegistryStore(QString filePath);
    ~SqliteRegistryStore() override;

    SqliteRegistryStore(const SqliteRegistryStore&) = delete;
    SqliteRegistryStore& operator=(const SqliteRegistryStore&) = delete;

    const QString& filePath() const { return filePath_; }

    bool openKey(const QString& keyPath) override;
    bool createKey(const QString& keyPath) override;
    std::optional<QString> readString(const QString& keyPath, const QString& valueName) override;
    bool writeString(const QString& keyPath, const QString& valueName, const QString& value) override;
    QStringList valueNames(const QString& keyPath) override;
    QString unreadable() override;

private:
    enum class Access { Read, Write };
    class Statement;

    static int waitWhileBusy(void* store, int attempt);
    sqlite3* connection(Access access);
    bool createFile();
    void noteReadFailure(int resultCode);
    template <typename Change>
    bool write(const QString& what, Change&& change);
    bool prepareSchema(QString& reason);
    bool insertKey(const QString& keyPath);

    QString filePath_;
    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::time_point busySince_;
    std::chrono::steady_clock::time_point lastWrite_;
    bool schemaReady_ = false;
    bool readFailureReported_ = false;
    QString readFailure_;
};

} // namespace tarvelo
