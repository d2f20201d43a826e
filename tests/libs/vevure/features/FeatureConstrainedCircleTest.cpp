// The tangent-circle solver against circles known by construction, and the property every solution must
// have: it touches each shape (the distance from its centre to the curve equals its radius) and passes
// through each point.

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaArc2d.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureConstrainedCircle.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcProjectPointOnCurve2d.h"

namespace {

using FeaturePtr = std::unique_ptr<Feature2dBase>;

FeaturePtr Line(double x1, double y1, double x2, double y2)
{
    return FeaturePtr(FeatureCreator::CreateLineFeature(RuVaPnt2d(x1, y1), RuVaPnt2d(x2, y2)));
}
FeaturePtr Circle(double x, double y, double r) { return FeaturePtr(FeatureCreator::CreateCircleFeature(RuVaPnt2d(x, y), r)); }
FeaturePtr Ellipse(double x, double y, double a, double b)
{
    return FeaturePtr(FeatureCreator::CreateEllipseFeature(RuVaPnt2d(x, y), a, b, 0.0));
}
FeaturePtr ArcThrough(RuVaPnt2d a, RuVaPnt2d b, RuVaPnt2d c) { return FeaturePtr(FeatureCreator::CreateArcFeature(a, b, c)); }
FeaturePtr Spline()
{
    KcArrayOfGePnt2d points;
    for (const RuVaPnt2d& p : {RuVaPnt2d(-30, 10), RuVaPnt2d(-10, 25), RuVaPnt2d(10, 15), RuVaPnt2d(30, 30)})
        points.Add(p);
    return FeaturePtr(FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, FALSE));
}
FeaturePtr Polyline(std::initializer_list<RuVaPnt2d> list)
{
    KcArrayOfGePnt2d points;
    for (const RuVaPnt2d& p : list)
        points.Add(p);
    return FeaturePtr(FeatureCreator::CreatePolylineFeature(points));
}

// How far the circle is from touching the shape: the smallest |distance - radius| over the centre's
// normal projections on the shape, relative to the radius.
double TouchGap(const RuVaCircle2d& circle, const Feature2dBase* pShape)
{
    std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(pShape));
    if (!entity)
        return 1e300;
    // Lines and arcs count with their extension, as the solver takes them.
    std::unique_ptr<RuVaEntity2d> basis;
    if (entity->GetEntityType() != RuVaEntity2d::kPointSequence && entity->GetEntityType() != RuVaEntity2d::kBSplineCurve)
        basis.reset(static_cast<RuVaCurveEnt2d*>(entity.get())->CreateBasisCurve());
    const RuVaEntity2d* pCurve = basis ? basis.get() : entity.get();
    KcProjectPointOnCurve2d projection(circle.GetCenter(), pCurve);
    double best = 1e300;
    for (int i = 0; i < projection.NbPoints(); ++i)
        best = std::min(best, std::fabs(projection.Distance(i) - circle.GetRadius()));
    return best / circle.GetRadius();
}

double PassGap(const RuVaCircle2d& circle, const RuVaPnt2d& p)
{
    return std::fabs(p.Distance(circle.GetCenter()) - circle.GetRadius()) / circle.GetRadius();
}

void ExpectSolutionsValid(const FeatureConstrainedCircle& solver, const std::vector<const Feature2dBase*>& shapes,
                          const std::vector<RuVaPnt2d>& points, double relative = 1e-9)
{
    for (int i = 0; i < solver.GetConstrainedCount(); ++i) {
        const auto* pCircle = static_cast<const RuVaCircle2d*>(solver.GetConstrainedCurve(i));
        ASSERT_NE(pCircle, nullptr);
        for (size_t s = 0; s < shapes.size(); ++s)
            EXPECT_LE(TouchGap(*pCircle, shapes[s]), relative) << "solution " << i << " shape " << s << " centre " << pCircle->GetCenter().X()
                                                            << "," << pCircle->GetCenter().Y();
        for (const RuVaPnt2d& p : points)
            EXPECT_LE(PassGap(*pCircle, p), relative) << "solution " << i;
    }
}

