// Crossings of circles, arcs and lines as the region search finds them, against the crossings worked out
// by hand, at many sizes, turns and crossing angles: every crossing is found once, wherever it lies and
// in whatever form the kernel reports it, touching curves give their one point, and coinciding arcs give
// the ends of their common stretch.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <TColgp_SequenceOfPnt2d.hxx>
#include <gp_Ax2d.hxx>
#include <gp_Circ2d.hxx>

#include "regionsearch/RgnSearch.h"

namespace {

const double kPi = 3.14159265358979323846;

Handle(Geom2d_Circle) Circle(const gp_Pnt2d& c, double r)
{
    return new Geom2d_Circle(gp_Circ2d(gp_Ax2d(c, gp_Dir2d(1, 0)), r));
}

// The counter-clockwise arc of the circle between two angles (radians, a0 < a1).
Handle(Geom2d_Curve) Arc(const gp_Pnt2d& c, double r, double a0, double a1)
{
    return new Geom2d_TrimmedCurve(Circle(c, r), a0, a1);
}

Handle(Geom2d_Curve) Segment(const gp_Pnt2d& a, const gp_Pnt2d& b)
{
    return new Geom2d_TrimmedCurve(new Geom2d_Line(a, gp_Dir2d(gp_Vec2d(a, b))), 0.0, a.Distance(b));
}

gp_Pnt2d Polar(const gp_Pnt2d& c, double r, double a)
{
    return gp_Pnt2d(c.X() + r * std::cos(a), c.Y() + r * std::sin(a));
}

double AngleAt(const gp_Pnt2d& c, const gp_Pnt2d& p)
{
    return std::atan2(p.Y() - c.Y(), p.X() - c.X());
}

// The points found must be the expected ones, each once, in any order.
void ExpectPoints(const Handle(Geom2d_Curve)& a, const Handle(Geom2d_Curve)& b, const std::vector<gp_Pnt2d>& expected,
                  double tolerance)
{
    TColgp_SequenceOfPnt2d found;
    std::vector<double> ua, ub;
    RgnSearch::IntersectCurves(a, b, found, &ua, &ub, RgnSearch::GetIntersectionTolerance(a, b));
    ASSERT_EQ(found.Length(), static_cast<int>(expected.size()));
    ASSERT_EQ(ua.size(), expected.size());
    for (const gp_Pnt2d& e : expected) {
        int matches = 0;
        for (int i = 1; i <= found.Length(); ++i) {
            if (found(i).Distance(e) > tolerance)
                continue;
            ++matches;
            // The parameters name the point on each curve.
            EXPECT_LT(a->Value(ua[static_cast<size_t>(i - 1)]).Distance(e), tolerance);
            EXPECT_LT(b->Value(ub[static_cast<size_t>(i - 1)]).Distance(e), tolerance);
        }
        EXPECT_EQ(matches, 1) << "expected " << e.X() << ", " << e.Y();
    }
}

struct Crossing {
    double size;    // radius of the first circle
    double ratio;   // radius of the second over the first
    double angle;   // angle between the circles where they cross (radians)
    double turn;    // turn of the whole figure about the first centre
};

std::vector<Crossing> Crossings()
{
    std::vector<Crossing> rows;
    for (double size : {1e-3, 1.0, 37.0, 1e4})
        for (double ratio : {0.3, 1.0, 2.5})
            for (double deg : {3.0, 30.0, 90.0, 150.0, 177.0})
                for (int t = 0; t < 8; ++t)
                    rows.push_back({size, ratio, deg * kPi / 180.0, 0.41 + t * kPi / 4.0});
    return rows;
}

// Two circles crossing at the given angle, their centres and the two crossings.
void CrossingFigure(const Crossing& c, gp_Pnt2d& c1, double& r1, gp_Pnt2d& c2, double& r2, gp_Pnt2d& p, gp_Pnt2d& q)
{
    c1 = gp_Pnt2d(3.0 * c.size, -2.0 * c.size);
    r1 = c.size;
    r2 = c.size * c.ratio;
    const double d = std::sqrt(r1 * r1 + r2 * r2 - 2.0 * r1 * r2 * std::cos(kPi - c.angle));
    c2 = Polar(c1, d, c.turn);
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
    const double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
    const gp_Vec2d e(std::cos(c.turn), std::sin(c.turn)), n(-e.Y(), e.X());
    p = c1.Translated(e * a + n * h);
    q = c1.Translated(e * a - n * h);
}

TEST(RgnIntersect, CrossingCirclesAndArcsGiveEveryCrossingOnce)
{
    for (const Crossing& row : Crossings()) {
        SCOPED_TRACE(testing::Message() << "size " << row.size << " ratio " << row.ratio << " angle " << row.angle
                                        << " turn " << row.turn);
        gp_Pnt2d c1, c2, p, q;
        double r1 = 0.0, r2 = 0.0;
        CrossingFigure(row, c1, r1, c2, r2, p, q);
        const double tol = 1e-7 * std::max(1.0, row.size);
        // Whole circles.
        ExpectPoints(Circle(c1, r1), Circle(c2, r2), {p, q}, tol);
        // A circle and an arc of the other round one crossing only.
        const double ap = AngleAt(c2, p), p1 = AngleAt(c1, p), q1 = AngleAt(c1, q), q2 = AngleAt(c2, q);
        const double gap1 = std::fabs(std::remainder(q1 - p1, 2.0 * kPi)), gap2 = std::fabs(std::remainder(q2 - ap, 2.0 * kPi));
        ExpectPoints(Circle(c1, r1), Arc(c2, r2, ap - 0.5 * gap2, ap + 0.5 * gap2), {p}, tol);
        // Two arcs, each round both crossings: the halves of the search's candidates meet like this.
        const double mid1 = p1 + std::remainder(q1 - p1, 2.0 * kPi) * 0.5;
        const double mid2 = ap + std::remainder(q2 - ap, 2.0 * kPi) * 0.5;
        ExpectPoints(Arc(c1, r1, mid1 - 3.0, mid1 + 3.0), Arc(c2, r2, mid2 - 3.0, mid2 + 3.0), {p, q}, tol);
        // A line through both crossings, and an arc of the first circle round one of them (where the arc
        // stays clear of the line by more than the tolerance).
        if (r1 * gap1 * gap1 < 1e-4)
            continue;
        const gp_Vec2d chord(p, q);
        const gp_Pnt2d a = p.Translated(-chord * 0.5), b = q.Translated(chord * 0.5);
        ExpectPoints(Segment(a, b), Arc(c1, r1, p1 - 0.5 * gap1, p1 + 0.5 * gap1), {p}, tol);
        ExpectPoints(Arc(c1, r1, p1 - 0.5 * gap1, p1 + 0.5 * gap1), Segment(a, b), {p}, tol);
    }
}

TEST(RgnIntersect, TouchingCurvesGiveTheirOnePoint)
{
    for (double size : {1e-2, 1.0, 50.0, 5e3}) {
        for (int t = 0; t < 12; ++t) {
            const double turn = 0.17 + t * kPi / 6.0;
            SCOPED_TRACE(testing::Message() << "size " << size << " turn " << turn);
            const double tol = 1e-4 * std::max(1.0, size);  // a touching point is only so sharp
            const gp_Pnt2d c(size, 2.0 * size);
            const gp_Pnt2d touch = Polar(c, size, turn);
            // Touching from outside and from inside, whole and as arcs round the touching point.
            ExpectPoints(Circle(c, size), Circle(Polar(c, 3.0 * size, turn), 2.0 * size), {touch}, tol);
            for (double ratio : {0.23, 0.5, 0.61, 0.77}) {
                ExpectPoints(Circle(c, size), Circle(Polar(c, (1.0 - ratio) * size, turn), ratio * size), {touch}, tol);
                ExpectPoints(Circle(c, size), Circle(Polar(c, (1.0 + ratio) * size, turn), ratio * size), {touch}, tol);
            }
            ExpectPoints(Arc(c, size, turn - 1.0, turn + 1.0),
                         Arc(Polar(c, 3.0 * size, turn), 2.0 * size, turn + kPi - 1.0, turn + kPi + 1.0), {touch}, tol);
            // A line touching the circle.
            const gp_Vec2d along(-std::sin(turn), std::cos(turn));
            ExpectPoints(Segment(touch.Translated(along * -size), touch.Translated(along * size)),
                         Arc(c, size, turn - 1.0, turn + 1.0), {touch}, tol);
        }
    }
}

TEST(RgnIntersect, CoincidingArcsGiveTheEndsOfTheirCommonStretch)
{
    const gp_Pnt2d c(4, -1);
    for (double r : {0.01, 1.0, 300.0}) {
        SCOPED_TRACE(r);
        ExpectPoints(Arc(c, r, 0.2, 1.5), Arc(c, r, 1.0, 2.5), {Polar(c, r, 1.0), Polar(c, r, 1.5)},
                     1e-7 * std::max(1.0, r));
    }
}

}  // namespace
