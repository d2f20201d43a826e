#pragma once
// An extent in logical units (cx, cy).

#include <iosfwd>

#include "platform/afx/AfxTypes.h"

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;
typedef SIZE SIZEL;

struct tagPOINT;
struct tagRECT;
class CPoint;
class CRect;

// Written as "(cx x cy)" in logs and test failure messages.
std::ostream& operator<<(std::ostream& os, const SIZE& s);

class CSize : public tagSIZE {
public:
  CSize() noexcept { cx = 0; cy = 0; }
  CSize(int initCX, int initCY) noexcept { cx = initCX; cy = initCY; }
  CSize(const SIZE& initSize) noexcept { cx = initSize.cx; cy = initSize.cy; }
  CSize(const tagPOINT& initPt) noexcept;
  // Low word is cx, high word cy, both signed.
  explicit CSize(DWORD dwSize) noexcept {
    cx = static_cast<short>(dwSize & 0xffff);
    cy = static_cast<short>((dwSize >> 16) & 0xffff);
  }

  void SetSize(int CX, int CY) noexcept { cx = CX; cy = CY; }

  friend bool operator==(const tagSIZE& a, const tagSIZE& b) noexcept { return a.cx == b.cx && a.cy == b.cy; }
  friend bool operator!=(const tagSIZE& a, const tagSIZE& b) noexcept { return a.cx != b.cx || a.cy != b.cy; }
  void operator+=(const SIZE& s) noexcept { cx += s.cx; cy += s.cy; }
  void operator-=(const SIZE& s) noexcept { cx -= s.cx; cy -= s.cy; }

  CSize operator+(const SIZE& s) const noexcept { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(const SIZE& s) const noexcept { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const noexcept { return CSize(-cx, -cy); }
  CPoint operator+(const tagPOINT& pt) const noexcept;
  CPoint operator-(const tagPOINT& pt) const noexcept;
  CRect operator+(const tagRECT* pRect) const noexcept;
  CRect operator-(const tagRECT* pRect) const noexcept;
};
