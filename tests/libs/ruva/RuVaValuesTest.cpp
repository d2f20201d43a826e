// Points, vectors, directions, angles, boxes and transformations against hand-computed values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaLine2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/ruva/RuVaVec2d.h"

namespace {

const double kPi = RuVa::Pi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

TEST(RuVaAngles, CorrectAngleBringsDegreesIntoOneTurn)
{
  struct Case {
    double in, out;
  } cases[] = {
      {0.0, 0.0},       {370.0, 10.0},  {-90.0, 270.0},  {360.0, 0.0},         {720.0, 0.0},
      {-360.0, 0.0},    {-0.0, 0.0},    {359.5, 359.5},  {-1e-14, 0.0},  // rounds up to a full turn
      {-1e-9, 360.0 - 1e-9}, {1e10, 280.0}, {kNaN, 0.0}, {kInfinity, 0.0}, {-kInfinity, 0.0},
  };
  for (const Case& c : cases) {
    const double r = RuVa::CorrectAngle(c.in);
    EXPECT_DOUBLE_EQ(r, c.out) << c.in;
    EXPECT_GE(r, 0.0) << c.in;
    EXPECT_LT(r, 360.0) << c.in;
    EXPECT_FALSE(std::signbit(r)) << c.in;
  }
}

TEST(RuVaAngles, CorrectRadianBringsRadiansIntoOneTurn)
{
  struct Case {
    double in, out;
  } cases[] = {
      {0.0, 0.0}, {-kPi / 2, 1.5 * kPi}, {2 * kPi, 0.0}, {5 * kPi, kPi}, {-1e-17, 0.0}, {kNaN, 0.0},
  };
  for (const Case& c : cases) {
    const double r = RuVa::CorrectRadian(c.in);
    EXPECT_NEAR(r, c.out, 1e-15) << c.in;
    EXPECT_LT(r, RuVa::TwoPi) << c.in;
  }
}

TEST(RuVaAngles, SweepBetweenAnglesFollowsTheDirection)
{
  struct Case {
    double from, to;
    int dir;
    double sweep;
  } cases[] = {
      {0, 90, 1, 90},    {90, 0, 1, 270},  {350, 10, 1, 20}, {10, 350, -1, 20},
      {10, 350, 1, 340}, {30, 30, 1, 360}, {30, 30, -1, 360}, {0, 90, 0, 90},  // 0 reads as counter-clockwise
  };
  for (const Case& c : cases)
    EXPECT_NEAR(RuVa::SweepAngle(c.from * RuVa::DegToRad, c.to * RuVa::DegToRad, c.dir) * RuVa::RadToDeg, c.sweep,
                1e-12)
        << c.from << " " << c.to << " " << c.dir;
}

TEST(RuVaPnt2d, DistanceEqualityAndAnglesAtEveryScale)
{
  struct Case {
    RuVaPnt2d a, b;
    double distance;
  } cases[] = {
      {{0, 0}, {3, 4}, 5},
      {{1e7, 1e7}, {1e7 + 3, 1e7 + 4}, 5},
      {{1e-6, 1e-6}, {4e-6, 5e-6}, 5e-6},
      {{-2, -2}, {-2, -2}, 0},
      {{1e300, 0}, {-1e300, 0}, 2e300},  // no overflow on the way
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.a.Distance(c.b), c.distance, c.distance * 1e-15);
    EXPECT_TRUE(c.a.IsEqual(c.b, c.distance));  // the tolerance is inclusive
    if (c.distance > 0)
      EXPECT_FALSE(c.a.IsEqual(c.b, c.distance * (1 - 1e-9)));
  }
  EXPECT_TRUE(RuVaPnt2d(1, 2).IsEqual(RuVaPnt2d(1, 2), 0.0));
  EXPECT_FALSE(RuVaPnt2d(1, 2).IsEqual(RuVaPnt2d(1, 2 + 1e-15), 0.0));
  EXPECT_FALSE(RuVaPnt2d(kNaN, 0).IsEqual(RuVaPnt2d(kNaN, 0), 1.0));

