// The drawing commands' previews and constructions. The drawing holds 100,000 shapes (and 1,000,000): lines,
// arcs and circles spread over it, 5,000 in a dense patch, and beside the patch the shapes the commands work
// on (an ellipse, a B-spline, a line to draw parallels of, lines crossing it). Each command waits in the state
// where its preview works hardest in ordinary use; each iteration is one mouse-move message to the command
// manager until the overlay is finished (snapping on with every kind, 1600 x 1000 view, zoomed to all or to a
// detail over the patch). Counters: the 99th percentile and the slowest move in milliseconds.
// The constructions (tangents, perpendiculars, the two-curve tangent) are timed alone, in microseconds.
//
// Run: scripts/build.sh bench bench_drawing_commands && build/bench/bin/bench_drawing_commands
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/DoubleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/MultiLine2dCommand.h"
#include "commands/shape/ParallelLine2dCommand.h"
#include "commands/shape/TangentLine2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
const RuVaPnt2d kPatch(700.0, 400.0);
constexpr double kPatchSize = 60.0;
// Where the commands' own shapes lie: beside the patch.
const RuVaPnt2d kWork(780.0, 430.0);

class CQZ2Doc* DocumentTag()
{
    static int tag = 0;
    return reinterpret_cast<class CQZ2Doc*>(&tag);
}

struct Scene {
    Draw2dDocument doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;
    long ellipse = -1, spline = -1, base = -1, crossing = -1, patchLine = -1;

    long AddShape(Feature2dBase& f) { return doc.AddFeature(&f, doc.GetActiveDrawingFeature(), 0); }

    explicit Scene(int nShapes)
    {
        doc.InitDocument();
        doc.SetUndoDepth(1);
        const double width = std::sqrt(nShapes * 25.0 * 16.0 / 10.0), height = width * 10.0 / 16.0;
        std::mt19937 rng(4711);
        std::uniform_real_distribution<double> ux(0, width), uy(0, height), step(-4.0, 4.0), radius(0.5, 3.0),
            angle(0, 360), px(kPatch.X(), kPatch.X() + kPatchSize), py(kPatch.Y(), kPatch.Y() + kPatchSize);
        doc.BeginUndoOperation(nullptr);
        for (int i = 0; i < nShapes; ++i) {
            const bool dense = i % 20 == 9 && i < 100000;
            std::unique_ptr<Feature2dBase> f;
            const RuVaPnt2d p = dense ? RuVaPnt2d(px(rng), py(rng)) : RuVaPnt2d(ux(rng), uy(rng));
            switch (i % 4) {
            case 0:
            case 1:
                f = std::make_unique<Line2dFeature>(p, RuVaPnt2d(p.X() + step(rng), p.Y() + step(rng)));
                break;
            case 2:
                f = std::make_unique<Circle2dFeature>(p, radius(rng));
                break;
            default:
                f = std::make_unique<Arc2dFeature>(p, radius(rng), angle(rng), angle(rng));
                break;
            }
            f->SetColorNo(short(1 + i % 8));
            AddShape(*f);
        }
        Ellipse2dFeature e(kWork, 12.0, 6.0, 20.0);
        ellipse = AddShape(e);
        KcArrayOfGePnt2d points;
        for (int i = 0; i < 8; ++i)
            points.Add(RuVaPnt2d(kWork.X() + 4.0 * i, kWork.Y() + 30.0 + 5.0 * std::sin(i)));
        std::unique_ptr<BSplineCurve2dFeature> b(FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, FALSE));
        spline = AddShape(*b);
        Line2dFeature l(RuVaPnt2d(kWork.X() - 20, kWork.Y() - 20), RuVaPnt2d(kWork.X() + 40, kWork.Y() - 20));
        base = AddShape(l);
        Line2dFeature c(RuVaPnt2d(kWork.X() + 30, kWork.Y() - 40), RuVaPnt2d(kWork.X() + 30, kWork.Y()));
        crossing = AddShape(c);
        Line2dFeature d(kPatch, RuVaPnt2d(kPatch.X() + kPatchSize, kPatch.Y() + kPatchSize));
        patchLine = AddShape(d);
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        view = std::make_unique<Draw2dView>(&doc);
        view->SetDrawingFeature(doc.GetActiveDrawingFeature());
        view->SetGridVisible(FALSE);
        view->ResizeView(kWidth, kHeight);
        manager.SetDocument(DocumentTag(), &doc);
        manager.SetActiveDraw2dView(view.get());
        CommandManager::SnapOptions options;
        options.bEnabled = TRUE;
        options.dwType = 0xFFFF;
        options.nDivisionCount = 4;
        options.bGrid = TRUE;
        options.nBoxSize = 7;
        options.bBoxVisible = TRUE;
        options.bMarkerVisible = TRUE;
        options.nMarkerSize = 5;
        options.bToolTipVisible = TRUE;
        options.bAngularEnabled = TRUE;
        options.dAngle = 45.0;
        options.bDisplayStateMode = TRUE;
        manager.SetSnapOptions(options);
    }
    ~Scene()
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }
    // Zoomed to all, or by the factor about the work area, the picture rendered once.
    void Zoom(double dZoom)
    {
        manager.CancelAllCommands();
        view->ZoomAll();
        if (dZoom > 1.0) {
            view->SetCenterPoint(RuVaPnt2d(kWork.X() - 20, kWork.Y()));
            view->ZoomIn(dZoom - 1.0);
        }
        view->DrawView(nullptr);
    }
    CommandBase* Start(UINT nID)
    {
        manager.ExecuteCommand(nID);
        return manager.GetActiveCommand();
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

void SetPoint(CommandBase* p, WORD id, const RuVaPnt2d& w)
{
    static_cast<PointParameterItem*>(p->FindItem(id))->SetValue(w);
}
void SetNumber(CommandBase* p, WORD id, double v)
{
    static_cast<DoubleParameterItem*>(p->FindItem(id))->SetValue(v);
}
void SetShape(CommandBase* p, WORD id, long record, const RuVaPnt2d& pick)
{
    static_cast<FeatureParameterItem*>(p->FindItem(id))->SetValue(FeatureLayout(record, -1, -1), pick);
}

// A command set up by the function, then moves along the world path (closed loop).
void Moves(benchmark::State& state, double dZoom, const std::function<void(Scene&, CommandBase*&)>& setUp,
           const std::function<RuVaPnt2d(double)>& path)
{
    Scene& s = TheScene((int)state.range(0));
    s.Zoom(dZoom);
    CommandBase* pCommand = nullptr;
    setUp(s, pCommand);
    if (pCommand == nullptr) {
        state.SkipWithError("the command did not start");
        return;
    }
    std::vector<CPoint> cursor;
    for (int i = 0; i < 256; ++i)
        cursor.push_back(s.view->ConvertPointWorldToClient(path(i * 2.0 * M_PI / 256.0)));
    size_t i = 0;
    double slowest = 0.0;
    std::vector<double> times;
    times.reserve(1 << 16);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        s.manager.OnMouseMove(0, cursor[i++ % cursor.size()]);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        slowest = std::max(slowest, ms);
        if (times.size() < times.capacity())
            times.push_back(ms);
    }
    state.counters["slowest_ms"] = slowest;
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        state.counters["p99_ms"] = times[times.size() * 99 / 100];
    }
    s.manager.CancelAllCommands();
}

