// The standard controls driven offscreen: the notifications each sends, in order, to the
// right window, with reflection to the control's own object first; owner-drawn items painted
// through DrawItem and checked on pixels; the messages that set state sending nothing.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QToolButton>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/win/CButton.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CListBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/CStatic.h"

namespace {

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

struct Note {
  UINT id;
  UINT code;
  bool operator==(const Note& o) const { return id == o.id && code == o.code; }
};
std::ostream& operator<<(std::ostream& os, const Note& n) { return os << "(" << n.id << "," << static_cast<int>(n.code) << ")"; }

constexpr UINT kScroll = 0xFFFF;

// The parent: records every notification, scroll message and up-down request.
class CRecorder : public CWnd {
public:
  std::vector<Note> log;
  std::vector<NMUPDOWN> deltas;
  LRESULT deltaAnswer = 0;
  std::map<UINT, LRESULT> answers;             // by notification code
  std::function<LRESULT(NMHDR*)> onNotify;     // asked first when set

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) log.push_back({LOWORD(wParam), HIWORD(wParam)});
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      log.push_back({static_cast<UINT>(h->idFrom), h->code});
      if (h->code == UDN_DELTAPOS) {
        deltas.push_back(*reinterpret_cast<NMUPDOWN*>(lParam));
        return deltaAnswer;
      }
      if (onNotify) return onNotify(h);
      if (auto it = answers.find(h->code); it != answers.end()) return it->second;
    }
    if (message == WM_VSCROLL || message == WM_HSCROLL) log.push_back({kScroll, LOWORD(wParam) * 1000u + HIWORD(wParam)});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Note> Take() {
    std::vector<Note> v;
    v.swap(log);
    return v;
  }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"controls", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 400, 300), nullptr, 0));
    parent.ShowWindow(SW_SHOW);
    parent.SetActiveWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.GetQWidget()));
  }
  void TearDown() override {
    parent.DestroyWindow();
    Pump();
  }
  CRecorder parent;
};

using Log = std::vector<Note>;

// ---- combo box -----------------------------------------------------------------------------

TEST_F(ControlTest, ComboListChoiceAndCancelNotifyInOrder) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_TABSTOP, CRect(10, 10, 150, 200), &parent, 21));
  for (const char16_t* s : {u"red", u"green", u"blue"}) combo.AddString(s);
  EXPECT_EQ(combo.SetCurSel(0), 0);
  EXPECT_TRUE(parent.Take().empty()) << "filling and selecting by message tells nothing";

  auto* q = qobject_cast<QComboBox*>(combo.GetQWidget());
  ASSERT_NE(q, nullptr);
  combo.ShowDropDown(TRUE);
  Pump(20);
  EXPECT_TRUE(combo.GetDroppedState());
  QTest::keyClick(q->view(), Qt::Key_Down);
  QTest::keyClick(q->view(), Qt::Key_Return);
  Pump(30);
  EXPECT_EQ(parent.Take(), (Log{{21, CBN_DROPDOWN}, {21, CBN_SELCHANGE}, {21, CBN_CLOSEUP}, {21, CBN_SELENDOK}}));
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_FALSE(combo.GetDroppedState());

  combo.ShowDropDown(TRUE);
  Pump(20);
  QTest::keyClick(q->view(), Qt::Key_Escape);
  Pump(30);
  EXPECT_EQ(parent.Take(), (Log{{21, CBN_DROPDOWN}, {21, CBN_CLOSEUP}, {21, CBN_SELENDCANCEL}}));
  EXPECT_EQ(combo.GetCurSel(), 1);
}

TEST_F(ControlTest, ComboItemsSortFindAndCarryData) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_SORT, CRect(10, 10, 150, 200), &parent, 22));
  for (const char16_t* s : {u"Line", u"arc", u"Circle"}) combo.SetItemData(combo.AddString(s), static_cast<DWORD_PTR>(s[0]));
  CString t;
  combo.GetLBText(0, t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("arc"));
  combo.GetLBText(2, t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("Line"));
  EXPECT_EQ(combo.GetItemData(1), static_cast<DWORD_PTR>(u'C'));
  EXPECT_EQ(combo.FindString(-1, u"ci"), 1);
  EXPECT_EQ(combo.FindStringExact(-1, u"ci"), CB_ERR);
  EXPECT_EQ(combo.SelectString(-1, u"LI"), 2);
  EXPECT_EQ(combo.GetLBText(7, t.GetBuffer(8)), CB_ERR);
  t.ReleaseBuffer();
  // An editable combo shows any text; typing tells the parent.
  combo.SetWindowText(u"free text");
  combo.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("free text"));
  parent.Take();
  combo.SetFocus();
  Pump(10);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
  const Log got = parent.Take();
  const Log typed{{22, CBN_EDITUPDATE}, {22, CBN_EDITCHANGE}};
  EXPECT_NE(std::search(got.begin(), got.end(), typed.begin(), typed.end()), got.end());
}

