#pragma once
// Context menus by name and resource: registered once, shown at a point with their commands
// going to an owner window.

#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CWnd;

class CBCGPContextMenuManager {
public:
  static CBCGPContextMenuManager* GetInstance();
  static CBCGPContextMenuManager* Create();
  static void Destroy();

  // Registers sub-menu 0 of menu resource uiMenuResId under a name.
  BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
  BOOL AddMenu(UINT uiMenuNameResId, UINT uiMenuResId);
  // The resource of a registered menu, 0 when none.
  UINT GetMenuByName(LPCTSTR lpszName) const;
  // Shows sub-menu 0 of the resource at (x, y) in screen coordinates; the chosen command goes
  // to pWndOwner as WM_COMMAND. FALSE when the menu does not exist.
  BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE);
  // Shows a menu and returns the chosen command (0 for none) without sending it.
  UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner);

private:
  CBCGPContextMenuManager();
  ~CBCGPContextMenuManager();
  struct Impl;
  Impl* d;
};
