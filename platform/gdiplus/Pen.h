#pragma once
// A pen: width in world units (0 draws one pixel), colour or brush, dashes, caps and joins.

#include <memory>
#include <vector>

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

class Brush;
class CustomLineCap;

class Pen {
public:
  explicit Pen(const Color& color, REAL width = 1.0f);
  explicit Pen(const Brush* brush, REAL width = 1.0f);
  Pen(const Pen& other);
  Pen& operator=(const Pen&) = delete;
  ~Pen();
  Pen* Clone() const { return new Pen(*this); }

  Status SetColor(const Color& color);
  Status GetColor(Color* color) const;
  Status SetBrush(const Brush* brush);
  const Brush* GetBrushPtr() const { return m_brush.get(); }
  PenType GetPenType() const;
  Status SetWidth(REAL width);
  REAL GetWidth() const { return m_width; }
  Status SetDashStyle(DashStyle dashStyle);
  DashStyle GetDashStyle() const { return m_dashStyle; }
  // Dash and gap lengths in pen widths; sets the custom dash style.
  Status SetDashPattern(const REAL* dashArray, INT count);
  INT GetDashPatternCount() const { return INT(m_dashes.size()); }
  Status GetDashPattern(REAL* dashArray, INT count) const;
  Status SetDashOffset(REAL dashOffset) { m_dashOffset = dashOffset; return Ok; }
  REAL GetDashOffset() const { return m_dashOffset; }
  Status SetDashCap(DashCap dashCap) { m_dashCap = dashCap; return Ok; }
  DashCap GetDashCap() const { return m_dashCap; }
  Status SetStartCap(LineCap startCap) { m_startCap = startCap; return Ok; }
  Status SetEndCap(LineCap endCap) { m_endCap = endCap; return Ok; }
  Status SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap);
  LineCap GetStartCap() const { return m_startCap; }
  LineCap GetEndCap() const { return m_endCap; }
  Status SetCustomStartCap(const CustomLineCap* customCap);
  Status SetCustomEndCap(const CustomLineCap* customCap);
  const CustomLineCap* GetCustomStartCapPtr() const { return m_customStart.get(); }
  const CustomLineCap* GetCustomEndCapPtr() const { return m_customEnd.get(); }
  Status SetLineJoin(LineJoin lineJoin) { m_join = lineJoin; return Ok; }
  LineJoin GetLineJoin() const { return m_join; }
  Status SetMiterLimit(REAL miterLimit) { m_miterLimit = miterLimit; return Ok; }
  REAL GetMiterLimit() const { return m_miterLimit; }
  Status SetAlignment(PenAlignment penAlignment) { m_alignment = penAlignment; return Ok; }
  PenAlignment GetAlignment() const { return m_alignment; }
  Status GetLastStatus() const { return m_status; }

  // The dash lengths in pen widths of the current dash style (empty when solid).
  std::vector<REAL> DashLengths() const;

private:
  REAL m_width;
  Color m_color;
  std::unique_ptr<Brush> m_brush;
  DashStyle m_dashStyle = DashStyleSolid;
  std::vector<REAL> m_dashes;
  REAL m_dashOffset = 0;
  DashCap m_dashCap = DashCapFlat;
  LineCap m_startCap = LineCapFlat, m_endCap = LineCapFlat;
  std::unique_ptr<CustomLineCap> m_customStart, m_customEnd;
  LineJoin m_join = LineJoinMiter;
  REAL m_miterLimit = 10;
  PenAlignment m_alignment = PenAlignmentCenter;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
