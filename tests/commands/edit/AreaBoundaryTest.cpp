// Chaining a found boundary into the polygon whose area is measured.

#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "commands/edit/AreaBoundary.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"

using QZ2Command::AreaBoundary;

namespace {

constexpr double kPi = 3.14159265358979323846;

KcArrayOfGePnt2d Points(std::initializer_list<RuVaPnt2d> list)
{
    KcArrayOfGePnt2d points;
    for (const RuVaPnt2d& p : list)
        points.Add(p);
    return points;
}

double ChainArea(const std::vector<const Feature2dBase*>& shapes, int nSteps, INT_PTR* pCount = nullptr)
{
    KcArrayOfGePnt2d polygon;
    AreaBoundary::ChainBoundary(shapes, nSteps, polygon);
    if (pCount != nullptr)
        *pCount = polygon.GetSize();
    return polygon.IsEmpty() ? 0.0 : MeasureTool::GetPolygonArea(polygon);
}

TEST(AreaBoundaryTest, ChainsShapesByEitherEnd)
{
    // A 4 by 3 rectangle from a reversed polyline and lines given end first.
    const Polyline2dFeature reversed(Points({RuVaPnt2d(4, 3), RuVaPnt2d(4, 0), RuVaPnt2d(0, 0)}));
    const Line2dFeature top(RuVaPnt2d(4, 3), RuVaPnt2d(0, 3));
    const Line2dFeature left(RuVaPnt2d(0, 3), RuVaPnt2d(0, 0));
    const Line2dFeature open(RuVaPnt2d(0, 3), RuVaPnt2d(0, 1));
    // A half disc: the diameter and the arc over it.
    const Line2dFeature diameter(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0));
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 10, 0, 180);
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 1);

    struct Case {
        const char* what;
        std::vector<const Feature2dBase*> shapes;
        double area;
        double tolerance;
    };
    const Case cases[] = {
        {"lines and a reversed polyline", {&top, &reversed, &left}, 12.0, 1e-9},
        {"the first shape's end joins later", {&left, &top, &reversed}, 12.0, 1e-9},
        {"an open chain has no area", {&top, &reversed, &open}, 0.0, 0.0},
        {"an arc and its chord", {&diameter, &arc}, kPi * 50, kPi * 50 * 1e-5},
        {"a circle has no ends to chain", {&circle}, 0.0, 0.0},
        {"nothing", {}, 0.0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ChainArea(c.shapes, 5000), c.area, c.tolerance) << c.what;
}

TEST(AreaBoundaryTest, CurvesAreDividedIntoTheGivenNumberOfStepsWhateverTheirSize)
{
    for (double radius : {1e-4, 1.0, 1e5}) {
        const Arc2dFeature arc(RuVaPnt2d(0, 0), radius, 10, 100);
        for (int steps : {100, 5000}) {
            KcArrayOfGePnt2d points;
            ASSERT_TRUE(AreaBoundary::DivideCurve(&arc, steps, points));
            ASSERT_EQ(points.GetSize(), steps + 1) << radius;
            EXPECT_LT(points[0].Distance(arc.GetStartPoint()), radius * 1e-9);
            EXPECT_LT(points[steps].Distance(arc.GetEndPoint()), radius * 1e-9);
            // Equal chords: equal steps along the curve.
            const double first = points[0].Distance(points[1]);
            const double middle = points[steps / 2].Distance(points[steps / 2 + 1]);
            EXPECT_NEAR(first, middle, first * 1e-6) << radius << " " << steps;
        }
    }
    KcArrayOfGePnt2d none;
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    EXPECT_FALSE(AreaBoundary::DivideCurve(&line, 100, none));
    EXPECT_TRUE(none.IsEmpty());
}

}  // namespace
