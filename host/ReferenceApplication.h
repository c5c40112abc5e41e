#pragma once

#include "framework/errors/ErrorReport.h"
#include "framework/host/Advies.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/host/SettingsHost.h"
#include "framework/listsort/ListSortState.h"
#include "framework/page/PageRegistry.h"
#include "framework/registry/Registry.h"
#include "framework/status/StatusReporter.h"
#include "host/database/SqlConnection.h"
#include "host/office/Advisers.h"
#include "host/office/ChangeHistory.h"
#include "host/office/ChangeWatcher.h"
#include "host/registry/SqliteRegistryStore.h"
#include "host/secrets/RecordSecrets.h"

#include <QDir>
#include <QHash>
#include <QJsonObject>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class Form;
class ChangeWatcher;
class LostServerWatch;
class OfficeDatabase;
class OpeningPageReads;
class SettingsStore;

// The host of this library's pages: holds the settings objects, reports errors,
// passes notifications between pages and keeps the office under one data
// folder: its database (Setup per adviser, GlobalSetup, the change history),
// the registry hives and the folders the pages use.
class ReferenceApplication final : public SettingsHost, public Database {
public:
    // What a data folder without an office database gets.
    enum class NewOffice { Empty, Demo };

    // Both registry hives live in the data folder unless the host names other
    // files: the program keeps the user hive under the user's config folder,
    // and the installed program the machine hive in the machine's own folder.
    // Opens the office in the data folder, creating the folder and the office
    // database when missing, and loads the current adviser's Setup and the
    // office's GlobalSetup. Throws RuntimeError with a Dutch description when
    // the folder cannot be used or the database or a settings record is
    // damaged; nothing is written over then.
    // A server location puts the office database on that server instead of in
    // the data folder.
    ReferenceApplication(Ui& ui, const QString& dataFolder, const QString& userHiveFile = QString(),
                         NewOffice newOffice = NewOffice::Empty,
                         const std::optional<DatabaseLocation>& serverDatabase = std::nullopt,
                         const QString& machineHiveFile = QString());
    ~ReferenceApplication() override;

