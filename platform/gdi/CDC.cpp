#include "platform/gdi/CDC.h"

#include <cmath>

#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QPageLayout>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPainterPath>
#include <QtGui/QPainterPathStroker>
#include <QtGui/QScreen>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

GdiObjectData* DefaultBitmap() {
  static GdiObjectData* bmp = [] {
    GdiObjectData* d = gdi::NewObject(GdiKind::Bitmap);
    d->image = QImage(1, 1, QImage::Format_RGB32);
    d->image.fill(qRgb(0, 0, 0));
    d->bitsPixel = 1;
    d->stock = true;
    return d;
  }();
  return bmp;
}

int RegionType(const QRegion& r) {
  if (r.isEmpty()) return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void SetRectFromDevice(const DcData* d, const QRect& r, LPRECT out) {
  if (r.isEmpty()) {
    *out = RECT{0, 0, 0, 0};
    return;
  }
  QPoint a = d->toLog(r.left(), r.top()), b = d->toLog(r.right() + 1, r.bottom() + 1);
  out->left = std::min(a.x(), b.x());
  out->right = std::max(a.x(), b.x());
  out->top = std::min(a.y(), b.y());
  out->bottom = std::max(a.y(), b.y());
}

QString ToQ(LPCTSTR s, int n) {
  if (!s || n <= 0) return QString();
  return QString::fromUtf16(s, n);
}

int LengthOf(LPCTSTR s, int n) {
  if (!s) return 0;
  if (n >= 0) return n;
  int len = 0;
  while (s[len]) ++len;
  return len;
}

bool UsesSource(DWORD rop) {
  const unsigned code = (rop >> 16) & 0xFF;
  return ((code >> 2) & 0x33) != (code & 0x33);
}

bool UsesPattern(DWORD rop) {
  const unsigned code = (rop >> 16) & 0xFF;
  return ((code >> 4) & 0x0F) != (code & 0x0F);
}

QPainter::CompositionMode CompositionFor(DWORD rop) {
  switch (rop) {
    case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY: return QPainter::RasterOp_NotSource;
    case PATINVERT: return QPainter::RasterOp_SourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

}  // namespace

// ---- handles and creation ----------------------------------------------------------------

CDC::~CDC() { DeleteDC(); }

DcData* CDC::Data() const { return DcData::Lookup(m_hDC); }

CDC* PASCAL CDC::FromHandle(HDC hDC) {
  DcData* d = DcData::Lookup(hDC);
  if (!d) return nullptr;
  if (d->owner) return d->owner;
  if (!d->tempWrapper) {
    d->tempWrapper = std::make_unique<CDC>();
    d->tempWrapper->m_hDC = d->tempWrapper->m_hAttribDC = hDC;
    d->tempWrapper->m_bPrinting = d->kind == DcKind::Device && dynamic_cast<QPagedPaintDevice*>(d->device);
  }
  return d->tempWrapper.get();
}

BOOL CDC::Attach(HDC hDC) {
  DcData* d = DcData::Lookup(hDC);
  if (!d) return FALSE;
  if (m_hDC && m_hDC != hDC) DeleteDC();
  m_hDC = m_hAttribDC = hDC;
  d->owner = this;
  m_bPrinting = d->kind == DcKind::Device && dynamic_cast<QPagedPaintDevice*>(d->device) != nullptr;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (DcData* d = DcData::Lookup(h))
    if (d->owner == this) d->owner = nullptr;
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  DcData* d = DcData::Lookup(Detach());
  if (!d) return FALSE;
  if (d->tempWrapper.get() == this) return FALSE;  // a wrapper never deletes what it wraps
  DcData::Delete(d);
  return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  HDC h = ::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr);
  return h ? Attach(h) : FALSE;
}

BOOL CDC::CreateIC(LPCTSTR, LPCTSTR, LPCTSTR, const void*) {
  HDC h = ::CreateIC(nullptr, nullptr, nullptr, nullptr);
  return h ? Attach(h) : FALSE;
}

BOOL CDC::CreateFromPaintDevice(QPaintDevice* pDevice) {
  if (!pDevice) return FALSE;
  DcData* d = DcData::New(DcKind::Device);
  d->device = pDevice;
  if (pDevice->devType() != QInternal::Image) {
    d->dpiX = std::max(1, pDevice->logicalDpiX());
    d->dpiY = std::max(1, pDevice->logicalDpiY());
  }
  return Attach(d->handle());
}

BOOL CDC::CreateFromPainter(QPainter* pPainter, const RECT* paintRect) {
  if (!pPainter || !pPainter->isActive()) return FALSE;
  DcData* d = DcData::New(DcKind::Painter);
  d->extPainter = pPainter;
  pPainter->save();
  pPainter->setRenderHint(QPainter::Antialiasing, false);
  pPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (paintRect)
    d->paintRect = QRect(QPoint(paintRect->left, paintRect->top), QPoint(paintRect->right - 1, paintRect->bottom - 1));
  return Attach(d->handle());
}

QPainter* CDC::GetQPainter() {
  DcData* d = Data();
  return d ? d->painter() : nullptr;
}

// ---- printing ------------------------------------------------------------------------------

int CDC::StartDoc(LPCTSTR) { return Data() ? 1 : -1; }

int CDC::StartPage() {
  DcData* d = Data();
  if (!d) return -1;
  if (d->pageOpen) {
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(d->device)) {
      d->painter();
      paged->newPage();
    }
  }
  d->pageOpen = true;
  return 1;
}

int CDC::EndPage() { return Data() ? 1 : -1; }

int CDC::EndDoc() {
  DcData* d = Data();
  if (!d) return -1;
  bool ended = true;
  if (d->own) {
    ended = !d->own->isActive() || d->own->end();
    d->own.reset();
  }
  d->pageOpen = false;
  return ended ? 1 : -1;
}

int CDC::AbortDoc() { return EndDoc(); }

// ---- objects -------------------------------------------------------------------------------

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  DcData* d = Data();
  GdiObjectData* o = gdi::Lookup(hObject);
  if (!d || !o) return nullptr;
  gdi::Ref prev;
  switch (o->kind) {
    case GdiKind::Pen: prev = d->st.pen; d->st.pen = gdi::Ref(o); break;
    case GdiKind::Brush: prev = d->st.brush; d->st.brush = gdi::Ref(o); break;
    case GdiKind::Font: prev = d->st.font; d->st.font = gdi::Ref(o); break;
    case GdiKind::Bitmap: {
      if (d->kind != DcKind::Memory) return nullptr;
      if (o->selectedIn && o->selectedIn != d && !o->stock) return nullptr;  // one context at a time
      d->flush();
      prev = d->st.bitmap;
      if (prev && prev->selectedIn == d) prev->selectedIn = nullptr;
      d->st.bitmap = gdi::Ref(o);
      if (!o->stock) o->selectedIn = d;
      if (o->dib) gdi::DibSyncIn(o);
      break;
    }
    case GdiKind::Region: {
      CRgn* rgn = CRgn::FromHandle(static_cast<HRGN>(hObject));
      return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(SelectClipRgn(rgn)));
    }
    case GdiKind::Palette:
      return hObject;
  }
  // A retired object that nobody holds any more has no handle to give back.
  GdiObjectData* p = prev.get();
  return p && !p->retired ? p->handle() : nullptr;
}

CPen* CDC::SelectObject(CPen* pPen) {
  return pPen ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen->GetSafeHandle()))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return pBrush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(pBrush->GetSafeHandle()))) : nullptr;
}
CFont* CDC::SelectObject(CFont* pFont) {
  return pFont ? CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont->GetSafeHandle()))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  if (!pBitmap) return nullptr;
  HGDIOBJ prev = SelectObject(pBitmap->GetSafeHandle());
  return CBitmap::FromHandle(static_cast<HBITMAP>(prev));
}
int CDC::SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return pObject ? CGdiObject::FromHandle(SelectObject(pObject->GetSafeHandle())) : nullptr;
}
CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ h = ::GetStockObject(nIndex);
  return h ? CGdiObject::FromHandle(SelectObject(h)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  if (!pPalette) return nullptr;
  return CPalette::FromHandle(::SelectPalette(m_hDC, *pPalette, bForceBackground));
}

UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }

CBrush* PASCAL CDC::GetHalftoneBrush() {
  static CBrush* brush = [] {
    const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bits;
    bits.CreateBitmap(8, 8, 1, 1, rows);
    auto* b = new CBrush;  // lives for the program, like the shared original
    b->CreatePatternBrush(&bits);
    return b;
  }();
  return brush;
}

CPen* CDC::GetCurrentPen() const {
  DcData* d = Data();
  return d && d->pen() ? CPen::FromHandle(static_cast<HPEN>(d->pen()->handle())) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
  DcData* d = Data();
  return d && d->brush() ? CBrush::FromHandle(static_cast<HBRUSH>(d->brush()->handle())) : nullptr;
}
CFont* CDC::GetCurrentFont() const {
  DcData* d = Data();
  return d && d->font() ? CFont::FromHandle(static_cast<HFONT>(d->font()->handle())) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const {
  DcData* d = Data();
  return d && d->st.bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(d->st.bitmap->handle())) : nullptr;
}

int CDC::SaveDC() {
  DcData* d = Data();
  if (!d) return 0;
  d->saved.push_back(d->st);
  return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC) {
  DcData* d = Data();
  if (!d || nSavedDC == 0) return FALSE;
  const long long n = static_cast<long long>(d->saved.size());
  const long long index = nSavedDC > 0 ? nSavedDC - 1 : n + nSavedDC;
  if (index < 0 || index >= n) return FALSE;
  d->flush();
  GdiObjectData* oldBitmap = d->st.bitmap.get();
  d->st = d->saved[static_cast<size_t>(index)];
  d->saved.resize(static_cast<size_t>(index));
  GdiObjectData* newBitmap = d->st.bitmap.get();
  if (oldBitmap != newBitmap) {
    if (oldBitmap && oldBitmap->selectedIn == d) oldBitmap->selectedIn = nullptr;
    if (newBitmap && !newBitmap->stock) newBitmap->selectedIn = d;
  }
  if (d->kind == DcKind::Painter && d->extPainter) d->applyClip(*d->extPainter);
  return TRUE;
}

// ---- attributes ----------------------------------------------------------------------------

#define KC_DC_ATTR(Type, Get, Set, field, bad)                 \
  Type CDC::Get() const {                                      \
    DcData* d = Data();                                        \
    return d ? static_cast<Type>(d->st.field) : (bad);         \
  }                                                            \
  Type CDC::Set(Type v) {                                      \
    DcData* d = Data();                                        \
    if (!d) return (bad);                                      \
    Type old = static_cast<Type>(d->st.field);                 \
    d->st.field = v;                                           \
    return old;                                                \
  }

KC_DC_ATTR(COLORREF, GetTextColor, SetTextColor, textColor, CLR_INVALID)
KC_DC_ATTR(COLORREF, GetBkColor, SetBkColor, bkColor, CLR_INVALID)
KC_DC_ATTR(UINT, GetTextAlign, SetTextAlign, textAlign, GDI_ERROR)
KC_DC_ATTR(COLORREF, GetDCBrushColor, SetDCBrushColor, dcBrushColor, CLR_INVALID)
KC_DC_ATTR(COLORREF, GetDCPenColor, SetDCPenColor, dcPenColor, CLR_INVALID)
KC_DC_ATTR(int, GetTextCharacterExtra, SetTextCharacterExtra, charExtra, 0x80000000)
#undef KC_DC_ATTR

#define KC_DC_MODE(Get, Set, field, lo, hi)                    \
  int CDC::Get() const {                                       \
    DcData* d = Data();                                        \
    return d ? d->st.field : 0;                                \
  }                                                            \
  int CDC::Set(int v) {                                        \
    DcData* d = Data();                                        \
    if (!d || v < (lo) || v > (hi)) return 0;                  \
    int old = d->st.field;                                     \
    d->st.field = v;                                           \
    return old;                                                \
  }

KC_DC_MODE(GetBkMode, SetBkMode, bkMode, TRANSPARENT, OPAQUE)
KC_DC_MODE(GetROP2, SetROP2, rop2, R2_BLACK, R2_WHITE)
KC_DC_MODE(GetPolyFillMode, SetPolyFillMode, polyFillMode, ALTERNATE, WINDING)
KC_DC_MODE(GetStretchBltMode, SetStretchBltMode, stretchMode, BLACKONWHITE, HALFTONE)
KC_DC_MODE(GetArcDirection, SetArcDirection, arcDirection, AD_COUNTERCLOCKWISE, AD_CLOCKWISE)
#undef KC_DC_MODE

