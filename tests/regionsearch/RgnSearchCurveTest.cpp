// The worker on curves alone: candidates of each kind of shape, the curve tools, the order of the ways on
// at a junction, the merging of arc pieces and the inside test.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include <GCE2d_MakeSegment.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Circle.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt2d.hxx>
#include <gp_Ax22d.hxx>
#include <gp_Circ2d.hxx>

#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "regionsearch/RgnSearch.h"
#include "tests/regionsearch/RegionTestSupport.h"

namespace {

Handle(Geom2d_Curve) Segment(double x1, double y1, double x2, double y2)
{
    Handle(Geom2d_TrimmedCurve) seg = GCE2d_MakeSegment(gp_Pnt2d(x1, y1), gp_Pnt2d(x2, y2)).Value();
    return seg;
}

Handle(Geom2d_Curve) Arc(double cx, double cy, double r, double u1, double u2, bool ccw = true)
{
    Handle(Geom2d_Circle) c = new Geom2d_Circle(gp_Circ2d(gp_Ax22d(gp_Pnt2d(cx, cy), gp_Dir2d(1, 0), ccw), r));
    return new Geom2d_TrimmedCurve(c, u1, u2);
}

gp_Pnt2d Start(const Handle(Geom2d_Curve)& c)
{
    return c->Value(c->FirstParameter());
}

gp_Pnt2d End(const Handle(Geom2d_Curve)& c)
{
    return c->Value(c->LastParameter());
}

KcArrayOfGePnt2d Points(std::initializer_list<RuVaPnt2d> list)
{
    KcArrayOfGePnt2d pts;
    for (const RuVaPnt2d& p : list)
        pts.Add(p);
    return pts;
}

TEST(RgnSearchCandidates, PolylinesGiveOneSegmentPerPairOfVertices)
{
    RgnSearch worker(nullptr);
    Polyline2dFeature closed(Points({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}));
    EXPECT_EQ(worker.AddFeatureCurves(&closed, 7, -1), 4);
    Polyline2dFeature open(Points({{0, 0}, {4, 0}, {4, 4}, {0, 4}}));
    EXPECT_EQ(worker.AddFeatureCurves(&open, 8, -1), 3);
    ASSERT_EQ(worker.GetCurveCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(worker.GetCurveInfo(i).nPosition, i);
        EXPECT_EQ(worker.GetCurveInfo(i).nRecordID, i < 4 ? 7 : 8);
    }
    EXPECT_TRUE(Start(worker.GetCurveInfo(3).curve).IsEqual(gp_Pnt2d(0, 4), 1e-12));
    EXPECT_TRUE(End(worker.GetCurveInfo(3).curve).IsEqual(gp_Pnt2d(0, 0), 1e-12));
}

TEST(RgnSearchCandidates, CirclesAndEllipsesComeInHalvesAndNoCandidateCloses)
{
    RgnSearch worker(nullptr);
    Circle2dFeature circle(RuVaPnt2d(1, 1), 2);
    ASSERT_EQ(worker.AddFeatureCurves(&circle, 1, -1), 2);
    const Handle(Geom2d_Curve)& upper = worker.GetCurveInfo(0).curve;
    const Handle(Geom2d_Curve)& lower = worker.GetCurveInfo(1).curve;
    EXPECT_TRUE(Start(upper).IsEqual(gp_Pnt2d(3, 1), 1e-12));
    EXPECT_TRUE(End(upper).IsEqual(gp_Pnt2d(-1, 1), 1e-12));
    EXPECT_TRUE(Start(lower).IsEqual(gp_Pnt2d(-1, 1), 1e-12));
    EXPECT_TRUE(End(lower).IsEqual(gp_Pnt2d(3, 1), 1e-12));

    Ellipse2dFeature ellipse(RuVaPnt2d(0, 0), 4, 2, 90);
    ASSERT_EQ(worker.AddFeatureCurves(&ellipse, 2, -1), 2);
    EXPECT_TRUE(Start(worker.GetCurveInfo(2).curve).IsEqual(gp_Pnt2d(0, 4), 1e-9));
    EXPECT_TRUE(End(worker.GetCurveInfo(2).curve).IsEqual(gp_Pnt2d(0, -4), 1e-9));

    // A closed spline and a full-turn arc are halved too; texts give nothing.
    BSplineCurve2dFeature loop(Points({{0, 0}, {4, 0}, {4, 4}, {0, 4}}), BSplineCurve2dFeature::ControlPoints, 3, TRUE);
    EXPECT_EQ(worker.AddFeatureCurves(&loop, 3, -1), 2);
    Text2dFeature text(CString(_T("x")), RuVaPnt2d(0, 0));
    EXPECT_EQ(worker.AddFeatureCurves(&text, 4, -1), 0);
    for (int i = 0; i < worker.GetCurveCount(); ++i)
        EXPECT_FALSE(RgnSearch::IsClosedCurve(worker.GetCurveInfo(i).curve)) << i;
    // Boxes carry the gap that lets touching boxes overlap.
    EXPECT_NEAR(worker.GetCurveInfo(0).box.XMax(), 3.0 + 2e-7, 1e-9);
}

TEST(RgnSearchCandidates, AFigureEightSplineIsCutAtItsCrossing)
{
    RgnSearch worker(nullptr);
    // Through these points the curve crosses itself once near the middle.
    BSplineCurve2dFeature eight(Points({{0, 0}, {4, 4}, {8, 0}, {4, -4}, {0, 0}, {-4, 4}, {-8, 0}, {-4, -4}, {0, 0}}),
                                BSplineCurve2dFeature::InterpolatePoints, 3, FALSE);
    ASSERT_TRUE(eight.IsValid());
    const int n = worker.AddFeatureCurves(&eight, 5, -1);
    EXPECT_GE(n, 3);
    for (int i = 0; i < n; ++i)
        EXPECT_FALSE(RgnSearch::IsClosedCurve(worker.GetCurveInfo(i).curve)) << i;
    // The pieces follow one another.
    for (int i = 0; i + 1 < n; ++i)
        EXPECT_TRUE(End(worker.GetCurveInfo(i).curve).IsEqual(Start(worker.GetCurveInfo(i + 1).curve), 1e-6)) << i;
}

TEST(RgnSearchCandidates, ShapesOfALayoutAreCollectedInWorldCoordinatesWithTheirLayout)
{
    Draw2dDocument doc;
    doc.InitDocument();
    const long part = doc.AddPartDrawingFeature(_T("part"));
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    const long id = doc.AddFeature(&line, doc.GetDrawingFeatureByID(part), 0);
    Text2dFeature text(CString(_T("t")), RuVaPnt2d(0, 0));
    doc.AddFeature(&text, nullptr, 0);
    const long layout = doc.AddPartLayout(doc.GetActiveDrawingID(), part, nullptr, -1, 0);
    ASSERT_TRUE(doc.SetPartLayoutOrigin(layout, RuVaPnt2d(10, 20), 0));
    ASSERT_TRUE(doc.SetPartLayoutScale(layout, 3, 1, FALSE, 1, 1, 0));
    Draw2dView view(&doc);
    RgnSearch worker(&doc);
    worker.CollectCurves(&view, 0);
    ASSERT_EQ(worker.GetCurveCount(), 1);
    EXPECT_EQ(worker.GetCurveInfo(0).nRecordID, id);
    EXPECT_EQ(worker.GetCurveInfo(0).nLayoutID, layout);
    EXPECT_TRUE(End(worker.GetCurveInfo(0).curve).IsEqual(gp_Pnt2d(13, 20), 1e-9));
}

TEST(RgnSearchTools, EndsOfOverlappingSegmentsAreReported)
{
    const Handle(Geom2d_Curve) a = Segment(0, 0, 10, 0), b = Segment(5, 0, 15, 0);
    ASSERT_EQ(RgnSearch::GetIntersectionTolerance(a, b), 0.0);
    TColgp_SequenceOfPnt2d pts;
    std::vector<double> ua, ub;
    ASSERT_TRUE(RgnSearch::IntersectCurves(a, b, pts, &ua, &ub, 0.0));
    ASSERT_EQ(pts.Length(), 2);
    EXPECT_TRUE(RgnSearch::IsPointInSequence(gp_Pnt2d(10, 0), pts));
    EXPECT_TRUE(RgnSearch::IsPointInSequence(gp_Pnt2d(5, 0), pts));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(a->Value(ua[i]).IsEqual(pts(i + 1), 1e-9));
        EXPECT_TRUE(b->Value(ub[i]).IsEqual(pts(i + 1), 1e-9));
    }
}

