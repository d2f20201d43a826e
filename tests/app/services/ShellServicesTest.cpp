// What commands and bars get from the running program through the command manager and the main frame:
// progress that the user cancels, the property bar following the selection, the active view and its
// document, the layer of the selection, help without a help document and the selection pane.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QLabel>

#include "app/CMainFrame.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/bcg/CBCGPBaseRibbonElement.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/WinConstants.h"
#include "property/CPropertyBar.h"
#include "property/FeaturePropertyBase.h"
#include "property/LayerFeatureProperty.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/support/app/RecordingCmdUI.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

constexpr UINT kCancelPane = 167;
constexpr UINT kSelectionPane = 169;
constexpr UINT kLayerFromSelection = 34247;
constexpr UINT kLineCommand = 33412;

class ShellServicesTest : public ProgramFixture
{
protected:
    static CQZ2TabView* TabViewOf(CQZ2Doc* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != nullptr)
            if (auto* pTabView = dynamic_cast<CQZ2TabView*>(pDoc->GetNextView(pos)))
                return pTabView;
        return nullptr;
    }

    static long AddLine(Draw2dDocument* pModel, double y, long nLayer = -1)
    {
        Line2dFeature line(RuVaPnt2d(0, y), RuVaPnt2d(50, y));
        if (nLayer > 0)
            line.SetLayerID(nLayer);
        return pModel->AddFeature(&line, pModel->GetActiveDrawingFeature(), 1);
    }

    static void Select(Draw2dDocument* pModel, const std::vector<long>& ids)
    {
        CArray<FeatureLayout> records;
        for (long id : ids)
            records.Add(FeatureLayout(id, pModel->GetActiveLayoutID(), -1));
        pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, TRUE);
        Pump();
    }

    static std::vector<long> ShownRecords(const CPropertyBar* pBar)
    {
        std::vector<long> ids;
        for (int i = 0; i < pBar->GetFeaturePropertyCount(); ++i)
            ids.push_back(dynamic_cast<const ShapeFeaturePropertyBase*>(pBar->GetFeatureProperty(i))->GetRecordID());
        return ids;
    }
};

}  // namespace

TEST_F(ShellServicesTest, ALoopOfProgressStepsStopsOnceTheUserCancels)
{
    // Escape on the frame, and the cancel pane's command.
    for (const bool bEscape : {true, false}) {
        ASSERT_TRUE(m_manager->BeginProgress(u"Working", 0, 1000, TRUE, 0)) << bEscape;
        EXPECT_TRUE(m_frame->IsProgressShown());
        EXPECT_FALSE(m_manager->IsProgressCancelled());
        int steps = 0;
        BOOL bGoing = TRUE;
        while (bGoing && steps < 100) {
            if (steps == 10) {
                if (bEscape)
                    ::PostMessage(m_frame->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
                else
                    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCancelPane, 0), 0);
            }
            bGoing = m_manager->StepProgress(TRUE, steps == 5 ? u"Half way" : nullptr);
            ++steps;
        }
        EXPECT_FALSE(bGoing) << bEscape;
        EXPECT_EQ(steps, 11) << bEscape;
        EXPECT_TRUE(m_manager->IsProgressCancelled()) << bEscape;
        const int nPos = m_frame->GetProgressPos();
        EXPECT_EQ(nPos, 10) << bEscape;
        // Later steps report the cancellation and the position stays.
        EXPECT_FALSE(m_manager->StepProgress(FALSE, u"more"));
        EXPECT_EQ(m_frame->GetProgressPos(), nPos);
        EXPECT_TRUE(m_manager->EndProgress());
        EXPECT_FALSE(m_frame->IsProgressShown());
        EXPECT_FALSE(m_manager->IsProgressCancelled());
    }
}

TEST_F(ShellServicesTest, WithoutTheFrameProgressServicesDoNothing)
{
    // The frame took its hooks back when it went.
    Stop();
    QZ2Command::CommandManager manager;
    EXPECT_FALSE(manager.BeginProgress(u"x", 0, 10, TRUE, 0));
    EXPECT_FALSE(manager.StepProgress(TRUE, u"x"));
    manager.PumpProgressMessages();
    EXPECT_FALSE(manager.IsProgressCancelled());
    EXPECT_FALSE(manager.EndProgress());
    EXPECT_EQ(manager.GetActiveDrawingViewWnd(), nullptr);
    manager.Shutdown();
}

