// GDI+ drawing on bitmaps: pixel placement, pens, brushes, transforms, clipping.
#include <gtest/gtest.h>

#include <set>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdiplus/AdjustableArrowCap.h"
#include "platform/gdiplus/GdiplusApi.h"
#include "platform/gdiplus/GraphicsPath.h"
#include "platform/gdiplus/HatchBrush.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Matrix.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"
#include "platform/gdiplus/SolidBrush.h"
#include "tests/platform/gdiplus/Canvas.h"

using namespace Gdiplus;

namespace {

const ARGB kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

TEST(Graphics, StartupHandsOutTokens) {
  GdiplusStartupInput input;
  ULONG_PTR token = 0;
  EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
  EXPECT_NE(token, 0u);
  GdiplusShutdown(token);
  GdiplusStartupInput bad;
  bad.GdiplusVersion = 7;
  EXPECT_EQ(GdiplusStartup(&token, &bad, nullptr), UnsupportedGdiplusVersion);
}

TEST(Graphics, FillsCoverExactPixels) {
  Canvas c(20, 20);
  SolidBrush red(Color(255, 0, 0));
  c.G().FillRectangle(&red, 2, 3, 10, 5);
  const Rect box = c.InkBox();
  EXPECT_TRUE(box.Equals(Rect(2, 3, 10, 5))) << box.X << "," << box.Y << " " << box.Width << "x" << box.Height;
  EXPECT_EQ(c.At(2, 3), kRed);
  EXPECT_EQ(c.At(11, 7), kRed);
}

TEST(Graphics, OnePixelLinesLandOnTheirRow) {
  Canvas c(20, 20);
  Pen pen(Color(255, 0, 0), 1);
  c.G().DrawLine(&pen, 2, 5, 12, 5);
  const Rect box = c.InkBox();
  EXPECT_EQ(box.Y, 5);
  EXPECT_EQ(box.Height, 1);
  EXPECT_EQ(c.At(7, 5), kRed);
  EXPECT_LE(box.X, 3);
  EXPECT_GE(box.GetRight(), 12);
}

TEST(Graphics, HalfPixelOffsetMovesThePixelGrid) {
  Canvas c(20, 20);
  c.G().SetPixelOffsetMode(PixelOffsetModeHalf);
  SolidBrush red(Color(255, 0, 0));
  c.G().FillRectangle(&red, 2.5f, 2.5f, 4.0f, 4.0f);
  // Pixel centres now lie at half coordinates: 2.5 is the centre of pixel 2.
  const Rect box = c.InkBox();
  EXPECT_EQ(box.X, 2);
  EXPECT_EQ(box.Width, 4);
}

TEST(Graphics, AntialiasingBlendsEdges) {
  for (SmoothingMode mode : {SmoothingModeNone, SmoothingModeAntiAlias}) {
    Canvas c(40, 40);
    c.G().SetSmoothingMode(mode);
    Pen pen(Color(0, 0, 0), 1.5f);
    c.G().DrawLine(&pen, 3, 3, 35, 20);
    std::set<ARGB> colours;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) colours.insert(c.At(x, y));
    EXPECT_EQ(colours.size() > 2, mode == SmoothingModeAntiAlias) << int(mode);
  }
}

TEST(Graphics, DashStylesAlternate) {
  Canvas c(100, 10);
  Pen pen(Color(255, 0, 0), 2);
  pen.SetDashStyle(DashStyleDash);
  c.G().DrawLine(&pen, 0, 5, 100, 5);
  // Dashes of three pen widths, gaps of one: whole runs after the first change of state.
  std::vector<int> on, off;
  bool cur = c.At(0, 5) == kRed;
  int n = 0, changes = 0;
  for (int x = 0; x < 90; ++x) {
    const bool ink = c.At(x, 5) == kRed;
    if (ink == cur) {
      ++n;
      continue;
    }
    if (changes++ > 0) (cur ? on : off).push_back(n);
    cur = ink;
    n = 1;
  }
  ASSERT_GE(on.size(), 3u);
  ASSERT_GE(off.size(), 3u);
  for (int r : on) EXPECT_NEAR(r, 6, 1);
  for (int r : off) EXPECT_NEAR(r, 2, 1);
  const REAL custom[] = {1, 1};
  EXPECT_EQ(pen.SetDashPattern(custom, 2), Ok);
  EXPECT_EQ(pen.GetDashStyle(), DashStyleCustom);
  const REAL bad[] = {1, 0};
  EXPECT_EQ(pen.SetDashPattern(bad, 2), InvalidParameter);
}