CPoint CDC::GetBrushOrg() const {
  DcData* d = Data();
  return d ? CPoint(d->st.brushOrg.x(), d->st.brushOrg.y()) : CPoint(0, 0);
}
CPoint CDC::SetBrushOrg(int x, int y) {
  DcData* d = Data();
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.brushOrg.x(), d->st.brushOrg.y());
  d->st.brushOrg = QPoint(x, y);
  return old;
}
CPoint CDC::SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

COLORREF CDC::GetNearestColor(COLORREF crColor) const {
  DcData* d = Data();
  if (!d) return CLR_INVALID;
  return gdi::FromQRgb(d->outColor(crColor));
}

// ---- mapping -------------------------------------------------------------------------------

int CDC::GetMapMode() const {
  DcData* d = Data();
  return d ? d->st.mapMode : 0;
}
int CDC::SetMapMode(int nMapMode) {
  DcData* d = Data();
  if (!d || nMapMode < MM_TEXT || nMapMode > MM_ANISOTROPIC) return 0;
  int old = d->st.mapMode;
  d->setMapMode(nMapMode);
  return old;
}
CPoint CDC::GetViewportOrg() const {
  DcData* d = Data();
  return d ? CPoint(d->st.viewportOrg.x(), d->st.viewportOrg.y()) : CPoint(0, 0);
}
CPoint CDC::SetViewportOrg(int x, int y) {
  DcData* d = Data();
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.viewportOrg.x(), d->st.viewportOrg.y());
  d->st.viewportOrg = QPoint(x, y);
  return old;
}
CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  CPoint o = GetViewportOrg();
  return SetViewportOrg(o.x + nWidth, o.y + nHeight);
}
CSize CDC::GetViewportExt() const {
  DcData* d = Data();
  return d ? CSize(d->st.viewportExt.width(), d->st.viewportExt.height()) : CSize(0, 0);
}
CSize CDC::SetViewportExt(int cx, int cy) {
  DcData* d = Data();
  if (!d) return CSize(0, 0);
  CSize old(d->st.viewportExt.width(), d->st.viewportExt.height());
  if (cx == 0 || cy == 0) return CSize(0, 0);
  if (d->st.mapMode == MM_ISOTROPIC || d->st.mapMode == MM_ANISOTROPIC) {
    d->st.viewportExt = QSize(cx, cy);
    d->fixIsotropic();
  }
  return old;
}
CSize CDC::SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
CPoint CDC::GetWindowOrg() const {
  DcData* d = Data();
  return d ? CPoint(d->st.windowOrg.x(), d->st.windowOrg.y()) : CPoint(0, 0);
}
CPoint CDC::SetWindowOrg(int x, int y) {
  DcData* d = Data();
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.windowOrg.x(), d->st.windowOrg.y());
  d->st.windowOrg = QPoint(x, y);
  return old;
}
CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  CPoint o = GetWindowOrg();
  return SetWindowOrg(o.x + nWidth, o.y + nHeight);
}
CSize CDC::GetWindowExt() const {
  DcData* d = Data();
  return d ? CSize(d->st.windowExt.width(), d->st.windowExt.height()) : CSize(0, 0);
}
CSize CDC::SetWindowExt(int cx, int cy) {
  DcData* d = Data();
  if (!d) return CSize(0, 0);
  CSize old(d->st.windowExt.width(), d->st.windowExt.height());
  if (cx == 0 || cy == 0) return CSize(0, 0);
  if (d->st.mapMode == MM_ISOTROPIC || d->st.mapMode == MM_ANISOTROPIC) {
    d->st.windowExt = QSize(cx, cy);
    d->fixIsotropic();
  }
  return old;
}
CSize CDC::SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const {
  DcData* d = Data();
  if (!d || !lpPoints) return;
  for (int i = 0; i < nCount; ++i) {
    QPoint p = d->toLog(lpPoints[i].x, lpPoints[i].y);
    lpPoints[i].x = p.x();
    lpPoints[i].y = p.y();
  }
}
void CDC::DPtoLP(LPRECT lpRect) const { DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::DPtoLP(LPSIZE lpSize) const {
  DcData* d = Data();
  if (!d || !lpSize) return;
  lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx / std::abs(d->sx())));
  lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy / std::abs(d->sy())));
}
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const {
  DcData* d = Data();
  if (!d || !lpPoints) return;
  for (int i = 0; i < nCount; ++i) {
    QPoint p = d->toDev(lpPoints[i].x, lpPoints[i].y);
    lpPoints[i].x = p.x();
    lpPoints[i].y = p.y();
  }
}
void CDC::LPtoDP(LPRECT lpRect) const { LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPSIZE lpSize) const {
  DcData* d = Data();
  if (!d || !lpSize) return;
  lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx * std::abs(d->sx())));
  lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy * std::abs(d->sy())));
}
void CDC::DPtoHIMETRIC(LPSIZE lpSize) const {
  DcData* d = Data();
  if (!d || !lpSize) return;
  lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx * 2540.0 / d->dpiX));
  lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy * 2540.0 / d->dpiY));
}
void CDC::HIMETRICtoDP(LPSIZE lpSize) const {
  DcData* d = Data();
  if (!d || !lpSize) return;
  lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx * d->dpiX / 2540.0));
  lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy * d->dpiY / 2540.0));
}

// ---- clipping ------------------------------------------------------------------------------

namespace {
void ClipChanged(DcData* d) {
  if (d->own) d->applyClip(*d->own);
  else if (d->kind == DcKind::Painter && d->extPainter) d->applyClip(*d->extPainter);
}
QRegion CurrentClip(const DcData* d) { return d->st.hasClip ? d->st.clip : QRegion(d->deviceBounds()); }
}  // namespace

int CDC::GetClipBox(LPRECT lpRect) const {
  DcData* d = Data();
  if (!d || !lpRect) return ERROR;
  const QRegion r = d->effectiveClip();
  SetRectFromDevice(d, r.boundingRect(), lpRect);
  return RegionType(r);
}

BOOL CDC::PtVisible(int x, int y) const {
  DcData* d = Data();
  return d && d->effectiveClip().contains(d->toDev(x, y));
}
BOOL CDC::PtVisible(POINT point) const { return PtVisible(point.x, point.y); }

BOOL CDC::RectVisible(LPCRECT lpRect) const {
  DcData* d = Data();
  if (!d || !lpRect) return FALSE;
  return d->effectiveClip().intersects(d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom));
}

int CDC::SelectClipRgn(CRgn* pRgn) { return SelectClipRgn(pRgn, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  DcData* d = Data();
  if (!d) return ERROR;
  GdiObjectData* r = pRgn ? gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region) : nullptr;
  if (nMode == RGN_COPY) {
    d->st.hasClip = r != nullptr;
    d->st.clip = r ? r->region : QRegion();
  } else {
    if (!r) return ERROR;
    const QRegion cur = CurrentClip(d);
    switch (nMode) {
      case RGN_AND: d->st.clip = cur.intersected(r->region); break;
      case RGN_OR: d->st.clip = cur.united(r->region); break;
      case RGN_XOR: d->st.clip = cur.xored(r->region); break;
      case RGN_DIFF: d->st.clip = cur.subtracted(r->region); break;
      default: return ERROR;
    }
    d->st.hasClip = true;
  }
  ClipChanged(d);
  return RegionType(d->effectiveClip());
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  DcData* d = Data();
  if (!d) return ERROR;
  d->st.clip = CurrentClip(d).subtracted(d->rectToDev(x1, y1, x2, y2));
  d->st.hasClip = true;
  ClipChanged(d);
  return RegionType(d->effectiveClip());
}
int CDC::ExcludeClipRect(LPCRECT r) { return r ? ExcludeClipRect(r->left, r->top, r->right, r->bottom) : ERROR; }

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  DcData* d = Data();
  if (!d) return ERROR;
  d->st.clip = CurrentClip(d).intersected(d->rectToDev(x1, y1, x2, y2));
  d->st.hasClip = true;
  ClipChanged(d);
  return RegionType(d->effectiveClip());
}
int CDC::IntersectClipRect(LPCRECT r) { return r ? IntersectClipRect(r->left, r->top, r->right, r->bottom) : ERROR; }

int CDC::OffsetClipRgn(int x, int y) {
  DcData* d = Data();
  if (!d) return ERROR;
  if (d->st.hasClip) {
    d->st.clip.translate(static_cast<int>(std::lround(x * d->sx())), static_cast<int>(std::lround(y * d->sy())));
    ClipChanged(d);
  }
  return RegionType(d->effectiveClip());
}
int CDC::OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

int CDC::GetClipRgn(CRgn* pRgn) const {
  DcData* d = Data();
  if (!d || !pRgn) return -1;
  if (!d->st.hasClip) return 0;
  if (!pRgn->GetSafeHandle()) pRgn->CreateRectRgn(0, 0, 0, 0);
  GdiObjectData* r = gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region);
  if (!r) return -1;
  r->region = d->st.clip;
  return 1;
}

// ---- lines ---------------------------------------------------------------------------------

CPoint CDC::GetCurrentPosition() const {
  DcData* d = Data();
  return d ? CPoint(d->st.curPos.x(), d->st.curPos.y()) : CPoint(0, 0);
}

CPoint CDC::MoveTo(int x, int y) {
  DcData* d = Data();
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.curPos.x(), d->st.curPos.y());
  d->st.curPos = QPoint(x, y);
  return old;
}
CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }

BOOL CDC::LineTo(int x, int y) {
  DcData* d = Data();
  if (!d) return FALSE;
  d->strokePolyline({d->toDev(d->st.curPos), d->toDev(x, y)}, false);
  d->st.curPos = QPoint(x, y);
  return TRUE;
}
BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) {
  DcData* d = Data();
  if (!d || !lpPoints || nCount < 2 || nCount > (1 << 24)) return FALSE;
  std::vector<QPoint> pts;
  pts.reserve(static_cast<size_t>(nCount));
  for (int i = 0; i < nCount; ++i) pts.push_back(d->toDev(lpPoints[i].x, lpPoints[i].y));
  d->strokePolyline(pts, false);
  return TRUE;
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount) {
  DcData* d = Data();
  if (!d || !lpPoints || nCount < 1 || nCount > (1 << 24)) return FALSE;
  std::vector<QPoint> pts;
  pts.reserve(static_cast<size_t>(nCount) + 1);
  pts.push_back(d->toDev(d->st.curPos));
  for (int i = 0; i < nCount; ++i) pts.push_back(d->toDev(lpPoints[i].x, lpPoints[i].y));
  d->strokePolyline(pts, false);
  d->st.curPos = QPoint(lpPoints[nCount - 1].x, lpPoints[nCount - 1].y);
  return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) {
  if (!lpPoints || !lpPolyPoints || nCount <= 0) return FALSE;
  size_t at = 0;
  for (int i = 0; i < nCount; ++i) {
    if (lpPolyPoints[i] > (1u << 24)) return FALSE;
    if (lpPolyPoints[i] >= 2) Polyline(lpPoints + at, static_cast<int>(lpPolyPoints[i]));
    at += lpPolyPoints[i];
  }
  return TRUE;
}

namespace {

// The arc of the ellipse in box from the ray through start to the ray through end, in
// device units, as start angle and sweep in Qt's degrees (counter-clockwise positive).
void ArcAngles(const QRectF& box, QPointF start, QPointF end, bool clockwise, double& a0, double& sweep) {
  const QPointF c = box.center();
  // Angles on the ellipse itself: scale the rays to a circle first.
  const double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
  a0 = std::atan2(-(start.y() - c.y()) / ry, (start.x() - c.x()) / rx) * 180.0 / M_PI;
  double a1 = std::atan2(-(end.y() - c.y()) / ry, (end.x() - c.x()) / rx) * 180.0 / M_PI;
  if (clockwise) {
    sweep = a1 - a0;
    while (sweep >= 0) sweep -= 360;
  } else {
    sweep = a1 - a0;
    while (sweep <= 0) sweep += 360;
  }
  if (std::abs(std::abs(sweep) - 360) < 1e-9) sweep = clockwise ? -360 : 360;
}

// Qt's arc angles are parametric on the ellipse; convert a geometric angle into one.
double ParamAngle(const QRectF& box, double deg) {
  const double t = deg * M_PI / 180.0;
  return std::atan2(std::sin(t) * box.width(), std::cos(t) * box.height()) * 180.0 / M_PI;
}

enum class ArcKind { Arc, Pie, Chord };

}  // namespace

// The outline of a figure in box r: through the box's outermost pixels (as named by
// strokePath) for outlines, through their centres for fills under a pen, and one pixel
// smaller for fills without a pen.
static QRectF FigureBox(const DcData* d, const QRect& r, bool outline) {
  const double shift = !outline && d->hasPen() ? 0.5 : 0.0;
  return QRectF(r.x() + shift, r.y() + shift, r.width() - 1, r.height() - 1);
}

