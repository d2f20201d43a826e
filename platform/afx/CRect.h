#pragma once
// A rectangle (left, top, right, bottom). Right and bottom are exclusive:
// a point on them is outside, and the width is right - left.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CSize.h"

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef RECT RECTL;

// Written as "(left, top, right, bottom)" in logs and test failure messages.
std::ostream& operator<<(std::ostream& os, const RECT& r);

class CRect : public tagRECT {
public:
  CRect() noexcept { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& src) noexcept { CopyRect(&src); }
  CRect(LPCRECT lpSrc) noexcept { CopyRect(lpSrc); }
  CRect(POINT point, SIZE size) noexcept {
    left = point.x; top = point.y; right = point.x + size.cx; bottom = point.y + size.cy;
  }
  CRect(POINT topLeft, POINT bottomRight) noexcept {
    left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
  }

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  CSize Size() const noexcept { return CSize(right - left, bottom - top); }
  // TopLeft and BottomRight alias the rectangle's own coordinates.
  CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
  void SwapLeftRight() noexcept { LONG t = left; left = right; right = t; }

  operator LPRECT() noexcept { return this; }
  operator LPCRECT() const noexcept { return this; }

  // Empty: no area (width or height not positive). Null: all four zero.
  BOOL IsRectEmpty() const noexcept { return right <= left || bottom <= top; }
  BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const noexcept {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }

  void SetRect(int x1, int y1, int x2, int y2) noexcept { left = x1; top = y1; right = x2; bottom = y2; }
  void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
  void CopyRect(LPCRECT lpSrc) noexcept;
  BOOL EqualRect(LPCRECT lpRect) const noexcept;

  void InflateRect(int x, int y) noexcept { left -= x; top -= y; right += x; bottom += y; }
  void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) noexcept;
  void InflateRect(int l, int t, int r, int b) noexcept { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) noexcept;
  void DeflateRect(int l, int t, int r, int b) noexcept { left += l; top += t; right -= r; bottom -= b; }

  void OffsetRect(int x, int y) noexcept { left += x; top += y; right += x; bottom += y; }
  void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void MoveToY(int y) noexcept { bottom = Height() + y; top = y; }
  void MoveToX(int x) noexcept { right = Width() + x; left = x; }
  void MoveToXY(int x, int y) noexcept { MoveToX(x); MoveToY(y); }
  void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }
  void NormalizeRect() noexcept;

  // Each sets *this and returns FALSE when the result is empty; an empty
  // result is always the zero rectangle.
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept;
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept;
  BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) noexcept;

  // Scales every coordinate by nMultiplier / nDivisor, rounded.
  CRect MulDiv(int nMultiplier, int nDivisor) const noexcept;

  void operator=(const RECT& src) noexcept { CopyRect(&src); }
  friend bool operator==(const tagRECT& a, const tagRECT& b) noexcept {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend bool operator!=(const tagRECT& a, const tagRECT& b) noexcept {
    return a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom;
  }
  void operator+=(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void operator+=(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void operator+=(LPCRECT lpRect) noexcept { InflateRect(lpRect); }
  void operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT lpRect) noexcept { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) noexcept { CRect a(*this); IntersectRect(&a, &rect); }
  void operator|=(const RECT& rect) noexcept { CRect a(*this); UnionRect(&a, &rect); }

  CRect operator+(POINT pt) const noexcept { CRect r(*this); r.OffsetRect(pt.x, pt.y); return r; }
  CRect operator-(POINT pt) const noexcept { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
  CRect operator+(SIZE size) const noexcept { CRect r(*this); r.OffsetRect(size.cx, size.cy); return r; }
  CRect operator-(SIZE size) const noexcept { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
  CRect operator+(LPCRECT lpRect) const noexcept { CRect r(*this); r.InflateRect(lpRect); return r; }
  CRect operator-(LPCRECT lpRect) const noexcept { CRect r(*this); r.DeflateRect(lpRect); return r; }
  CRect operator&(const RECT& rect2) const noexcept { CRect r; r.IntersectRect(this, &rect2); return r; }
  CRect operator|(const RECT& rect2) const noexcept { CRect r; r.UnionRect(this, &rect2); return r; }
};

inline CRect CPoint::operator+(const tagRECT* pRect) const noexcept {
  CRect r(pRect); r.OffsetRect(x, y); return r;
}
inline CRect CPoint::operator-(const tagRECT* pRect) const noexcept {
  CRect r(pRect); r.OffsetRect(-x, -y); return r;
}
inline CRect CSize::operator+(const tagRECT* pRect) const noexcept {
  CRect r(pRect); r.OffsetRect(cx, cy); return r;
}
inline CRect CSize::operator-(const tagRECT* pRect) const noexcept {
  CRect r(pRect); r.OffsetRect(-cx, -cy); return r;
}

// The plain rectangle functions, with the same semantics as the CRect members.
// Null pointers are tolerated and answer FALSE.
BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) noexcept;
BOOL SetRectEmpty(LPRECT lprc) noexcept;
BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) noexcept;
BOOL IsRectEmpty(const RECT* lprc) noexcept;
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) noexcept;
BOOL PtInRect(const RECT* lprc, POINT pt) noexcept;
BOOL OffsetRect(LPRECT lprc, int dx, int dy) noexcept;
BOOL InflateRect(LPRECT lprc, int dx, int dy) noexcept;
BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) noexcept;
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) noexcept;
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) noexcept;
