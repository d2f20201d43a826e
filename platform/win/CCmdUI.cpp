#include "platform/win/CCmdUI.h"

#include "platform/win/CCmdTarget.h"
#include "platform/win/CMenu.h"
#include "platform/win/CWnd.h"

CCmdUI::CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    if (!m_pSubMenu) m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // A control losing its enabled state hands the focus on first.
    if (!bOn && CWnd::GetFocus() == m_pOther) {
      if (CWnd* parent = m_pOther->GetParent()) parent->SetFocus();
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    if (!m_pSubMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther) {
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu) {
    if (!m_pSubMenu)
      m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, bOn ? m_nIndex : static_cast<UINT>(-1), MF_BYPOSITION);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (!lpszText) lpszText = u"";
  if (m_pMenu) {
    if (!m_pSubMenu) {
      const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
      m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    }
  } else if (m_pOther) {
    m_pOther->SetWindowText(lpszText);
  }
}

void CCmdUI::ContinueRouting() { m_bContinueRouting = TRUE; }

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and the like
  m_bEnableChanged = FALSE;
  const BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    const BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}
