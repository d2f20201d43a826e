#include "platform/gdi/GdiApi.h"

#include <unordered_set>

#include <cmath>
#include <cstring>
#include <mutex>

#include <QtGui/QPainterPath>
#include <QtGui/QPolygon>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/GdiObjectData.h"

namespace {

template <class H>
H ToHandle(GdiObjectData* d) {
  return reinterpret_cast<H>(d ? d->handle() : nullptr);
}

// Rows of device-dependent bitmap bits are padded to 16 bits.
int DdbStride(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

GdiObjectData* NewBitmap(int w, int h, int bpp) {
  if (w <= 0 || h <= 0 || w > 32768 || h > 32768 || static_cast<long long>(w) * h > (1LL << 28)) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Bitmap);
  d->bitsPixel = bpp == 1 ? 1 : 32;
  d->image = QImage(w, h, QImage::Format_RGB32);
  if (d->image.isNull()) {
    gdi::Retire(d->handle());
    return nullptr;
  }
  d->image.fill(bpp == 1 ? qRgb(0, 0, 0) : qRgb(0, 0, 0));
  return d;
}

// Reads device-dependent bits (1, 8 grey, 16 (5-5-5), 24 or 32 bits per pixel, rows padded to 16 bits).
void ReadDdbBits(GdiObjectData* d, int bpp, const BYTE* bits, size_t size) {
  QImage& img = d->image;
  const int stride = DdbStride(img.width(), bpp);
  for (int y = 0; y < img.height(); ++y) {
    if (static_cast<size_t>(y + 1) * stride > size) break;
    const BYTE* row = bits + static_cast<size_t>(y) * stride;
    auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      switch (bpp) {
        case 1: out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); break;
        case 8: out[x] = qRgb(row[x], row[x], row[x]); break;
        case 16: {
          const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
          out[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
          break;
        }
        case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        default: out[x] = qRgba(row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]); break;
      }
      if (img.format() == QImage::Format_RGB32) out[x] |= 0xFF000000u;
    }
  }
}

int RegionType(const QRegion& r) {
  if (r.isEmpty()) return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN NewRegion(const QRegion& r) {
  GdiObjectData* d = gdi::NewObject(GdiKind::Region);
  d->region = r;
  return ToHandle<HRGN>(d);
}

QRect RectOf(int x1, int y1, int x2, int y2) {
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

// The fixed light palette of the system colours.
COLORREF SysColor(int i) {
  switch (i) {
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 99, 177);
    case COLOR_ACTIVECAPTION: return RGB(153, 180, 209);
    case COLOR_INACTIVECAPTION: return RGB(191, 205, 219);
    case COLOR_MENU: return RGB(240, 240, 240);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(100, 100, 100);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_ACTIVEBORDER: return RGB(180, 180, 180);
    case COLOR_INACTIVEBORDER: return RGB(244, 247, 252);
    case COLOR_APPWORKSPACE: return RGB(171, 171, 171);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_HOTLIGHT: return RGB(0, 102, 204);
    case COLOR_GRADIENTACTIVECAPTION: return RGB(185, 209, 234);
    case COLOR_GRADIENTINACTIVECAPTION: return RGB(215, 228, 242);
    case COLOR_MENUHILIGHT: return RGB(0, 120, 215);
    case COLOR_MENUBAR: return RGB(240, 240, 240);
    default: return 0;
  }
}

}  // namespace

