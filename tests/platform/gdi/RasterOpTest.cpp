// Binary raster operations: XOR-style drawing twice gives back the picture exactly.
#include <gtest/gtest.h>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

void DrawFigures(CDC& dc) {
  dc.MoveTo(3, 3);
  dc.LineTo(57, 41);
  dc.MoveTo(5, 40);
  dc.LineTo(50, 2);
  dc.Rectangle(10, 10, 30, 25);
  dc.Ellipse(20, 5, 55, 35);
  const POINT tri[] = {{5, 44}, {30, 20}, {58, 44}};
  dc.Polygon(tri, 3);
  dc.Arc(0, 0, 40, 40, 40, 20, 20, 0);
}

TEST(RasterOps, DrawingTwiceRestoresThePicture) {
  for (int rop : {R2_XORPEN, R2_NOT, R2_NOTXORPEN}) {
    for (int width : {1, 4}) {
      MemoryDc m(60, 46);
      m.Scribble();
      const auto before = m.Snapshot();
      CPen pen(PS_SOLID, width, RGB(200, 40, 90));
      CBrush brush(RGB(10, 220, 130));
      m.dc.SelectObject(&pen);
      m.dc.SelectObject(&brush);
      m.dc.SetROP2(rop);
      DrawFigures(m.dc);
      EXPECT_NE(m.Snapshot(), before) << "rop " << rop << " drew nothing";
      DrawFigures(m.dc);
      EXPECT_EQ(m.Snapshot(), before) << "rop " << rop << " width " << width;
      m.dc.SelectStockObject(BLACK_PEN);
      m.dc.SelectStockObject(WHITE_BRUSH);
    }
  }
}

TEST(RasterOps, EachOperationGivesItsPixel) {
  const COLORREF pen = RGB(0xF0, 0x0F, 0x55), dst = RGB(0x3C, 0xA5, 0xFF);
  struct Case { int rop; COLORREF expect; };
  const Case cases[] = {
      {R2_COPYPEN, pen},
      {R2_XORPEN, (pen ^ dst) & 0xFFFFFF},
      {R2_NOT, ~dst & 0xFFFFFF},
      {R2_NOTXORPEN, ~(pen ^ dst) & 0xFFFFFF},
      {R2_MASKPEN, pen & dst},
      {R2_MERGEPEN, pen | dst},
      {R2_NOTCOPYPEN, ~pen & 0xFFFFFF},
      {R2_BLACK, RGB(0, 0, 0)},
      {R2_WHITE, RGB(255, 255, 255)},
      {R2_NOP, dst},
  };
  for (const Case& c : cases) {
    MemoryDc m(10, 10, dst);
    CPen p(PS_SOLID, 1, pen);
    m.dc.SelectObject(&p);
    m.dc.SetROP2(c.rop);
    m.dc.MoveTo(0, 5);
    m.dc.LineTo(10, 5);
    EXPECT_EQ(m.At(4, 5), c.expect) << "rop " << c.rop;
    EXPECT_EQ(m.At(4, 4), dst);
    m.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(RasterOps, FocusRectAndInvertRectUndoThemselves) {
  MemoryDc m(40, 30);
  m.Scribble();
  const auto before = m.Snapshot();
  CRect r(5, 4, 33, 25);
  m.dc.DrawFocusRect(&r);
  const auto focused = m.Snapshot();
  EXPECT_NE(focused, before);
  // Dotted: every other frame pixel, the inside untouched.
  const bool first = m.At(5, 4) != before[4 * 40 + 5];
  const bool second = m.At(6, 4) != before[4 * 40 + 6];
  EXPECT_NE(first, second);
  EXPECT_EQ(m.At(15, 15), before[15 * 40 + 15]);
  m.dc.DrawFocusRect(&r);
  EXPECT_EQ(m.Snapshot(), before);
  m.dc.InvertRect(&r);
  EXPECT_EQ(m.At(10, 10), ~before[10 * 40 + 10] & 0xFFFFFF);
  m.dc.InvertRect(&r);
  EXPECT_EQ(m.Snapshot(), before);
}

TEST(RasterOps, XorRespectsTheClip) {
  MemoryDc m(30, 30, RGB(0, 0, 0));
  m.dc.IntersectClipRect(0, 0, 15, 30);
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  m.dc.SelectObject(&pen);
  m.dc.SetROP2(R2_XORPEN);
  m.dc.MoveTo(0, 10);
  m.dc.LineTo(30, 10);
  EXPECT_EQ(m.At(14, 10), RGB(255, 255, 255));
  EXPECT_EQ(m.At(15, 10), CLR_INVALID);  // outside the clip nothing can be read
  m.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(m.At(15, 10), RGB(0, 0, 0));
  m.dc.SelectStockObject(BLACK_PEN);
}

}  // namespace
