// Filled figures: where outlines and fills land, fill modes, brushes and hatches.
#include <gtest/gtest.h>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

struct Painted : MemoryDc {
  CPen pen{PS_SOLID, 1, kRed};
  CBrush brush{kBlue};
  Painted(int w, int h) : MemoryDc(w, h) {
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
  }
  ~Painted() {
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
  }
};

TEST(Shapes, RectangleKeepsItsOutlineInside) {
  Painted m(30, 30);
  m.dc.Rectangle(5, 6, 15, 20);
  EXPECT_EQ(m.InkBox(), CRect(5, 6, 15, 20));
  EXPECT_EQ(m.At(5, 6), kRed);
  EXPECT_EQ(m.At(14, 19), kRed);
  EXPECT_EQ(m.At(14, 10), kRed);
  EXPECT_EQ(m.At(6, 7), kBlue);
  EXPECT_EQ(m.At(13, 18), kBlue);
}

TEST(Shapes, RectangleWithoutPenIsOnePixelSmaller) {
  Painted m(30, 30);
  m.dc.SelectStockObject(NULL_PEN);
  m.dc.Rectangle(5, 6, 15, 20);
  EXPECT_EQ(m.InkBox(), CRect(5, 6, 14, 19));
}

TEST(Shapes, EllipseStaysInItsBox) {
  Painted m(50, 40);
  m.dc.Ellipse(5, 5, 45, 35);
  const CRect box = m.InkBox();
  EXPECT_EQ(box, CRect(5, 5, 45, 35));
  EXPECT_EQ(m.At(25, 20), kBlue);
  EXPECT_EQ(m.At(5, 5), kWhite);
  EXPECT_EQ(m.At(44, 34), kWhite);
  EXPECT_EQ(m.At(25, 5), kRed);
  EXPECT_EQ(m.At(5, 20), kRed);
}

TEST(Shapes, PolygonFillModes) {
  // A five-pointed star: its centre is outside under ALTERNATE, inside under WINDING.
  const POINT star[] = {{50, 5}, {79, 95}, {2, 39}, {98, 39}, {21, 95}};
  for (int mode : {ALTERNATE, WINDING}) {
    Painted m(100, 100);
    m.dc.SetPolyFillMode(mode);
    m.dc.Polygon(star, 5);
    EXPECT_EQ(m.At(50, 55), mode == WINDING ? kBlue : kWhite) << mode;
    EXPECT_EQ(m.At(50, 20), kBlue);
  }
}

TEST(Shapes, PolyPolygonFillsEveryPart) {
  Painted m(60, 30);
  const POINT pts[] = {{2, 2}, {20, 2}, {20, 20}, {2, 20}, {30, 2}, {50, 2}, {50, 20}};
  const INT counts[] = {4, 3};
  m.dc.PolyPolygon(pts, counts, 2);
  EXPECT_EQ(m.At(10, 10), kBlue);
  EXPECT_EQ(m.At(45, 8), kBlue);
  EXPECT_EQ(m.At(25, 10), kWhite);
}

TEST(Shapes, PieRunsCounterClockwiseByDefault) {
  // From the ray to the right to the ray upwards: counter-clockwise is the upper right quarter.
  for (int dir : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
    Painted m(60, 60);
    m.dc.SetArcDirection(dir);
    m.dc.Pie(10, 10, 50, 50, 50, 30, 30, 10);
    const bool upperRight = m.At(38, 22) == kBlue;
    const bool lowerLeft = m.At(22, 38) == kBlue;
    EXPECT_EQ(upperRight, dir == AD_COUNTERCLOCKWISE) << dir;
    EXPECT_EQ(lowerLeft, dir == AD_CLOCKWISE) << dir;
  }
}

TEST(Shapes, ChordAndRoundRect) {
  Painted m(60, 60);
  m.dc.Chord(10, 10, 50, 50, 10, 30, 50, 30);  // counter-clockwise from left to right: lower half
  EXPECT_EQ(m.At(30, 42), kBlue);
  EXPECT_EQ(m.At(30, 18), kWhite);
  Painted r(60, 60);
  r.dc.RoundRect(5, 5, 55, 55, 20, 20);
  EXPECT_EQ(r.At(5, 5), kWhite);  // rounded corner
  EXPECT_EQ(r.At(30, 5), kRed);
  EXPECT_EQ(r.At(30, 30), kBlue);
}

