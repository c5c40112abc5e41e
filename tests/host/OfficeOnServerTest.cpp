#include "framework/host/Connection.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {
qlonglong count(Connection& db, const char* table)
{
    auto rs = db.OpenRecordset(u"SELECT COUNT(*) AS n FROM %1"_s.arg(QLatin1String(table)));
    return rs->field("n").toLongLong();
}
} // namespace

// The demo office must come out the same on the server as in the file, and settings saved there survive a restart.
TEST(OfficeOnServer, DemoOfficeAndSettingsOnPostgres)
{
    QTemporaryDir fileDir, serverDir;
    ScriptedUi ui;
    DatabaseLocation server{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};

    ReferenceApplication inFile(ui, fileDir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    {
        ReferenceApplication onServer(ui, serverDir.path(), QString(), ReferenceApplication::NewOffice::Demo, server);
        EXPECT_EQ(onServer.DatabaseProvider(), "MSSQL");
        EXPECT_EQ(onServer.connection().provider(), "MSSQL");
        for (const char* table : {"Adviseur", "Tbl_Mij_Info", "Tbl_Mij_Verzekering", "tp_info", "Notaris", "Abonnement",
                                  "HDNBericht", "Adviesdossier"}) {
            SCOPED_TRACE(table);
            EXPECT_GT(count(onServer.connection(), table), 0);
            EXPECT_EQ(count(onServer.connection(), table), count(inFile.connection(), table));
        }
        onServer.SettingsObject().get<ProxySettings>().ProxyAdres = u"proxy:8080 'kantoor'"_s;
        onServer.GlobalSetup().get<UpdateSettings>().UpdateTermijn = 14;
        onServer.saveSettings();
    }
    ReferenceApplication again(ui, serverDir.path(), QString(), ReferenceApplication::NewOffice::Demo, server);
    EXPECT_EQ(again.SettingsObject().get<ProxySettings>().ProxyAdres.get(), "proxy:8080 'kantoor'");
    EXPECT_EQ(qint16(again.GlobalSetup().get<UpdateSettings>().UpdateTermijn), 14);
    EXPECT_TRUE(ui.messages().empty());
}
