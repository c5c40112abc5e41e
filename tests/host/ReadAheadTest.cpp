#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/database/ServerStatement.h"
#include "host/office/CompanyCatalogue.h"
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

// A transaction sent together is stored whole or not at all: a statement the
// server refuses rolls back those before it, and one with a value the server
// cannot take (a NUL in a text) keeps the whole batch from being sent.
TEST(ReadAhead, ATransactionSentTogetherIsStoredWholeOrNotAtAll)
{
    OfficeDatabase office(serverOffice());
    SqlConnection& connection = office.pageConnection();
    connection.Execute(u"CREATE TABLE Proef (Naam TEXT)"_s);
    const auto stored = [&] {
        QSqlQuery q = office.exec(u"SELECT COUNT(*) FROM Proef"_s);
        return q.next() ? q.value(0).toInt() : -1;
    };
    const auto insert = [](const QString& name) {
        return std::pair{u"INSERT INTO Proef (Naam) VALUES (?)"_s, QVariantList{name}};
    };
    const std::pair<QString, QVariantList> begin{u"BEGIN"_s, {}}, commit{u"COMMIT"_s, {}};

    std::vector<QSqlQuery> answers = connection.runTogether(
        {begin, insert(u"een"_s), {u"SELECT Naam FROM Bestaatniet"_s, {}}, insert(u"twee"_s), commit});
    EXPECT_TRUE(answers[2].lastError().isValid());
    EXPECT_TRUE(answers[3].lastError().isValid()) << "the rest of the transaction is refused";
    EXPECT_EQ(stored(), 0);

    answers = connection.runTogether({begin, insert(u"een"_s), insert(u"t\u0000wee"_s), commit});
    EXPECT_TRUE(answers[2].lastError().isValid());
    EXPECT_EQ(answers[2].lastError().nativeErrorCode(), NulInValueCode);
    EXPECT_EQ(stored(), 0) << "the first insert went without the second";

    answers = connection.runTogether({begin, insert(u"een"_s), insert(u"twee"_s), commit});
    EXPECT_FALSE(answers[3].lastError().isValid());
    EXPECT_EQ(stored(), 2);
    EXPECT_FALSE(connection.inTransaction());
}

// On the server the company lists come with the office's data per company in
// one round trip: the company overview asks for both, and the agent-number
// counts are answered from what was read with the lists.
TEST(ReadAhead, TheCompanyListsComeWithTheOfficesDataPerCompany)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, serverOffice());
    OfficeDatabase& office = host.officeDatabase();
    SqlConnection& connection = office.pageConnection();
    office.catalogue().reload();
    connection.logStatements(true);
    const Maatschappij* first = office.catalogue().maatschappij(SoortMij::Geldverstrekker, 1);
    ASSERT_NE(first, nullptr);
    const qint64 read = connection.statementCount();
    const qint32 numbers = office.catalogue().AantalAgentnummers(first->Cd_Mij, SoortMij::Geldverstrekker);
    EXPECT_EQ(connection.statementCount(), read) << connection.loggedStatements().join(u'\n').toStdString();
    QSqlQuery counted = office.exec(u"SELECT COUNT(*) FROM tp_info WHERE Cd_Mij = ? AND Cd_SoortMij = ?"_s,
                                    {first->Cd_Mij, SoortMij::Geldverstrekker});
    ASSERT_TRUE(counted.next());
    EXPECT_EQ(numbers, counted.value(0).toInt());
}

// On the server the adviser register comes with the advisers' own data and
// rights in one round trip: the adviser page shows all of them.
TEST(ReadAhead, TheAdviserRegisterComesWithTheAdvisersDataAndRights)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, serverOffice());
    OfficeDatabase& office = host.officeDatabase();
    SqlConnection& connection = office.pageConnection();
    // A write: whatever was read before is read again.
    office.exec(u"UPDATE Kantoor SET Naam = Naam"_s);
    connection.logStatements(true);
    EXPECT_TRUE(host.AdviseursRegister().contains(u"<gebruiker>"_s));
    const qint64 read = connection.statementCount();
    const bool administrator = host.HeeftRecht(2);
    EXPECT_EQ(connection.statementCount(), read) << connection.loggedStatements().join(u'\n').toStdString();
    QSqlQuery role = office.exec(u"SELECT Rol FROM Autorisatie WHERE Code = ?"_s, {host.currentAdviser().code});
    EXPECT_EQ(administrator, role.next() && role.value(0).toInt() == 1);
}
