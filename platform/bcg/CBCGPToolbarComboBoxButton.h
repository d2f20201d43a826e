#pragma once
// A toolbar button that shows a combo box. The button keeps the list (texts and item data), the
// selection and the edit text, so that copies, the stored toolbar state and a combo made again
// on another toolbar show the same. The combo is made by CreateCombo (which the program may
// override to make a combo of its own class) when the button joins a toolbar window. A choice in
// the list sends the button's command to the frame (NotifyCommand decides).

#include <vector>

#include "platform/afx/CStringArray.h"
#include "platform/bcg/CBCGPToolbarButton.h"

class CComboBox;

class CBCGPToolbarComboBoxButton : public CBCGPToolbarButton {
  DECLARE_SERIAL(CBCGPToolbarComboBoxButton)
public:
  CBCGPToolbarComboBoxButton();
  CBCGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = 0x0003L /* CBS_DROPDOWNLIST */, int iWidth = 0);
  ~CBCGPToolbarComboBoxButton() override;

  void CopyFrom(const CBCGPToolbarButton& src) override;
  void Serialize(CArchive& ar) override;
  void OnChangeParentWnd(CWnd* pWndParent) override;
  BOOL NotifyCommand(int iNotifyCode) override;
  HWND GetHwnd() override;
  // None on a vertical bar: the button shows as a plain button of its command there.
  QWidget* GetEmbeddedWidget() override;
  void SetHorizontal(BOOL bHorz) override;
  BOOL IsOrdinaryCommand() const override { return FALSE; }
  void OnCancelMode() override;

  // Makes the combo box of the button in pWndParent.
  virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
  CComboBox* GetComboBox() const { return m_pWndCombo; }

  INT_PTR AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
  INT_PTR GetCount() const { return m_items.GetSize(); }
  LPCTSTR GetItem(int iIndex = -1) const;
  DWORD_PTR GetItemData(int iIndex = -1) const;
  int GetCurSel() const { return m_iSelIndex; }
  BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
  BOOL SelectItem(DWORD_PTR dwData);
  BOOL SelectItem(LPCTSTR lpszText);
  int FindItem(LPCTSTR lpszText) const;
  BOOL DeleteItem(int iIndex);
  void RemoveAllItems();
  LPCTSTR GetText() const { return m_strEdit; }
  void SetText(LPCTSTR lpszText);
  int GetWidth() const { return m_iWidth; }
  void SetWidth(int iWidth);
  DWORD GetComboStyle() const { return m_dwStyle; }

  // Flat combos (a look of the whole program).
  static void SetFlatMode(BOOL bFlat = TRUE);
  static BOOL IsFlatMode();
  // The first combo button with the command on any toolbar, or null.
  static CBCGPToolbarComboBoxButton* GetByCmd(UINT uiCmd, BOOL bIsFocus = FALSE);
  static BOOL SelectItemAll(UINT uiCmd, int iIndex);
  static int GetCurSelAll(UINT uiCmd);

protected:
  // Puts the kept list, selection and text into the combo.
  void FillCombo();

  DWORD m_dwStyle = 0x0003L;
  int m_iWidth = 150;
  CComboBox* m_pWndCombo = nullptr;
  CStringArray m_items;
  std::vector<DWORD_PTR> m_itemData;
  int m_iSelIndex = -1;
  CString m_strEdit;
  BOOL m_bFilling = FALSE;
};
