#include "platform/gdi/CBrush.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
CBrush::CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
CBrush::CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle()))) : FALSE;
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreateSysColorBrush(int nIndex) {
  // A brush of its own (not the shared system brush), so deleting it is harmless.
  if (nIndex < 0 || nIndex > 30) return FALSE;
  return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}
int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const { return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush); }
