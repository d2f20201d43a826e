// Arc lengths, stretches between parameters and cutting curves by polygons.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"
#include "libs/zuruda/KcCurveParam.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

const double kPi = RuVa::Pi;

RuVaPnt2d Start(const RuVaEntity2d* c)
{
  RuVaPnt2d p;
  EXPECT_TRUE(KcCurveParam::GetFirstParamePoint(c, p));
  return p;
}
RuVaPnt2d Middle(const RuVaEntity2d* c)
{
  RuVaPnt2d p;
  EXPECT_TRUE(KcCurveParam::GetCenterParamePoint(c, p));
  return p;
}
RuVaPnt2d End(const RuVaEntity2d* c)
{
  RuVaPnt2d p;
  EXPECT_TRUE(KcCurveParam::GetLastParamePoint(c, p));
  return p;
}

const RuVaLineSeg2d kSeg(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
const RuVaArrayPnt2d kChain(KcArrayOfGePnt2d{{0, 0}, {3, 4}, {3, 10}});
const RuVaArrayPnt2d kSquare(KcArrayOfGePnt2d{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
const RuVaCircle2d kCircle(RuVaPnt2d(0, 0), 2);
const RuVaEllipse2d kRound(RuVaPnt2d(0, 0), RuVaVec2d(1, 0), 1, 1);
const RuVaBSplineCurve2d kVee(KcArrayOfGePnt2d{{-2, 2}, {0, 0}, {2, 2}}, {}, {0, 1, 2}, {2, 1, 2}, 1);

TEST(KcCurveParam, ParameterAtAnArcLength)
{
  struct Case {
    const char* what;
    const RuVaEntity2d& curve;
    double length, from;
    bool ok;
    double parameter;
    RuVaPnt2d point;
  } cases[] = {
      {"segment", kSeg, 3, 2, true, 5, {5, 0}},
      {"segment backwards", kSeg, -2, 5, true, 3, {3, 0}},
      {"circle", kCircle, kPi, 0, true, kPi / 2, {0, 2}},
      {"chain across a corner", kChain, 7, 0, true, 1 + 2.0 / 6, {3, 6}},
      {"chain to its end", kChain, 11, 0, true, 2, {3, 10}},
      {"chain past its end", kChain, 11.5, 0, false, 0, {}},
      {"ellipse", kRound, kPi / 2, 0, true, kPi / 2, {0, 1}},
      {"spline", kVee, std::sqrt(2.0), 0.5, true, 1, {0, 0}},
  };
  for (const Case& c : cases) {
    double u = -1;
    RuVaPnt2d p;
    ASSERT_EQ(bool(KcCurveParam::GetLengthParameter(&c.curve, c.length, c.from, u, p)), c.ok) << c.what;
    if (!c.ok)
      continue;
    EXPECT_NEAR(u, c.parameter, 1e-7) << c.what;
    EXPECT_NEAR(p.Distance(c.point), 0, 1e-7) << c.what;
  }
  EXPECT_NEAR(KcCurveParam::GetCurveLength(&kChain, 1.5, 0.5), 5.5, 1e-12);
  EXPECT_NEAR(KcCurveParam::GetCurveLength(&kCircle, 0, kPi), 2 * kPi, 1e-12);
  EXPECT_NEAR(KcCurveParam::GetCurveLength(&kRound, 0, kPi), kPi, 1e-7);
  EXPECT_NEAR(KcCurveParam::GetCurveLength(&kVee, 0, 2), 4 * std::sqrt(2.0), 1e-9);
  EXPECT_EQ(KcCurveParam::GetCurveLength(&kChain, 0, 3), -1.0);
  EXPECT_EQ(KcCurveParam::FirstParameter(&kChain), 0.0);
  EXPECT_EQ(KcCurveParam::LastParameter(&kChain), 2.0);
  EXPECT_EQ(KcCurveParam::LastParameter(nullptr), 0.0);
}

TEST(KcGeometryTool, ClosedCurvesAndStretches)
{
  const RuVaArc2d fullArc(RuVaPnt2d(0, 0), 1, 1.0, 1.0);
  const RuVaArc2d arc(RuVaPnt2d(0, 0), 1, 0, 1.0);
  struct Closed {
    const RuVaEntity2d& curve;
    bool closed;
  } closedCases[] = {{kCircle, true}, {kRound, true}, {fullArc, true}, {arc, false}, {kSquare, true}, {kChain, false}, {kSeg, false}, {kVee, false}};
  for (const Closed& c : closedCases)
    EXPECT_EQ(bool(KcGeometryTool::IsCurvePeriodicClosed(&c.curve)), c.closed) << c.curve.GetEntityType();

  EXPECT_NEAR(KcGeometryTool::GetCurveMiddleParameter(&kCircle, 5, 1), 3 + kPi, 1e-12);
  EXPECT_NEAR(KcGeometryTool::GetCurveMiddleParameter(&kCircle, 6, 1), 3.5 + kPi - 2 * kPi, 1e-12);
  EXPECT_EQ(KcGeometryTool::GetCurveMiddleParameter(&kSeg, 6, 2), 4.0);

  double u = 0;
  ASSERT_TRUE(KcGeometryTool::GetCurveProjectionParameter(&kSeg, RuVaPnt2d(4, 3), u));
  EXPECT_EQ(u, 4);
  EXPECT_FALSE(KcGeometryTool::GetCurveProjectionParameter(&kSeg, RuVaPnt2d(14, 3), u));
  EXPECT_FALSE(KcGeometryTool::GetCurveProjectionParameter(&kCircle, RuVaPnt2d(0, 0), u));

  struct Piece {
    const char* what;
    const RuVaEntity2d& curve;
    double a, b, m;
    int type;
    RuVaPnt2d start, middle, end;
  } pieces[] = {
      {"segment", kSeg, 2, 6, 4, RuVaEntity2d::kLineSeg, {2, 0}, {4, 0}, {6, 0}},
      {"segment, reversed bounds", kSeg, 6, 2, 4, RuVaEntity2d::kLineSeg, {2, 0}, {4, 0}, {6, 0}},
      {"circle, plain", kCircle, kPi / 2, 3 * kPi / 2, kPi, RuVaEntity2d::kArc, {0, 2}, {-2, 0}, {0, -2}},
      {"circle, across its start", kCircle, 3 * kPi / 2, kPi / 2, 0, RuVaEntity2d::kArc, {0, -2}, {2, 0}, {0, 2}},
      {"circle, middle outside", kCircle, kPi / 2, 3 * kPi / 2, 0.1, RuVaEntity2d::kArc, {0, -2}, {2, 0}, {0, 2}},
      {"ellipse", kRound, 0, kPi, kPi / 2, RuVaEntity2d::kEllipseArc, {1, 0}, {0, 1}, {-1, 0}},
      {"chain", kChain, 0.5, 1.5, 1, RuVaEntity2d::kPointSequence, {1.5, 2}, {3, 4}, {3, 7}},
      {"closed chain across its start", kSquare, 3.5, 0.5, 0, RuVaEntity2d::kPointSequence, {0, 0.5}, {0, 0}, {0.5, 0}},
      {"spline", kVee, 0.5, 1.5, 1, RuVaEntity2d::kBSplineCurve, {-1, 1}, {0, 0}, {1, 1}},
  };
  for (const Piece& c : pieces) {
    std::unique_ptr<RuVaCurveEnt2d> piece(KcGeometryTool::TrimCurve(&c.curve, c.a, c.b, c.m));
    ASSERT_NE(piece, nullptr) << c.what;
    EXPECT_EQ(piece->GetEntityType(), c.type) << c.what;
    EXPECT_NEAR(Start(piece.get()).Distance(c.start), 0, 1e-9) << c.what;
    EXPECT_NEAR(Middle(piece.get()).Distance(c.middle), 0, 1e-9) << c.what;
    EXPECT_NEAR(End(piece.get()).Distance(c.end), 0, 1e-9) << c.what;
  }
  EXPECT_EQ(std::unique_ptr<RuVaCurveEnt2d>(KcGeometryTool::TrimCurve(&kSeg, 3, 3, 3)), nullptr);
  EXPECT_EQ(std::unique_ptr<RuVaCurveEnt2d>(KcGeometryTool::TrimCurve(nullptr, 0, 1, 0.5)), nullptr);
}

TEST(KcGeometryTool, CutByAPolygon)
{
  const KcArrayOfGePnt2d square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  struct Case {
    const char* what;
    std::shared_ptr<RuVaEntity2d> curve;
    int result;
    int nInside, nOutside;
    RuVaPnt2d insideMiddle;
  } cases[] = {
      {"segment across an edge", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(-5, 5), RuVaPnt2d(5, 5)), 2, 1, 1, {2.5, 5}},
      {"segment across the square", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(-5, 5), RuVaPnt2d(15, 5)), 2, 1, 2, {5, 5}},
      {"segment inside", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(2, 2), RuVaPnt2d(8, 8)), 1, 0, 0, {}},
      {"segment ending on the boundary", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(2, 2), RuVaPnt2d(10, 2)), 1, 0, 0, {}},
      {"segment outside", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(20, 0), RuVaPnt2d(30, 0)), 0, 0, 0, {}},
      {"segment touching a corner from outside", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(5, 15), RuVaPnt2d(15, 5)), 0, 0, 0, {}},
      {"segment along an edge", std::make_shared<RuVaLineSeg2d>(RuVaPnt2d(-5, 0), RuVaPnt2d(5, 0)), 2, 1, 1, {2.5, 0}},
      {"circle over an edge", std::make_shared<RuVaCircle2d>(RuVaPnt2d(10, 5), 2), 2, 1, 1, {8, 5}},
      {"circle inside", std::make_shared<RuVaCircle2d>(RuVaPnt2d(5, 5), 2), 1, 0, 0, {}},
      {"arc across 0 degrees over an edge", std::make_shared<RuVaArc2d>(RuVaPnt2d(9, 5), 2, 280 * RuVa::DegToRad, 80 * RuVa::DegToRad),
       2, 2, 1, {}},
      {"arc with its ends on an edge, bulging out",
       std::make_shared<RuVaArc2d>(RuVaPnt2d(9, 5), 2, 300 * RuVa::DegToRad, 60 * RuVa::DegToRad), 0, 0, 0, {}},
      {"line through the square", std::make_shared<RuVaLine2d>(RuVaPnt2d(-100, 5), RuVaDir2d(1, 0)), 2, 1, 2, {5, 5}},
      {"line missing the square", std::make_shared<RuVaLine2d>(RuVaPnt2d(-100, 50), RuVaDir2d(1, 0)), 0, 0, 0, {}},
      {"chain leaving and coming back", std::make_shared<RuVaArrayPnt2d>(KcArrayOfGePnt2d{{5, 5}, {15, 5}, {15, 8}, {5, 8}}),
       2, 2, 1, {}},
  };
  for (const Case& c : cases) {
    KcArrayOfGeEntity2d inside, outside;
    EXPECT_EQ(KcGeometryTool::TrimCurve(c.curve.get(), square, inside, outside), c.result) << c.what;
    EXPECT_EQ(inside.GetSize(), c.nInside) << c.what;
    EXPECT_EQ(outside.GetSize(), c.nOutside) << c.what;
    for (INT_PTR i = 0; i < inside.GetSize(); ++i) {
      ASSERT_TRUE(inside[i]->IsDone()) << c.what;
      EXPECT_NE(KcGeometryTool::JudgePointInPolygon(square, Middle(inside[i])), 0) << c.what;
    }
    if (c.nInside == 1)
      EXPECT_NEAR(Middle(inside[0]).Distance(c.insideMiddle), 0, 1e-9) << c.what;
    for (INT_PTR i = 0; i < outside.GetSize(); ++i) {
      RuVaPnt2d mid;
      if (KcCurveParam::GetCenterParamePoint(outside[i], mid))
        EXPECT_EQ(KcGeometryTool::JudgePointInPolygon(square, mid), 0) << c.what;
      else
        EXPECT_EQ(outside[i]->GetEntityType(), RuVaEntity2d::kHalfLine) << c.what;
    }
    inside.DeleteAll();
    outside.DeleteAll();
  }
  KcArrayOfGeEntity2d inside;
  EXPECT_EQ(KcGeometryTool::TrimCurve(nullptr, square, inside), -1);
  EXPECT_EQ(KcGeometryTool::TrimCurve(&kSeg, KcArrayOfGePnt2d{{0, 0}, {1, 1}}, inside), -1);
  EXPECT_EQ(KcGeometryTool::TrimCurve(&kSeg, KcArrayOfGePnt2d{{-1, -1}, {5, -1}, {5, 1}, {-1, 1}}, inside), 2);
  ASSERT_EQ(inside.GetSize(), 1);
  EXPECT_NEAR(End(inside[0]).Distance(RuVaPnt2d(5, 0)), 0, 1e-12);
  inside.DeleteAll();
}

}  // namespace

