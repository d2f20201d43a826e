// The options dialog and the colour and line type tables offscreen: each opened to its first page or
// list painted (the line type table holding 2,000 user line types), the cursor and snap appearance
// previews repainted after a slider step, the colour dialog repainted after a click in the picker, and
// the line type list scrolled by a page and repainted. Then, in the whole program over a drawing of
// 100,000 mixed shapes, what OK of the colour table, of a line type change and of the drawing settings
// does, to the view painted again.
#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "BenchProgram.h"
#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "app/SystemEnvironment.h"
#include "command/ControlsNumericHooks.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/LineTypeFeature.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CView.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CColorSettingDialog.h"
#include "settings/CLineTypeSettingDialog.h"
#include "settings/COptionsTreeDialog.h"

namespace {

constexpr int kUserLineTypes = 2000;

struct Environment {
    Environment()
    {
        LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        if (english.pModule != nullptr)
            AfxSetResourceHandle(english.pModule);
        RegisterControlsNumericHooks();
        colors.InitializeColors();
        document.InitDocument();
        lineTypes.InitializeLineTypes();
        const double segments[4] = {5.0, 1.0, 1.0, 1.0};
        for (int i = 0; i < kUserLineTypes; ++i) {
            LineTypeFeature type;
            CString name;
            name.Format(u"User type %d", i);
            if (!type.SetLineType(static_cast<short>(LineTypeFeatureTable::kFirstUserNo + i), name, segments, 2 + i % 3) ||
                !lineTypes.SetLineType(type))
                std::abort();
        }
    }
    ColorFeatureTable colors;
    Draw2dDocument document;
    LineTypeFeatureTable lineTypes;
    SystemEnvironment options;
};

Environment& Shared()
{
    static Environment* environment = new Environment;
    return *environment;
}

// Deferred deletions and posted messages run as the event loop would run them between two uses.
void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::unique_ptr<COptionsTreeDialog> OpenOptions(int nPage)
{
    auto dialog = std::make_unique<COptionsTreeDialog>(&Shared().colors, nPage);
    dialog->SetSystemEnvironment(&Shared().options);
    if (!dialog->Create(CTreeDialog::IDD, nullptr))
        std::abort();
    dialog->ShowWindow(SW_SHOW);
    return dialog;
}

std::unique_ptr<CColorSettingDialog> OpenColourTable()
{
    auto dialog = std::make_unique<CColorSettingDialog>();
    dialog->SetColorTable(&Shared().colors);
    if (!dialog->Create(CColorSettingDialog::IDD, nullptr))
        std::abort();
    dialog->ShowWindow(SW_SHOW);
    return dialog;
}

std::unique_ptr<CLineTypeSettingDialog> OpenLineTypeTable()
{
    auto dialog = std::make_unique<CLineTypeSettingDialog>();
    dialog->SetLineTypeTable(&Shared().lineTypes, &Shared().document);
    if (!dialog->Create(CLineTypeSettingDialog::IDD, nullptr))
        std::abort();
    dialog->ShowWindow(SW_SHOW);
    return dialog;
}

// From making the dialog to its first page or list painted; its end is not measured.
template <class Open>
void OpenAndPaint(benchmark::State& state, Open open)
{
    Shared();
    for (auto _ : state) {
        auto dialog = open();
        benchmark::DoNotOptimize(dialog->GetQWidget()->grab());
        state.PauseTiming();
        dialog->DestroyWindow();
        dialog.reset();
        Settle();
        state.ResumeTiming();
    }
}

void BM_OpenTheOptionsDialog(benchmark::State& state)
{
    OpenAndPaint(state, [] { return OpenOptions(0); });
}
BENCHMARK(BM_OpenTheOptionsDialog)->Unit(benchmark::kMillisecond);

void BM_OpenTheColourTable(benchmark::State& state)
{
    OpenAndPaint(state, OpenColourTable);
}
BENCHMARK(BM_OpenTheColourTable)->Unit(benchmark::kMillisecond);

void BM_OpenALineTypeTableOf2000UserTypes(benchmark::State& state)
{
    OpenAndPaint(state, OpenLineTypeTable);
    state.counters["rows"] = kUserLineTypes + LineTypeFeatureTable::kFixedLineTypeCount;
}
BENCHMARK(BM_OpenALineTypeTableOf2000UserTypes)->Unit(benchmark::kMillisecond);

// One step of a page's slider, as a drag delivers it, and the preview painted with it.
template <class Page>
void SliderStep(benchmark::State& state, Page COptionsTreeDialog::*pPage)
{
    std::unique_ptr<COptionsTreeDialog> dialog = OpenOptions(0);
    Page& page = (*dialog).*pPage;
    if (!dialog->SelectPage(&page))
        std::abort();
    Settle();
    int pos = page.m_slider.GetRangeMin();
    for (auto _ : state) {
        pos = pos < page.m_slider.GetRangeMax() ? pos + 1 : page.m_slider.GetRangeMin();
        page.m_slider.SetPos(pos);
        page.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(page.m_slider.GetSafeHwnd()));
        benchmark::DoNotOptimize(page.m_preview.GetQWidget()->grab());
    }
    dialog->DestroyWindow();
    Settle();
}

void BM_CursorPreviewPerSliderStep(benchmark::State& state)
{
    SliderStep(state, &COptionsTreeDialog::m_cursor);
}
BENCHMARK(BM_CursorPreviewPerSliderStep)->Unit(benchmark::kMillisecond);

void BM_SnapAppearancePreviewPerSliderStep(benchmark::State& state)
{
    SliderStep(state, &COptionsTreeDialog::m_snapAppearance);
}
BENCHMARK(BM_SnapAppearancePreviewPerSliderStep)->Unit(benchmark::kMillisecond);

