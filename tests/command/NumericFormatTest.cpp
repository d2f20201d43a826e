// The program-wide number format: which format, precision and constants reach the converter, how
// a document's formats are taken over, and text to numbers and back in every format.

#include <gtest/gtest.h>

#include "command/NumericFormat.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/InputConstValue.h"
#include "libs/vevure/NumericCharConverter.h"

namespace {

class NumericFormatTest : public ::testing::Test
{
protected:
    void SetUp() override { NumericFormat::ResetState(); }
    void TearDown() override { NumericFormat::ResetState(); }

    // A document with the given formats, taken over as the current state.
    void UseDocument(int lengthFormat, int distPrecision, int angleFormat, int anglePrecision)
    {
        Draw2dDocument doc;
        doc.InitDocument();
        ASSERT_TRUE(doc.SetLengthUnitFormatType(lengthFormat, 0));
        ASSERT_TRUE(doc.SetDistPrecision(distPrecision, 0));
        ASSERT_TRUE(doc.SetAngleUnitFormatType(angleFormat, 0));
        ASSERT_TRUE(doc.SetAnglePrecision(anglePrecision, 0));
        ASSERT_TRUE(NumericFormat::UpdateFromDocument(&doc));
    }
};

}  // namespace

TEST_F(NumericFormatTest, StartStateIsDecimalWithTwoPlaces)
{
    EXPECT_EQ(NumericFormat::GetLengthUnitFormatType(), 0);
    EXPECT_EQ(NumericFormat::GetDistPrecision(), 2);
    EXPECT_EQ(NumericFormat::GetAngleUnitFormatType(), 0);
    EXPECT_EQ(NumericFormat::GetAnglePrecision(), 0);
    EXPECT_EQ(NumericFormat::GetInputConstValue(), nullptr);
    CString text;
    ASSERT_TRUE(NumericFormat::DoubleToString(12.345, text));
    CString expected;
    NumericCharConverter::DoubleToString(12.345, expected, 0, 2, 0);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text, CString(_T("12.35")));
}

TEST_F(NumericFormatTest, LengthFormatFlagOnlyForFeetAndInches)
{
    const int expected[] = {0, 1, 1, 0, 0};
    for (int f = 0; f <= 4; ++f) {
        UseDocument(f, 2, 0, 0);
        EXPECT_EQ(NumericFormat::GetLengthFormatFlag(), expected[f]) << f;
    }
}

// Every length format and a spread of precisions and flags: the defaults stand for the current
// state, explicit arguments pass through, a positive flag becomes 1 and any other flag 0.
TEST_F(NumericFormatTest, DoubleToStringHandsTheStateToTheConverter)
{
    const double values[] = {0.0, 12.5, -368.3, 1234567.891, 1e-5};
    for (int format = 0; format <= 4; ++format) {
        for (int precision : {0, 2, 4, 8}) {
            UseDocument(format, precision, 0, 0);
            for (double v : values) {
                for (int flag : {-1, 0, 1, 7}) {
                    CString viaState, direct;
                    const BOOL a = NumericFormat::DoubleToString(v, viaState, -1, -1, flag);
                    const BOOL b = NumericCharConverter::DoubleToString(v, direct, format, precision, flag > 0 ? 1 : 0);
                    EXPECT_EQ(a, b);
                    EXPECT_EQ(viaState, direct) << format << "/" << precision << "/" << v << "/" << flag;
                }
                CString fixed, direct;
                NumericFormat::DoubleToString(v, fixed, 3, 1);
                NumericCharConverter::DoubleToString(v, direct, 3, 1, 0);
                EXPECT_EQ(fixed, direct);
            }
        }
    }
}

TEST_F(NumericFormatTest, AngleAndPointUseTheirOwnState)
{
    for (int format = 0; format <= 3; ++format) {
        for (int precision : {0, 3, 6}) {
            UseDocument(2, 5, format, precision);
            CString viaState, direct;
            NumericFormat::AngleToString(45.5042, viaState, -1, -1, _T("deg"));
            NumericCharConverter::AngleToString(45.5042, direct, format, precision, _T("deg"), 0);
            EXPECT_EQ(viaState, direct) << format << "/" << precision;
            CString point, pointDirect;
            NumericFormat::PointToString(RuVaPnt2d(1.25, -3), point);
            NumericCharConverter::PointToString(RuVaPnt2d(1.25, -3), pointDirect, 2, 5, 0);
            EXPECT_EQ(point, pointDirect);
        }
    }
}

