#pragma once
// A list view in report form: columns, items with sub-item texts, item data, small and
// state images, selection and focus states, check boxes, in-place label editing, sorting
// and custom draw. Notifications (WM_NOTIFY to the parent, reflected to the control first):
// LVN_ITEMCHANGED for every change of an item's state (by the user or by SetItemState),
// NM_CLICK, NM_DBLCLK, NM_RCLICK, LVN_COLUMNCLICK, LVN_BEGINLABELEDIT and LVN_ENDLABELEDIT
// (whose answer accepts or refuses the new text), LVN_KEYDOWN, LVN_INSERTITEM,
// LVN_DELETEITEM, LVN_DELETEALLITEMS, NM_CUSTOMDRAW and LVN_BEGINDRAG (an item pressed and
// moved past the drag distance; the list then leaves the mouse to whoever captures it).
// The header's HDN_BEGINTRACK (a non-zero answer keeps the width), HDN_ENDTRACK and
// HDN_DIVIDERDBLCLICK go as WM_NOTIFY (control id 0, the list as sender) to the list's own
// window first and, when it leaves them unanswered, on to its parent.

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CEdit;
class CImageList;

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  CListCtrl();
  ~CListCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // columns
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  int InsertColumn(int nCol, const LVCOLUMN* pColumn);
  BOOL DeleteColumn(int nCol);
  int GetColumnWidth(int nCol) const;
  BOOL SetColumnWidth(int nCol, int cx);
  BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
  BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);

  // items
  int GetItemCount() const;
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(const LVITEM* pItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  BOOL GetItem(LVITEM* pItem) const;
  BOOL SetItem(const LVITEM* pItem);
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  UINT GetItemState(int nItem, UINT nMask) const;
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  BOOL GetCheck(int nItem) const;
  BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
  int GetNextItem(int nItem, int nFlags) const;
  UINT GetSelectedCount() const;
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  int HitTest(LVHITTESTINFO* pHitTestInfo) const;
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  int GetTopIndex() const;
  int GetCountPerPage() const;
  BOOL RedrawItems(int nFirst, int nLast);
  BOOL Update(int nItem);
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
  // The row and column under the point (client coordinates), flags LVHT_ONITEMICON or
  // LVHT_ONITEMLABEL; -1 and LVHT_NOWHERE on no item.
  int SubItemHitTest(LPLVHITTESTINFO pInfo);
  // Lays the items of the icon forms out again (LVA_ALIGNTOP ...).
  BOOL Arrange(UINT nCode);
  // The distance between neighbouring icons of the icon form (-1, -1: the default); returns the previous one.
  CSize SetIconSpacing(int cx, int cy);
  // Scrolls the content by pixels (report form: vertically by whole rows).
  BOOL Scroll(CSize size);
  // The width and height that iCount items (-1: all) take at the proposed size (-1: as now).
  CSize ApproximateViewRect(CSize sz = CSize(-1, -1), int iCount = -1) const;
  // Work areas of the icon forms: with one set, the items are laid out in one row from its
  // top-left corner; none (nWorkAreas 0) lays them out across the window again.
  void SetWorkAreas(int nWorkAreas, LPRECT lpRect);
  void GetWorkAreas(int nWorkAreas, LPRECT lpRect) const;
  UINT GetNumberOfWorkAreas() const;
  // The width of a text in the list's font.
  int GetStringWidth(LPCTSTR lpsz) const;

  // images and styles
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageListType) const;
  DWORD SetExtendedStyle(DWORD dwNewStyle);
  DWORD GetExtendedStyle() const;

  // label editing
  CEdit* EditLabel(int nItem);
  CEdit* GetEditControl() const;
  BOOL CancelEditLabel();

  // Owner-drawn report lists (LVS_OWNERDRAWFIXED) paint each whole row here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
