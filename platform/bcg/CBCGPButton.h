#pragma once
// A push button of the library: a button that shows an image (icon or bitmap) beside or instead
// of its text, a tool tip, and a flat or themed look.

#include "platform/afx/CSize.h"
#include "platform/win/CButton.h"

class CBCGPButton : public CButton {
  DECLARE_DYNCREATE(CBCGPButton)
public:
  enum FlatStyle { BUTTONSTYLE_3D, BUTTONSTYLE_FLAT, BUTTONSTYLE_SEMIFLAT, BUTTONSTYLE_NOBORDERS };

  CBCGPButton();
  ~CBCGPButton() override;

  // The desktop theme's look for all library buttons.
  static void EnableWinXPTheme(BOOL bEnable = TRUE);
  static BOOL IsWinXPThemeEnabled();

  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

  void SetImage(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = nullptr, HICON hIconDisabled = nullptr,
                BOOL bAlphaBlend = FALSE);
  void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr, BOOL bMap3dColors = TRUE,
                HBITMAP hBitmapDisabled = nullptr);
  // The image from a bitmap of the language library; FALSE-like no-op when it is missing.
  void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
  BOOL HasImage() const { return m_bHasImage; }
  void SetTooltip(LPCTSTR lpszToolTipText);
  CString GetTooltip() const { return m_strTooltip; }
  // The size that fits the text and image (and resizes the button unless bCalcOnly).
  CSize SizeToContent(BOOL bCalcOnly = FALSE);
  void SetFaceColor(COLORREF crFace, BOOL bRedraw = TRUE);
  void SetTextColor(COLORREF clrText) { m_clrText = clrText; }

  BOOL m_bTransparent = FALSE;
  FlatStyle m_nFlatStyle = BUTTONSTYLE_3D;
  BOOL m_bRightImage = FALSE;
  BOOL m_bDrawFocus = TRUE;

protected:
  void PreSubclassWindow() override;
  // Sets up the widget once the button has one (made or subclassed).
  virtual void InitButton();
  void ApplyLook();

  BOOL m_bHasImage = FALSE;
  CString m_strTooltip;
  COLORREF m_clrFace = (COLORREF)-1;
  COLORREF m_clrText = (COLORREF)-1;
};