bool HasCircle(const FeatureConstrainedCircle& solver, double x, double y, double r)
{
    for (int i = 0; i < solver.GetConstrainedCount(); ++i) {
        const auto* pCircle = static_cast<const RuVaCircle2d*>(solver.GetConstrainedCurve(i));
        if (pCircle->GetCenter().Distance(RuVaPnt2d(x, y)) < 1e-7 && std::fabs(pCircle->GetRadius() - r) < 1e-7)
            return true;
    }
    return false;
}

struct KnownCase {
    std::string name;
    std::function<BOOL(FeatureConstrainedCircle&)> solve;
    std::vector<std::array<double, 3>> circles;  // every circle expected, centre and radius
};

TEST(FeatureConstrainedCircleTest, FindsTheKnownCirclesOfEachOverload)
{
    auto xAxis = Line(-100, 0, 100, 0);
    auto yAxis = Line(0, -100, 0, 100);
    auto hypotenuse = Line(4, 0, 0, 3);
    auto unit = Circle(0, 0, 1);
    const std::vector<KnownCase> cases = {
        {"two points, radius 13", [](auto& s) { return s.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0); },
         {{5, 12, 13}, {5, -12, 13}}},
        {"two points, half the distance", [](auto& s) { return s.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 5.0); },
         {{5, 0, 5}}},
        {"two points, too small", [](auto& s) { return s.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 4.0); }, {}},
        {"two lines, radius", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), yAxis.get(), 2.0); },
         {{2, 2, 2}, {-2, 2, 2}, {2, -2, 2}, {-2, -2, 2}}},
        {"two lines, a point", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), yAxis.get(), RuVaPnt2d(1, 2)); },
         {{1, 1, 1}, {5, 5, 5}}},
        {"three lines of a 3-4-5 triangle", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), yAxis.get(), hypotenuse.get()); },
         {{1, 1, 1}, {6, 6, 6}, {-2, 3, 2} /* never: checked below by count */}},
        {"line and centre", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), RuVaPnt2d(3, 5)); }, {{3, 5, 5}}},
        {"circle and centre", [&](auto& s) { return s.FindConstrainedCircle(unit.get(), RuVaPnt2d(3, 0)); },
         {{3, 0, 2}, {3, 0, 4}}},
        {"line and two points", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), RuVaPnt2d(0, 2), RuVaPnt2d(4, 2)); },
         {{2, 2, 2}}},
        {"line, point and radius", [&](auto& s) { return s.FindConstrainedCircle(xAxis.get(), RuVaPnt2d(0, 2), 2.0); },
         {{2, 2, 2}, {-2, 2, 2}}},
    };
    for (const KnownCase& c : cases) {
        SCOPED_TRACE(c.name);
        FeatureConstrainedCircle solver;
        ASSERT_TRUE(c.solve(solver));
        if (c.name.rfind("three lines", 0) == 0) {
            // The incircle and the three excircles of the triangle (0,0) (4,0) (0,3).
            EXPECT_EQ(solver.GetConstrainedCount(), 4);
            EXPECT_TRUE(HasCircle(solver, 1, 1, 1));
            EXPECT_TRUE(HasCircle(solver, 6, 6, 6));
            EXPECT_TRUE(HasCircle(solver, 3, -3, 3));
            EXPECT_TRUE(HasCircle(solver, -2, 2, 2));
            continue;
        }
        EXPECT_EQ(solver.GetConstrainedCount(), static_cast<int>(c.circles.size()));
        for (const auto& circle : c.circles)
            EXPECT_TRUE(HasCircle(solver, circle[0], circle[1], circle[2])) << circle[0] << "," << circle[1] << " r" << circle[2];
    }
}

