// Settings stored and loaded through archives: every value comes back, and a truncated or damaged
// archive throws CArchiveException and leaves the setting as it was.

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <functional>
#include <memory>

#include "ArchiveBytes.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/SettingValue.h"
#include "libs/vevure/TextSetting.h"

using namespace settings_test;

namespace {

TextSetting SampleFont()
{
    TextSetting t;
    EXPECT_TRUE(t.SetFontName(CString(u"日本語 Mincho")));
    EXPECT_TRUE(t.SetColorNo(-1));
    EXPECT_TRUE(t.SetHeight(4.25));
    EXPECT_TRUE(t.SetWidthRatio(0.8));
    EXPECT_TRUE(t.SetSlantAngle(-15.0));
    EXPECT_TRUE(t.SetCharSpacing(0.3));
    EXPECT_TRUE(t.SetLineSpacing(DBL_MAX));
    EXPECT_TRUE(t.SetDirection(1));
    EXPECT_TRUE(t.SetBasePointPosition(7));
    EXPECT_TRUE(t.SetOption1(1));
    EXPECT_TRUE(t.SetOption3(2));
    EXPECT_TRUE(t.SetStyleFlag(1));
    return t;
}

DimensionSetting SampleDimension()
{
    DimensionSetting d;
    EXPECT_TRUE(d.SetColorNo(200));
    EXPECT_TRUE(d.SetLineTypeNo(17));
    EXPECT_TRUE(d.SetProjectionWidthNo(SettingValue::kUndefinedNo));
    EXPECT_TRUE(d.SetArrowType2(12));
    EXPECT_TRUE(d.SetArrowSize1(1.75));
    EXPECT_TRUE(d.SetProjectionShow2(0));
    EXPECT_TRUE(d.SetInsideDimLine(1));
    EXPECT_TRUE(d.SetArcDimProjeLineRadialMode(1));
    EXPECT_TRUE(d.SetArcDiameterFlag(1));
    EXPECT_TRUE(d.SetDimTextFont(SampleFont()));
    EXPECT_TRUE(d.SetPrecision(5));
    EXPECT_TRUE(d.SetRound(0.05));
    EXPECT_TRUE(d.SetLengthDimValueScale(2.0));
    EXPECT_TRUE(d.SetPreAdditionText(CString(u"φ")));
    EXPECT_TRUE(d.SetInsideAdditionText2(CString(SettingValue::kUndefinedText)));
    EXPECT_TRUE(d.SetPostAdditionTextSizeRatio(0.3));
    EXPECT_TRUE(d.SetToleranceType(3));
    EXPECT_TRUE(d.SetTolerance1(0.02));
    EXPECT_TRUE(d.SetTolerance2(-0.01));
    EXPECT_TRUE(d.SetToleranceAddParenthesis(1));
    EXPECT_TRUE(d.SetNotSettledArrowPosMode(2));
    EXPECT_TRUE(d.SetAutoHorizonPos(0));
    return d;
}

template <class S>
void ExpectRoundTrip(S& original)
{
    const Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    S loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_TRUE(loaded == original);
    EXPECT_EQ(1, loaded.IsEqual(original));
}

template <class S>
void ExpectTruncationsFail(S& original)
{
    const Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    S target;
    const S before = target;
    ExpectEveryTruncationFails(bytes, [&](CArchive& ar) { target.Serialize(ar); },
                               [&] { EXPECT_TRUE(target == before); });
}

TEST(SettingArchiveTest, TextKeepsEveryValue)
{
    TextSetting original = SampleFont();
    const Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    TextSetting loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(CString(u"日本語 Mincho"), loaded.GetFontName());
    EXPECT_EQ(-1, loaded.GetColorNo());
    EXPECT_EQ(4.25, loaded.GetHeight());
    EXPECT_EQ(0.8, loaded.GetWidthRatio());
    EXPECT_EQ(-15.0, loaded.GetSlantAngle());
    EXPECT_EQ(0.3, loaded.GetCharSpacing());
    EXPECT_EQ(DBL_MAX, loaded.GetLineSpacing());
    EXPECT_EQ(1, loaded.GetDirection());
    EXPECT_EQ(7, loaded.GetBasePointPosition());
    EXPECT_EQ(1, loaded.GetOption1());
    EXPECT_EQ(0, loaded.GetOption2());
    EXPECT_EQ(2, loaded.GetOption3());
    EXPECT_EQ(1, loaded.GetStyleFlag());
}

TEST(SettingArchiveTest, DimensionKeepsEveryValueIncludingItsTextStyle)
{
    DimensionSetting original = SampleDimension();
    const Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    DimensionSetting loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(200, loaded.GetColorNo());
    EXPECT_EQ(17, loaded.GetLineTypeNo());
    EXPECT_EQ(SettingValue::kUndefinedNo, loaded.GetProjectionWidthNo());
    EXPECT_EQ(12, loaded.GetArrowType2());
    EXPECT_EQ(1.75, loaded.GetArrowSize1());
    EXPECT_EQ(0, loaded.GetProjectionShow2());
    EXPECT_EQ(1, loaded.GetInsideDimLine());
    EXPECT_EQ(1, loaded.GetArcDimProjeLineRadialMode());
    EXPECT_EQ(1, loaded.GetArcDiameterFlag());
    EXPECT_TRUE(loaded.GetDimTextFont() == SampleFont());
    EXPECT_EQ(5, loaded.GetPrecision());
    EXPECT_EQ(0.05, loaded.GetRound());
    EXPECT_EQ(2.0, loaded.GetLengthDimValueScale());
    EXPECT_EQ(CString(u"φ"), loaded.GetPreAdditionText());
    EXPECT_EQ(CString(SettingValue::kUndefinedText), loaded.GetInsideAdditionText2());
    EXPECT_EQ(0.3, loaded.GetPostAdditionTextSizeRatio());
    EXPECT_EQ(3, loaded.GetToleranceType());
    EXPECT_EQ(0.02, loaded.GetTolerance1());
    EXPECT_EQ(-0.01, loaded.GetTolerance2());
    EXPECT_EQ(1, loaded.GetToleranceAddParenthesis());
    EXPECT_EQ(2, loaded.GetNotSettledArrowPosMode());
    EXPECT_EQ(0, loaded.GetAutoHorizonPos());
    EXPECT_TRUE(loaded == original);
}

TEST(SettingArchiveTest, EveryKindRoundTrips)
{
    GeneralFeatureSetting general;
    ASSERT_TRUE(general.SetColorNo(33));
    ASSERT_TRUE(general.SetLineWidthNo(SettingValue::kUndefinedNo));
    ExpectRoundTrip(general);

    PointMarkerSetting marker;
    ASSERT_TRUE(marker.SetType(6));
    ASSERT_TRUE(marker.SetRotateAngle(45.0));
    ExpectRoundTrip(marker);

    LeadSetting lead;
    ASSERT_TRUE(lead.SetTextFont(SampleFont()));
    ASSERT_TRUE(lead.SetVerticalDistance(-2.0));
    ASSERT_TRUE(lead.SetTextAngleType(-1));
    ExpectRoundTrip(lead);

    BalloonSetting balloon;
    ASSERT_TRUE(balloon.SetLeadLineTypeDifferentBalloon(1));
    ASSERT_TRUE(balloon.SetLeadLineTypeNo(300));
    ExpectRoundTrip(balloon);

    HatchSetting hatch;
    ASSERT_TRUE(hatch.SetHatchType(2));
    ASSERT_TRUE(hatch.SetPatternID(123456));
    ASSERT_TRUE(hatch.SetTransparency(FLT_MAX));
    ExpectRoundTrip(hatch);

    ImageSetting image;
    ASSERT_TRUE(image.SetContrast(0.75f));
    ExpectRoundTrip(image);

    OleObjectSetting ole;
    ASSERT_TRUE(ole.SetNaturalWidth(40.0));
    ASSERT_TRUE(ole.SetScaleX(FLT_MAX));
    ExpectRoundTrip(ole);
}

TEST(SettingArchiveTest, EveryTruncationThrowsAndLeavesTheSettingUnchanged)
{
    DimensionSetting dim = SampleDimension();
    ExpectTruncationsFail(dim);
    LeadSetting lead;
    ASSERT_TRUE(lead.SetTextFont(SampleFont()));
    ExpectTruncationsFail(lead);
    HatchSetting hatch;
    ExpectTruncationsFail(hatch);
}

// The first value of a general setting (its colour number) lies after the schema word.
TEST(SettingArchiveTest, OutOfRangeValueOrUnknownSchemaIsRefused)
{
    GeneralFeatureSetting original;
    const Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    ASSERT_EQ(8u, bytes.size());

    struct Patch { size_t offset; short value; int cause; };
    const Patch patches[] = {
        {2, 257, CArchiveException::genericException},   // colour number above the table
        {4, -3, CArchiveException::genericException},    // negative line type
        {6, 16, CArchiveException::genericException},    // line width number above 15
        {0, 0, CArchiveException::badSchema},            // no schema
        {0, 2, CArchiveException::badSchema},            // a newer schema
        {2, 32767, -1},                                  // undefined colour is a value
    };
    for (const Patch& p : patches) {
        SCOPED_TRACE(p.offset);
        Bytes damaged = bytes;
        std::memcpy(&damaged[p.offset], &p.value, sizeof(short));
        GeneralFeatureSetting target;
        ASSERT_TRUE(target.SetColorNo(9));
        EXPECT_EQ(p.cause, Load(damaged, [&](CArchive& ar) { target.Serialize(ar); }));
        if (p.cause != -1) {
            EXPECT_EQ(9, target.GetColorNo());
        }
    }
}

TEST(SettingArchiveTest, DamagedTextStyleInsideADimensionIsRefused)
{
    DimensionSetting original;
    TextSetting font = original.GetDimTextFont();
    ASSERT_TRUE(font.SetSlantAngle(80.0));
    ASSERT_TRUE(original.SetDimTextFont(font));
    Bytes bytes = Store([&](CArchive& ar) { original.Serialize(ar); });
    // Find the slant (80.0) and push it beyond 85 degrees.
    const double slant = 80.0;
    const double bad = 89.0;
    size_t found = 0;
    for (size_t i = 0; i + sizeof(double) <= bytes.size(); ++i) {
        if (std::memcmp(&bytes[i], &slant, sizeof(double)) == 0) {
            std::memcpy(&bytes[i], &bad, sizeof(double));
            ++found;
        }
    }
    ASSERT_EQ(1u, found);
    DimensionSetting target;
    EXPECT_EQ(CArchiveException::genericException, Load(bytes, [&](CArchive& ar) { target.Serialize(ar); }));
    EXPECT_TRUE(target == DimensionSetting());
}

}  // namespace

// A new style draws filled arrows; a stored one keeps its own kinds, the circle of a progressive row too.
TEST(SettingArchiveTest, NewDimensionStyleHasFilledArrowsAndStoredKindsStay)
{
    const DimensionSetting fresh;
    EXPECT_EQ(6, fresh.GetArrowType1());
    EXPECT_EQ(6, fresh.GetArrowType2());
    Draw2dDocument document;
    document.InitDocument();
    ASSERT_NE(document.GetDimensionSetting(), nullptr);
    EXPECT_EQ(6, document.GetDimensionSetting()->GetArrowType1());
    EXPECT_EQ(6, document.GetDimensionSetting()->GetArrowType2());
    DimensionSetting circles;
    ASSERT_TRUE(circles.SetArrowType1(3));
    ASSERT_TRUE(circles.SetArrowType2(3));
    const Bytes bytes = Store([&](CArchive& ar) { circles.Serialize(ar); });
    DimensionSetting loaded;
    ASSERT_EQ(-1, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(3, loaded.GetArrowType1());
    EXPECT_EQ(3, loaded.GetArrowType2());
}
