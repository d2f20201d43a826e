#include "controls/HelpButtonImage.h"

#include <QtGui/QImage>

#include <algorithm>

#include "platform/gdi/CBitmap.h"

namespace {
constexpr UINT kHelpBitmapId = 404;
constexpr int kImageWidth = 16;
constexpr QRgb kMaskColour = 0xFF00FF00;
}  // namespace

BOOL LoadHelpButtonImage(CBitmap& bitmap)
{
    CBitmap strip;
    if (!strip.LoadBitmap(kHelpBitmapId))
        return FALSE;
    const QImage whole = strip.GetImage();
    if (whole.isNull())
        return FALSE;
    QImage image = whole.copy(0, 0, std::min(kImageWidth, whole.width()), whole.height())
                       .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == kMaskColour)
                line[x] = 0;
    }
    bitmap.DeleteObject();
    return bitmap.CreateFromImage(image);
}
