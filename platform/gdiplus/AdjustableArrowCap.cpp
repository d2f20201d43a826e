#include "platform/gdiplus/AdjustableArrowCap.h"

#include <QtGui/QPainterPath>

namespace Gdiplus {

AdjustableArrowCap::AdjustableArrowCap(REAL height, REAL width, BOOL isFilled)
    : m_height(height), m_width(width), m_filled(isFilled) {
  m_baseInset = height;
}

QPainterPath AdjustableArrowCap::Triangle() const {
  // Tip at the line's end, base height pen widths back along the line.
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(-m_width / 2.0, -m_height);
  p.lineTo(0, -m_height + m_inset);
  p.lineTo(m_width / 2.0, -m_height);
  p.closeSubpath();
  return p;
}

QPainterPath AdjustableArrowCap::FillShape() const { return m_filled ? Triangle() : QPainterPath(); }
QPainterPath AdjustableArrowCap::StrokeShape() const { return m_filled ? QPainterPath() : Triangle(); }

}  // namespace Gdiplus
