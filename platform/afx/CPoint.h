#pragma once
// A point in logical or device units (x, y).

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CSize.h"

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;
typedef const POINT* LPCPOINT;
typedef POINT POINTL;

// Written as "(x, y)" in logs and test failure messages.
std::ostream& operator<<(std::ostream& os, const POINT& p);

class CPoint : public tagPOINT {
public:
  CPoint() noexcept { x = 0; y = 0; }
  CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
  CPoint(const POINT& initPt) noexcept { x = initPt.x; y = initPt.y; }
  CPoint(const SIZE& initSize) noexcept { x = initSize.cx; y = initSize.cy; }
  // Low word is x, high word y, both signed (as packed in mouse messages).
  explicit CPoint(LPARAM dwPoint) noexcept {
    x = static_cast<short>(static_cast<DWORD_PTR>(dwPoint) & 0xffff);
    y = static_cast<short>((static_cast<DWORD_PTR>(dwPoint) >> 16) & 0xffff);
  }

  void Offset(int xOffset, int yOffset) noexcept { x += xOffset; y += yOffset; }
  void Offset(const POINT& point) noexcept { x += point.x; y += point.y; }
  void Offset(const SIZE& size) noexcept { x += size.cx; y += size.cy; }
  void SetPoint(int X, int Y) noexcept { x = X; y = Y; }

  // Symmetric friends, so that comparing two CPoints is not ambiguous in C++20.
  friend bool operator==(const tagPOINT& a, const tagPOINT& b) noexcept { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const tagPOINT& a, const tagPOINT& b) noexcept { return a.x != b.x || a.y != b.y; }
  void operator+=(const SIZE& s) noexcept { x += s.cx; y += s.cy; }
  void operator-=(const SIZE& s) noexcept { x -= s.cx; y -= s.cy; }
  void operator+=(const POINT& p) noexcept { x += p.x; y += p.y; }
  void operator-=(const POINT& p) noexcept { x -= p.x; y -= p.y; }

  CPoint operator+(const SIZE& s) const noexcept { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(const SIZE& s) const noexcept { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator-() const noexcept { return CPoint(-x, -y); }
  CPoint operator+(const POINT& p) const noexcept { return CPoint(x + p.x, y + p.y); }
  CSize operator-(const POINT& p) const noexcept { return CSize(x - p.x, y - p.y); }
  CRect operator+(const struct tagRECT* pRect) const noexcept;
  CRect operator-(const struct tagRECT* pRect) const noexcept;
};

inline CSize::CSize(const tagPOINT& initPt) noexcept { cx = initPt.x; cy = initPt.y; }
inline CPoint CSize::operator+(const tagPOINT& pt) const noexcept { return CPoint(cx + pt.x, cy + pt.y); }
inline CPoint CSize::operator-(const tagPOINT& pt) const noexcept { return CPoint(cx - pt.x, cy - pt.y); }
