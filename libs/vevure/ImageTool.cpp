#include "libs/vevure/ImageTool.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QImage>
#include <QtGui/QImageWriter>

#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"
#include "platform/afx/CString.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

constexpr float kDefaultDpi = 96.0f;

QString Suffix(const CString& strPath)
{
    // The system's paths may use backslashes; the extension is the same either way.
    QString path = strPath.ToQString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(path).suffix().toLower();
}

// The writer's name of the format an extension asks for; empty for one we do not write.
QByteArray WriterFormat(const QString& suffix)
{
    if (suffix == QLatin1String("bmp"))
        return "BMP";
    if (suffix == QLatin1String("png"))
        return "PNG";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "JPEG";
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return "TIFF";
    return QByteArray();
}

bool HasPixels(const Gdiplus::Image* pImage)
{
    return pImage != nullptr && !pImage->Native().isNull() && pImage->GetWidth() > 0 && pImage->GetHeight() > 0;
}

// The pixels as they go into a file: without alpha when the picture's format has none.
QImage PixelsToWrite(const Gdiplus::Image& image)
{
    QImage out = (image.GetPixelFormat() & Gdiplus::PixelFormatAlpha) ? image.Native()
                                                                      : image.Native().convertToFormat(QImage::Format_RGB32);
    const float dpiX = image.GetHorizontalResolution(), dpiY = image.GetVerticalResolution();
    if (dpiX > 0.0f && std::isfinite(dpiX))
        out.setDotsPerMeterX((int)std::lround(dpiX / 0.0254));
    if (dpiY > 0.0f && std::isfinite(dpiY))
        out.setDotsPerMeterY((int)std::lround(dpiY / 0.0254));
    return out;
}

// A bitmap holding the given pixels (taken over as 32-bit ARGB) in the given format and resolution.
Gdiplus::Bitmap* MakeBitmap(const QImage& pixels, Gdiplus::PixelFormat format, float dpiX, float dpiY)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(1, 1, format);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    bitmap->Native() = pixels.convertToFormat(QImage::Format_ARGB32);
    if (bitmap->Native().isNull())
        return nullptr;
    bitmap->SetResolution(dpiX > 0.0f ? dpiX : kDefaultDpi, dpiY > 0.0f ? dpiY : kDefaultDpi);
    return bitmap.release();
}

// The colour table of one adjustment: brightness shifts every channel by up to a full step either way,
// contrast scales the spread about the middle grey by (c / 50)^2.
void BuildTable(int nBrightness, int nContrast, unsigned char table[256])
{
    const double offset = (nBrightness - 50) / 50.0 * 255.0;
    const double factor = (nContrast / 50.0) * (nContrast / 50.0);
    for (int v = 0; v < 256; ++v) {
        const double out = (v - 127.5) * factor + 127.5 + offset;
        table[v] = (unsigned char)std::clamp((int)std::lround(out), 0, 255);
    }
}

}  // namespace

BOOL ImageTool::IsSupportedImageType(const CString& strPath)
{
    const QString suffix = Suffix(strPath);
    return suffix == QLatin1String("bmp") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("png") || suffix == QLatin1String("tif") || suffix == QLatin1String("tiff");
}

Gdiplus::Bitmap* ImageTool::LoadBitmap(const CString& strPath)
{
    if (strPath.IsEmpty())
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromFile(strPath.GetString()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok || !HasPixels(bitmap.get()))
        return nullptr;
    return bitmap.release();
}

BOOL ImageTool::SaveImageFile(const Gdiplus::Image* pImage, const CString& strPath)
{
    if (!HasPixels(pImage) || strPath.IsEmpty())
        return FALSE;
    const QByteArray format = WriterFormat(Suffix(strPath));
    if (format.isEmpty())
        return FALSE;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(PixelsToWrite(*pImage)))
        return FALSE;
    QString path = strPath.ToQString();
    if (path.contains(QLatin1Char('\\')))
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return FALSE;
    return file.commit() ? TRUE : FALSE;
}

BOOL ImageTool::GetImageResolution(const Gdiplus::Image* pImage, float& dpiX, float& dpiY)
{
    if (pImage == nullptr)
        return FALSE;
    const float x = pImage->GetHorizontalResolution(), y = pImage->GetVerticalResolution();
    dpiX = x > 0.0f && std::isfinite(x) ? x : kDefaultDpi;
    dpiY = y > 0.0f && std::isfinite(y) ? y : kDefaultDpi;
    return TRUE;
}

float ImageTool::GetImageResolution(const Gdiplus::Image* pImage)
{
    float dpiX = 0.0f, dpiY = 0.0f;
    return GetImageResolution(pImage, dpiX, dpiY) ? dpiX : 0.0f;
}

