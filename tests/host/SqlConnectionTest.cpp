#include "host/database/SqlConnection.h"
#include "framework/errors/RuntimeError.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// The same tests run on the embedded file and on the server database.
class SqlConnectionTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        DatabaseLocation location;
        location.provider = QString::fromLatin1(GetParam());
        if (location.provider == QLatin1String("MSSQL")) {
            location.server = testPostgresServer();
            location.databaseName = createTestDatabase();
        } else {
            location.file = dir.filePath("Adviezen.mdb");
        }
        db = std::make_unique<SqlConnection>(location);
        db->addOwnFunctions();
        for (const char* ddl : {
                 "CREATE TABLE HDNBericht (Ber_Id INTEGER PRIMARY KEY, Ber_Om_Berichtnaam VARCHAR(260), "
                 "Ber_Om_Ascii TEXT, Ber_Dt_Ontvangen DATE)",
                 "CREATE TABLE tp_info (GUID VARCHAR(38) PRIMARY KEY, Agent_id VARCHAR(50), Cd_Mij VARCHAR(10), "
                 "Rente INTEGER, Standaard INTEGER)",
                 "CREATE TABLE Tbl_Mij_Info (Cd_Mij VARCHAR(10), Om_NaamKort VARCHAR(60))",
             })
            db->Execute(ddl);
        db->Execute("INSERT INTO HDNBericht (Ber_Id, Ber_Om_Berichtnaam, Ber_Om_Ascii) VALUES (1, '', 'abc')");
        db->Execute("INSERT INTO HDNBericht (Ber_Id, Ber_Om_Berichtnaam, Ber_Om_Ascii) VALUES (2, 'b2.xml', '')");
        db->Execute("INSERT INTO HDNBericht (Ber_Id, Ber_Om_Berichtnaam, Ber_Om_Ascii) VALUES (3, NULL, 'héé')");
        db->Execute("INSERT INTO HDNBericht (Ber_Id, Ber_Om_Berichtnaam, Ber_Om_Ascii) VALUES (4, 'b4.xml', NULL)");
        db->Execute("INSERT INTO Tbl_Mij_Info (Cd_Mij, Om_NaamKort) VALUES ('AB', 'D''Hondt Hypotheken')");
    }

    qlonglong scalar(const QString& sql)
    {
        auto rs = db->OpenRecordset(sql);
        EXPECT_FALSE(rs->EOF_()) << sql.toStdString();
        return rs->EOF_() ? -1 : rs->field(rs->fieldNames().first()).toLongLong();
    }

    QTemporaryDir dir;
    std::unique_ptr<SqlConnection> db;
};

} // namespace

// The statement texts the message-storage and company pages build must run, with the same answers, on both engines.
TEST_P(SqlConnectionTest, PageStatementTextsRunOnBothEngines)
{
    const std::pair<const char*, qlonglong> counts[] = {
        {"SELECT COUNT(cast(Ber_Om_Ascii AS VARCHAR)) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT "
         "WHERE Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL",
         2},
        {"SELECT COUNT(Ber_Om_Ascii) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT WHERE Ber_Om_Ascii <> ''", 2},
        {"SELECT COUNT(cast(Ber_Om_Berichtnaam AS VARCHAR)) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT "
         "WHERE Datalength(Ber_Om_Berichtnaam) <> 0 AND Ber_Om_Berichtnaam IS NOT NULL",
         2},
        {"SELECT COUNT(Ber_Om_Berichtnaam) AS TOTALCOUNTBERICHTEN FROM HDNBERICHT WHERE Ber_Om_Berichtnaam <> ''", 2},
        {"SELECT Sum(DataLength(Ber_Om_Ascii)) AS TOTALSIZEBERICHTEN FROM HDNBERICHT", 3 + 5},
        {"SELECT Sum(Len(Ber_Om_Ascii)) AS TOTALSIZEBERICHTEN FROM HDNBERICHT", 3 + 3},
    };
    for (const auto& [sql, expected] : counts)
        EXPECT_EQ(scalar(sql), expected) << sql;

    auto stored =
        db->OpenRecordset("SELECT * FROM HDNBericht WHERE Datalength(Ber_Om_Ascii) <> 0 AND Ber_Om_Ascii IS NOT NULL");
    EXPECT_EQ(stored->RecordCount(), 2);
    auto files = db->OpenRecordset("SELECT * FROM HDNBericht WHERE Ber_Om_Berichtnaam <> ''");
    EXPECT_EQ(files->RecordCount(), 2);

    auto company =
        db->OpenRecordset("SELECT [Cd_Mij] FROM Tbl_Mij_Info WHERE [Om_NaamKort] = " + sqlQuoted("D'Hondt Hypotheken"));
    ASSERT_FALSE(company->EOF_());
    EXPECT_EQ(company->text("cd_mij"), "AB"); // fields by name without regard to case

    db->Execute("INSERT INTO tp_info (GUID, Agent_id, Cd_Mij, Rente) VALUES ('{1}', " + sqlQuoted("A\"12'3") +
                ", 'AB', 0)");
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM tp_info;")->text("Agent_id"), "A\"12'3");
    EXPECT_EQ(db->Execute("UPDATE tp_info SET Standaard = 1 WHERE [Cd_Mij] ='AB'"), 1);
    EXPECT_EQ(db->Execute("DELETE FROM tp_info WHERE GUID = '{1}'"), 1);
}

