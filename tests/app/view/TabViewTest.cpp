// The tab view of a document window, made by its frame as the template makes it: one tab per drawing,
// tabs following the document's drawings as they are added, renamed and deleted, and the document's
// active drawing and the command manager's view following the active tab.

#include "tests/app/view/TabViewFixture.h"

#include "app/CQZ2View.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/bcg/CBCGPTabWnd.h"

namespace {

using TabViewTest = TabViewFixture;

void Pump()
{
    PumpTabEvents();
}

}  // namespace

TEST_F(TabViewTest, OpensWithOneTabPerDrawingAndTheActiveDrawingsViewCurrent)
{
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    ASSERT_NE(pPaper, nullptr);
    DrawingFeatureBase* pPart = AddPart(u"Bracket");
    model->ActivateDrawingFeature(pPaper, TRUE);
    doc->SetViewInfo(DrawViewInfo());  // nothing saved: every drawing in document order
    Open();
    ASSERT_EQ(tabs->GetTabCount(), model->GetDrawingFeatureCount());
    EXPECT_EQ(tabs->GetTabViewKind(tabs->FindDrawingTab(pPaper)), 0);
    EXPECT_EQ(tabs->GetTabViewKind(tabs->FindDrawingTab(pPart)), 1);
    CQZ2View* pView = tabs->GetActiveDrawView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDrawingFeature(), pPaper);
    EXPECT_EQ(pView->GetTabView(), tabs);
    EXPECT_EQ(manager->GetActiveTabView(), tabs);
    EXPECT_EQ(manager->GetActiveView(), pView->GetDraw2dView());
    CString label;
    ASSERT_TRUE(tabs->GetTabControl().GetTabLabel(tabs->FindDrawingTab(pPart), label));
    EXPECT_EQ(label, CString(u"Bracket"));
}

TEST_F(TabViewTest, TabsFollowTheDocumentsDrawingsAndTheDocumentFollowsTheActiveTab)
{
    Open();
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    const int nBefore = tabs->GetTabCount();
    const int nActive = tabs->GetTabControl().GetActiveTab();

    // A part drawing made by a command gets a tab, and the active tab stays.
    DrawingFeatureBase* pPart = AddPart(u"Shaft");
    ASSERT_EQ(tabs->GetTabCount(), nBefore + 1);
    const int nPart = tabs->FindDrawingTab(pPart);
    ASSERT_GE(nPart, 0);
    // The document may have made the new drawing active; the tabs show what it says.
    if (model->GetActiveDrawingFeature() == pPaper)
        EXPECT_EQ(tabs->GetTabControl().GetActiveTab(), nActive);

    // The user picks the part's tab: the document and the manager follow.
    ASSERT_TRUE(tabs->ActivateTab(nPart));
    Pump();
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPart);
    ASSERT_NE(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetActiveDrawView()->GetDraw2dView());

    // Renamed, the label follows; deleted, the tab goes and its neighbour becomes active.
    pPart->SetDrawingName(u"Axle");
    ASSERT_TRUE(tabs->UpdateTabLabel(pPart));
    CString label;
    ASSERT_TRUE(tabs->GetTabControl().GetTabLabel(nPart, label));
    EXPECT_EQ(label, CString(u"Axle"));
    ASSERT_TRUE(tabs->RemoveDrawingTab(pPart));
    EXPECT_EQ(tabs->GetTabCount(), nBefore);
    EXPECT_EQ(tabs->FindDrawingTab(pPart), -1);
    // The last tab's neighbour is the layer table: no drawing view, and the document's drawing is the paper.
    EXPECT_EQ(tabs->GetActiveViewKind(), 2);
    EXPECT_EQ(manager->GetActiveView(), nullptr);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);

    // Deleted from the document, a drawing's tab goes too.
    ASSERT_TRUE(tabs->ActivateDrawing(pPart));
    ASSERT_EQ(tabs->FindDrawingTab(pPart), nBefore);
    model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(model->DeleteDrawingFeature(pPart->GetDrawingID(), 1));
    model->EndUndoOperation();
    EXPECT_EQ(tabs->GetTabCount(), nBefore);
    for (int i = 0; i < tabs->GetTabCount(); ++i)
        if (tabs->GetDrawView(i) != nullptr)
            EXPECT_NE(tabs->GetTabDrawing(i), nullptr) << i;
    ASSERT_NE(model->GetActiveDrawingFeature(), nullptr);
    EXPECT_GE(tabs->FindDrawingTab(model->GetActiveDrawingFeature()), 0);
}

