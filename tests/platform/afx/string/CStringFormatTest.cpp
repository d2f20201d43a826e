#include <gtest/gtest.h>

#include <QtCore/QString>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/afx/ResourceModule.h"

namespace {

template <class... Args>
CString F(LPCTSTR fmt, const Args&... args) {
  CString s(_T("previous text"));
  s.Format(fmt, args...);
  return s;
}

struct FormatCase {
  const char16_t* format;
  CString actual;
  const char16_t* expected;
};

void RunTable(const std::vector<FormatCase>& table) {
  for (size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "row " << i << " format \"" << CString(table[i].format).ToUtf8() << "\"");
    EXPECT_EQ(table[i].actual.ToUtf8(), CString(table[i].expected).ToUtf8());
  }
}

}  // namespace

TEST(CStringFormat, Integers) {
  const DWORD allOnes = 0xFFFFFFFFu;
  const std::size_t big = 5000000000ULL;
  RunTable({
      {u"%d", F(u"%d", 42), u"42"},
      {u"%i", F(u"%i", -42), u"-42"},
      {u"%5d", F(u"[%5d]", 42), u"[   42]"},
      {u"%-5d", F(u"[%-5d]", 42), u"[42   ]"},
      {u"%05d", F(u"%05d", -42), u"-0042"},
      {u"%+d", F(u"%+d", 7), u"+7"},
      {u"% d", F(u"% d", 7), u" 7"},
      {u"%.3d", F(u"%.3d", 7), u"007"},
      {u"%u of -1", F(u"%u", -1), u"4294967295"},
      {u"%u", F(u"%u", 3000000000u), u"3000000000"},
      {u"%x", F(u"%x", 255), u"ff"},
      {u"%X", F(u"%X", 255), u"FF"},
      {u"%#x", F(u"%#x", 255), u"0xff"},
      {u"%08X", F(u"%08X", 0xBEEF), u"0000BEEF"},
      {u"%o", F(u"%o", 8), u"10"},
      {u"%#o", F(u"%#o", 8), u"010"},
      {u"%x of -1", F(u"%x", -1), u"ffffffff"},
      {u"%I64x", F(u"%I64x", -1LL), u"ffffffffffffffff"},
      {u"%llx", F(u"%llx", 0x123456789ALL), u"123456789a"},
      {u"%I64d", F(u"%I64d", 1234567890123LL), u"1234567890123"},
      {u"%lld", F(u"%lld", INT64_MIN), u"-9223372036854775808"},
      {u"%ld", F(u"%ld", 123456L), u"123456"},
      {u"%lu", F(u"%lu", 4000000000UL), u"4000000000"},
      {u"%hd", F(u"%hd", 70000), u"4464"},
      {u"%hu", F(u"%hu", -1), u"65535"},
      {u"%d of DWORD all ones", F(u"%d", allOnes), u"-1"},
      {u"%d of a large size_t", F(u"%d", big), u"5000000000"},
      {u"%d of char", F(u"%d", 'A'), u"65"},
      {u"%d of bool", F(u"%d", true), u"1"},
      {u"%d of TCHAR", F(u"%d", _T('A')), u"65"},
  });
}

TEST(CStringFormat, FloatingPoint) {
  RunTable({
      {u"%f", F(u"%f", 3.14159), u"3.141590"},
      {u"%.2f", F(u"%.2f", 3.14159), u"3.14"},
      {u"%8.3f", F(u"[%8.3f]", 3.14159), u"[   3.142]"},
      {u"%-8.1f", F(u"[%-8.1f]", 2.25f), u"[2.2     ]"},
      {u"%+.1f", F(u"%+.1f", 2.0), u"+2.0"},
      {u"%010.3f", F(u"%010.3f", -3.14159), u"-00003.142"},
      {u"%#.0f", F(u"%#.0f", 3.0), u"3."},
      {u"%.0f", F(u"%.0f", 2.5), u"2"},
      {u"%e", F(u"%e", 12345.678), u"1.234568e+04"},
      {u"%E", F(u"%.2E", 12345.678), u"1.23E+04"},
      {u"%g", F(u"%g", 0.0001), u"0.0001"},
      {u"%g small", F(u"%g", 0.00001), u"1e-05"},
      {u"%G small", F(u"%G", 0.00001), u"1E-05"},
      {u"%g large", F(u"%g", 1234567.0), u"1.23457e+06"},
      {u"%.*g", F(u"%.*g", 15, 0.1), u"0.1"},
      {u"%.*g six", F(u"%.*g", 6, 1.0 / 3.0), u"0.333333"},
      {u"%d:%.*g", F(u"%d:%.*g", 3, 15, 0.25), u"3:0.25"},
      {u"%lf", F(u"%lf", 1.5), u"1.500000"},
      {u"%f of int", F(u"%f", 2), u"2.000000"},
      {u"%d of double", F(u"%d", 2.7), u"2"},
      {u"%.1f mm", F(u"%.2fmm", 10.0), u"10.00mm"},
  });
}

