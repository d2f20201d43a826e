// The kinds of tab a document window shows besides paper and part drawings (components under edit, the
// layer table and the drawing table), which tab becomes active when one closes, the order of the tabs
// (dragged or set) as it is saved with the document, and the tab menu.

#include "tests/app/view/TabViewFixture.h"

#include <QtCore/QPoint>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QWidget>

#include "app/CDrawingTableView.h"
#include "app/CLayerTableView.h"
#include "app/CQZ2View.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/afx/CUIntArray.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/bcg/CBCGPTabWnd.h"
#include "platform/win/CMenu.h"
#include "platform/win/CPrintInfo.h"

namespace {

using TabKindsTest = TabViewFixture;

CString Text(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

QTabBar* RowOf(CQZ2TabView* pTabs)
{
    QWidget* pWidget = pTabs->GetTabControl().GetQWidget();
    return pWidget != nullptr ? pWidget->findChild<QTabBar*>() : nullptr;
}

// The middle of a tab in the tab view's client coordinates.
CPoint TabPoint(CQZ2TabView* pTabs, int nTab)
{
    QTabBar* pRow = RowOf(pTabs);
    const QPoint p = pRow->mapTo(pTabs->GetQWidget(), pRow->tabRect(nTab).center());
    return CPoint(p.x(), p.y());
}

void SendMouse(QWidget* pTarget, QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(pTarget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &event);
}

}  // namespace

TEST_F(TabKindsTest, EachKindOfTabHasItsLabelColourAndViewKind)
{
    Open();  // a new document: its paper, its two part drawings and the layer table
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2}));
    tabs->ShowDrawingTableView();
    long nComponentID = -1;
    DrawComponent2dFeatureDefine* pDefine = AddComponent(u"Bolt", &nComponentID);
    ASSERT_EQ(Kinds().size(), 5U) << "a component gets no tab until it is edited";
    ASSERT_TRUE(model->BeginEditDrawComponentDefine(nComponentID, FALSE));
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2, -1, 4}));
    EXPECT_EQ(ActiveTab(), 4) << "adding a tab leaves the active one";

    CBCGPTabWnd& row = tabs->GetTabControl();
    const struct {
        int nTab;
        CString label;
        COLORREF color;
    } cases[] = {
        {0, model->GetPaperFeature(0)->GetDrawingName(), RGB(197, 212, 242)},
        {1, tabs->GetDrawView(1)->GetDrawingFeature()->GetDrawingName(), RGB(255, 220, 120)},
        {3, Text(10117), RGB(240, 160, 161)},
        {4, Text(10118), (COLORREF)-1},
        {5, u"Bolt", RGB(190, 206, 161)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Label(c.nTab), c.label) << c.nTab;
        EXPECT_EQ(row.GetTabBkColor(c.nTab), c.color) << c.nTab;
    }
    EXPECT_FALSE(Text(10117).IsEmpty());

    // Finders by kind.
    EXPECT_EQ(tabs->FindLayerTableTab(), 3);
    EXPECT_EQ(tabs->FindDrawingTableTab(), 4);
    EXPECT_EQ(tabs->GetLayerTableView(), row.GetTabWnd(3));
    EXPECT_EQ(tabs->GetDrawingTableView(), row.GetTabWnd(4));
    EXPECT_EQ(tabs->FindDrawView(pDefine), tabs->GetDrawView(5));
    EXPECT_EQ(tabs->GetTabViewKind(6), -1);
    EXPECT_EQ(tabs->GetTabViewKind(-1), -1);

    // A renamed component's tab shows its component name.
    ASSERT_TRUE(pDefine->SetComponentName(u"Hex bolt"));
    ASSERT_TRUE(tabs->UpdateTabLabel(pDefine));
    EXPECT_EQ(Label(5), CString(u"Hex bolt"));
}

