// The layer tree: what the option mask puts in it, how each item looks, the values a group's
// layers agree on, moves that copy whole subtrees and keep the id map right, and removals that
// never leave the map pointing at deleted items.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "StructureTestSupport.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/win/CImageList.h"
#include "platform/win/WinCtrlConstants.h"
#include "structure/CLayerTreeCtrl.h"

namespace {

class LayerTreeTest : public EnglishStructureTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 500), nullptr, 0));
        host.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (tree.GetSafeHwnd() != nullptr)
            tree.DestroyWindow();
        host.DestroyWindow();
    }
    void Build(WORD options)
    {
        tree.m_wOptions = options;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 480), &host, 1030));
        tree.SetDocument(&ld.doc);
    }
    // The tree as text: one line per item in pre-order, indented by depth.
    std::string Outline()
    {
        std::string out;
        for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextItemInOrder(h)) {
            int depth = 0;
            for (HTREEITEM p = tree.GetParentItem(h); p != nullptr; p = tree.GetParentItem(p))
                ++depth;
            out += std::string(static_cast<size_t>(depth) * 2, ' ') + tree.GetItemText(h).ToQString().toStdString() + "\n";
        }
        return out;
    }
    // The document's own layers (it may come with layers of its own) beside the fixture's.
    std::string Default()
    {
        std::string out;
        const LayerFeatureTable* t = ld.doc.GetLayerTable();
        for (int i = 0; i < t->GetChildLayerFeatureCount(-1); ++i) {
            const long id = t->GetChildLayerID(-1, i);
            if (id != ld.g1 && id != ld.d && id != ld.e)
                out += "  " + t->GetLayerName(id).ToQString().toStdString() + "\n";
        }
        return out;
    }
    CWnd host;
    LayerDocument ld;
    CLayerTreeCtrl tree;
};

TEST_F(LayerTreeTest, OptionMasksChooseTheItems)
{
    struct Case {
        WORD options;
        std::string expected;
    };
    Build(0x37);
    EXPECT_EQ(Outline(), "All layers\n" + Default() + "  G1\n    A\n    G2\n      B\n      C\n  D\n  E\n");
    tree.DestroyWindow();
    Build(0x04);
    EXPECT_EQ(Outline(), "G1\n  G2\n") << "groups alone, top-level without the root";
    tree.DestroyWindow();
    Build(0x0A);
    const std::string withZero = Outline();
    EXPECT_EQ(withZero.substr(0, withZero.find('\n')), "(No layer)") << "the stand-in for layer 0 comes first";
    EXPECT_NE(tree.FindLayerItem(0), nullptr);
}

TEST_F(LayerTreeTest, ItemsLookTheirPart)
{
    ld.doc.BeginUndoOperation(nullptr);
    ld.doc.SetCurrentLayerID(ld.b, 1);
    ld.doc.SetLayerState(ld.c, 1, 1);
    ld.doc.SetLayerHide(ld.d, TRUE, 1);
    ld.doc.EndUndoOperation();
    Build(0x37);
    struct Look {
        long id;
        int image, selected;
        UINT overlay;
        bool bold;
    };
    const Look looks[] = {
        {-1, 0, 1, 0, true},                       // root: a group, bold
        {ld.g1, 0, 1, 0, false},                    // group
        {ld.b, 2, 2, INDEXTOOVERLAYMASK(2), true},  // current: pencil, bold
        {ld.c, 3, 3, INDEXTOOVERLAYMASK(1), false}, // locked: padlock
        {ld.d, 4, 4, 0, false},                     // hidden: not shown
        {ld.e, 3, 3, 0, false},                     // plain
    };
    for (const Look& l : looks) {
        HTREEITEM h = tree.FindLayerItem(l.id);
        ASSERT_NE(h, nullptr) << l.id;
        int image = -1, selected = -1;
        tree.GetItemImage(h, image, selected);
        EXPECT_EQ(image, l.image) << l.id;
        EXPECT_EQ(selected, l.selected) << l.id;
        EXPECT_EQ(tree.GetItemState(h, TVIS_OVERLAYMASK), l.overlay) << l.id;
        EXPECT_EQ((tree.GetItemState(h, TVIS_BOLD) & TVIS_BOLD) != 0, l.bold) << l.id;
    }
    // A new current layer: refreshing every item moves the pencil.
    ld.doc.SetCurrentLayerID(ld.e, 1);
    tree.RefreshAllItems();
    EXPECT_EQ(tree.GetItemState(tree.FindLayerItem(ld.b), TVIS_OVERLAYMASK), 0u);
    EXPECT_EQ(tree.GetItemState(tree.FindLayerItem(ld.e), TVIS_OVERLAYMASK), static_cast<UINT>(INDEXTOOVERLAYMASK(2)));
    // A rename reaches the item's text through a refresh of that layer.
    ld.doc.SetLayerName(ld.a, u"Walls");
    EXPECT_TRUE(tree.RefreshLayerItem(ld.a, FALSE));
    EXPECT_EQ(tree.GetItemText(tree.FindLayerItem(ld.a)).ToQString().toStdString(), "Walls");
    EXPECT_FALSE(tree.RefreshLayerItem(9999, FALSE)) << "an id the document lacks changes nothing";
}

