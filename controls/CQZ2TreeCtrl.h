#pragma once
// The base of the program's trees: check boxes that propagate to descendants and ancestors, F2 to rename,
// dragging an item within the tree with insert marks, scrolling and expanding while dragging, and walks
// over the whole tree. Derived trees decide what a drop means; this class tracks the drag and tells where
// the drop would go (GetDropTarget).

#include "platform/win/CTreeCtrl.h"

class CQZ2TreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CQZ2TreeCtrl)
public:
    // Drop positions.
    enum { kDropOnto = 0, kDropAfter = 1, kDropBefore = 2, kDropRefused = 3 };
    static constexpr UINT kCheckChangedCode = 0x8014;
    static constexpr UINT_PTR kDragTimer = 1;

    CQZ2TreeCtrl();
    ~CQZ2TreeCtrl() override;

    // The item under a client point and where a drop there would go.
    virtual HTREEITEM GetDropTarget(POINT* pPoint, int* pPosition);
    // Starts dragging the item at a client point; FALSE during a drag, for no item and for the first root.
    BOOL BeginDrag(POINT point);
    // The mouse handlers derived trees call from theirs.
    void DragMove(UINT nFlags, CPoint point);
    void EndDrag(UINT nFlags, CPoint point);
    BOOL CancelDrag();
    BOOL IsDragging() const { return m_bDragging; }
    HTREEITEM GetDragItem() const { return m_hDragItem; }

    // Propagates the item's check state and tells the owner (WM_COMMAND code 0x8014).
    void OnItemCheckChanged(HTREEITEM hItem);
    BOOL SetChildrenCheck(HTREEITEM hItem, BOOL bCheck);
    BOOL UpdateParentCheck(HTREEITEM hItem);

    HTREEITEM GetNextItemInOrder(HTREEITEM hItem) const;
    HTREEITEM GetLastVisibleItem() const;
    int GetSiblingIndex(HTREEITEM hItem) const;
    HTREEITEM GetChildItemAt(HTREEITEM hParent, int nIndex) const;
    int GetChildCount(HTREEITEM hParent) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRClickReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDragReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    BOOL m_bDragging = FALSE;
    HTREEITEM m_hDragItem = nullptr;
    HCURSOR m_hNoDropCursor = nullptr;
    HCURSOR m_hDropCursor = nullptr;

private:
    BOOL HasCheckBoxes() const;
    void ClearDragFeedback();
};
