#include "platform/win/CTestCmdUI.h"

CTestCmdUI::CTestCmdUI() = default;

void CTestCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}

void CTestCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }
void CTestCmdUI::SetRadio(BOOL bOn) { m_nCheck = bOn ? 1 : 0; }
void CTestCmdUI::SetText(LPCTSTR) {}
