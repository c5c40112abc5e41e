#include "host/office/PortfolioTasks.h"
#include "framework/host/Settings.h"
#include "framework/settings/HerinneringSettings.h"
#include "host/office/OfficeDatabase.h"

#include <QDir>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

struct PortfolioTasksTest : ::testing::Test {
    QTemporaryDir dir;
    OfficeDatabase db{QDir(dir.path()).filePath(u"Adviezen.mdb"_s)};
    Settings setup;
    HerinneringSettings& s = setup.get<HerinneringSettings>();
    const QDate today{2026, 12, 20};

    void advies(const char* id, const char* status, const QVariant& abonnement = {}, const QVariant& ingang = {},
                int controleAantal = 0, int controleEenheid = 0)
    {
        db.exec(u"INSERT INTO Advies (ID, Klant, Status, AbonnementID, AbonnementIngang, ControleAantal, "
                "ControleEenheid) VALUES (?, 'Klant', ?, ?, ?, ?, ?)"_s,
                {QString::fromLatin1(id), QString::fromLatin1(status), abonnement, ingang, controleAantal,
                 controleEenheid});
    }
    void product(const char* id, int nr, int type, const QDate& einde, const QVariant& rvp = {})
    {
        db.exec(u"INSERT INTO AdviesProduct (AdviesID, Volgnummer, Producttype, Omschrijving, Einddatum, "
                "EindeRentevast) VALUES (?, ?, ?, 'Product', ?, ?)"_s,
                {QString::fromLatin1(id), nr, type, einde.toString(Qt::ISODate), rvp});
    }
    void persoon(const char* id, int nr, const char* rol, const QDate& born, const QVariant& pension = {})
    {
        db.exec(u"INSERT INTO AdviesPersoon (AdviesID, Volgnummer, Rol, Naam, Geboortedatum, Pensioendatum) "
                "VALUES (?, ?, ?, 'Iemand', ?, ?)"_s,
                {QString::fromLatin1(id), nr, QString::fromLatin1(rol), born.toString(Qt::ISODate), pension});
    }
    QStringList tasks()
    {
        QSqlQuery q = db.exec(u"SELECT AdviesID, Soort, Gebeurtenisdatum FROM Taak "
                              "ORDER BY AdviesID, Soort, Gebeurtenisdatum"_s);
        QStringList all;
        while (q.next())
            all << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() + QLatin1Char(' ') +
                       q.value(2).toString();
        return all;
    }
};

} // namespace

// The horizon includes its last day and no more; only the chosen product
// types count; only advices 'In beheer' get tasks; nothing without automatic tasks.
TEST_F(PortfolioTasksTest, ProductEndsWithinTheHorizonOfTheChosenTypes)
{
    advies("A", "In beheer");
    advies("B", "In behandeling");
    product("A", 1, 1, today.addMonths(2));            // exactly at the horizon
    product("A", 2, 1, today.addMonths(2).addDays(1)); // one day beyond
    product("A", 3, 512, today.addDays(10));           // a type not chosen
    product("A", 4, 256, today.addDays(-1));           // already past
    product("B", 1, 1, today.addDays(5));              // not 'In beheer'
    s.TaakEinddatumProduct = true;
    s.TaakProductAantal = 2;
    s.TaakProductEenheid = HerinneringSettings::Maanden;
    s.TaakProducttypen = 1 + 256;
    EXPECT_EQ(PortfolioTasks::create(db, setup, today), 0) << "automatic tasks are off";
    s.AutomatischTaken = true;
    EXPECT_EQ(PortfolioTasks::create(db, setup, today), 1);
    EXPECT_EQ(tasks(), (QStringList{"A Einddatum product 2027-02-20"}));
    EXPECT_EQ(PortfolioTasks::create(db, setup, today), 0) << "made once";
}

