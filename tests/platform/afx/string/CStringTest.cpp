#include <gtest/gtest.h>

#include <QtCore/QLocale>
#include <QtCore/QString>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/afx/CString.h"

namespace {
std::string U8(const CString& s) { return s.ToUtf8(); }
}  // namespace

TEST(CString, Construction) {
  const LPCTSTR nullText = nullptr;
  EXPECT_TRUE(CString(nullText).IsEmpty());
  EXPECT_EQ(CString(_T("abcdef"), 3), _T("abc"));
  EXPECT_TRUE(CString(_T("abc"), -1).IsEmpty());
  EXPECT_TRUE(CString(nullText, 5).IsEmpty());
  EXPECT_EQ(CString(_T('z'), 3), _T("zzz"));
  EXPECT_TRUE(CString(_T('z'), -2).IsEmpty());
  EXPECT_EQ(CString("caf\xC3\xA9"), _T("café"));
  const char* nullUtf8 = nullptr;
  EXPECT_TRUE(CString(nullUtf8).IsEmpty());

  // Embedded NULs survive when the text comes as a std::u16string.
  const CString withNul(std::u16string(u"a\0b", 3));
  EXPECT_EQ(withNul.GetLength(), 3);
  EXPECT_EQ(withNul.GetAt(2), u'b');

  CString moved(CString(_T("moved")));
  EXPECT_EQ(moved, _T("moved"));
  CString assigned;
  assigned = _T("wide");
  EXPECT_EQ(assigned, _T("wide"));
  assigned = "narrow";
  EXPECT_EQ(assigned, _T("narrow"));
  assigned = _T('c');
  EXPECT_EQ(assigned, _T("c"));
  assigned = nullText;
  EXPECT_TRUE(assigned.IsEmpty());
}

TEST(CString, ConversionsRoundTrip) {
  // Latin, Japanese and a character outside the BMP (a surrogate pair).
  const char* utf8 = "Ab\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9D\x84\x9E";
  const CString s = CString::FromUtf8(utf8);
  EXPECT_EQ(s.GetLength(), 9);  // the last character takes two code units
  EXPECT_EQ(s.ToUtf8(), utf8);
  EXPECT_EQ(CString::FromUtf8(std::string(utf8)), s);

  const QString q = s.ToQString();
  EXPECT_EQ(q, QString::fromUtf8(utf8));
  EXPECT_EQ(CString::FromQString(q), s);
  EXPECT_EQ(s.str(), std::u16string(u"Abé 日本 \U0001D11E"));
  EXPECT_TRUE(CString::FromQString(QString()).IsEmpty());

  std::ostringstream os;
  os << CString(_T("日本"));
  EXPECT_EQ(os.str(), "\xE6\x97\xA5\xE6\x9C\xAC");

  // operator LPCTSTR gives a NUL-terminated buffer.
  const LPCTSTR p = s;
  EXPECT_EQ(std::char_traits<char16_t>::length(p), 9u);
  EXPECT_EQ(p, s.GetString());
}

TEST(CString, ElementAccess) {
  CString s(_T("abc"));
  EXPECT_EQ(s.GetAt(0), u'a');
  EXPECT_EQ(s[2], u'c');
  EXPECT_EQ(s[static_cast<size_t>(1)], u'b');
  EXPECT_EQ(s[1L], u'b');
  EXPECT_EQ(s.GetAt(-1), 0);
  EXPECT_EQ(s.GetAt(3), 0);
  s.SetAt(1, u'X');
  s.SetAt(7, u'Y');  // out of range: ignored
  EXPECT_EQ(s, _T("aXc"));
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(CString, Concatenation) {
  const CString a(_T("ab"));
  EXPECT_EQ(a + CString(_T("cd")), _T("abcd"));
  EXPECT_EQ(a + _T("cd"), _T("abcd"));
  EXPECT_EQ(_T("cd") + a, _T("cdab"));
  EXPECT_EQ(a + _T('!'), _T("ab!"));
  EXPECT_EQ(_T('!') + a, _T("!ab"));
  CString s(a);
  s += _T("x");
  s += _T('y');
  s += CString(_T("z"));
  s += "\xE6\x97\xA5";
  EXPECT_EQ(s, _T("abxyz日"));
  s += s.GetString();  // appending itself
  EXPECT_EQ(s, _T("abxyz日abxyz日"));
  CString t;
  t.Append(_T("hello"), 2);
  t.Append(_T("x"), 10);
  t.AppendChar(_T('!'));
  EXPECT_EQ(t, _T("hex!"));
}

TEST(CString, FindAndSpan) {
  const CString s(_T("abcabc"));
  struct Case {
    int actual;
    int expected;
  };
  const std::vector<Case> table = {
      {s.Find(_T('b')), 1},
      {s.Find(_T('b'), 2), 4},
      {s.Find(_T('b'), 5), -1},
      {s.Find(_T('b'), 6), -1},
      {s.Find(_T('b'), 100), -1},
      {s.Find(_T('b'), -3), 1},
      {s.Find(_T("ca")), 2},
      {s.Find(_T("bc"), 2), 4},
      {s.Find(_T("bc"), 5), -1},
      {s.Find(_T("")), 0},
      {s.Find(_T(""), 6), 6},
      {s.Find(_T(""), 7), -1},
      {s.Find(static_cast<LPCTSTR>(nullptr)), -1},
      {s.Find(_T("abcabcd")), -1},
      {s.ReverseFind(_T('a')), 3},
      {s.ReverseFind(_T('z')), -1},
      {s.FindOneOf(_T("xyc")), 2},
      {s.FindOneOf(_T("xyz")), -1},
      {s.FindOneOf(_T("")), -1},
      {CString(_T("図面の線")).Find(_T("線")), 3},
  };
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].actual, table[i].expected) << "row " << i;

  EXPECT_EQ(CString(_T("123abc")).SpanIncluding(_T("0123456789")), _T("123"));
  EXPECT_EQ(CString(_T("abc")).SpanIncluding(_T("0123456789")), _T(""));
  EXPECT_EQ(CString(_T("123")).SpanIncluding(_T("0123456789")), _T("123"));
  EXPECT_EQ(CString(_T("key=value")).SpanExcluding(_T("=;")), _T("key"));
  EXPECT_EQ(CString(_T("key")).SpanExcluding(_T("=;")), _T("key"));
}

