#pragma once
// A scroll bar control. Like the original it does not move by itself: the user's actions
// reach the parent as WM_HSCROLL or WM_VSCROLL (SB_ codes, the bar's handle in lParam, then
// SB_ENDSCROLL) and the parent sets the new position.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
public:
  CScrollBar();
  ~CScrollBar() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetScrollPos() const;
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int* lpMinPos, int* lpMaxPos) const;
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int GetScrollLimit();
  void ShowScrollBar(BOOL bShow = TRUE);
  BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
