#pragma once
// Settings of docking bars stacked as tabs: the look of their tab rows and whether each tab
// gets a colour of its own.

#include "platform/bcg/CBCGPDockingControlBar.h"
#include "platform/bcg/CBCGPTabWnd.h"

class CBCGPTabbedControlBar : public CBCGPDockingControlBar {
  DECLARE_DYNCREATE(CBCGPTabbedControlBar)
public:
  CBCGPTabbedControlBar();
  ~CBCGPTabbedControlBar() override;

  static CBCGPTabWnd::Style m_StyleTabWnd;
  static void EnableTabAutoColor(BOOL bEnable = TRUE);
  static BOOL IsTabAutoColor();
};
