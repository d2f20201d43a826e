// Styles read from shapes and applied to them: only defined values are written, a refused result changes
// nothing, and the shape's own colour, line type and width numbers travel with the style.

#include <gtest/gtest.h>

#include "FeatureTestSupport.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"

using namespace feature_test;

TEST(FeatureSettingConverter, ReadingTakesTheShapesNumbers)
{
    Text2dFeature text(CString(u"abc"), RuVaPnt2d(0, 0));
    text.SetColorNo(5);
    text.SetHeight(7.0);
    TextSetting style;
    ASSERT_TRUE(FeatureSettingConverter::GetTextSettingFromFeature(&text, style));
    EXPECT_EQ(style.GetColorNo(), 5);
    EXPECT_EQ(style.GetHeight(), 7.0);

    Lead2dFeature lead;
    lead.SetLineTypeNo(4);
    lead.SetLineWidthNo(-1);  // an explicit width has no number in a style
    LeadSetting leadStyle;
    ASSERT_TRUE(FeatureSettingConverter::GetLeadSettingFromFeature(&lead, leadStyle));
    EXPECT_EQ(leadStyle.GetLineTypeNo(), 4);
    EXPECT_EQ(leadStyle.GetLineWidthNo(), SettingValue::kUndefinedNo);

    GeneralFeatureSetting general;
    ASSERT_TRUE(FeatureSettingConverter::GetFeatureBaseSettingFromFeature(&text, general));
    EXPECT_EQ(general.GetColorNo(), 5);

    // A shape of another kind gives nothing.
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    EXPECT_FALSE(FeatureSettingConverter::GetTextSettingFromFeature(&line, style));
    EXPECT_FALSE(FeatureSettingConverter::GetLeadSettingFromFeature(&text, leadStyle));
    DimensionSetting dim;
    EXPECT_FALSE(FeatureSettingConverter::GetDimensionSettingFromFeature(&line, dim));
    EXPECT_FALSE(FeatureSettingConverter::GetDimensionSettingFromFeature(nullptr, dim));
    EXPECT_FALSE(FeatureSettingConverter::SetTextSettingToFeature(&line, style));
}

TEST(FeatureSettingConverter, OnlyDefinedValuesAreWritten)
{
    // The merged style of two texts that share only their height.
    Text2dFeature a(CString(u"a"), RuVaPnt2d(0, 0)), b(CString(u"b"), RuVaPnt2d(0, 0));
    a.SetHeight(5.0);
    b.SetHeight(5.0);
    a.SetWidthRatio(0.5);
    b.SetWidthRatio(2.0);
    a.SetColorNo(1);
    b.SetColorNo(2);
    TextSetting merged, other;
    ASSERT_TRUE(FeatureSettingConverter::GetTextSettingFromFeature(&a, merged));
    ASSERT_TRUE(FeatureSettingConverter::GetTextSettingFromFeature(&b, other));
    ASSERT_TRUE(merged.SettingAndSetting(other));
    EXPECT_EQ(merged.GetWidthRatio(), SettingValue::kUndefinedDouble);

    Text2dFeature target(CString(u"t"), RuVaPnt2d(0, 0));
    target.SetHeight(1.0);
    target.SetWidthRatio(0.75);
    target.SetColorNo(9);
    ASSERT_TRUE(FeatureSettingConverter::SetTextSettingToFeature(&target, merged));
    EXPECT_EQ(target.GetHeight(), 5.0);       // shared: written
    EXPECT_EQ(target.GetWidthRatio(), 0.75);  // differing: kept
    EXPECT_EQ(target.GetColorNo(), 9);
    EXPECT_TRUE(target.IsValid());

    // Colour, line type and width numbers of the style reach the shape.
    LinearDimension2dFeature dimension(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), 2.0, 90.0, 0.0);
    DimensionSetting dimStyle;
    ASSERT_TRUE(FeatureSettingConverter::GetDimensionSettingFromFeature(&dimension, dimStyle));
    dimStyle.SetColorNo(3);
    dimStyle.SetLineWidthNo(SettingValue::kUndefinedNo);
    TextSetting font(dimStyle.GetDimTextFont());
    font.SetHeight(9.0);
    dimStyle.SetDimTextFont(font);
    dimension.SetLineWidthNo(6);
    ASSERT_TRUE(FeatureSettingConverter::SetDimensionSettingToFeature(&dimension, dimStyle));
    EXPECT_EQ(dimension.GetColorNo(), 3);
    EXPECT_EQ(dimension.GetLineWidthNo(), 6);
    EXPECT_EQ(dimension.GetTextHeight(), 9.0);

    GeneralFeatureSetting general;
    general.SetColorNo(-1);
    general.SetLineTypeNo(SettingValue::kUndefinedNo);
    general.SetLineWidthNo(12);
    Line2dFeature line(RuVaPnt2d(0, 0), RuVaPnt2d(1, 0));
    line.SetLineTypeNo(7);
    ASSERT_TRUE(FeatureSettingConverter::SetFeatureBaseSettingToFeature(&line, general));
    EXPECT_EQ(line.GetColorNo(), -1);
    EXPECT_EQ(line.GetLineTypeNo(), 7);
    EXPECT_EQ(line.GetLineWidthNo(), 12);
}