// ---- edit ----------------------------------------------------------------------------------

TEST_F(ControlTest, EditTellsChangesFocusAndTheLimit) {
  CEdit a, b;
  ASSERT_TRUE(a.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 10, 150, 30), &parent, 31));
  ASSERT_TRUE(b.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER, CRect(10, 40, 150, 60), &parent, 32));
  parent.Take();
  a.SetWindowText(u"abc");
  EXPECT_EQ(parent.Take(), (Log{{31, EN_UPDATE}, {31, EN_CHANGE}}));
  EXPECT_FALSE(a.GetModify()) << "setting the text is no edit by the user";

  a.SetFocus();
  Pump(10);
  EXPECT_EQ(parent.Take(), (Log{{31, EN_SETFOCUS}}));
  a.SetSel(0, -1);
  QTest::keyClicks(a.GetQWidget(), QStringLiteral("z"));
  EXPECT_EQ(parent.Take(), (Log{{31, EN_UPDATE}, {31, EN_CHANGE}}));
  EXPECT_TRUE(a.GetModify());
  CString t;
  a.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("z"));

  b.SetFocus();
  Pump(10);
  EXPECT_EQ(parent.Take(), (Log{{31, EN_KILLFOCUS}, {32, EN_SETFOCUS}}));
  b.SetLimitText(3);
  QTest::keyClicks(b.GetQWidget(), QStringLiteral("1x234"));
  b.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("123")) << "digits only, three at most";
  const Log got = parent.Take();
  EXPECT_NE(std::find(got.begin(), got.end(), Note{32, EN_MAXTEXT}), got.end());

  int s = -1, e = -1;
  b.SetSel(1, 2);
  b.GetSel(s, e);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(e, 2);
  b.ReplaceSel(u"9");
  b.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("193"));
}

TEST_F(ControlTest, MultiLineEditCountsLines) {
  CEdit m;
  ASSERT_TRUE(m.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, CRect(10, 10, 200, 100), &parent, 33));
  m.SetWindowText(u"one\r\ntwo\r\nthree");
  EXPECT_EQ(m.GetLineCount(), 3);
  TCHAR buf[16] = {};
  EXPECT_EQ(m.GetLine(2, buf, 16), 5);
  EXPECT_EQ(QString::fromUtf16(buf, 5), QStringLiteral("three"));
  EXPECT_EQ(m.LineIndex(1), 4);
  EXPECT_EQ(m.LineLength(4), 3);
}

// ---- buttons -------------------------------------------------------------------------------

TEST_F(ControlTest, ButtonKindsChangeStateAsTheirStyleSays) {
  struct Case {
    DWORD style;
    std::vector<int> states;  // after each click
  } cases[] = {
      {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED}},
      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
  };
  UINT id = 40;
  for (const Case& c : cases) {
    CButton b;
    ASSERT_TRUE(b.Create(u"&Check", WS_CHILD | WS_VISIBLE | c.style, CRect(10, 10, 150, 30), &parent, ++id));
    parent.Take();
    for (int expected : c.states) {
      QTest::mouseClick(b.GetQWidget(), Qt::LeftButton, {}, QPoint(8, 10));
      EXPECT_EQ(b.GetCheck(), expected) << "style " << c.style;
    }
    EXPECT_EQ(parent.Take(), Log(c.states.size(), Note{id, BN_CLICKED}));
    b.DestroyWindow();
  }
}

