#include "platform/gdiplus/ImageAttributes.h"

namespace Gdiplus {

Status ImageAttributes::SetColorKey(const Color& low, const Color& high, ColorAdjustType) {
  m_low = low;
  m_high = high;
  m_hasKey = true;
  return Ok;
}

Status ImageAttributes::ClearColorKey(ColorAdjustType) {
  m_hasKey = false;
  return Ok;
}

bool ImageAttributes::IsKeyed(ARGB argb) const {
  if (!m_hasKey) return false;
  const Color c(argb);
  return c.GetR() >= m_low.GetR() && c.GetR() <= m_high.GetR() && c.GetG() >= m_low.GetG() &&
         c.GetG() <= m_high.GetG() && c.GetB() >= m_low.GetB() && c.GetB() <= m_high.GetB();
}

}  // namespace Gdiplus
