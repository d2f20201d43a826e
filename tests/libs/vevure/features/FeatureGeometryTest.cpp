// Geometry of the shapes: boxes, placements (transforms), conversion to and from curve entities, and the
// simple shape creators.

#include <gtest/gtest.h>

#include <cmath>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaBSplineCurve2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/FeaturePool.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TransformFeature.h"

using namespace feature_test;

namespace {

void ExpectNear(const RuVaPnt2d& a, const RuVaPnt2d& b, double tol = 1e-9)
{
    EXPECT_NEAR(a.X(), b.X(), tol);
    EXPECT_NEAR(a.Y(), b.Y(), tol);
}

void ExpectBox(const RuVaBndBox2d& box, double x0, double y0, double x1, double y1)
{
    ASSERT_FALSE(box.IsVoid());
    EXPECT_NEAR(box.XMin(), x0, 1e-9);
    EXPECT_NEAR(box.YMin(), y0, 1e-9);
    EXPECT_NEAR(box.XMax(), x1, 1e-9);
    EXPECT_NEAR(box.YMax(), y1, 1e-9);
}

// Distance of a point from an ellipse shape, measured in its own frame (0 on the curve).
double EllipseResidual(const Ellipse2dFeature& e, const RuVaPnt2d& p)
{
    const double a = e.GetAngle() * RuVa::DegToRad;
    const double dx = p.X() - e.GetCenterPoint().X(), dy = p.Y() - e.GetCenterPoint().Y();
    const double u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
    return std::fabs(u * u / (e.GetMajorRadius() * e.GetMajorRadius()) +
                     v * v / (e.GetMinorRadius() * e.GetMinorRadius()) - 1.0);
}

}  // namespace

TEST(FeatureGeometry, ArcBoxesCoverTheSweptQuadrants)
{
    ExpectBox(Arc2dFeature(RuVaPnt2d(0, 0), 1.0, 0.0, 90.0, 0).GetBndBox(), 0, 0, 1, 1);
    ExpectBox(Arc2dFeature(RuVaPnt2d(0, 0), 1.0, 0.0, 90.0, 1).GetBndBox(), -1, -1, 1, 1);
    ExpectBox(Arc2dFeature(RuVaPnt2d(0, 0), 2.0, 45.0, 135.0, 0).GetBndBox(), -std::sqrt(2.0), std::sqrt(2.0), std::sqrt(2.0), 2);
    ExpectBox(Circle2dFeature(RuVaPnt2d(1, 1), 2.0).GetBndBox(), -1, -1, 3, 3);
    ExpectBox(Ellipse2dFeature(RuVaPnt2d(0, 0), 3.0, 1.0, 90.0).GetBndBox(), -1, -3, 1, 3);
    ExpectBox(EllipseArc2dFeature(RuVaPnt2d(0, 0), 3.0, 1.0, 0.0, 0.0, 180.0, 0).GetBndBox(), -3, 0, 3, 1);
    // Unbounded lines reach out along their free axes only.
    const RuVaBndBox2d horizontal = InfiniteLine2dFeature(RuVaPnt2d(0, 5), RuVaDir2d(1, 0)).GetBndBox();
    EXPECT_EQ(horizontal.YMin(), 5.0);
    EXPECT_EQ(horizontal.YMax(), 5.0);
    EXPECT_LE(horizontal.XMin(), -1e99);
    const RuVaBndBox2d ray = SemiInfiniteLine2dFeature(RuVaPnt2d(2, 0), RuVaDir2d(1, 1)).GetBndBox();
    EXPECT_EQ(ray.XMin(), 2.0);
    EXPECT_EQ(ray.YMin(), 0.0);
    EXPECT_GE(ray.XMax(), 1e99);
}

TEST(FeatureGeometry, TextAndImageOutlinesFollowAlignmentAndAngle)
{
    Text2dFeature text(CString(u"ab\ncde"), RuVaPnt2d(10, 10));
    text.SetHeight(2.0);
    text.SetVerticalArrange(2);  // bottom on the base point
    KcArrayOfGePnt2d outline;
    ASSERT_TRUE(text.GetOutlinePoints(outline));
    ASSERT_EQ(outline.GetSize(), 5);
    ExpectNear(outline[0], RuVaPnt2d(10, 10));
    ExpectNear(outline[2], RuVaPnt2d(16, 14));  // three cells wide, two lines high
    text.SetHorizonArrange(1);
    text.SetAngle(90.0);
    text.GetOutlinePoints(outline);
    ExpectNear(outline[0], RuVaPnt2d(10, 7));

    Image2dFeature image;
    image.SetPoint(RuVaPnt2d(0, 0));
    image.SetWidth(4.0);
    image.SetHeight(2.0);
    image.SetAlignment(8);  // top right on the point
    ExpectBox(image.GetBndBox(), -4, -2, 0, 0);
    image.SetAlignment(4);
    ExpectBox(image.GetBndBox(), -2, -1, 2, 1);
}