// Every overload against every kind of shape: whatever it finds touches the shapes and passes the points.
TEST(FeatureConstrainedCircleTest, EverySolutionTouchesItsShapesForEveryKind)
{
    std::vector<std::pair<std::string, FeaturePtr>> kinds;
    kinds.emplace_back("line", Line(-60, -20, 60, -20));
    kinds.emplace_back("circle", Circle(0, -30, 8));
    kinds.emplace_back("arc", ArcThrough(RuVaPnt2d(-8, -30), RuVaPnt2d(0, -22), RuVaPnt2d(8, -30)));
    kinds.emplace_back("ellipse", Ellipse(0, -30, 12, 6));
    kinds.emplace_back("spline", Spline());
    kinds.emplace_back("polyline", Polyline({RuVaPnt2d(-40, -25), RuVaPnt2d(0, -15), RuVaPnt2d(40, -25)}));
    auto left = Line(-20, -60, -20, 60);
    auto right = Circle(25, 0, 5);
    const RuVaPnt2d p1(-5, 0);
    const RuVaPnt2d p2(5, 2);

    for (const auto& [name, shape] : kinds) {
        SCOPED_TRACE(name);
        ASSERT_NE(shape, nullptr);
        const Feature2dBase* s = shape.get();
        FeatureConstrainedCircle solver;
        int total = 0;
        ASSERT_TRUE(solver.FindConstrainedCircle(s, RuVaPnt2d(0, 5)));
        ExpectSolutionsValid(solver, {s}, {});
        total += solver.GetConstrainedCount();
        ASSERT_TRUE(solver.FindConstrainedCircle(s, p1, p2));
        ExpectSolutionsValid(solver, {s}, {p1, p2});
        total += solver.GetConstrainedCount();
        ASSERT_TRUE(solver.FindConstrainedCircle(s, p1, 30.0));
        ExpectSolutionsValid(solver, {s}, {p1});
        total += solver.GetConstrainedCount();
        ASSERT_TRUE(solver.FindConstrainedCircle(s, left.get(), 15.0));
        ExpectSolutionsValid(solver, {s, left.get()}, {});
        total += solver.GetConstrainedCount();
        ASSERT_TRUE(solver.FindConstrainedCircle(s, left.get(), p1));
        ExpectSolutionsValid(solver, {s, left.get()}, {p1});
        total += solver.GetConstrainedCount();
        ASSERT_TRUE(solver.FindConstrainedCircle(s, left.get(), right.get()));
        ExpectSolutionsValid(solver, {s, left.get(), right.get()}, {});
        total += solver.GetConstrainedCount();
        // Each kind has circles tangent to it and the two others.
        EXPECT_GT(solver.GetConstrainedCount(), 0);
        EXPECT_GT(total, 5);

        // The arcs lie on such circles and end on contacts.
        ASSERT_TRUE(solver.FindConstrainedArc(s, left.get(), 15.0));
        ExpectSolutionsValid(solver, {s, left.get()}, {});
        ASSERT_TRUE(solver.FindConstrainedArc(s, p1, p2));
        ExpectSolutionsValid(solver, {s}, {p1, p2});
    }
}

TEST(FeatureConstrainedCircleTest, NullShapesAndBadValuesFindNothing)
{
    auto line = Line(0, 0, 10, 0);
    FeatureConstrainedCircle solver;
    ASSERT_TRUE(solver.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0));
    ASSERT_EQ(solver.GetConstrainedCount(), 2);

    const std::vector<std::function<BOOL()>> refused = {
        [&] { return solver.FindConstrainedCircle(nullptr, line.get(), 2.0); },
        [&] { return solver.FindConstrainedCircle(line.get(), nullptr, RuVaPnt2d(1, 1)); },
        [&] { return solver.FindConstrainedCircle(line.get(), line.get(), static_cast<const Feature2dBase*>(nullptr)); },
        [&] { return solver.FindConstrainedCircle(static_cast<const Feature2dBase*>(nullptr), RuVaPnt2d(1, 1)); },
        [&] { return solver.FindConstrainedArc(nullptr, RuVaPnt2d(1, 1), 3.0); },
        [&] { return solver.FindConstrainedArc(nullptr, nullptr, static_cast<const Feature2dBase*>(nullptr)); },
        [&] { return solver.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 0.0); },
        [&] { return solver.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), -5.0); },
        [&] { return solver.FindConstrainedCircle(RuVaPnt2d(3, 3), RuVaPnt2d(3, 3), 5.0); },
        [&] { return solver.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(NAN, 0), 5.0); },
        [&] { return solver.FindConstrainedCircle(line.get(), RuVaPnt2d(2, 2), RuVaPnt2d(2, 2)); },
    };
    for (size_t i = 0; i < refused.size(); ++i) {
        EXPECT_FALSE(refused[i]()) << i;
        EXPECT_EQ(solver.GetConstrainedCount(), 0) << i;
        EXPECT_EQ(solver.GetConstrainedCurve(0), nullptr);
        EXPECT_EQ(solver.GetNearestConstrained(RuVaPnt2d(0, 0)), -1);
    }
}