TEST(CStringFormat, TextAndCharacters) {
  const CString name(_T("abc"));
  const CString japanese(u"日本語テキスト");
  const LPCTSTR nullText = nullptr;
  const std::u16string u16(u"u16");
  const std::string narrow("narrow");
  const QString qs = QString::fromUtf8("qt");
  TCHAR buffer[16] = u"buffer";
  LPTSTR writable = buffer;
  RunTable({
      {u"%s CString", F(u"<%s>", name), u"<abc>"},
      {u"%s LPCTSTR", F(u"<%s>", _T("lit")), u"<lit>"},
      {u"%s null", F(u"%s", nullText), u"(null)"},
      {u"%s u16string", F(u"%s", u16), u"u16"},
      {u"%s QString", F(u"%s", qs), u"qt"},
      {u"%s TCHAR array", F(u"%s", buffer), u"buffer"},
      {u"%s LPTSTR", F(u"%s", writable), u"buffer"},
      {u"%10s", F(u"[%10s]", name), u"[       abc]"},
      {u"%-10s", F(u"[%-10s]", name), u"[abc       ]"},
      {u"%.2s", F(u"[%.2s]", name), u"[ab]"},
      {u"%5.1s", F(u"[%5.1s]", name), u"[    a]"},
      {u"%s Japanese", F(u"名前: %s", japanese), u"名前: 日本語テキスト"},
      {u"%5s Japanese counts units", F(u"[%5s]", CString(u"日本")), u"[   日本]"},
      {u"%S narrow", F(u"%S", "utf8 \xC3\xA9"), u"utf8 é"},
      {u"%hs narrow Japanese", F(u"%hs", "\xE6\x97\xA5\xE6\x9C\xAC"), u"日本"},
      {u"%hs std::string", F(u"%hs", narrow), u"narrow"},
      {u"%ls CString", F(u"%ls", name), u"abc"},
      {u"%ws", F(u"%ws", name), u"abc"},
      {u"%s given narrow", F(u"%s", "plain"), u"plain"},
      {u"%S given wide", F(u"%S", name), u"abc"},
      {u"%c TCHAR", F(u"%c", _T('A')), u"A"},
      {u"%c char", F(u"%c", 'B'), u"B"},
      {u"%c int Japanese", F(u"%c", 0x65E5), u"日"},
      {u"%lc", F(u"%lc", u'本'), u"本"},
      {u"%c outside BMP", F(u"%c", 0x1D11E), u"\U0001D11E"},
      {u"%3c", F(u"[%3c]", _T('x')), u"[  x]"},
      {u"%-3c", F(u"[%-3c]", _T('x')), u"[x  ]"},
      {u"%%", F(u"100%%"), u"100%"},
      {u"mixed", F(u"%s=%d (%.1f%%)", name, 5, 12.5), u"abc=5 (12.5%)"},
  });
}

TEST(CStringFormat, WidthAndPrecisionFromArguments) {
  RunTable({
      {u"%*d", F(u"[%*d]", 6, 42), u"[    42]"},
      {u"%-*d", F(u"[%-*d]", 6, 42), u"[42    ]"},
      {u"%*d negative width", F(u"[%*d]", -6, 42), u"[42    ]"},
      {u"%.*f", F(u"%.*f", 3, 2.0), u"2.000"},
      {u"%.*f negative precision", F(u"%.*f", -1, 2.0), u"2.000000"},
      {u"%*.*s", F(u"[%*.*s]", 5, 2, CString(_T("abcdef"))), u"[   ab]"},
  });
}