TEST_F(TabKindsTest, ComponentTabFollowsItsEditingAndTheDocumentFollowsTheTab)
{
    Open();
    DrawingFeatureBase* pPaper = model->GetPaperFeature(0);
    long nComponentID = -1;
    DrawComponent2dFeatureDefine* pDefine = AddComponent(u"Washer", &nComponentID);
    ASSERT_TRUE(model->BeginEditDrawComponentDefine(nComponentID, FALSE));
    const int nTab = tabs->FindDrawingTab(pDefine);
    ASSERT_GE(nTab, 0);

    // Choosing the tab makes the component the document's drawing and its view the manager's.
    ASSERT_TRUE(tabs->ActivateTab(nTab));
    EXPECT_EQ(model->GetActiveDrawingFeature(), pDefine);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetDrawView(nTab)->GetDraw2dView());
    EXPECT_TRUE(tabs->IsDrawingTabActive());

    // Back on the paper and on the component again: each time the document follows.
    ASSERT_TRUE(tabs->ActivateDrawing(pPaper));
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);
    ASSERT_TRUE(tabs->ActivateDrawing(pDefine));
    EXPECT_EQ(model->GetActiveDrawingFeature(), pDefine);

    // Asking again for a component's tab activates the one there is.
    ASSERT_TRUE(tabs->ActivateDrawing(pPaper));
    const int nCount = tabs->GetTabCount();
    ASSERT_TRUE(tabs->AddComponentTab(pDefine));
    EXPECT_EQ(tabs->GetTabCount(), nCount);
    EXPECT_EQ(ActiveTab(), nTab);

    // The close-tab command ends the editing; the tab goes and a drawing that is shown becomes active.
    EnableCmdUI update(39532);
    update.DoUpdate(tabs, FALSE);
    EXPECT_TRUE(update.enabled);
    tabs->SendMessage(WM_COMMAND, 39532);
    EXPECT_FALSE(model->IsEditingDrawComponent(nComponentID));
    EXPECT_EQ(tabs->FindDrawingTab(pDefine), -1);
    EXPECT_EQ(tabs->GetTabCount(), nCount - 1);
    ASSERT_NE(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(model->GetActiveDrawingFeature(), tabs->GetTabDrawing(ActiveTab()));
    EXPECT_EQ(model->GetComponentDefineTable()->GetComponentDefine(nComponentID), pDefine);
}

