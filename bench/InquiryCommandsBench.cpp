// The measure, attribute and view commands on generated drawings of mixed shapes (MixedDrawing), run by
// the real command manager over a data-model view, their dialogs answered at once from a timer:
// - Area by inner point on a 10,000-shape drawing around which a closed outline of lines and an arc lies:
//   from the manager handing the click to OnInput to the closed result dialog.
// - The attribute dialog's opening (build, fill and show) on 100,000 shapes with attributes, all picked.
// - Window zoom (the second click) and pan, per mouse move, on the 100,000-shape drawing.
// - A colour change of the 100,000 shapes through Change Basic Shape Setting: gathering and write-back,
//   without the time the style dialog waits for the user; and the Undo of that step.
// - The selection filter sheet's opening on the 100,000 shapes with attributes.
//
// Run: scripts/build.sh bench bench_inquiry_commands && build/bench/bin/bench_inquiry_commands
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "MixedDrawing.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CAttributeDialog.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasureArea2dCommand.h"
#include "commands/edit/SelectionFilterCommand.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/CPropertySheet.h"
#include "settings/CFeatureSettingPropertyPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CGeneralFeatureSettingPage.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWinApp.h"

using namespace QZ2Command;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

class CQZ2Doc* DocumentTag()
{
    static int tag = 0;
    return reinterpret_cast<class CQZ2Doc*>(&tag);
}

// The area the last result dialog showed.
double g_lastArea = -1.0;

// Closes every modal dialog as soon as it shows.
void CloseDialogsAtOnce(QTimer& timer)
{
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, []() {
        if (auto* pResult = dynamic_cast<CMeasureResultDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget())))
            g_lastArea = pResult->m_dArea;
        if (auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget())))
            pDialog->EndDialog(IDCANCEL);
    });
    timer.start();
}

struct Scene {
    std::unique_ptr<Draw2dDocument> doc;
    std::unique_ptr<Draw2dView> view;
    CommandManager manager;

