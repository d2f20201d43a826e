#pragma once
// A static control: text, icon, bitmap, frames and etched lines, owner-drawn. With SS_NOTIFY
// it sends STN_CLICKED and STN_DBLCLK. A text's "&x" names the mnemonic of the control after it.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
public:
  CStatic();
  ~CStatic() override;

  virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;

  // Owner-drawn statics (SS_OWNERDRAW) paint here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