TEST_F(TabKindsTest, ClosingTheActiveTabActivatesItsNeighbour)
{
    // Tabs: paper, part A, part B, layer table, then what each case adds.
    struct Case {
        const char* name;
        bool bComponentLast;      // a component tab after the layer table
        int nClose;               // the tab closed (active when closed)
        std::vector<int> kinds;   // the tabs left
        int nActive;              // the tab active then
    };
    const Case cases[] = {
        {"middle tab: the one after it", false, 1, {0, 1, 2}, 1},
        {"last tab: the one before it", false, 3, {0, 1, 1}, 2},
        {"part before the layer table: the table", false, 2, {0, 1, 2}, 2},
        {"component after the layer table: the first paper", true, 4, {0, 1, 1, 2}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        if (c.bComponentLast) {
            long nID = -1;
            AddComponent(u"Pin", &nID);
            ASSERT_TRUE(model->BeginEditDrawComponentDefine(nID, FALSE));
        }
        ASSERT_TRUE(tabs->ActivateTab(c.nClose));
        ASSERT_TRUE(tabs->CloseTab(c.nClose));
        EXPECT_EQ(Kinds(), c.kinds);
        EXPECT_EQ(ActiveTab(), c.nActive);
        if (CQZ2View* pView = tabs->GetActiveDrawView()) {
            EXPECT_EQ(model->GetActiveDrawingFeature(), tabs->GetTabDrawing(ActiveTab()));
            EXPECT_EQ(manager->GetActiveView(), pView->GetDraw2dView());
        } else {
            // A table: the document's drawing is one that a tab shows.
            EXPECT_EQ(manager->GetActiveView(), nullptr);
            EXPECT_GE(tabs->FindDrawingTab(model->GetActiveDrawingFeature()), 0);
        }
        if (c.bComponentLast)
            model->EndEditDrawComponentDefine(model->GetComponentDefineTable()->GetComponentDefineByIndex(0)->GetComponentId());
        Close();
    }
}

TEST_F(TabKindsTest, AClosedPartWhoseNeighbourIsATableLeavesThePaperActive)
{
    DrawingFeatureBase* pPaper = model->GetPaperFeature(0);
    DrawViewInfo info;
    info.AddViewInfo(0, pPaper->GetDrawingID());
    DrawingFeatureBase* pPart = AddPart(u"Lever");
    info.AddViewInfo(1, pPart->GetDrawingID());
    info.AddViewInfo(2, pPart->GetDrawingID());
    info.SetActiveIndex(1);
    doc->SetViewInfo(info);

    // A component before the layer table: its neighbour is the layer table, so the first paper comes.
    Open();
    long nID = -1;
    DrawComponent2dFeatureDefine* pDefine = AddComponent(u"Cam", &nID);
    ASSERT_TRUE(model->BeginEditDrawComponentDefine(nID, FALSE));
    CUIntArray order;
    for (const UINT n : {0U, 1U, 3U, 2U})
        order.Add(n);
    ASSERT_TRUE(tabs->ReorderTabs(order));
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 4, 2}));
    ASSERT_TRUE(tabs->ActivateDrawing(pDefine));
    ASSERT_TRUE(tabs->CloseTab(2));
    EXPECT_EQ(ActiveTab(), 0);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);

    // A part drawing before the drawing table: the table comes, and the closed part is no longer the
    // document's drawing with no view to show it.
    tabs->ShowDrawingTableView();
    order.RemoveAll();
    for (const UINT n : {0U, 1U, 3U, 2U})
        order.Add(n);
    ASSERT_TRUE(tabs->ReorderTabs(order));
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, -1, 2}));
    ASSERT_TRUE(tabs->ActivateDrawing(pPart));
    ASSERT_EQ(model->GetActiveDrawingFeature(), pPart);
    ASSERT_TRUE(tabs->CloseTab(1));
    EXPECT_EQ(tabs->GetActiveViewKind(), -1);
    EXPECT_EQ(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);
    EXPECT_EQ(manager->GetActiveView(), nullptr);
    EXPECT_EQ(model->ChangeDrawingFeature(pPart->GetDrawingID()), pPart);
}

