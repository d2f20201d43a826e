#pragma once
// A toolbar of the docking library: buttons (plain, check, group, controls such as combo boxes,
// drop-down menus) with images from the toolbar images, docked in rows on any side of the
// frame. Buttons send their commands to the frame (or the owner) and follow the commands'
// state on idle (enabled, checked). The buttons' layout is stored with the frame's layout and
// can be reset to the toolbar resource.
//
// Toolbar resources ("TOOLBAR/<id>" of the language library) are texts, one statement a line,
// '#' starts a comment line:
//
//   TOOLBAR 16 15        image width and height
//   BUTTON 57600         a command button; its image is the next image of the strip
//   SEPARATOR
//
// The images are the bitmap of the same number ("BITMAP/<id>"): one strip of images in button
// order, light grey RGB(192, 192, 192) as the mask colour.

#include <vector>

#include "platform/afx/CObList.h"
#include "platform/bcg/CBCGPControlBar.h"

class CBCGPToolbarButton;
class CBCGPToolBarImages;
class CMenu;
class CFrameWnd;
class COleDataObject;
class QAction;
class QMenu;
class QMimeData;
class QObject;
class QEvent;

class CBCGPToolBar : public CBCGPControlBar {
  DECLARE_SERIAL(CBCGPToolBar)
public:
  CBCGPToolBar();
  ~CBCGPToolBar() override;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = dwDefaultToolbarStyle, UINT nID = AFX_IDW_TOOLBAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = dwDefaultToolbarStyle,
                        CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);

  // Buttons and images from toolbar resource uiResID (images from bitmap uiResID, else
  // uiHotResID). Tells the frame (BCGM_RESETTOOLBAR) once the buttons are in place.
  virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                           UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
  // New images for the commands of this toolbar's resource from bitmap uiResID.
  virtual BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                          UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
  // Plain buttons for the ids (0 is a separator); null ids give nIDCount empty buttons.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  UINT GetResourceID() const { return m_uiOriginalResID; }

  // ---- buttons ----
  int GetCount() const { return static_cast<int>(m_buttons.size()); }
  CBCGPToolbarButton* GetButton(int iIndex) const;
  UINT GetItemID(int iIndex) const;
  // The first button with the command from iIndexFirst on, -1 when none.
  int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
  // Inserts a copy of button (same run-time class); returns its index, -1 on failure.
  virtual int InsertButton(const CBCGPToolbarButton& button, INT_PTR iInsertAt = -1);
  virtual int InsertSeparator(INT_PTR iInsertAt = -1);
  // Removes and deletes the button.
  virtual BOOL RemoveButton(int iButton);
  void RemoveAllButtons();
  // Puts a copy of button in place of the first (or every) button with the command.
  int ReplaceButton(UINT uiCmd, const CBCGPToolbarButton& button, BOOL bAll = FALSE);
  void SetButtonStyle(int nIndex, UINT nStyle);
  UINT GetButtonStyle(int nIndex) const;
  BOOL SetButtonText(int iIndex, LPCTSTR lpszText);
  CString GetButtonText(int iIndex) const;
  // Shows the buttons as they are now (after changes of the list or of a button).
  void AdjustLayout() override;
  // Reset to the toolbar resource.
  virtual BOOL RestoreOriginalstate();

  // The customise button at the end of the toolbar and its command.
  void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                             BOOL bQuickCustomize = TRUE);
  void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, UINT uiCustomizeTextResId, BOOL bQuickCustomize = TRUE);
  BOOL IsCustomizeButtonEnabled() const { return m_iCustomizeCmd > 0; }

  BOOL IsUserDefined() const { return m_bUserDefined; }
  void SetUserDefined(BOOL b) { m_bUserDefined = b; }
  BOOL IsLocked() const { return m_bLocked; }

  // A button's command is about to be sent; TRUE when the toolbar sent it itself.
  virtual BOOL OnSendCommand(const CBCGPToolbarButton* pButton);
  // The tool tip of a button as the toolbar itself gives it (asked after the button's own custom tip
  // and before the frame's); FALSE leaves it to the frame and the command's string.
  virtual BOOL OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const {
    (void)pButton;
    (void)strTTText;
    return FALSE;
  }
  // Brings the buttons' state up to date through the frame's update handlers.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The same through any command target (a bar that handles its toolbar's commands itself).
  void UpdateCmdUIThrough(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  // FALSE: the buttons' commands go to the toolbar's owner even when the frame hosts the toolbar.
  void SetRouteCommandsViaFrame(BOOL bValue) { m_bRouteCommandsViaFrame = bValue; }
  BOOL GetRouteCommandsViaFrame() const { return m_bRouteCommandsViaFrame; }
  // Clicks the button at iIndex as the user would (its command goes to the frame).
  void ClickButton(int iIndex);
  // The right mouse button on the toolbar (screen point; iButton the button under it or -1):
  // in customisation mode the button's menu (delete, text, reset), otherwise the frame's.
  virtual void OnContextMenuAt(int iButton, CPoint ptScreen);
  // The menu of the button at iButton in customisation mode (only "Reset toolbar" where no button is),
  // its items greyed and checked as they apply to that button.
  void BuildCustomizeMenu(CMenu& menu, int iButton);
  // The command of the menu's "Reset toolbar" item.
  enum { kResetToolbarItem = 1 };
  // Tears the drop-down of the menu button at iIndex off into a toolbar of its own.
  CBCGPToolBar* TearOffButton(int iIndex);

  // Buttons and title below lpszProfileName ("...\<base>\"): key "ToolBar-<id>".
  virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1);
  // FALSE (and the buttons unchanged) when nothing usable is stored.
  virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1);

  // ---- buttons dragged in customisation mode ----
  // A button dragged from the sheet or another toolbar is dropped at point; FALSE refuses it.
  virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave();
  virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  // Where a drop at point would insert (rectDrag gets the insertion marker), -1 for nowhere.
  virtual int FindDropIndex(const CPoint point, CRect& rectDrag) const;
  // Drops a copy of button at point as a drag from the sheet would; the index, -1 when refused.
  int DropButton(const CBCGPToolbarButton& button, CPoint point);
  // The data of a dragged button (its class and contents); the caller owns it.
  static QMimeData* CreateButtonMimeData(const CBCGPToolbarButton& button);
  // The button a drag carries (a new object the caller owns), or null.
  static CBCGPToolbarButton* ButtonFromMimeData(const QMimeData* pData);
  // Qt drag events on the toolbar and its buttons (customisation mode).
  bool HandleDragEvent(QObject* pTarget, QEvent* pEvent);
  // Whether a button pressed in customisation mode may be dragged off this toolbar.
  virtual BOOL CanStartButtonDrag() const { return TRUE; }
  // Drags a button away (moved, or copied with Ctrl) in customisation mode.
  void StartButtonDrag(CBCGPToolbarButton* pButton);

  // ---- all toolbars ----
  static const CObList& GetAllToolbars();
  // Every button with the command on every toolbar, in toolbar order.
  static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
  static BOOL IsCustomizeMode();
  static BOOL SetCustomizeMode(BOOL bSet = TRUE);
  // Adds the images of a toolbar resource to the command images without making a toolbar.
  static BOOL AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID = 0, UINT uiColdResID = 0,
                                           UINT uiMenuResID = 0, UINT uiDisabledResID = 0,
                                           UINT uiMenuDisabledResID = 0);
  static CBCGPToolBarImages* GetImages();
  static BOOL SetUserImages(CBCGPToolBarImages* pUserImages);
  static CBCGPToolBarImages* GetUserImages();
  // Every toolbar back to its resource.
  static void ResetAll();

