// Text: fonts from LOGFONT, extents and metrics, TextOut alignment and DrawText layout.
#include <gtest/gtest.h>

#include <QtGui/QFont>

#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "tests/platform/gdi/MemoryDc.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

struct TextDc : MemoryDc {
  CFont font;
  CFont* oldFont = nullptr;
  explicit TextDc(int w, int h, int height = -16) : MemoryDc(w, h) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    font.CreateFontIndirect(&lf);
    oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
  }
  ~TextDc() { dc.SelectObject(oldFont); }
};

TEST(Text, HeightSemanticsOfLogFont) {
  MemoryDc m(10, 10);
  for (int h : {-12, -20, -40}) {
    CFont f;
    LOGFONT lf{};
    lf.lfHeight = h;
    ASSERT_TRUE(f.CreateFontIndirect(&lf));
    CFont* old = m.dc.SelectObject(&f);
    TEXTMETRIC tm{};
    ASSERT_TRUE(m.dc.GetTextMetrics(&tm));
    // A negative height is the character height: cell height minus internal leading.
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, -h, 1) << h;
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    m.dc.SelectObject(old);
  }
  for (int h : {16, 30}) {
    CFont f;
    LOGFONT lf{};
    lf.lfHeight = h;
    ASSERT_TRUE(f.CreateFontIndirect(&lf));
    CFont* old = m.dc.SelectObject(&f);
    TEXTMETRIC tm{};
    m.dc.GetTextMetrics(&tm);
    // A positive height is the cell height.
    EXPECT_NEAR(tm.tmHeight, h, 1) << h;
    m.dc.SelectObject(old);
  }
}

TEST(Text, FontAttributesReachTheMetrics) {
  MemoryDc m(10, 10);
  CFont bold;
  bold.CreateFont(-14, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, u"Sans");
  CFont* old = m.dc.SelectObject(&bold);
  TEXTMETRIC tm{};
  m.dc.GetTextMetrics(&tm);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  EXPECT_EQ(tm.tmItalic, 1);
  LOGFONT lf{};
  ASSERT_EQ(bold.GetLogFont(&lf), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(lf.lfHeight, -14);
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"Sans");
  CString face;
  m.dc.GetTextFace(face);
  EXPECT_EQ(face, CString(u"Sans"));
  const QFont qf = bold.GetQFont();
  EXPECT_EQ(qf.pixelSize(), 14);
  EXPECT_TRUE(qf.bold());
  EXPECT_TRUE(qf.italic());
  EXPECT_EQ(CFont().GetQFont(), QFont());
  m.dc.SelectObject(old);
}

TEST(Text, ExtentGrowsWithTheText) {
  TextDc t(10, 10);
  const CSize one = t.dc.GetTextExtent(u"W", 1);
  const CSize four = t.dc.GetTextExtent(CString(u"WWWW"));
  EXPECT_GT(one.cx, 0);
  EXPECT_NEAR(four.cx, 4 * one.cx, 2);
  EXPECT_EQ(one.cy, four.cy);
  EXPECT_EQ(t.dc.GetTextExtent(u"", 0), CSize(0, 0 + one.cy));
  TEXTMETRIC tm{};
  t.dc.GetTextMetrics(&tm);
  EXPECT_EQ(one.cy, tm.tmHeight);
  EXPECT_EQ(t.dc.GetTextExtent(nullptr, 3), CSize(0, 0));
}

TEST(Text, ExtentExCountsWhatFits) {
  TextDc t(10, 10);
  const CSize whole = t.dc.GetTextExtent(u"abcdef", 6);
  int fit = -1;
  int dx[6] = {};
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPoint(t.dc.GetSafeHdc(), u"abcdef", 6, whole.cx / 2, &fit, dx, &size));
  EXPECT_GT(fit, 0);
  EXPECT_LT(fit, 6);
  EXPECT_LE(dx[fit - 1], whole.cx / 2);
  EXPECT_GT(dx[fit], whole.cx / 2);
  for (int i = 1; i < 6; ++i) EXPECT_GE(dx[i], dx[i - 1]);
  EXPECT_NEAR(size.cx, whole.cx, 1);
  EXPECT_FALSE(GetTextExtentExPoint(t.dc.GetSafeHdc(), nullptr, 3, 10, &fit, nullptr, nullptr));
}

