#pragma once
// The interface an update handler uses to set the state of one user-interface item
// (menu item, toolbar button, status pane, control) that stands for a command.

#include "platform/afx/AfxTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;        // position of a menu item
  CMenu* m_pMenu = nullptr;      // the menu holding the item, or null
  CMenu* m_pSubMenu = nullptr;   // the popup the item opens, or null
  CWnd* m_pOther = nullptr;      // a control or bar, or null
  UINT m_nIndexMax = 0;
  CMenu* m_pParentMenu = nullptr;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  virtual void Enable(BOOL bOn = TRUE);
  // 0 unchecked, 1 checked, 2 indeterminate.
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);

  // Lets the update go on to the next command target after this handler.
  void ContinueRouting();

  // Asks pTarget (and its routing) for the item's state. When no update handler answers and
  // bDisableIfNoHndler is set, the item is disabled unless a command handler exists.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