    explicit Scene(int nShapes)
    {
        doc = MixedDrawing::Make(nShapes);
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
    BOOL Point(WORD id, const RuVaPnt2d& p)
    {
        const int index = Running() != nullptr ? Running()->FindParameterIndex(id) : -1;
        if (index < 0)
            return FALSE;
        PointParameterItem value;
        value.Copy(*Running()->GetParameterItem(index));
        value.SetValue(p);
        return manager.SetPointParameter(index, value, TRUE);
    }
};

void BM_AreaByInnerPoint(benchmark::State& state)
{
    Scene scene(10000);
    // A closed outline beyond the mixed shapes' corner: three lines and a half circle.
    const RuVaPnt2d c = scene.view->ConvertPointClientToWorld(CPoint(kWidth - 40, kHeight - 40), TRUE);
    const double r = 20.0;
    const Line2dFeature left(RuVaPnt2d(c.X() - r, c.Y()), RuVaPnt2d(c.X() - r, c.Y() - r));
    const Line2dFeature bottom(RuVaPnt2d(c.X() - r, c.Y() - r), RuVaPnt2d(c.X() + r, c.Y() - r));
    const Line2dFeature right(RuVaPnt2d(c.X() + r, c.Y() - r), RuVaPnt2d(c.X() + r, c.Y()));
    const Arc2dFeature top(c, r, 0, 180);
    for (const Feature2dBase* p : {static_cast<const Feature2dBase*>(&left), static_cast<const Feature2dBase*>(&bottom),
                                   static_cast<const Feature2dBase*>(&right), static_cast<const Feature2dBase*>(&top)})
        scene.doc->AddFeature(p, scene.doc->GetActiveDrawingFeature(), 1);
    scene.manager.StartCommand(_T("Korvan.Tools.MeasureArea"));
    CommandParameter* pFirst = scene.Running()->GetParameter(0);
    for (int i = 0; i < pFirst->GetItemCount(); ++i) {
        if (pFirst->GetItem(i)->GetId() == MeasureArea2dCommand::itemInnerPoint)
            scene.manager.SetParameterAlternative(scene.Running(), 0, i);
    }
    QTimer closer;
    CloseDialogsAtOnce(closer);
    for (auto _ : state) {
        const auto t0 = Clock::now();
        scene.Point(MeasureArea2dCommand::itemInnerPoint, RuVaPnt2d(c.X(), c.Y() - r / 2));
        state.SetIterationTime(Ms(t0) / 1000.0);
    }
    // The outline's exact area is 2r * r + pi r^2 / 2.
    state.counters["area"] = g_lastArea;
    state.counters["exact"] = 2 * r * r + 3.14159265358979323846 * r * r / 2;
}

void BM_AttributeDialogOpen(benchmark::State& state)
{
    Scene scene(100000);
    CArray<FeatureLayout> picked;
    int n = 0;
    for (long id = scene.doc->GetNextFeatureRecordID(-1); id != -1; id = scene.doc->GetNextFeatureRecordID(id), ++n) {
        FeatureAttribute list;
        CString part;
        part.Format(_T("P-%d"), n % 500);
        list.AddAttribute(_T("Part"), part, 0);
        list.AddAttribute(_T("Maker"), n % 2 ? _T("K") : _T("M"), 0);
        std::unique_ptr<Feature2dBase> copy(scene.doc->GetFeature(id)->CopyObject());
        copy->SetAttribute(list);
        scene.doc->UpdateFeature(id, copy.get(), 0, 0xFFFF);
        picked.Add(FeatureLayout(id, -1, -1));
    }
    QTimer closer;
    CloseDialogsAtOnce(closer);
    for (auto _ : state) {
        scene.manager.StartCommand(_T("Korvan.Settings.Attributes"));
        FeatureGroupParameterItem value;
        value.Copy(*scene.Running()->GetParameterItem(0));
        value.AddGroup(picked, 4, nullptr, 0);
        const auto t0 = Clock::now();
        scene.manager.SetFeatureGroupParameter(0, value, TRUE, TRUE);
        state.SetIterationTime(Ms(t0) / 1000.0);
        scene.manager.CancelAllCommands();
    }
}

void BM_PanPerMouseMove(benchmark::State& state)
{
    Scene scene(100000);
    scene.manager.SetViewCommandMode(9);
    scene.manager.OnLButtonDown(MK_LBUTTON, CPoint(800, 500));
    int x = 800;
    int step = 3;
    for (auto _ : state) {
        x += step;
        if (x > 1200 || x < 400)
            step = -step;
        const auto t0 = Clock::now();
        scene.manager.OnMouseMove(MK_LBUTTON, CPoint(x, 500));
        scene.view->DrawView(nullptr);
        state.SetIterationTime(Ms(t0) / 1000.0);
    }
    scene.manager.OnLButtonUp(0, CPoint(x, 500));
}

void BM_WindowZoomSecondClick(benchmark::State& state)
{
    Scene scene(100000);
    for (auto _ : state) {
        scene.view->ZoomAll();
        scene.manager.SetViewCommandMode(2);
        scene.manager.OnLButtonDown(0, CPoint(600, 400));
        const auto t0 = Clock::now();
        scene.manager.OnLButtonDown(0, CPoint(1000, 700));
        scene.view->DrawView(nullptr);
        state.SetIterationTime(Ms(t0) / 1000.0);
    }
}

void BM_ChangeBasicShapeColour(benchmark::State& state)
{
    Scene scene(100000);
    CArray<FeatureLayout> picked;
    for (long id = scene.doc->GetNextFeatureRecordID(-1); id != -1; id = scene.doc->GetNextFeatureRecordID(id))
        picked.Add(FeatureLayout(id, -1, -1));
    // The dialog is answered as soon as it shows: the colour set and OK pressed; the wait is left out.
    Clock::time_point shown;
    Clock::time_point confirmed;
    short colour = 2;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&]() {
        auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
        if (pDialog == nullptr || pDialog->GetSafeHwnd() == nullptr)
            return;
        shown = Clock::now();
        pDialog->SelectPage(CFeatureSettingPropertyPage::kGeneralPage);
        if (auto* pPage = static_cast<CGeneralFeatureSettingPage*>(pDialog->GetPage(CFeatureSettingPropertyPage::kGeneralPage)))
            pPage->m_colorList.SetColorNo(colour);
        confirmed = Clock::now();
        pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    answer.start();
    double undoMs = 0.0;
    double gatherMs = 0.0;
    double writeMs = 0.0;
    int undos = 0;
    for (auto _ : state) {
        colour = colour == 2 ? 3 : 2;
        scene.doc->ClearUndoRedoHistory();
        scene.manager.StartCommand(_T("Korvan.Edit.ChangeBasicShapeSetting"));
        FeatureGroupParameterItem value;
        value.Copy(*scene.Running()->GetParameterItem(0));
        value.AddGroup(picked, 4, nullptr, 0);
        const auto t0 = Clock::now();
        scene.manager.SetFeatureGroupParameter(0, value, TRUE, TRUE);
        const auto t1 = Clock::now();
        state.SetIterationTime((std::chrono::duration<double>(shown - t0) + std::chrono::duration<double>(t1 - confirmed)).count());
        gatherMs += std::chrono::duration<double, std::milli>(shown - t0).count();
        writeMs += std::chrono::duration<double, std::milli>(t1 - confirmed).count();
        scene.manager.CancelAllCommands();
        if (scene.doc->GetUndoCount() != 1)
            state.SkipWithError("the change is not one undo step");
        const auto u0 = Clock::now();
        scene.doc->Undo(1);
        undoMs += Ms(u0);
        ++undos;
    }
    state.counters["undo_ms"] = undos > 0 ? undoMs / undos : 0.0;
    state.counters["gather_ms"] = undos > 0 ? gatherMs / undos : 0.0;
    state.counters["write_ms"] = undos > 0 ? writeMs / undos : 0.0;
}

void BM_SelectionFilterSheetOpen(benchmark::State& state)
{
    Scene scene(100000);
    int n = 0;
    for (long id = scene.doc->GetNextFeatureRecordID(-1); id != -1; id = scene.doc->GetNextFeatureRecordID(id), ++n) {
        FeatureAttribute list;
        CString part;
        part.Format(_T("P-%d"), n % 500);
        list.AddAttribute(_T("Part"), part, 0);
        std::unique_ptr<Feature2dBase> copy(scene.doc->GetFeature(id)->CopyObject());
        copy->SetAttribute(list);
        scene.doc->UpdateFeature(id, copy.get(), 0, 0xFFFF);
    }
    // Every page is shown once (the layer, colour and attribute lists built), then the sheet is closed.
    Clock::time_point shown;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&]() {
        auto* pSheet = dynamic_cast<CPropertySheet*>(CWnd::FromQWidget(QApplication::activeModalWidget()));
        if (pSheet == nullptr || pSheet->GetSafeHwnd() == nullptr)
            return;
        for (int i = 0; i < pSheet->GetPageCount(); ++i)
            pSheet->SetActivePage(i);
        shown = Clock::now();
        pSheet->EndDialog(IDCANCEL);
    });
    answer.start();
    for (auto _ : state) {
        SelectionFilter filter(*scene.doc->GetSelectionFilter());
        const auto t0 = Clock::now();
        SelectionFilterCommand::RunFilterSheet(scene.doc.get(), CString(_T("Selection Filter")), TRUE, filter);
        state.SetIterationTime(std::chrono::duration<double>(shown - t0).count());
    }
}

}  // namespace

BENCHMARK(BM_ChangeBasicShapeColour)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectionFilterSheetOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AreaByInnerPoint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_AttributeDialogOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PanPerMouseMove)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_WindowZoomSecondClick)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    // Offscreen, with a settings store of its own so that the run leaves the user's settings alone.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    CWinApp winApp;
    LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
    if (english.pModule != nullptr)
        AfxSetResourceHandle(english.pModule);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
