// Range rules of the validating setters: a refused value returns FALSE and keeps the old value; the
// undefined form of a value is always accepted.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/OleObjectSetting.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/TextSetting.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// One setter case: a value and whether the setter takes it.
template <class T>
struct Case {
    std::string field;
    std::function<BOOL(T)> set;
    std::function<T()> get;
    T value;
    bool accepted;
};

template <class T>
void RunCases(const std::vector<Case<T>>& cases)
{
    for (const Case<T>& c : cases) {
        SCOPED_TRACE(c.field + " = " + std::to_string(static_cast<double>(c.value)));
        const T before = c.get();
        const BOOL result = c.set(c.value);
        EXPECT_EQ(c.accepted, result != FALSE);
        if (c.accepted) {
            EXPECT_EQ(c.value, c.get());
        } else {
            EXPECT_EQ(before, c.get());
        }
    }
}

class SettingSetterTest : public ::testing::Test {
protected:
    GeneralFeatureSetting general;
    PointMarkerSetting marker;
    TextSetting text;
    LeadSetting lead;
    BalloonSetting balloon;
    DimensionSetting dim;
    HatchSetting hatch;
    ImageSetting image;
    OleObjectSetting ole;
};

#define SHORT_FIELD(obj, Name) \
    #obj "." #Name, [&](short v) { return obj.Set##Name(v); }, [&]() { return obj.Get##Name(); }
#define INT_FIELD(obj, Name) \
    #obj "." #Name, [&](int v) { return obj.Set##Name(v); }, [&]() { return obj.Get##Name(); }
#define DOUBLE_FIELD(obj, Name) \
    #obj "." #Name, [&](double v) { return obj.Set##Name(v); }, [&]() { return obj.Get##Name(); }
#define FLOAT_FIELD(obj, Name) \
    #obj "." #Name, [&](float v) { return obj.Set##Name(v); }, [&]() { return obj.Get##Name(); }

TEST_F(SettingSetterTest, ColourNumbersTakeTheTableByLayerOwnRgbAndUndefined)
{
    std::vector<Case<short>> cases;
    for (auto field : std::vector<Case<short>>{{SHORT_FIELD(general, ColorNo), 0, true},
                                              {SHORT_FIELD(marker, ColorNo), 0, true},
                                              {SHORT_FIELD(text, ColorNo), 0, true},
                                              {SHORT_FIELD(lead, ColorNo), 0, true},
                                              {SHORT_FIELD(balloon, LeadColorNo), 0, true},
                                              {SHORT_FIELD(dim, ProjectionColorNo), 0, true},
                                              {SHORT_FIELD(hatch, SolidColorNo), 0, true},
                                              {SHORT_FIELD(ole, BackColorNo), 0, true}}) {
        for (auto [value, ok] : std::vector<std::pair<short, bool>>{
                 {0, true}, {1, true}, {256, true}, {-1, true}, {32767, true}, {257, false}, {-2, false},
                 {32766, false}, {-32768, false}}) {
            Case<short> c = field;
            c.value = value;
            c.accepted = ok;
            cases.push_back(c);
        }
    }
    RunCases(cases);
}

TEST_F(SettingSetterTest, LineTypeAndWidthNumbers)
{
    RunCases<short>({{SHORT_FIELD(general, LineTypeNo), 0, true},
                     {SHORT_FIELD(general, LineTypeNo), 32766, true},
                     {SHORT_FIELD(general, LineTypeNo), 32767, true},
                     {SHORT_FIELD(general, LineTypeNo), -1, false},
                     {SHORT_FIELD(general, LineWidthNo), 15, true},
                     {SHORT_FIELD(general, LineWidthNo), 16, false},
                     {SHORT_FIELD(general, LineWidthNo), 32767, true},
                     {SHORT_FIELD(general, LineWidthNo), -1, false},
                     {SHORT_FIELD(dim, ProjectionWidthNo), 16, false},
                     {SHORT_FIELD(hatch, RegionLineTypeNo), -5, false},
                     {SHORT_FIELD(balloon, LeadLineWidthNo), 9, true}});
}

