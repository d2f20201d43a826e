#include "platform/gdiplus/LinearGradientBrush.h"

#include <QtGui/QBrush>
#include <QtGui/QLinearGradient>
#include <QtGui/QTransform>

#include "platform/gdiplus/GdiplusPrivate.h"

namespace Gdiplus {

LinearGradientBrush::LinearGradientBrush(const PointF& p1, const PointF& p2, const Color& c1, const Color& c2)
    : Brush(BrushTypeLinearGradient), m_p1(p1), m_p2(p2), m_c1(c1), m_c2(c2) {
  if (p1.Equals(p2)) m_status = OutOfMemory;  // as the original reports a degenerate gradient
}

LinearGradientBrush::LinearGradientBrush(const Point& p1, const Point& p2, const Color& c1, const Color& c2)
    : LinearGradientBrush(PointF(p1), PointF(p2), c1, c2) {}

LinearGradientBrush::LinearGradientBrush(const RectF& r, const Color& c1, const Color& c2, LinearGradientMode mode)
    : Brush(BrushTypeLinearGradient), m_c1(c1), m_c2(c2) {
  switch (mode) {
    case LinearGradientModeVertical: m_p1 = PointF(r.X, r.Y); m_p2 = PointF(r.X, r.GetBottom()); break;
    case LinearGradientModeForwardDiagonal: m_p1 = PointF(r.X, r.Y); m_p2 = PointF(r.GetRight(), r.GetBottom()); break;
    case LinearGradientModeBackwardDiagonal: m_p1 = PointF(r.GetRight(), r.Y); m_p2 = PointF(r.X, r.GetBottom()); break;
    default: m_p1 = PointF(r.X, r.Y); m_p2 = PointF(r.GetRight(), r.Y); break;
  }
  if (r.Width <= 0 || r.Height <= 0) m_status = OutOfMemory;
}

LinearGradientBrush::LinearGradientBrush(const Rect& r, const Color& c1, const Color& c2, LinearGradientMode mode)
    : LinearGradientBrush(RectF(r), c1, c2, mode) {}

Status LinearGradientBrush::GetLinearColors(Color* colors) const {
  if (!colors) return m_status = InvalidParameter;
  colors[0] = m_c1;
  colors[1] = m_c2;
  return Ok;
}

Status LinearGradientBrush::SetLinearColors(const Color& c1, const Color& c2) {
  m_c1 = c1;
  m_c2 = c2;
  return Ok;
}

Status LinearGradientBrush::GetRectangle(RectF* rect) const {
  if (!rect) return m_status = InvalidParameter;
  *rect = RectF(std::min(m_p1.X, m_p2.X), std::min(m_p1.Y, m_p2.Y), std::abs(m_p2.X - m_p1.X),
                std::abs(m_p2.Y - m_p1.Y));
  return Ok;
}

QBrush LinearGradientBrush::ToQBrush(const QTransform&) const {
  QLinearGradient g(QPointF(m_p1.X, m_p1.Y), QPointF(m_p2.X, m_p2.Y));
  g.setColorAt(0, gdip::ToQColor(m_c1));
  g.setColorAt(1, gdip::ToQColor(m_c2));
  g.setSpread(m_wrap == WrapModeClamp ? QGradient::PadSpread
              : (m_wrap == WrapModeTileFlipX || m_wrap == WrapModeTileFlipXY) ? QGradient::ReflectSpread
                                                                              : QGradient::RepeatSpread);
  return QBrush(g);
}

}  // namespace Gdiplus