// ---- pens and brushes ------------------------------------------------------------------

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  const int style = iStyle & PS_STYLE_MASK;
  if (style > PS_INSIDEFRAME) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Pen);
  d->penStyle = static_cast<DWORD>(style);
  d->penWidth = std::max(0, cWidth);
  // Wide cosmetic pens draw solid lines.
  if (d->penWidth > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT) d->penStyle = PS_SOLID;
  d->color = color;
  return ToHandle<HPEN>(d);
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen) return nullptr;
  return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle) {
  if (!plbrush) return nullptr;
  const DWORD style = iPenStyle & PS_STYLE_MASK;
  const bool geometric = (iPenStyle & PS_TYPE_MASK) == PS_GEOMETRIC;
  if (style == PS_USERSTYLE) {
    if (cStyle == 0 || cStyle > 16 || !pstyle) return nullptr;
  } else if (cStyle != 0 || pstyle) {
    return nullptr;
  }
  if (!geometric && cWidth != 1) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Pen);
  d->extPen = true;
  d->penStyle = iPenStyle;
  d->penWidth = static_cast<int>(std::min<DWORD>(cWidth, 1u << 20));
  d->brushStyle = plbrush->lbStyle;
  d->color = plbrush->lbStyle == BS_NULL ? 0 : plbrush->lbColor;
  d->hatch = static_cast<int>(plbrush->lbHatch);
  if (plbrush->lbStyle == BS_NULL) d->penStyle = (d->penStyle & ~PS_STYLE_MASK) | PS_NULL;
  if (style == PS_USERSTYLE) d->userStyle.assign(pstyle, pstyle + cStyle);
  return ToHandle<HPEN>(d);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  GdiObjectData* d = gdi::NewObject(GdiKind::Brush);
  d->brushStyle = BS_SOLID;
  d->color = color;
  return ToHandle<HBRUSH>(d);
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
  if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Brush);
  d->brushStyle = BS_HATCHED;
  d->hatch = iHatch;
  d->color = color;
  return ToHandle<HBRUSH>(d);
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  GdiObjectData* bmp = gdi::Lookup(hbm, GdiKind::Bitmap);
  if (!bmp || bmp->image.isNull()) return nullptr;
  if (bmp->selectedIn) bmp->selectedIn->flush();
  gdi::DibSyncIn(bmp);
  GdiObjectData* d = gdi::NewObject(GdiKind::Brush);
  d->brushStyle = BS_PATTERN;
  d->pattern = bmp->image.copy();  // the brush keeps its own copy
  d->patternMono = bmp->bitsPixel == 1;
  return ToHandle<HBRUSH>(d);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return nullptr;
  switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    case BS_NULL: {
      GdiObjectData* d = gdi::NewObject(GdiKind::Brush);
      d->brushStyle = BS_NULL;
      return ToHandle<HBRUSH>(d);
    }
    default: return nullptr;
  }
}

// ---- fonts -----------------------------------------------------------------------------

HFONT CreateFontIndirect(const LOGFONTW* lplf) {
  if (!lplf) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Font);
  d->logFont = *lplf;
  d->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  return ToHandle<HFONT>(d);
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                 DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
  LOGFONTW lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = static_cast<BYTE>(bItalic != 0);
  lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  if (pszFaceName)
    for (int i = 0; i < LF_FACESIZE - 1 && pszFaceName[i]; ++i) lf.lfFaceName[i] = pszFaceName[i];
  return CreateFontIndirect(&lf);
}

// ---- bitmaps ---------------------------------------------------------------------------

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  if (nPlanes != 1) return nullptr;
  const UINT bpp = nBitCount;
  if (bpp != 1 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  GdiObjectData* d = NewBitmap(nWidth, nHeight, static_cast<int>(bpp));
  if (!d) return nullptr;
  if (lpBits && bpp == 32) d->image = QImage(nWidth, nHeight, QImage::Format_ARGB32);  // keeps the alpha bytes
  if (lpBits) {
    const size_t size = static_cast<size_t>(DdbStride(nWidth, static_cast<int>(bpp))) * static_cast<size_t>(nHeight);
    ReadDdbBits(d, static_cast<int>(bpp), static_cast<const BYTE*>(lpBits), size);
  }
  return ToHandle<HBITMAP>(d);
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
  if (!pbm) return nullptr;
  return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  DcData* dc = DcData::Lookup(hdc);
  if (!dc) return nullptr;
  if (cx == 0 || cy == 0) {  // a zero size gives the 1x1 monochrome bitmap
    return ToHandle<HBITMAP>(NewBitmap(1, 1, 1));
  }
  return ToHandle<HBITMAP>(NewBitmap(cx, cy, dc->mono() ? 1 : 32));
}

