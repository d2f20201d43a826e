// The edit commands on generated drawings of mixed shapes (MixedDrawing), run by the real command manager
// over a data-model view:
// - Move, Copy, Rotate, Scale and Mirror of every shape of a 100,000-shape drawing, picked beforehand: the
//   timed part is the last input, from the manager handing it to OnInput to the closed undo step; the
//   counter undo_ms is the Undo of that step.
// - The rectangular array of 100 x 100 positions of 10 shapes, progress pumped every 100 shapes.
// - Previews per mouse move over the 100,000-shape drawing (mouse message to finished overlay, snapping on):
//   fillet and chamfer with the first line picked, offset with a line and a distance given, pick trim;
//   and the move drag with every shape picked. Counters: 99th percentile and slowest move in ms.
// - Offset of a polyline of 10,000 segments.
//
// Run: scripts/build.sh bench bench_edit_commands && build/bench/bin/bench_edit_commands
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include <sys/resource.h>

#include "MixedDrawing.h"
#include "command/AngleParameterItem.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/edit/Chamfer2dCommand.h"
#include "commands/edit/Fillet2dCommand.h"
#include "commands/edit/Move2dCommand.h"
#include "commands/edit/MoveMirror2dCommand.h"
#include "commands/edit/Offset2dCommand.h"
#include "commands/edit/RectangleArrangeCopy2dCommand.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

class CQZ2Doc* DocumentTag()
{
    static int tag = 0;
    return reinterpret_cast<class CQZ2Doc*>(&tag);
}

struct Scene {
    std::unique_ptr<Draw2dDocument> doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;

    explicit Scene(int nShapes)
    {
        doc = MixedDrawing::Make(nShapes);
        doc->ClearUndoRedoHistory();
        view = std::make_unique<Draw2dView>(doc.get());
        view->SetDrawingFeature(doc->GetActiveDrawingFeature());
        view->SetGridVisible(FALSE);
        view->ResizeView(kWidth, kHeight);
        view->ZoomAll();
        manager.SetDocument(DocumentTag(), doc.get());
        manager.SetActiveDraw2dView(view.get());
        view->DrawView(nullptr);
    }
    ~Scene()
    {
        manager.CancelAllCommands();
        manager.SetActiveDraw2dView(nullptr);
        manager.Shutdown();
    }
    CommandBase* Running() const { return manager.GetActiveCommand(); }
    int IndexOf(WORD id) const { return Running() != nullptr ? Running()->FindParameterIndex(id) : -1; }
    void SelectAll()
    {
        CArray<FeatureLayout> records;
        for (long id = doc->GetNextFeatureRecordID(-1); id != -1; id = doc->GetNextFeatureRecordID(id))
            records.Add(FeatureLayout(id, -1, -1));
        doc->GetSelectionManager()->UnselectAll(FALSE);
        doc->GetSelectionManager()->SelectFeatures(records, 1, nullptr, FALSE);
    }
    BOOL Point(WORD id, const RuVaPnt2d& p)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        PointParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(p);
        return manager.SetPointParameter(index, value, TRUE);
    }
    BOOL Angle(WORD id, double a)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        AngleParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(a);
        return manager.SetAngleParameter(index, value, TRUE);
    }
    BOOL Scale(WORD id, double x, double y)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        ScaleParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(x, y);
        return manager.SetScaleParameter(index, value, TRUE);
    }
    BOOL Length(WORD id, double l)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        LengthParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(l);
        return manager.SetLengthParameter(index, value, TRUE);
    }
    BOOL Pick(WORD id, long record, const RuVaPnt2d& p)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        FeatureParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(FeatureLayout(record, -1, -1), p);
        return manager.SetFeatureParameter(index, value, TRUE);
    }
    // The first line of the drawing and a point on it.
    long FirstLine(RuVaPnt2d& on) const
    {
        for (long id = doc->GetNextFeatureRecordID(-1); id != -1; id = doc->GetNextFeatureRecordID(id)) {
            if (const auto* l = dynamic_cast<const Line2dFeature*>(doc->GetFeature(id))) {
                on = RuVaPnt2d((l->GetStartPoint().X() * 3 + l->GetEndPoint().X()) / 4,
                               (l->GetStartPoint().Y() * 3 + l->GetEndPoint().Y()) / 4);
                return id;
            }
        }
        return -1;
    }
};

