#include "framework/errors/RuntimeError.h"
#include "framework/settings/ProxySettings.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/database/SqlConnection.h"
#include "host/office/OfficeDatabase.h"
#include "host/office/SettingsStore.h"
#include "tests/support/TestPostgres.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Two workstations of one office, neither of which hears what the other
// stores: each save meets the record as the other left it.
class SaveOverWhatWasSeen : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (onServer())
            server = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
        a = std::make_unique<ReferenceApplication>(ui, dirA.path(), QString(), ReferenceApplication::NewOffice::Demo,
                                                   server);
        b = std::make_unique<ReferenceApplication>(ui, onServer() ? dirB.path() : dirA.path(), QString(),
                                                   ReferenceApplication::NewOffice::Demo, server);
    }
    bool onServer() const { return QByteArray(GetParam()) == "MSSQL"; }
    static ProxySettings& proxy(ReferenceApplication& host) { return host.SettingsObject().get<ProxySettings>(); }
    // The proxy settings as stored now, read by a third program.
    QString stored()
    {
        QTemporaryDir dir;
        ReferenceApplication c(ui, onServer() ? dir.path() : dirA.path(), QString(),
                               ReferenceApplication::NewOffice::Demo, server);
        return proxy(c).ProxyAdres.get() + u'|' + proxy(c).ProxyGebruikersnaam.get();
    }
    qint64 historyOf(const QString& value)
    {
        QSqlQuery q =
            a->officeDatabase().exec(u"SELECT COUNT(*) FROM InstellingWijziging WHERE NieuweWaarde = ?"_s, {value});
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    QTemporaryDir dirA, dirB;
    ScriptedUi ui;
    std::optional<DatabaseLocation> server;
    std::unique_ptr<ReferenceApplication> a, b;
};

} // namespace

// A record another workstation stored since this one read it: different
// settings changed on both are both kept; the same setting changed on both is
// refused with nothing stored, and what the other stored is what is asked about.
TEST_P(SaveOverWhatWasSeen, ARecordStoredElsewhereKeepsBothChangesOrIsRefused)
{
    proxy(*a).ProxyAdres = u"daar:1"_s;
    a->saveSettings();
    proxy(*b).ProxyGebruikersnaam = u"hier"_s;
    b->saveSettings();
    EXPECT_EQ(stored(), u"daar:1|hier"_s) << "neither change is lost";

    proxy(*a).ProxyAdres = u"daar:2"_s;
    a->saveSettings();
    proxy(*b).ProxyAdres = u"hier:3"_s;
    try {
        b->saveSettings();
        ADD_FAILURE() << "the save wrote over the other workstation's address";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), SettingsStore::ConflictError);
    }
    EXPECT_EQ(stored(), u"daar:2|hier"_s);
    EXPECT_EQ(historyOf(u"hier:3"_s), 0) << "no history of what was not stored";
    const std::vector<SettingConflict> asked = b->settingConflicts();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].name, u"ProxyAdres"_s);
    EXPECT_EQ(asked[0].theirs.toString(), u"daar:2"_s);
    EXPECT_EQ(asked[0].mine.toString(), u"hier:3"_s);

    // Chosen: the own value. It is stored over the other's, with its history.
    std::vector<SettingConflict> chosen = asked;
    chosen[0].keepMine = true;
    b->resolveConflicts(chosen);
    b->saveSettings();
    EXPECT_EQ(stored(), u"hier:3|hier"_s);
    EXPECT_EQ(historyOf(u"hier:3"_s), 1);
}

// The record is written with its history or not at all: a history the
// database refuses leaves the record as it was, on the server also when the
// record's own write in the same batch went through.
TEST_P(SaveOverWhatWasSeen, AHistoryThatCannotBeStoredLeavesTheRecordAsItWas)
{
    if (onServer())
        a->officeDatabase().exec(u"ALTER TABLE InstellingWijziging ADD CONSTRAINT geen_adres "
                                 "CHECK (Instelling <> 'ProxyAdres') NOT VALID"_s);
    else
        a->officeDatabase().exec(u"CREATE TRIGGER geen_adres BEFORE INSERT ON InstellingWijziging "
                                 "WHEN NEW.Instelling = 'ProxyAdres' BEGIN SELECT RAISE(ABORT, 'geweigerd'); END"_s);
    proxy(*b).ProxyGebruikersnaam = u"hier"_s;
    proxy(*b).ProxyAdres = u"hier:3"_s;
    EXPECT_THROW(b->saveSettings(), RuntimeError);
    EXPECT_EQ(stored(), u"|"_s);
    EXPECT_EQ(historyOf(u"hier"_s), 0);
    EXPECT_TRUE(b->hasUnsavedChanges()) << "the changes stay in the program";
}

// On the server a save is one transaction sent at once, written over the
// record as this program last saw it, without reading or locking first; only
// a record stored otherwise since makes it read under the lock.
TEST_P(SaveOverWhatWasSeen, OnTheServerASaveIsOneBatchWithoutAReadBeforeIt)
{
    if (!onServer())
        GTEST_SKIP() << "on the file a save locks and reads: it costs no round trip";
    SqlConnection& connection = b->officeDatabase().pageConnection();
    proxy(*b).ProxyAdres = u"hier:1"_s;
    connection.logStatements(true);
    b->saveSettings();
    QStringList sent = connection.loggedStatements();
    ASSERT_EQ(sent.size(), 4) << sent.join(u'\n').toStdString();
    EXPECT_EQ(sent[0], u"BEGIN"_s);
    EXPECT_TRUE(sent[1].contains(u"UPDATE Instellingen"_s) && sent[1].contains(u"AND Record = ?"_s));
    EXPECT_TRUE(sent[2].startsWith(u"INSERT INTO InstellingWijziging"_s));
    EXPECT_EQ(sent[3], u"COMMIT"_s);

    proxy(*a).ProxyGebruikersnaam = u"daar"_s;
    a->saveSettings();
    proxy(*b).ProxyAdres = u"hier:2"_s;
    connection.logStatements(true);
    b->saveSettings();
    sent = connection.loggedStatements();
    EXPECT_TRUE(sent.contains(u"LOCK TABLE Instellingen IN SHARE ROW EXCLUSIVE MODE"_s))
        << "the guard missed: read under the lock";
    EXPECT_EQ(stored(), u"hier:2|daar"_s);
}

INSTANTIATE_TEST_SUITE_P(Engines, SaveOverWhatWasSeen, ::testing::Values("MSACC", "MSSQL"));
