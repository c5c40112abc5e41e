#include "host/office/OfficeDatabase.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

DatabaseLocation serverOffice() { return {u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()}; }

} // namespace

// Statements sent together each run as if sent alone, in order: one that
// fails does not take the others with it, and each has its own values.
TEST(ReadAhead, StatementsSentTogetherAnswerEachOnTheirOwnOnBothEngines)
{
    QTemporaryDir dir;
    for (const DatabaseLocation& location :
         {DatabaseLocation{u"MSACC"_s, dir.filePath(u"kantoor.mdb"_s), QString(), QString()}, serverOffice()}) {
        SCOPED_TRACE(location.provider.toStdString());
        OfficeDatabase office(location);
        SqlConnection& connection = office.pageConnection();
        connection.Execute(u"CREATE TABLE Proef (Naam TEXT)"_s);
        std::vector<QSqlQuery> answers = connection.runTogether({
            {u"INSERT INTO Proef (Naam) VALUES (?)"_s, {u"één 'twee'"_s}},
            {u"SELECT Naam FROM Bestaatniet"_s, {}},
            {u"SELECT Naam, ? FROM Proef"_s, {u"erbij"_s}},
        });
        ASSERT_EQ(answers.size(), 3u);
        EXPECT_FALSE(answers[0].lastError().isValid());
        EXPECT_TRUE(answers[1].lastError().isValid());
        QSqlQuery read = std::move(answers[2]);
        ASSERT_TRUE(read.next()) << read.lastError().text().toStdString();
        EXPECT_EQ(read.value(0).toString(), u"één 'twee'"_s);
        EXPECT_EQ(read.value(1).toString(), u"erbij"_s);
    }
}

// An answer read ahead serves its statement once without asking the server
// again, and never after a write: what was read may have changed since.
TEST(ReadAhead, AnAnswerReadAheadServesOnceAndNotAfterAWrite)
{
    OfficeDatabase office(serverOffice());
    SqlConnection& connection = office.pageConnection();
    connection.Execute(u"CREATE TABLE Proef (Nummer INTEGER)"_s);
    connection.Execute(u"INSERT INTO Proef (Nummer) VALUES (1)"_s);
    const QString read = u"SELECT Nummer FROM Proef WHERE Nummer > ?"_s;
    const auto number = [&](QSqlQuery q) { return q.next() ? q.value(0).toInt() : -1; };

    office.readAhead({{read, {0}}, {read, {5}}});
    const qint64 sent = connection.statementCount();
    EXPECT_EQ(number(office.exec(read, {0})), 1);
    EXPECT_EQ(connection.statementCount(), sent) << "taken from what was read ahead";
    EXPECT_EQ(number(office.exec(read, {0})), 1);
    EXPECT_EQ(connection.statementCount(), sent + 1) << "an answer serves once";

    office.readAhead({{read, {0}}});
    office.exec(u"UPDATE Proef SET Nummer = 2"_s);
    EXPECT_EQ(number(office.exec(read, {0})), 2) << "read again after the write";
}
