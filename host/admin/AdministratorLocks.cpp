#include "host/admin/AdministratorLocks.h"

#include "framework/host/SettingsObject.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"

using namespace Qt::StringLiterals;

namespace tarvelo::AdministratorLocks {

namespace {
const QString Locked = u"1"_s;
}

QString keyOf(const QString& object)
{
    return RegistryNames::ProductKey + u"\\Beheer\\Vastgezet\\"_s + object;
}

QStringList read(const Registry& registry, const QString& object, const SettingsObject& settings)
{
    QStringList locked;
    const QString key = keyOf(object);
    for (const QString& name : settings.names()) {
        if (registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, key, name, QString()) == Locked)
            locked << name;
    }
    return locked;
}

void apply(const Registry& registry, const QString& object, SettingsObject& settings)
{
    settings.setLockedNames(read(registry, object, settings));
}

bool store(const Registry& registry, const QString& object, const QString& name, bool locked)
{
    return registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, keyOf(object), name, locked ? Locked : QString());
}

} // namespace tarvelo::AdministratorLocks
