#pragma once
// The layer table tab of a document window: the children of one layer group in a list (a table of eight
// columns, thumbnails of one drawing's shapes, or one row of thumbnails under a large preview), a group
// combo and a toolbar to climb and descend the groups. It carries out the layer commands on every selected
// row and the requests of its list, each as one undo step, and follows the document's notifications. The
// tab view makes it from its run-time class, gives it the drawing and saves that drawing's id with the
// window's tabs.

#include "app/CQZ2BaseView.h"
#include "platform/afx/CDWordArray.h"
#include "platform/win/CStatic.h"
#include "structure/CLayerComboBox.h"
#include "structure/CLayerListCtrl.h"
#include "structure/CLayerPreviewWnd.h"
#include "structure/CLayerTableViewToolBar.h"

class CCmdUI;
class CMenu;
class Draw2dDocument;
class LayerTableViewSetting;

class CLayerTableView : public CQZ2BaseView
{
    DECLARE_DYNCREATE(CLayerTableView)
public:
    enum : UINT { kListId = 1070, kComboId = 1071, kToolBarId = 1073, kPreviewId = 1074, kLabelId = 1075 };
    enum : UINT {
        kLabelText = 10249, kEmptyMenu = 223, kRowMenu = 224,
        cmdTable = 39482, cmdThumbnails = 39483, cmdPreviewMode = 39484, cmdNothing = 39485, cmdOption1 = 39486,
        cmdOption2 = 39487, cmdParent = 39488, cmdMode = 39489, cmdPreview = 39490, cmdDrawingFirst = 39491,
        cmdDrawingLast = 39510,
        cmdAddLayer = 34227, cmdAddGroup = 34228, cmdDelete = 34229, cmdMakeCurrent = 34230, cmdState0 = 34234,
        cmdState1 = 34235, cmdState2 = 34236, cmdHide = 34237, cmdPrintable = 34238, cmdRename = 34239,
        cmdProperties = 34240, cmdMove = 34241, cmdOthersState0 = 34242, cmdOthersState1 = 34243,
        cmdOthersState2 = 34244, cmdOthersHide = 34245, cmdOthersShow = 34246,
    };
    static constexpr int kDeleteQuestionTitle = 10251;
    static constexpr int kDeleteQuestionText = 10233;

    CLayerTableView();
    ~CLayerTableView() override;

    // The drawing whose shapes thumbnails and preview show, -1 for none.
    BOOL SetDrawing(long nDrawingID);
    long GetDrawingID() const { return m_nDrawingID; }
    BOOL SetThumbnailBackColor(COLORREF color);
    COLORREF GetThumbnailBackColor() const { return m_thumbnailBackColor; }

    BOOL ShowGroup(long nGroupID);
    long GetGroupShown() const { return m_nGroupID; }
    BOOL SetDetailsMode();
    BOOL SetIconMode();
    BOOL SetPreviewMode();
    int GetMode() const { return m_nMode; }
    BOOL SetPreviewOption(int nOption);
    int GetPreviewOption() const { return m_nPreviewOption; }
    void ShowLayerProperties(BOOL bShow);

    void OnDocumentNotify(NotifyInfoBase* pInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CLayerListCtrl& GetList() { return m_wndList; }
    CLayerComboBox& GetCombo() { return m_wndCombo; }
    CLayerPreviewWnd& GetPreview() { return m_wndPreview; }
    CLayerTableViewToolBar& GetToolBar() { return m_wndToolBar; }
    CStatic& GetLabel() { return m_wndLabel; }
    Draw2dDocument* GetModel() const;

    // Whether a layer command applies now, and its check mark (-1 none, 0, 1).
    BOOL IsCommandEnabled(UINT nID, int* pCheck = nullptr) const;
    // The context menu for a row (or none, -1), pruned: the caller owns the menu. FALSE when none loads.
    BOOL PrepareContextMenu(int nRow, CMenu& menu) const;
    // The layers of the selection: selected layers and every layer below a selected group.
    void GetSelectionLayers(CDWordArray& layers) const;
    void GetSelectedIDs(CDWordArray& ids) const;
    // Moves the selected rows before, after (0, 1) or into (2) the target, one undo step; the moved rows
    // stay selected.
    void MoveSelection(long nTargetID, int nPosition, BOOL bTakeFocus);

protected:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnComboSelEndOk();
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnModeCommand(UINT nID);
    afx_msg void OnUpdateModeCommand(CCmdUI* pCmdUI);
    afx_msg void OnOptionCommand(UINT nID);
    afx_msg void OnUpdateOptionCommand(CCmdUI* pCmdUI);
    afx_msg void OnParentGroup();
    afx_msg void OnUpdateParentGroup(CCmdUI* pCmdUI);
    afx_msg void OnModeButton();
    afx_msg void OnUpdateModeButton(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    afx_msg void OnDrawingCommand(UINT nID);
    afx_msg void OnUpdateDrawingCommand(CCmdUI* pCmdUI);
    afx_msg void OnLayerCommand(UINT nID);
    afx_msg void OnUpdateLayerCommand(CCmdUI* pCmdUI);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    void RecalcLayout();
    void StoreMode();
    LayerTableViewSetting* Setting() const;
    void RowValues(long nLayerID, BOOL bInsert, int nIndex);

    // The layer commands (one undo step each).
    void AddLayer(BOOL bGroup);
    void DeleteSelection();
    void MakeCurrent();
    void SetSelectionState(int nState);
    void ToggleSelectionFlag(BOOL bHide);
    void Rename();
    void MoveThroughDialog();
    void AllOtherLayers(UINT nID);
    // Row requests of the list (0x8028-0x8030).
    void OnRowRequest(UINT message, int nRow, int nValue);

    int m_nMode = 0;
    int m_nPreviewOption = 2;
    long m_nGroupID = 0;
    long m_nDrawingID = -1;
    COLORREF m_thumbnailBackColor;
    CLayerComboBox m_wndCombo;
    CStatic m_wndLabel;
    CLayerListCtrl m_wndList;
    CLayerPreviewWnd m_wndPreview;
    CLayerTableViewToolBar m_wndToolBar;
    CDWordArray m_lastSelection;
};