TEST_F(ShellServicesTest, TheSelectionShowsInThePropertyBarWhileNoCommandRuns)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    ASSERT_NE(pBar, nullptr);
    const long a = AddLine(pModel, 0), b = AddLine(pModel, 10), c = AddLine(pModel, 20);
    EXPECT_EQ(pBar->GetShownKind(), 0u);

    Select(pModel, {a, c});
    EXPECT_EQ(pBar->GetShownKind(), 1u);
    std::vector<long> shown = ShownRecords(pBar);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<long>{a, c}));
    // The bar lists the rows two lines share: the common ones and start and end point.
    EXPECT_EQ(pBar->GetRowCount(), 9);

    // Emptying the selection empties the bar.
    EXPECT_TRUE(m_manager->UnselectAllWithNotify(pModel));
    Pump();
    EXPECT_EQ(pBar->GetShownKind(), 0u);
    EXPECT_EQ(pBar->GetFeaturePropertyCount(), 0);

    // A shape that goes away leaves the bar.
    Select(pModel, {b, c});
    ASSERT_EQ(pBar->GetFeaturePropertyCount(), 2);
    pModel->GetSelectionManager()->UnselectAll(FALSE);
    ASSERT_TRUE(pModel->DeleteFeature(b, 1));
    Pump();
    // The bar drops it at the next idle update.
    AfxGetApp()->OnIdle(0);
    EXPECT_EQ(ShownRecords(pBar), (std::vector<long>{c}));

    // A command that starts by clearing the selection empties the bar, and what its inputs select
    // does not show.
    Select(pModel, {a});
    ASSERT_EQ(pBar->GetShownKind(), 1u);
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kLineCommand, 0), 0);
    Pump();
    ASSERT_TRUE(m_manager->HasActiveCommand());
    EXPECT_TRUE(pModel->GetSelectionManager()->IsSelectionEmpty());
    EXPECT_EQ(pBar->GetShownKind(), 0u);
    Select(pModel, {a, c});
    EXPECT_EQ(pBar->GetShownKind(), 0u);
    m_manager->CancelAllCommands();
}

TEST_F(ShellServicesTest, TheBarLetsGoOfADocumentThatIsNoLongerCurrent)
{
    CQZ2Doc* pFirst = NewDrawing();
    ASSERT_NE(pFirst, nullptr);
    Draw2dDocument* pModel = pFirst->GetDraw2dDocument();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    const long a = AddLine(pModel, 0);
    Select(pModel, {a});
    ASSERT_EQ(pBar->GetShownKind(), 1u);

    // Another document comes to the front.
    CQZ2Doc* pSecond = NewDrawing();
    ASSERT_NE(pSecond, nullptr);
    ASSERT_EQ(m_manager->GetDocument(), pSecond);
    EXPECT_EQ(pBar->GetFeaturePropertyCount(), 0);

    // The current document closes.
    Draw2dDocument* pSecondModel = pSecond->GetDraw2dDocument();
    Select(pSecondModel, {AddLine(pSecondModel, 0)});
    ASSERT_EQ(pBar->GetShownKind(), 1u);
    pSecond->SetModifiedFlag(FALSE);
    pSecond->OnCloseDocument();
    Pump();
    // Nothing of it stays; the first document, current again, shows its selection.
    ASSERT_EQ(m_manager->GetDocument(), pFirst);
    ASSERT_EQ(ShownRecords(pBar), (std::vector<long>{a}));
    EXPECT_EQ(pBar->GetFeatureProperty(0)->GetDocument(), pModel);
}

