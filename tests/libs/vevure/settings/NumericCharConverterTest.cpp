// Numbers, points and angles to text and back in every unit format.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/InputConstValue.h"
#include "libs/vevure/NumericCharConverter.h"
#include "platform/afx/CString.h"

namespace {

struct ToTextCase {
    double value;
    int format;
    int precision;
    int flag;
    const char* expected;  // nullptr: refused
};

TEST(NumericCharConverterTest, LengthsToText)
{
    const ToTextCase cases[] = {
        {12.5, 0, 2, 1, "12.50"},
        {12.5, 0, 2, 0, "12.5"},
        {12.0, 0, 3, 0, "12"},
        {-0.001, 0, 2, 1, "0.00"},
        {-1.005, 0, 0, 1, "-1"},
        {0.123456789, 0, 8, 1, "0.12345679"},
        {1234.5, 3, 2, 1, "1.23E+03"},
        {1000.0, 3, 3, 1, "1.000E+03"},
        {1000.0, 3, 3, 0, "1E+03"},
        {-0.00025, 3, 1, 0, "-2.5E-04"},
        {368.3, 1, 1, 0, "1'-2 1/2\""},  // 14.5 inches
        {368.3, 1, 0, 0, "1'-3\""},
        {12.7, 1, 2, 0, "1/2\""},
        {12.7, 1, 2, 1, "0'-0 1/2\""},
        {304.8, 1, 4, 0, "1'-0\""},
        {-368.3, 1, 3, 0, "-1'-2 1/2\""},
        {368.3, 2, 2, 1, "1'-2.50\""},
        {368.3, 2, 2, 0, "1'-2.5\""},
        {25.4 * 11.999, 2, 2, 0, "1'-0\""},  // rounding carries into the feet
        {12.5, 4, 2, 0, "12 1/2"},
        {0.25, 4, 2, 0, "1/4"},
        {-3.375, 4, 3, 0, "-3 3/8"},
        {2.0, 4, 8, 0, "2"},
        {0.3, 4, 1, 0, "1/2"},
        {1.0, 5, 2, 0, nullptr},
        {1.0, -1, 2, 0, nullptr},
        {1.0, 0, 9, 0, nullptr},
        {1.0, 0, -1, 0, nullptr},
        {std::numeric_limits<double>::quiet_NaN(), 0, 2, 0, nullptr},
        {std::numeric_limits<double>::infinity(), 3, 2, 0, nullptr},
        {1e300, 4, 8, 0, nullptr},
        {1e300, 1, 2, 0, nullptr},
    };
    for (const ToTextCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " format " + std::to_string(c.format) + " precision " +
                     std::to_string(c.precision));
        CString text(u"unchanged");
        const BOOL ok = NumericCharConverter::DoubleToString(c.value, text, c.format, c.precision, c.flag);
        if (c.expected == nullptr) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(CString(u"unchanged"), text);
        } else {
            EXPECT_TRUE(ok);
            EXPECT_EQ(CString(c.expected), text);
        }
    }
}

TEST(NumericCharConverterTest, AnglesToText)
{
    const ToTextCase cases[] = {
        {45.5, 0, 1, 0, "45.5°"},
        {45.0, 0, 2, 1, "45.00°"},
        {45.504166666666, 1, 4, 1, "45°30'15\""},
        {45.504166666666, 1, 3, 1, "45°30'15\""},
        {5.1, 1, 4, 1, "5°06'00\""},
        {45.5, 1, 2, 1, "45°30'"},
        {45.5, 1, 0, 1, "46°"},
        {0.999999, 1, 2, 1, "1°00'"},       // rounding carries into the degrees
        {-10.25, 1, 5, 1, "-10°15'00.0\""},
        {10.2500417, 1, 6, 0, "10°15'00.15\""},
        {45.0, 1, 7, 1, nullptr},
        {180.0, 2, 4, 1, "3.1416r"},
        {90.0, 3, 1, 0, "100g"},
        {90.0, 4, 1, 0, nullptr},
    };
    for (const ToTextCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " format " + std::to_string(c.format));
        CString text;
        const BOOL ok =
            NumericCharConverter::AngleToString(c.value, text, c.format, c.precision, CString(u"°"), c.flag);
        if (c.expected == nullptr) {
            EXPECT_FALSE(ok);
        } else {
            EXPECT_TRUE(ok);
            EXPECT_EQ(CString(c.expected), text);
        }
    }
}