TEST(Graphics, ArrowCapsWidenTheEnd) {
  Canvas plain(80, 40), arrow(80, 40), custom(80, 40);
  Pen pen(Color(0, 0, 0), 3);
  plain.G().DrawLine(&pen, 10, 20, 60, 20);
  Pen withAnchor(Color(0, 0, 0), 3);
  withAnchor.SetEndCap(LineCapArrowAnchor);
  arrow.G().DrawLine(&withAnchor, 10, 20, 60, 20);
  AdjustableArrowCap cap(4, 4, TRUE);
  Pen withCap(Color(0, 0, 0), 3);
  withCap.SetCustomEndCap(&cap);
  custom.G().DrawLine(&withCap, 10, 20, 60, 20);
  EXPECT_EQ(plain.InkBox().Height, 3);
  EXPECT_GE(arrow.InkBox().Height, 5);
  EXPECT_GE(custom.InkBox().Height, 10);
  // The head sits at the end, not the start.
  EXPECT_FALSE(custom.Ink(12, 15));
  EXPECT_TRUE(custom.Ink(52, 17));
}

TEST(Graphics, HatchStylesAreDistinctEightPixelPatterns) {
  std::set<std::vector<bool>> patterns;
  for (int style = HatchStyleMin; style <= HatchStyleMax; ++style) {
    Canvas c(16, 16);
    HatchBrush hatch(HatchStyle(style), Color(255, 0, 0), Color(0, 0, 255));
    ASSERT_EQ(hatch.GetLastStatus(), Ok);
    c.G().FillRectangle(&hatch, 0, 0, 16, 16);
    std::vector<bool> bits;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const ARGB v = c.At(x, y);
        ASSERT_TRUE(v == kRed || v == kBlue) << style;
        EXPECT_EQ(v, c.At(x % 8, y % 8)) << style;
        if (x < 8 && y < 8) bits.push_back(v == kRed);
      }
    EXPECT_TRUE(patterns.insert(bits).second) << "style " << style << " repeats another";
  }
  EXPECT_EQ(patterns.size(), size_t(HatchStyleTotal));
  // The percentage styles grow darker in order.
  int last = -1;
  for (int style = HatchStyle05Percent; style <= HatchStyle90Percent; ++style) {
    Canvas c(8, 8);
    HatchBrush hatch(HatchStyle(style), Color(0, 0, 0), Color(255, 255, 255));
    c.G().FillRectangle(&hatch, 0, 0, 8, 8);
    const int ink = c.CountInk(0, 0, 8, 8);
    EXPECT_GT(ink, last) << style;
    last = ink;
  }
  EXPECT_EQ(last > 48 && last < 64, true);
  HatchBrush bad(HatchStyle(99), Color(0, 0, 0));
  EXPECT_EQ(bad.GetLastStatus(), InvalidParameter);
}

TEST(Graphics, HatchStaysInDevicePixelsUnderTransforms) {
  Canvas a(16, 16), b(16, 16);
  HatchBrush hatch(HatchStyleVertical, Color(255, 0, 0), Color(255, 255, 255));
  a.G().FillRectangle(&hatch, 0, 0, 16, 16);
  b.G().ScaleTransform(2, 2);
  b.G().FillRectangle(&hatch, 0, 0, 8, 8);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(a.At(x, 3), b.At(x, 3)) << x;
}

