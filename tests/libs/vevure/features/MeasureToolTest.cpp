// Measuring shapes: lengths, angles, areas and centroids.

#include <gtest/gtest.h>

#include <cmath>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

using namespace feature_test;

TEST(MeasureTool, LengthsOfEveryCurve)
{
    // Perimeter of an ellipse with semi-axes 5 and 3 (a reference value to 1e-9).
    const double ellipsePerimeter = 25.526998863398;
    struct Case {
        const char* name;
        FeaturePtr shape;
        double length;
        double tolerance;
    } cases[] = {
        {"line", FeaturePtr(new Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4))), 5.0, 1e-12},
        {"polyline", FeaturePtr(new Polyline2dFeature(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(3, 4), RuVaPnt2d(3, 10)})),
         11.0, 1e-12},
        {"circle", FeaturePtr(new Circle2dFeature(RuVaPnt2d(1, 1), 2.0)), 4.0 * RuVa::Pi, 1e-12},
        {"arc", FeaturePtr(new Arc2dFeature(RuVaPnt2d(1, 1), 2.0, 0, 90)), RuVa::Pi, 1e-12},
        {"arc clockwise", FeaturePtr(new Arc2dFeature(RuVaPnt2d(1, 1), 2.0, 0, 90, 1)), 3.0 * RuVa::Pi, 1e-12},
        {"ellipse", FeaturePtr(new Ellipse2dFeature(RuVaPnt2d(0, 0), 5.0, 3.0, 20.0)), ellipsePerimeter, 1e-8},
        {"half ellipse", FeaturePtr(new EllipseArc2dFeature(RuVaPnt2d(0, 0), 5.0, 3.0, 20.0, 0.0, 180.0, 0)),
         ellipsePerimeter / 2, 1e-8},
        {"half ellipse clockwise", FeaturePtr(new EllipseArc2dFeature(RuVaPnt2d(0, 0), 5.0, 3.0, 20.0, 90.0, 270.0, 1)),
         ellipsePerimeter / 2, 1e-8},
        {"straight spline", FeaturePtr(new BSplineCurve2dFeature(
                                KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(2, 0), RuVaPnt2d(3, 0)},
                                BSplineCurve2dFeature::ControlPoints, 3, FALSE)),
         3.0, 1e-6},
        {"text", FeaturePtr(new Text2dFeature(CString(u"abc"), RuVaPnt2d(0, 0))), 0.0, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MeasureTool::GetFeatureLength(c.shape.get()), c.length, c.tolerance) << c.name;
    EXPECT_EQ(MeasureTool::GetFeatureLength(nullptr), 0.0);

    double dx, dy;
    ASSERT_TRUE(MeasureTool::GetFeatureLengthXY(cases[0].shape.get(), dx, dy));
    EXPECT_NEAR(dx, 3.0, 1e-12);
    EXPECT_NEAR(dy, 4.0, 1e-12);
    ASSERT_TRUE(MeasureTool::GetFeatureLengthXY(cases[2].shape.get(), dx, dy));
    EXPECT_NEAR(dx, 4.0, 1e-3);  // a closed curve reports its extents
    EXPECT_FALSE(MeasureTool::GetFeatureLengthXY(cases[9].shape.get(), dx, dy));
}