TEST(NumericCharConverterTest, PointsToText)
{
    CString text;
    ASSERT_TRUE(NumericCharConverter::PointToString(RuVaPnt2d(1.5, -2.0), text, 0, 2, 1));
    EXPECT_EQ(CString(u"1.50, -2.00"), text);
    EXPECT_FALSE(NumericCharConverter::PointToString(RuVaPnt2d(1.5, -2.0), text, 9, 2, 1));
}

struct FromTextCase {
    const char* text;
    int lengthFormatFlag;
    double expected;  // NaN: refused
};

TEST(NumericCharConverterTest, TextToNumbers)
{
    InputConstValue constants;
    ASSERT_TRUE(constants.Add('c', 10.0));
    ASSERT_TRUE(constants.Add('i', 25.4));
    ASSERT_TRUE(constants.Add('k', 1000.0));
    ASSERT_TRUE(constants.Add(CString(u"ft"), 304.8));
    const double refused = std::numeric_limits<double>::quiet_NaN();
    const FromTextCase cases[] = {
        {"12.5", 0, 12.5},
        {"  -3 ", 0, -3.0},
        {"3*4+1", 0, 13.0},
        {"(1+2)/4", 0, 0.75},
        {"2-3-4", 0, -5.0},
        {"-(2)", 0, -2.0},
        {"1e3", 0, 1000.0},
        {".5", 0, 0.5},
        {"2i", 0, 50.8},
        {"i", 0, 25.4},
        {"3k+c", 0, 3010.0},
        {"2ft", 0, 609.6},
        {"2ci", 0, 508.0},  // a run of letters is read as several constants
        {"12 1/2", 0, 12.5},
        {"-3 3/8", 0, -3.375},
        {"1 1/2*2", 0, 3.0},
        {"1 /2", 0, 0.5},
        {"1 1/0", 0, refused},
        {"2I", 0, 50.8},
        {"1'-2 1/2\"", 1, 368.3},
        {"1'2\"", 1, 355.6},
        {"2'", 1, 609.6},
        {"6\"", 1, 152.4},
        {"2 1/2\"", 1, 63.5},
        {"1'-1/2\"", 1, 317.5},
        {"-1'-6\"", 1, -457.2},
        {"2'-3", 1, 606.6},   // no inch mark: feet minus millimetres
        {"1'-2 1/2\"", 0, refused},
        {"", 0, refused},
        {"abc", 0, refused},
        {"2x", 0, refused},
        {"1/0", 0, refused},
        {"1e400", 0, refused},
        {"(1+2", 0, refused},
        {"1 2", 0, refused},
        {".", 0, refused},
        {"--", 0, refused},
        {"\uFF11\uFF12\uFF0E\uFF15\u3000\uFF0B\uFF11", 0, 13.5},  // full-width "12.5 +1"
    };
    for (const FromTextCase& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -999.0;
        const BOOL ok = NumericCharConverter::StringToDouble(CString(c.text), value, &constants, c.lengthFormatFlag);
        if (std::isnan(c.expected)) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(-999.0, value);
        } else {
            EXPECT_TRUE(ok);
            EXPECT_NEAR(c.expected, value, 1e-9);
        }
    }
    double v = 0.0;
    EXPECT_FALSE(NumericCharConverter::StringToDouble(CString(u"2i"), v));  // no constants given
    std::string deep(200, '(');
    deep += "1";
    deep += std::string(200, ')');
    EXPECT_FALSE(NumericCharConverter::StringToDouble(CString(deep.c_str()), v));
}

TEST(NumericCharConverterTest, TextToIntegers)
{
    int v = 7;
    EXPECT_TRUE(NumericCharConverter::StringToInteger(CString(u"6*7"), v));
    EXPECT_EQ(42, v);
    EXPECT_TRUE(NumericCharConverter::StringToInteger(CString(u"-2147483648"), v));
    EXPECT_EQ(-2147483647 - 1, v);
    EXPECT_FALSE(NumericCharConverter::StringToInteger(CString(u"2147483648"), v));
    EXPECT_FALSE(NumericCharConverter::StringToInteger(CString(u"1.5"), v));
    EXPECT_FALSE(NumericCharConverter::StringToInteger(CString(u"x"), v));
    EXPECT_EQ(-2147483647 - 1, v);
}

