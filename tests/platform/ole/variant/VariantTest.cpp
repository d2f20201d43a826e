#include "platform/ole/OleVariant.h"

#include <gtest/gtest.h>

#include <QtCore/QLocale>

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/afx/COleException.h"
#include "platform/ole/COleDateTime.h"
#include "platform/ole/COleVariant.h"
#include "platform/ole/PropVariant.h"

namespace {

// Dates written and read in a known locale whatever the machine's.
class VariantTest : public testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST(Bstr, LengthPrefixAndNull)
{
    BSTR b = SysAllocString(u"abc");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(SysStringByteLen(b), 6u);
    EXPECT_EQ(b[3], 0);
    SysFreeString(b);

    // Embedded NULs are kept: the length comes from the prefix, not the text.
    const char16_t withNul[] = {u'a', 0, u'b'};
    b = SysAllocStringLen(withNul, 3);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(b[2], u'b');
    EXPECT_TRUE(SysReAllocString(&b, u"longer text"));
    EXPECT_EQ(SysStringLen(b), 11u);
    SysFreeString(b);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    b = SysAllocStringLen(nullptr, 2);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b[0], 0);
    SysFreeString(b);
    EXPECT_EQ(SysAllocStringLen(u"x", 0xFFFFFFFFu), nullptr);  // an absurd length allocates nothing
}