TEST_F(LayerTreeTest, GroupCommonValues)
{
    ld.doc.BeginUndoOperation(nullptr);
    for (long id : {ld.b, ld.c})
        ld.doc.SetLayerColorNo(id, 3, 1);
    ld.doc.EndUndoOperation();
    Build(0x37);
    struct Case {
        const char* what;
        long changeLayer;
        short colour;
        bool hasCommon;
        short expectColour;
        int expectState;
    };
    LayerFeature* common = nullptr;
    int state = -1;
    tree.GetGroupCommonValues(tree.FindLayerItem(ld.g2), common, &state);
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->GetColorNo(), 3) << "all agree";
    EXPECT_EQ(state, 0);
    EXPECT_TRUE(common->IsGroup());
    delete common;
    common = nullptr;

    ld.doc.SetLayerColorNo(ld.c, 5, 1);
    tree.RefreshLayerItem(ld.c, FALSE);
    tree.GetGroupCommonValues(tree.FindLayerItem(ld.g2), common, &state);
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->GetColorNo(), -1) << "one colour differs";
    EXPECT_EQ(state, 0) << "the state still agrees";
    delete common;
    common = nullptr;

    ld.doc.SetLayerState(ld.b, 1, 1);
    ld.doc.SetLayerHide(ld.b, TRUE, 1);
    tree.RefreshLayerItem(ld.b, FALSE);
    tree.GetGroupCommonValues(tree.FindLayerItem(ld.g1), common, &state);
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(state, 3) << "states differ below G1";
    EXPECT_FALSE(common->IsHide()) << "hidden differs: cleared";
    delete common;
    common = nullptr;

    const long empty = ld.doc.AddLayerGroup(u"Empty", -1);
    tree.RebuildTree();
    tree.GetGroupCommonValues(tree.FindLayerItem(empty), common, &state);
    EXPECT_EQ(common, nullptr) << "no layers, no record";
}