TEST(RgnSearchTools, CrossingsOutsideAnArcAreDropped)
{
    const Handle(Geom2d_Curve) upper = Arc(0, 0, 5, 0, M_PI);
    TColgp_SequenceOfPnt2d pts;
    EXPECT_FALSE(RgnSearch::IntersectCurves(upper, Segment(-10, -3, 10, -3), pts, nullptr, nullptr, 1e-9));
    std::vector<double> ua;
    ASSERT_TRUE(RgnSearch::IntersectCurves(upper, Segment(-10, 3, 10, 3), pts, &ua, nullptr, 1e-9));
    ASSERT_EQ(pts.Length(), 2);
    // Parameters are the arc's own, also for an arc trimmed past the circle's seam.
    const Handle(Geom2d_Curve) seam = Arc(0, 0, 5, 1.5 * M_PI, 2.5 * M_PI);
    ASSERT_TRUE(RgnSearch::IntersectCurves(seam, Segment(3, -10, 3, 10), pts, &ua, nullptr, 1e-9));
    ASSERT_EQ(pts.Length(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(ua[i], seam->FirstParameter() - 1e-9);
        EXPECT_LE(ua[i], seam->LastParameter() + 1e-9);
        EXPECT_TRUE(seam->Value(ua[i]).IsEqual(pts(i + 1), 1e-9));
    }
}

TEST(RgnSearchTools, ToleranceOfEachPairOfCurves)
{
    const Handle(Geom2d_Curve) seg = Segment(0, 0, 1, 0);
    Handle(Geom2d_Line) l = new Geom2d_Line(gp_Pnt2d(0, 0), gp_Dir2d(0, 1));
    const Handle(Geom2d_Curve) inf1 = new Geom2d_TrimmedCurve(l, -2e100, 2e100);
    const Handle(Geom2d_Curve) inf2 = new Geom2d_TrimmedCurve(l, 0, 2e100);
    EXPECT_EQ(RgnSearch::GetIntersectionTolerance(seg, seg), 0.0);
    EXPECT_EQ(RgnSearch::GetIntersectionTolerance(inf1, inf2), 0.0);
    EXPECT_EQ(RgnSearch::GetIntersectionTolerance(seg, inf1), 1e-9);
    EXPECT_EQ(RgnSearch::GetIntersectionTolerance(seg, Arc(0, 0, 1, 0, 1)), 1e-9);
}

TEST(RgnSearchTools, ParametersSidesAndClosedness)
{
    // A corner of a polyline-like spline.
    TColgp_Array1OfPnt2d poles(1, 3);
    poles(1) = gp_Pnt2d(0, 0);
    poles(2) = gp_Pnt2d(5, 0);
    poles(3) = gp_Pnt2d(5, 5);
    TColStd_Array1OfReal knots(1, 3);
    knots(1) = 0;
    knots(2) = 1;
    knots(3) = 2;
    TColStd_Array1OfInteger mults(1, 3);
    mults(1) = 2;
    mults(2) = 1;
    mults(3) = 2;
    const Handle(Geom2d_Curve) chain = new Geom2d_BSplineCurve(poles, knots, mults, 1);
    double u = -1;
    ASSERT_TRUE(RgnSearch::GetPointParameter(chain, gp_Pnt2d(5, 0), u));
    EXPECT_NEAR(u, 1.0, 1e-9);
    EXPECT_FALSE(RgnSearch::GetPointParameter(chain, gp_Pnt2d(4, 1), u));
    EXPECT_EQ(u, 0.0);

    // The centre of a circle lies left of it when it runs counter-clockwise.
    const Handle(Geom2d_Curve) ccw = new Geom2d_Circle(gp_Circ2d(gp_Ax22d(gp_Pnt2d(2, 2), gp_Dir2d(1, 0), true), 3));
    const Handle(Geom2d_Curve) cw = new Geom2d_Circle(gp_Circ2d(gp_Ax22d(gp_Pnt2d(2, 2), gp_Dir2d(1, 0), false), 3));
    EXPECT_EQ(RgnSearch::ClassifyPointSide(ccw, gp_Pnt2d(2, 2)), 1);
    EXPECT_EQ(RgnSearch::ClassifyPointSide(cw, gp_Pnt2d(2, 2)), 2);
    EXPECT_EQ(RgnSearch::ClassifyPointSide(ccw, gp_Pnt2d(5, 2)), 0);
    EXPECT_EQ(RgnSearch::ClassifyPointSide(Segment(0, 0, 1, 0), gp_Pnt2d(7, 1)), 1);  // the carrying line counts
    EXPECT_EQ(RgnSearch::ClassifyPointSide(Segment(0, 0, 1, 0), gp_Pnt2d(-7, -1)), 2);

    EXPECT_TRUE(RgnSearch::IsClosedCurve(ccw));
    EXPECT_TRUE(RgnSearch::IsClosedCurve(Arc(0, 0, 1, 0, 2 * M_PI)));
    EXPECT_FALSE(RgnSearch::IsClosedCurve(Arc(0, 0, 1, 0, M_PI)));
    EXPECT_TRUE(RgnSearch::IsArcOfConic(Arc(0, 0, 1, 0, M_PI)));
    EXPECT_FALSE(RgnSearch::IsArcOfConic(ccw));
    EXPECT_FALSE(RgnSearch::IsArcOfConic(Segment(0, 0, 1, 1)));
}

TEST(RgnSearchTrace, RaysTakeTheDirectionWithFewestHitsNearestFirst)
{
    RgnSearch worker(nullptr);
    Polyline2dFeature square(Points({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    worker.AddFeatureCurves(&square, 1, -1);
    Line2dFeature right(RuVaPnt2d(6, -1), RuVaPnt2d(6, 11));
    Line2dFeature up1(RuVaPnt2d(-1, 7), RuVaPnt2d(11, 7)), up2(RuVaPnt2d(-1, 8), RuVaPnt2d(11, 8));
    worker.AddFeatureCurves(&right, 2, -1);
    worker.AddFeatureCurves(&up1, 3, -1);
    worker.AddFeatureCurves(&up2, 4, -1);
    std::vector<RgnSearch::NearCurveInfo> near;
    // +X has two hits, +Y three, -X and -Y one each: -X is taken.
    ASSERT_EQ(worker.FindNearCurves(near, gp_Pnt2d(2, 3)), 1);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_TRUE(near[0].point.IsEqual(gp_Pnt2d(0, 3), 1e-9));
    EXPECT_NEAR(near[0].dDistance, 2.0, 1e-12);
    // Between the horizontal lines: -X has one hit, every other direction two.
    ASSERT_EQ(worker.FindNearCurves(near, gp_Pnt2d(2, 7.5)), 1);
    EXPECT_TRUE(near[0].point.IsEqual(gp_Pnt2d(0, 7.5), 1e-9));
    // Right of the vertical line +X and -Y have one hit each; +X wins the tie.
    ASSERT_EQ(worker.FindNearCurves(near, gp_Pnt2d(8, 2)), 1);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_TRUE(near[0].point.IsEqual(gp_Pnt2d(10, 2), 1e-9));
    // On a shape, and outside in one direction.
    EXPECT_EQ(worker.FindNearCurves(near, gp_Pnt2d(6, 3)), -1);
    EXPECT_EQ(worker.FindNearCurves(near, gp_Pnt2d(-5, 3)), 0);

    // Nested squares: two hits in every direction, +X is taken, nearest first.
    RgnSearch nested(nullptr);
    Polyline2dFeature inner(Points({{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}}));
    nested.AddFeatureCurves(&square, 1, -1);
    nested.AddFeatureCurves(&inner, 2, -1);
    ASSERT_EQ(nested.FindNearCurves(near, gp_Pnt2d(5, 5)), 1);
    ASSERT_EQ(near.size(), 2u);
    EXPECT_TRUE(near[0].point.IsEqual(gp_Pnt2d(8, 5), 1e-9));
    EXPECT_TRUE(near[1].point.IsEqual(gp_Pnt2d(10, 5), 1e-9));
}

TEST(RgnSearchTrace, AtOneJunctionTheSharpestLeftComesFirstAndTangentWaysGoByCurvature)
{
    RgnSearch worker(nullptr);
    Line2dFeature straight(RuVaPnt2d(0, 0), RuVaPnt2d(5, 0));
    Arc2dFeature bendLeft(RuVaPnt2d(0, 1), 1, 270, 0, Arc2dFeature::CounterClockwise);
    Arc2dFeature bendRight(RuVaPnt2d(0, -1), 1, 90, 0, Arc2dFeature::Clockwise);
    Line2dFeature up(RuVaPnt2d(0, 0), RuVaPnt2d(0, 5));
    worker.AddFeatureCurves(&straight, 1, -1);
    worker.AddFeatureCurves(&bendLeft, 2, -1);
    worker.AddFeatureCurves(&bendRight, 3, -1);
    worker.AddFeatureCurves(&up, 4, -1);
    std::vector<RgnSearch::NextCurveInfo> next;
    ASSERT_EQ(worker.FindNextCurves(Segment(-5, 0, 0, 0), -1, next), 4);
    std::vector<long> order;
    for (const auto& n : next)
        order.push_back(worker.GetCurveInfo(n.nCandidate).nRecordID);
    EXPECT_EQ(order, (std::vector<long>{4, 2, 1, 3}));
    EXPECT_LT(RgnSearch::CompareNextCurves(next[0], next[3]), 0);
    EXPECT_GT(RgnSearch::CompareNextCurves(next[3], next[0]), 0);
}

TEST(RgnSearchTrace, ACrossingGivesBothWaysAlongTheOtherCurve)
{
    RgnSearch worker(nullptr);
    Line2dFeature cross(RuVaPnt2d(2, -3), RuVaPnt2d(2, 3));
    worker.AddFeatureCurves(&cross, 1, -1);
    std::vector<RgnSearch::NextCurveInfo> next;
    ASSERT_EQ(worker.FindNextCurves(Segment(0, 0, 5, 0), -1, next), 2);
    // Left turn (up) first, then the right turn (down); both start at the crossing.
    EXPECT_TRUE(End(next[0].next).IsEqual(gp_Pnt2d(2, 3), 1e-9));
    EXPECT_TRUE(End(next[1].next).IsEqual(gp_Pnt2d(2, -3), 1e-9));
    for (const auto& n : next) {
        EXPECT_TRUE(Start(n.next).IsEqual(gp_Pnt2d(2, 0), 1e-9));
        EXPECT_NEAR(n.uCurrent, 2.0, 1e-9);
    }
}

TEST(RgnSearchRegion, ArcPiecesAreJoinedBackIntoArcsAndCircles)
{
    const Arc2dFeature first(RuVaPnt2d(0, 0), 2, 0, 180);
    const Arc2dFeature second(RuVaPnt2d(0, 0), 2, 180, 0);
    std::unique_ptr<Feature2dBase> circle(RgnSearch::MergeFeatures(&second, &first));
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->GetFeatureType(), FeatureTypeCircle);
    const Arc2dFeature third(RuVaPnt2d(0, 0), 2, 180, 270);
    std::unique_ptr<Feature2dBase> arc(RgnSearch::MergeFeatures(&third, &first));
    ASSERT_TRUE(arc);
    ASSERT_EQ(arc->GetFeatureType(), FeatureTypeArc);
    EXPECT_NEAR(static_cast<Arc2dFeature*>(arc.get())->GetStartAngle(), 0.0, 1e-12);
    EXPECT_NEAR(static_cast<Arc2dFeature*>(arc.get())->GetEndAngle(), 270.0, 1e-12);
    // Opposite directions, other radii, gaps, lines: nothing merges.
    const Arc2dFeature backwards(RuVaPnt2d(0, 0), 2, 180, 90, Arc2dFeature::Clockwise);
    EXPECT_EQ(RgnSearch::MergeFeatures(&backwards, &first), nullptr);
    EXPECT_EQ(RgnSearch::MergeFeatures(&first, &third), nullptr);
    const Arc2dFeature wider(RuVaPnt2d(0, 0), 2.5, 180, 270);
    EXPECT_EQ(RgnSearch::MergeFeatures(&wider, &first), nullptr);
    const Line2dFeature l1(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)), l2(RuVaPnt2d(1, 0), RuVaPnt2d(2, 0));
    EXPECT_EQ(RgnSearch::MergeFeatures(&l2, &l1), nullptr);
    // Elliptic arcs likewise.
    const EllipseArc2dFeature e1(RuVaPnt2d(1, 1), 4, 2, 30, 0, 180), e2(RuVaPnt2d(1, 1), 4, 2, 30, 180, 0);
    std::unique_ptr<Feature2dBase> ellipse(RgnSearch::MergeFeatures(&e2, &e1));
    ASSERT_TRUE(ellipse);
    EXPECT_EQ(ellipse->GetFeatureType(), FeatureTypeEllipse);
}

TEST(RgnSearchRegion, ALoopStartingInsideAnArcIsJoinedAcrossItsStart)
{
    // A circle cut by a chord, walked from the middle of the lower half.
    RgnSearch worker(nullptr);
    Circle2dFeature circle(RuVaPnt2d(0, 0), 5);
    Line2dFeature chord(RuVaPnt2d(-10, 1), RuVaPnt2d(10, 1));
    worker.AddFeatureCurves(&circle, 1, -1);
    worker.AddFeatureCurves(&chord, 2, -1);
    ASSERT_EQ(worker.SearchCurves(gp_Pnt2d(0.3, -3), 0.01), 1);
    const Region2dFeature* region = worker.GetRegion();
    ASSERT_NE(region, nullptr);
    ASSERT_EQ(regiontest::RegionTypes(*region), (std::vector<int>{FeatureTypeLine, FeatureTypeArc}));
    const auto* arc = static_cast<const Arc2dFeature*>(region->GetFeature(1));
    EXPECT_NEAR(arc->GetSweepAngle(), 360.0 - 2.0 * std::acos(0.2) * 180.0 / M_PI, 1e-9);
}

TEST(RgnSearchRegion, TheInsideTestFollowsTheFlatteningOfTheLoop)
{
    Handle(TColGeom2d_HSequenceOfCurve) loop = new TColGeom2d_HSequenceOfCurve();
    loop->Append(Arc(0, 0, 10, 0, M_PI));
    loop->Append(Segment(-10, 0, 10, 0));
    EXPECT_TRUE(RgnSearch::IsPointInsideLoop(gp_Pnt2d(0, 5), loop, 0.01));
    EXPECT_FALSE(RgnSearch::IsPointInsideLoop(gp_Pnt2d(0, -1), loop, 0.01));
    // Points just inside the arc are inside at a fine flattening; coarse chords leave some outside.
    int insideFine = 0, insideCoarse = 0, total = 0;
    for (double a = 0.1; a < 3.0; a += 0.05, ++total) {
        const gp_Pnt2d p(9.99 * std::cos(a), 9.99 * std::sin(a));
        insideFine += RgnSearch::IsPointInsideLoop(p, loop, 0.001);
        insideCoarse += RgnSearch::IsPointInsideLoop(p, loop, 1.0);
    }
    EXPECT_EQ(insideFine, total);
    EXPECT_LT(insideCoarse, total);
    EXPECT_FALSE(RgnSearch::IsPointInsideLoop(gp_Pnt2d(0, 5), new TColGeom2d_HSequenceOfCurve(), 0.01));
    // A loop that does not close builds no region.
    Handle(TColGeom2d_HSequenceOfCurve) open = new TColGeom2d_HSequenceOfCurve();
    open->Append(Segment(0, 0, 1, 0));
    open->Append(Segment(1, 0, 1, 1));
    EXPECT_EQ(RgnSearch::BuildRegion(open), nullptr);
    std::unique_ptr<Region2dFeature> region(RgnSearch::BuildRegion(loop));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->GetFeatureCount(), 2);
}

}  // namespace
