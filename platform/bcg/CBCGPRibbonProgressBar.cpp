#include "platform/bcg/CBCGPRibbonProgressBar.h"

#include <algorithm>

#include "platform/gdi/CDC.h"

IMPLEMENT_DYNCREATE(CBCGPRibbonProgressBar, CBCGPBaseRibbonElement)

CBCGPRibbonProgressBar::CBCGPRibbonProgressBar() = default;

CBCGPRibbonProgressBar::CBCGPRibbonProgressBar(UINT nID, int nWidth, int nHeight)
    : m_nWidth(std::max(nWidth, 1)), m_nHeight(std::max(nHeight, 1)) {
  m_nID = nID;
}

CBCGPRibbonProgressBar::~CBCGPRibbonProgressBar() = default;

void CBCGPRibbonProgressBar::SetRange(int nMin, int nMax) {
  m_nMin = std::min(nMin, nMax);
  m_nMax = std::max(nMin, nMax);
  m_nPos = std::clamp(m_nPos, m_nMin, m_nMax);
}

void CBCGPRibbonProgressBar::SetPos(int nPos, BOOL bRedraw) {
  m_nPos = std::clamp(nPos, m_nMin, m_nMax);
  if (bRedraw) Redraw();
}

CSize CBCGPRibbonProgressBar::GetRegularSize(CDC*) { return CSize(m_nWidth, m_nHeight); }

void CBCGPRibbonProgressBar::OnDraw(CDC* pDC) {
  if (!pDC) return;
  CRect r(m_rect);
  r.DeflateRect(2, std::max(0, (r.Height() - 14) / 2));
  pDC->Draw3dRect(&r, RGB(128, 128, 128), RGB(255, 255, 255));
  r.DeflateRect(1, 1);
  pDC->FillSolidRect(&r, RGB(255, 255, 255));
  const int range = m_nMax - m_nMin;
  CRect done(r);
  if (m_bInfiniteMode) {
    // A block that walks along the bar with the position.
    const int block = std::max(r.Width() / 5, 4);
    const int span = std::max(r.Width() - block, 1);
    done.left = r.left + (range > 0 ? static_cast<int>((static_cast<long long>(m_nPos - m_nMin) * span) / range) : 0);
    done.right = std::min(done.left + block, r.right);
  } else {
    done.right = r.left + (range > 0 ? static_cast<int>((static_cast<long long>(m_nPos - m_nMin) * r.Width()) / range) : 0);
  }
  if (done.right > done.left) pDC->FillSolidRect(&done, RGB(6, 176, 37));
}