TEST(Variant, CopyIsDeepAndClearFrees)
{
    VARIANT a;
    VariantInit(&a);
    EXPECT_EQ(a.vt, VT_EMPTY);
    a.vt = VT_BSTR;
    a.bstrVal = SysAllocString(u"text");
    VARIANT b;
    VariantInit(&b);
    b.vt = VT_BSTR;
    b.bstrVal = SysAllocString(u"old");  // freed by the copy
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_NE(a.bstrVal, b.bstrVal);
    EXPECT_TRUE(VariantEqual(a, b));
    EXPECT_EQ(VariantCopy(&a, &a), S_OK);
    EXPECT_EQ(VariantClear(&a), S_OK);
    EXPECT_EQ(a.vt, VT_EMPTY);
    EXPECT_EQ(std::u16string(b.bstrVal), u"text");
    VariantClear(&b);

    VARIANT odd;
    VariantInit(&odd);
    odd.vt = VT_BLOB;
    EXPECT_EQ(VariantCopy(&b, &odd), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
    EXPECT_EQ(odd.vt, VT_EMPTY);
    EXPECT_EQ(VariantCopy(nullptr, &b), E_INVALIDARG);
}

struct ToTextCase
{
    COleVariant value;
    const char16_t* text;
};

TEST_F(VariantTest, ChangeTypeToText)
{
    const ToTextCase cases[] = {
        {COleVariant(LONG(-42)), u"-42"},
        {COleVariant(LONGLONG(9007199254740993LL)), u"9007199254740993"},
        {COleVariant(2.5), u"2.5"},
        {COleVariant(0.1), u"0.1"},
        {COleVariant(1e20), u"1E+20"},
        {COleVariant(short(-1), VT_BOOL), u"-1"},
        {COleVariant(), u""},
        {COleVariant(COleDateTime(2024, 3, 5, 0, 0, 0)), u"3/5/2024"},
        {COleVariant(COleDateTime(2024, 3, 5, 15, 4, 5)), u"3/5/2024 3:04:05 PM"},
        {COleVariant(COleDateTime(1899, 12, 30, 0, 30, 0)), u"12:30:00 AM"},
        {COleVariant(COleDateTime(1899, 12, 29, 6, 0, 0)), u"12/29/1899 6:00:00 AM"},
    };
    for (const ToTextCase& c : cases) {
        SCOPED_TRACE(CString(c.text));
        COleVariant v(c.value);
        ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
        EXPECT_EQ(v.vt, VT_BSTR);
        EXPECT_EQ(v.GetString(), CString(c.text));
    }
    COleVariant b(short(0), VT_BOOL);
    ASSERT_EQ(VariantChangeType(&b, &b, VARIANT_ALPHABOOL, VT_BSTR), S_OK);
    EXPECT_EQ(b.GetString(), u"False");
}

struct FromTextCase
{
    const char16_t* text;
    VARTYPE vt;
    HRESULT hr;
    double value;
};

TEST_F(VariantTest, ChangeTypeFromTextAndBetweenNumbers)
{
    const FromTextCase cases[] = {
        {u"123", VT_I4, S_OK, 123},
        {u"  -7 ", VT_I4, S_OK, -7},
        {u"2.5", VT_I4, S_OK, 2},        // half to even
        {u"3.5", VT_I4, S_OK, 4},
        {u"-2.5", VT_I4, S_OK, -2},
        {u"2147483647", VT_I4, S_OK, 2147483647.0},
        {u"2147483648", VT_I4, DISP_E_OVERFLOW, 0},
        {u"1e10", VT_I4, DISP_E_OVERFLOW, 0},
        {u"12abc", VT_I4, DISP_E_TYPEMISMATCH, 0},
        {u"", VT_I4, DISP_E_TYPEMISMATCH, 0},
        {u"1.25", VT_R8, S_OK, 1.25},
        {u"1e999", VT_R8, DISP_E_OVERFLOW, 0},
        {u"-1", VT_UI4, DISP_E_OVERFLOW, 0},
        {u"255", VT_UI1, S_OK, 255},
        {u"256", VT_UI1, DISP_E_OVERFLOW, 0},
        {u"-32768", VT_I2, S_OK, -32768},
        {u"9223372036854775807", VT_I8, S_OK, 9223372036854775807.0},
        {u"True", VT_BOOL, S_OK, -1},
        {u"0", VT_BOOL, S_OK, 0},
        {u"maybe", VT_BOOL, DISP_E_TYPEMISMATCH, 0},
        {u"1.5", VT_CY, S_OK, 15000},
    };
    for (const FromTextCase& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.text) << " to " << c.vt);
        COleVariant src(c.text);
        VARIANT dst;
        VariantInit(&dst);
        dst.vt = VT_I2;
        dst.iVal = 99;
        const HRESULT hr = VariantChangeType(&dst, &src, 0, c.vt);
        EXPECT_EQ(hr, c.hr);
        if (FAILED(hr)) {
            // A failed conversion leaves the destination as it was.
            EXPECT_EQ(dst.vt, VT_I2);
            EXPECT_EQ(dst.iVal, 99);
            continue;
        }
        ASSERT_EQ(dst.vt, c.vt);
        COleVariant asReal;
        ASSERT_EQ(VariantChangeType(&asReal, &dst, 0, VT_R8), S_OK);
        EXPECT_DOUBLE_EQ(asReal.dblVal, c.vt == VT_CY ? 1.5 : c.value);
        if (c.vt == VT_CY) {
            EXPECT_EQ(dst.cyVal.int64, 15000);
        }
    }

    COleVariant big(1e300);
    VARIANT f;
    VariantInit(&f);
    EXPECT_EQ(VariantChangeType(&f, &big, 0, VT_R4), DISP_E_OVERFLOW);
    COleVariant nullValue;
    nullValue.vt = VT_NULL;
    EXPECT_EQ(VariantChangeType(&f, &nullValue, 0, VT_I4), DISP_E_TYPEMISMATCH);
    COleVariant empty;
    ASSERT_EQ(VariantChangeType(&f, &empty, 0, VT_I4), S_OK);
    EXPECT_EQ(f.lVal, 0);
    EXPECT_EQ(VariantChangeType(&f, &empty, 0, VT_BLOB), DISP_E_BADVARTYPE);
    COleVariant status(LONG(5), VT_ERROR);
    EXPECT_EQ(VariantChangeType(&f, &status, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&f, &empty, 0, VT_ERROR), DISP_E_TYPEMISMATCH);
}

