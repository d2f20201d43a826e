#pragma once
// A tab control: a row of tabs above the area where the program shows the page (the pages are
// the program's own windows). A click on a tab first asks the parent (TCN_SELCHANGING, a
// non-zero answer refuses), then selects the tab and tells it (TCN_SELCHANGE); SetCurSel
// sends nothing.

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CImageList;

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
public:
  CTabCtrl();
  ~CTabCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetItemCount() const;
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
  int GetCurSel() const;
  int SetCurSel(int nItem);
  int GetCurFocus() const;
  void SetCurFocus(int nItem);
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
  int HitTest(TCHITTESTINFO* pHitTestInfo) const;
  // bLarger FALSE: the page area inside a window rectangle; TRUE: the other way round.
  void AdjustRect(BOOL bLarger, LPRECT lpRect);
  int GetRowCount() const;
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
