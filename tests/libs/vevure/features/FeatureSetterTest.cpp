// Validating setters (1 stored, 0 refused with the old value kept) and index guards of the shapes.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "FeatureTestSupport.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"

using namespace feature_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ShortCase {
    short value;
    BOOL stored;
};

}  // namespace

TEST(FeatureSetters, ColorNumberAcceptsUpTo256AndTheUserColour)
{
    const ShortCase cases[] = {{0, TRUE}, {1, TRUE}, {256, TRUE}, {-1, TRUE}, {257, FALSE}, {32767, FALSE}};
    for (const auto& c : cases) {
        Line2dFeature f(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
        f.SetColorNo(5);
        EXPECT_EQ(f.SetColorNo(c.value), c.stored) << c.value;
        EXPECT_EQ(f.GetColorNo(), c.stored ? c.value : 5) << c.value;
    }
}

TEST(FeatureSetters, LineTypeNumberRefusesOnlyNone)
{
    const ShortCase cases[] = {{0, TRUE}, {1, TRUE}, {32766, TRUE}, {-1, TRUE}, {32767, FALSE}};
    for (const auto& c : cases) {
        Line2dFeature f(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
        f.SetLineTypeNo(2);
        EXPECT_EQ(f.SetLineTypeNo(c.value), c.stored) << c.value;
        EXPECT_EQ(f.GetLineTypeNo(), c.stored ? c.value : 2) << c.value;
    }
}

TEST(FeatureSetters, LineWidthNumberAndWidth)
{
    const ShortCase numbers[] = {{0, TRUE}, {15, TRUE}, {-1, TRUE}, {16, FALSE}, {32767, FALSE}};
    for (const auto& c : numbers) {
        Line2dFeature f(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
        f.SetLineWidthNo(3);
        EXPECT_EQ(f.SetLineWidthNo(c.value), c.stored) << c.value;
        EXPECT_EQ(f.GetLineWidthNo(), c.stored ? c.value : 3) << c.value;
    }
    const std::pair<double, BOOL> widths[] = {{0.0, TRUE}, {0.35, TRUE}, {-0.01, FALSE}, {kNaN, FALSE}, {kInf, FALSE}};
    for (const auto& [w, stored] : widths) {
        Line2dFeature f(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
        f.SetLineWidth(0.5);
        EXPECT_EQ(f.SetLineWidth(w), stored) << w;
        EXPECT_EQ(f.GetLineWidth(), stored ? w : 0.5) << w;
    }
}

TEST(FeatureSetters, BaseDefaultsAndLayerHelpers)
{
    Line2dFeature f;
    EXPECT_EQ(f.GetFeatureNo(), -1);
    EXPECT_EQ(f.GetRecordID(), -1);
    EXPECT_EQ(f.GetLayerID(), -1);
    EXPECT_EQ(f.GetFeatureType(), FeatureTypeLine);
    EXPECT_EQ(f.GetAttribute(), nullptr);
    EXPECT_TRUE(f.IsLayerColorNo() && f.IsLayerLineTypeNo() && f.IsLayerLineWidthNo());
    EXPECT_FALSE(f.IsLayerIDEmpty());
    f.SetLayerIDEmpty();
    EXPECT_TRUE(f.IsLayerIDEmpty());
    EXPECT_EQ(f.GetLayerID(), 0);
}

TEST(FeatureSetters, ColourAndWidthEqualityLooksAtRgbAndWidthOnlyWhenUsed)
{
    Line2dFeature a(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0)), b(a);
    a.SetColorNo(3);
    b.SetColorNo(3);
    a.SetColor(1);
    b.SetColor(2);
    EXPECT_TRUE(a.IsEqualColor(&b));  // table colours: the RGB does not matter
    a.SetColorNo(-1);
    b.SetColorNo(-1);
    EXPECT_FALSE(a.IsEqualColor(&b));
    b.SetColor(1);
    EXPECT_TRUE(a.IsEqualColor(&b));

    a.SetLineWidthNo(4);
    b.SetLineWidthNo(4);
    a.SetLineWidth(0.1);
    b.SetLineWidth(0.2);
    EXPECT_TRUE(a.IsEqualLineWidth(&b));
    a.SetLineWidthNo(-1);
    b.SetLineWidthNo(-1);
    EXPECT_FALSE(a.IsEqualLineWidth(&b));
    EXPECT_FALSE(a.IsEqualLineWidth(nullptr));
}

TEST(FeatureSetters, RadiiRefuseZeroNegativeHugeAndNaN)
{
    const std::pair<double, BOOL> cases[] = {{1e-9, TRUE}, {5.0, TRUE}, {9.9e14, TRUE}, {0.0, FALSE},
                                             {-1.0, FALSE}, {1e15, FALSE}, {kNaN, FALSE}, {kInf, FALSE}};
    for (const auto& [r, stored] : cases) {
        Circle2dFeature circle(RuVaPnt2d(0, 0), 2.0);
        Arc2dFeature arc(RuVaPnt2d(0, 0), 2.0, 0, 90);
        EllipseArc2dFeature earc(RuVaPnt2d(0, 0), 3.0, 2.0, 0, 0, 90);
        Ellipse2dFeature ellipse(RuVaPnt2d(0, 0), 3.0, 2.0, 0);
        EXPECT_EQ(circle.SetRadius(r), stored) << r;
        EXPECT_EQ(circle.GetRadius(), stored ? r : 2.0);
        EXPECT_EQ(arc.SetRadius(r), stored) << r;
        EXPECT_EQ(arc.GetRadius(), stored ? r : 2.0);
        EXPECT_EQ(earc.SetMajorRadius(r), stored) << r;
        EXPECT_EQ(earc.GetMajorRadius(), stored ? r : 3.0);
        EXPECT_EQ(earc.SetMinorRadius(r), stored) << r;
        EXPECT_EQ(earc.GetMinorRadius(), stored ? r : 2.0);
        EXPECT_EQ(ellipse.SetRadius(r, 1.0), stored) << r;
        EXPECT_EQ(ellipse.GetMajorRadius(), stored ? r : 3.0);
    }
}

TEST(FeatureSetters, DirectionsTakeOnlyZeroAndOne)
{
    for (int d : {-1, 0, 1, 2, 255}) {
        Arc2dFeature arc(RuVaPnt2d(0, 0), 1.0, 0, 90, 1);
        EllipseArc2dFeature earc(RuVaPnt2d(0, 0), 2.0, 1.0, 0, 0, 90, 1);
        const BOOL ok = d == 0 || d == 1;
        EXPECT_EQ(arc.SetDirection(d), ok) << d;
        EXPECT_EQ(earc.SetDirection(d), ok) << d;
        EXPECT_EQ(arc.GetDirection(), ok ? d : 1);
        EXPECT_EQ(earc.GetDirection(), ok ? d : 1);
    }
}

TEST(FeatureSetters, AnglesAreNormalisedIntoOneTurn)
{
    const std::pair<double, double> cases[] = {{370.0, 10.0}, {-90.0, 270.0}, {360.0, 0.0}, {720.5, 0.5}, {45.0, 45.0}};
    for (const auto& [in, out] : cases) {
        Arc2dFeature arc;
        EllipseArc2dFeature earc;
        Ellipse2dFeature ellipse;
        ASSERT_TRUE(arc.SetStartAngle(in));
        ASSERT_TRUE(arc.SetEndAngle(in));
        ASSERT_TRUE(earc.SetStartAngle(in));
        ASSERT_TRUE(earc.SetAngle(in));
        ASSERT_TRUE(ellipse.SetAngle(in));
        EXPECT_NEAR(arc.GetStartAngle(), out, 1e-9) << in;
        EXPECT_NEAR(arc.GetEndAngle(), out, 1e-9) << in;
        EXPECT_NEAR(earc.GetStartAngle(), out, 1e-9) << in;
        EXPECT_NEAR(earc.GetAngle(), out, 1e-9) << in;
        EXPECT_NEAR(ellipse.GetAngle(), out, 1e-9) << in;
    }
    Arc2dFeature arc;
    EXPECT_FALSE(arc.SetStartAngle(kNaN));
    EXPECT_FALSE(arc.SetEndAngle(kInf));
    EXPECT_EQ(arc.GetStartAngle(), 0.0);
}

TEST(FeatureSetters, ArcEndPointsFollowTheAngles)
{
    Arc2dFeature arc(RuVaPnt2d(1, 2), 2.0, 90.0, 180.0);
    EXPECT_NEAR(arc.GetStartPoint().X(), 1.0, 1e-12);
    EXPECT_NEAR(arc.GetStartPoint().Y(), 4.0, 1e-12);
    EXPECT_NEAR(arc.GetEndPoint().X(), -1.0, 1e-12);
    EXPECT_NEAR(arc.GetEndPoint().Y(), 2.0, 1e-12);
    Circle2dFeature circle(RuVaPnt2d(1, 2), 2.0);
    EXPECT_NEAR(circle.GetPoint(270.0).Y(), 0.0, 1e-12);
}

TEST(FeatureSetters, LinesRefuseToBecomePoints)
{
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    EXPECT_FALSE(line.SetPoint(RuVaPnt2d(2, 2), RuVaPnt2d(2, 2 + 5e-8)));
    EXPECT_FALSE(line.SetEndPoint(RuVaPnt2d(0, 0)));
    EXPECT_FALSE(line.SetStartPoint(RuVaPnt2d(kNaN, 0)));
    EXPECT_EQ(line.GetEndPoint(), RuVaPnt2d(1, 0));
    EXPECT_TRUE(line.SetPoint(RuVaPnt2d(2, 2), RuVaPnt2d(2, 2 + 2e-7)));
    EXPECT_EQ(line.GetPoint(0), RuVaPnt2d(2, 2));
}

TEST(FeatureSetters, PolylineClosednessAndPointRules)
{
    KcArrayOfGePnt2d triangle{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(0, 1)};
    Polyline2dFeature open(triangle);
    EXPECT_FALSE(open.IsClosed());
    KcArrayOfGePnt2d closedTriangle{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(0, 1), RuVaPnt2d(0, 5e-8)};
    Polyline2dFeature closed(closedTriangle);
    EXPECT_TRUE(closed.IsClosed());
    // Three vertices whose last repeats the first are not a closed outline.
    KcArrayOfGePnt2d back{RuVaPnt2d(0, 0), RuVaPnt2d(1, 0), RuVaPnt2d(0, 0)};
    EXPECT_FALSE(Polyline2dFeature(back).IsClosed());
    EXPECT_TRUE(Polyline2dFeature(triangle, TRUE).IsClosed());
    EXPECT_EQ(Polyline2dFeature(triangle, TRUE).GetPointSize(), 4);

    Polyline2dFeature p(triangle);
    EXPECT_FALSE(p.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(0, 0)}));
    EXPECT_FALSE(p.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(1, 1), RuVaPnt2d(1, 1), RuVaPnt2d(1, 1)}));
    EXPECT_FALSE(p.SetPointArray(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(kInf, 0)}));
    EXPECT_EQ(p.GetPointSize(), 3);
    EXPECT_FALSE(p.SetPoint(3, RuVaPnt2d(9, 9)));
    EXPECT_FALSE(p.SetPoint(-1, RuVaPnt2d(9, 9)));
    EXPECT_TRUE(p.SetPoint(2, RuVaPnt2d(9, 9)));
    EXPECT_EQ(p[2], RuVaPnt2d(9, 9));
    KcArrayOfGePnt2d out{RuVaPnt2d(7, 7)};
    p.GetPointArray(out);
    EXPECT_EQ(out.GetSize(), 3);
}

