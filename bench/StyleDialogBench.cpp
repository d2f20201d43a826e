// The style dialog offscreen, on a document with 20 named styles of each kind and 200 user hatch
// patterns: opening it (construct, load the kinds and collections, OnInitDialog to the first page and its
// preview), and from a committed change to the repainted preview for each page at its costliest focus. The
// hatch style is the first user pattern, so that opening on the hatch page draws the 200 pictures of its
// list; the pattern table opening draws them too.
#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>

#include <memory>

#include "command/ControlsNumericHooks.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingStylesBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/LineHatchPattern.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinMessages.h"
#include "settings/CBalloonSettingPage.h"
#include "settings/CDimensionAddTextSettingPage.h"
#include "settings/CDimensionSettingPage.h"
#include "settings/CDimensionTextSettingPage.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/CHatchPatternTableDialog.h"
#include "settings/CHatchSettingPage.h"
#include "settings/CLeadSettingPage.h"
#include "settings/CTextSettingPage.h"

namespace {

struct Environment {
    Environment()
    {
        static int argc = 1;
        static char name[] = "bench_style_dialog";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (QCoreApplication::instance() == nullptr)
            new QApplication(argc, argv);
        LanguageModuleResult english = AfxLoadLanguageModule(AfxGetResourceFolder(), u"ENG");
        if (english.pModule != nullptr)
            AfxSetResourceHandle(english.pModule);
        // The numeric fields write and read numbers in the program's notation.
        RegisterControlsNumericHooks();
        for (int i = 0; i < 20; ++i) {
            CString styleName;
            styleName.Format(u"Style %d", i);
            GeneralFeatureSetting general;
            general.SetColorNo(static_cast<short>(1 + i % 8));
            document.GetGeneralFeatureSettingStyles()->SetSettingStyle(styleName, &general);
            PointMarkerSetting marker;
            marker.SetSize(1.0 + i);
            document.GetPointMarkerSettingStyles()->SetSettingStyle(styleName, &marker);
            TextSetting text;
            text.SetHeight(2.0 + i);
            document.GetTextSettingStyles()->SetSettingStyle(styleName, &text);
            LeadSetting lead;
            lead.SetSize(1.0 + i);
            document.GetLeadSettingStyles()->SetSettingStyle(styleName, &lead);
            BalloonSetting balloon;
            balloon.SetSize(5.0 + i);
            document.GetBalloonSettingStyles()->SetSettingStyle(styleName, &balloon);
            DimensionSetting dimension;
            dimension.SetArrowSize1(1.0 + i);
            document.GetDimensionSettingStyles()->SetSettingStyle(styleName, &dimension);
        }
        for (int i = 0; i < 200; ++i) {
            LineHatchPattern pattern;
            CString patternName;
            patternName.Format(u"Pattern %d", i);
            pattern.SetPatternName(patternName);
            for (int line = 0; line < 2; ++line) {
                const int index = pattern.AddLineItem(LineHatchPatternLineItem());
                pattern.SetLineAngle(index, 45.0 * line + i);
                pattern.SetLineSpace(index, 2.0 + line);
            }
            const long nID = document.AddHatchPattern(&pattern);
            if (i == 0)
                firstPatternID = nID;
        }
        HatchSetting hatch;
        hatch.SetHatchType(2);
        hatch.SetPatternID(firstPatternID);
        document.SetHatchSetting(hatch);
    }
    long firstPatternID = -1;
    Draw2dDocument document;
};

Environment& Env()
{
    static Environment env;
    return env;
}

// The dialog as Settings > ... opens it: every kind and its collection loaded.
std::unique_ptr<CFeatureSettingTreeDialog> Open(int nPage)
{
    Draw2dDocument& doc = Env().document;
    auto pDialog = std::make_unique<CFeatureSettingTreeDialog>(&doc, -1, nPage, FALSE);
    GeneralFeatureSetting general;
    pDialog->SetGeneralFeatureSetting(&general);
    pDialog->SetPointMarkerSetting(doc.GetPointMarkerSetting());
    pDialog->SetTextSetting(doc.GetTextSetting());
    pDialog->SetLeadSetting(doc.GetLeadSetting());
    pDialog->SetBalloonSetting(doc.GetBalloonSetting());
    pDialog->SetDimensionSetting(doc.GetDimensionSetting());
    pDialog->SetHatchSetting(doc.GetHatchSetting());
    const FeatureSettingStylesBase* const styles[] = {
        doc.GetGeneralFeatureSettingStyles(), doc.GetPointMarkerSettingStyles(), doc.GetTextSettingStyles(),
        doc.GetLeadSettingStyles(),           doc.GetBalloonSettingStyles(),     doc.GetDimensionSettingStyles(),
        doc.GetHatchSettingStyles()};
    for (const FeatureSettingStylesBase* pStyles : styles)
        pDialog->SetFeatureSettingStyles(pStyles);
    pDialog->Create(CTreeDialog::IDD, nullptr);
    return pDialog;
}

void BM_OpenStyleDialog(benchmark::State& state)
{
    Env();
    for (auto _ : state) {
        std::unique_ptr<CFeatureSettingTreeDialog> pDialog = Open(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(pDialog->GetPreviewImage());
        state.PauseTiming();
        pDialog->DestroyWindow();
        pDialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStyleDialog)->Arg(12)->Arg(6)->Arg(11)->Unit(benchmark::kMillisecond);

// A committed change (a list choice) with the focus in the page's costliest field, to the repainted preview.
void Preview(benchmark::State& state, int nPage, int nFocusId, int nCommitId)
{
    Env();
    std::unique_ptr<CFeatureSettingTreeDialog> pDialog = Open(nPage);
    pDialog->ShowWindow(SW_SHOW);
    CFeatureSettingPropertyPage* pPage = pDialog->GetPage(nPage);
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr) {
        state.SkipWithError("page not shown");
        return;
    }
    pPage->GetDlgItem(nFocusId)->SetFocus();
    QCoreApplication::processEvents();
    CWnd* pCommit = pPage->GetDlgItem(nCommitId);
    for (auto _ : state) {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nCommitId, CBN_SELENDOK),
                           reinterpret_cast<LPARAM>(pCommit->GetSafeHwnd()));
        pDialog->GetDlgItem(CTreeDialog::kPreviewId)->UpdateWindow();
        benchmark::DoNotOptimize(pDialog->GetPreviewImage());
    }
    pDialog->DestroyWindow();
}