// The cursor running along the ellipse (the shape under it stands in for the pick).
RuVaPnt2d OnEllipse(double t)
{
    return Ellipse2dFeature(kWork, 12.0, 6.0, 20.0).GetPoint(t * 180.0 / M_PI);
}
RuVaPnt2d Around(const RuVaPnt2d& c, double r, double t)
{
    return RuVaPnt2d(c.X() + r * std::cos(t), c.Y() + r * std::sin(t));
}

void TangentFromPointToEllipse(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33418);
        s.manager.SetParameterAlternative(nullptr, 0, 1);
        SetPoint(p, TangentLine2dCommand::itemStart, RuVaPnt2d(kWork.X() - 40, kWork.Y() + 10));
        s.manager.SetCurrentParameter(nullptr, 1);
    }, OnEllipse);
}
void TangentFromPointToBSpline(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33418);
        s.manager.SetParameterAlternative(nullptr, 0, 1);
        SetPoint(p, TangentLine2dCommand::itemStart, RuVaPnt2d(kWork.X() - 40, kWork.Y() + 50));
        s.manager.SetCurrentParameter(nullptr, 1);
    }, [](double t) {
        const double x = 0.5 + 0.5 * std::sin(t);
        return RuVaPnt2d(kWork.X() + 28.0 * x, kWork.Y() + 30.0 + 5.0 * std::sin(7.0 * x));
    });
}
void ParallelWithEndShape(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33416);
        s.manager.SetParameterAlternative(nullptr, 4, 2);
        SetShape(p, ParallelLine2dCommand::itemBase, s.base, RuVaPnt2d(kWork.X(), kWork.Y() - 20));
        SetNumber(p, ParallelLine2dCommand::itemDistance, 5.0);
        SetPoint(p, ParallelLine2dCommand::itemSide, RuVaPnt2d(kWork.X(), kWork.Y()));
        SetPoint(p, ParallelLine2dCommand::itemStartPoint, RuVaPnt2d(kWork.X() - 10, kWork.Y() - 15));
        s.manager.SetCurrentParameter(nullptr, 4);
    }, [](double t) { return RuVaPnt2d(kWork.X() + 30, kWork.Y() - 20 + 15 * std::sin(t)); });
}
void IntersectionMarkersOverPatch(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33404);
        SetShape(p, 0, s.patchLine, kPatch);
        s.manager.SetCurrentParameter(nullptr, 1);
    }, [](double t) { return Around(RuVaPnt2d(kPatch.X() + 30, kPatch.Y() + 30), 20, t); });
}
void DivisionMarkers(benchmark::State& state, double dZoom, int nCount)
{
    Moves(state, dZoom, [nCount](Scene& s, CommandBase*& p) {
        p = s.Start(33405);
        SetPoint(p, 0, RuVaPnt2d(kWork.X() - 40, kWork.Y()));
        static_cast<IntegerParameterItem*>(p->FindItem(2))->SetValue(nCount);
        s.manager.SetCurrentParameter(nullptr, 1);
    }, [](double t) { return Around(kWork, 30, t); });
}
void MultiLineAlong20Points(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33435);
        static_cast<IntegerParameterItem*>(p->FindItem(MultiLine2dCommand::itemFirstCount))->SetValue(3);
        static_cast<IntegerParameterItem*>(p->FindItem(MultiLine2dCommand::itemSecondCount))->SetValue(2);
        SetNumber(p, MultiLine2dCommand::itemSpacing, 1.0);
        KcArrayOfGePnt2d points;
        for (int i = 0; i < 20; ++i)
            points.Add(RuVaPnt2d(kWork.X() - 40 + 3.0 * i, kWork.Y() + 4.0 * (i % 2)));
        static_cast<PointArrayParameterItem*>(p->FindItem(MultiLine2dCommand::itemPoints))->SetPoints(points);
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(MultiLine2dCommand::itemPoints));
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 25, kWork.Y() + 10), 8, t); });
}
void BSplineThrough50Points(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33503);
        KcArrayOfGePnt2d points;
        for (int i = 0; i < 50; ++i)
            points.Add(RuVaPnt2d(kWork.X() - 40 + 1.2 * i, kWork.Y() + 6.0 * std::sin(i * 0.4)));
        static_cast<PointArrayParameterItem*>(p->GetParameterItem(1))->SetPoints(points);
        s.manager.SetCurrentParameter(nullptr, 1);
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 25, kWork.Y() + 10), 8, t); });
}
void PolygonTurning(benchmark::State& state, double dZoom, int nSides)
{
    Moves(state, dZoom, [nSides](Scene& s, CommandBase*& p) {
        p = s.Start(33434);
        static_cast<IntegerParameterItem*>(p->GetParameterItem(0))->SetValue(nSides);
        SetPoint(p, 2, kWork);
        s.manager.SetParameterAlternative(nullptr, 3, 1);
        SetNumber(p, 4, 15.0);
        s.manager.SetCurrentParameter(nullptr, 4);
    }, [](double t) { return Around(kWork, 25, t); });
}
void EllipseArcToTheCursor(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33492);
        SetPoint(p, 0, kWork);
        SetPoint(p, 1, RuVaPnt2d(kWork.X() + 15, kWork.Y()));
        SetPoint(p, 3, RuVaPnt2d(kWork.X(), kWork.Y() + 8));
        SetPoint(p, 5, RuVaPnt2d(kWork.X() + 15, kWork.Y() + 3));
        SetPoint(p, 7, RuVaPnt2d(kWork.X() + 15, kWork.Y() + 15));
        s.manager.SetCurrentParameter(nullptr, 5);
    }, [](double t) { return Around(kWork, 20, t); });
}
void TangentOfTwoCurves(benchmark::State& state, double dZoom)
{
    Moves(state, dZoom, [](Scene& s, CommandBase*& p) {
        p = s.Start(33419);
        SetShape(p, 0, s.ellipse, OnEllipse(1.0));
        s.manager.SetCurrentParameter(nullptr, 1);
    }, [](double t) { return Around(RuVaPnt2d(kPatch.X() + 30, kPatch.Y() + 30), 25, t); });
}