TEST(Graphics, TransformsAndPageUnits) {
  Canvas c(100, 100);
  SolidBrush red(Color(255, 0, 0));
  c.G().TranslateTransform(10, 20);
  c.G().ScaleTransform(2, 3);
  c.G().FillRectangle(&red, 0, 0, 5, 5);
  EXPECT_TRUE(c.InkBox().Equals(Rect(10, 20, 10, 15)));

  Canvas r(100, 100);
  r.G().RotateTransform(90);  // clockwise on the screen: +x becomes +y
  r.G().TranslateTransform(0, -50, MatrixOrderAppend);
  r.G().TranslateTransform(50, 50, MatrixOrderAppend);
  r.G().FillRectangle(&red, 0, 0, 30, 4);
  const Rect rb = r.InkBox();
  EXPECT_EQ(rb.Width, 4);
  EXPECT_EQ(rb.Height, 30);

  Canvas mm(200, 200);
  mm.G().SetPageUnit(UnitMillimeter);
  EXPECT_NEAR(mm.G().PixelsPerPageUnit(), 96 / 25.4, 1e-6);
  mm.G().FillRectangle(&red, 0.0f, 0.0f, 25.4f, 12.7f);
  const Rect mb = mm.InkBox();
  EXPECT_NEAR(mb.Width, 96, 1);
  EXPECT_NEAR(mb.Height, 48, 1);
  Matrix m;
  mm.G().GetTransform(&m);
  EXPECT_TRUE(m.IsIdentity());
}

TEST(Graphics, ClipIsKeptInDeviceSpace) {
  Canvas c(50, 50);
  SolidBrush red(Color(255, 0, 0));
  c.G().SetClip(RectF(10, 10, 20, 20));
  c.G().TranslateTransform(100, 100);  // later transforms do not move the clip
  c.G().ResetTransform();
  c.G().ExcludeClip(Rect(15, 15, 5, 5));
  c.G().FillRectangle(&red, 0, 0, 50, 50);
  RectF bounds;
  c.G().GetClipBounds(&bounds);
  EXPECT_NEAR(bounds.X, 10, 1e-3);
  EXPECT_NEAR(bounds.Width, 20, 1e-3);
  EXPECT_TRUE(c.G().IsVisible(PointF(12, 12)));
  EXPECT_FALSE(c.G().IsVisible(PointF(16, 16)));
  const GraphicsState s = c.G().Save();
  c.G().ResetClip();
  EXPECT_TRUE(c.G().IsVisible(PointF(1, 1)));
  EXPECT_EQ(c.G().Restore(s), Ok);
  EXPECT_FALSE(c.G().IsVisible(PointF(1, 1)));
  EXPECT_EQ(c.G().Restore(99), InvalidParameter);
  EXPECT_TRUE(c.InkBox().Equals(Rect(10, 10, 20, 20)));
  EXPECT_FALSE(c.Ink(17, 17));
  EXPECT_TRUE(c.Ink(25, 25));
}

TEST(Graphics, ShapesAndCurves) {
  Canvas c(100, 100);
  Pen black(Color(0, 0, 0), 1);
  SolidBrush blue(Color(0, 0, 255));
  c.G().FillEllipse(&blue, 10, 10, 40, 40);
  EXPECT_EQ(c.At(30, 30), kBlue);
  EXPECT_FALSE(c.Ink(11, 11));
  const PointF pts[] = {{60, 80}, {70, 60}, {80, 80}, {90, 60}};
  c.G().DrawCurve(&black, pts, 4);
  // The spline passes through its points.
  for (const PointF& p : pts) EXPECT_GT(c.CountInk(int(p.X) - 1, int(p.Y) - 1, int(p.X) + 2, int(p.Y) + 2), 0) << p.X;
  c.G().FillPie(&blue, RectF(50, 0, 40, 40), 0, 90);  // clockwise from +x: the lower right quarter
  EXPECT_EQ(c.At(80, 30), kBlue);
  EXPECT_FALSE(c.Ink(80, 10));
  EXPECT_EQ(c.G().DrawLines(&black, pts, 1), InvalidParameter);
  EXPECT_EQ(c.G().DrawLines(nullptr, pts, 4), InvalidParameter);
  EXPECT_EQ(c.G().FillPolygon(&blue, static_cast<const PointF*>(nullptr), 3), InvalidParameter);
}

