#pragma once
// The MDI main frame of the docking library. Around the document area it lays out docking
// bars (any side, floating, tabbed, split), toolbars in rows, the menu bar and the status bar;
// the document windows can be shown as tabs with close buttons and a tab context menu. The
// frame keeps its user-defined toolbars and loads and saves the whole layout through the
// workspace (CBCGPWorkspace): LoadFrame restores it, closing the frame stores it.

#include <vector>

#include "platform/bcg/BCGPConstants.h"
#include "platform/win/CMDIFrameWnd.h"

class CBCGPControlBar;
class CBCGPDockingControlBar;
class CBCGPToolBar;
class CBCGPMenuBar;
class CBCGPPopupMenu;
class CBCGPToolbarButton;
class CBCGPToolbarMenuButton;
class CMenu;
class QDockWidget;
class QMainWindow;

class CBCGPMDIFrameWnd : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CBCGPMDIFrameWnd)
public:
  CBCGPMDIFrameWnd();
  ~CBCGPMDIFrameWnd() override;

  // Creates the frame, then restores the stored layout (when the program has a workspace).
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

  // ---- docking ----
  // Sides the frame offers to bars (CBRS_ALIGN_ flags).
  void EnableDocking(DWORD dwDockStyle);
  void EnableAutoHideBars(DWORD dwDockStyle);
  // Docks a bar on its side: a toolbar in a new row, a docking bar at the edge of its side.
  // nDockBarID may name the side (AFX_IDW_DOCKBAR_TOP ...); 0 takes it from the bar's style.
  void DockControlBar(CBCGPControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  // Puts the toolbar pBar in the row of pLeftOf, just before it.
  BOOL DockControlBarLeftOf(CBCGPControlBar* pBar, CBCGPControlBar* pLeftOf);
  void ShowControlBar(CBCGPControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
  // The bar (docking bar, toolbar, menu bar, status bar) with that id, or null.
  CBCGPControlBar* GetControlBar(UINT nID);
  // Shows or hides every bar (in-place editing of embedded objects).
  virtual void OnShowControlBars(BOOL bShow);
  // The menu bar the frame's menu shows in (set when the menu bar is created).
  CBCGPMenuBar* GetMenuBar() const { return m_pMenuBar; }

  // ---- document windows as tabs ----
  void EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE, int tabLocation = 0, BOOL bTabCloseButton = FALSE,
                     int style = 0, BOOL bTabCustomTooltips = FALSE, BOOL bActiveTabCloseButton = FALSE);
  BOOL AreMDITabs() const { return m_bMDITabs; }
  // The right mouse button on a document tab; the default menu closes the window or its siblings.
  virtual BOOL OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL bTabDrop);

  // ---- windows dialog ----
  void EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL bShowAllways = FALSE,
                           BOOL bShowHelpButton = FALSE);
  void ShowWindowsDialog();

  // ---- user-defined toolbars ----
  BOOL InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast);
  // The user toolbar at index (in id order), or null.
  CBCGPToolBar* GetUserBarByIndex(int iIndex) const;
  // Makes a user toolbar with the first free id; null when the range is full.
  CBCGPToolBar* CreateUserToolbar(LPCTSTR lpszName, UINT uiID = 0);
  BOOL DeleteToolBar(CBCGPToolBar* pToolBar);
  // Puts the user toolbars into menu (all levels) in place of the items with ids in
  // uiViewUserToolbarCmdFirst..Last: one item per toolbar, id first + index, its title as text,
  // checked while it shows.
  void SetupToolbarMenu(CMenu& menu, UINT uiViewUserToolbarCmdFirst, UINT uiViewUserToolbarCmdLast);
  afx_msg LRESULT OnToolbarCreateNew(WPARAM wp, LPARAM lp);
  // A toolbar (id: the button's tear-off id) with the commands of the button's drop-down; an
  // existing one is shown again. OnTearOffMenu may name it. Kept with the layout.
  CBCGPToolBar* TearOffMenu(CBCGPToolbarMenuButton* pButton);
  CBCGPToolBar* GetTearOffBar(UINT uiID) const;

  // ---- hooks of the frame's menus and toolbars ----
  virtual BOOL OnShowPopupMenu(CBCGPPopupMenu* pMenuPopup);
  virtual BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& strTTText);
  virtual BOOL OnTearOffMenu(CBCGPPopupMenu* pMenuPopup, CBCGPControlBar* pBar);
  afx_msg void OnContextHelp();

  // ---- stored layout ----
  // Saves / loads the bars' layout and toolbars below the key path (ends with a backslash).
  virtual BOOL SaveBarState(LPCTSTR lpszPath);
  virtual BOOL LoadBarState(LPCTSTR lpszPath);

  // ---- library internals ----
  void AddDockingBar(CBCGPDockingControlBar* pBar);
  void AddToolBar(CBCGPToolBar* pBar);
  // A bar laid out by the frame itself (the status bar) that still follows the commands' state.
  void AddControlBar(CBCGPControlBar* pBar);
  void RemoveControlBar(CBCGPControlBar* pBar);
  void SetMenuBar(CBCGPMenuBar* pMenuBar) { m_pMenuBar = pMenuBar; }
  QMainWindow* GetDockHost() const;
  std::vector<CBCGPDockingControlBar*> GetDockingBarsInTabOrder(QDockWidget* pMember) const;
  BOOL IsActiveDockTab(QDockWidget* pDock) const;
  const std::vector<CBCGPControlBar*>& GetControlBars() const { return m_bars; }
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;

protected:
  DECLARE_MESSAGE_MAP()
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarContextMenu(WPARAM wp, LPARAM lp);

  CWnd m_wndDockHost;
  std::vector<CBCGPControlBar*> m_bars;
  std::vector<CBCGPToolBar*> m_userToolbars;  // owned
  std::vector<CBCGPToolBar*> m_tearOffBars;   // owned
  CBCGPMenuBar* m_pMenuBar = nullptr;
  DWORD m_dwDockStyle = 0;
  DWORD m_dwAutoHideStyle = 0;
  BOOL m_bMDITabs = FALSE;
  UINT m_uiUserToolbarFirst = (UINT)-1;
  UINT m_uiUserToolbarLast = (UINT)-1;
  UINT m_uiWindowsDlgMenuId = 0;
  UINT m_uiWindowsDlgMenuTextId = 0;
  BOOL m_bStateSaved = FALSE;

private:
  void InstallMDITabHook();
  CBCGPToolBar* MakeTearOffBar(UINT uiID, LPCTSTR lpszTitle);
};
