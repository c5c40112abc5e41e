#include "host/ReferenceApplication.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/ProcedureTrace.h"
#include "framework/ui/Ui.h"
#include "host/SettingsFile.h"
#include "host/database/ServerConnection.h"

#include <QDebug>

namespace tarvelo {

ReferenceApplication::ReferenceApplication(Ui& ui, const QString& dataFolder, const QString& userHiveFile)
    : ui_(ui), data_(dataFolder),
      userHive_(std::make_unique<SqliteRegistryStore>(
          userHiveFile.isEmpty() ? data_.absoluteFilePath(QStringLiteral("HKEY_CURRENT_USER.hive")) : userHiveFile)),
      machineHive_(std::make_unique<SqliteRegistryStore>(data_.absoluteFilePath(QStringLiteral("HKEY_LOCAL_MACHINE.hive")))),
      registry_(std::make_unique<Registry>(*userHive_, *machineHive_))
{
}

ReferenceApplication::~ReferenceApplication() = default;

QVariant ReferenceApplication::RunFunction(const QString&, const QString&, const QString& function)
{
    if (function.compare(QLatin1String("GetDatabase"), Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<Database*>(this);
    throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                       QStringLiteral("Onbekende functie van het hoofdprogramma: %1").arg(function));
}

void ReferenceApplication::RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                                        const QVariant& argument)
{
    procedureCalls_.push_back({caller, component, procedure, argument});
}

void ReferenceApplication::ShowError(ProcedureTrace& trace)
{
    ErrorReport report;
    report.ProcedureName = trace.ProcedureName;
    report.ErrorKind = trace.ErrorKind;
    report.ApplicationTitle = trace.ApplicationTitle;
    report.ComponentName = trace.ComponentName;
    report.ProductName = trace.ProductName;
    report.Context = trace.Context;
    report.Message = trace.Message;
    report.ErrorNumber = trace.ErrorNumber;
    report.ErrorDescription = trace.ErrorDescription;
    report.ErrorSource = trace.ErrorSource;
    errorReports_.push_back(report);
    present(report);
}

void ReferenceApplication::HandleControlError(const QString& componentName, std::exception_ptr error)
{
    ErrorReport report;
    report.fromControl = true;
    report.ComponentName = componentName;
    report.ProductName = QStringLiteral("Quenmarix");
    report.Message = QStringLiteral("Er is een fout opgetreden.");
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        const RuntimeError runtime = RuntimeError::fromStd(e);
        report.ErrorNumber = QString::number(runtime.number());
        report.ErrorDescription = runtime.description();
        report.ErrorSource = runtime.source();
    } catch (...) {
        report.ErrorNumber = QString::number(ErrorNumber::ApplicationDefined);
        report.ErrorDescription = QStringLiteral("Onbekende fout");
    }
    errorReports_.push_back(report);
    present(report);
}

void ReferenceApplication::present(const ErrorReport& report)
{
    qWarning().noquote() << "Fout" << report.ErrorNumber << "in" << report.ComponentName << report.ProcedureName << ":"
                         << report.ErrorDescription;
    if (!showErrorsToUser_)
        return;
    QString text = report.Message + QStringLiteral("\r\n\r\n") + report.ErrorDescription +
                   QStringLiteral(" (fout %1").arg(report.ErrorNumber);
    if (!report.ProcedureName.isEmpty())
        text += QStringLiteral(" in %1.%2").arg(report.ComponentName, report.ProcedureName);
    text += QLatin1Char(')');
    ui_.msgBox(text, MsgButtons::OK, MsgIcon::Critical,
               report.Context.isEmpty() ? report.ProductName : report.Context);
}

void ReferenceApplication::RaiseNotify(const QString& sender, const QString& form, const QString& action,
                                       const QVariant& value)
{
    Notify(sender, form, action, value);
}

QString ReferenceApplication::DataDir() const { return data_.absolutePath(); }
QString ReferenceApplication::DataFolder() const { return data_.absoluteFilePath(QStringLiteral("Data")); }
QString ReferenceApplication::DefaultDataFolder() const { return DataFolder(); }
QString ReferenceApplication::InstallationFolder() const { return data_.absoluteFilePath(QStringLiteral("Programma")); }
QString ReferenceApplication::ExchangeFolder() const { return data_.absoluteFilePath(QStringLiteral("Uitwisseling")); }
QString ReferenceApplication::VersionText() const { return QStringLiteral("1.0.0"); }

QString ReferenceApplication::SysteemDatum() const
{
    return today_.value_or(QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")));
}

void ReferenceApplication::SaveGlobalSetup(const Settings& globalSetup)
{
    SettingsFile::save(globalSetup, data_.absoluteFilePath(QStringLiteral("GlobalSetup.json")));
}

} // namespace tarvelo

namespace tarvelo {

bool ReferenceApplication::TestConnection(const QString& server, QString& errorText, const QString& databaseName)
{
    errorText = testServerConnection(server, databaseName);
    return errorText.isEmpty();
}

void ReferenceApplication::MoveDossierDocumentFolder(const QString&, const QString& oldFolder, const QString& newFolder)
{
    movedDossierFolders_.push_back({oldFolder, newFolder});
}

} // namespace tarvelo