TEST(Graphics, GradientRunsBetweenItsColours) {
  Canvas c(100, 10);
  LinearGradientBrush grad(RectF(0, 0, 100, 10), Color(255, 0, 0), Color(0, 0, 255), LinearGradientModeHorizontal);
  c.G().FillRectangle(&grad, 0, 0, 100, 10);
  const Color left(c.At(2, 5)), mid(c.At(50, 5)), right(c.At(97, 5));
  EXPECT_GT(left.GetR(), 240);
  EXPECT_GT(right.GetB(), 240);
  EXPECT_NEAR(mid.GetR(), 128, 20);
  EXPECT_NEAR(mid.GetB(), 128, 20);
}

TEST(Graphics, OnADeviceContext) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bmp;
  bmp.CreateBitmap(30, 30, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bmp);
  dc.FillSolidRect(0, 0, 30, 30, RGB(255, 255, 255));
  {
    Graphics g(dc.GetSafeHdc());
    SolidBrush red(Color(255, 0, 0));
    g.FillRectangle(&red, 0, 0, 10, 10);
    // GDI work on the same context in between: the graphics carries on.
    dc.SetPixel(20, 20, RGB(0, 255, 0));
    g.FillRectangle(&red, 10, 10, 5, 5);
    EXPECT_EQ(g.GetDpiX(), 96.0f);
  }
  EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(12, 12), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 255, 0));
  EXPECT_EQ(dc.GetPixel(25, 25), RGB(255, 255, 255));
  dc.SelectObject(old);
}

TEST(Paths, FiguresBoundsAndRegions) {
  GraphicsPath path;
  path.AddLine(0, 0, 10, 0);
  path.AddLine(10, 10, 0, 10);  // joined to the figure so far
  path.CloseFigure();
  EXPECT_TRUE(path.IsVisible(5, 5));
  path.AddEllipse(20.0f, 20.0f, 10.0f, 10.0f);
  RectF b;
  path.GetBounds(&b);
  EXPECT_NEAR(b.GetRight(), 30, 1e-4);
  Matrix m;
  m.Translate(5, 0);
  path.Transform(&m);
  EXPECT_TRUE(path.IsVisible(12, 5));
  EXPECT_FALSE(path.IsVisible(2, 5));
  EXPECT_EQ(path.AddLines(static_cast<const PointF*>(nullptr), 3), InvalidParameter);

  Region r(RectF(0, 0, 10, 10));
  r.Union(RectF(20, 0, 10, 10));
  EXPECT_TRUE(r.IsVisible(25, 5));
  EXPECT_FALSE(r.IsVisible(15, 5));
  r.Exclude(RectF(0, 0, 5, 10));
  EXPECT_FALSE(r.IsVisible(2, 5));
  Region inf;
  EXPECT_TRUE(inf.IsInfinite());
  inf.Intersect(RectF(0, 0, 1, 1));
  EXPECT_FALSE(inf.IsInfinite());
  EXPECT_FALSE(inf.IsEmpty());
}

TEST(Matrices, OrderAndInverse) {
  Matrix m;
  m.Translate(10, 0);
  m.Scale(2, 2);  // prepended: scale first, then translate
  PointF p(1, 1);
  m.TransformPoints(&p);
  EXPECT_FLOAT_EQ(p.X, 12);
  EXPECT_FLOAT_EQ(p.Y, 2);
  Matrix a;
  a.Translate(10, 0);
  a.Scale(2, 2, MatrixOrderAppend);  // appended: translate first, then scale
  PointF q(1, 1);
  a.TransformPoints(&q);
  EXPECT_FLOAT_EQ(q.X, 22);
  Matrix r;
  r.Rotate(90);
  PointF x(1, 0);
  r.TransformPoints(&x);
  EXPECT_NEAR(x.X, 0, 1e-6);
  EXPECT_NEAR(x.Y, 1, 1e-6);
  ASSERT_EQ(m.Invert(), Ok);
  m.TransformPoints(&p);
  EXPECT_NEAR(p.X, 1, 1e-5);
  Matrix singular(0, 0, 0, 0, 1, 1);
  EXPECT_FALSE(singular.IsInvertible());
  EXPECT_EQ(singular.Invert(), InvalidParameter);
  REAL e[6];
  r.GetElements(e);
  EXPECT_NEAR(e[1], 1, 1e-6);
}

}  // namespace
