// List and tree views and image lists: state-change notifications in order, clicks, label
// editing accepted, refused and cancelled, sorting, check boxes, custom draw on pixels.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTreeWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CEdit.h"
#include "platform/win/CImageList.h"
#include "platform/win/CListCtrl.h"

namespace {

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

struct Told {
  UINT code;
  int item;
  UINT oldState;
  UINT newState;
  std::string text;
  bool hasText;
};

class CListParent : public CWnd {
public:
  std::vector<Told> told;
  std::map<UINT, LRESULT> answers;
  std::function<LRESULT(NMHDR*)> onNotify;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      if (h->code == LVN_ITEMCHANGED) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        told.push_back({h->code, nm->iItem, nm->uOldState, nm->uNewState, {}, false});
      } else if (h->code == LVN_BEGINLABELEDIT || h->code == LVN_ENDLABELEDIT) {
        auto* di = reinterpret_cast<NMLVDISPINFO*>(lParam);
        told.push_back({h->code, di->item.iItem, 0, 0,
                        di->item.pszText ? QString::fromUtf16(di->item.pszText).toStdString() : std::string(),
                        di->item.pszText != nullptr});
      } else if (h->code != NM_CUSTOMDRAW && h->code != NM_SETFOCUS && h->code != NM_KILLFOCUS && h->code != LVN_KEYDOWN) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        told.push_back({h->code, nm->iItem, 0, 0, {}, false});
      }
      if (onNotify) {
        const LRESULT r = onNotify(h);
        if (r != -12345) return r;
      }
      if (auto it = answers.find(h->code); it != answers.end()) return it->second;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Told> Take() {
    std::vector<Told> v;
    v.swap(told);
    return v;
  }
};

class ListTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"lists", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 400, 300), nullptr, 0));
    parent.ShowWindow(SW_SHOW);
    parent.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.GetQWidget()));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS, CRect(0, 0, 380, 260),
                            &parent, 500));
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, u"Size", LVCFMT_RIGHT, 80);
    const char16_t* names[] = {u"beta", u"alpha", u"gamma"};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(list.InsertItem(i, names[i]), i);
      list.SetItemText(i, 1, QString::number((i + 1) * 10).toStdU16String().c_str());
      list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
    }
    parent.Take();
  }
  void TearDown() override {
    parent.DestroyWindow();
    Pump();
  }
  QTreeWidget* View() { return qobject_cast<QTreeWidget*>(list.GetQWidget()); }
  CListParent parent;
  CListCtrl list;
};

std::string S(const CString& s) { return s.ToQString().toStdString(); }

TEST_F(ListTest, ItemsColumnsAndData) {
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(S(list.GetItemText(1, 0)), "alpha");
  EXPECT_EQ(S(list.GetItemText(2, 1)), "30");
  EXPECT_EQ(list.GetItemData(2), static_cast<DWORD_PTR>(102));
  EXPECT_EQ(list.GetColumnWidth(0), 120);
  // A column put in front moves the texts along.
  list.InsertColumn(0, u"Flag", LVCFMT_LEFT, 40);
  EXPECT_EQ(S(list.GetItemText(0, 1)), "beta");
  EXPECT_EQ(S(list.GetItemText(0, 2)), "10");
  EXPECT_TRUE(list.DeleteColumn(0));
  EXPECT_EQ(S(list.GetItemText(0, 0)), "beta");
  LVFINDINFO fi{LVFI_PARAM, nullptr, 101};
  EXPECT_EQ(list.FindItem(&fi), 1);
  EXPECT_FALSE(list.SetItemText(7, 0, u"x"));
  EXPECT_EQ(S(list.GetItemText(7, 0)), "");
  EXPECT_TRUE(list.DeleteItem(0));
  const std::vector<Told> t = parent.Take();
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.front().code, static_cast<UINT>(LVN_DELETEITEM));
  EXPECT_EQ(list.GetItemCount(), 2);
}

