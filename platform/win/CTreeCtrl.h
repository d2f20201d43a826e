#pragma once
// A tree view: items with texts, item data, images (normal and selected) and state images,
// bold and check states, expanding and collapsing, in-place label editing, dragging, sorting
// and custom draw. Notifications (WM_NOTIFY, reflected to the control first):
// TVN_SELCHANGING (a non-zero answer refuses) and TVN_SELCHANGED with how the selection came
// (TVC_BYMOUSE, TVC_BYKEYBOARD, TVC_UNKNOWN); TVN_ITEMEXPANDING (refusable) and
// TVN_ITEMEXPANDED for the user's expanding; TVN_BEGINLABELEDIT and TVN_ENDLABELEDIT;
// TVN_BEGINDRAG; TVN_DELETEITEM; TVN_KEYDOWN; NM_CLICK, NM_DBLCLK, NM_RCLICK; NM_CUSTOMDRAW.

#include "platform/afx/CString.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class CEdit;
class CImageList;

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
public:
  CTreeCtrl();
  ~CTreeCtrl() override;

  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem);
  BOOL DeleteAllItems();

  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM hItem) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetParentItem(HTREEITEM hItem) const;
  HTREEITEM GetFirstVisibleItem() const;
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetSelectedItem() const;
  HTREEITEM GetDropHilightItem() const;
  BOOL Select(HTREEITEM hItem, UINT nCode);
  BOOL SelectItem(HTREEITEM hItem);
  BOOL SelectDropTarget(HTREEITEM hItem);

  BOOL GetItem(TVITEM* pItem) const;
  BOOL SetItem(TVITEM* pItem);
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  BOOL GetCheck(HTREEITEM hItem) const;
  BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE);
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  BOOL Expand(HTREEITEM hItem, UINT nCode);
  UINT GetCount() const;
  UINT GetVisibleCount() const;
  BOOL EnsureVisible(HTREEITEM hItem);
  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
  BOOL SortChildren(HTREEITEM hItem);
  BOOL SortChildrenCB(TVSORTCB* pSort);
  // A line before or after an item showing where a dragged item would go; null removes it.
  BOOL SetInsertMark(HTREEITEM hItem, BOOL fAfter = TRUE);
  COLORREF SetInsertMarkColor(COLORREF clrNew);
  SHORT SetItemHeight(SHORT cyHeight);
  SHORT GetItemHeight() const;

  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageListType) const;

  CEdit* EditLabel(HTREEITEM hItem);
  CEdit* GetEditControl() const;
  BOOL EndEditLabelNow(BOOL fCancelWithoutSave);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
