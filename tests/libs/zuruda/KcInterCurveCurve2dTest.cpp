// Curve intersections against hand-computed points, with the degenerate contacts users meet:
// parallel and coincident lines, tangents, shared ends, overlaps, arcs across 0 degrees.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcInterCurveCurve2d.h"

namespace {

const double kDeg = RuVa::DegToRad;
using Curve = std::shared_ptr<RuVaEntity2d>;

Curve Seg(double x0, double y0, double x1, double y1)
{
  return std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(x0, y0), RuVaPnt2d(x1, y1));
}
Curve Line(double x, double y, double dx, double dy)
{
  return std::make_shared<RuVaLine2d>(RuVaPnt2d(x, y), RuVaDir2d(dx, dy));
}
Curve Circle(double x, double y, double r, int dir = 1)
{
  return std::make_shared<RuVaCircle2d>(RuVaPnt2d(x, y), r, dir);
}
Curve Arc(double x, double y, double r, double fromDeg, double toDeg, int dir = 1)
{
  return std::make_shared<RuVaArc2d>(RuVaPnt2d(x, y), r, fromDeg * kDeg, toDeg * kDeg, dir);
}

struct Case {
  const char* what;
  Curve a, b;
  std::vector<RuVaPnt2d> points;  // in order along a
  int segments;
  double tol;  // for comparing the points
};

const double s2 = std::sqrt(0.5);

