// Real windows driven offscreen through Qt events and messages: creation and destruction,
// send versus post, timers, mouse and key translation, capture and painting.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <QtWidgets/QWidget>

#include <string>
#include <vector>

#include "platform/win/CWnd.h"
#include "platform/win/CWinThread.h"

namespace {

struct Rec {
  UINT msg;
  WPARAM w;
  LPARAM l;
};

std::vector<std::string> g_events;

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

// Records every message the window gets, in order.
class CProbeWnd : public CWnd {
public:
  std::vector<Rec> seen;
  std::string name = "probe";
  int createResult = 0;
  bool eatKeysInPreTranslate = false;
  bool selfDelete = false;
  bool* deletedFlag = nullptr;
  std::vector<UINT> timerIds;
  ~CProbeWnd() override {
    if (deletedFlag) *deletedFlag = true;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    return eatKeysInPreTranslate && pMsg->message == WM_KEYDOWN;
  }
  void PostNcDestroy() override {
    g_events.push_back(name + " postncdestroy");
    if (selfDelete) delete this;
  }
  std::vector<Rec> Of(UINT m) const {
    std::vector<Rec> v;
    for (const Rec& r : seen)
      if (r.msg == m) v.push_back(r);
    return v;
  }
  std::vector<UINT> Sequence(std::initializer_list<UINT> keep) const {
    std::vector<UINT> v;
    for (const Rec& r : seen)
      for (UINT k : keep)
        if (r.msg == k) v.push_back(r.msg);
    return v;
  }

  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    g_events.push_back(name + " create");
    return createResult;
  }
  afx_msg void OnDestroy() { g_events.push_back(name + " destroy"); }
  afx_msg void OnNcDestroy() {
    g_events.push_back(name + " ncdestroy");
    CWnd::OnNcDestroy();
  }
  afx_msg LRESULT OnApp(WPARAM w, LPARAM) {
    g_events.push_back(name + " app " + std::to_string(w));
    return 0;
  }
  afx_msg void OnTimer(UINT_PTR id) { timerIds.push_back(static_cast<UINT>(id)); }
  afx_msg void OnPaint() {
    QPainter* p = GetPaintPainter();
    if (p) p->fillRect(QRect(0, 0, 10, 10), Qt::red);
  }
  afx_msg BOOL OnEraseBkgnd(CDC*) {
    g_events.push_back(name + " erase");
    return static_cast<BOOL>(Default());
  }
  afx_msg BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* cds) {
    g_events.push_back(std::string(static_cast<const char*>(cds->lpData), cds->cbData) + " from " +
                       (from ? static_cast<CProbeWnd*>(from)->name : "?"));
    return cds->dwData == 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_MESSAGE(WM_APP, &CProbeWnd::OnApp)
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_COPYDATA()
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override { g_events.clear(); }
};

TEST_F(WindowTest, HandleLivesFromCreateToDestroy) {
  CProbeWnd wnd;
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"Probe", WS_POPUP | WS_VISIBLE, CRect(10, 20, 110, 70), nullptr, 0));
  HWND h = wnd.GetSafeHwnd();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(CWnd::FromHandle(h), &wnd);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), &wnd);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(wnd.IsWindowVisible());
  CString title;
  wnd.GetWindowText(title);
  EXPECT_EQ(title, CString(u"Probe"));
  CRect rc;
  wnd.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 100, 50));
  // The size is told at creation.
  ASSERT_FALSE(wnd.Of(WM_SIZE).empty());
  EXPECT_EQ(wnd.Of(WM_SIZE).back().l, MAKELPARAM(100, 50));

  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(CWnd::FromHandle(h), nullptr);
  EXPECT_FALSE(wnd.DestroyWindow());
  Pump();
}

TEST_F(WindowTest, CreateFailsWhenOnCreateRefuses) {
  CProbeWnd wnd;
  wnd.createResult = -1;
  EXPECT_FALSE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(CWnd().Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), nullptr, 1));  // child needs a parent
  Pump();
}

