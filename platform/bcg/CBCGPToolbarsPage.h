#pragma once
// The toolbars page of the customisation sheet: the frame's toolbars with their visibility,
// reset to the resource, and user toolbars made and deleted.

#include <vector>

#include "platform/win/CPropertyPage.h"

class CBCGPToolBar;
class CBCGPToolbarCustomize;

class CBCGPToolbarsPage : public CPropertyPage {
  DECLARE_DYNAMIC(CBCGPToolbarsPage)
public:
  enum { IDC_TOOLBARS = 16501, IDC_SHOW = 16502, IDC_NEW = 16503, IDC_RESET = 16504, IDC_DELETE = 16505 };

  explicit CBCGPToolbarsPage(CBCGPToolbarCustomize* pSheet = nullptr);
  ~CBCGPToolbarsPage() override;

  // The toolbar at a row of the list, or null.
  CBCGPToolBar* GetToolbarAt(int iRow) const;
  void FillToolbars();

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnInitDialog() override;
  afx_msg void OnSelChange();
  afx_msg void OnShow();
  afx_msg void OnNew();
  afx_msg void OnReset();
  afx_msg void OnDelete();
  CBCGPToolBar* Selected() const;

  CBCGPToolbarCustomize* m_pCustomize;
  std::vector<CBCGPToolBar*> m_bars;
  int m_nNewCount = 0;
};
