#include "platform/win/CScrollView.h"

#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/CClientDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {
constexpr int kWheelDelta = 120;
constexpr int kWheelLines = 3;
}  // namespace

CScrollView::CScrollView() = default;
CScrollView::~CScrollView() = default;

CSize CScrollView::ToDevice(SIZE sizeLog) const {
  if (m_nMapMode == MM_TEXT || m_nMapMode == 0) return CSize(sizeLog);
  // Logical units of a metric or English mode become pixels of the screen.
  CClientDC dc(nullptr);
  dc.SetMapMode(m_nMapMode);
  CSize s(sizeLog);
  dc.LPtoDP(&s);
  return CSize(std::abs(s.cx), std::abs(s.cy));
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = CSize(std::max(0L, static_cast<long>(sizeTotal.cx)), std::max(0L, static_cast<long>(sizeTotal.cy)));
  m_totalDev = ToDevice(m_totalLog);
  m_pageDev = ToDevice(sizePage);
  m_lineDev = ToDevice(sizeLine);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  m_lineDev.cx = std::max(1L, static_cast<long>(m_lineDev.cx));
  m_lineDev.cy = std::max(1L, static_cast<long>(m_lineDev.cy));
  if (GetSafeHwnd()) {
    UpdateBars();
    Invalidate(TRUE);
  }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal) {
  m_nMapMode = MM_ANISOTROPIC;
  m_totalLog = sizeTotal;
  m_totalDev = sizeTotal;
  if (GetSafeHwnd()) {
    ShowScrollBar(SB_BOTH, FALSE);
    SetScrollPos(SB_HORZ, 0);
    SetScrollPos(SB_VERT, 0);
    Invalidate(TRUE);
  }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT && m_nMapMode != 0 && m_nMapMode != MM_ANISOTROPIC) {
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.DPtoLP(&pt);
  }
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  CPoint dev(pt);
  if (m_nMapMode != MM_TEXT && m_nMapMode != 0 && m_nMapMode != MM_ANISOTROPIC) {
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.LPtoDP(&dev);
  }
  ScrollToDevicePosition(dev);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
  const CPoint before = GetDeviceScrollPosition();
  SetScrollPos(SB_HORZ, std::max(0L, static_cast<long>(ptDev.x)));
  SetScrollPos(SB_VERT, std::max(0L, static_cast<long>(ptDev.y)));
  if (GetDeviceScrollPosition() != before) Invalidate(TRUE);
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || !GetSafeHwnd() || m_nMapMode == 0 || m_nMapMode == MM_ANISOTROPIC) return;
  m_bInsideUpdate = TRUE;
  // The room there is without bars, then with the bars the total needs.
  CRect client;
  GetClientRect(&client);
  const int extent = GetQWidget() ? GetQWidget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
  int width = client.Width(), height = client.Height();
  // A bar shown now takes room that the total may not need.
  QWidget* w = GetQWidget();
  if (w && w->width() > client.Width()) width += extent;
  if (w && w->height() > client.Height()) height += extent;
  bool needH = m_totalDev.cx > width;
  bool needV = m_totalDev.cy > height;
  if (needH && !needV && m_totalDev.cy > height - extent) needV = true;
  if (needV && !needH && m_totalDev.cx > width - extent) needH = true;
  if (needV) width -= extent;
  if (needH) height -= extent;
  const CPoint pos = GetDeviceScrollPosition();
  const auto apply = [this](int nBar, bool needed, int total, int page, int position) {
    if (needed) ShowScrollBar(static_cast<UINT>(nBar), TRUE);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, needed ? total - 1 : 0,
                    static_cast<UINT>(std::max(0, needed ? page : 0)), needed ? position : 0, 0};
    SetScrollInfo(nBar, &info, TRUE);
    if (!needed) ShowScrollBar(static_cast<UINT>(nBar), FALSE);
  };
  apply(SB_HORZ, needH, m_totalDev.cx, width, pos.x);
  apply(SB_VERT, needV, m_totalDev.cy, height, pos.y);
  m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (pDC && m_nMapMode != 0) {
    pDC->SetMapMode(m_nMapMode);
    if (m_nMapMode == MM_ANISOTROPIC) {
      CRect client;
      GetClientRect(&client);
      pDC->SetWindowExt(m_totalLog);
      pDC->SetViewportExt(client.Size());
    }
    if (!pDC->IsPrinting()) {
      CPoint org(0, 0);
      if (m_nMapMode != MM_ANISOTROPIC) org = -GetDeviceScrollPosition();
      if (m_bCenter) {
        CRect client;
        GetClientRect(&client);
        if (client.Width() > m_totalDev.cx) org.x = (client.Width() - m_totalDev.cx) / 2;
        if (client.Height() > m_totalDev.cy) org.y = (client.Height() - m_totalDev.cy) / 2;
      }
      pDC->SetViewportOrg(org);
    }
  }
  CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(nSBCode, 0xFF), nPos); }

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, nSBCode), nPos); }

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  const CPoint pos = GetDeviceScrollPosition();
  const auto delta = [](UINT code, int current, int line, int page, int limit, UINT thumb) -> int {
    switch (code) {
      case SB_TOP: return -current;
      case SB_BOTTOM: return limit - current;
      case SB_LINEUP: return -line;
      case SB_LINEDOWN: return line;
      case SB_PAGEUP: return -page;
      case SB_PAGEDOWN: return page;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: return static_cast<int>(thumb) - current;
      default: return 0;
    }
  };
  CSize scroll(0, 0);
  const UINT hCode = LOBYTE(nScrollCode), vCode = HIBYTE(nScrollCode);
  if (hCode != 0xFF) scroll.cx = delta(hCode, pos.x, m_lineDev.cx, m_pageDev.cx, GetScrollLimit(SB_HORZ), nPos);
  if (vCode != 0xFF) scroll.cy = delta(vCode, pos.y, m_lineDev.cy, m_pageDev.cy, GetScrollLimit(SB_VERT), nPos);
  return OnScrollBy(scroll, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const CPoint pos = GetDeviceScrollPosition();
  // Only directions with a bar scroll; the position stays inside the range.
  const long limitX = GetScrollLimit(SB_HORZ);
  const long limitY = GetScrollLimit(SB_VERT);
  CPoint next(std::clamp(static_cast<long>(pos.x + sizeScroll.cx), 0L, std::max(0L, limitX)),
              std::clamp(static_cast<long>(pos.y + sizeScroll.cy), 0L, std::max(0L, limitY)));
  if (next == pos) return FALSE;
  if (bDoScroll) ScrollToDevicePosition(next);
  return TRUE;
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
  const bool vertical = GetScrollLimit(SB_VERT) > 0;
  const bool horizontal = GetScrollLimit(SB_HORZ) > 0;
  if (!vertical && !horizontal) return FALSE;
  const int lines = -zDelta * kWheelLines / kWheelDelta;
  if (vertical) return OnScrollBy(CSize(0, lines * m_lineDev.cy));
  return OnScrollBy(CSize(lines * m_lineDev.cx, 0));
}
