#include "MemoryRegistryStore.h"

using namespace tarvelo;

namespace minimalhost {

bool MemoryRegistryStore::openKey(const QString& keyPath)
{
    return isValidKeyPath(keyPath) && keys_.contains(keyPath.toCaseFolded());
}

bool MemoryRegistryStore::createKey(const QString& keyPath)
{
    if (!isValidKeyPath(keyPath))
        return false;
    // Every parent of a key is a key too.
    for (qsizetype end = keyPath.indexOf(u'\\');; end = keyPath.indexOf(u'\\', end + 1)) {
        const QString path = end < 0 ? keyPath : keyPath.left(end);
        if (!keys_.contains(path.toCaseFolded()))
            keys_.insert(path.toCaseFolded(), Key{path, {}});
        if (end < 0)
            return true;
    }
}

std::optional<QString> MemoryRegistryStore::readString(const QString& keyPath, const QString& valueName)
{
    const auto key = keys_.constFind(keyPath.toCaseFolded());
    if (key == keys_.cend())
        return std::nullopt;
    const auto value = key->values.constFind(valueName.toCaseFolded());
    if (value == key->values.cend())
        return std::nullopt;
    return value->second;
}

bool MemoryRegistryStore::writeString(const QString& keyPath, const QString& valueName, const QString& value)
{
    if (!createKey(keyPath))
        return false;
    auto& values = keys_[keyPath.toCaseFolded()].values;
    const QString folded = valueName.toCaseFolded();
    const QString name = values.contains(folded) ? values[folded].first : valueName;
    values.insert(folded, {name, value});
    return true;
}

QStringList MemoryRegistryStore::valueNames(const QString& keyPath)
{
    QStringList names;
    for (const auto& value : keys_.value(keyPath.toCaseFolded()).values)
        names << value.first;
    return names;
}

} // namespace minimalhost
