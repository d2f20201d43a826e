#include "platform/gdiplus/CustomLineCap.h"

#include <QtGui/QPainterPath>

#include "platform/gdiplus/GraphicsPath.h"

namespace Gdiplus {

CustomLineCap::CustomLineCap() : m_fill(std::make_unique<QPainterPath>()), m_stroke(std::make_unique<QPainterPath>()) {}

CustomLineCap::CustomLineCap(const GraphicsPath* fillPath, const GraphicsPath* strokePath, LineCap baseCap,
                             REAL baseInset)
    : CustomLineCap() {
  if (fillPath) *m_fill = fillPath->Native();
  if (strokePath) *m_stroke = strokePath->Native();
  if (!fillPath && !strokePath) m_status = InvalidParameter;
  m_baseCap = baseCap;
  m_baseInset = baseInset;
}

CustomLineCap::CustomLineCap(const CustomLineCap& other)
    : m_fill(std::make_unique<QPainterPath>(*other.m_fill)),
      m_stroke(std::make_unique<QPainterPath>(*other.m_stroke)),
      m_baseCap(other.m_baseCap),
      m_baseInset(other.m_baseInset),
      m_widthScale(other.m_widthScale),
      m_status(other.m_status) {}

CustomLineCap::~CustomLineCap() = default;

QPainterPath CustomLineCap::FillShape() const { return *m_fill; }
QPainterPath CustomLineCap::StrokeShape() const { return *m_stroke; }

}  // namespace Gdiplus