TEST_F(WindowTest, DestroyOrderParentFirstThenChildrenLastMessagesChildFirst) {
  auto* parent = new CProbeWnd;
  parent->name = "parent";
  parent->selfDelete = true;
  bool parentDeleted = false;
  parent->deletedFlag = &parentDeleted;
  ASSERT_TRUE(parent->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  CProbeWnd child;
  child.name = "child";
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, 5));
  EXPECT_EQ(parent->GetDlgItem(5), &child);
  EXPECT_EQ(child.GetParent(), parent);
  EXPECT_EQ(child.GetDlgCtrlID(), 5);
  g_events.clear();
  parent->DestroyWindow();  // deletes itself in PostNcDestroy
  EXPECT_TRUE(parentDeleted);
  EXPECT_EQ(child.GetSafeHwnd(), nullptr);
  EXPECT_EQ(g_events, (std::vector<std::string>{"parent destroy", "child destroy", "child ncdestroy",
                                                "child postncdestroy", "parent ncdestroy", "parent postncdestroy"}));
  Pump();
}

TEST_F(WindowTest, ClosingAWindowDestroysItByDefault) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  wnd.GetQWidget()->close();  // as the window manager's close button does
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  ASSERT_FALSE(wnd.Of(WM_CLOSE).empty());
  Pump();
}

