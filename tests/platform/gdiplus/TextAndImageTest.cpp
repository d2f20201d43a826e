// GDI+ text (fonts, layout, measuring) and images (files, pixels, locking, drawing).
#include <gtest/gtest.h>

#include <set>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/GdiplusApi.h"
#include "platform/gdiplus/ImageAttributes.h"
#include "platform/gdiplus/InstalledFontCollection.h"
#include "platform/gdiplus/Region.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"
#include "tests/platform/gdiplus/Canvas.h"

using namespace Gdiplus;

namespace {

const ARGB kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

std::u16string U16(const QString& s) { return s.toStdU16String(); }

TEST(Fonts, FamiliesAndCollections) {
  InstalledFontCollection installed;
  ASSERT_GT(installed.GetFamilyCount(), 0);
  std::vector<FontFamily> families(size_t(installed.GetFamilyCount()));
  INT found = 0;
  EXPECT_EQ(installed.GetFamilies(installed.GetFamilyCount(), families.data(), &found), Ok);
  EXPECT_EQ(found, installed.GetFamilyCount());
  EXPECT_TRUE(families[0].IsAvailable());
  WCHAR name[LF_FACESIZE];
  families[0].GetFamilyName(name);
  FontFamily again(name);
  EXPECT_EQ(again.GetLastStatus(), Ok);
  FontFamily missing(u"No Such Family Anywhere");
  EXPECT_EQ(missing.GetLastStatus(), FontFamilyNotFound);
  EXPECT_TRUE(FontFamily::GenericSansSerif()->IsAvailable());
  EXPECT_GT(FontFamily::GenericSansSerif()->GetCellAscent(FontStyleRegular), 0);
}

TEST(Fonts, StylesAndCharacterSets) {
  // Some installed family offers a regular face, and the styles asked of a family are
  // answered from its faces, not assumed.
  InstalledFontCollection installed;
  std::vector<FontFamily> families(size_t(installed.GetFamilyCount()));
  INT found = 0;
  installed.GetFamilies(installed.GetFamilyCount(), families.data(), &found);
  int regular = 0;
  for (const FontFamily& f : families) regular += f.IsStyleAvailable(FontStyleRegular) ? 1 : 0;
  EXPECT_GT(regular, 0);
  FontFamily none;
  EXPECT_FALSE(none.IsStyleAvailable(FontStyleRegular));
  Font text(FontFamily::GenericSansSerif(), 12);
  LOGFONTW lf{};
  text.GetLogFontW(nullptr, &lf);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_FALSE(FontFamily::GenericSansSerif()->IsSymbolFamily());
}

TEST(Fonts, FamiliesInstalledTwiceAreListedOnceByTheirPlainName) {
  // The URW fonts come as Type 1 and OpenType files of different foundries.
  InstalledFontCollection installed;
  std::vector<FontFamily> families(size_t(installed.GetFamilyCount()));
  INT found = 0;
  installed.GetFamilies(installed.GetFamilyCount(), families.data(), &found);
  std::set<std::u16string> names;
  for (const FontFamily& f : families) {
    EXPECT_EQ(f.Name().find(u" ["), std::u16string::npos) << QString::fromStdU16String(f.Name()).toStdString();
    EXPECT_TRUE(names.insert(f.Name()).second) << QString::fromStdU16String(f.Name()).toStdString();
  }
  EXPECT_EQ(names.count(u"D050000L"), 1u);
  EXPECT_EQ(names.count(u"Nimbus Sans"), 1u);
  FontFamily dingbats(u"D050000L");
  EXPECT_EQ(dingbats.GetLastStatus(), Ok);
  EXPECT_EQ(dingbats.Name(), u"D050000L");
}

TEST(Fonts, SymbolFamiliesAreTheDingbatsAndSymbolFontsOnly) {
  const struct {
    const char16_t* family;
    BOOL symbol;
  } cases[] = {{u"D050000L", TRUE}, {u"Standard Symbols PS", TRUE}, {u"DejaVu Sans", FALSE},
               {u"Nimbus Roman", FALSE}, {u"Noto Sans CJK JP", FALSE}};
  for (const auto& c : cases) {
    FontFamily family(c.family);
    ASSERT_EQ(family.GetLastStatus(), Ok) << QString::fromStdU16String(c.family).toStdString();
    EXPECT_EQ(family.IsSymbolFamily(), c.symbol) << QString::fromStdU16String(c.family).toStdString();
    Font font(&family, 12);
    LOGFONTW lf{};
    font.GetLogFontW(nullptr, &lf);
    EXPECT_EQ(lf.lfCharSet, c.symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET);
  }
}

TEST(Fonts, SizesUnitsAndLogFonts) {
  Font pt(u"sans-serif", 12, FontStyleBold, UnitPoint);
  EXPECT_NEAR(pt.SizeInPixels(96), 16, 1e-9);
  Font px(u"sans-serif", 20, FontStyleRegular, UnitPixel);
  EXPECT_GT(px.GetHeight(96.0f), 20);
  Canvas c(10, 10);
  LOGFONTW lf{};
  pt.GetLogFontW(&c.G(), &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  // From a device context's font.
  CDC dc;
  dc.CreateIC(nullptr, nullptr, nullptr, nullptr);
  CFont gdiFont;
  LOGFONT g{};
  g.lfHeight = -18;
  g.lfItalic = TRUE;
  gdiFont.CreateFontIndirect(&g);
  dc.SelectObject(&gdiFont);
  Font fromDc(dc.GetSafeHdc());
  EXPECT_EQ(fromDc.GetLastStatus(), Ok);
  EXPECT_EQ(fromDc.GetUnit(), UnitPixel);
  EXPECT_EQ(fromDc.GetSize(), 18.0f);
  EXPECT_EQ(fromDc.GetStyle() & FontStyleItalic, FontStyleItalic);
  dc.SelectStockObject(SYSTEM_FONT);
  Font bad(u"sans-serif", -3);
  EXPECT_EQ(bad.GetLastStatus(), InvalidParameter);
}

TEST(Text, DrawStringInsideItsRectangle) {
  Canvas c(200, 60);
  Font font(u"sans-serif", 14, FontStyleRegular, UnitPixel);
  SolidBrush black(Color(0, 0, 0));
  StringFormat centred;
  centred.SetAlignment(StringAlignmentCenter);
  centred.SetLineAlignment(StringAlignmentCenter);
  const std::u16string text = u"Centred text";
  EXPECT_EQ(c.G().DrawString(text.c_str(), -1, &font, RectF(20, 10, 160, 40), &centred, &black), Ok);
  const Rect box = c.InkBox();
  ASSERT_GT(box.Width, 0);
  EXPECT_GE(box.X, 20);
  EXPECT_LE(box.GetRight(), 180);
  EXPECT_NEAR(box.X + box.Width / 2.0, 100, 3);
  EXPECT_NEAR(box.Y + box.Height / 2.0, 30, 4);
  EXPECT_EQ(c.G().DrawString(nullptr, 3, &font, PointF(0, 0), &black), InvalidParameter);
}

TEST(Text, MeasureStringWrapsAndPads) {
  Canvas c(10, 10);
  Font font(u"sans-serif", 12, FontStyleRegular, UnitPixel);
  const std::u16string text = u"several words that will need a few lines";
  RectF one, wrapped, typo;
  INT lines = 0, fitted = 0;
  c.G().MeasureString(text.c_str(), -1, &font, PointF(0, 0), &one);
  c.G().MeasureString(text.c_str(), -1, &font, RectF(0, 0, 80, 0), StringFormat::GenericDefault(), &wrapped, &fitted,
                      &lines);
  c.G().MeasureString(text.c_str(), -1, &font, PointF(0, 0), StringFormat::GenericTypographic(), &typo);
  EXPECT_GT(lines, 2);
  EXPECT_EQ(fitted, int(text.size()) - (lines - 1));  // the breaking spaces are not drawn
  EXPECT_LE(wrapped.Width, 80);
  EXPECT_NEAR(wrapped.Height, one.Height * lines, 1);
  EXPECT_NEAR(one.Width - typo.Width, 2 * 12 / 6.0, 0.5);  // a sixth of an em on each side
  // A line limit keeps whole lines only, and the last shows that text was cut.
  StringFormat limited(StringFormatFlagsLineLimit);
  limited.SetTrimming(StringTrimmingEllipsisCharacter);
  RectF cut;
  INT cutLines = 0;
  c.G().MeasureString(text.c_str(), -1, &font, RectF(0, 0, 80, one.Height * 1.5f), &limited, &cut, nullptr, &cutLines);
  EXPECT_EQ(cutLines, 1);
}

TEST(Text, ScalesWithPageUnits) {
  Canvas c(10, 10);
  Font font(u"sans-serif", 10, FontStyleRegular, UnitPoint);
  RectF px, mm;
  c.G().MeasureString(u"Width", -1, &font, PointF(0, 0), StringFormat::GenericTypographic(), &px);
  c.G().SetPageUnit(UnitMillimeter);
  c.G().MeasureString(u"Width", -1, &font, PointF(0, 0), StringFormat::GenericTypographic(), &mm);
  EXPECT_NEAR(mm.Width, px.Width * 25.4 / 96, 0.3);
}

TEST(Images, LoadSaveAndFormats) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage src(5, 4, QImage::Format_RGB32);
  src.fill(qRgb(10, 20, 30));
  src.setPixel(4, 3, qRgb(250, 128, 1));
  for (const char* fmt : {"BMP", "PNG", "TIFF", "JPEG"}) {
    const QString path = dir.filePath(QStringLiteral("in.") + QString::fromLatin1(fmt).toLower());
    QImage flat(5, 4, QImage::Format_RGB32);
    flat.fill(qRgb(10, 20, 30));
    const bool lossy = std::string(fmt) == "JPEG";
    ASSERT_TRUE((lossy ? flat : src).save(path, fmt)) << fmt;
    std::unique_ptr<Bitmap> b(Bitmap::FromFile(U16(path).c_str()));
    ASSERT_EQ(b->GetLastStatus(), Ok) << fmt;
    EXPECT_EQ(b->GetWidth(), 5u);
    EXPECT_EQ(b->GetPixelFormat(), PixelFormat24bppRGB);
    Color px;
    if (lossy) {
      b->GetPixel(2, 2, &px);
      EXPECT_NEAR(px.GetB(), 30, 6);
      EXPECT_NEAR(px.GetR(), 10, 6);
      continue;
    }
    b->GetPixel(4, 3, &px);
    EXPECT_EQ(px.GetValue(), 0xFFFA8001u) << fmt;
  }
  // Save as PNG through the encoder list and read it back.
  UINT n = 0, size = 0;
  GetImageEncodersSize(&n, &size);
  std::vector<ImageCodecInfo> codecs(n);
  ASSERT_EQ(GetImageEncoders(n, size, codecs.data()), Ok);
  const CLSID* png = nullptr;
  for (const ImageCodecInfo& info : codecs)
    if (std::u16string(info.MimeType) == u"image/png") png = &info.Clsid;
  ASSERT_NE(png, nullptr);
  Bitmap b(3, 3, PixelFormat32bppARGB);
  b.SetPixel(1, 1, Color(128, 255, 0, 0));
  const QString out = dir.filePath(QStringLiteral("out.png"));
  ASSERT_EQ(b.Save(U16(out).c_str(), png), Ok);
  const QImage back(out);
  EXPECT_EQ(back.pixel(1, 1), qRgba(255, 0, 0, 128));
  EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
  CLSID unknown{};
  EXPECT_EQ(b.Save(U16(out).c_str(), &unknown), InvalidParameter);
}

TEST(Images, BadFilesFailCleanly) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bad.png"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\xff\xff\0\0\xff\xff", 24);  // huge and truncated
  f.close();
  std::unique_ptr<Bitmap> b(Bitmap::FromFile(U16(path).c_str()));
  EXPECT_NE(b->GetLastStatus(), Ok);
  EXPECT_EQ(b->GetWidth(), 0u);
  std::unique_ptr<Bitmap> missing(Bitmap::FromFile(u"/no/such/file.bmp"));
  EXPECT_NE(missing->GetLastStatus(), Ok);
  std::unique_ptr<Bitmap> junk(Bitmap::FromBytes("not an image", 12));
  EXPECT_NE(junk->GetLastStatus(), Ok);
  Bitmap tooBig(1 << 20, 1 << 20);
  EXPECT_EQ(tooBig.GetLastStatus(), InvalidParameter);
  Canvas c(4, 4);
  EXPECT_EQ(c.G().DrawImage(b.get(), 0, 0), InvalidParameter);
}