TEST(MeasureTool, Angles)
{
    EXPECT_NEAR(MeasureTool::GetAngle(RuVaPnt2d(0, 0), RuVaPnt2d(0, -1)), 270.0, 1e-12);
    EXPECT_EQ(MeasureTool::GetAngle(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)), 0.0);
    EXPECT_NEAR(MeasureTool::GetAngle(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(-1, 1)), 135.0, 1e-12);
    EXPECT_NEAR(MeasureTool::GetAngle(RuVaPnt2d(0, 0), RuVaPnt2d(-1, 1), RuVaPnt2d(1, 0)), 135.0, 1e-12);

    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(1, 1)});
    EXPECT_NEAR(MeasureTool::GetFeatureAngle(&poly, 1), 90.0, 1e-12);
    EXPECT_EQ(MeasureTool::GetFeatureAngle(&poly, 2), 0.0);
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 1.0, 10.0, 70.0);
    EXPECT_NEAR(MeasureTool::GetFeatureAngle(&arc, 0), 60.0, 1e-12);
    const InfiniteLine2dFeature construction(RuVaPnt2d(0, 0), RuVaDir2d(-1, 1));
    EXPECT_NEAR(MeasureTool::GetFeatureAngle(&construction, 0), 135.0, 1e-9);

    // Two crossing lines: the angle on the sides of the picks.
    const Line2dFeature a(RuVaPnt2d(-5, 0), RuVaPnt2d(5, 0));
    const Line2dFeature b(RuVaPnt2d(0, -5), RuVaPnt2d(5, 5));
    double angle = -1;
    ASSERT_TRUE(MeasureTool::GetFeatureAngle(&a, &b, RuVaPnt2d(4, 0), RuVaPnt2d(4, 3), angle, 0, 0));
    EXPECT_NEAR(angle, std::atan2(2.0, 1.0) * RuVa::RadToDeg, 1e-9);
    ASSERT_TRUE(MeasureTool::GetFeatureAngle(&a, &b, RuVaPnt2d(-4, 0), RuVaPnt2d(4, 3), angle, 0, 0));
    EXPECT_NEAR(angle, 180.0 - std::atan2(2.0, 1.0) * RuVa::RadToDeg, 1e-9);
    const Line2dFeature parallel(RuVaPnt2d(-5, 1), RuVaPnt2d(5, 1));
    ASSERT_TRUE(MeasureTool::GetFeatureAngle(&a, &parallel, RuVaPnt2d(0, 0), RuVaPnt2d(0, 1), angle, 0, 0));
    EXPECT_EQ(angle, 0.0);
    EXPECT_FALSE(MeasureTool::GetFeatureAngle(&a, &arc, RuVaPnt2d(), RuVaPnt2d(), angle, 0, 0));
}

TEST(MeasureTool, VertexAndArmsOfTwoLines)
{
    RuVaPnt2d v, p1, p2;
    // The lines meet at the origin; the position lies in the quadrant of the picks.
    EXPECT_EQ(MeasureTool::GetStartAndEndPointFromTwoLine(RuVaPnt2d(1, 0), RuVaPnt2d(5, 0), 2, RuVaPnt2d(0, 1),
                                                          RuVaPnt2d(0, 5), 2, RuVaPnt2d(3, 0), RuVaPnt2d(0, 3),
                                                          RuVaPnt2d(2, 2), v, p1, p2),
              0);
    EXPECT_NEAR(v.Distance(RuVaPnt2d(0, 0)), 0.0, 1e-12);
    EXPECT_GT(p1.X(), 0.0);
    EXPECT_GT(p2.Y(), 0.0);
    // A position in the opposite quadrant turns both arms round.
    EXPECT_EQ(MeasureTool::GetStartAndEndPointFromTwoLine(RuVaPnt2d(1, 0), RuVaPnt2d(5, 0), 2, RuVaPnt2d(0, 1),
                                                          RuVaPnt2d(0, 5), 2, RuVaPnt2d(3, 0), RuVaPnt2d(0, 3),
                                                          RuVaPnt2d(-2, -2), v, p1, p2),
              0);
    EXPECT_LT(p1.X(), 0.0);
    EXPECT_LT(p2.Y(), 0.0);
    EXPECT_EQ(MeasureTool::GetStartAndEndPointFromTwoLine(RuVaPnt2d(0, 0), RuVaPnt2d(5, 0), 2, RuVaPnt2d(0, 1),
                                                          RuVaPnt2d(5, 1), 2, RuVaPnt2d(), RuVaPnt2d(), RuVaPnt2d(), v,
                                                          p1, p2),
              -1);
    EXPECT_EQ(MeasureTool::GetStartAndEndPointFromTwoLine(RuVaPnt2d(0, 0), RuVaPnt2d(0, 0), 2, RuVaPnt2d(0, 1),
                                                          RuVaPnt2d(5, 1), 2, RuVaPnt2d(), RuVaPnt2d(), RuVaPnt2d(), v,
                                                          p1, p2),
              -2);
    EXPECT_EQ(MeasureTool::GetStartAndEndPointFromTwoLine(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), 2, RuVaPnt2d(0, 1),
                                                          RuVaPnt2d(0, 1), 2, RuVaPnt2d(), RuVaPnt2d(), RuVaPnt2d(), v,
                                                          p1, p2),
              -3);
}

