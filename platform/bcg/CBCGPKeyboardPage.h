#pragma once
// The keyboard page of the customisation sheet: the keys of each command, which can be taken
// away one by one or all reset to those the frame was made with.

#include "platform/win/CPropertyPage.h"

class CBCGPToolbarCustomize;

class CBCGPKeyboardPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBCGPKeyboardPage)
public:
  enum { IDC_CATEGORY = 16701, IDC_COMMANDS = 16702, IDC_KEYS = 16703, IDC_REMOVE = 16704, IDC_RESET_ALL = 16705 };

  explicit CBCGPKeyboardPage(CBCGPToolbarCustomize* pSheet = nullptr);
  ~CBCGPKeyboardPage() override;

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  afx_msg void OnCategoryChange();
  afx_msg void OnCommandChange();
  afx_msg void OnRemove();
  afx_msg void OnResetAll();
  UINT SelectedCommand() const;

  CBCGPToolbarCustomize* m_pCustomize;
};
