#pragma once

#include "TarveloExport.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace tarvelo {

// The two hives the product keeps its values in.
enum class Hive { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

// One hive: keys addressed by backslash-separated paths, each holding REG_SZ text values.
// Key paths and value names compare without regard to case and keep the case they were first
// written with. Nothing here throws: a hive that cannot be read looks empty, a write that cannot
// be done returns false.
class TARVELO_EXPORT RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // True when the key exists.
    virtual bool openKey(const QString& keyPath) = 0;
    // Creates the key and its missing parents; true when the key exists afterwards.
    virtual bool createKey(const QString& keyPath) = 0;
    // The value's text, or nothing when the key or the value is missing or unreadable.
    virtual std::optional<QString> readString(const QString& keyPath, const QString& valueName) = 0;
    // Stores the value (creating the key when it is missing); false when nothing was stored.
    virtual bool writeString(const QString& keyPath, const QString& valueName, const QString& value) = 0;
    // The key's value names, each in the case it was first written with.
    virtual QStringList valueNames(const QString& keyPath) = 0;
    // Why the hive cannot be read (damaged, in use, not a hive), in Dutch; empty when it can be
    // read, also when it does not exist yet. What must not be taken for "no value" asks this.
    virtual QString unreadable() { return {}; }
};

// A key path names a key when it is not empty and has no empty part: no leading, trailing or
// doubled backslash.
inline bool isValidKeyPath(QStringView keyPath)
{
    if (keyPath.isEmpty())
        return false;
    qsizetype partLength = 0;
    for (QChar c : keyPath) {
        if (c == u'\\') {
            if (partLength == 0)
                return false;
            partLength = 0;
        } else {
            ++partLength;
        }
    }
    return partLength > 0;
}

} // namespace tarvelo
