#include "platform/bcg/CBCGPRibbonSeparator.h"

#include <algorithm>

#include "platform/gdi/CDC.h"

IMPLEMENT_DYNCREATE(CBCGPRibbonSeparator, CBCGPBaseRibbonElement)

CSize CBCGPRibbonSeparator::GetRegularSize(CDC*) { return CSize(7, 0); }

void CBCGPRibbonSeparator::OnDraw(CDC* pDC) {
  if (!pDC) return;
  const int x = m_rect.left + m_rect.Width() / 2;
  pDC->FillSolidRect(x, m_rect.top + 3, 1, std::max(0, m_rect.Height() - 6), RGB(160, 160, 160));
}
