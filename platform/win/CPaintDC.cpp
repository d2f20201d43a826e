#include "platform/win/CPaintDC.h"

#include "platform/win/CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) {
  if (!pWnd) return;
  m_hWnd = pWnd->GetSafeHwnd();
  const CRect paint = pWnd->GetPaintRect();
  if (QPainter* p = pWnd->GetPaintPainter()) CreateFromPainter(p, paint.IsRectEmpty() ? nullptr : &paint);
  m_ps.hdc = m_hDC;
  m_ps.fErase = FALSE;
  m_ps.rcPaint = paint;
}

CPaintDC::~CPaintDC() { DeleteDC(); }
