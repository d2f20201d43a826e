// Mouse hover and leave tracking, the window's own scroll bars, and windows made disabled.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include <string>
#include <vector>

#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

namespace {

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

struct Seen {
  UINT msg;
  WPARAM w;
  LPARAM l;
};

class CInputWnd : public CWnd {
public:
  std::vector<Seen> seen;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back({message, wParam, lParam});
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Seen> Of(UINT m) const {
    std::vector<Seen> v;
    for (const Seen& s : seen)
      if (s.msg == m) v.push_back(s);
    return v;
  }
};

void Move(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent e(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

BOOL Track(CWnd& wnd, DWORD flags, DWORD hoverTime = HOVER_DEFAULT) {
  TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), flags, wnd.GetSafeHwnd(), hoverTime};
  return TrackMouseEvent(&tme);
}

class InputStateTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0));
    Pump();
    wnd.seen.clear();
  }
  void TearDown() override {
    wnd.DestroyWindow();
    Pump();
  }
  CInputWnd wnd;
};

// ---- hover and leave ----

TEST_F(InputStateTest, HoverComesOnceAfterTheMouseRestsWithItsPlace) {
  ASSERT_TRUE(Track(wnd, TME_HOVER, 250));
  Move(wnd.GetQWidget(), QPoint(7, 8));
  // No events are handled in between, so a slow machine cannot bring the first wait's end early.
  QThread::msleep(150);
  Move(wnd.GetQWidget(), QPoint(9, 11));  // moving starts the wait again
  QElapsedTimer t;
  t.start();
  while (wnd.Of(WM_MOUSEHOVER).empty() && t.elapsed() < 20000) Pump(10);
  const auto hovers = wnd.Of(WM_MOUSEHOVER);
  ASSERT_EQ(hovers.size(), 1u);
  // The first wait would have ended 100 ms after the second move; a timer may end 5% early.
  EXPECT_GE(t.elapsed(), 200) << "not before the mouse rested";
  EXPECT_EQ(GET_X_LPARAM(hovers[0].l), 9);
  EXPECT_EQ(GET_Y_LPARAM(hovers[0].l), 11);
  // Tracking ended with the hover: resting longer brings no second one.
  Move(wnd.GetQWidget(), QPoint(10, 11));
  Pump(400);
  EXPECT_EQ(wnd.Of(WM_MOUSEHOVER).size(), 1u);
}

TEST_F(InputStateTest, LeaveComesOnceAndCancelStopsTracking) {
  ASSERT_TRUE(Track(wnd, TME_LEAVE));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(wnd.GetQWidget(), &leave);
  Pump();
  EXPECT_EQ(wnd.Of(WM_MOUSELEAVE).size(), 1u);
  // Not tracked again: leaving again says nothing.
  QCoreApplication::sendEvent(wnd.GetQWidget(), &leave);
  Pump();
  EXPECT_EQ(wnd.Of(WM_MOUSELEAVE).size(), 1u);
  // Tracked, then cancelled: neither hover nor leave.
  ASSERT_TRUE(Track(wnd, TME_HOVER | TME_LEAVE, 20));
  ASSERT_TRUE(Track(wnd, TME_CANCEL | TME_HOVER | TME_LEAVE));
  QCoreApplication::sendEvent(wnd.GetQWidget(), &leave);
  Pump(60);
  EXPECT_EQ(wnd.Of(WM_MOUSELEAVE).size(), 1u);
  EXPECT_TRUE(wnd.Of(WM_MOUSEHOVER).empty());
  // A window that is gone cannot be tracked.
  TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, reinterpret_cast<HWND>(0x4), 0};
  EXPECT_FALSE(TrackMouseEvent(&tme));
  EXPECT_FALSE(TrackMouseEvent(nullptr));
}

// ---- scroll bars ----

QScrollBar* Bar(CWnd& wnd, Qt::Orientation o) {
  for (QScrollBar* b : wnd.GetQWidget()->findChildren<QScrollBar*>())
    if (b->orientation() == o) return b;
  return nullptr;
}

