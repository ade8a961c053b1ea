// Painting one screenful of the grid must cost the same whatever the number of trains.
#include "fonts.h"
#include "samples.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

static void BM_PaintScreen(benchmark::State& state)
{
    CVeldenDoc doc;
    doc.ResetTimetable(Samples::Grid(static_cast<int>(state.range(0))));
    CVeldenView view(&doc);
    view.resize(800, 600);
    view.show();
    view.OnInitialUpdate();
    // The middle of the list, with a selection and a copy source in sight.
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    const int row = view.verticalScrollBar()->value() / 20 + 5;
    view.SelectCell(3, row);
    view.State().m_nCopySrcRow = row + 2;
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
// 10 trains fill part of the screen; from 30 on the screen is full and the cost must stay flat.
BENCHMARK(BM_PaintScreen)->Arg(10)->Arg(30)->Arg(1000)->Arg(65535)->Unit(benchmark::kMicrosecond);

// Opening a file at the format's limits and showing its first screen, as File Open does.
static void BM_OpenAndShow(benchmark::State& state)
{
    const QString path = QDir::temp().filePath(QStringLiteral("bench_gridview_big.qlm"));
    {
        CVeldenDoc source;
        source.OnNewDocument();
        source.ResetTimetable(Samples::Grid(65535));
        if (!source.OnSaveDocument(path)) {
            state.SkipWithError("cannot write the sample file");
            return;
        }
    }
    for (auto _ : state) {
        CVeldenDoc doc;
        doc.OnOpenDocument(path);
        CVeldenView view(&doc);
        view.resize(800, 600);
        view.show();
        view.OnInitialUpdate();
        QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    QFile::remove(path);
}
BENCHMARK(BM_OpenAndShow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Fonts::InstallSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
