#include "platform/gdiplus/SolidBrush.h"

#include <QtGui/QBrush>
#include <QtGui/QTransform>

#include "platform/gdiplus/GdiplusPrivate.h"

namespace Gdiplus {

Status SolidBrush::GetColor(Color* color) const {
  if (!color) return m_status = InvalidParameter;
  *color = m_color;
  return Ok;
}

QBrush SolidBrush::ToQBrush(const QTransform&) const { return QBrush(gdip::ToQColor(m_color)); }

}  // namespace Gdiplus
