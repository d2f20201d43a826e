#pragma once
#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CWinApp.h"

// Answers message boxes itself (OK) and remembers their texts.
class CPrintTestApp : public CWinApp {
public:
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
  std::vector<CString> prompts;
  // The printer handles the application keeps (what an earlier print chose).
  HGLOBAL& StoredDevNames() { return m_hDevNames; }
  HGLOBAL& StoredDevMode() { return m_hDevMode; }
};

CPrintTestApp& ThePrintTestApp();
