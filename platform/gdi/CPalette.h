#pragma once
// A logical palette: a table of colours. Drawing is in true colour, so selecting and
// realizing a palette changes nothing on the surface; the entries are kept for lookups.

#include "platform/gdi/CGdiObject.h"

class CDC;

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
public:
  CPalette() = default;

  static CPalette* PASCAL FromHandle(HPALETTE hPalette);
  operator HPALETTE() const { return static_cast<HPALETTE>(GetSafeHandle()); }

  BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
  // The 256-entry halftone palette (a 6x6x6 colour cube with greys).
  BOOL CreateHalftonePalette(CDC* pDC);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors);
  UINT GetNearestPaletteIndex(COLORREF crColor) const;
  BOOL ResizePalette(UINT nNumEntries);
};

// The standard 20 colours of the system palette (the first and last ten entries).
UINT GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries);
HPALETTE CreatePalette(const LOGPALETTE* plpal);
HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd);
UINT RealizePalette(HDC hdc);
