#pragma once
// A popup menu of the library: made from a menu, shown at a point, its items (a
// CBCGPPopupMenuBar) open to the program before it shows (the frame's OnShowPopupMenu may
// change them or stop the popup). The chosen command goes to the owner as WM_COMMAND. The
// popup deletes itself when it closes.

#include "platform/afx/CRect.h"
#include "platform/win/WinTypes.h"

class CWnd;
class CBCGPPopupMenuBar;
class CBCGPToolbarMenuButton;
class CBCGPToolbarButton;
class QMenu;

class CBCGPPopupMenu {
public:
  CBCGPPopupMenu();
  virtual ~CBCGPPopupMenu();
  CBCGPPopupMenu(const CBCGPPopupMenu&) = delete;
  CBCGPPopupMenu& operator=(const CBCGPPopupMenu&) = delete;

  // Shows hMenu's items at (x, y) (screen). FALSE when nothing is shown (the object is then
  // deleted already, as after a close).
  virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);
  virtual CBCGPPopupMenuBar* GetMenuBar() { return m_pMenuBar; }
  CWnd* GetOwner() const { return m_pOwner; }
  // The button the popup was opened from, or null.
  CBCGPToolbarMenuButton* GetParentButton() const { return m_pParentButton; }
  void SetParentButton(CBCGPToolbarMenuButton* pButton) { m_pParentButton = pButton; }

  void RemoveAllItems();
  BOOL RemoveItem(int iIndex);
  int InsertItem(const CBCGPToolbarMenuButton& button, int iInsertAt = -1);
  int InsertSeparator(int iInsertAt = -1);
  int GetMenuItemCount() const;

  // Closes the popup (and deletes it).
  void CloseMenu();
  // The Qt menu while the popup shows (tests pick items from it).
  QMenu* GetQMenu() const { return m_pQMenu; }

  // The popup that shows now, or null.
  static CBCGPPopupMenu* GetActiveMenu();
  static void SetForceMenuFocus(BOOL bValue);
  static void SetSendMenuSelectMsg(BOOL bValue);
  static BOOL IsSendMenuSelectMsg();
  static void UpdateAllShadows(const RECT* lprectScreen = nullptr);

protected:
  // Runs the command of an item.
  void SendCommand(CBCGPToolbarButton* pButton, UINT uiCmd);

  CBCGPPopupMenuBar* m_pMenuBar;
  CWnd* m_pOwner = nullptr;
  CBCGPToolbarMenuButton* m_pParentButton = nullptr;
  QMenu* m_pQMenu = nullptr;
  BOOL m_bOwnMessage = FALSE;
};
