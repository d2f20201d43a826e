// List view pieces that structure views lean on: sub-item hit tests, scrolling, the size a
// number of items takes, work areas lining icons up in one row, the nearest item to a point,
// text widths, the header's divider tracking and the start of an item drag.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QListView>
#include <QtWidgets/QTreeWidget>

#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct HeaderTold {
  UINT code;
  int item;
  int width;
};

class CLayoutParent : public CWnd {
public:
  std::vector<HeaderTold> header;
  std::vector<NMLISTVIEW> drags;
  LRESULT beginTrackAnswer = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      if (h->code == HDN_BEGINTRACK || h->code == HDN_ENDTRACK || h->code == HDN_DIVIDERDBLCLICK) {
        auto* nm = reinterpret_cast<NMHEADER*>(lParam);
        header.push_back({h->code, nm->iItem, nm->pitem ? nm->pitem->cxy : -1});
        return h->code == HDN_BEGINTRACK ? beginTrackAnswer : 0;
      }
      if (h->code == LVN_BEGINDRAG) drags.push_back(*reinterpret_cast<NMLISTVIEW*>(lParam));
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A list that takes the end of a divider drag itself, as a derived list does with its map.
class CTrackingList : public CListCtrl {
public:
  std::vector<int> ended;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* h = reinterpret_cast<NMHDR*>(lParam);
    if (h->code == HDN_ENDTRACK && m_bTakeEnd) {
      ended.push_back(reinterpret_cast<NMHEADER*>(lParam)->pitem->cxy);
      *pResult = 1;
      return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
  }
  bool m_bTakeEnd = false;
};

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

class ListLayoutTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"lists", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 420, 300), nullptr, 0));
    parent.ShowWindow(SW_SHOW);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 260), &parent, 501));
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, u"Size", LVCFMT_RIGHT, 80);
    for (int i = 0; i < 60; ++i) {
      list.InsertItem(i, QString("item %1").arg(i).toStdU16String().c_str());
      list.SetItemText(i, 1, QString::number(i).toStdU16String().c_str());
    }
    Pump();
  }
  void TearDown() override {
    parent.DestroyWindow();
    Pump();
  }
  void IconForm(int count) {
    QImage strip(32, 32, QImage::Format_RGB32);
    strip.fill(qRgb(0, 128, 255));
    ASSERT_TRUE(bmp.CreateFromImage(strip));
    ASSERT_TRUE(large.Create(32, 32, ILC_COLOR32, 1, 1));
    large.Add(&bmp, static_cast<COLORREF>(CLR_NONE));
    list.SetImageList(&large, LVSIL_NORMAL);
    while (list.GetItemCount() > count) list.DeleteItem(list.GetItemCount() - 1);
    list.ModifyStyle(LVS_TYPEMASK, LVS_ICON);
    list.Arrange(0);
    Pump();
  }
  QTreeWidget* View() { return qobject_cast<QTreeWidget*>(list.GetQWidget()); }
  CLayoutParent parent;
  CTrackingList list;
  CBitmap bmp;
  CImageList large;
};