static QPainterPath ArcPath(DcData* d, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, ArcKind kind,
                            bool outline, QPointF* endPoint = nullptr) {
  const QRect r = d->rectToDev(x1, y1, x2, y2);
  QRectF box = FigureBox(d, r, outline);
  double a0, sweep;
  ArcAngles(QRectF(r.x(), r.y(), r.width() - 1, r.height() - 1), d->toDevF(x3, y3), d->toDevF(x4, y4),
            d->st.arcDirection == AD_CLOCKWISE, a0, sweep);
  // The angles were measured with y flipped by the mapping if the mapping flips y.
  if (d->sy() < 0) {
    a0 = -a0;
    sweep = -sweep;
  }
  const double p0 = ParamAngle(box, a0);
  double p1 = ParamAngle(box, a0 + sweep);
  double psweep = p1 - p0;
  if (sweep > 0) while (psweep <= 0) psweep += 360;
  if (sweep < 0) while (psweep >= 0) psweep -= 360;
  if (std::abs(sweep) >= 360) psweep = sweep;
  QPainterPath path;
  if (kind == ArcKind::Pie) {
    path.moveTo(box.center());
    path.arcTo(box, p0, psweep);
    path.closeSubpath();
  } else {
    path.arcMoveTo(box, p0);
    path.arcTo(box, p0, psweep);
    if (kind == ArcKind::Chord) path.closeSubpath();
  }
  if (endPoint) *endPoint = path.currentPosition();
  return path;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DcData* d = Data();
  if (!d) return FALSE;
  d->strokePath(ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Arc, true));
  return TRUE;
}
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e) {
  return r ? Arc(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y) : FALSE;
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DcData* d = Data();
  if (!d) return FALSE;
  QPointF end;
  QPainterPath arc = ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Arc, true, &end);
  QPainterPath path;
  path.moveTo(d->toDev(d->st.curPos));
  path.lineTo(arc.pointAtPercent(0));
  path.connectPath(arc);
  d->strokePath(path);
  const QPoint endLog = d->toLog(static_cast<int>(std::lround(end.x())), static_cast<int>(std::lround(end.y())));
  d->st.curPos = endLog;
  return TRUE;
}
BOOL CDC::ArcTo(LPCRECT r, POINT s, POINT e) {
  return r ? ArcTo(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y) : FALSE;
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) {
  DcData* d = Data();
  if (!d || !lpPoints || nCount < 4 || (nCount - 1) % 3 != 0 || nCount > (1 << 24)) return FALSE;
  QPainterPath path;
  path.moveTo(d->toDevF(lpPoints[0].x, lpPoints[0].y));
  for (int i = 1; i + 2 < nCount; i += 3)
    path.cubicTo(d->toDevF(lpPoints[i].x, lpPoints[i].y), d->toDevF(lpPoints[i + 1].x, lpPoints[i + 1].y),
                 d->toDevF(lpPoints[i + 2].x, lpPoints[i + 2].y));
  d->strokePath(path);
  return TRUE;
}

// ---- paths ---------------------------------------------------------------------------------

BOOL CDC::BeginPath() {
  DcData* d = Data();
  if (!d) return FALSE;
  d->gdiPath = QPainterPath();
  d->pathOpen = true;
  d->pathDone = false;
  return TRUE;
}

BOOL CDC::EndPath() {
  DcData* d = Data();
  if (!d || !d->pathOpen) return FALSE;
  d->pathOpen = false;
  d->pathDone = true;
  return TRUE;
}

BOOL CDC::AbortPath() {
  DcData* d = Data();
  if (!d) return FALSE;
  d->pathOpen = d->pathDone = false;
  d->gdiPath = QPainterPath();
  return TRUE;
}

BOOL CDC::CloseFigure() {
  DcData* d = Data();
  if (!d || !d->pathOpen) return FALSE;
  d->gdiPath.closeSubpath();
  return TRUE;
}

namespace {
// The finished path, taken out of the context (a path is used once).
bool TakePath(DcData* d, QPainterPath& out) {
  if (!d || !d->pathDone) return false;
  out = d->gdiPath;
  out.setFillRule(d->st.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  d->gdiPath = QPainterPath();
  d->pathDone = false;
  return true;
}
// Outline coordinates name pixels; fills treat them as edges, as polygons are filled.
QRegion PathRegion(const QPainterPath& path) {
  QRegion region;
  for (const QPolygonF& poly : path.toFillPolygons())
    region = region.xored(QRegion(poly.toPolygon(), path.fillRule()));
  return region;
}
}  // namespace

BOOL CDC::StrokePath() {
  DcData* d = Data();
  QPainterPath path;
  if (!TakePath(d, path)) return FALSE;
  d->strokePath(path);
  return TRUE;
}

BOOL CDC::FillPath() {
  DcData* d = Data();
  QPainterPath path;
  if (!TakePath(d, path)) return FALSE;
  d->fillPath(path);
  return TRUE;
}

BOOL CDC::StrokeAndFillPath() {
  DcData* d = Data();
  QPainterPath path;
  if (!TakePath(d, path)) return FALSE;
  d->fillPath(path);
  d->strokePath(path);
  return TRUE;
}

BOOL CDC::WidenPath() {
  DcData* d = Data();
  if (!d || !d->pathDone) return FALSE;
  QPainterPathStroker stroker(d->wideQPen());
  d->gdiPath = stroker.createStroke(d->gdiPath).simplified();
  return TRUE;
}

BOOL CDC::FlattenPath() {
  DcData* d = Data();
  if (!d || !d->pathDone) return FALSE;
  QPainterPath flat;
  for (const QPolygonF& poly : d->gdiPath.toSubpathPolygons()) flat.addPolygon(poly);
  d->gdiPath = flat;
  return TRUE;
}

BOOL CDC::SelectClipPath(int nMode) {
  DcData* d = Data();
  QPainterPath path;
  if (!TakePath(d, path)) return FALSE;
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 0, 0);
  gdi::Lookup(rgn.GetSafeHandle(), GdiKind::Region)->region = PathRegion(path);
  return SelectClipRgn(&rgn, nMode) != ERROR;
}

HRGN PathToRegion(HDC hdc) {
  QPainterPath path;
  if (!TakePath(DcData::Lookup(hdc), path)) return nullptr;
  HRGN h = ::CreateRectRgn(0, 0, 0, 0);
  gdi::Lookup(h, GdiKind::Region)->region = PathRegion(path);
  return h;
}

// ---- filled shapes -------------------------------------------------------------------------

namespace {
// PS_INSIDEFRAME keeps a wide pen inside the figure's box.
QRect InsideFrame(const DcData* d, QRect r) {
  if (d->pen() && (d->pen()->penStyle & PS_STYLE_MASK) == PS_INSIDEFRAME && !d->thinPen()) {
    const int w = d->penDeviceWidth();
    r.adjust(w / 2, w / 2, -(w - 1) / 2, -(w - 1) / 2);
  }
  return r;
}
}  // namespace

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
  DcData* d = Data();
  if (!d) return FALSE;
  QRect r = InsideFrame(d, d->rectToDev(x1, y1, x2, y2));
  if (r.width() <= 0 || r.height() <= 0) return TRUE;
  const bool pen = d->hasPen();
  // Without a pen the figure is one pixel smaller on the right and bottom.
  const QRect fill = pen ? r : r.adjusted(0, 0, -1, -1);
  if (!fill.isEmpty()) {
    QPainterPath p;
    p.addRect(QRectF(fill.x(), fill.y(), fill.width(), fill.height()));
    d->fillPath(p);
  }
  if (pen || d->pathOpen) {
    if (d->thinPen() || d->pathOpen) {
      d->strokePolyline({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}, true);
    } else {
      QPainterPath p;
      p.addRect(QRectF(r.x(), r.y(), r.width() - 1, r.height() - 1));
      d->strokePath(p);
    }
  }
  return TRUE;
}
BOOL CDC::Rectangle(LPCRECT r) { return r ? Rectangle(r->left, r->top, r->right, r->bottom) : FALSE; }

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  DcData* d = Data();
  if (!d) return FALSE;
  QRect r = InsideFrame(d, d->rectToDev(x1, y1, x2, y2));
  if (r.width() <= 0 || r.height() <= 0) return TRUE;
  const double rx = std::abs(x3 * d->sx()) / 2.0, ry = std::abs(y3 * d->sy()) / 2.0;
  QPainterPath fill;
  fill.addRoundedRect(FigureBox(d, r, false), rx, ry);
  d->fillPath(fill);
  QPainterPath outline;
  outline.addRoundedRect(FigureBox(d, r, true), rx, ry);
  d->strokePath(outline);
  return TRUE;
}
BOOL CDC::RoundRect(LPCRECT r, POINT pt) { return r ? RoundRect(r->left, r->top, r->right, r->bottom, pt.x, pt.y) : FALSE; }

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
  DcData* d = Data();
  if (!d) return FALSE;
  QRect r = InsideFrame(d, d->rectToDev(x1, y1, x2, y2));
  if (r.width() <= 0 || r.height() <= 0) return TRUE;
  QPainterPath fill;
  fill.addEllipse(FigureBox(d, r, false));
  d->fillPath(fill);
  QPainterPath outline;
  outline.addEllipse(FigureBox(d, r, true));
  d->strokePath(outline);
  return TRUE;
}
BOOL CDC::Ellipse(LPCRECT r) { return r ? Ellipse(r->left, r->top, r->right, r->bottom) : FALSE; }

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DcData* d = Data();
  if (!d) return FALSE;
  d->fillPath(ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Pie, false));
  d->strokePath(ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Pie, true));
  return TRUE;
}
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e) {
  return r ? Pie(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y) : FALSE;
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DcData* d = Data();
  if (!d) return FALSE;
  d->fillPath(ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Chord, false));
  d->strokePath(ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Chord, true));
  return TRUE;
}
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e) {
  return r ? Chord(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y) : FALSE;
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount) {
  INT count = nCount;
  return PolyPolygon(lpPoints, &count, 1);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) {
  DcData* d = Data();
  if (!d || !lpPoints || !lpPolyCounts || nCount <= 0 || nCount > (1 << 20)) return FALSE;
  QPainterPath fill;
  fill.setFillRule(d->st.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  std::vector<std::vector<QPoint>> outlines;
  size_t at = 0;
  for (int i = 0; i < nCount; ++i) {
    if (lpPolyCounts[i] < 0 || lpPolyCounts[i] > (1 << 24)) return FALSE;
    std::vector<QPoint> pts;
    QPolygonF poly;
    for (int k = 0; k < lpPolyCounts[i]; ++k, ++at) {
      pts.push_back(d->toDev(lpPoints[at].x, lpPoints[at].y));
      poly << QPointF(pts.back());
    }
    if (pts.size() >= 2) {
      fill.addPolygon(poly);
      fill.closeSubpath();
      outlines.push_back(std::move(pts));
    }
  }
  d->fillPath(fill);
  for (const auto& pts : outlines) d->strokePolyline(pts, true);
  return TRUE;
}

namespace {

// Fills device pixels with a brush, ignoring the binary raster operation (as FillRect does).
void FillDevice(DcData* d, const QRegion& area, GdiObjectData* brush, COLORREF solid) {
  if (!brush || brush->brushStyle == BS_NULL || area.isEmpty()) return;
  QPainter* p = d->painter();
  if (!p) return;
  const QBrush b = d->qbrush(brush, solid);
  p->save();
  p->setBrushOrigin(d->st.brushOrg);
  for (const QRect& r : area) p->fillRect(r, b);
  p->restore();
}

// Inverts device pixels exactly (each colour channel complemented).
void InvertDevice(DcData* d, const QRegion& area, bool checker = false) {
  if (area.isEmpty()) return;
  if (QImage* img = d->pixels()) {
    const QRegion clipped = area.intersected(d->effectiveClip());
    for (const QRect& r : clipped)
      for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img->scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
          if (!checker || ((x + y) & 1) == 0) line[x] ^= 0x00FFFFFF;
      }
    return;
  }
  QPainter* p = d->painter();
  if (!p) return;
  p->save();
  p->setCompositionMode(QPainter::RasterOp_NotDestination);
  if (checker) {
    QImage tile(2, 2, QImage::Format_ARGB32_Premultiplied);
    tile.fill(0);
    tile.setPixel(0, 0, 0xFF000000);
    tile.setPixel(1, 1, 0xFF000000);
    for (const QRect& r : area) p->fillRect(r, QBrush(tile));
  } else {
    for (const QRect& r : area) p->fillRect(r, Qt::black);
  }
  p->restore();
}

}  // namespace

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  DcData* d = Data();
  if (!d || !lpRect || !pBrush) return;
  GdiObjectData* b = gdi::Lookup(pBrush->GetSafeHandle(), GdiKind::Brush);
  if (!b) return;
  FillDevice(d, QRegion(d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom)), b, b->color);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  DcData* d = Data();
  if (!d || !lpRect || !pBrush) return;
  GdiObjectData* b = gdi::Lookup(pBrush->GetSafeHandle(), GdiKind::Brush);
  if (!b) return;
  const QRect r = d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  if (r.isEmpty()) return;
  QRegion frame(r);
  frame -= r.adjusted(1, 1, -1, -1);
  FillDevice(d, frame, b, b->color);
}

