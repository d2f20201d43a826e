// A repaint that a window asks for while it paints is deferred by Qt. Taken out of the queue by
// a progress pump (PeekMessage with PM_REMOVE) and handed to DispatchMessage, it must still
// repaint the window, and never reach it as a damaged copy.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class CRepaintingWnd : public CWnd {
public:
  int paints = 0;
  bool askAgain = false;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      ++paints;
      if (askAgain) {
        askAgain = false;
        GetQWidget()->update(0, 0, 10, 10);  // asked while painting: Qt defers it
      }
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST(DeferredRepaint, PumpedThroughPeekAndDispatchItRepaints) {
  int argc = 1;
  char name[] = "test_win_peek";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  CRepaintingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(40, 40, 240, 140), nullptr, 0));
  Pump();
  wnd.askAgain = true;
  wnd.GetQWidget()->repaint();
  const int before = wnd.paints;

  MSG m{};
  int dispatched = 0;
  for (int i = 0; i < 20 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i) {
    DispatchMessage(&m);
    ++dispatched;
  }
  Pump();
  EXPECT_GT(wnd.paints, before);
  wnd.DestroyWindow();
  Pump();
}

}  // namespace