TEST_F(NumericFormatTest, FormattingAnchors)
{
    struct Case { int format, precision, flag; double value; const char16_t* text; } cases[] = {
        {0, 2, 0, 12.5, u"12.5"},
        {0, 2, 1, 12.5, u"12.50"},
        {0, 0, 0, 12.6, u"13"},
        {3, 2, 0, 12.5, u"1.25E+01"},
        {1, 1, 0, 368.3, u"1'-2 1/2\""},
        {2, 1, 0, 368.3, u"1'-2.5\""},
        {4, 1, 0, 12.5, u"12 1/2"},
    };
    for (const Case& c : cases) {
        CString text;
        ASSERT_TRUE(NumericFormat::DoubleToString(c.value, text, c.format, c.precision, c.flag));
        EXPECT_EQ(text, CString(c.text)) << c.format << "/" << c.precision;
    }
    struct AngleCase { int format, precision; double degrees; const char16_t* text; } angles[] = {
        {0, 2, 45.5, u"45.5"},
        {1, 4, 45.5042, u"45°30'15\""},
        {3, 0, 45.0, u"50g"},
    };
    for (const AngleCase& c : angles) {
        CString text;
        ASSERT_TRUE(NumericFormat::AngleToString(c.degrees, text, c.format, c.precision, CString()));
        EXPECT_EQ(text, CString(c.text)) << c.format;
    }
}

TEST_F(NumericFormatTest, ParsingFollowsTheLengthFormatAndConstants)
{
    double v = 0;
    ASSERT_TRUE(NumericFormat::StringToDouble(_T("2*(3+4)"), v));
    EXPECT_DOUBLE_EQ(v, 14.0);
    EXPECT_FALSE(NumericFormat::StringToDouble(_T("1'-2 1/2\""), v));  // not in decimal format
    UseDocument(1, 4, 0, 0);
    ASSERT_TRUE(NumericFormat::StringToDouble(_T("1'-2 1/2\""), v));
    EXPECT_NEAR(v, 368.3, 1e-9);

    // The named constants are seen only once they are handed over.
    EXPECT_FALSE(NumericFormat::StringToDouble(_T("3k"), v));
    InputConstValue constants;
    constants.Add(_T("k"), 1000.0);
    NumericFormat::SetInputConstValue(&constants);
    ASSERT_TRUE(NumericFormat::StringToDouble(_T("3k"), v));
    EXPECT_DOUBLE_EQ(v, 3000.0);
    int n = 0;
    ASSERT_TRUE(NumericFormat::StringToInteger(_T("2k"), n));
    EXPECT_EQ(n, 2000);
    NumericFormat::SetInputConstValue(nullptr);
    EXPECT_FALSE(NumericFormat::StringToInteger(_T("2k"), n));

    EXPECT_EQ(NumericFormat::GetFormatType(_T("1,2")), NumericTextPoint);
    EXPECT_EQ(NumericFormat::GetFormatType(_T("12")), NumericTextNumber);
    EXPECT_TRUE(NumericFormat::IsXCoordinatesFormat(_T("@12")));
}

TEST_F(NumericFormatTest, PointInputMode)
{
    RuVaPnt2d p;
    int relative = -1, polar = -1;
    ASSERT_TRUE(NumericFormat::StringToPoint(_T("3,4"), p, relative, polar));
    EXPECT_EQ(relative, 0);
    EXPECT_EQ(p.X(), 3.0);
    EXPECT_TRUE(NumericFormat::SetPointParameterInputMode(PointInputRelative));
    ASSERT_TRUE(NumericFormat::StringToPoint(_T("3,4"), p, relative, polar));
    EXPECT_EQ(relative, 1);
    ASSERT_TRUE(NumericFormat::StringToPoint(_T("10<90"), p, relative, polar));
    EXPECT_EQ(polar, 1);
}

TEST_F(NumericFormatTest, DocumentUpdateTakesEveryValue)
{
    UseDocument(3, 5, 1, 6);
    EXPECT_EQ(NumericFormat::GetLengthUnitFormatType(), 3);
    EXPECT_EQ(NumericFormat::GetDistPrecision(), 5);
    EXPECT_EQ(NumericFormat::GetAngleUnitFormatType(), 1);
    EXPECT_EQ(NumericFormat::GetAnglePrecision(), 6);
    EXPECT_FALSE(NumericFormat::UpdateFromDocument(nullptr));
    EXPECT_EQ(NumericFormat::GetLengthUnitFormatType(), 3);
}