TEST(FeatureSetters, IndexGuardsThrowInvalidArgument)
{
    const auto samples = MakeSampleFeatures();
    Feature2dList list;
    list.AddFeature(static_cast<const Feature2dBase*>(samples[1].get()));
    ResolvedFeature2dList resolved;
    resolved.AddResolvedFeature(samples[1]->CopyObject(), FeatureTypeDrawGroup);
    KcArrayOfGePnt2d two{RuVaPnt2d(0, 0), RuVaPnt2d(1, 1)};
    Polyline2dFeature polyline(two);
    Region2dFeature region;
    Hatch2dFeature hatch;
    Lead2dFeature lead;
    Balloon2dFeature balloon;
    BSplineCurve2dFeature spline(KcArrayOfGePnt2d{RuVaPnt2d(0, 0), RuVaPnt2d(1, 1), RuVaPnt2d(2, 0), RuVaPnt2d(3, 1)},
                                 0, 3, FALSE);
    const std::pair<const char*, std::function<void(int)>> guarded[] = {
        {"list", [&](int i) { list.GetFeature(i); }},
        {"list[]", [&](int i) { (void)list[i]; }},
        {"list remove", [&](int i) { list.RemoveFeature(i); }},
        {"list set", [&](int i) { list.SetFeature(i, samples[0].get()); }},
        {"resolved type", [&](int i) { resolved.GetParentFeatureType(i); }},
        {"polyline", [&](int i) { polyline.GetPoint(i); }},
        {"region", [&](int i) { region.GetFeature(i); }},
        {"hatch island", [&](int i) { hatch.GetInnerRegion(i); }},
        {"lead", [&](int i) { lead.GetPoint(i); }},
        {"balloon", [&](int i) { balloon.GetLeadPoint(i); }},
        {"spline", [&](int i) { spline.GetPoint(i); }},
    };
    const int counts[] = {1, 1, 1, 1, 1, 2, 0, 0, 2, 1, 4};
    int n = 0;
    for (const auto& [name, access] : guarded) {
        const int count = counts[n++];
        EXPECT_TRUE(ThrowsInvalidArg([&] { access(-1); })) << name;
        EXPECT_TRUE(ThrowsInvalidArg([&] { access(count); })) << name;
        EXPECT_TRUE(ThrowsInvalidArg([&] { access(1 << 30); })) << name;
    }
    EXPECT_EQ(resolved.GetParentFeatureType(0), FeatureTypeDrawGroup);
    EXPECT_EQ(list.GetFeatureSize(), 1);
}

