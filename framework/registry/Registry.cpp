#include "framework/registry/Registry.h"

#include "framework/registry/RegistryNames.h"
#include "framework/text/Ansi.h"

#include <QtDebug>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Values are read through 1,000 bytes, the terminating NUL included; a longer one is missing.
constexpr qsizetype ReadBufferBytes = 1000;

// Passed down as the default to tell a missing per-user value from a stored one.
constexpr QLatin1StringView NotFound{"nietgevonden"};

constexpr QLatin1StringView Wow64ProductKey{"Software\\WOW6432NODE\\Tarvelo"};
constexpr QLatin1StringView ProductKeyLower{"software\\tarvelo"};

QString currentName(const QString& name)
{
    using namespace RegistryNames;
    static constexpr std::array<std::pair<QLatin1StringView, QLatin1StringView>, 4> legacy{{
        {LegacyAdviezenDir, AdviezenDatabaseMap},
        {LegacyServerName, AdviezenDatabaseSource},
        {LegacyDatabaseProv, AdviezenDatabaseProvider},
        {LegacyDatabaseName, AdviezenDatabaseName},
    }};
    for (const auto& [old, current] : legacy) {
        if (name.compare(old, Qt::CaseInsensitive) == 0)
            return current;
    }
    return name;
}

} // namespace

Registry::Registry(RegistryStore& currentUser, RegistryStore& localMachine, bool isWow64)
    : currentUser_(currentUser),
      localMachine_(localMachine),
      isWow64_(isWow64)
{
}

RegistryStore& Registry::storeOf(Hive hive) const
{
    return hive == Hive::HKEY_CURRENT_USER ? currentUser_ : localMachine_;
}

QString Registry::viewOf(const QString& keyPath) const
{
    if (isWow64_ && keyPath.toLower() == ProductKeyLower)
        return Wow64ProductKey;
    return keyPath;
}

RegKey Registry::OpenRegKey(Hive hive, const QString& keyPath, bool create) const
{
    if (!isValidKeyPath(keyPath))
        return {};
    RegistryStore& store = storeOf(hive);
    // The store has one view of each key, so the 64-bit, 32-bit and plain open attempts
    // come down to one lookup.
    const bool available = create ? store.createKey(keyPath) : store.openKey(keyPath);
    if (!available)
        return {};
    return RegKey(&store, keyPath);
}

void Registry::CloseRegKey(RegKey& key) const { key = RegKey(); }

bool Registry::RegKeyExists(Hive hive, const QString& keyPath) const
{
    RegKey key = OpenRegKey(hive, viewOf(keyPath), false);
    const bool exists = key.isOpen();
    CloseRegKey(key);
    return exists;
}

QString Registry::RegGetString(Hive hive, const QString& keyPath, const QString& valueName,
                               const QString& defaultValue) const
{
    RegKey key = OpenRegKey(hive, viewOf(keyPath), false);
    if (!key)
        return defaultValue;
    const std::optional<QString> stored = key.store_->readString(key.path_, valueName);
    CloseRegKey(key);
    if (!stored)
        return defaultValue;
    const QByteArray ansi = toAnsi(*stored);
    if (ansi.size() + 1 > ReadBufferBytes)
        return defaultValue;
    return fromAnsi(ansi);
}

bool Registry::RegSetString(Hive hive, const QString& keyPath, const QString& valueName, const QString& value) const
{
    const QByteArray ansi = toAnsi(value);
    if (ansi.size() + 1 > ReadBufferBytes) {
        // Storing it would turn the setting into a missing one on the next read; the old value
        // is worth more than one that can never be read back.
        qWarning().noquote() << u"Registerwaarde %1 is niet opgeslagen: %2 tekens, er kunnen "
                                "er ten hoogste %3 worden teruggelezen."_s.arg(valueName)
                                    .arg(ansi.size())
                                    .arg(ReadBufferBytes - 1);
        return false;
    }
    RegKey key = OpenRegKey(hive, viewOf(keyPath), true);
    if (!key)
        return false;
    const bool stored = key.store_->writeString(key.path_, valueName, fromAnsi(ansi));
    CloseRegKey(key);
    return stored;
}

QString Registry::GetTarveloSetting(Hive hive, const QString& name, bool fallbackToMachine,
                                    const QString& defaultValue) const
{
    const QString storedName = hive == Hive::HKEY_CURRENT_USER ? currentName(name) : name;
    QString value = RegGetString(hive, ProductKeyLower, storedName, NotFound);
    if (value == NotFound && fallbackToMachine)
        value = RegGetString(Hive::HKEY_LOCAL_MACHINE, ProductKeyLower, name, defaultValue);
    if (value == NotFound || value.isEmpty())
        return defaultValue;
    return value;
}

bool Registry::SaveTarveloSetting(Hive hive, const QString& name, const QString& value) const
{
    const QString storedName = hive == Hive::HKEY_CURRENT_USER ? currentName(name) : name;
    return RegSetString(hive, RegistryNames::ProductKey, storedName, value);
}

} // namespace tarvelo
