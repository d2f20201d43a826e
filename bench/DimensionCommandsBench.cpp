// The tangent-circle and tangent-arc constructions that the circle and arc commands run on every mouse
// move: each FindConstrainedCircle and FindConstrainedArc overload against each kind of shape (line,
// circle, arc, ellipse, B-spline), the other conditions being a line, a circle, points and a radius. One
// iteration is one construction with its solutions (the object made, solved and destroyed), as a preview
// does it. The aim is 50 us per construction.
// The dimension commands' previews per mouse move on a drawing of 100,000 shapes (lines, arcs and circles
// spread over it, the measured shapes beside them), each command waiting in its heaviest ordinary state:
// the linear dimension between two picked parallel lines, a baseline row of 50 points, the arc length of a
// picked arc, a radius with a leader, a diameter and the angle of two picked lines. One iteration is one
// mouse-move message to the command manager until the overlay is finished (snapping on with every kind,
// 1600 x 1000 view zoomed to the work area). Counters: the 99th percentile and the slowest move in ms;
// the aim is 2 ms.
//
// Run: scripts/build.sh bench bench_dimension_commands && build/bench/bin/bench_dimension_commands
#include <benchmark/benchmark.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ArcDimension2dCommand.h"
#include "commands/shape/AngularDimension2dCommand.h"
#include "commands/shape/ContinueLinearDimension2dCommand.h"
#include "commands/shape/DiameterDimension2dCommand.h"
#include "commands/shape/LinearDimension2dCommand.h"
#include "commands/shape/RadiusDimension2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureLayout.h"
#include "platform/afx/ResourceModule.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureConstrainedCircle.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace {

using FeaturePtr = std::unique_ptr<Feature2dBase>;

FeaturePtr MakeKind(int kind)
{
    switch (kind) {
    case 0:
        return FeaturePtr(FeatureCreator::CreateLineFeature(RuVaPnt2d(-60, -20), RuVaPnt2d(60, -20)));
    case 1:
        return FeaturePtr(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, -30), 8.0));
    case 2:
        return FeaturePtr(FeatureCreator::CreateArcFeature(RuVaPnt2d(-8, -30), RuVaPnt2d(0, -22), RuVaPnt2d(8, -30)));
    case 3:
        return FeaturePtr(FeatureCreator::CreateEllipseFeature(RuVaPnt2d(0, -30), 12.0, 6.0, 0.0));
    default: {
        KcArrayOfGePnt2d points;
        for (const RuVaPnt2d& p : {RuVaPnt2d(-30, 10), RuVaPnt2d(-10, 25), RuVaPnt2d(10, 15), RuVaPnt2d(30, 30)})
            points.Add(p);
        return FeaturePtr(FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, FALSE));
    }
    }
}

const char* const kKindNames[] = {"line", "circle", "arc", "ellipse", "bspline"};

struct Overload {
    const char* name;
    std::function<BOOL(FeatureConstrainedCircle&, const Feature2dBase*)> solve;
};

const Feature2dBase* Left()
{
    static FeaturePtr line(FeatureCreator::CreateLineFeature(RuVaPnt2d(-20, -60), RuVaPnt2d(-20, 60)));
    return line.get();
}
const Feature2dBase* Right()
{
    static FeaturePtr circle(FeatureCreator::CreateCircleFeature(RuVaPnt2d(25, 0), 5.0));
    return circle.get();
}

