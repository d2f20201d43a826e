// What the window core does for dialogs and their controls: a control owned by a plain window
// object still answers its own messages, owner-draw messages reach the control they are about,
// SetWindowPos orders children after the window named, and the modal loop waits for events.

#include <gtest/gtest.h>

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include <string>
#include <vector>

#include "platform/win/CDataExchange.h"
#include "platform/win/CListBox.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

std::vector<std::string> g_log;

// An owner-drawn list that records what reaches its own handlers.
class CLoggingList : public CListBox {
public:
  int compareAnswer = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override { g_log.push_back("list draw " + std::to_string(dis->itemID)); }
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    g_log.push_back("list measure");
    mis->itemHeight = 17;
  }
  int CompareItem(LPCOMPAREITEMSTRUCT) override {
    g_log.push_back("list compare");
    return compareAnswer;
  }
  void DeleteItem(LPDELETEITEMSTRUCT) override { g_log.push_back("list delete"); }
};

// A parent that sees the owner-draw messages first; with passOn it leaves them to the default.
class COwnerWnd : public CWnd {
public:
  bool passOn = true;
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis) {
    g_log.push_back("parent draw " + std::to_string(nIDCtl));
    if (passOn) CWnd::OnDrawItem(nIDCtl, dis);
  }
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT mis) {
    g_log.push_back("parent measure " + std::to_string(nIDCtl));
    if (passOn) CWnd::OnMeasureItem(nIDCtl, mis);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

class DialogSupportTest : public ::testing::Test {
protected:
  void SetUp() override { g_log.clear(); }
  static RECT Rc(int x, int y, int cx, int cy) { return RECT{x, y, x + cx, y + cy}; }
};

// ---- a control under a plain window object ---------------------------------------------------

TEST_F(DialogSupportTest, PlainWindowObjectOfAControlAnswersTheControlsMessages) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP, Rc(0, 0, 200, 100), nullptr, 0));
  // Made by class name through CWnd itself, not through the edit class.
  CWnd edit;
  ASSERT_TRUE(edit.Create(u"EDIT", u"hello", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, Rc(5, 5, 100, 20), &parent, 10));
  edit.SendMessage(EM_SETSEL, 1, 3);
  EXPECT_EQ(edit.SendMessage(EM_GETSEL), MAKELONG(1, 3));
  EXPECT_NE(edit.SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL, 0) << "keeps its keys from the dialog";
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, CString(u"hello"));

  // Taken over by another plain object: still the edit's answers.
  const HWND h = edit.Detach();
  CWnd sub;
  ASSERT_TRUE(sub.SubclassWindow(h));
  sub.SendMessage(EM_SETSEL, 0, 2);
  EXPECT_EQ(sub.SendMessage(EM_GETSEL), MAKELONG(0, 2));
  sub.SendMessage(EM_LIMITTEXT, 3);
  EXPECT_EQ(sub.SendMessage(EM_GETLIMITTEXT), 3);
  sub.DestroyWindow();
  parent.DestroyWindow();
}

// ---- owner-draw messages ---------------------------------------------------------------------

