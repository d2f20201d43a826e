#pragma once
// A document window of the docking library's MDI frame. With document tabs on, it shows as a
// tab of the frame's document area.

#include "platform/win/CMDIChildWnd.h"

class CBCGPMDIChildWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(CBCGPMDIChildWnd)
public:
  CBCGPMDIChildWnd();
  ~CBCGPMDIChildWnd() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Listed as a tab when the frame shows document tabs.
  virtual BOOL CanShowOnMDITabs() { return TRUE; }

  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

protected:
  DECLARE_MESSAGE_MAP()
};
