#pragma once
// The pop-up drawing tree of a drawing combo box: a top-level window under the combo that holds the
// mouse while shown. Hovering an item makes it the caret; a click on a drawing or layout chooses it; a
// click outside closes it without a choice. It tells the combo with WM_COMMAND 32799.

#include "structure/CDrawingTreeCtrl.h"

class CDrawingDropDownTreeCtrl : public CDrawingTreeCtrl
{
    DECLARE_DYNAMIC(CDrawingDropDownTreeCtrl)
public:
    static constexpr UINT kChoiceCommand = 32799;

    CDrawingDropDownTreeCtrl();
    ~CDrawingDropDownTreeCtrl() override;

    // Creates the pop-up window owned by pCombo with the combo's option mask.
    BOOL CreatePopup(CWnd* pCombo, WORD wOptions);
    // Whether the item stands for a drawing or a layout (the root folder does not).
    BOOL IsItemSelectable(HTREEITEM hItem) const { return GetItemRecord(hItem) != nullptr; }

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void TellOwner(BOOL bPost);
};