namespace {

// The shape of a DIB as its header describes it.
struct DibLayout {
  int w = 0, h = 0, bpp = 0, stride = 0, nColors = 0;
  bool topDown = false;
  const RGBQUAD* colors = nullptr;
  size_t size() const { return size_t(stride) * size_t(h); }
};

bool ReadLayout(const BITMAPINFO* pbmi, DibLayout& L) {
  if (!pbmi) return false;
  const BITMAPINFOHEADER& h = pbmi->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 4096 || h.biPlanes != 1) return false;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
  L.bpp = h.biBitCount;
  if (L.bpp != 1 && L.bpp != 4 && L.bpp != 8 && L.bpp != 24 && L.bpp != 32) return false;
  if (h.biWidth <= 0 || h.biWidth > 32768 || h.biHeight == INT32_MIN || h.biHeight == 0 || std::abs(h.biHeight) > 32768)
    return false;
  L.w = h.biWidth;
  L.h = std::abs(h.biHeight);
  if (static_cast<long long>(L.w) * L.h > (1LL << 28)) return false;
  L.topDown = h.biHeight < 0;
  L.stride = ((L.w * L.bpp + 31) / 32) * 4;
  L.colors = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(pbmi) + h.biSize);
  L.nColors = L.bpp <= 8 ? (h.biClrUsed && h.biClrUsed <= (1u << L.bpp) ? int(h.biClrUsed) : 1 << L.bpp) : 0;
  return true;
}

// Decodes DIB rows into the image (already sized); rows beyond `size` bytes stay as they are.
void DecodeDib(const DibLayout& L, const BYTE* bits, size_t size, QImage& img, bool mono) {
  const bool rgb32 = img.format() == QImage::Format_RGB32;
  for (int y = 0; y < L.h && y < img.height(); ++y) {
    const size_t at = size_t(L.topDown ? y : L.h - 1 - y) * size_t(L.stride);
    if (at + size_t(L.stride) > size) continue;
    const BYTE* row = bits + at;
    auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < L.w && x < img.width(); ++x) {
      int idx = -1;
      switch (L.bpp) {
        case 1: idx = (row[x / 8] >> (7 - x % 8)) & 1; break;
        case 4: idx = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
        case 8: idx = row[x]; break;
        case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        default: out[x] = qRgba(row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]); break;
      }
      if (idx >= 0) {
        const RGBQUAD c = idx < L.nColors ? L.colors[idx] : RGBQUAD{0, 0, 0, 0};
        out[x] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
      }
      if (mono) out[x] = gdi::MonoOf(out[x]);
      if (rgb32) out[x] |= 0xFF000000u;
    }
  }
}

// The palette index nearest to a colour.
int NearestIndex(const DibLayout& L, QRgb c) {
  int best = 0;
  long bestDist = -1;
  for (int i = 0; i < L.nColors; ++i) {
    const long dr = long(L.colors[i].rgbRed) - qRed(c), dg = long(L.colors[i].rgbGreen) - qGreen(c),
               db = long(L.colors[i].rgbBlue) - qBlue(c);
    const long dist = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || dist < bestDist) bestDist = dist, best = i;
  }
  return best;
}

// Encodes image rows [first, first + count) (DIB scan line numbers) into bits.
void EncodeDib(const QImage& img, const DibLayout& L, int first, int count, BYTE* bits) {
  const bool alpha = img.format() == QImage::Format_ARGB32;
  for (int line = first; line < first + count && line < L.h; ++line) {
    const int y = L.topDown ? line : L.h - 1 - line;  // image row of this scan line
    if (y < 0 || y >= img.height()) continue;
    BYTE* row = bits + size_t(line - first) * size_t(L.stride);
    std::memset(row, 0, size_t(L.stride));
    const auto* in = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < L.w && x < img.width(); ++x) {
      const QRgb c = in[x];
      switch (L.bpp) {
        case 1: if (NearestIndex(L, c)) row[x / 8] |= BYTE(0x80 >> (x % 8)); break;
        case 4: row[x / 2] |= BYTE(NearestIndex(L, c) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = BYTE(NearestIndex(L, c)); break;
        case 24:
          row[3 * x] = BYTE(qBlue(c)), row[3 * x + 1] = BYTE(qGreen(c)), row[3 * x + 2] = BYTE(qRed(c));
          break;
        default:
          row[4 * x] = BYTE(qBlue(c)), row[4 * x + 1] = BYTE(qGreen(c)), row[4 * x + 2] = BYTE(qRed(c));
          row[4 * x + 3] = alpha ? BYTE(qAlpha(c)) : 0;
          break;
      }
    }
  }
}

