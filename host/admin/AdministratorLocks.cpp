#include "host/admin/AdministratorLocks.h"

#include "framework/host/SettingsObject.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"

using namespace Qt::StringLiterals;

namespace tarvelo::AdministratorLocks {

namespace {
const QString Locked = u"1"_s;
}

QString keyOf(const QString& object) { return RegistryNames::ProductKey + u"\\Beheer\\Vastgezet\\"_s + object; }

QStringList read(const Registry& registry, const QString& object, const SettingsObject& settings)
{
    QStringList locked;
    const QString key = keyOf(object);
    // Most offices lock nothing: one look for the key instead of one per setting.
    if (!registry.RegKeyExists(Hive::HKEY_LOCAL_MACHINE, key))
        return locked;
    for (const QString& name : settings.names()) {
        if (registry.RegGetString(Hive::HKEY_LOCAL_MACHINE, key, name, QString()) == Locked)
            locked << name;
    }
    return locked;
}

QString apply(const Registry& registry, const QString& object, SettingsObject& settings)
{
    // A list that cannot be read is no list without locks: the administrator's locks stay in force.
    const QString reason = registry.unreadable(Hive::HKEY_LOCAL_MACHINE);
    if (!reason.isEmpty()) {
        settings.setLockedNames(settings.names());
        return reason;
    }
    const QStringList locked = read(registry, object, settings);
    // The damage may show only while the list is read.
    if (const QString late = registry.unreadable(Hive::HKEY_LOCAL_MACHINE); !late.isEmpty()) {
        settings.setLockedNames(settings.names());
        return late;
    }
    settings.setLockedNames(locked);
    return {};
}

QString unreadableMessage(const QString& reason)
{
    return u"De lijst met instellingen die de beheerder heeft vastgezet kan niet worden gelezen: %1. Zolang die "
           "lijst niet kan worden gelezen, wordt geen enkele instelling gewijzigd; laat de beheerder het "
           "registerbestand herstellen of terugzetten uit een reservekopie. Er is niets gewijzigd."_s.arg(reason);
}

bool store(const Registry& registry, const QString& object, const QString& name, bool locked)
{
    return registry.RegSetString(Hive::HKEY_LOCAL_MACHINE, keyOf(object), name, locked ? Locked : QString());
}

} // namespace tarvelo::AdministratorLocks
