#include "platform/bcg/CBCGPToolBarImages.h"

#include <algorithm>

#include <QtCore/QFile>
#include <QtGui/QImage>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

struct CBCGPToolBarImages::Impl {
  std::vector<QImage> images;
};

namespace {
// Images are cut into at most this many pieces from one strip.
constexpr int kMaxImagesPerStrip = 4096;
}

CBCGPToolBarImages::CBCGPToolBarImages() : d(std::make_unique<Impl>()) {}
CBCGPToolBarImages::~CBCGPToolBarImages() = default;

int CBCGPToolBarImages::GetCount() const { return static_cast<int>(d->images.size()); }

void CBCGPToolBarImages::Clear() { d->images.clear(); }

void CBCGPToolBarImages::SetImageSize(SIZE sizeImage, BOOL) {
  if (sizeImage.cx <= 0 || sizeImage.cy < 0) return;
  m_sizeImage = CSize(sizeImage.cx, sizeImage.cy);
  m_bSizeSet = TRUE;
}

BOOL CBCGPToolBarImages::GetImage(int iIndex, QImage& image) const {
  if (iIndex < 0 || iIndex >= GetCount()) return FALSE;
  image = d->images[static_cast<size_t>(iIndex)];
  return TRUE;
}

BOOL CBCGPToolBarImages::SetImage(int iIndex, const QImage& image) {
  if (iIndex < 0 || iIndex >= GetCount() || image.isNull()) return FALSE;
  d->images[static_cast<size_t>(iIndex)] = image.convertToFormat(QImage::Format_ARGB32);
  return TRUE;
}

int CBCGPToolBarImages::AddImage(const QImage& image) {
  if (image.isNull()) return -1;
  d->images.push_back(image.convertToFormat(QImage::Format_ARGB32));
  return GetCount() - 1;
}

int CBCGPToolBarImages::AddStrip(const QImage& stripIn) {
  if (stripIn.isNull()) return -1;
  QImage strip = stripIn.convertToFormat(QImage::Format_ARGB32);
  if (m_clrTransparent != (COLORREF)-1) {
    const QRgb mask = qRgb(GetRValue(m_clrTransparent), GetGValue(m_clrTransparent), GetBValue(m_clrTransparent));
    for (int y = 0; y < strip.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
      for (int x = 0; x < strip.width(); ++x)
        if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == (mask & 0xFFFFFF)) line[x] = 0;
    }
  }
  // Without a size of its own the strip's height makes square-ish images of the usual width.
  const int w = m_bSizeSet ? m_sizeImage.cx : 16;
  const int h = (m_bSizeSet && m_sizeImage.cy > 0) ? m_sizeImage.cy : strip.height();
  if (!m_bSizeSet) m_sizeImage = CSize(w, h);
  const int n = std::min(strip.width() / w, kMaxImagesPerStrip);
  if (n <= 0) return -1;
  const int first = GetCount();
  for (int i = 0; i < n; ++i) d->images.push_back(strip.copy(i * w, 0, w, std::min(h, strip.height())));
  return first;
}

BOOL CBCGPToolBarImages::Load(UINT uiResID, HINSTANCE, BOOL bAdd) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("BITMAP", uiResID, data) || data.empty()) return FALSE;
  QImage strip;
  if (!strip.loadFromData(data.data(), static_cast<int>(data.size()))) return FALSE;
  if (!bAdd) Clear();
  return AddStrip(strip) >= 0;
}

BOOL CBCGPToolBarImages::Load(LPCTSTR lpszBmpFileName, DWORD) {
  if (!lpszBmpFileName) return FALSE;
  QImage strip;
  if (!strip.load(QString::fromStdU16String(lpszBmpFileName))) return FALSE;
  Clear();
  return AddStrip(strip) >= 0;
}

BOOL CBCGPToolBarImages::GetIconImage(HICON hIcon, int cx, int cy, QImage& image) {
  if (!hIcon || cx <= 0 || cy <= 0 || cx > 1024 || cy > 1024) return FALSE;
  QImage blank(cx, cy, QImage::Format_ARGB32);
  blank.fill(Qt::transparent);
  CBitmap bmp;
  if (!bmp.CreateFromImage(blank)) return FALSE;
  CDC dc;
  if (!dc.CreateCompatibleDC(nullptr)) return FALSE;
  CBitmap* old = dc.SelectObject(&bmp);
  const BOOL drawn = dc.DrawIcon(0, 0, hIcon);
  dc.SelectObject(old);
  if (!drawn) return FALSE;
  image = bmp.GetImage();
  return !image.isNull();
}
