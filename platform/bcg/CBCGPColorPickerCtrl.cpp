#include "platform/bcg/CBCGPColorPickerCtrl.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "platform/bcg/CBCGPDrawManager.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinCtrlConstants.h"

namespace {
double Clamp01(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }
QColor Q(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace

IMPLEMENT_DYNCREATE(CBCGPColorPickerCtrl, CWnd)

BEGIN_MESSAGE_MAP(CBCGPColorPickerCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CBCGPColorPickerCtrl::CBCGPColorPickerCtrl() = default;
CBCGPColorPickerCtrl::~CBCGPColorPickerCtrl() = default;

BOOL CBCGPColorPickerCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CBCGPColorPickerCtrl::SetType(COLORTYPE colorType) {
  m_colorType = colorType;
  if (m_hWnd) Invalidate();
}

void CBCGPColorPickerCtrl::SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate) {
  m_dblHue = Clamp01(hue);
  m_dblLum = Clamp01(luminance);
  m_dblSat = Clamp01(saturation);
  if (bInvalidate && m_hWnd) Invalidate();
}

void CBCGPColorPickerCtrl::GetHLS(double* hue, double* luminance, double* saturation) const {
  if (hue) *hue = m_dblHue;
  if (luminance) *luminance = m_dblLum;
  if (saturation) *saturation = m_dblSat;
}

void CBCGPColorPickerCtrl::SetHue(double hue) { SetHLS(hue, m_dblLum, m_dblSat); }
void CBCGPColorPickerCtrl::SetLuminance(double luminance) { SetHLS(m_dblHue, luminance, m_dblSat); }
void CBCGPColorPickerCtrl::SetSaturation(double saturation) { SetHLS(m_dblHue, m_dblLum, saturation); }

COLORREF CBCGPColorPickerCtrl::GetColor() const { return CBCGPDrawManager::HLStoRGB_ONE(m_dblHue, m_dblLum, m_dblSat); }

void CBCGPColorPickerCtrl::SetColor(COLORREF color) {
  double h, s, l;
  CBCGPDrawManager::RGBtoHSL(color, &h, &s, &l);
  SetHLS(h, l, s);
}

void CBCGPColorPickerCtrl::SetLuminanceBarWidth(int w) {
  m_nLumBarWidth = std::max(w, 1);
  if (m_hWnd) Invalidate();
}

BOOL CBCGPColorPickerCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CBCGPColorPickerCtrl::OnPaint() {
  CPaintDC dc(this);
  QPainter* p = dc.GetQPainter();
  CRect r;
  GetClientRect(&r);
  if (!p || r.IsRectEmpty()) return;
  const int w = r.Width(), h = r.Height();
  switch (m_colorType) {
    case PICKER: {
      QImage img(w, h, QImage::Format_RGB32);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const COLORREF c = CBCGPDrawManager::HLStoRGB_ONE(w > 1 ? double(x) / (w - 1) : 0.0, 0.5,
                                                            h > 1 ? 1.0 - double(y) / (h - 1) : 1.0);
          img.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
      p->drawImage(0, 0, img);
      const int cx = static_cast<int>(std::lround(m_dblHue * (w - 1)));
      const int cy = static_cast<int>(std::lround((1.0 - m_dblSat) * (h - 1)));
      p->setPen(Qt::black);
      p->drawLine(cx - 6, cy, cx - 2, cy);
      p->drawLine(cx + 2, cy, cx + 6, cy);
      p->drawLine(cx, cy - 6, cx, cy - 2);
      p->drawLine(cx, cy + 2, cx, cy + 6);
      break;
    }
    case LUMINANCE: {
      p->fillRect(0, 0, w, h, QColor(240, 240, 240));
      const int bar = std::min(m_nLumBarWidth, w);
      for (int y = 0; y < h; ++y) {
        const COLORREF c = CBCGPDrawManager::HLStoRGB_ONE(m_dblHue, h > 1 ? 1.0 - double(y) / (h - 1) : 0.5, m_dblSat);
        p->fillRect(0, y, bar, 1, Q(c));
      }
      const int my = static_cast<int>(std::lround((1.0 - m_dblLum) * (h - 1)));
      p->setPen(Qt::black);
      p->setBrush(Qt::black);
      const QPoint tri[3] = {QPoint(bar + 1, my), QPoint(bar + 6, my - 4), QPoint(bar + 6, my + 4)};
      p->drawPolygon(tri, 3);
      break;
    }
    default: {
      p->fillRect(0, 0, w, h, Q(GetColor()));
      if (m_colorOriginal != (COLORREF)-1) p->fillRect(0, h / 2, w, h - h / 2, Q(m_colorOriginal));
      break;
    }
  }
}

void CBCGPColorPickerCtrl::PickAt(CPoint point) {
  CRect r;
  GetClientRect(&r);
  const int w = std::max(static_cast<int>(r.Width()), 2), h = std::max(static_cast<int>(r.Height()), 2);
  const double fx = Clamp01(double(point.x) / (w - 1));
  const double fy = Clamp01(double(point.y) / (h - 1));
  if (m_colorType == PICKER)
    SetHLS(fx, m_dblLum, 1.0 - fy);
  else if (m_colorType == LUMINANCE)
    SetHLS(m_dblHue, 1.0 - fy, m_dblSat);
  else
    return;
  if (CWnd* parent = GetParent(); parent && parent->m_hWnd)
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CBCGPColorPickerCtrl::OnLButtonDown(UINT, CPoint point) {
  m_bTracking = TRUE;
  SetCapture();
  PickAt(point);
}

void CBCGPColorPickerCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTracking && (nFlags & MK_LBUTTON)) PickAt(point);
}

void CBCGPColorPickerCtrl::OnLButtonUp(UINT, CPoint) {
  if (!m_bTracking) return;
  m_bTracking = FALSE;
  ReleaseCapture();
}