void BM_PreviewDimensionStandard(benchmark::State& state)
{
    Preview(state, 5, CDimensionSettingPage::kArrowPositionId, CDimensionSettingPage::kArrowPositionId);
}
void BM_PreviewDimensionTextPart(benchmark::State& state)
{
    Preview(state, 7, CDimensionAddTextSettingPage::kInsideRatioId, CDimensionAddTextSettingPage::kInsideVerticalId);
}
void BM_PreviewDimensionValueHeight(benchmark::State& state)
{
    Preview(state, 6, CDimensionTextSettingPage::kHeightId, CDimensionTextSettingPage::kVerticalId);
}
void BM_PreviewTwoLineText(benchmark::State& state)
{
    Preview(state, 2, CTextSettingPage::kLineSpacingId, CTextSettingPage::kBasePointId);
}
void BM_PreviewLead(benchmark::State& state)
{
    Preview(state, 3, CLeadSettingPage::kAngleId, CLeadSettingPage::kArrowId);
}
void BM_PreviewBalloon(benchmark::State& state)
{
    Preview(state, 4, CBalloonSettingPage::kKindId, CBalloonSettingPage::kKindId);
}
// The hatch page with the user pattern chosen: a region colour chosen, to the repainted preview.
void BM_PreviewHatchUserPattern(benchmark::State& state)
{
    Preview(state, 11, CHatchSettingPage::kRegionColorId, CHatchSettingPage::kRegionColorId);
}

// The pattern table with its 200 pictures, from construction to the filled list.
void BM_OpenPatternTable(benchmark::State& state)
{
    Env();
    for (auto _ : state) {
        auto pDialog = std::make_unique<CHatchPatternTableDialog>(nullptr, &Env().document);
        pDialog->Create(CHatchPatternTableDialog::IDD, nullptr);
        benchmark::DoNotOptimize(pDialog->GetPatternList().GetItemCount());
        state.PauseTiming();
        pDialog->DestroyWindow();
        pDialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewHatchUserPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPatternTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewDimensionStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewDimensionTextPart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewDimensionValueHeight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewTwoLineText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewLead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewBalloon)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
