#pragma once
// A memory device context over a white bitmap, the fixture of the drawing tests.

#include <string>
#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

struct MemoryDc {
  CDC dc;
  CBitmap bmp;
  CBitmap* old = nullptr;
  int w, h;

  MemoryDc(int width, int height, COLORREF fill = RGB(255, 255, 255)) : w(width), h(height) {
    CDC screen;
    screen.CreateIC(nullptr, nullptr, nullptr, nullptr);
    dc.CreateCompatibleDC(&screen);
    bmp.CreateCompatibleBitmap(&screen, w, h);
    old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, w, h, fill);
  }
  ~MemoryDc() { dc.SelectObject(old); }

  COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
  bool Ink(int x, int y, COLORREF bg = RGB(255, 255, 255)) const { return At(x, y) != bg; }

  // Every pixel, for comparing pictures.
  std::vector<COLORREF> Snapshot() const {
    std::vector<COLORREF> v;
    v.reserve(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) v.push_back(At(x, y));
    return v;
  }
  int CountInk(int x0, int y0, int x1, int y1, COLORREF bg = RGB(255, 255, 255)) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Ink(x, y, bg) ? 1 : 0;
    return n;
  }
  // The bounding box of pixels differing from bg, or an empty rect.
  CRect InkBox(COLORREF bg = RGB(255, 255, 255)) const {
    CRect r(w, h, -1, -1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Ink(x, y, bg)) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    if (r.right < 0) return CRect();
    return r;
  }
  // A busy picture so that raster operations have something to work on.
  void Scribble() {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) dc.SetPixel(x, y, RGB((x * 37) & 255, (y * 53) & 255, ((x ^ y) * 11) & 255));
  }
};
