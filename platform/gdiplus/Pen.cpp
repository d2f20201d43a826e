#include "platform/gdiplus/Pen.h"

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/CustomLineCap.h"
#include "platform/gdiplus/SolidBrush.h"

namespace Gdiplus {

Pen::Pen(const Color& color, REAL width) : m_width(width), m_color(color) {
  if (!(width >= 0)) m_status = InvalidParameter, m_width = 1;
}

Pen::Pen(const Brush* brush, REAL width) : m_width(width) {
  if (!brush) m_status = InvalidParameter;
  else SetBrush(brush);
  if (!(width >= 0)) m_status = InvalidParameter, m_width = 1;
}

Pen::Pen(const Pen& other)
    : m_width(other.m_width),
      m_color(other.m_color),
      m_brush(other.m_brush ? other.m_brush->Clone() : nullptr),
      m_dashStyle(other.m_dashStyle),
      m_dashes(other.m_dashes),
      m_dashOffset(other.m_dashOffset),
      m_dashCap(other.m_dashCap),
      m_startCap(other.m_startCap),
      m_endCap(other.m_endCap),
      m_customStart(other.m_customStart ? other.m_customStart->Clone() : nullptr),
      m_customEnd(other.m_customEnd ? other.m_customEnd->Clone() : nullptr),
      m_join(other.m_join),
      m_miterLimit(other.m_miterLimit),
      m_alignment(other.m_alignment),
      m_status(other.m_status) {}

Pen::~Pen() = default;

Status Pen::SetColor(const Color& color) {
  m_color = color;
  m_brush.reset();
  return Ok;
}

Status Pen::GetColor(Color* color) const {
  if (!color) return m_status = InvalidParameter;
  if (m_brush) {
    if (auto* solid = dynamic_cast<const SolidBrush*>(m_brush.get())) return solid->GetColor(color);
    return m_status = WrongState;
  }
  *color = m_color;
  return Ok;
}

Status Pen::SetBrush(const Brush* brush) {
  if (!brush) return m_status = InvalidParameter;
  if (auto* solid = dynamic_cast<const SolidBrush*>(brush)) {
    solid->GetColor(&m_color);
    m_brush.reset();
  } else {
    m_brush.reset(brush->Clone());
  }
  return Ok;
}

PenType Pen::GetPenType() const {
  if (!m_brush) return PenTypeSolidColor;
  switch (m_brush->GetType()) {
    case BrushTypeHatchFill: return PenTypeHatchFill;
    case BrushTypeTextureFill: return PenTypeTextureFill;
    case BrushTypeLinearGradient: return PenTypeLinearGradient;
    case BrushTypePathGradient: return PenTypePathGradient;
    default: return PenTypeSolidColor;
  }
}

Status Pen::SetWidth(REAL width) {
  if (!(width >= 0)) return m_status = InvalidParameter;
  m_width = width;
  return Ok;
}

Status Pen::SetDashStyle(DashStyle dashStyle) {
  if (dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return m_status = InvalidParameter;
  m_dashStyle = dashStyle;
  return Ok;
}

Status Pen::SetDashPattern(const REAL* dashArray, INT count) {
  if (!dashArray || count <= 0 || count > 1024) return m_status = InvalidParameter;
  for (INT i = 0; i < count; ++i)
    if (!(dashArray[i] > 0)) return m_status = InvalidParameter;
  m_dashes.assign(dashArray, dashArray + count);
  m_dashStyle = DashStyleCustom;
  return Ok;
}

Status Pen::GetDashPattern(REAL* dashArray, INT count) const {
  if (!dashArray || count < INT(m_dashes.size())) return m_status = InvalidParameter;
  for (size_t i = 0; i < m_dashes.size(); ++i) dashArray[i] = m_dashes[i];
  return Ok;
}

Status Pen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap) {
  m_startCap = startCap;
  m_endCap = endCap;
  m_dashCap = dashCap;
  return Ok;
}

Status Pen::SetCustomStartCap(const CustomLineCap* customCap) {
  if (!customCap) return m_status = InvalidParameter;
  m_customStart.reset(customCap->Clone());
  m_startCap = LineCapCustom;
  return Ok;
}

Status Pen::SetCustomEndCap(const CustomLineCap* customCap) {
  if (!customCap) return m_status = InvalidParameter;
  m_customEnd.reset(customCap->Clone());
  m_endCap = LineCapCustom;
  return Ok;
}

std::vector<REAL> Pen::DashLengths() const {
  switch (m_dashStyle) {
    case DashStyleDash: return {3, 1};
    case DashStyleDot: return {1, 1};
    case DashStyleDashDot: return {3, 1, 1, 1};
    case DashStyleDashDotDot: return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom: {
      std::vector<REAL> d = m_dashes;
      if (d.size() % 2) d.push_back(d.back());
      return d;
    }
    default: return {};
  }
}

}  // namespace Gdiplus
