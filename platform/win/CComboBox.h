#pragma once
// A combo box: simple, drop-down (editable) or drop-down list, with item data, sorting and
// owner-drawn items of fixed or variable height painted by DrawItem through a CDC on the
// item's painter. Notifications: CBN_DROPDOWN, CBN_SELCHANGE, CBN_CLOSEUP, then CBN_SELENDOK
// (or CBN_SELENDCANCEL when the list closes without a choice); CBN_EDITUPDATE and
// CBN_EDITCHANGE for typing; CBN_SETFOCUS and CBN_KILLFOCUS. Setting the selection by
// message sends nothing.

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
public:
  CComboBox();
  ~CComboBox() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetLBText(int nIndex, LPTSTR lpszText) const;
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const;
  int AddString(LPCTSTR lpszString);
  int InsertString(int nIndex, LPCTSTR lpszString);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int FindString(int nStartAfter, LPCTSTR lpszString) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  void* GetItemDataPtr(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData);
  void ShowDropDown(BOOL bShowIt = TRUE);
  BOOL GetDroppedState() const;
  void GetDroppedControlRect(LPRECT lprect) const;
  BOOL LimitText(int nMaxChars);
  DWORD GetEditSel() const;
  BOOL SetEditSel(int nStartChar, int nEndChar);
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;
  int SetDroppedWidth(UINT nWidth);
  int GetDroppedWidth() const;
  void Clear();
  void Copy();
  void Cut();
  void Paste();

  // Owner-drawn combo boxes: painting, measuring, sorting and deleting items.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