TEST_F(DialogSupportTest, ParentsDefaultHandsOwnerDrawMessagesToTheControl) {
  COwnerWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP, Rc(0, 0, 200, 200), nullptr, 0));
  CLoggingList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, Rc(5, 5, 150, 150), &parent, 42));

  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_LISTBOX;
  dis.CtlID = 42;
  dis.itemID = 3;
  dis.hwndItem = list.GetSafeHwnd();
  g_log.clear();
  EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 42, reinterpret_cast<LPARAM>(&dis)), TRUE);
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent draw 42", "list draw 3"}));

  // The measure structure names no window: the control is found by its id.
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_LISTBOX;
  mis.CtlID = 42;
  g_log.clear();
  parent.SendMessage(WM_MEASUREITEM, 42, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent measure 42", "list measure"}));
  EXPECT_EQ(mis.itemHeight, 17u);

  // Without a handler in the parent's map the default does it, with the control's answer.
  list.compareAnswer = -1;
  COMPAREITEMSTRUCT cis{};
  cis.CtlType = ODT_LISTBOX;
  cis.CtlID = 42;
  cis.hwndItem = list.GetSafeHwnd();
  g_log.clear();
  EXPECT_EQ(parent.SendMessage(WM_COMPAREITEM, 42, reinterpret_cast<LPARAM>(&cis)), -1);
  DELETEITEMSTRUCT del{};
  del.CtlType = ODT_LISTBOX;
  del.CtlID = 42;
  del.hwndItem = list.GetSafeHwnd();
  parent.SendMessage(WM_DELETEITEM, 42, reinterpret_cast<LPARAM>(&del));
  EXPECT_EQ(g_log, (std::vector<std::string>{"list compare", "list delete"}));

  // A menu item is no control's; a parent that keeps the message keeps it.
  dis.CtlType = ODT_MENU;
  g_log.clear();
  parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent draw 0"}));
  dis.CtlType = ODT_LISTBOX;
  parent.passOn = false;
  g_log.clear();
  parent.SendMessage(WM_DRAWITEM, 42, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent draw 42"}));

  list.DestroyWindow();
  parent.DestroyWindow();
}

TEST_F(DialogSupportTest, PaintedOwnerDrawnItemsGoThroughTheParentToTheControl) {
  COwnerWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP | WS_VISIBLE, Rc(0, 0, 200, 200), nullptr, 0));
  CLoggingList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, Rc(5, 5, 150, 150), &parent, 42));
  list.AddString(u"one");
  list.AddString(u"two");
  g_log.clear();
  (void)parent.GetQWidget()->grab();
  Pump();
  auto has = [](const std::string& s) { return std::find(g_log.begin(), g_log.end(), s) != g_log.end(); };
  EXPECT_TRUE(has("parent draw 42"));
  EXPECT_TRUE(has("list draw 0"));
  EXPECT_TRUE(has("list draw 1"));
  list.DestroyWindow();
  parent.DestroyWindow();
}

// ---- child order -----------------------------------------------------------------------------

TEST_F(DialogSupportTest, InsertAfterPutsTheWindowNextInChildOrder) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_POPUP, Rc(0, 0, 200, 200), nullptr, 0));
  CWnd a, b, c;
  ASSERT_TRUE(a.Create(nullptr, u"a", WS_CHILD | WS_VISIBLE, Rc(0, 0, 10, 10), &parent, 1));
  ASSERT_TRUE(b.Create(nullptr, u"b", WS_CHILD | WS_VISIBLE, Rc(0, 20, 10, 10), &parent, 2));
  ASSERT_TRUE(c.Create(nullptr, u"c", WS_CHILD | WS_VISIBLE, Rc(0, 40, 10, 10), &parent, 3));
  auto order = [&]() {
    std::vector<int> ids;
    for (CWnd* w = parent.GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT)) ids.push_back(w->GetDlgCtrlID());
    return ids;
  };
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  ASSERT_EQ(order(), (std::vector<int>{1, 2, 3}));
  c.SetWindowPos(&a, 0, 0, 0, 0, keep);
  EXPECT_EQ(order(), (std::vector<int>{1, 3, 2}));
  a.SetWindowPos(&c, 0, 0, 0, 0, keep);
  EXPECT_EQ(order(), (std::vector<int>{3, 1, 2}));
  a.SetWindowPos(&b, 0, 0, 0, 0, keep);  // after the last one
  EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
  a.SetWindowPos(&b, 0, 0, 0, 0, keep);  // already there
  EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
  b.SetWindowPos(&c, 0, 0, 0, 0, keep | SWP_NOZORDER);
  EXPECT_EQ(order(), (std::vector<int>{3, 2, 1}));
  parent.DestroyWindow();
}

// ---- the modal loop --------------------------------------------------------------------------

