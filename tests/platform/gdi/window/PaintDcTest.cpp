// Window contexts: a window painting with CPaintDC (GDI and GDI+), measuring with CClientDC.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/HatchBrush.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CWindowDC.h"
#include "platform/win/CWnd.h"

namespace {

class CPictureWnd : public CWnd {
public:
  int m_paints = 0;
  CRect m_paintRect;
  CRect m_clipBox;
  int m_rop = R2_COPYPEN;

  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    return TRUE;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    ++m_paints;
    m_paintRect = dc.m_ps.rcPaint;
    dc.GetClipBox(&m_clipBox);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(10, 10, 40, 30);
    dc.SetROP2(m_rop);
    dc.MoveTo(0, 50);
    dc.LineTo(100, 50);
    dc.SetROP2(R2_COPYPEN);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    // GDI+ on the same context.
    Gdiplus::Graphics g(dc.GetSafeHdc());
    Gdiplus::HatchBrush hatch(Gdiplus::HatchStyleCross, Gdiplus::Color(0, 128, 0), Gdiplus::Color(255, 255, 255));
    g.FillRectangle(&hatch, 60, 5, 16, 16);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPictureWnd, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

TEST(PaintDc, PaintsThroughThePaintEvent) {
  CPictureWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, u"Picture", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 60), nullptr, 0));
  const QImage img = wnd.GetQWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_GT(wnd.m_paints, 0);
  EXPECT_EQ(wnd.m_paintRect, CRect(0, 0, 100, 60));
  EXPECT_EQ(wnd.m_clipBox, CRect(0, 0, 100, 60));
  EXPECT_EQ(Px(img, 10, 10), 0xFF0000u);  // outline
  EXPECT_EQ(Px(img, 39, 29), 0xFF0000u);
  EXPECT_EQ(Px(img, 40, 30), 0xFFFFFFu);  // right and bottom stay outside
  EXPECT_EQ(Px(img, 20, 20), 0x0000FFu);  // fill
  EXPECT_EQ(Px(img, 50, 50), 0xFF0000u);  // the line
  // The hatch's lines run on the window's 8-pixel grid.
  EXPECT_EQ(Px(img, 64, 6), 0x008000u);
  EXPECT_EQ(Px(img, 62, 8), 0x008000u);
  EXPECT_EQ(Px(img, 62, 6), 0xFFFFFFu);
  EXPECT_EQ(Px(img, 72, 13), Px(img, 64, 13));
  wnd.DestroyWindow();
}

TEST(PaintDc, XorOnTheWindowInvertsAgainstTheBackground) {
  CPictureWnd wnd;
  wnd.m_rop = R2_XORPEN;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 60), nullptr, 0));
  const QImage img = wnd.GetQWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Px(img, 50, 50), 0x00FFFFu);  // white XOR red
  wnd.DestroyWindow();
}

TEST(PaintDc, ClientDcMeasuresOutsidePainting) {
  CPictureWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 40), nullptr, 0));
  CClientDC dc(&wnd);
  ASSERT_TRUE(dc.GetSafeHdc());
  EXPECT_GT(dc.GetTextExtent(CString(u"Measure")).cx, 0);
  CRect box;
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 80, 40));
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
  dc.MoveTo(0, 0);
  dc.LineTo(10, 10);  // drawn on the client-sized bitmap, harmlessly
  CWindowDC wdc(&wnd);
  EXPECT_TRUE(wdc.GetSafeHdc());
  CClientDC none(nullptr);
  EXPECT_TRUE(none.GetSafeHdc());
  wnd.DestroyWindow();
}

}  // namespace