const std::vector<Overload>& Overloads()
{
    static const RuVaPnt2d p1(-5, 0), p2(5, 2);
    static const std::vector<Overload> list = {
        {"circle_centre", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, RuVaPnt2d(0, 5)); }},
        {"circle_two_points", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, p1, p2); }},
        {"circle_point_radius", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, p1, 30.0); }},
        {"circle_two_shapes_radius", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), 15.0); }},
        {"circle_two_shapes_point", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), p1); }},
        {"circle_three_shapes", [](auto& s, auto* f) { return s.FindConstrainedCircle(f, Left(), Right()); }},
        {"arc_two_points", [](auto& s, auto* f) { return s.FindConstrainedArc(f, p1, p2); }},
        {"arc_point_radius", [](auto& s, auto* f) { return s.FindConstrainedArc(f, p1, 30.0); }},
        {"arc_two_shapes_radius", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), 15.0); }},
        {"arc_two_shapes_point", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), p1); }},
        {"arc_three_shapes", [](auto& s, auto* f) { return s.FindConstrainedArc(f, Left(), Right()); }},
    };
    return list;
}

void BM_Construction(benchmark::State& state)
{
    const FeaturePtr shape = MakeKind(static_cast<int>(state.range(1)));
    const Overload& overload = Overloads()[static_cast<size_t>(state.range(0))];
    int solutions = 0;
    for (auto _ : state) {
        FeatureConstrainedCircle solver;
        benchmark::DoNotOptimize(overload.solve(solver, shape.get()));
        solutions = solver.GetConstrainedCount();
        benchmark::DoNotOptimize(solver.GetNearestConstrained(RuVaPnt2d(1, 1)));
    }
    state.counters["solutions"] = solutions;
    state.SetLabel(std::string(overload.name) + "/" + kKindNames[state.range(1)]);
}

void Arguments(benchmark::internal::Benchmark* b)
{
    for (int o = 0; o < static_cast<int>(Overloads().size()); ++o)
        for (int k = 0; k < 5; ++k)
            b->Args({o, k});
}

// Two points with a radius: no shape at all.
void BM_TwoPointsRadius(benchmark::State& state)
{
    for (auto _ : state) {
        FeatureConstrainedCircle solver;
        benchmark::DoNotOptimize(solver.FindConstrainedArc(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0));
    }
}

}  // namespace

BENCHMARK(BM_Construction)->Apply(Arguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoPointsRadius)->Unit(benchmark::kMicrosecond);

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
const RuVaPnt2d kWork(100.0, -60.0);  // where the measured shapes lie, below the spread ones

struct Scene {
    Draw2dDocument doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;
    long lower = -1, upper = -1, slanted = -1, arc = -1, circle = -1;

    long AddShape(const Feature2dBase& f) { return doc.AddFeature(&f, doc.GetActiveDrawingFeature(), 1); }