TEST_F(ShellServicesTest, TheManagerShowsTheSelectionUnlessTheBarShowsShapesAlready)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CPropertyBar* pBar = m_frame->GetPropertyBar();
    const long a = AddLine(pModel, 0);
    const long b = AddLine(pModel, 5);
    EXPECT_FALSE(m_manager->ShowSelectionProperties());  // nothing selected

    // The bar shows a layer; the selection replaces it.
    CArray<FeatureLayout> records;
    records.Add(FeatureLayout(a, pModel->GetActiveLayoutID(), -1));
    pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, FALSE);
    QZ2Command::LayerFeatureProperty layer(pModel, pModel->AddLayer(u"L", -1));
    m_frame->ShowFeatureProperties(&layer, FALSE, FALSE);
    ASSERT_EQ(pBar->GetShownKind(), 2u);
    EXPECT_TRUE(m_manager->ShowSelectionProperties());
    EXPECT_EQ(pBar->GetShownKind(), 1u);
    EXPECT_EQ(ShownRecords(pBar), (std::vector<long>{a}));

    // Shapes shown already: nothing changes.
    records.Add(FeatureLayout(b, pModel->GetActiveLayoutID(), -1));
    pModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, FALSE);
    EXPECT_FALSE(m_manager->ShowSelectionProperties());
    EXPECT_EQ(ShownRecords(pBar), (std::vector<long>{a}));

    // A layer's bar lets go of its layers only.
    m_frame->ReleasePropertyBarDocument(2);
    EXPECT_EQ(pBar->GetShownKind(), 1u);
    m_frame->ReleasePropertyBarDocument(1);
    EXPECT_EQ(pBar->GetShownKind(), 0u);
}

TEST_F(ShellServicesTest, TheActiveViewFollowsTheTabViewAndItsDocument)
{
    CQZ2Doc* pFirst = NewDrawing();
    CQZ2Doc* pSecond = NewDrawing();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    CQZ2TabView* pFirstTabs = TabViewOf(pFirst);
    CQZ2TabView* pSecondTabs = TabViewOf(pSecond);
    ASSERT_NE(pFirstTabs, nullptr);
    ASSERT_NE(pSecondTabs, nullptr);
    ASSERT_EQ(m_manager->GetDocument(), pSecond);
    ASSERT_EQ(m_manager->GetActiveTabView(), pSecondTabs);

    // The frame's and the manager's drawing view are the active tab's.
    CQZ2View* pView = pSecondTabs->GetActiveDrawView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(m_frame->GetActiveDrawView(), pView);
    EXPECT_EQ(m_manager->GetActiveDrawingViewWnd(), pView);
    EXPECT_EQ(m_manager->GetView(), pView->GetDraw2dView());
    EXPECT_FALSE(m_manager->IsInPlaceItemActive());

    // A selection of the other document shows once its view becomes current.
    Draw2dDocument* pFirstModel = pFirst->GetDraw2dDocument();
    const long a = AddLine(pFirstModel, 0);
    CArray<FeatureLayout> records;
    records.Add(FeatureLayout(a, pFirstModel->GetActiveLayoutID(), -1));
    pFirstModel->GetSelectionManager()->SelectFeatures(records, 4, nullptr, FALSE);
    m_frame->ReleasePropertyBarDocument(1);

    m_manager->SetActiveView(pFirstTabs);
    EXPECT_EQ(m_manager->GetDocument(), pFirst);
    EXPECT_EQ(m_manager->GetDraw2dDocument(), pFirstModel);
    ASSERT_NE(pFirstTabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(m_manager->GetView(), pFirstTabs->GetActiveDrawView()->GetDraw2dView());
    EXPECT_EQ(pFirstModel->GetActiveDrawingFeature(), pFirstTabs->GetActiveDrawView()->GetDrawingFeature());
    EXPECT_EQ(ShownRecords(m_frame->GetPropertyBar()), (std::vector<long>{a}));

    // No view: the view command ends and no drawing view is left.
    m_manager->SetViewCommandMode(2);
    m_manager->SetActiveView(nullptr);
    EXPECT_EQ(m_manager->GetViewCommandMode(), 0);
    EXPECT_EQ(m_manager->GetView(), nullptr);
    EXPECT_EQ(m_manager->GetActiveDrawingViewWnd(), nullptr);
}

TEST_F(ShellServicesTest, NoDrawingViewWhileATableTabIsActive)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_NE(m_frame->GetActiveDrawView(), nullptr);
    ASSERT_TRUE(m_manager->ShowLayerTableView());
    Pump();
    EXPECT_EQ(m_frame->GetActiveDrawView(), nullptr);
    EXPECT_EQ(m_manager->GetActiveDrawingViewWnd(), nullptr);
}

