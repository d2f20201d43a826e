#pragma once
// The menu bar: a toolbar whose buttons are the popups of the frame's menu. It follows the
// frame's menu (the document's menu while a document window is active), docks like a toolbar
// and is not stored with the toolbars: the menu resources decide its items.

#include "platform/bcg/CBCGPToolBar.h"

class CBCGPMenuBar : public CBCGPToolBar {
  DECLARE_SERIAL(CBCGPMenuBar)
public:
  CBCGPMenuBar();
  ~CBCGPMenuBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_MENUBAR) override;
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_MENUBAR) override;

  // Shows the popups of hMenu (copied: hMenu may go afterwards).
  virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
  HMENU GetHMenu() const { return m_hMenu; }
  // Opens the drop-down of the popup at iIndex (keyboard access); FALSE when there is none.
  BOOL OpenPopup(int iIndex);

  BOOL SaveState(LPCTSTR, int = -1, UINT = (UINT)-1) override { return TRUE; }
  BOOL LoadState(LPCTSTR, int = -1, UINT = (UINT)-1) override { return FALSE; }
  BOOL RestoreOriginalstate() override;

protected:
  HMENU m_hMenu = nullptr;      // the menu last shown (not owned)
  HMENU m_hDefaultMenu = nullptr;
};
