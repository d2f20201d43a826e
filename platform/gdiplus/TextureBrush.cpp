#include "platform/gdiplus/TextureBrush.h"

#include <QtGui/QBrush>
#include <QtGui/QImage>
#include <QtGui/QTransform>

#include "platform/gdiplus/Image.h"

namespace Gdiplus {

TextureBrush::TextureBrush(const Image* image, WrapMode wrapMode)
    : Brush(BrushTypeTextureFill), m_image(std::make_unique<QImage>()), m_wrap(wrapMode) {
  if (!image || image->Native().isNull()) m_status = InvalidParameter;
  else *m_image = image->Native();
}

TextureBrush::TextureBrush(const TextureBrush& other)
    : Brush(other), m_image(std::make_unique<QImage>(*other.m_image)), m_wrap(other.m_wrap) {}

TextureBrush::~TextureBrush() = default;

QBrush TextureBrush::ToQBrush(const QTransform&) const {
  if (m_image->isNull()) return QBrush();
  QImage tile = *m_image;
  if (m_wrap == WrapModeTileFlipX || m_wrap == WrapModeTileFlipY || m_wrap == WrapModeTileFlipXY) {
    // Mirror tiles: a tile twice as large holding the flipped copies.
    const bool fx = m_wrap != WrapModeTileFlipY, fy = m_wrap != WrapModeTileFlipX;
    QImage big(tile.width() * (fx ? 2 : 1), tile.height() * (fy ? 2 : 1), QImage::Format_ARGB32);
    for (int y = 0; y < big.height(); ++y)
      for (int x = 0; x < big.width(); ++x) {
        int sx = x % tile.width(), sy = y % tile.height();
        if (fx && x >= tile.width()) sx = tile.width() - 1 - sx;
        if (fy && y >= tile.height()) sy = tile.height() - 1 - sy;
        big.setPixel(x, y, tile.pixel(sx, sy));
      }
    tile = big;
  }
  return QBrush(tile);
}

}  // namespace Gdiplus