TEST(FeatureSettingConverter, RefusedStylesChangeNothing)
{
    OleObject2dFeature ole;
    const OleObject2dFeature before(ole);
    OleObjectSetting flat;
    ASSERT_TRUE(FeatureSettingConverter::GetOleObjectSettingFromFeature(&ole, flat));
    ASSERT_TRUE(flat.SetWidth(0.0));  // a style may say 0; the object needs a size
    EXPECT_FALSE(FeatureSettingConverter::SetOleObjectSettingToFeature(&ole, flat));
    EXPECT_TRUE(ole.IsEqual(&before));

    // A style whose numbers the shape refuses leaves the style part untouched too.
    PointMarker2dFeature marker(RuVaPnt2d(1, 1));
    const PointMarker2dFeature markerBefore(marker);
    PointMarkerSetting markerStyle;
    ASSERT_TRUE(FeatureSettingConverter::GetPointMarkerSettingFromFeature(&marker, markerStyle));
    markerStyle.SetSize(9.0);
    markerStyle.SetType(7);
    ASSERT_TRUE(FeatureSettingConverter::SetPointMarkerSettingToFeature(&marker, markerStyle));
    EXPECT_EQ(marker.GetMarkerSize(), 9.0);
    EXPECT_EQ(marker.GetMarkerType(), 7);
    EXPECT_FALSE(marker.IsEqual(&markerBefore));

    Hatch2dFeature hatch;
    HatchSetting hatchStyle;
    ASSERT_TRUE(FeatureSettingConverter::GetHatchSettingFromFeature(&hatch, hatchStyle));
    hatchStyle.SetHatchType(2);
    hatchStyle.SetPatternID(14);
    ASSERT_TRUE(FeatureSettingConverter::SetHatchSettingToFeature(&hatch, hatchStyle));
    EXPECT_EQ(hatch.GetHatchType(), 2);
    EXPECT_EQ(hatch.GetUserDefinedHatchFormat().GetPatternID(), 14);

    Tolerance2dFeature frame(CString(u"A"), RuVaPnt2d(0, 0));
    DimensionSetting frameStyle;
    ASSERT_TRUE(FeatureSettingConverter::GetToleranceSettingFromFeature(&frame, frameStyle));
    TextSetting font(frameStyle.GetDimTextFont());
    font.SetHeight(4.5);
    frameStyle.SetDimTextFont(font);
    ASSERT_TRUE(FeatureSettingConverter::SetToleranceSettingToFeature(&frame, frameStyle));
    EXPECT_EQ(frame.GetTextHeight(), 4.5);
}