#define KC_PREVIEW(name, ...)                                                                                   \
    void BM_##name##ZoomAll(benchmark::State& state) { name(state, 1.0 __VA_OPT__(, ) __VA_ARGS__); }           \
    void BM_##name##Detail(benchmark::State& state) { name(state, 20.0 __VA_OPT__(, ) __VA_ARGS__); }           \
    BENCHMARK(BM_##name##ZoomAll)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(0.5);   \
    BENCHMARK(BM_##name##Detail)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

KC_PREVIEW(TangentFromPointToEllipse)
KC_PREVIEW(TangentFromPointToBSpline)
KC_PREVIEW(ParallelWithEndShape)
KC_PREVIEW(IntersectionMarkersOverPatch)
KC_PREVIEW(MultiLineAlong20Points)
KC_PREVIEW(BSplineThrough50Points)
KC_PREVIEW(EllipseArcToTheCursor)
KC_PREVIEW(TangentOfTwoCurves)

void BM_DivisionMarkers100(benchmark::State& state) { DivisionMarkers(state, 1.0, 100); }
void BM_DivisionMarkers10000(benchmark::State& state) { DivisionMarkers(state, 1.0, 10000); }
void BM_Polygon64Turning(benchmark::State& state) { PolygonTurning(state, 1.0, 64); }
void BM_Polygon1024Turning(benchmark::State& state) { PolygonTurning(state, 1.0, 1024); }
BENCHMARK(BM_DivisionMarkers100)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DivisionMarkers10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_Polygon64Turning)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_Polygon1024Turning)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// --- constructions alone -------------------------------------------------------------------------------

