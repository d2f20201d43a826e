// Creators of point markers, texts and tolerance frames, which take their look from a style.

#include <gtest/gtest.h>

#include <cmath>

#include "FeatureTestSupport.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/ParallelDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/Tolerance2dFeature.h"

using namespace feature_test;

TEST(FeatureCreatorStyles, PointMarkersTakeTemplateAndStyle)
{
    PointMarkerSetting style;
    style.SetType(5);
    style.SetSize(4.0);
    style.SetColorNo(12);
    std::unique_ptr<PointMarker2dFeature> marker(
        FeatureCreator::CreatePointMarkerFeature(nullptr, RuVaPnt2d(3, 4), &style));
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->GetPoint(), RuVaPnt2d(3, 4));
    EXPECT_EQ(marker->GetMarkerType(), 5);
    EXPECT_EQ(marker->GetMarkerSize(), 4.0);
    EXPECT_EQ(marker->GetColorNo(), 12);

    marker->SetLayerID(8);
    std::unique_ptr<PointMarker2dFeature> copy(
        FeatureCreator::CreatePointMarkerFeature(marker.get(), RuVaPnt2d(-1, -1), nullptr));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetLayerID(), 8);
    EXPECT_EQ(copy->GetMarkerType(), 5);
    EXPECT_EQ(copy->GetPoint(), RuVaPnt2d(-1, -1));
    EXPECT_FALSE(FeatureCreator::CreatePointMarkerFeature(nullptr, RuVaPnt2d(std::nan(""), 0), nullptr));

    std::unique_ptr<PointMarker2dFeature> polar(FeatureCreator::CreateRelativePointMarkerFeature(RuVaPnt2d(0, 0), 10.0, 90.0));
    ASSERT_TRUE(polar);
    EXPECT_NEAR(polar->GetPoint().X(), 0.0, 1e-12);
    EXPECT_NEAR(polar->GetPoint().Y(), 10.0, 1e-12);
    std::unique_ptr<PointMarker2dFeature> toward(
        FeatureCreator::CreateRelativePointMarkerFeature(RuVaPnt2d(1, 1), 5.0, RuVaPnt2d(4, 5)));
    ASSERT_TRUE(toward);
    EXPECT_NEAR(toward->GetPoint().X(), 4.0, 1e-12);
    EXPECT_NEAR(toward->GetPoint().Y(), 5.0, 1e-12);
    EXPECT_FALSE(FeatureCreator::CreateRelativePointMarkerFeature(RuVaPnt2d(1, 1), 5.0, RuVaPnt2d(1, 1)));
}

TEST(FeatureCreatorStyles, DivisionMarkersByPartsAndByPitch)
{
    struct Case {
        int mode;
        double value;
        BOOL made;
        int count;
        double first;
    } cases[] = {
        {0, 4.0, TRUE, 3, 2.5},    // four parts of a length of 10
        {0, 1.0, FALSE, 0, 0},     // one part has no inner point
        {0, 20000.0, FALSE, 0, 0}, // too many
        {1, 3.0, TRUE, 3, 3.0},    // 3, 6, 9
        {1, 2.5, TRUE, 3, 2.5},    // 2.5, 5, 7.5; none on the end point
        {1, 10.0, FALSE, 0, 0},    // the pitch reaches the end
        {1, 1e-9, FALSE, 0, 0},
        {1, -2.0, FALSE, 0, 0},
        {2, 3.0, FALSE, 0, 0},     // no such mode
    };
    for (const auto& c : cases) {
        Feature2dList list;
        const BOOL made = FeatureCreator::CreateDivisionPointMarkerFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), c.mode,
                                                                           c.value, list);
        EXPECT_EQ(made, c.made) << c.mode << " " << c.value;
        EXPECT_EQ(list.GetFeatureSize(), c.count) << c.mode << " " << c.value;
        if (c.count > 0) {
            EXPECT_NEAR(static_cast<PointMarker2dFeature*>(list.GetFeature(0))->GetPoint().X(), c.first, 1e-12);
        }
    }
}