TEST(Shapes, HatchBrushRepeatsEveryEightPixels) {
  MemoryDc m(32, 32);
  CBrush hatch(HS_CROSS, kRed);
  m.dc.SetBkMode(TRANSPARENT);
  CRect r(0, 0, 32, 32);
  m.dc.FillRect(&r, &hatch);
  int ink = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(m.At(x, y), m.At((x + 8) % 32, y)) << x << "," << y;
      EXPECT_EQ(m.At(x, y), m.At(x, (y + 8) % 32)) << x << "," << y;
      ink += m.At(x, y) == kRed;
    }
  // One row and one column of each 8x8 cell: 15 of 64 pixels.
  EXPECT_EQ(ink, 16 * 15);
  EXPECT_EQ(m.CountInk(0, 0, 32, 32), ink);  // the rest is left alone in transparent mode
}

TEST(Shapes, HatchGapsTakeTheBackgroundWhenOpaque) {
  MemoryDc m(16, 16);
  CBrush hatch(HS_HORIZONTAL, kRed);
  m.dc.SetBkMode(OPAQUE);
  m.dc.SetBkColor(RGB(0, 255, 0));
  CRect r(0, 0, 16, 16);
  m.dc.FillRect(&r, &hatch);
  int red = 0, green = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      red += m.At(x, y) == kRed;
      green += m.At(x, y) == RGB(0, 255, 0);
    }
  EXPECT_EQ(red, 2 * 16);
  EXPECT_EQ(green, 16 * 16 - 2 * 16);
}

TEST(Shapes, PatternBrushFromAMonochromeBitmap) {
  // Black bits paint in the text colour, white bits in the background colour.
  const WORD rows[8] = {0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055};
  CBitmap bits;
  ASSERT_TRUE(bits.CreateBitmap(8, 8, 1, 1, rows));
  CBrush pattern(&bits);
  ASSERT_TRUE(pattern.GetSafeHandle());
  MemoryDc m(16, 16);
  m.dc.SetTextColor(kRed);
  m.dc.SetBkColor(kBlue);
  CRect r(0, 0, 16, 16);
  m.dc.FillRect(&r, &pattern);
  EXPECT_EQ(m.At(0, 0), kBlue);  // bit set (0xAA: 1010...)
  EXPECT_EQ(m.At(1, 0), kRed);
  EXPECT_EQ(m.At(0, 1), kRed);
  EXPECT_EQ(m.At(8, 0), kBlue);
}

TEST(Shapes, FrameRectDraw3dRectAndDrawEdge) {
  MemoryDc m(40, 40);
  CBrush red(kRed);
  CRect r(5, 5, 20, 15);
  m.dc.FrameRect(&r, &red);
  EXPECT_EQ(m.InkBox(), r);
  EXPECT_EQ(m.At(10, 10), kWhite);
  MemoryDc e(40, 40);
  e.dc.Draw3dRect(5, 5, 20, 10, kRed, kBlue);
  EXPECT_EQ(e.At(5, 5), kRed);
  EXPECT_EQ(e.At(24, 5), kBlue);
  EXPECT_EQ(e.At(24, 14), kBlue);
  EXPECT_EQ(e.At(5, 14), kBlue);
  EXPECT_EQ(e.At(5, 13), kRed);
  MemoryDc g(40, 40);
  CRect edge(2, 2, 30, 30);
  g.dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(edge, CRect(4, 4, 28, 28));
  EXPECT_EQ(g.At(2, 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(g.At(29, 29), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(g.At(15, 15), GetSysColor(COLOR_BTNFACE));
}

TEST(Shapes, FillSolidRectSetsTheBackgroundColour) {
  MemoryDc m(20, 20);
  m.dc.FillSolidRect(2, 2, 5, 5, kRed);
  EXPECT_EQ(m.InkBox(), CRect(2, 2, 7, 7));
  EXPECT_EQ(m.dc.GetBkColor(), kRed);
}

TEST(Shapes, RegionsCombineAndFill) {
  CRgn a, b, c;
  a.CreateRectRgn(0, 0, 20, 20);
  b.CreateEllipticRgn(10, 10, 30, 30);
  c.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(c.PtInRegion(5, 5));
  EXPECT_TRUE(c.PtInRegion(20, 20));
  EXPECT_FALSE(c.PtInRegion(29, 11));
  CRect box;
  c.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 30, 30));
  EXPECT_EQ(c.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(c.CombineRgn(&a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(c.EqualRgn(&a));
  c.OffsetRgn(5, 5);
  EXPECT_FALSE(c.PtInRegion(2, 2));
  EXPECT_EQ(c.CombineRgn(&a, &b, 99), ERROR);

  MemoryDc m(40, 40);
  CBrush red(kRed);
  m.dc.FillRgn(&b, &red);
  EXPECT_EQ(m.At(20, 20), kRed);
  EXPECT_EQ(m.At(10, 10), kWhite);
}

}  // namespace
