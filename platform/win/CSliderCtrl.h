#pragma once
// A track bar: a thumb on a range with line and page sizes and tick marks. The user's moves
// reach the parent as WM_HSCROLL (WM_VSCROLL with TBS_VERT) with the TB_ code, the control's
// handle in lParam, then TB_ENDTRACK; setting the position by message sends nothing.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
public:
  CSliderCtrl();
  ~CSliderCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetPos() const;
  void SetPos(int nPos);
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
  void GetRange(int& nMin, int& nMax) const;
  int GetRangeMin() const;
  int GetRangeMax() const;
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
  int SetPageSize(int nSize);
  int GetPageSize() const;
  int SetLineSize(int nSize);
  int GetLineSize() const;
  void SetTicFreq(int nFreq);
  BOOL SetTic(int nTic);
  void ClearTics(BOOL bRedraw = FALSE);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