TEST(FeatureCreatorStyles, TextsAndFramesTakeTheirStyle)
{
    TextSetting style;
    style.SetHeight(5.0);
    style.SetColorNo(3);
    style.SetFontName(CString(u"Serif"));
    std::unique_ptr<Text2dFeature> text(FeatureCreator::CreateTextFeature(CString(u"Hello"), RuVaPnt2d(1, 2), 450.0, style));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetHeight(), 5.0);
    EXPECT_EQ(text->GetColorNo(), 3);
    EXPECT_EQ(text->GetFontName(), CString(u"Serif"));
    EXPECT_NEAR(text->GetAngle(), 90.0, 1e-12);
    EXPECT_NEAR(text->GetLayoutWidth(), 25.0, 1e-12);  // five cells of the height
    EXPECT_FALSE(FeatureCreator::CreateTextFeature(CString(), RuVaPnt2d(0, 0), 0.0, nullptr));

    DimensionSetting dim;
    TextSetting font(dim.GetDimTextFont());
    font.SetHeight(2.0);
    dim.SetDimTextFont(font);
    std::unique_ptr<Tolerance2dFeature> frame(
        FeatureCreator::CreateToleranceFeature(nullptr, CString(u"A\\|0.1"), RuVaPnt2d(0, 0), &dim));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetTextHeight(), 2.0);
    EXPECT_EQ(frame->GetToleranceCellSize(0), 2);
    EXPECT_FALSE(FeatureCreator::CreateToleranceFeature(frame.get(), CString(), RuVaPnt2d(0, 0), nullptr));
}

TEST(FeatureCreatorStyles, EllipsesAndEllipticArcsFromTaggedValues)
{
    const RuVaPnt2d centre(1, 1);
    const RuVaPnt2d onFirst(5, 1);       // first radius 4 along the axis
    const RuVaPnt2d offAxis(3, 3);       // 2 away from the first axis
    const double angle = 0.0;
    std::unique_ptr<Ellipse2dFeature> ellipse(FeatureCreator::CreateEllipseFeature(
        centre, FeatureCreator::TaggedPoint, &onFirst, FeatureCreator::TaggedPoint, &offAxis,
        FeatureCreator::TaggedNumber, &angle));
    ASSERT_TRUE(ellipse);
    EXPECT_NEAR(ellipse->GetMajorRadius(), 4.0, 1e-12);
    EXPECT_NEAR(ellipse->GetMinorRadius(), 2.0, 1e-12);
    EXPECT_NEAR(ellipse->GetAngle(), 0.0, 1e-12);

    // A larger second radius becomes the major one, its axis a quarter turn on.
    const double r1 = 1.0, r2 = 3.0;
    const RuVaPnt2d axisPoint(1, 5);
    std::unique_ptr<Ellipse2dFeature> turned(FeatureCreator::CreateEllipseFeature(
        centre, FeatureCreator::TaggedNumber, &r1, FeatureCreator::TaggedNumber, &r2, FeatureCreator::TaggedPoint,
        &axisPoint));
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->GetMajorRadius(), 3.0);
    EXPECT_NEAR(turned->GetAngle(), 180.0, 1e-9);
    const double zero = 0.0;
    EXPECT_FALSE(FeatureCreator::CreateEllipseFeature(centre, FeatureCreator::TaggedNumber, &zero,
                                                      FeatureCreator::TaggedNumber, &r2, FeatureCreator::TaggedNumber,
                                                      &angle));
    EXPECT_FALSE(FeatureCreator::CreateEllipseFeature(centre, 5, &r1, FeatureCreator::TaggedNumber, &r2,
                                                      FeatureCreator::TaggedNumber, &angle));

    // Ends by direction, by point and by a crossing line; the arc's ends lie in those directions.
    const double startDirection = 45.0;
    const RuVaPnt2d endPoint(1, -10);
    std::unique_ptr<EllipseArc2dFeature> arc(FeatureCreator::CreateEllipseArcFeature(
        ellipse.get(), FeatureCreator::TaggedNumber, &startDirection, RuVaPnt2d(), FeatureCreator::TaggedPoint,
        &endPoint, RuVaPnt2d(), 0));
    ASSERT_TRUE(arc);
    const RuVaPnt2d s = arc->GetStartPoint(), e = arc->GetEndPoint();
    EXPECT_NEAR(s.Y() - 1, s.X() - 1, 1e-9);  // on the 45-degree ray
    EXPECT_GT(s.X(), 1.0);
    EXPECT_NEAR(e.X(), 1.0, 1e-9);
    EXPECT_NEAR(e.Y(), -1.0, 1e-9);          // the minor vertex below the centre
    const Line2dFeature cutter(RuVaPnt2d(4, -5), RuVaPnt2d(4, 5));
    std::unique_ptr<EllipseArc2dFeature> cut(FeatureCreator::CreateEllipseArcFeature(
        ellipse.get(), FeatureCreator::TaggedFeature, &cutter, RuVaPnt2d(4, 2), FeatureCreator::TaggedNumber,
        &startDirection, RuVaPnt2d(), 1));
    ASSERT_TRUE(cut);
    EXPECT_NEAR(cut->GetStartPoint().X(), 4.0, 1e-7);
    EXPECT_GT(cut->GetStartPoint().Y(), 1.0);
    EXPECT_EQ(cut->GetDirection(), 1);
    EXPECT_FALSE(FeatureCreator::CreateEllipseArcFeature(ellipse.get(), FeatureCreator::TaggedNumber, &startDirection,
                                                         RuVaPnt2d(), FeatureCreator::TaggedNumber, &startDirection,
                                                         RuVaPnt2d(), 0));
}

