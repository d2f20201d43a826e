#pragma once
// How the library's tool tips look: a bold label, a description under it, an icon, rounded
// corners, and colours (or those of the visual manager).

#include "platform/win/WinTypes.h"

class CBCGPToolTipParams {
public:
  BOOL m_bBallonTooltip = FALSE;
  BOOL m_bDrawIcon = TRUE;
  BOOL m_bDrawDescription = TRUE;
  int m_nMaxDescrWidth = 200;
  BOOL m_bRoundedCorners = FALSE;
  BOOL m_bBoldLabel = TRUE;
  COLORREF m_clrFill = (COLORREF)-1;
  COLORREF m_clrFillGradient = (COLORREF)-1;
  int m_nGradientAngle = -1;
  COLORREF m_clrText = (COLORREF)-1;
  COLORREF m_clrBorder = (COLORREF)-1;
  BOOL m_bDrawSeparator = FALSE;
  BOOL m_bVislManagerTheme = FALSE;
};