TEST(FeatureGeometry, PlacementMovesTheBasePointOntoTheTarget)
{
    const TransformFeature t(RuVaPnt2d(1, 1), 2.0, 3.0, 1.5, 90.0, RuVaPnt2d(10, 0));
    ExpectNear(t.TransformPoint(RuVaPnt2d(1, 1)), RuVaPnt2d(10, 0));
    ExpectNear(t.TransformPoint(RuVaPnt2d(2, 1)), RuVaPnt2d(10, 2));   // x scaled by 2, turned a quarter
    ExpectNear(t.TransformPoint(RuVaPnt2d(1, 2)), RuVaPnt2d(7, 0));    // y scaled by 3, turned a quarter
    double sx, sy;
    t.GetScale(sx, sy);
    EXPECT_EQ(sx, 2.0);
    EXPECT_EQ(sy, 3.0);
    EXPECT_EQ(t.GetSizeScale(), 1.5);
    EXPECT_EQ(t.GetAngle(), 90.0);
    EXPECT_EQ(t.GetOriginPoint(), RuVaPnt2d(1, 1));
    EXPECT_EQ(t.GetLocate(), RuVaPnt2d(10, 0));

    TransformFeature move(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4));
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    ASSERT_TRUE(move.Transform(&line));
    EXPECT_EQ(line.GetStartPoint(), RuVaPnt2d(3, 4));

    // Base = target = origin keeps positions and scales only sizes.
    PointMarker2dFeature marker(RuVaPnt2d(5, 5));
    marker.SetMarkerSize(2.0);
    ASSERT_TRUE(TransformFeature(RuVaPnt2d(0, 0), 1, 1, 3.0, 0, RuVaPnt2d(0, 0)).TransformPointMarkerFeature(&marker));
    EXPECT_EQ(marker.GetPoint(), RuVaPnt2d(5, 5));
    EXPECT_EQ(marker.GetMarkerSize(), 6.0);
}

TEST(FeatureGeometry, CirclesUnderUnequalScalesBecomeEllipses)
{
    const Circle2dFeature circle(RuVaPnt2d(1, 2), 2.0);
    const TransformFeature stretch(RuVaPnt2d(0, 0), 3.0, 1.0, 1.0, 30.0, RuVaPnt2d(5, 5));
    Circle2dFeature inPlace(circle);
    EXPECT_FALSE(stretch.Transform(&inPlace));
    EXPECT_TRUE(inPlace.IsEqual(&circle));  // unchanged

    const FeaturePtr result(stretch.Transformed(&circle));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->GetFeatureType(), FeatureTypeEllipse);
    const auto& ellipse = static_cast<const Ellipse2dFeature&>(*result);
    EXPECT_NEAR(ellipse.GetMajorRadius(), 6.0, 1e-9);
    EXPECT_NEAR(ellipse.GetMinorRadius(), 2.0, 1e-9);
    for (double deg = 0; deg < 360; deg += 15)
        EXPECT_LT(EllipseResidual(ellipse, stretch.TransformPoint(circle.GetPoint(deg))), 1e-9) << deg;

    // Equal scales keep a circle.
    const FeaturePtr scaled(TransformFeature::Transformed(&circle, RuVaPnt2d(0, 0), 2, 2, 1, 45, RuVaPnt2d(0, 0)));
    ASSERT_EQ(scaled->GetFeatureType(), FeatureTypeCircle);
    EXPECT_NEAR(static_cast<Circle2dFeature&>(*scaled).GetRadius(), 4.0, 1e-12);
    // A singular map gives nothing.
    EXPECT_FALSE(TransformFeature::Transformed(&circle, RuVaPnt2d(0, 0), 0, 1, 1, 0, RuVaPnt2d(0, 0)));
}

TEST(FeatureGeometry, ArcsKeepTheirEndsUnderMirrorsAndStretches)
{
    const Arc2dFeature arc(RuVaPnt2d(1, 1), 2.0, 20.0, 110.0, 0);
    TransformFeature mirror;
    ASSERT_TRUE(mirror.SetMirror(RuVaPnt2d(0, 0), RuVaPnt2d(0, 1)));
    EXPECT_FALSE(mirror.SetMirror(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)));
    const FeaturePtr mirrored(mirror.Transformed(&arc));
    ASSERT_EQ(mirrored->GetFeatureType(), FeatureTypeArc);
    const auto& m = static_cast<const Arc2dFeature&>(*mirrored);
    EXPECT_EQ(m.GetDirection(), 1);
    ExpectNear(m.GetStartPoint(), mirror.TransformPoint(arc.GetStartPoint()));
    ExpectNear(m.GetEndPoint(), mirror.TransformPoint(arc.GetEndPoint()));
    EXPECT_NEAR(m.GetSweepAngle(), arc.GetSweepAngle(), 1e-9);

    const TransformFeature stretch(RuVaPnt2d(0, 0), 1.0, 0.5, 1.0, 10.0, RuVaPnt2d(0, 0));
    const FeaturePtr stretched(stretch.Transformed(&arc));
    ASSERT_EQ(stretched->GetFeatureType(), FeatureTypeEllipseArc);
    const auto& e = static_cast<const EllipseArc2dFeature&>(*stretched);
    ExpectNear(e.GetStartPoint(), stretch.TransformPoint(arc.GetStartPoint()));
    ExpectNear(e.GetEndPoint(), stretch.TransformPoint(arc.GetEndPoint()));
    EXPECT_NEAR(e.GetSweepAngle(), 90.0, 30.0);

    // An elliptic arc mirrored and stretched keeps its ends and its sense.
    const EllipseArc2dFeature earc(RuVaPnt2d(2, 0), 4.0, 1.5, 25.0, 300.0, 60.0, 0);
    TransformFeature both(RuVaPnt2d(1, 0), 2.0, -0.7, 1.0, 15.0, RuVaPnt2d(0, 3));
    EllipseArc2dFeature moved(earc);
    ASSERT_TRUE(both.Transform(&moved));
    ExpectNear(moved.GetStartPoint(), both.TransformPoint(earc.GetStartPoint()));
    ExpectNear(moved.GetEndPoint(), both.TransformPoint(earc.GetEndPoint()));
    EXPECT_EQ(moved.GetDirection(), 1);
    // The middle of the arc stays on the arc.
    const RuVaPnt2d middle = both.TransformPoint(earc.GetPoint(0.0));
    bool found = false;
    for (double u = 0; u < 360 && !found; u += 0.01)
        found = moved.GetPoint(u).Distance(middle) < 1e-3 &&
                FeatureGeometry::IsAngleOnArc(u, moved.GetStartAngle(), moved.GetEndAngle(), moved.GetDirection());
    EXPECT_TRUE(found);
}

