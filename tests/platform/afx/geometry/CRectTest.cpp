#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "platform/afx/CRect.h"

namespace {
bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST(CRect, ConstructionAndMeasures) {
  const CRect a(1, 2, 11, 22);
  EXPECT_EQ(a.Width(), 10);
  EXPECT_EQ(a.Height(), 20);
  EXPECT_EQ(a.Size(), CSize(10, 20));
  EXPECT_EQ(CRect(CPoint(1, 2), CSize(10, 20)), a);
  EXPECT_EQ(CRect(CPoint(1, 2), CPoint(11, 22)), a);
  const RECT plain{1, 2, 11, 22};
  EXPECT_EQ(CRect(plain), a);
  EXPECT_EQ(CRect(&plain), a);
  EXPECT_TRUE(CRect().IsRectNull());
  EXPECT_EQ(CRect(-4, -4, -1, -1).CenterPoint(), CPoint(-2, -2));  // truncates toward zero
  EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
  EXPECT_EQ(CRect(5, 0, 0, 5).Width(), -5);  // not normalised: negative

  const LPCRECT pc = a;
  EXPECT_EQ(pc->right, 11);
  CRect b;
  LPRECT p = b;
  p->right = 3;
  EXPECT_EQ(b.right, 3);
}

TEST(CRect, TopLeftAndBottomRightAreReferences) {
  CRect r(1, 2, 3, 4);
  r.TopLeft() = CPoint(-1, -2);
  r.BottomRight().Offset(10, 10);
  EXPECT_EQ(r, CRect(-1, -2, 13, 14));
  const CRect& c = r;
  EXPECT_EQ(c.TopLeft(), CPoint(-1, -2));
  EXPECT_EQ(c.BottomRight(), CPoint(13, 14));
}

TEST(CRect, EmptyNullAndPtInRect) {
  struct Case {
    CRect rect;
    BOOL empty;
    BOOL null;
  };
  const std::vector<Case> table = {
      {CRect(0, 0, 0, 0), TRUE, TRUE},     {CRect(0, 0, 1, 1), FALSE, FALSE},
      {CRect(5, 5, 5, 10), TRUE, FALSE},   {CRect(5, 5, 10, 5), TRUE, FALSE},
      {CRect(10, 0, 0, 10), TRUE, FALSE},  {CRect(0, 10, 10, 0), TRUE, FALSE},
      {CRect(-3, -3, -1, -1), FALSE, FALSE},
  };
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].rect.IsRectEmpty(), table[i].empty) << "row " << i;
    EXPECT_EQ(::IsRectEmpty(&table[i].rect), table[i].empty) << "row " << i;
    EXPECT_EQ(table[i].rect.IsRectNull(), table[i].null) << "row " << i;
  }
  EXPECT_TRUE(::IsRectEmpty(nullptr));

  // Left and top edges are inside, right and bottom edges outside.
  const CRect r(0, 0, 10, 5);
  struct PtCase {
    CPoint pt;
    BOOL inside;
  };
  const std::vector<PtCase> points = {
      {CPoint(0, 0), TRUE},   {CPoint(9, 4), TRUE},   {CPoint(10, 0), FALSE}, {CPoint(0, 5), FALSE},
      {CPoint(10, 5), FALSE}, {CPoint(-1, 0), FALSE}, {CPoint(0, -1), FALSE}, {CPoint(5, 2), TRUE},
  };
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(r.PtInRect(points[i].pt), points[i].inside) << "point row " << i;
    EXPECT_EQ(::PtInRect(&r, points[i].pt), points[i].inside) << "point row " << i;
  }
  EXPECT_FALSE(CRect(10, 10, 0, 0).PtInRect(CPoint(5, 5)));  // inverted rects contain nothing
  EXPECT_FALSE(::PtInRect(nullptr, CPoint(0, 0)));
}

