// The annotation commands' previews and the hatch by a click. The drawing holds 100,000 shapes (lines, arcs
// and circles spread over it) and beside them the shapes the commands work on (a circle, a line, a square of
// four lines, a component definition of 1,000 lines). Each command waits in the state where its preview works
// hardest in ordinary use; each iteration is one mouse-move message to the command manager until the overlay
// is finished (snapping on with every kind, 1600 x 1000 view zoomed to the work area). Counters: the 99th
// percentile and the slowest move in milliseconds.
// The hatch by a click is timed from the click to the picture drawn with the new fill (search, hatch, undo
// step, redraw) at 1,000, 10,000 and 100,000 shapes; the step is undone outside the timing. The tolerance
// editor's preview is timed per keystroke (a changed cell: the frame string built and drawn again).
//
// Run: scripts/build.sh bench bench_annotation_commands && build/bench/bin/bench_annotation_commands
#include <benchmark/benchmark.h>

#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

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
#include "command/DrawComponentParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/Balloon2dCommand.h"
#include "commands/shape/CToleranceEditDialog.h"
#include "commands/shape/DrawComponent2dCommand.h"
#include "commands/shape/Hatch2dCommand.h"
#include "commands/shape/Lead2dCommand.h"
#include "commands/shape/Text2dCommand.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/WinConstants.h"

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
// Where the commands' own shapes lie: below the spread shapes.
const RuVaPnt2d kWork(100.0, -60.0);

class CQZ2Doc* DocumentTag()
{
    static int tag = 0;
    return reinterpret_cast<class CQZ2Doc*>(&tag);
}

struct Scene {
    Draw2dDocument doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;
    long circle = -1, line = -1, component = -1;

    long AddShape(Feature2dBase& f) { return doc.AddFeature(&f, doc.GetActiveDrawingFeature(), 0); }

