#include "app/PageSearch.h"
#include "app/ProgramLook.h"
#include "app/SettingsWindow.h"
#include "bench/support/CpuTime.h"
#include "framework/page/PageRegistry.h"
#include "framework/ui/ScriptedUi.h"
#include "host/ReferenceApplication.h"
#include "host/admin/PageInspector.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollArea>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using namespace tarvelo;

using bench::cpuSeconds;

// The demo office, made once: the window opens on it as a new user's does.
struct Office {
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<ReferenceApplication> app;

    Office()
    {
        app = std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
        app->setShowErrorsToUser(false);
    }
    const PageRegistry& registry() const { return std::as_const(*app).pageRegistry(); }
};

Office& office()
{
    static Office shared;
    return shared;
}

// Lets the window lay itself out and paint, as the first turns of the event
// loop after a change would.
void settle()
{
    for (int i = 0; i < 2; ++i)
        QCoreApplication::processEvents();
}

std::unique_ptr<SettingsWindow> openWindow()
{
    Office& o = office();
    auto window = std::make_unique<SettingsWindow>(o.registry(), *o.app);
    window->resize(SettingsWindow::defaultSize());
    window->show();
    return window;
}

// The pixels between the window's width and its page pane's.
int paneOffset(SettingsWindow& window)
{
    return window.width() - window.findChild<QScrollArea*>(u"scrPagina"_s)->viewport()->width();
}

// From nothing to the first page on screen: the window with the facts of every
// page it uses for the markers and the check before saving, the list, and the
// first page filled and drawn.
void BM_WindowStart(benchmark::State& state)
{
    for (auto _ : state) {
        const double start = cpuSeconds();
        std::unique_ptr<SettingsWindow> window = openWindow();
        if (!window->showStartPage(u"SetupProxy"_s))
            state.SkipWithError("the first page did not open");
        settle();
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// The first search in a window: it reads the texts of every page not opened yet.
void BM_FirstSearch(benchmark::State& state)
{
    for (auto _ : state) {
        PageSearch search(office().registry());
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(search.find(u"proxy"_s).size());
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// The parts of the start, each on its own.

void BM_StartPageFacts(benchmark::State& state)
{
    for (auto _ : state) {
        PageInspector inspector(*office().app, &office().registry());
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(inspector.pages().size());
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// The check of every page that saving runs, with the facts already learned.
void BM_CheckAllPages(benchmark::State& state)
{
    std::unique_ptr<SettingsWindow> window = openWindow();
    window->showStartPage(u"SetupProxy"_s);
    window->checkAllPages();
    for (auto _ : state) {
        const double start = cpuSeconds();
        benchmark::DoNotOptimize(window->checkAllPages().size());
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// The first switch to a page in a window: the page is made, attached, filled
// and drawn. A fresh window each time, so the page is always new.
void BM_FirstSwitch(benchmark::State& state, QString className)
{
    for (auto _ : state) {
        std::unique_ptr<SettingsWindow> window = openWindow();
        // From a small page of its own, so that only the switch is counted.
        window->showPage(className == u"SetupUpdates"_s ? u"SetupProxy"_s : u"SetupUpdates"_s);
        settle();
        const double start = cpuSeconds();
        if (!window->showPage(className))
            state.SkipWithError("the page did not open");
        settle();
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// A switch back to a page that is open already, round every page.
void BM_ReturnSwitch(benchmark::State& state)
{
    std::unique_ptr<SettingsWindow> window = openWindow();
    const std::vector<PageInfo>& pages = office().registry().pages();
    for (const PageInfo& info : pages)
        window->showPage(info.className);
    settle();
    std::size_t next = 0;
    for (auto _ : state) {
        const QString& className = pages[next++ % pages.size()].className;
        const double start = cpuSeconds();
        window->showPage(className);
        settle();
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// One page while the user widens and narrows the window: each step moves
// the pane's width by 50 pixels between 800 and 1400, and the page is asked
// to take the new width, lays itself out and is drawn.
void BM_Resize(benchmark::State& state, QString className)
{
    std::unique_ptr<SettingsWindow> window = openWindow();
    window->showStartPage(className);
    settle();
    const int offset = paneOffset(*window);
    int pane = 800;
    int step = 50;
    for (auto _ : state) {
        pane += step;
        if (pane > 1400 || pane < 800) {
            step = -step;
            pane += 2 * step;
        }
        const double start = cpuSeconds();
        window->resize(pane + offset, window->height());
        settle();
        state.SetIterationTime(cpuSeconds() - start);
    }
    if (paneOffset(*window) != offset)
        state.SkipWithError("the pane did not follow the window");
}

void registerBenchmarks()
{
    const auto aggregate = [](benchmark::internal::Benchmark* b, int iterations, int repetitions) {
        b->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true);
    };
    aggregate(benchmark::RegisterBenchmark("BM_WindowStart", BM_WindowStart), 1, 5);
    aggregate(benchmark::RegisterBenchmark("BM_FirstSearch", BM_FirstSearch), 1, 5);
    aggregate(benchmark::RegisterBenchmark("BM_StartPageFacts", BM_StartPageFacts), 1, 5);
    aggregate(benchmark::RegisterBenchmark("BM_CheckAllPages", BM_CheckAllPages), 3, 5);
    aggregate(benchmark::RegisterBenchmark("BM_ReturnSwitch", BM_ReturnSwitch), 44, 5);
    for (const PageInfo& info : office().registry().pages()) {
        const QString name = info.className;
        aggregate(benchmark::RegisterBenchmark(("BM_FirstSwitch/" + name).toStdString().c_str(), BM_FirstSwitch, name),
                  1, 3);
    }
    for (const PageInfo& info : office().registry().pages()) {
        const QString name = info.className;
        aggregate(benchmark::RegisterBenchmark(("BM_Resize/" + name).toStdString().c_str(), BM_Resize, name), 13, 3);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The window is drawn without a display, as the renderer draws it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    applyProgramLook();
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
