#include "platform/bcg/CBCGPBaseRibbonElement.h"

#include "platform/bcg/CBCGPRibbonStatusBar.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNAMIC(CBCGPBaseRibbonElement, CObject)

CBCGPBaseRibbonElement::CBCGPBaseRibbonElement() = default;
CBCGPBaseRibbonElement::~CBCGPBaseRibbonElement() = default;

void CBCGPBaseRibbonElement::SetText(LPCTSTR lpszText) { m_strText = lpszText ? lpszText : u""; }

CSize CBCGPBaseRibbonElement::GetRegularSize(CDC* pDC) {
  if (!pDC) return CSize(0, 0);
  const CSize s = pDC->GetTextExtent(m_strText);
  return CSize(s.cx + 8, s.cy);
}

void CBCGPBaseRibbonElement::OnDraw(CDC* pDC) {
  if (!pDC) return;
  CRect r(m_rect);
  r.DeflateRect(4, 0);
  pDC->DrawText(m_strText, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CBCGPBaseRibbonElement::Redraw() {
  if (m_pParent) m_pParent->RedrawElement(this);
}
