#pragma once

#include "framework/forms/Event.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <exception>

namespace tarvelo {

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

// The host application object as the pages see it.
class Application {
public:
    virtual ~Application() = default;

    // Runs a named host function; with "GetDatabase" the result holds the
    // host's Database* (see GetDatabase below).
    virtual QVariant RunFunction(const QString& caller, const QString& component, const QString& function) = 0;
    // Runs a named host procedure with one argument (e.g. "Apply_BackColor").
    virtual void RunProcedure(const QString& caller, const QString& component, const QString& procedure,
                              const QVariant& argument) = 0;

    // Reports a filled trace; the page goes on when it returns.
    virtual void ShowError(ProcedureTrace& trace) = 0;

    // Broadcasts to every listening page: Notify(sender, form, action, value).
    virtual void RaiseNotify(const QString& sender, const QString& form, const QString& action,
                             const QVariant& value) = 0;
    Event<QString, QString, QString, QVariant> Notify;

    virtual void CloseApplication() = 0;

    virtual QString DatabaseProvider() const = 0;
    virtual void setDatabaseProvider(const QString& provider) = 0;
    virtual QString DatabaseServer() const = 0;
    virtual void setDatabaseServer(const QString& server) = 0;
    virtual bool SqlServerAvailable() const = 0;

    virtual QString DataDir() const = 0;
    virtual QString DataFolder() const = 0;
    virtual QString DefaultDataFolder() const = 0;
    virtual QString InstallationFolder() const = 0;
    virtual QString ExchangeFolder() const = 0;
    virtual QString VersionText() const = 0;

    virtual Settings& GlobalSetup() = 0;
    virtual Settings& SettingsObject() = 0;

    // Owner of modal dialogs (null when the host has no window of its own).
    virtual Form* MainWindow() = 0;
    // Tells the host that the settings object changed outside a page's own controls.
    virtual void SetupChanged() = 0;

    // The host's current date as text (its system information); pages convert
    // it with CDate before computing dates from it.
    virtual QString SysteemDatum() const = 0;

    // The dialogs, message boxes and screen facts of this host.
    virtual Ui& ui() = 0;

    // The product's registry key, per user and per machine.
    virtual Registry& registry() = 0;

    // The progress of long runs shown in the library's own window.
    virtual StatusReporter& status() = 0;
    // The sort state every list view of the library shares.
    virtual ListSortState& listSortState() = 0;

    // The pages this host knows, so that a page can host another by class name.
    virtual const PageRegistry& pageRegistry() const = 0;
    // The user controls this host can create by class name.
    virtual const ComponentFactory& components() const = 0;
    // The host's general error handling for controls: an error that escaped
    // the own handling of a page (also one hosted inside another page) is
    // reported and the program goes on.
    virtual void reportUnhandled(const QString& componentName, std::exception_ptr error) = 0;
};

// The host database object, asked for once when a page is attached.
Database* GetDatabase(Application& application);

} // namespace tarvelo
