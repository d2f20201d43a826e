// Time of region searches around picked points.
//  - Random drawings of 25 lines, circles and arcs in a 100 x 100 square, 20 picks each: the mean and the
//    slowest pick (aims: every pick under 5 ms, mean under 1 ms).
//  - Drawings of 1,000, 10,000 and 100,000 shapes: a grid of closed outlines (squares of four lines with a
//    circle inside), noise lines running across neighbouring cells, and random lines and arcs; picks all
//    over the drawing: the mean and the slowest pick (aims: under 5, 50 and 500 ms per pick).
// Every search counts as one pick; the counters give milliseconds (wall clock, and the thread's processor
// time), and the process's peak memory. The cold picks each use a new searcher, as a user's first pick does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <ctime>
#include <memory>
#include <random>
#include <string>

#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"
#include "regionsearch/RgnSearch.h"

namespace {

struct Drawing {
    std::unique_ptr<Draw2dDocument> doc;
    std::unique_ptr<Draw2dView> view;
    double extent = 100.0;
};

Drawing NewDrawing()
{
    Drawing d;
    d.doc = std::make_unique<Draw2dDocument>();
    d.doc->InitDocument();
    d.doc->SetUndoDepth(1);
    d.view = std::make_unique<Draw2dView>(d.doc.get());
    d.view->SetScale(20.0);
    return d;
}

void Add(Drawing& d, const Feature2dBase& f)
{
    d.doc->AddFeature(&f, nullptr, 0);
}

Drawing RandomSmall(std::mt19937& rng)
{
    std::uniform_real_distribution<double> coord(0.0, 100.0), radius(3.0, 30.0), angle(0.0, 360.0);
    Drawing d = NewDrawing();
    for (int i = 0; i < 25; ++i) {
        const RuVaPnt2d c(coord(rng), coord(rng));
        switch (rng() % 3) {
        case 0:
            Add(d, Line2dFeature(c, RuVaPnt2d(coord(rng), coord(rng))));
            break;
        case 1:
            Add(d, Circle2dFeature(c, radius(rng)));
            break;
        default:
            Add(d, Arc2dFeature(c, radius(rng), angle(rng), angle(rng), static_cast<int>(rng() % 2)));
            break;
        }
    }
    return d;
}

// About nShapes shapes: per cell a square of four lines, a circle and a noise line; a fifth of the shapes
// random lines and arcs.
Drawing LargeDrawing(int nShapes, std::mt19937& rng)
{
    Drawing d = NewDrawing();
    const double cell = 10.0;
    const int side = std::max(1, static_cast<int>(std::lround(std::sqrt(nShapes * 0.8 / 6.0))));
    d.extent = side * cell;
    std::uniform_real_distribution<double> unit(0.0, 1.0), angle(0.0, 360.0);
    d.doc->BeginUndoOperation();
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const double x = i * cell, y = j * cell, s = cell * 0.8;
            Add(d, Line2dFeature(RuVaPnt2d(x, y), RuVaPnt2d(x + s, y)));
            Add(d, Line2dFeature(RuVaPnt2d(x + s, y), RuVaPnt2d(x + s, y + s)));
            Add(d, Line2dFeature(RuVaPnt2d(x + s, y + s), RuVaPnt2d(x, y + s)));
            Add(d, Line2dFeature(RuVaPnt2d(x, y + s), RuVaPnt2d(x, y)));
            Add(d, Circle2dFeature(RuVaPnt2d(x + s * (0.3 + 0.4 * unit(rng)), y + s * (0.3 + 0.4 * unit(rng))), s * 0.2));
            const RuVaPnt2d a(x + cell * unit(rng), y + cell * unit(rng));
            Add(d, Line2dFeature(a, RuVaPnt2d(a.X() + cell * (2.0 * unit(rng) - 1.0), a.Y() + cell * (2.0 * unit(rng) - 1.0))));
        }
    }
    const int extra = std::max(0, nShapes - side * side * 6);
    for (int k = 0; k < extra; ++k) {
        const RuVaPnt2d c(d.extent * unit(rng), d.extent * unit(rng));
        if (k % 2 == 0)
            Add(d, Line2dFeature(c, RuVaPnt2d(c.X() + cell * 2.0 * (unit(rng) - 0.5), c.Y() + cell * 2.0 * (unit(rng) - 0.5))));
        else
            Add(d, Arc2dFeature(c, cell * (0.2 + unit(rng)), angle(rng), angle(rng), static_cast<int>(rng() % 2)));
    }
    d.doc->EndUndoOperation();
    d.doc->ClearUndoRedoHistory();
    return d;
}