TEST_F(TabKindsTest, TheTablesAreShownActivatedAndToldOfChanges)
{
    Open();
    DrawingFeatureBase* pPaper = model->GetPaperFeature(0);
    ASSERT_TRUE(tabs->ActivateDrawing(pPaper));

    // The drawing table: added when missing, active, no drawing view and no kind.
    ASSERT_EQ(tabs->FindDrawingTableTab(), -1);
    tabs->ShowDrawingTableView();
    const int nTable = tabs->FindDrawingTableTab();
    ASSERT_GE(nTable, 0);
    EXPECT_EQ(ActiveTab(), nTable);
    EXPECT_EQ(tabs->GetActiveDrawView(), nullptr);
    EXPECT_EQ(tabs->GetActiveViewKind(), -1);
    EXPECT_FALSE(tabs->IsDrawingTabActive());
    EXPECT_EQ(manager->GetActiveView(), nullptr);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);
    tabs->ShowDrawingTableView();
    EXPECT_EQ(tabs->FindDrawingTableTab(), nTable) << "one drawing table only";

    // Neither printed, closed nor zoomed from there; the paper's view keeps its scale.
    CPrintInfo print;
    print.m_strOutputFile = u"/tmp/never-written.pdf";
    print.m_bDirect = TRUE;  // no print dialog: the tab only has to hand the request to its view
    EXPECT_FALSE(tabs->OnPreparePrinting(&print));
    EnableCmdUI update(39532);
    update.DoUpdate(tabs, FALSE);
    EXPECT_FALSE(update.enabled);
    EXPECT_FALSE(tabs->CloseTab(nTable));
    const double scale = tabs->FindDrawView(pPaper)->GetDraw2dView()->GetScale();
    tabs->SendMessage(WM_COMMAND, 34030);
    EXPECT_EQ(tabs->FindDrawView(pPaper)->GetDraw2dView()->GetScale(), scale);

    // A new paper reaches the drawing table through its own message and gets a tab of its own, behind.
    CDrawingTableView* pTable = tabs->GetDrawingTableView();
    ASSERT_NE(pTable, nullptr);
    const int nPapers = pTable->GetPaperCount();
    model->BeginUndoOperation(nullptr);
    const long nNewPaper = model->AddPaperFeature(u"Sheet 2");
    model->EndUndoOperation();
    ASSERT_NE(nNewPaper, -1);
    EXPECT_EQ(pTable->GetPaperCount(), nPapers + 1);
    EXPECT_EQ(pTable->GetPaperID(nPapers), nNewPaper);
    EXPECT_GE(tabs->FindDrawingTab(model->ChangeDrawingFeature(nNewPaper)), 0);
    EXPECT_EQ(ActiveTab(), nTable);

    // Activating the table by its index works as for any other tab; a drawing tab prints.
    ASSERT_TRUE(tabs->ActivateTab(0));
    EXPECT_TRUE(tabs->OnPreparePrinting(&print));
    ASSERT_TRUE(tabs->ActivateTab(nTable));
    EXPECT_EQ(ActiveTab(), nTable);

    // The layer table: options reach it, closing it comes back to a drawing.
    tabs->SetTableViewThumbnailBackColor(RGB(10, 20, 30));
    ASSERT_NE(tabs->GetLayerTableView(), nullptr);
    EXPECT_EQ(tabs->GetLayerTableView()->GetThumbnailBackColor(), RGB(10, 20, 30));
    tabs->ShowLayerTableView();
    EXPECT_EQ(tabs->GetActiveViewKind(), 2);
    EnableCmdUI onLayers(39532);
    onLayers.DoUpdate(tabs, FALSE);
    EXPECT_TRUE(onLayers.enabled);
    tabs->SendMessage(WM_COMMAND, 39532);
    EXPECT_EQ(tabs->FindLayerTableTab(), -1);
    EXPECT_EQ(tabs->GetLayerTableView(), nullptr);
    ASSERT_NE(model->GetActiveDrawingFeature(), nullptr);

    // Shown again when missing, for the document's active drawing.
    ASSERT_TRUE(tabs->ActivateDrawing(pPaper));
    tabs->ShowLayerTableView();
    ASSERT_NE(tabs->GetLayerTableView(), nullptr);
    EXPECT_EQ(tabs->GetLayerTableView()->GetDrawingID(), pPaper->GetDrawingID());
    EXPECT_EQ(ActiveTab(), tabs->FindLayerTableTab());
}