TEST(FeatureConstrainedCircleTest, NearestSolutionFollowsThePoint)
{
    FeatureConstrainedCircle solver;
    ASSERT_TRUE(solver.FindConstrainedCircle(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0));
    ASSERT_EQ(solver.GetConstrainedCount(), 2);
    const int upper = solver.GetNearestConstrained(RuVaPnt2d(5, 25));
    const int lower = solver.GetNearestConstrained(RuVaPnt2d(5, -25));
    ASSERT_NE(upper, -1);
    ASSERT_NE(lower, -1);
    EXPECT_NE(upper, lower);
    EXPECT_GT(static_cast<const RuVaCircle2d*>(solver.GetConstrainedCurve(upper))->GetCenter().Y(), 0.0);
    EXPECT_EQ(solver.GetNearestConstrained(RuVaPnt2d(INFINITY, 0)), -1);
}

TEST(FeatureConstrainedCircleTest, ArcsJoinTheContactsBothWays)
{
    FeatureConstrainedCircle solver;
    ASSERT_TRUE(solver.FindConstrainedArc(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 13.0));
    // Two circles, each giving the short and the long arc between the points.
    ASSERT_EQ(solver.GetConstrainedCount(), 4);
    double total = 0.0;
    for (int i = 0; i < 4; ++i) {
        const RuVaCurveEnt2d* pCurve = solver.GetConstrainedCurve(i);
        ASSERT_EQ(pCurve->GetEntityType(), RuVaEntity2d::kArc);
        const auto* pArc = static_cast<const RuVaArc2d*>(pCurve);
        RuVaPnt2d start;
        RuVaPnt2d end;
        pArc->GetStartPoint(start);
        pArc->GetEndPoint(end);
        const bool forward = start.Distance(RuVaPnt2d(0, 0)) < 1e-9 && end.Distance(RuVaPnt2d(10, 0)) < 1e-9;
        const bool backward = start.Distance(RuVaPnt2d(10, 0)) < 1e-9 && end.Distance(RuVaPnt2d(0, 0)) < 1e-9;
        EXPECT_TRUE(forward || backward) << i;
        total += pArc->GetSweepAngle();
    }
    EXPECT_NEAR(total, 4.0 * RuVa::Pi, 1e-9);

    // The click picks the short arc below the chord: the one bulging through (5, -1).
    const int nearest = solver.GetNearestConstrained(RuVaPnt2d(5, -1));
    const auto* pArc = static_cast<const RuVaArc2d*>(solver.GetConstrainedCurve(nearest));
    EXPECT_LT(pArc->GetSweepAngle(), RuVa::Pi);
    EXPECT_GT(pArc->GetCenter().Y(), 0.0);

    // Three contacts make three arcs per circle.
    auto xAxis = Line(-100, 0, 100, 0);
    auto yAxis = Line(0, -100, 0, 100);
    ASSERT_TRUE(solver.FindConstrainedArc(xAxis.get(), yAxis.get(), RuVaPnt2d(1, 2)));
    EXPECT_EQ(solver.GetConstrainedCount(), 6);
}