void CDC::InvertRect(LPCRECT lpRect) {
  DcData* d = Data();
  if (!d || !lpRect) return;
  InvertDevice(d, QRegion(d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom)));
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  DcData* d = Data();
  if (!d || !pRgn || !pBrush) return FALSE;
  GdiObjectData* r = gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region);
  GdiObjectData* b = gdi::Lookup(pBrush->GetSafeHandle(), GdiKind::Brush);
  if (!r || !b) return FALSE;
  FillDevice(d, r->region, b, b->color);
  return TRUE;
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  DcData* d = Data();
  if (!d || !pRgn || !pBrush || nWidth < 0 || nHeight < 0) return FALSE;
  GdiObjectData* r = gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region);
  GdiObjectData* b = gdi::Lookup(pBrush->GetSafeHandle(), GdiKind::Brush);
  if (!r || !b) return FALSE;
  // The frame is the region minus itself shrunk: pixels whose neighbourhood leaves the region.
  QRegion inner = r->region;
  for (int dx = -nWidth; dx <= nWidth; dx += std::max(1, nWidth))
    for (int dy = -nHeight; dy <= nHeight; dy += std::max(1, nHeight)) inner &= r->region.translated(dx, dy);
  FillDevice(d, r->region - inner, b, b->color);
  return TRUE;
}

BOOL CDC::InvertRgn(CRgn* pRgn) {
  DcData* d = Data();
  GdiObjectData* r = pRgn ? gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region) : nullptr;
  if (!d || !r) return FALSE;
  InvertDevice(d, r->region);
  return TRUE;
}