TEST_F(TabViewTest, CommandsReachTheActiveDrawingViewAndOptionsReachTheViewsTheyConcern)
{
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    DrawingFeatureBase* pPart = AddPart(u"Plate");
    model->ActivateDrawingFeature(pPaper, TRUE);
    doc->SetViewInfo(DrawViewInfo());
    Open();
    CQZ2View* pPaperView = tabs->GetDrawView(tabs->FindDrawingTab(pPaper));
    CQZ2View* pPartView = tabs->GetDrawView(tabs->FindDrawingTab(pPart));
    ASSERT_NE(pPaperView, nullptr);
    ASSERT_NE(pPartView, nullptr);
    ASSERT_EQ(tabs->GetActiveDrawView(), pPaperView);

    // Zoom in, sent to the document window's view, zooms the active drawing only.
    const double paperScale = pPaperView->GetDraw2dView()->GetScale();
    const double partScale = pPartView->GetDraw2dView()->GetScale();
    tabs->SendMessage(WM_COMMAND, 34030);
    EXPECT_GT(pPaperView->GetDraw2dView()->GetScale(), paperScale);
    EXPECT_EQ(pPartView->GetDraw2dView()->GetScale(), partScale);

    // Paper colours go to paper drawings, part colours to part drawings.
    tabs->SetPaperColor(RGB(1, 2, 3));
    tabs->SetPartBackColor(RGB(4, 5, 6));
    EXPECT_EQ(pPaperView->GetDraw2dView()->GetPaperColor(), RGB(1, 2, 3));
    EXPECT_NE(pPartView->GetDraw2dView()->GetPaperColor(), RGB(1, 2, 3));
    EXPECT_EQ(pPartView->GetDraw2dView()->GetPartBackColor(), RGB(4, 5, 6));
    EXPECT_NE(pPaperView->GetDraw2dView()->GetPartBackColor(), RGB(4, 5, 6));

    // A paper drawing's tab cannot be closed; a part drawing's can, and its drawing stays.
    EnableCmdUI onPaper(39532);
    onPaper.DoUpdate(tabs, FALSE);
    EXPECT_FALSE(onPaper.enabled);
    ASSERT_TRUE(tabs->ActivateTab(tabs->FindDrawingTab(pPart)));
    EnableCmdUI onPart(39532);
    onPart.DoUpdate(tabs, FALSE);
    EXPECT_TRUE(onPart.enabled);
    const int nCount = tabs->GetTabCount();
    tabs->SendMessage(WM_COMMAND, 39532);
    EXPECT_EQ(tabs->GetTabCount(), nCount - 1);
    EXPECT_EQ(tabs->FindDrawingTab(pPart), -1);
    EXPECT_EQ(model->ChangeDrawingFeature(pPart->GetDrawingID()), pPart);
}