std::vector<Case> Cases()
{
  return {
      {"crossing lines", Line(0, 0, 1, 1), Line(0, 2, 1, -1), {{1, 1}}, 0, 1e-12},
      {"parallel lines", Line(0, 0, 1, 0), Line(0, 1, -1, 0), {}, 0, 0},
      {"coincident lines", Line(0, 0, 1, 0), Line(5, 0, -1, 0), {}, 1, 0},
      {"lines within the tolerance are coincident", Line(0, 0, 1, 0), Line(5, 5e-8, 1, 0), {}, 1, 0},
      {"crossing segments", Seg(0, 0, 4, 4), Seg(0, 4, 4, 0), {{2, 2}}, 0, 1e-12},
      {"segments sharing an end", Seg(0, 0, 1, 1), Seg(1, 1, 2, 0), {{1, 1}}, 0, 0},
      {"segment ending short", Seg(0, 0, 1, 0), Seg(2, -1, 2, 1), {}, 0, 0},
      {"segment end within the tolerance", Seg(0, 0, 1, 0), Seg(1 + 5e-8, -1, 1 + 5e-8, 1), {{1, 0}}, 0, 0},
      {"collinear overlap", Seg(0, 0, 4, 0), Seg(6, 0, 2, 0), {{2, 0}, {4, 0}}, 1, 1e-12},
      {"collinear end to end", Seg(0, 0, 2, 0), Seg(2, 0, 5, 0), {{2, 0}}, 0, 1e-12},
      {"collinear apart", Seg(0, 0, 2, 0), Seg(3, 0, 5, 0), {}, 0, 0},
      {"half line from a segment", std::make_shared<RuVaHalfLine2d>(RuVaPnt2d(1, 1), RuVaDir2d(0, -1)),
       Seg(0, 0, 5, 0), {{1, 0}}, 0, 1e-12},
      {"half line pointing away", std::make_shared<RuVaHalfLine2d>(RuVaPnt2d(1, 1), RuVaDir2d(0, 1)), Seg(0, 0, 5, 0),
       {}, 0, 0},
      {"line through a circle", Line(-10, 0, 1, 0), Circle(0, 0, 5), {{-5, 0}, {5, 0}}, 0, 1e-12},
      {"tangent line", Line(-10, 5, 1, 0), Circle(0, 0, 5), {{0, 5}}, 0, 1e-12},
      {"nearly tangent line", Line(-10, 5 - 1e-8, 1, 0), Circle(0, 0, 5), {{0, 5 - 1e-8}}, 0, 1e-12},
      {"line missing a circle", Line(-10, 5 + 1e-6, 1, 0), Circle(0, 0, 5), {}, 0, 0},
      {"chord of a clockwise circle", Seg(0, -10, 0, 10), Circle(0, 0, 5, -1), {{0, -5}, {0, 5}}, 0, 1e-12},
      {"circles crossing", Circle(0, 0, 5), Circle(6, 0, 5), {{3, 4}, {3, -4}}, 0, 1e-12},
      {"circles touching outside", Circle(0, 0, 2), Circle(5, 0, 3), {{2, 0}}, 0, 1e-12},
      {"circles touching inside", Circle(0, 0, 5), Circle(3, 0, 2), {{5, 0}}, 0, 1e-12},
      {"circles nearly touching", Circle(0, 0, 2), Circle(5 + 5e-8, 0, 3), {{2 + 2e-8, 0}}, 0, 1e-12},
      {"circles apart", Circle(0, 0, 2), Circle(5.001, 0, 3), {}, 0, 0},
      {"concentric circles", Circle(1, 1, 2), Circle(1, 1, 3), {}, 0, 0},
      {"coincident circles", Circle(1, 1, 2), Circle(1, 1, 2, -1), {}, 1, 0},
      {"arc across 0 degrees and a line", Arc(0, 0, 1, 350, 10), Line(-2, 0, 1, 0), {{1, 0}}, 0, 1e-12},
      {"arc across 0 degrees touching a line", Arc(0, 0, 1, 350, 10), Line(1, -5, 0, 1), {{1, 0}}, 0, 1e-12},
      {"clockwise arc and a diagonal", Arc(0, 0, 1, 90, 0, -1), Seg(0, 0, 2, 2), {{s2, s2}}, 0, 1e-12},
      {"arc missing where its circle is crossed", Arc(0, 0, 1, 0, 90), Seg(-2, -0.5, 0, -0.5), {}, 0, 0},
      {"arc end on a segment", Arc(0, 0, 1, 0, 90), Seg(-1, 1, 1, 1), {{0, 1}}, 0, 1e-12},
      {"overlapping arcs", Arc(0, 0, 1, 0, 90), Arc(0, 0, 1, 45, 180), {{s2, s2}, {0, 1}}, 1, 1e-12},
      {"arcs meeting at one end", Arc(0, 0, 1, 0, 90), Arc(0, 0, 1, 90, 180), {{0, 1}}, 0, 1e-12},
      {"arc on a full circle", Arc(0, 0, 1, 300, 30), Circle(0, 0, 1), {{0.5, -std::sqrt(0.75)}, {std::sqrt(0.75), 0.5}}, 1, 1e-12},
      {"arcs covering both ends of each other", Arc(0, 0, 1, 0, 270), Arc(0, 0, 1, 180, 90),
       {{1, 0}, {0, 1}, {-1, 0}, {0, -1}}, 2, 1e-12},
      {"polyline and a line across", std::make_shared<RuVaArrayPnt2d>(KcArrayOfGePnt2d{{0, 0}, {2, 0}, {2, 2}}),
       Line(1, -5, 0, 1), {{1, 0}}, 0, 1e-12},
      {"polyline lying on a line", std::make_shared<RuVaArrayPnt2d>(KcArrayOfGePnt2d{{0, 0}, {2, 0}, {2, 2}}),
       Line(-5, 0, 1, 0), {{0, 0}, {2, 0}}, 1, 1e-12},
      {"polyline with a repeated point", std::make_shared<RuVaArrayPnt2d>(KcArrayOfGePnt2d{{0, 0}, {2, 0}, {2, 0}, {2, 2}}),
       Line(-5, 1, 1, 0), {{2, 1}}, 0, 1e-12},
      {"polyline corner on a circle", std::make_shared<RuVaArrayPnt2d>(KcArrayOfGePnt2d{{0, 0}, {3, 0}, {3, 3}}),
       Circle(3, 0, 1), {{2, 0}, {3, 1}}, 0, 1e-12},
      {"large coordinates", Circle(1e7, 1e7, 5), Circle(1e7 + 6, 1e7, 5), {{1e7 + 3, 1e7 + 4}, {1e7 + 3, 1e7 - 4}}, 0, 1e-8},
      {"small coordinates", Seg(0, 0, 2e-6, 2e-6), Seg(0, 2e-6, 2e-6, 0), {{1e-6, 1e-6}}, 0, 1e-20},
      {"small circles", Circle(0, 0, 5e-6), Circle(6e-6, 0, 5e-6), {{3e-6, 4e-6}, {3e-6, -4e-6}}, 0, 1e-18},
  };
}

void Check(const Case& c, const KcInterCurveCurve2d& inter, const RuVaEntity2d& a, const RuVaEntity2d& b, bool swapped)
{
  ASSERT_TRUE(inter.IsDone()) << c.what;
  ASSERT_EQ(inter.NbPoints(), static_cast<int>(c.points.size())) << c.what << (swapped ? " (swapped)" : "");
  EXPECT_EQ(inter.NbSegments(), c.segments) << c.what;
  for (int i = 0; i < inter.NbPoints(); ++i) {
    const RuVaPnt2d p = inter.GetPoint(i);
    // Every point lies on both curves at its parameters.
    RuVaPnt2d pa, pb;
    ASSERT_TRUE(KcCurveParam::GetPointFromParameter(&a, inter.GetParameter1(i), pa)) << c.what;
    ASSERT_TRUE(KcCurveParam::GetPointFromParameter(&b, inter.GetParameter2(i), pb)) << c.what;
    const double scale = std::max(1.0, std::fabs(p.X()));
    EXPECT_LE(pa.Distance(p), 1e-7) << c.what;
    EXPECT_LE(pb.Distance(p), 1e-7 * scale) << c.what;
    if (swapped)
      continue;
    EXPECT_NEAR(p.X(), c.points[i].X(), c.tol) << c.what << " point " << i;
    EXPECT_NEAR(p.Y(), c.points[i].Y(), c.tol) << c.what << " point " << i;
  }
}