TEST(FeatureGeometry, SizesScaleWithTheSizeScaleOnly)
{
    Text2dFeature text(CString(u"x"), RuVaPnt2d(1, 0));
    text.SetHeight(2.0);
    ASSERT_TRUE(TransformFeature(RuVaPnt2d(0, 0), 5.0, 5.0, 0.5, 90.0, RuVaPnt2d(0, 0)).Transform(&text));
    EXPECT_EQ(text.GetHeight(), 1.0);
    EXPECT_NEAR(text.GetAngle(), 90.0, 1e-9);
    ExpectNear(text.GetPoint(), RuVaPnt2d(0, 5));
}

TEST(FeatureGeometry, RegionsCheckThatTheirCurvesClose)
{
    Region2dFeature region;
    Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Line2dFeature b(RuVaPnt2d(10, 10), RuVaPnt2d(10, 0));  // reversed, still chains
    Line2dFeature c(RuVaPnt2d(10, 10), RuVaPnt2d(0, 0));
    EXPECT_FALSE(region.IsValidConnection());
    region.AddFeature(&a);
    region.AddFeature(&b);
    EXPECT_FALSE(region.IsValidConnection());
    region.AddFeature(&c);
    EXPECT_TRUE(region.IsValidConnection());
    Text2dFeature text(CString(u"no curve"), RuVaPnt2d(0, 0));
    EXPECT_EQ(region.AddFeature(&text), -1);
    EXPECT_EQ(region.AddFeature(nullptr), -1);

    Region2dFeature single;
    Circle2dFeature circle(RuVaPnt2d(0, 0), 1.0);
    single.AddFeature(&circle);
    EXPECT_TRUE(single.IsValidConnection());
    single.AddFeature(&a);
    EXPECT_FALSE(single.IsValidConnection());  // a closed curve does not chain with others

    Hatch2dFeature hatch;
    EXPECT_FALSE(hatch.IsValidRegion());
    EXPECT_FALSE(hatch.SetOuterRegion(single));
    EXPECT_TRUE(hatch.SetOuterRegion(region));
    EXPECT_TRUE(hatch.IsValidRegion());
    EXPECT_FALSE(hatch.AddInnerRegions(Region2dFeature()));
    EXPECT_EQ(hatch.GetInnerRegionCount(), 0);
}

TEST(FeatureGeometry, CurvesConvertToEntitiesAndBack)
{
    std::vector<FeaturePtr> curves;
    curves.emplace_back(new Line2dFeature(RuVaPnt2d(1, 2), RuVaPnt2d(-3, 4)));
    curves.emplace_back(new Circle2dFeature(RuVaPnt2d(1, 2), 3.0));
    curves.emplace_back(new Arc2dFeature(RuVaPnt2d(1, 2), 3.0, 30.0, 200.0, 0));
    curves.emplace_back(new Arc2dFeature(RuVaPnt2d(1, 2), 3.0, 30.0, 200.0, 1));
    curves.emplace_back(new Ellipse2dFeature(RuVaPnt2d(1, 2), 4.0, 2.0, 30.0));
    curves.emplace_back(new EllipseArc2dFeature(RuVaPnt2d(1, 2), 4.0, 2.0, 30.0, 10.0, 250.0, 0));
    curves.emplace_back(new EllipseArc2dFeature(RuVaPnt2d(1, 2), 4.0, 2.0, 30.0, 10.0, 250.0, 1));
    curves.emplace_back(new Polyline2dFeature(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(1, 1)}));
    curves.emplace_back(new InfiniteLine2dFeature(RuVaPnt2d(1, 1), RuVaDir2d(1, 1)));
    curves.emplace_back(new SemiInfiniteLine2dFeature(RuVaPnt2d(1, 1), RuVaDir2d(-1, 2)));
    curves.emplace_back(new BSplineCurve2dFeature(
        KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 2), RuVaPnt2d(3, 2), RuVaPnt2d(4, 0)}, 0, 3, FALSE));
    for (const auto& f : curves) {
        SCOPED_TRACE(f->GetRuntimeClass()->m_lpszClassName);
        std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(f.get()));
        ASSERT_TRUE(entity);
        EXPECT_TRUE(entity->IsDone());
        const FeaturePtr back(ConvertGeom2dToFeature::Convert(entity.get()));
        ASSERT_TRUE(back);
        ASSERT_EQ(back->GetFeatureType(), f->GetFeatureType());
        // Same curve: the same box and the same entity again.
        const RuVaBndBox2d b1 = f->GetBndBox(), b2 = back->GetBndBox();
        EXPECT_NEAR(b1.XMin(), b2.XMin(), 1e-9);
        EXPECT_NEAR(b1.YMax(), b2.YMax(), 1e-9);
        std::unique_ptr<RuVaEntity2d> again(ConvertFeatureToGeom2d::Convert(back.get()));
        ASSERT_TRUE(again);
        EXPECT_TRUE(again->IsEqual(*entity));
        if (f->GetFeatureType() == FeatureTypeArc || f->GetFeatureType() == FeatureTypeEllipseArc) {
            RuVaPnt2d s1, s2;
            ASSERT_TRUE(static_cast<RuVaCurveEnt2d*>(entity.get())->GetStartPoint(s1));
            s2 = f->GetFeatureType() == FeatureTypeArc ? static_cast<Arc2dFeature&>(*f).GetStartPoint()
                                                      : static_cast<EllipseArc2dFeature&>(*f).GetStartPoint();
            ExpectNear(s1, s2);
        }
    }
    Text2dFeature text(CString(u"t"), RuVaPnt2d(0, 0));
    EXPECT_FALSE(ConvertFeatureToGeom2d::Convert(&text));
    EXPECT_FALSE(ConvertFeatureToGeom2d::Convert(nullptr));
    EXPECT_FALSE(ConvertGeom2dToFeature::Convert(nullptr));
}