TEST(FeatureCreatorStyles, IntersectionMarkers)
{
    const Line2dFeature line(RuVaPnt2d(-10, 0), RuVaPnt2d(10, 0));
    const Circle2dFeature circle(RuVaPnt2d(0, 0), 5.0);
    Feature2dList list;
    ASSERT_TRUE(FeatureCreator::CreateIntersectionPointMarkerFeature(&line, &circle, list));
    ASSERT_EQ(list.GetFeatureSize(), 2);
    double xs[2];
    for (int i = 0; i < 2; ++i)
        xs[i] = static_cast<PointMarker2dFeature*>(list.GetFeature(i))->GetPoint().X();
    EXPECT_NEAR(std::min(xs[0], xs[1]), -5.0, 1e-9);
    EXPECT_NEAR(std::max(xs[0], xs[1]), 5.0, 1e-9);
    const Line2dFeature away(RuVaPnt2d(-10, 9), RuVaPnt2d(10, 9));
    EXPECT_FALSE(FeatureCreator::CreateIntersectionPointMarkerFeature(&away, &circle, list));
    EXPECT_EQ(list.GetFeatureSize(), 2);

    // A bow-tie crosses itself once; a closed square's closing corner is no crossing.
    const Polyline2dFeature bowTie(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(4, 4), RuVaPnt2d(4, 0), RuVaPnt2d(0, 4)});
    Feature2dList self;
    ASSERT_TRUE(FeatureCreator::CreateIntersectionPointMarkerFeature(&bowTie, self));
    ASSERT_EQ(self.GetFeatureSize(), 1);
    EXPECT_NEAR(static_cast<PointMarker2dFeature*>(self.GetFeature(0))->GetPoint().Distance(RuVaPnt2d(2, 2)), 0.0, 1e-12);
    const Polyline2dFeature square(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(4, 0), RuVaPnt2d(4, 4), RuVaPnt2d(0, 4)},
                                   TRUE);
    EXPECT_FALSE(FeatureCreator::CreateIntersectionPointMarkerFeature(&square, self));
    EXPECT_FALSE(FeatureCreator::CreateIntersectionPointMarkerFeature(&circle, self));
}

TEST(FeatureCreatorStyles, LinesToAShape)
{
    const Circle2dFeature circle(RuVaPnt2d(10, 0), 2.0);
    std::unique_ptr<Line2dFeature> toNear(
        FeatureCreator::CreateHorizontalLineFeature(RuVaPnt2d(0, 0), &circle, RuVaPnt2d(8, 0)));
    ASSERT_TRUE(toNear);
    EXPECT_NEAR(toNear->GetEndPoint().X(), 8.0, 1e-9);
    std::unique_ptr<Line2dFeature> toFar(
        FeatureCreator::CreateAngledLineFeature(0.0, RuVaPnt2d(0, 0), &circle, RuVaPnt2d(12, 0)));
    ASSERT_TRUE(toFar);
    EXPECT_NEAR(toFar->GetEndPoint().X(), 12.0, 1e-9);
    EXPECT_FALSE(FeatureCreator::CreateVerticalLineFeature(RuVaPnt2d(0, 0), &circle, RuVaPnt2d(10, 2)));  // misses
    std::unique_ptr<Line2dFeature> either(
        FeatureCreator::CreateHorizontalVerticalLineFeature(RuVaPnt2d(10, -9), &circle, RuVaPnt2d(10.5, -2)));
    ASSERT_TRUE(either);
    EXPECT_NEAR(either->GetEndPoint().Y(), -2.0, 1e-9);
}

