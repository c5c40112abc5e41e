#pragma once

#include "TarveloExport.h"

#include "framework/registry/RegistryStore.h"

#include <QString>

#include <utility>

namespace tarvelo {

// An open registry key. A default-constructed key is the failed open (the 0 handle).
class TARVELO_EXPORT RegKey {
public:
    RegKey() = default;

    bool isOpen() const { return store_ != nullptr; }
    explicit operator bool() const { return isOpen(); }
    const QString& path() const { return path_; }

private:
    friend class Registry;
    RegKey(RegistryStore* store, QString path) : store_(store), path_(std::move(path)) {}

    RegistryStore* store_ = nullptr;
    QString path_;
};

// The registry routines of the product over one store per hive. Values are REG_SZ text in the
// ANSI code page (Windows-1252): characters outside it are stored as '?'. Nothing here throws or
// shows a message; a value that cannot be read yields the caller's default.
class TARVELO_EXPORT Registry {
public:
    // isWow64 stands for a 32-bit process on 64-bit Windows: the product key is then read and
    // written in its 32-bit view. A native process passes false.
    Registry(RegistryStore& currentUser, RegistryStore& localMachine, bool isWow64 = false);

    bool IsWow64() const { return isWow64_; }

    // The key, or a closed key when it does not exist (create false) or cannot be created.
    RegKey OpenRegKey(Hive hive, const QString& keyPath, bool create) const;
    void CloseRegKey(RegKey& key) const;

    // Whether the key exists, in the view RegGetString reads it in.
    bool RegKeyExists(Hive hive, const QString& keyPath) const;
    // The value's text; the default when the key or value is missing, unreadable, or 1,000
    // ANSI bytes or longer.
    QString RegGetString(Hive hive, const QString& keyPath, const QString& valueName,
                         const QString& defaultValue) const;
    // Creates the key when needed. False when nothing was stored: the hive refused the write, or
    // the value is too long to be read back (the stored value is then left as it was).
    bool RegSetString(Hive hive, const QString& keyPath, const QString& valueName, const QString& value) const;

    // A product setting; a missing or empty value yields the default. Under the current-user
    // hive legacy names are translated; with fallbackToMachine a value missing there is read
    // from the machine hive under the name as passed.
    QString GetTarveloSetting(Hive hive, const QString& name, bool fallbackToMachine,
                              const QString& defaultValue) const;
    bool SaveTarveloSetting(Hive hive, const QString& name, const QString& value) const;

    // Why the hive cannot be read; empty when it can.
    QString unreadable(Hive hive) const { return storeOf(hive).unreadable(); }

private:
    RegistryStore& storeOf(Hive hive) const;
    QString viewOf(const QString& keyPath) const;

    RegistryStore& currentUser_;
    RegistryStore& localMachine_;
    bool isWow64_;
};

} // namespace tarvelo
