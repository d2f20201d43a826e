#pragma once
// The component palette: a docking bar of the main frame listing a document's component definitions as
// thumbnails. A combo at its top chooses whose components are listed: the active document (entry 0,
// following every activation) or one open document, so that another document's components can be placed
// into the active one. From the list a definition is placed, renamed, deleted or shown as icons or a list.

#include <vector>

#include "controls/CBarToolBar.h"
#include "controls/CFlatComboBox.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "structure/CDrawComponentCommandListCtrl.h"

class CCmdUI;
class CMainFrame;
class Draw2dDocument;
class NotifyInfoBase;

class CDrawComponentBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CDrawComponentBar)
public:
    enum { IDC_LIST = 1040, IDC_COMBO = 1041, IDC_TOOLBAR = 1042 };
    enum : UINT {
        ID_REGISTER = 33613,
        ID_DELETE = 34429,
        ID_RENAME = 34430,
        ID_LARGE_ICONS = 34431,
        ID_LIST = 34432,
        ID_ATTRIBUTES = 34433,
        ID_PLACE = 34434,
    };
    static constexpr UINT kActiveDocumentText = 10129;
    static constexpr UINT kCannotDeleteText = 10130;

    CDrawComponentBar();
    ~CDrawComponentBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

    BOOL AddDocument(const CString& strTitle, Draw2dDocument* pDocument);
    BOOL RemoveDocument(Draw2dDocument* pDocument);
    BOOL UpdateDocumentTitle(const CString& strTitle, Draw2dDocument* pDocument);
    BOOL SelectDocument(Draw2dDocument* pDocument);
    // Back to the active-document entry.
    void SelectActiveDocument();
    // The document chosen in the combo; NULL for the active-document entry or no choice.
    Draw2dDocument* GetSelectedDocument() const;
    // The document whose components are listed.
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void SelectComponent(long nComponentID);
    void InvalidateThumbnails();
    // Whether the list shows the command manager's active document (deleting, renaming and attributes
    // are offered only then).
    BOOL IsShowingActiveDocument() const;

    // A change record of a document; the bar takes from it what concerns it.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

    CDrawComponentCommandListCtrl& GetList() { return m_wndList; }
    CFlatComboBox& GetCombo() { return m_wndCombo; }
    CBarToolBar& GetToolBar() { return m_wndToolBar; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnComboSelEndOk();
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDelete();
    afx_msg void OnRename();
    afx_msg void OnAttributes();
    afx_msg void OnUpdateOnActiveDocument(CCmdUI* pCmdUI);
    afx_msg void OnLargeIcons();
    afx_msg void OnUpdateLargeIcons(CCmdUI* pCmdUI);
    afx_msg void OnListView();
    afx_msg void OnUpdateListView(CCmdUI* pCmdUI);
    afx_msg void OnPlace();
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

    void RecalcLayout();
    void ApplyComboChoice();
    int FindDocumentEntry(const Draw2dDocument* pDocument) const;
    void Refill(Draw2dDocument* pDocument);

    CBarToolBar m_wndToolBar;
    CDrawComponentCommandListCtrl m_wndList;
    CFlatComboBox m_wndCombo;
    Draw2dDocument* m_pDocument = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
