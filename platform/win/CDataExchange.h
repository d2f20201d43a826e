#pragma once
// One exchange of data between a window's controls and its members (UpdateData): the DDX_
// and DDV_ functions called from DoDataExchange move and check each value. Fail puts the
// focus back on the control last prepared (selecting an edit's text) and stops the exchange
// by throwing a CUserException, which UpdateData turns into FALSE.

#include "platform/win/CWnd.h"

class CDataExchange {
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  UINT m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;

  // The control of id nIDC, remembered as the one Fail returns to; null when the window has
  // no such control.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  [[noreturn]] void Fail();
};

// Runs DoDataExchange of pWnd in one direction; FALSE when an exchange failed.
BOOL AfxUpdateData(CWnd* pWnd, BOOL bSaveAndValidate);
