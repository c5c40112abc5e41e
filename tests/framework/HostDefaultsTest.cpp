#include "framework/errors/RuntimeError.h"
#include "framework/host/ComponentFactory.h"
#include "framework/host/Database.h"
#include "framework/host/Settings.h"
#include "framework/host/SettingsHost.h"
#include "framework/listsort/ListSortState.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/registry/Registry.h"
#include "framework/status/StatusReporter.h"
#include "framework/ui/ScriptedUi.h"
#include "host/registry/SqliteRegistryStore.h"
#include "pages/AllPages.h"

#include "TarveloVersion.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// A host that writes only what it must: the calls without a default.
class SmallestHost : public SettingsHost {
public:
    explicit SmallestHost(const QString& folder)
        : user_(folder + u"/user.hive"_s),
          machine_(folder + u"/machine.hive"_s),
          registry_(user_, machine_)
    {
    }

    QVariant RunFunction(const QString&, const QString&, const QString&) override { return {}; }
    void ShowError(ProcedureTrace&) override {}
    void RaiseNotify(const QString&, const QString&, const QString&, const QVariant&) override {}
    QString DataFolder() const override { return u"/srv/kantoor"_s; }
    Settings& GlobalSetup() override { return standIn_ ? *standIn_->globalSetup : globalSetup_; }
    Settings& SettingsObject() override { return standIn_ ? *standIn_->setup : setup_; }
    Ui& ui() override { return standIn_ ? *standIn_->ui : ui_; }
    Registry& registry() override { return registry_; }
    const PageRegistry& pageRegistry() const override { return pages_; }
    const ComponentFactory& components() const override { return components_; }
    void reportUnhandled(const QString&, std::exception_ptr) override {}
    void saveSettings(const QHash<QString, QString>&, const QHash<QString, QString>&) override {}
    void reloadSettings() override {}
    bool hasUnsavedChanges() const override { return false; }
    Settings& userSetup() override { return setup_; }
    Settings& officeSetup() override { return globalSetup_; }

    bool forgetsStandIns = false;

protected:
    void standInsDuring(Settings& setup, Settings& globalSetup, Ui& ui, const std::function<void()>& body) override
    {
        if (forgetsStandIns) {
            body(); // the mistake a host may make: the pages see the user's own settings
            return;
        }
        standIn_ = StandIn{&setup, &globalSetup, &ui};
        try {
            body();
        } catch (...) {
            standIn_.reset();
            throw;
        }
        standIn_.reset();
    }

private:
    struct StandIn {
        Settings* setup;
        Settings* globalSetup;
        Ui* ui;
    };
    ScriptedUi ui_;
    Settings setup_, globalSetup_;
    SqliteRegistryStore user_, machine_;
    Registry registry_;
    PageRegistry pages_;
    ComponentFactory components_;
    std::optional<StandIn> standIn_;
};

// A database object that writes only what it must.
class SmallestDatabase : public Database {
public:
    Connection& connection() override { throw RuntimeError::objectRequired(); }
    void SaveGlobalSetup(const Settings&) override {}
};

} // namespace

// Catches a database call without a default a host could do without, and a
// default that reports work done that was not: without a server, the host's
// date and reminders or branches there is nothing to test, make or count.
// (What the office database's own tables hold has defaults over the office
// connection: tests/host/DatabaseDefaultsTest.cpp.)
TEST(HostDefaults, ADatabaseObjectWritesOnlyTheConnectionAndTheSave)
{
    SmallestDatabase database;
    Database& db = database;
    QString errorText;
    EXPECT_FALSE(db.TestConnection(u"db.kantoor.nl"_s, errorText, u"Kantoor"_s));
    EXPECT_EQ(errorText, u"Dit programma werkt niet met een databaseserver."_s);

    Settings setup;
    EXPECT_EQ(db.TakenAanmaken(setup), 0);
    EXPECT_EQ(db.TakenAfhandelen(setup), 0);
    EXPECT_EQ(db.AantalVestigingen(), 0);
}

// Catches a host call without a default a host could do without: a host
// that writes only the calls above compiles, and the others answer as the
// library documents (the folders are the data folder, the date is
// dd-MM-yyyy, the database kind is kept, status and sort state exist).
TEST(HostDefaults, AHostWritesOnlyTheCallsItMust)
{
    QTemporaryDir dir;
    SmallestHost host(dir.path());
    EXPECT_EQ(host.DataDir(), u"/srv/kantoor"_s);
    EXPECT_EQ(host.InstallationFolder(), u"/srv/kantoor"_s);
    EXPECT_EQ(host.ExchangeFolder(), u"/srv/kantoor"_s);
    EXPECT_EQ(host.VersionText(), QString::fromLatin1(TARVELO_VERSION_STRING));
    EXPECT_EQ(host.SysteemDatum(), QDate::currentDate().toString(u"dd-MM-yyyy"_s));
    EXPECT_EQ(host.DatabaseProvider(), u"MSACC"_s);
    host.setDatabaseProvider(u"MSSQL"_s);
    host.setDatabaseServer(u"db.kantoor.nl"_s);
    EXPECT_EQ(host.DatabaseProvider(), u"MSSQL"_s);
    EXPECT_EQ(host.DatabaseServer(), u"db.kantoor.nl"_s);
    EXPECT_FALSE(host.SqlServerAvailable());
    EXPECT_EQ(host.MainWindow(), nullptr);
    EXPECT_EQ(&host.status(), &host.status());
    host.listSortState().lastColumn = 3;
    EXPECT_EQ(host.listSortState().lastColumn, 3);
    host.RunProcedure(u"Instellingen"_s, u"Tarvelomain"_s, u"Apply_BackColor"_s, 0);
}

// Catches a host whose stand-ins do not stand in: the window looks at pages
// that are not open through withStandIns, and a host that only ran the body
// let those pages write into the user's real settings, silently. Now the
// library refuses before the body runs.
TEST(HostDefaults, StandInsThatDoNotStandInAreRefused)
{
    QTemporaryDir dir;
    SmallestHost host(dir.path());
    Settings setup, globalSetup;
    ScriptedUi quiet;
    bool ran = false;
    host.withStandIns(setup, globalSetup, quiet, [&] {
        ran = true;
        EXPECT_EQ(&host.SettingsObject(), &setup);
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(&host.SettingsObject(), &host.userSetup());

    host.forgetsStandIns = true;
    ran = false;
    EXPECT_THROW(host.withStandIns(setup, globalSetup, quiet, [&] { ran = true; }), RuntimeError);
    EXPECT_FALSE(ran);
}

// Catches all of the library's pages or none: a host registers the pages it
// wants by class name, in its order, and hears which names are no page.
TEST(HostDefaults, AHostRegistersTheLibrarysPagesItWants)
{
    PageRegistry registry;
    const QStringList unknown = registerPages(registry, {u"setupproxy"_s, u"GeenPagina"_s, u"SetupAlgemeen"_s});
    EXPECT_EQ(unknown, QStringList{u"GeenPagina"_s});
    ASSERT_EQ(registry.pages().size(), 2u);
    EXPECT_EQ(registry.pages()[0].className, u"SetupProxy"_s);
    EXPECT_EQ(registry.pages()[1].className, u"SetupAlgemeen"_s);
    EXPECT_NE(registry.create(u"SetupProxy"_s), nullptr);
    EXPECT_EQ(registry.create(u"SetupData"_s), nullptr);
}