BOOL CDC::PaintRgn(CRgn* pRgn) {
  DcData* d = Data();
  GdiObjectData* r = pRgn ? gdi::Lookup(pRgn->GetSafeHandle(), GdiKind::Region) : nullptr;
  if (!d || !r) return FALSE;
  FillDevice(d, r->region, d->brush(), d->brushColor());
  return TRUE;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  if (!lpRect) return;
  FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  DcData* d = Data();
  if (!d) return;
  // Like the original, this leaves the background colour set to clr.
  d->st.bkColor = clr;
  QPainter* p = d->painter();
  if (!p) return;
  p->fillRect(d->rectToDev(x, y, x + cx, y + cy), QColor::fromRgb(d->outColor(clr)));
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  if (!lpRect) return;
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  if (cx <= 0 || cy <= 0) return;
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect) {
  DcData* d = Data();
  if (!d || !lpRect) return;
  const QRect r = d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  if (r.isEmpty()) return;
  QRegion frame(r);
  frame -= r.adjusted(1, 1, -1, -1);
  // A dotted frame drawn by inversion: drawing it twice removes it.
  InvertDevice(d, frame, true);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
  if (!lpRect) return FALSE;
  CRect r(lpRect);
  const bool mono = (nFlags & BF_MONO) != 0, flat = (nFlags & BF_FLAT) != 0;
  auto border = [&](UINT raised, UINT sunken, COLORREF raisedTL, COLORREF raisedBR, COLORREF sunkenTL,
                    COLORREF sunkenBR) {
    if (!(nEdge & (raised | sunken))) return;
    COLORREF tl, br;
    if (mono) tl = br = ::GetSysColor(COLOR_WINDOWFRAME);
    else if (flat) tl = br = ::GetSysColor(COLOR_BTNSHADOW);
    else if (nEdge & raised) { tl = raisedTL; br = raisedBR; }
    else { tl = sunkenTL; br = sunkenBR; }
    if (nFlags & BF_SOFT && !mono && !flat) std::swap(tl, tl);
    if (nFlags & BF_LEFT) FillSolidRect(r.left, r.top, 1, r.Height(), tl);
    if (nFlags & BF_TOP) FillSolidRect(r.left, r.top, r.Width(), 1, tl);
    if (nFlags & BF_RIGHT) FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
    if (nFlags & BF_BOTTOM) FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
    if (nFlags & BF_LEFT) ++r.left;
    if (nFlags & BF_TOP) ++r.top;
    if (nFlags & BF_RIGHT) --r.right;
    if (nFlags & BF_BOTTOM) --r.bottom;
  };
  const COLORREF bkSave = GetBkColor();
  border(BDR_RAISEDOUTER, BDR_SUNKENOUTER, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DDKSHADOW),
         ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  border(BDR_RAISEDINNER, BDR_SUNKENINNER, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW),
         ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
  if ((nFlags & BF_MIDDLE) && r.Width() > 0 && r.Height() > 0)
    FillSolidRect(&r, ::GetSysColor(mono ? COLOR_WINDOW : COLOR_BTNFACE));
  SetBkColor(bkSave);
  if (nFlags & BF_ADJUST) *lpRect = r;
  return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
  DcData* d = Data();
  if (!d || !lpRect) return FALSE;
  CRect r(lpRect);
  QPainter* p = d->painter();
  if (!p) return FALSE;
  const QRect dr = d->rectToDev(r.left, r.top, r.right, r.bottom);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), text = ::GetSysColor(
      (nState & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  const COLORREF bkSave = GetBkColor();
  switch (nType) {
    case DFC_BUTTON: {
      const UINT kind = nState & 0xFF;
      if (kind & DFCS_BUTTONPUSH) {
        FillSolidRect(&r, face);
        CRect e = r;
        DrawEdge(&e, (nState & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | ((nState & DFCS_FLAT) ? BF_FLAT : 0));
      } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) {
        p->save();
        p->setRenderHint(QPainter::Antialiasing, true);
        p->setPen(QColor::fromRgb(d->outColor(::GetSysColor(COLOR_BTNSHADOW))));
        p->setBrush(QColor::fromRgb(d->outColor(::GetSysColor(COLOR_WINDOW))));
        p->drawEllipse(QRectF(dr).adjusted(0.5, 0.5, -0.5, -0.5));
        if (nState & DFCS_CHECKED) {
          p->setPen(Qt::NoPen);
          p->setBrush(QColor::fromRgb(d->outColor(text)));
          p->drawEllipse(QRectF(dr).adjusted(dr.width() * 0.3, dr.height() * 0.3, -dr.width() * 0.3, -dr.height() * 0.3));
        }
        p->restore();
      } else {  // check box
        FillSolidRect(&r, ::GetSysColor((nState & (DFCS_INACTIVE | DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW));
        CRect e = r;
        DrawEdge(&e, EDGE_SUNKEN, BF_RECT | ((nState & DFCS_FLAT) ? BF_FLAT : 0) | ((nState & DFCS_MONO) ? BF_MONO : 0));
        if (nState & DFCS_CHECKED) {
          p->save();
          p->setRenderHint(QPainter::Antialiasing, false);
          p->setPen(QPen(QColor::fromRgb(d->outColor(text)), std::max(1, dr.width() / 8)));
          const QRectF in = QRectF(dr).adjusted(dr.width() * 0.25, dr.height() * 0.25, -dr.width() * 0.25, -dr.height() * 0.25);
          QPolygonF tick;
          tick << QPointF(in.left(), in.center().y()) << QPointF(in.left() + in.width() * 0.4, in.bottom())
               << QPointF(in.right(), in.top());
          p->drawPolyline(tick);
          p->restore();
        }
      }
      break;
    }
    case DFC_SCROLL: {
      FillSolidRect(&r, face);
      CRect e = r;
      DrawEdge(&e, (nState & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | ((nState & DFCS_FLAT) ? BF_FLAT : 0));
      const QPointF c = QRectF(dr).center();
      const double s = std::min(dr.width(), dr.height()) / 5.0;
      QPolygonF tri;
      switch (nState & 0xFF) {
        case DFCS_SCROLLUP: tri << c + QPointF(-s, s / 2) << c + QPointF(s, s / 2) << c + QPointF(0, -s / 2); break;
        case DFCS_SCROLLLEFT: tri << c + QPointF(s / 2, -s) << c + QPointF(s / 2, s) << c + QPointF(-s / 2, 0); break;
        case DFCS_SCROLLRIGHT: tri << c + QPointF(-s / 2, -s) << c + QPointF(-s / 2, s) << c + QPointF(s / 2, 0); break;
        default: tri << c + QPointF(-s, -s / 2) << c + QPointF(s, -s / 2) << c + QPointF(0, s / 2); break;
      }
      p->save();
      p->setPen(Qt::NoPen);
      p->setBrush(QColor::fromRgb(d->outColor(text)));
      p->drawPolygon(tri);
      p->restore();
      break;
    }
    case DFC_CAPTION:
    case DFC_MENU: {
      if (nType == DFC_CAPTION) {
        FillSolidRect(&r, face);
        CRect e = r;
        DrawEdge(&e, (nState & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      }
      p->save();
      p->setPen(QPen(QColor::fromRgb(d->outColor(text)), std::max(1, dr.width() / 8)));
      const QRectF in = QRectF(dr).adjusted(dr.width() * 0.3, dr.height() * 0.3, -dr.width() * 0.3, -dr.height() * 0.3);
      if (nType == DFC_CAPTION) {
        p->drawLine(in.topLeft(), in.bottomRight());
        p->drawLine(in.topRight(), in.bottomLeft());
      } else if ((nState & 0xFF) == DFCS_MENUBULLET) {
        p->setBrush(QColor::fromRgb(d->outColor(text)));
        p->drawEllipse(in);
      } else {
        QPolygonF tick;
        tick << QPointF(in.left(), in.center().y()) << QPointF(in.left() + in.width() * 0.4, in.bottom())
             << QPointF(in.right(), in.top());
        p->drawPolyline(tick);
      }
      p->restore();
      break;
    }
    default:
      return FALSE;
  }
  SetBkColor(bkSave);
  return TRUE;
}

// ---- bitmaps -------------------------------------------------------------------------------

namespace {

// Combines src (already in the destination's colours, sized as dst) into the destination's
// pixels at dst with a ternary raster operation; skip tells which source pixels to leave out.
void BlendInto(DcData* d, const QRect& dst, const QImage& src, DWORD rop, const QImage* skipMask) {
  QImage* img = d->pixels();
  if (!img) return;
  const QRegion clip = d->effectiveClip().intersected(dst);
  const QRect patArea = clip.boundingRect();  // the pattern only where pixels change
  const QImage pat = UsesPattern(rop) && !patArea.isEmpty() ? d->patternImage(patArea) : QImage();
  const bool keepAlpha = img->format() == QImage::Format_ARGB32;
  const bool copyAlpha = keepAlpha && rop == SRCCOPY && src.format() == QImage::Format_ARGB32;
  const bool mono = d->mono();
  for (const QRect& r : clip) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* out = reinterpret_cast<QRgb*>(img->scanLine(y));
      const int sy = y - dst.top();
      const auto* in = src.isNull() ? nullptr : reinterpret_cast<const QRgb*>(src.constScanLine(sy));
      const auto* pin = pat.isNull() ? nullptr : reinterpret_cast<const QRgb*>(pat.constScanLine(y - patArea.top()));
      const auto* skip = skipMask ? skipMask->constScanLine(sy) : nullptr;
      for (int x = r.left(); x <= r.right(); ++x) {
        const int sx = x - dst.left();
        if (skip && skip[sx]) continue;
        const DWORD s = in ? (in[sx] & 0xFFFFFF) : 0;
        const DWORD p = pin ? (pin[x - patArea.left()] & 0xFFFFFF) : 0;
        DWORD v = DcData::Rop3(rop, p, s, out[x] & 0xFFFFFF) & 0xFFFFFF;
        if (mono) v = gdi::MonoOf(v) & 0xFFFFFF;
        DWORD a = 0xFF000000u;
        if (copyAlpha) a = in[sx] & 0xFF000000u;
        else if (keepAlpha) a = out[x] & 0xFF000000u;
        out[x] = v | a;
      }
    }
  }
}

}  // namespace

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
  DcData* d = Data();
  if (!d) return FALSE;
  const QRect dst = d->rectToDev(x, y, x + nWidth, y + nHeight);
  if (dst.isEmpty()) return TRUE;
  if (d->surface()) {
    BlendInto(d, dst, QImage(), dwRop, nullptr);
    return TRUE;
  }
  QPainter* p = d->painter();
  if (!p) return FALSE;
  p->save();
  switch (dwRop) {
    case BLACKNESS: p->fillRect(dst, Qt::black); break;
    case WHITENESS: p->fillRect(dst, Qt::white); break;
    case DSTINVERT: p->setCompositionMode(QPainter::RasterOp_NotDestination); p->fillRect(dst, Qt::black); break;
    case PATINVERT:
      p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p->setBrushOrigin(d->st.brushOrg);
      p->fillRect(dst, d->qbrush());
      break;
    default:
      p->setBrushOrigin(d->st.brushOrg);
      p->fillRect(dst, d->qbrush());
      break;
  }
  p->restore();
  return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  if (!UsesSource(dwRop)) return PatBlt(x, y, nWidth, nHeight, dwRop);
  DcData* s = pSrcDC ? pSrcDC->Data() : nullptr;
  if (!s) return FALSE;
  // The source extent is the destination extent measured in the source's units.
  DcData* d = Data();
  if (!d) return FALSE;
  const QRect dst = d->rectToDev(x, y, x + nWidth, y + nHeight);
  const QPoint s0 = s->toDev(xSrc, ySrc);
  QPoint l0 = s->toLog(s0.x() + dst.width(), s0.y() + dst.height());
  return StretchBlt(x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, l0.x() - xSrc, l0.y() - ySrc, dwRop);
}

namespace {

// The device pixels of a blit rectangle from corner a towards corner b. A negative logical
// extent mirrors, and then covers the pixels from x + width + 1 up to x.
QRect BlitRect(QPoint a, QPoint b, bool negX, bool negY) {
  int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x()) - 1;
  int t = std::min(a.y(), b.y()), btm = std::max(a.y(), b.y()) - 1;
  if (negX) ++l, ++r;
  if (negY) ++t, ++btm;
  return QRect(QPoint(l, t), QPoint(r, btm));
}

// The source pixels of a blit in device units of the destination: cut, mirrored, scaled and
// (unless raw) turned into the destination's colours, for the part of dst that can be seen.
struct BlitPart {
  QRect area;  // where part goes, inside dst
  QImage part;
  bool hidden = false;  // nothing of dst can be seen
};

BlitPart BlitSource(DcData* d, DcData* s, const QRect& dst, bool mirrorX, bool mirrorY, int xs, int ys, int ws, int hs,
                    bool smooth, bool raw = false) {
  BlitPart out;
  QImage* simg = s->pixels(false);
  if (!simg) return out;
  const QPoint a = s->toDev(xs, ys), b = s->toDev(xs + ws, ys + hs);
  const QRect sr = BlitRect(a, b, ws < 0, hs < 0);
  if (sr.isEmpty()) return out;
  if (a.x() > b.x()) mirrorX = !mirrorX;
  if (a.y() > b.y()) mirrorY = !mirrorY;
  const long long limit = 1LL << 24;
  QImage part;
  if (static_cast<long long>(sr.width()) * sr.height() <= limit && static_cast<long long>(dst.width()) * dst.height() <= limit) {
    out.area = dst;
    part = simg->copy(sr);  // outside the bitmap reads as black
    if (part.format() == QImage::Format_ARGB32) {
      // Block transfers ignore alpha: the colour bytes travel as they are, opaque.
      part.reinterpretAsFormat(QImage::Format_RGB32);
      for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x) line[x] |= 0xFF000000u;
      }
    } else if (part.format() != QImage::Format_RGB32) {
      part = part.convertToFormat(QImage::Format_RGB32);
    }
    if (mirrorX || mirrorY) part = part.mirrored(mirrorX, mirrorY);
    if (part.size() != dst.size())
      part = part.scaled(dst.size(), Qt::IgnoreAspectRatio, smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
  } else {
    // Huge rectangles: sample only the visible part, nearest pixel, without building the whole.
    out.area = dst.intersected(d->deviceBounds());
    if (out.area.isEmpty()) {
      out.hidden = true;
      return out;
    }
    part = QImage(out.area.size(), QImage::Format_RGB32);
    const double fx = double(sr.width()) / dst.width(), fy = double(sr.height()) / dst.height();
    for (int y = 0; y < out.area.height(); ++y) {
      const int dy = out.area.top() + y - dst.top();
      const int sy = sr.top() + int((mirrorY ? dst.height() - 1 - dy : dy) * fy);
      auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
      for (int x = 0; x < out.area.width(); ++x) {
        const int dx = out.area.left() + x - dst.left();
        const int sx = sr.left() + int((mirrorX ? dst.width() - 1 - dx : dx) * fx);
        line[x] = simg->rect().contains(sx, sy) ? (simg->pixel(sx, sy) | 0xFF000000u) : 0xFF000000u;
      }
    }
  }
  if (!raw) {
    const bool srcMono = s->mono(), dstMono = d->mono();
    if (srcMono && !dstMono) {
      // Monochrome to colour: black takes the text colour, white the background colour.
      const QRgb fg = d->outColor(d->st.textColor), bg = d->outColor(d->st.bkColor);
      for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x) line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
      }
    } else if (!srcMono && dstMono) {
      // Colour to monochrome: the source's background colour becomes white, all else black.
      const QRgb bk = gdi::ToQRgb(gdi::PlainColor(s->st.bkColor)) & 0xFFFFFF;
      for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x) line[x] = (line[x] & 0xFFFFFF) == bk ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
      }
    }
  }
  out.part = part;
  return out;
}

}  // namespace

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
  if (!UsesSource(dwRop)) return PatBlt(x, y, nWidth, nHeight, dwRop);
  DcData* d = Data();
  DcData* s = pSrcDC ? pSrcDC->Data() : nullptr;
  if (!d || !s) return FALSE;
  const QPoint a = d->toDev(x, y), b = d->toDev(x + nWidth, y + nHeight);
  const QRect dst = BlitRect(a, b, nWidth < 0, nHeight < 0);
  if (dst.isEmpty()) return TRUE;
  const BlitPart bp = BlitSource(d, s, dst, a.x() > b.x(), a.y() > b.y(), xSrc, ySrc, nSrcWidth, nSrcHeight,
                                 d->st.stretchMode == HALFTONE);
  if (bp.part.isNull()) return bp.hidden ? TRUE : FALSE;
  if (d->surface()) {
    BlendInto(d, bp.area, bp.part, dwRop, nullptr);
    return TRUE;
  }
  QPainter* p = d->painter();
  if (!p) return FALSE;
  p->save();
  p->setCompositionMode(dwRop == SRCCOPY ? QPainter::CompositionMode_Source : CompositionFor(dwRop));
  p->drawImage(bp.area.topLeft(), bp.part);
  p->restore();
  return TRUE;
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent) {
  DcData* d = Data();
  DcData* s = pSrcDC ? pSrcDC->Data() : nullptr;
  if (!d || !s || nDestWidth <= 0 || nDestHeight <= 0 || nSrcWidth <= 0 || nSrcHeight <= 0) return FALSE;
  const QRect dst = d->rectToDev(xDest, yDest, xDest + nDestWidth, yDest + nDestHeight);
  if (dst.isEmpty()) return FALSE;
  // The key is compared in the source's own colours, before any colour conversion.
  const BlitPart raw = BlitSource(d, s, dst, false, false, xSrc, ySrc, nSrcWidth, nSrcHeight, false, true);
  const BlitPart bp = BlitSource(d, s, dst, false, false, xSrc, ySrc, nSrcWidth, nSrcHeight, false);
  if (raw.part.isNull() || bp.part.isNull()) return FALSE;
  const QRgb key = gdi::ToQRgb(gdi::PlainColor(clrTransparent)) & 0xFFFFFF;
  QImage mask(bp.part.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < raw.part.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(raw.part.constScanLine(y));
    uchar* m = mask.scanLine(y);
    for (int x = 0; x < raw.part.width(); ++x) m[x] = (line[x] & 0xFFFFFF) == key ? 1 : 0;
  }
  if (d->surface()) {
    BlendInto(d, bp.area, bp.part, SRCCOPY, &mask);
    return TRUE;
  }
  QImage keyed = bp.part.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    const uchar* m = mask.constScanLine(y);
    for (int x = 0; x < keyed.width(); ++x)
      if (m[x]) line[x] = 0;
  }
  QPainter* p = d->painter();
  if (!p) return FALSE;
  p->drawImage(bp.area.topLeft(), keyed);
  return TRUE;
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend) {
  DcData* d = Data();
  DcData* s = pSrcDC ? pSrcDC->Data() : nullptr;
  if (!d || !s || blend.BlendOp != AC_SRC_OVER || nDestWidth <= 0 || nDestHeight <= 0 || nSrcWidth <= 0 ||
      nSrcHeight <= 0)
    return FALSE;
  const QRect dst = d->rectToDev(xDest, yDest, xDest + nDestWidth, yDest + nDestHeight);
  QImage* simg = s->pixels(false);
  if (!simg || dst.isEmpty() || static_cast<long long>(dst.width()) * dst.height() > (1LL << 24)) return FALSE;
  const QPoint a = s->toDev(xSrc, ySrc), b = s->toDev(xSrc + nSrcWidth, ySrc + nSrcHeight);
  const QRect sr = QRect(a, QPoint(b.x() - 1, b.y() - 1)).normalized();
  if (!simg->rect().contains(sr)) return FALSE;
  // The source as premultiplied colours with the blend's alpha applied.
  QImage src = simg->copy(sr);
  const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) && src.format() == QImage::Format_ARGB32;
  src = src.convertToFormat(QImage::Format_ARGB32);
  if (src.size() != dst.size()) src = src.scaled(dst.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const int k = blend.SourceConstantAlpha;
  for (int y = 0; y < src.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(src.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const QRgb c = line[x];
      const int alpha = perPixel ? qAlpha(c) : 255;
      // With per-pixel alpha the colour bytes are already premultiplied by it.
      auto scale = [&](int v) { return (v * k + 127) / 255; };
      line[x] = qRgba(scale(qRed(c)), scale(qGreen(c)), scale(qBlue(c)), scale(alpha));
    }
  }
  if (QImage* img = d->pixels()) {
    const QRegion clip = d->effectiveClip().intersected(dst);
    for (const QRect& r : clip)
      for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(img->scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y - dst.top()));
        for (int x = r.left(); x <= r.right(); ++x) {
          const QRgb c = in[x - dst.left()], o = out[x];
          const int inv = 255 - qAlpha(c);
          auto mix = [&](int sv, int dv) { return std::min(255, sv + (dv * inv + 127) / 255); };
          out[x] = qRgba(mix(qRed(c), qRed(o)), mix(qGreen(c), qGreen(o)), mix(qBlue(c), qBlue(o)),
                         img->format() == QImage::Format_ARGB32 ? mix(qAlpha(c), qAlpha(o)) : 255);
        }
      }
    return TRUE;
  }
  QPainter* p = d->painter();
  if (!p) return FALSE;
  src.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
  p->drawImage(dst.topLeft(), src);
  return TRUE;
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode) {
  DcData* d = Data();
  if (!d || !pVertices || !pMesh || nVertices > (1u << 20) || nMeshElements > (1u << 20)) return FALSE;
  QPainter* p = d->painter();
  if (!p) return FALSE;
  auto colour = [](const TRIVERTEX& v) { return QColor(v.Red >> 8, v.Green >> 8, v.Blue >> 8); };
  if (dwMode == GRADIENT_FILL_RECT_H || dwMode == GRADIENT_FILL_RECT_V) {
    const auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
    for (ULONG i = 0; i < nMeshElements; ++i) {
      if (rects[i].UpperLeft >= nVertices || rects[i].LowerRight >= nVertices) return FALSE;
      const TRIVERTEX& a = pVertices[rects[i].UpperLeft];
      const TRIVERTEX& b = pVertices[rects[i].LowerRight];
      const QRect r = d->rectToDev(a.x, a.y, b.x, b.y);
      if (r.isEmpty()) continue;
      // One colour per pixel column (or row), from the first colour to the second.
      const bool horizontal = dwMode == GRADIENT_FILL_RECT_H;
      const int n = horizontal ? r.width() : r.height();
      const QColor c0 = colour(a.x <= b.x && a.y <= b.y ? a : b), c1 = colour(a.x <= b.x && a.y <= b.y ? b : a);
      for (int k = 0; k < n; ++k) {
        const double t = n > 1 ? double(k) / (n - 1) : 0.0;
        const QColor c(int(std::lround(c0.red() + (c1.red() - c0.red()) * t)),
                       int(std::lround(c0.green() + (c1.green() - c0.green()) * t)),
                       int(std::lround(c0.blue() + (c1.blue() - c0.blue()) * t)));
        const QRect line = horizontal ? QRect(r.left() + k, r.top(), 1, r.height()) : QRect(r.left(), r.top() + k, r.width(), 1);
        p->fillRect(line, QColor::fromRgb(d->outColor(RGB(c.red(), c.green(), c.blue()))));
      }
    }
    return TRUE;
  }
  if (dwMode == GRADIENT_FILL_TRIANGLE) {
    const auto* tris = static_cast<const GRADIENT_TRIANGLE*>(pMesh);
    for (ULONG i = 0; i < nMeshElements; ++i) {
      const ULONG idx[3] = {tris[i].Vertex1, tris[i].Vertex2, tris[i].Vertex3};
      if (idx[0] >= nVertices || idx[1] >= nVertices || idx[2] >= nVertices) return FALSE;
      QPointF v[3];
      QColor c[3];
      for (int k = 0; k < 3; ++k) {
        v[k] = d->toDevF(pVertices[idx[k]].x, pVertices[idx[k]].y);
        c[k] = colour(pVertices[idx[k]]);
      }
      const double det = (v[1].y() - v[2].y()) * (v[0].x() - v[2].x()) + (v[2].x() - v[1].x()) * (v[0].y() - v[2].y());
      if (std::abs(det) < 1e-12) continue;
      const QRect box = QPolygonF({v[0], v[1], v[2]}).boundingRect().toAlignedRect().intersected(d->deviceBounds());
      if (box.width() * double(box.height()) > 64e6) return FALSE;
      // Colours interpolated over the triangle by barycentric weights at pixel centres.
      for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
          const double px = x + 0.5, py = y + 0.5;
          const double w0 = ((v[1].y() - v[2].y()) * (px - v[2].x()) + (v[2].x() - v[1].x()) * (py - v[2].y())) / det;
          const double w1 = ((v[2].y() - v[0].y()) * (px - v[2].x()) + (v[0].x() - v[2].x()) * (py - v[2].y())) / det;
          const double w2 = 1 - w0 - w1;
          if (w0 < 0 || w1 < 0 || w2 < 0) continue;
          auto ch = [&](int (QColor::*f)() const) {
            return int(std::lround((c[0].*f)() * w0 + (c[1].*f)() * w1 + (c[2].*f)() * w2));
          };
          p->fillRect(QRect(x, y, 1, 1), QColor::fromRgb(d->outColor(RGB(ch(&QColor::red), ch(&QColor::green), ch(&QColor::blue)))));
        }
    }
    return TRUE;
  }
  return FALSE;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  DcData* d = Data();
  if (!d) return;
  auto frame = [&](LPCRECT r, SIZE s, CBrush* brush) {
    if (!r) return;
    CBrush* old = SelectObject(brush ? brush : GetHalftoneBrush());
    const CRect rc(r);
    const int w = std::max<int>(0, s.cx), h = std::max<int>(0, s.cy);
    PatBlt(rc.left, rc.top, rc.Width(), h, PATINVERT);
    PatBlt(rc.left, rc.bottom - h, rc.Width(), h, PATINVERT);
    PatBlt(rc.left, rc.top + h, w, rc.Height() - 2 * h, PATINVERT);
    PatBlt(rc.right - w, rc.top + h, w, rc.Height() - 2 * h, PATINVERT);
    if (old) SelectObject(old);
  };
  // Inversion undoes itself: the last frame goes, the new one comes.
  frame(lpRectLast, sizeLast, pBrushLast ? pBrushLast : pBrush);
  frame(lpRect, size, pBrush);
}