TEST_F(TabKindsTest, TabOrderAndTheActiveTabAreSavedAndOpenAgain)
{
    Open();
    long nComponentID = -1;
    DrawComponent2dFeatureDefine* pDefine = AddComponent(u"Nut", &nComponentID);
    ASSERT_TRUE(model->BeginEditDrawComponentDefine(nComponentID, FALSE));
    tabs->ShowDrawingTableView();
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2, 4, -1}));
    DrawingFeatureBase* pSecondPart = tabs->GetDrawView(2)->GetDrawingFeature();
    ASSERT_TRUE(tabs->ActivateDrawing(pSecondPart));
    CBCGPTabWnd& row = tabs->GetTabControl();
    std::vector<CString> labels;
    std::vector<COLORREF> colors;
    std::vector<HICON> icons;
    for (int i = 0; i < tabs->GetTabCount(); ++i) {
        labels.push_back(Label(i));
        colors.push_back(row.GetTabBkColor(i));
        icons.push_back(row.GetTabIcon(i));
    }

    // Orders that are no arrangement of the tabs change nothing.
    for (const std::vector<UINT>& bad : std::vector<std::vector<UINT>>{
             {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 4}, {0, 1, 2, 3, 4, 6}, {5, 4, 3, 2, 1, 0, 6}}) {
        CUIntArray order;
        for (const UINT n : bad)
            order.Add(n);
        EXPECT_FALSE(tabs->ReorderTabs(order));
        EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2, 4, -1}));
    }

    // New order: component, layer table, second part, paper, drawing table, first part.
    CUIntArray order;
    const std::vector<UINT> wanted{4, 3, 2, 0, 5, 1};
    for (const UINT n : wanted)
        order.Add(n);
    ASSERT_TRUE(tabs->ReorderTabs(order));
    EXPECT_EQ(Kinds(), (std::vector<int>{4, 2, 1, 0, -1, 1}));
    for (int i = 0; i < tabs->GetTabCount(); ++i) {
        EXPECT_EQ(Label(i), labels[wanted[static_cast<size_t>(i)]]) << i;
        EXPECT_EQ(row.GetTabBkColor(i), colors[wanted[static_cast<size_t>(i)]]) << i;
        EXPECT_EQ(row.GetTabIcon(i), icons[wanted[static_cast<size_t>(i)]]) << i;
    }
    EXPECT_EQ(ActiveTab(), 2);
    EXPECT_EQ(tabs->GetActiveDrawView()->GetDrawingFeature(), pSecondPart);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pSecondPart);

    // Saved: every tab but the drawing table, in tab order, with the active one.
    DrawViewInfo info;
    tabs->SaveViewInfo(info);
    ASSERT_EQ(info.GetViewInfoCount(), 5);
    const long nPaperID = model->GetPaperFeature(0)->GetDrawingID();
    const long nFirstPartID = tabs->GetDrawView(5)->GetDrawingFeature()->GetDrawingID();
    const std::vector<std::pair<int, long>> saved{{4, nComponentID},
                                                  {2, tabs->GetLayerTableView()->GetDrawingID()},
                                                  {1, pSecondPart->GetDrawingID()},
                                                  {0, nPaperID},
                                                  {1, nFirstPartID}};
    for (int i = 0; i < info.GetViewInfoCount(); ++i) {
        EXPECT_EQ(info.GetViewType(i), saved[static_cast<size_t>(i)].first) << i;
        EXPECT_EQ(info.GetViewID(i), saved[static_cast<size_t>(i)].second) << i;
    }
    EXPECT_EQ(info.GetActiveIndex(), 2);

    // Opened again from what was saved: the same tabs in the same order, the same one active, the
    // component under edit again.
    Close();
    ASSERT_TRUE(model->EndEditDrawComponentDefine(nComponentID));
    doc->SetViewInfo(info);
    Open();
    EXPECT_EQ(Kinds(), (std::vector<int>{4, 2, 1, 0, 1}));
    EXPECT_EQ(tabs->FindDrawingTab(pDefine), 0);
    EXPECT_TRUE(model->IsEditingDrawComponent(nComponentID));
    EXPECT_EQ(ActiveTab(), 2);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pSecondPart);
    DrawViewInfo again;
    tabs->SaveViewInfo(again);
    EXPECT_TRUE(again == info);

    // With the component active when saved, it opens active.
    Close();
    ASSERT_TRUE(model->EndEditDrawComponentDefine(nComponentID));
    info.SetActiveIndex(0);
    doc->SetViewInfo(info);
    Open();
    EXPECT_EQ(ActiveTab(), 0);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pDefine);
    ASSERT_TRUE(model->EndEditDrawComponentDefine(nComponentID));
}