TEST_F(LayerTreeTest, MovesCopySubtreesAndTheMapFollows)
{
    Build(0x37);
    const std::string before = Default();
    HTREEITEM oldG2 = tree.FindLayerItem(ld.g2);
    // G2 with its layers goes to the end of the root group.
    ASSERT_TRUE(ld.doc.MoveInLayer(ld.g2, -1, -1, 1));
    ASSERT_TRUE(tree.MoveLayerItemToGroupEnd(ld.g2, -1));
    EXPECT_EQ(Outline(), "All layers\n" + before + "  G1\n    A\n  D\n  E\n  G2\n    B\n    C\n");
    HTREEITEM newG2 = tree.FindLayerItem(ld.g2);
    ASSERT_NE(newG2, nullptr);
    EXPECT_NE(newG2, oldG2);
    EXPECT_EQ(tree.GetParentItem(tree.FindLayerItem(ld.b)), newG2) << "the children's entries point at the copies";
    EXPECT_EQ(tree.GetItemLayer(tree.FindLayerItem(ld.c))->GetLayerID(), ld.c);

    // Into G1 at an index: moved down inside its own group.
    const LayerFeatureTable* t = ld.doc.GetLayerTable();
    ASSERT_TRUE(ld.doc.MoveInLayer(ld.e, -1, 0, 1));
    tree.RebuildTree();
    const int rootCount = t->GetChildLayerFeatureCount(-1);
    // E sits first; move it to index 2 of the root (a moved-down case).
    ASSERT_TRUE(ld.doc.MoveInLayer(ld.e, -1, 2, 1));
    ASSERT_TRUE(tree.MoveLayerItemInto(ld.e, -1, 2));
    HTREEITEM root = tree.GetRootItem();
    for (int i = 0; i < rootCount; ++i)
        EXPECT_EQ(tree.GetItemLayer(tree.GetChildItemAt(root, i))->GetLayerID(), t->GetChildLayerID(-1, i)) << i;

    // Before and after another layer.
    ASSERT_TRUE(ld.doc.MoveBeforeLayer(ld.d, ld.a, 1));
    ASSERT_TRUE(tree.MoveLayerItemBefore(ld.d, ld.a));
    ASSERT_TRUE(ld.doc.MoveAfterLayer(ld.b, ld.a, 1));
    ASSERT_TRUE(tree.MoveLayerItemAfter(ld.b, ld.a));
    HTREEITEM g1 = tree.FindLayerItem(ld.g1);
    ASSERT_EQ(tree.GetChildCount(g1), t->GetChildLayerFeatureCount(ld.g1));
    for (int i = 0; i < tree.GetChildCount(g1); ++i)
        EXPECT_EQ(tree.GetItemLayer(tree.GetChildItemAt(g1, i))->GetLayerID(), t->GetChildLayerID(ld.g1, i)) << i;
    EXPECT_FALSE(tree.MoveLayerItemAfter(ld.b, 4242)) << "an unknown target moves nothing";
}

TEST_F(LayerTreeTest, RemovingAGroupForgetsItsDescendants)
{
    Build(0x37);
    tree.SelectLayerItem(ld.c);
    ASSERT_TRUE(tree.RemoveLayerItem(ld.g2));
    EXPECT_EQ(tree.FindLayerItem(ld.g2), nullptr);
    EXPECT_EQ(tree.FindLayerItem(ld.b), nullptr) << "no entry for an item that went with its group";
    EXPECT_EQ(tree.FindLayerItem(ld.c), nullptr);
    // The control moves its selection on; the tree's selected item is never a deleted one.
    HTREEITEM sel = tree.GetSelectedItem();
    if (sel != nullptr) {
        ASSERT_NE(tree.GetItemLayer(sel), nullptr);
        EXPECT_EQ(tree.FindLayerItem(tree.GetItemLayer(sel)->GetLayerID()), sel);
    }
    EXPECT_FALSE(tree.RemoveLayerItem(ld.b));
    EXPECT_NE(tree.FindLayerItem(ld.a), nullptr);
}

TEST_F(LayerTreeTest, SelectabilityAndTheRootStaysOpen)
{
    Build(0x17);  // groups not selectable
    EXPECT_FALSE(tree.IsItemSelectable(tree.FindLayerItem(ld.g1)));
    EXPECT_TRUE(tree.IsItemSelectable(tree.FindLayerItem(ld.a)));
    // A click on a group item changes nothing.
    tree.SelectLayerItem(ld.a);
    CRect r;
    ASSERT_TRUE(tree.GetItemRect(tree.FindLayerItem(ld.g1), &r, TRUE));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + r.Height() / 2));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + r.Height() / 2));
    EXPECT_EQ(tree.GetSelectedItem(), tree.FindLayerItem(ld.a));
    // The root cannot be collapsed by the user.
    HTREEITEM root = tree.GetRootItem();
    CRect rr;
    tree.GetItemRect(root, &rr, TRUE);
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rr.left + 3, rr.top + rr.Height() / 2));
    PumpEvents();
    EXPECT_NE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
}

}  // namespace
