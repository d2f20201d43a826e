#pragma once
// One button of a toolbar, menu bar or popup menu: a command id, an image (an index into the
// toolbar images, -1 for none), an optional text and the TBBS_ style (separator, check box,
// group, checked, disabled ...). Toolbars own copies of buttons: they make a new object of the
// button's run-time class and CopyFrom the original, so classes derived by the program keep
// their own data. Serialize stores the button in the saved toolbar state.

#include "platform/afx/CObject.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CArchive;
class CMenu;
class CToolTipCtrl;
class CWnd;
class QMenu;
class QWidget;

class CBCGPToolbarButton : public CObject {
  DECLARE_SERIAL(CBCGPToolbarButton)
public:
  CBCGPToolbarButton();
  CBCGPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                     BOOL bLocked = FALSE);
  ~CBCGPToolbarButton() override;

  virtual void CopyFrom(const CBCGPToolbarButton& src);
  void Serialize(CArchive& ar) override;

  // The button moved to another toolbar window (null: it left its toolbar).
  virtual void OnChangeParentWnd(CWnd* pWndParent);
  // A control notification of the button's own control; TRUE sends the command to the frame.
  virtual BOOL NotifyCommand(int iNotifyCode);
  // Ends an open drop-down.
  virtual void OnCancelMode() {}
  // The control window of the button (combo box ...), or null.
  virtual HWND GetHwnd() { return nullptr; }
  // The widget the toolbar shows in place of a plain button, or null for a plain button.
  virtual QWidget* GetEmbeddedWidget() { return nullptr; }
  // The drop-down menu the toolbar shows with the button (menu buttons), or null. The menu's
  // actions carry their command ids as data.
  virtual QMenu* CreateDropDownMenu(QWidget* pParent) { (void)pParent; return nullptr; }
  // A command was chosen from the button's drop-down, before it is sent.
  virtual void OnMenuCommandChosen(UINT uiCmd) { (void)uiCmd; }
  // Separators, menus and controls are not ordinary command buttons.
  virtual BOOL IsOrdinaryCommand() const;
  // Opens a drop-down (menu buttons); TRUE when it did.
  virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);

  // ---- customisation mode and tool tips ----
  // The button's menu in customisation mode (items ID_CUSTOMIZE_BUTTON_*) is about to show: the
  // button greys or checks what does not apply to it. TRUE when it did.
  virtual BOOL OnCustomizeMenu(CMenu* pPopup) { (void)pPopup; return FALSE; }
  // FALSE keeps the button in place: it cannot be dragged off or about while customising.
  virtual BOOL OnBeforeDrag() const { return TRUE; }
  // A tip of the button's own instead of its command's description; TRUE when it has one.
  virtual BOOL OnGetCustomToolTipText(CString& strTipText) { (void)strTipText; return FALSE; }
  // Registers the button's tip with a tool tip control (iButtonIndex: its place on the bar);
  // TRUE when it did, FALSE leaves the tip to the bar.
  virtual BOOL OnUpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& str) {
    (void)pWndParent; (void)iButtonIndex; (void)wndToolTip; (void)str;
    return FALSE;
  }
  // Docked on a vertical bar; a control button then shows as a plain button.
  virtual void SetHorizontal(BOOL bHorz) { m_bHorz = bHorz; }
  BOOL IsHorizontal() const { return m_bHorz; }

  virtual void SetImage(int iImage) { m_iImage = iImage; }
  int GetImage() const { return m_iImage; }
  virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
  UINT GetStyle() const { return m_nStyle; }
  void SetRect(const CRect& rect) { m_rect = rect; }
  const CRect& Rect() const { return m_rect; }
  CWnd* GetParentWnd() const { return m_pWndParent; }
  BOOL IsHidden() const { return (m_nStyle & TBBS_HIDDEN_FLAG) != 0; }
  BOOL IsLocked() const { return m_bLocked; }
  BOOL IsSeparator() const { return (m_nStyle & 1) != 0; }
  virtual BOOL IsEditable() const { return !m_bLocked; }
  virtual BOOL CanBeStored() const { return TRUE; }

  UINT m_nID = 0;
  int m_iImage = -1;
  int m_iUserImage = -1;
  CString m_strText;
  UINT m_nStyle = 0;
  BOOL m_bUserButton = FALSE;
  BOOL m_bText = FALSE;      // shows its text
  BOOL m_bImage = TRUE;      // shows its image
  BOOL m_bLocked = FALSE;
  DWORD_PTR m_dwdItemData = 0;

protected:
  static constexpr UINT TBBS_HIDDEN_FLAG = 0x1000;
  BOOL m_bHorz = TRUE;
  CRect m_rect;
  CWnd* m_pWndParent = nullptr;
};