TEST_F(ShellServicesTest, TheLayerOfTheLastSelectedShapeBecomesCurrentInOneUndoStep)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    const long nOther = pModel->AddLayer(u"Other", -1);
    ASSERT_GT(nOther, 0);
    const long nBefore = pModel->GetCurrentLayerID();
    ASSERT_NE(nBefore, nOther);

    // Nothing selected: nothing happens.
    const int nSteps = pModel->GetUndoCount();
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kLayerFromSelection, 0), 0);
    EXPECT_EQ(pModel->GetCurrentLayerID(), nBefore);
    EXPECT_EQ(pModel->GetUndoCount(), nSteps);

    const long a = AddLine(pModel, 0);
    const long b = AddLine(pModel, 10, nOther);
    Select(pModel, {a, b});
    const int nStepsBefore = pModel->GetUndoCount();
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kLayerFromSelection, 0), 0);
    EXPECT_EQ(pModel->GetCurrentLayerID(), nOther);
    EXPECT_EQ(pModel->GetUndoCount(), nStepsBefore + 1);
    ASSERT_TRUE(pModel->Undo());
    EXPECT_EQ(pModel->GetCurrentLayerID(), nBefore);
}

TEST_F(ShellServicesTest, HelpWithoutAHelpDocumentSaysSoUnlessContextHelpIsAsked)
{
    m_app->boxes.clear();
    m_frame->HtmlHelp(0, 1);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, LoadResourceString(61703).ToQString());

    m_app->boxes.clear();
    m_frame->SetContextHelpMode(TRUE);
    m_frame->HtmlHelp(0, 1);
    EXPECT_TRUE(m_app->boxes.empty());
    // A topic is help, not context help.
    m_frame->HtmlHelp(42, 0x000F);
    EXPECT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_frame->GetLastHelpContext(), 42u);
    m_frame->SetContextHelpMode(FALSE);
}

TEST_F(ShellServicesTest, TheSelectionPaneCountsTheSelectedShapes)
{
    CQZ2Doc* pDoc = NewDrawing();
    ASSERT_NE(pDoc, nullptr);
    Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
    CQZ2View* pView = m_frame->GetActiveDrawView();
    ASSERT_NE(pView, nullptr);
    auto paneText = [&]() {
        m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        m_frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        const CBCGPBaseRibbonElement* pPane = m_frame->GetStatusBar().FindElement(kSelectionPane);
        return pPane != nullptr ? CString(pPane->GetText()) : CString(u"<no pane>");
    };
    RecordingCmdUI none(kSelectionPane);
    none.DoUpdate(pView, FALSE);
    EXPECT_TRUE(none.enabled);
    EXPECT_EQ(none.text, CString());
    EXPECT_EQ(paneText().Trim(), CString());

    Select(pModel, {AddLine(pModel, 0), AddLine(pModel, 10), AddLine(pModel, 20)});
    CString expected;
    expected.Format(LoadResourceString(10123), 3);
    RecordingCmdUI three(kSelectionPane);
    three.DoUpdate(pView, FALSE);
    EXPECT_EQ(three.text, expected);
    EXPECT_EQ(paneText(), expected);

    // Another view current: empty.
    m_manager->SetActiveView(nullptr);
    RecordingCmdUI other(kSelectionPane);
    other.DoUpdate(pView, FALSE);
    EXPECT_EQ(other.text, CString());
}

TEST_F(ShellServicesTest, CommandsAskTheUserThroughTheApplicationsMessageBox)
{
    m_app->boxes.clear();
    m_app->answer = IDNO;
    EXPECT_EQ(m_manager->ShowMessageBox(u"Replace the shapes?", MB_YESNO), IDNO);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("Replace the shapes?"));
    EXPECT_EQ(m_app->boxes[0].type & 0x0F, static_cast<UINT>(MB_YESNO));
    // No text, no box.
    EXPECT_EQ(m_manager->ShowMessageBox(nullptr, MB_OK), 0);
    EXPECT_EQ(m_app->boxes.size(), 1u);
}
