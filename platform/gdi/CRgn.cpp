#include "platform/gdi/CRgn.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode) {
  return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return pDC ? Attach(::PathToRegion(pDC->GetSafeHdc())) : FALSE; }
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT lpRect) {
  if (lpRect) ::SetRectRgn(*this, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  return ::CombineRgn(*this, pRgn1 ? static_cast<HRGN>(pRgn1->GetSafeHandle()) : nullptr,
                      pRgn2 ? static_cast<HRGN>(pRgn2->GetSafeHandle()) : nullptr, nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  return ::CombineRgn(*this, pRgnSrc ? static_cast<HRGN>(pRgnSrc->GetSafeHandle()) : nullptr, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
  return pRgn && ::EqualRgn(*this, static_cast<HRGN>(pRgn->GetSafeHandle()));
}
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::OffsetRgn(POINT point) { return ::OffsetRgn(*this, point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return ::PtInRegion(*this, point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(*this, lpRect); }
