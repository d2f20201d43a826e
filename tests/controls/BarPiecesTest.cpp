// Pieces shared by the structure views: where a drop-down tree opens under its combo box, the
// extent of a tree's content, and the bar toolbar (locked, never stored, updated by its owner,
// a click focusing its focus window first).

#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

#include "controls/CBarToolBar.h"
#include "controls/DropDownPlacement.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CTreeCtrl.h"
#include "ControlsTestSupport.h"

namespace {

struct PlaceCase {
    const char* what;
    CRect combo;
    CSize extent;
    CRect expected;
};

TEST(DropDownPlacementTest, OpensBelowAboveAndInsideTheMonitor)
{
    const CRect monitor(0, 0, 1000, 800);
    const PlaceCase cases[] = {
        {"below the combo, as wide as its content", CRect(100, 100, 220, 120), CSize(150, 90), CRect(100, 120, 250, 210)},
        {"a narrow content takes the combo's width", CRect(100, 100, 220, 120), CSize(60, 90), CRect(100, 120, 220, 210)},
        {"a wide content is cut to 200", CRect(100, 100, 220, 120), CSize(450, 90), CRect(100, 120, 300, 210)},
        {"unless the combo is wider", CRect(100, 100, 360, 120), CSize(450, 90), CRect(100, 120, 360, 210)},
        {"a tall content is cut to 300", CRect(100, 100, 220, 120), CSize(150, 900), CRect(100, 120, 250, 420)},
        {"near the bottom it opens above", CRect(100, 700, 220, 720), CSize(150, 200), CRect(100, 500, 250, 700)},
        {"a combo above the monitor's top: moved down", CRect(100, -60, 220, -40), CSize(150, 90), CRect(100, 0, 250, 90)},
        {"near the right edge it is moved left", CRect(900, 100, 960, 120), CSize(180, 90), CRect(820, 120, 1000, 210)},
        {"left of the monitor it is moved right", CRect(-50, 100, 30, 120), CSize(150, 90), CRect(0, 120, 150, 210)},
        {"bottom-right corner", CRect(950, 780, 990, 800), CSize(190, 100), CRect(810, 680, 1000, 780)},
    };
    for (const PlaceCase& c : cases)
        EXPECT_EQ(DropDownPlacement::Place(c.combo, monitor, c.extent), c.expected) << c.what;
    // A second monitor right of the first: its own edges count.
    EXPECT_EQ(DropDownPlacement::Place(CRect(1900, 100, 1950, 120), CRect(1000, 0, 2000, 800), CSize(150, 90)),
              CRect(1850, 120, 2000, 210));
}

TEST(DropDownPlacementTest, MonitorIsTheWholeScreen)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED, CRect(10, 10, 200, 100), nullptr, 0));
    const CRect rc = DropDownPlacement::MonitorRect(&host);
    const QRect screen = host.GetQWidget()->screen()->geometry();
    EXPECT_EQ(rc, CRect(screen.left(), screen.top(), screen.right() + 1, screen.bottom() + 1));
    host.DestroyWindow();
}

TEST(DropDownPlacementTest, TreeExtentCoversTheVisibleLabels)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED, CRect(0, 0, 400, 400), nullptr, 0));
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 380, 380), &host, 7));
    HTREEITEM root = tree.InsertItem(u"root");
    HTREEITEM longOne = tree.InsertItem(u"a rather long layer name indeed", root);
    tree.InsertItem(u"short", root);
    HTREEITEM hidden = tree.InsertItem(u"a hidden child with a far longer name than any other", longOne);
    tree.Expand(root, TVE_EXPAND);
    tree.Expand(longOne, TVE_COLLAPSE);
    CRect label, last;
    ASSERT_TRUE(tree.GetItemRect(longOne, &label, TRUE));
    const CSize extent = DropDownPlacement::TreeExtent(tree);
    EXPECT_EQ(extent.cx, label.right + 10);
    HTREEITEM lastVisible = tree.GetNextVisibleItem(longOne);
    ASSERT_TRUE(tree.GetItemRect(lastVisible, &last, TRUE));
    EXPECT_EQ(extent.cy, last.bottom + 10);
    (void)hidden;
    host.DestroyWindow();
}

constexpr UINT kAdd = 34227;
constexpr UINT kDelete = 34229;

class CToolbarOwner : public CWnd
{
public:
    BOOL m_bDeleteEnabled = FALSE;
    std::vector<UINT> commands;
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bDeleteEnabled); }
    afx_msg void OnAdd() { commands.push_back(kAdd); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolbarOwner, CWnd)
    ON_UPDATE_COMMAND_UI(kDelete, &CToolbarOwner::OnUpdateDelete)
    ON_COMMAND(kAdd, &CToolbarOwner::OnAdd)
END_MESSAGE_MAP()

TEST(BarToolBarTest, LockedUnstoredAndUpdatedThroughItsOwner)
{
    CToolbarOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, u"bar", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 200), nullptr, 0));
    owner.ShowWindow(SW_SHOW);
    CBarToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateForBar(&owner, 1031, 0));
    const UINT ids[] = {kAdd, 0, kDelete};
    ASSERT_TRUE(toolbar.SetButtons(ids, 3));
    EXPECT_TRUE(toolbar.IsLocked());
    EXPECT_FALSE(toolbar.AllowShowOnList());
    EXPECT_EQ(toolbar.GetFocusWindow(), &owner);
    EXPECT_FALSE(toolbar.SaveState(u"Software\\Test\\Bars"));
    EXPECT_FALSE(toolbar.LoadState(u"Software\\Test\\Bars"));
    EXPECT_GE(toolbar.GetFixedHeight(), 22);

    toolbar.OnUpdateCmdUI(nullptr, TRUE);
    const int del = toolbar.CommandToIndex(kDelete);
    ASSERT_GE(del, 0);
    EXPECT_NE(toolbar.GetButtonStyle(del) & TBBS_DISABLED, 0u) << "the owner says no";
    owner.m_bDeleteEnabled = TRUE;
    toolbar.OnUpdateCmdUI(nullptr, TRUE);
    EXPECT_EQ(toolbar.GetButtonStyle(del) & TBBS_DISABLED, 0u);

    // Its buttons' commands reach the owner.
    toolbar.ClickButton(toolbar.CommandToIndex(kAdd));
    PumpEvents();
    ASSERT_EQ(owner.commands.size(), 1u);
    toolbar.DestroyWindow();
    owner.DestroyWindow();
}

TEST(BarToolBarTest, AClickFocusesTheFocusWindowFirst)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 200), nullptr, 0));
    host.ShowWindow(SW_SHOW);
    host.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.GetQWidget()));
    CWnd target;
    ASSERT_TRUE(target.Create(nullptr, u"target", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 40, 100, 100), &host, 5));
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, u"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(100, 40, 200, 100), &host, 6));
    CBarToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateForBar(&host, 1031, 0));
    toolbar.SetFocusWindow(&target);
    toolbar.SetWindowPos(nullptr, 0, 0, 300, 30, SWP_NOZORDER);
    other.SetFocus();
    PumpEvents();
    ASSERT_EQ(CWnd::GetFocus(), &other);
    toolbar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    toolbar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpEvents();
    EXPECT_EQ(CWnd::GetFocus(), &target);
    toolbar.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
