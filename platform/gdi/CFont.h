#pragma once
// A font described by a LOGFONT. A negative height is the character (em) height in
// pixels, a positive one the cell height (ascent + descent), zero a default size.

#include "platform/gdi/CGdiObject.h"

class CDC;
class QFont;

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
public:
  CFont() = default;

  static CFont* PASCAL FromHandle(HFONT hFont);
  operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }

  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
  // nPointSize in tenths of a point; the height follows the device's (or the screen's) pixels per inch.
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont) const;
  // The Qt font drawn for this font at scale device pixels per logical unit (for widgets
  // that show text in it). A null font gives Qt's default font.
  QFont GetQFont(double scale = 1.0) const;
};
