#include "pages/business_lists/TaskCheck.h"

#include "framework/errors/Conversions.h"
#include "framework/host/Application.h"
#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/HerinneringSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo::TaskCheck {

namespace {
QString today(Application& application) { return CDate(application.SysteemDatum()).toString(u"yyyy-MM-dd"_s); }
} // namespace

void runNow(Application& application, Database& database, const Settings& setup)
{
    database.TakenAanmaken(setup);
    if (setup.get<HerinneringSettings>().AfgehandeldEenheid != HerinneringSettings::Nooit)
        database.TakenAfhandelen(setup);
    application.registry().SaveTarveloSetting(Hive::HKEY_CURRENT_USER, QString(RegistryNames::LaatsteHerinnering),
                                              today(application));
}

bool runDaily(Application& application, Database& database, const Settings& setup)
{
    if (!setup.get<HerinneringSettings>().AutomatischTaken)
        return false;
    const QString last = application.registry().GetTarveloSetting(
        Hive::HKEY_CURRENT_USER, QString(RegistryNames::LaatsteHerinnering), false, QString());
    if (last == today(application))
        return false;
    runNow(application, database, setup);
    return true;
}

} // namespace tarvelo::TaskCheck
