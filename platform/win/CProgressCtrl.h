#pragma once
// A progress bar over a range, stepped or set; stepping past the end starts again at the bottom.

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
public:
  CProgressCtrl();
  ~CProgressCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(short nLower, short nUpper);
  void SetRange32(int nLower, int nUpper);
  void GetRange(int& nLower, int& nUpper) const;
  int GetPos() const;
  int SetPos(int nPos);
  int OffsetPos(int nPos);
  int SetStep(int nStep);
  int StepIt();

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
