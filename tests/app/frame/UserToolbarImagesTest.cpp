// The images of user-defined toolbar buttons: the file in the user's data folder that the program makes
// from its defaults, keeps as a 24-bit bitmap, loads and hands to the toolbars; a missing or damaged file
// gives the defaults again at the next start.
#include <gtest/gtest.h>

#include "AppFixture.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QImage>

#include <memory>

#include "app/CMainFrame.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

constexpr int kDefaultImages = 16;

// Bits per pixel of a BMP file, 0 when it is none.
int BmpBitsPerPixel(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return 0;
    return static_cast<unsigned char>(head[28]) | (static_cast<unsigned char>(head[29]) << 8);
}

// A 32-bit bitmap file of one colour, as other painting programs write them.
bool Write32BitBmp(const QString& path, int width, int height, QRgb colour)
{
    QByteArray bytes;
    auto put16 = [&bytes](int v) { bytes.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [&put16](int v) { put16(v & 0xFFFF); put16((v >> 16) & 0xFFFF); };
    const int pixels = width * height * 4;
    bytes.append("BM");
    put32(14 + 40 + pixels);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(32);
    put32(0);  // no compression
    put32(pixels);
    put32(3780);
    put32(3780);
    put32(0);
    put32(0);
    for (int i = 0; i < width * height; ++i)
        bytes.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append(char(0xFF));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

class UserToolbarImagesTest : public AppFixture
{
protected:
    CMainFrame* Frame() const { return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr; }

    // Starts the program; the path of its user image file.
    QString StartProgram()
    {
        EXPECT_TRUE(Start());
        EXPECT_NE(Frame(), nullptr);
        return CMainFrame::GetUserImagesPath().ToQString();
    }

    // The frame holds the default images and the toolbars use them.
    void ExpectDefaultImages()
    {
        CMainFrame* pFrame = Frame();
        ASSERT_NE(pFrame, nullptr);
        CBCGPToolBarImages& images = pFrame->GetUserImages();
        EXPECT_EQ(CBCGPToolBar::GetUserImages(), &images);
        ASSERT_EQ(images.GetCount(), kDefaultImages);
        EXPECT_EQ(images.GetImageSize(), CSize(16, 16));
        for (int i = 0; i < kDefaultImages; ++i) {
            QImage image;
            ASSERT_TRUE(images.GetImage(i, image)) << i;
            EXPECT_EQ(image.size(), QSize(16, 16)) << i;
            // A white square with a grey edge; the corners are transparent.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << i;
            EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255)) << i;
            EXPECT_EQ(image.pixel(1, 8) & 0xFFFFFF, qRgb(125, 125, 125) & 0xFFFFFF) << i;
        }
    }
};

TEST_F(UserToolbarImagesTest, FirstStartMakesTheFileFromTheDefaultsAs24BitAndRegistersTheImages)
{
    const QString path = StartProgram();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.startsWith(m_home.path()));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/UserToolbarImages.bmp")));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(BmpBitsPerPixel(path), 24);
    const QImage onDisk(path);
    EXPECT_EQ(onDisk.size(), QSize(16 * kDefaultImages, 16));
    ExpectDefaultImages();
}

TEST_F(UserToolbarImagesTest, TheUsersImagesStayAndADeletedFileGivesTheDefaultsAgain)
{
    const QString path = StartProgram();
    Stop();
    // The user's own images: three red squares in a 32-bit bitmap, which the program keeps as 24-bit.
    ASSERT_TRUE(Write32BitBmp(path, 48, 16, qRgb(200, 0, 0)));
    ASSERT_EQ(BmpBitsPerPixel(path), 32);
    StartProgram();
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(Frame()->GetUserImages().GetCount(), 3);
    EXPECT_EQ(CBCGPToolBar::GetUserImages(), &Frame()->GetUserImages());
    QImage image;
    ASSERT_TRUE(Frame()->GetUserImages().GetImage(0, image));
    EXPECT_EQ(image.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(BmpBitsPerPixel(path), 24);
    EXPECT_EQ(QImage(path).size(), QSize(48, 16));
    Stop();
    // Deleted while the program is not running: the defaults come back.
    ASSERT_TRUE(QFile::remove(path));
    StartProgram();
    ExpectDefaultImages();
    EXPECT_EQ(BmpBitsPerPixel(path), 24);
}

TEST_F(UserToolbarImagesTest, ADamagedFileIsMadeAgainFromTheDefaults)
{
    const QString path = StartProgram();
    Stop();
    struct Case {
        const char* what;
        QByteArray bytes;
    } const cases[] = {
        {"empty", QByteArray()},
        {"not a picture", QByteArray("this is no bitmap at all")},
        {"cut short", QByteArray("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00", 18)},
        {"huge size claimed", QByteArray("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                                         "\xff\xff\xff\x7f\xff\xff\xff\x7f\x01\x00\x18\x00",
                                         30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.bytes);
        }
        StartProgram();
        ExpectDefaultImages();
        EXPECT_EQ(BmpBitsPerPixel(path), 24);
        Stop();
    }
}

TEST(CopyImageAs24BitTest, KeepsSizeAndResolutionAndDropsTheAlphaChannel)
{
    EXPECT_EQ(CMainFrame::CopyImageAs24Bit(nullptr), nullptr);
    Gdiplus::Bitmap source(5, 3, Gdiplus::PixelFormat32bppARGB);
    source.SetPixel(0, 0, Gdiplus::Color(255, 10, 20, 30));
    source.SetPixel(4, 2, Gdiplus::Color(255, 200, 100, 50));
    source.SetResolution(150.0f, 150.0f);
    std::unique_ptr<Gdiplus::Bitmap> copy(CMainFrame::CopyImageAs24Bit(&source));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetWidth(), 5u);
    EXPECT_EQ(copy->GetHeight(), 3u);
    EXPECT_EQ(copy->GetPixelFormat(), Gdiplus::PixelFormat24bppRGB);
    EXPECT_FLOAT_EQ(copy->GetHorizontalResolution(), 150.0f);
    EXPECT_FLOAT_EQ(copy->GetVerticalResolution(), 150.0f);
    Gdiplus::Color c;
    ASSERT_EQ(copy->GetPixel(0, 0, &c), Gdiplus::Ok);
    EXPECT_EQ(c.GetR(), 10);
    EXPECT_EQ(c.GetG(), 20);
    EXPECT_EQ(c.GetB(), 30);
    EXPECT_EQ(c.GetA(), 255);
    ASSERT_EQ(copy->GetPixel(4, 2, &c), Gdiplus::Ok);
    EXPECT_EQ(c.GetR(), 200);
    EXPECT_EQ(c.GetB(), 50);
}

}  // namespace