TEST(CString, MidLeftRightClamp) {
  const CString s(_T("abcdef"));
  struct Case {
    CString actual;
    const char16_t* expected;
  };
  const std::vector<Case> table = {
      {s.Mid(2), u"cdef"},
      {s.Mid(2, 3), u"cde"},
      {s.Mid(4, 10), u"ef"},
      {s.Mid(6), u""},
      {s.Mid(9), u""},
      {s.Mid(9, 2), u""},
      {s.Mid(-2, 3), u"abc"},
      {s.Mid(1, -1), u""},
      {s.Mid(1, 0x7fffffff), u"bcdef"},
      {s.Mid(0x7fffffff, 0x7fffffff), u""},
      {s.Left(2), u"ab"},
      {s.Left(0), u""},
      {s.Left(-1), u""},
      {s.Left(100), u"abcdef"},
      {s.Right(2), u"ef"},
      {s.Right(0), u""},
      {s.Right(-5), u""},
      {s.Right(100), u"abcdef"},
  };
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(U8(table[i].actual), U8(table[i].expected)) << "row " << i;
}

TEST(CString, Trim) {
  struct Case {
    CString actual;
    const char16_t* expected;
  };
  const std::vector<Case> table = {
      {CString(_T(" \t\r\n x y \n")).Trim(), u"x y"},
      {CString(_T("\x3000全角\x3000")).Trim(), u"全角"},  // ideographic space
      {CString(_T("  x  ")).TrimLeft(), u"x  "},
      {CString(_T("  x  ")).TrimRight(), u"  x"},
      {CString(_T("    ")).Trim(), u""},
      {CString(_T("")).Trim(), u""},
      {CString(_T("xxaxx")).Trim(_T('x')), u"a"},
      {CString(_T("xxaxx")).TrimLeft(_T('x')), u"axx"},
      {CString(_T("xxaxx")).TrimRight(_T('x')), u"xxa"},
      {CString(_T("0.500")).TrimRight(_T('0')), u"0.5"},
      {CString(_T("-+a+-")).Trim(_T("+-")), u"a"},
      {CString(_T("-+a+-")).TrimLeft(_T("+-")), u"a+-"},
      {CString(_T("-+a+-")).TrimRight(_T("+-")), u"-+a"},
      {CString(_T(" a ")).Trim(_T("")), u" a "},
      {CString(_T(" a ")).Trim(static_cast<LPCTSTR>(nullptr)), u" a "},
  };
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(U8(table[i].actual), U8(table[i].expected)) << "row " << i;

  // The set of characters may be the string itself.
  CString self(_T("aba"));
  self.Trim(self.GetString());
  EXPECT_TRUE(self.IsEmpty());
}

TEST(CString, CaseAndReverse) {
  CString s(_T("Abc éÉ ß 日本"));
  s.MakeUpper();
  EXPECT_EQ(s, _T("ABC ÉÉ ß 日本"));  // one code unit for one: the length never changes
  s.MakeLower();
  EXPECT_EQ(s, _T("abc éé ß 日本"));
  CString r(_T("abc"));
  EXPECT_EQ(r.MakeReverse(), _T("cba"));
  EXPECT_EQ(CString().MakeUpper(), _T(""));
}

