// The agent-number exchange file: 100,000 agent numbers exported and imported
// through the company overview, next to a plain single-transaction SQLite
// insert of the same rows (prepared, into a fresh tp_info of the same
// definition) in the same run. The import reports its time as a multiple of
// that baseline and its peak resident growth against the file's size.
// AGENTNUMBERS_BENCH_N sets the number of agent numbers.
#include "bench/support/CpuTime.h"
#include "framework/forms/CommandButton.h"
#include "framework/page/PageAttach.h"
#include "framework/page/SettingsPage.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/office/OfficeDatabase.h"
#include "pages/companies/AgentNumberFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <malloc.h>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using namespace tarvelo;

using bench::cpuSeconds;

int rowCount()
{
    return qEnvironmentVariableIsSet("AGENTNUMBERS_BENCH_N") ? qEnvironmentVariableIntValue("AGENTNUMBERS_BENCH_N")
                                                             : 100000;
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char* name)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Sets the peak resident size back to the present one, so VmHWM then tells the peak of what follows.
bool resetPeakResident()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// The same rows for the office and for the baseline.
QVariantList row(int i)
{
    const QString code = u"M%1"_s.arg(i % 1000, 4, 10, QLatin1Char('0'));
    return {QString::number(1000000 + i),
            code,
            0.05 * (i % 20),
            i % 100 == 0 ? -1 : 0,
            1 + i % 5,
            u"Vestiging %1"_s.arg(i % 20),
            u"{%1}"_s.arg(u"00000000-0000-0000-0000-%1"_s.arg(i, 12, 10, QLatin1Char('0')))};
}

const QString Insert = u"INSERT INTO tp_info (Agent_Id, Cd_Mij, Rente, In_Default, Cd_SoortMij, "
                       "Om_Omschrijving, GUID) VALUES (?, ?, ?, ?, ?, ?, ?)"_s;

// An office with n agent numbers and the company overview open on it.
struct Office {
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<ReferenceApplication> app;
    std::unique_ptr<SettingsPage> page;
    int n = rowCount();

    Office()
    {
        app = std::make_unique<ReferenceApplication>(ui, dir.path());
        app->setShowErrorsToUser(false);
        OfficeDatabase& db = app->officeDatabase();
        db.transaction([&] {
            db.exec(u"DELETE FROM tp_info"_s);
            for (int i = 0; i < n; ++i)
                db.exec(Insert, row(i));
        });
        QDir().mkpath(app->ExchangeFolder());
        page = attachPage(app->pageRegistry(), u"MijOverzicht"_s, *app);
    }
    QString file() const { return QDir(app->ExchangeFolder()).filePath(u"AgentNrs.txt"_s); }
    void click(const char* button) { page->form().get<CommandButton>(QString::fromLatin1(button)).click(); }
    int count()
    {
        QSqlQuery q = app->officeDatabase().exec(u"SELECT COUNT(*) FROM tp_info"_s);
        return q.next() ? q.value(0).toInt() : -1;
    }
    bool failed() const { return !app->errorReports().empty(); }
};

Office& office()
{
    static Office shared;
    return shared;
}

double baselineSeconds = 0;
int baselineRuns = 0;

