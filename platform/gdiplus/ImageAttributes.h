#pragma once
// How DrawImage recolours an image: a colour key range drawn transparent.

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

class ImageAttributes {
public:
  ImageAttributes() = default;
  ImageAttributes* Clone() const { return new ImageAttributes(*this); }
  Status SetColorKey(const Color& colorLow, const Color& colorHigh, ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);
  Status SetWrapMode(WrapMode wrap, const Color& color = Color(), BOOL clamp = FALSE) { return Ok; }
  // Recolours every drawn pixel (greys kept with ColorMatrixFlagsSkipGrays).
  Status SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                        ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorMatrix(ColorAdjustType type = ColorAdjustTypeDefault);
  bool HasMatrix() const { return m_hasMatrix; }
  // The pixel through the colour matrix.
  ARGB Transform(ARGB argb) const;
  Status GetLastStatus() const { return Ok; }

  // Whether the colour falls inside the key range (each channel between low and high).
  bool IsKeyed(ARGB argb) const;
  bool HasKey() const { return m_hasKey; }

private:
  bool m_hasKey = false;
  Color m_low, m_high;
  bool m_hasMatrix = false;
  ColorMatrix m_matrix{};
  ColorMatrixFlags m_matrixFlags = ColorMatrixFlagsDefault;
};

}  // namespace Gdiplus
