// The tab view of a document window, made by its frame as the template makes it: one tab per drawing,
// tabs following the document's drawings as they are added, renamed and deleted, and the document's
// active drawing and the command manager's view following the active tab.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/CQZ2View.h"
#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/afx/CRect.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"

namespace {

void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class TabViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager = CQZ2App::GetApp()->GetCommandManager();
        ASSERT_NE(manager, nullptr);
        doc = new CQZ2Doc;
        doc->m_bAutoDelete = FALSE;
        ASSERT_TRUE(doc->OnNewDocument());
        model = doc->GetDraw2dDocument();
        manager->SetDocument(doc, model);
    }
    void TearDown() override
    {
        if (frame != nullptr)
            frame->DestroyWindow();
        Pump();
        EXPECT_EQ(manager->GetActiveTabView(), nullptr);
        EXPECT_EQ(manager->GetActiveView(), nullptr);
        manager->SetDocument(nullptr, nullptr);
        delete doc;
    }
    void Open()
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQZ2TabView);
        context.m_pCurrentDoc = doc;
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, u"Drawing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400),
                                  nullptr, nullptr, 0, &context));
        frame->InitialUpdateFrame(doc, TRUE);
        tabs = dynamic_cast<CQZ2TabView*>(frame->GetActiveView());
        ASSERT_NE(tabs, nullptr);
        Pump();
    }
    DrawingFeatureBase* AddPart(LPCTSTR name)
    {
        model->BeginUndoOperation(nullptr);
        const long id = model->AddPartDrawingFeature(name);
        model->EndUndoOperation();
        EXPECT_NE(id, -1);
        return model->ChangeDrawingFeature(id);
    }

    QZ2Command::CommandManager* manager = nullptr;
    CQZ2Doc* doc = nullptr;
    Draw2dDocument* model = nullptr;
    CFrameWnd* frame = nullptr;
    CQZ2TabView* tabs = nullptr;
};

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
    EXPECT_EQ(tabs->GetTabKind(tabs->FindDrawingTab(pPaper)), 0);
    EXPECT_EQ(tabs->GetTabKind(tabs->FindDrawingTab(pPart)), 1);
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
    ASSERT_NE(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetActiveDrawView()->GetDraw2dView());
}

namespace {

class EnableCmdUI : public CCmdUI
{
public:
    explicit EnableCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL enabled = -1;
};

}  // namespace

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

TEST_F(TabViewTest, SavedTabsSkipDrawingsThatAreGoneOrOfAnotherKind)
{
    DrawingFeatureBase* pPaper = model->GetActiveDrawingFeature();
    DrawingFeatureBase* pPart = AddPart(u"Saved");
    DrawViewInfo info;
    info.AddViewInfo(1, pPart->GetDrawingID());
    info.AddViewInfo(1, 987654);                   // a drawing no longer in the file
    info.AddViewInfo(1, pPaper->GetDrawingID());   // a paper stored as a part drawing
    info.AddViewInfo(2, -1);                       // the layer table: not a drawing tab
    info.AddViewInfo(0, pPaper->GetDrawingID());
    info.SetActiveIndex(4);
    doc->SetViewInfo(info);
    Open();
    ASSERT_EQ(tabs->GetTabCount(), 2);
    EXPECT_EQ(tabs->FindDrawingTab(pPart), 0);
    EXPECT_EQ(tabs->FindDrawingTab(pPaper), 1);
    ASSERT_NE(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(tabs->GetActiveDrawView()->GetDrawingFeature(), pPaper);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);

    // An active index past the tabs made falls back to the first tab.
    frame->DestroyWindow();
    frame = nullptr;
    Pump();
    info.SetActiveIndex(40);
    doc->SetViewInfo(info);
    Open();
    EXPECT_EQ(tabs->GetTabControl().GetActiveTab(), 0);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPart);
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
