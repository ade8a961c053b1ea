// Every check of the problems panel and qlmtool lint on a timetable at the format's limits:
// qlmgen's 65,535 trains, with 200 train types and 500 destinations.
// 0: the file as it is (its long guidance texts are too wide for their part on most trains,
//    so it gives tens of thousands of findings);
// 1: the worst case: besides, every train out of order and entered twice, every name too wide.

#include "benchboard.h"
#include "boardchecks.h"
#include "boardfont.h"
#include "qlmdoc.h"
#include "samples.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

CQLMDoc MaximumTimetable(bool worst)
{
    CQLMDoc doc = Samples::Big();
    doc.SetAssortmentCount(200);
    const int oldDestinations = doc.m_Destination.m_nSize;
    doc.SetDestinationCount(500);
    for (int i = oldDestinations + 1; i <= 500; ++i)
        doc.m_Destination.ElementAt(i) = doc.m_Destination.ElementAt(i - oldDestinations);
    int row = 0;
    for (tagTRAININFO& t : doc.m_TrainInfo.Items()) {
        ++row;
        t.wAssortment = static_cast<quint16>(1 + (t.wAssortment - 1) % 200);
        t.wDestination = static_cast<quint16>(1 + row % 500);
        if (worst) {
            t.wTime = static_cast<quint16>(1439 - row / 2 % 1440);
            t.strName += t.strName + QByteArray::number(row);
            t.strNameEn += " Express " + QByteArray::number(row);
        }
    }
    return doc;
}

const CBoardFont& Font()
{
    return BenchFont();
}

void BM_AllChecks(benchmark::State& state)
{
    const CQLMDoc doc = MaximumTimetable(state.range(0) != 0);
    const CBoardFont& font = Font();
    size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Board::Finding> found = Board::RunChecks(doc, &font);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["trains"] = doc.m_TrainInfo.m_nSize;
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_AllChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The messages of the findings, as qlmtool lint prints them all (the panel words only the rows
// in view).
void BM_FindingTexts(benchmark::State& state)
{
    const CQLMDoc doc = MaximumTimetable(false);
    const std::vector<Board::Finding> found = Board::RunChecks(doc, &Font());
    for (auto _ : state)
        for (const Board::Finding& f : found) {
            const QString text = Board::MessageText(f, Board::Language::English);
            benchmark::DoNotOptimize(text.constData());
        }
    state.counters["findings"] = static_cast<double>(found.size());
}
BENCHMARK(BM_FindingTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
