// Tool tips: shown after the initial delay over a tool, gone after the pop delay, on a click or
// off the tool; texts fixed or asked from the tool's window, over several lines.

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include <vector>

#include "platform/win/CToolTipCtrl.h"

namespace {

void Pump(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

class CTipHost : public CWnd {
public:
  std::vector<UINT> codes;
  const char16_t* answer = u"first line\nsecond line";
  CToolTipCtrl* tip = nullptr;
  QString textWhenShown;  // the pop timer may end it before a loaded test looks
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(lParam);
      codes.push_back(h->code);
      if (h->code == TTN_SHOW && tip) textWhenShown = tip->GetShownText().ToQString();
      if (h->code == TTN_GETDISPINFO) reinterpret_cast<NMTTDISPINFO*>(lParam)->lpszText = const_cast<LPTSTR>(answer);
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ToolTipTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"tips", WS_OVERLAPPED | WS_CAPTION, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, u"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &host, 5));
    host.ShowWindow(SW_SHOW);
    ASSERT_TRUE(tip.Create(&host));
    host.tip = &tip;
    tip.SetDelayTime(TTDT_INITIAL, 10);
  }
  void TearDown() override {
    tip.DestroyWindow();
    host.DestroyWindow();
  }
  static void Move(QWidget* w, QPoint p) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  CTipHost host;
  CWnd child;
  CToolTipCtrl tip;
};

TEST_F(ToolTipTest, WholeWindowToolShowsAfterTheDelayAndGoesOnAClick) {
  ASSERT_TRUE(tip.AddTool(&child, u"Snap to grid"));
  EXPECT_EQ(tip.GetToolCount(), 1);
  CString t;
  tip.GetText(t, &child);
  EXPECT_EQ(t.ToQString(), QStringLiteral("Snap to grid"));
  Move(child.GetQWidget(), QPoint(20, 20));
  EXPECT_TRUE(tip.GetShownText().IsEmpty()) << "not before the initial delay";
  QTest::qWaitFor([&] { return !tip.GetShownText().IsEmpty(); }, 20000);
  EXPECT_EQ(tip.GetShownText().ToQString(), QStringLiteral("Snap to grid"));
  QTest::mousePress(child.GetQWidget(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_TRUE(tip.GetShownText().IsEmpty());
  QTest::mouseRelease(child.GetQWidget(), Qt::LeftButton, {}, QPoint(20, 20));
  tip.UpdateTipText(u"Snap to points", &child);
  tip.GetText(t, &child);
  EXPECT_EQ(t.ToQString(), QStringLiteral("Snap to points"));
}

TEST_F(ToolTipTest, RectangleToolAsksItsWindowForTheText) {
  const CRect area(0, 0, 50, 50);
  ASSERT_TRUE(tip.AddTool(&host, LPSTR_TEXTCALLBACK, &area, 9));
  tip.SetDelayTime(TTDT_AUTOPOP, 40);
  MSG m{host.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, {}};
  tip.RelayEvent(&m);
  QTest::qWaitFor([&] { return !host.codes.empty() && host.codes.back() == TTN_POP; }, 20000);
  EXPECT_EQ(host.textWhenShown, QStringLiteral("first line\nsecond line"));
  EXPECT_TRUE(tip.GetShownText().IsEmpty()) << "gone after the pop delay";
  EXPECT_EQ(host.codes, (std::vector<UINT>{TTN_GETDISPINFO, TTN_SHOW, TTN_POP}));

  // Outside the rectangle there is no tool.
  host.codes.clear();
  MSG out{host.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 120), 0, {}};
  tip.RelayEvent(&out);
  Pump(30);
  EXPECT_TRUE(host.codes.empty());
  // A tool that answers nothing shows nothing; an inactive control shows nothing.
  host.answer = u"";
  tip.RelayEvent(&m);
  Pump(30);
  EXPECT_TRUE(tip.GetShownText().IsEmpty());
  tip.DelTool(&host, 9);
  EXPECT_EQ(tip.GetToolCount(), 0);
}

}  // namespace
