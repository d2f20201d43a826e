#pragma once
// A region in device units: rectangles, ellipses, polygons and their combinations.

#include "platform/afx/CRect.h"
#include "platform/gdi/CGdiObject.h"

class CDC;

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
public:
  CRgn() = default;

  static CRgn* PASCAL FromHandle(HRGN hRgn);
  operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
  BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode);

  // The region of the context's finished path (BeginPath ... EndPath).
  BOOL CreateFromPath(CDC* pDC);
  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT lpRect);
  // Returns NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
  int CopyRgn(const CRgn* pRgnSrc);
  BOOL EqualRgn(const CRgn* pRgn) const;
  int OffsetRgn(int x, int y);
  int OffsetRgn(POINT point);
  int GetRgnBox(LPRECT lpRect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const;
  BOOL RectInRegion(LPCRECT lpRect) const;
};
