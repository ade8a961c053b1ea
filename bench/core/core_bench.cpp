#include "samples.h"

#include <benchmark/benchmark.h>

static void BM_LoadFile(benchmark::State& state)
{
    CQLMDoc big = Samples::Big();
    QByteArray bytes;
    big.SaveFile(&bytes);
    for (auto _ : state) {
        CQLMDoc doc;
        benchmark::DoNotOptimize(doc.LoadFile(bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

static void BM_SaveFile(benchmark::State& state)
{
    CQLMDoc doc = Samples::Big();
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(doc.SaveFile(&out));
        size = out.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
