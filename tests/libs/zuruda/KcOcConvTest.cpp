// Conversion to the curve kernel and back keeps the geometry and the parametrisation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <Geom2d_BezierCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <TColgp_Array1OfPnt2d.hxx>
#include <gp_Ax22d.hxx>
#include <gp_Circ2d.hxx>

#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcOcConv.h"

namespace {

const double kDeg = RuVa::DegToRad;

std::vector<std::unique_ptr<RuVaCurveEnt2d>> SampleCurves()
{
  std::vector<std::unique_ptr<RuVaCurveEnt2d>> c;
  c.emplace_back(new RuVaLine2d(RuVaPnt2d(1, 2), RuVaDir2d(3, 4)));
  c.emplace_back(new RuVaHalfLine2d(RuVaPnt2d(1, 2), RuVaDir2d(-1, 0)));
  c.emplace_back(new RuVaLineSeg2d(RuVaPnt2d(1e7, 1e7), RuVaPnt2d(1e7 + 3, 1e7 - 4)));
  c.emplace_back(new RuVaLineSeg2d(RuVaPnt2d(1e-6, 1e-6), RuVaPnt2d(3e-6, 2e-6)));
  c.emplace_back(new RuVaCircle2d(RuVaPnt2d(1, 2), 5));
  c.emplace_back(new RuVaCircle2d(RuVaPnt2d(1, 2), 5, RuVa::kClockwise));
  c.emplace_back(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 350 * kDeg, 10 * kDeg));
  c.emplace_back(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 10 * kDeg, 350 * kDeg, RuVa::kClockwise));
  c.emplace_back(new RuVaArc2d(RuVaPnt2d(1, 2), 5, 200 * kDeg, 200 * kDeg, RuVa::kClockwise));
  c.emplace_back(new RuVaEllipse2d(RuVaPnt2d(1, 2), RuVaVec2d(1, 1), 4, 2));
  c.emplace_back(new RuVaEllipse2d(RuVaPnt2d(1, 2), RuVaVec2d(1, 0), 2, 4, RuVa::kClockwise));  // taller than wide
  c.emplace_back(new RuVaEllipseArc2d(RuVaPnt2d(1, 2), RuVaVec2d(1, 1), 4, 2, 300 * kDeg, 30 * kDeg));
  c.emplace_back(new RuVaEllipseArc2d(RuVaPnt2d(1, 2), RuVaVec2d(0, 1), 2, 4, 30 * kDeg, 300 * kDeg, RuVa::kClockwise));
  c.emplace_back(new RuVaArrayPnt2d(KcArrayOfGePnt2d{{0, 0}, {2, 0}, {2, 2}, {0, 2}}));
  c.emplace_back(new RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {1, 2, 2, 1}, {0, 1}, {4, 4}, 3));
  c.emplace_back(new RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {2, 0}, {2, 2}, {0, 2}}, {}, {0, 1, 2, 3, 4},
                                        {1, 1, 1, 1, 1}, 3, TRUE));
  return c;
}

TEST(KcOcConv, KernelCurvesShareParametersAndComeBackEqual)
{
  for (const auto& curve : SampleCurves()) {
    const int type = curve->GetEntityType();
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(*curve);
    ASSERT_FALSE(oc.IsNull()) << type;
    double first = 0, last = 0;
    ASSERT_TRUE(KcCurveParam::FirstLastParameter(curve.get(), first, last));
    // A closed ellipse may start elsewhere in the kernel (its axes turned); every open curve starts
    // and ends at the same parameters.
    const bool fullConic = type == RuVaEntity2d::kCircle || type == RuVaEntity2d::kEllipse;
    if (!fullConic) {
      EXPECT_NEAR(KcOcConv::OcToKcParameter(*curve, oc->FirstParameter()), first, 1e-12) << type;
      EXPECT_NEAR(KcOcConv::OcToKcParameter(*curve, oc->LastParameter()), last, 1e-12 * std::max(1.0, std::fabs(last)))
          << type;
    }
    // Same points at the same parameters (unbounded curves sampled near their location).
    const double lo = std::max(first, -10.0), hi = std::min(last, 10.0);
    for (int i = 0; i <= 8; ++i) {
      const double u = lo + (hi - lo) * i / 8.0;
      RuVaPnt2d p;
      ASSERT_TRUE(KcCurveParam::GetPointFromParameter(curve.get(), u, p)) << type;
      const gp_Pnt2d q = oc->Value(KcOcConv::KcToOcParameter(*curve, u));
      const double scale = std::max(1.0, std::fabs(p.X()));
      EXPECT_NEAR(p.X(), q.X(), 1e-12 * scale) << type << " u=" << u;
      EXPECT_NEAR(p.Y(), q.Y(), 1e-12 * scale) << type << " u=" << u;
    }
    std::unique_ptr<RuVaCurveEnt2d> back(KcOcConv::ConvertToKcCurve(oc));
    ASSERT_NE(back, nullptr) << type;
    // A chain comes back as the degree-1 B-spline that carries it; ellipses come back with the
    // longer axis as the major one, covering the same points.
    const bool chain = type == RuVaEntity2d::kPointSequence;
    EXPECT_EQ(back->GetEntityType(), chain ? RuVaEntity2d::kBSplineCurve : type);
    if (type != RuVaEntity2d::kEllipse && type != RuVaEntity2d::kEllipseArc && !chain)
      EXPECT_TRUE(back->IsEqual(*curve, RuVaTol(1e-9, 1e-12))) << type;
    RuVaPnt2d a, b;
    if (curve->IsBounded() && !fullConic) {
      KcCurveParam::GetFirstParamePoint(curve.get(), a);
      KcCurveParam::GetFirstParamePoint(back.get(), b);
      EXPECT_NEAR(a.Distance(b), 0.0, 1e-9) << type;
      KcCurveParam::GetLastParamePoint(curve.get(), a);
      KcCurveParam::GetLastParamePoint(back.get(), b);
      EXPECT_NEAR(a.Distance(b), 0.0, 1e-9) << type;
    }
  }
}

