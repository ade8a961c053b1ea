// Trains to and from spreadsheets through the clipboard at the format's limit: the commands
// copy and paste 65,535 trains each as the user runs them (the paste as one undo step).
#include "samples.h"
#include "tablecommands.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QClipboard>

#include <benchmark/benchmark.h>

namespace {

struct Window
{
    CVeldenDoc doc;
    CVeldenView* view;

    explicit Window(CQLMDoc timetable)
    {
        doc.ResetTimetable(std::move(timetable));
        view = new CVeldenView(&doc);
        view->resize(800, 600);
        view->OnInitialUpdate();
    }
    ~Window() { delete view; }
};

// All rows, as Shift+Ctrl+End would select them.
void SelectAll(CVeldenView& view, int trains)
{
    view.SelectCell(1, 1);
    view.ExtendRange(1, trains);
}

} // namespace

static void BM_CopyTable(benchmark::State& state)
{
    Window w(Samples::Big());
    SelectAll(*w.view, 65535);
    for (auto _ : state)
        OnEditCopyTable(*w.view);
    state.counters["chars"] = static_cast<double>(QApplication::clipboard()->text().size());
}
BENCHMARK(BM_CopyTable)->Unit(benchmark::kMillisecond);

// Arg 0: text from a spreadsheet; 1: the text this program copied (read with its trains).
static void BM_PasteTable(benchmark::State& state)
{
    const bool own = state.range(0) == 1;
    CQLMDoc empty = Samples::Big(0);
    {
        Window source(Samples::Big());
        SelectAll(*source.view, 65535);
        OnEditCopyTable(*source.view);
    }
    if (!own) // a blank line more: the same trains, but not the text copied here
        QApplication::clipboard()->setText(QApplication::clipboard()->text() + "\r\n");
    Window w(empty);
    for (auto _ : state) {
        OnEditPasteTable(*w.view);
        state.PauseTiming();
        if (w.doc.Timetable().m_wTrainCount != 65535)
            state.SkipWithError("the paste did not insert every train");
        w.doc.Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
