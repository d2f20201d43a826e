#pragma once
#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CWinApp.h"

class CTestApp : public CWinApp {
public:
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
  std::vector<CString> prompts;
  std::vector<UINT> types;
  int answer = IDOK;
};

CTestApp& TheTestApp();