    explicit Scene(int nShapes)
    {
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
        Circle2dFeature c(kWork, 10.0);
        circle = AddShape(c);
        Line2dFeature l(RuVaPnt2d(kWork.X() + 30, kWork.Y() - 10), RuVaPnt2d(kWork.X() + 40, kWork.Y()));
        line = AddShape(l);
        // The square the hatch fills.
        const RuVaPnt2d q[4] = {RuVaPnt2d(kWork.X() + 60, kWork.Y() - 20), RuVaPnt2d(kWork.X() + 90, kWork.Y() - 20),
                                RuVaPnt2d(kWork.X() + 90, kWork.Y() + 10), RuVaPnt2d(kWork.X() + 60, kWork.Y() + 10)};
        for (int i = 0; i < 4; ++i) {
            Line2dFeature side(q[i], q[(i + 1) % 4]);
            AddShape(side);
        }
        // A component of 1,000 short lines.
        DrawComponent2dFeatureDefine def;
        def.SetComponentName(_T("Grille"));
        component = doc.AddDrawComponentDefine(def);
        DrawingFeatureBase* pDefine = doc.GetComponentDefineTable()->GetComponentDefine(component);
        for (int i = 0; i < 1000; ++i) {
            Line2dFeature bar(RuVaPnt2d(0.02 * i, 0), RuVaPnt2d(0.02 * i, 2.0 + (i % 7) * 0.1));
            doc.AddFeature(&bar, pDefine, 0);
        }
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        view = std::make_unique<Draw2dView>(&doc);
        view->SetDrawingFeature(doc.GetActiveDrawingFeature());
        view->SetGridVisible(FALSE);
        view->ResizeView(kWidth, kHeight);
        manager.SetDocument(DocumentTag(), &doc);
        manager.SetActiveDraw2dView(view.get());
        manager.SyncComponentItems(&doc);
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
    void ZoomToWork()
    {
        manager.CancelAllCommands();
        view->SetCenterPoint(RuVaPnt2d(kWork.X() + 40, kWork.Y()));
        view->SetScale(kWidth / 200.0);
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

RuVaPnt2d Around(const RuVaPnt2d& c, double r, double t)
{
    return RuVaPnt2d(c.X() + r * std::cos(t), c.Y() + r * std::sin(t));
}

void SetText(CommandBase* p, WORD id, const CString& text)
{
    static_cast<TextParameterItem*>(p->FindItem(id))->SetValue(text);
}

void ChooseList(Scene& s, CommandBase* p, WORD id, int value)
{
    ListParameterItem item;
    item.Copy(*p->FindItem(id));
    item.SetValue(value);
    s.manager.SetParameterValue(p->FindParameterIndex(id), item, TRUE);
}

// The command set up by the function, then moves along the world path.
void Moves(benchmark::State& state, const std::function<void(Scene&, CommandBase*&)>& setUp,
           const std::function<RuVaPnt2d(double)>& path)
{
    Scene& s = TheScene((int)state.range(0));
    s.ZoomToWork();
    CommandBase* pCommand = nullptr;
    setUp(s, pCommand);
    if (pCommand == nullptr || s.manager.GetActiveCommand() != pCommand) {
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

auto AroundWork = [](double t) { return Around(RuVaPnt2d(kWork.X() + 20, kWork.Y() + 20), 15, t); };

void BM_TextLine(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33512);
        SetText(p, Text2dCommand::itemText, _T("Annotation ABC 123"));
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(Text2dCommand::itemPoint));
    }, AroundWork);
}
void BM_TextParagraphOf20Lines(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33512);
        CString text;
        for (int i = 0; i < 20; ++i)
            text += _T("A line of the paragraph\n");
        SetText(p, Text2dCommand::itemText, text);
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(Text2dCommand::itemPoint));
    }, AroundWork);
}
void BM_LeaderKind7OnACircle(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33532);
        ChooseList(s, p, Lead2dCommand::itemKind, Lead2dCommand::kindDiameter);
        static_cast<FeatureParameterItem*>(p->FindItem(Lead2dCommand::itemShape))
            ->SetValue(FeatureLayout(s.circle, -1, -1), RuVaPnt2d(kWork.X() + 10, kWork.Y()));
        SetText(p, Lead2dCommand::itemText, CString(u"\u03C620"));
        static_cast<PointArrayParameterItem*>(p->FindItem(Lead2dCommand::itemTwoPoints))
            ->AddPoint(RuVaPnt2d(kWork.X() + 10, kWork.Y()));
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(Lead2dCommand::itemTwoPoints));
    }, [](double t) { return Around(kWork, 10, t); });
}
void BM_ChamferLeader(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33533);
        static_cast<FeatureParameterItem*>(p->FindItem(Lead2dCommand::itemShape))
            ->SetValue(FeatureLayout(s.line, -1, -1), RuVaPnt2d(kWork.X() + 35, kWork.Y() - 5));
        SetText(p, Lead2dCommand::itemText, _T("C7.07"));
        static_cast<PointArrayParameterItem*>(p->FindItem(Lead2dCommand::itemTwoPoints))
            ->AddPoint(RuVaPnt2d(kWork.X() + 35, kWork.Y() - 5));
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(Lead2dCommand::itemTwoPoints));
    }, AroundWork);
}
void BM_TwoPartBalloon(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33542);
        s.manager.SetParameterAlternative(nullptr, 0, 1);
        SetText(p, Balloon2dCommand::itemUpperText, _T("12"));
        SetText(p, Balloon2dCommand::itemLowerText, _T("3"));
        static_cast<PointArrayParameterItem*>(p->FindItem(Balloon2dCommand::itemPoints))->AddPoint(kWork);
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(Balloon2dCommand::itemPoints));
    }, AroundWork);
}
void BM_ThreeRowToleranceFrame(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        // The editor at the start is answered with a frame of three rows.
        QTimer::singleShot(0, []() {
            auto* pDialog = dynamic_cast<CToleranceEditDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
            if (pDialog == nullptr)
                return;
            pDialog->GetDlgItem(CToleranceEditDialog::kFrameEdit)
                ->SetWindowText(_T("\\j\\|\\n0.1\\m\\|A\\|B\\|C\\*\\>\\|0.05\\|A\\*\\f\\|0.02\\|D"));
            pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        p = s.Start(33547);
    }, AroundWork);
}
void BM_HatchPointListOf200(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33572);
        const int n = p->FindParameterIndex(Hatch2dCommand::itemInsidePoint);
        s.manager.SetParameterAlternative(nullptr, n, 2);
        KcArrayOfGePnt2d points;
        for (int i = 0; i < 200; ++i)
            points.Add(Around(RuVaPnt2d(kWork.X() + 20, kWork.Y() + 20), 25 + 3 * (i % 2), i * M_PI / 200.0));
        auto* pPoints = static_cast<PointArrayParameterItem*>(p->FindItem(Hatch2dCommand::itemPoints));
        pPoints->SetPoints(points);
        s.manager.SetCurrentParameter(nullptr, n);
    }, [](double t) { return Around(RuVaPnt2d(kWork.X() + 20, kWork.Y() + 10), 8, t); });
}
void BM_ComponentOf1000Shapes(benchmark::State& state)
{
    Moves(state, [](Scene& s, CommandBase*& p) {
        p = s.Start(33612);
        DrawComponentParameterItem value;
        value.Copy(*p->FindItem(DrawComponent2dCommand::itemComponent));
        value.SetValue(static_cast<int>(s.component));
        s.manager.SetParameterValue(0, value, TRUE);
        s.manager.SetCurrentParameter(nullptr, p->FindParameterIndex(DrawComponent2dCommand::itemPoint));
    }, AroundWork);
}
void BM_ImageRectangle(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(path);
    Moves(state, [path](Scene& s, CommandBase*& p) {
        QTimer::singleShot(0, [path]() {
            if (auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                pDialog->selectFile(path);
                static_cast<QDialog*>(pDialog)->accept();
            }
        });
        p = s.Start(33622);
        if (p != nullptr)
            static_cast<PointParameterItem*>(p->GetParameterItem(0))->SetValue(kWork);
        s.manager.SetCurrentParameter(nullptr, 1);
    }, AroundWork);
}
BENCHMARK(BM_TextLine)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_TextParagraphOf20Lines)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_LeaderKind7OnACircle)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ChamferLeader)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_TwoPartBalloon)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ThreeRowToleranceFrame)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_HatchPointListOf200)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ComponentOf1000Shapes)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_ImageRectangle)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// --- the hatch by a click -------------------------------------------------------------------------

