// Merging settings of a multiple selection, taking defined values, filling undefined ones, copying
// and scaling.

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <memory>

#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/TextSetting.h"

namespace {

const CString kUndefinedText(SettingValue::kUndefinedText);

TEST(SettingMergeTest, DifferingValuesBecomeUndefinedOfTheirKind)
{
    DimensionSetting a;
    DimensionSetting b;
    ASSERT_TRUE(b.SetColorNo(5));                      // number
    ASSERT_TRUE(b.SetArrowType1(7));                   // list choice
    ASSERT_TRUE(b.SetZeroVisible(1));                  // on/off
    ASSERT_TRUE(b.SetDimLineEnd1Drawn(0));             // one-byte on/off
    ASSERT_TRUE(b.SetArrowSize2(4.0));                 // double
    ASSERT_TRUE(b.SetPostAdditionText1(CString(u"H7")));  // text
    ASSERT_TRUE(b.SetPrecision(4));                    // 16-bit list choice
    TextSetting font = b.GetDimTextFont();
    ASSERT_TRUE(font.SetHeight(5.0));
    ASSERT_TRUE(b.SetDimTextFont(font));

    EXPECT_TRUE(a.SettingAndSetting(b));
    EXPECT_EQ(SettingValue::kUndefinedNo, a.GetColorNo());
    EXPECT_EQ(-1, a.GetArrowType1());
    EXPECT_EQ(2, a.GetZeroVisible());
    EXPECT_EQ(2, a.GetDimLineEnd1Drawn());
    EXPECT_EQ(DBL_MAX, a.GetArrowSize2());
    EXPECT_EQ(kUndefinedText, a.GetPostAdditionText1());
    EXPECT_EQ(-1, a.GetPrecision());
    EXPECT_EQ(DBL_MAX, a.GetDimTextFont().GetHeight());
    // What both agree on stays.
    EXPECT_EQ(DimensionSetting().GetArrowSize1(), a.GetArrowSize1());
    EXPECT_EQ(DimensionSetting().GetDimTextFont().GetFontName(), a.GetDimTextFont().GetFontName());
    EXPECT_TRUE(a.HasUndefinedValue());
    EXPECT_TRUE(a.IsValidSetting());
    EXPECT_FALSE(DimensionSetting().HasUndefinedValue());
}

TEST(SettingMergeTest, MergedSettingIsForEqualScalesOnlyWhenEveryPartIs)
{
    TextSetting a;
    TextSetting b;
    b.SetForEqualXYScaleSettingFlg(false);
    EXPECT_TRUE(a.SettingAndSetting(a));
    EXPECT_TRUE(a.IsForEqualXYScaleSetting());
    EXPECT_TRUE(a.SettingAndSetting(b));
    EXPECT_FALSE(a.IsForEqualXYScaleSetting());
    EXPECT_TRUE(a.SettingAndSetting(TextSetting()));
    EXPECT_FALSE(a.IsForEqualXYScaleSetting());
}

TEST(SettingMergeTest, MergingWithAnUndefinedValueKeepsItUndefined)
{
    GeneralFeatureSetting a;
    GeneralFeatureSetting b;
    ASSERT_TRUE(a.SetColorNo(SettingValue::kUndefinedNo));
    EXPECT_TRUE(a.SettingAndSetting(b));
    EXPECT_EQ(SettingValue::kUndefinedNo, a.GetColorNo());
    EXPECT_EQ(0, a.GetLineTypeNo());
}

TEST(SettingMergeTest, SetOnlyDefValueTakesOnlyDefinedValues)
{
    LeadSetting target;
    ASSERT_TRUE(target.SetSize(3.0));
    ASSERT_TRUE(target.SetColorNo(4));
    LeadSetting src;
    ASSERT_TRUE(src.SetSize(DBL_MAX));
    ASSERT_TRUE(src.SetColorNo(9));
    ASSERT_TRUE(src.SetWithUnderLine(2));
    TextSetting font = src.GetTextFont();
    ASSERT_TRUE(font.SetFontName(kUndefinedText));
    ASSERT_TRUE(font.SetSlantAngle(15.0));
    ASSERT_TRUE(src.SetTextFont(font));

    EXPECT_TRUE(target.SetOnlyDefValue(src));
    EXPECT_EQ(3.0, target.GetSize());
    EXPECT_EQ(9, target.GetColorNo());
    EXPECT_EQ(0, target.GetWithUnderLine());
    EXPECT_EQ(TextSetting().GetFontName(), target.GetTextFont().GetFontName());
    EXPECT_EQ(15.0, target.GetTextFont().GetSlantAngle());
    EXPECT_FALSE(target.HasUndefinedValue());
}

// The style dialog lays the merged setting of the picked shapes over the document's current one:
// a |= merged takes the merged setting's defined values and keeps its own where the shapes differ.
TEST(SettingMergeTest, OrAssignTakesTheDefinedValuesOfTheOther)
{
    HatchSetting current;
    ASSERT_TRUE(current.SetTransparency(0.5f));
    ASSERT_TRUE(current.SetPatternID(7));
    ASSERT_TRUE(current.SetPatternType(3));
    ASSERT_TRUE(current.SetSolidColorNo(2));
    HatchSetting merged;
    ASSERT_TRUE(merged.SetTransparency(FLT_MAX));
    ASSERT_TRUE(merged.SetPatternID(-1));
    ASSERT_TRUE(merged.SetPatternType(-1));
    ASSERT_TRUE(merged.SetSolidColorNo(12));

    current |= merged;
    EXPECT_EQ(0.5f, current.GetTransparency());
    EXPECT_EQ(7, current.GetPatternID());
    EXPECT_EQ(3, current.GetPatternType());
    EXPECT_EQ(12, current.GetSolidColorNo());
    EXPECT_FALSE(current.HasUndefinedValue());

    // A default setting with the page's defined values is complete.
    HatchSetting preview;
    preview |= merged;
    EXPECT_FALSE(preview.HasUndefinedValue());
    EXPECT_EQ(12, preview.GetSolidColorNo());

    GeneralFeatureSetting general;
    ASSERT_TRUE(general.SetColorNo(5));
    GeneralFeatureSetting mixed;
    ASSERT_TRUE(mixed.SetColorNo(SettingValue::kUndefinedNo));
    ASSERT_TRUE(mixed.SetLineTypeNo(3));
    general |= mixed;
    EXPECT_EQ(5, general.GetColorNo());
    EXPECT_EQ(3, general.GetLineTypeNo());
}

TEST(SettingMergeTest, FillingGivesOnlyUndefinedValuesTheOthersValue)
{
    PointMarkerSetting marker;
    ASSERT_TRUE(marker.SetSize(DBL_MAX));
    ASSERT_TRUE(marker.SetType(4));
    PointMarkerSetting other;
    ASSERT_TRUE(other.SetSize(4.0));
    ASSERT_TRUE(other.SetType(6));
    EXPECT_TRUE(marker.FillUndefinedValue(other));
    EXPECT_EQ(4.0, marker.GetSize());
    EXPECT_EQ(4, marker.GetType());
}

TEST(SettingMergeTest, OleAndKeepsEqualValues)
{
    OleObjectSetting a;
    OleObjectSetting b;
    ASSERT_TRUE(a.SetWidth(10.0));
    ASSERT_TRUE(b.SetWidth(20.0));
    ASSERT_TRUE(a.SetBackColorNo(3));
    ASSERT_TRUE(b.SetBackColorNo(3));
    a &= b;
    EXPECT_EQ(DBL_MAX, a.GetWidth());
    EXPECT_EQ(3, a.GetBackColorNo());
    EXPECT_FALSE(a == b);
}

TEST(SettingMergeTest, OperationsBetweenKindsFailAndChangeNothing)
{
    TextSetting text;
    ASSERT_TRUE(text.SetHeight(9.0));
    PointMarkerSetting marker;
    const PointMarkerSetting before = marker;
    EXPECT_FALSE(marker.Copy(text));
    EXPECT_FALSE(marker.SettingAndSetting(text));
    EXPECT_FALSE(marker.SetOnlyDefValue(text));
    EXPECT_FALSE(marker.FillUndefinedValue(text));
    EXPECT_EQ(0, marker.IsEqual(text));
    EXPECT_EQ(0, marker.Copy(text, nullptr, nullptr));
    EXPECT_TRUE(marker == before);
}

TEST(SettingMergeTest, CopyObjectMakesAnIndependentSettingOfTheSameKind)
{
    BalloonSetting original;
    ASSERT_TRUE(original.SetSize(12.0));
    TextSetting font = original.GetTextFont();
    ASSERT_TRUE(font.SetFontName(CString(u"Mono")));
    ASSERT_TRUE(original.SetTextFont(font));
    original.SetForEqualXYScaleSettingFlg(false);

    const FeatureSettingBase& base = original;
    std::unique_ptr<FeatureSettingBase> copy(base.CopyObject());
    ASSERT_NE(nullptr, copy);
    ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(BalloonSetting)));
    EXPECT_EQ(1, copy->IsEqual(original));
    EXPECT_FALSE(copy->IsForEqualXYScaleSetting());

    auto* balloon = static_cast<BalloonSetting*>(copy.get());
    TextSetting changed = balloon->GetTextFont();
    ASSERT_TRUE(changed.SetFontName(CString(u"Serif")));
    ASSERT_TRUE(balloon->SetTextFont(changed));
    EXPECT_EQ(CString(u"Mono"), original.GetTextFont().GetFontName());
    EXPECT_EQ(0, copy->IsEqual(original));
}