// A click at alternating places of the hue and saturation picker; what the click changed is painted
// (the whole dialog is grabbed, so the figure is an upper bound).
void BM_ColourDialogAfterAPickerClick(benchmark::State& state)
{
    Shared();
    std::unique_ptr<CColorSettingDialog> pDialog = OpenColourTable();
    CColorSettingDialog& dialog = *pDialog;
    Settle();
    CRect rc;
    dialog.m_picker.GetClientRect(&rc);
    int i = 0;
    for (auto _ : state) {
        const CPoint p(rc.Width() * (1 + i % 7) / 9, rc.Height() * (1 + i % 5) / 7);
        ++i;
        dialog.m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        dialog.m_picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dialog.GetQWidget()->grab());
    }
    dialog.DestroyWindow();
    Settle();
}
BENCHMARK(BM_ColourDialogAfterAPickerClick)->Unit(benchmark::kMillisecond);

// The list of 2,015 line types scrolled down a page (back to the top at the end) and painted.
void BM_LineTypeListScrolledByAPage(benchmark::State& state)
{
    Shared();
    std::unique_ptr<CLineTypeSettingDialog> pDialog = OpenLineTypeTable();
    CLineTypeSettingDialog& dialog = *pDialog;
    Settle();
    QWidget* list = dialog.m_list.GetQWidget();
    CRect row;
    dialog.m_list.GetItemRect(0, &row, LVIR_BOUNDS);
    const int page = std::max(1, dialog.m_list.GetCountPerPage()) * std::max(1, row.Height());
    for (auto _ : state) {
        const int top = dialog.m_list.GetTopIndex();
        dialog.m_list.Scroll(CSize(0, page));
        if (dialog.m_list.GetTopIndex() == top)
            dialog.m_list.Scroll(CSize(0, -top * row.Height()));
        benchmark::DoNotOptimize(list->grab());
    }
    dialog.DestroyWindow();
    Settle();
}
BENCHMARK(BM_LineTypeListScrolledByAPage)->Unit(benchmark::kMillisecond);

// ---- OK of the tables in the program, on 100,000 shapes ----------------------------------------------

constexpr int kShapes = 100000;

struct Drawing {
    Draw2dDocument* model = nullptr;
    QWidget* view = nullptr;
    Draw2dView* picture = nullptr;
    // The view after a command's OK: its kept picture is drawn anew with the new table.
    QPixmap Redrawn() const
    {
        picture->InvalidateView();
        return view->grab();
    }
};

Drawing OpenDrawing()
{
    BenchProgram::Program& p = BenchProgram::SharedWithShapes(kShapes);
    Drawing d;
    d.model = p.doc->GetDraw2dDocument();
    CMDIChildWnd* pChild = p.frame->MDIGetActive();
    CView* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
    if (pView == nullptr)
        std::abort();
    d.view = pView->GetQWidget();
    auto* pDrawView = dynamic_cast<CQZ2View*>(pView);
    if (auto* pTabs = dynamic_cast<CQZ2TabView*>(pView); pDrawView == nullptr && pTabs != nullptr)
        pDrawView = pTabs->GetActiveDrawView();
    if (pDrawView == nullptr)
        std::abort();
    d.picture = pDrawView->GetDraw2dView();
    d.view->grab();
    return d;
}

// The colour table command's OK: the edited table into the drawing as one undo step; the view repaints.
void BM_ColourTableOkOn100000Shapes(benchmark::State& state)
{
    const Drawing d = OpenDrawing();
    int i = 0;
    for (auto _ : state) {
        ColorFeatureTable table(*d.model->GetColorFeatureTable());
        table.SetColor(2, (i++ % 2) != 0 ? RGB(200, 0, 0) : RGB(0, 0, 200));
        d.model->BeginUndoOperation(nullptr);
        d.model->SetColorFeatureTable(table, 1);
        d.model->EndUndoOperation();
        benchmark::DoNotOptimize(d.Redrawn());
    }
}
BENCHMARK(BM_ColourTableOkOn100000Shapes)->Unit(benchmark::kMillisecond);

// The line type command's OK after a change of the pitch (a tenth of the shapes are dashed).
void BM_LineTypeChangeOkOn100000Shapes(benchmark::State& state)
{
    const Drawing d = OpenDrawing();
    int i = 0;
    for (auto _ : state) {
        const LineTypeFeatureTable table(*d.model->GetLineTypeFeatureTable());
        d.model->BeginUndoOperation(nullptr);
        d.model->SetLineTypeFeatureTable(table, 0, (i++ % 2) != 0 ? 2.0 : 1.0, 1);
        d.model->EndUndoOperation();
        benchmark::DoNotOptimize(d.Redrawn());
    }
}
BENCHMARK(BM_LineTypeChangeOkOn100000Shapes)->Unit(benchmark::kMillisecond);

// The drawing settings command's OK after a change of the line cap: every shape is updated.
void BM_DrawingSettingsOkOn100000Shapes(benchmark::State& state)
{
    const Drawing d = OpenDrawing();
    int i = 0;
    for (auto _ : state) {
        d.model->BeginUndoOperation(nullptr);
        d.model->SetLineCapMode((i++ % 2) != 0 ? 1 : 0, 0);
        d.model->EndUndoOperation();
        d.model->UpdateAllFeatures(1);
        benchmark::DoNotOptimize(d.Redrawn());
    }
}
BENCHMARK(BM_DrawingSettingsOkOn100000Shapes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return BenchProgram::RunBenchmarks(argc, argv);
}
