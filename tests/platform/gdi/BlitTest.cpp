// Bitmaps and block transfers: copies, ternary raster operations, colour conversion of
// monochrome bitmaps, stretching and transparent copies.
#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QImage>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(Blit, CopiesAndRasterOps) {
  const COLORREF s = RGB(0xF0, 0x3C, 0x0F), d = RGB(0x55, 0xAA, 0xFF), p = RGB(0x0F, 0xF0, 0x33);
  struct Case { DWORD rop; COLORREF expect; };
  const Case cases[] = {
      {SRCCOPY, s},
      {SRCPAINT, s | d},
      {SRCAND, s & d},
      {SRCINVERT, (s ^ d) & 0xFFFFFF},
      {SRCERASE, s & (~d & 0xFFFFFF)},
      {NOTSRCCOPY, ~s & 0xFFFFFF},
      {MERGECOPY, s & p},
      {PATCOPY, p},
      {PATINVERT, (p ^ d) & 0xFFFFFF},
      {DSTINVERT, ~d & 0xFFFFFF},
      {BLACKNESS, kBlack},
      {WHITENESS, kWhite},
  };
  for (const Case& c : cases) {
    MemoryDc src(8, 8, s), dst(8, 8, d);
    CBrush brush(p);
    dst.dc.SelectObject(&brush);
    EXPECT_TRUE(dst.dc.BitBlt(2, 2, 4, 4, &src.dc, 0, 0, c.rop));
    EXPECT_EQ(dst.At(3, 3), c.expect) << std::hex << c.rop;
    EXPECT_EQ(dst.At(1, 1), d) << std::hex << c.rop;
    EXPECT_EQ(dst.At(6, 6), d) << std::hex << c.rop;
    dst.dc.SelectStockObject(WHITE_BRUSH);
  }
}

TEST(Blit, SourceInvertTwiceRestores) {
  MemoryDc src(30, 20), dst(30, 20);
  src.Scribble();
  dst.dc.FillSolidRect(0, 0, 30, 20, RGB(12, 34, 56));
  const auto before = dst.Snapshot();
  dst.dc.BitBlt(0, 0, 30, 20, &src.dc, 0, 0, SRCINVERT);
  EXPECT_NE(dst.Snapshot(), before);
  dst.dc.BitBlt(0, 0, 30, 20, &src.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(dst.Snapshot(), before);
}

TEST(Blit, OffsetsAndOverlappingCopies) {
  MemoryDc m(20, 20);
  m.dc.FillSolidRect(0, 0, 5, 5, kRed);
  // Copying within one bitmap, overlapping: the source is read before it is overwritten.
  m.dc.BitBlt(3, 3, 10, 10, &m.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(m.At(3, 3), kRed);
  EXPECT_EQ(m.At(7, 7), kRed);
  EXPECT_EQ(m.At(8, 8), kWhite);
  EXPECT_EQ(m.At(0, 0), kRed);
}

TEST(Blit, MonochromeToColourUsesTextAndBackgroundColours) {
  const WORD rows[2] = {0x0080, 0x0000};  // top-left pixel white, rest black
  CBitmap mono;
  ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, rows));
  BITMAP bm{};
  mono.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  CDC monoDc;
  monoDc.CreateCompatibleDC(nullptr);
  CBitmap* old = monoDc.SelectObject(&mono);
  MemoryDc dst(4, 4);
  dst.dc.SetTextColor(kRed);
  dst.dc.SetBkColor(kBlue);
  dst.dc.BitBlt(0, 0, 2, 2, &monoDc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kBlue);
  EXPECT_EQ(dst.At(1, 0), kRed);
  EXPECT_EQ(dst.At(1, 1), kRed);
  monoDc.SelectObject(old);
}

