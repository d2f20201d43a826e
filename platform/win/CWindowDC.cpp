#include "platform/win/CWindowDC.h"

#include <QtGui/QImage>

IMPLEMENT_DYNAMIC(CWindowDC, CClientDC)

CWindowDC::CWindowDC(CWnd* pWnd) : CClientDC(nullptr) {
  DeleteDC();
  m_scratch.reset();
  Open(pWnd, TRUE);
}

CWindowDC::~CWindowDC() = default;
