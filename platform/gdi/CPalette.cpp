#include "platform/gdi/CPalette.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

constexpr UINT kMaxEntries = 4096;

GdiObjectData* Pal(HGDIOBJ h) { return gdi::Lookup(h, GdiKind::Palette); }

// The 20 reserved colours of the system palette, in palette order.
const COLORREF kSystem20[20] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
};

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* plpal) {
  if (!plpal || plpal->palNumEntries == 0 || plpal->palNumEntries > kMaxEntries) return nullptr;
  GdiObjectData* d = gdi::NewObject(GdiKind::Palette);
  for (UINT i = 0; i < plpal->palNumEntries; ++i) {
    const PALETTEENTRY& e = plpal->palPalEntry[i];
    d->palette.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
  }
  return static_cast<HPALETTE>(d->handle());
}

UINT GetSystemPaletteEntries(HDC, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
  // A 256-entry system palette: ten reserved colours at each end, black in between.
  if (!pPalEntries) return 256;
  UINT n = 0;
  for (UINT i = iStart; i < 256 && n < cEntries; ++i, ++n) {
    COLORREF c = 0;
    if (i < 10) c = kSystem20[i];
    else if (i >= 246) c = kSystem20[i - 236];
    pPalEntries[n] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  return n;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL) {
  if (!CDC::FromHandle(hdc) || !Pal(hPal)) return nullptr;
  return static_cast<HPALETTE>(gdi::Stock(DEFAULT_PALETTE)->handle());
}

UINT RealizePalette(HDC hdc) { return CDC::FromHandle(hdc) ? 0 : GDI_ERROR; }

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette) {
  return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }

BOOL CPalette::CreateHalftonePalette(CDC*) {
  GdiObjectData* d = gdi::NewObject(GdiKind::Palette);
  for (int i = 0; i < 10; ++i) d->palette.push_back(kSystem20[i]);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) d->palette.push_back(RGB(r * 51, g * 51, b * 51));
  while (d->palette.size() < 246) {
    const int v = int(d->palette.size() - 226) * 12;
    d->palette.push_back(RGB(v, v, v));
  }
  for (int i = 10; i < 20; ++i) d->palette.push_back(kSystem20[i]);
  return Attach(d->handle());
}

int CPalette::GetEntryCount() const {
  GdiObjectData* d = Pal(m_hObject);
  return d ? int(d->palette.size()) : 0;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
  GdiObjectData* d = Pal(m_hObject);
  if (!d) return 0;
  if (!lpPaletteColors) return UINT(d->palette.size());
  UINT n = 0;
  for (UINT i = nStartIndex; i < d->palette.size() && n < nNumEntries; ++i, ++n) {
    const COLORREF c = d->palette[i];
    lpPaletteColors[n] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
  }
  return n;
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors) {
  GdiObjectData* d = Pal(m_hObject);
  if (!d || !lpPaletteColors) return 0;
  UINT n = 0;
  for (UINT i = nStartIndex; i < d->palette.size() && n < nNumEntries; ++i, ++n)
    d->palette[i] = RGB(lpPaletteColors[n].peRed, lpPaletteColors[n].peGreen, lpPaletteColors[n].peBlue);
  return n;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
  GdiObjectData* d = Pal(m_hObject);
  if (!d || d->palette.empty()) return CLR_INVALID;
  UINT best = 0;
  long bestDist = -1;
  for (UINT i = 0; i < d->palette.size(); ++i) {
    const COLORREF c = d->palette[i];
    const long dr = long(GetRValue(c)) - GetRValue(crColor), dg = long(GetGValue(c)) - GetGValue(crColor),
               db = long(GetBValue(c)) - GetBValue(crColor);
    const long dist = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || dist < bestDist) bestDist = dist, best = i;
  }
  return best;
}

BOOL CPalette::ResizePalette(UINT nNumEntries) {
  GdiObjectData* d = Pal(m_hObject);
  if (!d || nNumEntries == 0 || nNumEntries > kMaxEntries) return FALSE;
  d->palette.resize(nNumEntries, RGB(0, 0, 0));
  return TRUE;
}
