#pragma once
// Raster pictures for the data model and its callers: loading and saving image files, copies, sizes,
// the bytes that a picture shape keeps, and the brightness/contrast adjustment of picture shapes.
// Pictures handed out are new objects owned by the caller; every function answers FALSE or NULL for a
// missing, empty or unreadable picture and leaves its outputs as they were.

#include <cstddef>
#include <vector>

#include "platform/afx/AfxTypes.h"

class CString;
class Image2dFeature;
class ImageSetting;
class QImage;

namespace Gdiplus {
class Bitmap;
class Image;
}  // namespace Gdiplus

class ImageTool
{
public:
    // The file kinds a picture shape can be made from, told by the extension (any case): bmp, jpg, jpeg,
    // png, tif, tiff.
    static BOOL IsSupportedImageType(const CString& strPath);

    // The picture of an image file; NULL when it cannot be read.
    static Gdiplus::Bitmap* LoadBitmap(const CString& strPath);
    // Writes the picture whole or not at all, in the format of the extension (bmp, png, jpg/jpeg, tif/tiff);
    // a picture without alpha is written without it, so a 24-bit picture gives a 24-bit file.
    static BOOL SaveImageFile(const Gdiplus::Image* pImage, const CString& strPath);

    // Dots per inch, horizontal and vertical (96 for a picture that has none).
    static BOOL GetImageResolution(const Gdiplus::Image* pImage, float& dpiX, float& dpiY);
    // The horizontal one alone, as a copy of the picture takes it for both directions; 0 for no picture.
    static float GetImageResolution(const Gdiplus::Image* pImage);
    // Size in pixels.
    static BOOL GetImageSize(const Gdiplus::Image* pImage, int& nWidth, int& nHeight);
    // Size in millimetres at the picture's own resolution (96 dpi when it has none).
    static BOOL GetImagePhysicalSize(const Gdiplus::Image* pImage, double& dWidthMm, double& dHeightMm);

    // A copy with the same pixels, format and resolution; NULL for no picture or an empty one.
    static Gdiplus::Bitmap* CloneImage(const Gdiplus::Image* pImage);

    // Brightness and contrast in percent, 0-100; 50 leaves the picture as it is. Brightness 0 gives black,
    // 100 white; contrast 0 gives flat grey, 100 four times the spread about the middle grey. Alpha is
    // kept. FALSE, and nothing changed, for a value outside 0-100 or an empty picture.
    static BOOL AdjustImageColor(Gdiplus::Image* pImage, int nBrightness, int nContrast);
    static BOOL AdjustImageColor(QImage& image, int nBrightness, int nContrast);
    // The adjustment an image setting asks for (0-1 each, 0.5 neutral), as a picture shape is drawn;
    // FALSE, and nothing changed, for an undefined or out-of-range value.
    static BOOL AdjustImageColor(QImage& image, const ImageSetting& setting);

    // The encoded bytes a picture shape keeps (PNG); FALSE, bytes unchanged, when it cannot be encoded.
    static BOOL EncodeImage(const Gdiplus::Image* pImage, std::vector<BYTE>& bytes);
    // The picture of encoded bytes (any supported format); NULL when they cannot be decoded.
    static Gdiplus::Bitmap* CreateImageFromData(const BYTE* pData, size_t nSize);
    // A bitmap of rendered pixels (32-bit ARGB, 96 dpi); NULL for a null image.
    static Gdiplus::Bitmap* CreateImageFromPixels(const QImage& pixels);
    // The picture a picture shape holds; NULL when it holds none or its bytes cannot be decoded.
    static Gdiplus::Bitmap* CreateImage(const Image2dFeature* pFeature);
};
