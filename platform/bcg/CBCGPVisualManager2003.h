#pragma once
// The light look with soft toolbar highlights; a program's own manager may derive from it and
// change single colours.

#include "platform/bcg/CBCGPVisualManager.h"

class CBCGPVisualManager2003 : public CBCGPVisualManager {
  DECLARE_DYNCREATE(CBCGPVisualManager2003)
public:
  CBCGPVisualManager2003();
  ~CBCGPVisualManager2003() override;

  COLORREF GetToolbarHighlightColor() override;

protected:
  // Whether the colours follow the desktop's theme; the two highlight colours it chooses from.
  BOOL m_bIsStandardWinXPTheme = TRUE;
  COLORREF m_clrHighlight = RGB(255, 238, 194);
  COLORREF m_clrHighlightDn = RGB(254, 128, 62);
};
