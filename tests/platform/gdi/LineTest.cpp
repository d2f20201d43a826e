// Lines: the last pixel left out, pen styles, wide and geometric pens.
#include <gtest/gtest.h>

#include "platform/gdi/CPen.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST(Lines, LineToLeavesOutTheLastPixel) {
  struct Case { int x0, y0, x1, y1; std::vector<POINT> on; POINT off; };
  const Case cases[] = {
      {2, 5, 8, 5, {{2, 5}, {7, 5}}, {8, 5}},        // left to right
      {8, 5, 2, 5, {{8, 5}, {3, 5}}, {2, 5}},        // right to left
      {4, 1, 4, 9, {{4, 1}, {4, 8}}, {4, 9}},        // downwards
      {1, 1, 7, 7, {{1, 1}, {4, 4}, {6, 6}}, {7, 7}},  // diagonal
  };
  for (const Case& c : cases) {
    MemoryDc m(12, 12);
    CPen pen(PS_SOLID, 1, kRed);
    m.dc.SelectObject(&pen);
    m.dc.MoveTo(c.x0, c.y0);
    m.dc.LineTo(c.x1, c.y1);
    for (POINT p : c.on) EXPECT_EQ(m.At(p.x, p.y), kRed) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
    EXPECT_EQ(m.At(c.off.x, c.off.y), kWhite) << "end pixel drawn for " << c.x1 << "," << c.y1;
    const int len = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
    EXPECT_EQ(m.CountInk(0, 0, 12, 12), len);
    EXPECT_EQ(m.dc.GetCurrentPosition(), CPoint(c.x1, c.y1));
    m.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(Lines, PolylineTouchesEveryCornerOnce) {
  // With XOR, a pixel drawn twice would vanish: a closed outline must be complete.
  MemoryDc m(20, 20, RGB(0, 0, 0));
  CPen pen(PS_SOLID, 1, kWhite);
  m.dc.SelectObject(&pen);
  m.dc.SetROP2(R2_XORPEN);
  const POINT pts[] = {{2, 2}, {15, 2}, {15, 12}, {2, 12}, {2, 2}};
  m.dc.Polyline(pts, 5);
  EXPECT_EQ(m.CountInk(0, 0, 20, 20, RGB(0, 0, 0)), 2 * 13 + 2 * 10);
  for (POINT p : pts) EXPECT_EQ(m.At(p.x, p.y), kWhite);
  m.dc.SelectStockObject(BLACK_PEN);
}

// The runs of ink along row y from x0, as lengths: ink, gap, ink, gap ...
std::vector<int> Runs(const MemoryDc& m, int y, int x0, int x1, COLORREF ink) {
  std::vector<int> runs;
  bool cur = true;
  int n = 0;
  for (int x = x0; x < x1; ++x) {
    const bool on = m.At(x, y) == ink;
    if (on == cur) {
      ++n;
    } else {
      runs.push_back(n);
      cur = on;
      n = 1;
    }
  }
  runs.push_back(n);
  return runs;
}

TEST(Lines, CosmeticStylesDrawTheirDashes) {
  struct Case { int style; std::vector<int> runs; };
  const Case cases[] = {
      {PS_DASH, {18, 6, 18, 6, 18}},
      {PS_DOT, {3, 3, 3, 3, 3, 3, 3, 3}},
      {PS_DASHDOT, {9, 6, 3, 6, 9}},
      {PS_DASHDOTDOT, {9, 3, 3, 3, 3, 3, 9}},
  };
  for (const Case& c : cases) {
    MemoryDc m(100, 5);
    m.dc.SetBkMode(TRANSPARENT);
    CPen pen(c.style, 1, kRed);
    m.dc.SelectObject(&pen);
    m.dc.MoveTo(0, 2);
    m.dc.LineTo(90, 2);
    int total = 0;
    for (int r : c.runs) total += r;
    EXPECT_EQ(Runs(m, 2, 0, total, kRed), c.runs) << "style " << c.style;
    m.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(Lines, OpaqueBackgroundFillsTheGaps) {
  MemoryDc m(40, 5);
  CPen pen(PS_DASH, 1, kRed);
  m.dc.SelectObject(&pen);
  m.dc.SetBkColor(RGB(0, 0, 255));
  m.dc.SetBkMode(OPAQUE);
  m.dc.MoveTo(0, 2);
  m.dc.LineTo(30, 2);
  EXPECT_EQ(m.At(5, 2), kRed);
  EXPECT_EQ(m.At(20, 2), RGB(0, 0, 255));
  EXPECT_EQ(m.At(30, 2), kWhite);
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, WideCosmeticDashesDrawSolid) {
  MemoryDc m(60, 20);
  CPen pen(PS_DASH, 3, kRed);
  m.dc.SelectObject(&pen);
  m.dc.MoveTo(5, 10);
  m.dc.LineTo(55, 10);
  for (int x = 6; x < 54; ++x) EXPECT_EQ(m.At(x, 10), kRed) << x;
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, WidePenCoversItsWidth) {
  MemoryDc m(60, 30);
  CPen pen(PS_SOLID, 5, kRed);
  m.dc.SelectObject(&pen);
  m.dc.MoveTo(10, 15);
  m.dc.LineTo(50, 15);
  const CRect box = m.InkBox();
  EXPECT_EQ(box.Height(), 5);
  EXPECT_GE(box.top, 12);
  EXPECT_LE(box.bottom, 18);
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, GeometricCapsDecideTheEnds) {
  LOGBRUSH lb{BS_SOLID, kRed, 0};
  struct Case { DWORD cap; bool pastEnd; };
  for (Case c : {Case{PS_ENDCAP_FLAT, false}, Case{PS_ENDCAP_SQUARE, true}, Case{PS_ENDCAP_ROUND, true}}) {
    MemoryDc m(60, 30);
    CPen pen(PS_GEOMETRIC | PS_SOLID | c.cap | PS_JOIN_MITER, 8, &lb);
    ASSERT_TRUE(pen.GetSafeHandle());
    m.dc.SelectObject(&pen);
    m.dc.MoveTo(20, 15);
    m.dc.LineTo(40, 15);
    const CRect box = m.InkBox();
    EXPECT_EQ(box.left < 19, c.pastEnd) << "cap " << c.cap << " box left " << box.left;
    EXPECT_EQ(box.right > 42, c.pastEnd) << "cap " << c.cap << " box right " << box.right;
    m.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(Lines, GeometricDashesScaleWithWidth) {
  LOGBRUSH lb{BS_SOLID, kRed, 0};
  MemoryDc m(200, 20);
  CPen pen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 4, &lb);
  m.dc.SelectObject(&pen);
  m.dc.MoveTo(0, 10);
  m.dc.LineTo(200, 10);
  // Dashes three widths long, gaps one width.
  EXPECT_EQ(m.At(6, 10), kRed);
  EXPECT_EQ(m.At(14, 10), kWhite);
  EXPECT_EQ(m.At(18, 10), kRed);
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, UserStyleFollowsTheGivenLengths) {
  LOGBRUSH lb{BS_SOLID, kRed, 0};
  const DWORD style[] = {5, 2};
  MemoryDc m(40, 5);
  CPen pen(PS_COSMETIC | PS_USERSTYLE, 1, &lb, 2, style);
  ASSERT_TRUE(pen.GetSafeHandle());
  m.dc.SetBkMode(TRANSPARENT);
  m.dc.SelectObject(&pen);
  m.dc.MoveTo(0, 2);
  m.dc.LineTo(30, 2);
  EXPECT_EQ(Runs(m, 2, 0, 21, kRed), (std::vector<int>{5, 2, 5, 2, 5, 2}));
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, FarOffEndsStillDrawTheVisiblePart) {
  // A line a million pixels long, mostly outside: the visible part is drawn, and its dashes
  // are where walking the whole line would have put them.
  MemoryDc m(60, 20);
  m.dc.SetBkMode(TRANSPARENT);
  CPen pen(PS_DASH, 1, kRed);
  m.dc.SelectObject(&pen);
  const int start = -1000003;
  m.dc.MoveTo(start, 2);
  m.dc.LineTo(1000000, 2);
  for (int x = 0; x < 60; ++x) EXPECT_EQ(m.At(x, 2) == kRed, (x - start) % 24 < 18) << x;
  CPen solid(PS_SOLID, 1, kRed);
  m.dc.SelectObject(&solid);
  m.dc.MoveTo(-2000000, -1000000 + 10);
  m.dc.LineTo(2000000, 1000000 + 10);  // slope one half through (0, 10)
  EXPECT_EQ(m.At(0, 10), kRed);
  EXPECT_EQ(m.At(18, 19), kRed);
  EXPECT_EQ(m.CountInk(0, 5, 60, 20), 20);  // x 0..19 until it leaves at the bottom
  m.dc.SelectStockObject(BLACK_PEN);
}

TEST(Lines, NullPenAndBadInputDrawNothing) {
  MemoryDc m(20, 20);
  m.dc.SelectStockObject(NULL_PEN);
  m.dc.MoveTo(0, 0);
  m.dc.LineTo(19, 19);
  EXPECT_EQ(m.CountInk(0, 0, 20, 20), 0);
  m.dc.SelectStockObject(BLACK_PEN);
  EXPECT_FALSE(m.dc.Polyline(nullptr, 3));
  const POINT one[] = {{1, 1}};
  EXPECT_FALSE(m.dc.Polyline(one, 1));
  EXPECT_FALSE(m.dc.Polyline(one, -5));
  EXPECT_FALSE(m.dc.PolyBezier(one, 2));
  EXPECT_EQ(m.CountInk(0, 0, 20, 20), 0);
  // Invalid pen descriptions are refused.
  CPen bad;
  EXPECT_FALSE(bad.CreatePen(PS_USERSTYLE, 1, RGB(0, 0, 0)));
  LOGBRUSH lb{BS_SOLID, 0, 0};
  EXPECT_FALSE(bad.CreatePen(PS_COSMETIC | PS_USERSTYLE, 1, &lb, 0, nullptr));
  EXPECT_FALSE(bad.CreatePen(PS_COSMETIC | PS_SOLID, 3, &lb));
}

}  // namespace