std::unique_ptr<Feature2dBase> Curve(int kind)
{
    const RuVaPnt2d c(0, 0);
    switch (kind) {
    case 0:
        return std::make_unique<Circle2dFeature>(c, 5.0);
    case 1:
        return std::make_unique<Arc2dFeature>(c, 5.0, 10.0, 300.0);
    case 2:
        return std::make_unique<Ellipse2dFeature>(c, 8.0, 3.0, 25.0);
    case 3:
        return std::make_unique<EllipseArc2dFeature>(c, 8.0, 3.0, 25.0, 10.0, 300.0);
    case 4: {
        KcArrayOfGePnt2d points;
        for (int i = 0; i < 8; ++i)
            points.Add(RuVaPnt2d(-7.0 + 2.0 * i, 3.0 * std::sin(i)));
        return std::unique_ptr<Feature2dBase>(FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, FALSE));
    }
    default:
        return std::make_unique<Line2dFeature>(RuVaPnt2d(-6, -6), RuVaPnt2d(6, 6));
    }
}
const char* const kKinds[] = {"circle", "arc", "ellipse", "elliptic_arc", "bspline", "line"};

void BM_TangentFromPoint(benchmark::State& state)
{
    const auto curve = Curve((int)state.range(0));
    state.SetLabel(kKinds[state.range(0)]);
    for (auto _ : state) {
        std::unique_ptr<Line2dFeature> l(FeatureCreator::CreateTangentLineFeature(RuVaPnt2d(20, 9), curve.get(), RuVaPnt2d(0, 5)));
        benchmark::DoNotOptimize(l.get());
    }
}
void BM_TangentOnShape(benchmark::State& state)
{
    const auto curve = Curve((int)state.range(0));
    state.SetLabel(kKinds[state.range(0)]);
    for (auto _ : state) {
        std::unique_ptr<Line2dFeature> l(FeatureCreator::CreateTangentLineFeature(curve.get(), RuVaPnt2d(1, 7), RuVaPnt2d(9, 9)));
        benchmark::DoNotOptimize(l.get());
    }
}
void BM_Perpendicular(benchmark::State& state)
{
    const auto curve = Curve((int)state.range(0));
    state.SetLabel(kKinds[state.range(0)]);
    for (auto _ : state) {
        std::unique_ptr<Line2dFeature> l(FeatureCreator::CreatePerpendicularLineFeature(RuVaPnt2d(20, 9), curve.get(), RuVaPnt2d(0, 5)));
        benchmark::DoNotOptimize(l.get());
    }
}
void BM_TangentOfTwoCurvesConstruction(benchmark::State& state)
{
    const auto first = Curve((int)state.range(0));
    auto second = Curve((int)state.range(1));
    RuVaGTrsf2d shift;
    shift.SetTranslation(RuVaVec2d(30, 4));
    second->TransformGeometry(shift, 1.0);
    state.SetLabel(std::string(kKinds[state.range(0)]) + "+" + kKinds[state.range(1)]);
    for (auto _ : state) {
        std::unique_ptr<Line2dFeature> l(
            FeatureCreator::CreateTangentLineFeature(first.get(), RuVaPnt2d(0, 9), second.get(), RuVaPnt2d(30, -5)));
        benchmark::DoNotOptimize(l.get());
    }
}

BENCHMARK(BM_TangentFromPoint)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TangentOnShape)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Perpendicular)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TangentOfTwoCurvesConstruction)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
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
