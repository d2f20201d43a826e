// The grid with 100,000 rows of six columns (text, list, check) in an offscreen 800 x 600 window:
// painting the visible page, one wheel notch (scroll and paint), and inserting the rows without redraw.

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <cstdlib>
#include <memory>

#include "controls/CGridCtrl.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "platform/ole/COleVariant.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr int kRows = 100000;

void AddColumns(CGridCtrl& grid)
{
    const int kinds[] = {GridColumnItem::kindText, GridColumnItem::kindDropDownList, GridColumnItem::kindCheck};
    for (int c = 0; c < 6; ++c) {
        GridColumnItem column;
        column.m_nKind = kinds[c % 3];
        column.m_nWidth = c % 3 == 2 ? 50 : 140;
        column.m_strTitle.Format(u"Column %d", c + 1);
        for (const char16_t* t : {u"Red", u"Green", u"Blue"}) {
            column.m_itemTexts.Add(t);
            column.m_displayTexts.Add(t);
        }
        grid.InsertColumn(c, column);
    }
}

GridRowItem MakeRow(int r)
{
    GridRowItem row;
    for (int c = 0; c < 6; ++c) {
        COleVariant value;
        switch (c % 3) {
        case 0: value = COleVariant(CString(u"Row text ") + CString(std::to_string(r).c_str())); break;
        case 1: value = COleVariant(static_cast<LONG>(r % 3), VT_I4); break;
        default: value = COleVariant(static_cast<short>(r % 2 ? -1 : 0), VT_BOOL); break;
        }
        row.SetValue(c, &value);
    }
    return row;
}

struct Scene
{
    CWnd host;
    CGridCtrl grid;
    Scene()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), u"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820, 640, nullptr, nullptr);
        grid.Create(WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 800, 600), &host, 1);
        AddColumns(grid);
        for (int r = 0; r < kRows; ++r)
            grid.InsertRow(-1, MakeRow(r), FALSE);
        grid.SendMessage(WM_SIZE, 0, MAKELPARAM(800, 600));
        grid.SetCurrentCell(3, 1);
        grid.GetRow(2)->m_bSelected = TRUE;
    }
    ~Scene()
    {
        grid.DestroyWindow();
        host.DestroyWindow();
    }
};

std::unique_ptr<Scene> g_scene;

Scene& TheScene()
{
    if (!g_scene)
        g_scene = std::make_unique<Scene>();
    return *g_scene;
}

void BM_GridPaintPage(benchmark::State& state)
{
    Scene& scene = TheScene();
    QWidget* pWidget = scene.grid.GetQWidget();
    for (auto _ : state) {
        QImage image = pWidget->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
        QCoreApplication::sendPostedEvents();  // what the event loop would do next
    }
}

void BM_GridWheelNotch(benchmark::State& state)
{
    Scene& scene = TheScene();
    QWidget* pWidget = scene.grid.GetQWidget();
    int notch = 0;
    for (auto _ : state) {
        // Back to the top near the end (untimed), so that every notch scrolls.
        if (scene.grid.GetTopRow() > kRows - 100) {
            state.PauseTiming();
            scene.grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
            state.ResumeTiming();
        }
        scene.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
        QImage image = pWidget->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
        QCoreApplication::sendPostedEvents();  // what the event loop would do next
        ++notch;
    }
    state.counters["notches"] = notch;
}

void BM_GridInsertRowsWithoutRedraw(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Scene& scene = TheScene();
        scene.grid.DeleteAllRows(FALSE);
        state.ResumeTiming();
        for (int r = 0; r < kRows; ++r)
            scene.grid.InsertRow(-1, MakeRow(r), FALSE);
    }
}

}  // namespace

BENCHMARK(BM_GridPaintPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridWheelNotch)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_GridInsertRowsWithoutRedraw)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    // Offscreen, with a settings store of its own so that the run leaves the user's settings alone.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_scene.reset();
    return 0;
}
