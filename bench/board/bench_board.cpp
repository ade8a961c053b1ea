// The board at qlmgen's 65,535 trains (date change 02:00, display start 04:30).
// One frame: choose the trains, lay out the parts and draw the dots, then put them into an
// image, as qlmtool render does (one pixel a dot) and as the preview does (round LEDs at a
// typical window size). Scrubbing: a frame at every minute of the service day, the slowest one
// reported.

#include "benchboard.h"
#include "boardfont.h"
#include "boardpicture.h"
#include "boardrender.h"
#include "qlmdoc.h"
#include "samples.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

const CQLMDoc& BigTimetable()
{
    static const CQLMDoc doc = Samples::Big();
    return doc;
}

const CBoardFont& Font()
{
    return BenchFont();
}

// Reading Unifont's Japanese glyphs, as every qlmtool render and the first preview do.
void BM_FontLoad(benchmark::State& state)
{
    for (auto _ : state) {
        CBoardFont font;
        if (!font.Load(CBoardFont::DefaultPath()))
            std::abort();
        benchmark::DoNotOptimize(font.GlyphCount());
    }
}
BENCHMARK(BM_FontLoad)->Unit(benchmark::kMillisecond);

// A preview docked below the grid of a 1280-pixel-wide window.
const QSize kPreviewSize(1260, 230);

// The same timetable with the service day starting at midnight: at 23:59 the only train left
// is the file's last, so the whole list is searched.
const CQLMDoc& MidnightTimetable()
{
    static const CQLMDoc doc = [] {
        CQLMDoc d = BigTimetable();
        d.m_wDateChangeTime = 0;
        d.m_wDisplayStartTime = 0;
        return d;
    }();
    return doc;
}

// Arguments: the time of day, and 1 for the timetable whose service day starts at midnight.
// qlmgen lists its trains by clock time, so with its date change at 02:00 the trains before
// 02:00 stand first in the file and are found at once at most times.
void BM_Frame(benchmark::State& state)
{
    const CQLMDoc& doc = state.range(1) ? MidnightTimetable() : BigTimetable();
    const CBoardFont& font = Font();
    const Board::BoardRequest request{static_cast<int>(state.range(0)), Board::Display::Main, 4, 0};
    for (auto _ : state) {
        const QImage image = Board::BoardPicture(Board::RenderBoard(doc, font, request), 1);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Frame)
    ->Args({4 * 60 + 30, 0})
    ->Args({12 * 60, 0})
    ->Args({1 * 60 + 59, 0})
    ->Args({12 * 60, 1})
    ->Args({23 * 60 + 59, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_PreviewFrame(benchmark::State& state)
{
    const CQLMDoc& doc = BigTimetable();
    const CBoardFont& font = Font();
    const Board::BoardRequest request{static_cast<int>(state.range(0)), Board::Display::Main, 4, 0};
    for (auto _ : state) {
        const QImage image =
            Board::LedPicture(Board::RenderBoard(doc, font, request), kPreviewSize);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PreviewFrame)
    ->Args({12 * 60, 0})
    ->Args({23 * 60 + 59, 1})
    ->Unit(benchmark::kMicrosecond);

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Dragging the slider from one end of the service day to the other: one preview frame a minute.
void BM_ScrubDay(benchmark::State& state)
{
    const CQLMDoc& doc = state.range(0) ? MidnightTimetable() : BigTimetable();
    const CBoardFont& font = Font();
    double slowest = 0;
    double slowestCpu = 0;
    for (auto _ : state) {
        for (int minute = 0; minute < Board::kMinutesPerDay; ++minute) {
            const auto start = std::chrono::steady_clock::now();
            const double startCpu = ThreadCpuMs();
            const int time = (doc.m_wDateChangeTime + minute) % Board::kMinutesPerDay;
            const QImage image = Board::LedPicture(
                Board::RenderBoard(doc, font, {time, Board::Display::Sub, 4, 0}), kPreviewSize);
            benchmark::DoNotOptimize(image.constBits());
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
            slowestCpu = std::max(slowestCpu, ThreadCpuMs() - startCpu);
        }
    }
    // Wall time includes whatever else the machine ran; the thread's own time does not.
    state.counters["slowest_frame_ms"] = slowest;
    state.counters["slowest_frame_cpu_ms"] = slowestCpu;
    state.counters["frames"] = Board::kMinutesPerDay;
}
BENCHMARK(BM_ScrubDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
