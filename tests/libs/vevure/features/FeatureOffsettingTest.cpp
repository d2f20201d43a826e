// Parallel shapes: the side point chooses the side, polyline corners are mitred, radii grow or shrink, and
// shapes without a parallel give none.

#include <gtest/gtest.h>

#include <cmath>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureOffsetting.h"
#include "libs/vevure/FeatureStretching.h"
#include "libs/vevure/FeatureFilletting.h"
#include "libs/vevure/FeatureChamfering.h"
#include "libs/vevure/FeatureAdjustment.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Text2dFeature.h"

using namespace feature_test;

TEST(FeatureOffsetting, LinesMoveToTheSideOfThePoint)
{
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    line.SetLayerID(5);
    line.SetColorNo(3);
    FeaturePtr above(FeatureCreator::CreateOffsetFeature(&line, 2.0, RuVaPnt2d(3, 7)));
    ASSERT_TRUE(above);
    ASSERT_EQ(above->GetFeatureType(), FeatureTypeLine);
    EXPECT_EQ(static_cast<Line2dFeature&>(*above).GetStartPoint(), RuVaPnt2d(0, 2));
    EXPECT_EQ(above->GetLayerID(), 5);  // the source's attributes
    EXPECT_EQ(above->GetColorNo(), 3);
    FeaturePtr below(FeatureCreator::CreateOffsetFeature(&line, 2.0, RuVaPnt2d(30, -1)));
    EXPECT_EQ(static_cast<Line2dFeature&>(*below).GetEndPoint(), RuVaPnt2d(10, -2));
    FeaturePtr through(FeatureCreator::CreateOffsetFeature(&line, RuVaPnt2d(-4, 3.5)));
    ASSERT_TRUE(through);
    EXPECT_EQ(static_cast<Line2dFeature&>(*through).GetStartPoint(), RuVaPnt2d(0, 3.5));
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(&line, 2.0, RuVaPnt2d(5, 0)));  // on the line
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(&line, 0.0, RuVaPnt2d(5, 1)));
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(&line, RuVaPnt2d(20, 0)));

    const InfiniteLine2dFeature construction(RuVaPnt2d(0, 0), RuVaDir2d(0, 1));
    FeaturePtr moved(FeatureCreator::CreateOffsetFeature(&construction, 3.0, RuVaPnt2d(-1, 0)));
    ASSERT_TRUE(moved);
    EXPECT_NEAR(static_cast<InfiniteLine2dFeature&>(*moved).GetPoint().X(), -3.0, 1e-12);
}

TEST(FeatureOffsetting, RadiiGrowOutsideAndShrinkInside)
{
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    FeaturePtr outer(FeatureCreator::CreateOffsetFeature(&circle, 1.0, RuVaPnt2d(9, 0)));
    FeaturePtr inner(FeatureCreator::CreateOffsetFeature(&circle, 1.0, RuVaPnt2d(1, 0)));
    EXPECT_EQ(static_cast<Circle2dFeature&>(*outer).GetRadius(), 6.0);
    EXPECT_EQ(static_cast<Circle2dFeature&>(*inner).GetRadius(), 4.0);
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(&circle, 5.0, RuVaPnt2d(1, 0)));  // would vanish
    FeaturePtr through(FeatureCreator::CreateOffsetFeature(&circle, RuVaPnt2d(0, -8)));
    EXPECT_EQ(static_cast<Circle2dFeature&>(*through).GetRadius(), 8.0);

    const Arc2dFeature arc(RuVaPnt2d(0, 0), 5.0, 0.0, 90.0);
    FeaturePtr arcOut(FeatureOffsetting::OffsetFeature(&arc, 2.0));
    ASSERT_TRUE(arcOut);
    EXPECT_EQ(static_cast<Arc2dFeature&>(*arcOut).GetRadius(), 7.0);
    EXPECT_EQ(static_cast<Arc2dFeature&>(*arcOut).GetEndAngle(), 90.0);
}

