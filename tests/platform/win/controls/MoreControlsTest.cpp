// Track bars, progress bars, scroll bars and tab controls: what the user's actions tell the
// parent and what setting by message leaves untold; template controls are objects of their class.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSlider>
#include <QtWidgets/QTabBar>

#include <vector>

#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CComboBoxEx.h"
#include "platform/win/CImageList.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListBox.h"
#include "platform/win/CListCtrl.h"
#include "platform/win/CProgressCtrl.h"
#include "platform/win/CScrollBar.h"
#include "platform/win/CSliderCtrl.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/CStatic.h"
#include "platform/win/CTabCtrl.h"
#include "platform/win/CTreeCtrl.h"
#include "platform/win/DialogTemplate.h"

namespace {

struct Msg {
  UINT message;
  UINT code;
  UINT pos;
  HWND from;
};

class CHost : public CWnd {
public:
  std::vector<Msg> got;
  LRESULT selChanging = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL || message == WM_VSCROLL)
      got.push_back({message, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      got.push_back({message, h->code, 0, h->hwndFrom});
      if (h->code == TCN_SELCHANGING) return selChanging;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Msg> Take() {
    std::vector<Msg> v;
    v.swap(got);
    return v;
  }
};

class MoreControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"more", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 400, 300), nullptr, 0));
    host.ShowWindow(SW_SHOW);
    host.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.GetQWidget()));
  }
  void TearDown() override { host.DestroyWindow(); }
  CHost host;
};

TEST_F(MoreControlsTest, SliderTellsTheUsersMovesOnly) {
  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 200, 40), &host, 11));
  slider.SetRange(0, 10);
  slider.SetPos(3);
  slider.SetLineSize(2);
  EXPECT_EQ(slider.GetPos(), 3);
  EXPECT_TRUE(host.Take().empty());
  slider.SetFocus();
  QTest::keyClick(slider.GetQWidget(), Qt::Key_Right);
  EXPECT_EQ(slider.GetPos(), 5);
  const std::vector<Msg> m = host.Take();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].message, static_cast<UINT>(WM_HSCROLL));
  EXPECT_EQ(m[0].code, static_cast<UINT>(TB_LINEDOWN));
  EXPECT_EQ(m[0].from, slider.GetSafeHwnd());
  EXPECT_EQ(m[1].code, static_cast<UINT>(TB_ENDTRACK));
}

TEST_F(MoreControlsTest, ProgressStepsAndStartsAgain) {
  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &host, 12));
  bar.SetRange32(0, 50);
  bar.SetStep(20);
  EXPECT_EQ(bar.StepIt(), 0);
  EXPECT_EQ(bar.StepIt(), 20);
  bar.StepIt();
  EXPECT_EQ(bar.GetPos(), 10) << "past the end it starts again from the bottom";
  EXPECT_EQ(bar.SetPos(99), 10);
  EXPECT_EQ(bar.GetPos(), 50);
  int lo = -1, hi = -1;
  bar.GetRange(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 50);
}

TEST_F(MoreControlsTest, ScrollBarWaitsForItsParentToMoveIt) {
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(10, 10, 26, 200), &host, 13));
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 20, 0};
  bar.SetScrollInfo(&si);
  EXPECT_EQ(bar.GetScrollLimit(), 91);
  auto* q = qobject_cast<QScrollBar*>(bar.GetQWidget());
  q->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar.GetScrollPos(), 20) << "the bar does not move itself";
  const std::vector<Msg> m = host.Take();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].message, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(m[0].code, static_cast<UINT>(SB_PAGEDOWN));
  EXPECT_EQ(m[1].code, static_cast<UINT>(SB_ENDSCROLL));
  bar.SetScrollPos(500);
  EXPECT_EQ(bar.GetScrollPos(), 91);
}

TEST_F(MoreControlsTest, TabClicksAreAskedForAndTold) {
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 380, 200), &host, 14));
  for (const char16_t* t : {u"General", u"Lines", u"Texts"}) tabs.InsertItem(tabs.GetItemCount(), t);
  EXPECT_EQ(tabs.SetCurSel(1), 0);
  EXPECT_TRUE(host.Take().empty());
  CRect r;
  ASSERT_TRUE(tabs.GetItemRect(2, &r));
  QTest::mouseClick(tabs.GetQWidget()->findChild<QTabBar*>(), Qt::LeftButton, {}, QPoint(r.CenterPoint().x, r.CenterPoint().y));
  std::vector<Msg> m = host.Take();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].code, static_cast<UINT>(TCN_SELCHANGING));
  EXPECT_EQ(m[1].code, static_cast<UINT>(TCN_SELCHANGE));
  EXPECT_EQ(tabs.GetCurSel(), 2);
  host.selChanging = TRUE;
  ASSERT_TRUE(tabs.GetItemRect(0, &r));
  QTest::mouseClick(tabs.GetQWidget()->findChild<QTabBar*>(), Qt::LeftButton, {}, QPoint(r.CenterPoint().x, r.CenterPoint().y));
  EXPECT_EQ(tabs.GetCurSel(), 2) << "refused";
  CRect page(0, 0, 370, 190);
  tabs.AdjustRect(FALSE, &page);
  EXPECT_GT(page.top, 10) << "the page area is below the tabs";
}