TEST_F(VariantTest, DatesThroughText)
{
    struct Case
    {
        const char16_t* text;
        bool ok;
        int y, mo, d, h, mi, s;
    } cases[] = {
        {u"3/5/2024", true, 2024, 3, 5, 0, 0, 0},
        {u"3/5/2024 3:04:05 PM", true, 2024, 3, 5, 15, 4, 5},
        {u"2024-03-05 07:08", true, 2024, 3, 5, 7, 8, 0},
        {u"2024-03-05T07:08:09", true, 2024, 3, 5, 7, 8, 9},
        {u"March 5, 2024", true, 2024, 3, 5, 0, 0, 0},
        {u"5 Mar 1999 12:00 AM", true, 1999, 3, 5, 0, 0, 0},
        {u"12/31/29", true, 2029, 12, 31, 0, 0, 0},
        {u"1/1/30", true, 1930, 1, 1, 0, 0, 0},
        {u"14:30", true, 1899, 12, 30, 14, 30, 0},
        {u"2/29/2024", true, 2024, 2, 29, 0, 0, 0},
        {u"2/29/2023", false},
        {u"13/1/2024", false},
        {u"1/1/2024 25:00", false},
        {u"1/1/2024 13:00 PM", false},
        {u"yesterday", false},
        {u"", false},
        {u"1/1/99999", false},
        {u"1/1/0050", false},  // before the year 100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.text));
        COleVariant src(c.text);
        COleVariant dst;
        const HRESULT hr = VariantChangeType(&dst, &src, 0, VT_DATE);
        EXPECT_EQ(SUCCEEDED(hr), c.ok);
        if (!c.ok) {
            EXPECT_EQ(hr, DISP_E_TYPEMISMATCH);
            continue;
        }
        const COleDateTime dt(dst.date);
        EXPECT_EQ(dt.GetYear(), c.y);
        EXPECT_EQ(dt.GetMonth(), c.mo);
        EXPECT_EQ(dt.GetDay(), c.d);
        EXPECT_EQ(dt.GetHour(), c.h);
        EXPECT_EQ(dt.GetMinute(), c.mi);
        EXPECT_EQ(dt.GetSecond(), c.s);
        // What a date turns into as text reads back as the same date.
        COleVariant text;
        ASSERT_EQ(VariantChangeType(&text, &dst, 0, VT_BSTR), S_OK);
        COleVariant back;
        ASSERT_EQ(VariantChangeType(&back, &text, 0, VT_DATE), S_OK) << text.GetString();
        EXPECT_DOUBLE_EQ(back.date, dst.date);
    }
    COleVariant outOfRange(3e6);
    COleVariant d;
    EXPECT_EQ(VariantChangeType(&d, &outOfRange, 0, VT_DATE), DISP_E_OVERFLOW);
}

TEST(VariantJapanese, DatesInTheJapaneseLocale)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    COleVariant v(COleDateTime(2024, 3, 5, 15, 4, 5));
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(v.GetString(), u"2024/03/05 15:04:05");
    COleDateTime dt;
    EXPECT_TRUE(dt.ParseDateTime(u"2024年3月5日 午後3時4分"));
    EXPECT_EQ(dt.Format(u"%Y-%m-%d %H:%M:%S"), u"2024-03-05 15:04:00");
    EXPECT_TRUE(dt.ParseDateTime(u"2024/03/05"));
    EXPECT_EQ(dt.GetDay(), 5);
    QLocale::setDefault(QLocale::system());
}