  EXPECT_DOUBLE_EQ(RuVaPnt2d(1, 1).AngleX(RuVaPnt2d(2, 2)), kPi / 4);
  EXPECT_DOUBLE_EQ(RuVaPnt2d(0, 0).AngleX(RuVaPnt2d(-1, 0)), kPi);
  EXPECT_DOUBLE_EQ(RuVaPnt2d(0, 0).AngleX(RuVaPnt2d(0, -1)), -kPi / 2);
  EXPECT_EQ(RuVaPnt2d(5, 5).AngleX(RuVaPnt2d(5, 5)), 0.0);
  EXPECT_EQ(RuVaPnt2d::CenterPoint(RuVaPnt2d(0, 0), RuVaPnt2d(4, -2)), RuVaPnt2d(2, -1));
  EXPECT_EQ(RuVaPnt2d::kOrigin, RuVaPnt2d(0, 0));
}

TEST(RuVaPnt2d, RotationAboutACentre)
{
  struct Case {
    RuVaPnt2d p, centre;
    double degrees;
    RuVaPnt2d expected;
  } cases[] = {
      {{2, 1}, {1, 1}, 90, {1, 2}},
      {{2, 1}, {1, 1}, -90, {1, 0}},
      {{3, 4}, {0, 0}, 180, {-3, -4}},
      {{1e7 + 1, 1e7}, {1e7, 1e7}, 90, {1e7, 1e7 + 1}},
      {{5, 5}, {5, 5}, 33, {5, 5}},
  };
  for (const Case& c : cases) {
    const RuVaPnt2d r = c.p.Rotated(c.centre, c.degrees * RuVa::DegToRad);
    EXPECT_NEAR(r.X(), c.expected.X(), 1e-9) << c.degrees;
    EXPECT_NEAR(r.Y(), c.expected.Y(), 1e-9) << c.degrees;
  }
}

TEST(RuVaPnt2d, ArithmeticWithVectors)
{
  const RuVaPnt2d a(1, 2), b(4, 6);
  const RuVaVec2d v = b - a;
  EXPECT_EQ(v, RuVaVec2d(3, 4));
  EXPECT_EQ(a + v, b);
  EXPECT_EQ(b - v, a);
  EXPECT_EQ(a * 2.0, RuVaPnt2d(2, 4));
  EXPECT_EQ((a + b) / 2.0, RuVaPnt2d(2.5, 4));
  EXPECT_EQ(-a, RuVaPnt2d(-1, -2));
  EXPECT_EQ(RuVaVec2d(a, b), v);
}

TEST(RuVaVec2d, ParallelOppositeAndAngles)
{
  struct Case {
    RuVaVec2d a, b;
    double tol;
    bool parallel, opposite;
  } cases[] = {
      {{1, 0}, {5, 0}, 1e-12, true, false},
      {{1, 0}, {-5, 0}, 1e-12, false, true},
      {{1, 1}, {3, 3}, 1e-12, true, false},
      {{0.1, 0.3}, {0.2, 0.6}, 1e-12, true, false},  // rounding in the components
      {{1, 0}, {1, 1e-6}, 1e-12, false, false},
      {{1, 0}, {1, 1e-6}, 1e-4, true, false},        // within the tolerance
      {{1, 0}, {-1, 1e-6}, 1e-4, false, true},
      {{1, 0}, {0, 1}, 1e-12, false, false},
      {{0, 0}, {1, 0}, 1.0, false, false},            // a null vector has no direction
      {{1e7, 1e7}, {1e-6, 1e-6}, 1e-12, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bool(c.a.IsParallel(c.b, c.tol)), c.parallel) << c.a.X() << "," << c.a.Y() << " " << c.b.X() << "," << c.b.Y();
    EXPECT_EQ(bool(c.a.IsOpposite(c.b, c.tol)), c.opposite) << c.a.X() << "," << c.a.Y() << " " << c.b.X() << "," << c.b.Y();
  }
  EXPECT_DOUBLE_EQ(RuVaVec2d(1, 0).Angle(RuVaVec2d(0, 1)), kPi / 2);
  EXPECT_DOUBLE_EQ(RuVaVec2d(0, 1).Angle(RuVaVec2d(1, 0)), -kPi / 2);
  EXPECT_DOUBLE_EQ(RuVaVec2d(1, 0).Angle(RuVaVec2d(-1, 0)), kPi);
  EXPECT_EQ(RuVaVec2d(3, 4).Magnitude(), 5);
  EXPECT_EQ(RuVaVec2d(3, 4).Dot(RuVaVec2d(-4, 3)), 0);
  EXPECT_EQ(RuVaVec2d(1, 0).Crossed(RuVaVec2d(0, 2)), 2);
  EXPECT_TRUE(RuVaVec2d(1, 0).IsNormal(RuVaVec2d(0, -3), 1e-12));
  RuVaVec2d zero;
  EXPECT_FALSE(zero.Normalize());
  EXPECT_EQ(zero, RuVaVec2d(0, 0));
}