TEST_F(SettingSetterTest, PointMarker)
{
    RunCases<int>({{INT_FIELD(marker, Type), 9, true},
                   {INT_FIELD(marker, Type), 10, false},
                   {INT_FIELD(marker, Type), -1, true},
                   {INT_FIELD(marker, Type), -2, false}});
    RunCases<double>({{DOUBLE_FIELD(marker, Size), 0.0, false},
                      {DOUBLE_FIELD(marker, Size), 1e-9, true},
                      {DOUBLE_FIELD(marker, Size), 2.5e15, false},
                      {DOUBLE_FIELD(marker, Size), DBL_MAX, true},
                      {DOUBLE_FIELD(marker, Size), kNaN, false},
                      {DOUBLE_FIELD(marker, RotateAngle), 0.0, true},
                      {DOUBLE_FIELD(marker, RotateAngle), 359.999, true},
                      {DOUBLE_FIELD(marker, RotateAngle), 360.0, false},
                      {DOUBLE_FIELD(marker, RotateAngle), -0.5, false}});
}

TEST_F(SettingSetterTest, Text)
{
    RunCases<double>({{DOUBLE_FIELD(text, Height), 0.0, false},
                      {DOUBLE_FIELD(text, Height), 1e15, false},
                      {DOUBLE_FIELD(text, Height), 2.5, true},
                      {DOUBLE_FIELD(text, WidthRatio), 0.01, true},
                      {DOUBLE_FIELD(text, WidthRatio), 0.005, false},
                      {DOUBLE_FIELD(text, WidthRatio), 100.0, true},
                      {DOUBLE_FIELD(text, WidthRatio), 100.01, false},
                      {DOUBLE_FIELD(text, SlantAngle), -85.0, true},
                      {DOUBLE_FIELD(text, SlantAngle), 85.0, true},
                      {DOUBLE_FIELD(text, SlantAngle), -85.5, false},
                      {DOUBLE_FIELD(text, CharSpacing), 0.0, true},
                      {DOUBLE_FIELD(text, CharSpacing), -0.1, false},
                      {DOUBLE_FIELD(text, LineSpacing), kInf, false},
                      {DOUBLE_FIELD(text, LineSpacing), DBL_MAX, true}});
    RunCases<int>({{INT_FIELD(text, Direction), 1, true},
                   {INT_FIELD(text, Direction), 2, false},
                   {INT_FIELD(text, BasePointPosition), 8, true},
                   {INT_FIELD(text, BasePointPosition), 9, false},
                   {INT_FIELD(text, BasePointPosition), -1, true}});
    EXPECT_TRUE(text.SetOption4(2));
    EXPECT_FALSE(text.SetOption4(3));
    EXPECT_EQ(2, text.GetStyleFlag());
    EXPECT_FALSE(text.SetFontName(CString()));
    EXPECT_TRUE(text.SetFontName(CString(u"Serif")));
    EXPECT_EQ(CString(u"Serif"), text.GetFontName());
}

TEST_F(SettingSetterTest, LeadAndBalloon)
{
    RunCases<int>({{INT_FIELD(lead, Type), 13, true},
                   {INT_FIELD(lead, Type), 14, false},
                   {INT_FIELD(lead, TextColorDifferentLead), 2, true},
                   {INT_FIELD(lead, TextColorDifferentLead), 3, false},
                   {INT_FIELD(balloon, Type), 1, true},
                   {INT_FIELD(balloon, Type), 2, false}});
    RunCases<double>({{DOUBLE_FIELD(lead, Size), 0.0, false},
                      {DOUBLE_FIELD(lead, TextPosAngle), 360.0, false},
                      {DOUBLE_FIELD(lead, VerticalDistance), -1e15 + 1e3, true},
                      {DOUBLE_FIELD(lead, VerticalDistance), -1e15, false},
                      {DOUBLE_FIELD(lead, DistanceFromLastPoint), -1.0, false},
                      {DOUBLE_FIELD(lead, UnderLineExtension), 0.0, true},
                      {DOUBLE_FIELD(balloon, Size), 0.0, false},
                      {DOUBLE_FIELD(balloon, LeadArrowSize), 2.4e15, true}});
    TextSetting font = lead.GetTextFont();
    EXPECT_TRUE(font.SetHeight(7.0));
    EXPECT_TRUE(lead.SetTextFont(font));
    EXPECT_EQ(7.0, lead.GetTextFont().GetHeight());
}