TEST(CRect, NormalizeInflateDeflate) {
  CRect n(10, 20, 0, 5);
  n.NormalizeRect();
  EXPECT_EQ(n, CRect(0, 5, 10, 20));
  CRect half(0, 20, 10, 5);
  half.NormalizeRect();
  EXPECT_EQ(half, CRect(0, 5, 10, 20));

  struct Case {
    CRect actual;
    CRect expected;
  };
  const CRect base(10, 10, 20, 20);
  const RECT sides{1, 2, 3, 4};
  auto with = [&](auto f) {
    CRect r(base);
    f(r);
    return r;
  };
  const std::vector<Case> table = {
      {with([](CRect& r) { r.InflateRect(2, 3); }), CRect(8, 7, 22, 23)},
      {with([](CRect& r) { r.InflateRect(CSize(2, 3)); }), CRect(8, 7, 22, 23)},
      {with([&](CRect& r) { r.InflateRect(&sides); }), CRect(9, 8, 23, 24)},
      {with([](CRect& r) { r.InflateRect(1, 2, 3, 4); }), CRect(9, 8, 23, 24)},
      {with([](CRect& r) { r.DeflateRect(2, 3); }), CRect(12, 13, 18, 17)},
      {with([](CRect& r) { r.DeflateRect(CSize(2, 3)); }), CRect(12, 13, 18, 17)},
      {with([&](CRect& r) { r.DeflateRect(&sides); }), CRect(11, 12, 17, 16)},
      {with([](CRect& r) { r.DeflateRect(1, 2, 3, 4); }), CRect(11, 12, 17, 16)},
      {with([](CRect& r) { r.InflateRect(-6, 0); }), CRect(16, 10, 14, 20)},  // may invert
      {with([](CRect& r) { r.OffsetRect(5, -5); }), CRect(15, 5, 25, 15)},
      {with([](CRect& r) { r.OffsetRect(CPoint(5, -5)); }), CRect(15, 5, 25, 15)},
      {with([](CRect& r) { r.OffsetRect(CSize(5, -5)); }), CRect(15, 5, 25, 15)},
      {with([](CRect& r) { r.MoveToX(0); }), CRect(0, 10, 10, 20)},
      {with([](CRect& r) { r.MoveToY(-5); }), CRect(10, -5, 20, 5)},
      {with([](CRect& r) { r.MoveToXY(1, 2); }), CRect(1, 2, 11, 12)},
      {with([](CRect& r) { r.MoveToXY(CPoint(1, 2)); }), CRect(1, 2, 11, 12)},
      {with([](CRect& r) { r.SetRect(1, 2, 3, 4); }), CRect(1, 2, 3, 4)},
      {with([](CRect& r) { r.SetRect(CPoint(1, 2), CPoint(3, 4)); }), CRect(1, 2, 3, 4)},
      {with([](CRect& r) { r.SetRectEmpty(); }), CRect(0, 0, 0, 0)},
      {with([](CRect& r) { r.CopyRect(CRect(4, 3, 2, 1)); }), CRect(4, 3, 2, 1)},
      {with([](CRect& r) { r.SwapLeftRight(); }), CRect(20, 10, 10, 20)},
      {with([](CRect& r) { r += CPoint(1, 1); }), CRect(11, 11, 21, 21)},
      {with([](CRect& r) { r -= CSize(1, 1); }), CRect(9, 9, 19, 19)},
      {with([&](CRect& r) { r += &sides; }), CRect(9, 8, 23, 24)},
      {with([&](CRect& r) { r -= &sides; }), CRect(11, 12, 17, 16)},
      {with([](CRect& r) { r = r + CPoint(1, 2); }), CRect(11, 12, 21, 22)},
      {with([](CRect& r) { r = r - CPoint(1, 2); }), CRect(9, 8, 19, 18)},
      {with([](CRect& r) { r = r + CSize(1, 2); }), CRect(11, 12, 21, 22)},
      {with([](CRect& r) { r = r - CSize(1, 2); }), CRect(9, 8, 19, 18)},
      {with([&](CRect& r) { r = r + &sides; }), CRect(9, 8, 23, 24)},
      {with([&](CRect& r) { r = r - &sides; }), CRect(11, 12, 17, 16)},
      {with([](CRect& r) { r = CPoint(1, 1) + static_cast<LPCRECT>(r); }), CRect(11, 11, 21, 21)},
      {with([](CRect& r) { r = CSize(1, 1) - static_cast<LPCRECT>(r); }), CRect(9, 9, 19, 19)},
  };
  for (size_t i = 0; i < table.size(); ++i)
    EXPECT_PRED2(Same, table[i].actual, table[i].expected) << "row " << i << ": " << table[i].actual;
}

