#include "host/ReferenceApplication.h"
#include "framework/ui/MessageDetails.h"
#include "host/database/LostServerWatch.h"
#include "host/office/AdviserRegisterReads.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/ReportTexts.h"
#include "framework/errors/RuntimeError.h"
#include "framework/host/ProcedureTrace.h"
#include "framework/registry/RegistryNames.h"
#include "framework/ui/Ui.h"
#include "host/SettingsFile.h"
#include "host/admin/AdministratorLocks.h"
#include "host/database/ServerConnection.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/DataFolder.h"
#include "host/office/DemoHdnClient.h"
#include "host/office/DemoLogo.h"
#include "host/office/DemoOffice.h"
#include "host/office/HdnDataCatalogue.h"
#include "host/office/OfficeAdvice.h"
#include "host/office/OfficeDatabase.h"
#include "host/office/OpeningPageReads.h"
#include "host/office/PortfolioTasks.h"
#include "host/office/SettingsStore.h"
#include "pages/AllPages.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
// The code of the adviser this workstation user was at the last start.
const QString LastAdviserValue = u"LaatsteAdviseur"_s;
} // namespace

ReferenceApplication::ReferenceApplication(Ui& ui, const QString& dataFolder, const QString& userHiveFile,
                                           NewOffice newOffice, const std::optional<DatabaseLocation>& serverDatabase,
                                           const QString& machineHiveFile)
    : ui_(ui),
      data_(dataFolder),
      userHive_(std::make_unique<SqliteRegistryStore>(
          userHiveFile.isEmpty() ? data_.absoluteFilePath(u"HKEY_CURRENT_USER.hive"_s) : userHiveFile)),
      machineHive_(std::make_unique<SqliteRegistryStore>(
          machineHiveFile.isEmpty() ? DataFolder::machineHivePath(dataFolder) : machineHiveFile)),
      registry_(std::make_unique<Registry>(*userHive_, *machineHive_))
{
    registerAllPages(pages_);
    registerAllComponents(components_);
    DataFolder::prepare(dataFolder);
    OfficeDatabase::Filling demo;
    if (newOffice == NewOffice::Demo) {
        // The registry values and the client folder are written before the
        // office is committed: a start stopped in between makes the office
        // again, and writes the same values again.
        demo = [this](OfficeDatabase& office) {
            DemoOffice::fill(office, Advisers::loginName(), data_.absoluteFilePath(u"Dossiers"_s));
            recordDatabaseLocation(office.location());
            // The machine's database folder is shared by every user of an installed program: a
            // new office of one user does not replace the one the machine has.
            namespace Names = RegistryNames;
            if (registry_->RegGetString(Hive::HKEY_LOCAL_MACHINE, Names::ProductKey, Names::DatabaseDir, QString())
                    .isEmpty())
                registry_->RegSetString(Hive::HKEY_LOCAL_MACHINE, Names::ProductKey, Names::DatabaseDir, DataFolder());
            installDemoHdnClient(*registry_, data_.absolutePath());
        };
    }
    // The adviser this user was at the last start: its settings are read
    // ahead with the opening, and are the ones needed unless that changed.
    const QString login = Advisers::loginName();
    const QString keptReads = OpeningPageReads::fileBeside(userHive_->filePath(), data_);
    const QString lastAdviser =
        registry_->RegGetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, LastAdviserValue, QString());
    if (serverDatabase) {
        OfficeDatabase::Reads next{Advisers::currentRead(login)};
        if (!lastAdviser.isEmpty())
            next << SettingsStore::bothRead(lastAdviser);
        next << adviserRegisterReads() << OpeningPageReads::kept(keptReads);
        office_ = std::make_unique<OfficeDatabase>(*serverDatabase, demo, next);
        databaseProvider_ = serverDatabase->provider;
        databaseServer_ = serverDatabase->server;
    } else {
        office_ = std::make_unique<OfficeDatabase>(DataFolder::officeDatabasePath(dataFolder), demo);
    }
    // A data folder's own user hive may not know its office yet (one made before each data
    // folder had a hive of its own): it learns where this office lives.
    if (newOffice == NewOffice::Demo)
        recordDatabaseLocation(office_->location());
    openingReads_ = std::make_unique<OpeningPageReads>(*office_, keptReads);
    store_ = std::make_unique<SettingsStore>(*office_, secrets_);
    HdnDataCatalogue::install(InstallationFolder());
    DemoLogo::install(InstallationFolder());
    adviser_ = Advisers::current(*office_, login);
    store_->loadBoth(setup_, globalSetup_, adviser_.code, &unreadableSecrets_);
    if (adviser_.code != lastAdviser)
        registry_->RegSetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey, LastAdviserValue, adviser_.code);
    setupBase_ = SettingsFile::toRecord(setup_);
    globalBase_ = SettingsFile::toRecord(globalSetup_);
    applyAdministratorLocks();
}

