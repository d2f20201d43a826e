#include "platform/win/CImageList.h"

#include <QtGui/QImage>
#include <QtCore/QPointer>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>

#include "platform/afx/ResourceModule.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxImageListData.h"
#include "platform/win/CWnd.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

// Larger images than this are refused (a damaged resource must not allocate wildly).
constexpr int kMaxSide = 1024;
constexpr size_t kMaxImages = 65536;

QImage Masked(const QImage& src, COLORREF crMask) {
  QImage img = src.convertToFormat(QImage::Format_ARGB32);
  if (crMask == CLR_NONE || img.isNull()) return img;
  QRgb key;
  if (crMask == CLR_DEFAULT)
    key = img.pixel(0, 0) & 0xFFFFFF;
  else
    key = qRgb(GetRValue(crMask), GetGValue(crMask), GetBValue(crMask)) & 0xFFFFFF;
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
  }
  return img;
}

}  // namespace

QPixmap AfxImageListPixmap(const AfxImageListData* p, int nImage, int nOverlay) {
  if (!p || nImage < 0 || static_cast<size_t>(nImage) >= p->images.size()) return QPixmap();
  QPixmap pm = p->images[static_cast<size_t>(nImage)];
  if (nOverlay > 0 && nOverlay < 16) {
    const int o = p->overlays[nOverlay];
    if (o >= 0 && static_cast<size_t>(o) < p->images.size() && o != nImage) {
      QPainter painter(&pm);
      painter.drawPixmap(0, 0, p->images[static_cast<size_t>(o)]);
    }
  }
  return pm;
}

CImageList::CImageList() = default;

CImageList::~CImageList() { DeleteImageList(); }

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST h) { return h ? h->owner : nullptr; }

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
  DeleteImageList();
  if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return FALSE;
  m_hImageList = new AfxImageListData;
  m_hImageList->cx = cx;
  m_hImageList->cy = cy;
  m_hImageList->owner = this;
  for (int& o : m_hImageList->overlays) o = -1;
  m_owned = true;
  return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("BITMAP", nBitmapID, data) || data.empty()) return FALSE;
  QImage img;
  if (!img.loadFromData(data.data(), static_cast<int>(data.size())) || img.isNull()) return FALSE;
  if (cx <= 0 || img.height() > kMaxSide || cx > kMaxSide) return FALSE;
  if (!Create(cx, img.height(), ILC_COLOR32 | ILC_MASK, 0, nGrow)) return FALSE;
  const QImage masked = Masked(img, crMask);
  for (int x = 0; x + cx <= masked.width() && m_hImageList->images.size() < kMaxImages; x += cx)
    m_hImageList->images.push_back(QPixmap::fromImage(masked.copy(x, 0, cx, masked.height())));
  return TRUE;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  if (m_owned) delete m_hImageList;
  m_hImageList = nullptr;
  m_owned = false;
  return TRUE;
}

int CImageList::GetImageCount() const { return m_hImageList ? static_cast<int>(m_hImageList->images.size()) : 0; }

BOOL CImageList::GetIconSize(int& cx, int& cy) const {
  if (!m_hImageList) return FALSE;
  cx = m_hImageList->cx;
  cy = m_hImageList->cy;
  return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  if (!m_hImageList || !pbmImage) return -1;
  QImage img = pbmImage->GetImage().convertToFormat(QImage::Format_ARGB32);
  if (img.isNull()) return -1;
  if (pbmMask) {
    // White in the mask is transparent.
    const QImage mask = pbmMask->GetImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height() && y < mask.height(); ++y)
      for (int x = 0; x < img.width() && x < mask.width(); ++x)
        if ((mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) img.setPixel(x, y, 0);
  }
  const int first = GetImageCount();
  const int cx = m_hImageList->cx;
  for (int x = 0; x + cx <= img.width() && m_hImageList->images.size() < kMaxImages; x += cx)
    m_hImageList->images.push_back(QPixmap::fromImage(img.copy(x, 0, cx, std::min(img.height(), m_hImageList->cy))));
  return GetImageCount() > first ? first : -1;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  if (!m_hImageList || !pbmImage) return -1;
  const QImage img = Masked(pbmImage->GetImage(), crMask);
  if (img.isNull()) return -1;
  const int first = GetImageCount();
  const int cx = m_hImageList->cx;
  for (int x = 0; x + cx <= img.width() && m_hImageList->images.size() < kMaxImages; x += cx)
    m_hImageList->images.push_back(QPixmap::fromImage(img.copy(x, 0, cx, std::min(img.height(), m_hImageList->cy))));
  return GetImageCount() > first ? first : -1;
}