TEST_F(WindowTest, SendRunsNowPostRunsLaterInOrder) {
  CProbeWnd a, b;
  a.name = "a";
  b.name = "b";
  ASSERT_TRUE(a.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(b.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  g_events.clear();
  EXPECT_TRUE(a.PostMessage(WM_APP, 1));
  EXPECT_TRUE(b.PostMessage(WM_APP, 2));
  a.SendMessage(WM_APP, 3);
  EXPECT_TRUE(::PostMessage(a.GetSafeHwnd(), WM_APP, 4, 0));
  EXPECT_EQ(g_events, (std::vector<std::string>{"a app 3"}));
  Pump();
  EXPECT_EQ(g_events, (std::vector<std::string>{"a app 3", "a app 1", "b app 2", "a app 4"}));

  // A message posted to a window that goes away in between is dropped.
  g_events.clear();
  b.PostMessage(WM_APP, 5);
  b.DestroyWindow();
  Pump();
  EXPECT_TRUE(g_events.empty() || g_events.back() != "b app 5");
  EXPECT_FALSE(::PostMessage(b.GetSafeHwnd() ? b.GetSafeHwnd() : reinterpret_cast<HWND>(0x3), WM_APP, 0, 0));
  a.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, CopyDataBetweenWindowsReturnsTheAnswer) {
  CProbeWnd a, b;
  a.name = "a";
  b.name = "b";
  ASSERT_TRUE(a.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(b.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  g_events.clear();
  char text[] = "path";
  COPYDATASTRUCT cds{1, 4, text};
  EXPECT_EQ(::SendMessage(b.GetSafeHwnd(), WM_COPYDATA, reinterpret_cast<WPARAM>(a.GetSafeHwnd()),
                          reinterpret_cast<LPARAM>(&cds)),
            TRUE);
  cds.dwData = 0;
  EXPECT_EQ(b.SendMessage(WM_COPYDATA, reinterpret_cast<WPARAM>(a.GetSafeHwnd()), reinterpret_cast<LPARAM>(&cds)), FALSE);
  EXPECT_EQ(g_events, (std::vector<std::string>{"path from a", "path from a"}));
  a.DestroyWindow();
  b.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, TimersFireOnTheEventLoopUntilKilled) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_EQ(wnd.SetTimer(7, 5), 7u);
  EXPECT_TRUE(wnd.timerIds.empty());  // never from inside SetTimer
  QElapsedTimer t;
  t.start();
  while (wnd.timerIds.size() < 3 && t.elapsed() < 5000) Pump(5);
  ASSERT_GE(wnd.timerIds.size(), 3u);
  EXPECT_EQ(wnd.timerIds.front(), 7u);
  EXPECT_TRUE(wnd.KillTimer(7));
  EXPECT_FALSE(wnd.KillTimer(7));
  const size_t n = wnd.timerIds.size();
  Pump(40);
  EXPECT_EQ(wnd.timerIds.size(), n);
  // Timers die with the window.
  wnd.SetTimer(8, 1);
  wnd.DestroyWindow();
  Pump(20);
  Pump();
}

TEST_F(WindowTest, MouseInputBecomesMessagesWithFlagsAndClientPoints) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 200), nullptr, 0));
  QWidget* w = wnd.GetQWidget();
  QTest::mousePress(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(11, 21));
  QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), w->mapToGlobal(QPointF(30, 40)), Qt::NoButton,
                   Qt::RightButton, Qt::ControlModifier);
  QCoreApplication::sendEvent(w, &move);
  // A double click arrives as Qt delivers it: press, release, double click, release.
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                         QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(t, QPointF(5, 6), w->mapToGlobal(QPointF(5, 6)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
  }

  const auto downs = wnd.Of(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].w, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
  EXPECT_EQ(GET_X_LPARAM(downs[0].l), 10);
  EXPECT_EQ(GET_Y_LPARAM(downs[0].l), 20);
  const auto ups = wnd.Of(WM_LBUTTONUP);
  ASSERT_GE(ups.size(), 1u);
  EXPECT_EQ(ups[0].w, static_cast<WPARAM>(MK_SHIFT));  // the released button is no longer down
  const auto moves = wnd.Of(WM_MOUSEMOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().w, static_cast<WPARAM>(MK_RBUTTON | MK_CONTROL));
  EXPECT_EQ(GET_X_LPARAM(moves.back().l), 30);
  EXPECT_EQ(GET_Y_LPARAM(moves.back().l), 40);
  // Press, release, double click, release, with the cursor asked for before moves and presses.
  EXPECT_EQ(wnd.Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                               WM_LBUTTONUP}));
  const auto cursor = wnd.Of(WM_SETCURSOR);
  ASSERT_FALSE(cursor.empty());
  EXPECT_EQ(LOWORD(cursor[0].l), HTCLIENT);
  EXPECT_EQ(HIWORD(cursor[0].l), WM_LBUTTONDOWN);
  wnd.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, WheelCarriesSignedDeltaAndScreenPoint) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(50, 60, 250, 160), nullptr, 0));
  QWidget* w = wnd.GetQWidget();
  const QPointF local(15, 25);
  const QPointF global = w->mapToGlobal(local);
  QWheelEvent wheel(local, global, QPoint(), QPoint(0, -120), Qt::MiddleButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &wheel);
  const auto wheels = wnd.Of(WM_MOUSEWHEEL);
  ASSERT_EQ(wheels.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].w), -120);
  EXPECT_EQ(GET_KEYSTATE_WPARAM(wheels[0].w), MK_MBUTTON | MK_CONTROL);
  EXPECT_EQ(GET_X_LPARAM(wheels[0].l), static_cast<int>(global.x()));
  EXPECT_EQ(GET_Y_LPARAM(wheels[0].l), static_cast<int>(global.y()));
  wnd.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, WheelNobodyHandlesGoesToTheParent) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  CProbeWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 50), &parent, 1));
  QWidget* w = child.GetQWidget();
  QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &wheel);
  EXPECT_EQ(child.Of(WM_MOUSEWHEEL).size(), 1u);
  EXPECT_EQ(parent.Of(WM_MOUSEWHEEL).size(), 1u);
  // Clicks are not passed on to the parent.
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_EQ(child.Of(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_TRUE(parent.Of(WM_LBUTTONDOWN).empty());
  parent.DestroyWindow();
  Pump();
}

struct KeyCase {
  Qt::Key key;
  Qt::KeyboardModifiers mods;
  QString text;
  UINT downMsg;
  UINT vk;
  std::vector<WPARAM> chars;
  bool extended;
};

TEST_F(WindowTest, KeysBecomeVirtualKeyCodesAndCharacters) {
  const std::vector<KeyCase> cases = {
      {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), WM_KEYDOWN, VK_ESCAPE, {27}, false},
      {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), WM_KEYDOWN, VK_RETURN, {13}, false},
      {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), WM_KEYDOWN, VK_BACK, {8}, false},
      {Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), WM_KEYDOWN, 'A', {'a'}, false},
      {Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), WM_KEYDOWN, 'A', {'A'}, false},
      {Qt::Key_A, Qt::ControlModifier, QString(), WM_KEYDOWN, 'A', {1}, false},
      {Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), WM_KEYDOWN, '7', {'7'}, false},
      {Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"), WM_KEYDOWN, VK_NUMPAD5, {'5'}, false},
      {Qt::Key_PageUp, Qt::NoModifier, QString(), WM_KEYDOWN, VK_PRIOR, {}, true},
      {Qt::Key_Left, Qt::NoModifier, QString(), WM_KEYDOWN, VK_LEFT, {}, true},
      {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), WM_KEYDOWN, VK_DELETE, {}, true},
      {Qt::Key_F5, Qt::NoModifier, QString(), WM_KEYDOWN, VK_F5, {}, false},
      {Qt::Key_F, Qt::AltModifier, QStringLiteral("f"), WM_SYSKEYDOWN, 'F', {'f'}, false},
      {Qt::Key_Henkan, Qt::NoModifier, QString(), WM_KEYDOWN, VK_CONVERT, {}, false},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key | c.mods).toString().toStdString());
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    QWidget* w = wnd.GetQWidget();
    QKeyEvent press(QEvent::KeyPress, c.key, c.mods, c.text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, c.key, c.mods, c.text);
    QCoreApplication::sendEvent(w, &release);
    const auto downs = wnd.Of(c.downMsg);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].w, c.vk);
    EXPECT_EQ(LOWORD(downs[0].l), 1);  // repeat count
    EXPECT_EQ(((downs[0].l >> 24) & 1) != 0, c.extended);
    EXPECT_EQ(((downs[0].l >> 29) & 1) != 0, c.downMsg == WM_SYSKEYDOWN);
    std::vector<WPARAM> chars;
    for (const Rec& r : wnd.seen)
      if (r.msg == WM_CHAR || r.msg == WM_SYSCHAR) chars.push_back(r.w);
    EXPECT_EQ(chars, c.chars);
    const UINT upMsg = c.downMsg == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP;
    ASSERT_EQ(wnd.Of(upMsg).size(), 1u);
    EXPECT_TRUE(wnd.Of(upMsg)[0].l & (1u << 31));
    // Characters come after their key-down, before the key-up.
    const auto seq = wnd.Sequence({c.downMsg, WM_CHAR, WM_SYSCHAR, upMsg});
    EXPECT_EQ(seq.front(), c.downMsg);
    EXPECT_EQ(seq.back(), upMsg);
    wnd.DestroyWindow();
  }
  Pump();
}

