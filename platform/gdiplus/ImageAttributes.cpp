#include "platform/gdiplus/ImageAttributes.h"

#include <algorithm>
#include <cmath>

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

Status ImageAttributes::SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode, ColorAdjustType) {
  if (!colorMatrix) return InvalidParameter;
  m_matrix = *colorMatrix;
  m_matrixFlags = mode;
  m_hasMatrix = true;
  return Ok;
}

Status ImageAttributes::ClearColorMatrix(ColorAdjustType) {
  m_hasMatrix = false;
  return Ok;
}

ARGB ImageAttributes::Transform(ARGB argb) const {
  if (!m_hasMatrix) return argb;
  const Color c(argb);
  if (m_matrixFlags == ColorMatrixFlagsSkipGrays && c.GetR() == c.GetG() && c.GetG() == c.GetB()) return argb;
  const double in[5] = {c.GetR() / 255.0, c.GetG() / 255.0, c.GetB() / 255.0, c.GetA() / 255.0, 1.0};
  int out[4];
  for (int j = 0; j < 4; ++j) {
    double v = 0;
    for (int i = 0; i < 5; ++i) v += in[i] * m_matrix.m[i][j];
    out[j] = std::clamp(int(std::lround(v * 255.0)), 0, 255);
  }
  return Color::MakeARGB(BYTE(out[3]), BYTE(out[0]), BYTE(out[1]), BYTE(out[2]));
}

}  // namespace Gdiplus
