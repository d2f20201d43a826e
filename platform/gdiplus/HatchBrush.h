#pragma once
// A two-colour 8x8 pattern brush, one of the hatch styles.

#include "platform/gdiplus/Brush.h"

namespace Gdiplus {

class HatchBrush : public Brush {
public:
  HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor = Color());
  Brush* Clone() const override { return new HatchBrush(*this); }
  HatchStyle GetHatchStyle() const { return m_style; }
  Status GetForegroundColor(Color* color) const;
  Status GetBackgroundColor(Color* color) const;
  QBrush ToQBrush(const QTransform& worldToDevice) const override;

private:
  HatchStyle m_style;
  Color m_fore, m_back;
};

}  // namespace Gdiplus
