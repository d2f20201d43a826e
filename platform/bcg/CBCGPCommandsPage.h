#pragma once
// The commands page of the customisation sheet: commands by category, put on a chosen toolbar.

#include "platform/win/CPropertyPage.h"

class CBCGPToolbarCustomize;

class CBCGPCommandsPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBCGPCommandsPage)
public:
  enum { IDC_CATEGORIES = 16601, IDC_COMMANDS = 16602, IDC_TARGET = 16603, IDC_ADD = 16604 };

  explicit CBCGPCommandsPage(CBCGPToolbarCustomize* pSheet = nullptr);
  ~CBCGPCommandsPage() override;

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  afx_msg void OnCategoryChange();
  afx_msg void OnAdd();
  void FillTargets();

  CBCGPToolbarCustomize* m_pCustomize;
};