namespace {

// The largest distance from the chain to the curve, sampled finely along the curve.
double Deviation(const RuVaEntity2d& curve, const KcArrayOfGePnt2d& chain)
{
  double first = 0, last = 0;
  KcCurveParam::FirstLastParameter(&curve, first, last);
  double worst = 0;
  for (int i = 0; i <= 2000; ++i) {
    RuVaPnt2d p;
    KcCurveParam::GetPointFromParameter(&curve, first + (last - first) * i / 2000.0, p);
    double best = 1e300;
    for (INT_PTR k = 0; k + 1 < chain.GetSize(); ++k) {
      const RuVaLineSeg2d seg(chain[k], chain[k + 1]);
      const KcProjectPointOnCurve2d proj(p, seg);
      best = std::min({best, p.Distance(chain[k]), p.Distance(chain[k + 1]), proj.NbPoints() ? proj.LowerDistance() : 1e300});
    }
    worst = std::max(worst, best);
  }
  return worst;
}

TEST(KcCurveParam, DeflectionPointsFollowTheCurve)
{
  const RuVaArc2d acrossZero(RuVaPnt2d(1, 1), 10, 300 * RuVa::DegToRad, 60 * RuVa::DegToRad);
  const RuVaArc2d clockwise(RuVaPnt2d(1, 1), 10, 60 * RuVa::DegToRad, 300 * RuVa::DegToRad, RuVa::kClockwise);
  const RuVaEllipseArc2d ellipse(RuVaPnt2d(0, 0), RuVaVec2d(1, 1), 8, 2, 0.3, 4.0);
  const RuVaBSplineCurve2d spline(KcArrayOfGePnt2d{{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {1, 2, 2, 1}, {0, 1}, {4, 4}, 3);
  struct Case {
    const char* what;
    const RuVaEntity2d& curve;
    double deflection;
  } cases[] = {
      {"arc across 0 degrees", acrossZero, 0.01},
      {"clockwise arc", clockwise, 0.01},
      {"full circle", kCircle, 0.001},
      {"elliptic arc", ellipse, 0.01},
      {"spline", spline, 0.001},
  };
  for (const Case& c : cases) {
    KcArrayOfGePnt2d chain;
    ASSERT_TRUE(KcCurveParam::GetDeflectionPoints(&c.curve, c.deflection, chain)) << c.what;
    ASSERT_GE(chain.GetSize(), 2) << c.what;
    EXPECT_EQ(chain[0], Start(&c.curve)) << c.what;
    EXPECT_EQ(chain[chain.GetSize() - 1], End(&c.curve)) << c.what;
    EXPECT_LE(Deviation(c.curve, chain), c.deflection * 1.01) << c.what;
  }
  KcArrayOfGePnt2d chain{{5, 5}};
  EXPECT_FALSE(KcCurveParam::GetDeflectionPoints(&kCircle, 0.0, chain));
  EXPECT_TRUE(chain.IsEmpty());
  EXPECT_FALSE(KcCurveParam::GetDeflectionPoints(&kCircle, NAN, chain));
  const RuVaLine2d line(RuVaPnt2d(0, 0), RuVaDir2d(1, 0));
  EXPECT_FALSE(KcCurveParam::GetDeflectionPoints(&line, 0.1, chain));
  // A deflection far below what the cap allows is coarsened, not obeyed at any cost.
  ASSERT_TRUE(KcCurveParam::GetDeflectionPoints(&kCircle, 1e-15, chain, 1000));
  EXPECT_EQ(chain.GetSize(), 1000);
  ASSERT_TRUE(KcCurveParam::GetDeflectionPoints(&kSeg, 0.1, chain));
  EXPECT_EQ(chain, (KcArrayOfGePnt2d{{0, 0}, {10, 0}}));
}

}  // namespace
