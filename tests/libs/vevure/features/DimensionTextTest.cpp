// The text of a dimension: numbers in the style's formats, the parts in their order and sizes, their extents,
// one part as a text where the dimension shows it, and extreme styles that stay bounded.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DimensionLayout.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionText.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/VeVureEnums.h"

namespace {

// A horizontal dimension of 100 from (0, 0), its line 20 above.
LinearDimension2dFeature Horizontal(double length = 100.0)
{
    return LinearDimension2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(length, 0), 20.0, 90.0, 0.0);
}

template <class F>
void Restyle(Dimension2dFeatureBase& d, F change)
{
    DimensionSetting s(d.GetDimensionSetting());
    change(s);
    ASSERT_TRUE(d.SetDimensionSetting(s));
}

struct Box {
    double l = 0, b = 0, r = 0, t = 0;
};

Box PartBox(const DimensionText& text, int part)
{
    Box box;
    EXPECT_TRUE(text.GetPartBox(part, box.l, box.b, box.r, box.t)) << "part " << part;
    return box;
}

}  // namespace

TEST(DimensionText, LengthsInTheStyleFormats)
{
    struct Case {
        double value, scale;
        int format, precision, zeros, separate;
        double round;
        int sign;
        const char16_t* expected;
    } cases[] = {
        {1234.5678, 1.0, LengthUnitDecimal, 2, 1, DimSeparateNone, 0.0, 0, u"1234.57"},
        {12.5, 1.0, LengthUnitDecimal, 3, 0, DimSeparateNone, 0.0, 0, u"12.5"},    // zeros dropped
        {12.5, 1.0, LengthUnitDecimal, 3, 1, DimSeparateNone, 0.0, 0, u"12.500"},  // zeros kept
        {12.0, 1.0, LengthUnitDecimal, 2, 0, DimSeparateNone, 0.0, 0, u"12"},
        {12.5, 2.0, LengthUnitDecimal, 2, 0, DimSeparateNone, 0.0, 0, u"25"},      // value scale
        {12.3, 1.0, LengthUnitDecimal, 2, 1, DimSeparateNone, 0.5, 0, u"12.50"},   // rounded to 0.5
        {12.2, 1.0, LengthUnitDecimal, 0, 1, DimSeparateNone, 5.0, 0, u"10"},
        {1234567.891, 1.0, LengthUnitDecimal, 2, 1, DimSeparateComma, 0.0, 0, u"1,234,567.89"},
        {1234567.891, 1.0, LengthUnitDecimal, 0, 1, DimSeparateSpace, 0.0, 0, u"1 234 568"},
        {999.0, 1.0, LengthUnitDecimal, 0, 1, DimSeparateComma, 0.0, 0, u"999"},
        {-5.25, 1.0, LengthUnitDecimal, 2, 1, DimSeparateNone, 0.0, 0, u"5.25"},   // the magnitude
        {-5.25, 1.0, LengthUnitDecimal, 2, 1, DimSeparateNone, 0.0, 1, u"-5.25"},  // the sign kept
        {12.5, 1.0, LengthUnitFraction, 2, 1, DimSeparateNone, 0.0, 0, u"12 1/2"},
        {1250.0, 1.0, LengthUnitExponent, 2, 1, DimSeparateNone, 0.0, 0, u"1.25E+03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.expected).ToQString().toStdString());
        EXPECT_EQ(DimensionText::ConvertDimValueToText(c.value, c.scale, c.format, c.precision, c.zeros, c.separate,
                                                       c.round, c.sign),
                  CString(c.expected));
    }
    // Feet and inches from millimetres: 368.3 mm is 14 1/2 inches.
    const CString feet = DimensionText::ConvertDimValueToText(368.3, 1.0, LengthUnitFeetInchFraction, 1, 1, 0, 0.0, 0);
    EXPECT_NE(feet.Find(u'\''), -1);
    EXPECT_NE(feet.Find(CString(u"1/2")), -1);
    // Nothing for what cannot be written.
    EXPECT_TRUE(DimensionText::ConvertDimValueToText(NAN, 1.0, 0, 2, 1, 0, 0.0, 0).IsEmpty());
    EXPECT_TRUE(DimensionText::ConvertDimValueToText(1e300, 1e300, 0, 2, 1, 0, 0.0, 0).IsEmpty());
    EXPECT_TRUE(DimensionText::ConvertDimValueToText(1.0, 1.0, 0, 9, 1, 0, 0.0, 0).IsEmpty());
    EXPECT_TRUE(DimensionText::ConvertDimValueToText(1.0, 1.0, 7, 2, 1, 0, 0.0, 0).IsEmpty());
}

TEST(DimensionText, ValueTextFollowsTheStyleAndTheKind)
{
    LinearDimension2dFeature linear = Horizontal(1234.5);
    EXPECT_EQ(linear.GetValueText(), CString(u"1234.5"));
    Restyle(linear, [](DimensionSetting& s) {
        s.SetToFullWidth(1);
        s.SetZeroVisible(1);
        s.SetSeparateTextType(DimSeparateComma);
    });
    EXPECT_EQ(linear.GetValueText(), CString(u"\uFF11\uFF0C\uFF12\uFF13\uFF14\uFF0E\uFF15\uFF10"));  // 1,234.50
    linear.SetValueText(CString(u"A"));
    linear.SetValueTextManualMode(TRUE);
    EXPECT_EQ(linear.GetValueText(), CString(u"A"));

    AngularDimension2dFeature angular(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), RuVaPnt2d(0, 10), 5.0);
    EXPECT_EQ(angular.GetValueText(), CString(u"90\u00B0"));
    Restyle(angular, [](DimensionSetting& s) {
        s.SetAngleUnitFormatType(AngleUnitRadian);
        s.SetAnglePrecision(3);
    });
    EXPECT_EQ(angular.GetValueText(), CString(u"1.571r"));
}

