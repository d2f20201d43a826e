#include "platform/afx/CRect.h"

#include <cmath>
#include <cstdint>
#include <ostream>

namespace {
// Scale with rounding to nearest, halves away from zero; division by zero yields -1.
LONG ScaleRounded(LONG value, int nMultiplier, int nDivisor) {
  if (nDivisor == 0) return -1;
  const std::int64_t num = static_cast<std::int64_t>(value) * nMultiplier;
  std::int64_t q = num / nDivisor;
  const std::int64_t r = num % nDivisor;
  if (r != 0 && 2 * (r < 0 ? -r : r) >= (nDivisor < 0 ? -static_cast<std::int64_t>(nDivisor) : nDivisor))
    q += ((num < 0) != (nDivisor < 0)) ? -1 : 1;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<LONG>(q);
}
}  // namespace

void CRect::CopyRect(LPCRECT lpSrc) noexcept {
  if (lpSrc == nullptr) {
    SetRectEmpty();
    return;
  }
  const RECT src = *lpSrc;  // lpSrc may be this
  left = src.left;
  top = src.top;
  right = src.right;
  bottom = src.bottom;
}

BOOL CRect::EqualRect(LPCRECT lpRect) const noexcept { return ::EqualRect(this, lpRect); }

void CRect::InflateRect(LPCRECT lpRect) noexcept {
  if (lpRect == nullptr) return;
  InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::DeflateRect(LPCRECT lpRect) noexcept {
  if (lpRect == nullptr) return;
  DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CRect::NormalizeRect() noexcept {
  if (left > right) SwapLeftRight();
  if (top > bottom) {
    const LONG t = top;
    top = bottom;
    bottom = t;
  }
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::IntersectRect(this, lpRect1, lpRect2); }
BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::UnionRect(this, lpRect1, lpRect2); }
BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) noexcept {
  return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
}

CRect CRect::MulDiv(int nMultiplier, int nDivisor) const noexcept {
  return CRect(ScaleRounded(left, nMultiplier, nDivisor), ScaleRounded(top, nMultiplier, nDivisor),
               ScaleRounded(right, nMultiplier, nDivisor), ScaleRounded(bottom, nMultiplier, nDivisor));
}

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) noexcept {
  if (lprc == nullptr) return FALSE;
  lprc->left = xLeft;
  lprc->top = yTop;
  lprc->right = xRight;
  lprc->bottom = yBottom;
  return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) noexcept { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) noexcept {
  if (lprcDst == nullptr || lprcSrc == nullptr) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) noexcept {
  return lprc == nullptr || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL EqualRect(const RECT* a, const RECT* b) noexcept {
  if (a == nullptr || b == nullptr) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* r, POINT pt) noexcept {
  if (r == nullptr) return FALSE;
  return pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) noexcept {
  if (r == nullptr) return FALSE;
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) noexcept {
  if (r == nullptr) return FALSE;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) noexcept {
  if (dst == nullptr) return FALSE;
  if (a == nullptr || b == nullptr || IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right ||
      b->left >= a->right || a->top >= b->bottom || b->top >= a->bottom) {
    SetRectEmpty(dst);
    return FALSE;
  }
  const RECT r{a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
               a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom};
  *dst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) noexcept {
  if (dst == nullptr) return FALSE;
  const bool emptyA = IsRectEmpty(a);
  const bool emptyB = IsRectEmpty(b);
  if (emptyA && emptyB) {
    SetRectEmpty(dst);
    return FALSE;
  }
  if (emptyA) {
    *dst = *b;
  } else if (emptyB) {
    *dst = *a;
  } else {
    const RECT r{a->left < b->left ? a->left : b->left, a->top < b->top ? a->top : b->top,
                 a->right > b->right ? a->right : b->right, a->bottom > b->bottom ? a->bottom : b->bottom};
    *dst = r;
  }
  return TRUE;
}

// Removes src2 from src1 only when that leaves a rectangle: src2 must cover
// src1 completely along one axis and reach past one of its edges.
BOOL SubtractRect(LPRECT dst, const RECT* src1, const RECT* src2) noexcept {
  if (dst == nullptr) return FALSE;
  if (IsRectEmpty(src1)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  RECT r = *src1;
  RECT cut;
  if (src2 != nullptr && IntersectRect(&cut, src1, src2)) {
    if (EqualRect(&cut, &r)) {
      SetRectEmpty(dst);
      return FALSE;
    }
    if (cut.top == r.top && cut.bottom == r.bottom) {
      if (cut.left == r.left)
        r.left = cut.right;
      else if (cut.right == r.right)
        r.right = cut.left;
    } else if (cut.left == r.left && cut.right == r.right) {
      if (cut.top == r.top)
        r.top = cut.bottom;
      else if (cut.bottom == r.bottom)
        r.bottom = cut.top;
    }
  }
  *dst = r;
  return TRUE;
}

std::ostream& operator<<(std::ostream& os, const RECT& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
