#include "platform/win/CDataExchange.h"

#include "platform/afx/CUserException.h"
#include "platform/win/WinCtrlConstants.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = nullptr;
  if (m_pDlgWnd) m_pDlgWnd->GetDlgItem(nIDC, &h);
  m_idLastControl = static_cast<UINT>(nIDC);
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_pDlgWnd && m_idLastControl) {
    if (CWnd* c = m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl))) {
      c->SetFocus();
      if (m_bEditLastControl) c->SendMessage(EM_SETSEL, 0, -1);
    }
  }
  AfxThrowUserException();
}

BOOL AfxUpdateData(CWnd* pWnd, BOOL bSaveAndValidate) {
  if (!pWnd) return FALSE;
  CDataExchange dx(pWnd, bSaveAndValidate);
  try {
    pWnd->DoDataExchange(&dx);
  } catch (CUserException* e) {
    e->Delete();
    return FALSE;
  } catch (CException* e) {
    // Any other failure of an exchange also leaves the dialog open.
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

// CWnd::UpdateData runs the exchange through this hook.
namespace {
struct UpdateDataInstaller {
  UpdateDataInstaller() { AfxSetUpdateDataHandler(&AfxUpdateData); }
} g_installUpdateData;
}  // namespace
