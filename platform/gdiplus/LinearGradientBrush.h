#pragma once
// A brush blending two colours along a line.

#include "platform/gdiplus/Brush.h"

namespace Gdiplus {

class LinearGradientBrush : public Brush {
public:
  LinearGradientBrush(const PointF& point1, const PointF& point2, const Color& color1, const Color& color2);
  LinearGradientBrush(const Point& point1, const Point& point2, const Color& color1, const Color& color2);
  LinearGradientBrush(const RectF& rect, const Color& color1, const Color& color2, LinearGradientMode mode);
  LinearGradientBrush(const Rect& rect, const Color& color1, const Color& color2, LinearGradientMode mode);
  Brush* Clone() const override { return new LinearGradientBrush(*this); }
  Status GetLinearColors(Color* colors) const;
  Status SetLinearColors(const Color& color1, const Color& color2);
  Status SetWrapMode(WrapMode wrapMode) { m_wrap = wrapMode; return Ok; }
  WrapMode GetWrapMode() const { return m_wrap; }
  Status GetRectangle(RectF* rect) const;
  QBrush ToQBrush(const QTransform& worldToDevice) const override;

private:
  PointF m_p1, m_p2;
  Color m_c1, m_c2;
  WrapMode m_wrap = WrapModeTile;
};

}  // namespace Gdiplus