TEST(FeatureOffsetting, PolylineCornersAreMitred)
{
    const Polyline2dFeature open(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    FeaturePtr inside(FeatureCreator::CreateOffsetFeature(&open, 1.0, RuVaPnt2d(5, 1)));
    ASSERT_TRUE(inside);
    const auto& p = static_cast<Polyline2dFeature&>(*inside);
    ASSERT_EQ(p.GetPointSize(), 3);
    EXPECT_EQ(p.GetPoint(0), RuVaPnt2d(0, 1));
    EXPECT_NEAR(p.GetPoint(1).Distance(RuVaPnt2d(9, 1)), 0.0, 1e-12);
    EXPECT_EQ(p.GetPoint(2), RuVaPnt2d(9, 10));

    const Polyline2dFeature square(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(0, 4)},
                                   TRUE);
    FeaturePtr grown(FeatureCreator::CreateOffsetFeature(&square, 1.0, RuVaPnt2d(-3, 2)));
    ASSERT_TRUE(grown);
    const auto& g = static_cast<Polyline2dFeature&>(*grown);
    EXPECT_TRUE(g.IsClosed());
    ASSERT_EQ(g.GetPointSize(), 5);
    const RuVaBndBox2d box = g.GetBndBox();
    EXPECT_NEAR(box.XMin(), -1.0, 1e-12);
    EXPECT_NEAR(box.YMax(), 5.0, 1e-12);
    FeaturePtr shrunk(FeatureCreator::CreateOffsetFeature(&square, 1.0, RuVaPnt2d(2, 2.5)));
    ASSERT_TRUE(shrunk);
    EXPECT_NEAR(shrunk->GetBndBox().XMin(), 1.0, 1e-12);
    EXPECT_NEAR(shrunk->GetBndBox().XMax(), 3.0, 1e-12);
}

TEST(FeatureOffsetting, CurvedShapesGiveSplinesAtTheDistance)
{
    const Ellipse2dFeature ellipse(RuVaPnt2d(0, 0), 6.0, 3.0, 20.0);
    FeaturePtr outer(FeatureCreator::CreateOffsetFeature(&ellipse, 1.0, RuVaPnt2d(20, 0)));
    ASSERT_TRUE(outer);
    ASSERT_EQ(outer->GetFeatureType(), FeatureTypeBSplineCurve);
    std::vector<KcArrayOfGePnt2d> chains;
    ASSERT_TRUE(FeatureFlattener::Flatten(outer.get(), chains, 1e-3));
    std::vector<KcArrayOfGePnt2d> base;
    FeatureFlattener::Flatten(&ellipse, base, 1e-4);
    // Every point of the offset curve lies about one unit from the ellipse.
    for (INT_PTR i = 0; i < chains[0].GetSize(); i += 7) {
        double nearest = 1e9;
        for (const RuVaPnt2d& q : base[0])
            nearest = std::min(nearest, q.Distance(chains[0][i]));
        EXPECT_NEAR(nearest, 1.0, 0.02) << i;
    }
    const Text2dFeature text(CString(u"t"), RuVaPnt2d(0, 0));
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(&text, 1.0, RuVaPnt2d(5, 5)));
    EXPECT_FALSE(FeatureCreator::CreateOffsetFeature(nullptr, 1.0, RuVaPnt2d(5, 5)));
}

TEST(FeatureOffsetting, MultiLinesOnBothSides)
{
    const Line2dFeature base(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    std::unique_ptr<Feature2dList> lines(FeatureCreator::CreateMultiLineFeature(&base, 2, 1, 1.0, 3.0, 1));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->GetFeatureSize(), 4);
    const double ys[] = {0.0, 1.0, 2.0, -3.0};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(static_cast<const Line2dFeature*>(lines->GetFeature(i))->GetStartPoint().Y(), ys[i], 1e-12) << i;
    std::unique_ptr<Feature2dList> without(FeatureCreator::CreateMultiLineFeature(&base, 1, 0, 1.0, 0.0, 0));
    ASSERT_TRUE(without);
    EXPECT_EQ(without->GetFeatureSize(), 1);

    // A circle shrinking to nothing on the inner side spoils the whole set.
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 2.5);
    EXPECT_FALSE(FeatureCreator::CreateMultiLineFeature(&circle, 1, 3, 1.0, 1.0, 0));
    std::unique_ptr<Feature2dList> rings(FeatureCreator::CreateMultiLineFeature(&circle, 1, 2, 1.0, 1.0, 0));
    ASSERT_TRUE(rings);
    EXPECT_EQ(rings->GetFeatureSize(), 3);

    EXPECT_FALSE(FeatureCreator::CreateMultiLineFeature(&base, 0, 0, 1.0, 1.0, 0));
    EXPECT_FALSE(FeatureCreator::CreateMultiLineFeature(&base, 257, 0, 1.0, 1.0, 0));
    EXPECT_FALSE(FeatureCreator::CreateMultiLineFeature(&base, 1, 0, 0.0, 1.0, 0));
    EXPECT_FALSE(FeatureCreator::CreateMultiLineFeature(nullptr, 1, 0, 1.0, 1.0, 0));
}