void ReferenceApplication::standInsDuring(Settings& setup, Settings& globalSetup, Ui& ui,
                                          const std::function<void()>& body)
{
    const std::optional<StandIn> before = standIn_;
    standIn_.emplace(StandIn{setup, globalSetup, ui});
    try {
        body();
    } catch (...) {
        standIn_.reset();
        if (before)
            standIn_.emplace(*before);
        throw;
    }
    standIn_.reset();
    if (before)
        standIn_.emplace(*before);
}

void ReferenceApplication::applyAdministratorLocks()
{
    locksUnreadable_ = AdministratorLocks::apply(*registry_, ChangeHistory::SetupObject, setup_);
    const QString office = AdministratorLocks::apply(*registry_, ChangeHistory::GlobalSetupObject, globalSetup_);
    if (locksUnreadable_.isEmpty())
        locksUnreadable_ = office;
}

ReferenceApplication::~ReferenceApplication() = default;

void ReferenceApplication::setOpenPage(const QString& className)
{
    openPage_ = className;
    openingReads_->pageShown(className);
}

// Where this office's database lives, as the database page reads it, so that
// a new office shows its own location, kind and size there.
void ReferenceApplication::recordDatabaseLocation(const DatabaseLocation& location)
{
    namespace Names = RegistryNames;
    const Registry& reg = *registry_;
    const auto missing = [&](QLatin1StringView name) {
        return reg.GetTarveloSetting(Hive::HKEY_CURRENT_USER, name, true, QString()).isEmpty();
    };
    if (!missing(Names::AdviezenDatabaseProvider))
        return;
    reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviezenDatabaseProvider, location.provider);
    if (location.provider == QLatin1String("MSSQL")) {
        reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviezenDatabaseSource, location.server);
        reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviezenDatabaseName, location.databaseName);
    } else {
        reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviezenDatabaseMap,
                               QFileInfo(location.file).absolutePath());
    }
    reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviezenDatabaseWeergaveNaam, u"Demokantoor"_s);
    reg.SaveTarveloSetting(Hive::HKEY_CURRENT_USER, Names::AdviesdossierDocumentenMap,
                           data_.absoluteFilePath(u"Dossiers"_s));
}