TEST(FeatureGeometry, InterpolatingSplinesPassThroughTheirPoints)
{
    const KcArrayOfGePnt2d points{RuVaPnt2d(0, 0), RuVaPnt2d(2, 3), RuVaPnt2d(5, 1), RuVaPnt2d(8, 4)};
    for (BOOL closed : {FALSE, TRUE}) {
        const std::unique_ptr<BSplineCurve2dFeature> spline(
            FeatureCreator::CreateBSplineCurveFeatureByInterpolatePoints(points, closed));
        ASSERT_TRUE(spline);
        std::unique_ptr<RuVaBSplineCurve2d> curve(ConvertFeatureToGeom2d::ConvertBSplineCurve(spline.get()));
        ASSERT_TRUE(curve);
        EXPECT_TRUE(curve->IsDone());
        EXPECT_EQ(curve->IsClosed(1e-7) != FALSE, closed != FALSE);
    }
    EXPECT_FALSE(FeatureCreator::CreateBSplineCurveFeatureByControlPoints(points, 4, FALSE));  // too few for degree 4
    EXPECT_TRUE(std::unique_ptr<BSplineCurve2dFeature>(
        FeatureCreator::CreateBSplineCurveFeatureByControlPoints(points, 3, FALSE)));
}

TEST(FeatureGeometry, LineCreators)
{
    const RuVaPnt2d o(1, 1);
    struct Case {
        const char* name;
        Line2dFeature* line;
        bool made;
        RuVaPnt2d end;
    } cases[] = {
        {"two points", FeatureCreator::CreateLineFeature(o, RuVaPnt2d(4, 5)), true, RuVaPnt2d(4, 5)},
        {"same point", FeatureCreator::CreateLineFeature(o, RuVaPnt2d(1, 1 + 1e-8)), false, {}},
        {"length towards", FeatureCreator::CreateLineFeature(o, 10.0, RuVaPnt2d(4, 5)), true, RuVaPnt2d(7, 9)},
        {"zero length", FeatureCreator::CreateLineFeature(o, 0.0, RuVaPnt2d(4, 5)), false, {}},
        {"length and angle", FeatureCreator::CreateLineFeature(o, 2.0, 90.0, RuVaPnt2d(1, 5)), true, RuVaPnt2d(1, 3)},
        {"angle behind", FeatureCreator::CreateLineFeature(o, 2.0, 90.0, RuVaPnt2d(1, -5)), true, RuVaPnt2d(1, -1)},
        {"angled to foot", FeatureCreator::CreateAngledLineFeature(0.0, o, RuVaPnt2d(5, 9)), true, RuVaPnt2d(5, 1)},
        {"angled at right angle", FeatureCreator::CreateAngledLineFeature(0.0, o, RuVaPnt2d(1, 9)), false, {}},
        {"angled length", FeatureCreator::CreateAngledLineFeature(180.0, o, 3.0), true, RuVaPnt2d(-2, 1)},
        {"horizontal", FeatureCreator::CreateHorizontalLineFeature(o, RuVaPnt2d(6, 9)), true, RuVaPnt2d(6, 1)},
        {"vertical", FeatureCreator::CreateVerticalLineFeature(o, RuVaPnt2d(6, 9)), true, RuVaPnt2d(1, 9)},
        {"either, wider", FeatureCreator::CreateHorizontalVerticalLineFeature(o, RuVaPnt2d(9, 3)), true, RuVaPnt2d(9, 1)},
        {"either, taller", FeatureCreator::CreateHorizontalVerticalLineFeature(o, RuVaPnt2d(2, -7)), true, RuVaPnt2d(1, -7)},
        {"horizontal length left", FeatureCreator::CreateHorizontalLineFeature(o, 4.0, RuVaPnt2d(-9, 0)), true,
         RuVaPnt2d(-3, 1)},
        {"NaN", FeatureCreator::CreateLineFeature(o, std::nan(""), RuVaPnt2d(4, 5)), false, {}},
    };
    for (auto& c : cases) {
        std::unique_ptr<Line2dFeature> owned(c.line);
        EXPECT_EQ(owned != nullptr, c.made) << c.name;
        if (owned && c.made) {
            ExpectNear(owned->GetStartPoint(), o);
            ExpectNear(owned->GetEndPoint(), c.end);
        }
    }
    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    std::unique_ptr<Line2dFeature> segment(FeatureCreator::CreateLineFeatureFromPolylineSegment(&poly, RuVaPnt2d(9, 6)));
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->GetStartPoint(), RuVaPnt2d(10, 0));
}