TEST(Blit, ColourToMonochromeMakesAMask) {
  MemoryDc src(4, 1, kRed);
  src.dc.SetPixel(1, 0, kBlue);
  src.dc.SetBkColor(kRed);  // the background colour turns white
  CDC maskDc;
  maskDc.CreateCompatibleDC(&src.dc);
  CBitmap mask;
  mask.CreateBitmap(4, 1, 1, 1, nullptr);
  CBitmap* old = maskDc.SelectObject(&mask);
  maskDc.BitBlt(0, 0, 4, 1, &src.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(maskDc.GetPixel(0, 0), kWhite);
  EXPECT_EQ(maskDc.GetPixel(1, 0), kBlack);
  // A compatible bitmap of a context holding a monochrome bitmap is monochrome too.
  CBitmap compat;
  compat.CreateCompatibleBitmap(&maskDc, 5, 5);
  BITMAP bm{};
  compat.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  maskDc.SelectObject(old);
}

TEST(Blit, StretchAndMirror) {
  MemoryDc src(2, 1);
  src.dc.SetPixel(0, 0, kRed);
  src.dc.SetPixel(1, 0, kBlue);
  MemoryDc dst(8, 4);
  dst.dc.StretchBlt(0, 0, 8, 4, &src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kRed);
  EXPECT_EQ(dst.At(3, 3), kRed);
  EXPECT_EQ(dst.At(4, 0), kBlue);
  EXPECT_EQ(dst.At(7, 3), kBlue);
  MemoryDc mirrored(2, 1);
  mirrored.dc.StretchBlt(1, 0, -2, 1, &src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(mirrored.At(0, 0), kBlue);
  EXPECT_EQ(mirrored.At(1, 0), kRed);
}

TEST(Blit, HugeRectanglesOnlyTouchWhatShows) {
  MemoryDc src(2, 1);
  src.dc.SetPixel(0, 0, kRed);
  src.dc.SetPixel(1, 0, kBlue);
  MemoryDc dst(40, 40);
  // A destination a billion pixels large: only the visible corner is worked out.
  EXPECT_TRUE(dst.dc.StretchBlt(0, 0, 30000, 30000, &src.dc, 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(dst.At(39, 39), kRed);
  EXPECT_TRUE(dst.dc.StretchBlt(-29990, 0, 30000, 40, &src.dc, 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(dst.At(5, 5), kBlue);
  EXPECT_TRUE(dst.dc.StretchBlt(100000, 0, 30000, 40, &src.dc, 0, 0, 2, 1, SRCCOPY));  // off the device
  // A source far larger than its bitmap reads black outside it.
  MemoryDc big(20, 20);
  EXPECT_TRUE(big.dc.StretchBlt(0, 0, 20, 20, &src.dc, 0, 0, 30000, 30000, SRCCOPY));
  EXPECT_EQ(big.At(0, 0), kRed);
  EXPECT_EQ(big.At(10, 10), RGB(0, 0, 0));
  EXPECT_TRUE(big.dc.TransparentBlt(0, 0, 30000, 30000, &src.dc, 0, 0, 2, 1, kRed));
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  EXPECT_FALSE(big.dc.AlphaBlend(0, 0, 30000, 30000, &src.dc, 0, 0, 2, 1, half));
  CBrush hatch(HS_CROSS, kBlue);
  big.dc.SelectObject(&hatch);
  EXPECT_TRUE(big.dc.PatBlt(-30000, -30000, 60000, 60000, PATINVERT));
  EXPECT_TRUE(big.dc.PatBlt(-30000, -30000, 60000, 60000, PATINVERT));
  EXPECT_EQ(big.At(0, 0), kRed);  // inverted twice: as before
  big.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Blit, TransparentBltSkipsTheKeyColour) {
  MemoryDc src(4, 4, RGB(255, 0, 255));
  src.dc.FillSolidRect(1, 1, 2, 2, kRed);
  MemoryDc dst(8, 8, kBlue);
  EXPECT_TRUE(dst.dc.TransparentBlt(0, 0, 8, 8, &src.dc, 0, 0, 4, 4, RGB(255, 0, 255)));
  EXPECT_EQ(dst.At(0, 0), kBlue);
  EXPECT_EQ(dst.At(3, 3), kRed);
  EXPECT_EQ(dst.At(7, 7), kBlue);
  EXPECT_FALSE(dst.dc.TransparentBlt(0, 0, -1, 8, &src.dc, 0, 0, 4, 4, 0));
  EXPECT_FALSE(dst.dc.BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
}

TEST(Blit, PatBltWithAHatchBrush) {
  MemoryDc m(16, 16);
  CBrush hatch(HS_VERTICAL, kRed);
  m.dc.SelectObject(&hatch);
  m.dc.SetBkColor(kWhite);
  m.dc.PatBlt(0, 0, 16, 16, PATCOPY);
  EXPECT_EQ(m.CountInk(0, 0, 16, 16), 2 * 16);
  m.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Blit, BitmapBitsRoundTrip) {
  const BYTE bits[2 * 2 * 4] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
  CBitmap b;
  ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 32, bits));
  BYTE back[16] = {};
  EXPECT_EQ(b.GetBitmapBits(sizeof back, back), 16u);
  EXPECT_EQ(0, std::memcmp(bits, back, 16));
  const QImage img = b.GetImage();
  EXPECT_EQ(img.pixel(1, 0) & 0xFFFFFF, 0x060504u);
  // Absurd sizes are refused, not allocated.
  CBitmap huge;
  EXPECT_FALSE(huge.CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr));
  EXPECT_FALSE(huge.CreateBitmap(-4, 4, 1, 32, nullptr));
  EXPECT_FALSE(huge.CreateBitmap(4, 4, 1, 7, nullptr));
}

TEST(Blit, LoadsImageFilesAndBareDibs) {
  QImage img(3, 2, QImage::Format_RGB32);
  img.fill(qRgb(10, 20, 30));
  img.setPixel(2, 1, qRgb(200, 100, 50));
  for (const char* format : {"PNG", "BMP"}) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(img.save(&buf, format));
    std::vector<BYTE> data(bytes.begin(), bytes.end());
    CBitmap b;
    ASSERT_TRUE(b.LoadFromData(data)) << format;
    EXPECT_EQ(b.GetImage().pixel(2, 1) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFFu) << format;
    if (std::string(format) == "BMP") {
      // The same without its 14-byte file header, as bitmap resources are stored.
      std::vector<BYTE> dib(data.begin() + 14, data.end());
      CBitmap d;
      ASSERT_TRUE(d.LoadFromData(dib));
      EXPECT_EQ(d.GetImage().pixel(2, 1) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFFu);
    }
  }
  CBitmap bad;
  EXPECT_FALSE(bad.LoadFromData({}));
  EXPECT_FALSE(bad.LoadFromData({'B', 'M', 1, 2, 3}));
  std::vector<BYTE> truncatedDib(40, 0);
  truncatedDib[0] = 40;
  truncatedDib[4] = 0xFF;  // width 255, height 0
  EXPECT_FALSE(bad.LoadFromData(truncatedDib));
  EXPECT_FALSE(bad.LoadBitmap(123456u));  // no such resource
}

TEST(Blit, DibSectionsOfEachDepth) {
  // 2x2, bottom-up, 8 bits with a palette.
  struct { BITMAPINFOHEADER h; RGBQUAD colors[2]; } info{};
  info.h.biSize = sizeof(BITMAPINFOHEADER);
  info.h.biWidth = 2;
  info.h.biHeight = 2;
  info.h.biPlanes = 1;
  info.h.biBitCount = 8;
  info.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
  const BYTE bits[8] = {1, 0, 0, 0, 0, 1, 0, 0};  // bottom row first
  HBITMAP h = CreateDIBitmapFromInfo(reinterpret_cast<BITMAPINFO*>(&info), bits);
  ASSERT_TRUE(h);
  CBitmap b;
  b.Attach(h);
  const QImage img = b.GetImage();
  EXPECT_EQ(img.pixel(0, 1) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0u);
}

}  // namespace