QVariant ReferenceApplication::RunFunction(const QString&, const QString&, const QString& function)
{
    if (withoutOffice_ > 0 && (function.compare(QLatin1String("GetDatabase"), Qt::CaseInsensitive) == 0 ||
                               function.compare(QLatin1String("GetMaatschappijen"), Qt::CaseInsensitive) == 0))
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, u"De kantoordatabase is hier niet beschikbaar."_s);
    if (function.compare(QLatin1String("GetDatabase"), Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<Database*>(offersDatabase_ ? this : nullptr);
    if (function.compare(QLatin1String("GetMaatschappijen"), Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<MijCatalogus*>(&office_->catalogue());
    if (function.compare(QLatin1String("GetKantoorIdentificatie"), Qt::CaseInsensitive) == 0)
        return kantoorIdentificatie_;
    throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                       u"Onbekende functie van het hoofdprogramma: %1"_s.arg(function));
}

void ReferenceApplication::RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                                        const QVariant& argument)
{
    procedureCalls_.push_back({caller, component, procedure, argument});
}

void ReferenceApplication::ShowError(ProcedureTrace& trace)
{
    if (withoutOffice_ > 0)
        return;
    const ErrorReport& report = trace;
    errorReports_.push_back(report);
    present(report);
}

void ReferenceApplication::HandleControlError(const QString& componentName, std::exception_ptr error)
{
    if (withoutOffice_ > 0)
        return;
    ErrorReport report;
    report.fromControl = true;
    report.ComponentName = componentName;
    report.ProductName = ReportTexts::ProductName;
    report.Message = ReportTexts::Message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        const RuntimeError runtime = RuntimeError::fromStd(e);
        report.ErrorNumber = QString::number(runtime.number());
        report.ErrorDescription = runtime.description();
        report.ErrorSource = runtime.source();
    } catch (...) {
        report.ErrorNumber = QString::number(ErrorNumber::ApplicationDefined);
        report.ErrorDescription = u"Onbekende fout"_s;
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
    if (presentConnectionLoss(report))
        return;
    // The administrator's part of the description stays last.
    const SplitMessage description = splitDetails(report.ErrorDescription);
    QString text = report.Message + u"\r\n\r\n"_s + description.text + u" (fout %1"_s.arg(report.ErrorNumber);
    if (!report.ProcedureName.isEmpty())
        text += u" in %1.%2"_s.arg(report.ComponentName, report.ProcedureName);
    text += QLatin1Char(')');
    ui().msgBox(withDetails(text, description.details), MsgButtons::OK, MsgIcon::Critical,
                report.Context.isEmpty() ? report.ProductName : report.Context);
}

void ReferenceApplication::RaiseNotify(const QString& sender, const QString& form, const QString& action,
                                       const QVariant& value)
{
    Notify(sender, form, action, value);
}

void ReferenceApplication::setExportDir(const QString& folder)
{
    if (!QDir(folder).exists())
        throw RuntimeError(ErrorNumber::PathNotFound,
                           u"De exportmap %1 bestaat niet."_s.arg(QDir::toNativeSeparators(folder)));
    Application::setExportDir(folder);
}

void ReferenceApplication::openAdvies(const QString& id)
{
    if (!OfficeAdvice::exists(*office_, id))
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"Het advies %1 bestaat niet."_s.arg(id));
    openAdvice_ = std::make_unique<OfficeAdvice>(*office_, id);
    // The advice's number is the indicator the pages see; its identifier ends in it.
    QString digits = id;
    digits.remove(QRegularExpression(u"[^0-9]"_s));
    huidigAdvies_ = qMax(0, digits.toInt());
}

QString ReferenceApplication::DefaultLogo() const { return DemoLogo::path(InstallationFolder()); }

QString ReferenceApplication::DataDir() const { return data_.absolutePath(); }
QString ReferenceApplication::DataFolder() const { return data_.absoluteFilePath(u"Data"_s); }
QString ReferenceApplication::DefaultDataFolder() const { return DataFolder(); }
QString ReferenceApplication::InstallationFolder() const { return data_.absoluteFilePath(u"Programma"_s); }
QString ReferenceApplication::ExchangeFolder() const { return data_.absoluteFilePath(u"Uitwisseling"_s); }
QString ReferenceApplication::VersionText() const { return u"1.0.0"_s; }

QString ReferenceApplication::SysteemDatum() const
{
    return today_.value_or(QDate::currentDate().toString(u"dd-MM-yyyy"_s));
}

void ReferenceApplication::SaveGlobalSetup(const Settings& globalSetup)
{
    // A page looked at with stand-in settings stores nothing.
    if (standIn_)
        return;
    // A page stores the office-wide settings itself: its changes are the open page's.
    QHash<QString, QString> pageOf;
    if (!openPage_.isEmpty()) {
        for (const QString& name : globalSetup.names())
            pageOf.insert(SettingsStore::changeKey(ChangeHistory::GlobalSetupObject, name), openPage_);
    }
    const bool own = &globalSetup == &globalSetup_;
    store_->save(nullptr, &globalSetup, adviser_, pageOf, nullptr, own ? &globalBase_ : nullptr);
    if (own)
        globalBase_ = SettingsFile::toRecord(globalSetup_);
}