TEST(ScrollBarTest, RangePageAndPositionAreKeptInBounds) {
  CInputWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 200, 150), nullptr, 0));
  const int extent = wnd.GetQWidget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200 - extent);  // the bar takes its room from the client area
  EXPECT_EQ(client.Height(), 150);

  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 50, 0};
  EXPECT_TRUE(wnd.SetScrollInfo(SB_VERT, &si));
  QScrollBar* bar = Bar(wnd, Qt::Vertical);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), 90);  // the last page starts at max - page + 1
  EXPECT_EQ(bar->pageStep(), 10);
  EXPECT_EQ(bar->value(), 50);
  // Positions outside the range are pulled in.
  EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 500), 50);
  EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 90);
  EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 90);
  wnd.SetScrollPos(SB_VERT, -5);
  EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 0);
  SCROLLINFO got{sizeof(SCROLLINFO), SIF_ALL};
  EXPECT_TRUE(wnd.GetScrollInfo(SB_VERT, &got));
  EXPECT_EQ(got.nMin, 0);
  EXPECT_EQ(got.nMax, 99);
  EXPECT_EQ(got.nPage, 10u);
  // A range that fits in the page needs no bar, unless asked to keep it.
  SCROLLINFO fits{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 9, 20, 0, 0};
  wnd.SetScrollInfo(SB_VERT, &fits);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(got.nPage, 10u);
  wnd.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200);
  SCROLLINFO longer{sizeof(SCROLLINFO), SIF_RANGE, 0, 500, 0, 0, 0};
  wnd.SetScrollInfo(SB_VERT, &longer);
  EXPECT_TRUE(bar->isVisible());
  // Bad bars and missing records are refused.
  EXPECT_FALSE(wnd.SetScrollInfo(5, &si));
  EXPECT_FALSE(wnd.SetScrollInfo(SB_VERT, nullptr));
  EXPECT_FALSE(wnd.GetScrollInfo(-1, &got));
  wnd.DestroyWindow();
  Pump();
}

TEST(ScrollBarTest, UsingTheBarAsksTheWindowWhichMovesIt) {
  CInputWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                           CRect(0, 0, 200, 150), nullptr, 0));
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 20, 0};
  wnd.SetScrollInfo(SB_HORZ, &si);
  QScrollBar* bar = Bar(wnd, Qt::Horizontal);
  ASSERT_NE(bar, nullptr);
  wnd.seen.clear();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  auto msgs = wnd.Of(WM_HSCROLL);
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(LOWORD(msgs[0].w), static_cast<WORD>(SB_LINEDOWN));
  EXPECT_EQ(LOWORD(msgs[1].w), static_cast<WORD>(SB_ENDSCROLL));
  EXPECT_TRUE(wnd.Of(WM_VSCROLL).empty());
  // The window decides: without SetScrollPos the bar stays where it was.
  EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 20);
  EXPECT_EQ(bar->value(), 20);
  wnd.seen.clear();
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  msgs = wnd.Of(WM_HSCROLL);
  ASSERT_FALSE(msgs.empty());
  EXPECT_EQ(LOWORD(msgs[0].w), static_cast<WORD>(SB_PAGEUP));
  // Dragging the thumb reports where it is, also through the tracking position.
  wnd.seen.clear();
  bar->setSliderDown(true);
  bar->setSliderPosition(60);
  msgs = wnd.Of(WM_HSCROLL);
  ASSERT_FALSE(msgs.empty());
  EXPECT_EQ(LOWORD(msgs.back().w), static_cast<WORD>(SB_THUMBTRACK));
  EXPECT_EQ(HIWORD(msgs.back().w), 60);
  SCROLLINFO track{sizeof(SCROLLINFO), SIF_TRACKPOS};
  wnd.GetScrollInfo(SB_HORZ, &track);
  EXPECT_EQ(track.nTrackPos, 60);
  wnd.seen.clear();
  bar->setSliderDown(false);
  msgs = wnd.Of(WM_HSCROLL);
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(LOWORD(msgs[0].w), static_cast<WORD>(SB_THUMBPOSITION));
  EXPECT_EQ(HIWORD(msgs[0].w), 60);
  EXPECT_EQ(LOWORD(msgs[1].w), static_cast<WORD>(SB_ENDSCROLL));
  // Both bars leave a corner; the client area loses both extents.
  const int extent = wnd.GetQWidget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200 - extent);
  EXPECT_EQ(client.Height(), 150 - extent);
  EXPECT_EQ(bar->width(), 200 - extent);
  wnd.DestroyWindow();
  Pump();
}

// ---- disabled windows ----