TEST(Text, TextOutAlignsOnItsReferencePoint) {
  struct Case { UINT align; int x, y; };
  for (Case c : {Case{TA_LEFT | TA_TOP, 20, 20}, Case{TA_RIGHT | TA_BOTTOM, 180, 60}, Case{TA_CENTER | TA_BASELINE, 100, 40}}) {
    TextDc t(200, 80);
    t.dc.SetTextColor(RGB(0, 0, 0));
    t.dc.SetTextAlign(c.align);
    const CSize ext = t.dc.GetTextExtent(u"Hello", 5);
    t.dc.TextOut(c.x, c.y, u"Hello", 5);
    const CRect ink = t.InkBox();
    ASSERT_FALSE(ink.IsRectEmpty()) << c.align;
    if ((c.align & TA_CENTER) == TA_CENTER) EXPECT_NEAR((ink.left + ink.right) / 2.0, c.x, 3);
    else if (c.align & TA_RIGHT) EXPECT_LE(ink.right, c.x + 1);
    else EXPECT_GE(ink.left, c.x - 1);
    if ((c.align & TA_BASELINE) == TA_BASELINE) EXPECT_NEAR(ink.bottom, c.y, 2);
    else if (c.align & TA_BOTTOM) EXPECT_LE(ink.bottom, c.y);
    else EXPECT_GE(ink.top, c.y);
    EXPECT_LE(ink.Width(), ext.cx + 1);
  }
}

TEST(Text, OpaqueBackgroundFillsTheCell) {
  TextDc t(100, 40);
  t.dc.SetBkMode(OPAQUE);
  t.dc.SetBkColor(RGB(0, 255, 0));
  t.dc.TextOut(10, 10, u"ab", 2);
  const CSize ext = t.dc.GetTextExtent(u"ab", 2);
  EXPECT_EQ(t.InkBox(), CRect(10, 10, 10 + ext.cx, 10 + ext.cy));
}

TEST(Text, UpdateCpMovesTheCurrentPosition) {
  TextDc t(200, 40);
  t.dc.SetTextAlign(TA_UPDATECP);
  t.dc.MoveTo(10, 5);
  const CSize ext = t.dc.GetTextExtent(u"abc", 3);
  t.dc.TextOut(0, 0, u"abc", 3);
  EXPECT_EQ(t.dc.GetCurrentPosition(), CPoint(10 + ext.cx, 5));
}

TEST(Text, ExtTextOutOpaqueAndClipped) {
  TextDc t(100, 40);
  CRect r(10, 10, 30, 30);
  t.dc.SetBkColor(RGB(0, 0, 255));
  t.dc.ExtTextOut(12, 12, ETO_OPAQUE | ETO_CLIPPED, &r, CString(u"WWWWWWWWWW"), nullptr);
  EXPECT_EQ(t.InkBox(), r);
  EXPECT_EQ(t.At(10, 29), RGB(0, 0, 255));
}

TEST(Text, EscapementRotatesTheText) {
  TextDc flat(120, 120), up(120, 120);
  flat.dc.TextOut(60, 60, u"Rotated", 7);
  CFont rotated;
  LOGFONT lf{};
  lf.lfHeight = -16;
  lf.lfEscapement = 900;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  rotated.CreateFontIndirect(&lf);
  up.dc.SelectObject(&rotated);
  up.dc.TextOut(60, 60, u"Rotated", 7);
  const CRect a = flat.InkBox(), b = up.InkBox();
  EXPECT_GT(a.Width(), a.Height());
  EXPECT_GT(b.Height(), b.Width());
  EXPECT_LE(b.bottom, 61);  // runs upwards from the reference point
  up.dc.SelectObject(up.oldFont);
}

TEST(Text, DrawTextPlacesSingleLines) {
  struct Case { UINT fmt; };
  for (UINT fmt : {DT_LEFT | DT_TOP, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_BOTTOM}) {
    TextDc t(200, 60);
    CRect r(10, 5, 190, 55);
    const int h = t.dc.DrawText(CString(u"Centre"), &r, fmt | DT_SINGLELINE);
    const CRect ink = t.InkBox();
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_TRUE(CRect(r).PtInRect(ink.TopLeft()));
    TEXTMETRIC tm{};
    t.dc.GetTextMetrics(&tm);
    if (fmt & DT_CENTER) {
      EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 3);
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30, 5);
      EXPECT_EQ(h, (50 - tm.tmHeight) / 2 + tm.tmHeight);  // offset from the top to the text's bottom
    } else if (fmt & DT_RIGHT) {
      EXPECT_GE(ink.right, 185);
      EXPECT_GE(ink.top, 55 - tm.tmHeight);
    } else {
      EXPECT_LE(ink.left, 12);
      EXPECT_LE(ink.top, 5 + tm.tmAscent);
      EXPECT_EQ(h, tm.tmHeight);
    }
  }
}