TEST_F(TabKindsTest, ATabDraggedToAnotherPlaceIsSavedThere)
{
    Open();
    ASSERT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 2}));
    DrawingFeatureBase* pFirstPart = tabs->GetTabDrawing(1);
    ASSERT_TRUE(tabs->ActivateDrawing(pFirstPart));
    QTabBar* pRow = RowOf(tabs);
    ASSERT_NE(pRow, nullptr);
    ASSERT_TRUE(tabs->GetTabControl().IsTabSwapEnabled());

    // The paper's tab is dragged past the layer table's.
    const QPoint from = pRow->tabRect(0).center();
    const QPoint to = pRow->tabRect(3).center() + QPoint(pRow->tabRect(3).width() / 2 - 2, 0);
    SendMouse(pRow, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const int nSteps = 20;
    for (int i = 1; i <= nSteps; ++i)
        SendMouse(pRow, QEvent::MouseMove, from + (to - from) * i / nSteps, Qt::NoButton, Qt::LeftButton);
    SendMouse(pRow, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    PumpTabEvents();

    // Pressing the tab made it the active one; it stays active where it was dropped.
    EXPECT_EQ(Kinds(), (std::vector<int>{1, 1, 2, 0}));
    EXPECT_EQ(ActiveTab(), 3);
    DrawingFeatureBase* pPaper = model->GetPaperFeature(0);
    EXPECT_EQ(tabs->GetTabDrawing(3), pPaper);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetDrawView(3)->GetDraw2dView());
    EXPECT_EQ(tabs->GetTabDrawing(0), pFirstPart);
    for (int i = 0; i < tabs->GetTabCount(); ++i)
        EXPECT_EQ(Label(i), CString::FromQString(pRow->tabText(i))) << i;

    DrawViewInfo info;
    tabs->SaveViewInfo(info);
    ASSERT_EQ(info.GetViewInfoCount(), 4);
    EXPECT_EQ(info.GetViewType(3), 0);
    EXPECT_EQ(info.GetViewID(3), pPaper->GetDrawingID());
    EXPECT_EQ(info.GetActiveIndex(), 3);

    // Choosing another tab afterwards picks the tab now standing there.
    const QPoint onFirst = pRow->tabRect(0).center();
    SendMouse(pRow, QEvent::MouseButtonPress, onFirst, Qt::LeftButton, Qt::LeftButton);
    SendMouse(pRow, QEvent::MouseButtonRelease, onFirst, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ActiveTab(), 0);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pFirstPart);
}

TEST_F(TabKindsTest, AFurtherWindowCopiesTheTabsButNotTheDrawingTable)
{
    Open();
    long nComponentID = -1;
    AddComponent(u"Key", &nComponentID);
    ASSERT_TRUE(model->BeginEditDrawComponentDefine(nComponentID, FALSE));
    tabs->ShowDrawingTableView();
    ASSERT_TRUE(tabs->ActivateTab(2));
    const std::vector<int> kinds = Kinds();
    ASSERT_EQ(kinds, (std::vector<int>{0, 1, 1, 2, 4, -1}));

    CQZ2TabView* pSecond = Open();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(Kinds(pSecond), (std::vector<int>{0, 1, 1, 2, 4}));
    for (int i = 0; i < 5; ++i) {
        if (tabs->GetDrawView(i) != nullptr)
            EXPECT_EQ(pSecond->GetTabDrawing(i), tabs->GetTabDrawing(i)) << i;
    }
    EXPECT_EQ(pSecond->GetLayerTableView()->GetDrawingID(), tabs->GetLayerTableView()->GetDrawingID());
    EXPECT_EQ(pSecond->GetTabControl().GetActiveTab(), 2);

    // Both windows hear of a drawing that goes: its tab goes from each.
    DrawingFeatureBase* pGone = tabs->GetTabDrawing(1);
    DrawingFeatureBase* pKept = tabs->GetTabDrawing(2);
    model->BeginUndoOperation(nullptr);
    ASSERT_TRUE(model->DeleteDrawingFeature(pGone->GetDrawingID(), 1));
    model->EndUndoOperation();
    ASSERT_TRUE(model->EndEditDrawComponentDefine(nComponentID));
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_EQ(Kinds(pSecond), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(tabs->GetTabDrawing(1), pKept);
    EXPECT_EQ(pSecond->GetTabDrawing(1), pKept);
}

TEST_F(TabKindsTest, ARightClickOnATabActivatesIt)
{
    Open();
    ASSERT_EQ(ActiveTab(), 0);
    DrawingFeatureBase* pPart = tabs->GetDrawView(2)->GetDrawingFeature();

    // Pressed on the second part's tab: that tab and its drawing become active.
    QTabBar* pRow = RowOf(tabs);
    ASSERT_NE(pRow, nullptr);
    const QPoint onPart = pRow->tabRect(2).center();
    SendMouse(pRow, QEvent::MouseButtonPress, onPart, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(ActiveTab(), 2);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pPart);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetDrawView(2)->GetDraw2dView());

    // Pressed below the tabs: nothing changes.
    CRect area;
    tabs->GetTabControl().GetWndArea(area);
    tabs->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(area.CenterPoint().x, area.CenterPoint().y));
    EXPECT_EQ(ActiveTab(), 2);
}