std::unique_ptr<Scene>& TheScene()
{
    static std::unique_ptr<Scene> scene;
    if (!scene)
        scene = std::make_unique<Scene>(100000);
    return scene;
}

// One transform of every shape: the inputs before the last are given untimed, the last is timed, then
// the Undo.
void Transform(benchmark::State& state, LPCTSTR identifier)
{
    Scene& s = *TheScene();
    const CString id(identifier);
    double undoMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        s.manager.CancelAllCommands();
        s.SelectAll();
        s.manager.StartCommand(id);
        const int undoBefore = s.doc->GetUndoCount();
        Clock::time_point t0;
        if (id == _T("Korvan.Edit.MoveMirror")) {
            s.Point(MoveMirror2dCommand::itemAxis1, RuVaPnt2d(0, 0));
            state.ResumeTiming();
            s.Point(MoveMirror2dCommand::itemAxis2, RuVaPnt2d(10, 10));
        } else if (id == _T("Korvan.Edit.Rotate")) {
            s.Point(Move2dCommand::itemBase, RuVaPnt2d(0, 0));
            state.ResumeTiming();
            s.Angle(Move2dCommand::itemAngle, 30);
        } else if (id == _T("Korvan.Edit.Scale")) {
            s.Point(Move2dCommand::itemBase, RuVaPnt2d(0, 0));
            state.ResumeTiming();
            s.Scale(Move2dCommand::itemScale, 1.5, 1.5);
        } else {
            s.Point(Move2dCommand::itemBase, RuVaPnt2d(0, 0));
            state.ResumeTiming();
            s.Point(Move2dCommand::itemDestination, RuVaPnt2d(5, 3));
        }
        state.PauseTiming();
        if (s.doc->GetUndoCount() != undoBefore + 1)
            state.SkipWithError("not one undo step");
        t0 = Clock::now();
        s.doc->Undo(1);
        undoMs = std::max(undoMs, Ms(t0));
        s.doc->ClearUndoRedoHistory();
        state.ResumeTiming();
    }
    state.counters["undo_ms"] = undoMs;
    state.counters["shapes"] = double(s.doc->GetFeatureCount());
}

void BM_Move(benchmark::State& state) { Transform(state, _T("Korvan.Edit.Move")); }
void BM_Copy(benchmark::State& state) { Transform(state, _T("Korvan.Edit.Copy")); }
void BM_Rotate(benchmark::State& state) { Transform(state, _T("Korvan.Edit.Rotate")); }
void BM_Scale(benchmark::State& state) { Transform(state, _T("Korvan.Edit.Scale")); }
void BM_Mirror(benchmark::State& state) { Transform(state, _T("Korvan.Edit.MoveMirror")); }

void BM_RectangularArray100x100Of10(benchmark::State& state)
{
    auto doc = MixedDrawing::Make(10);
    doc->ClearUndoRedoHistory();
    CommandManager manager;
    manager.SetDocument(DocumentTag(), doc.get());
    CArray<FeatureLayout> shapes;
    for (long id = doc->GetNextFeatureRecordID(-1); id != -1; id = doc->GetNextFeatureRecordID(id))
        shapes.Add(FeatureLayout(id, -1, -1));
    RectangleArrangeCopy2dCommand::Grid grid;
    grid.nColumns = 100;
    grid.nRows = 100;
    grid.dColumnSpacing = 50;
    grid.dRowSpacing = 50;
    rusage before {};
    getrusage(RUSAGE_SELF, &before);
    for (auto _ : state) {
        RectangleArrangeCopy2dCommand::CopyGrid(doc.get(), &manager, shapes, grid);
        state.PauseTiming();
        doc->Undo(1);
        doc->ClearUndoRedoHistory();
        state.ResumeTiming();
    }
    rusage after {};
    getrusage(RUSAGE_SELF, &after);
    state.counters["copies"] = double(grid.nColumns * grid.nRows - 1) * shapes.GetSize();
    state.counters["peak_rss_mb"] = after.ru_maxrss / 1024.0;
    manager.Shutdown();
}

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

