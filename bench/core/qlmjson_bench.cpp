// The JSON form of qlmgen's 65,535-train timetable, each direction as qlmtool convert does it
// (without the disk): timetable bytes to JSON text, and JSON text back to timetable bytes.

#include "qlmdoc.h"
#include "qlmjson.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

QByteArray BigFile()
{
    QFile file(QStringLiteral(QLMGEN_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", QLMGEN_FILE);
        std::abort();
    }
    return file.readAll();
}

void BM_QlmToJson(benchmark::State& state)
{
    const QByteArray bytes = BigFile();
    qsizetype size = 0;
    for (auto _ : state) {
        CQLMDoc doc;
        doc.LoadFile(bytes);
        doc.PackExtKeys();
        const QByteArray json = QlmJson::ToJsonText(doc);
        size = json.size();
        benchmark::DoNotOptimize(json.constData());
    }
    state.counters["json_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_QlmToJson)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JsonToQlm(benchmark::State& state)
{
    CQLMDoc source;
    source.LoadFile(BigFile());
    source.PackExtKeys();
    const QByteArray json = QlmJson::ToJsonText(source);
    QByteArray expected;
    source.SaveFile(&expected);
    for (auto _ : state) {
        CQLMDoc doc;
        QString error;
        QByteArray out;
        if (!QlmJson::FromJsonText(json, &doc, &error) || !doc.SaveFile(&out) || out != expected) {
            state.SkipWithError("the JSON did not give back the file");
            break;
        }
    }
}
BENCHMARK(BM_JsonToQlm)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