    Scene()
    {
        const int nShapes = 100000;
        doc.InitDocument();
        doc.SetUndoDepth(4);
        const double width = std::sqrt(nShapes * 25.0 * 16.0 / 10.0), height = width * 10.0 / 16.0;
        std::mt19937 rng(4711);
        std::uniform_real_distribution<double> ux(0, width), uy(0, height), step(-4.0, 4.0), radius(0.5, 3.0),
            angle(0, 360);
        doc.BeginUndoOperation(nullptr);
        for (int i = 0; i < nShapes; ++i) {
            const RuVaPnt2d p(ux(rng), uy(rng));
            std::unique_ptr<Feature2dBase> f;
            switch (i % 4) {
            case 0:
            case 1: f = std::make_unique<Line2dFeature>(p, RuVaPnt2d(p.X() + step(rng), p.Y() + step(rng))); break;
            case 2: f = std::make_unique<Circle2dFeature>(p, radius(rng)); break;
            default: f = std::make_unique<Arc2dFeature>(p, radius(rng), angle(rng), angle(rng)); break;
            }
            AddShape(*f);
        }
        lower = AddShape(Line2dFeature(RuVaPnt2d(kWork.X(), kWork.Y() - 20), RuVaPnt2d(kWork.X() + 80, kWork.Y() - 20)));
        upper = AddShape(Line2dFeature(RuVaPnt2d(kWork.X(), kWork.Y()), RuVaPnt2d(kWork.X() + 80, kWork.Y())));
        slanted = AddShape(Line2dFeature(RuVaPnt2d(kWork.X(), kWork.Y() - 20), RuVaPnt2d(kWork.X() + 40, kWork.Y() + 20)));
        arc = AddShape(Arc2dFeature(RuVaPnt2d(kWork.X() + 40, kWork.Y() + 20), 15.0, 20.0, 160.0));
        circle = AddShape(Circle2dFeature(RuVaPnt2d(kWork.X() + 10, kWork.Y() + 25), 8.0));
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        view = std::make_unique<Draw2dView>(&doc);
        view->SetDrawingFeature(doc.GetActiveDrawingFeature());
        view->SetGridVisible(FALSE);
        view->ResizeView(kWidth, kHeight);
        static int tag = 0;
        manager.SetDocument(reinterpret_cast<class CQZ2Doc*>(&tag), &doc);
        manager.SetActiveDraw2dView(view.get());
        CommandManager::SnapOptions options;
        options.bEnabled = TRUE;
        options.dwType = 0xFFFF;
        options.bGrid = FALSE;
        options.nBoxSize = 7;
        options.bBoxVisible = TRUE;
        options.bMarkerVisible = TRUE;
        options.nMarkerSize = 5;
        manager.SetSnapOptions(options);
    }
    ~Scene()
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }
    CommandBase* Start(UINT nID)
    {
        manager.CancelAllCommands();
        view->SetCenterPoint(RuVaPnt2d(kWork.X() + 40, kWork.Y()));
        view->SetScale(kWidth / 200.0);
        view->UpdateView(0, 1);
        view->DrawView(nullptr);
        manager.ExecuteCommand(nID);
        return manager.GetActiveCommand();
    }
    void Pick(CommandBase* p, WORD id, long record, const RuVaPnt2d& at)
    {
        FeatureParameterItem item;
        item.Copy(*p->FindItem(id));
        item.SetValue(FeatureLayout(record, -1, -1), at);
        manager.SetParameterValue(p->FindParameterIndex(id), item, TRUE);
    }
    void Give(CommandBase* p, WORD id, const RuVaPnt2d& at)
    {
        PointParameterItem item;
        item.Copy(*p->FindItem(id));
        item.SetValue(at);
        manager.SetParameterValue(p->FindParameterIndex(id), item, TRUE);
    }
    void Choose(CommandBase* p, WORD id, int value)
    {
        ListParameterItem item;
        item.Copy(*p->FindItem(id));
        item.SetValue(value);
        manager.SetParameterValue(p->FindParameterIndex(id), item, TRUE);
    }
};

Scene& TheScene()
{
    static std::unique_ptr<Scene> s;
    if (!s)
        s = std::make_unique<Scene>();
    return *s;
}

RuVaPnt2d Around(const RuVaPnt2d& c, double r, double t)
{
    return RuVaPnt2d(c.X() + r * std::cos(t), c.Y() + r * std::sin(t));
}

