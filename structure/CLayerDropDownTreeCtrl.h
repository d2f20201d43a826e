#pragma once
// The pop-up layer tree of a layer combo box: a top-level window under the combo that holds the
// mouse while shown. Hovering a selectable item makes it the caret; a click on one chooses it; a
// click outside closes it without a choice. It tells the combo with WM_COMMAND 32798.

#include "structure/CLayerTreeCtrl.h"

class CLayerDropDownTreeCtrl : public CLayerTreeCtrl
{
    DECLARE_DYNAMIC(CLayerDropDownTreeCtrl)
public:
    static constexpr UINT kChoiceCommand = 32798;

    CLayerDropDownTreeCtrl();
    ~CLayerDropDownTreeCtrl() override;

    // Creates the pop-up window owned by pCombo with the combo's option mask.
    BOOL CreatePopup(CWnd* pCombo, WORD wOptions);

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
