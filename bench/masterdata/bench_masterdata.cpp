// Removing a train type or a destination from a full timetable renumbers every train after it;
// the whole list run, from copying the lists to the applied undo step, must stay well under a
// frame.
#include "masterlists.h"
#include "masterlogic.h"
#include "samples.h"
#include "veldendoc.h"

#include <benchmark/benchmark.h>

namespace {

// The big timetable with type 2 and destination 2 left unused, so that they may go and nearly
// every train is renumbered.
CQLMDoc MakeDoc()
{
    CQLMDoc doc = Samples::Big();
    for (tagTRAININFO& t : doc.m_TrainInfo.Items()) {
        if (t.wAssortment == 2)
            t.wAssortment = 1;
        if (t.wDestination == 2)
            t.wDestination = 1;
    }
    return doc;
}

// A list run that removes entry 2, as the command runs it: copies of the lists, the refusal
// checks, the removal, and one undo step applied to the document. Taken back untimed.
void BM_RemoveInListRun(benchmark::State& st)
{
    const bool destination = st.range(0) != 0;
    CVeldenDoc doc;
    doc.ResetTimetable(MakeDoc());
    for (auto _ : st) {
        MasterSession session(doc.Timetable());
        if (destination) {
            if (session.CheckRemoveDestination(2) != MasterSession::Removal::Allowed)
                st.SkipWithError("destination 2 in use");
            session.RemoveDestination(2);
        } else {
            if (session.CheckRemoveType(2) != MasterSession::Removal::Allowed)
                st.SkipWithError("type 2 in use");
            session.RemoveType(2);
        }
        doc.Apply(session.ToEdit(doc.Timetable()), QStringLiteral("step"));
        st.PauseTiming();
        doc.Undo();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveInListRun)
    ->ArgName("destination")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The core's removal on the timetable itself.
void BM_RemoveTrainTypeCore(benchmark::State& st)
{
    const CQLMDoc original = MakeDoc();
    CQLMDoc doc;
    for (auto _ : st) {
        // The copy, and the release of the last one, untimed.
        st.PauseTiming();
        doc = original;
        st.ResumeTiming();
        MasterLists::RemoveTrainType(doc, 2);
        benchmark::DoNotOptimize(doc.m_TrainInfo.Items().data());
    }
}
BENCHMARK(BM_RemoveTrainTypeCore)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
