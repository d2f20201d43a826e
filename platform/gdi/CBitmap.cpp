#include "platform/gdi/CBitmap.h"

#include <cstring>

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QImageReader>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap) {
  return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return pDC ? Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight)) : FALSE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("BITMAP", nIDResource, data)) return FALSE;
  return LoadFromData(data);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  // Only numbered resources exist (MAKEINTRESOURCE values).
  const auto id = reinterpret_cast<UINT_PTR>(lpszResourceName);
  if (id == 0 || id > 0xFFFF) return FALSE;
  return LoadBitmap(static_cast<UINT>(id));
}

BOOL CBitmap::LoadFromData(const std::vector<BYTE>& data) {
  if (data.size() < 2) return FALSE;
  QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  if (!(bytes.startsWith("BM") || bytes.startsWith("\x89PNG") || bytes.startsWith("\xFF\xD8") ||
        bytes.startsWith("GIF") || bytes.startsWith("II") || bytes.startsWith("MM"))) {
    // A bare DIB (as bitmap resources are kept): give it the file header it lacks.
    if (data.size() < sizeof(BITMAPINFOHEADER)) return FALSE;
    BITMAPINFOHEADER ih;
    std::memcpy(&ih, data.data(), sizeof ih);
    if (ih.biSize < sizeof(BITMAPINFOHEADER) || ih.biSize > data.size()) return FALSE;
    DWORD colors = 0;
    if (ih.biBitCount <= 8) colors = ih.biClrUsed ? ih.biClrUsed : (1u << ih.biBitCount);
    if (colors > 256) return FALSE;
    DWORD masks = ih.biCompression == BI_BITFIELDS && ih.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(sizeof fh + data.size());
    fh.bfOffBits = static_cast<DWORD>(sizeof fh + ih.biSize + masks + colors * 4);
    QByteArray file(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes = file + bytes;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > 32768 || size.height() > 32768 ||
                         static_cast<long long>(size.width()) * size.height() > (1LL << 28)))
    return FALSE;
  QImage img = reader.read();
  if (img.isNull()) return FALSE;
  const bool mono = img.depth() == 1;
  if (!CreateFromImage(img)) return FALSE;
  if (mono) {
    GdiObjectData* d = gdi::Lookup(m_hObject, GdiKind::Bitmap);
    d->bitsPixel = 1;
    for (int y = 0; y < d->image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(d->image.scanLine(y));
      for (int x = 0; x < d->image.width(); ++x) line[x] = gdi::MonoOf(line[x]);
    }
  }
  return TRUE;
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return static_cast<DWORD>(::GetBitmapBits(*this, static_cast<LONG>(std::min<DWORD>(dwCount, 0x7FFFFFFF)), lpBits));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return static_cast<DWORD>(::SetBitmapBits(*this, dwCount, lpBits));
}

QImage CBitmap::GetImage() const {
  GdiObjectData* d = gdi::Lookup(m_hObject, GdiKind::Bitmap);
  if (!d) return QImage();
  if (d->selectedIn) d->selectedIn->flush();
  gdi::DibSyncIn(d);
  return d->image.copy();
}

BOOL CBitmap::CreateFromImage(const QImage& image) {
  if (image.isNull()) return FALSE;
  HBITMAP h = ::CreateBitmap(image.width(), image.height(), 1, 32, nullptr);
  GdiObjectData* d = gdi::Lookup(h, GdiKind::Bitmap);
  if (!d) return FALSE;
  d->image = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                     : image.convertToFormat(QImage::Format_RGB32);
  return Attach(h);
}