TEST_F(MoreControlsTest, ComboBoxExItemsCarryImagesAndData) {
  QImage strip(32, 16, QImage::Format_RGB32);
  strip.fill(qRgb(0, 0, 255));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateFromImage(strip));
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 2, 2));
  images.Add(&bmp, static_cast<COLORREF>(CLR_NONE));
  CComboBoxEx combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &host, 15));
  combo.SetImageList(&images);
  EXPECT_EQ(combo.GetImageList(), &images);
  const char16_t* names[] = {u"butt", u"round"};
  for (int i = 0; i < 2; ++i) {
    COMBOBOXEXITEM item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = i;
    item.pszText = const_cast<LPTSTR>(names[i]);
    item.iImage = item.iSelectedImage = i;
    item.lParam = 10 + i;
    EXPECT_EQ(combo.InsertItem(&item), i);
  }
  EXPECT_EQ(combo.GetCount(), 2);
  EXPECT_EQ(combo.GetItemData(1), static_cast<DWORD_PTR>(11));
  TCHAR buf[16] = {};
  COMBOBOXEXITEM got{};
  got.mask = CBEIF_TEXT | CBEIF_IMAGE;
  got.iItem = 1;
  got.pszText = buf;
  got.cchTextMax = 16;
  ASSERT_TRUE(combo.GetItem(&got));
  EXPECT_EQ(QString::fromUtf16(buf), QStringLiteral("round"));
  EXPECT_EQ(got.iImage, 1);
  EXPECT_EQ(combo.GetComboBoxCtrl(), &combo);
  combo.SetCurSel(0);
  EXPECT_TRUE(host.Take().empty());
  EXPECT_EQ(combo.DeleteItem(0), 1);
}

TEST_F(MoreControlsTest, TemplateControlsAreObjectsOfTheirClass) {
  DialogTemplate t;
  CString why;
  ASSERT_TRUE(t.Parse(CString(u"DIALOG 0 0 200 200\n"
                              "CONTROL BUTTON 1 \"b\" 0 0 10 10\nCONTROL EDIT 2 \"\" 0 0 10 10\n"
                              "CONTROL STATIC 3 \"\" 0 0 10 10\nCONTROL COMBOBOX 4 \"\" 0 0 10 10\n"
                              "CONTROL LISTBOX 5 \"\" 0 0 10 10\nCONTROL SCROLLBAR 6 \"\" 0 0 10 10\n"
                              "CONTROL msctls_updown32 7 \"\" 0 0 10 10\nCONTROL msctls_trackbar32 8 \"\" 0 0 10 10\n"
                              "CONTROL msctls_progress32 9 \"\" 0 0 10 10\nCONTROL SysListView32 10 \"\" 0 0 10 10\n"
                              "CONTROL SysTreeView32 11 \"\" 0 0 10 10\nCONTROL SysTabControl32 12 \"\" 0 0 10 10\n"
                              "CONTROL ComboBoxEx32 13 \"\" 0 0 10 10\n"),
                      &why));
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(t, &host));
  CRuntimeClass* kinds[] = {RUNTIME_CLASS(CButton),     RUNTIME_CLASS(CEdit),           RUNTIME_CLASS(CStatic),
                            RUNTIME_CLASS(CComboBox),   RUNTIME_CLASS(CListBox),        RUNTIME_CLASS(CScrollBar),
                            RUNTIME_CLASS(CSpinButtonCtrl), RUNTIME_CLASS(CSliderCtrl), RUNTIME_CLASS(CProgressCtrl),
                            RUNTIME_CLASS(CListCtrl),   RUNTIME_CLASS(CTreeCtrl),       RUNTIME_CLASS(CTabCtrl),
                            RUNTIME_CLASS(CComboBoxEx)};
  for (int id = 1; id <= 13; ++id) {
    CWnd* c = dlg.GetDlgItem(id);
    ASSERT_NE(c, nullptr) << id;
    EXPECT_TRUE(c->IsKindOf(kinds[id - 1])) << id;
    EXPECT_EQ(CWnd::FromHandlePermanent(c->GetSafeHwnd()), nullptr) << "no program object is attached yet";
  }
  // A program's object takes the control over.
  CSliderCtrl mine;
  ASSERT_TRUE(mine.SubclassDlgItem(8, &dlg));
  EXPECT_EQ(dlg.GetDlgItem(8), &mine);
  mine.SetRange(0, 4);
  EXPECT_EQ(mine.GetRangeMax(), 4);
  dlg.DestroyWindow();
  EXPECT_EQ(mine.GetSafeHwnd(), nullptr);
}

}  // namespace
