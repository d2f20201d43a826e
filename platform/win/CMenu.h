#pragma once
// A menu: a list of items (commands, separators, popups) that a menu bar or a popup shows.
// Menus are loaded from the language library's "MENU" resources, which are texts of this form
// (UTF-8, one statement a line, '#' starts a comment line):
//
//   POPUP "&File"
//     MENUITEM "&Open...\tCtrl+O", 57601
//     MENUITEM SEPARATOR
//     MENUITEM "E&xit", 57665, GRAYED
//     POPUP "Recent"
//       MENUITEM "(none)", 57616, GRAYED
//     END
//   END
//
// Item options: GRAYED, DISABLED (both grey the item), CHECKED, MENUBREAK, MENUBARBREAK, HELP.
// Texts are in double quotes; "" is a quote, \t a tab, \\ a backslash. The top level of a
// resource is the menu itself (a menu bar has POPUPs there; a context menu resource has one
// POPUP whose submenu the code shows with GetSubMenu(0)).

#include <string>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinTypes.h"

class CWnd;
struct tagRECT;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
public:
  CMenu();
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }
  bool operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
  bool operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

  // The object of a handle: the attached one or a wrapper living as long as the menu.
  static CMenu* FromHandle(HMENU hMenu);

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // Loads menu resource nIDResource from the resource chain.
  BOOL LoadMenu(UINT nIDResource);
  BOOL LoadMenu(LPCTSTR lpszResourceName);
  // Builds the menu from resource text (the format above). FALSE on a syntax error.
  BOOL LoadMenuFromText(const std::u16string& text);
  BOOL DestroyMenu();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;  // (UINT)-1 for a popup, 0 for a separator
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  CMenu* GetSubMenu(int nPos) const;

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  // Removes an item; a popup's submenu stays alive (RemoveMenu) or is destroyed (DeleteMenu).
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);

  // Shows the popup at (x, y) in screen coordinates. With TPM_RETURNCMD the chosen command id
  // (0 when none) is returned and nothing is sent; otherwise the choice is sent to pWnd as
  // WM_COMMAND and the result is non-zero when something was chosen.
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const tagRECT* lpRect = nullptr);
  BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, void* lptpm);

private:
  bool m_bWrapper = false;
  friend struct AfxMenuData;
};

// Bare-handle forms used by code that works on HMENU values.
HMENU CreatePopupMenu();
HMENU CreateMenu();
BOOL DestroyMenu(HMENU hMenu);
BOOL IsMenu(HMENU hMenu);
int GetMenuItemCount(HMENU hMenu);
UINT GetMenuItemID(HMENU hMenu, int nPos);
HMENU GetSubMenu(HMENU hMenu, int nPos);
BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem);
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const tagRECT* prcRect);

// The popup test hook: called with the Qt menu just before it is shown (tests pick an item).
class QMenu;
typedef void (*AFX_POPUP_HOOK)(QMenu* pMenu);
void AfxSetPopupMenuHook(AFX_POPUP_HOOK pfnHook);
