// The text of 65,535 trains for a spreadsheet, both ways.

#include "samples.h"
#include "traintext.h"

#include <benchmark/benchmark.h>

static void BM_TrainTextWrite(benchmark::State& state)
{
    const CQLMDoc doc = Samples::Big();
    qsizetype size = 0;
    for (auto _ : state) {
        const QString text = TrainText::ToTabText(TrainText::TrainTable(doc, 1, 65535));
        size = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["chars"] = static_cast<double>(size);
}
BENCHMARK(BM_TrainTextWrite)->Unit(benchmark::kMillisecond);

static void BM_TrainTextHtml(benchmark::State& state)
{
    const CQLMDoc doc = Samples::Big();
    for (auto _ : state) {
        const QString html = TrainText::ToHtml(TrainText::TrainTable(doc, 1, 65535));
        benchmark::DoNotOptimize(html.constData());
    }
}
BENCHMARK(BM_TrainTextHtml)->Unit(benchmark::kMillisecond);

// Reading replaces the same trains, as a paste over them or an import into their file does.
static void BM_TrainTextRead(benchmark::State& state)
{
    const CQLMDoc doc = Samples::Big();
    const QString text = TrainText::ToTabText(TrainText::TrainTable(doc, 1, 65535));
    TrainText::ReadOptions options;
    options.replaced = doc.m_TrainInfo.Items();
    for (auto _ : state) {
        const TrainText::ReadResult result = TrainText::ReadTabText(text, doc, options);
        if (result.trains.size() != 65535)
            state.SkipWithError("the text did not read back");
    }
}
BENCHMARK(BM_TrainTextRead)->Unit(benchmark::kMillisecond);

static void BM_TrainCsvFileRead(benchmark::State& state)
{
    const CQLMDoc doc = Samples::Big();
    const QByteArray file = TrainText::ToCsvFile(TrainText::TrainTable(doc, 1, 65535));
    for (auto _ : state) {
        QString text;
        QList<TrainText::Record> records;
        TrainText::Problem problem;
        if (!TrainText::DecodeCsvFile(file, &text, &problem) ||
            !TrainText::SplitCsv(text, &records, &problem))
            state.SkipWithError("the file did not split");
        const TrainText::ReadResult result = TrainText::ReadTrains(records, doc);
        if (result.trains.size() != 65535)
            state.SkipWithError("the file did not read back");
    }
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_TrainCsvFileRead)->Unit(benchmark::kMillisecond);
