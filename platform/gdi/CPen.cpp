#include "platform/gdi/CPen.h"

#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}

CPen* PASCAL CPen::FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (nWidth < 0 || nStyleCount < 0) return FALSE;
  return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                               static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }

int CPen::GetLogPen(LOGPEN* pLogPen) const { return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen); }

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const { return ::GetObject(m_hObject, sizeof(EXTLOGPEN), pLogPen); }
