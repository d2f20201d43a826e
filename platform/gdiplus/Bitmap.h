#pragma once
// A bitmap image: pixels to read, write, lock and draw on.

#include "platform/gdiplus/Image.h"

namespace Gdiplus {

class Bitmap : public Image {
public:
  Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
  // Copies the pixels of scan0 (stride bytes a row; negative for bottom-up rows).
  Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0);
  explicit Bitmap(const WCHAR* filename, BOOL useIcm = FALSE);
  Bitmap(HBITMAP hbm, HPALETTE hpal);
  Bitmap(const BITMAPINFO* gdiBitmapInfo, void* gdiBitmapData);
  Bitmap(const Bitmap& other) = default;

  static Bitmap* FromFile(const WCHAR* filename, BOOL useIcm = FALSE);
  static Bitmap* FromHBITMAP(HBITMAP hbm, HPALETTE hpal);
  static Bitmap* FromBITMAPINFO(const BITMAPINFO* gdiBitmapInfo, void* gdiBitmapData);
  static Bitmap* FromBytes(const void* data, size_t size);
  Image* Clone() const override { return new Bitmap(*this); }
  Bitmap* Clone(const Rect& rect, PixelFormat format) const;
  Bitmap* Clone(INT x, INT y, INT width, INT height, PixelFormat format) const;
  Bitmap* Clone(const RectF& rect, PixelFormat format) const;

  Status GetPixel(INT x, INT y, Color* color) const;
  Status SetPixel(INT x, INT y, const Color& color);
  Status SetResolution(REAL xdpi, REAL ydpi);
  // Copies the rectangle out in the asked format (32 bpp ARGB/PARGB/RGB or 24 bpp RGB);
  // UnlockBits writes it back when locked for writing.
  Status LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* lockedBitmapData);
  Status UnlockBits(BitmapData* lockedBitmapData);
  // A GDI bitmap of the pixels blended over the background colour.
  Status GetHBITMAP(const Color& colorBackground, HBITMAP* hbmReturn) const;

private:
  struct Lock;
  Bitmap() = default;
};

}  // namespace Gdiplus