TEST(FeatureGeometry, CircleAndArcCreators)
{
    std::unique_ptr<Circle2dFeature> c(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, 0), RuVaPnt2d(2, 0), RuVaPnt2d(1, 1)));
    ASSERT_TRUE(c);
    ExpectNear(c->GetCenterPoint(), RuVaPnt2d(1, 0));
    EXPECT_NEAR(c->GetRadius(), 1.0, 1e-12);
    EXPECT_FALSE(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1), RuVaPnt2d(2, 2)));  // collinear
    EXPECT_FALSE(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, 0), 5e-8));
    EXPECT_FALSE(FeatureCreator::CreateCircleFeature(RuVaPnt2d(0, 0), RuVaPnt2d(0, 0)));
    std::unique_ptr<Circle2dFeature> byPoint(FeatureCreator::CreateCircleFeature(RuVaPnt2d(1, 1), RuVaPnt2d(4, 5)));
    EXPECT_NEAR(byPoint->GetRadius(), 5.0, 1e-12);

    // The arc through three points passes through the middle one in either turning sense.
    for (const auto& mid : {RuVaPnt2d(0, 1), RuVaPnt2d(0, -1)}) {
        std::unique_ptr<Arc2dFeature> arc(FeatureCreator::CreateArcFeature(RuVaPnt2d(1, 0), mid, RuVaPnt2d(-1, 0)));
        ASSERT_TRUE(arc);
        ExpectNear(arc->GetStartPoint(), RuVaPnt2d(1, 0));
        ExpectNear(arc->GetEndPoint(), RuVaPnt2d(-1, 0));
        const double midAngle = std::atan2(mid.Y(), mid.X()) * RuVa::RadToDeg;
        EXPECT_TRUE(FeatureGeometry::IsAngleOnArc(RuVa::CorrectAngle(midAngle), arc->GetStartAngle(),
                                                  arc->GetEndAngle(), arc->GetDirection()));
    }
    EXPECT_FALSE(FeatureCreator::CreateArcFeature(RuVaPnt2d(1, 0), RuVaPnt2d(0, 1), RuVaPnt2d(1, 0)));

    // Ends by angle, by point and by a crossing shape.
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 2.0);
    const double start = 30.0;
    const RuVaPnt2d endPoint(-5, 0);
    std::unique_ptr<Arc2dFeature> arc(FeatureCreator::CreateArcFeature(&circle, FeatureCreator::ArcEndAngle, &start,
                                                                       RuVaPnt2d(), FeatureCreator::ArcEndPoint,
                                                                       &endPoint, RuVaPnt2d(), 0));
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->GetStartAngle(), 30.0, 1e-12);
    EXPECT_NEAR(arc->GetEndAngle(), 180.0, 1e-12);
    const Line2dFeature cutter(RuVaPnt2d(0, -5), RuVaPnt2d(0, 5));
    std::unique_ptr<Arc2dFeature> cut(FeatureCreator::CreateArcFeature(&circle, FeatureCreator::ArcEndFeature, &cutter,
                                                                       RuVaPnt2d(0.1, -1.9), FeatureCreator::ArcEndAngle,
                                                                       &start, RuVaPnt2d(), 1));
    ASSERT_TRUE(cut);
    EXPECT_NEAR(cut->GetStartAngle(), 270.0, 1e-6);
    EXPECT_EQ(cut->GetDirection(), 1);
    const Line2dFeature away(RuVaPnt2d(5, -5), RuVaPnt2d(5, 5));
    EXPECT_FALSE(FeatureCreator::CreateArcFeature(&circle, FeatureCreator::ArcEndFeature, &away, RuVaPnt2d(),
                                                  FeatureCreator::ArcEndAngle, &start, RuVaPnt2d(), 0));
    EXPECT_FALSE(FeatureCreator::CreateArcFeature(&circle, FeatureCreator::ArcEndAngle, &start, RuVaPnt2d(),
                                                  FeatureCreator::ArcEndAngle, &start, RuVaPnt2d(), 0));
    EXPECT_FALSE(FeatureCreator::CreateArcFeature(&circle, 7, &start, RuVaPnt2d(), 0, &start, RuVaPnt2d(), 0));
}

