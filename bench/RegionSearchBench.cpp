// Time of one region search around a point in generated drawings of 1,000, 10,000 and 100,000 shapes:
// a grid of cells, each a square of four separate lines with a circle inside it, the point picked in the
// middle cell between its square and its circle. The search collects every shape of the view, so the
// first figure grows with the drawing; the second measures the collection alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "regionsearch/KcRegionSearcher.h"
#include "regionsearch/RgnSearch.h"

namespace {

constexpr double kCell = 10.0;

struct Drawing {
    std::unique_ptr<Draw2dDocument> doc;
    std::unique_ptr<Draw2dView> view;
    RuVaPnt2d pick;
};

// About nShapes shapes, five per cell.
Drawing MakeDrawing(int nShapes)
{
    Drawing d;
    d.doc = std::make_unique<Draw2dDocument>();
    d.doc->InitDocument();
    d.doc->SetUndoDepth(1);
    const int side = std::max(1, static_cast<int>(std::lround(std::sqrt(nShapes / 5.0))));
    d.doc->BeginUndoOperation();
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const double x = i * kCell, y = j * kCell, s = kCell * 0.8;
            const Line2dFeature lines[4] = {Line2dFeature(RuVaPnt2d(x, y), RuVaPnt2d(x + s, y)),
                                            Line2dFeature(RuVaPnt2d(x + s, y), RuVaPnt2d(x + s, y + s)),
                                            Line2dFeature(RuVaPnt2d(x + s, y + s), RuVaPnt2d(x, y + s)),
                                            Line2dFeature(RuVaPnt2d(x, y + s), RuVaPnt2d(x, y))};
            for (const Line2dFeature& l : lines)
                d.doc->AddFeature(&l, nullptr, 0);
            const Circle2dFeature c(RuVaPnt2d(x + s * 0.5, y + s * 0.5), s * 0.25);
            d.doc->AddFeature(&c, nullptr, 0);
        }
    }
    d.doc->EndUndoOperation();
    d.doc->ClearUndoRedoHistory();
    d.view = std::make_unique<Draw2dView>(d.doc.get());
    d.view->SetScale(20.0);
    const int mid = side / 2;
    d.pick = RuVaPnt2d(mid * kCell + 0.5, mid * kCell + 0.7);
    return d;
}

void BM_SearchRegion(benchmark::State& state)
{
    Drawing d = MakeDrawing(static_cast<int>(state.range(0)));
    KcRegionSearcher searcher(d.doc.get());
    for (auto _ : state) {
        const KcRegionSearcher::Status status = searcher.SearchRegion(d.view.get(), d.pick, 0);
        if (status != KcRegionSearcher::statusFound) {
            state.SkipWithError("no region found");
            break;
        }
        benchmark::DoNotOptimize(searcher.GetRegion());
    }
    state.counters["shapes"] = static_cast<double>(d.doc->GetFeatureCount());
}

void BM_CollectCandidates(benchmark::State& state)
{
    Drawing d = MakeDrawing(static_cast<int>(state.range(0)));
    RgnSearch worker(d.doc.get());
    for (auto _ : state) {
        worker.CollectCurves(d.view.get(), 0);
        benchmark::DoNotOptimize(worker.GetCurveCount());
    }
    state.counters["candidates"] = worker.GetCurveCount();
}

}  // namespace

BENCHMARK(BM_SearchRegion)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectCandidates)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
