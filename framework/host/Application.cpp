#include "framework/host/Application.h"

#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/settings/ImportExportSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

// Without a place of its own the host keeps the folder in the user's settings.
QString Application::ExportDir() { return SettingsObject().get<ImportExportSettings>().ExportDir; }

void Application::setExportDir(const QString& folder) { SettingsObject().get<ImportExportSettings>().ExportDir = folder; }

Database* GetDatabase(Application& application)
{
    return application.RunFunction(u"Instellingen"_s, u"Tarvelomain"_s,
                                   u"GetDatabase"_s)
        .value<Database*>();
}

} // namespace tarvelo
