#include "platform/gdiplus/Font.h"

#include <cmath>

#include <QtGui/QFontMetricsF>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdiplus/FontFamily.h"
#include "platform/gdiplus/GdiplusPrivate.h"
#include "platform/gdiplus/Graphics.h"

namespace Gdiplus {

Font::Font(const WCHAR* familyName, REAL emSize, INT style, Unit unit, const FontCollection*)
    : m_size(emSize), m_style(style), m_unit(unit) {
  FontFamily family(familyName);
  if (family.GetLastStatus() != Ok) {
    // Like the original, an unknown family falls back to the generic sans serif one.
    m_family = FontFamily::GenericSansSerif()->Name();
  } else {
    m_family = family.Name();
  }
  if (!(emSize > 0) || unit == UnitDisplay) m_status = InvalidParameter;
}

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit)
    : m_size(emSize), m_style(style), m_unit(unit) {
  if (!family || !family->IsAvailable() || !(emSize > 0)) m_status = InvalidParameter;
  else m_family = family->Name();
}

Font::Font(HDC hdc) {
  CDC* dc = CDC::FromHandle(hdc);
  CFont* f = dc ? dc->GetCurrentFont() : nullptr;
  LOGFONTW lf{};
  if (!f || !f->GetLogFont(&lf)) {
    m_status = InvalidParameter;
    return;
  }
  FromLogFont(lf);
}

Font::Font(HDC, HFONT hfont) {
  LOGFONTW lf{};
  CFont* f = CFont::FromHandle(hfont);
  if (!f || !f->GetLogFont(&lf)) {
    m_status = InvalidParameter;
    return;
  }
  FromLogFont(lf);
}

Font::Font(HDC, const LOGFONTW* logfont) {
  if (!logfont) {
    m_status = InvalidParameter;
    return;
  }
  FromLogFont(*logfont);
}

void Font::FromLogFont(const LOGFONTW& lf) {
  const QFont qf = gdi::MakeFont(lf, 1.0);
  int len = 0;
  while (len < LF_FACESIZE && lf.lfFaceName[len]) ++len;
  m_family = len ? std::u16string(lf.lfFaceName, size_t(len)) : FontFamily::GenericSansSerif()->Name();
  m_size = REAL(qf.pixelSize());
  m_unit = UnitPixel;
  m_style = (lf.lfWeight >= FW_BOLD ? FontStyleBold : 0) | (lf.lfItalic ? FontStyleItalic : 0) |
            (lf.lfUnderline ? FontStyleUnderline : 0) | (lf.lfStrikeOut ? FontStyleStrikeout : 0);
}

Status Font::GetFamily(FontFamily* family) const {
  if (!family) return InvalidParameter;
  *family = FontFamily(m_family.c_str());
  if (family->GetLastStatus() != Ok) *family = *FontFamily::GenericSansSerif();
  return Ok;
}

double Font::SizeInPixels(double dpi) const {
  switch (m_unit) {
    case UnitPoint: return m_size * dpi / 72.0;
    case UnitInch: return m_size * dpi;
    case UnitDocument: return m_size * dpi / 300.0;
    case UnitMillimeter: return m_size * dpi / 25.4;
    default: return m_size;
  }
}

REAL Font::GetHeight(REAL dpi) const {
  QFont qf = gdip::MakeQFont(*this, 1000.0);
  QFontMetricsF fm(qf);
  return REAL(fm.lineSpacing() / 1000.0 * SizeInPixels(dpi));
}

REAL Font::GetHeight(const Graphics* graphics) const {
  if (!graphics) return GetHeight(96.0f);
  // Pixels, turned into the graphics' page units.
  const REAL px = GetHeight(graphics->GetDpiY());
  return REAL(px / graphics->PixelsPerPageUnit());
}

Status Font::GetLogFontW(const Graphics* g, LOGFONTW* lf) const {
  if (!lf) return InvalidParameter;
  *lf = LOGFONTW{};
  const double dpi = g ? g->GetDpiY() : 96.0;
  lf->lfHeight = -LONG(std::lround(SizeInPixels(dpi)));
  lf->lfWeight = (m_style & FontStyleBold) ? FW_BOLD : FW_NORMAL;
  lf->lfItalic = (m_style & FontStyleItalic) ? 1 : 0;
  lf->lfUnderline = (m_style & FontStyleUnderline) ? 1 : 0;
  lf->lfStrikeOut = (m_style & FontStyleStrikeout) ? 1 : 0;
  FontFamily family(m_family.c_str());
  lf->lfCharSet = family.IsSymbolFamily() ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  for (size_t i = 0; i < m_family.size() && i < LF_FACESIZE - 1; ++i) lf->lfFaceName[i] = m_family[i];
  return Ok;
}

}  // namespace Gdiplus