TEST(FeatureOffsetting, ParallelShapesBoundedByStartAndEnd)
{
    const Line2dFeature base(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    const RuVaPnt2d pick(5, 0);
    auto line = [](Feature2dBase* f) { return std::unique_ptr<Line2dFeature>(static_cast<Line2dFeature*>(f)); };
    auto arc = [](Feature2dBase* f) { return std::unique_ptr<Arc2dFeature>(static_cast<Arc2dFeature*>(f)); };

    auto byPoints = line(FeatureCreator::CreateParallelFeatureByEndPoint(&base, pick, 2.0, RuVaPnt2d(5, 5), RuVaPnt2d(1, 9),
                                                                         RuVaPnt2d(8, -3)));
    ASSERT_TRUE(byPoints);
    EXPECT_EQ(byPoints->GetFeatureType(), FeatureTypeLine);
    EXPECT_EQ(byPoints->GetStartPoint(), RuVaPnt2d(1, 2));
    EXPECT_EQ(byPoints->GetEndPoint(), RuVaPnt2d(8, 2));

    auto byLength = line(FeatureCreator::CreateParallelFeatureByLength(&base, pick, RuVaPnt2d(0, -3), RuVaPnt2d(2, 0), 5.0));
    ASSERT_TRUE(byLength);
    EXPECT_EQ(byLength->GetStartPoint(), RuVaPnt2d(2, -3));
    EXPECT_EQ(byLength->GetEndPoint(), RuVaPnt2d(7, -3));

    const Line2dFeature wallA(RuVaPnt2d(3, -10), RuVaPnt2d(3, 10)), wallB(RuVaPnt2d(6, -10), RuVaPnt2d(6, 10));
    auto byShapes = line(FeatureCreator::CreateParallelFeatureByEndFeature(&base, pick, 2.0, RuVaPnt2d(5, 5), &wallA,
                                                                           RuVaPnt2d(3, 2), &wallB, RuVaPnt2d(6, 2)));
    ASSERT_TRUE(byShapes);
    EXPECT_NEAR(byShapes->GetStartPoint().Distance(RuVaPnt2d(3, 2)), 0.0, 1e-9);
    EXPECT_NEAR(byShapes->GetEndPoint().Distance(RuVaPnt2d(6, 2)), 0.0, 1e-9);

    // A polyline gives the parallel of the segment at the base pick.
    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    auto bySegment = line(FeatureCreator::CreateParallelFeatureByEndPoint(&poly, RuVaPnt2d(10, 5), RuVaPnt2d(12, 0),
                                                                          RuVaPnt2d(0, 1), RuVaPnt2d(0, 8)));
    ASSERT_TRUE(bySegment);
    EXPECT_EQ(bySegment->GetStartPoint(), RuVaPnt2d(12, 1));

    // Circles and arcs give concentric arcs, counter-clockwise from start to end.
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    auto ring = arc(FeatureCreator::CreateParallelFeatureByEndAngle(&circle, RuVaPnt2d(5, 0), 1.0, RuVaPnt2d(9, 0), 0.0,
                                                                    90.0));
    ASSERT_TRUE(ring);
    EXPECT_EQ(ring->GetFeatureType(), FeatureTypeArc);
    EXPECT_EQ(ring->GetRadius(), 6.0);
    EXPECT_EQ(ring->GetEndAngle(), 90.0);
    auto through = arc(FeatureCreator::CreateParallelFeatureByEndAngle(&circle, RuVaPnt2d(5, 0), RuVaPnt2d(0, -8),
                                                                       RuVaPnt2d(8, 8), 180.0));
    ASSERT_TRUE(through);
    EXPECT_EQ(through->GetRadius(), 8.0);
    EXPECT_NEAR(through->GetStartAngle(), 45.0, 1e-12);

    // Values that make no shape.
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByEndAngle(&base, pick, 2.0, RuVaPnt2d(5, 5), RuVaPnt2d(1, 9), 30.0));
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByLength(&circle, pick, 1.0, RuVaPnt2d(9, 0), RuVaPnt2d(1, 0), 3.0));
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByEndPoint(&base, pick, 2.0, RuVaPnt2d(5, 5), RuVaPnt2d(4, 9),
                                                                 RuVaPnt2d(4, -9)));  // same foot
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByEndPoint(&base, pick, 2.0, RuVaPnt2d(5, 0), RuVaPnt2d(1, 9),
                                                                 RuVaPnt2d(8, -3)));  // side point on the base
    const Line2dFeature parallelWall(RuVaPnt2d(0, 7), RuVaPnt2d(10, 7));
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByEndFeature(&base, pick, 2.0, RuVaPnt2d(5, 5), RuVaPnt2d(1, 0),
                                                                   &parallelWall, RuVaPnt2d(5, 7)));
    EXPECT_FALSE(FeatureCreator::CreateParallelFeatureByEndAngle(&circle, RuVaPnt2d(5, 0), 5.0, RuVaPnt2d(1, 0), 0.0,
                                                                 90.0));  // shrinks to nothing
}