TEST(DimensionText, PartsRunInOrderInTheirSizes)
{
    DiameterDimension2dFeature d(RuVaPnt2d(0, 0), RuVaPnt2d(40, 0));
    Restyle(d, [](DimensionSetting& s) {
        TextSetting font(s.GetDimTextFont());
        font.SetHeight(4.0);
        s.SetDimTextFont(font);
        s.SetAddRPhi(1);
        s.SetPreAdditionText(CString(u"2-"));
        s.SetInsideAdditionText1(CString(u"H"));
        s.SetInsideAdditionText2(CString(u"7"));
        s.SetInsideAdditionTextType(DimAddTextTwoSteps);
        s.SetInsideAdditionTextSizeRatio(0.5);
        s.SetToleranceType(DimToleranceDeviation);
        s.SetTolerance1(0.1);
        s.SetTolerance2(-0.2);
        s.SetTolerancePrecision(2);
        s.SetToleranceTextSizeRatio(0.5);
        s.SetPostAdditionText1(CString(u"thru"));
    });
    const DimensionText text(&d);
    const int order[] = {DimensionText::PartPreText, DimensionText::PartSign, DimensionText::PartValue,
                         DimensionText::PartInsideText1, DimensionText::PartToleranceUpper,
                         DimensionText::PartPostText1};
    for (size_t i = 1; i < sizeof(order) / sizeof(order[0]); ++i)
        EXPECT_LE(PartBox(text, order[i - 1]).r, PartBox(text, order[i]).l + 1e-9) << "after part " << order[i - 1];
    // The inside texts and the tolerance stand one over the other at half size.
    const Box in1 = PartBox(text, DimensionText::PartInsideText1), in2 = PartBox(text, DimensionText::PartInsideText2);
    EXPECT_NEAR(in1.t - in1.b, 2.0, 1e-9);
    EXPECT_GT(in1.b, in2.t);
    const Box up = PartBox(text, DimensionText::PartToleranceUpper), low = PartBox(text, DimensionText::PartToleranceLower);
    EXPECT_GT(up.b, low.t);
    EXPECT_NEAR(up.t - up.b, 2.0, 1e-9);
    // Texts of each part.
    CString upper, lower, sign;
    for (int i = 0; i < text.GetItemCount(); ++i) {
        const DimensionText::Item& it = text.GetItem(i);
        if (it.nPart == DimensionText::PartToleranceUpper)
            upper = it.text;
        if (it.nPart == DimensionText::PartToleranceLower)
            lower = it.text;
        if (it.nPart == DimensionText::PartSign)
            sign = it.text;
    }
    EXPECT_EQ(upper, CString(u"+0.1"));
    EXPECT_EQ(lower, CString(u"-0.2"));
    EXPECT_EQ(sign, CString(u"\u03C6"));
    // The origin stands at the middle of the row.
    EXPECT_NEAR(text.GetLeftExtent(), text.GetRightExtent(), 1e-9);
    EXPECT_NEAR(text.GetTextWidth(), PartBox(text, DimensionText::PartPostText1).r - PartBox(text, DimensionText::PartPreText).l,
                1e-9);
    // A part the style does not have.
    double l, b, r, t;
    EXPECT_FALSE(text.GetPartBox(DimensionText::PartArcMark, l, b, r, t));
    EXPECT_FALSE(text.GetPartBox(DimensionText::PartPostText2, l, b, r, t));
}

