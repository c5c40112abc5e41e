#include "bench/support/CpuTime.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/ListView.h"
#include "framework/page/PageAttach.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/office/CompanyCatalogue.h"
#include "host/office/OfficeDatabase.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using namespace tarvelo;

using bench::cpuSeconds;

constexpr int Companies = 1000;
constexpr int AgentNumbers = 20000;

// An office with 1,000 companies over the kinds (most of them lenders) and
// 20,000 agent numbers, 20 per company.
struct Office {
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<ReferenceApplication> app;

    Office()
    {
        app = std::make_unique<ReferenceApplication>(ui, dir.path());
        app->setShowErrorsToUser(false);
        OfficeDatabase& db = app->officeDatabase();
        const std::pair<const char*, int> kinds[] = {{"Tbl_Mij_Info", 1},
                                                     {"Tbl_Mij_Verzekering", 2},
                                                     {"Tbl_Mij_Vermogen", 3},
                                                     {"Tbl_Mij_Krediet", 5},
                                                     {"Tbl_Mij_Taxatie", 4}};
        const int share[] = {400, 250, 150, 100, 100};
        db.transaction([&] {
            int number = 0;
            for (std::size_t k = 0; k < std::size(kinds); ++k) {
                for (int i = 0; i < share[k]; ++i, ++number) {
                    const QString code = u"M%1"_s.arg(number, 4, 10, QLatin1Char('0'));
                    db.exec(u"INSERT INTO %1 (Cd_Mij, Om_NaamKort, Om_Naam, Nr_HDN) VALUES (?, ?, ?, ?)"_s.arg(
                                QLatin1String(kinds[k].first)),
                            {code, u"Maatschappij %1"_s.arg(number), u"Maatschappij %1 N.V."_s.arg(number),
                             QString::number(300000 + number)});
                    for (int p = 1; p <= 3; ++p)
                        db.exec(u"INSERT INTO Tbl_Mij_Product (Cd_Mij, Cd_SoortMij, Cd_Product, "
                                "Om_Product) VALUES (?, ?, ?, ?)"_s,
                                {code, kinds[k].second, u"P%1"_s.arg(p), u"Product %1"_s.arg(p)});
                    for (int a = 0; a < AgentNumbers / Companies; ++a)
                        db.exec(u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                                "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                                {QString::number(1000000 + number * 100 + a), code, 0.05 * a, a == 0 ? -1 : 0,
                                 kinds[k].second, u"Omschrijving %1"_s.arg(a), u"{%1-%2}"_s.arg(code).arg(a)});
                }
            }
        });
        db.catalogue().reload();
    }
};

Office& office()
{
    static Office shared;
    return shared;
}

// Opening the page: the catalogue is read once by the host, then the 400 lenders are listed with their settings.
void BM_MijOverzichtFill(benchmark::State& state)
{
    Office& o = office();
    for (auto _ : state) {
        o.app->officeDatabase().catalogue().reload();
        const double start = cpuSeconds();
        std::unique_ptr<SettingsPage> page = attachPage(o.app->pageRegistry(), u"MijOverzicht"_s, *o.app);
        state.SetIterationTime(cpuSeconds() - start);
        benchmark::DoNotOptimize(page.get());
    }
}

// Selecting a company row: its 20 agent numbers, its products and the receiver combo.
void BM_MijOverzichtSelect(benchmark::State& state)
{
    Office& o = office();
    std::unique_ptr<SettingsPage> page = attachPage(o.app->pageRegistry(), u"MijOverzicht"_s, *o.app);
    ListView& list = page->form().get<ListView>(u"lvwMaatschappij"_s);
    int row = 1;
    for (auto _ : state) {
        row = row % list.count() + 1;
        const double start = cpuSeconds();
        list.clickItem(row);
        state.SetIterationTime(cpuSeconds() - start);
    }
    // Every selection must have listed the company's own agent numbers.
    const ListView& agents = page->form().get<ListView>(u"lvwAgentnummers"_s);
    if (!o.app->errorReports().empty() || agents.count() != AgentNumbers / Companies ||
        agents.item(1).text().toInt() / 100 != 10000 + list.selectedItem()->key().mid(1).toInt())
        state.SkipWithError("the selection did not list the company's agent numbers");
}

// Choosing another kind: the 250 insurers with their settings.
void BM_MijOverzichtChooseKind(benchmark::State& state)
{
    Office& o = office();
    std::unique_ptr<SettingsPage> page = attachPage(o.app->pageRegistry(), u"MijOverzicht"_s, *o.app);
    ComboBox& kinds = page->form().get<ComboBox>(u"cboPartijen"_s);
    int index = 0;
    for (auto _ : state) {
        index = index == 0 ? 1 : 0;
        const double start = cpuSeconds();
        kinds.select(index);
        state.SetIterationTime(cpuSeconds() - start);
    }
}

BENCHMARK(BM_MijOverzichtFill)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_MijOverzichtSelect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_MijOverzichtChooseKind)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
