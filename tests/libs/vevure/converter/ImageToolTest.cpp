// Pictures: which files count as images, loading and saving real files, copies that share nothing, sizes,
// the bytes a picture shape keeps, and the brightness/contrast adjustment.

#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include <vector>

#include <QtCore/QByteArray>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "libs/vevure/ImageTool.h"
#include "platform/afx/CString.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// A small picture with distinct pixels, so copies and round trips can be compared exactly.
BitmapPtr Sample(int w = 5, int h = 3, Gdiplus::PixelFormat format = Gdiplus::PixelFormat24bppRGB)
{
    BitmapPtr b(new Gdiplus::Bitmap(w, h, format));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b->SetPixel(x, y, Gdiplus::Color(255, BYTE(40 * x), BYTE(70 * y), BYTE(10 + x + y)));
    return b;
}

bool SamePixels(const Gdiplus::Image& a, const Gdiplus::Image& b)
{
    return a.Native().convertToFormat(QImage::Format_ARGB32) == b.Native().convertToFormat(QImage::Format_ARGB32);
}

CString Path(const QTemporaryDir& dir, const char* name)
{
    return CString::FromQString(QDir(dir.path()).filePath(QString::fromLatin1(name)));
}

QByteArray ReadAll(const CString& path)
{
    QFile f(path.ToQString());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(ImageTool, SupportedTypesAreToldByTheExtension)
{
    struct Case {
        const char16_t* path;
        BOOL supported;
    };
    const Case cases[] = {
        {u"a.bmp", TRUE},        {u"A.JPG", TRUE},           {u"photo.jpeg", TRUE},     {u"p.png", TRUE},
        {u"scan.tif", TRUE},     {u"scan.TIFF", TRUE},       {u"c:\\pics\\x.Png", TRUE}, {u"/tmp/x.png", TRUE},
        {u"anim.gif", FALSE},    {u"drawing.kvcd", FALSE},   {u"png", FALSE},           {u"x.png.txt", FALSE},
        {u"folder.png/file", FALSE}, {u"", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageTool::IsSupportedImageType(CString(c.path)), c.supported) << QString::fromUtf16(c.path).toStdString();
}

TEST(ImageTool, SavedFilesLoadBackInTheirFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BitmapPtr picture = Sample();
    ASSERT_EQ(picture->SetResolution(150.0f, 300.0f), Gdiplus::Ok);

    struct Case {
        const char* name;
        bool lossless;
        QByteArray magic;  // how the file starts
    };
    const Case cases[] = {
        {"p.bmp", true, "BM"},
        {"p.png", true, "\x89PNG"},
        {"p.jpg", false, "\xFF\xD8"},
        {"p.JPEG", false, "\xFF\xD8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString path = Path(dir, c.name);
        ASSERT_TRUE(ImageTool::SaveImageFile(picture.get(), path));
        EXPECT_TRUE(ReadAll(path).startsWith(c.magic));
        BitmapPtr loaded(ImageTool::LoadBitmap(path));
        ASSERT_NE(loaded, nullptr);
        int w = 0, h = 0;
        ASSERT_TRUE(ImageTool::GetImageSize(loaded.get(), w, h));
        EXPECT_EQ(w, 5);
        EXPECT_EQ(h, 3);
        if (c.lossless) {
            EXPECT_TRUE(SamePixels(*loaded, *picture));
        }
        float dpiX = 0, dpiY = 0;
        ASSERT_TRUE(ImageTool::GetImageResolution(loaded.get(), dpiX, dpiY));
        EXPECT_NEAR(dpiX, 150.0f, 1.0f);
        EXPECT_NEAR(dpiY, 300.0f, 1.0f);
    }

    // A picture without alpha gives a 24-bit bitmap file; one with alpha keeps it.
    const QByteArray bmp = ReadAll(Path(dir, "p.bmp"));
    ASSERT_GT(bmp.size(), 30);
    EXPECT_EQ(int((unsigned char)bmp[28]), 24);
    BitmapPtr withAlpha = Sample(2, 2, Gdiplus::PixelFormat32bppARGB);
    withAlpha->SetPixel(0, 0, Gdiplus::Color(100, 1, 2, 3));
    ASSERT_TRUE(ImageTool::SaveImageFile(withAlpha.get(), Path(dir, "a.png")));
    BitmapPtr alphaBack(ImageTool::LoadBitmap(Path(dir, "a.png")));
    ASSERT_NE(alphaBack, nullptr);
    Gdiplus::Color px;
    ASSERT_EQ(alphaBack->GetPixel(0, 0, &px), Gdiplus::Ok);
    EXPECT_EQ(px.GetA(), 100);
}

TEST(ImageTool, BadFilesAndPathsFailWithoutHarm)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BitmapPtr picture = Sample();

    // Reading: missing, empty, corrupt and truncated files.
    {
        QFile empty(Path(dir, "empty.png").ToQString());
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    {
        QFile junk(Path(dir, "junk.png").ToQString());
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("\x89PNG\r\n\x1a\n this is not a picture");
    }
    ASSERT_TRUE(ImageTool::SaveImageFile(picture.get(), Path(dir, "whole.png")));
    {
        const QByteArray whole = ReadAll(Path(dir, "whole.png"));
        QFile cut(Path(dir, "cut.png").ToQString());
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(whole.size() / 3));
    }
    for (const char* name : {"missing.png", "empty.png", "junk.png", "cut.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ImageTool::LoadBitmap(Path(dir, name)), nullptr);
    }
    EXPECT_EQ(ImageTool::LoadBitmap(CString()), nullptr);

    // Writing: no picture, an empty one, a format we do not write, a folder that is not there. An existing
    // file is kept when the new one cannot be written.
    const QByteArray kept = ReadAll(Path(dir, "whole.png"));
    Gdiplus::Bitmap nothing(0, 0);
    EXPECT_FALSE(ImageTool::SaveImageFile(nullptr, Path(dir, "whole.png")));
    EXPECT_FALSE(ImageTool::SaveImageFile(&nothing, Path(dir, "whole.png")));
    EXPECT_FALSE(ImageTool::SaveImageFile(picture.get(), Path(dir, "p.kvcd")));
    EXPECT_FALSE(ImageTool::SaveImageFile(picture.get(), Path(dir, "no/such/folder/p.png")));
    EXPECT_EQ(ReadAll(Path(dir, "whole.png")), kept);
    EXPECT_FALSE(QFile::exists(Path(dir, "p.kvcd").ToQString()));
}

TEST(ImageTool, ClonesShareNothingAndKeepFormatAndResolution)
{
    BitmapPtr picture = Sample(4, 4, Gdiplus::PixelFormat24bppRGB);
    picture->SetResolution(200.0f, 100.0f);
    BitmapPtr copy(ImageTool::CloneImage(picture.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(SamePixels(*copy, *picture));
    EXPECT_EQ(copy->GetPixelFormat(), Gdiplus::PixelFormat24bppRGB);
    EXPECT_EQ(copy->GetHorizontalResolution(), 200.0f);
    EXPECT_EQ(copy->GetVerticalResolution(), 100.0f);

    copy->SetPixel(1, 1, Gdiplus::Color(255, 1, 2, 3));
    Gdiplus::Color original;
    picture->GetPixel(1, 1, &original);
    EXPECT_NE(original.GetR(), 1);
    picture.reset();  // the copy outlives its source
    EXPECT_EQ(copy->GetWidth(), 4u);

    // A picture that is not a bitmap gives a bitmap copy too.
    std::unique_ptr<Gdiplus::Image> decoded;
    {
        std::vector<BYTE> bytes;
        BitmapPtr src = Sample();
        ASSERT_TRUE(ImageTool::EncodeImage(src.get(), bytes));
        decoded.reset(Gdiplus::Image::FromBytes(bytes.data(), bytes.size()));
        ASSERT_EQ(decoded->GetLastStatus(), Gdiplus::Ok);
    }
    BitmapPtr fromImage(ImageTool::CloneImage(decoded.get()));
    ASSERT_NE(fromImage, nullptr);
    EXPECT_TRUE(SamePixels(*fromImage, *decoded));

    Gdiplus::Bitmap empty(0, 0);
    EXPECT_EQ(ImageTool::CloneImage(nullptr), nullptr);
    EXPECT_EQ(ImageTool::CloneImage(&empty), nullptr);
}

TEST(ImageTool, SizesInPixelsAndMillimetres)
{
    BitmapPtr picture = Sample(96, 48);
    int w = -1, h = -1;
    ASSERT_TRUE(ImageTool::GetImageSize(picture.get(), w, h));
    EXPECT_EQ(w, 96);
    EXPECT_EQ(h, 48);
    double mmW = 0, mmH = 0;
    ASSERT_TRUE(ImageTool::GetImagePhysicalSize(picture.get(), mmW, mmH));  // 96 dpi when made here
    EXPECT_NEAR(mmW, 25.4, 1e-9);
    EXPECT_NEAR(mmH, 12.7, 1e-9);
    picture->SetResolution(192.0f, 48.0f);
    ASSERT_TRUE(ImageTool::GetImagePhysicalSize(picture.get(), mmW, mmH));
    EXPECT_NEAR(mmW, 12.7, 1e-9);
    EXPECT_NEAR(mmH, 25.4, 1e-9);

    Gdiplus::Bitmap empty(0, 0);
    w = h = 7;
    EXPECT_FALSE(ImageTool::GetImageSize(&empty, w, h));
    EXPECT_FALSE(ImageTool::GetImageSize(nullptr, w, h));
    EXPECT_EQ(w, 7);
    EXPECT_FALSE(ImageTool::GetImagePhysicalSize(nullptr, mmW, mmH));
    float dx = 0, dy = 0;
    EXPECT_FALSE(ImageTool::GetImageResolution(nullptr, dx, dy));
    EXPECT_EQ(ImageTool::GetImageResolution(nullptr), 0.0f);
    EXPECT_EQ(ImageTool::GetImageResolution(picture.get()), 192.0f);
}

TEST(ImageTool, BrightnessAndContrastMapEveryChannel)
{
    struct Case {
        int brightness, contrast;
        int in, out;  // one grey level before and after
    };
    const Case cases[] = {
        {50, 50, 0, 0},      {50, 50, 77, 77},   {50, 50, 255, 255},  // neutral
        {0, 50, 200, 0},     {100, 50, 10, 255},                      // black, white
        {75, 50, 100, 228},  {25, 50, 100, -1},                       // shifted by a quarter step (-1: 0)
        {50, 0, 13, 128},    {50, 0, 240, 128},                       // flat grey
        {50, 100, 200, 255}, {50, 100, 100, 18},                      // spread four times
        {50, 25, 227, 152},                                           // spread a quarter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.brightness << "/" << c.contrast << " on " << c.in);
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(c.in, c.in, c.in, 255));
        image.setPixel(1, 0, qRgba(c.in, 0, 255, 60));  // alpha stays
        ASSERT_TRUE(ImageTool::AdjustImageColor(image, c.brightness, c.contrast));
        const int expected = c.out < 0 ? 0 : c.out;
        const QRgb p = image.pixel(0, 0);
        EXPECT_EQ(qRed(p), expected);
        EXPECT_EQ(qGreen(p), expected);
        EXPECT_EQ(qBlue(p), expected);
        EXPECT_EQ(qAlpha(image.pixel(1, 0)), 60);
        EXPECT_EQ(qRed(image.pixel(1, 0)), expected);
    }

    // Out of range or nothing to adjust: refused, unchanged.
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    const QImage before = image;
    for (auto [b, c] : {std::pair{101, 50}, {-1, 50}, {50, 101}, {50, -1}})
        EXPECT_FALSE(ImageTool::AdjustImageColor(image, b, c));
    EXPECT_EQ(image, before);
    QImage null;
    EXPECT_FALSE(ImageTool::AdjustImageColor(null, 60, 50));
    EXPECT_FALSE(ImageTool::AdjustImageColor(static_cast<Gdiplus::Image*>(nullptr), 60, 50));

    // A bitmap, as the image colour dialog adjusts its preview copy.
    BitmapPtr picture = Sample(2, 2);
    ASSERT_TRUE(ImageTool::AdjustImageColor(picture.get(), 0, 50));
    Gdiplus::Color px;
    picture->GetPixel(1, 1, &px);
    EXPECT_EQ(px.GetR(), 0);
    EXPECT_EQ(px.GetB(), 0);

    // An image setting as a picture shape carries it: 0-1, undefined values refused.
    ImageSetting setting;
    ASSERT_TRUE(setting.SetBrightness(1.0f));
    QImage grey(1, 1, QImage::Format_RGB32);
    grey.fill(qRgb(100, 100, 100));
    ASSERT_TRUE(ImageTool::AdjustImageColor(grey, setting));
    EXPECT_EQ(qRed(grey.pixel(0, 0)), 255);
    ASSERT_TRUE(setting.SetContrast(FLT_MAX));
    EXPECT_FALSE(ImageTool::AdjustImageColor(grey, setting));
}

TEST(ImageTool, PictureShapesKeepEncodedBytes)
{
    BitmapPtr picture = Sample(6, 4, Gdiplus::PixelFormat32bppARGB);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(ImageTool::EncodeImage(picture.get(), bytes));
    ASSERT_GT(bytes.size(), 8u);

    Image2dFeature shape;
    shape.SetImageData(bytes.data(), bytes.size());
    BitmapPtr back(ImageTool::CreateImage(&shape));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(SamePixels(*back, *picture));

    // Rendered pixels wrapped for the callers that take bitmaps.
    QImage rendered(3, 2, QImage::Format_ARGB32_Premultiplied);
    rendered.fill(qRgba(0, 0, 128, 128));
    BitmapPtr wrapped(ImageTool::CreateImageFromPixels(rendered));
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->GetWidth(), 3u);
    Gdiplus::Color px;
    ASSERT_EQ(wrapped->GetPixel(2, 1, &px), Gdiplus::Ok);
    EXPECT_EQ(px.GetA(), 128);
    EXPECT_EQ(px.GetB(), 255);  // unpremultiplied
    EXPECT_EQ(ImageTool::CreateImageFromPixels(QImage()), nullptr);

    // No picture, or bytes that are no picture: nothing, and the caller's bytes stay as they were.
    Image2dFeature none;
    EXPECT_EQ(ImageTool::CreateImage(&none), nullptr);
    EXPECT_EQ(ImageTool::CreateImage(nullptr), nullptr);
    const BYTE junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_EQ(ImageTool::CreateImageFromData(junk, sizeof junk), nullptr);
    EXPECT_EQ(ImageTool::CreateImageFromData(nullptr, 10), nullptr);
    EXPECT_EQ(ImageTool::CreateImageFromData(bytes.data(), bytes.size() / 2), nullptr);
    const std::vector<BYTE> kept = bytes;
    Gdiplus::Bitmap empty(0, 0);
    EXPECT_FALSE(ImageTool::EncodeImage(&empty, bytes));
    EXPECT_EQ(bytes, kept);
}
