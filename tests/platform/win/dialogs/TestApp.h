#pragma once
#include <functional>
#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CWinApp.h"

class CDialog;

class CTestApp : public CWinApp {
public:
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
  std::vector<CString> prompts;
  std::vector<UINT> types;
  int answer = IDOK;
};

CTestApp& TheTestApp();

// Runs `act` from the modal loop of `dlg` once the window is active and has a focused control.
// The window system activates a shown window a turn or more later, so a timer alone may fire
// first; a dialog that never becomes active is ended with IDABORT so that the test fails.
void WhenActive(CDialog& dlg, std::function<void()> act);