TEST(FeatureOffsetting, StretchingMovesOnlyWhatTheFenceHolds)
{
    // A fence round the right-hand side (x > 5), moved by (3, 1).
    const KcArrayOfGePnt2d fence{RuVaPnt2d(5, -20), RuVaPnt2d(20, -20), RuVaPnt2d(20, 20), RuVaPnt2d(5, 20)};
    const RuVaPnt2d base(0, 0), destination(3, 1);

    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    std::unique_ptr<Line2dFeature> stretched(
        static_cast<Line2dFeature*>(FeatureStretching::StretchFeature(&line, fence, base, destination)));
    ASSERT_TRUE(stretched);
    EXPECT_EQ(stretched->GetStartPoint(), RuVaPnt2d(0, 0));
    EXPECT_EQ(stretched->GetEndPoint(), RuVaPnt2d(13, 1));

    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 10)});
    FeaturePtr movedPoly(FeatureStretching::StretchFeature(&poly, fence, base, destination));
    ASSERT_TRUE(movedPoly);
    const auto& p = static_cast<Polyline2dFeature&>(*movedPoly);
    EXPECT_EQ(p.GetPoint(0), RuVaPnt2d(0, 0));
    EXPECT_EQ(p.GetPoint(1), RuVaPnt2d(13, 1));
    EXPECT_EQ(p.GetPoint(2), RuVaPnt2d(13, 11));

    // An arc keeps passing through its (unmoved) middle.
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 10.0, 0.0, 180.0);
    FeaturePtr movedArc(FeatureStretching::StretchFeature(&arc, fence, base, destination));
    ASSERT_TRUE(movedArc);
    const auto& a = static_cast<Arc2dFeature&>(*movedArc);
    EXPECT_NEAR(a.GetStartPoint().Distance(RuVaPnt2d(13, 1)), 0.0, 1e-9);
    EXPECT_NEAR(a.GetEndPoint().Distance(RuVaPnt2d(-10, 0)), 0.0, 1e-9);

    // A hatch's boundary follows its corners; the islands too.
    std::unique_ptr<Hatch2dFeature> hatch(FeatureCreator::CreateHatchFeature(
        KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10), RuVaPnt2d(0, 10)}, nullptr, nullptr, 0,
        nullptr));
    ASSERT_TRUE(hatch);
    FeaturePtr movedHatch(FeatureStretching::StretchFeature(hatch.get(), fence, base, destination));
    ASSERT_TRUE(movedHatch);
    EXPECT_NEAR(movedHatch->GetBndBox().XMax(), 13.0, 1e-12);
    EXPECT_TRUE(static_cast<Hatch2dFeature&>(*movedHatch).IsValidRegion());

    // Shapes of other kinds are not stretched.
    const Circle2dFeature circle(RuVaPnt2d(8, 0), 1.0);
    EXPECT_FALSE(FeatureStretching::StretchFeature(&circle, fence, base, destination));
    // A line squeezed to a point is refused.
    const Line2dFeature shortLine(RuVaPnt2d(4, 0), RuVaPnt2d(7, 0));
    EXPECT_FALSE(FeatureStretching::StretchFeature(&shortLine, fence, RuVaPnt2d(7, 0), RuVaPnt2d(4, 0)));
}