void ReferenceApplication::saveSettings(const QHash<QString, QString>& pageOf, const QHash<QString, QString>& howOf)
{
    store_->save(&setup_, &globalSetup_, adviser_, pageOf, &setupBase_, &globalBase_, howOf);
    setupBase_ = SettingsFile::toRecord(setup_);
    globalBase_ = SettingsFile::toRecord(globalSetup_);
}

void ReferenceApplication::saveStatedSettings(const QHash<QString, QString>& pageOf,
                                              const QHash<QString, QString>& howOf)
{
    store_->save(&setup_, &globalSetup_, adviser_, pageOf, &setupBase_, &globalBase_, howOf,
                 SettingsStore::Conflicts::LastWriterWins);
    setupBase_ = SettingsFile::toRecord(setup_);
    globalBase_ = SettingsFile::toRecord(globalSetup_);
}

void ReferenceApplication::reloadSettings()
{
    Settings setup;
    Settings globalSetup;
    store_->loadBoth(setup, globalSetup, adviser_.code, &unreadableSecrets_);
    setup_.fromMap(setup.toMap());
    globalSetup_.fromMap(globalSetup.toMap());
    setupBase_ = SettingsFile::toRecord(setup_);
    globalBase_ = SettingsFile::toRecord(globalSetup_);
}

QStringList ReferenceApplication::unreadableSecrets() const
{
    // A password typed again since is no longer missing.
    QStringList missing;
    for (const QString& key : unreadableSecrets_) {
        const qsizetype dot = key.indexOf(u'.');
        const Settings& settings = key.left(dot) == ChangeHistory::GlobalSetupObject ? globalSetup_ : setup_;
        if (settings.value(key.mid(dot + 1)).toString().isEmpty())
            missing << key;
    }
    return missing;
}

QString
ReferenceApplication::unreadableSecretsMessage(const std::function<QString(const QString& key)>& captionOf) const
{
    const QStringList missing = unreadableSecrets();
    if (missing.isEmpty())
        return {};
    QStringList names;
    for (const QString& key : missing)
        names << (captionOf ? captionOf(key) : key.mid(key.indexOf(u'.') + 1));
    return u"De sleutel van %1 ontbreekt op deze werkplek, zodat %2 niet kan worden gelezen. Typ opnieuw in: "
           "%3. Uw andere instellingen zijn bewaard gebleven."_s.arg(
               missing.size() == 1 ? u"dit wachtwoord"_s : u"deze wachtwoorden"_s,
               missing.size() == 1 ? u"het"_s : u"ze"_s, names.join(u", "_s));
}

QByteArray ReferenceApplication::officeKey() const { return store_->officeKey(); }

void ReferenceApplication::receiveOfficeKey(const QByteArray& key)
{
    secrets_.receiveOfficeKey(key);
    // Office passwords that were closed to this workstation open now; what
    // the user changed and did not store stays changed.
    if (!unreadableSecrets().isEmpty() && !hasUnsavedChanges())
        reloadSettings();
}

bool ReferenceApplication::hasUnsavedChanges() const
{
    return SettingsFile::toRecord(setup_) != setupBase_ || SettingsFile::toRecord(globalSetup_) != globalBase_;
}

std::vector<ChangeEntry> ReferenceApplication::changeHistory(const QString& page) const
{
    return ChangeHistory::entries(*office_, page);
}

} // namespace tarvelo

namespace tarvelo {

bool ReferenceApplication::TestConnection(const QString& server, QString& errorText, const QString& databaseName)
{
    errorText = testServerConnection(server, databaseName);
    return errorText.isEmpty();
}

tarvelo::Connection& ReferenceApplication::connection() { return office_->pageConnection(); }

// The portfolio tasks count from the host's own date.
int ReferenceApplication::TakenAanmaken(const Settings& setup)
{
    return PortfolioTasks::create(*office_, setup, CDate(SysteemDatum()));
}

int ReferenceApplication::TakenAfhandelen(const Settings& setup)
{
    return PortfolioTasks::close(*office_, setup, CDate(SysteemDatum()));
}

} // namespace tarvelo