TEST_F(TabKindsTest, TheTabMenuShowsOverATab)
{
    CMenu probe;
    if (!probe.LoadMenu(222))
        GTEST_SKIP() << "the language library has no tab menu";
    probe.DestroyMenu();
    Open();

    // Not below the tabs.
    CRect area;
    tabs->GetTabControl().GetWndArea(area);
    CPoint screen = area.CenterPoint();
    tabs->ClientToScreen(&screen);
    tabs->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tabs->m_hWnd), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);

    CPoint onTab = TabPoint(tabs, 2);
    tabs->ClientToScreen(&onTab);
    tabs->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tabs->m_hWnd), MAKELPARAM(onTab.x, onTab.y));
    CBCGPPopupMenu* pMenu = CBCGPPopupMenu::GetActiveMenu();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_GT(pMenu->GetMenuItemCount(), 0);
    pMenu->CloseMenu();
    PumpTabEvents();
    EXPECT_EQ(CBCGPPopupMenu::GetActiveMenu(), nullptr);
}

TEST_F(TabKindsTest, ShapesToShowBringThePaperForwardUnlessTheActivePartHoldsThem)
{
    Open();
    DrawingFeatureBase* pPaper = model->GetPaperFeature(0);
    DrawingFeatureBase* pPart = tabs->GetTabDrawing(1);
    model->BeginUndoOperation(nullptr);
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 10));
    const long nOnPaper = model->AddFeature(&line, pPaper, 1);
    const long nOnPart = model->AddFeature(&line, pPart, 1);
    model->EndUndoOperation();
    ASSERT_GT(nOnPaper, 0);
    ASSERT_GT(nOnPart, 0);

    const struct {
        const char* name;
        int nFrom;                 // the tab active before
        std::vector<long> ids;     // the shapes to show
        int nKindAfter;            // the kind of the tab active then
    } cases[] = {
        {"part's own shape: the part stays", 1, {nOnPart}, 1},
        {"a paper's shape: the paper comes", 1, {nOnPart, nOnPaper}, 0},
        {"an unknown id: the part stays", 1, {nOnPart, 999999}, 1},
        {"from the layer table: the paper comes", 3, {nOnPart}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(tabs->ActivateTab(c.nFrom));
        NotifyInfoBase info(model, NotifyInfoBase::kindShowFeatures, 0);
        info.SetFeatureIDs(c.ids);
        tabs->OnDocumentNotify(&info);
        EXPECT_EQ(tabs->GetActiveViewKind(), c.nKindAfter);
        if (c.nKindAfter == 0)
            EXPECT_EQ(model->GetActiveDrawingFeature(), pPaper);
    }
}

TEST_F(TabKindsTest, TheFirstTabOfAnEmptyWindowIsFollowedOnceItsViewShowsItsDrawing)
{
    DrawingFeatureBase* pPart = AddPart(u"Only");
    DrawViewInfo info;
    info.AddViewInfo(1, pPart->GetDrawingID());
    info.SetActiveIndex(0);
    doc->SetViewInfo(info);
    Open();
    ASSERT_EQ(Kinds(), (std::vector<int>{1}));
    ASSERT_TRUE(tabs->CloseTab(0));
    ASSERT_EQ(tabs->GetTabCount(), 0);
    EXPECT_EQ(manager->GetActiveView(), nullptr);

    DrawingFeatureBase* pNew = AddPart(u"Next");
    ASSERT_EQ(Kinds(), (std::vector<int>{1}));
    EXPECT_EQ(tabs->GetTabDrawing(0), pNew);
    EXPECT_EQ(model->GetActiveDrawingFeature(), pNew);
    EXPECT_EQ(manager->GetActiveView(), tabs->GetDrawView(0)->GetDraw2dView());
}
