// The arrow and tolerance rows as geometry and in an image, the cap and join choosers, and the tree base:
// check propagation, drop positions and the walks.
#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "ControlsTestSupport.h"
#include "controls/CLineCapComboBox.h"
#include "controls/CLineJoinComboBox.h"
#include "controls/CQZ2TreeCtrl.h"
#include "controls/SymbolPainters.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

TEST(SymbolRows, ArrowHeadsSitElevenPixelsFromTheRightEdgeAndShaftsEndByKind)
{
    const CRect row(0, 0, 200, 20);
    struct Case {
        int kind;
        float shaftEnd;
    };
    for (const Case& c : {Case{1, 173.f}, Case{11, 189.f}, Case{2, 181.f}, Case{3, 181.f}, Case{4, 189.f},
                          Case{6, 189.f}, Case{9, 189.f}, Case{12, 173.f}, Case{13, 173.f}}) {
        const ArrowRowGeometry g = ComputeArrowRowGeometry(row, c.kind, 0);
        EXPECT_FLOAT_EQ(g.s, 16.f);
        EXPECT_FLOAT_EQ(g.xT, 189.f) << "11 pixels left of the right edge";
        EXPECT_FLOAT_EQ(g.yc, 10.f);
        EXPECT_FLOAT_EQ(g.shaftEndX, c.shaftEnd) << c.kind;
    }
    EXPECT_FLOAT_EQ(ComputeArrowRowGeometry(row, 1, 0).x0, 2.f);
    EXPECT_FLOAT_EQ(ComputeArrowRowGeometry(row, 1, 12).x0, 16.f);
}

TEST(SymbolRows, TheToleranceBoxStaysInsideItsRow)
{
    const ToleranceRowGeometry first = ComputeToleranceRowGeometry(CRect(0, 0, 200, 20));
    EXPECT_FLOAT_EQ(first.left, 4.f);
    EXPECT_FLOAT_EQ(first.top, 2.f);
    EXPECT_FLOAT_EQ(first.side, 16.f);
    EXPECT_FLOAT_EQ(first.nameLeft, 24.f);
    const ToleranceRowGeometry shifted = ComputeToleranceRowGeometry(CRect(50, 40, 250, 60));
    EXPECT_FLOAT_EQ(shifted.left, 54.f);
    EXPECT_FLOAT_EQ(shifted.top, 42.f);
    EXPECT_FLOAT_EQ(shifted.nameLeft, 74.f);
}

class SymbolImages : public EnglishResources
{
};

TEST_F(SymbolImages, ASelectedRowPaintsTheHeadInHighlightTextOnHighlight)
{
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&image));
    const CRect row(0, 0, 200, 20);
    DrawArrowItem(&dc, nullptr, &row, 5, TRUE, FALSE, TRUE, TRUE, TRUE);
    dc.DeleteDC();
    const auto rgbOf = [](int sys) {
        const COLORREF c = GetSysColor(sys);
        return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
    };
    EXPECT_EQ(QColor(image.pixel(100, 2)), rgbOf(COLOR_HIGHLIGHT));
    // The filled square of kind 5 is centred on (189, 10).
    EXPECT_EQ(QColor(image.pixel(189, 10)), rgbOf(COLOR_HIGHLIGHTTEXT));
}

class Choosers : public EnglishResources
{
protected:
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    void TearDown() override { host.DestroyWindow(); }
    RecordingHost host;
};

TEST_F(Choosers, CapAndJoinSelectTheirItemsAndRefuseOthers)
{
    CLineCapComboBox caps;
    ASSERT_TRUE(caps.Create(CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 200), &host, 1500));
    EXPECT_EQ(caps.GetCount(), 4);
    caps.SetLineCap(2);
    EXPECT_EQ(caps.GetLineCap(), 2);
    caps.SetLineCap(4);
    EXPECT_EQ(caps.GetLineCap(), -1);
    CString text;
    caps.GetLBText(0, text);
    EXPECT_EQ(text, CString(u"Flat"));

    CLineJoinComboBox joins;
    ASSERT_TRUE(joins.Create(CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE, CRect(10, 40, 150, 200), &host, 1501));
    EXPECT_EQ(joins.GetCount(), 3);
    joins.SetLineJoin(1);
    EXPECT_EQ(joins.GetLineJoin(), 1);
    joins.SetLineJoin(-1);
    EXPECT_EQ(joins.GetLineJoin(), -1);
}

