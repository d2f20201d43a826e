// The drawing bar's tree: where a drag may drop and what the drop does to the document, the context
// menu's pruning, and the icon click that waits for a double click.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QTreeWidget>

#include "StructureFixture.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/win/CMenu.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

class DrawingCommandTreeTest : public DrawingBarFixture
{
protected:
    void SetUp() override
    {
        DrawingBarFixture::SetUp();
        paper1 = doc.GetDrawingFeatureByIndex(0)->GetDrawingID();
        paper2 = doc.AddPaperFeature(nullptr);
        partA = doc.AddPartDrawingFeature(_T("A"));
        partB = doc.AddPartDrawingFeature(_T("B"));
        layoutA = doc.AddPartLayout(paper2, partA, _T("A on 2"), -1, 1);
        layoutB = doc.AddPartLayout(paper2, partB, _T("B on 2"), -1, 1);
        ASSERT_EQ(Tree(), Expected());
    }
    CDrawingCommandTreeCtrl& T() { return bar.GetTree(); }
    // A point on the item's row at a fraction of its height.
    POINT At(HTREEITEM h, double fraction)
    {
        CRect rect;
        T().GetItemRect(h, &rect, FALSE);
        return POINT{rect.left + 40, rect.top + static_cast<int>(fraction * rect.Height())};
    }
    int Position(HTREEITEM hDragged, HTREEITEM hTarget, double fraction, HTREEITEM* pTarget = nullptr)
    {
        T().SetDragItem(hDragged);
        POINT p = At(hTarget, fraction);
        int position = -1;
        HTREEITEM h = T().GetDropTarget(&p, &position);
        if (pTarget != nullptr)
            *pTarget = h;
        return h == nullptr ? -1 : position;
    }
    HTREEITEM Layout(long id) { return T().FindLayoutItem(id); }
    long paper1 = -1, paper2 = -1, partA = -1, partB = -1, layoutA = -1, layoutB = -1;
};

TEST_F(DrawingCommandTreeTest, DropPositionsFollowWhatIsDraggedOntoWhat)
{
    enum { onto = 0, after = 1, before = 2, refused = 3 };
    const HTREEITEM own2 = Layout(doc.GetDrawingFeatureByID(paper2)->GetSelfPartLayoutID());
    struct Case {
        const char* what;
        HTREEITEM dragged;
        HTREEITEM target;
        double fraction;
        int position;
    };
    const Case cases[] = {
        {"paper above the middle of a part drawing", Item(paper1), Item(partB), 0.3, before},
        {"paper below the middle of a part drawing", Item(paper1), Item(partA), 0.8, after},
        {"part drawing on the top quarter of a paper", Item(partB), Item(paper1), 0.1, before},
        {"part drawing on the rest of a paper", Item(partB), Item(paper1), 0.7, onto},
        {"part drawing on a part drawing", Item(partB), Item(partA), 0.3, before},
        {"part drawing on a layout", Item(partA), Layout(layoutB), 0.5, refused},
        {"paper on a layout", Item(paper1), Layout(layoutA), 0.5, refused},
        {"layout before its sibling", Layout(layoutB), Layout(layoutA), 0.3, before},
        {"layout before the paper's own layout", Layout(layoutB), own2, 0.3, refused},
        {"the own layout itself", own2, Layout(layoutB), 0.8, refused},
        {"layout onto another paper", Layout(layoutA), Item(paper1), 0.5, refused},
        {"after the item just above: no move", Item(partB), Item(partA), 0.8, refused},
        {"before the item just below: no move", Item(paper1), Item(paper2), 0.3, refused},
        {"onto itself", Item(partA), Item(partA), 0.5, refused},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Position(c.dragged, c.target, c.fraction), c.position) << c.what;
    // The root item is no target.
    EXPECT_EQ(Position(Item(partA), T().GetRootItem(), 0.5), -1);
    T().SetDragItem(nullptr);
}

