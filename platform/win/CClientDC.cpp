#include "platform/win/CClientDC.h"

#include <QtGui/QImage>

#include "platform/gdi/GdiApi.h"
#include "platform/win/CWnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) { Open(pWnd, FALSE); }

CClientDC::~CClientDC() { DeleteDC(); }

void CClientDC::Open(CWnd* pWnd, BOOL) {
  m_hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  CRect client;
  if (pWnd && pWnd->GetSafeHwnd()) pWnd->GetClientRect(&client);
  if (pWnd && pWnd->IsInPaint()) {
    if (QPainter* p = pWnd->GetPaintPainter()) {
      CreateFromPainter(p, &client);
      return;
    }
  }
  const COLORREF bk = ::GetSysColor(COLOR_WINDOW);
  m_scratch = std::make_unique<QImage>(std::max(1, client.Width()), std::max(1, client.Height()),
                                       QImage::Format_RGB32);
  m_scratch->fill(qRgb(GetRValue(bk), GetGValue(bk), GetBValue(bk)));
  CreateFromPaintDevice(m_scratch.get());
}
