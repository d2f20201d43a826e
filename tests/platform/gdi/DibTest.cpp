// Device-independent bitmaps: DIB sections shared with the caller, and DIBs in and out.
#include <gtest/gtest.h>

#include <cstring>

#include <QtGui/QImage>

#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

BITMAPINFO Header(int w, int h, int bpp) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = WORD(bpp);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

TEST(Dib, SectionBitsAndDrawingMeet) {
  for (int height : {4, -4}) {  // bottom-up and top-down
    BITMAPINFO bi = Header(4, height, 32);
    void* raw = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    ASSERT_TRUE(h && raw);
    auto* bits = static_cast<BYTE*>(raw);
    // Scan line 0 is the bottom row of a bottom-up DIB and the top row of a top-down one.
    bits[0] = 255;  // blue at the first pixel of scan line 0
    const int firstRowY = height > 0 ? 3 : 0, lastRowY = height > 0 ? 0 : 3;
    CBitmap bmp;
    bmp.Attach(h);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bmp);
    EXPECT_EQ(dc.GetPixel(0, firstRowY), kBlue) << height;
    CPen red(PS_SOLID, 1, kRed);
    dc.SelectObject(&red);
    dc.MoveTo(0, lastRowY);
    dc.LineTo(4, lastRowY);
    dc.SelectStockObject(BLACK_PEN);
    GdiFlush();
    const BYTE* lastLine = bits + 3 * 16;
    EXPECT_EQ(lastLine[2], 255) << height;  // red reached the bits
    EXPECT_EQ(lastLine[0], 0) << height;
    // The caller writes again; selection or GdiFlush brings it to the picture.
    bits[4] = 255;
    GdiFlush();
    EXPECT_EQ(dc.GetPixel(1, firstRowY), kBlue) << height;
    dc.SelectObject(old);
  }
}

TEST(Dib, PalettedSections) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[2];
  } bi{};
  bi.h = Header(8, 2, 1).bmiHeader;
  bi.colors[0] = RGBQUAD{0, 0, 0, 0};
  bi.colors[1] = RGBQUAD{255, 255, 255, 0};
  void* raw = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &raw, nullptr, 0);
  ASSERT_TRUE(h);
  static_cast<BYTE*>(raw)[0] = 0x80;  // bottom row, first pixel white
  CBitmap bmp;
  bmp.Attach(h);
  BITMAP info{};
  bmp.GetBitmap(&info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  const QImage img = bmp.GetImage();
  EXPECT_EQ(img.pixel(0, 1) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, 0u);
}

