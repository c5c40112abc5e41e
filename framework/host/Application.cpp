#include "framework/host/Application.h"

#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/listsort/ListSortState.h"
#include "framework/settings/ImportExportSettings.h"
#include "framework/status/StatusReporter.h"

#include "TarveloVersion.h"

#include <QCoreApplication>
#include <QDate>

using namespace Qt::StringLiterals;

namespace tarvelo {

// What the defaults keep for a host that keeps nothing of its own; what a
// later version keeps for the host goes here too.
class Application::Private {
public:
    QString databaseProvider = u"MSACC"_s;
    QString databaseServer;
    std::unique_ptr<StatusReporter> status;
    ListSortState listSort;
};

void Application::PrivateDeleter::operator()(Private* d) const { delete d; }

Application::Application() : d_(new Private) {}

Application::~Application() = default;

void Application::virtual_hook(int, void*) {}

void Application::RunProcedure(const QString&, const QString&, const QString&, const QVariant&) {}

void Application::CloseApplication() { QCoreApplication::quit(); }

QString Application::DatabaseProvider() const { return d_->databaseProvider; }
void Application::setDatabaseProvider(const QString& provider) { d_->databaseProvider = provider; }
QString Application::DatabaseServer() const { return d_->databaseServer; }
void Application::setDatabaseServer(const QString& server) { d_->databaseServer = server; }

QString Application::VersionText() const { return QString::fromLatin1(TARVELO_VERSION_STRING); }

QString Application::SysteemDatum() const { return QDate::currentDate().toString(u"dd-MM-yyyy"_s); }

StatusReporter& Application::status()
{
    if (!d_->status)
        d_->status = std::make_unique<StatusReporter>(ui());
    return *d_->status;
}

ListSortState& Application::listSortState() { return d_->listSort; }

// Without a place of its own the host keeps the folder in the user's settings.
QString Application::ExportDir() { return SettingsObject().get<ImportExportSettings>().ExportDir; }

void Application::setExportDir(const QString& folder)
{
    SettingsObject().get<ImportExportSettings>().ExportDir = folder;
}

Database* GetDatabase(Application& application)
{
    return application.RunFunction(u"Instellingen"_s, u"Tarvelomain"_s, u"GetDatabase"_s).value<Database*>();
}

} // namespace tarvelo
