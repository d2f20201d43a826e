// Moving the mouse over a drawing of 100,000 shapes (and one of 1,000,000): lines, arcs and circles spread
// over the drawing, 5,000 of them in a dense patch. The line command waits for its end point, with snapping on
// and the program's default options. Each iteration is one mouse-move message to the command manager, from the
// message to the finished overlay (snap computed, picture restored, rubber band, cursor, snap mark and text
// drawn). The cursor follows a path of 512 positions over a 1600 x 1000 view, zoomed to all and to a detail
// (a twentieth of the width), over the whole drawing and over the dense patch; the painted variant also puts
// each finished frame on a window-sized surface. Counters: the share of moves that snapped, the 99th
// percentile and the slowest move of the run in milliseconds.
//
// Run: scripts/build.sh bench bench_mouse_move && build/bench/bin/bench_mouse_move
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "command/CommandManager.h"
#include "commands/shape/Line2dCommand.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WinConstants.h"

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr UINT kLineCommand = 33412;
// The dense patch: 5,000 short lines and arcs in 60 x 60 units.
const RuVaPnt2d kPatch(700.0, 400.0);
constexpr double kPatchSize = 60.0;

class CQZ2Doc* DocumentTag()
{
    static int tag = 0;
    return reinterpret_cast<class CQZ2Doc*>(&tag);
}

// Shapes of a few units, one per 25 square units, on a drawing about 2000 x 1250 units: chains of lines
// meeting at their ends (as outlines are drawn), lone lines, circles and arcs.
struct Scene {
    Draw2dDocument doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;

    explicit Scene(int nShapes)
    {
        doc.InitDocument();
        doc.SetUndoDepth(1);
        const double width = std::sqrt(nShapes * 25.0 * 16.0 / 10.0), height = width * 10.0 / 16.0;
        std::mt19937 rng(4711);
        std::uniform_real_distribution<double> ux(0, width), uy(0, height), step(-4.0, 4.0), radius(0.5, 3.0),
            angle(0, 360);
        doc.BeginUndoOperation(nullptr);
        // One shape in twenty lies in a dense patch (a detail drawn small), the rest spread evenly.
        std::uniform_real_distribution<double> px(kPatch.X(), kPatch.X() + kPatchSize),
            py(kPatch.Y(), kPatch.Y() + kPatchSize);
        RuVaPnt2d chain(ux(rng), uy(rng));
        for (int i = 0; i < nShapes; ++i) {
            const int kind = i % 10;
            const bool dense = i % 20 == 9 && i < 100000;
            std::unique_ptr<Feature2dBase> f;
            if (dense && i % 40 == 9) {
                auto a = std::make_unique<Arc2dFeature>();
                a->SetCenterPoint(RuVaPnt2d(px(rng), py(rng)));
                a->SetRadius(radius(rng));
                a->SetStartAngle(angle(rng));
                a->SetEndAngle(angle(rng));
                f = std::move(a);
            } else if (dense) {
                const RuVaPnt2d p(px(rng), py(rng));
                f = std::make_unique<Line2dFeature>(p, RuVaPnt2d(p.X() + step(rng), p.Y() + step(rng)));
            } else if (kind < 4) {
                // Four lines of an outline in a row, each starting where the last ended.
                if (kind == 0)
                    chain = RuVaPnt2d(ux(rng), uy(rng));
                const RuVaPnt2d next(chain.X() + step(rng), chain.Y() + step(rng));
                f = std::make_unique<Line2dFeature>(chain, next);
                chain = next;
            } else if (kind < 6) {
                const RuVaPnt2d p(ux(rng), uy(rng));
                f = std::make_unique<Line2dFeature>(p, RuVaPnt2d(p.X() + step(rng), p.Y() + step(rng)));
            } else if (kind < 8) {
                f = std::make_unique<Circle2dFeature>(RuVaPnt2d(ux(rng), uy(rng)), radius(rng));
            } else {
                auto a = std::make_unique<Arc2dFeature>();
                a->SetCenterPoint(RuVaPnt2d(ux(rng), uy(rng)));
                a->SetRadius(radius(rng));
                a->SetStartAngle(angle(rng));
                a->SetEndAngle(angle(rng));
                f = std::move(a);
            }
            f->SetColorNo(short(1 + i % 8));
            doc.AddFeature(f.get(), doc.GetActiveDrawingFeature(), 0);
        }
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        view = std::make_unique<Draw2dView>(&doc);
        view->SetDrawingFeature(doc.GetActiveDrawingFeature());
        view->SetGridVisible(FALSE);
        view->ResizeView(kWidth, kHeight);
        manager.SetDocument(DocumentTag(), &doc);
        manager.SetActiveDraw2dView(view.get());
        // The program's default options: every kind, a pick box of 7 pixels, grid snap, angular snap by
        // 45 degrees, marks and snap texts shown.
        CommandManager::SnapOptions options;
        options.bEnabled = TRUE;
        options.dwType = 0xFFFF;
        options.nDivisionCount = 4;
        options.bGrid = TRUE;
        options.nBoxSize = 7;
        options.bBoxVisible = TRUE;
        options.bMarkerVisible = TRUE;
        options.nMarkerSize = 5;
        options.markerColor = RGB(255, 0, 255);
        options.bToolTipVisible = TRUE;
        options.bAngularEnabled = TRUE;
        options.dAngle = 45.0;
        options.nAngularMode = 0;
        options.bDisplayStateMode = TRUE;
        options.cursorColor = RGB(255, 128, 0);
        manager.SetSnapOptions(options);
    }
    ~Scene()
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }

    // Zooms (1: all, else that many times more; about the dense patch or the middle), renders the picture once and starts the line command with
    // its start point given, so that every move draws the rubber band.
    void Prepare(double dZoom, bool bOverPatch)
    {
        manager.CancelAllCommands();
        view->ZoomAll();
        if (bOverPatch)
            view->SetCenterPoint(RuVaPnt2d(kPatch.X() + kPatchSize / 2, kPatch.Y() + kPatchSize / 2));
        if (dZoom > 1.0)
            view->ZoomIn(dZoom - 1.0);
        manager.ExecuteCommand(kLineCommand);
        const CPoint start(kWidth / 2, kHeight / 2);
        manager.OnMouseMove(0, start);
        manager.OnLButtonDown(MK_LBUTTON, start);
        manager.OnLButtonUp(0, start);
        view->DrawView(nullptr);
    }
};

