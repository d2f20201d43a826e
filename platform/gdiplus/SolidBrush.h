#pragma once
// A brush of one colour (with alpha).

#include "platform/gdiplus/Brush.h"

namespace Gdiplus {

class SolidBrush : public Brush {
public:
  explicit SolidBrush(const Color& color) : Brush(BrushTypeSolidColor), m_color(color) {}
  Brush* Clone() const override { return new SolidBrush(*this); }
  Status GetColor(Color* color) const;
  Status SetColor(const Color& color) { m_color = color; return Ok; }
  QBrush ToQBrush(const QTransform& worldToDevice) const override;

private:
  Color m_color;
};

}  // namespace Gdiplus