protected:
  BOOL m_bRouteCommandsViaFrame = TRUE;
  DECLARE_MESSAGE_MAP()
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnDestroy();
  // The window that gets the buttons' commands.
  CWnd* GetCommandTarget() const;
  void SyncButtonStates();
  void ClearActions();
  // Runs a command chosen from the drop-down of the button behind action a.
  void OnDropDownCommand(QAction* a, UINT uiCmd);
  // Fills the drop-down of the button behind action anew from the button and lets the frame change its
  // items (OnShowPopupMenu) before it shows.
  void RefillDropDown(QMenu* menu, QAction* action);
  // Brings a drop-down's items up to date through the frame's update handlers.
  void UpdateMenuState(QMenu* menu);
  BOOL BuildFromResource(UINT uiResID, BOOL bImages, UINT uiImagesResID);
  void ClearButtons();
  void Register();
  void Unregister();

  // The drag under way in customisation mode: where it would drop, the insertion marker and
  // whether this toolbar is where the drag started.
  int m_iDragIndex = -1;
  CRect m_rectDrag;
  BOOL m_bDropSource = FALSE;
  const CBCGPToolbarButton* m_pDragButton = nullptr;

  std::vector<CBCGPToolbarButton*> m_buttons;  // owned
  std::vector<UINT> m_originalIds;             // the resource's buttons (0: separator)
  std::vector<QAction*> m_actions;             // one per button, in order
  std::vector<QMenu*> m_menus;                 // drop-downs of the buttons (owned)
  UINT m_uiOriginalResID = 0;
  int m_iCustomizeCmd = 0;
  CString m_strCustomizeText;
  BOOL m_bUserDefined = FALSE;
  BOOL m_bLocked = FALSE;
  DWORD m_dwCtrlStyle = 0;
  friend class CBCGPToolbarButton;
};
