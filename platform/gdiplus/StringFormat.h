#pragma once
// How DrawString lays text out: alignment, wrapping, trimming, prefixes and tab stops.

#include <vector>

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

class StringFormat {
public:
  explicit StringFormat(INT formatFlags = 0, LANGID language = 0);
  StringFormat(const StringFormat& format) = default;
  StringFormat& operator=(const StringFormat&) = default;
  StringFormat* Clone() const { return new StringFormat(*this); }

  // The default layout pads each line by a sixth of an em on both sides; the typographic
  // one does not, and neither wraps nor clips.
  static const StringFormat* GenericDefault();
  static const StringFormat* GenericTypographic();

  Status SetFormatFlags(INT flags) { m_flags = flags; return Ok; }
  INT GetFormatFlags() const { return m_flags; }
  Status SetAlignment(StringAlignment align) { m_align = align; return Ok; }
  StringAlignment GetAlignment() const { return m_align; }
  Status SetLineAlignment(StringAlignment align) { m_lineAlign = align; return Ok; }
  StringAlignment GetLineAlignment() const { return m_lineAlign; }
  Status SetTrimming(StringTrimming trimming) { m_trimming = trimming; return Ok; }
  StringTrimming GetTrimming() const { return m_trimming; }
  Status SetHotkeyPrefix(HotkeyPrefix prefix) { m_prefix = prefix; return Ok; }
  HotkeyPrefix GetHotkeyPrefix() const { return m_prefix; }
  Status SetTabStops(REAL firstTabOffset, INT count, const REAL* tabStops);
  Status GetTabStops(INT count, REAL* firstTabOffset, REAL* tabStops) const;
  INT GetTabStopCount() const { return INT(m_tabs.size()); }
  Status GetLastStatus() const { return m_status; }

  bool Typographic() const { return m_typographic; }

private:
  INT m_flags = 0;
  StringAlignment m_align = StringAlignmentNear;
  StringAlignment m_lineAlign = StringAlignmentNear;
  StringTrimming m_trimming = StringTrimmingCharacter;
  HotkeyPrefix m_prefix = HotkeyPrefixNone;
  REAL m_firstTab = 0;
  std::vector<REAL> m_tabs;
  bool m_typographic = false;
  Status m_status = Ok;
};

}  // namespace Gdiplus
