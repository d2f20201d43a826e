// The overview over a drawing of 100,000 mixed shapes in an offscreen 240 x 200 window: following a pan of
// the main view (the kept picture shown again with the moved frame) and rendering the drawing again (after
// a change of the document or the overview's own pan and zoom).
// The component palette over 1,000 definitions of 20-200 shapes each: from choosing the document in the
// palette's combo to the first page painted with its thumbnails (none kept from before), and one
// thumbnail made.

#include <benchmark/benchmark.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <cmath>
#include <memory>
#include <vector>

#include "MixedDrawing.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "structure/CDrawComponentBar.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/bcg/BCGPConstants.h"
#include "structure/CSkyViewBarWnd.h"

namespace {

struct Overview {
    std::unique_ptr<Draw2dDocument> doc = MixedDrawing::Make(100000);
    Draw2dView main{doc.get()};
    CWnd host;
    CSkyViewBarWnd sky;
    QWidget* widget = nullptr;

    Overview()
    {
        main.SetDrawingFeature(doc->GetActiveDrawingFeature());
        main.ResizeView(1200, 800);
        main.ZoomAll();
        host.CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 260, 220, nullptr,
                      nullptr);
        sky.Create(CRect(0, 0, 240, 200), &host, 2450);
        sky.SetMainViewForTest(&main);
        sky.SetDocument(doc.get());
        sky.GetOwnView().ZoomAll();
        widget = sky.GetQWidget();
        // grab() paints even though no window is shown on the offscreen platform.
        (void)widget->grab();
        main.ZoomIn(0.5);
    }
    ~Overview()
    {
        sky.DestroyWindow();
        host.DestroyWindow();
    }
};

Overview& Shared()
{
    static Overview* overview = new Overview;
    return *overview;
}

void BM_OverviewFollowsMainViewPan(benchmark::State& state)
{
    Overview& o = Shared();
    int step = 0;
    for (auto _ : state) {
        o.main.MoveView((step++ % 2) ? 7 : -7, 3);
        o.sky.InvalidateView();
        (void)o.widget->grab();
    }
    state.counters["renders"] = o.sky.GetRenderCount();
}
BENCHMARK(BM_OverviewFollowsMainViewPan)->Unit(benchmark::kMillisecond);

void BM_OverviewRendersTheDrawingAgain(benchmark::State& state)
{
    Overview& o = Shared();
    for (auto _ : state) {
        o.sky.UpdateView(1, 0);
        (void)o.widget->grab();
    }
    state.counters["renders"] = o.sky.GetRenderCount();
}
BENCHMARK(BM_OverviewRendersTheDrawingAgain)->Unit(benchmark::kMillisecond);

struct Palette {
    Draw2dDocument doc;
    Draw2dDocument empty;
    CWnd host;
    CDrawComponentBar bar;
    std::vector<long> ids;

    Palette()
    {
        doc.InitDocument();
        empty.InitDocument();
        // 1,000 definitions of 20 to 200 lines and circles each, every one a different picture.
        doc.BeginUndoOperation(nullptr);
        for (int i = 0; i < 1000; ++i) {
            DrawComponent2dFeatureDefine define;
            define.SetComponentName(CString(QStringLiteral("Part %1").arg(i, 4, 10, QLatin1Char('0')).toStdU16String().c_str()));
            const long id = doc.AddDrawComponentDefine(define);
            DrawComponent2dFeatureDefine* pDefine = doc.GetComponentDefineTable()->GetComponentDefine(id);
            const int shapes = 20 + (i * 37) % 181;
            for (int k = 0; k < shapes; ++k) {
                const double a = 0.1 * (k + i);
                if (k % 4 == 3) {
                    Circle2dFeature circle(RuVaPnt2d(10 * std::cos(a), 10 * std::sin(a)), 1 + k % 5);
                    doc.AddFeature(&circle, pDefine, 0);
                } else {
                    Line2dFeature line(RuVaPnt2d(k, 0), RuVaPnt2d(20 * std::cos(a), 20 * std::sin(a) + k % 7));
                    doc.AddFeature(&line, pDefine, 0);
                }
            }
            ids.push_back(id);
        }
        doc.EndUndoOperation();
        doc.ClearUndoRedoHistory();
        host.CreateEx(0, AfxRegisterWndClass(0), u"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 520, nullptr,
                      nullptr);
        bar.Create(u"Components", &host, CRect(0, 0, 260, 480), FALSE, 59428, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20,
                   0xF);
        bar.SetWindowPos(nullptr, 0, 0, 260, 480, SWP_NOZORDER);
        bar.AddDocument(u"Parts", &doc);
        bar.AddDocument(u"Empty", &empty);
    }
    ~Palette()
    {
        bar.DestroyWindow();
        host.DestroyWindow();
    }
    // Nothing kept: every thumbnail is made again when asked.
    void ForgetThumbnails()
    {
        for (long id : ids)
            doc.GetComponentDefineTable()->InvalidateThumbnail(id);
    }
};

Palette& SharedPalette()
{
    static Palette* palette = new Palette;
    return *palette;
}

void BM_PaletteChoosesADocumentAndPaintsTheFirstPage(benchmark::State& state)
{
    Palette& p = SharedPalette();
    long made = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.bar.SelectDocument(&p.empty);
        (void)p.bar.GetQWidget()->grab();
        p.ForgetThumbnails();
        const long before = DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount();
        state.ResumeTiming();
        p.bar.SelectDocument(&p.doc);
        (void)p.bar.GetQWidget()->grab();
        state.PauseTiming();
        made += DrawComponent2dFeatureDefineTable::GetThumbnailRenderCount() - before;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["listed"] = p.bar.GetList().GetItemCount();
    state.counters["thumbnails"] = benchmark::Counter(static_cast<double>(made), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PaletteChoosesADocumentAndPaintsTheFirstPage)->Unit(benchmark::kMillisecond);

void BM_PaletteMakesOneThumbnail(benchmark::State& state)
{
    Palette& p = SharedPalette();
    const DrawComponent2dFeatureDefineTable* pTable = p.doc.GetComponentDefineTable();
    size_t i = 0;
    for (auto _ : state) {
        const long id = p.ids[i++ % p.ids.size()];
        pTable->InvalidateThumbnail(id);
        benchmark::DoNotOptimize(pTable->GetThumbnailImage(id));
    }
}
BENCHMARK(BM_PaletteMakesOneThumbnail)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