class CModalWnd : public CWnd {
public:
  bool stayModal = true;
  BOOL ContinueModal() override { return stayModal && CWnd::ContinueModal(); }
  afx_msg LRESULT OnStop(WPARAM wParam, LPARAM) {
    if (wParam)
      EndModalLoop(static_cast<int>(wParam));
    else
      stayModal = false;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

constexpr UINT kStop = WM_USER + 71;

BEGIN_MESSAGE_MAP(CModalWnd, CWnd)
  ON_MESSAGE(kStop, &CModalWnd::OnStop)
END_MESSAGE_MAP()

TEST_F(DialogSupportTest, ModalLoopWaitsForEventsUntilEndModalLoop) {
  CModalWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"modal", WS_POPUP | WS_VISIBLE, Rc(0, 0, 50, 50), nullptr, 0));
  Pump();
  int wakes = 0;
  auto conn = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                               [&wakes]() { ++wakes; });
  QTimer::singleShot(150, [&wnd]() { wnd.EndModalLoop(7); });
  EXPECT_EQ(wnd.RunModalLoop(), 7);
  QObject::disconnect(conn);
  // A loop that spins wakes thousands of times in that while; one that waits, a few.
  EXPECT_LT(wakes, 60);
  wnd.DestroyWindow();
}

TEST_F(DialogSupportTest, ModalLoopEndsByPostedMessagesContinueModalAndTheWindowsEnd) {
  CModalWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"modal", WS_POPUP | WS_VISIBLE, Rc(0, 0, 50, 50), nullptr, 0));
  wnd.PostMessage(kStop, 5);
  EXPECT_EQ(wnd.RunModalLoop(), 5);

  // ContinueModal saying no ends it without EndModalLoop.
  wnd.PostMessage(kStop, 0);
  wnd.RunModalLoop();
  EXPECT_FALSE(wnd.stayModal);

  // A window destroyed meanwhile ends its loop.
  wnd.stayModal = true;
  const HWND h = wnd.GetSafeHwnd();
  QTimer::singleShot(20, [&wnd]() { wnd.DestroyWindow(); });
  wnd.RunModalLoop();
  EXPECT_FALSE(IsWindow(h));

  // Nested loops end one at a time, the inner first.
  CModalWnd outer;
  ASSERT_TRUE(outer.CreateEx(0, nullptr, u"outer", WS_POPUP | WS_VISIBLE, Rc(0, 0, 50, 50), nullptr, 0));
  int inner = 0;
  QTimer::singleShot(10, [&]() {
    CModalWnd in;
    in.CreateEx(0, nullptr, u"inner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20}, nullptr, 0);
    in.PostMessage(kStop, 3);
    inner = in.RunModalLoop();
    in.DestroyWindow();
    outer.PostMessage(kStop, 4);
  });
  EXPECT_EQ(outer.RunModalLoop(), 4);
  EXPECT_EQ(inner, 3);
  outer.DestroyWindow();
}

// ---- data exchange hook ----------------------------------------------------------------------

std::vector<BOOL> g_updates;
BOOL RecordUpdate(CWnd*, BOOL bSave) {
  g_updates.push_back(bSave);
  return bSave ? FALSE : TRUE;
}

TEST_F(DialogSupportTest, UpdateDataRunsTheInstalledExchange) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"w", WS_POPUP, Rc(0, 0, 50, 50), nullptr, 0));
  AfxSetUpdateDataHandler(&RecordUpdate);
  EXPECT_FALSE(wnd.UpdateData(TRUE));
  EXPECT_TRUE(wnd.UpdateData(FALSE));
  AfxSetUpdateDataHandler(&AfxUpdateData);
  EXPECT_EQ(g_updates, (std::vector<BOOL>{TRUE, FALSE}));
  EXPECT_TRUE(wnd.UpdateData(TRUE)) << "the dialog layer's exchange again";
  wnd.DestroyWindow();
}

}  // namespace