TEST(MeasureTool, AreasAndCentroids)
{
    const KcArrayOfGePnt2d square{RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(0, 4)};
    EXPECT_NEAR(MeasureTool::GetPolygonArea(square), 16.0, 1e-12);
    KcArrayOfGePnt2d clockwise(square);
    clockwise.Reverse();
    EXPECT_NEAR(MeasureTool::GetPolygonArea(clockwise), 16.0, 1e-12);
    EXPECT_EQ(MeasureTool::GetPolygonArea(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)}), 0.0);

    const KcArrayOfGePnt2d ell{RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 1), RuVaPnt2d(1, 1), RuVaPnt2d(1, 4),
                               RuVaPnt2d(0, 4)};
    RuVaPnt2d c;
    ASSERT_TRUE(MeasureTool::GetPolygonCentroid(ell, c));
    // Two rectangles: 4x1 centred (2, 0.5) and 1x3 centred (0.5, 2.5).
    EXPECT_NEAR(c.X(), (4 * 2.0 + 3 * 0.5) / 7.0, 1e-12);
    EXPECT_NEAR(c.Y(), (4 * 0.5 + 3 * 2.5) / 7.0, 1e-12);
    EXPECT_FALSE(MeasureTool::GetPolygonCentroid(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(2, 2), RuVaPnt2d(4, 4)}, c));
    EXPECT_NEAR(c.X(), 2.0, 1e-12);

    EXPECT_NEAR(MeasureTool::GetFeatureArea(&*FeaturePtr(new Circle2dFeature(RuVaPnt2d(0, 0), 2.0))), 4 * RuVa::Pi, 1e-12);
    EXPECT_NEAR(MeasureTool::GetFeatureArea(&*FeaturePtr(new Ellipse2dFeature(RuVaPnt2d(0, 0), 2.0, 1.0, 0))), 2 * RuVa::Pi,
                1e-12);
    Polyline2dFeature closed(square, TRUE), open(square, FALSE);
    EXPECT_NEAR(MeasureTool::GetFeatureArea(&closed), 16.0, 1e-12);
    EXPECT_EQ(MeasureTool::GetFeatureArea(&open), 0.0);

    // A region of a half disc: a diameter and a half circle.
    Region2dFeature half;
    Line2dFeature diameter(RuVaPnt2d(-2, 0), RuVaPnt2d(2, 0));
    Arc2dFeature bow(RuVaPnt2d(0, 0), 2.0, 0.0, 180.0);
    half.AddFeature(&diameter);
    half.AddFeature(&bow);
    EXPECT_NEAR(MeasureTool::GetFeatureArea(&half), 2 * RuVa::Pi, 1e-4);

    Hatch2dFeature hatch;
    Region2dFeature outer, hole;
    Circle2dFeature big(RuVaPnt2d(0, 0), 3.0), small(RuVaPnt2d(0, 0), 1.0);
    outer.AddFeature(&big);
    hole.AddFeature(&small);
    ASSERT_TRUE(hatch.SetOuterRegion(outer));
    ASSERT_TRUE(hatch.AddInnerRegions(hole));
    EXPECT_NEAR(MeasureTool::GetFeatureArea(&hatch), 8 * RuVa::Pi, 1e-9);
}