TEST_F(VariantTest, COleVariantOwnsItsValue)
{
    COleVariant a(u"shared");
    COleVariant b(a);
    EXPECT_NE(a.bstrVal, b.bstrVal);
    EXPECT_TRUE(a == b);
    b = 5.0;
    EXPECT_EQ(b.vt, VT_R8);
    EXPECT_FALSE(a == b);
    COleVariant moved(std::move(a));
    EXPECT_EQ(a.vt, VT_EMPTY);
    EXPECT_EQ(moved.GetString(), u"shared");
    VARIANT raw = moved.Detach();
    EXPECT_EQ(moved.vt, VT_EMPTY);
    COleVariant taken;
    taken.Attach(raw);
    EXPECT_EQ(raw.vt, VT_EMPTY);
    EXPECT_EQ(taken.GetString(), u"shared");

    COleVariant n(LONG(12));
    n.ChangeType(VT_BSTR);
    EXPECT_EQ(n.GetString(), u"12");
    n.ChangeType(VT_I4);  // in place: the text is freed once the number is made
    EXPECT_EQ(n.vt, VT_I4);
    EXPECT_EQ(n.lVal, 12);
    COleVariant i1(u"-5");
    i1.ChangeType(VT_I1);
    EXPECT_EQ(static_cast<signed char>(i1.cVal), -5);
    i1.ChangeType(VT_I4);
    EXPECT_EQ(i1.lVal, -5);
    COleVariant bad(u"not a number");
    try {
        bad.ChangeType(VT_I4);
        ADD_FAILURE() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(e->m_sc, DISP_E_TYPEMISMATCH);
        e->Delete();
    }
    EXPECT_EQ(bad.GetString(), u"not a number");
    COleVariant nullDate(COleDateTime::GetCurrentTime());
    EXPECT_EQ(nullDate.vt, VT_DATE);
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    nullDate = none;
    EXPECT_EQ(nullDate.vt, VT_NULL);
}

TEST_F(VariantTest, PropertySetValuesBothWays)
{
    const COleVariant values[] = {COleVariant(u"text"), COleVariant(LONG(7)), COleVariant(2.25),
                                  COleVariant(COleDateTime(2020, 1, 2, 3, 4, 5)), COleVariant(LONGLONG(-5)),
                                  COleVariant(short(1), VT_BOOL), COleVariant()};
    for (const COleVariant& v : values) {
        SCOPED_TRACE(v.vt);
        const PropVariant p = v.ToPropVariant();
        EXPECT_EQ(p.GetType(), v.vt);
        COleVariant back;
        ASSERT_EQ(VariantFromPropVariant(p, &back), S_OK);
        EXPECT_TRUE(back == v);
    }
    COleVariant fromAnsi;
    ASSERT_EQ(VariantFromPropVariant(PropVariant::AnsiString(u"ansi"), &fromAnsi), S_OK);
    EXPECT_EQ(fromAnsi.vt, VT_BSTR);
    EXPECT_EQ(fromAnsi.GetString(), u"ansi");
    COleVariant keep(LONG(3));
    EXPECT_EQ(VariantFromPropVariant(PropVariant::Blob(nullptr, 0), &keep), DISP_E_BADVARTYPE);
    EXPECT_EQ(keep.vt, VT_I4);
}

}  // namespace

namespace {

// Random texts through the number and date readers: each either converts or reports an error.
TEST_F(VariantTest, RandomTextsConvertOrFail)
{
    const char16_t alphabet[] = u"0123456789/:.- APMaprJanMr,T\u5e74\u6708\u65e5";
    std::uint32_t state = 777;
    auto next = [&]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    const VARTYPE targets[] = {VT_DATE, VT_I4, VT_R8, VT_BOOL, VT_UI1, VT_I8};
    for (int i = 0; i < 3000; ++i) {
        std::u16string text;
        const size_t len = next() % 28;
        for (size_t k = 0; k < len; ++k)
            text.push_back(alphabet[next() % (_countof(alphabet) - 1)]);
        COleVariant src(text.c_str());
        for (VARTYPE vt : targets) {
            COleVariant dst;
            const HRESULT hr = VariantChangeType(&dst, &src, 0, vt);
            ASSERT_TRUE(hr == S_OK || hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) << hr;
            ASSERT_EQ(dst.vt, SUCCEEDED(hr) ? vt : static_cast<VARTYPE>(VT_EMPTY));
            if (vt == VT_DATE && SUCCEEDED(hr)) {
                ASSERT_EQ(COleDateTime(dst.date).GetStatus(), COleDateTime::valid);
            }
        }
    }
}

}  // namespace
