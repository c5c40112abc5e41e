#include "bench/support/CpuTime.h"
#include "framework/forms/Form.h"
#include "framework/forms/ListView.h"
#include "framework/listsort/ListSort.h"
#include "framework/listsort/SortKeys.h"
#include "framework/ui/ScriptedUi.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using namespace tarvelo;

using bench::cpuSeconds;

constexpr int Rows = 100000;

// One column of shown texts of the kind the list holds, in random order.
std::vector<QString> shownTexts(SortDataType type)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> cents(-5000000, 50000000);
    std::uniform_int_distribution<int> days(0, 365 * 40);
    std::uniform_int_distribution<int> seconds(0, 86399);
    std::uniform_int_distribution<int> letter(0, 25);
    std::vector<QString> texts;
    texts.reserve(Rows);
    for (int i = 0; i < Rows; ++i) {
        switch (type) {
        case SortDataType::Numbers: texts.push_back(dutch.toString(cents(random) / 100.0, 'f', 2)); break;
        case SortDataType::Dates:
            texts.push_back(QDate(1990, 1, 1).addDays(days(random)).toString("dd-MM-yyyy") + ' ' +
                            QTime(0, 0).addSecs(seconds(random)).toString("HH:mm:ss"));
            break;
        case SortDataType::Text: {
            QString name;
            for (int n = 0; n < 12; ++n)
                name += QChar(u'a' + letter(random));
            name[0] = name[0].toUpper();
            texts.push_back(name);
            break;
        }
        }
    }
    return texts;
}

QString keyOf(const QString& text, SortDataType type, const QLocale& locale)
{
    switch (type) {
    case SortDataType::Numbers: return NumberSortKey(text, locale);
    case SortDataType::Dates: return DateSortKey(text, locale);
    case SortDataType::Text: break;
    }
    return text;
}

void fill(ListView& list, const std::vector<QString>& texts)
{
    list.clear();
    list.clearColumns();
    list.addColumn("Naam", "Naam");
    list.addColumn("Waarde", "Waarde");
    list.addColumn("Extra", "Extra");
    for (int i = 0; i < Rows; ++i) {
        ListItem& item = list.addItem(u"Rij %1"_s.arg(i));
        item.setSubItem(1, texts[std::size_t(i)]);
        item.setSubItem(2, u"x"_s);
    }
}

// SortListView on column 1 against std::sort of the same sort keys, computed beforehand;
// the counters give both in CPU milliseconds and their ratio.
void BM_SortListView(benchmark::State& state, SortDataType type)
{
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const std::vector<QString> texts = shownTexts(type);
    std::vector<QString> keys;
    keys.reserve(texts.size());
    for (const QString& t : texts)
        keys.push_back(keyOf(t, type, QLocale()));

    ScriptedUi ui;
    Form form("frmBench");
    ListView& list = form.add<ListView>(form, u"lvwBench"_s);
    double listSeconds = 0;
    double stdSortSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fill(list, texts);
        ListSortState sortState;
        std::vector<QString> plain = keys;
        state.ResumeTiming();

        const double listStart = cpuSeconds();
        SortListView(sortState, list, ui, 1, type, SortSource::ShownText, false, ToggleOrder);
        const double listEnd = cpuSeconds();
        std::sort(plain.begin(), plain.end());
        const double sortEnd = cpuSeconds();

        benchmark::DoNotOptimize(plain.data());
        listSeconds += listEnd - listStart;
        stdSortSeconds += sortEnd - listEnd;
    }
    const double n = double(state.iterations());
    state.counters["sortlistview_ms"] = listSeconds / n * 1000.0;
    state.counters["std_sort_ms"] = stdSortSeconds / n * 1000.0;
    state.counters["ratio_to_std_sort"] = stdSortSeconds > 0 ? listSeconds / stdSortSeconds : 0;
    QLocale::setDefault(QLocale::c());
}

BENCHMARK_CAPTURE(BM_SortListView, Numbers, SortDataType::Numbers)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_SortListView, Dates, SortDataType::Dates)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_SortListView, Text, SortDataType::Text)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