void Moves(benchmark::State& state, Scene& s)
{
    // The picture the overlays are drawn over, as the view has it after its last paint.
    s.view->DrawView(nullptr);
    const std::vector<CPoint> path = CursorPath();
    std::vector<double> times;
    times.reserve(1 << 16);
    double slowest = 0.0;
    size_t i = 0;
    long drawn = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        s.manager.OnMouseMove(0, path[i++ % path.size()]);
        const double ms = Ms(t0);
        drawn += s.view->GetFrame() != nullptr ? 1 : 0;
        slowest = std::max(slowest, ms);
        if (times.size() < times.capacity())
            times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["p99_ms"] = times[times.size() * 99 / 100];
    state.counters["slowest_ms"] = slowest;
    state.counters["with_picture"] = double(drawn) / double(std::max<long>(1, long(state.iterations())));
}

void BM_FilletPreview(benchmark::State& state)
{
    Scene& s = *TheScene();
    s.manager.CancelAllCommands();
    s.manager.StartCommand(_T("Korvan.Edit.Fillet"));
    RuVaPnt2d on;
    const long line = s.FirstLine(on);
    s.Length(Fillet2dCommand::itemRadius, 1.0);
    if (!s.Pick(Fillet2dCommand::itemFirstShape, line, on) || s.Running() == nullptr ||
        s.Running()->IsParameterEmpty(0))
        state.SkipWithError("the first shape was not taken");
    Moves(state, s);
    s.manager.CancelAllCommands();
}

void BM_ChamferPreview(benchmark::State& state)
{
    Scene& s = *TheScene();
    s.manager.CancelAllCommands();
    s.manager.StartCommand(_T("Korvan.Edit.Chamfer"));
    RuVaPnt2d on;
    const long line = s.FirstLine(on);
    s.Length(Chamfer2dCommand::itemLength1, 1.0);
    if (!s.Pick(Chamfer2dCommand::itemFirstShape, line, on) || s.Running() == nullptr ||
        s.Running()->IsParameterEmpty(0))
        state.SkipWithError("the first shape was not taken");
    Moves(state, s);
    s.manager.CancelAllCommands();
}

void BM_OffsetPreview(benchmark::State& state)
{
    Scene& s = *TheScene();
    s.manager.CancelAllCommands();
    s.manager.StartCommand(_T("Korvan.Edit.Offset"));
    RuVaPnt2d on;
    const long line = s.FirstLine(on);
    s.Length(Offset2dCommand::itemDistance, 1.0);
    s.Pick(Offset2dCommand::itemShape, line, on);
    Moves(state, s);
    s.manager.CancelAllCommands();
}

void BM_PickTrimPreview(benchmark::State& state)
{
    Scene& s = *TheScene();
    s.manager.CancelAllCommands();
    s.manager.StartCommand(_T("Korvan.Edit.Trim"));
    Moves(state, s);
    s.manager.CancelAllCommands();
}

void BM_MoveDragPreview(benchmark::State& state)
{
    Scene& s = *TheScene();
    s.manager.CancelAllCommands();
    s.SelectAll();
    s.manager.StartCommand(_T("Korvan.Edit.Move"));
    s.Point(Move2dCommand::itemBase, RuVaPnt2d(0, 0));
    Moves(state, s);
    s.manager.CancelAllCommands();
}

void BM_OffsetPolyline10000(benchmark::State& state)
{
    KcArrayOfGePnt2d points;
    for (int i = 0; i <= 10000; ++i)
        points.Add(RuVaPnt2d(i * 2.0, (i % 2) * 1.5 + std::sin(i * 0.01) * 30.0));
    const Polyline2dFeature polyline(points);
    for (auto _ : state) {
        std::unique_ptr<Feature2dBase> offset(FeatureCreator::CreateOffsetFeature(&polyline, 0.5, RuVaPnt2d(0, 100)));
        benchmark::DoNotOptimize(offset.get());
        if (!offset)
            state.SkipWithError("no offset");
    }
}

}  // namespace

BENCHMARK(BM_Move)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Rotate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Scale)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Mirror)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RectangularArray100x100Of10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilletPreview)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ChamferPreview)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OffsetPreview)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PickTrimPreview)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_MoveDragPreview)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_OffsetPolyline10000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

int main(int argc, char** argv)
{
    // Offscreen, with a settings store of its own so that the run leaves the user's settings alone.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    TheScene().reset();
    benchmark::Shutdown();
    return 0;
}
