#pragma once
// The layer bar's tree: the layer operations of the bar (add, delete, make current, state, hide, print,
// rename, move, all other layers), icon clicks that step a layer's state, renaming in place, dragging
// to reorder, the Delete key and the context menu. Every change to the document is one undo step; the
// tree then follows the document's notifications (through its bar).

#include "platform/afx/CStringArray.h"
#include "structure/CLayerTreeCtrl.h"

class CMenu;

class CLayerCommandTreeCtrl : public CLayerTreeCtrl
{
    DECLARE_DYNAMIC(CLayerCommandTreeCtrl)
public:
    // Command ids of the layer operations.
    enum : UINT {
        cmdAddLayer = 34227, cmdAddGroup = 34228, cmdDelete = 34229, cmdMakeCurrent = 34230, cmdState0 = 34234,
        cmdState1 = 34235, cmdState2 = 34236, cmdHide = 34237, cmdPrintable = 34238, cmdRename = 34239,
        cmdProperties = 34240, cmdMove = 34241, cmdOthersState0 = 34242, cmdOthersState1 = 34243,
        cmdOthersState2 = 34244, cmdOthersHide = 34245, cmdOthersShow = 34246, cmdLayerTable = 33306,
    };
    static constexpr UINT kContextMenu = 200;
    static constexpr UINT_PTR kIconClickTimer = 2;
    static constexpr UINT kNeedsNameMessage = 12071;

    CLayerCommandTreeCtrl();
    ~CLayerCommandTreeCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    HTREEITEM GetDropTarget(POINT* pPoint, int* pPosition) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Whether a command applies now (the bar's update handlers).
    BOOL IsCommandEnabled(UINT nID) const;
    // The context menu for the selected record, pruned and checked (Part of the menu resource's first
    // sub-menu); FALSE when there is nothing to show. The caller owns and destroys the menu.
    BOOL PrepareContextMenu(CMenu& menu);
    // The delete rules shared with the layer table: FALSE when the layer (or, for a group, any layer
    // below it) is used by components or groups of shapes (with the message), or the user says no to
    // deleting its shapes.
    static BOOL ConfirmDelete(Draw2dDocument* pDocument, long nLayerID);
    // Quoted names joined with ", ", cut after 40 characters (at a character boundary) with "...".
    static CString MakeComponentList(const CStringArray& names);
    // The state an icon click gives a record: -1 nothing (the current layer), 3 shown again (a hidden
    // layer), else the next state.
    int NextIconState(const LayerFeature* pRecord) const;
    void OnIconClick(HTREEITEM hItem);

protected:
    afx_msg void OnAddLayer();
    afx_msg void OnAddGroup();
    afx_msg void OnDelete();
    afx_msg void OnMakeCurrent();
    afx_msg void OnState(UINT nID);
    afx_msg void OnHide();
    afx_msg void OnPrintable();
    afx_msg void OnRename();
    afx_msg void OnMove();
    afx_msg void OnAllOthers(UINT nID);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnBeginLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEditReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChangingReflect(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    BOOL IsRootItem(HTREEITEM hItem) const;
    long ParentForNew() const;
    void StartLabelEdit(long nLayerID);

    HTREEITEM m_hIconItem = nullptr;
};
