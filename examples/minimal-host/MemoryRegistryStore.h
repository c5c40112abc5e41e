#pragma once

#include <tarvelo/framework/registry/RegistryStore.h>

#include <QHash>
#include <QString>
#include <utility>

namespace minimalhost {

// A registry hive in memory: keys and value names compare without regard to
// case and keep the case they were first written with. A host with a registry
// of its own puts it behind RegistryStore the same way.
class MemoryRegistryStore final : public tarvelo::RegistryStore {
public:
    bool openKey(const QString& keyPath) override;
    bool createKey(const QString& keyPath) override;
    std::optional<QString> readString(const QString& keyPath, const QString& valueName) override;
    bool writeString(const QString& keyPath, const QString& valueName, const QString& value) override;
    QStringList valueNames(const QString& keyPath) override;

private:
    struct Key {
        QString path;
        QHash<QString, std::pair<QString, QString>> values; // folded name -> name, text
    };
    QHash<QString, Key> keys_; // by folded path
};

} // namespace minimalhost