TEST(CRect, IntersectUnionSubtract) {
  struct Case {
    CRect a;
    CRect b;
    BOOL intersects;
    CRect intersection;
    BOOL unionNonEmpty;
    CRect uni;
  };
  const CRect zero(0, 0, 0, 0);
  const std::vector<Case> table = {
      // overlapping
      {CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), TRUE, CRect(5, 5, 10, 10), TRUE, CRect(0, 0, 15, 15)},
      // contained
      {CRect(0, 0, 10, 10), CRect(2, 2, 4, 4), TRUE, CRect(2, 2, 4, 4), TRUE, CRect(0, 0, 10, 10)},
      // edges touching: right/bottom are exclusive, so no intersection
      {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), FALSE, zero, TRUE, CRect(0, 0, 20, 10)},
      {CRect(0, 0, 10, 10), CRect(0, 10, 10, 20), FALSE, zero, TRUE, CRect(0, 0, 10, 20)},
      // apart
      {CRect(0, 0, 1, 1), CRect(5, 5, 6, 6), FALSE, zero, TRUE, CRect(0, 0, 6, 6)},
      // an empty rect intersects nothing and is ignored by the union
      {CRect(2, 2, 2, 8), CRect(0, 0, 10, 10), FALSE, zero, TRUE, CRect(0, 0, 10, 10)},
      {CRect(0, 0, 10, 10), CRect(50, 50, 50, 50), FALSE, zero, TRUE, CRect(0, 0, 10, 10)},
      {CRect(20, 20, 10, 10), CRect(0, 0, 30, 30), FALSE, zero, TRUE, CRect(0, 0, 30, 30)},
      // both empty
      {CRect(1, 1, 1, 1), CRect(5, 5, 3, 3), FALSE, zero, FALSE, zero},
      // negative coordinates
      {CRect(-10, -10, 0, 0), CRect(-5, -20, 5, -5), TRUE, CRect(-5, -10, 0, -5), TRUE, CRect(-10, -20, 5, 0)},
  };
  for (size_t i = 0; i < table.size(); ++i) {
    const Case& c = table[i];
    CRect r(7, 7, 7, 7);
    EXPECT_EQ(r.IntersectRect(&c.a, &c.b), c.intersects) << "row " << i;
    EXPECT_PRED2(Same, r, c.intersection) << "row " << i;
    EXPECT_PRED2(Same, c.a & c.b, c.intersection) << "row " << i;
    CRect u(7, 7, 7, 7);
    EXPECT_EQ(u.UnionRect(&c.a, &c.b), c.unionNonEmpty) << "row " << i;
    EXPECT_PRED2(Same, u, c.uni) << "row " << i;
    EXPECT_PRED2(Same, c.a | c.b, c.uni) << "row " << i;
    RECT plain;
    EXPECT_EQ(::IntersectRect(&plain, &c.b, &c.a), c.intersects) << "row " << i;  // symmetric
    EXPECT_PRED2(Same, plain, c.intersection) << "row " << i;
  }

  // The result may be one of the sources.
  CRect a(0, 0, 10, 10);
  a &= CRect(5, 5, 20, 20);
  EXPECT_EQ(a, CRect(5, 5, 10, 10));
  a |= CRect(0, 0, 1, 1);
  EXPECT_EQ(a, CRect(0, 0, 10, 10));
  EXPECT_TRUE(a.IntersectRect(&a, CRect(2, 2, 3, 3)));
  EXPECT_EQ(a, CRect(2, 2, 3, 3));

  struct SubCase {
    CRect a;
    CRect b;
    BOOL nonEmpty;
    CRect result;
  };
  const std::vector<SubCase> subs = {
      {CRect(0, 0, 10, 10), CRect(5, -5, 15, 15), TRUE, CRect(0, 0, 5, 10)},   // cuts the right part
      {CRect(0, 0, 10, 10), CRect(-5, -5, 5, 15), TRUE, CRect(5, 0, 10, 10)},  // the left part
      {CRect(0, 0, 10, 10), CRect(-5, 4, 15, 15), TRUE, CRect(0, 0, 10, 4)},   // the bottom part
      {CRect(0, 0, 10, 10), CRect(-5, -5, 15, 4), TRUE, CRect(0, 4, 10, 10)},  // the top part
      {CRect(0, 0, 10, 10), CRect(2, 2, 8, 8), TRUE, CRect(0, 0, 10, 10)},     // a hole: unchanged
      {CRect(0, 0, 10, 10), CRect(3, -5, 6, 15), TRUE, CRect(0, 0, 10, 10)},   // a middle band: unchanged
      {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30), TRUE, CRect(0, 0, 10, 10)}, // apart
      {CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11), FALSE, CRect(0, 0, 0, 0)},  // covered
      {CRect(0, 0, 10, 10), CRect(0, 0, 10, 10), FALSE, CRect(0, 0, 0, 0)},    // equal
      {CRect(5, 5, 5, 5), CRect(0, 0, 1, 1), FALSE, CRect(0, 0, 0, 0)},        // empty source
  };
  for (size_t i = 0; i < subs.size(); ++i) {
    CRect r(7, 7, 7, 7);
    EXPECT_EQ(r.SubtractRect(&subs[i].a, &subs[i].b), subs[i].nonEmpty) << "sub row " << i;
    EXPECT_PRED2(Same, r, subs[i].result) << "sub row " << i;
  }
}