int CImageList::Add(HICON hIcon) {
  if (!m_hImageList) return -1;
  const QPixmap pm = AfxPixmapFromIcon(hIcon);
  if (pm.isNull()) return -1;
  m_hImageList->images.push_back(pm.scaled(m_hImageList->cx, m_hImageList->cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return GetImageCount() - 1;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  if (!m_hImageList || nImage < 0 || nImage >= GetImageCount()) return FALSE;
  CImageList tmp;
  tmp.Create(m_hImageList->cx, m_hImageList->cy, ILC_COLOR32, 1, 1);
  if (tmp.Add(pbmImage, pbmMask) < 0) return FALSE;
  m_hImageList->images[static_cast<size_t>(nImage)] = tmp.m_hImageList->images.front();
  return TRUE;
}

BOOL CImageList::Remove(int nImage) {
  if (!m_hImageList) return FALSE;
  if (nImage == -1) {
    m_hImageList->images.clear();
    return TRUE;
  }
  if (nImage < 0 || nImage >= GetImageCount()) return FALSE;
  m_hImageList->images.erase(m_hImageList->images.begin() + nImage);
  return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF cr) {
  if (!m_hImageList) return CLR_NONE;
  const COLORREF old = m_hImageList->bk;
  m_hImageList->bk = cr;
  return old;
}

COLORREF CImageList::GetBkColor() const { return m_hImageList ? m_hImageList->bk : CLR_NONE; }

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) {
  if (!m_hImageList || nOverlay < 1 || nOverlay > 15 || nImage < 0 || nImage >= GetImageCount()) return FALSE;
  m_hImageList->overlays[nOverlay] = nImage;
  return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  if (!pDC || !m_hImageList) return FALSE;
  QPixmap pm = AfxImageListPixmap(m_hImageList, nImage, static_cast<int>((nStyle & ILD_OVERLAYMASK) >> 8));
  if (pm.isNull()) return FALSE;
  QPainter* p = pDC->GetQPainter();
  if (!p) return FALSE;
  if (!(nStyle & ILD_TRANSPARENT) && m_hImageList->bk != CLR_NONE)
    p->fillRect(pt.x, pt.y, pm.width(), pm.height(),
                QColor(GetRValue(m_hImageList->bk), GetGValue(m_hImageList->bk), GetBValue(m_hImageList->bk)));
  p->drawPixmap(pt.x, pt.y, pm);
  if (nStyle & (ILD_BLEND25 | ILD_BLEND50)) {
    QColor hl = QColor(0, 120, 215);
    hl.setAlpha((nStyle & ILD_BLEND50) ? 128 : 64);
    QPainter::CompositionMode old = p->compositionMode();
    p->setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p->fillRect(pt.x, pt.y, pm.width(), pm.height(), hl);
    p->setCompositionMode(old);
  }
  return TRUE;
}

namespace {
// The one drag in progress.
struct DragState {
  QPointer<QLabel> picture;
  QPoint hotSpot;
  HWND lock = nullptr;
  bool dragging = false;
};
DragState& Drag() {
  static DragState d;
  return d;
}
}  // namespace

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot) {
  const QPixmap pm = AfxImageListPixmap(m_hImageList, nImage);
  if (pm.isNull()) return FALSE;
  EndDrag();
  DragState& d = Drag();
  auto* label = new QLabel;
  label->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
  label->setAttribute(Qt::WA_TranslucentBackground, true);
  label->setAttribute(Qt::WA_ShowWithoutActivating, true);
  label->setPixmap(pm);
  label->resize(pm.size());
  d.picture = label;
  d.hotSpot = QPoint(ptHotSpot.x, ptHotSpot.y);
  d.dragging = true;
  return TRUE;
}

namespace {
void PlaceDrag(CPoint pt) {
  DragState& d = Drag();
  if (!d.picture) return;
  QPoint at(pt.x, pt.y);
  if (QWidget* w = CWnd::QWidgetFromHwnd(d.lock)) at = w->mapToGlobal(at);
  d.picture->move(at - d.hotSpot);
}
}  // namespace

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  DragState& d = Drag();
  if (!d.dragging || !d.picture) return FALSE;
  d.lock = pWndLock ? pWndLock->GetSafeHwnd() : nullptr;
  PlaceDrag(point);
  d.picture->show();
  return TRUE;
}

BOOL PASCAL CImageList::DragMove(CPoint pt) {
  if (!Drag().dragging) return FALSE;
  PlaceDrag(pt);
  return TRUE;
}

BOOL PASCAL CImageList::DragLeave(CWnd*) {
  DragState& d = Drag();
  if (!d.dragging) return FALSE;
  if (d.picture) d.picture->hide();
  return TRUE;
}

BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) {
  DragState& d = Drag();
  if (!d.dragging || !d.picture) return FALSE;
  d.picture->setVisible(bShow != FALSE);
  return TRUE;
}

void PASCAL CImageList::EndDrag() {
  DragState& d = Drag();
  delete d.picture.data();
  d.picture = nullptr;
  d.lock = nullptr;
  d.dragging = false;
}

BOOL PASCAL CImageList::GetDragPosition(POINT* pScreenTopLeft) {
  DragState& d = Drag();
  if (!d.dragging || !d.picture) return FALSE;
  if (pScreenTopLeft) *pScreenTopLeft = POINT{d.picture->x(), d.picture->y()};
  return d.picture->isVisible();
}