TEST(KcInterCurveCurve2d, ClosedFormCasesBothWays)
{
  for (const Case& c : Cases()) {
    const KcInterCurveCurve2d ab(*c.a, *c.b);
    Check(c, ab, *c.a, *c.b, false);
    // Swapped, the same places are found (in the other curve's order).
    const KcInterCurveCurve2d ba(c.b.get(), c.a.get());
    Check(c, ba, *c.b, *c.a, true);
  }
}

TEST(KcInterCurveCurve2d, PointsOrderedAlongTheFirstCurve)
{
  // A clockwise circle crossed by a vertical line: its parameter runs from angle 0 downwards.
  const KcInterCurveCurve2d inter(*Circle(0, 0, 5, -1), *Line(3, 10, 0, -1));
  ASSERT_EQ(inter.NbPoints(), 2);
  EXPECT_NEAR(inter.GetPoint(0).Y(), -4, 1e-12);
  EXPECT_NEAR(inter.GetPoint(1).Y(), 4, 1e-12);
  EXPECT_LT(inter.GetParameter1(0), inter.GetParameter1(1));
  double f = 0, l = 0;
  EXPECT_FALSE(inter.GetSegment(0, f, l));
  EXPECT_EQ(inter.GetPoint(7), RuVaPnt2d::kOrigin);
  RuVaPnt2d p;
  EXPECT_FALSE(inter.GetPoint(-1, p));
}

TEST(KcInterCurveCurve2d, KernelPairsWithEllipsesAndSplines)
{
  const RuVaEllipse2d ellipse(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 4, 2);
  const RuVaEllipse2d tall(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 2, 4);  // major radius along y
  const RuVaEllipseArc2d upper(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 4, 2, 0, RuVa::Pi);
  const RuVaBSplineCurve2d vee(KcArrayOfGePnt2d{{-2, 2}, {0, 0}, {2, 2}}, {}, {0, 1, 2}, {2, 1, 2}, 1);
  struct KCase {
    const char* what;
    const RuVaEntity2d& a;
    Curve b;
    std::vector<RuVaPnt2d> points;
  } cases[] = {
      {"ellipse and its axis", ellipse, Line(-10, 0, 1, 0), {{4, 0}, {-4, 0}}},
      {"ellipse and a tangent", ellipse, Line(-10, 2, 1, 0), {{0, 2}}},
      {"tall ellipse", tall, Line(0, -10, 0, 1), {{0, 4}, {0, -4}}},
      {"half ellipse", upper, Line(0, -10, 0, 1), {{0, 2}}},
      {"half ellipse ends on a line", upper, Seg(-5, 0, 5, 0), {{4, 0}, {-4, 0}}},
      {"ellipse and a circle", ellipse, Circle(0, 0, 2), {{0, 2}, {0, -2}}},
      {"degree-1 spline and a line", vee, Line(-5, 1, 1, 0), {{-1, 1}, {1, 1}}},
      {"spline corner on a circle", vee, Circle(0, -1, 1), {{0, 0}}},
  };
  for (const KCase& c : cases) {
    const KcInterCurveCurve2d inter(c.a, *c.b);
    ASSERT_TRUE(inter.IsDone()) << c.what;
    ASSERT_EQ(inter.NbPoints(), static_cast<int>(c.points.size())) << c.what;
    for (const RuVaPnt2d& expected : c.points) {
      bool found = false;
      for (int i = 0; i < inter.NbPoints(); ++i)
        found = found || inter.GetPoint(i).Distance(expected) <= 1e-6;
      EXPECT_TRUE(found) << c.what << " (" << expected.X() << ", " << expected.Y() << ")";
    }
    for (int i = 0; i < inter.NbPoints(); ++i) {
      RuVaPnt2d pa;
      ASSERT_TRUE(KcCurveParam::GetPointFromParameter(&c.a, inter.GetParameter1(i), pa)) << c.what;
      EXPECT_LE(pa.Distance(inter.GetPoint(i)), 1e-6) << c.what;
    }
  }
}

TEST(KcInterCurveCurve2d, UnusableCurvesAreNotDone)
{
  const RuVaLineSeg2d dot(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1));
  const RuVaCircle2d circle(RuVaPnt2d(0, 0), 1);
  KcInterCurveCurve2d inter(dot, circle);
  EXPECT_FALSE(inter.IsDone());
  EXPECT_EQ(inter.NbPoints(), 0);
  inter.Init(nullptr, &circle);
  EXPECT_FALSE(inter.IsDone());
  inter.Init(circle, circle);  // reusable after a failure
  EXPECT_TRUE(inter.IsDone());
  EXPECT_EQ(inter.NbSegments(), 1);
}

}  // namespace
