// Projections of points on curves, and the parameters, points and lengths of curves.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

const double kDeg = RuVa::DegToRad;

TEST(KcProjectPointOnCurve2d, NearestFootWithinTheCurve)
{
  const RuVaLineSeg2d seg(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
  const RuVaLine2d line(RuVaPnt2d(0, 0), RuVaDir2d(1, 0));
  const RuVaHalfLine2d ray(RuVaPnt2d(0, 0), RuVaDir2d(1, 0));
  const RuVaCircle2d circle(RuVaPnt2d(0, 0), 5);
  const RuVaCircle2d cwCircle(RuVaPnt2d(0, 0), 5, RuVa::kClockwise);
  const RuVaArc2d quarter(RuVaPnt2d(0, 0), 5, 0, 90 * kDeg);
  const RuVaArc2d cwQuarter(RuVaPnt2d(0, 0), 1, 90 * kDeg, 0, RuVa::kClockwise);
  const RuVaArc2d acrossZero(RuVaPnt2d(0, 0), 1, 350 * kDeg, 10 * kDeg);
  const RuVaArrayPnt2d chain(KcArrayOfGePnt2d{{0, 0}, {10, 0}, {10, 10}});
  const RuVaArrayPnt2d repeated(KcArrayOfGePnt2d{{0, 0}, {10, 0}, {10, 0}, {10, 10}});
  const RuVaEllipse2d ellipse(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 4, 2);
  const RuVaEllipse2d tall(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 2, 4);
  const double s2 = std::sqrt(0.5);
  struct Case {
    const char* what;
    const RuVaEntity2d& curve;
    RuVaPnt2d p;
    int count;
    RuVaPnt2d nearest;
    double distance;
  } cases[] = {
      {"segment, inside", seg, {3, 4}, 1, {3, 0}, 4},
      {"segment, beyond the end", seg, {12, 1}, 0, {}, 0},
      {"segment, level with the end", seg, {10, 5}, 1, {10, 0}, 5},
      {"segment, on it", seg, {4, 0}, 1, {4, 0}, 0},
      {"line, anywhere", line, {12, 1}, 1, {12, 0}, 1},
      {"half line, behind", ray, {-1, 1}, 0, {}, 0},
      {"half line, ahead", ray, {1, 1}, 1, {1, 0}, 1},
      {"circle, outside", circle, {6, 8}, 2, {3, 4}, 5},
      {"circle, inside", circle, {0.6, 0.8}, 2, {3, 4}, 4},
      {"clockwise circle", cwCircle, {6, -8}, 2, {3, -4}, 5},
      {"circle, at the centre", circle, {0, 0}, 0, {}, 0},
      {"arc, far side only", quarter, {-6, -8}, 1, {3, 4}, 15},
      {"arc, near side", quarter, {6, 8}, 1, {3, 4}, 5},
      {"clockwise arc", cwQuarter, {2, 2}, 1, {s2, s2}, std::sqrt(8.0) - 1},
      {"arc across 0 degrees", acrossZero, {2, 0}, 1, {1, 0}, 1},
      {"chain, two feet", chain, {5, 3}, 2, {5, 0}, 3},
      {"chain, beyond its corner", chain, {12, -2}, 0, {}, 0},
      {"chain with a repeated point", repeated, {11, 5}, 1, {10, 5}, 1},
      {"ellipse", ellipse, {0, 5}, 2, {0, 2}, 3},
      {"tall ellipse", tall, {0, 5}, 2, {0, 4}, 1},
  };
  for (const Case& c : cases) {
    const KcProjectPointOnCurve2d proj(c.p, c.curve);
    ASSERT_TRUE(proj.IsDone()) << c.what;
    ASSERT_GE(proj.NbPoints(), c.count) << c.what;
    if (c.count < 2)
      EXPECT_EQ(proj.NbPoints(), c.count) << c.what;
    if (c.count == 0)
      continue;
    EXPECT_NEAR(proj.NearestPoint().Distance(c.nearest), 0, 1e-9) << c.what;
    EXPECT_NEAR(proj.LowerDistance(), c.distance, 1e-9) << c.what;
    // The parameter gives back the point, and lies within the curve.
    RuVaPnt2d q;
    ASSERT_TRUE(KcCurveParam::GetPointFromParameter(&c.curve, proj.LowerDistanceParameter(), q)) << c.what;
    EXPECT_NEAR(q.Distance(c.nearest), 0, 1e-9) << c.what;
    double first = 0, last = 0;
    KcCurveParam::FirstLastParameter(&c.curve, first, last);
    for (int i = 0; i < proj.NbPoints(); ++i) {
      EXPECT_GE(proj.Parameter(i), first - 1e-12) << c.what;
      EXPECT_LE(proj.Parameter(i), last + 1e-12) << c.what;
      if (i > 0)
        EXPECT_LE(proj.Distance(i - 1), proj.Distance(i)) << c.what;
    }
  }
  EXPECT_FALSE(KcProjectPointOnCurve2d(RuVaPnt2d(0, 0), nullptr).IsDone());
  EXPECT_FALSE(KcProjectPointOnCurve2d(RuVaPnt2d(NAN, 0), seg).IsDone());
  const KcProjectPointOnCurve2d none(RuVaPnt2d(12, 1), seg);
  EXPECT_EQ(none.LowerDistanceParameter(), 0.0);
  EXPECT_EQ(none.NearestPoint(), RuVaPnt2d::kOrigin);
}

TEST(KcCurveParam, RangesPointsAndLengths)
{
  const RuVaArc2d acrossZero(RuVaPnt2d(1, 1), 2, 350 * kDeg, 10 * kDeg);
  const RuVaArc2d cwHalf(RuVaPnt2d(0, 0), 1, 180 * kDeg, 0, RuVa::kClockwise);
  const RuVaLineSeg2d seg(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4));
  const RuVaArrayPnt2d chain(KcArrayOfGePnt2d{{0, 0}, {3, 4}, {3, 10}});
  const RuVaCircle2d circle(RuVaPnt2d(0, 0), 1);
  const RuVaEllipse2d round(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 1, 1);
  const RuVaEllipseArc2d halfEllipse(RuVaPnt2d(0, 0), RuVaVec2d(0, 1), 3, 1, 0, RuVa::Pi);
  const RuVaBSplineCurve2d vee(KcArrayOfGePnt2d{{-2, 2}, {0, 0}, {2, 2}}, {}, {0, 1, 2}, {2, 1, 2}, 1);
  const RuVaLine2d line(RuVaPnt2d(0, 0), RuVaDir2d(1, 0));
  struct Case {
    const char* what;
    const RuVaEntity2d& curve;
    RuVaPnt2d first, middle, last;
    double length;
  } cases[] = {
      {"arc across 0 degrees", acrossZero, {1 + 2 * std::cos(10 * kDeg), 1 - 2 * std::sin(10 * kDeg)}, {3, 1},
       {1 + 2 * std::cos(10 * kDeg), 1 + 2 * std::sin(10 * kDeg)}, 2 * 20 * kDeg},
      {"clockwise half circle", cwHalf, {-1, 0}, {0, 1}, {1, 0}, RuVa::Pi},
      {"segment", seg, {0, 0}, {1.5, 2}, {3, 4}, 5},
      {"chain", chain, {0, 0}, {3, 4}, {3, 10}, 11},
      {"circle", circle, {1, 0}, {-1, 0}, {1, 0}, RuVa::TwoPi},
      {"round ellipse", round, {1, 0}, {-1, 0}, {1, 0}, RuVa::TwoPi},
      {"half ellipse", halfEllipse, {0, 3}, {-1, 0}, {0, -3}, -1},
      {"degree-1 spline", vee, {-2, 2}, {0, 0}, {2, 2}, 4 * std::sqrt(2.0)},
  };
  for (const Case& c : cases) {
    RuVaPnt2d p;
    ASSERT_TRUE(KcCurveParam::GetFirstParamePoint(&c.curve, p)) << c.what;
    EXPECT_NEAR(p.Distance(c.first), 0, 1e-12) << c.what;
    ASSERT_TRUE(KcCurveParam::GetCenterParamePoint(&c.curve, p)) << c.what;
    EXPECT_NEAR(p.Distance(c.middle), 0, 1e-12) << c.what;
    ASSERT_TRUE(KcCurveParam::GetLastParamePoint(&c.curve, p)) << c.what;
    EXPECT_NEAR(p.Distance(c.last), 0, 1e-12) << c.what;
    if (c.length > 0)
      EXPECT_NEAR(KcCurveParam::GetCurveLength(&c.curve), c.length, 1e-7) << c.what;
  }
  // Half the perimeter of an ellipse with radii 3 and 1 (complete elliptic integral).
  EXPECT_NEAR(KcCurveParam::GetCurveLength(&halfEllipse), 6.6824466103, 1e-8);

  // Unbounded and unusable curves.
  RuVaPnt2d p;
  double f = 0, l = 0;
  EXPECT_TRUE(KcCurveParam::FirstLastParameter(&line, f, l));
  EXPECT_EQ(f, -RuVa::Infinite());
  EXPECT_FALSE(KcCurveParam::GetFirstParamePoint(&line, p));
  EXPECT_FALSE(KcCurveParam::GetCenterParamePoint(&line, p));
  EXPECT_EQ(KcCurveParam::GetCurveLength(&line), -1.0);
  EXPECT_TRUE(KcCurveParam::GetPointFromParameter(&line, 1e6, p));
  EXPECT_EQ(p, RuVaPnt2d(1e6, 0));
  EXPECT_FALSE(KcCurveParam::GetPointFromParameter(&seg, NAN, p));
  EXPECT_FALSE(KcCurveParam::GetPointFromParameter(&chain, 2.5, p));
  EXPECT_FALSE(KcCurveParam::GetPointFromParameter(&vee, 2.5, p));
  EXPECT_FALSE(KcCurveParam::GetPointFromParameter(nullptr, 0, p));
  EXPECT_EQ(KcCurveParam::GetCurveLength(nullptr), -1.0);
  RuVaVec2d d;
  ASSERT_TRUE(KcCurveParam::GetPointAndDerivative(&vee, 0.5, p, d));
  EXPECT_NEAR(p.Distance(RuVaPnt2d(-1, 1)), 0, 1e-12);
  EXPECT_NEAR(d.X(), 2, 1e-12);
  EXPECT_NEAR(d.Y(), -2, 1e-12);
}

}  // namespace
