#pragma once
// A font: family, em size in a unit, and style bits.

#include <string>

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

class FontCollection;
class FontFamily;
class Graphics;

class Font {
public:
  Font(const WCHAR* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint,
       const FontCollection* fontCollection = nullptr);
  Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
  // The font selected into a device context, or a GDI font or LOGFONT (sizes in pixels).
  explicit Font(HDC hdc);
  Font(HDC hdc, HFONT hfont);
  Font(HDC hdc, const LOGFONTW* logfont);
  Font(const Font&) = default;
  Font& operator=(const Font&) = default;
  Font* Clone() const { return new Font(*this); }

  Status GetFamily(FontFamily* family) const;
  REAL GetSize() const { return m_size; }
  INT GetStyle() const { return m_style; }
  Unit GetUnit() const { return m_unit; }
  // The line spacing in the graphics' units, or in pixels at dpi.
  REAL GetHeight(const Graphics* graphics) const;
  REAL GetHeight(REAL dpi) const;
  Status GetLogFontW(const Graphics* g, LOGFONTW* logfontW) const;
  BOOL IsAvailable() const { return m_status == Ok; }
  Status GetLastStatus() const { return m_status; }

  // The em size in pixels at dpi (world units count as pixels here).
  double SizeInPixels(double dpi) const;

private:
  void FromLogFont(const LOGFONTW& lf);
  std::u16string m_family;
  REAL m_size = 0;
  INT m_style = FontStyleRegular;
  Unit m_unit = UnitPoint;
  Status m_status = Ok;
};

}  // namespace Gdiplus