TEST_F(TabViewTest, SavedTabsSkipEntriesWhoseDrawingIsGoneOrOfAnotherKind)
{
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    DrawingFeatureBase* pPart = AddPart(u"Saved");
    DrawViewInfo info;
    info.AddViewInfo(1, pPart->GetDrawingID());
    info.AddViewInfo(1, 987654);                   // a drawing no longer in the file
    info.AddViewInfo(1, pPaper->GetDrawingID());   // a paper stored as a part drawing
    info.AddViewInfo(4, 4321);                     // a component no longer in the file
    info.AddViewInfo(7, pPaper->GetDrawingID());   // a kind this program does not know
    info.AddViewInfo(2, pPart->GetDrawingID());    // the layer table of the part drawing
    info.AddViewInfo(2, -1);                       // a second layer table
    info.AddViewInfo(0, pPaper->GetDrawingID());
    info.SetActiveIndex(7);
    doc->SetViewInfo(info);
    Open();
    EXPECT_EQ(Kinds(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(tabs->FindDrawingTab(pPart), 0);
    EXPECT_EQ(tabs->FindDrawingTab(pPaper), 2);
    ASSERT_NE(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(tabs->GetActiveDrawView()->GetDrawingFeature(), pPaper);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);

    // The saved active entry is the layer table, behind skipped entries.
    Close();
    info.SetActiveIndex(5);
    doc->SetViewInfo(info);
    Open();
    EXPECT_EQ(ActiveTab(), tabs->FindLayerTableTab());
    EXPECT_EQ(tabs->GetActiveViewKind(), 2);

    // An active index past the tabs made, or on a skipped entry, falls back to the first tab.
    for (const int nActive : {40, 1, -3}) {
        Close();
        info.SetActiveIndex(nActive);
        doc->SetViewInfo(info);
        Open();
        EXPECT_EQ(ActiveTab(), 0) << nActive;
        EXPECT_EQ(model->GetActiveDrawingFeature(), pPart) << nActive;
    }
}

TEST_F(TabViewTest, BackOnThePaperThePartDrawingLastActiveStaysActiveThroughItsLayout)
{
    Open();  // the new drawing's saved tabs: the paper and its two part drawings
    ASSERT_GE(tabs->GetTabCount(), 3);
    CQZ2View* pSecond = tabs->GetDrawView(2);
    ASSERT_NE(pSecond, nullptr);
    DrawingFeatureBase* pPart = pSecond->GetDrawingFeature();
    ASSERT_TRUE(pPart->IsPartFeature());
    ASSERT_TRUE(tabs->ActivateTab(2));
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPart);

    ASSERT_TRUE(tabs->ActivateTab(0));
    ASSERT_NE(model->GetActiveDrawingLayout(), nullptr);
    EXPECT_EQ(model->GetActiveDrawingLayout()->GetDrawingID(), pPart->GetDrawingID());
    EXPECT_EQ(manager->GetActiveView(), tabs->GetDrawView(0)->GetDraw2dView());
}

TEST_F(TabViewTest, ShapesToShowAreBroughtIntoTheActiveDrawingView)
{
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    Open();
    ASSERT_TRUE(tabs->ActivateDrawing(pPaper));
    Draw2dView* pView = tabs->GetActiveDrawView()->GetDraw2dView();
    model->BeginUndoOperation(nullptr);
    const Line2dFeature far(RuVaPnt2d(50000, 50000), RuVaPnt2d(50010, 50004));
    const long id = model->AddFeature(&far, pPaper, 1);
    model->EndUndoOperation();
    ASSERT_GT(id, 0);
    auto visible = [&](const RuVaPnt2d& p) {
        const CPoint c = pView->ConvertPointWorldToClient(p);
        return c.x >= 0 && c.y >= 0 && c.x < pView->GetClientWidth() && c.y < pView->GetClientHeight();
    };
    EXPECT_FALSE(visible(RuVaPnt2d(50005, 50002)));
    NotifyInfoBase info(model, NotifyInfoBase::kindShowFeatures, 0);
    info.SetFeatureIDs({id, 999999});  // an id that names nothing is passed over
    tabs->OnDocumentNotify(&info);
    EXPECT_TRUE(visible(RuVaPnt2d(50000, 50000)));
    EXPECT_TRUE(visible(RuVaPnt2d(50010, 50004)));
}
