// The check list box: checks set by the program say nothing, a check the user toggles sends
// CLBN_CHKCHANGE to the parent; item data and colour swatches leave the checks alone.

#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>

#include <vector>

#include "platform/win/CCheckListBox.h"
#include "platform/win/WinMessages.h"

namespace {

class CheckParent : public CWnd {
public:
  std::vector<UINT> codes;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && LOWORD(wParam) == 77) codes.push_back(HIWORD(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST(CheckListBoxTest, OnlyTheUsersCheckChangesAreTold) {
  CheckParent parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"checks", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 200), nullptr, 0));
  CCheckListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_HASSTRINGS, CRect(0, 0, 200, 150), &parent, 77));
  EXPECT_EQ(list.AddString(u"one"), 0);
  EXPECT_EQ(list.AddString(u"two"), 1);
  list.SetItemData(1, 42);
  list.SetItemColor(1, RGB(255, 0, 0));
  list.SetCheck(1, 1);
  EXPECT_EQ(list.GetCheck(0), 0);
  EXPECT_EQ(list.GetCheck(1), 1);
  EXPECT_EQ(list.GetCheck(5), -1);
  EXPECT_EQ(list.GetItemData(1), 42u);
  auto changes = [&parent] {
    int n = 0;
    for (UINT code : parent.codes) n += code == CLBN_CHKCHANGE ? 1 : 0;
    return n;
  };
  EXPECT_EQ(changes(), 0);

  // The user: the space bar on the current item toggles its box.
  auto* pWidget = qobject_cast<QListWidget*>(list.GetQWidget());
  ASSERT_NE(pWidget, nullptr);
  pWidget->setCurrentRow(0);
  pWidget->setFocus();
  QTest::keyClick(pWidget, Qt::Key_Space);
  EXPECT_EQ(list.GetCheck(0), 1);
  EXPECT_EQ(changes(), 1);
  list.SetItemData(0, 7);
  EXPECT_EQ(changes(), 1);
}

}  // namespace