TEST_F(ControlTest, AutomaticRadioButtonsFormGroupsByWsGroup) {
  CButton r[4];
  const DWORD s = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
  ASSERT_TRUE(r[0].Create(u"a", s | WS_GROUP, CRect(10, 10, 100, 25), &parent, 51));
  ASSERT_TRUE(r[1].Create(u"b", s, CRect(10, 30, 100, 45), &parent, 52));
  ASSERT_TRUE(r[2].Create(u"c", s | WS_GROUP, CRect(10, 50, 100, 65), &parent, 53));
  ASSERT_TRUE(r[3].Create(u"d", s, CRect(10, 70, 100, 85), &parent, 54));
  r[3].SetCheck(BST_CHECKED);
  QTest::mouseClick(r[0].GetQWidget(), Qt::LeftButton, {}, QPoint(5, 7));
  QTest::mouseClick(r[1].GetQWidget(), Qt::LeftButton, {}, QPoint(5, 7));
  EXPECT_EQ(r[0].GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(r[1].GetCheck(), BST_CHECKED);
  EXPECT_EQ(r[3].GetCheck(), BST_CHECKED) << "the other group is untouched";
}

// A button that handles its own click; with passOn it lets the parent see it too.
class CSelfButton : public CButton {
public:
  BOOL passOn = FALSE;
  int clicks = 0;
  afx_msg BOOL OnClicked() {
    ++clicks;
    return !passOn;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CSelfButton::OnClicked)
END_MESSAGE_MAP()

TEST_F(ControlTest, NotificationsReachTheControlBeforeItsParent) {
  CSelfButton b;
  ASSERT_TRUE(b.Create(u"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 100, 30), &parent, 61));
  parent.Take();
  // The parent's log records the message arriving; its handlers see it only when passed on.
  struct Probe : CCmdTarget {};
  b.Click();
  EXPECT_EQ(b.clicks, 1);
  b.passOn = TRUE;
  b.Click();
  EXPECT_EQ(b.clicks, 2);
  EXPECT_EQ(parent.Take().size(), 2u);
}

// ---- owner-drawn lists ---------------------------------------------------------------------

class CSwatchCombo : public CComboBox {
public:
  int measured = 0;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    CDC* dc = CDC::FromHandle(d->hDC);
    if (d->itemID != static_cast<UINT>(-1)) dc->FillSolidRect(&d->rcItem, static_cast<COLORREF>(d->itemData));
  }
  void MeasureItem(LPMEASUREITEMSTRUCT m) override {
    ++measured;
    m->itemHeight = 18;
  }
};

class CSwatchList : public CListBox {
public:
  std::vector<UINT> compared;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    CDC::FromHandle(d->hDC)->FillSolidRect(&d->rcItem, static_cast<COLORREF>(d->itemData & 0xFFFFFF));
  }
  void MeasureItem(LPMEASUREITEMSTRUCT m) override { m->itemHeight = static_cast<UINT>(m->itemData >> 24); }
  int CompareItem(LPCOMPAREITEMSTRUCT c) override {
    compared.push_back(c->itemID2);
    const auto a = c->itemData1 >> 24, b = c->itemData2 >> 24;
    return a < b ? -1 : a > b ? 1 : 0;
  }
};

QRgb Pixel(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

TEST_F(ControlTest, OwnerDrawnComboPaintsThroughDrawItem) {
  CSwatchCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(10, 10, 160, 200), &parent, 71));
  combo.AddString(reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(RGB(255, 0, 0))));
  combo.AddString(reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(RGB(0, 0, 255))));
  EXPECT_EQ(combo.GetItemData(1), static_cast<DWORD_PTR>(RGB(0, 0, 255)));
  combo.SetCurSel(1);
  const QImage img = combo.GetQWidget()->grab().toImage();
  EXPECT_EQ(Pixel(img, 20, img.height() / 2), qRgb(0, 0, 255) & 0xFFFFFF) << "the selection field shows item 1";
  EXPECT_GE(combo.measured, 1) << "a fixed owner-drawn list is measured when made";
  EXPECT_EQ(combo.GetItemHeight(0), 18);
}