TEST(DisabledWindowTest, CreatedDisabledGetsNoMouseAndEnablingSaysSo) {
  CInputWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0));
  CInputWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_DISABLED, CRect(10, 10, 60, 60), &parent, 5));
  EXPECT_FALSE(child.IsWindowEnabled());
  EXPECT_TRUE(child.GetStyle() & WS_DISABLED);
  EXPECT_TRUE(child.Of(WM_ENABLE).empty());  // made so, not changed
  QTest::mouseClick(child.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(child.Of(WM_LBUTTONDOWN).empty());
  // The click goes to the parent, in its coordinates.
  ASSERT_EQ(parent.Of(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(parent.Of(WM_LBUTTONDOWN)[0].l), 15);
  EXPECT_EQ(GET_Y_LPARAM(parent.Of(WM_LBUTTONDOWN)[0].l), 15);

  EXPECT_TRUE(child.EnableWindow(TRUE));  // it was disabled
  ASSERT_EQ(child.Of(WM_ENABLE).size(), 1u);
  EXPECT_EQ(child.Of(WM_ENABLE)[0].w, static_cast<WPARAM>(TRUE));
  QTest::mouseClick(child.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(child.Of(WM_LBUTTONDOWN).size(), 1u);

  // Disabling the parent: the child keeps its own state and hears nothing, but gets no input.
  child.seen.clear();
  parent.seen.clear();
  EXPECT_FALSE(parent.EnableWindow(FALSE));
  EXPECT_EQ(parent.Of(WM_ENABLE).size(), 1u);
  EXPECT_TRUE(child.Of(WM_ENABLE).empty());
  EXPECT_TRUE(child.IsWindowEnabled());
  EXPECT_FALSE(child.GetStyle() & WS_DISABLED);
  EXPECT_FALSE(parent.IsWindowEnabled());
  QTest::mouseClick(child.GetQWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(child.Of(WM_LBUTTONDOWN).empty());
  parent.EnableWindow(TRUE);
  // Style changes reach the state too.
  child.ModifyStyle(0, WS_DISABLED);
  EXPECT_FALSE(child.IsWindowEnabled());
  parent.DestroyWindow();
  Pump();
}

// ---- dropped files ----

class CDropWnd : public CWnd {
public:
  std::vector<std::u16string> files;
  UINT count = 0;
  UINT shortCopy = 0;
  std::u16string shortName;
  POINT pt{-1, -1};
  BOOL inClient = FALSE;
  HDROP last = nullptr;
  bool finish = true;
  afx_msg void OnDropFiles(HDROP hDrop) {
    last = hDrop;
    count = DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::u16string name(DragQueryFile(hDrop, i, nullptr, 0) + 1, u'\0');
      const UINT n = DragQueryFile(hDrop, i, name.data(), static_cast<UINT>(name.size()));
      name.resize(n);
      files.push_back(name);
    }
    char16_t small[4] = {u'x', u'x', u'x', u'x'};
    shortCopy = DragQueryFile(hDrop, 0, small, 4);
    shortName = std::u16string(small);
    EXPECT_EQ(DragQueryFile(hDrop, count, small, 4), 0u);  // past the end
    inClient = DragQueryPoint(hDrop, &pt);
    if (finish) DragFinish(hDrop);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropWnd, CWnd)
  ON_WM_DROPFILES()
END_MESSAGE_MAP()

TEST(DropFilesTest, DroppedFilesReachAWindowThatAcceptsThem) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString a = dir.filePath(QStringLiteral("plan one.dxf"));
  const QString b = dir.filePath(QStringLiteral("b.kc"));
  for (const QString& f : {a, b}) {
    QFile file(f);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  CDropWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 80), nullptr, 0));
  QWidget* w = wnd.GetQWidget();

  // Not accepting: the drag is refused and nothing arrives.
  QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &refused);
  EXPECT_FALSE(refused.isAccepted());

  wnd.DragAcceptFiles();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(12, 34), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &drop);
  EXPECT_EQ(wnd.count, 2u);
  EXPECT_EQ(wnd.files, (std::vector<std::u16string>{a.toStdU16String(), b.toStdU16String()}));
  EXPECT_EQ(wnd.shortCopy, 3u);  // cut to the buffer, with its terminating zero
  EXPECT_EQ(wnd.shortName, a.left(3).toStdU16String());
  EXPECT_EQ(wnd.pt.x, 12);
  EXPECT_EQ(wnd.pt.y, 34);
  EXPECT_TRUE(wnd.inClient);
  // A finished drop handle answers nothing more.
  EXPECT_EQ(DragQueryFile(wnd.last, 0xFFFFFFFF, nullptr, 0), 0u);

  // A handler that forgets to finish leaks nothing; a web link is no file.
  wnd.finish = false;
  QDragEnterEvent enterAgain(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &enterAgain);
  QDropEvent again(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &again);
  EXPECT_EQ(wnd.files.size(), 4u);
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/a.dxf"))});
  QDragEnterEvent webEnter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &webEnter);
  EXPECT_FALSE(webEnter.isAccepted());
  wnd.DragAcceptFiles(FALSE);
  EXPECT_FALSE(w->acceptDrops());
  wnd.DestroyWindow();
  Pump();
}

}  // namespace