TEST(RuVaDir2d, NormalisedWithSignedAngles)
{
  const RuVaDir2d d(3, 4);
  EXPECT_DOUBLE_EQ(d.X(), 0.6);
  EXPECT_DOUBLE_EQ(d.Y(), 0.8);
  EXPECT_EQ(RuVaDir2d::DX2d(), RuVaDir2d(1, 0));
  EXPECT_EQ(RuVaDir2d::DY2d(), RuVaDir2d(0, 7));

  struct Case {
    double x, y, degrees;
  } cases[] = {{1, 0, 0}, {0, 1, 90}, {-1, 0, 180}, {0, -1, -90}, {-1, -1, -135}, {1, 1e-13, 1e-13 * RuVa::RadToDeg}};
  for (const Case& c : cases)
    EXPECT_NEAR(RuVaDir2d::DX2d().Angle(RuVaDir2d(c.x, c.y)) * RuVa::RadToDeg, c.degrees, 1e-12) << c.x << "," << c.y;

  // No direction from a null vector: Set refuses, the constructor keeps the x direction.
  RuVaDir2d z(0.5, 0.5);
  EXPECT_FALSE(z.Set(0, 0));
  EXPECT_EQ(z, RuVaDir2d(1, 1));
  EXPECT_EQ(RuVaDir2d(0, 0), RuVaDir2d::DX2d());
  EXPECT_FALSE(z.Set(kNaN, 1));
  EXPECT_TRUE(RuVaDir2d(1, 0).IsOpposite(RuVaDir2d(-1, 0), 1e-12));
}

TEST(RuVaBndBox2d, EmptinessGapsAndOverlap)
{
  RuVaBndBox2d box;
  EXPECT_TRUE(box.IsVoid());
  EXPECT_TRUE(box.IsOut(RuVaPnt2d(0, 0)));
  box.Add(RuVaPnt2d(0, 0));
  box.Add(RuVaPnt2d(10, 5));
  box.Update(kNaN, 3);  // ignored
  EXPECT_FALSE(box.IsVoid());
  double x0, y0, x1, y1;
  ASSERT_TRUE(box.Get(x0, y0, x1, y1));
  EXPECT_EQ(x0, 0);
  EXPECT_EQ(y0, 0);
  EXPECT_EQ(x1, 10);
  EXPECT_EQ(y1, 5);

  struct Case {
    RuVaPnt2d p;
    bool out;
  } points[] = {{{5, 2}, false}, {{0, 0}, false}, {{10, 5}, false}, {{10.1, 5}, true}, {{-1e-9, 0}, true}, {{kNaN, 1}, true}};
  for (const Case& c : points)
    EXPECT_EQ(bool(box.IsOut(c.p)), c.out) << c.p.X() << "," << c.p.Y();

  // Boxes that touch overlap; a gap lets boxes a little apart overlap too.
  RuVaBndBox2d right(RuVaPnt2d(10, 0), RuVaPnt2d(20, 5));
  EXPECT_FALSE(box.IsOut(right));
  RuVaBndBox2d apart(RuVaPnt2d(10 + 3e-7, 0), RuVaPnt2d(20, 5));
  EXPECT_TRUE(box.IsOut(apart));
  apart.SetGap(2e-7);
  box.SetGap(2e-7);
  EXPECT_FALSE(box.IsOut(apart));
  EXPECT_EQ(box.XMax(), 10 + 2e-7);
  EXPECT_TRUE(box.IsOut(RuVaBndBox2d()));

  // The aperture box: a point enlarged by a distance.
  RuVaBndBox2d aperture;
  aperture.Set(RuVaPnt2d(1, 1));
  aperture.Enlarge(0.5);
  aperture.Enlarge(0.1);  // never shrinks
  EXPECT_EQ(aperture.GetGap(), 0.5);
  EXPECT_FALSE(aperture.IsOut(RuVaPnt2d(1.5, 0.5)));
  EXPECT_TRUE(aperture.IsOut(RuVaPnt2d(1.6, 1)));

  RuVaBndBox2d sum;
  sum.Add(aperture);
  EXPECT_EQ(sum.XMin(), 0.5);
  EXPECT_EQ(sum.YMax(), 1.5);
}