class Tree : public EnglishResources
{
protected:
    void Make(DWORD extraStyle)
    {
        ASSERT_TRUE(host.CreateHost(300, 400));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | extraStyle, CRect(0, 0, 280, 380),
                                &host, 1600));
        root = tree.InsertItem(u"Drawing");
        a = tree.InsertItem(u"A", root);
        a1 = tree.InsertItem(u"A1", a);
        a2 = tree.InsertItem(u"A2", a);
        b = tree.InsertItem(u"B", root);
        c = tree.InsertItem(u"C", root);
        tree.Expand(root, TVE_EXPAND);
        tree.Expand(a, TVE_EXPAND);
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        host.DestroyWindow();
    }
    RecordingHost host;
    CQZ2TreeCtrl tree;
    HTREEITEM root = nullptr, a = nullptr, a1 = nullptr, a2 = nullptr, b = nullptr, c = nullptr;
};

TEST_F(Tree, ChecksPropagateDownAndUpAndTheOwnerHears)
{
    Make(TVS_CHECKBOXES);
    for (HTREEITEM h : {root, a, a1, a2, b, c})
        tree.SetCheck(h, TRUE);
    tree.SetCheck(a1, FALSE);
    tree.OnItemCheckChanged(a1);
    EXPECT_FALSE(tree.GetCheck(a));
    EXPECT_FALSE(tree.GetCheck(root));
    EXPECT_TRUE(tree.GetCheck(b));
    tree.SetCheck(a1, TRUE);
    tree.OnItemCheckChanged(a1);
    EXPECT_TRUE(tree.GetCheck(a));
    EXPECT_TRUE(tree.GetCheck(root));
    tree.SetCheck(a, FALSE);
    tree.OnItemCheckChanged(a);
    EXPECT_FALSE(tree.GetCheck(a1));
    EXPECT_FALSE(tree.GetCheck(a2));
    EXPECT_EQ(host.Codes(1600), (std::vector<int>{0x8014, 0x8014, 0x8014}));
}

TEST_F(Tree, WithoutCheckBoxesNothingPropagatesButTheOwnerStillHears)
{
    Make(0);
    EXPECT_FALSE(tree.SetChildrenCheck(a, TRUE));
    EXPECT_FALSE(tree.UpdateParentCheck(a1));
    tree.OnItemCheckChanged(a1);
    EXPECT_EQ(host.Codes(1600), std::vector<int>{0x8014});
}

TEST_F(Tree, DropPositionsRefuseMovesThatChangeNothing)
{
    Make(0);
    CRect rect;
    auto top = [&](HTREEITEM h) {
        tree.GetItemRect(h, &rect, FALSE);
        return CPoint(rect.left + 30, rect.top + 1);
    };
    auto bottom = [&](HTREEITEM h) {
        tree.GetItemRect(h, &rect, FALSE);
        return CPoint(rect.left + 30, rect.bottom - 1);
    };
    EXPECT_FALSE(tree.BeginDrag(top(root))) << "the first root cannot be dragged";
    ASSERT_TRUE(tree.BeginDrag(top(b)));
    struct Case {
        CPoint point;
        HTREEITEM item;
        int position;
    };
    tree.GetItemRect(c, &rect, FALSE);
    const CPoint belowAll(rect.left + 30, rect.bottom + 40);
    for (const Case& k : {Case{top(root), root, 0}, Case{bottom(root), root, 1}, Case{top(b), b, 3},
                          Case{bottom(a2), a2, 1}, Case{top(a1), a1, 2}, Case{bottom(c), c, 1},
                          Case{top(c), c, 3} /* just before b's next sibling: b stays */, Case{belowAll, c, 1}}) {
        POINT p = k.point;
        int position = -1;
        EXPECT_EQ(tree.GetDropTarget(&p, &position), k.item);
        EXPECT_EQ(position, k.position);
    }
    // a's own subtree when dragging a.
    EXPECT_TRUE(tree.CancelDrag());
    ASSERT_TRUE(tree.BeginDrag(top(a)));
    POINT p = bottom(a1);
    int position = -1;
    EXPECT_EQ(tree.GetDropTarget(&p, &position), a1);
    EXPECT_EQ(position, 3);
    tree.EndDrag(0, CPoint(bottom(c)));
    EXPECT_FALSE(tree.IsDragging());
    EXPECT_EQ(tree.GetDragItem(), nullptr) << "dropped elsewhere: the drag item is forgotten";
}

TEST_F(Tree, WalksVisitEveryItemInOrder)
{
    Make(0);
    std::vector<HTREEITEM> order;
    for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextItemInOrder(h))
        order.push_back(h);
    EXPECT_EQ(order, (std::vector<HTREEITEM>{root, a, a1, a2, b, c}));
    EXPECT_EQ(tree.GetSiblingIndex(b), 1);
    EXPECT_EQ(tree.GetSiblingIndex(a1), 0);
    EXPECT_EQ(tree.GetChildItemAt(root, 2), c);
    EXPECT_EQ(tree.GetChildItemAt(root, 3), nullptr);
    EXPECT_EQ(tree.GetChildCount(root), 3);
    EXPECT_EQ(tree.GetLastVisibleItem(), c);
}

}  // namespace
