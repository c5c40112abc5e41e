#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeDatabase.h"
#include "tests/support/PageTest.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

struct AgentNummersTest : PageTest {
    OfficeDatabase& db() { return h.app().officeDatabase(); }
    void company(const char* table, const char* code, const char* name)
    {
        db().exec(u"INSERT INTO %1 (Cd_Mij, Om_NaamKort, Om_Naam) VALUES (?, ?, ?)"_s.arg(QLatin1String(table)),
                  {QString::fromLatin1(code), QString::fromUtf8(name), QString::fromUtf8(name)});
        db().catalogue().reload();
    }
    void agent(const char* code, int kind, const char* number, double rente, bool standard, const char* guid,
               const char* omschrijving = "")
    {
        db().exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                  "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                  {QString::fromUtf8(number), QString::fromLatin1(code), rente, standard ? -1 : 0, kind,
                   QString::fromUtf8(omschrijving), QString::fromLatin1(guid)});
    }
    QStringList stored()
    {
        QSqlQuery q = db().exec(u"SELECT Cd_Mij, Cd_SoortMij, Agent_Id, Rente, In_Default, Om_Omschrijving "
                                "FROM tp_info ORDER BY Cd_Mij, Cd_SoortMij, Agent_Id"_s);
        QStringList all;
        while (q.next())
            all << u"%1|%2|%3|%4|%5|%6"_s.arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                              QString::number(q.value(3).toDouble()), q.value(4).toString(),
                                              q.value(5).toString());
        return all;
    }
    ListView& companies() { return h.control<ListView>("lvwMaatschappijnaam"); }
    ListView& numbers() { return h.control<ListView>("lvwAgentnummers"); }
    CommandButton& button(const char* name) { return h.control<CommandButton>(name); }
};

} // namespace

// Companies with their number of agent numbers per kind; selecting one lists its numbers of that kind.
TEST_F(AgentNummersTest, CompaniesAndTheirNumbers)
{
    company("Tbl_Mij_Info", "G1", "Aurora Hypotheken");
    company("Tbl_Mij_Verzekering", "V1", "Anker Verzekeringen");
    agent("G1", 1, "1001", 0.1, true, "{A}");
    agent("G1", 1, "1002", 0, false, "{B}");
    agent("G1", 2, "9009", 0, true, "{C}");
    h.open("AgentNummers");
    EXPECT_EQ(companies().column(1).text, "Maatschappijnaam (aantal agentnummers)");
    ASSERT_EQ(companies().count(), 1);
    EXPECT_EQ(companies().item(1).text(), "Aurora Hypotheken (2)");
    EXPECT_FALSE(button("cmdOpslaan").enabled());
    companies().clickItem(1);
    EXPECT_EQ(h.control<Frame>("fraAgentnummers").caption(), "Aurora Hypotheken");
    ASSERT_EQ(numbers().count(), 2);
    EXPECT_EQ(numbers().item(1).text(), "1001");
    EXPECT_EQ(numbers().item(1).subItem(1), "0.1");
    h.control<OptionButton>("optSoortMaatschappij", 1).click();
    EXPECT_EQ(companies().item(1).text(), "Anker Verzekeringen (0)");
    EXPECT_EQ(numbers().count(), 0);
    EXPECT_TRUE(h.errors().empty());
}

// Storing replaces the company's numbers of this kind only, keeps description, default and key, and
// refuses a surcharge that is no number without storing anything.
TEST_F(AgentNummersTest, StoringKeepsOtherKindsAndRefusesBadInput)
{
    company("Tbl_Mij_Info", "G1", "Aurora Hypotheken");
    agent("G1", 1, "1001", 0.1, true, "{A}", "Hoofdkantoor");
    agent("G1", 2, "9009", 0, true, "{C}");
    h.open("AgentNummers");
    companies().clickItem(1);
    button("cmdNieuw").click();
    EXPECT_EQ(numbers().item(2).text(), "<<Nieuw nummer>>");
    h.control<TextBox>("txtAgentNummer").type(u"20'02"_s);
    h.control<TextBox>("txtRente").type(u"abc"_s);
    h.ui().answerMessage(MsgResult::OK);
    button("cmdOpslaan").click();
    EXPECT_EQ(h.ui().messages().back().text,
              "De rente op- of afslag van agentnummer 20'02 (regel 2) is geen getal.\r\n"
              "Voer a.u.b. een geldige rente op- of afslag in, bijvoorbeeld 0,25 of -0,1.");
    EXPECT_EQ(stored(), (QStringList{"G1|1|1001|0.1|-1|Hoofdkantoor", "G1|2|9009|0|-1|"}));

    h.control<TextBox>("txtRente").type(u"0,25"_s);
    button("cmdOpslaan").click();
    // The numbers written are ordinary ones of the kind shown, each with a new key; the description stays.
    EXPECT_EQ(stored(), (QStringList{"G1|1|1001|0.1|0|Hoofdkantoor", "G1|1|20'02|0.25|0|", "G1|2|9009|0|-1|"}));
    QSqlQuery keys = h.app().officeDatabase().exec(u"SELECT GUID FROM tp_info WHERE Cd_SoortMij = 1"_s);
    QStringList written;
    while (keys.next())
        written << keys.value(0).toString();
    ASSERT_EQ(written.size(), 2);
    EXPECT_FALSE(written.contains("{A}"));
    EXPECT_NE(written[0], written[1]);
    EXPECT_EQ(written[0].size(), 38);
    EXPECT_EQ(companies().item(1).text(), "Aurora Hypotheken (2)");
    EXPECT_EQ(numbers().count(), 0) << "the agent side is cleared after storing";

    companies().clickItem(1);
    numbers().clickItem(1);
    button("cmdVerwijderen").click();
    button("cmdOpslaan").click();
    EXPECT_EQ(stored(), (QStringList{"G1|1|20'02|0.25|0|", "G1|2|9009|0|-1|"}));
    EXPECT_TRUE(h.errors().empty());
}
