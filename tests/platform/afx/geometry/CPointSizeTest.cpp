#include <gtest/gtest.h>

#include <sstream>

#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"

TEST(CPoint, ConstructionAndPackedCoordinates) {
  EXPECT_EQ(CPoint(), CPoint(0, 0));
  const POINT p{3, 4};
  EXPECT_EQ(CPoint(p), CPoint(3, 4));
  EXPECT_EQ(CPoint(CSize(5, 6)), CPoint(5, 6));
  // Packed coordinates are signed 16-bit values, as mouse messages carry them.
  EXPECT_EQ(CPoint(MAKELPARAM(-5, 7)), CPoint(-5, 7));
  EXPECT_EQ(CPoint(MAKELPARAM(32767, -32768)), CPoint(32767, -32768));
  EXPECT_EQ(CSize(static_cast<DWORD>(MAKELONG(-1, 2))), CSize(-1, 2));

  CPoint q(1, 1);
  q.SetPoint(2, 3);
  EXPECT_EQ(q, CPoint(2, 3));
  q.Offset(1, 1);
  q.Offset(CPoint(1, 1));
  q.Offset(CSize(1, 1));
  EXPECT_EQ(q, CPoint(5, 6));
}

TEST(CPoint, PrintsReadably) {
  std::ostringstream os;
  os << CPoint(1, -2) << CSize(3, 4) << CRect(1, 2, 3, 4);
  EXPECT_EQ(os.str(), "(1, -2)(3 x 4)(1, 2, 3, 4)");
}

TEST(CPoint, Arithmetic) {
  CPoint a(10, 20);
  const CSize s(1, 2);
  const CPoint b(3, 4);
  EXPECT_EQ(a + s, CPoint(11, 22));
  EXPECT_EQ(a - s, CPoint(9, 18));
  EXPECT_EQ(a + b, CPoint(13, 24));
  const CSize diff = a - b;  // point minus point is a size
  EXPECT_EQ(diff, CSize(7, 16));
  EXPECT_EQ(-a, CPoint(-10, -20));
  EXPECT_EQ(CRect(0, 0, 5, 5) + a, CRect(10, 20, 15, 25));
  EXPECT_EQ(a + static_cast<LPCRECT>(CRect(0, 0, 5, 5)), CRect(10, 20, 15, 25));
  EXPECT_EQ(a - static_cast<LPCRECT>(CRect(0, 0, 5, 5)), CRect(-10, -20, -5, -15));
  a += s;
  EXPECT_EQ(a, CPoint(11, 22));
  a -= s;
  a += b;
  EXPECT_EQ(a, CPoint(13, 24));
  a -= b;
  EXPECT_EQ(a, CPoint(10, 20));
  EXPECT_TRUE(a != b);
  EXPECT_FALSE(a == b);
}

TEST(CSize, Arithmetic) {
  CSize s(3, 4);
  EXPECT_EQ(CSize(), CSize(0, 0));
  EXPECT_EQ(CSize(CPoint(1, 2)), CSize(1, 2));
  EXPECT_EQ(s + CSize(1, 1), CSize(4, 5));
  EXPECT_EQ(s - CSize(1, 1), CSize(2, 3));
  EXPECT_EQ(-s, CSize(-3, -4));
  EXPECT_EQ(s + CPoint(10, 10), CPoint(13, 14));
  EXPECT_EQ(s - CPoint(10, 10), CPoint(-7, -6));
  EXPECT_EQ(s + static_cast<LPCRECT>(CRect(0, 0, 1, 1)), CRect(3, 4, 4, 5));
  s += CSize(1, 1);
  EXPECT_EQ(s, CSize(4, 5));
  s -= CSize(2, 2);
  EXPECT_EQ(s, CSize(2, 3));
  s.SetSize(7, 8);
  EXPECT_TRUE(s == CSize(7, 8));
  EXPECT_TRUE(s != CSize(8, 7));
}