TEST(FeatureConstrainedCircleTest, PolylineIsTouchedWithinItsSegments)
{
    // An L along the axes. Circles of radius 5 through (4, 4) touching the lines of its legs have their
    // centres at (4 +- sqrt 24, 5) and (5, 4 +- sqrt 24); the two with the minus sign touch the legs' lines
    // beyond the legs' ends, so only the other two count.
    auto corner = Polyline({RuVaPnt2d(10, 0), RuVaPnt2d(0, 0), RuVaPnt2d(0, 10)});
    FeatureConstrainedCircle solver;
    ASSERT_TRUE(solver.FindConstrainedCircle(corner.get(), RuVaPnt2d(4, 4), 5.0));
    EXPECT_EQ(solver.GetConstrainedCount(), 2);
    const double along = 4.0 + std::sqrt(24.0);
    EXPECT_TRUE(HasCircle(solver, along, 5, 5));
    EXPECT_TRUE(HasCircle(solver, 5, along, 5));
    ExpectSolutionsValid(solver, {corner.get()}, {RuVaPnt2d(4, 4)});
}

}  // namespace

namespace {

// Conditions with no, infinitely many or numerically hopeless solutions: the solver answers, finds only
// circles that really fit, and never throws.
TEST(FeatureConstrainedCircleTest, DegenerateConditionsAnswerWithoutThrowing)
{
    auto line = Line(-10, 0, 10, 0);
    auto parallel = Line(-10, 4, 10, 4);
    auto same = Line(-10, 0, 10, 0);
    auto inner = Circle(0, 0, 1);
    auto outer = Circle(0, 0, 5);
    auto farAway = Circle(1e12, 1e12, 1);
    auto tiny = Circle(0, 0, 1e-6);
    auto ellipse = Ellipse(0, 0, 12, 6);
    struct Case {
        const char* name;
        std::function<BOOL(FeatureConstrainedCircle&)> solve;
        std::vector<const Feature2dBase*> shapes;
    };
    const std::vector<Case> cases = {
        {"parallel lines, radius of half the gap", [&](auto& s) { return s.FindConstrainedCircle(line.get(), parallel.get(), 2.0); }, {line.get(), parallel.get()}},
        {"parallel lines, radius too small", [&](auto& s) { return s.FindConstrainedCircle(line.get(), parallel.get(), 1.0); }, {line.get(), parallel.get()}},
        {"one line twice, radius", [&](auto& s) { return s.FindConstrainedCircle(line.get(), same.get(), 2.0); }, {line.get()}},
        {"one line three times", [&](auto& s) { return s.FindConstrainedCircle(line.get(), same.get(), line.get()); }, {line.get()}},
        {"concentric circles, point between", [&](auto& s) { return s.FindConstrainedCircle(inner.get(), outer.get(), RuVaPnt2d(3, 0)); }, {inner.get(), outer.get()}},
        {"centre on the circle's centre", [&](auto& s) { return s.FindConstrainedCircle(inner.get(), RuVaPnt2d(0, 0)); }, {inner.get()}},
        {"centre on the ellipse's centre", [&](auto& s) { return s.FindConstrainedCircle(ellipse.get(), RuVaPnt2d(0, 0)); }, {ellipse.get()}},
        {"a shape far away", [&](auto& s) { return s.FindConstrainedCircle(farAway.get(), line.get(), inner.get()); }, {farAway.get(), line.get(), inner.get()}},
        {"a tiny circle", [&](auto& s) { return s.FindConstrainedArc(tiny.get(), line.get(), RuVaPnt2d(0, 3)); }, {tiny.get(), line.get()}},
        {"huge radius", [&](auto& s) { return s.FindConstrainedCircle(line.get(), RuVaPnt2d(0, 1), 1e9); }, {line.get()}},
        {"point on the line, two points", [&](auto& s) { return s.FindConstrainedCircle(line.get(), RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)); }, {line.get()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FeatureConstrainedCircle solver;
        EXPECT_NO_THROW(c.solve(solver));
        ExpectSolutionsValid(solver, c.shapes, {}, 1e-6);
    }
    // Parallel lines the radius cannot span: nothing.
    FeatureConstrainedCircle solver;
    ASSERT_TRUE(solver.FindConstrainedCircle(line.get(), parallel.get(), 1.0));
    EXPECT_EQ(solver.GetConstrainedCount(), 0);
}

}  // namespace
