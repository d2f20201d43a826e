#pragma once
// The drawing bar's tree: rename in place, a click on an item's icon steps the drawing's state (edit,
// locked, hidden), a double click on a label activates, Delete deletes, a context menu of drawing commands,
// and dragging reorders drawings and layouts or places a part drawing on a paper. Menu and key commands go
// to the owner (the bar); state, order and placement changes are made here, each as one undo step.

#include "structure/CDrawingTreeCtrl.h"

class CMenu;

class CDrawingCommandTreeCtrl : public CDrawingTreeCtrl
{
    DECLARE_DYNAMIC(CDrawingCommandTreeCtrl)
public:
    static constexpr UINT_PTR kClickTimer = 2;

    CDrawingCommandTreeCtrl();
    ~CDrawingCommandTreeCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // Steps the drawing's state 0 -> 1 -> 2 -> 0 (not for the active item).
    BOOL CycleDrawingState(HTREEITEM hItem);
    void PrepareContextMenu(CMenu* pMenu);

    HTREEITEM GetDropTarget(POINT* pPoint, int* pPosition) override;
    BOOL MoveDrawingByDrop(HTREEITEM hDragged, HTREEITEM hTarget, BOOL bAfter);
    BOOL MoveLayoutByDrop(HTREEITEM hDragged, HTREEITEM hTarget, BOOL bAfter);
    BOOL AddLayoutByDrop(HTREEITEM hDragged, HTREEITEM hPaperItem);
    BOOL OnDrop(CPoint point);
    // Tests and callers that drive a drag without the mouse.
    void SetDragItem(HTREEITEM hItem) { m_hDragItem = hItem; }

    // The drawing of a single click on an icon that waits for the double-click interval (-1 when none).
    long GetPendingClickDrawingID() const { return m_nPendingClickDrawingID; }
    // Carries out a waiting single click at once.
    void FirePendingClick();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnDblClkReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    // The item under the last mouse message and where on it.
    HTREEITEM HitTestMessagePoint(UINT* pFlags) const;
    CWnd* GetCommandTarget() const;

    long m_nPendingClickDrawingID = -1;
    long m_nPendingLayoutID = -1;
    BOOL m_bSwallowNextClick = FALSE;
};
