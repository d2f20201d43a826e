// Odd input never crashes: random text and layout flags, odd rectangles and mapping modes.
#include <gtest/gtest.h>

#include <random>

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

std::u16string RandomText(std::mt19937& rng) {
  static const char16_t pieces[] = u"ab &&&\t\r\n x日本語 WWW...\\/ ";
  std::uniform_int_distribution<int> len(0, 60), pick(0, int(std::size(pieces)) - 2);
  std::u16string s;
  for (int i = len(rng); i > 0; --i) s += pieces[pick(rng)];
  return s;
}

TEST(Robustness, DrawTextWithRandomFlagsAndText) {
  MemoryDc m(120, 80);
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> coord(-200, 300);
  std::uniform_int_distribution<UINT> flags(0, 0x3FFFFF);
  for (int i = 0; i < 400; ++i) {
    const std::u16string text = RandomText(rng);
    CRect r(coord(rng), coord(rng), coord(rng), coord(rng));
    const UINT fmt = flags(rng);
    m.dc.SetBkMode(i % 2 ? OPAQUE : TRANSPARENT);
    const int h = m.dc.DrawText(text.c_str(), int(text.size()), &r, fmt);
    EXPECT_GE(h, 0);
    // With DT_TABSTOP the second byte is the tab size, not flags.
    if ((fmt & DT_CALCRECT) && !(fmt & DT_TABSTOP)) EXPECT_GE(r.bottom, r.top);
    m.dc.ExtTextOut(coord(rng), coord(rng), fmt & (ETO_OPAQUE | ETO_CLIPPED), &r, text.c_str(), UINT(text.size()),
                    nullptr);
  }
}

TEST(Robustness, ShapesUnderOddMappingsAndRects) {
  MemoryDc m(64, 64);
  std::mt19937 rng(777);
  std::uniform_int_distribution<int> coord(-100000, 100000), small(-5, 70), mode(MM_TEXT, MM_ANISOTROPIC);
  CPen dashed(PS_DASHDOTDOT, 1, RGB(1, 2, 3)), wide(PS_SOLID, 9, RGB(4, 5, 6));
  CBrush hatch(HS_BDIAGONAL, RGB(7, 8, 9));
  m.dc.SelectObject(&hatch);
  for (int i = 0; i < 300; ++i) {
    m.dc.SelectObject(i % 2 ? &dashed : &wide);
    m.dc.SetMapMode(mode(rng));
    m.dc.SetWindowExt(small(rng), small(rng));
    m.dc.SetViewportExt(small(rng), small(rng));
    m.dc.SetROP2(1 + i % 16);
    auto c = [&] { return i % 3 ? small(rng) : coord(rng); };
    m.dc.Rectangle(c(), c(), c(), c());
    m.dc.Ellipse(c(), c(), c(), c());
    m.dc.Arc(c(), c(), c(), c(), c(), c(), c(), c());
    m.dc.Pie(c(), c(), c(), c(), c(), c(), c(), c());
    m.dc.RoundRect(c(), c(), c(), c(), c(), c());
    const POINT pts[] = {{c(), c()}, {c(), c()}, {c(), c()}, {c(), c()}};
    m.dc.Polygon(pts, 4);
    m.dc.PolyBezier(pts, 4);
    m.dc.MoveTo(c(), c());
    m.dc.LineTo(c(), c());
    m.dc.IntersectClipRect(c(), c(), c(), c());
    if (i % 7 == 0) m.dc.SelectClipRgn(nullptr);
  }
  m.dc.SetMapMode(MM_TEXT);
  m.dc.SetROP2(R2_COPYPEN);
  m.dc.SelectStockObject(BLACK_PEN);
  m.dc.SelectStockObject(WHITE_BRUSH);
}

}  // namespace