// Record sets must move, find, change and add rows and write exactly what was typed.
TEST_P(SqlConnectionTest, RecordsetMoveFindUpdateAndAdd)
{
    auto rs = db->OpenRecordset("SELECT * FROM HDNBericht ORDER BY Ber_Id");
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->field("BER_ID").toInt(), 1);
    rs->MoveLast();
    EXPECT_EQ(rs->field("Ber_Id").toInt(), 4);
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF_());
    EXPECT_THROW(rs->field("Ber_Id"), RuntimeError);
    rs->MoveFirst();
    EXPECT_THROW(rs->field("Bestaat_Niet"), RuntimeError);

    rs->Find("[Ber_Om_Berichtnaam] = 'b4.xml'");
    ASSERT_FALSE(rs->EOF_());
    rs->setField("Ber_Om_Ascii", "<bericht naam=\"x\">it's</bericht>");
    rs->Update();
    rs->AddNew();
    rs->setField("Ber_Id", 5);
    rs->setField("Ber_Om_Berichtnaam", "o'neill.xml");
    rs->Update();
    rs->Close();

    auto check = db->OpenRecordset("SELECT * FROM HDNBericht WHERE Ber_Id = 4");
    EXPECT_EQ(check->text("Ber_Om_Ascii"), "<bericht naam=\"x\">it's</bericht>");
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM HDNBericht WHERE Ber_Om_Berichtnaam = 'o''neill.xml'"), 1);

    // a table without a key is matched on the values as they were read
    auto company = db->OpenRecordset("SELECT * FROM Tbl_Mij_Info");
    company->setField("Om_NaamKort", "Nieuw");
    company->Update();
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM Tbl_Mij_Info WHERE Om_NaamKort = 'Nieuw'"), 1);
}

// A rolled-back transaction leaves nothing behind; a failing statement reports the engine's text.
TEST_P(SqlConnectionTest, TransactionsAndErrors)
{
    db->BeginTrans();
    db->Execute("DELETE FROM HDNBericht");
    db->RollbackTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM HDNBericht"), 4);
    db->BeginTrans();
    db->Execute("DELETE FROM HDNBericht WHERE Ber_Id = 1");
    db->CommitTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM HDNBericht"), 3);
    try {
        db->Execute("SELECT * FROM TabelBestaatNiet");
        ADD_FAILURE() << "fout verwacht";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains("tabelbestaatniet", Qt::CaseInsensitive)) << e.description().toStdString();
    }
}

// A prepared statement stores its bound values exactly (quotes, NULL, numbers), runs many
// times inside the caller's transaction, goes with its rollback, and reports a failing run.
TEST_P(SqlConnectionTest, PreparedStatementBindsItsValues)
{
    db->BeginTrans();
    {
        const auto insert =
            db->Prepare("INSERT INTO tp_info ([GUID], Agent_id, Cd_Mij, Rente, Standaard) VALUES (?, ?, ?, ?, ?)");
        EXPECT_EQ(insert->Execute({"{1}", "A\"12'3", QVariant(), 7, -1}), 1);
        EXPECT_EQ(insert->Execute({"{2}", "'; DROP TABLE tp_info; --", "AB", QVariant(), 0}), 1);
    }
    db->RollbackTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM tp_info"), 0);

    db->BeginTrans();
    const auto insert =
        db->Prepare("INSERT INTO tp_info (GUID, Agent_id, Cd_Mij, Rente, Standaard) VALUES (?, ?, ?, ?, ?)");
    EXPECT_EQ(insert->Execute({"{1}", "A\"12'3", QVariant(), 7, -1}), 1);
    EXPECT_EQ(insert->Execute({"{2}", "'; DROP TABLE tp_info; --", "AB", QVariant(), 0}), 1);
    EXPECT_THROW(insert->Execute({"{2}", "dubbel", "AB", 1, 0}), RuntimeError) << "a key stored twice";
    db->RollbackTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) AS n FROM tp_info"), 0);

    db->BeginTrans();
    insert->Execute({"{1}", "A\"12'3", QVariant(), 7, -1});
    insert->Execute({"{2}", "'; DROP TABLE tp_info; --", "AB", QVariant(), 0});
    db->CommitTrans();
    auto rs = db->OpenRecordset("SELECT * FROM tp_info ORDER BY GUID");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->text("Agent_id"), "A\"12'3");
    EXPECT_TRUE(rs->field("Cd_Mij").isNull());
    EXPECT_EQ(rs->field("Rente").toInt(), 7);
    EXPECT_EQ(rs->field("Standaard").toInt(), -1);
    rs->MoveNext();
    EXPECT_EQ(rs->text("Agent_id"), "'; DROP TABLE tp_info; --");
    EXPECT_TRUE(rs->field("Rente").isNull());
    EXPECT_THROW(db->Prepare("INSERT INTO TabelBestaatNiet VALUES (?)")->Execute({1}), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(Engines, SqlConnectionTest, ::testing::Values("MSACC", "MSSQL"),
                         [](const auto& info) { return std::string(info.param); });

// A server that does not answer must be reported with the engine's message, not hang or crash.
TEST(SqlConnectionOpen, UnreachableServerThrowsWithItsMessage)
{
    DatabaseLocation location;
    location.provider = "MSSQL";
    location.server = "127.0.0.1:1";
    location.databaseName = "adviezen";
    try {
        SqlConnection connection(location);
        ADD_FAILURE() << "verbinding verwacht te mislukken";
    } catch (const RuntimeError& e) {
        EXPECT_FALSE(e.description().isEmpty());
    }
}