TEST(FeatureOffsetting, AdjustingEndsToBoundariesPointsAndLengths)
{
    const Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    const Line2dFeature wall(RuVaPnt2d(15, -5), RuVaPnt2d(15, 5));
    FeaturePtr extended(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(9, 0), &wall, RuVaPnt2d(15, 1)));
    ASSERT_TRUE(extended);
    EXPECT_NEAR(static_cast<Line2dFeature&>(*extended).GetEndPoint().X(), 15.0, 1e-9);
    EXPECT_EQ(static_cast<Line2dFeature&>(*extended).GetStartPoint(), RuVaPnt2d(0, 0));
    const Line2dFeature cut(RuVaPnt2d(4, -5), RuVaPnt2d(4, 5));
    FeaturePtr trimmed(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(1, 0), &cut, RuVaPnt2d(4, 0)));
    ASSERT_TRUE(trimmed);
    EXPECT_NEAR(static_cast<Line2dFeature&>(*trimmed).GetStartPoint().X(), 4.0, 1e-9);
    const Line2dFeature parallel(RuVaPnt2d(0, 3), RuVaPnt2d(10, 3));
    EXPECT_FALSE(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(9, 0), &parallel, RuVaPnt2d()));

    FeaturePtr toPoint(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(9, 0), RuVaPnt2d(12, 7)));
    ASSERT_TRUE(toPoint);
    EXPECT_EQ(static_cast<Line2dFeature&>(*toPoint).GetEndPoint(), RuVaPnt2d(12, 0));
    FeaturePtr longer(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(9, 0), 2.5, 1));
    EXPECT_EQ(static_cast<Line2dFeature&>(*longer).GetEndPoint(), RuVaPnt2d(12.5, 0));
    FeaturePtr total(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(1, 0), 4.0, 0));
    EXPECT_EQ(static_cast<Line2dFeature&>(*total).GetStartPoint(), RuVaPnt2d(6, 0));
    EXPECT_FALSE(FeatureAdjustment::AdjustFeature(&line, RuVaPnt2d(1, 0), -10.0, 1));  // nothing left

    // Arcs along their circle, polylines along their end segment.
    const Arc2dFeature arc(RuVaPnt2d(0, 0), 2.0, 0.0, 90.0);
    FeaturePtr arcLonger(FeatureAdjustment::AdjustFeature(&arc, RuVaPnt2d(0, 2), 2.0 * RuVa::Pi / 2, 1));
    ASSERT_TRUE(arcLonger);
    EXPECT_NEAR(static_cast<Arc2dFeature&>(*arcLonger).GetEndAngle(), 180.0, 1e-9);
    const Line2dFeature chord(RuVaPnt2d(-5, -1), RuVaPnt2d(5, -1));
    FeaturePtr arcToLine(FeatureAdjustment::AdjustFeature(&arc, RuVaPnt2d(2, 0), &chord, RuVaPnt2d(2, -1)));
    ASSERT_TRUE(arcToLine);
    EXPECT_NEAR(static_cast<Arc2dFeature&>(*arcToLine).GetStartAngle(), 330.0, 1e-9);

    const Polyline2dFeature poly(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(10, 10)});
    FeaturePtr polyLonger(FeatureAdjustment::AdjustFeature(&poly, RuVaPnt2d(10, 9), 5.0, 1));
    ASSERT_TRUE(polyLonger);
    EXPECT_EQ(static_cast<Polyline2dFeature&>(*polyLonger).GetPoint(2), RuVaPnt2d(10, 15));
    EXPECT_FALSE(FeatureAdjustment::AdjustFeature(&poly, RuVaPnt2d(10, 9), -12.0, 1));  // past its corner

    const EllipseArc2dFeature earc(RuVaPnt2d(0, 0), 4.0, 2.0, 0.0, 0.0, 90.0, 0);
    const double length = MeasureTool::GetFeatureLength(&earc);
    FeaturePtr earcLonger(FeatureAdjustment::AdjustFeature(&earc, RuVaPnt2d(0, 2), length * 2.0, 0));
    ASSERT_TRUE(earcLonger);
    EXPECT_NEAR(MeasureTool::GetFeatureLength(earcLonger.get()), length * 2.0, 1e-6);
    EXPECT_NEAR(static_cast<EllipseArc2dFeature&>(*earcLonger).GetEndAngle(), 180.0, 1e-6);

    const Circle2dFeature circle(RuVaPnt2d(0, 0), 1.0);
    EXPECT_FALSE(FeatureAdjustment::AdjustFeature(&circle, RuVaPnt2d(), 1.0, 1));
}