    // Application
    QVariant RunFunction(const QString& caller, const QString& component, const QString& function) override;
    void RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                      const QVariant& argument) override;
    void ShowError(ProcedureTrace& trace) override;
    void RaiseNotify(const QString& sender, const QString& form, const QString& action, const QVariant& value) override;
    void CloseApplication() override { closeRequested_ = true; }
    QString DatabaseProvider() const override { return databaseProvider_; }
    void setDatabaseProvider(const QString& provider) override { databaseProvider_ = provider; }
    QString DatabaseServer() const override { return databaseServer_; }
    void setDatabaseServer(const QString& server) override { databaseServer_ = server; }
    bool SqlServerAvailable() const override { return true; }
    QString DataDir() const override;
    QString DataFolder() const override;
    QString DefaultDataFolder() const override;
    QString InstallationFolder() const override;
    QString ExchangeFolder() const override;
    QString VersionText() const override;
    // A folder that does not exist is refused: exports would fail later.
    void setExportDir(const QString& folder) override;
    int HuidigAdvies() const override { return huidigAdvies_; }
    Advies* HuidigAdviesObject() override { return huidigAdvies_ >= 0 ? openAdvice_.get() : nullptr; }
    std::optional<HostCompany> Taxatiebureau(int index) const override { return entry(taxatiebureaus_, index); }
    std::optional<HostCompany> Bankgarantieinstelling(int index) const override
    {
        return entry(bankgarantieinstellingen_, index);
    }
    // The office works with branches once it has one, unless a test says otherwise.
    bool WerktMetVestigingen() const override;
    // The program's logo in the installation folder.
    QString DefaultLogo() const override;
    Settings& GlobalSetup() override { return standIn_ ? standIn_->globalSetup : globalSetup_; }
    Settings& SettingsObject() override { return standIn_ ? standIn_->setup : setup_; }
    Form* MainWindow() override { return nullptr; }
    void SetupChanged() override { ++setupChangedCount_; }
    QString SysteemDatum() const override;
    Ui& ui() override { return standIn_ ? standIn_->ui : ui_; }
    Registry& registry() override { return *registry_; }
    StatusReporter& status() override { return status_; }
    ListSortState& listSortState() override { return listSort_; }
    // Every page and user control of the library, registered when the host is
    // made; the host's own users (the window, tests) may register more.
    const PageRegistry& pageRegistry() const override { return pages_; }
    PageRegistry& pageRegistry() { return pages_; }
    const ComponentFactory& components() const override { return components_; }
    ComponentFactory& components() { return components_; }
    void reportUnhandled(const QString& componentName, std::exception_ptr error) override
    {
        HandleControlError(componentName, error);
    }

    // Database
    // Stores the office-wide settings and records what changed.
    void SaveGlobalSetup(const Settings& globalSetup) override;

    // The settings window's save: Setup for the current adviser and GlobalSetup
    // for the office, in one transaction with the change history. pageOf names
    // the page of each change ("Setup.Name" -> page). Throws RuntimeError when
    // nothing was stored.
    // howOf tells, by the same keys, how a change was made when not in the window.
    void saveSettings(const QHash<QString, QString>& pageOf = {}, const QHash<QString, QString>& howOf = {}) override;
    // A command's save of values it states without having shown older ones:
    // as saveSettings, but a setting another program changed meanwhile is
    // written over (the last writer wins, and the history has both).
    void saveStatedSettings(const QHash<QString, QString>& pageOf, const QHash<QString, QString>& howOf);
    // Drops unsaved changes: the settings objects hold what is stored again.
    void reloadSettings() override;
    // Whether the settings objects hold changes that are not stored.
    bool hasUnsavedChanges() const override;
    // Watches the office database for what other programs change and tells
    // it to changed (on the user-interface thread); an empty function stops.
    // On the server it also notices a lost connection while nobody uses it,
    // opens it again when the server is back, and announces both with
    // RaiseNotify (OfficeConnectionNotice).
    void watchOffice(std::function<void(const QSet<QString>& tables)> changed) override;
    ChangeWatcher* officeWatcher() { return watcher_.get(); }
    // Takes in what other programs stored in these tables: the catalogue
    // reads its tables again, and every stored setting the user has not
    // changed here takes the stored value. A setting the user changed here
    // keeps the user's value; saving it asks first.
    void takeOfficeChange(const QSet<QString>& tables) override;
    // The settings the user changed here that another program stored
    // differently since they were read; reads what is stored now.
    std::vector<SettingConflict> settingConflicts() override;
    void resolveConflicts(const std::vector<SettingConflict>& chosen) override;
    // Reads the administrator's locks from the machine hive onto both settings objects.
    void applyAdministratorLocks();
    // Why the lock list could not be read (every setting is then locked for
    // changes); empty when it was read.
    const QString& locksUnreadable() const { return locksUnreadable_; }
    // The passwords this workstation could not open when the settings were
    // read ("Setup.Name", "GlobalSetup.Name"): their key is not here. Each
    // reads as empty until it is typed again; nothing else is lost.
    QStringList unreadableSecrets() const;
    // The user's message about them (Dutch); empty when there are none.
    // captionOf names a setting as the user reads it; without one, by its name.
    QString unreadableSecretsMessage(const std::function<QString(const QString& key)>& captionOf = {}) const;
    // The key of the office's passwords, for a settings file with passwords;
    // empty when this workstation has none.
    QByteArray officeKey() const;
    // Keeps the office key from such a file on this workstation, outside the
    // office database, and reads the settings again with it.
    void receiveOfficeKey(const QByteArray& key);
    // Runs body while pages see other settings objects and another Ui: the
    // host's look at pages that are not open (their checks, their settings)
    // then changes nothing the user holds and asks the user nothing.
    void standInsDuring(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body) override;
    // Runs body while pages reach no office database: the functions that hand
    // it out refuse, the adviser register is empty, and what fails for that
    // is not reported. For looking at what pages declare, at no statement's cost.
    void withoutOfficeDatabase(const std::function<void()>& body) override;
    // The user's own settings objects, also while stand-ins are in place.
    Settings& userSetup() override { return setup_; }
    Settings& officeSetup() override { return globalSetup_; }
    // The page the user has open, named in the history of changes that pages
    // store themselves; what it reads when first filled is read ahead by the
    // next start when the window is left on it (OpeningPageReads).
    void setOpenPage(const QString& className) override;
    const AdviserIdentity& currentAdviser() const { return adviser_; }
    QString actingAdviserCode() const override { return adviser_.code; }
    // The change history, newest first: all of it, or the changes made on one page.
    std::vector<ChangeEntry> changeHistory(const QString& page = {}) const override;
    // The office database, opened by this host.
    OfficeDatabase& officeDatabase() { return *office_; }
    tarvelo::Connection& connection() override;
    bool TestConnection(const QString& server, QString& errorText, const QString& databaseName) override;
    // The dossiers' folders and the subscriptions' use are the library's
    // defaults over the office connection; the tasks count from SysteemDatum.
    int TakenAanmaken(const Settings& setup) override;
    int TakenAfhandelen(const Settings& setup) override;

    // The adviser register, the advisers' own data and their access rights
    // (host/office/AdviserOperations.cpp).
    QString AdviseursRegister() override;
    void VerwijderAdviseurUitRegister(const QString& code) override;
    QString HuidigeAdviseur() const override { return adviser_.code; }
    bool HeeftRecht(int recht) const override;
    // Stored, counted and removed as the library does by default, through
    // the office connection; read here all at once for one user action.
    void GetAdviseur(AdviseurGegevens& record, const QString& code) override;
    void GetAutorisatie(Autorisatie& record, const QString& code) override;
    // The branches are those of the access-rights settings.
    int AantalVestigingen() override;

    // The host's general error handling for controls: an error that escaped a
    // page's own handling is reported and the program goes on.
    void HandleControlError(const QString& componentName, std::exception_ptr error);

    // For the host's own use and its tests.
    void setSysteemDatum(const QDate& date) { today_ = date.toString(u"dd-MM-yyyy"_s); }
    void setSysteemDatum(const QString& text) { today_ = text; }
    // The office's identification text, as the host knows its office (the
    // function "GetKantoorIdentificatie"); empty when it has none.
    void setKantoorIdentificatie(const QString& text) { kantoorIdentificatie_ = text; }
    void setHuidigAdvies(int advies) { huidigAdvies_ = advies; }
    // Opens an advice of the office database as the user's current advice.
    // Throws RuntimeError when the office has no advice with that identifier.
    void openAdvies(const QString& id);
    void setTaxatiebureaus(std::vector<HostCompany> companies) { taxatiebureaus_ = std::move(companies); }
    void setBankgarantieinstellingen(std::vector<HostCompany> companies)
    {
        bankgarantieinstellingen_ = std::move(companies);
    }
    void setWerktMetVestigingen(bool on) { werktMetVestigingen_ = on; }
    // Plays a host that gives the pages no database object ("GetDatabase" returns none).
    void setOffersDatabaseObject(bool on) { offersDatabase_ = on; }
    // The adviser who works with the program, as a login would choose him.
    void setCurrentAdviser(const AdviserIdentity& adviser) { adviser_ = adviser; }
    // Whether reported errors are also shown to the user in a message box.
    void setShowErrorsToUser(bool on) { showErrorsToUser_ = on; }
    const std::vector<ErrorReport>& errorReports() const { return errorReports_; }
    struct ProcedureCall {
        QString caller, component, procedure;
        QVariant argument;
    };
    const std::vector<ProcedureCall>& procedureCalls() const { return procedureCalls_; }
    bool closeRequested() const { return closeRequested_; }

    int setupChangedCount() const { return setupChangedCount_; }