TEST(NumericCharConverterTest, TextToPoints)
{
    struct Case {
        const char* text;
        PointParameterInputMode mode;
        bool ok;
        double x, y;
        int relative, polar;
    } cases[] = {
        {"10,20", PointInputAbsolute, true, 10, 20, 0, 0},
        {" 10 , -2*3 ", PointInputAbsolute, true, 10, -6, 0, 0},
        {"@5,5", PointInputAbsolute, true, 5, 5, 1, 0},
        {"10<45", PointInputAbsolute, true, 10, 45, 0, 1},
        {"@10<45d30'", PointInputAbsolute, true, 10, 45.5, 1, 1},
        {"5,5", PointInputRelative, true, 5, 5, 1, 0},
        {"#5,5", PointInputRelative, true, 5, 5, 0, 0},
        {"(1,2)", PointInputAbsolute, false, 0, 0, 0, 0},
        {"10", PointInputAbsolute, false, 0, 0, 0, 0},
        {"1,2,3", PointInputAbsolute, false, 0, 0, 0, 0},
        {"1,", PointInputAbsolute, false, 0, 0, 0, 0},
        {"1<2<3", PointInputAbsolute, false, 0, 0, 0, 0},
        {"1<2,3", PointInputAbsolute, false, 0, 0, 0, 0},
        {"@", PointInputAbsolute, false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RuVaPnt2d p(-1, -1);
        int relative = -1;
        int polar = -1;
        const BOOL ok = NumericCharConverter::StringToPoint(CString(c.text), p, relative, polar, nullptr, 0, c.mode);
        EXPECT_EQ(c.ok, ok != FALSE);
        if (c.ok) {
            EXPECT_NEAR(c.x, p.X(), 1e-12);
            EXPECT_NEAR(c.y, p.Y(), 1e-12);
            EXPECT_EQ(c.relative, relative);
            EXPECT_EQ(c.polar, polar);
        } else {
            EXPECT_EQ(RuVaPnt2d(-1, -1), p);
            EXPECT_EQ(-1, relative);
        }
    }
}

TEST(NumericCharConverterTest, TextToAnglesAndScales)
{
    struct Case { const char* text; bool ok; double degrees; } angles[] = {
        {"45", true, 45.0},
        {"-30.5", true, -30.5},
        {"45d30'", true, 45.5},
        {"45°30'15\"", true, 45.50416666666667},
        {"-10°15'", true, -10.25},
        {"30'", true, 0.5},
        {"0.5r", true, 28.64788975654116},
        {"100g", true, 90.0},
        {"45d30", false, 0},
        {"30'45d", false, 0},
        {"x", false, 0},
        {"", false, 0},
    };
    for (const Case& c : angles) {
        SCOPED_TRACE(c.text);
        double d = 0;
        EXPECT_EQ(c.ok, NumericCharConverter::StringToAngle(CString(c.text), d) != FALSE);
        if (c.ok) {
            EXPECT_NEAR(c.degrees, d, 1e-9);
        }
    }

    double x = 0, y = 0;
    EXPECT_TRUE(NumericCharConverter::StringToScale(CString(u"2"), x, y));
    EXPECT_EQ(2.0, x);
    EXPECT_EQ(2.0, y);
    EXPECT_TRUE(NumericCharConverter::StringToScale(CString(u"2, 3"), x, y));
    EXPECT_EQ(3.0, y);
    EXPECT_TRUE(NumericCharConverter::StringToScale(CString(u"1:50"), x, y));
    EXPECT_EQ(0.02, x);
    EXPECT_EQ(0.02, y);
    EXPECT_FALSE(NumericCharConverter::StringToScale(CString(u"1:0"), x, y));
    EXPECT_FALSE(NumericCharConverter::StringToScale(CString(u"1,2,3"), x, y));
    EXPECT_FALSE(NumericCharConverter::StringToScale(CString(u"1:2:3"), x, y));
    EXPECT_FALSE(NumericCharConverter::StringToScale(CString(), x, y));
}

TEST(NumericCharConverterTest, FormatTypeAndLoneXCoordinate)
{
    InputConstValue constants;
    ASSERT_TRUE(constants.Add('m', 1000.0));
    EXPECT_EQ(NumericTextPoint, NumericCharConverter::GetFormatType(CString(u"1,2"), nullptr));
    EXPECT_EQ(NumericTextPoint, NumericCharConverter::GetFormatType(CString(u"@3<90"), nullptr));
    EXPECT_EQ(NumericTextNumber, NumericCharConverter::GetFormatType(CString(u"12"), nullptr));
    EXPECT_EQ(NumericTextNumber, NumericCharConverter::GetFormatType(CString(u"2m"), &constants));
    EXPECT_EQ(NumericTextUnknown, NumericCharConverter::GetFormatType(CString(u"2m"), nullptr));
    EXPECT_EQ(NumericTextUnknown, NumericCharConverter::GetFormatType(CString(u"1,"), nullptr));

    EXPECT_TRUE(NumericCharConverter::IsXCoordinatesFormat(CString(u"12"), nullptr));
    EXPECT_TRUE(NumericCharConverter::IsXCoordinatesFormat(CString(u"@12"), nullptr));
    EXPECT_TRUE(NumericCharConverter::IsXCoordinatesFormat(CString(u"2m"), &constants));
    EXPECT_FALSE(NumericCharConverter::IsXCoordinatesFormat(CString(u"12,"), nullptr));
    EXPECT_FALSE(NumericCharConverter::IsXCoordinatesFormat(CString(u"1,2"), nullptr));
    EXPECT_FALSE(NumericCharConverter::IsXCoordinatesFormat(CString(u""), nullptr));
}

TEST(NumericCharConverterTest, TextRoundTripsInEveryLengthFormat)
{
    const double values[] = {0.0, 1.0, 12.7, 368.3, -457.2, 1234.5678};
    for (double v : values) {
        for (int format : {0, 1, 2, 3, 4}) {
            SCOPED_TRACE(std::to_string(v) + " format " + std::to_string(format));
            CString text;
            ASSERT_TRUE(NumericCharConverter::DoubleToString(v, text, format, 8, 1));
            double back = 0.0;
            ASSERT_TRUE(NumericCharConverter::StringToDouble(text, back, nullptr, format == 1 || format == 2 ? 1 : 0));
            const double step = format == 1   ? 25.4 / 256
                               : format == 2 ? 25.4e-8
                               : format == 4 ? 1.0 / 256
                                             : 1e-6 * std::max(1.0, std::fabs(v));
            EXPECT_NEAR(v, back, step);
        }
    }
}

TEST(InputConstValueTest, NamesValuesAndPositions)
{
    InputConstValue c;
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_TRUE(c.Add('k', 1000.0));
    EXPECT_TRUE(c.Add(CString(u"K"), 2000.0));  // same name ignoring case: new value
    EXPECT_EQ(1, c.GetSize());
    EXPECT_EQ(2000.0, c.GetValueAt(0));
    EXPECT_FALSE(c.Add(CString(u"k2"), 1.0));
    EXPECT_FALSE(c.Add(CString(), 1.0));
    EXPECT_FALSE(c.Add('m', std::numeric_limits<double>::infinity()));
    for (char reserved : {'d', 'e', 'r', 'g', 'E'})
        EXPECT_FALSE(c.Add(reserved, 1.0)) << reserved;
    EXPECT_TRUE(c.Add(CString(u"deg"), 1.0));  // only the single letters are reserved
    EXPECT_TRUE(c.RemoveAt(1));
    EXPECT_TRUE(c.Add('m', 1.0));
    EXPECT_FALSE(c.SetAt(1, CString(u"k"), 3.0));  // another constant has the name
    EXPECT_TRUE(c.SetAt(1, CString(u"mm"), 3.0));
    EXPECT_FALSE(c.SetAt(2, CString(u"x"), 3.0));
    double v = 0;
    EXPECT_TRUE(c.Lookup(CString(u"MM"), v));
    EXPECT_EQ(3.0, v);
    CString name;
    EXPECT_FALSE(c.GetAt(5, name, v));
    EXPECT_EQ(u'K', c.GetAt(0));  // the name as last given
    EXPECT_EQ(0, c.GetAt(7));
    EXPECT_EQ(3.0, c.GetData(1));
    EXPECT_TRUE(c.SetAt(1, u'n', 4.0));
    EXPECT_EQ(CString(u"n"), c.GetNameAt(1));
    EXPECT_TRUE(c.SetAt(1, CString(u"mm"), 3.0));
    InputConstValue copy = c;
    EXPECT_TRUE(copy == c);
    EXPECT_TRUE(copy.RemoveAt(0));
    EXPECT_FALSE(copy.RemoveAt(1));
    EXPECT_EQ(CString(u"mm"), copy.GetNameAt(0));
    EXPECT_FALSE(copy == c);
    copy.RemoveAll();
    EXPECT_TRUE(copy.IsEmpty());
}

}  // namespace