TEST(CString, ReplaceRemoveInsertDelete) {
  CString s(_T("a.b.c"));
  EXPECT_EQ(s.Replace(_T('.'), _T('/')), 2);
  EXPECT_EQ(s, _T("a/b/c"));
  EXPECT_EQ(s.Replace(_T('x'), _T('y')), 0);

  CString t(_T("aaaa"));
  EXPECT_EQ(t.Replace(_T("aa"), _T("b")), 2);
  EXPECT_EQ(t, _T("bb"));
  CString u(_T("aaa"));
  EXPECT_EQ(u.Replace(_T("aa"), _T("x")), 1);  // no overlapping matches
  EXPECT_EQ(u, _T("xa"));
  CString grow(_T("1,2,3"));
  EXPECT_EQ(grow.Replace(_T(","), _T(", ")), 2);
  EXPECT_EQ(grow, _T("1, 2, 3"));
  CString gone(_T("a--b--"));
  EXPECT_EQ(gone.Replace(_T("--"), nullptr), 2);
  EXPECT_EQ(gone, _T("ab"));
  CString same(_T("abc"));
  EXPECT_EQ(same.Replace(_T(""), _T("x")), 0);
  EXPECT_EQ(same.Replace(nullptr, _T("x")), 0);
  EXPECT_EQ(same, _T("abc"));
  CString jp(_T("線の線"));
  EXPECT_EQ(jp.Replace(_T("線"), _T("円弧")), 2);
  EXPECT_EQ(jp, _T("円弧の円弧"));

  CString r(_T("a b c "));
  EXPECT_EQ(r.Remove(_T(' ')), 3);
  EXPECT_EQ(r, _T("abc"));

  CString ins(_T("ac"));
  EXPECT_EQ(ins.Insert(1, _T('b')), 3);
  EXPECT_EQ(ins.Insert(-5, _T("<")), 4);
  EXPECT_EQ(ins.Insert(99, _T(">")), 5);
  EXPECT_EQ(ins, _T("<abc>"));

  CString del(_T("abcdef"));
  EXPECT_EQ(del.Delete(1), 5);
  EXPECT_EQ(del, _T("acdef"));
  EXPECT_EQ(del.Delete(3, 99), 3);
  EXPECT_EQ(del, _T("acd"));
  EXPECT_EQ(del.Delete(5, 1), 3);
  EXPECT_EQ(del.Delete(-1, 1), 2);
  EXPECT_EQ(del, _T("cd"));
  EXPECT_EQ(del.Delete(0, -3), 2);
  EXPECT_EQ(del.Delete(1, 0x7fffffff), 1);
  EXPECT_EQ(del, _T("c"));
}

TEST(CString, Tokenize) {
  const CString s(_T("  a,,bb; c "));
  std::vector<std::string> tokens;
  int pos = 0;
  for (CString tok = s.Tokenize(_T(",; "), pos); pos != -1; tok = s.Tokenize(_T(",; "), pos)) {
    tokens.push_back(U8(tok));
    ASSERT_LT(tokens.size(), 10u);
  }
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "bb", "c"}));

  // The position moves past the delimiter that ended the token, so Mid(pos) is the rest.
  pos = 0;
  EXPECT_EQ(s.Tokenize(_T(","), pos), _T("  a"));
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(s.Mid(pos), _T(",bb; c "));

  // Only delimiters: no token at all.
  pos = 0;
  EXPECT_TRUE(CString(_T(",,,")).Tokenize(_T(","), pos).IsEmpty());
  EXPECT_EQ(pos, -1);

  // A start out of range ends at once.
  pos = -4;
  EXPECT_TRUE(s.Tokenize(_T(","), pos).IsEmpty());
  EXPECT_EQ(pos, -1);
  pos = 100;
  EXPECT_TRUE(s.Tokenize(_T(","), pos).IsEmpty());
  EXPECT_EQ(pos, -1);

  // Without delimiters the rest is one token, and the next call ends.
  pos = 2;
  EXPECT_EQ(s.Tokenize(_T(""), pos), _T("a,,bb; c "));
  EXPECT_TRUE(s.Tokenize(_T(""), pos).IsEmpty());
  EXPECT_EQ(pos, -1);

  // Japanese text split at the ideographic comma.
  const CString jp(_T("線、円、弧"));
  pos = 0;
  EXPECT_EQ(jp.Tokenize(_T("、"), pos), _T("線"));
  EXPECT_EQ(jp.Tokenize(_T("、"), pos), _T("円"));
  EXPECT_EQ(jp.Tokenize(_T("、"), pos), _T("弧"));
  EXPECT_TRUE(jp.Tokenize(_T("、"), pos).IsEmpty());
  EXPECT_EQ(pos, -1);
}

