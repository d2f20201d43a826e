#include "platform/gdi/CFont.h"

#include <cmath>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont* PASCAL CFont::FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirect(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
  return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                             nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName)
    for (int i = 0; i < LF_FACESIZE - 1 && lpszFaceName[i]; ++i) lf.lfFaceName[i] = lpszFaceName[i];
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  if (!lpLogFont) return FALSE;
  LOGFONT lf = *lpLogFont;
  // lfHeight holds tenths of a point: turn it into the character height in device pixels,
  // then into logical units of the context.
  const int dpi = pDC && pDC->GetSafeHdc() ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
  POINT pt{0, static_cast<LONG>(std::lround(lf.lfHeight * dpi / 720.0))};
  POINT org{0, 0};
  if (pDC && pDC->GetSafeHdc()) {
    pDC->DPtoLP(&pt);
    pDC->DPtoLP(&org);
  }
  lf.lfHeight = -std::abs(pt.y - org.y);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const { return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont); }

QFont CFont::GetQFont(double scale) const {
  GdiObjectData* d = gdi::Lookup(m_hObject, GdiKind::Font);
  return d ? gdi::MakeFont(d->logFont, scale) : QFont();
}