TEST_F(WindowTest, HeldKeyRepeatsKeyDownWithPreviousStateBit) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  QWidget* w = wnd.GetQWidget();
  QKeyEvent first(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QKeyEvent autoRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(w, &first);
  EXPECT_TRUE(GetKeyState(VK_DOWN) & 0x8000);
  QCoreApplication::sendEvent(w, &autoRelease);
  QCoreApplication::sendEvent(w, &repeat);
  const auto downs = wnd.Of(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_FALSE(downs[0].l & (1 << 30));
  EXPECT_TRUE(downs[1].l & (1 << 30));
  EXPECT_TRUE(wnd.Of(WM_KEYUP).empty());
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &up);
  EXPECT_FALSE(GetKeyState(VK_DOWN) & 0x8000);
  wnd.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, KeyTakenByPreTranslateMessageMakesNoCharacter) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  CProbeWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1));
  parent.eatKeysInPreTranslate = true;  // the parent's PreTranslateMessage sees its child's keys
  QTest::keyClick(child.GetQWidget(), Qt::Key_B);
  EXPECT_TRUE(child.Of(WM_KEYDOWN).empty());
  EXPECT_TRUE(child.Of(WM_CHAR).empty());
  EXPECT_EQ(child.Of(WM_KEYUP).size(), 1u);
  parent.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, CaptureSendsMouseToTheCapturingWindowInItsCoordinates) {
  CProbeWnd a, b;
  ASSERT_TRUE(a.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
  ASSERT_TRUE(b.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(200, 0, 300, 100), nullptr, 0));
  EXPECT_EQ(a.SetCapture(), nullptr);
  EXPECT_EQ(CWnd::GetCapture(), &a);
  QWidget* wb = b.GetQWidget();
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), wb->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(wb, &move);
  EXPECT_TRUE(b.Of(WM_MOUSEMOVE).empty());
  const auto moves = a.Of(WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 1u);
  const QPoint expected = a.GetQWidget()->mapFromGlobal(wb->mapToGlobal(QPoint(10, 10)));
  EXPECT_EQ(GET_X_LPARAM(moves[0].l), expected.x());
  EXPECT_EQ(GET_Y_LPARAM(moves[0].l), expected.y());
  EXPECT_TRUE(a.Of(WM_SETCURSOR).empty());  // no cursor question while captured

  // Capture moving to another window tells the first one.
  b.SetCapture();
  ASSERT_EQ(a.Of(WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(a.Of(WM_CAPTURECHANGED)[0].l), b.GetSafeHwnd());
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(b.Of(WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
  a.DestroyWindow();
  b.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, PaintHandlerDrawsThroughThePaintEventPainter) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), nullptr, 0));
  EXPECT_FALSE(wnd.IsInPaint());
  EXPECT_EQ(wnd.GetPaintPainter(), nullptr);
  g_events.clear();
  const QImage img = wnd.GetQWidget()->grab().toImage();
  EXPECT_EQ(QColor(img.pixel(5, 5)), QColor(Qt::red));
  // The rest is the background the default erase filled in before the paint.
  EXPECT_EQ(QColor(img.pixel(20, 20)), wnd.GetQWidget()->palette().color(QPalette::Window));
  EXPECT_EQ(g_events, (std::vector<std::string>{"probe erase"}));
  EXPECT_EQ(wnd.Sequence({WM_ERASEBKGND, WM_PAINT}).back(), static_cast<UINT>(WM_PAINT));
  // An update that asks for no erase gets none.
  Pump(20);
  g_events.clear();
  size_t paints = wnd.Of(WM_PAINT).size();
  wnd.Invalidate(FALSE);
  wnd.UpdateWindow();
  Pump(20);
  EXPECT_GT(wnd.Of(WM_PAINT).size(), paints);
  EXPECT_TRUE(g_events.empty());
  paints = wnd.Of(WM_PAINT).size();
  wnd.Invalidate(TRUE);
  wnd.UpdateWindow();
  Pump(20);
  EXPECT_GT(wnd.Of(WM_PAINT).size(), paints);
  EXPECT_EQ(g_events, (std::vector<std::string>{"probe erase"}));
  wnd.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, GeometryAndCoordinateConversions) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(100, 50, 300, 250), nullptr, 0));
  CProbeWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 20, 60, 50), &parent, 3));
  child.MoveWindow(30, 40, 80, 60);
  CRect rc;
  child.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 80, 60));
  EXPECT_EQ(child.Of(WM_SIZE).back().l, MAKELPARAM(80, 60));
  CPoint pt(1, 2);
  child.ClientToScreen(&pt);
  CPoint expected(1, 2);
  parent.ClientToScreen(&expected);
  EXPECT_EQ(pt, expected + CSize(30, 40));
  child.ScreenToClient(&pt);
  EXPECT_EQ(pt, CPoint(1, 2));
  CRect wr;
  child.GetWindowRect(&wr);
  parent.ScreenToClient(&wr);
  EXPECT_EQ(wr, CRect(30, 40, 110, 100));
  child.SetWindowPos(nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);
  child.GetWindowRect(&wr);
  parent.ScreenToClient(&wr);
  EXPECT_EQ(wr, CRect(30, 40, 50, 50));
  EXPECT_TRUE(child.ShowWindow(SW_HIDE));
  EXPECT_FALSE(child.IsWindowVisible());
  EXPECT_FALSE(child.GetStyle() & WS_VISIBLE);
  child.EnableWindow(FALSE);
  EXPECT_FALSE(child.IsWindowEnabled());
  EXPECT_TRUE(child.GetStyle() & WS_DISABLED);
  parent.DestroyWindow();
  Pump();
}

TEST_F(WindowTest, DescendantsAllGetTheMessage) {
  CProbeWnd top;
  ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
  CProbeWnd c1, c2, grand;
  c1.name = "c1";
  c2.name = "c2";
  grand.name = "grand";
  ASSERT_TRUE(c1.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
  ASSERT_TRUE(c2.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &top, 2));
  ASSERT_TRUE(grand.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &c1, 3));
  g_events.clear();
  top.SendMessageToDescendants(WM_APP, 9);
  EXPECT_EQ(g_events, (std::vector<std::string>{"c1 app 9", "grand app 9", "c2 app 9"}));
  g_events.clear();
  top.SendMessageToDescendants(WM_APP, 8, 0, FALSE);
  EXPECT_EQ(g_events, (std::vector<std::string>{"c1 app 8", "c2 app 8"}));
  top.DestroyWindow();
  Pump();
}

}  // namespace
