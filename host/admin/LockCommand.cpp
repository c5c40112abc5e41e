#include "framework/host/Settings.h"
#include "framework/registry/Registry.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/AdministratorLocks.h"
#include "host/office/ChangeHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tarvelo::AdminCommands {

namespace {
// Whether this user may change the hive file: the file, and the folder that
// holds its journal while it is written.
bool mayWrite(const QString& file)
{
    const QFileInfo info(file);
    const auto writable = [](const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK) == 0; };
    return writable(info.absolutePath()) && (!info.exists() || writable(info.absoluteFilePath()));
}
} // namespace

AdminResult lock(const Registry& registry, const AdminRequest& request, const QString& machineHiveFile)
{
    if (auto wrong = wrongUsage(request))
        return *wrong;
    const bool on = request.command == QLatin1String("lock");
    const QString& name = request.arguments.value(0);
    const QString refusedEnd = u" Er is niets gewijzigd.\n"_s;
    // The declared names, of a settings object that holds nothing of a user or an office.
    const Settings declared;
    if (!declared.contains(name))
        return {Refused, {}, u"Onbekende instelling: %1."_s.arg(name) + refusedEnd};
    if (const QString reason = registry.unreadable(Hive::HKEY_LOCAL_MACHINE); !reason.isEmpty())
        return {Refused, {}, AdministratorLocks::unreadableMessage(reason) + u"\n"_s};
    const QString setting = declared.setting(name).name();
    if (!machineHiveFile.isEmpty() && !mayWrite(machineHiveFile))
        return {Refused,
                {},
                u"Alleen de beheerder van deze computer kan een instelling %1; %2 is niet %3."_s.arg(
                    on ? u"vastzetten"_s : u"vrijgeven"_s, setting, on ? u"vastgezet"_s : u"vrijgegeven"_s) +
                    refusedEnd};
    const QString object = request.office ? ChangeHistory::GlobalSetupObject : ChangeHistory::SetupObject;
    if (!AdministratorLocks::store(registry, object, setting, on))
        return {Refused, {}, u"De vergrendeling van %1 kan niet worden opgeslagen."_s.arg(setting) + refusedEnd};
    return {Done, (on ? u"%1 is vastgezet.\n"_s : u"%1 is vrijgegeven.\n"_s).arg(setting), {}};
}

} // namespace tarvelo::AdminCommands