TEST_F(DrawingCommandTreeTest, DropsReorderAndPlaceInOneUndoStepEach)
{
    // Order: Paper1, Paper2, A, B. B before Paper2: t = 1, s = 3 -> order 1.
    int undo = doc.GetUndoCount();
    EXPECT_TRUE(T().MoveDrawingByDrop(Item(partB), Item(paper2), FALSE));
    EXPECT_EQ(doc.GetDrawingOrder(doc.GetDrawingFeatureByID(partB)), 1);
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    // Paper1 after A (Paper1, B, Paper2, A): t = 3 > s = 0 -> 2, after -> 3, the end.
    EXPECT_TRUE(T().MoveDrawingByDrop(Item(paper1), Item(partA), TRUE));
    EXPECT_EQ(doc.GetDrawingOrder(doc.GetDrawingFeatureByID(paper1)), 3);
    EXPECT_EQ(T().GetSelectedDrawing()->GetDrawingID(), paper1);
    EXPECT_EQ(Tree(), Expected());
    // Layout B before layout A: B becomes the first placed layout, the own layout stays first.
    undo = doc.GetUndoCount();
    EXPECT_TRUE(T().MoveLayoutByDrop(Layout(layoutB), Layout(layoutA), FALSE));
    EXPECT_EQ(doc.GetDrawingFeatureByID(paper2)->GetPartLayoutOrder(layoutB), 0);
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    EXPECT_EQ(Tree(), Expected());
    // A part drawing dropped on a paper: a new layout there, the paper active through it.
    undo = doc.GetUndoCount();
    EXPECT_TRUE(T().AddLayoutByDrop(Item(partA), Item(paper1)));
    EXPECT_EQ(doc.GetUndoCount(), undo + 1);
    const DrawingFeatureBase* pPaper1 = doc.GetDrawingFeatureByID(paper1);
    ASSERT_EQ(pPaper1->GetPartLayoutCount(), 1);
    const PartDrawingLayout* pNew = pPaper1->GetPartLayout(0);
    EXPECT_EQ(pNew->GetDrawingID(), partA);
    EXPECT_EQ(doc.GetActiveDrawingID(), paper1);
    EXPECT_EQ(doc.GetActiveLayoutID(), pNew->GetLayoutID());
    EXPECT_EQ(T().GetSelectedTreeItem(), Layout(pNew->GetLayoutID()));
    EXPECT_EQ(Tree(), Expected());
    doc.Undo(1);
    EXPECT_EQ(Tree(), Expected());
}