TEST(FeatureOffsetting, FilletsRoundTheCornerOfThePicks)
{
    const Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), b(RuVaPnt2d(0, 0), RuVaPnt2d(0, 10));
    FeatureFilletting engine;
    ASSERT_TRUE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), 2.0, FeatureFilletting::TrimBoth));
    const Arc2dFeature* arc = engine.GetFilletFeature();
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->GetCenterPoint().Distance(RuVaPnt2d(2, 2)), 0.0, 1e-12);
    EXPECT_NEAR(arc->GetSweepAngle(), 90.0, 1e-9);
    ASSERT_TRUE(engine.GetTrimmedFeature1());
    const auto* t1 = static_cast<const Line2dFeature*>(engine.GetTrimmedFeature1());
    const auto* t2 = static_cast<const Line2dFeature*>(engine.GetTrimmedFeature2());
    EXPECT_NEAR(t1->GetStartPoint().Distance(RuVaPnt2d(2, 0)), 0.0, 1e-12);
    EXPECT_EQ(t1->GetEndPoint(), RuVaPnt2d(10, 0));
    EXPECT_NEAR(t2->GetStartPoint().Distance(RuVaPnt2d(0, 2)), 0.0, 1e-12);
    EXPECT_FALSE(engine.m_bRemoveFeature1);

    // Lines that stop short are carried on to the fillet; without trimming only the arc is made.
    const Line2dFeature c(RuVaPnt2d(12, 5), RuVaPnt2d(12, 10));
    ASSERT_TRUE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &c, RuVaPnt2d(12, 8), 2.0, FeatureFilletting::TrimBoth));
    EXPECT_NEAR(static_cast<const Line2dFeature*>(engine.GetTrimmedFeature2())->GetStartPoint().Distance(RuVaPnt2d(12, 2)),
                0.0, 1e-12);
    ASSERT_TRUE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &c, RuVaPnt2d(12, 8), 2.0, FeatureFilletting::TrimNone));
    EXPECT_TRUE(engine.GetFilletFeature());
    EXPECT_FALSE(engine.GetTrimmedFeature1());

    // A circle and a line: the arc touches both; the circle stays whole.
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    const Line2dFeature floor(RuVaPnt2d(-10, -7), RuVaPnt2d(10, -7));
    ASSERT_TRUE(engine.FilletFeature(&circle, RuVaPnt2d(3, -4), &floor, RuVaPnt2d(4, -7), 1.0, FeatureFilletting::TrimBoth));
    arc = engine.GetFilletFeature();
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->GetCenterPoint().Distance(RuVaPnt2d(0, 0)), 6.0, 1e-9);
    EXPECT_NEAR(arc->GetCenterPoint().Y(), -6.0, 1e-9);
    EXPECT_FALSE(engine.GetTrimmedFeature1());
    EXPECT_TRUE(engine.GetTrimmedFeature2());

    // A radius of 0 meets the lines at their crossing; parallel lines have no fillet.
    ASSERT_TRUE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &c, RuVaPnt2d(12, 8), 0.0, FeatureFilletting::TrimBoth));
    EXPECT_FALSE(engine.GetFilletFeature());
    EXPECT_NEAR(static_cast<const Line2dFeature*>(engine.GetTrimmedFeature1())->GetEndPoint().X(), 12.0, 1e-12);
    const Line2dFeature parallel(RuVaPnt2d(0, 3), RuVaPnt2d(10, 3));
    EXPECT_FALSE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &parallel, RuVaPnt2d(5, 3), 1.0, 0));
    EXPECT_FALSE(engine.GetFilletFeature());
    EXPECT_FALSE(engine.FilletFeature(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), -1.0, 0));
}

