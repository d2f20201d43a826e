#pragma once
// A button that drops down a menu: a click shows the menu below the button, the chosen command
// is kept in m_nMenuResult (0 when nothing was chosen) and the parent then hears of the click
// (BN_CLICKED) and reads it.

#include "platform/bcg/CBCGPButton.h"

class CBCGPMenuButton : public CBCGPButton {
  DECLARE_DYNCREATE(CBCGPMenuButton)
public:
  CBCGPMenuButton();
  ~CBCGPMenuButton() override;

  HMENU m_hMenu = nullptr;   // the menu (not owned)
  int m_nMenuResult = 0;     // the command chosen by the last click
  BOOL m_bOSMenu = TRUE;
  BOOL m_bRightArrow = FALSE;
  BOOL m_bStayPressed = FALSE;
  // A click on the button's face sends the menu's default item without showing the menu.
  BOOL m_bDefaultClick = FALSE;

protected:
  DECLARE_MESSAGE_MAP()
  afx_msg BOOL OnClicked();
};