// The baseline: a fresh tp_info made by the office's own definition in a new
// SQLite file, and the same rows inserted by one prepared QSqlQuery in one transaction.
void BM_BaselineSqliteInsert(benchmark::State& state)
{
    Office& o = office();
    QStringList definition;
    {
        QSqlQuery q = o.app->officeDatabase().exec(
            u"SELECT sql FROM sqlite_master WHERE tbl_name = 'tp_info' AND sql IS NOT NULL ORDER BY type DESC"_s);
        while (q.next())
            definition << q.value(0).toString();
    }
    std::vector<QVariantList> rows;
    rows.reserve(std::size_t(o.n));
    for (int i = 0; i < o.n; ++i)
        rows.push_back(row(i));
    const QString name = u"basislijn"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(o.dir.filePath(u"basislijn.db"_s));
        if (!db.open())
            state.SkipWithError("the baseline database does not open");
        for (auto _ : state) {
            QSqlQuery(db).exec(u"DROP TABLE IF EXISTS tp_info"_s);
            for (const QString& sql : definition)
                QSqlQuery(db).exec(sql);
            const double start = cpuSeconds();
            db.transaction();
            QSqlQuery insert(db);
            insert.prepare(Insert);
            for (const QVariantList& values : rows) {
                for (int c = 0; c < values.size(); ++c)
                    insert.bindValue(c, values[c]);
                if (!insert.exec())
                    state.SkipWithError(qPrintable(insert.lastError().text()));
            }
            db.commit();
            const double seconds = cpuSeconds() - start;
            state.SetIterationTime(seconds);
            baselineSeconds += seconds;
            ++baselineRuns;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    state.counters["rijen_per_s"] = double(o.n) * double(baselineRuns) / baselineSeconds;
}

// Export through the page: every row of tp_info to AgentNrs.txt.
void BM_Export(benchmark::State& state)
{
    Office& o = office();
    double total = 0;
    for (auto _ : state) {
        o.ui.answerMessage(MsgResult::OK);
        const double start = cpuSeconds();
        o.click("cmdAgentnummerExport");
        const double seconds = cpuSeconds() - start;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    if (o.failed() || !o.ui.messages().back().caption.contains(QString::number(o.n)))
        state.SkipWithError("the export did not write every agent number");
    state.counters["rijen_per_s"] = double(o.n) * double(state.iterations()) / total;
    state.counters["bestand_MB"] = double(QFileInfo(o.file()).size()) / 1e6;
}

// Import through the page, answering the folder and the question; its peak
// resident growth over what was resident when it started.
void BM_Import(benchmark::State& state)
{
    Office& o = office();
    if (!QFileInfo::exists(o.file())) {
        o.ui.answerMessage(MsgResult::OK);
        o.click("cmdAgentnummerExport");
    }
    const double fileMb = double(QFileInfo(o.file()).size()) / 1e6;
    double total = 0, peakGrowthMb = 0;
    for (auto _ : state) {
        o.ui.chooseFolderNext(o.app->ExchangeFolder());
        o.ui.answerMessage(MsgResult::Yes);
        o.ui.answerMessage(MsgResult::OK);
        malloc_trim(0); // what earlier runs freed is no longer resident
        const bool peakKnown = resetPeakResident();
        const long before = statusKb("VmRSS");
        const double start = cpuSeconds();
        o.click("cmdAgentnummerImport");
        const double seconds = cpuSeconds() - start;
        const long peak = statusKb("VmHWM");
        state.SetIterationTime(seconds);
        total += seconds;
        if (peakKnown && before > 0 && peak > 0)
            peakGrowthMb = std::max(peakGrowthMb, double(peak - before) / 1024.0);
    }
    if (o.failed() || o.count() != o.n || o.ui.messages().back().text != u"De agentnummers zijn geïmporteerd."_s)
        state.SkipWithError("the import did not store every agent number");
    const double mean = total / double(state.iterations());
    state.counters["rijen_per_s"] = double(o.n) / mean;
    if (baselineRuns > 0)
        state.counters["x_basislijn"] = mean / (baselineSeconds / baselineRuns);
    state.counters["piekgroei_MB"] = peakGrowthMb;
    state.counters["bestand_MB"] = fileMb;
}

// Reading the exported file alone, without storing: the check, and the check with the second pass.
void BM_ReadFile(benchmark::State& state)
{
    Office& o = office();
    if (!QFileInfo::exists(o.file())) {
        o.ui.answerMessage(MsgResult::OK);
        o.click("cmdAgentnummerExport");
    }
    for (auto _ : state) {
        const double start = cpuSeconds();
        AgentNumberFile file(o.file());
        if (!file.open() || file.check() != AgentNumberFile::Status::Ok || file.entryCount() != o.n)
            state.SkipWithError("the file does not read");
        if (state.range(0) == 2 &&
            file.read([](const AgentNumberEntry& e) { benchmark::DoNotOptimize(&e); }) != AgentNumberFile::Status::Ok)
            state.SkipWithError("the second pass does not read");
        state.SetIterationTime(cpuSeconds() - start);
    }
}

BENCHMARK(BM_BaselineSqliteInsert)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Export)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadFile)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Import)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
