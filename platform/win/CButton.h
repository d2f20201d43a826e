#pragma once
// A button control: push, default push, check box (two or three states), radio button
// (automatic ones grouped by WS_GROUP), group box, owner-drawn, with text, icon or bitmap.
// Sends BN_CLICKED (and with BS_NOTIFY BN_SETFOCUS, BN_KILLFOCUS, BN_DOUBLECLICKED).

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
public:
  CButton();
  ~CButton() override;

  virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCheck() const;
  void SetCheck(int nCheck);
  UINT GetState() const;
  void SetState(BOOL bHighlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  void Click();

  // Owner-drawn buttons (BS_OWNERDRAW) paint here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
