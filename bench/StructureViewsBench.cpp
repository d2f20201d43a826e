// The overview over a drawing of 100,000 mixed shapes in an offscreen 240 x 200 window: following a pan of
// the main view (the kept picture shown again with the moved frame) and rendering the drawing again (after
// a change of the document or the overview's own pan and zoom).

#include <benchmark/benchmark.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <memory>

#include "MixedDrawing.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
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
        widget->repaint();
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
        o.widget->repaint();
    }
    state.counters["renders"] = o.sky.GetRenderCount();
}
BENCHMARK(BM_OverviewFollowsMainViewPan)->Unit(benchmark::kMillisecond);

void BM_OverviewRendersTheDrawingAgain(benchmark::State& state)
{
    Overview& o = Shared();
    for (auto _ : state) {
        o.sky.UpdateView(1, 0);
        o.widget->repaint();
    }
}
BENCHMARK(BM_OverviewRendersTheDrawingAgain)->Unit(benchmark::kMillisecond);

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