TEST(FeatureGeometry, PolygonCreators)
{
    std::unique_ptr<Polyline2dFeature> hexagon(
        FeatureCreator::CreateInscribedPolygonPolylineFeature(6, RuVaPnt2d(0, 0), 2.0, 0.0));
    ASSERT_TRUE(hexagon);
    EXPECT_TRUE(hexagon->IsClosed());
    EXPECT_EQ(hexagon->GetPointSize(), 7);
    ExpectNear(hexagon->GetPoint(1), RuVaPnt2d(1, std::sqrt(3.0)));

    std::unique_ptr<Polyline2dFeature> square(
        FeatureCreator::CreateCircumscribedPolygonPolylineFeature(4, RuVaPnt2d(0, 0), 1.0, 45.0));
    ExpectNear(square->GetPoint(0), RuVaPnt2d(1, 1));
    std::unique_ptr<Polyline2dFeature> triangle(
        FeatureCreator::CreateOneSidePolygonPolylineFeature(3, RuVaPnt2d(0, 0), 3.0, 90.0));
    EXPECT_NEAR(triangle->GetPoint(0).Distance(triangle->GetPoint(1)), 3.0, 1e-12);
    std::unique_ptr<Polyline2dFeature> vertex(
        FeatureCreator::CreateVertexPolygonPolylineFeature(4, RuVaPnt2d(0, 0), RuVaPnt2d(2, 0)));
    ExpectNear(vertex->GetPoint(2), RuVaPnt2d(2, 2));  // on the left of the first side
    std::unique_ptr<Polyline2dFeature> rect(
        FeatureCreator::CreateRectanglePolylineFeature(4.0, 2.0, 0.0, FeatureCreator::LocateMiddleCenter, RuVaPnt2d(0, 0)));
    ExpectBox(rect->GetBndBox(), -2, -1, 2, 1);
    std::unique_ptr<Polyline2dFeature> corners(FeatureCreator::CreatePolylineFeature(RuVaPnt2d(3, 3), RuVaPnt2d(0, 1)));
    ExpectBox(corners->GetBndBox(), 0, 1, 3, 3);
    EXPECT_TRUE(corners->IsClosed());

    EXPECT_FALSE(FeatureCreator::CreateInscribedPolygonPolylineFeature(2, RuVaPnt2d(0, 0), 1.0, 0.0));
    EXPECT_FALSE(FeatureCreator::CreateInscribedPolygonPolylineFeature(100000, RuVaPnt2d(0, 0), 1.0, 0.0));
    EXPECT_FALSE(FeatureCreator::CreateInscribedPolygonPolylineFeature(5, RuVaPnt2d(0, 0), 0.0, 0.0));
    EXPECT_FALSE(FeatureCreator::CreateRectanglePolylineFeature(4.0, 0.0, 0.0, 0, RuVaPnt2d(0, 0)));
    EXPECT_FALSE(FeatureCreator::CreateRectanglePolylineFeature(4.0, 1.0, 0.0, 9, RuVaPnt2d(0, 0)));
    EXPECT_FALSE(FeatureCreator::CreatePolylineFeature(RuVaPnt2d(0, 0), RuVaPnt2d(0, 5)));
    EXPECT_FALSE(FeatureCreator::CreateVertexPolygonPolylineFeature(5, RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)));
}

TEST(FeatureGeometry, LineShapesStayCompact)
{
    // The data model keeps a million lines: the shape itself must stay small.
    EXPECT_LE(sizeof(Line2dFeature), 96u);
    EXPECT_LE(sizeof(Arc2dFeature), 112u);
}

TEST(FeatureGeometry, EveryKindTransformsOrStaysAsItWas)
{
    // A turn and move there and back gives the shape again (within rounding); any placement leaves a valid
    // shape or, refused, the shape unchanged.
    const TransformFeature there(RuVaPnt2d(1, 2), 2.0, 2.0, 2.0, 30.0, RuVaPnt2d(-5, 7));
    const TransformFeature back(RuVaPnt2d(-5, 7), 0.5, 0.5, 0.5, 0.0, RuVaPnt2d(1, 2));
    const TransformFeature unturn(RuVaPnt2d(1, 2), 1.0, 1.0, 1.0, -30.0, RuVaPnt2d(1, 2));
    TransformFeature mirror;
    mirror.SetMirror(RuVaPnt2d(0, 0), RuVaPnt2d(1, 3));
    const TransformFeature stretch(RuVaPnt2d(0, 0), 3.0, 0.5, 1.0, 20.0, RuVaPnt2d(0, 0));
    for (const auto& f : MakeSampleFeatures()) {
        SCOPED_TRACE(f->GetRuntimeClass()->m_lpszClassName);
        FeaturePtr moved(f->CopyObject());
        if (there.Transform(moved.get())) {
            ASSERT_TRUE(moved->IsValid());
            ASSERT_TRUE(back.Transform(moved.get()));
            ASSERT_TRUE(unturn.Transform(moved.get()));
            const RuVaBndBox2d a = f->GetBndBox(), b = moved->GetBndBox();
            if (!a.IsVoid() && a.XMax() < 1e90) {
                EXPECT_NEAR(a.XMin(), b.XMin(), 1e-6);
                EXPECT_NEAR(a.YMin(), b.YMin(), 1e-6);
                EXPECT_NEAR(a.XMax(), b.XMax(), 1e-6);
                EXPECT_NEAR(a.YMax(), b.YMax(), 1e-6);
            }
        } else {
            EXPECT_TRUE(moved->IsEqual(f.get()));
        }
        for (const TransformFeature* t : {static_cast<const TransformFeature*>(&mirror), &stretch}) {
            FeaturePtr copy(f->CopyObject());
            if (t->Transform(copy.get())) {
                EXPECT_TRUE(copy->IsValid());
            } else {
                EXPECT_TRUE(copy->IsEqual(f.get()));
            }
            FeaturePtr made(t->Transformed(f.get()));
            if (made) {
                EXPECT_TRUE(made->IsValid());
            }
        }
    }
}

