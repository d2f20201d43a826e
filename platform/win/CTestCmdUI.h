#pragma once
#include "platform/win/CCmdUI.h"

// Records what an update handler decided without touching any item; used to ask whether a
// command is enabled before running it.
class CTestCmdUI : public CCmdUI {
public:
  CTestCmdUI();
  void Enable(BOOL bOn) override;
  void SetCheck(int nCheck) override;
  void SetRadio(BOOL bOn) override;
  void SetText(LPCTSTR lpszText) override;

  BOOL m_bEnabled = TRUE;
  int m_nCheck = -1;  // -1 when the handler left the check state alone
};
