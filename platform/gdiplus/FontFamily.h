#pragma once
// A font family by name.

#include <string>

#include "platform/gdiplus/GdiplusTypes.h"

class QString;

namespace Gdiplus {

class FontCollection;

class FontFamily {
public:
  FontFamily();
  // Status FontFamilyNotFound when no installed family has the name.
  explicit FontFamily(const WCHAR* name, const FontCollection* fontCollection = nullptr);
  FontFamily(const FontFamily& other) = default;
  FontFamily& operator=(const FontFamily& other) = default;
  FontFamily* Clone() const { return new FontFamily(*this); }

  static const FontFamily* GenericSansSerif();
  static const FontFamily* GenericSerif();
  static const FontFamily* GenericMonospace();

  Status GetFamilyName(WCHAR name[LF_FACESIZE], LANGID language = 0) const;
  BOOL IsAvailable() const { return m_status == Ok && !m_name.empty(); }
  // Whether the family has a face for the bold and italic bits of style.
  BOOL IsStyleAvailable(INT style) const;
  // Whether the family holds symbols rather than letters (SYMBOL_CHARSET).
  BOOL IsSymbolFamily() const;
  // Design metrics in font design units (an em of 2048).
  UINT16 GetEmHeight(INT style) const;
  UINT16 GetCellAscent(INT style) const;
  UINT16 GetCellDescent(INT style) const;
  UINT16 GetLineSpacing(INT style) const;
  Status GetLastStatus() const { return m_status; }

  const std::u16string& Name() const { return m_name; }
  // A family name as the font database may list it, without the foundry that tells apart copies
  // installed twice ("Name [foundry]" -> "Name").
  static QString PlainFamilyName(const QString& name);

private:
  friend class InstalledFontCollection;
  std::u16string m_name;
  Status m_status = Ok;
};

}  // namespace Gdiplus