TEST(FeatureCreatorStyles, DimensionsLeadsAndBalloons)
{
    DimensionSetting style;
    style.SetArrowType1(6);
    std::unique_ptr<Dimension2dFeatureBase> linear(FeatureCreator::CreateLinearDimensionFeature(
        RuVaPnt2d(0, 0), RuVaPnt2d(30, 10), 5.0, 90.0, 0.0, 0, CString(), 0, RuVaPnt2d(), 0, &style, 0, 0));
    ASSERT_TRUE(linear);
    EXPECT_EQ(linear->GetFeatureType(), FeatureTypeLinearDimension);
    EXPECT_EQ(linear->GetValueText(), CString(u"30"));  // trailing zeros are dropped unless the style shows them
    EXPECT_EQ(linear->GetArrowType(), 6);
    std::unique_ptr<Dimension2dFeatureBase> parallel(FeatureCreator::CreateLinearDimensionFeature(
        RuVaPnt2d(0, 0), RuVaPnt2d(3, 4), 2.0, 0.0, 0.0, 1, CString(u"typed"), 1, RuVaPnt2d(9, 9), 1, nullptr, 0, 0));
    ASSERT_TRUE(parallel);
    EXPECT_EQ(parallel->GetFeatureType(), FeatureTypeParallelDimension);
    EXPECT_EQ(parallel->GetValueText(), CString(u"typed"));
    EXPECT_TRUE(parallel->GetValueTextPosFreeMode());
    EXPECT_EQ(parallel->GetValueTextPoint(), RuVaPnt2d(9, 9));
    EXPECT_NEAR(parallel->GetMeasuredValue(), 5.0, 1e-12);

    std::unique_ptr<AngularDimension2dFeature> angular(FeatureCreator::CreateAngularDimensionFeature(
        RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(0, 1), 4.0, 0, CString(), 0, RuVaPnt2d(), nullptr, 0));
    ASSERT_TRUE(angular);
    EXPECT_NEAR(angular->GetMeasuredValue(), 90.0, 1e-12);
    std::unique_ptr<ArcDimension2dFeature> arcDim(FeatureCreator::CreateArcDimensionFeature(
        RuVaPnt2d(0, -3), 12.0, 40.0, 140.0, 5.0, 0, CString(), 0, RuVaPnt2d(), nullptr, 0));
    ASSERT_TRUE(arcDim);
    EXPECT_NEAR(arcDim->GetMeasuredValue(), 12.0 * 100.0 * RuVa::DegToRad, 1e-9);
    std::unique_ptr<DiameterDimension2dFeature> diameter(FeatureCreator::CreateDiameterDimensionFeature(
        RuVaPnt2d(-2, 0), RuVaPnt2d(2, 0), 0, CString(), 0, RuVaPnt2d(), nullptr, 0));
    ASSERT_TRUE(diameter);
    EXPECT_NEAR(diameter->GetMeasuredValue(), 4.0, 1e-12);
    std::unique_ptr<RadiusDimension2dFeature> radius(FeatureCreator::CreateRadiusDimensionFeature(
        RuVaPnt2d(3, 4), RuVaPnt2d(0, 0), 0, CString(), 1, RuVaPnt2d(6, 8), nullptr, 0));
    ASSERT_TRUE(radius);
    EXPECT_NEAR(radius->GetMeasuredValue(), 5.0, 1e-12);
    EXPECT_EQ(radius->GetSecondPoint(), RuVaPnt2d(6, 8));
    EXPECT_FALSE(FeatureCreator::CreateDiameterDimensionFeature(RuVaPnt2d(1, 1), RuVaPnt2d(1, 1), 0, CString(), 0,
                                                                RuVaPnt2d(), nullptr, 0));

    LeadSetting leadStyle;
    leadStyle.SetType(2);
    const KcArrayOfGePnt2d leadPoints{RuVaPnt2d(0, 0), RuVaPnt2d(5, 5), RuVaPnt2d(9, 5)};
    std::unique_ptr<Lead2dFeature> lead(
        FeatureCreator::CreateLeadFeature(nullptr, CString(u"note"), leadPoints, 0, RuVaPnt2d(), &leadStyle));
    ASSERT_TRUE(lead);
    EXPECT_EQ(lead->GetTextPoint(), RuVaPnt2d(9, 5));
    EXPECT_EQ(lead->GetArrowType(), 2);
    EXPECT_FALSE(FeatureCreator::CreateLeadFeature(nullptr, CString(u"x"), KcArrayOfGePnt2d{RuVaPnt2d(0, 0)}, 0,
                                                   RuVaPnt2d(), nullptr));

    std::unique_ptr<Balloon2dFeature> balloon(
        FeatureCreator::CreateBalloonFeature(nullptr, CString(u"7"), leadPoints, nullptr));
    ASSERT_TRUE(balloon);
    EXPECT_EQ(balloon->GetCenterPoint(), RuVaPnt2d(9, 5));
    EXPECT_EQ(balloon->GetLeadPointSize(), 2);
    std::unique_ptr<Balloon2dFeature> copy(
        FeatureCreator::CreateBalloonFeature(balloon.get(), CString(u"8"), KcArrayOfGePnt2d{RuVaPnt2d(1, 1)}, nullptr));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetText(), CString(u"8"));
}