TEST(RuVaGTrsf2d, TransformsComposeAndInvert)
{
  struct Case {
    RuVaGTrsf2d t;
    RuVaPnt2d in, out;
  };
  RuVaGTrsf2d rot, scale, mirror, mirrorLine, move;
  rot.SetRotation(RuVaPnt2d(1, 1), RuVa::HalfPi);
  scale.SetScale(RuVaPnt2d(1, 1), 2, 3);
  mirror.SetMirror(RuVaPnt2d(1, 1));
  ASSERT_TRUE(mirrorLine.SetMirror(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)));
  move.SetTranslation(RuVaPnt2d(1, 1), RuVaPnt2d(4, -1));
  const Case cases[] = {
      {rot, {2, 1}, {1, 2}},   {scale, {2, 2}, {3, 4}},    {mirror, {3, 2}, {-1, 0}},
      {mirrorLine, {2, 0}, {0, 2}}, {move, {0, 0}, {3, -2}},
  };
  for (const Case& c : cases) {
    const RuVaPnt2d r = c.t.Transformed(c.in);
    EXPECT_NEAR(r.X(), c.out.X(), 1e-12);
    EXPECT_NEAR(r.Y(), c.out.Y(), 1e-12);
    RuVaGTrsf2d inv;
    ASSERT_TRUE(c.t.Inverted(inv));
    const RuVaPnt2d back = inv.Transformed(r);
    EXPECT_NEAR(back.X(), c.in.X(), 1e-12);
    EXPECT_NEAR(back.Y(), c.in.Y(), 1e-12);
  }
  // (rot * move) applies move first.
  const RuVaPnt2d p = (rot * move).Transformed(RuVaPnt2d(0, 0));
  const RuVaPnt2d q = rot.Transformed(move.Transformed(RuVaPnt2d(0, 0)));
  EXPECT_NEAR(p.X(), q.X(), 1e-12);
  EXPECT_NEAR(p.Y(), q.Y(), 1e-12);

  EXPECT_TRUE(rot.IsSimilarity());
  EXPECT_FALSE(scale.IsSimilarity());
  EXPECT_TRUE(mirrorLine.IsMirroring());
  RuVaGTrsf2d flat;
  flat.SetScale(RuVaPnt2d(0, 0), 1, 0);
  RuVaGTrsf2d before = flat;
  EXPECT_FALSE(flat.Invert());
  EXPECT_EQ(flat, before);
  RuVaGTrsf2d tiny;
  tiny.SetScale(RuVaPnt2d(0, 0), 1e-6);
  EXPECT_TRUE(tiny.Invert());  // small but regular
  RuVaGTrsf2d none;
  EXPECT_FALSE(none.SetMirror(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)));
  EXPECT_EQ(none.Value(3, 1), 0.0);  // out of range reads 0

  // The box of a box turned by 45 degrees about its centre.
  RuVaGTrsf2d turn;
  turn.SetRotation(RuVaPnt2d(0, 0), kPi / 4);
  RuVaBndBox2d b(RuVaPnt2d(-1, -1), RuVaPnt2d(1, 1));
  const RuVaBndBox2d tb = b.Transformed(turn);
  EXPECT_NEAR(tb.XMax(), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(tb.YMin(), -std::sqrt(2.0), 1e-12);
  EXPECT_TRUE(RuVaBndBox2d().Transformed(turn).IsVoid());
}

TEST(RuVaLine2d, SetRefusesCoincidentPointsAndMeasures)
{
  RuVaLine2d line;
  ASSERT_TRUE(line.Set(RuVaPnt2d(0, 1), RuVaPnt2d(4, 1)));
  EXPECT_FALSE(line.Set(RuVaPnt2d(2, 2), RuVaPnt2d(2, 2)));
  EXPECT_FALSE(line.Set(RuVaPnt2d(2, 2), RuVaVec2d(0, 0)));
  EXPECT_EQ(line.Location(), RuVaPnt2d(0, 1));  // unchanged by the refusals
  EXPECT_EQ(line.Parameter(RuVaPnt2d(3, 5)), 3);
  EXPECT_EQ(line.Project(RuVaPnt2d(3, 5)), RuVaPnt2d(3, 1));
  EXPECT_EQ(line.Distance(RuVaPnt2d(3, -2)), 3);
  EXPECT_EQ(line.SignedDistance(RuVaPnt2d(3, 5)), 4);
  EXPECT_EQ(line.FirstParameter(), -RuVa::Infinite());
  const RuVaBndBox2d box = line.GetBndBox();
  EXPECT_EQ(box.YMin(), 1);
  EXPECT_EQ(box.YMax(), 1);
  EXPECT_EQ(box.XMax(), RuVa::Infinite());
}

}  // namespace
