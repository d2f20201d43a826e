// Curve entities: parameter ranges, end points, boxes, transformations and equality.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaArrayPnt2d.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaEllipseArc2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaHalfLine2d.h"
#include "libs/ruva/RuVaLineSeg2d.h"

namespace {

const double kDeg = RuVa::DegToRad;

void ExpectNear(const RuVaPnt2d& a, const RuVaPnt2d& b, double tol, const char* what = "")
{
  EXPECT_NEAR(a.X(), b.X(), tol) << what;
  EXPECT_NEAR(a.Y(), b.Y(), tol) << what;
}

TEST(RuVaArc2d, ParameterRangeAndEndsForEveryDirection)
{
  struct Case {
    double start, end;  // degrees
    int dir;
    double sweep;       // degrees
    RuVaPnt2d startPoint, endPoint, middle;
  } cases[] = {
      {0, 90, 1, 90, {2, 0}, {0, 2}, {std::sqrt(2.0), std::sqrt(2.0)}},
      {350, 10, 1, 20, {2 * std::cos(10 * kDeg), -2 * std::sin(10 * kDeg)}, {2 * std::cos(10 * kDeg), 2 * std::sin(10 * kDeg)}, {2, 0}},
      {10, 350, -1, 20, {2 * std::cos(10 * kDeg), 2 * std::sin(10 * kDeg)}, {2 * std::cos(10 * kDeg), -2 * std::sin(10 * kDeg)}, {2, 0}},
      {90, 0, -1, 90, {0, 2}, {2, 0}, {std::sqrt(2.0), std::sqrt(2.0)}},
      {90, 0, 1, 270, {0, 2}, {2, 0}, {-std::sqrt(2.0), -std::sqrt(2.0)}},
      {-90, 90, 1, 180, {0, -2}, {0, 2}, {2, 0}},
      {45, 45, 1, 360, {std::sqrt(2.0), std::sqrt(2.0)}, {std::sqrt(2.0), std::sqrt(2.0)}, {-std::sqrt(2.0), -std::sqrt(2.0)}},
  };
  for (const Case& c : cases) {
    const RuVaArc2d arc(RuVaPnt2d(0, 0), 2, c.start * kDeg, c.end * kDeg, c.dir);
    ASSERT_TRUE(arc.IsDone());
    EXPECT_NEAR(arc.GetSweepAngle(), c.sweep * kDeg, 1e-12) << c.start << " " << c.end;
    EXPECT_NEAR(arc.LastParameter() - arc.FirstParameter(), c.sweep * kDeg, 1e-12);
    RuVaPnt2d s, e, m;
    ASSERT_TRUE(arc.GetStartPoint(s));
    ASSERT_TRUE(arc.GetEndPoint(e));
    ASSERT_TRUE(arc.D0(0.5 * (arc.FirstParameter() + arc.LastParameter()), m));
    ExpectNear(s, c.startPoint, 1e-12, "start");
    ExpectNear(e, c.endPoint, 1e-12, "end");
    ExpectNear(m, c.middle, 1e-12, "middle");
    // The derivative points the way the arc runs.
    RuVaPnt2d p;
    RuVaVec2d d;
    ASSERT_TRUE(arc.D1(arc.FirstParameter(), p, d));
    EXPECT_GT(RuVaVec2d(arc.GetCenter(), p).Crossed(d) * c.dir, 0.0);
    EXPECT_EQ(bool(arc.IsClosed()), c.sweep == 360);
  }
}

TEST(RuVaArc2d, ContainsAnglesAcrossZeroAndBox)
{
  const RuVaArc2d arc(RuVaPnt2d(1, 1), 1, 350 * kDeg, 10 * kDeg);
  struct Case {
    double deg;
    bool in;
  } cases[] = {{0, true}, {355, true}, {5, true}, {10, true}, {350, true}, {11, false}, {349, false}, {180, false}};
  for (const Case& c : cases)
    EXPECT_EQ(bool(arc.ContainsAngle(c.deg * kDeg, 1e-12)), c.in) << c.deg;
  const RuVaBndBox2d box = arc.GetBndBox();
  EXPECT_NEAR(box.XMin(), 1 + std::cos(10 * kDeg), 1e-12);
  EXPECT_NEAR(box.XMax(), 2, 1e-12);  // passes through angle 0
  EXPECT_NEAR(box.YMin(), 1 - std::sin(10 * kDeg), 1e-12);
  EXPECT_NEAR(box.YMax(), 1 + std::sin(10 * kDeg), 1e-12);

  // Swapping the direction keeps the angles and takes the other side.
  RuVaArc2d other(arc);
  other.SetDirection(RuVa::kClockwise);
  EXPECT_NEAR(other.GetSweepAngle(), 340 * kDeg, 1e-12);
  EXPECT_FALSE(other.ContainsAngle(0));
  EXPECT_NEAR(other.GetStartAngle(), 350 * kDeg, 1e-12);
}

TEST(RuVaArc2d, EqualityIgnoresRunningDirectionAndTransformsKeepFullTurns)
{
  const RuVaArc2d ccw(RuVaPnt2d(0, 0), 1, 0, 90 * kDeg, 1);
  const RuVaArc2d cw(RuVaPnt2d(0, 0), 1, 90 * kDeg, 0, -1);
  const RuVaArc2d other(RuVaPnt2d(0, 0), 1, 0, 91 * kDeg, 1);
  EXPECT_TRUE(ccw.IsEqual(cw));
  EXPECT_FALSE(ccw.IsEqual(other));
  EXPECT_FALSE(ccw.IsEqual(RuVaCircle2d(RuVaPnt2d(0, 0), 1)));
  EXPECT_TRUE(RuVaArc2d(RuVaPnt2d(0, 0), 1, 0.5, 0.5).IsEqual(RuVaArc2d(RuVaPnt2d(0, 0), 1, 2.0, 2.0, -1)));

  RuVaGTrsf2d mirror;
  mirror.SetMirror(RuVaPnt2d(0, 0), RuVaPnt2d(0, 1));  // about the y axis
  RuVaArc2d m(ccw);
  ASSERT_TRUE(m.Transform(mirror));
  EXPECT_EQ(m.GetDirection(), RuVa::kClockwise);
  RuVaPnt2d s, e;
  m.GetStartPoint(s);
  m.GetEndPoint(e);
  ExpectNear(s, RuVaPnt2d(-1, 0), 1e-12);
  ExpectNear(e, RuVaPnt2d(0, 1), 1e-12);

  RuVaArc2d full(RuVaPnt2d(0, 0), 1, 30 * kDeg, 30 * kDeg);
  RuVaGTrsf2d turn;
  turn.SetRotation(RuVaPnt2d(5, 5), 0.3);
  ASSERT_TRUE(full.Transform(turn));
  EXPECT_EQ(full.GetSweepAngle(), RuVa::TwoPi);

  RuVaGTrsf2d stretch;
  stretch.SetScale(RuVaPnt2d(0, 0), 2, 1);
  RuVaArc2d kept(ccw);
  EXPECT_FALSE(kept.Transform(stretch));
  EXPECT_TRUE(kept.IsEqual(ccw, RuVaTol(0.0, 0.0)));
}

TEST(RuVaEllipse2d, AnglePointsBoxesAndAffineImages)
{
  // Major axis along 30 degrees.
  const RuVaVec2d axis(std::cos(30 * kDeg), std::sin(30 * kDeg));
  const RuVaEllipse2d e(RuVaPnt2d(1, 2), axis * 7.0, 4, 2);
  ExpectNear(e.GetAnglePoint(0), RuVaPnt2d(1 + 4 * axis.X(), 2 + 4 * axis.Y()), 1e-12);
  ExpectNear(e.GetAnglePoint(RuVa::HalfPi), RuVaPnt2d(1 - 2 * axis.Y(), 2 + 2 * axis.X()), 1e-12);
  ExpectNear(RuVaEllipse2d::GetAnglePoint(RuVaPnt2d(1, 2), axis, 4, 2, 0), e.GetAnglePoint(0), 1e-15);
  EXPECT_NEAR(e.GetRotationAngle(), 30 * kDeg, 1e-12);

  // The box touches the sampled curve.
  double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
  for (int i = 0; i < 3600; ++i) {
    const RuVaPnt2d p = e.GetAnglePoint(i * 0.1 * kDeg);
    xmin = std::min(xmin, p.X());
    xmax = std::max(xmax, p.X());
    ymin = std::min(ymin, p.Y());
    ymax = std::max(ymax, p.Y());
  }
  const RuVaBndBox2d box = e.GetBndBox();
  EXPECT_NEAR(box.XMin(), xmin, 1e-5);
  EXPECT_NEAR(box.XMax(), xmax, 1e-5);
  EXPECT_NEAR(box.YMin(), ymin, 1e-5);
  EXPECT_NEAR(box.YMax(), ymax, 1e-5);
  EXPECT_LE(box.XMin(), xmin);

  // An elliptic arc under a shear and a mirror: every point maps onto the image arc, ends included.
  const RuVaEllipseArc2d arc(RuVaPnt2d(1, 2), axis, 4, 2, 350 * kDeg, 100 * kDeg, 1);
  RuVaGTrsf2d t(1.0, 0.7, 3.0, 0.2, -1.5, -1.0);  // shear, stretch, mirror (negative determinant)
  RuVaEllipseArc2d image(arc);
  ASSERT_TRUE(image.Transform(t));
  EXPECT_GE(image.GetMajorRadius(), image.GetMinorRadius());
  EXPECT_EQ(image.GetDirection(), RuVa::kClockwise);
  for (int i = 0; i <= 10; ++i) {
    const double u0 = arc.FirstParameter() + (arc.LastParameter() - arc.FirstParameter()) * i / 10.0;
    const double u1 = image.FirstParameter() + (image.LastParameter() - image.FirstParameter()) * i / 10.0;
    RuVaPnt2d p, q;
    ASSERT_TRUE(arc.D0(u0, p));
    ASSERT_TRUE(image.D0(u1, q));
    ExpectNear(p.Transformed(t), q, 1e-9, "image point");
  }
  RuVaGTrsf2d singular(1, 1, 0, 1, 1, 0);
  EXPECT_FALSE(image.Transform(singular));
}

TEST(RuVaLineSeg2d, ParametersByLengthAndExactEnds)
{
  const RuVaLineSeg2d seg(RuVaPnt2d(0.1, 0.1), RuVaPnt2d(0.3, 0.7));
  RuVaPnt2d p;
  ASSERT_TRUE(seg.D0(seg.LastParameter(), p));
  EXPECT_EQ(p, RuVaPnt2d(0.3, 0.7));  // exactly, not 0.1 + 0.2
  ASSERT_TRUE(seg.D0(seg.Length() / 2, p));
  ExpectNear(p, RuVaPnt2d(0.2, 0.4), 1e-15);
  EXPECT_TRUE(seg.IsTrimmedCurveEntType());
  EXPECT_TRUE(seg.IsEqual(RuVaLineSeg2d(RuVaPnt2d(0.3, 0.7), RuVaPnt2d(0.1, 0.1))));

  // A zero-length segment is not usable and has no direction.
  const RuVaLineSeg2d dot(RuVaPnt2d(5, 5), RuVaPnt2d(5, 5));
  EXPECT_FALSE(dot.IsDone());
  RuVaDir2d d;
  EXPECT_FALSE(dot.GetDirection(d));
  EXPECT_EQ(std::unique_ptr<RuVaCurveEnt2d>(dot.CreateBasisCurve()), nullptr);
  // Very small but real.
  EXPECT_TRUE(RuVaLineSeg2d(RuVaPnt2d(1e-6, 1e-6), RuVaPnt2d(2e-6, 1e-6)).IsDone());

  const RuVaHalfLine2d ray(RuVaPnt2d(1, 1), RuVaDir2d(0, -1));
  EXPECT_FALSE(ray.IsBounded());
  RuVaPnt2d start;
  EXPECT_TRUE(ray.GetStartPoint(start));
  EXPECT_FALSE(ray.GetEndPoint(start));
  const RuVaBndBox2d box = ray.GetBndBox();
  EXPECT_EQ(box.YMin(), -RuVa::Infinite());
  EXPECT_EQ(box.YMax(), 1);
}

TEST(RuVaEntity2d, TypeNumbersAndKinds)
{
  struct Case {
    std::unique_ptr<RuVaEntity2d> e;
    int type;
    bool trimmed;
  };
  Case cases[] = {
      {std::make_unique<RuVaLine2d>(), RuVaEntity2d::kLine, false},
      {std::make_unique<RuVaHalfLine2d>(), RuVaEntity2d::kHalfLine, false},
      {std::make_unique<RuVaLineSeg2d>(), RuVaEntity2d::kLineSeg, true},
      {std::make_unique<RuVaCircle2d>(), 5, false},
      {std::make_unique<RuVaArc2d>(), RuVaEntity2d::kArc, true},
      {std::make_unique<RuVaEllipse2d>(), RuVaEntity2d::kEllipse, false},
      {std::make_unique<RuVaEllipseArc2d>(), RuVaEntity2d::kEllipseArc, true},
      {std::make_unique<RuVaBSplineCurve2d>(), RuVaEntity2d::kBSplineCurve, false},
      {std::make_unique<RuVaArrayPnt2d>(), 10, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.e->GetEntityType(), c.type);
    EXPECT_EQ(bool(c.e->IsTrimmedCurveEntType()), c.trimmed) << c.type;
    EXPECT_EQ(bool(RuVaEntity2d::IsTrimmedCurveEntType(c.type)), c.trimmed) << c.type;
    EXPECT_TRUE(c.e->IsCurveEntity());
    std::unique_ptr<RuVaEntity2d> clone(c.e->Clone());
    EXPECT_EQ(clone->GetEntityType(), c.type);
    std::unique_ptr<RuVaEntity2d> made(RuVaEntity2d::CreateByType(c.type));
    ASSERT_NE(made, nullptr);
  }
  EXPECT_EQ(RuVaEntity2d::CreateByType(4), nullptr);
  // An arc is read as a circle where only the radius matters.
  RuVaArc2d arc(RuVaPnt2d(0, 0), 3, 0, 1);
  const RuVaCircle2d& asCircle = arc;
  EXPECT_EQ(asCircle.GetRadius(), 3);
}

TEST(RuVaArrayPnt2d, ChainsAreCurvesByIndex)
{
  RuVaArrayPnt2d chain(KcArrayOfGePnt2d{{0, 0}, {10, 0}, {10, 10}});
  ASSERT_TRUE(chain.IsDone());
  EXPECT_EQ(chain.LastParameter(), 2);
  struct Case {
    double u;
    bool ok;
    RuVaPnt2d p;
  } cases[] = {{0, true, {0, 0}}, {0.25, true, {2.5, 0}}, {1, true, {10, 0}}, {1.5, true, {10, 5}},
               {2, true, {10, 10}}, {2.5, false, {}}, {-0.1, false, {}}};
  for (const Case& c : cases) {
    RuVaPnt2d p;
    EXPECT_EQ(bool(chain.D0(c.u, p)), c.ok) << c.u;
    if (c.ok)
      EXPECT_EQ(p, c.p) << c.u;
  }
  EXPECT_TRUE(chain.IsEqual(RuVaArrayPnt2d(KcArrayOfGePnt2d{{10, 10}, {10, 0}, {0, 0}})));
  EXPECT_FALSE(RuVaArrayPnt2d(KcArrayOfGePnt2d{{1, 1}}).IsDone());
  EXPECT_EQ(chain.Sequence().GetSize(), 3);
}

TEST(RuVaBSplineCurve2d, DataChecks)
{
  const KcArrayOfGePnt2d four{{0, 0}, {1, 2}, {3, 2}, {4, 0}};
  struct Case {
    const char* what;
    std::vector<double> weights, knots;
    std::vector<int> mults;
    int degree;
    bool periodic, done;
  } cases[] = {
      {"clamped cubic", {}, {0, 1}, {4, 4}, 3, false, true},
      {"rational", {1, 0.5, 0.5, 1}, {0, 1}, {4, 4}, 3, false, true},
      {"degree 1", {}, {0, 1, 2, 3}, {2, 1, 1, 2}, 1, false, true},
      {"bad sum", {}, {0, 1}, {3, 3}, 3, false, false},
      {"knots not increasing", {}, {0, 0, 1}, {2, 2, 2}, 3, false, false},
      {"zero weight", {1, 0, 1, 1}, {0, 1}, {4, 4}, 3, false, false},
      {"weights count", {1, 1}, {0, 1}, {4, 4}, 3, false, false},
      {"degree 0", {}, {0, 1}, {2, 2}, 0, false, false},
      {"interior too high", {}, {0, 0.5, 1}, {2, 3, 2}, 1, false, false},
      {"periodic", {}, {0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}, 3, true, true},
  };
  for (const Case& c : cases) {
    const RuVaBSplineCurve2d s(four, c.weights, c.knots, c.mults, c.degree, c.periodic);
    EXPECT_EQ(bool(s.IsDone()), c.done) << c.what;
  }
  const RuVaBSplineCurve2d s(four, {}, {2, 5}, {4, 4}, 3);
  EXPECT_EQ(s.FirstParameter(), 2);
  EXPECT_EQ(s.LastParameter(), 5);
  EXPECT_FALSE(s.IsClosed());
  const RuVaBSplineCurve2d d1(four, {}, {0, 1, 2, 3}, {2, 1, 1, 2}, 1);
  EXPECT_EQ(d1.LastParameter(), 3);
}

TEST(KcArrayOfGeEntity2d, HoldsWithoutOwningUntilDeleted)
{
  KcArrayOfGeEntity2d a;
  a.Add(new RuVaLineSeg2d(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)));
  a.Add(new RuVaCircle2d(RuVaPnt2d(0, 0), 1));
  EXPECT_EQ(a.GetAt(5), nullptr);
  EXPECT_FALSE(a.RemoveAt(-1));
  KcArrayOfGeEntity2d copies;
  copies.CloneFrom(a);
  ASSERT_EQ(copies.GetSize(), 2);
  EXPECT_NE(copies[0], a[0]);
  EXPECT_TRUE(copies[1]->IsEqual(*a[1]));
  EXPECT_TRUE(a.DeleteAt(0));
  EXPECT_EQ(a.GetSize(), 1);
  a.DeleteAll();
  copies.DeleteAll();
  EXPECT_TRUE(a.IsEmpty());
}

}  // namespace
