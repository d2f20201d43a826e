#pragma once
// A white bitmap with a graphics on it, the fixture of the GDI+ tests.

#include <memory>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

struct Canvas {
  Gdiplus::Bitmap bmp;
  std::unique_ptr<Gdiplus::Graphics> g;
  Canvas(int w, int h) : bmp(w, h, Gdiplus::PixelFormat32bppARGB), g(std::make_unique<Gdiplus::Graphics>(&bmp)) {
    g->Clear(Gdiplus::Color(255, 255, 255));
  }
  Gdiplus::ARGB At(int x, int y) {
    Finish();
    Gdiplus::Color c;
    bmp.GetPixel(x, y, &c);
    return c.GetValue();
  }
  // Ends drawing so the pixels can be read; a new graphics starts on demand.
  void Finish() { g.reset(); }
  Gdiplus::Graphics& G() {
    if (!g) g = std::make_unique<Gdiplus::Graphics>(&bmp);
    return *g;
  }
  bool Ink(int x, int y) { return At(x, y) != 0xFFFFFFFFu; }
  int CountInk(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Ink(x, y);
    return n;
  }
  // Bounding box of non-white pixels as x0, y0, x1, y1 (exclusive); x0 > x1 when empty.
  Gdiplus::Rect InkBox() {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    for (int y = 0; y < int(bmp.GetHeight()); ++y)
      for (int x = 0; x < int(bmp.GetWidth()); ++x)
        if (Ink(x, y)) {
          x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
        }
    if (x1 < 0) return Gdiplus::Rect();
    return Gdiplus::Rect(x0, y0, x1 - x0, y1 - y0);
  }
};