TEST(FeatureOffsetting, ChamfersCutTheCornerOfThePicks)
{
    const Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)), b(RuVaPnt2d(0, 0), RuVaPnt2d(0, 10));
    FeatureChamfering engine;
    ASSERT_TRUE(engine.ChamferFeatureBy2Edge(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), 2.0, 3.0,
                                             FeatureChamfering::TrimBoth));
    ASSERT_TRUE(engine.GetChamferFeature());
    EXPECT_NEAR(engine.GetChamferFeature()->GetStartPoint().Distance(RuVaPnt2d(2, 0)), 0.0, 1e-12);
    EXPECT_NEAR(engine.GetChamferFeature()->GetEndPoint().Distance(RuVaPnt2d(0, 3)), 0.0, 1e-12);
    EXPECT_NEAR(static_cast<const Line2dFeature*>(engine.GetTrimmedFeature1())->GetStartPoint().X(), 2.0, 1e-12);
    EXPECT_NEAR(static_cast<const Line2dFeature*>(engine.GetTrimmedFeature2())->GetStartPoint().Y(), 3.0, 1e-12);

    ASSERT_TRUE(engine.ChamferFeatureByFace(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), std::sqrt(2.0),
                                            FeatureChamfering::TrimNone));
    EXPECT_NEAR(engine.GetChamferFeature()->GetLength(), std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(engine.GetChamferFeature()->GetStartPoint().X(), 1.0, 1e-12);
    EXPECT_FALSE(engine.GetTrimmedFeature1());

    // Picks on the far sides of the crossing choose that corner.
    const Line2dFeature cross1(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0)), cross2(RuVaPnt2d(0, -10), RuVaPnt2d(0, 10));
    ASSERT_TRUE(engine.ChamferFeatureBy2Edge(&cross1, RuVaPnt2d(-5, 0), &cross2, RuVaPnt2d(0, -5), 1.0, 1.0,
                                             FeatureChamfering::TrimBoth));
    EXPECT_NEAR(engine.GetChamferFeature()->GetStartPoint().X(), -1.0, 1e-12);
    EXPECT_NEAR(static_cast<const Line2dFeature*>(engine.GetTrimmedFeature1())->GetEndPoint().X(), -1.0, 1e-12);

    const Line2dFeature parallel(RuVaPnt2d(0, 3), RuVaPnt2d(10, 3));
    EXPECT_FALSE(engine.ChamferFeatureBy2Edge(&a, RuVaPnt2d(5, 0), &parallel, RuVaPnt2d(5, 3), 1.0, 1.0, 0));
    EXPECT_FALSE(engine.GetChamferFeature());
    EXPECT_FALSE(engine.ChamferFeatureByFace(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), 0.0, 0));
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 1.0);
    EXPECT_FALSE(engine.ChamferFeatureBy2Edge(&a, RuVaPnt2d(5, 0), &circle, RuVaPnt2d(0, 1), 1.0, 1.0, 0));
    // A bevel longer than a line removes it.
    ASSERT_TRUE(engine.ChamferFeatureBy2Edge(&a, RuVaPnt2d(5, 0), &b, RuVaPnt2d(0, 5), 12.0, 1.0, 0));
    EXPECT_TRUE(engine.m_bRemoveFeature1);
    EXPECT_FALSE(engine.GetTrimmedFeature1());
}
