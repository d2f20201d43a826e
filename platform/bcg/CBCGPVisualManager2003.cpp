#include "platform/bcg/CBCGPVisualManager2003.h"

IMPLEMENT_DYNCREATE(CBCGPVisualManager2003, CBCGPVisualManager)

CBCGPVisualManager2003::CBCGPVisualManager2003() = default;
CBCGPVisualManager2003::~CBCGPVisualManager2003() = default;

COLORREF CBCGPVisualManager2003::GetToolbarHighlightColor() {
  return m_bIsStandardWinXPTheme ? m_clrHighlight : m_clrHighlightDn;
}