TEST(Images, LockBitsRoundTrip) {
  Bitmap b(4, 2, PixelFormat32bppARGB);
  b.SetPixel(1, 0, Color(200, 10, 20, 30));
  BitmapData data;
  Rect all(0, 0, 4, 2);
  ASSERT_EQ(b.LockBits(&all, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppARGB, &data), Ok);
  auto* bytes = static_cast<BYTE*>(data.Scan0);
  EXPECT_EQ(bytes[4], 30);  // blue, green, red, alpha
  EXPECT_EQ(bytes[7], 200);
  bytes[data.Stride + 0] = 255;  // pixel (0, 1): opaque blue
  bytes[data.Stride + 3] = 255;
  ASSERT_EQ(b.UnlockBits(&data), Ok);
  Color px;
  b.GetPixel(0, 1, &px);
  EXPECT_EQ(px.GetValue(), kBlue);

  ASSERT_EQ(b.LockBits(&all, ImageLockModeRead, PixelFormat24bppRGB, &data), Ok);
  EXPECT_EQ(data.Stride, 12);
  EXPECT_EQ(static_cast<BYTE*>(data.Scan0)[data.Stride], 255);
  b.UnlockBits(&data);
  Rect outside(2, 0, 4, 2);
  EXPECT_EQ(b.LockBits(&outside, ImageLockModeRead, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(b.LockBits(&all, ImageLockModeRead, PixelFormat8bppIndexed, &data), InvalidParameter);
}

TEST(Images, DrawnScaledAndColourKeyed) {
  Bitmap sprite(2, 2, PixelFormat32bppARGB);
  sprite.SetPixel(0, 0, Color(255, 0, 0));
  sprite.SetPixel(1, 0, Color(0, 0, 255));
  sprite.SetPixel(0, 1, Color(0, 0, 255));
  sprite.SetPixel(1, 1, Color(255, 0, 0));
  Canvas c(20, 20);
  c.G().SetInterpolationMode(InterpolationModeNearestNeighbor);
  ImageAttributes key;
  key.SetColorKey(Color(255, 0, 0), Color(255, 0, 0));  // red drawn transparent
  c.G().DrawImage(&sprite, RectF(0, 0, 20, 20), 0, 0, 2, 2, UnitPixel, &key);
  EXPECT_EQ(c.At(15, 5), kBlue);
  EXPECT_EQ(c.At(5, 15), kBlue);
  EXPECT_EQ(c.At(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(c.At(15, 15), 0xFFFFFFFFu);
  Canvas plain(4, 4);
  plain.G().DrawImage(&sprite, 1, 1);  // physical size: same resolution, same pixels
  EXPECT_EQ(plain.At(1, 1), kRed);
  EXPECT_EQ(plain.At(2, 1), kBlue);
  EXPECT_EQ(plain.At(3, 3), 0xFFFFFFFFu);
}

TEST(Images, ColourMatrixRecolours) {
  Bitmap sprite(2, 1, PixelFormat32bppARGB);
  sprite.SetPixel(0, 0, Color(255, 0, 0));
  sprite.SetPixel(1, 0, Color(128, 128, 128));
  // Red to grey by luminance weights, skipping greys; and half transparency.
  ColorMatrix m{};
  for (int i = 0; i < 3; ++i) {
    m.m[0][i] = 0.3f;
    m.m[1][i] = 0.59f;
    m.m[2][i] = 0.11f;
  }
  m.m[3][3] = 0.5f;
  ImageAttributes attrs;
  attrs.SetColorMatrix(&m, ColorMatrixFlagsSkipGrays);
  Canvas c(2, 1);
  c.G().SetCompositingMode(CompositingModeSourceCopy);
  c.G().DrawImage(&sprite, RectF(0, 0, 2, 1), 0, 0, 2, 1, UnitPixel, &attrs);
  const Color red(c.At(0, 0)), grey(c.At(1, 0));
  EXPECT_EQ(red.GetA(), 128);
  EXPECT_NEAR(red.GetR(), 77, 1);
  EXPECT_EQ(red.GetR(), red.GetB());
  EXPECT_EQ(grey.GetValue(), 0xFF808080u);  // greys are left alone
}

TEST(Images, RegionsToAndFromGdi) {
  HRGN h = CreateRectRgn(2, 2, 6, 6);
  Region r(h);
  EXPECT_TRUE(r.IsVisible(3, 3));
  EXPECT_FALSE(r.IsVisible(7, 7));
  DeleteObject(h);
  Canvas c(10, 10);
  c.G().ScaleTransform(2, 2);
  HRGN back = r.GetHRGN(&c.G());
  ASSERT_TRUE(back);
  EXPECT_TRUE(PtInRegion(back, 10, 10));
  EXPECT_FALSE(PtInRegion(back, 3, 3));
  DeleteObject(back);
  Region infinite;
  EXPECT_EQ(infinite.GetHRGN(&c.G()), nullptr);
}

TEST(Images, GdiBitmapsBothWays) {
  Bitmap b(3, 3, PixelFormat32bppARGB);
  b.SetPixel(2, 2, Color(255, 0, 255, 0));
  HBITMAP h = nullptr;
  ASSERT_EQ(b.GetHBITMAP(Color(255, 255, 255), &h), Ok);
  std::unique_ptr<Bitmap> back(Bitmap::FromHBITMAP(h, nullptr));
  Color px;
  back->GetPixel(2, 2, &px);
  EXPECT_EQ(px.GetValue(), 0xFF00FF00u);
  back->GetPixel(0, 0, &px);
  EXPECT_EQ(px.GetValue(), 0xFFFFFFFFu);  // transparent pixels over the background
  EXPECT_TRUE(DeleteObject(h));
}

}  // namespace