TEST(FeatureSetters, AttributeAccessOutsideTheItemsIsHarmless)
{
    FeatureAttribute attr;
    EXPECT_EQ(attr.GetAttributeCount(), 0);
    EXPECT_EQ(attr.GetAttributeItem(0), nullptr);
    EXPECT_EQ(attr.AddAttribute(CString(u"Name"), CString(u"Value")), 0);
    for (int i : {-1, 1, 1 << 30}) {
        EXPECT_EQ(attr.GetAttributeItem(i), nullptr);
        EXPECT_TRUE(attr.GetAttributeName(i).IsEmpty());
        EXPECT_TRUE(attr.GetAttributeValue(i).IsEmpty());
        EXPECT_EQ(attr.GetAttributeId(i), -1);
        EXPECT_FALSE(attr.RemoveAttribute(i));
    }
    EXPECT_EQ(attr.GetAttributeItem(CString(u"name")), nullptr);  // names are case-sensitive
    EXPECT_EQ(attr.GetAttributeValue(0), CString(u"Value"));
}

TEST(FeatureSetters, AttributeNamesAndIdsStayUnique)
{
    FeatureAttribute attr;
    EXPECT_EQ(attr.AddAttribute(CString(u"A"), CString(u"1"), 5), 0);
    EXPECT_EQ(attr.GetAttributeId(0), 5);
    EXPECT_EQ(attr.AddAttribute(CString(u"A"), CString(u"2")), -1);  // repeated name
    EXPECT_EQ(attr.AddAttribute(CString(u""), CString(u"2")), -1);   // empty name
    EXPECT_EQ(attr.AddAttribute(CString(u"B"), CString(u"2"), 5), 1);  // id taken: a new one
    EXPECT_NE(attr.GetAttributeId(1), 5);
    EXPECT_EQ(attr.AddAttribute(CString(u"C"), CString(u"3"), 1), 2);  // flag-like 1 is a free id
    EXPECT_NE(attr.GetAttributeId(2), attr.GetAttributeId(1));
    EXPECT_EQ(attr.AddAttribute(CString(u"D"), CString(u""), 0x7FFFFFFF), 3);
    EXPECT_EQ(attr.AddAttribute(CString(u"E"), CString(u"")), 4);  // no overflow past the largest id
    EXPECT_GT(attr.GetAttributeId(4), 0);

    EXPECT_TRUE(attr.SetAttributeValue(CString(u"B"), CString(u"two")));
    EXPECT_FALSE(attr.SetAttributeValue(CString(u"Z"), CString(u"x")));
    EXPECT_FALSE(attr.SetAttributeName(5, CString(u"B")));  // B exists
    EXPECT_TRUE(attr.SetAttributeName(5, CString(u"Renamed")));
    EXPECT_FALSE(attr.SetAttributeName(12345, CString(u"X")));
    EXPECT_TRUE(attr.RemoveAttribute(CString(u"Renamed")));
    EXPECT_EQ(attr.FindAttribute(CString(u"Renamed")), -1);

    FeatureAttributeItem a(1, CString(u"N"), CString(u"V")), b(2, CString(u"N"), CString(u"V")),
        c(1, CString(u"n"), CString(u"V"));
    EXPECT_TRUE(a == b);   // the id takes no part
    EXPECT_FALSE(a == c);  // case-sensitive
}

