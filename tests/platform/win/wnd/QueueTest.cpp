// Looking at the queue without taking from it: waiting input, posted messages and painting,
// and what is looked at still arrives afterwards in its order.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QWidget>

#include <vector>

#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class CQueueWnd : public CWnd {
public:
  std::vector<MSG> seen;
  int paints = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSEMOVE || message == WM_KEYDOWN || message == WM_APP || message == WM_LBUTTONDOWN) {
      MSG m{};
      m.message = message;
      m.wParam = wParam;
      m.lParam = lParam;
      seen.push_back(m);
    }
    if (message == WM_PAINT) ++paints;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<UINT> Messages() const {
    std::vector<UINT> v;
    for (const MSG& m : seen) v.push_back(m.message);
    return v;
  }
};

class QueueTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(50, 50, 250, 150), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), &wnd, 7));
    Pump();
    wnd.seen.clear();
    child.seen.clear();
  }
  void TearDown() override {
    wnd.DestroyWindow();
    Pump();
  }
  void PostMove(QWidget* w, QPoint at) {
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)),
                                                   Qt::NoButton, Qt::NoButton, Qt::NoModifier));
  }
  void PostKey(QWidget* w, int key) {
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  }
  CQueueWnd wnd, child;
};

TEST_F(QueueTest, NothingWaitingFindsNothing) {
  MSG m{};
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT));
  EXPECT_FALSE(GetInputState());
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_ALLINPUT)) & (QS_INPUT | QS_POSTMESSAGE), 0u);
}

TEST_F(QueueTest, WaitingInputIsSeenWithoutBeingTaken) {
  PostMove(wnd.GetQWidget(), QPoint(10, 20));
  MSG m{};
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | ((QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON) << 16)));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(m.hwnd, wnd.GetSafeHwnd());
  EXPECT_EQ(GET_X_LPARAM(m.lParam), 10);
  EXPECT_EQ(GET_Y_LPARAM(m.lParam), 20);
  EXPECT_TRUE(wnd.seen.empty());  // looked at, not delivered
  EXPECT_TRUE(GetInputState());
  // Keys only: a waiting move is not one.
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | (QS_KEY << 16)));
  // Another window's input is not this one's.
  EXPECT_FALSE(PeekMessage(&m, child.GetSafeHwnd(), 0, 0, PM_NOREMOVE | PM_QS_INPUT));
  Pump();
  ASSERT_EQ(wnd.Messages(), (std::vector<UINT>{WM_MOUSEMOVE}));
  EXPECT_EQ(GET_X_LPARAM(wnd.seen[0].lParam), 10);
  EXPECT_FALSE(GetInputState());
}

TEST_F(QueueTest, InputOverAChildIsTheChildsInItsCoordinates) {
  PostMove(child.GetQWidget(), QPoint(3, 4));
  PostKey(wnd.GetQWidget(), Qt::Key_PageDown);
  MSG m{};
  ASSERT_TRUE(PeekMessage(&m, wnd.GetSafeHwnd(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, child.GetSafeHwnd());  // a child's message counts for its parent's filter
  EXPECT_EQ(GET_X_LPARAM(m.lParam), 3);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_NEXT));
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_ALLINPUT)) & QS_INPUT, static_cast<UINT>(QS_KEY | QS_MOUSEMOVE));
  Pump();
  EXPECT_EQ(child.Messages(), (std::vector<UINT>{WM_MOUSEMOVE}));
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_KEYDOWN}));
}

TEST_F(QueueTest, PeekingKeepsTheOrderAndHoldsBackEverythingElse) {
  PostMove(wnd.GetQWidget(), QPoint(1, 1));
  wnd.PostMessage(WM_APP, 1);
  PostKey(wnd.GetQWidget(), Qt::Key_Down);
  PostMove(wnd.GetQWidget(), QPoint(2, 2));
  MSG m{};
  // Looking for input must not run the posted message meanwhile.
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT));  // again: still there
  EXPECT_TRUE(wnd.seen.empty());
  Pump();
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_MOUSEMOVE, WM_APP, WM_KEYDOWN, WM_MOUSEMOVE}));
  EXPECT_EQ(GET_X_LPARAM(wnd.seen.back().lParam), 2);
}

TEST_F(QueueTest, PostedMessagesArePeekedOrRemoved) {
  wnd.PostMessage(WM_APP, 1);
  wnd.PostMessage(WM_APP + 1, 2);
  MSG m{};
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_APP + 1, WM_APP + 1, PM_REMOVE));
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&m, wnd.GetSafeHwnd(), 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_APP));
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_POSTMESSAGE)), static_cast<UINT>(QS_POSTMESSAGE));
  Pump();
  // The removed one never arrives; the peeked one does, once.
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_APP}));
  // A removed message handed to DispatchMessage runs its handler.
  wnd.PostMessage(WM_APP, 3);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  DispatchMessage(&m);
  Pump();
  ASSERT_EQ(wnd.seen.size(), 2u);
  EXPECT_EQ(wnd.seen[1].wParam, 3u);
}

TEST_F(QueueTest, RemovedInputDispatchedReachesTheWindowOnce) {
  QCoreApplication::postEvent(wnd.GetQWidget(),
                              new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 6),
                                              wnd.GetQWidget()->mapToGlobal(QPointF(5, 6)), Qt::LeftButton,
                                              Qt::LeftButton, Qt::NoModifier));
  MSG m{};
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(MK_LBUTTON));
  TranslateMessage(&m);
  DispatchMessage(&m);
  Pump();
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN}));
  // Removed and not dispatched: gone.
  PostMove(wnd.GetQWidget(), QPoint(1, 1));
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT));
  Pump();
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN}));
  QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 6), wnd.GetQWidget()->mapToGlobal(QPointF(5, 6)),
                 Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(wnd.GetQWidget(), &up);
}

TEST_F(QueueTest, PendingPaintIsSeenAndStillHappens) {
  MSG m{};
  wnd.paints = 0;
  wnd.Invalidate();
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, wnd.GetSafeHwnd());
  EXPECT_EQ(wnd.paints, 0);
  // Input only: painting is no input.
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT));
  Pump();
  EXPECT_GE(wnd.paints, 1);
}

TEST_F(QueueTest, APumpTakesEverythingOnceThenStops) {
  wnd.paints = 0;
  wnd.Invalidate();
  PostMove(wnd.GetQWidget(), QPoint(4, 4));
  wnd.PostMessage(WM_APP, 9);
  int n = 0;
  MSG m{};
  std::vector<UINT> taken;
  while (n < 50 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    taken.push_back(m.message);
    TranslateMessage(&m);
    DispatchMessage(&m);
    ++n;
  }
  ASSERT_LT(n, 50);  // the queue runs dry: painting taken out is done, not offered again
  // Posted messages come before input, painting last.
  ASSERT_GE(taken.size(), 3u);
  EXPECT_EQ(taken[0], static_cast<UINT>(WM_APP));
  EXPECT_EQ(taken[1], static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(taken.back(), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_APP, WM_MOUSEMOVE}));
  EXPECT_GE(wnd.paints, 1);  // painted by the pump itself
  Pump();
  EXPECT_EQ(wnd.Messages(), (std::vector<UINT>{WM_APP, WM_MOUSEMOVE}));
}

}  // namespace