TEST(CRect, EqualityAndPlainFunctions) {
  const CRect a(1, 2, 3, 4);
  EXPECT_TRUE(a.EqualRect(CRect(1, 2, 3, 4)));
  EXPECT_FALSE(a.EqualRect(CRect(1, 2, 3, 5)));
  EXPECT_FALSE(a.EqualRect(nullptr));
  EXPECT_TRUE(a == CRect(1, 2, 3, 4));
  EXPECT_TRUE(a != CRect(0, 2, 3, 4));
  // Two empty rects of different coordinates are not equal.
  EXPECT_FALSE(CRect(0, 0, 0, 0) == CRect(5, 5, 5, 5));

  RECT r;
  EXPECT_TRUE(::SetRect(&r, 1, 2, 3, 4));
  EXPECT_PRED2(Same, r, a);
  EXPECT_TRUE(::OffsetRect(&r, 1, 1));
  EXPECT_PRED2(Same, r, CRect(2, 3, 4, 5));
  EXPECT_TRUE(::InflateRect(&r, 1, 2));
  EXPECT_PRED2(Same, r, CRect(1, 1, 5, 7));
  RECT copy;
  EXPECT_TRUE(::CopyRect(&copy, &r));
  EXPECT_TRUE(::EqualRect(&copy, &r));
  EXPECT_TRUE(::SetRectEmpty(&copy));
  EXPECT_TRUE(::IsRectEmpty(&copy));
  RECT u;
  EXPECT_TRUE(::UnionRect(&u, &r, &copy));
  EXPECT_PRED2(Same, u, r);
  RECT s;
  EXPECT_TRUE(::SubtractRect(&s, &r, &copy));
  EXPECT_PRED2(Same, s, r);

  // Null pointers answer FALSE and write nothing.
  EXPECT_FALSE(::SetRect(nullptr, 1, 2, 3, 4));
  EXPECT_FALSE(::CopyRect(nullptr, &r));
  EXPECT_FALSE(::CopyRect(&copy, nullptr));
  EXPECT_FALSE(::OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(::InflateRect(nullptr, 1, 1));
  EXPECT_FALSE(::EqualRect(nullptr, &r));
  EXPECT_FALSE(::IntersectRect(nullptr, &r, &r));
  EXPECT_FALSE(::IntersectRect(&u, nullptr, &r));
  EXPECT_PRED2(Same, u, CRect(0, 0, 0, 0));
  EXPECT_FALSE(::UnionRect(nullptr, &r, &r));
  EXPECT_TRUE(::UnionRect(&u, nullptr, &r));
  EXPECT_PRED2(Same, u, r);
  EXPECT_FALSE(::SubtractRect(&s, nullptr, &r));
  EXPECT_TRUE(::SubtractRect(&s, &r, nullptr));
  EXPECT_PRED2(Same, s, r);
}

TEST(CRect, MulDivRounds) {
  EXPECT_EQ(CRect(0, 10, 15, -15).MulDiv(1, 2), CRect(0, 5, 8, -8));  // halves away from zero
  EXPECT_EQ(CRect(3, 6, 9, 12).MulDiv(2, 3), CRect(2, 4, 6, 8));
  EXPECT_EQ(CRect(100000, 0, 0, 0).MulDiv(100000, 1).left, -1);  // overflow
  EXPECT_EQ(CRect(1, 2, 3, 4).MulDiv(5, 0), CRect(-1, -1, -1, -1));
}
