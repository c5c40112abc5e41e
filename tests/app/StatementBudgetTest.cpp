#include "app/SettingsWindow.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "host/database/SqlConnection.h"
#include "host/office/OfficeDatabase.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/LargeOffice.h"
#include "tests/support/PageTest.h"
#include "tests/support/TestPostgres.h"

#include <QTemporaryDir>
#include <iostream>
#include <map>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// The statements each user action costs, counted by the engine itself.
struct Costs {
    qint64 start = 0;
    std::map<QString, qint64> pages;
    // What each costly action ran, to tell what to join.
    std::map<QString, QStringList> ran;
    qint64 selectCompany = 0;
    qint64 save = 0;
};

// On the file every statement SQLite ran, the driver's own too; on the server
// every statement sent, each a round trip.
Costs measure(int extraLenders, bool onServer)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi ui;
    std::optional<DatabaseLocation> server;
    if (onServer)
        server = DatabaseLocation{u"MSSQL"_s, QString(), testPostgresServer(), createTestDatabase()};
    {
        ReferenceApplication seed(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, server);
        addLenders(seed.officeDatabase(), extraLenders);
    }
    Costs costs;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo, server);
    host.setSysteemDatum(QDate(2026, 12, 7));
    SqlConnection& connection = host.officeDatabase().pageConnection();
    const auto count = [&] { return connection.statementCount(); };
    SettingsWindow window(std::as_const(host).pageRegistry(), host);
    window.show();
    window.showStartPage();
    costs.start = count();
    costs.ran[u"start"_s] = connection.loggedStatements();
    connection.logStatements(true);
    for (const PageInfo& info : std::as_const(host).pageRegistry().pages()) {
        runEvents();
        const qint64 before = count();
        connection.logStatements(true);
        window.showPage(info.className);
        costs.pages[info.className] = count() - before;
        costs.ran[info.className] = connection.loggedStatements();
    }
    window.showPage(u"MijOverzicht"_s);
    auto& companies = window.currentPage()->form().get<ListView>(u"lvwMaatschappij"_s);
    runEvents();
    qint64 before = count();
    connection.logStatements(true);
    companies.clickItem(companies.count() / 2);
    costs.selectCompany = count() - before;
    costs.ran[u"bedrijf"_s] = connection.loggedStatements();

    window.showPage(u"SetupProxy"_s);
    window.currentPage()->form().get<CheckBox>(u"chkProxy"_s).click();
    runEvents();
    before = count();
    connection.logStatements(true);
    window.save();
    costs.save = count() - before;
    costs.ran[u"opslaan"_s] = connection.loggedStatements();
    return costs;
}

void print(const char* what, const Costs& c)
{
    std::cout << what << ": start " << c.start << ", bedrijf kiezen " << c.selectCompany << ", opslaan " << c.save
              << "\n";
    for (const auto& [page, n] : c.pages)
        if (n > 0)
            std::cout << "  " << page.toStdString() << " " << n << "\n";
    if (qEnvironmentVariableIsSet("TARVELO_STATEMENTS")) {
        for (const auto& [what, statements] : c.ran) {
            std::cout << "== " << what.toStdString() << "\n";
            for (const QString& statement : statements)
                std::cout << "   " << statement.simplified().left(160).toStdString() << "\n";
        }
    }
}

} // namespace

// A page or action whose statements grow with the office's data (one per company or per row)
// costs seconds over a network; each costs a fixed handful, the same for a small and a large office.
class StatementBudget : public ::testing::TestWithParam<const char*> {};

TEST_P(StatementBudget, EveryActionCostsAFewStatementsWhateverTheOfficesSize)
{
    const bool onServer = QByteArray(GetParam()) == "MSSQL";
    const Costs small = measure(10, onServer);
    const Costs large = measure(1000, onServer);
    print("10", small);
    print("1000", large);
    // Opening the office (its check, tables and columns, version, watching, adviser,
    // both settings records) and the window with its first page.
    EXPECT_LE(large.start, 15);
    EXPECT_EQ(large.start, small.start);
    for (const auto& [page, n] : large.pages) {
        EXPECT_LE(n, 5) << str(page);
        EXPECT_EQ(n, small.pages.at(page)) << str(page);
    }
    EXPECT_LE(large.selectCompany, 5);
    EXPECT_EQ(large.selectCompany, small.selectCompany);
    // Two settings records written with their history in one transaction (on the server
    // one batch over the records as seen, on the file each locked and read first), after
    // the question's look at both and the pages' checks.
    EXPECT_LE(large.save, 14);
    EXPECT_EQ(large.save, small.save);
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementBudget, ::testing::Values("MSACC", "MSSQL"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return QByteArray(info.param) == "MSSQL" ? std::string("Server") : std::string("Bestand");
                         });