TEST(SettingMergeTest, ScaleSizeScalesLengthsAndLeavesTheRest)
{
    DimensionSetting dim;
    ASSERT_TRUE(dim.SetArrowSize1(2.0));
    ASSERT_TRUE(dim.SetArrowSize2(DBL_MAX));
    ASSERT_TRUE(dim.SetDistance(-1.0));
    ASSERT_TRUE(dim.SetDimValuePosAngle(30.0));
    TextSetting font = dim.GetDimTextFont();
    ASSERT_TRUE(font.SetHeight(3.0));
    ASSERT_TRUE(dim.SetDimTextFont(font));

    EXPECT_TRUE(dim.ScaleSize(2.5));
    EXPECT_DOUBLE_EQ(5.0, dim.GetArrowSize1());
    EXPECT_EQ(DBL_MAX, dim.GetArrowSize2());
    EXPECT_DOUBLE_EQ(-2.5, dim.GetDistance());
    EXPECT_DOUBLE_EQ(7.5, dim.GetDimTextHight());
    EXPECT_EQ(30.0, dim.GetDimValuePosAngle());
    EXPECT_EQ(dim.GetLengthDimValueScale(), DimensionSetting().GetLengthDimValueScale());
}

TEST(SettingMergeTest, ScaleSizeRefusesBadFactorsAndResultsOutOfRange)
{
    LeadSetting lead;
    ASSERT_TRUE(lead.SetSize(1e15));
    const LeadSetting before = lead;
    for (double factor : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 10.0}) {
        SCOPED_TRACE(factor);
        EXPECT_FALSE(lead.ScaleSize(factor));
        EXPECT_TRUE(lead == before);
    }
    BalloonSetting balloon;
    EXPECT_TRUE(balloon.ScaleSize(0.5));
    EXPECT_DOUBLE_EQ(BalloonSetting().GetSize() * 0.5, balloon.GetSize());
    EXPECT_DOUBLE_EQ(TextSetting().GetHeight() * 0.5, balloon.GetTextFont().GetHeight());
}

}  // namespace
