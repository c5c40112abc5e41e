#include "framework/cipher/CipherText.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype TenMegabytes = 10 * 1024 * 1024;

// Dutch advice text with accents, the euro sign and typographic quotes, so the characters
// that differ between Windows-1252 and Latin-1 take part.
const QString& adviceText()
{
    static const QString text = [] {
        const QString line =
            QString::fromUtf8("Hypotheekadvies voor de heer en mevrouw Jans\xC3\xA9n: \xE2\x82\xAC 250.000,- "
                              "\xE2\x80\x9C"
                              "annu\xC3\xAF"
                              "teit\xE2\x80\x9D \xE2\x80\x94 rente 3,85% \xC2\xB7 "
                              "co\xC3\xB6rdinatie caf\xC3\xA9 \xC3\xA9\xC3\xA9n.\r\n");
        QString all = line.repeated(TenMegabytes / line.size() + 1);
        all.truncate(TenMegabytes);
        return all;
    }();
    return text;
}

void BM_CipherText(benchmark::State& state)
{
    const QString& text = adviceText();
    QString key = u"Wq52tmvbxekdrp%7"_s;
    for (auto _ : state) {
        QString scrambled = tarvelo::CipherText(text, key);
        benchmark::DoNotOptimize(scrambled.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_CipherText)->Unit(benchmark::kMillisecond);

// The floor: XOR over the same bytes, already converted, into a fresh copy.
void BM_PlainXor(benchmark::State& state)
{
    const QByteArray bytes = adviceText().toLatin1();
    const QByteArray key("Wq52tmvbxekdrp%7");
    for (auto _ : state) {
        QByteArray data = bytes;
        char* p = data.data();
        const char* k = key.constData();
        for (qsizetype i = 0, j = 0; i < data.size(); ++i) {
            p[i] ^= k[j];
            if (++j == key.size())
                j = 0;
        }
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_PlainXor)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
