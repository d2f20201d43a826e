#include "platform/gdiplus/Bitmap.h"

#include <cmath>
#include <cstring>

#include <QtGui/QImage>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"

namespace Gdiplus {

struct Bitmap::Lock {
  std::vector<BYTE> buffer;
  Rect rect;
  UINT flags = 0;
};

namespace {

bool SupportedLockFormat(PixelFormat f) {
  return f == PixelFormat32bppARGB || f == PixelFormat32bppPARGB || f == PixelFormat32bppRGB || f == PixelFormat24bppRGB;
}

bool SaneSize(INT w, INT h) { return w > 0 && h > 0 && w <= 32768 && h <= 32768 && (long long)w * h <= (1LL << 28); }

// One pixel of the image in a locked format, and back.
void PutPixel(BYTE* out, PixelFormat f, QRgb c) {
  if (f == PixelFormat32bppPARGB) c = qPremultiply(c);
  out[0] = BYTE(qBlue(c));
  out[1] = BYTE(qGreen(c));
  out[2] = BYTE(qRed(c));
  if (f == PixelFormat24bppRGB) return;
  out[3] = f == PixelFormat32bppRGB ? 0xFF : BYTE(qAlpha(c));
}

QRgb GetPixelFrom(const BYTE* in, PixelFormat f) {
  if (f == PixelFormat24bppRGB || f == PixelFormat32bppRGB) return qRgb(in[2], in[1], in[0]);
  const QRgb c = qRgba(in[2], in[1], in[0], in[3]);
  return f == PixelFormat32bppPARGB ? qUnpremultiply(c) : c;
}

}  // namespace

Bitmap::Bitmap(INT width, INT height, PixelFormat format) {
  if (!SaneSize(width, height)) {
    m_status = InvalidParameter;
    return;
  }
  QImage img(width, height, QImage::Format_ARGB32);
  if (img.isNull()) {
    m_status = OutOfMemory;
    return;
  }
  img.fill((format & PixelFormatAlpha) ? 0u : 0xFF000000u);
  Adopt(img, format == PixelFormatDontCare ? PixelFormat32bppARGB : format);
}

Bitmap::Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0) : Bitmap(width, height, format) {
  if (m_status != Ok || !scan0) return;
  if (!SupportedLockFormat(format)) {
    m_status = InvalidParameter;
    return;
  }
  const int bpp = int(GetPixelFormatSize(format)) / 8;
  if (std::abs((long long)stride) < (long long)width * bpp) {
    m_status = InvalidParameter;
    return;
  }
  for (INT y = 0; y < height; ++y) {
    const BYTE* row = scan0 + (long long)y * stride;
    auto* line = reinterpret_cast<QRgb*>(m_native->scanLine(y));
    for (INT x = 0; x < width; ++x) line[x] = GetPixelFrom(row + x * bpp, format);
  }
}

Bitmap::Bitmap(const WCHAR* filename, BOOL useIcm) : Image(filename, useIcm) {}

Bitmap::Bitmap(HBITMAP hbm, HPALETTE) {
  CBitmap* b = CBitmap::FromHandle(hbm);
  if (!b) {
    m_status = InvalidParameter;
    return;
  }
  const QImage img = b->GetImage();
  if (img.isNull()) {
    m_status = InvalidParameter;
    return;
  }
  Adopt(img.convertToFormat(QImage::Format_RGB32), PixelFormat32bppRGB);
}

Bitmap::Bitmap(const BITMAPINFO* info, void* bits) {
  HBITMAP h = CreateDIBitmapFromInfo(info, bits);
  if (!h) {
    m_status = InvalidParameter;
    return;
  }
  CBitmap b;
  b.Attach(h);
  Adopt(b.GetImage().convertToFormat(QImage::Format_RGB32),
        info->bmiHeader.biBitCount == 32 ? PixelFormat32bppRGB : PixelFormat24bppRGB);
}

Bitmap* Bitmap::FromFile(const WCHAR* filename, BOOL useIcm) { return new Bitmap(filename, useIcm); }
Bitmap* Bitmap::FromHBITMAP(HBITMAP hbm, HPALETTE hpal) { return new Bitmap(hbm, hpal); }
Bitmap* Bitmap::FromBITMAPINFO(const BITMAPINFO* info, void* bits) { return new Bitmap(info, bits); }

Bitmap* Bitmap::FromBytes(const void* data, size_t size) {
  std::unique_ptr<Image> img(Image::FromBytes(data, size));
  auto* b = new Bitmap();
  if (img->GetLastStatus() != Ok) b->m_status = img->GetLastStatus();
  else {
    b->Adopt(img->Native(), img->GetPixelFormat());
    b->m_dpiX = img->GetHorizontalResolution();
    b->m_dpiY = img->GetVerticalResolution();
  }
  return b;
}

Bitmap* Bitmap::Clone(const Rect& r, PixelFormat format) const {
  auto* b = new Bitmap();
  if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.GetRight() > int(GetWidth()) ||
      r.GetBottom() > int(GetHeight())) {
    b->m_status = InvalidParameter;
    return b;
  }
  b->Adopt(m_native->copy(r.X, r.Y, r.Width, r.Height), format == PixelFormatDontCare ? m_format : format);
  b->m_dpiX = m_dpiX;
  b->m_dpiY = m_dpiY;
  return b;
}

