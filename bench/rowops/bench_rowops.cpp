// Row operations on a full-size timetable must answer at once.
#include "qlmdoc.h"
#include "rowlogic.h"

#include <benchmark/benchmark.h>

namespace {

CQLMDoc MakeDoc(int trains)
{
    CQLMDoc doc;
    doc.SetTrainCount(static_cast<quint16>(trains));
    for (int i = 1; i <= trains; ++i) {
        auto& t = doc.m_TrainInfo.ElementAt(i);
        t.wTrainNo = static_cast<quint16>(i);
        t.wTime = static_cast<quint16>(i % 1440);
        t.strName = "\x8b\x7d\x8d\x73"; // two double-byte characters, like a real name
        t.strNameEn = "Express";
    }
    return doc;
}

// Insert 255 blank trains in the middle of 65,280 trains (the result is the 65,535 limit).
void BM_Insert255InMiddle(benchmark::State& st)
{
    const CQLMDoc base = MakeDoc(65535 - 255);
    for (auto _ : st) {
        st.PauseTiming();
        CQLMDoc doc = base;
        GridState state;
        state.m_nCurColumn = 1;
        state.m_nCurRow = doc.m_wTrainCount / 2;
        st.ResumeTiming();
        benchmark::DoNotOptimize(InsertTrains(doc, state, true, 255, std::nullopt));
    }
}
BENCHMARK(BM_Insert255InMiddle)->Unit(benchmark::kMicrosecond);

// Delete 1,000 trains from the middle of 65,535.
void BM_Delete1000(benchmark::State& st)
{
    const CQLMDoc base = MakeDoc(65535);
    for (auto _ : st) {
        st.PauseTiming();
        CQLMDoc doc = base;
        GridState state;
        state.m_nCurColumn = 1;
        state.m_nCurRow = 30000;
        st.ResumeTiming();
        benchmark::DoNotOptimize(DeleteTrains(doc, state, DeleteDirection::DownFromCurrent, 1000));
    }
}
BENCHMARK(BM_Delete1000)->Unit(benchmark::kMicrosecond);

// A pattern of 50 rows repeated 200 times (10,000 new rows) in the middle of 55,000 trains.
void BM_Pattern50x200(benchmark::State& st)
{
    const CQLMDoc base = MakeDoc(55000);
    for (auto _ : st) {
        st.PauseTiming();
        CQLMDoc doc = base;
        GridState state;
        st.ResumeTiming();
        benchmark::DoNotOptimize(BuildPattern(doc, state, 20000, 50, 15, 200));
    }
}
BENCHMARK(BM_Pattern50x200)->Unit(benchmark::kMicrosecond);

// Replace over 65,535 trains.
void BM_ReplaceAll(benchmark::State& st)
{
    CQLMDoc doc = MakeDoc(65535);
    int target = 1;
    for (auto _ : st) {
        target = 3 - target;
        benchmark::DoNotOptimize(ReplaceTypes(doc, {0, 1, 2}, target));
    }
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
