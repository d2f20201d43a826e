// Path brackets: figures recorded between BeginPath and EndPath, then stroked, filled or
// used as a clip.
#include <gtest/gtest.h>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

void Square(CDC& dc) {
  dc.BeginPath();
  dc.MoveTo(5, 5);
  dc.LineTo(30, 5);
  dc.LineTo(30, 25);
  dc.LineTo(5, 25);
  dc.CloseFigure();
  dc.EndPath();
}

TEST(Paths, RecordedNotDrawnThenFilledOrStroked) {
  MemoryDc m(40, 40);
  CBrush blue(kBlue);
  CPen red(PS_SOLID, 1, kRed);
  m.dc.SelectObject(&blue);
  m.dc.SelectObject(&red);
  Square(m.dc);
  EXPECT_EQ(m.CountInk(0, 0, 40, 40), 0);  // nothing drawn while recording
  EXPECT_TRUE(m.dc.FillPath());
  EXPECT_EQ(m.InkBox(), CRect(5, 5, 30, 25));  // polygon rules: right and bottom edges stay out
  EXPECT_EQ(m.At(10, 10), kBlue);
  EXPECT_FALSE(m.dc.FillPath());  // a path is used once

  MemoryDc s(40, 40);
  s.dc.SelectObject(&red);
  Square(s.dc);
  EXPECT_TRUE(s.dc.StrokePath());
  EXPECT_EQ(s.InkBox(), CRect(5, 5, 31, 26));
  EXPECT_EQ(s.At(30, 25), kRed);
  EXPECT_EQ(s.At(10, 10), RGB(255, 255, 255));
  s.dc.SelectStockObject(BLACK_PEN);
  m.dc.SelectStockObject(BLACK_PEN);
  m.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Paths, ShapesAndTextJoinThePath) {
  MemoryDc m(120, 60);
  m.dc.BeginPath();
  m.dc.Ellipse(0, 0, 40, 40);
  CFont font;
  LOGFONT lf{};
  lf.lfHeight = -30;
  font.CreateFontIndirect(&lf);
  CFont* old = m.dc.SelectObject(&font);
  m.dc.TextOut(50, 10, u"H", 1);
  m.dc.SelectObject(old);
  m.dc.EndPath();
  EXPECT_EQ(m.CountInk(0, 0, 120, 60), 0);
  CBrush red(kRed);
  m.dc.SelectObject(&red);
  m.dc.FillPath();
  EXPECT_EQ(m.At(20, 20), kRed);
  EXPECT_GT(m.CountInk(50, 10, 120, 60), 20);
  m.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Paths, ClipAndRegion) {
  MemoryDc m(40, 40);
  m.dc.BeginPath();
  m.dc.Ellipse(0, 0, 40, 40);
  m.dc.EndPath();
  EXPECT_TRUE(m.dc.SelectClipPath(RGN_COPY));
  m.dc.FillSolidRect(0, 0, 40, 40, kRed);
  m.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(m.At(20, 20), kRed);
  EXPECT_EQ(m.At(1, 1), RGB(255, 255, 255));
  Square(m.dc);
  CRgn rgn;
  ASSERT_TRUE(rgn.CreateFromPath(&m.dc));
  EXPECT_TRUE(rgn.PtInRegion(10, 10));
  EXPECT_FALSE(rgn.PtInRegion(2, 2));
  EXPECT_FALSE(m.dc.StrokePath());
  m.dc.BeginPath();
  EXPECT_FALSE(m.dc.StrokePath());  // not finished
  m.dc.AbortPath();
  m.dc.MoveTo(0, 0);
  m.dc.LineTo(5, 0);  // drawing again after the bracket
  EXPECT_EQ(m.At(2, 0), RGB(0, 0, 0));
}

}  // namespace