TEST_F(ListTest, StateChangesAreToldLossesFirstThenTheClick) {
  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  std::vector<Told> t = parent.Take();
  ASSERT_EQ(t.size(), 1u) << "one change for the item, state and focus together";
  EXPECT_EQ(t[0].item, 0);
  EXPECT_EQ(t[0].oldState, 0u);
  EXPECT_EQ(t[0].newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);

  CRect r;
  ASSERT_TRUE(list.GetItemRect(2, &r, LVIR_LABEL));
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(r.left + 5, r.top + r.Height() / 2 - View()->viewport()->y()));
  t = parent.Take();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[0].code, static_cast<UINT>(LVN_ITEMCHANGED));
  EXPECT_EQ(t[0].item, 0);
  EXPECT_EQ(t[0].newState, 0u);
  EXPECT_EQ(t[1].code, static_cast<UINT>(LVN_ITEMCHANGED));
  EXPECT_EQ(t[1].item, 2);
  EXPECT_EQ(t[1].newState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(t.back().code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(t.back().item, 2);
  POSITION pos = list.GetFirstSelectedItemPosition();
  EXPECT_EQ(list.GetNextSelectedItem(pos), 2);
  EXPECT_EQ(pos, nullptr);
}

TEST_F(ListTest, LabelEditingIsAcceptedRefusedOrCancelled) {
  // Accepted.
  parent.answers[LVN_ENDLABELEDIT] = TRUE;
  ASSERT_NE(list.EditLabel(1), nullptr);
  CEdit* edit = list.GetEditControl();
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(u"delta");
  QTest::keyClick(edit->GetQWidget(), Qt::Key_Return);
  Pump(10);
  std::vector<Told> t = parent.Take();
  auto labels = [](const std::vector<Told>& v) {
    std::vector<Told> out;
    for (const Told& x : v)
      if (x.code == LVN_BEGINLABELEDIT || x.code == LVN_ENDLABELEDIT) out.push_back(x);
    return out;
  };
  std::vector<Told> l = labels(t);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].code, static_cast<UINT>(LVN_BEGINLABELEDIT));
  EXPECT_EQ(l[0].text, "alpha");
  EXPECT_EQ(l[1].code, static_cast<UINT>(LVN_ENDLABELEDIT));
  EXPECT_EQ(l[1].text, "delta");
  EXPECT_EQ(S(list.GetItemText(1, 0)), "delta");

  // Refused by the parent: the text stays.
  parent.answers[LVN_ENDLABELEDIT] = FALSE;
  list.EditLabel(1);
  list.GetEditControl()->SetWindowText(u"epsilon");
  QTest::keyClick(list.GetEditControl()->GetQWidget(), Qt::Key_Return);
  Pump(10);
  EXPECT_EQ(S(list.GetItemText(1, 0)), "delta");

  // Cancelled: the end comes without a text.
  parent.Take();
  list.EditLabel(0);
  QTest::keyClick(list.GetEditControl()->GetQWidget(), Qt::Key_Escape);
  Pump(10);
  l = labels(parent.Take());
  ASSERT_EQ(l.size(), 2u);
  EXPECT_FALSE(l[1].hasText);
  EXPECT_EQ(S(list.GetItemText(0, 0)), "beta");

  // A parent may refuse to let an item be edited at all.
  parent.answers[LVN_BEGINLABELEDIT] = TRUE;
  EXPECT_EQ(list.EditLabel(2), nullptr);
  EXPECT_EQ(list.GetEditControl(), nullptr);
}

int CALLBACK_ByDataDescending(LPARAM a, LPARAM b, LPARAM) { return a > b ? -1 : a < b ? 1 : 0; }

TEST_F(ListTest, SortingKeepsTheSelectedItem) {
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  parent.Take();
  ASSERT_TRUE(list.SortItems(&CALLBACK_ByDataDescending, 0));
  EXPECT_EQ(S(list.GetItemText(0, 0)), "gamma");
  EXPECT_EQ(S(list.GetItemText(2, 0)), "beta");
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1) << "alpha, still selected, stays in the middle";
  EXPECT_EQ(list.GetItemData(0), static_cast<DWORD_PTR>(102));
}

TEST_F(ListTest, CheckBoxesAreStateImages) {
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  parent.Take();
  EXPECT_FALSE(list.GetCheck(1));
  list.SetCheck(1, TRUE);
  EXPECT_TRUE(list.GetCheck(1));
  const std::vector<Told> t = parent.Take();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].oldState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  EXPECT_EQ(t[0].newState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
}

TEST_F(ListTest, CustomDrawColoursAnItem) {
  parent.onNotify = [](NMHDR* h) -> LRESULT {
    if (h->code != NM_CUSTOMDRAW) return -12345;
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(h);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if ((cd->nmcd.dwDrawStage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT && cd->nmcd.dwItemSpec == 1) cd->clrTextBk = RGB(0, 200, 0);
    return CDRF_DODEFAULT;
  };
  CRect r;
  list.GetItemRect(1, &r, LVIR_BOUNDS);
  const QImage img = list.GetQWidget()->grab().toImage();
  EXPECT_EQ(img.pixel(r.right - 3, r.top + 2) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF);
  list.GetItemRect(0, &r, LVIR_BOUNDS);
  EXPECT_NE(img.pixel(r.right - 3, r.top + 2) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFF);
}

TEST(ImageListTest, MaskColourBecomesTransparent) {
  QImage strip(32, 16, QImage::Format_RGB32);
  strip.fill(qRgb(255, 0, 255));
  strip.setPixel(3, 3, qRgb(10, 20, 30));
  strip.setPixel(20, 5, qRgb(40, 50, 60));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(strip));
  CImageList il;
  ASSERT_TRUE(il.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
  EXPECT_EQ(il.Add(&bmp, RGB(255, 0, 255)), 0);
  EXPECT_EQ(il.GetImageCount(), 2);
  QImage target(16, 16, QImage::Format_RGB32);
  target.fill(qRgb(1, 2, 3));
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateFromPaintDevice(&target));
    EXPECT_TRUE(il.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_FALSE(il.Draw(&dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
  }
  EXPECT_EQ(target.pixel(4, 5) & 0xFFFFFF, qRgb(40, 50, 60) & 0xFFFFFF);
  EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF) << "the mask colour lets the background through";
  EXPECT_EQ(CImageList::FromHandle(il.GetSafeHandle()), &il);
}

}  // namespace
