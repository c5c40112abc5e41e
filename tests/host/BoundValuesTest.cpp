#include "framework/host/Connection.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/AdminCommands.h"
#include "host/admin/CollectingUi.h"
#include "host/admin/SettingsProfile.h"
#include "host/database/ServerStatement.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Values that break a statement whose values stand in its text.
QStringList hostileValues()
{
    return {u"O'Brien's ''kantoor''"_s,        u"C:\\pad\\naar\\ \\' \\\\"_s,        u"E'\\x41' E'"_s,
            u"$$ SELECT 1 $$ $1 $tag$"_s,      u"'); DROP TABLE Instellingen; --"_s, u"? ?? '?'"_s,
            QString(1 << 20, u'x') + u"'\\é"_s};
}

QString withNul() { return u"voor"_s + QChar(0) + u"na"_s; }

// The same office on the embedded file and on the test server.
class BoundValuesTest : public ::testing::TestWithParam<const char*> {
protected:
    bool onServer() const { return QLatin1String(GetParam()) == QLatin1String("MSSQL"); }
    void SetUp() override
    {
        if (onServer())
            location = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
        app = open(dir.path());
    }
    std::unique_ptr<ReferenceApplication> open(const QString& folder)
    {
        std::optional<DatabaseLocation> server;
        if (onServer())
            server = location;
        auto opened = std::make_unique<ReferenceApplication>(quiet, folder, QString(),
                                                             ReferenceApplication::NewOffice::Demo, server);
        opened->setShowErrorsToUser(false);
        return opened;
    }
    AdminResult command(const QStringList& words, const QString& passphrase = {})
    {
        AdminRequest request;
        request.command = words.value(0);
        request.arguments = words.mid(1);
        return AdminCommands::run(
            *app, request, [passphrase] { return std::optional<QString>(passphrase); },
            [](const QString&) { return std::optional<QString>(); });
    }
    QString stored()
    {
        // Another program reads what is stored (on the file: the same data folder).
        QTemporaryDir other;
        return open(onServer() ? other.path() : dir.path())->SettingsObject().get<ProxySettings>().ProxyAdres;
    }

    QTemporaryDir dir;
    ScriptedUi screen;
    CollectingUi quiet{screen};
    DatabaseLocation location;
    std::unique_ptr<ReferenceApplication> app;
};

} // namespace

// Catches values written into a statement's text: quotes, backslashes, E'',
// dollar quotes, question marks and a megabyte go through the command line's
// set (settings record and history), a profile's import, the pages'
// prepared statements and their record sets, and come back unchanged.
TEST_P(BoundValuesTest, HostileValuesTravelUnchangedThroughEveryWritePath)
{
    for (const QString& value : hostileValues()) {
        SCOPED_TRACE(value.left(40).toStdString());
        const AdminResult set = command({u"set"_s, u"ProxyAdres"_s, value});
        ASSERT_EQ(set.status, AdminCommands::Done) << set.err.toStdString();
        EXPECT_EQ(stored(), value);
        const std::vector<ChangeEntry> history = app->changeHistory();
        ASSERT_FALSE(history.empty());
        EXPECT_EQ(history.front().newValue.value_or(QString()), value);

        Settings setup;
        Settings globalSetup;
        setup.get<ProxySettings>().ProxyAdres = value + u"-profiel"_s;
        const QString profile = dir.filePath(u"profiel.json"_s);
        SettingsProfile::save(profile, SettingsProfile::write(setup, globalSetup, std::nullopt));
        const AdminResult imported = command({u"import"_s, profile});
        ASSERT_EQ(imported.status, AdminCommands::Done) << imported.err.toStdString();
        EXPECT_EQ(stored(), value + u"-profiel"_s);
    }

    Connection& pages = app->connection();
    pages.Execute(u"DELETE FROM Notaris"_s);
    std::unique_ptr<PreparedStatement> insert = pages.Prepare(u"INSERT INTO Notaris (ID, Naam) VALUES (?, ?)"_s);
    const QStringList values = hostileValues();
    for (qsizetype i = 0; i < values.size(); ++i)
        insert->Execute({u"n%1"_s.arg(i), values[i]});
    std::unique_ptr<Recordset> rs = pages.OpenRecordset(u"SELECT ID, Naam FROM Notaris ORDER BY ID"_s);
    for (qsizetype i = 0; i < values.size(); ++i, rs->MoveNext()) {
        ASSERT_FALSE(rs->EOF_());
        EXPECT_EQ(rs->text(u"Naam"_s), values[i]);
        rs->setField(u"Naam"_s, values[values.size() - 1 - i]);
        rs->Update();
    }
    rs->AddNew();
    rs->setField(u"ID"_s, values[0]);
    rs->setField(u"Naam"_s, values[1]);
    rs->Update();
    rs = pages.OpenRecordset(u"SELECT ID, Naam FROM Notaris ORDER BY ID"_s);
    QStringList names;
    for (; !rs->EOF_(); rs->MoveNext())
        names << rs->text(u"Naam"_s);
    QStringList expected;
    expected << values[1];
    for (qsizetype i = values.size() - 1; i >= 0; --i)
        expected << values[i];
    std::sort(expected.begin(), expected.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected);
}

// Catches a value that reaches the server inside the statement's text (and so
// its log when the statement fails): the server sees a placeholder.
TEST_P(BoundValuesTest, TheServerSeesPlaceholdersNotValues)
{
    if (!onServer())
        return;
    QSqlQuery seen = app->officeDatabase().exec(u"SELECT current_query() WHERE ? <> 'x'"_s, {u"geheim-wachtwoord"_s});
    ASSERT_TRUE(seen.next());
    EXPECT_FALSE(seen.value(0).toString().contains(u"geheim-wachtwoord"_s)) << seen.value(0).toString().toStdString();
    EXPECT_TRUE(seen.value(0).toString().contains(u"$1"_s));
}

// Catches a NUL in a value that breaks the server's statement with a syntax
// error: the file stores it, the server refuses it in Dutch and keeps the old value.
TEST_P(BoundValuesTest, AValueWithANulIsStoredOnTheFileAndRefusedInDutchOnTheServer)
{
    ASSERT_EQ(command({u"set"_s, u"ProxyAdres"_s, u"oud:80"_s}).status, AdminCommands::Done);
    const AdminResult set = command({u"set"_s, u"ProxyAdres"_s, withNul()});
    if (!onServer()) {
        EXPECT_EQ(set.status, AdminCommands::Done) << set.err.toStdString();
        EXPECT_EQ(stored(), withNul());
        return;
    }
    EXPECT_EQ(set.status, AdminCommands::Refused);
    EXPECT_TRUE(set.err.contains(nulInValueText())) << set.err.toStdString();
    EXPECT_EQ(stored(), u"oud:80"_s);

    Settings setup;
    Settings globalSetup;
    setup.get<ProxySettings>().ProxyAdres = withNul();
    const QString profile = dir.filePath(u"nul.json"_s);
    SettingsProfile::save(profile, SettingsProfile::write(setup, globalSetup, std::nullopt));
    const AdminResult imported = command({u"import"_s, profile});
    EXPECT_EQ(imported.status, AdminCommands::Refused);
    EXPECT_TRUE(imported.err.contains(nulInValueText())) << imported.err.toStdString();
    EXPECT_EQ(stored(), u"oud:80"_s);
}

INSTANTIATE_TEST_SUITE_P(Engines, BoundValuesTest, ::testing::Values("MSACC", "MSSQL"),
                         [](const auto& info) { return std::string(info.param); });