// Whether a device point may be touched; cheap when there is no clip.
static bool Visible(const DcData* d, const QPoint& pt) {
  if (!d->st.hasClip && d->kind != DcKind::Painter) return d->deviceBounds().contains(pt);
  return d->effectiveClip().contains(pt);
}

COLORREF CDC::GetPixel(int x, int y) const {
  DcData* d = Data();
  if (!d) return CLR_INVALID;
  const QPoint pt = d->toDev(x, y);
  if (!Visible(d, pt)) return CLR_INVALID;
  QImage* img = d->pixels(false);
  if (!img || !img->rect().contains(pt)) return CLR_INVALID;
  return gdi::FromQRgb(img->pixel(pt));
}
COLORREF CDC::GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
  DcData* d = Data();
  if (!d) return CLR_INVALID;
  const QPoint pt = d->toDev(x, y);
  if (!Visible(d, pt)) return CLR_INVALID;
  const QRgb c = d->outColor(crColor);
  if (QImage* img = d->pixels()) {
    auto* line = reinterpret_cast<QRgb*>(img->scanLine(pt.y()));
    line[pt.x()] = (c & 0xFFFFFF) | 0xFF000000u;
  } else if (QPainter* p = d->painter()) {
    p->fillRect(QRect(pt, QSize(1, 1)), QColor::fromRgb(c));
  } else {
    return CLR_INVALID;
  }
  return gdi::FromQRgb(c);
}
COLORREF CDC::SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return SetPixel(x, y, crColor) != CLR_INVALID; }
BOOL CDC::SetPixelV(POINT point, COLORREF crColor) { return SetPixelV(point.x, point.y, crColor); }

// ---- device --------------------------------------------------------------------------------

int CDC::GetDeviceCaps(int nIndex) const {
  DcData* d = Data();
  if (!d) return 0;
  const bool device = d->kind == DcKind::Device && d->device && d->device->devType() != QInternal::Image;
  auto* paged = device ? dynamic_cast<QPagedPaintDevice*>(d->device) : nullptr;
  QRect screen(0, 0, 1920, 1080);
  if (!device) {
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = QRect(QPoint(0, 0), s->geometry().size());
  }
  const int horzRes = device ? d->device->width() : screen.width();
  const int vertRes = device ? d->device->height() : screen.height();
  switch (nIndex) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return paged ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return device ? d->device->widthMM() : static_cast<int>(std::lround(horzRes * 25.4 / d->dpiX));
    case VERTSIZE: return device ? d->device->heightMM() : static_cast<int>(std::lround(vertRes * 25.4 / d->dpiY));
    case HORZRES: return horzRes;
    case VERTRES: return vertRes;
    case DESKTOPHORZRES: return horzRes;
    case DESKTOPVERTRES: return vertRes;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return d->dpiX;
    case LOGPIXELSY: return d->dpiY;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT;
    case VREFRESH: return 60;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case PHYSICALWIDTH:
    case PHYSICALHEIGHT:
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: {
      if (!paged) return 0;
      const QPageLayout layout = paged->pageLayout();
      const QRect full = layout.fullRectPixels(d->dpiX);
      const QRect paint = layout.paintRectPixels(d->dpiX);
      if (nIndex == PHYSICALWIDTH) return full.width();
      if (nIndex == PHYSICALHEIGHT) return full.height();
      if (nIndex == PHYSICALOFFSETX) return paint.left() - full.left();
      return paint.top() - full.top();
    }
    default: return 0;
  }
}

// ---- text ----------------------------------------------------------------------------------

namespace {

struct TextSetup {
  QFont font;
  QFontMetrics fm;
  explicit TextSetup(const DcData* d) : font(d->qfont()), fm(font) {}
};

// Width in device pixels of text with tabs expanded to stops every tabWidth pixels (0: no
// expansion) or at the given stops.
int TabbedWidth(const QFontMetrics& fm, const QString& text, int tabWidth, const std::vector<int>& stops = {},
                int charExtra = 0) {
  if (tabWidth <= 0 && stops.empty()) {
    // Without expansion a tab is an ordinary narrow character.
    QString plain = text;
    plain.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return fm.horizontalAdvance(plain) + charExtra * int(text.size());
  }
  int x = 0;
  const QStringList parts = text.split(QLatin1Char('\t'));
  for (int i = 0; i < parts.size(); ++i) {
    x += fm.horizontalAdvance(parts[i]) + charExtra * int(parts[i].size());
    if (i + 1 < parts.size()) {
      int next = -1;
      for (int s : stops)
        if (s > x) { next = s; break; }
      if (next < 0) {
        const int w = tabWidth > 0 ? tabWidth : std::max(1, stops.empty() ? 8 * fm.averageCharWidth() : stops.back());
        next = (x / w + 1) * w;
      }
      x = next;
    }
  }
  return x;
}

// Draws text with the painter's pen colour. On bitmaps the glyph outlines are filled, so
// the pixels depend on the font alone and not on the platform's glyph rendering settings.
void PutText(const DcData* d, QPainter& p, QPointF at, const QString& text) {
  if (text.isEmpty()) return;
  if (!d->surface()) {
    p.drawText(at, text);
    return;
  }
  QPainterPath glyphs;
  glyphs.addText(at, p.font(), text);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, !(p.font().styleStrategy() & QFont::NoAntialias));
  p.fillPath(glyphs, p.pen().color());
  p.restore();
}

void DrawTabbed(const DcData* d, QPainter& p, const QFontMetrics& fm, QPointF at, const QString& text, int tabWidth,
                const std::vector<int>& stops = {}) {
  if (tabWidth <= 0 && stops.empty()) {
    QString plain = text;
    plain.replace(QLatin1Char('\t'), QLatin1Char(' '));
    PutText(d, p, at, plain);
    return;
  }
  int x = 0;
  const QStringList parts = text.split(QLatin1Char('\t'));
  for (int i = 0; i < parts.size(); ++i) {
    PutText(d, p, at + QPointF(x, 0), parts[i]);
    x += fm.horizontalAdvance(parts[i]);
    if (i + 1 < parts.size()) {
      int next = -1;
      for (int s : stops)
        if (s > x) { next = s; break; }
      if (next < 0) {
        const int w = tabWidth > 0 ? tabWidth : 8 * fm.averageCharWidth();
        next = (x / std::max(1, w) + 1) * std::max(1, w);
      }
      x = next;
    }
  }
}

// One line of DrawText: its text (prefix characters removed) and the positions to underline.
struct TextLine {
  QString text;
  std::vector<int> underline;
};

bool IsBreakableCjk(QChar c) {
  const ushort u = c.unicode();
  return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
         (u >= 0xFF00 && u <= 0xFFEF);
}

TextLine StripPrefix(const QString& s, UINT fmt) {
  TextLine line;
  if (fmt & DT_NOPREFIX) {
    line.text = s;
    return line;
  }
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == QLatin1Char('&')) {
      if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
        line.text += QLatin1Char('&');
        ++i;
      } else if (i + 1 < s.size()) {
        line.underline.push_back(int(line.text.size()));
      }
      continue;
    }
    line.text += s[i];
  }
  return line;
}

QString Elide(const QFontMetrics& fm, const QString& s, int width, UINT fmt, int tabWidth) {
  if (TabbedWidth(fm, s, tabWidth) <= width) return s;
  const QString dots = QStringLiteral("...");
  if (fmt & DT_PATH_ELLIPSIS) {
    const int cut = std::max(s.lastIndexOf(QLatin1Char('\\')), s.lastIndexOf(QLatin1Char('/')));
    if (cut > 0) {
      const QString tail = s.mid(cut);
      for (int k = cut; k >= 0; --k) {
        const QString t = s.left(k) + dots + tail;
        if (TabbedWidth(fm, t, tabWidth) <= width) return t;
      }
      return dots + tail;
    }
  }
  int k = int(s.size());
  while (k > 0 && TabbedWidth(fm, s.left(k) + dots, tabWidth) > width) --k;
  if (fmt & DT_WORD_ELLIPSIS) {
    int w = k;
    while (w > 0 && !s[w - 1].isSpace() && !(w < s.size() && s[w].isSpace())) --w;
    if (w > 0) k = w;
    while (k > 0 && s[k - 1].isSpace()) --k;
  }
  return s.left(k) + dots;
}