private:
    void present(const ErrorReport& report);
    // The advisers' own data and rights, read in two statements for one user
    // action (host/office/AdviserOperations.cpp).
    struct AdviserRecords {
        qint64 generation = -1;
        QHash<QString, AdviseurGegevens> gegevens;
        QHash<QString, Autorisatie> rechten;
    };
    const AdviserRecords& adviserRecords() const;
    mutable AdviserRecords adviserRecords_;
    // A lost server connection is told once per action, as what it is.
    bool presentConnectionLoss(const ErrorReport& report);
    std::shared_ptr<bool> connectionLossShown_ = std::make_shared<bool>(false);
    static std::optional<HostCompany> entry(const std::vector<HostCompany>& list, int index)
    {
        if (index < 1 || index > int(list.size()))
            return std::nullopt;
        return list[std::size_t(index - 1)];
    }
    void recordDatabaseLocation(const DatabaseLocation& location);

    Ui& ui_;
    PageRegistry pages_;
    ComponentFactory components_;
    QString kantoorIdentificatie_ = u"Demokantoor"_s;
    QDir data_;
    StatusReporter status_{ui_};
    ListSortState listSort_;
    std::unique_ptr<OfficeDatabase> office_;
    // Goes before the store that seals and opens passwords with it.
    RecordSecrets secrets_{KeyStore()};
    QStringList unreadableSecrets_;
    std::unique_ptr<SettingsStore> store_;
    // Go before the database they watch.
    std::unique_ptr<ChangeWatcher> watcher_;
    std::unique_ptr<LostServerWatch> serverWatch_;
    std::unique_ptr<OpeningPageReads> openingReads_;
    AdviserIdentity adviser_;
    QString openPage_;
    QString locksUnreadable_;
    std::unique_ptr<SqliteRegistryStore> userHive_;
    std::unique_ptr<SqliteRegistryStore> machineHive_;
    std::unique_ptr<Registry> registry_;
    Settings setup_;
    Settings globalSetup_;
    struct StandIn {
        Settings& setup;
        Settings& globalSetup;
        Ui& ui;
    };
    std::optional<StandIn> standIn_;
    int withoutOffice_ = 0;
    // The records as this program last read or stored them: a save writes
    // only what changed since, over what other programs stored meanwhile.
    QJsonObject setupBase_;
    QJsonObject globalBase_;
    QString databaseProvider_ = u"MSACC"_s;
    QString databaseServer_;
    std::optional<QString> today_;
    bool showErrorsToUser_ = true;
    bool closeRequested_ = false;
    int setupChangedCount_ = 0;
    int huidigAdvies_ = -1;
    std::unique_ptr<Advies> openAdvice_;
    // The demo office's lists; a host with a company catalogue takes them from there.
    std::vector<HostCompany> taxatiebureaus_{{u"NWWI"_s, u"Taxatiebureau Noordwest"_s},
                                             {u"ML"_s, u"Taxaties Midden-Land"_s},
                                             {u"TVZ"_s, u"Taxateurs Zuid"_s}};
    std::vector<HostCompany> bankgarantieinstellingen_{{u"NBG"_s, u"Nationale Borg"_s},
                                                       {u"GWF"_s, u"Garantiefonds Wonen"_s}};
    std::optional<bool> werktMetVestigingen_;
    bool offersDatabase_ = true;
    std::vector<ErrorReport> errorReports_;
    std::vector<ProcedureCall> procedureCalls_;
};

} // namespace tarvelo
