// Row operations on a full-size timetable must answer at once, as one undo step each, and a
// long undo history of them must stay small.
#include "qlmdoc.h"
#include "rowlogic.h"
#include "samples.h"
#include "timetablecommand.h"
#include "veldendoc.h"

#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

CQLMDoc MakeDoc(int trains)
{
    // Every train its own texts, as in a real timetable (no sharing between trains).
    return Samples::Timetable().EachTrain(trains, [](int i, tagTRAININFO& t) {
        t.wTrainNo = static_cast<quint16>(i);
        t.wTime = static_cast<quint16>(i % 1440);
        t.strName = QByteArray("\x8b\x7d\x8d\x73") + QByteArray::number(i);
        t.strNameEn = "Express " + QByteArray::number(i);
    });
}

// Runs an operation as the row commands do (rule, then one undo step), timing the whole step;
// each step is taken back untimed so that every iteration starts alike.
template <typename Build> void TimeStep(benchmark::State& st, int trains, Build build)
{
    CVeldenDoc doc;
    doc.ResetTimetable(MakeDoc(trains));
    for (auto _ : st) {
        TimetableEdit edit;
        build(doc.Timetable(), &edit);
        doc.Apply(std::move(edit), QStringLiteral("step"));
        st.PauseTiming();
        doc.Undo();
        st.ResumeTiming();
    }
}

// Insert 255 blank trains in the middle of 65,280 trains (the result is the 65,535 limit).
void BM_Insert255InMiddle(benchmark::State& st)
{
    TimeStep(st, 65535 - 255, [](const CQLMDoc& doc, TimetableEdit* edit) {
        InsertTrains(doc, doc.m_wTrainCount / 2, true, 255, std::nullopt, edit);
    });
}
BENCHMARK(BM_Insert255InMiddle)->Unit(benchmark::kMicrosecond);

// Delete 1,000 trains from the middle of 65,535.
void BM_Delete1000(benchmark::State& st)
{
    TimeStep(st, 65535, [](const CQLMDoc& doc, TimetableEdit* edit) {
        DeleteTrains(doc, 30000, DeleteDirection::DownFromCurrent, 1000, edit);
    });
}
BENCHMARK(BM_Delete1000)->Unit(benchmark::kMicrosecond);

// A pattern of 50 rows repeated 200 times (10,000 new rows) in the middle of 55,000 trains.
void BM_Pattern50x200(benchmark::State& st)
{
    TimeStep(st, 55000, [](const CQLMDoc& doc, TimetableEdit* edit) {
        BuildPattern(doc, 20000, 50, 15, 200, edit);
    });
}
BENCHMARK(BM_Pattern50x200)->Unit(benchmark::kMicrosecond);

// Replace over 65,535 trains, every one of which changes.
void BM_ReplaceAll(benchmark::State& st)
{
    TimeStep(st, 65535, [](const CQLMDoc& doc, TimetableEdit* edit) {
        ReplaceTypes(doc, {0, 1, 2}, 3, edit);
    });
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMicrosecond);

// Undo and redo of deleting half the trains.
void BM_UndoRedoDeleteHalf(benchmark::State& st)
{
    CVeldenDoc doc;
    doc.ResetTimetable(MakeDoc(65535));
    TimetableEdit edit;
    DeleteTrains(doc.Timetable(), 1, DeleteDirection::DownFromCurrent, 32768, &edit);
    doc.Apply(std::move(edit), QStringLiteral("delete"));
    for (auto _ : st) {
        doc.Undo();
        doc.Redo();
    }
}
BENCHMARK(BM_UndoRedoDeleteHalf)->Unit(benchmark::kMicrosecond);

// 100 row operations at 65,535 trains kept in the history: the bytes the steps hold beside the
// timetable, against the timetable's own size (its file).
void BM_History100RowOperations(benchmark::State& st)
{
    for (auto _ : st) {
        CVeldenDoc doc;
        doc.ResetTimetable(MakeDoc(65535 - 255));
        for (int i = 0; i < 100; ++i) {
            TimetableEdit edit;
            const CQLMDoc& t = doc.Timetable();
            switch (i % 4) {
            case 0:
                InsertTrains(t, 1 + i * 100, true, 255, 1, &edit);
                break;
            case 1:
                DeleteTrains(t, 1 + i * 100, DeleteDirection::DownFromCurrent, 255, &edit);
                break;
            case 2:
                ReplaceTypes(t, {0, 1}, i % 3 + 1, &edit);
                break;
            case 3:
                edit.MoveTrain(1 + i, 60000 - i);
                break;
            }
            doc.Apply(std::move(edit), QStringLiteral("step"));
        }
        qint64 held = 0;
        const QUndoStack* stack = doc.UndoStack();
        for (int i = 0; i < stack->count(); ++i)
            held += static_cast<const CTimetableCommand*>(stack->command(i))->HeldBytes();
        QByteArray file;
        doc.Timetable().SaveFile(&file);
        st.counters["held_MB"] = double(held) / 1e6;
        st.counters["file_MB"] = double(file.size()) / 1e6;
        st.counters["memory_MB"] =
            double(qint64(doc.Timetable().m_TrainInfo.m_nSize) * qint64(sizeof(tagTRAININFO)) +
                   file.size()) /
            1e6;
    }
}
BENCHMARK(BM_History100RowOperations)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