TEST(CStringFormat, PointerHasFixedHexWidth) {
  int x = 0;
  const CString s = F(u"%p", &x);
  ASSERT_EQ(s.GetLength(), 16);
  EXPECT_EQ(s.FindOneOf(_T("abcdef")), -1);  // upper case digits
  CString expected;
  expected.Format(_T("%I64X"), static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(&x)));
  EXPECT_EQ(s.Right(expected.GetLength()), expected);
  EXPECT_EQ(F(u"%p", nullptr), _T("0000000000000000"));
}

// Faulty formats and argument lists must give text, never a crash.
TEST(CStringFormat, BadFormatsAndArguments) {
  int x = 0;
  int* px = &x;
  RunTable({
      {u"too few", F(u"%d-%s-%f|", 5), u"5--|"},
      {u"none at all", F(u"[%5d]"), u"[]"},
      {u"extra args ignored", F(u"%d", 1, 2, 3), u"1"},
      {u"unknown conversion", F(u"a%yb", 1), u"a%yb"},
      {u"trailing percent", F(u"50%"), u"50%"},
      {u"cut-off conversion", F(u"abc%-5"), u"abc%-5"},
      {u"%s of int", F(u"%s", 42), u"42"},
      {u"%d of text", F(u"%d", CString(_T("txt"))), u"txt"},
      {u"%f of text", F(u"%f", _T("txt")), u"txt"},
      {u"%n writes nothing", F(u"a%nb", px), u"ab"},
      {u"%c of zero", F(u"[%c]", 0), u"[]"},
  });
  EXPECT_EQ(x, 0);
  EXPECT_EQ(F(u"%999999999d", 1).GetLength(), 4096);
  EXPECT_EQ(F(u"%.999999999f", 1.0).GetLength(), 4098);
  const LPCTSTR nullFormat = nullptr;
  EXPECT_TRUE(F(nullFormat, 1).IsEmpty());
}

TEST(CStringFormat, AppendFormatKeepsText) {
  CString s(_T("x="));
  s.AppendFormat(_T("%d"), 3);
  s.AppendFormat(_T(", %s"), CString(_T("y")));
  EXPECT_EQ(s, _T("x=3, y"));
  // The format may be a CString, and an argument the string being formatted.
  const CString fmt(_T("%s/%d"));
  CString t;
  t.Format(fmt, _T("a"), 1);
  EXPECT_EQ(t, _T("a/1"));
  s.Format(_T("[%s]"), s);
  EXPECT_EQ(s, _T("[x=3, y]"));
}

class CStringResourceTest : public testing::Test {
protected:
  void TearDown() override { AfxClearProgramStrings(); }
};

TEST_F(CStringResourceTest, LoadStringAndFormatByNumber) {
  AfxSetProgramString(61001, u"Layer %d of %s");
  CString s;
  EXPECT_TRUE(s.LoadString(61001));
  EXPECT_EQ(s, _T("Layer %d of %s"));
  s.Format(61001u, 2, CString(_T("図面")));
  EXPECT_EQ(s, _T("Layer 2 of 図面"));
  s.AppendFormat(61001u, 3, _T("B"));
  EXPECT_EQ(s, _T("Layer 2 of 図面Layer 3 of B"));

  CString missing(_T("old"));
  EXPECT_FALSE(missing.LoadString(61002));
  EXPECT_EQ(missing, _T("old"));
  missing.Format(61002u, 1);  // an unknown format number formats nothing
  EXPECT_TRUE(missing.IsEmpty());
}

// Format texts come from translated string tables, so a broken one must still
// give text: random formats over a mixed argument list, run under the sanitizers.
TEST(CStringFormat, RandomFormatsNeverFail) {
  const char16_t alphabet[] = u"%%%%-+ #0123456789.**hlLI64zdiuxXofeEgGsScCpn日a";
  const int alphabetSize = static_cast<int>(std::char_traits<char16_t>::length(alphabet));
  const CString text(_T("テキスト"));
  const LPCTSTR nullText = nullptr;
  int x = 7;
  unsigned state = 12345u;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7fff;
  };
  for (int round = 0; round < 3000; ++round) {
    std::u16string fmt;
    const int len = 1 + static_cast<int>(next() % 12);
    for (int i = 0; i < len; ++i) fmt.push_back(alphabet[next() % static_cast<unsigned>(alphabetSize)]);
    CString s;
    s.Format(fmt.c_str(), 42, -1.5, text, "narrow", nullText, &x, _T('c'), 1ULL << 40, -7);
    EXPECT_LE(s.GetLength(), 5 * 4200) << CString(fmt);
  }
  EXPECT_EQ(x, 7);
}