TEST(FeatureGeometry, TangentAndPerpendicularLines)
{
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    // On the shape: at the nearest point, along the tangent / normal to the foot of the end point.
    std::unique_ptr<Line2dFeature> tangent(
        FeatureCreator::CreateTangentLineFeature(&circle, RuVaPnt2d(0, 9), RuVaPnt2d(7, 3)));
    ASSERT_TRUE(tangent);
    ExpectNear(tangent->GetStartPoint(), RuVaPnt2d(0, 5), 1e-7);
    ExpectNear(tangent->GetEndPoint(), RuVaPnt2d(7, 5), 1e-7);
    std::unique_ptr<Line2dFeature> normal(
        FeatureCreator::CreatePerpendicularLineFeature(&circle, RuVaPnt2d(9, 0), RuVaPnt2d(12, 3)));
    ASSERT_TRUE(normal);
    ExpectNear(normal->GetStartPoint(), RuVaPnt2d(5, 0), 1e-7);
    ExpectNear(normal->GetEndPoint(), RuVaPnt2d(12, 0), 1e-7);

    // From a point: the touching point nearest the pick.
    const RuVaPnt2d start(10, 0);
    for (double side : {1.0, -1.0}) {
        std::unique_ptr<Line2dFeature> from(
            FeatureCreator::CreateTangentLineFeature(start, &circle, RuVaPnt2d(3, 4 * side)));
        ASSERT_TRUE(from);
        const RuVaPnt2d t = from->GetEndPoint();
        EXPECT_NEAR(t.Distance(RuVaPnt2d(0, 0)), 5.0, 1e-7);
        EXPECT_NEAR((t - RuVaPnt2d(0, 0)).Dot(t - start), 0.0, 1e-6);  // radius square to the line
        EXPECT_GT(t.Y() * side, 0.0);
    }
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(RuVaPnt2d(1, 1), &circle, RuVaPnt2d()));  // inside

    // The same through an ellipse: the line touches it.
    const Ellipse2dFeature ellipse(RuVaPnt2d(0, 0), 6.0, 2.0, 30.0);
    std::unique_ptr<Line2dFeature> touching(
        FeatureCreator::CreateTangentLineFeature(RuVaPnt2d(0, 12), &ellipse, RuVaPnt2d(6, 3)));
    ASSERT_TRUE(touching);
    EXPECT_LT(EllipseResidual(ellipse, touching->GetEndPoint()), 1e-6);

    // Perpendicular from a point onto a line and onto a circle.
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    std::unique_ptr<Line2dFeature> drop(FeatureCreator::CreatePerpendicularLineFeature(RuVaPnt2d(4, 6), &line, RuVaPnt2d()));
    ASSERT_TRUE(drop);
    ExpectNear(drop->GetEndPoint(), RuVaPnt2d(4, 0));
    std::unique_ptr<Line2dFeature> far(
        FeatureCreator::CreatePerpendicularLineFeature(RuVaPnt2d(10, 0), &circle, RuVaPnt2d(-6, 0)));
    ASSERT_TRUE(far);
    ExpectNear(far->GetEndPoint(), RuVaPnt2d(-5, 0), 1e-7);

    // Common tangents of two circles: outer above, inner crossing.
    const Circle2dFeature left(RuVaPnt2d(0, 0), 1.0), right(RuVaPnt2d(10, 0), 1.0);
    std::unique_ptr<Line2dFeature> outer(
        FeatureCreator::CreateTangentLineFeature(&left, RuVaPnt2d(0, 2), &right, RuVaPnt2d(10, 2)));
    ASSERT_TRUE(outer);
    ExpectNear(outer->GetStartPoint(), RuVaPnt2d(0, 1));
    ExpectNear(outer->GetEndPoint(), RuVaPnt2d(10, 1));
    std::unique_ptr<Line2dFeature> inner(
        FeatureCreator::CreateTangentLineFeature(&left, RuVaPnt2d(0.5, 1), &right, RuVaPnt2d(9.5, -1)));
    ASSERT_TRUE(inner);
    EXPECT_GT(inner->GetStartPoint().Y(), 0.0);
    EXPECT_LT(inner->GetEndPoint().Y(), 0.0);
    EXPECT_NEAR(inner->GetStartPoint().Distance(RuVaPnt2d(0, 0)), 1.0, 1e-12);
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(&left, RuVaPnt2d(), &ellipse, RuVaPnt2d()));
}

