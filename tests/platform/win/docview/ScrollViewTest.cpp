// A scrolling view in a plain frame: bars that follow the total size, scrolling by lines,
// pages, the thumb and the wheel, mapping modes, and the context's origin.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CCreateContext.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CScrollView.h"

namespace {

class CPageView : public CScrollView {
  DECLARE_DYNCREATE(CPageView)
public:
  static int s_live;
  static CPageView* s_last;
  CPageView() {
    ++s_live;
    s_last = this;
  }
  ~CPageView() override { --s_live; }
  void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(2000, 1500)); }
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPageView, CScrollView)
int CPageView::s_live = 0;
CPageView* CPageView::s_last = nullptr;

class ScrollViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPageView);
    m_frame = new CFrameWnd;
    ASSERT_TRUE(m_frame->Create(nullptr, u"Pages", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr,
                                nullptr, 0, &context));
    m_frame->InitialUpdateFrame(nullptr, TRUE);
    m_view = CPageView::s_last;
    ASSERT_NE(m_view, nullptr);
    ASSERT_EQ(m_frame->GetActiveView(), m_view);
  }
  void TearDown() override {
    if (m_frame) m_frame->SendMessage(WM_CLOSE);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(CPageView::s_live, 0);
  }
  void Scroll(UINT message, UINT code, UINT pos = 0) { m_view->SendMessage(message, MAKEWPARAM(code, pos), 0); }

  CFrameWnd* m_frame = nullptr;
  CPageView* m_view = nullptr;
};

TEST_F(ScrollViewTest, BarsCoverTheTotalAndScrollByLinePageThumbAndWheel) {
  EXPECT_EQ(m_frame->GetActiveView(), m_view);
  CString title;
  m_frame->GetWindowText(title);
  EXPECT_EQ(title, CString(u"Pages"));
  CRect client;
  m_view->GetClientRect(&client);
  ASSERT_GT(client.Width(), 0);
  EXPECT_EQ(m_view->GetScrollLimit(SB_HORZ), 2000 - client.Width());
  EXPECT_EQ(m_view->GetScrollLimit(SB_VERT), 1500 - client.Height());

  struct Step {
    UINT message;
    UINT code;
    UINT pos;
    CPoint expected;
  };
  const int limitY = 1500 - client.Height();
  const Step steps[] = {
      {WM_VSCROLL, SB_LINEDOWN, 0, CPoint(0, 15)},
      {WM_VSCROLL, SB_PAGEDOWN, 0, CPoint(0, 165)},
      {WM_VSCROLL, SB_LINEUP, 0, CPoint(0, 150)},
      {WM_VSCROLL, SB_BOTTOM, 0, CPoint(0, limitY)},
      {WM_VSCROLL, SB_PAGEDOWN, 0, CPoint(0, limitY)},  // stays at the end
      {WM_VSCROLL, SB_THUMBTRACK, 100, CPoint(0, 100)},
      {WM_HSCROLL, SB_LINEDOWN, 0, CPoint(20, 100)},
      {WM_HSCROLL, SB_TOP, 0, CPoint(0, 100)},
      {WM_HSCROLL, SB_LINEUP, 0, CPoint(0, 100)},  // stays at the start
  };
  for (const Step& s : steps) {
    Scroll(s.message, s.code, s.pos);
    EXPECT_EQ(m_view->GetDeviceScrollPosition(), s.expected) << "code " << s.code;
  }
  // A wheel notch down scrolls three lines.
  m_view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(m_view->GetDeviceScrollPosition(), CPoint(0, 145));

  // Contexts start at the scroll position.
  m_view->ScrollToPosition(CPoint(300, 200));
  EXPECT_EQ(m_view->GetScrollPosition(), CPoint(300, 200));
  CClientDC dc(m_view);
  m_view->OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-300, -200));

  // A window larger than the total needs no bars and shows it from the start.
  m_frame->MoveWindow(0, 0, 2400, 1900);
  EXPECT_EQ(m_view->GetScrollLimit(SB_HORZ), 0);
  EXPECT_EQ(m_view->GetScrollLimit(SB_VERT), 0);
  EXPECT_EQ(m_view->GetDeviceScrollPosition(), CPoint(0, 0));
  EXPECT_FALSE(m_view->OnScrollBy(CSize(0, 50)));
}

TEST_F(ScrollViewTest, MetricSizesBecomePixelsOfTheScreen) {
  m_view->SetScrollSizes(MM_LOMETRIC, CSize(1000, 500));  // 10 cm by 5 cm
  CClientDC screen(nullptr);
  const int dpiX = screen.GetDeviceCaps(LOGPIXELSX);
  const int dpiY = screen.GetDeviceCaps(LOGPIXELSY);
  int mode = 0;
  SIZE total{}, page{}, line{};
  m_view->GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(mode, MM_LOMETRIC);
  EXPECT_NEAR(total.cx, 1000 * dpiX / 254, 1);
  EXPECT_NEAR(total.cy, 500 * dpiY / 254, 1);
  EXPECT_EQ(m_view->GetTotalSize(), CSize(1000, 500));
}

}  // namespace
