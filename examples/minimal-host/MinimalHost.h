#pragma once

#include "HostCompanies.h"
#include "MemoryRegistryStore.h"

#include <tarvelo/app/QtUi.h>
#include <tarvelo/framework/host/ComponentFactory.h>
#include <tarvelo/framework/host/Database.h>
#include <tarvelo/framework/host/Settings.h>
#include <tarvelo/framework/host/SettingsHost.h>
#include <tarvelo/framework/page/PageRegistry.h>
#include <tarvelo/framework/registry/Registry.h>
#include <tarvelo/host/database/SqlConnection.h>

#include <QDir>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace minimalhost {

using namespace Qt::StringLiterals;

// The smallest host that shows the library's settings window: the host
// application object with what the window needs of it (SettingsHost), the
// host database object over an SQLite file with the tables the pages use,
// the registry in memory, and Setup and GlobalSetup kept in one JSON file.
// A real host puts its own program behind the same members.
class MinimalHost final : public tarvelo::SettingsHost, public tarvelo::Database {
public:
    // Keeps its office database and settings in dataFolder, made when missing.
    explicit MinimalHost(const QString& dataFolder);
    ~MinimalHost() override;

    // The window that owns the host's message boxes and dialogs.
    void setWindow(QWidget* window) { ui_.setOwner(window); }
    // How many errors the pages reported.
    int errorCount() const { return errors_; }

    // Application
    QVariant RunFunction(const QString& caller, const QString& component, const QString& function) override;
    void ShowError(tarvelo::ProcedureTrace& trace) override;
    void RaiseNotify(const QString& sender, const QString& form, const QString& action, const QVariant& value) override;
    QString DataFolder() const override { return data_.absolutePath(); }
    tarvelo::Settings& GlobalSetup() override { return standIn_ ? standIn_->globalSetup : globalSetup_; }
    tarvelo::Settings& SettingsObject() override { return standIn_ ? standIn_->setup : setup_; }
    tarvelo::Ui& ui() override { return standIn_ ? standIn_->ui : ui_; }
    tarvelo::Registry& registry() override { return registry_; }
    const tarvelo::PageRegistry& pageRegistry() const override { return pages_; }
    const tarvelo::ComponentFactory& components() const override { return components_; }
    void reportUnhandled(const QString& componentName, std::exception_ptr error) override;

    // SettingsHost
    void saveSettings(const QHash<QString, QString>& pageOf, const QHash<QString, QString>& howOf) override;
    void reloadSettings() override;
    bool hasUnsavedChanges() const override;
    tarvelo::Settings& userSetup() override { return setup_; }
    tarvelo::Settings& officeSetup() override { return globalSetup_; }
    void standInsDuring(tarvelo::Settings& setup, tarvelo::Settings& globalSetup, tarvelo::Ui& ui,
                        const std::function<void()>& body) override;

    // Database: the connection the pages run their statements on and the
    // office-wide save; the advisers' records, the advices' subscriptions and
    // dossier folders take the library's defaults, in the office tables
    // through this connection.
    tarvelo::Connection& connection() override { return *connection_; }
    void SaveGlobalSetup(const tarvelo::Settings& globalSetup) override;

private:
    struct StandIn {
        tarvelo::Settings& setup;
        tarvelo::Settings& globalSetup;
        tarvelo::Ui& ui;
    };
    void store(const QVariantMap& setup, const QVariantMap& globalSetup);

    QDir data_;
    tarvelo::QtUi ui_;
    tarvelo::PageRegistry pages_;
    tarvelo::ComponentFactory components_;
    MemoryRegistryStore userHive_;
    MemoryRegistryStore machineHive_;
    tarvelo::Registry registry_{userHive_, machineHive_};
    tarvelo::Settings setup_;
    tarvelo::Settings globalSetup_;
    std::optional<StandIn> standIn_;
    // Setup and GlobalSetup as they were last read or stored.
    QVariantMap storedSetup_;
    QVariantMap storedGlobalSetup_;
    std::unique_ptr<tarvelo::SqlConnection> connection_;
    std::unique_ptr<HostCompanies> companies_;
    int errors_ = 0;
};

} // namespace minimalhost
