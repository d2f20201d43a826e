// Boxes, polygons, nearest segments, segment crossings and angles against hand-computed values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace {

TEST(KcGeometryTool, OverlapBoxIsOneOnlyWhenApart)
{
  auto box = [](double x0, double y0, double x1, double y1, double gap = 0.0) {
    RuVaBndBox2d b(RuVaPnt2d(x0, y0), RuVaPnt2d(x1, y1));
    b.SetGap(gap);
    return b;
  };
  struct Case {
    const char* what;
    RuVaBndBox2d a, b;
    int result;
  } cases[] = {
      {"overlapping", box(0, 0, 2, 2), box(1, 1, 3, 3), 0},
      {"inside", box(0, 0, 10, 10), box(4, 4, 5, 5), 0},
      {"touching edge", box(0, 0, 1, 1), box(1, 0, 2, 1), 0},
      {"touching corner", box(0, 0, 1, 1), box(1, 1, 2, 2), 0},
      {"apart in x", box(0, 0, 1, 1), box(1 + 1e-6, 0, 2, 1), 1},
      {"apart by less than the gaps", box(0, 0, 1, 1, 2e-7), box(1 + 3e-7, 0, 2, 1, 2e-7), 0},
      {"apart by more than the gaps", box(0, 0, 1, 1, 2e-7), box(1 + 5e-7, 0, 2, 1, 2e-7), 1},
      {"far away at large coordinates", box(1e7, 1e7, 1e7 + 1, 1e7 + 1), box(-1e7, -1e7, -1e7 + 1, -1e7 + 1), 1},
      {"void", RuVaBndBox2d(), box(0, 0, 1, 1), 1},
      {"line box", RuVaLine2d(RuVaPnt2d(0, 5), RuVaDir2d(1, 0)).GetBndBox(), box(100, 4, 101, 6), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KcGeometryTool::GetOverlapBox(c.a, c.b), c.result) << c.what;
    EXPECT_EQ(KcGeometryTool::GetOverlapBox(c.b, c.a), c.result) << c.what;
  }
}

TEST(KcGeometryTool, PointInPolygon)
{
  const KcArrayOfGePnt2d square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  KcArrayOfGePnt2d clockwise(square);
  clockwise.Reverse();
  // An L shape with its notch at the upper right.
  const KcArrayOfGePnt2d ell{{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}, {0, 0}};
  const KcArrayOfGePnt2d far{{1e7, 1e7}, {1e7 + 1e-3, 1e7}, {1e7 + 1e-3, 1e7 + 1e-3}, {1e7, 1e7 + 1e-3}};
  const KcArrayOfGePnt2d tiny{{0, 0}, {1e-6, 0}, {1e-6, 1e-6}, {0, 1e-6}};
  struct Case {
    const char* what;
    const KcArrayOfGePnt2d& polygon;
    RuVaPnt2d p;
    int result;
  } cases[] = {
      {"inside", square, {5, 5}, 2},
      {"inside clockwise", clockwise, {5, 5}, -2},
      {"outside", square, {15, 5}, 0},
      {"outside level with an edge", square, {-5, 10}, 0},
      {"on an edge", square, {5, 0}, 1},
      {"on an edge clockwise", clockwise, {10, 5}, -1},
      {"on a vertex", square, {10, 10}, 1},
      {"in the notch", ell, {7, 7}, 0},
      {"in the foot", ell, {7, 2}, 2},
      {"level with the notch's corner", ell, {2, 5}, 2},
      {"on the notch's corner", ell, {5, 5}, 1},
      {"far away, inside", far, {1e7 + 5e-4, 1e7 + 5e-4}, 2},
      {"far away, outside", far, {1e7 + 2e-3, 1e7 + 5e-4}, 0},
      {"far away, on the edge", far, {1e7 + 5e-4, 1e7}, 1},
      {"tiny, inside", tiny, {5e-7, 5e-7}, 2},
      {"tiny, just outside", tiny, {1.01e-6, 5e-7}, 0},
      {"tiny, on the edge", tiny, {1e-6, 5e-7}, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(c.polygon, c.p), c.result) << c.what;

  EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(KcArrayOfGePnt2d{{0, 0}, {1, 1}}, RuVaPnt2d(0.5, 0.5)), 0);
  EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(KcArrayOfGePnt2d{{0, 0}, {1, 1}, {0, 0}}, RuVaPnt2d(0, 0)), 0);
  EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(square, RuVaPnt2d(NAN, 5)), 0);
  // An explicit tolerance widens the boundary.
  EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(square, RuVaPnt2d(5, 0.01), 0.1), 1);
}

