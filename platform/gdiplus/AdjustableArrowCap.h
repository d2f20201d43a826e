#pragma once
// An arrow head cap: a triangle of the given height and width (in pen widths), filled or
// drawn as an outline, with an optional notch in the middle of its base.

#include "platform/gdiplus/CustomLineCap.h"

namespace Gdiplus {

class AdjustableArrowCap : public CustomLineCap {
public:
  AdjustableArrowCap(REAL height, REAL width, BOOL isFilled = TRUE);
  CustomLineCap* Clone() const override { return new AdjustableArrowCap(*this); }
  Status SetHeight(REAL height) { m_height = height; return Ok; }
  REAL GetHeight() const { return m_height; }
  Status SetWidth(REAL width) { m_width = width; return Ok; }
  REAL GetWidth() const { return m_width; }
  Status SetMiddleInset(REAL middleInset) { m_inset = middleInset; return Ok; }
  REAL GetMiddleInset() const { return m_inset; }
  Status SetFillState(BOOL isFilled) { m_filled = isFilled; return Ok; }
  BOOL IsFilled() const { return m_filled; }

  QPainterPath FillShape() const override;
  QPainterPath StrokeShape() const override;

private:
  QPainterPath Triangle() const;
  REAL m_height, m_width, m_inset = 0;
  BOOL m_filled;
};

}  // namespace Gdiplus