TEST(CString, BufferRoundTrip) {
  CString s(_T("ab"));
  LPTSTR p = s.GetBuffer(10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], u'a');
  const char16_t text[] = u"hello";
  std::memcpy(p, text, sizeof text);  // including the NUL
  s.ReleaseBuffer();
  EXPECT_EQ(s, _T("hello"));
  EXPECT_EQ(s.GetLength(), 5);

  p = s.GetBuffer();
  p[0] = u'J';
  s.ReleaseBuffer();
  EXPECT_EQ(s, _T("Jello"));

  p = s.GetBuffer(3);  // smaller than the text: the text stays
  s.ReleaseBuffer();
  EXPECT_EQ(s, _T("Jello"));

  p = s.GetBufferSetLength(3);
  EXPECT_EQ(s.GetLength(), 3);
  p[2] = u'X';
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, _T("Je"));

  // Writing a full buffer without a NUL keeps every character.
  CString full;
  p = full.GetBuffer(4);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char16_t>(u'0' + i);
  full.ReleaseBuffer();
  EXPECT_EQ(full, _T("0123"));

  CString empty;
  p = empty.GetBuffer(0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], 0);
  empty.ReleaseBuffer();
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_NE(empty.LockBuffer(), nullptr);
  empty.UnlockBuffer();

  CString cut(_T("abcdef"));
  cut.Truncate(2);
  EXPECT_EQ(cut, _T("ab"));
  cut.Truncate(10);
  EXPECT_EQ(cut, _T("ab"));
}

TEST(CString, CompareOrdinalAndNoCase) {
  const CString s(_T("abc"));
  struct Case {
    int actual;
    int expected;
  };
  const std::vector<Case> table = {
      {s.Compare(_T("abc")), 0},
      {s.Compare(_T("abd")), -1},
      {s.Compare(_T("ab")), 1},
      {s.Compare(_T("ABC")), 1},
      {s.Compare(nullptr), 1},
      {CString().Compare(nullptr), 0},
      {s.CompareNoCase(_T("ABC")), 0},
      {s.CompareNoCase(_T("ABD")), -1},
      {s.CompareNoCase(_T("AB")), 1},
      {CString(_T("Éclair")).CompareNoCase(_T("éCLAIR")), 0},
      {CString(_T("ａｂｃ")).CompareNoCase(_T("ＡＢＣ")), 0},  // full-width letters
      {CString(_T("日本")).CompareNoCase(_T("日本")), 0},
      {CString(_T("_")).CompareNoCase(_T("a")), -1},  // compared in lower case, as MFC does
  };
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].actual, table[i].expected) << "row " << i;

  EXPECT_TRUE(s == _T("abc"));
  EXPECT_TRUE(_T("abc") == s);
  EXPECT_TRUE(s == CString(_T("abc")));
  EXPECT_TRUE(s != _T("abd"));
  EXPECT_TRUE(s < _T("abd"));
  EXPECT_TRUE(_T("abb") < s);
  EXPECT_TRUE(s > _T("ab"));
  EXPECT_TRUE(s <= _T("abc"));
  EXPECT_TRUE(s >= _T("abc"));
  EXPECT_TRUE(CString(_T("a")) < CString(_T("b")));
  EXPECT_TRUE(CString(_T("x")) == _T('x'));
}

TEST(CString, CollateFollowsLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const CString apple(_T("apple"));
  EXPECT_LT(CString(_T("Banana")).Compare(apple), 0);  // ordinal: upper case first
  EXPECT_GT(CString(_T("Banana")).Collate(apple), 0);  // locale: alphabetical
  EXPECT_LT(CString(_T("cote")).Collate(_T("côte")), 0);
  EXPECT_EQ(apple.Collate(_T("apple")), 0);
  EXPECT_NE(apple.Collate(_T("Apple")), 0);
  EXPECT_EQ(apple.CollateNoCase(_T("APPLE")), 0);
  EXPECT_LT(apple.CollateNoCase(_T("Banana")), 0);
  QLocale::setDefault(saved);
}

TEST(CString, HashKeyFollowsText) {
  const CString a(_T("layer"));
  EXPECT_EQ(HashKey(a), HashKey(_T("layer")));
  EXPECT_EQ(HashKey(a), HashKey(CString(_T("lay")) + _T("er")));
  EXPECT_NE(HashKey(a), HashKey(_T("layes")));
  EXPECT_EQ(HashKey(static_cast<LPCTSTR>(nullptr)), HashKey(CString()));
}