TEST(KcOcConv, SplinesEvaluateLikeTheKernel)
{
  const KcArrayOfGePnt2d six{{0, 0}, {2, 0}, {3, 1}, {2, 3}, {0, 2}, {-1, 1}};
  const KcArrayOfGePnt2d five{{0, 0}, {2, 0}, {3, 1}, {2, 3}, {0, 2}};
  const RuVaBSplineCurve2d splines[] = {
      {six, {}, {0, 1, 2, 3}, {4, 1, 1, 4}, 3},                        // clamped cubic
      {six, {1, 0.5, 2, 1, 0.7, 1}, {0, 1, 2, 3}, {4, 1, 1, 4}, 3},    // rational
      {six, {}, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 3},  // unclamped
      {six, {}, {0, 1, 2, 3}, {3, 2, 1, 3}, 2},                        // inner knot of full multiplicity
      {six, {}, {0, 1, 2, 3, 4, 5}, {2, 1, 1, 1, 1, 2}, 1},            // a chain as a spline
      {five, {}, {0, 1, 2.5, 3, 4, 5.5}, {1, 1, 1, 1, 1, 1}, 3, TRUE}, // periodic
      {six, {1, 2, 1, 2, 1, 2}, {0, 1, 2.5, 3, 4}, {2, 1, 2, 1, 2}, 2, TRUE},  // periodic, rational, doubled knots
  };
  int index = 0;
  for (const RuVaBSplineCurve2d& s : splines) {
    ASSERT_TRUE(s.IsDone()) << index;
    Handle(Geom2d_Curve) oc = KcOcConv::ConvertToOcCurve(s);
    ASSERT_FALSE(oc.IsNull()) << index;
    const double first = s.FirstParameter(), last = s.LastParameter();
    EXPECT_EQ(first, oc->FirstParameter()) << index;
    EXPECT_EQ(last, oc->LastParameter()) << index;
    for (int i = 0; i <= 40; ++i) {
      // Ends, knots and points between; periodic curves also a turn beyond.
      const double u = first + (last - first) * i / 40.0 + (s.IsPeriodic() && i % 2 ? last - first : 0.0);
      RuVaPnt2d p;
      RuVaVec2d d;
      ASSERT_TRUE(s.D1(u, p, d)) << index << " u=" << u;
      gp_Pnt2d q;
      gp_Vec2d v;
      oc->D1(u, q, v);
      EXPECT_NEAR(p.X(), q.X(), 1e-12) << index << " u=" << u;
      EXPECT_NEAR(p.Y(), q.Y(), 1e-12) << index << " u=" << u;
      // At a knot where the curve only joins (multiplicity = degree) the two one-sided derivatives
      // differ, and either is right.
      bool atJoint = false;
      for (size_t k = 0; k < s.GetKnots().size(); ++k)
        for (double turn : {0.0, last - first})
          atJoint = atJoint || (std::fabs(u - s.GetKnots()[k] - turn) < 1e-12 && s.GetMultiplicities()[k] >= s.GetDegree());
      if (!atJoint) {
        EXPECT_NEAR(d.X(), v.X(), 1e-9) << index << " u=" << u;
        EXPECT_NEAR(d.Y(), v.Y(), 1e-9) << index << " u=" << u;
      }
    }
    RuVaPnt2d p;
    if (!s.IsPeriodic())
      EXPECT_FALSE(s.D0(last + 0.1, p)) << index;
    ++index;
  }
}