TEST(DimensionText, ToleranceKinds)
{
    struct Case {
        int kind;
        int visibleValue;
        bool value, single, upper, lines;
    } cases[] = {
        {DimToleranceNone, 1, true, false, false, false},
        {DimToleranceSymmetric, 1, true, true, false, false},
        {DimToleranceDeviation, 1, true, false, true, false},
        {DimToleranceLimits, 1, false, false, true, false},  // the two limits replace the value
        {DimToleranceBasic, 1, true, false, false, true},    // a frame round the value
        {DimToleranceSymmetric, 0, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        LinearDimension2dFeature d = Horizontal(50.0);
        Restyle(d, [&](DimensionSetting& s) {
            s.SetToleranceType(c.kind);
            s.SetTolerance1(0.1);
            s.SetTolerance2(-0.1);
            s.SetVisibleDimValue(c.visibleValue);
        });
        const DimensionText text(&d);
        double l, b, r, t;
        EXPECT_EQ(text.GetPartBox(DimensionText::PartValue, l, b, r, t) != 0, c.value);
        EXPECT_EQ(text.GetPartBox(DimensionText::PartTolerance, l, b, r, t) != 0, c.single);
        EXPECT_EQ(text.GetPartBox(DimensionText::PartToleranceUpper, l, b, r, t) != 0, c.upper);
        EXPECT_EQ(!text.GetLines().empty(), c.lines);
        if (c.kind == DimToleranceLimits) {
            for (int i = 0; i < text.GetItemCount(); ++i) {
                if (text.GetItem(i).nPart == DimensionText::PartToleranceUpper)
                    EXPECT_EQ(text.GetItem(i).text, CString(u"50.1"));
                if (text.GetItem(i).nPart == DimensionText::PartToleranceLower)
                    EXPECT_EQ(text.GetItem(i).text, CString(u"49.9"));
            }
        }
        if (c.kind == DimToleranceSymmetric)
            for (int i = 0; i < text.GetItemCount(); ++i)
                if (text.GetItem(i).nPart == DimensionText::PartTolerance)
                    EXPECT_EQ(text.GetItem(i).text, CString(u"\u00B10.1"));
    }
}

TEST(DimensionText, APartAsATextWhereTheDimensionShowsIt)
{
    LinearDimension2dFeature d = Horizontal();
    Restyle(d, [](DimensionSetting& s) { s.SetPreAdditionText(CString(u"AA")); });
    Text2dFeature value, pre, whole, none;
    ASSERT_TRUE(DimensionText::GetDimPartsTextFeature(&d, DimensionText::PartValue, &value));
    ASSERT_TRUE(DimensionText::GetDimPartsTextFeature(&d, DimensionText::PartPreText, &pre));
    ASSERT_TRUE(DimensionText::GetDimPartsTextFeature(&d, DimensionText::PartWhole, &whole));
    EXPECT_EQ(value.GetText(), CString(u"100"));
    EXPECT_EQ(pre.GetText(), CString(u"AA"));
    EXPECT_EQ(whole.GetText(), CString(u"AA100"));
    // Above the dimension line (y = 20) by the distance, level, the value right of the text before it.
    EXPECT_NEAR(value.GetBndBox().YMin(), 20.0 + d.GetDimensionSetting().GetDistance(), 1e-9);
    EXPECT_NEAR(value.GetAngle(), 0.0, 1e-9);
    EXPECT_NEAR(pre.GetBndBox().XMax(), value.GetBndBox().XMin(), 1e-9);
    EXPECT_NEAR(0.5 * (whole.GetBndBox().XMin() + whole.GetBndBox().XMax()), 50.0, 1e-9);
    EXPECT_FALSE(DimensionText::GetDimPartsTextFeature(&d, DimensionText::PartPostText1, &none));
    EXPECT_FALSE(DimensionText::GetDimPartsTextFeature(&d, 99, &none));
    EXPECT_FALSE(DimensionText::GetDimPartsTextFeature(nullptr, DimensionText::PartValue, &none));
    // A value of its own replaces the measured one, as the style previews measure.
    const DimensionText sample(&d, 1234.56789);
    EXPECT_GT(sample.GetTextWidth(), DimensionText(&d).GetTextWidth());
}

TEST(DimensionText, ExtremeStylesStayBounded)
{
    const CString longText(u'W', 256);
    LinearDimension2dFeature d = Horizontal(1e-3);
    Restyle(d, [&](DimensionSetting& s) {
        s.SetArrowSize1(1e14);
        s.SetArrowSize2(1e14);
        s.SetPrecision(8);
        s.SetZeroVisible(1);
        s.SetPreAdditionText(longText);
        s.SetPostAdditionText1(longText);
        s.SetInsideAdditionText1(longText);
        TextSetting font(s.GetDimTextFont());
        font.SetHeight(1e-9);
        s.SetDimTextFont(font);
    });
    const RuVaBndBox2d box = d.GetBndBox();
    EXPECT_FALSE(box.IsVoid());
    EXPECT_TRUE(std::isfinite(box.XMin()) && std::isfinite(box.XMax()) && std::isfinite(box.YMax()));
    EXPECT_LT(d.GetLayout().GetPieces().size(), 20u);
    EXPECT_EQ(d.GetValueText(), CString(u"0.00100000"));
}
