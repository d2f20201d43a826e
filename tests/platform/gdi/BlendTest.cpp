// Alpha blending, gradients, drag frames and palettes.
#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "platform/gdi/CPalette.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

TEST(Blend, ConstantAndPerPixelAlpha) {
  MemoryDc src(4, 1, RGB(200, 0, 0)), dst(4, 1, RGB(0, 0, 100));
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(dst.dc.AlphaBlend(0, 0, 4, 1, &src.dc, 0, 0, 4, 1, half));
  EXPECT_NEAR(GetRValue(dst.At(0, 0)), 100, 1);
  EXPECT_NEAR(GetBValue(dst.At(0, 0)), 50, 1);

  // Premultiplied source pixels: opaque red, half-transparent green, fully transparent.
  const BYTE bits[3 * 4] = {0, 0, 255, 255, 0, 64, 0, 128, 0, 0, 0, 0};
  CBitmap alpha;
  ASSERT_TRUE(alpha.CreateBitmap(3, 1, 1, 32, bits));
  BYTE back[12] = {};
  alpha.GetBitmapBits(sizeof back, back);
  EXPECT_EQ(back[7], 128);  // the alpha bytes are kept
  CDC srcDc;
  srcDc.CreateCompatibleDC(nullptr);
  CBitmap* old = srcDc.SelectObject(&alpha);
  MemoryDc out(3, 1, RGB(0, 0, 200));
  BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(out.dc.AlphaBlend(0, 0, 3, 1, &srcDc, 0, 0, 3, 1, perPixel));
  EXPECT_EQ(out.At(0, 0), RGB(255, 0, 0));
  EXPECT_NEAR(GetGValue(out.At(1, 0)), 64, 1);
  EXPECT_NEAR(GetBValue(out.At(1, 0)), 100, 1);
  EXPECT_EQ(out.At(2, 0), RGB(0, 0, 200));
  // Plain block transfers ignore the alpha bytes.
  MemoryDc copy(3, 1);
  copy.dc.BitBlt(0, 0, 3, 1, &srcDc, 0, 0, SRCCOPY);
  EXPECT_EQ(copy.At(2, 0), RGB(0, 0, 0));
  srcDc.SelectObject(old);
  EXPECT_FALSE(out.dc.AlphaBlend(0, 0, 3, 1, &srcDc, 0, 0, 9, 9, perPixel));  // beyond the source
}

TEST(Blend, GradientRectangles) {
  MemoryDc m(11, 4);
  TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {11, 4, 0xFF00, 0, 0xFF00, 0}};
  GRADIENT_RECT r{0, 1};
  EXPECT_TRUE(m.dc.GradientFill(v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(m.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(m.At(10, 3), RGB(255, 0, 255));
  EXPECT_NEAR(GetRValue(m.At(5, 2)), 128, 2);
  EXPECT_EQ(m.At(5, 0), m.At(5, 3));  // columns are flat
  GRADIENT_RECT bad{0, 7};
  EXPECT_FALSE(m.dc.GradientFill(v, 2, &bad, 1, GRADIENT_FILL_RECT_V));
  TRIVERTEX t[3] = {{0, 0, 0xFF00, 0, 0, 0}, {10, 0, 0xFF00, 0, 0, 0}, {0, 4, 0xFF00, 0, 0, 0}};
  GRADIENT_TRIANGLE tri{0, 1, 2};
  MemoryDc tm(11, 4);
  EXPECT_TRUE(tm.dc.GradientFill(t, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(tm.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(tm.At(10, 3), RGB(255, 255, 255));
}

TEST(Blend, DragFrameComesAndGoes) {
  MemoryDc m(60, 60);
  m.Scribble();
  const auto before = m.Snapshot();
  CRect a(5, 5, 30, 30), b(20, 15, 55, 50);
  const SIZE thick{3, 3};
  m.dc.DrawDragRect(&a, thick, nullptr, thick);
  EXPECT_NE(m.Snapshot(), before);
  EXPECT_EQ(m.At(15, 15), before[15 * 60 + 15]);  // only the frame is touched
  m.dc.DrawDragRect(&b, thick, &a, thick);
  m.dc.DrawDragRect(nullptr, thick, &b, thick);
  EXPECT_EQ(m.Snapshot(), before);
}

TEST(Palettes, EntriesAndNearestColours) {
  PALETTEENTRY sys[256];
  EXPECT_EQ(GetSystemPaletteEntries(nullptr, 0, 256, sys), 256u);
  EXPECT_EQ(sys[0].peRed, 0);
  EXPECT_EQ(sys[255].peRed, 255);
  EXPECT_EQ(sys[249].peRed, 255);  // red among the last ten
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[2];
  } lp{};
  lp.head.palVersion = 0x300;
  lp.head.palNumEntries = 3;
  lp.head.palPalEntry[0] = {255, 0, 0, 0};
  lp.more[0] = {0, 255, 0, 0};
  lp.more[1] = {0, 0, 255, 0};
  CPalette pal;
  ASSERT_TRUE(pal.CreatePalette(&lp.head));
  EXPECT_EQ(pal.GetEntryCount(), 3);
  EXPECT_EQ(pal.GetNearestPaletteIndex(RGB(10, 200, 30)), 1u);
  MemoryDc m(2, 2);
  CPalette* old = m.dc.SelectPalette(&pal, FALSE);
  EXPECT_NE(old, nullptr);
  m.dc.RealizePalette();
  CPalette half;
  ASSERT_TRUE(half.CreateHalftonePalette(&m.dc));
  EXPECT_EQ(half.GetEntryCount(), 256);
  LOGPALETTE empty{0x300, 0, {}};
  CPalette none;
  EXPECT_FALSE(none.CreatePalette(&empty));
}

}  // namespace

namespace {

// Icons as the window layer would hand them over: a 16x16 red disc on transparency.
bool TestIcons(HICON hIcon, int cx, int cy, QImage& out) {
  if (hIcon != reinterpret_cast<HICON>(0x1234)) return false;
  const int w = cx > 0 ? cx : 16, h = cy > 0 ? cy : 16;
  out = QImage(w, h, QImage::Format_ARGB32);
  out.fill(0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2) < (w / 3) * (w / 3)) out.setPixel(x, y, 0xFFFF0000u);
  return true;
}

TEST(Icons, DrawnThroughTheWindowLayersProvider) {
  MemoryDc m(40, 20);
  const HICON icon = reinterpret_cast<HICON>(0x1234);
  EXPECT_FALSE(m.dc.DrawIcon(2, 2, icon));  // no provider yet
  AfxSetIconImageProvider(&TestIcons);
  EXPECT_TRUE(m.dc.DrawIcon(2, 2, icon));
  EXPECT_EQ(m.At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(m.At(2, 2), RGB(255, 255, 255));  // transparent corners leave the background
  EXPECT_TRUE(m.dc.DrawState(CPoint(20, 2), CSize(16, 16), icon, DST_ICON | DSS_DISABLED));
  EXPECT_EQ(m.At(28, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_FALSE(m.dc.DrawIcon(0, 0, reinterpret_cast<HICON>(0x99)));
  AfxSetIconImageProvider(nullptr);
}

}  // namespace