TEST(KcOcConv, UnusableEntitiesGiveNoCurve)
{
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(nullptr).IsNull());
  const RuVaLineSeg2d dot(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1));
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(dot).IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(RuVaCircle2d(RuVaPnt2d(0, 0), 0)).IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(RuVaCircle2d(RuVaPnt2d(0, 0), -3)).IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(RuVaEllipse2d(RuVaPnt2d(0, 0), RuVaVec2d(0, 0), 2, 1)).IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(RuVaArrayPnt2d(KcArrayOfGePnt2d{{1, 1}})).IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(
                  RuVaBSplineCurve2d(KcArrayOfGePnt2d{{0, 0}, {1, 1}}, {}, {0, 1}, {3, 3}, 3))
                  .IsNull());
  EXPECT_TRUE(KcOcConv::ConvertToOcCurve(RuVaLineSeg2d(RuVaPnt2d(0, 0), RuVaPnt2d(NAN, 1))).IsNull());
  EXPECT_EQ(KcOcConv::ConvertToKcCurve(Handle(Geom2d_Curve)()), nullptr);
}

TEST(KcOcConv, KernelOnlyCurvesAndReversedTrims)
{
  // A reversed trim of a counter-clockwise circle is a clockwise arc over the same points.
  Handle(Geom2d_Circle) circle = new Geom2d_Circle(gp_Circ2d(gp_Ax22d(gp_Pnt2d(0, 0), gp_Dir2d(1, 0)), 2));
  Handle(Geom2d_TrimmedCurve) reversed = new Geom2d_TrimmedCurve(circle, 0, M_PI / 2, Standard_False);
  std::unique_ptr<RuVaCurveEnt2d> arc(KcOcConv::ConvertToKcCurve(reversed));
  ASSERT_NE(arc, nullptr);
  ASSERT_EQ(arc->GetEntityType(), RuVaEntity2d::kArc);
  const RuVaArc2d& a = static_cast<const RuVaArc2d&>(*arc);
  EXPECT_EQ(a.GetDirection(), RuVa::kClockwise);
  RuVaPnt2d s, e;
  a.GetStartPoint(s);
  a.GetEndPoint(e);
  EXPECT_NEAR(s.Distance(RuVaPnt2d(0, 2)), 0, 1e-12);
  EXPECT_NEAR(e.Distance(RuVaPnt2d(2, 0)), 0, 1e-12);

  // Infinite bounds turn into unbounded lines; one infinite bound into a half line pointing away
  // from the finite end.
  Handle(Geom2d_Line) line = new Geom2d_Line(gp_Pnt2d(1, 1), gp_Dir2d(1, 0));
  std::unique_ptr<RuVaCurveEnt2d> ray(
      KcOcConv::ConvertToKcCurve(new Geom2d_TrimmedCurve(line, -Precision::Infinite(), 3.0)));
  ASSERT_NE(ray, nullptr);
  ASSERT_EQ(ray->GetEntityType(), RuVaEntity2d::kHalfLine);
  EXPECT_EQ(static_cast<const RuVaHalfLine2d&>(*ray).Location(), RuVaPnt2d(4, 1));
  EXPECT_EQ(static_cast<const RuVaHalfLine2d&>(*ray).Direction(), RuVaDir2d(-1, 0));
  std::unique_ptr<RuVaCurveEnt2d> whole(KcOcConv::ConvertToKcCurve(line));
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(whole->GetEntityType(), RuVaEntity2d::kLine);

  // A Bezier curve becomes a B-spline with the same ends.
  TColgp_Array1OfPnt2d poles(1, 3);
  poles.SetValue(1, gp_Pnt2d(0, 0));
  poles.SetValue(2, gp_Pnt2d(1, 2));
  poles.SetValue(3, gp_Pnt2d(2, 0));
  std::unique_ptr<RuVaCurveEnt2d> spline(KcOcConv::ConvertToKcCurve(new Geom2d_BezierCurve(poles)));
  ASSERT_NE(spline, nullptr);
  EXPECT_EQ(spline->GetEntityType(), RuVaEntity2d::kBSplineCurve);
  RuVaPnt2d mid;
  ASSERT_TRUE(KcCurveParam::GetCenterParamePoint(spline.get(), mid));
  EXPECT_NEAR(mid.Distance(RuVaPnt2d(1, 1)), 0, 1e-12);
}

}  // namespace
