#pragma once
// An up-down control: two arrows that step a position within a range, optionally shown in a
// buddy window (UDS_SETBUDDYINT), placed beside it (UDS_ALIGNRIGHT/LEFT) and driven by its
// arrow keys (UDS_ARROWKEYS). Each step first asks the parent with UDN_DELTAPOS (a non-zero
// answer refuses it), then moves and sends WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with
// SB_THUMBPOSITION and SB_ENDSCROLL.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  CSpinButtonCtrl();
  ~CSpinButtonCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  DWORD GetRange() const;
  void GetRange(int& lower, int& upper) const;
  void GetRange32(int& lower, int& upper) const;
  int SetPos(int nPos);
  int GetPos() const;
  int SetPos32(int nPos);
  int GetPos32(LPBOOL lpbError = nullptr) const;
  CWnd* SetBuddy(CWnd* pWndBuddy);
  CWnd* GetBuddy() const;
  // The step of one notification while an arrow has been held for dwHeldMs: 1, then 5 after 2 s and 20
  // after 5 s (a click is always 1).
  static int AccelerationDelta(DWORD dwHeldMs);
  // With a table of its own (SetAccel): the step of the last entry whose time has passed, 1 before the
  // first.
  static int AccelerationDelta(DWORD dwHeldMs, const UDACCEL* pAccel, int nAccel);
  // Replaces the acceleration steps; an empty table goes back to the standard steps. FALSE for a
  // negative count or a missing table.
  BOOL SetAccel(int nAccel, UDACCEL* pAccel);
  // Copies up to nAccel steps; returns how many the control has.
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const;

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