std::mutex& DibMutex() {
  static std::mutex m;
  return m;
}
std::unordered_set<GdiObjectData*>& Dibs() {
  static auto* s = new std::unordered_set<GdiObjectData*>;
  return *s;
}

}  // namespace

namespace gdi {

void DibSyncIn(GdiObjectData* d) {
  if (!d || !d->dib || d->dib->imageDirty) return;
  DibLayout L;
  if (!ReadLayout(reinterpret_cast<const BITMAPINFO*>(d->dib->info.data()), L)) return;
  if (d->selectedIn && d->selectedIn->own) return;  // being drawn on: the image is current
  DecodeDib(L, d->dib->bits.data(), d->dib->bits.size(), d->image, d->bitsPixel == 1);
}

void DibSyncOut(GdiObjectData* d) {
  if (!d || !d->dib || !d->dib->imageDirty) return;
  DibLayout L;
  if (!ReadLayout(reinterpret_cast<const BITMAPINFO*>(d->dib->info.data()), L)) return;
  EncodeDib(d->image, L, 0, L.h, d->dib->bits.data());
  d->dib->imageDirty = false;
}

void ForEachDib(const std::function<void(GdiObjectData*)>& f) {
  std::vector<GdiObjectData*> all;
  {
    std::lock_guard<std::mutex> lock(DibMutex());
    all.assign(Dibs().begin(), Dibs().end());
  }
  for (GdiObjectData* d : all) f(d);
}

void ForgetDib(GdiObjectData* d) {
  std::lock_guard<std::mutex> lock(DibMutex());
  Dibs().erase(d);
}

}  // namespace gdi

HBITMAP CreateDIBitmapFromInfo(const BITMAPINFO* pbmi, const void* pBits) {
  DibLayout L;
  if (!ReadLayout(pbmi, L)) return nullptr;
  GdiObjectData* d = NewBitmap(L.w, L.h, L.bpp == 1 ? 1 : 32);
  if (!d) return nullptr;
  if (L.bpp == 32 && pBits) d->image = QImage(L.w, L.h, QImage::Format_ARGB32);  // keeps the alpha bytes
  d->image.fill(qRgb(0, 0, 0));
  if (pBits) DecodeDib(L, static_cast<const BYTE*>(pBits), L.size(), d->image, L.bpp == 1);
  return ToHandle<HBITMAP>(d);
}