TEST_F(SettingSetterTest, Dimension)
{
    RunCases<double>({{DOUBLE_FIELD(dim, ArrowSize1), 0.0, false},
                      {DOUBLE_FIELD(dim, OutsideLength2), 0.0, true},
                      {DOUBLE_FIELD(dim, Distance), -3.0, true},
                      {DOUBLE_FIELD(dim, DimValuePosAngle), 360.0, false},
                      {DOUBLE_FIELD(dim, Round), -1.0, false},
                      {DOUBLE_FIELD(dim, LengthDimValueScale), 1e-100, false},
                      {DOUBLE_FIELD(dim, LengthDimValueScale), 1e-99, true},
                      {DOUBLE_FIELD(dim, LengthDimValueScale), 1e100, false},
                      {DOUBLE_FIELD(dim, InsideAdditionTextSizeRatio), 0.25, true},
                      {DOUBLE_FIELD(dim, InsideAdditionTextSizeRatio), 0.2, false},
                      {DOUBLE_FIELD(dim, PostAdditionTextSizeRatio), 1.0, true},
                      {DOUBLE_FIELD(dim, ToleranceTextSizeRatio), 1.01, false},
                      {DOUBLE_FIELD(dim, Tolerance1), -0.05, true}});
    RunCases<int>({{INT_FIELD(dim, ToleranceType), 6, true},
                   {INT_FIELD(dim, ToleranceType), 7, false},
                   {INT_FIELD(dim, LengthUnitFormatType), 4, true},
                   {INT_FIELD(dim, LengthUnitFormatType), 5, false},
                   {INT_FIELD(dim, AngleUnitFormatType), 4, false},
                   {INT_FIELD(dim, HorizonPos), 6, true},
                   {INT_FIELD(dim, ArrowType2), 14, false}});
    RunCases<short>({{SHORT_FIELD(dim, Precision), 8, true},
                     {SHORT_FIELD(dim, Precision), 9, false},
                     {SHORT_FIELD(dim, AnglePrecision), -1, true},
                     {SHORT_FIELD(dim, TolerancePrecision), -2, false}});
    CString longText;
    for (int i = 0; i < 257; ++i)
        longText += u'x';
    EXPECT_FALSE(dim.SetPostAdditionText1(longText));
    EXPECT_TRUE(dim.SetPostAdditionText1(longText.Left(256)));
    EXPECT_TRUE(dim.SetPreAdditionText(CString()));
}

TEST_F(SettingSetterTest, HatchImageAndOle)
{
    RunCases<int>({{INT_FIELD(hatch, HatchType), 2, true},
                   {INT_FIELD(hatch, HatchType), 3, false},
                   {INT_FIELD(hatch, PatternType), 52, true},
                   {INT_FIELD(hatch, PatternType), 53, false}});
    RunCases<float>({{FLOAT_FIELD(hatch, Transparency), 0.0f, true},
                     {FLOAT_FIELD(hatch, Transparency), 1.0f, true},
                     {FLOAT_FIELD(hatch, Transparency), 1.01f, false},
                     {FLOAT_FIELD(hatch, Transparency), FLT_MAX, true},
                     {FLOAT_FIELD(image, Contrast), -0.01f, false},
                     {FLOAT_FIELD(image, Brightness), 0.25f, true},
                     {FLOAT_FIELD(ole, ScaleX), 0.0f, false},
                     {FLOAT_FIELD(ole, ScaleY), 250.0f, true}});
    RunCases<double>({{DOUBLE_FIELD(ole, Width), 2.5e15, false}, {DOUBLE_FIELD(ole, Height), DBL_MAX, true}});
    EXPECT_TRUE(hatch.SetPatternID(-1));
    EXPECT_FALSE(hatch.SetPatternID(-2));
    EXPECT_TRUE(hatch.SetPatternID(0x7FFFFFFF));
    EXPECT_FALSE(hatch.SetPatternID(0x80000000L));  // ids are stored in 32 bits
    EXPECT_EQ(53, HatchSetting::GetPatternSize());
    EXPECT_EQ(CString(u"Horizontal"), HatchSetting::GetPatternName(0));
    EXPECT_EQ(CString(u"Solid diamond"), HatchSetting::GetPatternName(52));
    EXPECT_TRUE(HatchSetting::GetPatternName(53).IsEmpty());
    EXPECT_TRUE(HatchSetting::GetPatternName(-1).IsEmpty());
}

}  // namespace
