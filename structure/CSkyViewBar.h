#pragma once
// The overview bar: the overview window between a toolbar that zooms the main drawing view (and fits the
// overview round it) and a toolbar of the document's eight saved views (store, restore, next, previous).
// A docking bar of the main frame; it follows the document through the frame's broadcast of change records.

#include "platform/bcg/CBCGPDockingControlBar.h"
#include "structure/CDrawingToolBar.h"
#include "structure/CSkyViewBarWnd.h"

class CMainFrame;
class NotifyInfoBase;

class CSkyViewBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CSkyViewBar)
public:
    enum : UINT {
        IDC_OVERVIEW = 2450,
        IDC_UPPER = 2451,
        IDC_LOWER = 2452,
        ID_ZOOM_IN = 37050,
        ID_ZOOM_OUT = 37051,
        ID_ZOOM_ALL = 37052,
        ID_ZOOM_PAPER = 37053,
        ID_FIT = 37054,
        ID_STORE = 37055,
        ID_SLOT_FIRST = 37071,
        ID_SLOT_LAST = 37080,
        ID_NEXT = 37081,
        ID_PREVIOUS = 37082,
    };

    CSkyViewBar();
    ~CSkyViewBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

    // Draws the overview again: InvalidateView for a move of the main view (the kept picture with the new
    // frame), UpdateView for a change of the drawing.
    virtual void InvalidateView();
    virtual void UpdateView(int nCode, int* pData);
    void SetGraphicsMode(int nMode);
    void InitializeView(int nMode);
    int GetRedrawCount() const { return m_nRedrawCount; }
    CSkyViewBarWnd& GetOverview() { return m_wndOverview; }

    // A change record of the document; the bar takes kinds 1, 2 and 3 (code 4).
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

    // The name of slot i for the store dialog; whether the slot is in use.
    static BOOL GetSlotName(Draw2dDocument* pDocument, int nIndex, CString& strName);
    // The slot the store dialog starts on: the first free one, else the first.
    static int GetFirstFreeSlot(Draw2dDocument* pDocument);
    // The slot next/previous restore: the only one in use, else the document's next in that direction.
    static int GetStepSlot(Draw2dDocument* pDocument, BOOL bNext);

    void OnViewControlSetting(UINT nID);
    void OnUpdateViewControlSetting(CCmdUI* pCmdUI);
    void OnNextViewControlSetting(UINT nID);
    void OnUpdateNextViewControlSetting(CCmdUI* pCmdUI);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnZoomCommand(UINT nID);
    afx_msg void OnFit();
    afx_msg void OnStore();
    afx_msg void OnUpdateNeedsMainView(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    void RecalcLayout();
    Draw2dDocument* GetActiveDocument() const;

    CSkyViewBarWnd m_wndOverview;
    CDrawingToolBar m_wndUpper;
    CDrawingToolBar m_wndLower;
    CMainFrame* m_pMainFrame = nullptr;
    int m_nRedrawCount = 0;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