double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

struct Timing {
    double total = 0.0, worst = 0.0;
    // The thread's own processor time: on a machine busy with other work, the wall-clock figures take in
    // the time the search waited for a processor.
    double totalCpu = 0.0, worstCpu = 0.0;
    int picks = 0, found = 0;
    void Pick(KcRegionSearcher& searcher, const Drawing& d, const RuVaPnt2d& p)
    {
        timespec c0, c1;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c0);
        const auto t0 = std::chrono::steady_clock::now();
        const KcRegionSearcher::Status status = searcher.SearchRegion(d.view.get(), p, 0);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c1);
        const double cpu = (c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) * 1e-6;
        total += ms;
        worst = std::max(worst, ms);
        totalCpu += cpu;
        worstCpu = std::max(worstCpu, cpu);
        ++picks;
        found += status == KcRegionSearcher::statusFound ? 1 : 0;
    }
    void Report(benchmark::State& state) const
    {
        state.counters["picks"] = picks;
        state.counters["found"] = found;
        state.counters["mean_ms"] = picks ? total / picks : 0.0;
        state.counters["worst_ms"] = worst;
        state.counters["mean_cpu_ms"] = picks ? totalCpu / picks : 0.0;
        state.counters["worst_cpu_ms"] = worstCpu;
        state.counters["peak_MB"] = PeakMegabytes();
    }
};

void BM_RandomDrawingsOf25Shapes(benchmark::State& state)
{
    Timing timing;
    for (auto _ : state) {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> coord(0.0, 100.0);
        for (int drawing = 0; drawing < static_cast<int>(state.range(0)); ++drawing) {
            Drawing d = RandomSmall(rng);
            KcRegionSearcher searcher(d.doc.get());
            for (int pick = 0; pick < 20; ++pick)
                timing.Pick(searcher, d, RuVaPnt2d(coord(rng), coord(rng)));
        }
    }
    timing.Report(state);
}
BENCHMARK(BM_RandomDrawingsOf25Shapes)->Arg(60)->Arg(500)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LargeDrawing(benchmark::State& state)
{
    std::mt19937 rng(11);
    Drawing d = LargeDrawing(static_cast<int>(state.range(0)), rng);
    KcRegionSearcher searcher(d.doc.get());
    Timing timing;
    for (auto _ : state) {
        std::uniform_real_distribution<double> coord(0.0, d.extent);
        for (int pick = 0; pick < static_cast<int>(state.range(1)); ++pick)
            timing.Pick(searcher, d, RuVaPnt2d(coord(rng), coord(rng)));
    }
    state.counters["shapes"] = static_cast<double>(d.doc->GetFeatureCount());
    timing.Report(state);
}
BENCHMARK(BM_LargeDrawing)
    ->Args({1000, 1000})
    ->Args({10000, 1000})
    ->Args({100000, 200})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Every pick with a new searcher, so that nothing is kept from earlier picks: the first pick a user makes.
void BM_LargeDrawingColdPicks(benchmark::State& state)
{
    std::mt19937 rng(11);
    Drawing d = LargeDrawing(static_cast<int>(state.range(0)), rng);
    Timing timing;
    for (auto _ : state) {
        std::uniform_real_distribution<double> coord(0.0, d.extent);
        for (int pick = 0; pick < static_cast<int>(state.range(1)); ++pick) {
            KcRegionSearcher searcher(d.doc.get());
            timing.Pick(searcher, d, RuVaPnt2d(coord(rng), coord(rng)));
        }
    }
    timing.Report(state);
}
BENCHMARK(BM_LargeDrawingColdPicks)->Args({1000, 200})->Iterations(1)->Unit(benchmark::kMillisecond);

// Turning the view's shapes into candidate curves, which every search does first.
void BM_CollectCandidates(benchmark::State& state)
{
    std::mt19937 rng(11);
    Drawing d = LargeDrawing(static_cast<int>(state.range(0)), rng);
    RgnSearch worker(d.doc.get());
    for (auto _ : state) {
        worker.CollectCurves(d.view.get(), 0);
        benchmark::DoNotOptimize(worker.GetCurveCount());
    }
}
BENCHMARK(BM_CollectCandidates)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