// The command set up by the function, then the cursor moved along the world path.
void Moves(benchmark::State& state, const std::function<CommandBase*(Scene&)>& setUp,
           const std::function<RuVaPnt2d(double)>& path)
{
    Scene& s = TheScene();
    CommandBase* pCommand = setUp(s);
    if (pCommand == nullptr || s.manager.GetActiveCommand() != pCommand) {
        state.SkipWithError("the command did not start");
        return;
    }
    // Giving the inputs invalidated the picture: drawn again, as the window's paint would.
    s.view->DrawView(nullptr);
    std::vector<CPoint> cursor;
    for (int i = 0; i < 256; ++i)
        cursor.push_back(s.view->ConvertPointWorldToClient(path(i * 2.0 * M_PI / 256.0)));
    // The preview must show: the frame after one move differs from the plain one.
    s.view->RestoreView();
    const QImage plain = s.view->GetFrame() != nullptr ? s.view->GetFrame()->copy() : QImage();
    s.manager.OnMouseMove(0, cursor[7]);
    const QImage shown = s.view->GetFrame() != nullptr ? s.view->GetFrame()->copy() : QImage();
    long changed = 0;
    for (int y = 0; y < std::min(plain.height(), shown.height()); ++y)
        for (int x = 0; x < std::min(plain.width(), shown.width()); ++x)
            changed += plain.pixel(x, y) != shown.pixel(x, y) ? 1 : 0;
    state.counters["preview_px"] = static_cast<double>(changed);
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

void BM_LinearBetweenParallelPicks(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33552);
        s.manager.SetParameterAlternative(nullptr, 0, 2);
        s.Pick(p, LinearDimension2dCommand::itemFirstParallel, s.lower, RuVaPnt2d(kWork.X() + 40, kWork.Y() - 20));
        s.Pick(p, LinearDimension2dCommand::itemSecondParallel, s.upper, RuVaPnt2d(kWork.X() + 40, kWork.Y()));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 40, kWork.Y() - 10), 25, t); });
}
void BM_BaselineRowOf50Points(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33567);
        s.Give(p, ContinueLinearDimension2dCommand::itemFirstPoint, RuVaPnt2d(kWork.X(), kWork.Y() - 40));
        s.Give(p, ContinueLinearDimension2dCommand::itemSecondPoint, RuVaPnt2d(kWork.X() + 2, kWork.Y() - 40));
        s.Give(p, ContinueLinearDimension2dCommand::itemPosition, RuVaPnt2d(kWork.X() + 1, kWork.Y() - 45));
        auto* pList = static_cast<PointArrayParameterItem*>(p->FindItem(ContinueLinearDimension2dCommand::itemFurtherPoints));
        for (int i = 0; i < 47; ++i)
            pList->AddPoint(RuVaPnt2d(kWork.X() + 4 + 2 * i, kWork.Y() - 40));
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(ContinueLinearDimension2dCommand::itemFurtherPoints));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 110, kWork.Y() - 40), 5, t); });
}
void BM_ArcLengthOfAPickedArc(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33559);
        s.Pick(p, ArcDimension2dCommand::itemShape, s.arc, RuVaPnt2d(kWork.X() + 40, kWork.Y() + 35));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 40, kWork.Y() + 20), 18 + 4 * std::sin(3 * t), t / 2); });
}
void BM_RadiusWithLeader(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33556);
        s.Choose(p, RadiusDimension2dCommand::itemLeaderMode, 1);
        s.Pick(p, RadiusDimension2dCommand::itemShape, s.circle, RuVaPnt2d(kWork.X() + 18, kWork.Y() + 25));
        s.Give(p, RadiusDimension2dCommand::itemPosition, RuVaPnt2d(kWork.X() + 16, kWork.Y() + 31));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 25, kWork.Y() + 40), 6, t); });
}
void BM_DiameterOfACircle(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33557);
        s.Pick(p, DiameterDimension2dCommand::itemShape, s.circle, RuVaPnt2d(kWork.X() + 18, kWork.Y() + 25));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 10, kWork.Y() + 25), 14, t); });
}
void BM_AngleOfTwoPickedLines(benchmark::State& state)
{
    Moves(state, [](Scene& s) {
        CommandBase* p = s.Start(33558);
        s.Pick(p, AngularDimension2dCommand::itemFirstLine, s.lower, RuVaPnt2d(kWork.X() + 30, kWork.Y() - 20));
        s.Pick(p, AngularDimension2dCommand::itemSecondLine, s.slanted, RuVaPnt2d(kWork.X() + 20, kWork.Y()));
        return p;
    }, [](double t) { return Around(RuVaPnt2d(kWork.X(), kWork.Y() - 20), 20, t); });
}
BENCHMARK(BM_LinearBetweenParallelPicks)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_BaselineRowOf50Points)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ArcLengthOfAPickedArc)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_RadiusWithLeader)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_DiameterOfACircle)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_AngleOfTwoPickedLines)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QGuiApplication app(argc, argv);
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    if (english.pModule != nullptr)
        AfxSetResourceHandle(english.pModule);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
