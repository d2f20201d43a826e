// Fillets of ellipses, elliptic arcs and B-splines with lines: the arc has the radius, touches both curves
// at its ends (its centre lies at the radius from each), and the trimmed curve ends where the arc begins.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaCurveEnt2d.h"
#include "libs/ruva/RuVaEntity2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/ConvertFeatureToGeom2d.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureFilletting.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/zuruda/KcFilletTool.h"

namespace {

double DistanceToCurve(const Feature2dBase* f, const RuVaPnt2d& p)
{
    std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(f));
    RuVaPnt2d foot;
    return entity && KcFilletTool::GetFoot(entity.get(), p, foot) ? foot.Distance(p) : 1e9;
}

struct CurveCase {
    const char* what;
    std::shared_ptr<Feature2dBase> curve;
    RuVaPnt2d pick;
    double radius;
    bool trimmed;  // the curve has ends to cut back
};

class FeatureFillettingCurvesTest : public ::testing::TestWithParam<CurveCase>
{
};

TEST_P(FeatureFillettingCurvesTest, ArcTouchesTheCurveAndTheLine)
{
    const CurveCase& c = GetParam();
    const Line2dFeature line(RuVaPnt2d(-6, -3), RuVaPnt2d(6, -3));
    FeatureFilletting filletting;
    ASSERT_TRUE(filletting.FilletFeature(c.curve.get(), c.pick, &line, RuVaPnt2d(5, -3), c.radius,
                                         FeatureFilletting::TrimBoth));
    const Arc2dFeature* pArc = filletting.GetFilletFeature();
    ASSERT_NE(pArc, nullptr);
    EXPECT_NEAR(pArc->GetRadius(), c.radius, 1e-9);
    EXPECT_NEAR(DistanceToCurve(c.curve.get(), pArc->GetCenterPoint()), c.radius, 1e-6);
    EXPECT_NEAR(pArc->GetCenterPoint().Y(), -3 + c.radius, 1e-6) << "above the line, on the curve's side";
    // The corner the picks name: on the right, between the curve and the line.
    EXPECT_GT(pArc->GetCenterPoint().X(), 0.0);
    const RuVaPnt2d ends[2] = {pArc->GetStartPoint(), pArc->GetEndPoint()};
    const double onCurve = std::min(DistanceToCurve(c.curve.get(), ends[0]), DistanceToCurve(c.curve.get(), ends[1]));
    EXPECT_LT(onCurve, 1e-6);
    // The line is cut back to the arc, keeping its right end.
    const auto* pLine = dynamic_cast<const Line2dFeature*>(filletting.GetTrimmedFeature2());
    ASSERT_NE(pLine, nullptr);
    EXPECT_NEAR(pLine->GetEndPoint().X(), 6.0, 1e-9);
    EXPECT_NEAR(pLine->GetStartPoint().X(), pArc->GetCenterPoint().X(), 1e-6);
    const Feature2dBase* pCurve = filletting.GetTrimmedFeature1();
    if (!c.trimmed) {
        EXPECT_EQ(pCurve, nullptr) << "a closed curve stays whole";
        return;
    }
    ASSERT_NE(pCurve, nullptr);
    EXPECT_EQ(pCurve->GetFeatureType(), c.curve->GetFeatureType());
    // One end of the trimmed curve is an end of the arc.
    RuVaPnt2d first, last;
    if (const auto* e = dynamic_cast<const EllipseArc2dFeature*>(pCurve)) {
        first = e->GetStartPoint();
        last = e->GetEndPoint();
    } else {
        const auto* s = dynamic_cast<const BSplineCurve2dFeature*>(pCurve);
        ASSERT_NE(s, nullptr);
        std::unique_ptr<RuVaEntity2d> entity(ConvertFeatureToGeom2d::Convert(s));
        ASSERT_TRUE(entity);
        const auto* curve = dynamic_cast<const RuVaCurveEnt2d*>(entity.get());
        ASSERT_NE(curve, nullptr);
        curve->D0(curve->FirstParameter(), first);
        curve->D0(curve->LastParameter(), last);
    }
    double nearest = 1e9;
    for (const RuVaPnt2d& end : ends)
        nearest = std::min({nearest, end.Distance(first), end.Distance(last)});
    EXPECT_LT(nearest, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, FeatureFillettingCurvesTest,
    ::testing::Values(
        CurveCase{"ellipse", std::make_shared<Ellipse2dFeature>(RuVaPnt2d(0, 0), 4.0, 2.0, 0.0), RuVaPnt2d(3, -1.3),
                  1.0, false},
        CurveCase{"turned ellipse", std::make_shared<Ellipse2dFeature>(RuVaPnt2d(0, 0), 4.0, 2.0, 90.0),
                  RuVaPnt2d(1.5, -2.5), 0.5, false},
        CurveCase{"elliptic arc, lower half",
                  std::make_shared<EllipseArc2dFeature>(RuVaPnt2d(0, 0), 4.0, 2.0, 0.0, 180.0, 360.0, 0),
                  RuVaPnt2d(3, -1.3), 1.0, true},
        CurveCase{"B-spline", std::make_shared<BSplineCurve2dFeature>(
                                  KcArrayOfGePnt2d{RuVaPnt2d(-4, 0), RuVaPnt2d(-2, -2), RuVaPnt2d(2, -2),
                                                   RuVaPnt2d(4, 0)},
                                  0, 3, FALSE),
                  RuVaPnt2d(3, -0.8), 1.0, true}),
    [](const ::testing::TestParamInfo<CurveCase>& info) { return std::to_string(info.index); });

TEST(FeatureFillettingCurves, NoCornerIsRefused)
{
    FeatureFilletting filletting;
    const Ellipse2dFeature ellipse(RuVaPnt2d(0, 0), 4.0, 2.0, 0.0);
    const Line2dFeature far(RuVaPnt2d(-6, -30), RuVaPnt2d(6, -30));
    // A circle of radius 1 cannot touch both an ellipse and a line 28 away.
    EXPECT_FALSE(filletting.FilletFeature(&ellipse, RuVaPnt2d(3, -1.3), &far, RuVaPnt2d(5, -30), 1.0,
                                          FeatureFilletting::TrimBoth));
    // Nor is there a plain corner of radius 0 between them.
    const Line2dFeature crossing(RuVaPnt2d(-6, -1), RuVaPnt2d(6, -1));
    EXPECT_FALSE(filletting.FilletFeature(&ellipse, RuVaPnt2d(3, -1.3), &crossing, RuVaPnt2d(5, -1), 0.0,
                                          FeatureFilletting::TrimBoth));
}

}  // namespace