// The common tangent of two curves for every pair of circle, arc, ellipse and elliptic arc (arcs count
// whole): each of the four tangents chosen by where the curves are picked, each touching both curves;
// none for nested curves.
TEST(FeatureGeometry, CommonTangentsOfEveryPairOfCircularAndEllipticCurves)
{
    struct Curve {
        const char* name;
        std::unique_ptr<Feature2dBase> (*make)(const RuVaPnt2d& c);
        double a, b, angle;  // as an ellipse
    };
    const Curve curves[] = {
        {"circle", [](const RuVaPnt2d& c) -> std::unique_ptr<Feature2dBase> { return std::make_unique<Circle2dFeature>(c, 2.0); }, 2, 2, 0},
        {"arc", [](const RuVaPnt2d& c) -> std::unique_ptr<Feature2dBase> { return std::make_unique<Arc2dFeature>(c, 2.0, 0.0, 180.0); }, 2, 2, 0},
        {"ellipse", [](const RuVaPnt2d& c) -> std::unique_ptr<Feature2dBase> { return std::make_unique<Ellipse2dFeature>(c, 3.0, 1.5, 20.0); }, 3, 1.5, 20},
        {"elliptic arc", [](const RuVaPnt2d& c) -> std::unique_ptr<Feature2dBase> { return std::make_unique<EllipseArc2dFeature>(c, 3.0, 1.5, 20.0, 0.0, 270.0); }, 3, 1.5, 20},
    };
    // How far the point lies off the ellipse (0 on it), and the ellipse's normal there.
    auto residual = [](const Curve& k, const RuVaPnt2d& c, const RuVaPnt2d& p, RuVaVec2d& normal) {
        const double r = k.angle * RuVa::DegToRad;
        const RuVaVec2d u(std::cos(r), std::sin(r)), v(-std::sin(r), std::cos(r));
        const double x = (p - c).Dot(u) / k.a, y = (p - c).Dot(v) / k.b;
        normal = u * (x / k.a) + v * (y / k.b);
        return std::fabs(x * x + y * y - 1.0);
    };
    const RuVaPnt2d c1(0, 0), c2(12, 0);
    for (const Curve& k1 : curves) {
        for (const Curve& k2 : curves) {
            SCOPED_TRACE(std::string(k1.name) + " and " + k2.name);
            const auto first = k1.make(c1);
            const auto second = k2.make(c2);
            for (int above1 : {1, -1}) {
                for (int above2 : {1, -1}) {
                    SCOPED_TRACE(above1 * 10 + above2);
                    std::unique_ptr<Line2dFeature> line(FeatureCreator::CreateTangentLineFeature(
                        first.get(), RuVaPnt2d(0, 3 * above1), second.get(), RuVaPnt2d(12, 3 * above2)));
                    ASSERT_TRUE(line);
                    const RuVaPnt2d t1 = line->GetStartPoint(), t2 = line->GetEndPoint();
                    const RuVaVec2d along = (t2 - t1).Normalized();
                    RuVaVec2d n1, n2;
                    EXPECT_LT(residual(k1, c1, t1, n1), 1e-9);
                    EXPECT_LT(residual(k2, c2, t2, n2), 1e-9);
                    EXPECT_NEAR(along.Dot(n1.Normalized()), 0.0, 1e-9) << "not touching the first";
                    EXPECT_NEAR(along.Dot(n2.Normalized()), 0.0, 1e-9) << "not touching the second";
                    EXPECT_GT(t1.Y() * above1, 0.0);
                    EXPECT_GT(t2.Y() * above2, 0.0);
                }
            }
        }
    }
    // Nested curves have no common tangent.
    const Ellipse2dFeature outer(RuVaPnt2d(0, 0), 6.0, 3.0, 10.0), inner(RuVaPnt2d(0.5, 0), 2.0, 1.0, 70.0);
    const Circle2dFeature small(RuVaPnt2d(1, 0), 0.5), big(RuVaPnt2d(0, 0), 5.0);
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(&outer, RuVaPnt2d(6, 0), &inner, RuVaPnt2d(2.5, 0)));
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(&big, RuVaPnt2d(5, 0), &small, RuVaPnt2d(1.5, 0)));
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(&outer, RuVaPnt2d(6, 0), &small, RuVaPnt2d(1.5, 0)));
}

// The tangent from a point to an ellipse or an elliptic arc: both touching points, chosen by the pick; an
// arc only where it runs; none from inside.
TEST(FeatureGeometry, TangentsFromAPointToEllipsesAndEllipticArcs)
{
    const Ellipse2dFeature ellipse(RuVaPnt2d(1, 1), 4.0, 2.0, 30.0);
    const RuVaPnt2d start(9, -3);
    RuVaPnt2d touches[2];
    for (int side : {0, 1}) {
        const RuVaPnt2d pick = side == 0 ? RuVaPnt2d(1, 5) : RuVaPnt2d(1, -5);
        std::unique_ptr<Line2dFeature> line(FeatureCreator::CreateTangentLineFeature(start, &ellipse, pick));
        ASSERT_TRUE(line);
        touches[side] = line->GetEndPoint();
        EXPECT_LT(EllipseResidual(ellipse, touches[side]), 1e-9);
    }
    EXPECT_GT(touches[0].Distance(touches[1]), 1.0) << "the pick chooses between the two";
    EXPECT_FALSE(FeatureCreator::CreateTangentLineFeature(RuVaPnt2d(1.5, 1.2), &ellipse, RuVaPnt2d()));
    // Half of the ellipse: the lower touching point is off the arc, so the upper one is taken.
    const EllipseArc2dFeature upper(RuVaPnt2d(0, 0), 4.0, 2.0, 0.0, 0.0, 180.0);
    std::unique_ptr<Line2dFeature> line(FeatureCreator::CreateTangentLineFeature(RuVaPnt2d(6, 0), &upper, RuVaPnt2d(3, -2)));
    ASSERT_TRUE(line);
    EXPECT_GT(line->GetEndPoint().Y(), 0.0);
}

TEST(FeatureGeometry, PoolCopiesTakeUnequalScales)
{
    const Circle2dFeature circle(RuVaPnt2d(1, 1), 2.0);
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 3.0, 0.0, 90.0);
    FeaturePool pool;
    Feature2dBase* same = pool.GetFeaturePool(&circle, 2.0, 2.0);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->GetFeatureType(), FeatureTypeCircle);
    EXPECT_NE(same, &circle);
    Feature2dBase* stretched = pool.GetFeaturePool(&circle, 2.0, 1.0);
    ASSERT_EQ(stretched->GetFeatureType(), FeatureTypeEllipse);
    const TransformFeature t(RuVaPnt2d(0, 0), 2.0, 1.0, 1.0, 0.0, RuVaPnt2d(0, 0));
    EXPECT_TRUE(t.Transform(stretched));
    EXPECT_NEAR(static_cast<Ellipse2dFeature*>(stretched)->GetMajorRadius(), 4.0, 1e-12);
    Feature2dBase* arcCopy = pool.GetFeaturePool(&arc, 1.0, 3.0);
    ASSERT_EQ(arcCopy->GetFeatureType(), FeatureTypeEllipseArc);
    EXPECT_TRUE(TransformFeature(RuVaPnt2d(0, 0), 1.0, 3.0, 1.0, 0.0, RuVaPnt2d(0, 0)).Transform(arcCopy));
    EXPECT_EQ(pool.GetCount(), 3);
    EXPECT_FALSE(pool.GetFeaturePool(nullptr, 1.0, 1.0));
}
