#pragma once
// The layer bar: the active document's layers and groups as a tree under a small toolbar, with the
// layer operations (carried out by the tree) and the layer table command. A docking bar of the main
// frame; it follows the document through the frame's broadcast of change records.

#include "controls/CBarToolBar.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "structure/CLayerCommandTreeCtrl.h"

class CBCGPPopupMenu;
class CCmdUI;
class CMainFrame;
class Draw2dDocument;
class NotifyInfoBase;

class CLayerBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CLayerBar)
public:
    enum : UINT { kToolBarId = 1031, kTreeId = 1030, kToolBar = 301 };
    static constexpr UINT kNotifyCode = 0x8064;

    // What the bar asks of the main frame, which lives above this library; the frame fills these in
    // when it is made. Unset hooks do nothing.
    struct FrameServices {
        // Shows the layer (or group) in the property bar; bShowBar also opens the bar.
        void (*pfnShowLayerProperties)(CMainFrame* pFrame, Draw2dDocument* pDocument, long nLayerID,
                                       BOOL bShowBar) = nullptr;
        // Empties the property bar when it shows a layer.
        void (*pfnReleaseLayerProperties)(CMainFrame* pFrame) = nullptr;
        // Shows the layer table tab of the active document.
        void (*pfnShowLayerTable)(CMainFrame* pFrame) = nullptr;
        // Hands a context menu to the frame just after it was made.
        void (*pfnOnShowPopupMenu)(CMainFrame* pFrame, CBCGPPopupMenu* pMenu) = nullptr;
        // A change record from the bar's tree, handled as one of the document's.
        void (*pfnForwardNotify)(CMainFrame* pFrame, NotifyInfoBase* pInfo) = nullptr;
    };
    static void SetFrameServices(const FrameServices& services);
    static const FrameServices& GetFrameServices();

    CLayerBar();
    ~CLayerBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    CLayerCommandTreeCtrl& GetTree() { return m_wndTree; }
    CBarToolBar& GetToolBar() { return m_wndToolBar; }

    // A change record of the document: kind 1 (document activation) and 4 (layers); others are
    // ignored. TRUE when the bar took it.
    virtual BOOL OnDocumentNotify(NotifyInfoBase* pInfo);
    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

    // Shows the caret item's layer in the property bar (only while the focus is in the bar).
    void ShowSelectedProperties(BOOL bShowBar, BOOL bEvenWithoutFocus = FALSE);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnLayerCommand(UINT nID);
    afx_msg void OnProperties();
    afx_msg void OnLayerTable();
    afx_msg void OnUpdateLayerCommand(CCmdUI* pCmdUI);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSetFocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    void RecalcLayout();
    BOOL IsFocusInside() const;

    CBarToolBar m_wndToolBar;
    CLayerCommandTreeCtrl m_wndTree;
    Draw2dDocument* m_pDocument = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
