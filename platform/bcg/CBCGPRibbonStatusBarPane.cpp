#include "platform/bcg/CBCGPRibbonStatusBarPane.h"

#include <algorithm>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "platform/bcg/CBCGPRibbonStatusBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/gdi/CDC.h"

IMPLEMENT_DYNCREATE(CBCGPRibbonStatusBarPane, CBCGPBaseRibbonElement)

CBCGPRibbonStatusBarPane::CBCGPRibbonStatusBarPane() = default;

CBCGPRibbonStatusBarPane::CBCGPRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic, HICON hIcon,
                                                   LPCTSTR lpszAlmostLargeText)
    : m_bIsStatic(bIsStatic), m_hIcon(hIcon) {
  m_nID = nCmdID;
  SetText(lpszText);
  SetAlmostLargeText(lpszAlmostLargeText);
}

CBCGPRibbonStatusBarPane::~CBCGPRibbonStatusBarPane() = default;

void CBCGPRibbonStatusBarPane::SetAlmostLargeText(LPCTSTR lpszAlmostLargeText) {
  m_strAlmostLargeText = lpszAlmostLargeText ? lpszAlmostLargeText : u"";
}

BOOL CBCGPRibbonStatusBarPane::SetAnimationList(UINT uiAnimationListResID, int cxAnimation, COLORREF clrTransp) {
  auto images = std::make_unique<CBCGPToolBarImages>();
  images->SetTransparentColor(clrTransp);
  // The frames are as high as the strip.
  images->SetImageSize(CSize(std::max(cxAnimation, 1), 0));
  if (!images->Load(uiAnimationListResID)) return FALSE;
  m_pAnimation = std::move(images);
  m_nAnimationFrame = 0;
  return m_pAnimation->GetCount() > 0;
}

int CBCGPRibbonStatusBarPane::GetAnimationFrameCount() const { return m_pAnimation ? m_pAnimation->GetCount() : 0; }

void CBCGPRibbonStatusBarPane::StartAnimation(UINT uiFrameRate, UINT uiDuration) {
  if (GetAnimationFrameCount() == 0) return;
  m_bAnimating = TRUE;
  m_uiFrameRate = std::max(uiFrameRate, 10u);
  m_uiDuration = uiDuration;
  m_uiElapsed = 0;
  m_uiSinceFrame = 0;
  m_nAnimationFrame = 0;
  Redraw();
  if (m_pParent) m_pParent->UpdateAnimationTimer();
}

void CBCGPRibbonStatusBarPane::StopAnimation() {
  m_bAnimating = FALSE;
  m_nAnimationFrame = 0;
  Redraw();
}

BOOL CBCGPRibbonStatusBarPane::OnAnimationTimer(UINT nElapsed) {
  if (!m_bAnimating) return FALSE;
  m_uiElapsed += nElapsed;
  if (m_uiDuration != (UINT)-1 && m_uiElapsed >= m_uiDuration) {
    StopAnimation();
    return FALSE;
  }
  m_uiSinceFrame += nElapsed;
  if (m_uiSinceFrame < m_uiFrameRate) return TRUE;
  m_uiSinceFrame = 0;
  const int n = GetAnimationFrameCount();
  m_nAnimationFrame = n ? (m_nAnimationFrame + 1) % n : 0;
  Redraw();
  return TRUE;
}

COLORREF CBCGPRibbonStatusBarPane::OnFillBackground(CDC*) { return (COLORREF)-1; }

CSize CBCGPRibbonStatusBarPane::GetRegularSize(CDC* pDC) {
  if (!pDC) return CSize(0, 0);
  const CString& sizing = m_strAlmostLargeText.IsEmpty() ? m_strText : m_strAlmostLargeText;
  CSize s = pDC->GetTextExtent(sizing.IsEmpty() ? CString(u" ") : sizing);
  if (m_strText.IsEmpty() && m_strAlmostLargeText.IsEmpty()) s.cx = 0;
  int extra = 8;
  if (m_hIcon || GetAnimationFrameCount() > 0) extra += 18;
  return CSize(s.cx + extra, s.cy);
}

void CBCGPRibbonStatusBarPane::OnDraw(CDC* pDC) {
  if (!pDC) return;
  const COLORREF fill = OnFillBackground(pDC);
  if (fill != (COLORREF)-1) pDC->FillSolidRect(&m_rect, fill);
  CRect r(m_rect);
  r.DeflateRect(4, 0);
  if (GetAnimationFrameCount() > 0 && (m_bAnimating || !m_hIcon)) {
    QImage frame;
    if (m_pAnimation->GetImage(m_nAnimationFrame, frame)) {
      if (QPainter* p = pDC->GetQPainter()) p->drawImage(QPoint(r.left, r.top + (r.Height() - frame.height()) / 2), frame);
    }
    r.left += 18;
  } else if (m_hIcon) {
    pDC->DrawIcon(r.left, r.top + (r.Height() - 16) / 2, m_hIcon);
    r.left += 18;
  }
  const COLORREF old = pDC->GetTextColor();
  if (m_bIsDisabled) pDC->SetTextColor(RGB(128, 128, 128));
  pDC->DrawText(m_strText, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  pDC->SetTextColor(old);
}