TEST_F(ControlTest, OwnerDrawnListSortsMeasuresAndPaintsEachItem) {
  CSwatchList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOTIFY, CRect(10, 10, 160, 200), &parent, 72));
  // Height in the top byte, colour below: sorted by height.
  const auto item = [](UINT h, COLORREF c) { return reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>((h << 24) | c)); };
  list.AddString(item(30, RGB(0, 0, 255)));
  list.AddString(item(10, RGB(255, 0, 0)));
  EXPECT_FALSE(list.compared.empty()) << "sorting without strings asks CompareItem";
  EXPECT_EQ(list.GetItemData(0) & 0xFFFFFF, static_cast<DWORD_PTR>(RGB(255, 0, 0)));
  EXPECT_EQ(list.GetItemHeight(0), 10);
  EXPECT_EQ(list.GetItemHeight(1), 30);
  CRect r0, r1;
  list.GetItemRect(0, &r0);
  list.GetItemRect(1, &r1);
  EXPECT_EQ(r0.Height(), 10);
  EXPECT_EQ(r1.top, r0.bottom);
  const QImage img = list.GetQWidget()->grab().toImage();
  EXPECT_EQ(Pixel(img, r0.left + 5, r0.top + 5), qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(Pixel(img, r1.left + 5, r1.top + 20), qRgb(0, 0, 255) & 0xFFFFFF);
}

class CSwatchButton : public CButton {
public:
  std::vector<UINT> states;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    states.push_back(d->itemState);
    CDC::FromHandle(d->hDC)->FillSolidRect(&d->rcItem, (d->itemState & ODS_SELECTED) ? RGB(0, 0, 0) : RGB(0, 160, 0));
  }
};

class CSwatchStatic : public CStatic {
public:
  void DrawItem(LPDRAWITEMSTRUCT d) override { CDC::FromHandle(d->hDC)->FillSolidRect(&d->rcItem, RGB(200, 0, 200)); }
};

TEST_F(ControlTest, OwnerDrawnButtonAndStaticPaintThroughDrawItem) {
  CSwatchButton b;
  CSwatchStatic s;
  ASSERT_TRUE(b.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), &parent, 97));
  ASSERT_TRUE(s.Create(u"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(70, 10, 120, 40), &parent, 98));
  QImage img = b.GetQWidget()->grab().toImage();
  EXPECT_EQ(Pixel(img, 25, 15), qRgb(0, 160, 0) & 0xFFFFFF);
  b.SetState(TRUE);
  img = b.GetQWidget()->grab().toImage();
  EXPECT_EQ(Pixel(img, 25, 15), 0u) << "pressed, the item is drawn selected";
  ASSERT_FALSE(b.states.empty());
  EXPECT_TRUE(b.states.back() & ODS_SELECTED);
  img = s.GetQWidget()->grab().toImage();
  EXPECT_EQ(Pixel(img, 25, 15), qRgb(200, 0, 200) & 0xFFFFFF);
}

// ---- list box ------------------------------------------------------------------------------

TEST_F(ControlTest, ListBoxTellsTheUsersSelectionOnly) {
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT | WS_VSCROLL, CRect(10, 10, 160, 200), &parent, 81));
  for (const char16_t* s : {u"pear", u"apple", u"fig"}) list.AddString(s);
  CString t;
  list.GetText(0, t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("apple"));
  EXPECT_EQ(list.SetCurSel(2), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_TRUE(parent.Take().empty());
  CRect r;
  list.GetItemRect(1, &r);
  auto* q = qobject_cast<QListWidget*>(list.GetQWidget());
  QTest::mouseClick(q->viewport(), Qt::LeftButton, {}, QPoint(r.left + 5, r.top + r.Height() / 2));
  EXPECT_EQ(list.GetCurSel(), 1);
  Log got = parent.Take();
  EXPECT_NE(std::find(got.begin(), got.end(), Note{81, LBN_SELCHANGE}), got.end());
  QTest::mouseDClick(q->viewport(), Qt::LeftButton, {}, QPoint(r.left + 5, r.top + r.Height() / 2));
  got = parent.Take();
  EXPECT_NE(std::find(got.begin(), got.end(), Note{81, LBN_DBLCLK}), got.end());
  EXPECT_EQ(list.FindStringExact(-1, u"FIG"), 1);
  EXPECT_EQ(list.DeleteString(0), 2);
  EXPECT_EQ(list.GetCount(), 2);
}

// ---- up-down -------------------------------------------------------------------------------