TEST(KcGeometryTool, TransformBoxTakesTheCorners)
{
  RuVaGTrsf2d t;
  t.SetRotation(RuVaPnt2d(0, 0), RuVa::HalfPi);
  RuVaBndBox2d box(RuVaPnt2d(1, 2), RuVaPnt2d(3, 5));
  RuVaBndBox2d out;
  ASSERT_TRUE(KcGeometryTool::TransformBox(box, t, out));
  EXPECT_NEAR(out.XMin(), -5, 1e-12);
  EXPECT_NEAR(out.XMax(), -2, 1e-12);
  EXPECT_NEAR(out.YMin(), 1, 1e-12);
  EXPECT_NEAR(out.YMax(), 3, 1e-12);
  ASSERT_TRUE(KcGeometryTool::TransformBox(box, t));
  EXPECT_EQ(box, out);
  RuVaBndBox2d empty;
  EXPECT_FALSE(KcGeometryTool::TransformBox(empty, t));
  EXPECT_TRUE(empty.IsVoid());
}

TEST(KcGeometryTool, NearestSegmentOfAChain)
{
  const KcArrayOfGePnt2d chain{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  struct Case {
    const char* what;
    KcArrayOfGePnt2d points;
    RuVaPnt2d p;
    int index;
  } cases[] = {
      {"near the first", chain, {5, -1}, 0},
      {"near the second", chain, {11, 5}, 1},
      {"inside, nearest the top", chain, {5, 9}, 2},
      {"at a shared corner the lower index", chain, {10, 0}, 0},
      {"equally near two", chain, {5, 5}, 0},
      {"beyond the end", chain, {-3, 12}, 2},
      {"zero-length segment", {{0, 0}, {0, 0}, {10, 0}}, {0, 1}, 0},
      {"one point", {{1, 1}}, {0, 0}, -1},
      {"no points", {}, {0, 0}, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KcGeometryTool::GetNearestSegment(c.points, c.p), c.index) << c.what;
  EXPECT_EQ(KcGeometryTool::GetNearestSegment(chain, RuVaPnt2d(INFINITY, 0)), -1);
}

TEST(KcGeometryTool, SegmentCrossings)
{
  struct Case {
    const char* what;
    RuVaPnt2d a1, a2, b1, b2;
    bool meet;
    RuVaPnt2d at;
  } cases[] = {
      {"crossing", {0, 0}, {2, 2}, {0, 2}, {2, 0}, true, {1, 1}},
      {"shared end", {0, 0}, {1, 1}, {1, 1}, {2, 0}, true, {1, 1}},
      {"closing corner of an outline", {0, 0}, {10, 0}, {0, 10}, {0, 0}, true, {0, 0}},
      {"T junction", {0, 0}, {4, 0}, {2, 0}, {2, 3}, true, {2, 0}},
      {"missing by a little", {0, 0}, {4, 0}, {2, 1e-6}, {2, 3}, false, {}},
      {"would cross beyond the end", {0, 0}, {1, 0}, {2, -1}, {2, 1}, false, {}},
      {"parallel", {0, 0}, {4, 0}, {0, 1}, {4, 1}, false, {}},
      {"collinear overlapping", {0, 0}, {4, 0}, {6, 0}, {2, 0}, true, {2, 0}},
      {"collinear, b covering a", {1, 0}, {2, 0}, {0, 0}, {4, 0}, true, {1, 0}},
      {"collinear end to end", {0, 0}, {2, 0}, {2, 0}, {5, 0}, true, {2, 0}},
      {"collinear apart", {0, 0}, {2, 0}, {3, 0}, {5, 0}, false, {}},
      {"zero length on the other", {2, 0}, {2, 0}, {0, 0}, {4, 0}, true, {2, 0}},
      {"zero length off the other", {2, 1}, {2, 1}, {0, 0}, {4, 0}, false, {}},
      {"large coordinates", {1e7, 1e7}, {1e7 + 2, 1e7 + 2}, {1e7, 1e7 + 2}, {1e7 + 2, 1e7}, true, {1e7 + 1, 1e7 + 1}},
      {"small coordinates", {0, 0}, {2e-6, 2e-6}, {0, 2e-6}, {2e-6, 0}, true, {1e-6, 1e-6}},
      {"small, missing", {0, 0}, {2e-6, 0}, {1e-6, 1e-9}, {1e-6, 1e-6}, false, {}},
  };
  for (const Case& c : cases) {
    RuVaPnt2d at(-99, -99);
    EXPECT_EQ(bool(KcGeometryTool::GetIntersectionPointOnLineLine(c.a1, c.a2, c.b1, c.b2, at)), c.meet) << c.what;
    if (c.meet) {
      const double scale = std::max(1.0, std::fabs(c.at.X())) * 1e-12;
      EXPECT_NEAR(at.X(), c.at.X(), scale) << c.what;
      EXPECT_NEAR(at.Y(), c.at.Y(), scale) << c.what;
    }
  }
}

TEST(KcGeometryTool, AnglesParametersAndRounding)
{
  struct AngleCase {
    RuVaPnt2d centre, p;
    double degrees;
  } angles[] = {
      {{0, 0}, {1, 0}, 0},   {{0, 0}, {0, 1}, 90},   {{0, 0}, {-1, 0}, 180},
      {{0, 0}, {0, -1}, 270}, {{1, 1}, {0, 0}, 225},  {{2, 2}, {2, 2}, 0},
      {{1e7, 1e7}, {1e7 + 1e-6, 1e7 + 1e-6}, 45},
  };
  for (const AngleCase& c : angles)
    EXPECT_NEAR(KcGeometryTool::GetAngleFromXAxis(c.centre, c.p), c.degrees, 1e-6) << c.degrees;

  EXPECT_EQ(KcGeometryTool::GetCurveMiddleParameter(2.0, 4.0), 3.0);
  EXPECT_EQ(KcGeometryTool::GetCurveMiddleParameter(-RuVa::Infinite(), RuVa::Infinite()), 0.0);
  const RuVaArc2d arc(RuVaPnt2d(0, 0), 1, 350 * RuVa::DegToRad, 10 * RuVa::DegToRad);
  EXPECT_NEAR(KcGeometryTool::GetCurveMiddleParameter(&arc), RuVa::TwoPi, 1e-12);
  const RuVaHalfLine2d ray(RuVaPnt2d(0, 0), RuVaDir2d(1, 0));
  EXPECT_EQ(KcGeometryTool::GetCurveMiddleParameter(&ray), 0.0);
  EXPECT_EQ(KcGeometryTool::GetCurveMiddleParameter(nullptr), 0.0);

  EXPECT_EQ(KcGeometryTool::GetPointArrayLength(KcArrayOfGePnt2d{{0, 0}, {3, 4}, {3, 10}}), 11.0);
  EXPECT_EQ(KcGeometryTool::GetPointArrayLength(KcArrayOfGePnt2d{}), 0.0);

  struct RoundCase {
    double in;
    int out;
  } rounds[] = {{2.5, 3}, {-2.5, -3}, {2.4999, 2}, {-0.4, 0}, {1e20, INT_MAX}, {-1e20, INT_MIN}, {NAN, 0}, {37.0, 37}};
  for (const RoundCase& c : rounds)
    EXPECT_EQ(KcGeometryTool::DoubleToInt(c.in), c.out) << c.in;
}

}  // namespace
