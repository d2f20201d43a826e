#include "platform/gdiplus/HatchBrush.h"

#include <QtGui/QBrush>
#include <QtGui/QTransform>

#include "platform/gdiplus/GdiplusPrivate.h"

namespace Gdiplus {

HatchBrush::HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor)
    : Brush(BrushTypeHatchFill), m_style(hatchStyle), m_fore(foreColor), m_back(backColor) {
  if (hatchStyle < HatchStyleMin || hatchStyle > HatchStyleMax) {
    m_status = InvalidParameter;
    m_style = HatchStyleHorizontal;
  }
}

Status HatchBrush::GetForegroundColor(Color* color) const {
  if (!color) return m_status = InvalidParameter;
  *color = m_fore;
  return Ok;
}

Status HatchBrush::GetBackgroundColor(Color* color) const {
  if (!color) return m_status = InvalidParameter;
  *color = m_back;
  return Ok;
}

QBrush HatchBrush::ToQBrush(const QTransform& worldToDevice) const {
  QImage tile(8, 8, QImage::Format_ARGB32);
  const unsigned char* rows = gdip::HatchRows(m_style);
  const QRgb fg = gdip::ToQColor(m_fore).rgba(), bg = gdip::ToQColor(m_back).rgba();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tile.setPixel(x, y, (rows[y] >> (7 - x)) & 1 ? fg : bg);
  QBrush b(tile);
  // The pattern is in device pixels, anchored at the device origin, whatever the transform.
  b.setTransform(worldToDevice.inverted());
  return b;
}

}  // namespace Gdiplus
