#pragma once

#include "TarveloExport.h"

#include "framework/forms/Event.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <exception>
#include <memory>
#include <optional>

namespace tarvelo {

class Advies;
class ComponentFactory;
class Database;
class Form;
class PageRegistry;
class ProcedureTrace;
class Registry;
class StatusReporter;
struct ListSortState;
class Settings;
class Ui;

// One company of a host list: its code and its name.
struct TARVELO_EXPORT HostCompany {
    QString code;
    QString name;
};

// The host application object as the pages see it.
class TARVELO_EXPORT Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application();

    // Runs a named host function; with "GetDatabase" the result holds the
    // host's Database* (see GetDatabase below).
    virtual QVariant RunFunction(const QString& caller, const QString& component, const QString& function) = 0;
    // Runs a named host procedure with one argument (e.g. "Apply_BackColor").
    // By default no procedure is known and nothing runs.
    virtual void RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                              const QVariant& argument);

    // Reports a filled trace; the page goes on when it returns.
    virtual void ShowError(ProcedureTrace& trace) = 0;

    // Broadcasts to every listening page: Notify(sender, form, action, value).
    virtual void RaiseNotify(const QString& sender, const QString& form, const QString& action,
                             const QVariant& value) = 0;
    Event<QString, QString, QString, QVariant> Notify;

    // The host program closes; by default its event loop ends (QCoreApplication::quit).
    virtual void CloseApplication();

    // The kind ("MSACC" or "MSSQL") and server of the advice database in use;
    // by default kept here, "MSACC" and no server, and SQL Server not offered.
    virtual QString DatabaseProvider() const;
    virtual void setDatabaseProvider(const QString& provider);
    virtual QString DatabaseServer() const;
    virtual void setDatabaseServer(const QString& server);
    virtual bool SqlServerAvailable() const { return false; }

    // The host's data folder (HDN data, message copies); every host names it.
    virtual QString DataFolder() const = 0;
    // The other folders are the data folder unless the host keeps them apart:
    // the folder of the logo, the default data folder, the installation
    // folder (HDN schemas) and the folder of the agent-number exchange file.
    virtual QString DataDir() const { return DataFolder(); }
    virtual QString DefaultDataFolder() const { return DataFolder(); }
    virtual QString InstallationFolder() const { return DataFolder(); }
    virtual QString ExchangeFolder() const { return DataFolder(); }
    // The application's version text; by default the library's (TARVELO_VERSION_STRING).
    virtual QString VersionText() const;

    // The default folder of advice export files, which the host keeps. A host
    // may refuse a folder (it throws then and keeps the old one).
    virtual QString ExportDir();
    virtual void setExportDir(const QString& folder);

    // The advice the user has open: its number, negative when none is open.
    virtual int HuidigAdvies() const { return -1; }
    // That advice as an object (its loan parts); none when no advice is open.
    virtual Advies* HuidigAdviesObject() { return nullptr; }
    // The host's valuation offices and bank-guarantee institutions the office
    // may choose, from 1; nothing past the last.
    virtual std::optional<HostCompany> Taxatiebureau(int) const { return std::nullopt; }
    virtual std::optional<HostCompany> Bankgarantieinstelling(int) const { return std::nullopt; }
    // Whether the office works with branches (from the current user's branch data).
    virtual bool WerktMetVestigingen() const { return false; }
    // The file of the host's own default logo picture; "" when it has none.
    virtual QString DefaultLogo() const { return QString(); }

    virtual Settings& GlobalSetup() = 0;
    virtual Settings& SettingsObject() = 0;

    // Owner of modal dialogs; by default none (the host has no window of its own).
    virtual Form* MainWindow() { return nullptr; }
    // Tells the host that the settings object changed outside a page's own
    // controls; by default nothing happens.
    virtual void SetupChanged() {}

    // The host's current date as text (its system information), as
    // "dd-MM-yyyy" ("09-12-2026"); pages convert it with CDate before
    // computing dates from it. By default the computer's date.
    virtual QString SysteemDatum() const;

    // The dialogs, message boxes and screen facts of this host.
    virtual Ui& ui() = 0;

    // The product's registry key, per user and per machine.
    virtual Registry& registry() = 0;

    // The progress of long runs shown in the library's own window; by
    // default one reporter over ui(), kept here.
    virtual StatusReporter& status();
    // The sort state every list view of the library shares; by default kept here.
    virtual ListSortState& listSortState();

    // The pages this host knows, so that a page can host another by class name.
    virtual const PageRegistry& pageRegistry() const = 0;
    // The user controls this host can create by class name.
    virtual const ComponentFactory& components() const = 0;
    // The host's general error handling for controls: an error that escaped
    // the own handling of a page (also one hosted inside another page) is
    // reported and the program goes on.
    virtual void reportUnhandled(const QString& componentName, std::exception_ptr error) = 0;

    // The register of the office's advisers as the host supplies it: an XML
    // document with one "gebruiker" per adviser in "gebruikers" (see
    // pages/advisers/AdviserRegister); empty when the host keeps none.
    virtual QString AdviseursRegister() { return QString(); }
    // Takes an adviser off the register.
    virtual void VerwijderAdviseurUitRegister(const QString&) {}
    // The code of the adviser who works with the program; empty when unknown.
    virtual QString HuidigeAdviseur() const { return QString(); }
    // Whether the current user holds the right with that number (2: managing advisers).
    virtual bool HeeftRecht(int) const { return false; }

protected:
    // Room for host calls that a later 1.x adds, without a new virtual
    // function that would move the ones above for hosts built against 1.0:
    // such a call reaches the host here (id names it, data points at its
    // arguments and result), and a host that does not know the id leaves it
    // to this default, which answers with the library's default. Data that a
    // later version keeps for the host lives behind the private pointer.
    virtual void virtual_hook(int id, void* data);

private:
    class Private;
    struct PrivateDeleter {
        void operator()(Private* d) const;
    };
    std::unique_ptr<Private, PrivateDeleter> d_;
};

// The host database object, asked for once when a page is attached.
TARVELO_EXPORT Database* GetDatabase(Application& application);

} // namespace tarvelo