Bitmap* Bitmap::Clone(INT x, INT y, INT width, INT height, PixelFormat format) const {
  return Clone(Rect(x, y, width, height), format);
}

Bitmap* Bitmap::Clone(const RectF& r, PixelFormat format) const {
  return Clone(Rect(INT(r.X), INT(r.Y), INT(r.Width), INT(r.Height)), format);
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const {
  if (!color || x < 0 || y < 0 || x >= m_native->width() || y >= m_native->height()) return m_status = InvalidParameter;
  *color = Color(ARGB(m_native->pixel(x, y)));
  return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color) {
  if (x < 0 || y < 0 || x >= m_native->width() || y >= m_native->height()) return m_status = InvalidParameter;
  ARGB v = color.GetValue();
  if (!(m_format & PixelFormatAlpha)) v |= 0xFF000000u;
  m_native->setPixel(x, y, v);
  return Ok;
}

Status Bitmap::SetResolution(REAL xdpi, REAL ydpi) {
  if (!(xdpi > 0) || !(ydpi > 0)) return m_status = InvalidParameter;
  m_dpiX = xdpi;
  m_dpiY = ydpi;
  return Ok;
}

Status Bitmap::LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* data) {
  if (!data || !SupportedLockFormat(format) || m_native->isNull()) return m_status = InvalidParameter;
  const Rect r = rect ? *rect : Rect(0, 0, INT(GetWidth()), INT(GetHeight()));
  if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.GetRight() > INT(GetWidth()) ||
      r.GetBottom() > INT(GetHeight()))
    return m_status = InvalidParameter;
  const int bpp = int(GetPixelFormatSize(format)) / 8;
  auto lock = std::make_unique<Lock>();
  lock->rect = r;
  lock->flags = flags;
  BYTE* scan0;
  INT stride;
  if (flags & ImageLockModeUserInputBuf) {
    if (!data->Scan0 || std::abs((long long)data->Stride) < (long long)r.Width * bpp) return m_status = InvalidParameter;
    scan0 = static_cast<BYTE*>(data->Scan0);
    stride = data->Stride;
  } else {
    stride = ((r.Width * bpp) + 3) & ~3;
    lock->buffer.assign(size_t(stride) * size_t(r.Height), 0);
    scan0 = lock->buffer.data();
  }
  if (flags & ImageLockModeRead) {
    for (INT y = 0; y < r.Height; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(m_native->constScanLine(r.Y + y));
      BYTE* row = scan0 + (long long)y * stride;
      for (INT x = 0; x < r.Width; ++x) PutPixel(row + x * bpp, format, line[r.X + x]);
    }
  }
  data->Width = UINT(r.Width);
  data->Height = UINT(r.Height);
  data->Stride = stride;
  data->PixelFormat = format;
  data->Scan0 = scan0;
  data->Reserved = reinterpret_cast<UINT_PTR>(lock.release());
  return Ok;
}

Status Bitmap::UnlockBits(BitmapData* data) {
  if (!data || !data->Reserved) return m_status = InvalidParameter;
  std::unique_ptr<Lock> lock(reinterpret_cast<Lock*>(data->Reserved));
  data->Reserved = 0;
  if (lock->flags & ImageLockModeWrite) {
    const int bpp = int(GetPixelFormatSize(data->PixelFormat)) / 8;
    const Rect& r = lock->rect;
    for (INT y = 0; y < r.Height; ++y) {
      const BYTE* row = static_cast<const BYTE*>(data->Scan0) + (long long)y * data->Stride;
      auto* line = reinterpret_cast<QRgb*>(m_native->scanLine(r.Y + y));
      for (INT x = 0; x < r.Width; ++x) {
        QRgb c = GetPixelFrom(row + x * bpp, data->PixelFormat);
        if (!(m_format & PixelFormatAlpha)) c |= 0xFF000000u;
        line[r.X + x] = c;
      }
    }
  }
  return Ok;
}

Status Bitmap::GetHBITMAP(const Color& background, HBITMAP* out) const {
  if (!out || m_native->isNull()) return m_status = InvalidParameter;
  QImage flat(m_native->size(), QImage::Format_RGB32);
  flat.fill(QColor(background.GetR(), background.GetG(), background.GetB()));
  for (int y = 0; y < flat.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(m_native->constScanLine(y));
    auto* o = reinterpret_cast<QRgb*>(flat.scanLine(y));
    for (int x = 0; x < flat.width(); ++x) {
      const int a = qAlpha(in[x]);
      auto mix = [&](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
      o[x] = qRgb(mix(qRed(in[x]), qRed(o[x])), mix(qGreen(in[x]), qGreen(o[x])), mix(qBlue(in[x]), qBlue(o[x])));
    }
  }
  CBitmap b;
  if (!b.CreateFromImage(flat)) return m_status = OutOfMemory;
  *out = static_cast<HBITMAP>(b.Detach());
  return Ok;
}

}  // namespace Gdiplus
