#include "platform/gdiplus/StringFormat.h"

namespace Gdiplus {

StringFormat::StringFormat(INT formatFlags, LANGID) : m_flags(formatFlags) {}

const StringFormat* StringFormat::GenericDefault() {
  static const StringFormat f;
  return &f;
}

const StringFormat* StringFormat::GenericTypographic() {
  static const StringFormat f = [] {
    StringFormat s(StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit | StringFormatFlagsNoClip);
    s.m_trimming = StringTrimmingNone;
    s.m_typographic = true;
    return s;
  }();
  return &f;
}

Status StringFormat::SetTabStops(REAL firstTabOffset, INT count, const REAL* tabStops) {
  if (count < 0 || (count > 0 && !tabStops) || count > 4096) return m_status = InvalidParameter;
  m_firstTab = firstTabOffset;
  m_tabs.assign(tabStops, tabStops + count);
  return Ok;
}

Status StringFormat::GetTabStops(INT count, REAL* firstTabOffset, REAL* tabStops) const {
  if (!firstTabOffset || (count > 0 && !tabStops)) return InvalidParameter;
  *firstTabOffset = m_firstTab;
  for (INT i = 0; i < count && i < INT(m_tabs.size()); ++i) tabStops[i] = m_tabs[size_t(i)];
  return Ok;
}

}  // namespace Gdiplus