std::map<int, std::unique_ptr<Scene>> g_scenes;

Scene& TheScene(int nShapes)
{
    std::unique_ptr<Scene>& s = g_scenes[nShapes];
    if (!s)
        s = std::make_unique<Scene>(nShapes);
    return *s;
}

// A path over the whole client area, as a hand sweeping the mouse in loops.
std::vector<CPoint> CursorPath()
{
    std::vector<CPoint> path;
    for (int i = 0; i < 512; ++i) {
        const double t = i * 2.0 * M_PI / 512.0;
        path.emplace_back(int(kWidth / 2 + 0.45 * kWidth * std::sin(3 * t)),
                          int(kHeight / 2 + 0.45 * kHeight * std::sin(4 * t + 0.5)));
    }
    return path;
}

// bPaint: each move also puts the finished frame on a window-sized surface, as the view's paint then does.
void MouseMove(benchmark::State& state, double dZoom, bool bPaint = false, bool bDense = false)
{
    Scene& s = TheScene((int)state.range(0));
    s.Prepare(dZoom, bDense);
    std::vector<CPoint> path = CursorPath();
    if (bDense) {
        // Small loops over the dense patch.
        const CPoint c = s.view->ConvertPointWorldToClient(
            RuVaPnt2d(kPatch.X() + kPatchSize / 2, kPatch.Y() + kPatchSize / 2));
        const int r = std::max(2, int(s.view->ConvertLengthWorldToClient(kPatchSize) * 0.4));
        for (CPoint& p : path)
            p = CPoint(c.x + (p.x - kWidth / 2) * r * 2 / kWidth, c.y + (p.y - kHeight / 2) * r * 2 / kHeight);
    }
    QImage window(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&window);
    CDC dc;
    dc.CreateFromPainter(&painter);
    size_t i = 0;
    long snapped = 0;
    double slowest = 0.0;
    std::vector<double> times;
    times.reserve(1 << 16);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        s.manager.OnMouseMove(0, path[i++ % path.size()]);
        if (bPaint)
            s.view->PresentView(dc.GetSafeHdc());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        slowest = std::max(slowest, ms);
        if (times.size() < times.capacity())
            times.push_back(ms);
        snapped += s.manager.IsSnapped() ? 1 : 0;
    }
    state.counters["snapped"] = double(snapped) / double(state.iterations());
    state.counters["slowest_ms"] = slowest;
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        state.counters["p99_ms"] = times[times.size() * 99 / 100];
    }
    state.counters["shapes"] = (double)s.doc.GetFeatureCount();
}

void BM_MouseMoveZoomAll(benchmark::State& state)
{
    MouseMove(state, 1.0);
}

void BM_MouseMoveDetail(benchmark::State& state)
{
    MouseMove(state, 20.0);
}

void BM_MouseMoveZoomAllPainted(benchmark::State& state)
{
    MouseMove(state, 1.0, true);
}

void BM_MouseMoveZoomAllOverDensePatch(benchmark::State& state)
{
    MouseMove(state, 1.0, false, true);
}

void BM_MouseMoveDetailOverDensePatch(benchmark::State& state)
{
    MouseMove(state, 8.0, false, true);
}

}  // namespace

BENCHMARK(BM_MouseMoveZoomAll)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MouseMoveDetail)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MouseMoveZoomAllPainted)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MouseMoveZoomAllOverDensePatch)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MouseMoveDetailOverDensePatch)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    // Offscreen, with a settings store of its own so that the run leaves the user's settings alone.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_scenes.clear();
    return 0;
}