TEST(Dib, GetAndSetDIBits) {
  MemoryDc m(3, 2);
  m.dc.SetPixel(0, 0, kRed);   // top left
  m.dc.SetPixel(2, 1, kBlue);  // bottom right
  HBITMAP h = static_cast<HBITMAP>(m.bmp.GetSafeHandle());
  BITMAPINFO query{};
  query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(nullptr, h, 0, 0, nullptr, &query, DIB_RGB_COLORS), 0);
  EXPECT_EQ(query.bmiHeader.biWidth, 3);
  EXPECT_EQ(query.bmiHeader.biHeight, 2);

  BITMAPINFO bi = Header(3, 2, 24);  // bottom-up, rows padded to 12 bytes
  std::vector<BYTE> bits(24, 0);
  EXPECT_EQ(GetDIBits(nullptr, h, 0, 2, bits.data(), &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits[2 * 3 + 0], 255);  // scan line 0 (bottom), pixel 2: blue
  EXPECT_EQ(bits[12 + 2], 255);     // scan line 1 (top), pixel 0: red

  // Write them back into another bitmap, and draw them with the source measured from below.
  MemoryDc copy(3, 2);
  EXPECT_EQ(SetDIBits(nullptr, static_cast<HBITMAP>(copy.bmp.GetSafeHandle()), 0, 2, bits.data(), &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(copy.At(0, 0), kRed);
  EXPECT_EQ(copy.At(2, 1), kBlue);
  MemoryDc drawn(6, 4);
  EXPECT_EQ(StretchDIBits(drawn.dc.GetSafeHdc(), 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(drawn.At(0, 0), kRed);
  EXPECT_EQ(drawn.At(5, 3), kBlue);
  MemoryDc lower(3, 1);
  StretchDIBits(lower.dc.GetSafeHdc(), 0, 0, 3, 1, 0, 0, 3, 1, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(lower.At(2, 0), kBlue);  // source row 0 of a bottom-up DIB is its bottom row
}

TEST(Dib, BadHeadersAreRefused) {
  void* raw = reinterpret_cast<void*>(1);
  BITMAPINFO bad = Header(-3, 2, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &bad, DIB_RGB_COLORS, &raw, nullptr, 0), nullptr);
  EXPECT_EQ(raw, nullptr);
  BITMAPINFO huge = Header(30000, 30000, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &huge, DIB_RGB_COLORS, &raw, nullptr, 0), nullptr);
  BITMAPINFO odd = Header(3, 3, 7);
  EXPECT_EQ(CreateDIBSection(nullptr, &odd, DIB_RGB_COLORS, &raw, nullptr, 0), nullptr);
  BITMAPINFO rle = Header(3, 3, 8);
  rle.bmiHeader.biCompression = BI_RLE8;
  EXPECT_EQ(CreateDIBitmapFromInfo(&rle, nullptr), nullptr);
  MemoryDc m(2, 2);
  EXPECT_EQ(StretchDIBits(m.dc.GetSafeHdc(), 0, 0, 2, 2, 0, 0, 2, 2, nullptr, &odd, DIB_RGB_COLORS, SRCCOPY), 0);
}

}  // namespace

namespace {

std::vector<BYTE> PackedDib(int bpp) {
  // A 5x3 picture with a colour table for 8 bits per pixel.
  BITMAPINFOHEADER h = Header(5, 3, bpp).bmiHeader;
  const int stride = ((5 * bpp + 31) / 32) * 4;
  std::vector<BYTE> out(sizeof h);
  std::memcpy(out.data(), &h, sizeof h);
  if (bpp == 8) {
    for (int i = 0; i < 256; ++i) {
      const RGBQUAD q{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
      out.insert(out.end(), reinterpret_cast<const BYTE*>(&q), reinterpret_cast<const BYTE*>(&q) + 4);
    }
  }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < stride; ++x) out.push_back(BYTE(x * 17 + y * 91));
  return out;
}

TEST(Dib, PackedDibsFromUntrustedBytes) {
  for (int bpp : {8, 24, 32}) {
    const std::vector<BYTE> good = PackedDib(bpp);
    HBITMAP h = CreateBitmapFromPackedDib(good.data(), good.size());
    ASSERT_TRUE(h) << bpp;
    BITMAP bm{};
    GetObject(h, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    DeleteObject(h);
    // Every truncation fails cleanly; an unaligned copy reads the same.
    for (size_t n = 0; n < good.size(); ++n)
      EXPECT_EQ(CreateBitmapFromPackedDib(good.data(), n), nullptr) << bpp << " cut at " << n;
    std::vector<BYTE> shifted(good.size() + 1);
    std::memcpy(shifted.data() + 1, good.data(), good.size());
    HBITMAP again = CreateBitmapFromPackedDib(shifted.data() + 1, good.size());
    EXPECT_TRUE(again);
    DeleteObject(again);
    // Damaged headers: each byte of it changed in turn never crashes.
    for (size_t i = 0; i < sizeof(BITMAPINFOHEADER); ++i)
      for (BYTE v : {BYTE(0), BYTE(0x7F), BYTE(0xFF)}) {
        std::vector<BYTE> bad = good;
        bad[i] = v;
        if (HBITMAP b = CreateBitmapFromPackedDib(bad.data(), bad.size())) DeleteObject(b);
      }
  }
  EXPECT_EQ(CreateBitmapFromPackedDib(nullptr, 100), nullptr);
}

}  // namespace