TEST(Text, DrawTextWrapsAndMeasures) {
  TextDc t(200, 200);
  TEXTMETRIC tm{};
  t.dc.GetTextMetrics(&tm);
  const CString text(u"one two three four five six seven eight nine ten");
  CRect calc(0, 0, 80, 0);
  const int h = t.dc.DrawText(text, &calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(h, tm.tmHeight * 3);
  EXPECT_EQ(h % tm.tmHeight, 0);
  EXPECT_EQ(calc.Height(), h);
  EXPECT_LE(calc.Width(), 80);
  EXPECT_EQ(t.CountInk(0, 0, 200, 200), 0);  // measuring draws nothing

  CRect r(0, 0, 80, 200);
  t.dc.DrawText(text, &r, DT_WORDBREAK);
  const CRect ink = t.InkBox();
  EXPECT_LE(ink.right, 80);
  EXPECT_GT(ink.bottom, tm.tmHeight * 3);

  // Explicit line breaks count too; single-line mode ignores them.
  CRect two(0, 0, 200, 0);
  EXPECT_EQ(t.dc.DrawText(CString(u"a\r\nb"), &two, DT_CALCRECT), 2 * tm.tmHeight);
  CRect one(0, 0, 200, 0);
  EXPECT_EQ(t.dc.DrawText(CString(u"a\r\nb"), &one, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
}

TEST(Text, DrawTextBreaksIdeographs) {
  TextDc t(200, 200);
  TEXTMETRIC tm{};
  t.dc.GetTextMetrics(&tm);
  CRect calc(0, 0, 60, 0);
  t.dc.DrawText(CString(u"日本語の文章は空白なしで折り返す"), &calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(calc.Height(), tm.tmHeight);
  EXPECT_LE(calc.Width(), 60);
}

TEST(Text, EndEllipsisKeepsTheTextInside) {
  TextDc t(300, 40);
  CRect r(10, 5, 70, 35);
  const CString longText(u"A rather long caption that cannot fit");
  t.dc.DrawText(longText, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  const CRect ink = t.InkBox();
  EXPECT_LE(ink.right, 70);
  TextDc u(300, 40);
  u.dc.DrawText(longText, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(u.InkBox().right, 70);  // without the ellipsis it runs out
  TextDc c(300, 40);
  c.dc.DrawText(longText, &r, DT_SINGLELINE);
  EXPECT_LE(c.InkBox().right, 70);  // clipped
}

TEST(Text, PrefixUnderlinesAndDoubleAmpersand) {
  TextDc a(200, 40), b(200, 40), c(200, 40);
  CRect r(0, 0, 200, 40);
  a.dc.DrawText(CString(u"&File"), &r, DT_SINGLELINE);
  b.dc.DrawText(CString(u"&File"), &r, DT_SINGLELINE | DT_HIDEPREFIX);
  c.dc.DrawText(CString(u"&File"), &r, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_GT(a.InkBox().bottom, b.InkBox().bottom);  // the underline lies below the glyphs
  EXPECT_GT(c.InkBox().right, b.InkBox().right);    // the '&' itself is drawn
  CRect m1(0, 0, 200, 0), m2(0, 0, 200, 0);
  a.dc.DrawText(CString(u"A&&B"), &m1, DT_CALCRECT | DT_SINGLELINE);
  a.dc.DrawText(CString(u"A&B"), &m2, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(m1.Width(), m2.Width());
}

TEST(Text, ExpandTabs) {
  TextDc t(400, 40);
  CRect plain(0, 0, 400, 0), tabs(0, 0, 400, 0);
  t.dc.DrawText(CString(u"a\tb"), &plain, DT_CALCRECT | DT_SINGLELINE);
  t.dc.DrawText(CString(u"a\tb"), &tabs, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  TEXTMETRIC tm{};
  t.dc.GetTextMetrics(&tm);
  EXPECT_GE(tabs.Width(), 8 * tm.tmAveCharWidth);
  EXPECT_GT(tabs.Width(), plain.Width());
}

}  // namespace
