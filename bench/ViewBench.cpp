// Views of generated drawings of 10,000, 100,000 and 1,000,000 mixed shapes (lines, polylines, circles,
// arcs and a few texts in eight colours, some dashed) in a 1920 x 1080 client area: a full redraw at zoom-all
// and at ten times that zoom, one pick by point, one snap update (candidates gathered near the cursor, then
// the snap), and one overlay frame (picture restored, rubber band, cursor and snap mark drawn).
#include <benchmark/benchmark.h>

#include <QImage>

#include <cmath>
#include <map>
#include <memory>
#include <random>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Rubberband.h"
#include "libs/vevure/Snap.h"
#include "libs/vevure/Text2dFeature.h"
#include "MixedDrawing.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Drawing {
    std::unique_ptr<Draw2dDocument> doc;
    std::unique_ptr<Draw2dView> view;
    std::vector<RuVaPnt2d> probes;  // cursor points over shapes
};

// The shared mixed drawing in a view of the client size at zoom-all.
std::unique_ptr<Drawing> MakeDrawing(int nShapes)
{
    auto d = std::make_unique<Drawing>();
    d->doc = MixedDrawing::Make(nShapes, &d->probes);
    d->view = std::make_unique<Draw2dView>(d->doc.get());
    d->view->SetGridVisible(FALSE);
    d->view->ResizeView(kWidth, kHeight);
    d->view->ZoomAll();
    return d;
}

Drawing& Get(int nShapes)
{
    static std::map<int, std::unique_ptr<Drawing>> cache;
    auto& d = cache[nShapes];
    if (!d)
        d = MakeDrawing(nShapes);
    return *d;
}

void Redraw(benchmark::State& state, double zoom)
{
    Drawing& d = Get((int)state.range(0));
    d.view->ZoomAll();
    if (zoom > 1.0)
        d.view->ZoomIn(zoom - 1.0);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    DrawingManager::RenderStats stats;
    for (auto _ : state) {
        DrawingManager::RenderView(*d.view, image, &stats);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["shapes"] = (double)d.doc->GetFeatureCount();
    state.counters["drawn"] = (double)stats.nDrawn;
    state.counters["dots"] = (double)stats.nDots;
}

void BM_RedrawZoomAll(benchmark::State& state)
{
    Redraw(state, 1.0);
}

void BM_RedrawZoom10(benchmark::State& state)
{
    Redraw(state, 10.0);
}

// Picks and snaps at ten times the zoom-all scale with a 5-pixel aperture.
void PrepareCursorView(Drawing& d)
{
    d.view->ZoomAll();
    d.view->ZoomIn(9.0);
}

void BM_PickByPoint(benchmark::State& state)
{
    Drawing& d = Get((int)state.range(0));
    PrepareCursorView(d);
    const double aperture = d.view->ConvertLengthClientToWorld(5);
    size_t i = 0;
    long found = 0;
    for (auto _ : state) {
        FeatureLayout hit;
        found += FeaturePicker::PickByPoint(d.view.get(), d.probes[i++ % d.probes.size()], aperture, 0, 0, 0xFFFFFFFF,
                                            nullptr, hit);
    }
    state.counters["hit_ratio"] = double(found) / double(state.iterations());
}

void BM_SnapUpdate(benchmark::State& state)
{
    Drawing& d = Get((int)state.range(0));
    PrepareCursorView(d);
    const double aperture = d.view->ConvertLengthClientToWorld(5);
    size_t i = 0;
    long found = 0;
    for (auto _ : state) {
        const RuVaPnt2d& p = d.probes[i++ % d.probes.size()];
        Snap snap;
        snap.AddFeaturesNear(d.view.get(), p, aperture, 0);
        snap.SetSnapOrigin(RuVaPnt2d(0, 0), 0.0);
        found += snap.UpdateSnapPoint(p, aperture);
    }
    state.counters["snap_ratio"] = double(found) / double(state.iterations());
}

void BM_OverlayFrame(benchmark::State& state)
{
    Drawing& d = Get((int)state.range(0));
    d.view->ZoomAll();
    d.view->DrawView(nullptr);  // the picture, rendered once
    int k = 0;
    for (auto _ : state) {
        const int x = 200 + (k * 37) % 1500, y = 100 + (k * 53) % 800;
        ++k;
        d.view->RestoreView();
        Rubberband band;
        band.BeginDraw(d.view.get(), d.doc.get());
        band.DrawLine(d.view->ConvertPointClientToWorld(CPoint(100, 100)), d.view->ConvertPointClientToWorld(CPoint(x, y)),
                      RGB(0, 255, 0));
        band.EndDraw();
        d.view->BeginDraw();
        d.view->DrawMouseCursor(CPoint(x, y), TRUE, 5, TRUE, RGB(0, 0, 0), 2);
        d.view->DrawSnapMark(d.view->ConvertPointClientToWorld(CPoint(x, y)), 5, RGB(255, 0, 255), 2);
        d.view->EndDraw();
    }
}

}  // namespace

BENCHMARK(BM_RedrawZoomAll)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawZoom10)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickByPoint)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapUpdate)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlayFrame)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
