// The common controls at the size of their rows, offscreen: painting the open list of 256 colour rows and
// of 32 line-type rows with mixed dash patterns, the colour combo's DropDown to the first complete paint of
// the palette and of the second palette, one spin notification of a numeric edit, and one refresh of the
// attribute combos after a current-attribute notification.
#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <memory>

#include "command/ControlsNumericHooks.h"
#include "controls/CQZ2DoubleEdit.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectColorWnd.h"
#include "controls/CSelectCurrentColorComboBox.h"
#include "controls/CSelectUserColorWnd.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr int kRowWidth = 200;
constexpr int kRowHeight = 16;

struct Environment {
    Environment()
    {
        static int argc = 1;
        static char name[] = "bench_controls";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (QCoreApplication::instance() == nullptr)
            new QApplication(argc, argv);
        LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        if (english.pModule != nullptr)
            AfxSetResourceHandle(english.pModule);
        RegisterControlsNumericHooks();
        colors.InitializeColors();
        lineTypes.InitializeLineTypes();
        // Up to 32 line types, user ones with patterns of 2 to 8 lengths.
        for (short no = 16; lineTypes.GetLineTypeSize() < 33; ++no) {
            LineTypeFeature lt;
            double pattern[8];
            const int count = 2 + 2 * (no % 4);
            for (int i = 0; i < count; ++i)
                pattern[i] = (i % 2 == 0) ? 1.0 + (no + i) % 9 : 0.5 + (i % 3);
            CString name;
            name.Format(u"User line type %d", no);
            lt.SetLineType(no, name, pattern, count);
            lineTypes.SetLineType(lt);
        }
        host = std::make_unique<CWnd>();
        host->CreateEx(0, AfxRegisterWndClass(0), u"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                       nullptr);
    }
    ColorFeatureTable colors;
    LineTypeFeatureTable lineTypes;
    std::unique_ptr<CWnd> host;
};

Environment& Env()
{
    static Environment env;
    return env;
}

void BM_DrawColorList256(benchmark::State& state)
{
    Environment& env = Env();
    QImage image(kRowWidth, kRowHeight * 256, QImage::Format_RGB32);
    CDC dc;
    dc.CreateFromPaintDevice(&image);
    for (auto _ : state) {
        for (int n = 1; n <= 256; ++n) {
            const CRect row(0, (n - 1) * kRowHeight, kRowWidth, n * kRowHeight);
            DrawColorItem(&dc, nullptr, &row, n, env.colors.GetColor(static_cast<short>(n)), n == 5, FALSE, n == 5,
                          TRUE, TRUE, TRUE, FALSE);
        }
    }
    dc.DeleteDC();
}
BENCHMARK(BM_DrawColorList256)->Unit(benchmark::kMillisecond);

void BM_DrawLineTypeList32(benchmark::State& state)
{
    Environment& env = Env();
    QImage image(kRowWidth, kRowHeight * 33, QImage::Format_RGB32);
    CDC dc;
    dc.CreateFromPaintDevice(&image);
    for (auto _ : state) {
        for (int i = 1; i < env.lineTypes.GetLineTypeSize(); ++i) {
            const LineTypeFeature* pType = env.lineTypes.GetAt(i);
            const CRect row(0, (i - 1) * kRowHeight, kRowWidth, i * kRowHeight);
            DrawLineTypeItem(&dc, nullptr, &row, pType->GetLineTypeNo(), pType, i == 3, FALSE, i == 3, TRUE, TRUE, TRUE,
                             TRUE, FALSE, TRUE, TRUE, 0);
        }
    }
    dc.DeleteDC();
}
BENCHMARK(BM_DrawLineTypeList32)->Unit(benchmark::kMillisecond);

// DropDown, then the palette's first complete paint (into an image, as the screen would get it).
void BM_DropDownColorPalette(benchmark::State& state)
{
    Environment& env = Env();
    CSelectColorComboBox combo;
    combo.Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 30), env.host.get(),
                 100);
    combo.SetColorTable(&env.colors);
    combo.SetColorNo(5);
    for (auto _ : state) {
        combo.DropDown();
        CSelectColorWnd* pPopup = combo.GetPopup();
        benchmark::DoNotOptimize(pPopup->GetQWidget()->grab());
        state.PauseTiming();
        pPopup->EndSelection(-2);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DropDownColorPalette)->Unit(benchmark::kMillisecond);

// The "other colours" button to the second palette's first complete paint.
void BM_OpenSecondPalette(benchmark::State& state)
{
    Environment& env = Env();
    CSelectColorComboBox combo;
    combo.Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 30), env.host.get(),
                 101);
    combo.SetColorTable(&env.colors);
    combo.SetColorNo(100);
    for (auto _ : state) {
        state.PauseTiming();
        combo.DropDown();
        CSelectColorWnd* pPopup = combo.GetPopup();
        const CPoint other = pPopup->GetOtherButtonRect().CenterPoint();
        state.ResumeTiming();
        pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(other.x, other.y));
        benchmark::DoNotOptimize(pPopup->GetUserColorWnd()->GetQWidget()->grab());
        state.PauseTiming();
        pPopup->EndSelection(-2);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSecondPalette)->Unit(benchmark::kMillisecond);

void BM_SpinNotification(benchmark::State& state)
{
    Environment& env = Env();
    CQZ2DoubleEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 110, 60), env.host.get(), 102);
    edit.SetValueKind(0);
    edit.m_bAllowNegative = TRUE;
    edit.SetValue(10.0);
    NMUPDOWN nm{};
    nm.iDelta = -1;
    for (auto _ : state)
        edit.OnDeltaPos(&nm);
}
BENCHMARK(BM_SpinNotification)->Unit(benchmark::kMicrosecond);

// The colour field's refresh after a current-colour notification (kind 11), with its repaint.
void BM_ToolbarRefreshAfterKind11(benchmark::State& state)
{
    Environment& env = Env();
    Draw2dDocument document;
    CSelectCurrentColorComboBox combo;
    combo.Create(0x213 | WS_CHILD | WS_VISIBLE, CRect(10, 70, 165, 90), env.host.get(), 103);
    combo.SetDocument(&document);
    for (auto _ : state) {
        combo.Refresh();
        benchmark::DoNotOptimize(combo.GetQWidget()->grab());
    }
}
BENCHMARK(BM_ToolbarRefreshAfterKind11)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