TEST_F(DrawingCommandTreeTest, ContextMenusLoseWhatDoesNotApply)
{
    struct Case {
        const char* what;
        HTREEITEM item;
        std::vector<UINT> absent;
        std::vector<UINT> present;
    };
    const HTREEITEM own2 = Layout(doc.GetDrawingFeatureByID(paper2)->GetSelfPartLayoutID());
    const Case cases[] = {
        {"paper (two papers)", Item(paper1), {34344, 34338, 34347}, {34329, 34330}},
        {"part drawing", Item(partA), {34347}, {34344, 34338, 34329}},
        {"placed layout", Layout(layoutA), {34344}, {34347, 34329}},
        {"own layout", own2, {34344, 34347}, {34329}},
    };
    auto has = [](CMenu* pMenu, UINT id, auto&& self) -> bool {
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i) {
            const UINT item = pMenu->GetMenuItemID(static_cast<int>(i));
            if (item == id || (item == static_cast<UINT>(-1) && self(pMenu->GetSubMenu(static_cast<int>(i)), id, self)))
                return true;
        }
        return false;
    };
    for (const Case& c : cases) {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(201));
        Select(c.item);
        T().PrepareContextMenu(menu.GetSubMenu(0));
        for (UINT id : c.absent)
            EXPECT_FALSE(has(menu.GetSubMenu(0), id, has)) << c.what << " " << id;
        for (UINT id : c.present)
            EXPECT_TRUE(has(menu.GetSubMenu(0), id, has)) << c.what << " " << id;
    }
    // One paper left: no delete on it; one drawing left: the other-drawings entry (position 3) goes.
    doc.DeleteDrawingFeature(partA, 1);
    doc.DeleteDrawingFeature(partB, 1);
    doc.DeleteDrawingFeature(paper2, 1);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(201));
    CMenu* pPopup = menu.GetSubMenu(0);
    const UINT before = pPopup->GetMenuItemCount();
    ASSERT_EQ(pPopup->GetMenuItemID(3), static_cast<UINT>(-1));
    Select(Item(paper1));
    T().PrepareContextMenu(pPopup);
    EXPECT_FALSE(has(pPopup, 34329, has));
    EXPECT_FALSE(has(pPopup, 34339, has));
    EXPECT_EQ(pPopup->GetMenuItemCount(), before - 5);  // position 3, add layout, open part, delete, change layout
    EXPECT_EQ(pPopup->GetMenuState(34330, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(pPopup->GetMenuState(34332, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

TEST_F(DrawingCommandTreeTest, AnIconClickWaitsForTheDoubleClickSoADoubleClickStepsOnce)
{
    HTREEITEM hItem = Item(partA);
    CRect label;
    T().GetItemRect(hItem, &label, TRUE);
    // The picture stands just before the label (16 pixels and a small gap).
    auto* pView = qobject_cast<QTreeWidget*>(T().GetQWidget());
    ASSERT_NE(pView, nullptr);
    QWidget* pViewport = pView->viewport();
    const CPoint icon(label.left - 12, label.CenterPoint().y);
    const QPoint at = QPoint(icon.x, icon.y) - pViewport->pos();
    UINT flags = 0;
    ASSERT_EQ(T().HitTest(icon, &flags), hItem);
    ASSERT_TRUE(flags & TVHT_ONITEMICON);
    // A single click steps after the double-click interval.
    QTest::mouseClick(pViewport, Qt::LeftButton, {}, at);
    EXPECT_EQ(doc.GetDrawingFeatureByID(partA)->GetDrawingState(), 0) << "not at once";
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc.GetDrawingFeatureByID(partA)->GetDrawingState() == 1; }, 5000));
    // A double click steps once (1 -> 2), not twice.
    QTest::mouseDClick(pViewport, Qt::LeftButton, {}, at);
    QTest::qWait(static_cast<int>(GetDoubleClickTime()) + 200);
    EXPECT_EQ(doc.GetDrawingFeatureByID(partA)->GetDrawingState(), 2);
    EXPECT_EQ(T().GetPendingClickDrawingID(), -1);
}

TEST_F(DrawingCommandTreeTest, TheActiveDrawingsStateDoesNotCycle)
{
    doc.ActivateDrawingFeature(doc.GetDrawingFeatureByID(partA), 1);
    EXPECT_FALSE(T().CycleDrawingState(Item(partA)));
    EXPECT_EQ(doc.GetDrawingFeatureByID(partA)->GetDrawingState(), 0);
    EXPECT_TRUE(T().CycleDrawingState(Item(partB)));
    EXPECT_EQ(Tree(), Expected());
}

TEST_F(DrawingCommandTreeTest, MovingAnItemKeepsItsSelectionAndChildren)
{
    Select(Item(paper2));
    ASSERT_TRUE(T().MoveDrawingItem(paper2, 3));
    HTREEITEM hMoved = Item(paper2);
    EXPECT_EQ(T().GetSiblingIndex(hMoved), 3);
    EXPECT_EQ(T().GetSelectedItem(), hMoved);
    EXPECT_EQ(T().GetChildCount(hMoved), 3);
    // The root item stays expanded when the user double-clicks it.
    auto* pView = qobject_cast<QTreeWidget*>(T().GetQWidget());
    CRect root;
    T().GetItemRect(T().GetRootItem(), &root, TRUE);
    QTest::mouseDClick(pView->viewport(), Qt::LeftButton, {}, QPoint(root.CenterPoint().x, root.CenterPoint().y) - pView->viewport()->pos());
    EXPECT_TRUE(T().GetItemState(T().GetRootItem(), TVIS_EXPANDED) & TVIS_EXPANDED);
}

}  // namespace
