#pragma once
// What makes a tree the pop-up list of a tree combo box (CTreeComboBox), over the tree that fills it
// (TreeBase: the layer or the drawing tree): a top-level window under the combo that holds the mouse
// while shown. Hovering a choosable item makes it the caret; a click on one chooses it; a click outside
// closes it without a choice. The combo hears of both through WM_COMMAND with the choice command.

#include "platform/win/CTreeCtrl.h"
#include "platform/win/CWnd.h"

template <class TreeBase>
class CDropDownTreeCtrlT : public TreeBase
{
public:
    explicit CDropDownTreeCtrlT(UINT nChoiceCommand) : m_nChoiceCommand(nChoiceCommand) {}
    ~CDropDownTreeCtrlT() override = default;

    // Creates the pop-up window owned by pCombo with the combo's option mask.
    BOOL CreatePopup(CWnd* pCombo, WORD wOptions);
    // Whether a click on the item chooses it.
    virtual BOOL IsItemChoosable(HTREEITEM hItem) const = 0;

protected:
    // Tree styles of this kind of tree beyond those every drop-down has (asked once the options are set).
    virtual DWORD GetPopupStyle() const { return 0; }
    // The custom drawing of the tree itself, before the chosen row is highlighted.
    virtual void CustomDrawTree(NMHDR* pNMHDR, LRESULT* pResult);

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

    UINT m_nChoiceCommand;
};