void BM_HatchByAClick(benchmark::State& state)
{
    Scene& s = TheScene((int)state.range(0));
    s.ZoomToWork();
    CommandBase* p = s.Start(33572);
    if (p == nullptr) {
        state.SkipWithError("the command did not start");
        return;
    }
    const CPoint inside = s.view->ConvertPointWorldToClient(RuVaPnt2d(kWork.X() + 75, kWork.Y() - 5));
    int made = 0;
    for (auto _ : state) {
        const int before = s.doc.GetUndoCount();
        s.manager.OnMouseMove(0, inside);
        s.manager.OnLButtonDown(MK_LBUTTON, inside);
        s.manager.OnLButtonUp(0, inside);
        s.view->DrawView(nullptr);
        state.PauseTiming();
        if (s.doc.GetUndoCount() > before) {
            ++made;
            s.doc.Undo();
        }
        s.view->DrawView(nullptr);
        state.ResumeTiming();
    }
    state.counters["hatched"] = benchmark::Counter(made, benchmark::Counter::kAvgIterations);
    s.manager.CancelAllCommands();
}
BENCHMARK(BM_HatchByAClick)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// --- the tolerance editor's preview per keystroke ----------------------------------------------------

void BM_ToleranceEditorKeystroke(benchmark::State& state)
{
    Scene& s = TheScene(1000);
    CToleranceEditDialog dialog(nullptr, &s.doc);
    dialog.m_strText = _T("\\j\\|\\n0.1\\m\\|A\\|B\\|C\\*\\>\\|0.05\\|A\\*\\f\\|0.02\\|D");
    if (!dialog.Create(CToleranceEditDialog::IDD, nullptr)) {
        state.SkipWithError("no editor");
        return;
    }
    CWnd* pEdit = dialog.GetDlgItem(CToleranceEditDialog::kFirstToleranceEdit);
    int i = 0;
    for (auto _ : state)
        pEdit->SetWindowText(++i % 2 ? _T("\\n0.1\\m") : _T("\\n0.12\\m"));
    dialog.DestroyWindow();
}
BENCHMARK(BM_ToleranceEditorKeystroke)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    if (english.pModule != nullptr)
        AfxSetResourceHandle(english.pModule);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_scenes.clear();
    return 0;
}