TEST_F(ControlTest, SpinAsksMovesAndShowsInItsBuddy) {
  CEdit buddy;
  CSpinButtonCtrl spin;
  ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 32), &parent, 91));
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
                          CRect(0, 0, 16, 22), &parent, 92));
  EXPECT_EQ(spin.GetBuddy(), &buddy);
  CRect b, s;
  buddy.GetWindowRect(&b);
  spin.GetWindowRect(&s);
  EXPECT_EQ(b.right, s.left) << "the arrows sit at the buddy's right edge";
  spin.SetRange(0, 10);
  spin.SetPos(9);
  CString t;
  buddy.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("9"));
  parent.Take();

  QList<QToolButton*> arrows = spin.GetQWidget()->findChildren<QToolButton*>();
  ASSERT_EQ(arrows.size(), 2);
  QTest::mouseClick(arrows[0], Qt::LeftButton);
  EXPECT_EQ(spin.GetPos(), 10);
  ASSERT_EQ(parent.deltas.size(), 1u);
  EXPECT_EQ(parent.deltas[0].iPos, 9);
  EXPECT_EQ(parent.deltas[0].iDelta, 1);
  // Asked, then the buddy shows the new position, then the parent hears of the move.
  EXPECT_EQ(parent.Take(), (Log{{92, UDN_DELTAPOS}, {91, EN_UPDATE}, {91, EN_CHANGE}, {kScroll, SB_THUMBPOSITION * 1000u + 10},
                                {kScroll, SB_ENDSCROLL * 1000u + 10}}));
  QTest::mouseClick(arrows[0], Qt::LeftButton);
  EXPECT_EQ(spin.GetPos(), 10) << "the top of the range holds";
  EXPECT_EQ(parent.Take(), (Log{{92, UDN_DELTAPOS}}));

  // The parent may refuse a step; typed text is read back before stepping.
  parent.deltaAnswer = 1;
  buddy.SetWindowText(u"4");
  parent.Take();
  QTest::keyClick(buddy.GetQWidget(), Qt::Key_Down);
  EXPECT_EQ(parent.Take(), (Log{{92, UDN_DELTAPOS}}));
  EXPECT_EQ(parent.deltas.back().iPos, 4);
  EXPECT_EQ(spin.GetPos(), 4);
  parent.deltaAnswer = 0;
  QTest::keyClick(buddy.GetQWidget(), Qt::Key_Down);
  EXPECT_EQ(spin.GetPos(), 3);
  buddy.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("3"));
}

// An acceleration table of its own replaces the standard steps (1, 5 after 2 s, 20 after 5 s): each entry
// gives the step once its time has passed, 1 before the first; an empty table goes back to the standard.
TEST_F(ControlTest, SpinAccelerationTableGivesTheStepsByTimeHeld) {
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 16, 24), &parent, 97));
  UDACCEL accel[2] = {{2, 2}, {4, 3}};
  EXPECT_TRUE(spin.SetAccel(2, accel));
  UDACCEL back[4] = {};
  ASSERT_EQ(spin.GetAccel(4, back), 2u);
  EXPECT_EQ(back[1].nSec, 4u);
  EXPECT_EQ(back[1].nInc, 3u);
  struct Case { DWORD ms; int step; };
  for (const Case& c : {Case{0, 1}, Case{1999, 1}, Case{2000, 2}, Case{3999, 2}, Case{4000, 3}, Case{60000, 3}})
    EXPECT_EQ(CSpinButtonCtrl::AccelerationDelta(c.ms, back, 2), c.step) << c.ms;
  EXPECT_FALSE(spin.SetAccel(-1, accel));
  EXPECT_FALSE(spin.SetAccel(1, nullptr));
  EXPECT_TRUE(spin.SetAccel(0, nullptr));
  EXPECT_EQ(spin.GetAccel(4, back), 0u);
  EXPECT_EQ(CSpinButtonCtrl::AccelerationDelta(5000), 20);
}

// ---- static --------------------------------------------------------------------------------

TEST_F(ControlTest, StaticKeepsItsMnemonicTextAndNotifiesClicks) {
  CStatic label;
  ASSERT_TRUE(label.Create(u"&Width", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 110, 30), &parent, 95));
  CString t;
  label.GetWindowText(t);
  EXPECT_EQ(t.ToQString(), QStringLiteral("&Width"));
  parent.Take();
  QTest::mouseClick(label.GetQWidget(), Qt::LeftButton);
  EXPECT_EQ(parent.Take(), (Log{{95, STN_CLICKED}}));
}

}  // namespace
