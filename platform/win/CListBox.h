#pragma once
// A list box: single, multiple or extended selection, item data, sorting, owner-drawn items
// of fixed or variable height painted by DrawItem. With LBS_NOTIFY it sends LBN_SELCHANGE
// for the user's changes of the selection and LBN_DBLCLK; LBN_SETFOCUS and LBN_KILLFOCUS
// always. Setting the selection by message sends nothing.

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
public:
  CListBox();
  ~CListBox() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetSel(int nIndex) const;
  int SetSel(int nIndex, BOOL bSelect = TRUE);
  int GetSelCount() const;
  int GetSelItems(int nMaxItems, int* rgIndex) const;
  int GetText(int nIndex, LPTSTR lpszBuffer) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int FindString(int nStartAfter, LPCTSTR lpszItem) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszItem);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  void* GetItemDataPtr(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData);
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
  int GetItemRect(int nIndex, LPRECT lpRect) const;
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;
  int GetCaretIndex() const;
  int SetCaretIndex(int nIndex, BOOL bScroll = TRUE);

  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