TEST(FeatureCreatorStyles, DimensionsAndLeadersLaidOutAgain)
{
    std::unique_ptr<Dimension2dFeatureBase> made(FeatureCreator::CreateLinearDimensionFeature(
        RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 3.0, 90.0, 0.0, 0, CString(), 0, RuVaPnt2d(), 0, nullptr, 0, 0));
    auto* linear = static_cast<LinearDimension2dFeature*>(made.get());
    const double height = linear->GetTextHeight();
    EXPECT_EQ(FeatureCreator::UpdateDimensionFeature(linear, nullptr, 0, 2.0, 2.0), 1);
    EXPECT_EQ(linear->GetTextHeight(), 2.0 * height);
    EXPECT_TRUE(FeatureCreator::UpdateLinearDimensionFeatureByStartPoint(linear, RuVaPnt2d(2, 0)));
    EXPECT_FALSE(FeatureCreator::UpdateLinearDimensionFeatureByStartPoint(linear, RuVaPnt2d(10, 0)));
    EXPECT_TRUE(FeatureCreator::UpdateLinearDimensionFeature(linear, RuVaPnt2d(12, 4), 80.0));
    EXPECT_EQ(linear->GetPoint(1), RuVaPnt2d(12, 4));
    EXPECT_EQ(linear->GetProjectionAngle(), 80.0);
    EXPECT_NEAR(linear->GetMeasuredValue(), 10.0, 1e-12);  // still along the dimension angle 0

    ParallelDimension2dFeature parallel(RuVaPnt2d(0, 0), RuVaPnt2d(3, 4), 1.0);
    EXPECT_NEAR(parallel.GetDimensionAngle(), std::atan2(4.0, 3.0) * RuVa::RadToDeg, 1e-12);
    EXPECT_TRUE(FeatureCreator::UpdateParallelDimensionFeatureByStartOrEndPoint(&parallel, RuVaPnt2d(0, 10), 0));
    EXPECT_NEAR(parallel.GetDimensionAngle(), 90.0, 1e-12);
    EXPECT_NEAR(parallel.GetMeasuredValue(), 10.0, 1e-12);
    EXPECT_TRUE(FeatureCreator::UpdateParallelDimensionFeatureByDimensionAngle(&parallel, 0.0));
    EXPECT_NEAR(parallel.GetPoint(1).X(), 10.0, 1e-12);
    EXPECT_NEAR(parallel.GetPoint(1).Y(), 0.0, 1e-12);

    Lead2dFeature lead;
    lead.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(4, 4)});
    LeadSetting style;
    style.SetSize(1.25);
    EXPECT_TRUE(FeatureCreator::UpdateLeadFeature(&lead, &style));
    EXPECT_EQ(lead.GetArrowSize(), 1.25);
    EXPECT_EQ(lead.GetTextPoint(), RuVaPnt2d(4, 4));
    EXPECT_FALSE(FeatureCreator::UpdateLeadFeature(nullptr));
}