BOOL ImageTool::GetImageSize(const Gdiplus::Image* pImage, int& nWidth, int& nHeight)
{
    if (!HasPixels(pImage))
        return FALSE;
    nWidth = (int)pImage->GetWidth();
    nHeight = (int)pImage->GetHeight();
    return TRUE;
}

BOOL ImageTool::GetImagePhysicalSize(const Gdiplus::Image* pImage, double& dWidthMm, double& dHeightMm)
{
    float dpiX = 0.0f, dpiY = 0.0f;
    if (!HasPixels(pImage) || !GetImageResolution(pImage, dpiX, dpiY))
        return FALSE;
    dWidthMm = pImage->GetWidth() / (double)dpiX * 25.4;
    dHeightMm = pImage->GetHeight() / (double)dpiY * 25.4;
    return TRUE;
}

Gdiplus::Bitmap* ImageTool::CloneImage(const Gdiplus::Image* pImage)
{
    if (!HasPixels(pImage))
        return nullptr;
    if (const auto* bitmap = dynamic_cast<const Gdiplus::Bitmap*>(pImage)) {
        auto* copy = new Gdiplus::Bitmap(*bitmap);
        if (copy->Native().isNull()) {
            delete copy;
            return nullptr;
        }
        return copy;
    }
    return MakeBitmap(pImage->Native(), pImage->GetPixelFormat(), pImage->GetHorizontalResolution(),
                      pImage->GetVerticalResolution());
}

BOOL ImageTool::AdjustImageColor(QImage& image, int nBrightness, int nContrast)
{
    if (nBrightness < 0 || nBrightness > 100 || nContrast < 0 || nContrast > 100 || image.isNull())
        return FALSE;
    if (nBrightness == 50 && nContrast == 50)
        return TRUE;
    const bool alpha = image.hasAlphaChannel();
    QImage work = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (work.isNull())
        return FALSE;
    unsigned char table[256];
    BuildTable(nBrightness, nContrast, table);
    for (int y = 0; y < work.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qRgba(table[qRed(c)], table[qGreen(c)], table[qBlue(c)], qAlpha(c));
        }
    }
    image = work.format() == image.format() ? work : work.convertToFormat(image.format());
    return TRUE;
}

BOOL ImageTool::AdjustImageColor(QImage& image, const ImageSetting& setting)
{
    const float fBrightness = setting.GetBrightness(), fContrast = setting.GetContrast();
    // NaN and the undefined value fail the range test.
    if (!(fBrightness >= 0.0f && fBrightness <= 1.0f) || !(fContrast >= 0.0f && fContrast <= 1.0f))
        return FALSE;
    return AdjustImageColor(image, (int)std::lround(fBrightness * 100.0f), (int)std::lround(fContrast * 100.0f));
}

BOOL ImageTool::AdjustImageColor(Gdiplus::Image* pImage, int nBrightness, int nContrast)
{
    if (!HasPixels(pImage))
        return FALSE;
    // The picture keeps its 32-bit ARGB pixels whatever its nominal format.
    QImage pixels = pImage->Native();
    if (!AdjustImageColor(pixels, nBrightness, nContrast))
        return FALSE;
    pImage->Native() = pixels.convertToFormat(QImage::Format_ARGB32);
    return TRUE;
}

BOOL ImageTool::EncodeImage(const Gdiplus::Image* pImage, std::vector<BYTE>& bytes)
{
    if (!HasPixels(pImage))
        return FALSE;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    if (!writer.write(PixelsToWrite(*pImage)) || data.isEmpty())
        return FALSE;
    bytes.assign(reinterpret_cast<const BYTE*>(data.constData()),
                 reinterpret_cast<const BYTE*>(data.constData()) + data.size());
    return TRUE;
}

Gdiplus::Bitmap* ImageTool::CreateImageFromData(const BYTE* pData, size_t nSize)
{
    if (pData == nullptr || nSize == 0 || nSize > Image2dFeature::kMaxImageBytes)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromBytes(pData, nSize));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok || !HasPixels(bitmap.get()))
        return nullptr;
    return bitmap.release();
}

Gdiplus::Bitmap* ImageTool::CreateImageFromPixels(const QImage& pixels)
{
    if (pixels.isNull())
        return nullptr;
    return MakeBitmap(pixels, Gdiplus::PixelFormat32bppARGB, kDefaultDpi, kDefaultDpi);
}

Gdiplus::Bitmap* ImageTool::CreateImage(const Image2dFeature* pFeature)
{
    if (pFeature == nullptr || !pFeature->HasImage())
        return nullptr;
    const std::vector<BYTE>& data = pFeature->GetImageData();
    return CreateImageFromData(data.data(), data.size());
}
