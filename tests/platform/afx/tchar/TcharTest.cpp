#include "platform/afx/AfxTchar.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <climits>
#include <cmath>
#include <string>

namespace {

std::u16string S(LPCTSTR p) { return p == nullptr ? std::u16string(u"(null)") : std::u16string(p); }

// ---- Copies with the checked rules ----------------------------------------------------------------------

struct CopyCase
{
    const char* name;
    size_t destSize;
    LPCTSTR src;
    size_t count;  // _TRUNCATE, or (size_t)-2 for _tcscpy_s
    errno_t expected;
    LPCTSTR result;
};

TEST(TcharCopy, CheckedCopyFollowsTheSizeRules)
{
    const size_t kCpy = static_cast<size_t>(-2);
    const CopyCase cases[] = {
        {"fits", 8, u"abc", kCpy, 0, u"abc"},
        {"exactly fits with NUL", 4, u"abc", kCpy, 0, u"abc"},
        {"one unit short", 3, u"abc", kCpy, ERANGE, u""},
        {"empty source", 1, u"", kCpy, 0, u""},
        {"null source", 4, nullptr, kCpy, EINVAL, u""},
        {"count limits the copy", 8, u"abcdef", 2, 0, u"ab"},
        {"count larger than source", 8, u"ab", 5, 0, u"ab"},
        {"count too large for the buffer", 3, u"abcdef", 4, ERANGE, u""},
        {"truncate keeps what fits", 4, u"abcdef", _TRUNCATE, STRUNCATE, u"abc"},
        {"truncate when it fits", 8, u"abc", _TRUNCATE, 0, u"abc"},
        {"count zero", 4, u"abc", 0, 0, u""},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCHAR buf[16];
        for (TCHAR& ch : buf)
            ch = u'#';
        const errno_t e = c.count == kCpy ? _tcscpy_s(buf, c.destSize, c.src) : _tcsncpy_s(buf, c.destSize, c.src, c.count);
        EXPECT_EQ(e, c.expected);
        EXPECT_EQ(S(buf), S(c.result));
        // Nothing past the given size is touched.
        EXPECT_EQ(buf[c.destSize], u'#');
    }
}

TEST(TcharCopy, NullOrZeroSizedDestinationIsRefused)
{
    TCHAR buf[2] = {u'x', u'y'};
    EXPECT_EQ(_tcscpy_s(nullptr, 4, u"a"), EINVAL);
    EXPECT_EQ(_tcscpy_s(buf, 0, u"a"), EINVAL);
    EXPECT_EQ(buf[0], u'x');
}

TEST(TcharCopy, ArrayFormsKnowTheirSize)
{
    TCHAR buf[4];
    EXPECT_EQ(_tcscpy_s(buf, u"abcd"), ERANGE);
    EXPECT_EQ(S(buf), u"");
    EXPECT_EQ(_tcscpy_s(buf, u"abc"), 0);
    EXPECT_EQ(_tcscat_s(buf, u""), 0);
    EXPECT_EQ(_tcscat_s(buf, u"d"), ERANGE);
    EXPECT_EQ(S(buf), u"");
    EXPECT_EQ(_tcscpy_s(buf, u"ab"), 0);
    EXPECT_EQ(_tcsncat_s(buf, u"cdef", _TRUNCATE), STRUNCATE);
    EXPECT_EQ(S(buf), u"abc");
}

TEST(TcharCopy, AppendToUnterminatedDestinationIsRefused)
{
    TCHAR buf[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(_tcscat_s(buf, 3, u"x"), EINVAL);
    EXPECT_EQ(buf[0], 0);
}

TEST(TcharCopy, UncheckedFormsAndDuplicate)
{
    TCHAR buf[8];
    _tcscpy(buf, u"ab");
    _tcscat(buf, u"cd");
    EXPECT_EQ(S(buf), u"abcd");
    _tcsncpy(buf, u"xy", 4);
    EXPECT_EQ(buf[0], u'x');
    EXPECT_EQ(buf[2], 0);
    EXPECT_EQ(buf[3], 0);
    EXPECT_EQ(_tcslen(nullptr), 0u);
    EXPECT_EQ(_tcsnlen(u"abcdef", 3), 3u);
    LPTSTR dup = _tcsdup(u"copy");
    ASSERT_NE(dup, nullptr);
    EXPECT_EQ(S(dup), u"copy");
    free(dup);
    EXPECT_EQ(_tcsdup(nullptr), nullptr);
}

// ---- Comparison and search ----------------------------------------------------------------------------

TEST(TcharCompare, OrdinalAndCaseBlind)
{
    struct Case
    {
        LPCTSTR a, b;
        int cmp, icmp;
    } cases[] = {
        {u"abc", u"abc", 0, 0},   {u"abc", u"ABC", 1, 0},  {u"ab", u"abc", -1, -1}, {u"", u"", 0, 0},
        {u"", u"a", -1, -1},      {u"b", u"A", 1, 1},      {u"Ä", u"ä", -1, 0},     {nullptr, u"a", -1, -1},
        {u"_", u"a", -1, -1},  // the case-blind form compares lower case, so '_' sorts before letters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.a) << " vs " << CString(c.b));
        EXPECT_EQ(_tcscmp(c.a, c.b) < 0 ? -1 : _tcscmp(c.a, c.b) > 0 ? 1 : 0, c.cmp);
        EXPECT_EQ(_tcsicmp(c.a, c.b) < 0 ? -1 : _tcsicmp(c.a, c.b) > 0 ? 1 : 0, c.icmp);
    }
    EXPECT_EQ(_tcsncmp(u"abcX", u"abcY", 3), 0);
    EXPECT_NE(_tcsncmp(u"abcX", u"abcY", 4), 0);
    EXPECT_EQ(_tcsnicmp(u"ABCx", u"abcy", 3), 0);
    EXPECT_EQ(lstrcmpi(u"Hello", u"hELLO"), 0);
    EXPECT_LT(lstrcmp(u"apple", u"banana"), 0);
}

TEST(TcharSearch, FindsUnitsSubstringsAndSpans)
{
    LPCTSTR s = u"a\\b\\c.txt";
    EXPECT_EQ(_tcschr(s, u'\\'), s + 1);
    EXPECT_EQ(_tcsrchr(s, u'\\'), s + 3);
    EXPECT_EQ(_tcschr(s, u'z'), nullptr);
    EXPECT_EQ(_tcschr(s, 0), s + 9);
    EXPECT_EQ(_tcsstr(s, u".txt"), s + 5);
    EXPECT_EQ(_tcsstr(s, u""), s);
    EXPECT_EQ(_tcsstr(s, u"txtx"), nullptr);
    EXPECT_EQ(_tcspbrk(s, u".\\"), s + 1);
    EXPECT_EQ(_tcspbrk(s, u"qz"), nullptr);
    EXPECT_EQ(_tcsspn(u"  \tx", u" \t"), 3u);
    EXPECT_EQ(_tcsspn(u"", u" "), 0u);
    EXPECT_EQ(_tcscspn(u"key=value", u"=:"), 3u);

    TCHAR buf[] = u"a,b;;c";
    LPTSTR ctx = nullptr;
    std::u16string tokens;
    for (LPTSTR t = _tcstok_s(buf, u",;", &ctx); t != nullptr; t = _tcstok_s(nullptr, u",;", &ctx))
        tokens += std::u16string(t) + u"|";
    EXPECT_EQ(tokens, u"a|b|c|");
    // The mutable overload hands back a pointer into the caller's buffer.
    TCHAR path[] = u"x.y";
    *_tcschr(path, u'.') = 0;
    EXPECT_EQ(S(path), u"x");
}

TEST(TcharCase, ClassesAndConversions)
{
    EXPECT_EQ(_totupper(u'a'), u'A');
    EXPECT_EQ(_totlower(u'Ä'), u'ä');
    EXPECT_EQ(_totupper(u'1'), u'1');
    EXPECT_EQ(_totupper(-1), -1);
    EXPECT_TRUE(_istdigit(u'7'));
    EXPECT_FALSE(_istdigit(u'\xFF17'));  // full-width seven: not readable as a number here
    EXPECT_TRUE(_istspace(u'\t'));
    EXPECT_TRUE(_istspace(u'\x3000'));
    EXPECT_FALSE(_istspace(u'x'));
    EXPECT_TRUE(_istalpha(u'é'));
    EXPECT_TRUE(_istalpha(u'漢'));
    EXPECT_FALSE(_istalpha(u'3'));
    EXPECT_TRUE(_istxdigit(u'F'));
    EXPECT_FALSE(_istxdigit(u'g'));
    EXPECT_FALSE(_istalpha(0x110000));
    TCHAR buf[] = u"MiXed";
    EXPECT_EQ(_tcsupr_s(buf), 0);
    EXPECT_EQ(S(buf), u"MIXED");
    EXPECT_EQ(S(_tcslwr(buf)), u"mixed");
    EXPECT_EQ(S(_tcsrev(buf)), u"dexim");
    TCHAR unterminated[2] = {u'a', u'b'};
    EXPECT_EQ(_tcsupr_s(unterminated, 2), EINVAL);
}

// ---- Numbers ------------------------------------------------------------------------------------------

TEST(TcharNumbers, IntegersWithEndPointersAndOverflow)
{
    struct Case
    {
        LPCTSTR text;
        int base;
        long long value;
        int used;
        bool range;
    } cases[] = {
        {u"123", 10, 123, 3, false},
        {u"  -42xyz", 10, -42, 5, false},
        {u"+7", 10, 7, 2, false},
        {u"", 10, 0, 0, false},
        {u"abc", 10, 0, 0, false},
        {u"-", 10, 0, 0, false},
        {u"0x1F", 16, 31, 4, false},
        {u"0x1F", 0, 31, 4, false},
        {u"017", 0, 15, 3, false},
        {u"0xg", 16, 0, 1, false},
        {u"zz", 36, 1295, 2, false},
        {u"2147483647", 10, 2147483647LL, 10, false},
        {u"2147483648", 10, 2147483647LL, 10, true},
        {u"-2147483648", 10, -2147483647LL - 1, 11, false},
        {u"-2147483649", 10, -2147483647LL - 1, 11, true},
        {u"99999999999999999999999", 10, 2147483647LL, 23, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.text) << " base " << c.base);
        LPTSTR end = nullptr;
        errno = 0;
        const LONG v = _tcstol(c.text, &end, c.base);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(end - c.text, c.used);
        EXPECT_EQ(errno == ERANGE, c.range);
    }
}

TEST(TcharNumbers, UnsignedSixtyFourBitAndAtoiForms)
{
    errno = 0;
    EXPECT_EQ(_tcstoul(u"4294967295", nullptr, 10), 4294967295u);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(_tcstoul(u"4294967296", nullptr, 10), 4294967295u);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_tcstoul(u"-1", nullptr, 10), 4294967295u);  // negated in the unsigned type
    EXPECT_EQ(_tcstoi64(u"-9223372036854775808", nullptr, 10), LLONG_MIN);
    errno = 0;
    EXPECT_EQ(_tcstoi64(u"9223372036854775808", nullptr, 10), LLONG_MAX);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_tcstoui64(u"18446744073709551615", nullptr, 10), ULLONG_MAX);
    EXPECT_EQ(_ttoi(u" 12abc"), 12);
    EXPECT_EQ(_ttoi(u"3000000000"), INT_MAX);
    EXPECT_EQ(_ttoi(u"-3000000000"), INT_MIN);
    EXPECT_EQ(_ttoi(nullptr), 0);
    EXPECT_EQ(_ttoi64(u"5000000000"), 5000000000LL);
    EXPECT_EQ(_wtoi(u"-8"), -8);
}