TEST(FeatureSetters, OtherShapesValidateTheirValues)
{
    Text2dFeature text(CString(u"abc"), RuVaPnt2d(0, 0));
    EXPECT_FALSE(text.SetHeight(0.0));
    EXPECT_FALSE(text.SetWidthRatio(-1.0));
    EXPECT_FALSE(text.SetHorizonArrange(3));
    EXPECT_FALSE(text.SetCharSpacing(-0.1));
    EXPECT_EQ(text.GetHeight(), 3.5);
    EXPECT_TRUE(text.ScaleSize(2.0, 1));
    EXPECT_EQ(text.GetHeight(), 7.0);
    EXPECT_FALSE(text.ScaleSize(0.0, 0));

    Hatch2dFeature hatch;
    EXPECT_FALSE(hatch.SetHatchType(3));
    EXPECT_FALSE(hatch.SetPatternNo(53));
    EXPECT_FALSE(hatch.SetPatternScale(0.0));
    EXPECT_FALSE(hatch.GetUserDefinedHatchFormat().SetPatternScale(-2.0));

    Image2dFeature image;
    EXPECT_FALSE(image.SetAlignment(9));
    EXPECT_FALSE(image.SetBrightness(1.5f));
    EXPECT_FALSE(image.SetContrast(-0.1f));
    EXPECT_FALSE(image.SetWidth(0.0));

    DrawComponent2dFeature component;
    EXPECT_FALSE(component.SetScale(0.0, 1.0));
    EXPECT_FALSE(component.SetScale(1.0, kNaN));
    EXPECT_TRUE(component.SetScale(-1.0, 2.0));

    Tolerance2dFeature frame(CString(u"A\\|B\\*C"), RuVaPnt2d(0, 0));
    EXPECT_EQ(frame.GetToleranceCellSize(), 2);
    EXPECT_EQ(frame.GetToleranceCellSize(0), 2);
    EXPECT_EQ(frame.GetToleranceCellSize(1), 1);
    EXPECT_EQ(frame.GetToleranceCellSize(2), 0);
    EXPECT_EQ(frame.GetToleranceCellText(0, 1), CString(u"B"));
    EXPECT_TRUE(frame.GetToleranceCellText(1, 5).IsEmpty());
    EXPECT_TRUE(frame.GetToleranceCellText(-1, 0).IsEmpty());
}