// Splits a paragraph into lines no wider than width, breaking at spaces (and between
// ideographs); a word wider than the line is broken only for edit-control layout.
std::vector<QString> WrapParagraph(const QFontMetrics& fm, const QString& para, int width, UINT fmt, int tabWidth) {
  std::vector<QString> lines;
  QString cur;
  int i = 0;
  const int n = int(para.size());
  auto fits = [&](const QString& t) { return TabbedWidth(fm, t, tabWidth) <= width; };
  while (i < n) {
    // Next token: spaces, a run of other characters, or a single ideograph.
    int j = i;
    if (para[i].isSpace()) {
      while (j < n && para[j].isSpace()) ++j;
    } else if (IsBreakableCjk(para[i])) {
      j = i + 1;
    } else {
      while (j < n && !para[j].isSpace() && !IsBreakableCjk(para[j])) ++j;
    }
    const QString token = para.mid(i, j - i);
    const bool space = para[i].isSpace();
    if (fits(cur + token) || cur.isEmpty()) {
      if (!cur.isEmpty() || !space || lines.empty()) cur += token;
      if (!fits(cur) && !space && (fmt & DT_EDITCONTROL)) {
        // Break an over-long word character by character.
        QString piece;
        for (QChar c : QString(cur)) {
          if (!piece.isEmpty() && !fits(piece + c)) {
            lines.push_back(piece);
            piece.clear();
          }
          piece += c;
        }
        cur = piece;
      }
    } else if (space) {
      lines.push_back(cur);
      cur.clear();
    } else {
      while (!cur.isEmpty() && cur.back().isSpace()) cur.chop(1);
      lines.push_back(cur);
      cur = token;
      if (!fits(cur) && (fmt & DT_EDITCONTROL)) {
        QString piece;
        for (QChar c : QString(cur)) {
          if (!piece.isEmpty() && !fits(piece + c)) {
            lines.push_back(piece);
            piece.clear();
          }
          piece += c;
        }
        cur = piece;
      }
    }
    i = j;
  }
  while (!cur.isEmpty() && cur.back().isSpace()) cur.chop(1);
  lines.push_back(cur);
  return lines;
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
  return ExtTextOut(x, y, 0, nullptr, lpszString, static_cast<UINT>(std::max(0, nCount)), nullptr);
}
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths) {
  DcData* d = Data();
  if (!d || (nCount > 0 && !lpszString) || nCount > (1u << 24)) return FALSE;
  QPainter* p = d->painter();
  if (!p) return FALSE;
  QString text = ToQ(lpszString, static_cast<int>(nCount));
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  const TextSetup ts(d);
  const QFontMetrics& fm = ts.fm;
  QRect rect;
  if (lpRect) rect = d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  if ((nOptions & ETO_OPAQUE) && lpRect && !rect.isEmpty())
    p->fillRect(rect, QColor::fromRgb(d->outColor(d->st.bkColor)));
  if (text.isEmpty()) return TRUE;

  // Advances of the characters, in device pixels.
  std::vector<double> adv;
  double width = 0;
  if (lpDxWidths) {
    for (UINT i = 0; i < nCount; ++i) {
      adv.push_back(lpDxWidths[i] * std::abs(d->sx()));
      width += adv.back();
    }
  } else {
    width = fm.horizontalAdvance(text) + d->st.charExtra * std::abs(d->sx()) * int(nCount);
  }
  const bool updateCp = (d->st.textAlign & TA_UPDATECP) != 0;
  const QPoint refLog = updateCp ? d->st.curPos : QPoint(x, y);
  const QPointF ref = d->toDevF(refLog.x(), refLog.y());
  const UINT align = d->st.textAlign;
  double x0 = 0;
  if ((align & TA_CENTER) == TA_CENTER) x0 = -width / 2;
  else if (align & TA_RIGHT) x0 = -width;
  double base = fm.ascent();
  if ((align & TA_BASELINE) == TA_BASELINE) base = 0;
  else if (align & TA_BOTTOM) base = -fm.descent();
  const double esc = d->font() ? d->font()->logFont.lfEscapement / 10.0 : 0.0;

  if (d->pathOpen) {
    // Glyph outlines into the path, placed as they would be drawn.
    QPainterPath glyphs;
    glyphs.addText(QPointF(x0, base), ts.font, text);
    QTransform t;
    t.translate(ref.x(), ref.y());
    if (esc != 0) t.rotate(d->sy() < 0 ? esc : -esc);
    d->gdiPath.addPath(t.map(glyphs));
    return TRUE;
  }

  p->save();
  if ((nOptions & ETO_CLIPPED) && lpRect) p->setClipRect(rect, Qt::IntersectClip);
  p->translate(ref);
  if (esc != 0) p->rotate(d->sy() < 0 ? esc : -esc);
  if (d->st.bkMode == OPAQUE)
    p->fillRect(QRectF(x0, base - fm.ascent(), width, fm.ascent() + fm.descent()),
                QColor::fromRgb(d->outColor(d->st.bkColor)));
  p->setFont(ts.font);
  p->setPen(QColor::fromRgb(d->outColor(d->st.textColor)));
  if (!lpDxWidths && d->st.charExtra == 0) {
    PutText(d, *p, QPointF(x0, base), text);
  } else {
    double cx = x0;
    for (int i = 0; i < text.size(); ++i) {
      PutText(d, *p, QPointF(cx, base), QString(text[i]));
      cx += lpDxWidths ? adv[size_t(i)] : fm.horizontalAdvance(text[i]) + d->st.charExtra * std::abs(d->sx());
    }
  }
  p->restore();
  if (updateCp) {
    const int w = static_cast<int>(std::lround(width / std::abs(d->sx())));
    if ((align & TA_CENTER) == TA_CENTER) {
    } else if (align & TA_RIGHT) {
      d->st.curPos.rx() -= w;
    } else {
      d->st.curPos.rx() += w;
    }
  }
  return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
  return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin) {
  DcData* d = Data();
  if (!d || !lpszString || nCount < 0 || nCount > (1 << 24)) return CSize(0, 0);
  QPainter* p = d->painter();
  if (!p) return CSize(0, 0);
  const QString text = ToQ(lpszString, nCount);
  const TextSetup ts(d);
  std::vector<int> stops;
  int tabWidth = 0;
  if (nTabPositions > 0 && lpnTabStopPositions) {
    if (nTabPositions == 1) tabWidth = static_cast<int>(std::lround(lpnTabStopPositions[0] * std::abs(d->sx())));
    else
      for (int i = 0; i < std::min(nTabPositions, 1024); ++i)
        stops.push_back(static_cast<int>(std::lround((lpnTabStopPositions[i] - (x - nTabOrigin)) * std::abs(d->sx()))));
  } else {
    tabWidth = 8 * ts.fm.averageCharWidth();
  }
  const QPointF ref = d->toDevF(x, y);
  const int width = TabbedWidth(ts.fm, text, tabWidth, stops);
  p->save();
  if (d->st.bkMode == OPAQUE)
    p->fillRect(QRectF(ref.x(), ref.y(), width, ts.fm.height()), QColor::fromRgb(d->outColor(d->st.bkColor)));
  p->setFont(ts.font);
  p->setPen(QColor::fromRgb(d->outColor(d->st.textColor)));
  DrawTabbed(d, *p, ts.fm, ref + QPointF(0, ts.fm.ascent()), text, tabWidth, stops);
  p->restore();
  return CSize(static_cast<int>(std::lround(width / std::abs(d->sx()))),
               static_cast<int>(std::lround(ts.fm.height() / std::abs(d->sy()))));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  DcData* d = Data();
  if (!d || !lpRect || !lpszString) return 0;
  const int len = LengthOf(lpszString, nCount);
  if (len > (1 << 22)) return 0;
  const QString all = ToQ(lpszString, len);
  UINT fmt = nFormat;
  int tabChars = 8;
  if (fmt & DT_TABSTOP) {
    tabChars = (fmt >> 8) & 0xFF;
    fmt &= ~0xFF00u;
  }
  const TextSetup ts(d);
  const QFontMetrics& fm = ts.fm;
  const int tabWidth = (fmt & DT_EXPANDTABS) ? std::max(1, tabChars) * fm.averageCharWidth() : 0;
  int lineH = fm.height() + ((fmt & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
  const QRect box = d->rectToDev(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
  const QPoint topLeftDev = d->toDev(lpRect->left, lpRect->top);
  const int boxW = std::max(0, std::abs(d->toDev(lpRect->right, 0).x() - d->toDev(lpRect->left, 0).x()));
  const int boxH = std::max(0, std::abs(d->toDev(0, lpRect->bottom).y() - d->toDev(0, lpRect->top).y()));
  const QRect area(topLeftDev, QSize(boxW, boxH));
  Q_UNUSED(box);

  // Paragraphs, lines and prefix characters.
  std::vector<TextLine> lines;
  const bool single = (fmt & DT_SINGLELINE) != 0;
  QStringList paras;
  if (single) {
    QString s = all;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    paras << s;
  } else {
    QString s = all;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    paras = s.split(QLatin1Char('\n'));
  }
  const bool ellipsis = (fmt & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0;
  for (const QString& para : paras) {
    TextLine stripped = StripPrefix(para, fmt);
    if ((fmt & DT_WORDBREAK) && !single) {
      // Wrapping loses the underline positions only in later lines; keep the first line's.
      std::vector<QString> wrapped = WrapParagraph(fm, stripped.text, boxW, fmt, tabWidth);
      int offset = 0;
      for (QString& w : wrapped) {
        TextLine tl;
        const int start = stripped.text.indexOf(w, offset);
        for (int u : stripped.underline)
          if (start >= 0 && u >= start && u < start + w.size()) tl.underline.push_back(u - start);
        if (start >= 0) offset = start + int(w.size());
        tl.text = ellipsis ? Elide(fm, w, boxW, fmt, tabWidth) : w;
        lines.push_back(tl);
      }
    } else {
      if (ellipsis) stripped.text = Elide(fm, stripped.text, boxW, fmt, tabWidth);
      lines.push_back(stripped);
    }
  }
  if (lines.empty()) lines.push_back(TextLine());

  int maxW = 0;
  for (const TextLine& l : lines) maxW = std::max(maxW, TabbedWidth(fm, l.text, tabWidth));
  const int totalH = lineH * int(lines.size());
  const double ax = std::abs(d->sx()), ay = std::abs(d->sy());
  if (fmt & DT_CALCRECT) {
    if (!((fmt & DT_WORDBREAK) && !single && maxW <= boxW) || true)
      lpRect->right = lpRect->left + static_cast<LONG>(std::lround(maxW / ax)) * (d->sx() < 0 ? -1 : 1);
    lpRect->bottom = lpRect->top + static_cast<LONG>(std::lround(totalH / ay)) * (d->sy() < 0 ? -1 : 1);
    return static_cast<int>(std::lround(totalH / ay));
  }

  QPainter* p = d->painter();
  if (!p) return 0;
  int y = area.top();
  if (single && (fmt & DT_VCENTER)) y = area.top() + (area.height() - lineH) / 2;
  else if (single && (fmt & DT_BOTTOM)) y = area.top() + area.height() - lineH;
  p->save();
  if (!(fmt & DT_NOCLIP)) p->setClipRect(area, Qt::IntersectClip);
  p->setFont(ts.font);
  const QColor textColor = QColor::fromRgb(d->outColor(d->st.textColor));
  const QColor bkColor = QColor::fromRgb(d->outColor(d->st.bkColor));
  for (const TextLine& l : lines) {
    const int w = TabbedWidth(fm, l.text, tabWidth);
    int x = area.left();
    if (fmt & DT_CENTER) x = area.left() + (area.width() - w) / 2;
    else if (fmt & DT_RIGHT) x = area.left() + area.width() - w;
    if (d->st.bkMode == OPAQUE && w > 0) p->fillRect(QRect(x, y, w, lineH), bkColor);
    p->setPen(textColor);
    if (!(fmt & DT_PREFIXONLY)) DrawTabbed(d, *p, fm, QPointF(x, y + fm.ascent()), l.text, tabWidth);
    if (!(fmt & DT_HIDEPREFIX)) {
      for (int u : l.underline) {
        if (u >= l.text.size()) continue;
        const int ux = x + TabbedWidth(fm, l.text.left(u), tabWidth);
        const int uw = std::max(1, fm.horizontalAdvance(l.text[u]));
        p->fillRect(QRect(ux, y + fm.ascent() + 1, uw, std::max(1, fm.lineWidth())), textColor);
      }
    }
    y += lineH;
  }
  p->restore();
  int result = totalH;
  if (single && (fmt & (DT_VCENTER | DT_BOTTOM))) result = y - area.top();
  return static_cast<int>(std::lround(result / ay));
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return DrawText(str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  DcData* d = Data();
  if (!d || nCount < 0 || (nCount > 0 && !lpszString) || nCount > (1 << 24)) return CSize(0, 0);
  const TextSetup ts(d);
  const QString text = ToQ(lpszString, nCount);
  const double w = ts.fm.horizontalAdvance(text) + d->st.charExtra * std::abs(d->sx()) * nCount;
  return CSize(static_cast<int>(std::lround(w / std::abs(d->sx()))),
               static_cast<int>(std::lround(ts.fm.height() / std::abs(d->sy()))));
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const { return GetTextExtent(lpszString, nCount); }
CSize CDC::GetOutputTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const {
  DcData* d = Data();
  if (!d || !lpszString || nCount < 0 || nCount > (1 << 24)) return CSize(0, 0);
  const TextSetup ts(d);
  std::vector<int> stops;
  int tabWidth = 8 * ts.fm.averageCharWidth();
  if (nTabPositions > 0 && lpnTabStopPositions) {
    if (nTabPositions == 1) tabWidth = static_cast<int>(std::lround(lpnTabStopPositions[0] * std::abs(d->sx())));
    else {
      tabWidth = 0;
      for (int i = 0; i < std::min(nTabPositions, 1024); ++i)
        stops.push_back(static_cast<int>(std::lround(lpnTabStopPositions[i] * std::abs(d->sx()))));
    }
  }
  const int w = TabbedWidth(ts.fm, ToQ(lpszString, nCount), tabWidth, stops);
  return CSize(static_cast<int>(std::lround(w / std::abs(d->sx()))),
               static_cast<int>(std::lround(ts.fm.height() / std::abs(d->sy()))));
}
CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const {
  return GetTabbedTextExtent(str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const {
  DcData* d = Data();
  if (!d || !tm) return FALSE;
  const TextSetup ts(d);
  const QFontMetrics& fm = ts.fm;
  const LOGFONTW lf = d->font() ? d->font()->logFont : LOGFONTW{};
  const double ax = std::abs(d->sx()), ay = std::abs(d->sy());
  auto X = [&](double v) { return static_cast<LONG>(std::lround(v / ax)); };
  auto Y = [&](double v) { return static_cast<LONG>(std::lround(v / ay)); };
  *tm = TEXTMETRIC{};
  tm->tmAscent = Y(fm.ascent());
  tm->tmDescent = Y(fm.descent());
  tm->tmHeight = tm->tmAscent + tm->tmDescent;
  tm->tmInternalLeading = std::max<LONG>(0, tm->tmHeight - Y(ts.font.pixelSize()));
  tm->tmExternalLeading = Y(std::max(0, fm.leading()));
  tm->tmAveCharWidth = X(fm.averageCharWidth());
  tm->tmMaxCharWidth = X(fm.maxWidth());
  tm->tmWeight = lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL;
  tm->tmItalic = lf.lfItalic;
  tm->tmUnderlined = lf.lfUnderline;
  tm->tmStruckOut = lf.lfStrikeOut;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFFFC;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
  // The pitch bit is set for variable-pitch fonts.
  const bool fixed = QFontInfo(ts.font).fixedPitch();
  tm->tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                                           (lf.lfPitchAndFamily & 0xF0));
  tm->tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
  return TRUE;
}
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return GetTextMetrics(lpMetrics); }

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const {
  CString face;
  const int n = GetTextFace(face);
  if (!lpszFacename || nCount <= 0) return n + 1;
  const int copy = std::min(n, nCount - 1);
  for (int i = 0; i < copy; ++i) lpszFacename[i] = face[i];
  lpszFacename[copy] = 0;
  return copy;
}

int CDC::GetTextFace(CString& rString) const {
  DcData* d = Data();
  if (!d) return 0;
  const LOGFONTW lf = d->font() ? d->font()->logFont : LOGFONTW{};
  int len = 0;
  while (len < LF_FACESIZE && lf.lfFaceName[len]) ++len;
  if (len > 0) rString = CString(lf.lfFaceName, len);
  else rString = CString::FromQString(QFontInfo(d->qfont()).family());
  return rString.GetLength();
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const {
  DcData* d = Data();
  if (!d || !lpBuffer || nLastChar < nFirstChar || nLastChar - nFirstChar > 0xFFFF || nLastChar > 0x10FFFF)
    return FALSE;
  const TextSetup ts(d);
  for (UINT c = nFirstChar; c <= nLastChar; ++c) {
    const char32_t cp = c;
    const QString s = QString::fromUcs4(&cp, 1);
    lpBuffer[c - nFirstChar] = static_cast<INT>(std::lround(ts.fm.horizontalAdvance(s) / std::abs(d->sx())));
  }
  return TRUE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush) {
  DcData* d = Data();
  if (!d || !lpszText) return FALSE;
  const int len = nTextLen > 0 ? nTextLen : LengthOf(lpszText, -1);
  CRect r(pt, size);
  if (size.cx == 0 || size.cy == 0) {
    CSize ext = GetTextExtent(lpszText, len);
    r = CRect(pt, ext);
  }
  const UINT fmt = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | (bPrefixText ? 0 : DT_NOPREFIX) |
                   ((nFlags & DSS_HIDEPREFIX) ? DT_HIDEPREFIX : 0) | ((nFlags & DSS_PREFIXONLY) ? DT_PREFIXONLY : 0);
  const int oldMode = SetBkMode(TRANSPARENT);
  const COLORREF oldText = GetTextColor();
  if (nFlags & DSS_DISABLED) {
    CRect shadow = r;
    shadow.OffsetRect(1, 1);
    SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(lpszText, len, &shadow, fmt);
    SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
  } else if ((nFlags & DSS_MONO) && pBrush) {
    LOGBRUSH lb{};
    pBrush->GetLogBrush(&lb);
    SetTextColor(lb.lbColor);
  }
  DrawText(lpszText, len, &r, fmt);
  SetTextColor(oldText);
  SetBkMode(oldMode);
  return TRUE;
}

namespace {
KcIconImageProvider g_iconProvider = nullptr;

// Draws an image normally, embossed grey (disabled) or in one colour (mono), as DrawState does.
BOOL DrawStateImage(DcData* d, QImage img, CPoint pt, CSize size, UINT nFlags, CBrush* pBrush, bool keyedByCorner);
}  // namespace

void AfxSetIconImageProvider(KcIconImageProvider provider) { g_iconProvider = provider; }

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return DrawState(CPoint(x, y), CSize(0, 0), hIcon, DST_ICON); }
BOOL CDC::DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush) {
  DcData* d = Data();
  QImage img;
  if (!d || !hIcon || !g_iconProvider || !g_iconProvider(hIcon, std::max<int>(0, size.cx), std::max<int>(0, size.cy), img) ||
      img.isNull())
    return FALSE;
  return DrawStateImage(d, img.convertToFormat(QImage::Format_ARGB32), pt, size, nFlags, pBrush, false);
}

BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon) {
  CDC* dc = CDC::FromHandle(hDC);
  return dc ? dc->DrawIcon(x, y, hIcon) : FALSE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON hIcon, int cx, int cy, UINT, HBRUSH, UINT flags) {
  CDC* dc = CDC::FromHandle(hdc);
  if (!dc) return FALSE;
  if (flags & DI_DEFAULTSIZE) cx = cy = 0;
  return dc->DrawState(CPoint(x, y), CSize(cx, cy), hIcon, DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
  DcData* d = Data();
  if (!d || !pBitmap) return FALSE;
  GdiObjectData* b = gdi::Lookup(pBitmap->GetSafeHandle(), GdiKind::Bitmap);
  if (!b) return FALSE;
  if (b->selectedIn) b->selectedIn->flush();
  return DrawStateImage(d, b->image.convertToFormat(QImage::Format_ARGB32), pt, size, nFlags, pBrush, true);
}

namespace {
BOOL DrawStateImage(DcData* d, QImage img, CPoint pt, CSize size, UINT nFlags, CBrush* pBrush, bool keyedByCorner) {
  QPainter* p = d->painter();
  if (!p || img.isNull()) return FALSE;
  const QSize sz = (size.cx > 0 && size.cy > 0) ? QSize(size.cx, size.cy) : img.size();
  const QPoint at = d->toDev(pt.x, pt.y);
  if (nFlags & (DSS_DISABLED | DSS_MONO)) {
    // Embossed: the image's dark pixels as a highlight offset by one, then in shadow grey.
    // Bitmaps take their top-left colour as background; icons their transparency.
    const QRgb bg = img.pixel(0, 0);
    auto shape = [&](COLORREF c) {
      QImage m(img.size(), QImage::Format_ARGB32);
      const QRgb col = d->outColor(c);
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
          const QRgb v = img.pixel(x, y);
          const bool ink = keyedByCorner ? (v != bg && qGray(v) < 192) : (qAlpha(v) >= 128 && qGray(v) < 192);
          m.setPixel(x, y, ink ? (col | 0xFF000000u) : 0u);
        }
      return m;
    };
    if (nFlags & DSS_DISABLED) {
      p->drawImage(QRect(at + QPoint(1, 1), sz), shape(::GetSysColor(COLOR_BTNHIGHLIGHT)));
      p->drawImage(QRect(at, sz), shape(::GetSysColor(COLOR_BTNSHADOW)));
    } else {
      LOGBRUSH lb{};
      if (pBrush) pBrush->GetLogBrush(&lb);
      p->drawImage(QRect(at, sz), shape(lb.lbColor));
    }
    return TRUE;
  }
  if (keyedByCorner && img.format() == QImage::Format_ARGB32) {
    // Bitmaps draw opaque whatever their alpha bytes say.
    for (int y = 0; y < img.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) line[x] |= 0xFF000000u;
    }
  }
  p->drawImage(QRect(at, sz), img);
  return TRUE;
}
}  // namespace

// ---- flat functions on a bare HDC ----------------------------------------------------------

HDC CreateCompatibleDC(HDC hdc) {
  DcData* ref = DcData::Lookup(hdc);
  DcData* d = DcData::New(DcKind::Memory);
  if (ref) {
    d->dpiX = ref->kind == DcKind::Device ? 96 : ref->dpiX;
    d->dpiY = ref->kind == DcKind::Device ? 96 : ref->dpiY;
  }
  d->st.bitmap = gdi::Ref(DefaultBitmap());
  return d->handle();
}

BOOL DeleteDC(HDC hdc) {
  DcData* d = DcData::Lookup(hdc);
  if (!d) return FALSE;
  if (d->owner) return d->owner->DeleteDC();
  DcData::Delete(d);
  return TRUE;
}

HDC CreateIC(LPCWSTR, LPCWSTR, LPCWSTR, const void*) { return DcData::New(DcKind::Info)->handle(); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->SelectObject(h) : nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DcData* d = DcData::Lookup(hdc);
  if (!d) return nullptr;
  GdiObjectData* o = nullptr;
  switch (type) {
    case OBJ_PEN: o = d->pen(); break;
    case OBJ_BRUSH: o = d->brush(); break;
    case OBJ_FONT: o = d->font(); break;
    case OBJ_BITMAP: o = d->st.bitmap.get(); break;
    default: break;
  }
  return o ? o->handle() : nullptr;
}

int GetDeviceCaps(HDC hdc, int index) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->GetDeviceCaps(index) : 0;
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->GetTextMetrics(lptm) : FALSE;
}

BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
  CDC* dc = CDC::FromHandle(hdc);
  if (!dc || !psizl) return FALSE;
  *psizl = dc->GetTextExtent(lpString, c);
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                          LPSIZE lpSize) {
  DcData* d = DcData::Lookup(hdc);
  if (!d || cchString < 0 || cchString > (1 << 24) || (cchString > 0 && !lpszString)) return FALSE;
  const TextSetup ts(d);
  const QString text = ToQ(lpszString, cchString);
  const double ax = std::abs(d->sx());
  int fit = 0;
  double x = 0;
  for (int i = 0; i < text.size(); ++i) {
    x += ts.fm.horizontalAdvance(text[i]) + d->st.charExtra * ax;
    const int logical = static_cast<int>(std::lround(x / ax));
    if (lpnDx) lpnDx[i] = logical;
    if (logical <= nMaxExtent && fit == i) fit = i + 1;
  }
  if (lpnFit) *lpnFit = fit;
  if (lpSize) *lpSize = CSize(static_cast<int>(std::lround(x / ax)), static_cast<int>(std::lround(ts.fm.height() / std::abs(d->sy()))));
  return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->SetTextColor(color) : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->SetBkColor(color) : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->SetBkMode(mode) : 0;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->BitBlt(x, y, cx, cy, CDC::FromHandle(hdcSrc), x1, y1, rop) : FALSE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  CDC* dc = CDC::FromHandle(hDC);
  if (!dc || !lprc) return 0;
  // A small number stands for a system colour plus one.
  const auto v = reinterpret_cast<UINT_PTR>(hbr);
  if (v > 0 && v <= 31) hbr = ::GetSysColorBrush(static_cast<int>(v - 1));
  CBrush* b = CBrush::FromHandle(hbr);
  if (!b) return 0;
  dc->FillRect(lprc, b);
  return 1;
}

int DrawText(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  CDC* dc = CDC::FromHandle(hdc);
  return dc ? dc->DrawText(lpchText, cchText, lprc, format) : 0;
}