TEST(TcharNumbers, RealsWithEndPointers)
{
    struct Case
    {
        LPCTSTR text;
        double value;
        int used;
    } cases[] = {
        {u"1.5", 1.5, 3},   {u"  -2.25e2mm", -225.0, 9}, {u"150%", 150.0, 3}, {u".5", 0.5, 2},
        {u"abc", 0.0, 0},   {u"", 0.0, 0},               {u"1,5", 1.0, 1},    {u"3.\x3000", 3.0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.text));
        LPTSTR end = nullptr;
        EXPECT_DOUBLE_EQ(_tcstod(c.text, &end), c.value);
        EXPECT_EQ(end - c.text, c.used);
    }
    errno = 0;
    EXPECT_TRUE(std::isinf(_tcstod(u"1e999", nullptr)));
    EXPECT_EQ(errno, ERANGE);
    EXPECT_DOUBLE_EQ(_tstof(u"2.5"), 2.5);
    EXPECT_DOUBLE_EQ(wcstod(u"7e-1", nullptr), 0.7);
}

TEST(TcharNumbers, DecimalPointIgnoresTheCLocale)
{
    const CString saved = _tsetlocale(LC_NUMERIC, nullptr);
    // A locale with a comma as its decimal point, where installed; the reading must not change.
    if (_tsetlocale(LC_NUMERIC, u"de_DE.UTF-8") == nullptr && _tsetlocale(LC_NUMERIC, u"fr_FR.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma";
    EXPECT_DOUBLE_EQ(_tstof(u"1.25"), 1.25);
    _tsetlocale(LC_NUMERIC, saved);
}

TEST(TcharNumbers, DigitsIntoBuffers)
{
    TCHAR buf[12];
    EXPECT_EQ(_itot_s(-123, buf, 10), 0);
    EXPECT_EQ(S(buf), u"-123");
    EXPECT_EQ(_itot_s(255, buf, 16), 0);
    EXPECT_EQ(S(buf), u"ff");
    EXPECT_EQ(_itot_s(-1, buf, 16), 0);
    EXPECT_EQ(S(buf), u"ffffffff");
    EXPECT_EQ(_i64tot_s(LLONG_MIN, buf, 12, 10), ERANGE);
    EXPECT_EQ(S(buf), u"");
    TCHAR wide[24];
    EXPECT_EQ(_i64tot_s(LLONG_MIN, wide, 24, 10), 0);
    EXPECT_EQ(S(wide), u"-9223372036854775808");
    EXPECT_EQ(_itot_s(5, buf, 1), EINVAL);
    TCHAR two[3];
    EXPECT_EQ(S(_itot(42, two, 10)), u"42");
    EXPECT_EQ(S(_itot(-42, two, 10)), u"");  // no room for the sign: nothing rather than too much
}

// ---- printf and scanf ---------------------------------------------------------------------------------

TEST(TcharPrintf, CheckedFormsRefuseOrTruncate)
{
    TCHAR buf[8];
    EXPECT_EQ(_stprintf_s(buf, u"%d-%s", 42, u"ab"), 5);
    EXPECT_EQ(S(buf), u"42-ab");
    EXPECT_EQ(_stprintf_s(buf, u"%s", u"12345678"), -1);
    EXPECT_EQ(S(buf), u"");
    EXPECT_EQ(_stprintf_s(buf, u"%s", u"1234567"), 7);
    EXPECT_EQ(_sntprintf_s(buf, _TRUNCATE, u"%s", u"123456789"), -1);
    EXPECT_EQ(S(buf), u"1234567");
    EXPECT_EQ(_sntprintf_s(buf, 8, 3, u"%s", u"abcdef"), -1);
    EXPECT_EQ(S(buf), u"abc");
    EXPECT_EQ(_sntprintf_s(buf, 8, 3, u"%s", u"ab"), 2);
    EXPECT_EQ(_stprintf_s(buf, 8, u"%.*g", 3, 3.14159), 4);
    EXPECT_EQ(S(buf), u"3.14");
    EXPECT_EQ(_stprintf_s(nullptr, 8, u"x"), -1);
    EXPECT_EQ(swprintf_s(buf, u"%I64d", 12345678901LL), -1);
    EXPECT_EQ(swprintf_s(buf, u"%I64d", 1234567LL), 7);
    EXPECT_EQ(S(buf), u"1234567");
}

TEST(TcharScanf, ConversionsWidthsAndTargets)
{
    int i = 0;
    unsigned u = 0;
    int x = 0;
    double d = 0;
    float f = 0;
    TCHAR word[8] = {};
    TCHAR ch = 0;
    EXPECT_EQ(_stscanf(u"12 34 ff 2.5 1e1 hello Z", u"%d %u %x %lf %f %s %c", &i, &u, &x, &d, &f, word, &ch), 7);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(u, 34u);
    EXPECT_EQ(x, 255);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_FLOAT_EQ(f, 10.0f);
    EXPECT_EQ(S(word), u"hello");
    EXPECT_EQ(ch, u'Z');

    int a = 0, b = 0;
    EXPECT_EQ(_stscanf(u"123456", u"%3d%2d", &a, &b), 2);
    EXPECT_EQ(a, 123);
    EXPECT_EQ(b, 45);
    EXPECT_EQ(_stscanf(u"10,20", u"%d,%d", &a, &b), 2);
    EXPECT_EQ(b, 20);
    EXPECT_EQ(_stscanf(u"10;20", u"%d,%d", &a, &b), 1);
    EXPECT_EQ(_stscanf(u"x", u"%d", &a), 0);
    EXPECT_EQ(_stscanf(u"", u"%d", &a), _TEOF);
    EXPECT_EQ(_stscanf(u"   ", u"%d", &a), _TEOF);
    EXPECT_EQ(_stscanf(u"5 skip 6", u"%d %*s %d", &a, &b), 2);
    EXPECT_EQ(b, 6);
    int used = 0;
    EXPECT_EQ(_stscanf(u"77abc", u"%d%n", &a, &used), 1);
    EXPECT_EQ(used, 2);
    TCHAR key[8] = {};
    EXPECT_EQ(_stscanf(u"name=value", u"%[^=]=%d", key, &a), 1);
    EXPECT_EQ(S(key), u"name");
    // A target of the wrong kind ends the scan instead of writing through it.
    double wrong = 0;
    EXPECT_EQ(_stscanf(u"1 2", u"%d %d", &a, u"not a target"), 1);
    EXPECT_EQ(_stscanf(u"abc", u"%s", &wrong), 0);
}

TEST(TcharScanf, BuffersNeverOverflow)
{
    TCHAR small[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(_stscanf(u"toolong", u"%s", small), 0);  // the array's own size is known
    EXPECT_EQ(small[0], 0);
    TCHAR buf[16];
    EXPECT_EQ(swscanf_s(u"abcdef", u"%s", buf, 4u), 0);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(swscanf_s(u"abc", u"%s", buf, static_cast<unsigned>(_countof(buf))), 1);
    EXPECT_EQ(S(buf), u"abc");
    EXPECT_EQ(swscanf_s(u"abc", u"%s", buf), 0);  // the size is missing
    TCHAR two[2];
    EXPECT_EQ(swscanf_s(u"xy", u"%2c", two, 2u), 1);
    EXPECT_EQ(two[0], u'x');
    EXPECT_EQ(two[1], u'y');
    EXPECT_EQ(swscanf_s(u"x", u"%2c", two, 2u), 0);
    double v = 0;
    EXPECT_EQ(swscanf_s(u"  3.75 m", u"%lf", &v), 1);
    EXPECT_DOUBLE_EQ(v, 3.75);
    CString s;
    EXPECT_EQ(_stscanf(u"word rest", u"%s", &s), 1);
    EXPECT_EQ(s, u"word");
}

// ---- Time and Win32 forms -------------------------------------------------------------------------------

TEST(TcharTime, FormatsIntoBoundedBuffers)
{
    struct tm t = {};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    t.tm_wday = 2;
    t.tm_yday = 64;
    const CString saved = _tsetlocale(LC_TIME, nullptr);
    _tsetlocale(LC_TIME, u"C");
    TCHAR buf[128];
    EXPECT_EQ(_tcsftime(buf, 128, u"%Y-%m-%d %H:%M:%S", &t), 19u);
    EXPECT_EQ(S(buf), u"2024-03-05 07:08:09");
    EXPECT_GT(_tcsftime(buf, 128, u"%#d.%#m.", &t), 0u);
    EXPECT_EQ(S(buf), u"5.3.");
    EXPECT_GT(wcsftime(buf, 128, u"%#c", &t), 0u);
    EXPECT_EQ(S(buf), u"Tuesday, March 5, 2024 07:08:09");
    EXPECT_EQ(_tcsftime(buf, 5, u"%Y-%m", &t), 0u);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(_tcsftime(buf, 128, u"Jahr \u00e9 %Y", &t), 11u);
    EXPECT_EQ(_tcsftime(buf, 128, u"%Y", nullptr), 0u);
    _tsetlocale(LC_TIME, saved);
}

TEST(TcharLocale, UnknownLocaleGivesNull)
{
    EXPECT_EQ(_tsetlocale(LC_ALL, u"xx_NOT_A_LOCALE"), nullptr);
    ASSERT_NE(_tsetlocale(LC_ALL, nullptr), nullptr);
}

TEST(TcharWin32, LstrForms)
{
    EXPECT_EQ(lstrlen(nullptr), 0);
    EXPECT_EQ(lstrlen(u"abc"), 3);
    TCHAR buf[8];
    EXPECT_EQ(lstrcpyn(buf, u"abcdef", 4), buf);
    EXPECT_EQ(S(buf), u"abc");
    EXPECT_EQ(lstrcpyn(buf, u"ab", 0), nullptr);
    EXPECT_EQ(lstrcpy(buf, nullptr), nullptr);
    lstrcpy(buf, u"ab");
    lstrcat(buf, u"cd");
    EXPECT_EQ(S(buf), u"abcd");
}

}  // namespace

namespace {

// Random texts made of the characters the readers care about: no crash, no write out of bounds, and
// every end pointer inside the text.
TEST(TcharRobustness, RandomTextsThroughTheReaders)
{
    const char16_t alphabet[] = u"0123456789+-.eExX: \t%abc,/\u3000\u00e9";
    std::uint32_t state = 12345;
    auto next = [&]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < 5000; ++i) {
        std::u16string text;
        const size_t len = next() % 24;
        for (size_t k = 0; k < len; ++k)
            text.push_back(alphabet[next() % (_countof(alphabet) - 1)]);
        LPCTSTR p = text.c_str();
        LPTSTR end = nullptr;
        _tcstol(p, &end, static_cast<int>(next() % 37));
        ASSERT_TRUE(end >= p && end <= p + text.size());
        _tcstod(p, &end);
        ASSERT_TRUE(end >= p && end <= p + text.size());
        int a = 0;
        double d = 0;
        TCHAR word[4];
        TCHAR ch[2];
        _stscanf(p, u"%d%lf%3s%2c", &a, &d, word, ch);
        swscanf_s(p, u"%x %[0-9.] %c", &a, word, 4u, ch, 1u);
        TCHAR out[6];
        _stprintf_s(out, u"%s", p);
    }
}

}  // namespace