TEST_F(ListLayoutTest, SubItemHitTestNamesRowColumnAndPart) {
  CRect cell;
  ASSERT_TRUE(list.GetItemRect(3, &cell, LVIR_BOUNDS));
  LVHITTESTINFO hi{};
  hi.pt = POINT{120 + 40, cell.top + cell.Height() / 2};
  EXPECT_EQ(list.SubItemHitTest(&hi), 3);
  EXPECT_EQ(hi.iItem, 3);
  EXPECT_EQ(hi.iSubItem, 1);
  EXPECT_EQ(hi.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
  hi.pt = POINT{10, cell.top + 1};
  EXPECT_EQ(list.SubItemHitTest(&hi), 3);
  EXPECT_EQ(hi.iSubItem, 0);
  // Right of every column and below every row: nothing.
  hi.pt = POINT{390, cell.top + 1};
  EXPECT_EQ(list.SubItemHitTest(&hi), -1);
  EXPECT_EQ(hi.flags, static_cast<UINT>(LVHT_NOWHERE));
}

TEST_F(ListLayoutTest, ScrollMovesTheReportByWholeRows) {
  CRect row;
  ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
  ASSERT_EQ(list.GetTopIndex(), 0);
  EXPECT_TRUE(list.Scroll(CSize(0, row.Height() * 5)));
  EXPECT_EQ(list.GetTopIndex(), 5);
  EXPECT_TRUE(list.Scroll(CSize(0, 1)));
  EXPECT_EQ(list.GetTopIndex(), 6) << "a few pixels still move one row";
  EXPECT_TRUE(list.Scroll(CSize(0, -row.Height() * 6)));
  EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(ListLayoutTest, ApproximateViewRectOfReportAndIcons) {
  CRect row;
  ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
  const CSize all = list.ApproximateViewRect();
  const CSize ten = list.ApproximateViewRect(CSize(-1, -1), 10);
  EXPECT_EQ(all.cx, 200) << "the columns' widths";
  EXPECT_EQ(all.cy - ten.cy, 50 * row.Height());

  IconForm(12);
  const CSize one = list.ApproximateViewRect(CSize(-1, -1), 1);
  CRect item;
  ASSERT_TRUE(list.GetItemRect(0, &item, LVIR_BOUNDS));
  EXPECT_GE(one.cx, item.Width());
  EXPECT_GE(one.cy, item.Height());
  EXPECT_GE(one.cy, 32);
  // Twelve items in a window a few items wide wrap into rows; in a wide one they do not.
  const CSize narrow = list.ApproximateViewRect(CSize(one.cx * 3, -1), 12);
  EXPECT_EQ(narrow.cx, one.cx * 3);
  EXPECT_EQ(narrow.cy, one.cy * 4);
  const CSize wide = list.ApproximateViewRect(CSize(one.cx * 100, -1), 12);
  EXPECT_EQ(wide.cy, one.cy);
}

TEST_F(ListLayoutTest, OneWorkAreaLinesTheIconsUpInOneRow) {
  IconForm(30);
  CRect first, last;
  ASSERT_TRUE(list.GetItemRect(0, &first, LVIR_BOUNDS));
  ASSERT_TRUE(list.GetItemRect(29, &last, LVIR_BOUNDS));
  ASSERT_GT(last.top, first.top) << "thirty icons wrap in a 400-pixel window";
  EXPECT_EQ(list.GetNumberOfWorkAreas(), 0u);

  const CSize one = list.ApproximateViewRect(CSize(-1, -1), 1);
  CRect area(0, 0, one.cx * 1000, one.cy);
  list.SetWorkAreas(1, &area);
  list.Arrange(LVA_ALIGNTOP);
  Pump();
  EXPECT_EQ(list.GetNumberOfWorkAreas(), 1u);
  CRect got;
  list.GetWorkAreas(1, &got);
  EXPECT_EQ(got, area);
  for (int i = 1; i < 30; ++i) {
    CRect r;
    ASSERT_TRUE(list.GetItemRect(i, &r, LVIR_BOUNDS));
    EXPECT_EQ(r.top, first.top) << i;
  }
  ASSERT_TRUE(list.GetItemRect(29, &last, LVIR_BOUNDS));
  EXPECT_GT(last.left, 400);

  list.SetWorkAreas(0, nullptr);
  list.Arrange(LVA_ALIGNTOP);
  Pump();
  ASSERT_TRUE(list.GetItemRect(29, &last, LVIR_BOUNDS));
  EXPECT_GT(last.top, first.top) << "without work areas they wrap again";
}

TEST_F(ListLayoutTest, IconPartsAreTheirOwnHits) {
  IconForm(3);
  CRect icon, label;
  ASSERT_TRUE(list.GetItemRect(1, &icon, LVIR_ICON));
  ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
  EXPECT_LE(icon.bottom, label.top + 1) << "the text stands under the picture";
  LVHITTESTINFO hi{};
  hi.pt = icon.CenterPoint();
  EXPECT_EQ(list.SubItemHitTest(&hi), 1);
  EXPECT_EQ(hi.flags, static_cast<UINT>(LVHT_ONITEMICON));
  hi.pt = label.CenterPoint();
  EXPECT_EQ(list.SubItemHitTest(&hi), 1);
  EXPECT_EQ(hi.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
}

TEST_F(ListLayoutTest, NearestItemSearchingUpwards) {
  CRect last;
  ASSERT_TRUE(list.GetItemRect(59, &last, LVIR_BOUNDS));
  list.EnsureVisible(59, FALSE);
  ASSERT_TRUE(list.GetItemRect(59, &last, LVIR_BOUNDS));
  while (list.GetItemCount() > 5) list.DeleteItem(list.GetItemCount() - 1);
  ASSERT_TRUE(list.GetItemRect(4, &last, LVIR_BOUNDS));
  LVFINDINFO fi{};
  fi.flags = LVFI_NEARESTXY | LVFI_WRAP;
  fi.vkDirection = VK_UP;
  fi.pt = POINT{30, last.bottom + 40};
  EXPECT_EQ(list.FindItem(&fi), 4) << "below the rows: the last one";
  CRect first;
  ASSERT_TRUE(list.GetItemRect(0, &first, LVIR_BOUNDS));
  fi.pt = POINT{30, first.top - 2};
  fi.flags = LVFI_NEARESTXY;
  EXPECT_EQ(list.FindItem(&fi), -1) << "nothing lies above the first row";
  fi.flags = LVFI_NEARESTXY | LVFI_WRAP;
  EXPECT_EQ(list.FindItem(&fi), 0) << "wrapping finds the nearest anyway";

  IconForm(4);
  CRect area(0, 0, 100000, 200);
  list.SetWorkAreas(1, &area);
  list.Arrange(LVA_ALIGNTOP);
  CRect icon3;
  ASSERT_TRUE(list.GetItemRect(3, &icon3, LVIR_BOUNDS));
  fi.pt = POINT{icon3.right + 50, icon3.top + 5};
  EXPECT_EQ(list.FindItem(&fi), 3) << "right of the row: its last icon";
}

TEST_F(ListLayoutTest, StringWidthGrowsWithTheText) {
  const int i = list.GetStringWidth(u"i");
  const int w = list.GetStringWidth(u"WWWWWWWW");
  EXPECT_GT(i, 0);
  EXPECT_GT(w, i * 4);
  EXPECT_EQ(list.GetStringWidth(u""), 0);
}

TEST_F(ListLayoutTest, DividerTrackingIsToldAtBeginAndEnd) {
  QWidget* hv = View()->header()->viewport();
  const int y = hv->height() / 2;
  Mouse(hv, QEvent::MouseButtonPress, QPoint(120, y), Qt::LeftButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseMove, QPoint(140, y), Qt::NoButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseMove, QPoint(170, y), Qt::NoButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseButtonRelease, QPoint(170, y), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(parent.header.size(), 2u);
  EXPECT_EQ(parent.header[0].code, static_cast<UINT>(HDN_BEGINTRACK));
  EXPECT_EQ(parent.header[0].item, 0);
  EXPECT_EQ(parent.header[0].width, 120);
  EXPECT_EQ(parent.header[1].code, static_cast<UINT>(HDN_ENDTRACK));
  EXPECT_EQ(parent.header[1].width, 170);
  EXPECT_EQ(list.GetColumnWidth(0), 170);

  // Refused at the start: the width stays.
  parent.header.clear();
  parent.beginTrackAnswer = TRUE;
  Mouse(hv, QEvent::MouseButtonPress, QPoint(170, y), Qt::LeftButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseMove, QPoint(200, y), Qt::NoButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseButtonRelease, QPoint(200, y), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(parent.header.size(), 1u);
  EXPECT_EQ(list.GetColumnWidth(0), 170);

  // The list's own window hears first; what it answers goes no further.
  parent.header.clear();
  parent.beginTrackAnswer = 0;
  list.m_bTakeEnd = true;
  Mouse(hv, QEvent::MouseButtonPress, QPoint(249, y), Qt::LeftButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseMove, QPoint(229, y), Qt::NoButton, Qt::LeftButton);
  Mouse(hv, QEvent::MouseButtonRelease, QPoint(229, y), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(list.ended.size(), 1u);
  EXPECT_EQ(list.ended[0], 60);
  ASSERT_EQ(parent.header.size(), 1u);
  EXPECT_EQ(parent.header[0].code, static_cast<UINT>(HDN_BEGINTRACK));
  EXPECT_EQ(parent.header[0].item, 1);

  parent.header.clear();
  Mouse(hv, QEvent::MouseButtonDblClick, QPoint(170, y), Qt::LeftButton, Qt::LeftButton);
  ASSERT_FALSE(parent.header.empty());
  EXPECT_EQ(parent.header.back().code, static_cast<UINT>(HDN_DIVIDERDBLCLICK));
  EXPECT_EQ(parent.header.back().item, 0);
}

TEST_F(ListLayoutTest, PressingAndMovingAnItemBeginsADrag) {
  list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
  CRect r;
  ASSERT_TRUE(list.GetItemRect(3, &r, LVIR_BOUNDS));
  QWidget* vp = View()->viewport();
  const QPoint at = vp->mapFrom(list.GetQWidget(), QPoint(20, r.top + 2));
  Mouse(vp, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Mouse(vp, QEvent::MouseMove, at + QPoint(0, 1), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(parent.drags.empty()) << "not past the drag distance yet";
  Mouse(vp, QEvent::MouseMove, at + QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
  Mouse(vp, QEvent::MouseMove, at + QPoint(0, 40), Qt::NoButton, Qt::LeftButton);
  Mouse(vp, QEvent::MouseButtonRelease, at + QPoint(0, 40), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(parent.drags.size(), 1u) << "once per press";
  EXPECT_EQ(parent.drags[0].iItem, 3);
  EXPECT_EQ(parent.drags[0].ptAction.y, r.top + 2);
  EXPECT_EQ(list.GetSelectedCount(), 2u) << "dragging two selected rows keeps both";

  // A press on no item drags nothing.
  parent.drags.clear();
  Mouse(vp, QEvent::MouseButtonPress, QPoint(380, vp->height() - 2), Qt::LeftButton, Qt::LeftButton);
  Mouse(vp, QEvent::MouseMove, QPoint(300, vp->height() - 40), Qt::NoButton, Qt::LeftButton);
  Mouse(vp, QEvent::MouseButtonRelease, QPoint(300, vp->height() - 40), Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(parent.drags.empty());
}

}  // namespace
