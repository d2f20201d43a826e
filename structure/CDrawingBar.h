#pragma once
// The drawing bar: the active document's papers, part drawings and part layouts in a tree under a small
// toolbar. It carries out the drawing operations of its toolbar, the tree's context menu and keys (add,
// delete, activate, rename, states, order, layouts), each change as one undo step, and follows the document
// through the change records the main frame hands it.

#include "platform/bcg/CBCGPDockingControlBar.h"
#include "structure/CDrawingCommandTreeCtrl.h"
#include "structure/CDrawingToolBar.h"

class CMainFrame;
class Draw2dDocument;
class DrawingFeatureBase;
class NotifyInfoBase;
class PartDrawingLayout;

class CDrawingBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CDrawingBar)
public:
    enum : UINT { IDC_TREE = 1020, IDC_TOOLBAR = 1021 };
    enum : UINT {
        ID_ADD_PART = 34328,
        ID_DELETE = 34329,
        ID_ACTIVATE = 34330,
        ID_RENAME = 34331,
        ID_STATE_FIRST = 34332,
        ID_STATE_LAST = 34334,
        ID_PRINTABLE = 34335,
        ID_PROPERTIES = 34336,
        ID_ORDER = 34337,
        ID_OPEN_PART = 34338,
        ID_OTHERS_FIRST = 34339,
        ID_OTHERS_LAST = 34341,
        ID_ADD_PAPER = 34342,
        ID_ADD_LAYOUT = 34344,
        ID_CHANGE_LAYOUT = 34347,
        ID_DRAWING_TABLE = 39533,
    };
    static constexpr UINT kDocumentNotifyCode = 0x8064;

    CDrawingBar();
    ~CDrawingBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

    // A change record of the document; the bar takes kinds 1 and 3.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    void OnDocumentActivated(NotifyInfoBase* pInfo);
    void OnDrawingNotify(NotifyInfoBase* pInfo);
    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

    Draw2dDocument* GetDocument() const { return m_pDocument; }
    CDrawingCommandTreeCtrl& GetTree() { return m_wndTree; }
    CDrawingToolBar& GetToolBar() { return m_wndToolBar; }
    void SelectDrawing(const DrawingFeatureBase* pDrawing);
    void SelectLayout(const PartDrawingLayout* pLayout);
    BOOL ShowProperties(HTREEITEM hItem, BOOL bShow);

    // The operations behind the commands (also for callers and tests).
    BOOL AddPaper();
    BOOL AddPartDrawing();
    BOOL DeleteSelected();
    BOOL ActivateSelected();
    BOOL RenameItem(HTREEITEM hItem, const CString& strName);
    BOOL SetSelectedState(int nState);
    BOOL ToggleSelectedPrintable();
    BOOL SetOtherDrawingsState(int nState);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);

    afx_msg void OnAddPaper();
    afx_msg void OnAddPart();
    afx_msg void OnAddLayout();
    afx_msg void OnChangeLayout();
    afx_msg void OnDelete();
    afx_msg void OnActivate();
    afx_msg void OnRename();
    afx_msg void OnState(UINT nID);
    afx_msg void OnPrintable();
    afx_msg void OnProperties();
    afx_msg void OnOrder();
    afx_msg void OnOpenPart();
    afx_msg void OnOthersState(UINT nID);
    afx_msg void OnDrawingTable();
    afx_msg void OnUpdateHasDocument(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAddLayout(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnUpdateHasDrawing(CCmdUI* pCmdUI);
    afx_msg void OnUpdateOrder(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    void RecalcLayout();
    // Message boxes of the bar, answered through the application.
    int Ask(UINT nStringID, const CString& strName, UINT nType);
    // The paper that receives a new part drawing's layout, NULL (after message 10131) when none.
    DrawingFeatureBase* GetReceivingPaper(BOOL bMessage);
    void AfterAdd(long nDrawingID);

    CDrawingToolBar m_wndToolBar;
    CDrawingCommandTreeCtrl m_wndTree;
    CMainFrame* m_pMainFrame = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
