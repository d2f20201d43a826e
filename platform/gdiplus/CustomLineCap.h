#pragma once
// A line end drawn from a path of our own. Cap paths are in units of the pen width with the
// line's end at the origin and the line arriving along the negative y axis (so +y points
// past the end).

#include <memory>

#include "platform/gdiplus/GdiplusTypes.h"

class QPainterPath;

namespace Gdiplus {

class GraphicsPath;

class CustomLineCap {
public:
  CustomLineCap(const GraphicsPath* fillPath, const GraphicsPath* strokePath, LineCap baseCap = LineCapFlat,
                REAL baseInset = 0);
  CustomLineCap(const CustomLineCap& other);
  CustomLineCap& operator=(const CustomLineCap&) = delete;
  virtual ~CustomLineCap();
  virtual CustomLineCap* Clone() const { return new CustomLineCap(*this); }

  Status SetStrokeCaps(LineCap startCap, LineCap endCap) { return Ok; }
  Status SetBaseCap(LineCap baseCap) { m_baseCap = baseCap; return Ok; }
  LineCap GetBaseCap() const { return m_baseCap; }
  Status SetBaseInset(REAL inset) { m_baseInset = inset; return Ok; }
  REAL GetBaseInset() const { return m_baseInset; }
  Status SetWidthScale(REAL widthScale) { m_widthScale = widthScale; return Ok; }
  REAL GetWidthScale() const { return m_widthScale; }
  Status SetStrokeJoin(LineJoin lineJoin) { return Ok; }
  Status GetLastStatus() const { return m_status; }

  // The cap's outlines in pen-width units: the part to fill and the part to stroke.
  virtual QPainterPath FillShape() const;
  virtual QPainterPath StrokeShape() const;

protected:
  CustomLineCap();
  std::unique_ptr<QPainterPath> m_fill, m_stroke;
  LineCap m_baseCap = LineCapFlat;
  REAL m_baseInset = 0;
  REAL m_widthScale = 1;
  Status m_status = Ok;
};

}  // namespace Gdiplus
