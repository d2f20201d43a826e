#pragma once
#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CWinApp.h"

// Answers message boxes itself (OK) and remembers their texts.
class CPrintTestApp : public CWinApp {
public:
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
  std::vector<CString> prompts;
};

CPrintTestApp& ThePrintTestApp();