HBITMAP CreateBitmapFromPackedDib(const void* data, size_t size) {
  if (!data || size < sizeof(BITMAPINFOHEADER) || size > (size_t(1) << 30)) return nullptr;
  // An aligned copy: the bytes may sit anywhere.
  std::vector<BYTE> buf(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  BITMAPINFOHEADER h;
  std::memcpy(&h, buf.data(), sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return nullptr;
  DibLayout L;
  if (!ReadLayout(reinterpret_cast<const BITMAPINFO*>(buf.data()), L)) return nullptr;
  const size_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
  const size_t offset = size_t(h.biSize) + masks + size_t(L.nColors) * sizeof(RGBQUAD);
  if (offset > size || size - offset < L.size()) return nullptr;
  if (masks) {
    // Only the usual 8-bit channel masks are read.
    DWORD m[3];
    std::memcpy(m, buf.data() + h.biSize, sizeof m);
    if (L.bpp != 32 || m[0] != 0x00FF0000u || m[1] != 0x0000FF00u || m[2] != 0x000000FFu) return nullptr;
  }
  // The colour table follows the header (and masks); ReadLayout assumed right after the header.
  L.colors = reinterpret_cast<const RGBQUAD*>(buf.data() + h.biSize + masks);
  GdiObjectData* d = NewBitmap(L.w, L.h, L.bpp == 1 ? 1 : 32);
  if (!d) return nullptr;
  if (L.bpp == 32) d->image = QImage(L.w, L.h, QImage::Format_ARGB32);
  d->image.fill(qRgb(0, 0, 0));
  DecodeDib(L, buf.data() + offset, size - offset, d->image, L.bpp == 1);
  return ToHandle<HBITMAP>(d);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT, void** ppvBits, HANDLE hSection, DWORD) {
  if (ppvBits) *ppvBits = nullptr;
  DibLayout L;
  if (!ReadLayout(pbmi, L) || hSection) return nullptr;
  GdiObjectData* d = NewBitmap(L.w, L.h, L.bpp == 1 ? 1 : 32);
  if (!d) return nullptr;
  if (L.bpp == 32) d->image = QImage(L.w, L.h, QImage::Format_ARGB32);
  d->dib = std::make_unique<GdiObjectData::Dib>();
  const size_t infoSize = pbmi->bmiHeader.biSize + size_t(L.nColors) * sizeof(RGBQUAD) +
                          (pbmi->bmiHeader.biCompression == BI_BITFIELDS ? 12 : 0);
  const auto* raw = reinterpret_cast<const BYTE*>(pbmi);
  d->dib->info.assign(raw, raw + infoSize);
  d->dib->bits.assign(L.size(), 0);
  DecodeDib(L, d->dib->bits.data(), d->dib->bits.size(), d->image, L.bpp == 1);
  {
    std::lock_guard<std::mutex> lock(DibMutex());
    Dibs().insert(d);
  }
  if (ppvBits) *ppvBits = d->dib->bits.data();
  return ToHandle<HBITMAP>(d);
}

BOOL GdiFlush() {
  gdi::ForEachDib([](GdiObjectData* d) {
    if (d->selectedIn) d->selectedIn->flush();
    if (d->dib->imageDirty) gdi::DibSyncOut(d);
    else gdi::DibSyncIn(d);
  });
  return TRUE;
}

int GetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT) {
  GdiObjectData* d = gdi::Lookup(hbm, GdiKind::Bitmap);
  if (!d || !lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (d->selectedIn) d->selectedIn->flush();
  gdi::DibSyncIn(d);
  BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  if (!lpvBits && h.biBitCount == 0) {
    h.biWidth = d->image.width();
    h.biHeight = d->image.height();
    h.biPlanes = 1;
    h.biBitCount = WORD(d->bitsPixel == 1 ? 1 : 32);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(((h.biWidth * h.biBitCount + 31) / 32) * 4 * h.biHeight);
    return 1;
  }
  if (h.biBitCount != 24 && h.biBitCount != 32) return 0;
  if (h.biWidth != d->image.width() || std::abs(h.biHeight) != d->image.height()) return 0;
  DibLayout L;
  if (!ReadLayout(lpbmi, L)) return 0;
  if (start >= UINT(L.h)) return 0;
  const int count = int(std::min<UINT>(cLines, UINT(L.h) - start));
  h.biSizeImage = DWORD(L.size());
  if (!lpvBits) return count;
  EncodeDib(d->image, L, int(start), count, static_cast<BYTE*>(lpvBits));
  return count;
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi, UINT) {
  GdiObjectData* d = gdi::Lookup(hbm, GdiKind::Bitmap);
  DibLayout L;
  if (!d || !lpBits || !ReadLayout(lpbmi, L) || start >= UINT(L.h)) return 0;
  if (L.w != d->image.width() || L.h != d->image.height()) return 0;
  if (d->selectedIn) d->selectedIn->flush();
  const int count = int(std::min<UINT>(cLines, UINT(L.h) - start));
  // The given lines are scan lines start .. start + count - 1 of the full DIB.
  QImage part(L.w, L.h, QImage::Format_ARGB32);
  part.fill(0);
  std::vector<BYTE> full(L.size(), 0);
  std::memcpy(full.data() + size_t(start) * size_t(L.stride), lpBits, size_t(count) * size_t(L.stride));
  DecodeDib(L, full.data(), full.size(), part, d->bitsPixel == 1);
  d->image.bits();
  for (int line = int(start); line < int(start) + count; ++line) {
    const int y = L.topDown ? line : L.h - 1 - line;
    auto* out = reinterpret_cast<QRgb*>(d->image.scanLine(y));
    const auto* in = reinterpret_cast<const QRgb*>(part.constScanLine(y));
    for (int x = 0; x < L.w; ++x)
      out[x] = d->image.format() == QImage::Format_RGB32 ? (in[x] | 0xFF000000u) : in[x];
  }
  if (d->dib) d->dib->imageDirty = true;
  return count;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
  CDC* dc = CDC::FromHandle(hdc);
  DibLayout L;
  if (!dc || !lpBits || !ReadLayout(lpbmi, L)) return 0;
  HBITMAP h = CreateDIBitmapFromInfo(lpbmi, lpBits);
  if (!h) return 0;
  CBitmap bmp;
  bmp.Attach(h);
  CDC src;
  src.CreateCompatibleDC(dc);
  CBitmap* old = src.SelectObject(&bmp);
  // Bottom-up DIBs count source rows from the bottom.
  const int top = L.topDown ? ySrc : L.h - ySrc - SrcHeight;
  const BOOL ok = dc->StretchBlt(xDest, yDest, DestWidth, DestHeight, &src, xSrc, top, SrcWidth, SrcHeight, rop);
  src.SelectObject(old);
  return ok ? std::abs(SrcHeight) : 0;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT, UINT,
                      const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
  if (w > 32768 || h > 32768) return 0;
  return StretchDIBits(hdc, xDest, yDest, int(w), int(h), xSrc, ySrc, int(w), int(h), lpvBits, lpbmi, ColorUse,
                       SRCCOPY);
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
  GdiObjectData* d = gdi::Lookup(hbit, GdiKind::Bitmap);
  if (!d || cb < 0) return 0;
  if (d->selectedIn) d->selectedIn->flush();
  gdi::DibSyncIn(d);
  const int bpp = d->bitsPixel == 1 ? 1 : 32;
  const int stride = DdbStride(d->image.width(), bpp);
  const LONG total = stride * d->image.height();
  if (!lpvBits) return total;
  auto* out = static_cast<BYTE*>(lpvBits);
  const LONG n = std::min(cb, total);
  std::memset(out, 0, static_cast<size_t>(n));
  for (int y = 0; y < d->image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(d->image.constScanLine(y));
    for (int x = 0; x < d->image.width(); ++x) {
      if (bpp == 1) {
        const LONG at = y * stride + x / 8;
        if (at < n && (line[x] & 0xFFFFFF)) out[at] |= static_cast<BYTE>(0x80 >> (x % 8));
      } else {
        const LONG at = y * stride + 4 * x;
        if (at + 4 > n) continue;
        out[at] = static_cast<BYTE>(qBlue(line[x]));
        out[at + 1] = static_cast<BYTE>(qGreen(line[x]));
        out[at + 2] = static_cast<BYTE>(qRed(line[x]));
        out[at + 3] = d->image.format() == QImage::Format_ARGB32 ? static_cast<BYTE>(qAlpha(line[x])) : 0;
      }
    }
  }
  return n;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
  GdiObjectData* d = gdi::Lookup(hbm, GdiKind::Bitmap);
  if (!d || !pvBits) return 0;
  if (d->selectedIn) d->selectedIn->flush();
  d->image.bits();
  const int bpp = d->bitsPixel == 1 ? 1 : 32;
  ReadDdbBits(d, bpp, static_cast<const BYTE*>(pvBits), cb);
  const LONG total = DdbStride(d->image.width(), bpp) * d->image.height();
  return std::min<LONG>(static_cast<LONG>(std::min<DWORD>(cb, 0x7FFFFFFF)), total);
}

// ---- regions ---------------------------------------------------------------------------

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return NewRegion(QRegion(RectOf(x1, y1, x2, y2))); }

HRGN CreateRectRgnIndirect(const RECT* lprect) {
  return lprect ? CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return NewRegion(QRegion(RectOf(x1, y1, x2, y2), QRegion::Ellipse));
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
  return lprect ? CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  QPainterPath path;
  const QRect r = RectOf(x1, y1, x2, y2);
  path.addRoundedRect(QRectF(r.x(), r.y(), r.width(), r.height()), std::abs(w) / 2.0, std::abs(h) / 2.0);
  return NewRegion(QRegion(path.toFillPolygon().toPolygon()));
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
  if (!pptl || cPoint < 2 || cPoint > (1 << 24)) return nullptr;
  QPolygon poly;
  poly.reserve(cPoint);
  for (int i = 0; i < cPoint; ++i) poly << QPoint(pptl[i].x, pptl[i].y);
  return NewRegion(QRegion(poly, iMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode) {
  if (!pptl || !pc || cPoly <= 0 || cPoly > (1 << 20)) return nullptr;
  QPainterPath path;
  path.setFillRule(iMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  long long at = 0;
  for (int i = 0; i < cPoly; ++i) {
    if (pc[i] < 0 || pc[i] > (1 << 24)) return nullptr;
    QPolygonF poly;
    for (int k = 0; k < pc[i]; ++k, ++at) poly << QPointF(pptl[at].x, pptl[at].y);
    if (poly.size() > 1) path.addPolygon(poly), path.closeSubpath();
  }
  // Fill the path into a region at pixel centres, as polygons are filled.
  QRegion region;
  const QRect box = path.boundingRect().toAlignedRect();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    int runStart = INT32_MIN;
    for (int x = box.left(); x <= box.right() + 1; ++x) {
      const bool in = x <= box.right() && path.contains(QPointF(x + 0.5, y + 0.5));
      if (in && runStart == INT32_MIN) runStart = x;
      if (!in && runStart != INT32_MIN) {
        region += QRect(runStart, y, x - runStart, 1);
        runStart = INT32_MIN;
      }
    }
  }
  return NewRegion(region);
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
  GdiObjectData* dst = gdi::Lookup(hrgnDst, GdiKind::Region);
  GdiObjectData* a = gdi::Lookup(hrgnSrc1, GdiKind::Region);
  if (!dst || !a) return ERROR;
  if (iMode == RGN_COPY) {
    dst->region = a->region;
    return RegionType(dst->region);
  }
  GdiObjectData* b = gdi::Lookup(hrgnSrc2, GdiKind::Region);
  if (!b) return ERROR;
  switch (iMode) {
    case RGN_AND: dst->region = a->region.intersected(b->region); break;
    case RGN_OR: dst->region = a->region.united(b->region); break;
    case RGN_XOR: dst->region = a->region.xored(b->region); break;
    case RGN_DIFF: dst->region = a->region.subtracted(b->region); break;
    default: return ERROR;
  }
  return RegionType(dst->region);
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  GdiObjectData* a = gdi::Lookup(hrgn1, GdiKind::Region);
  GdiObjectData* b = gdi::Lookup(hrgn2, GdiKind::Region);
  return a && b && a->region == b->region;
}

int OffsetRgn(HRGN hrgn, int x, int y) {
  GdiObjectData* d = gdi::Lookup(hrgn, GdiKind::Region);
  if (!d) return ERROR;
  d->region.translate(x, y);
  return RegionType(d->region);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
  GdiObjectData* d = gdi::Lookup(hrgn, GdiKind::Region);
  if (!d || !lprc) return ERROR;
  const QRect r = d->region.boundingRect();
  if (r.isEmpty()) *lprc = RECT{0, 0, 0, 0};
  else *lprc = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  return RegionType(d->region);
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
  GdiObjectData* d = gdi::Lookup(hrgn, GdiKind::Region);
  return d && d->region.contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
  GdiObjectData* d = gdi::Lookup(hrgn, GdiKind::Region);
  if (!d || !lprect) return FALSE;
  return d->region.intersects(RectOf(lprect->left, lprect->top, lprect->right, lprect->bottom));
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  GdiObjectData* d = gdi::Lookup(hrgn, GdiKind::Region);
  if (!d) return FALSE;
  d->region = QRegion(RectOf(left, top, right, bottom));
  return TRUE;
}

// ---- general ---------------------------------------------------------------------------

HGDIOBJ GetStockObject(int i) {
  GdiObjectData* d = gdi::Stock(i);
  return d ? d->handle() : nullptr;
}

BOOL DeleteObject(HGDIOBJ ho) { return gdi::Retire(ho) ? TRUE : FALSE; }

int GetObject(HGDIOBJ h, int c, LPVOID pv) {
  GdiObjectData* d = gdi::Lookup(h);
  if (!d) return 0;
  switch (d->kind) {
    case GdiKind::Pen: {
      if (d->extPen) {
        const int need = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) +
                                          std::max<size_t>(1, d->userStyle.size()) * sizeof(DWORD));
        if (!pv) return need;
        if (c < need) return 0;
        auto* e = static_cast<EXTLOGPEN*>(pv);
        e->elpPenStyle = d->penStyle;
        e->elpWidth = static_cast<DWORD>(d->penWidth);
        e->elpBrushStyle = d->brushStyle;
        e->elpColor = d->color;
        e->elpHatch = static_cast<ULONG_PTR>(d->hatch);
        e->elpNumEntries = static_cast<DWORD>(d->userStyle.size());
        for (size_t i = 0; i < d->userStyle.size(); ++i) e->elpStyleEntry[i] = d->userStyle[i];
        return need;
      }
      if (!pv) return sizeof(LOGPEN);
      if (c < static_cast<int>(sizeof(LOGPEN))) return 0;
      auto* lp = static_cast<LOGPEN*>(pv);
      lp->lopnStyle = d->penStyle;
      lp->lopnWidth.x = d->penWidth;
      lp->lopnWidth.y = 0;
      lp->lopnColor = d->color;
      return sizeof(LOGPEN);
    }
    case GdiKind::Brush: {
      if (!pv) return sizeof(LOGBRUSH);
      if (c < static_cast<int>(sizeof(LOGBRUSH))) return 0;
      auto* lb = static_cast<LOGBRUSH*>(pv);
      lb->lbStyle = d->brushStyle;
      lb->lbColor = d->color;
      lb->lbHatch = static_cast<ULONG_PTR>(d->hatch);
      return sizeof(LOGBRUSH);
    }
    case GdiKind::Font: {
      if (!pv) return sizeof(LOGFONTW);
      const int n = std::min<int>(c, sizeof(LOGFONTW));
      if (n <= 0) return 0;
      std::memcpy(pv, &d->logFont, static_cast<size_t>(n));
      return n;
    }
    case GdiKind::Bitmap: {
      if (!pv) return sizeof(BITMAP);
      if (c < static_cast<int>(sizeof(BITMAP))) return 0;
      auto* bm = static_cast<BITMAP*>(pv);
      bm->bmType = 0;
      bm->bmWidth = d->image.width();
      bm->bmHeight = d->image.height();
      bm->bmBitsPixel = static_cast<WORD>(d->bitsPixel);
      bm->bmPlanes = 1;
      bm->bmWidthBytes = DdbStride(d->image.width(), d->bitsPixel);
      bm->bmBits = nullptr;
      return sizeof(BITMAP);
    }
    case GdiKind::Palette: {
      if (!pv) return sizeof(WORD);
      if (c < static_cast<int>(sizeof(WORD))) return 0;
      *static_cast<WORD*>(pv) = static_cast<WORD>(d->palette.size());
      return sizeof(WORD);
    }
    case GdiKind::Region:
      return 0;
  }
  return 0;
}

DWORD GetObjectType(HGDIOBJ h) {
  if (DcData* dc = DcData::Lookup(reinterpret_cast<HDC>(h))) return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
  GdiObjectData* d = gdi::Lookup(h);
  if (!d) return 0;
  switch (d->kind) {
    case GdiKind::Pen: return d->extPen ? OBJ_EXTPEN : OBJ_PEN;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Region: return OBJ_REGION;
    case GdiKind::Palette: return OBJ_PAL;
  }
  return 0;
}

DWORD GetSysColor(int nIndex) { return SysColor(nIndex); }

HBRUSH GetSysColorBrush(int nIndex) {
  static GdiObjectData* brushes[31] = {};
  if (nIndex < 0 || nIndex > 30) return nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    for (int i = 0; i <= 30; ++i) {
      brushes[i] = gdi::NewObject(GdiKind::Brush);
      brushes[i]->color = SysColor(i);
      brushes[i]->stock = true;
    }
  });
  return ToHandle<HBRUSH>(brushes[nIndex]);
}