// Birthdays come round each year (29 February on the 28th in other years),
// across the turn of the year; review moments repeat from the start date.
TEST_F(PortfolioTasksTest, BirthdaysPensionsAndReviewMoments)
{
    advies("A", "In beheer", u"{X}"_s, QDate(2026, 1, 5).toString(Qt::ISODate), 6, 1);
    persoon("A", 1, "Klant", QDate(1960, 2, 29), QDate(2026, 12, 31).toString(Qt::ISODate));
    persoon("A", 2, "Partner", QDate(1962, 1, 2));
    persoon("A", 3, "Kind", QDate(2015, 12, 25));
    s.AutomatischTaken = true;
    s.TaakGebeurtenissen = true;
    s.TaakGebeurtenisAantal = 10;
    s.TaakGebeurtenisEenheid = HerinneringSettings::Weken;
    s.TaakGebeurtenistypen = HerinneringSettings::VerjaardagKlant | HerinneringSettings::Pensioen;
    s.TaakAbonnementen = true;
    s.TaakAbonnementAantal = 20;
    s.TaakAbonnementEenheid = HerinneringSettings::Dagen;
    PortfolioTasks::create(db, setup, today);
    EXPECT_EQ(tasks(), (QStringList{"A Controlemoment abonnement 2027-01-05", "A Pensioen 2026-12-31",
                                    "A Verjaardag 2027-01-02", "A Verjaardag 2027-02-28"}));

    // Lapsed tasks close after the completion period; "Nooit" closes none.
    EXPECT_EQ(PortfolioTasks::close(db, setup, QDate(2027, 6, 1)), 0);
    s.AfgehandeldAantal = 3;
    s.AfgehandeldEenheid = HerinneringSettings::Maanden;
    EXPECT_EQ(PortfolioTasks::close(db, setup, QDate(2027, 4, 10)), 3) << "all but the birthday of 28 February";
    EXPECT_EQ(PortfolioTasks::close(db, setup, QDate(2027, 6, 1)), 1);
}

// An office database from before the advices and tasks were kept gets their
// tables when it is opened; what it holds stays.
TEST(OfficeDatabaseTables, AnOlderOfficeGetsTheNewTables)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(u"Adviezen.mdb"_s);
    {
        OfficeDatabase db(file);
        db.exec(u"INSERT INTO Vestiging (ID, Naam) VALUES ('v1', 'Amersfoort')"_s);
        db.exec(u"DROP TABLE Taak"_s);
        db.exec(u"DROP TABLE Advies"_s);
    }
    OfficeDatabase reopened(file);
    EXPECT_FALSE(reopened.isNew());
    QSqlQuery count = reopened.exec(u"SELECT COUNT(*) FROM Taak"_s);
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.value(0).toInt(), 0);
    reopened.exec(u"SELECT COUNT(*) FROM Advies"_s);
    QSqlQuery kept = reopened.exec(u"SELECT Naam FROM Vestiging"_s);
    ASSERT_TRUE(kept.next());
    EXPECT_EQ(kept.value(0).toString(), "Amersfoort");
}

// An office database from before a column was added gets that column, empty or
// with its default, when it is opened; its rows stay.
TEST(OfficeDatabaseTables, AnOlderOfficeGetsTheNewColumns)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(u"Adviezen.mdb"_s);
    {
        OfficeDatabase db(file);
        db.exec(u"DROP TABLE Adviesdossier"_s);
        db.exec(u"CREATE TABLE Adviesdossier (ID TEXT PRIMARY KEY, Klant TEXT NOT NULL, DocumentenMap TEXT)"_s);
        db.exec(u"INSERT INTO Adviesdossier (ID, Klant) VALUES ('d1', 'Jansen')"_s);
    }
    OfficeDatabase reopened(file);
    QSqlQuery row = reopened.exec(u"SELECT Klant, Adviseur FROM Adviesdossier"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), "Jansen");
    EXPECT_TRUE(row.value(1).isNull());
}

// Agent numbers an older office stored without a key get one each when it is opened, so they can be changed.
TEST(OfficeDatabaseTables, AgentNumbersWithoutAKeyGetOne)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(u"Adviezen.mdb"_s);
    {
        OfficeDatabase db(file);
        db.exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, GUID) VALUES ('1', 'G1', NULL), ('2', 'G1', NULL), "
                "('3', 'G1', ''), ('4', 'G1', '{KEEP}')"_s);
    }
    OfficeDatabase reopened(file);
    QSqlQuery rows = reopened.exec(u"SELECT Agent_Id, GUID FROM tp_info ORDER BY Agent_Id"_s);
    QStringList keys;
    while (rows.next())
        keys << rows.value(1).toString();
    ASSERT_EQ(keys.size(), 4);
    EXPECT_EQ(keys[3], "{KEEP}");
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keys[i].size(), 38) << keys[i].toStdString();
}
