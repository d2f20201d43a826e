#pragma once
// A pen: cosmetic (styled, 1 pixel) or geometric (width with end caps and joins).

#include "platform/gdi/CGdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr);

  static CPen* PASCAL FromHandle(HPEN hPen);
  operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }

  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = nullptr);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  int GetLogPen(LOGPEN* pLogPen) const;
  int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};
