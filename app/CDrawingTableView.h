#pragma once
// The drawing table tab of a document window: the document's papers in a drawing list, as a table,
// as icons with thumbnails, or as a strip of icons under a preview of the selected papers. It carries
// out what the list asks (activate, state, printable, rename, reorder) and the drawing commands that
// reach it, each change one undo step, and keeps the list in step with the document's notifications.
// It is no drawing view of ours (it has no view kind); document changes reach it as WM_NOTIFY records.

#include <vector>

#include "platform/win/CView.h"
#include "structure/CDrawingListCtrl.h"
#include "structure/CDrawingPreviewWnd.h"

class CCmdUI;
class Draw2dDocument;

class CDrawingTableView : public CView
{
    DECLARE_DYNCREATE(CDrawingTableView)
public:
    enum { IDC_LIST = 1080, IDC_PREVIEW = 10000 };
    enum { modeDetails = 0, modeIcons = 1, modePreview = 2 };

    CDrawingTableView();
    ~CDrawingTableView() override;

    // The papers listed, by drawing id, in the document's order.
    int GetPaperCount() const;
    long GetPaperID(int nIndex) const;

    void SetDetailsMode();
    void SetIconMode();
    void SetPreviewMode();
    int GetDisplayMode() const { return m_nMode; }
    int GetImageOption() const { return m_nImageOption; }
    void ShowProperties(BOOL bShow);

    CDrawingListCtrl& GetList() { return m_wndList; }
    CDrawingPreviewWnd& GetPreview() { return m_wndPreview; }

    void OnInitialUpdate() override;

protected:
    void OnDraw(CDC* pDC) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnListActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListPrintable(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSelection(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListDrop(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSwallow();
    afx_msg void OnDelete();
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnActivate();
    afx_msg void OnUpdateActivate(CCmdUI* pCmdUI);
    afx_msg void OnRename();
    afx_msg void OnUpdateRename(CCmdUI* pCmdUI);
    afx_msg void OnState(UINT nID);
    afx_msg void OnUpdateState(CCmdUI* pCmdUI);
    afx_msg void OnPrintable();
    afx_msg void OnUpdatePrintable(CCmdUI* pCmdUI);
    afx_msg void OnProperties();
    afx_msg void OnDisplayMode(UINT nID);
    afx_msg void OnUpdateDisplayMode(CCmdUI* pCmdUI);
    afx_msg void OnImageOption(UINT nID);
    afx_msg void OnUpdateImageOption(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    Draw2dDocument* GetModel() const;
    void Layout();
    void HandleDocumentNotify(const class NotifyInfoBase* pInfo);
    // The papers a row's click acts on: all selected when the row is selected, else the row's own.
    std::vector<long> TargetsOf(int nRow) const;
    std::vector<long> SelectedIDs() const;
    void ShowPreviewOfSelection();
    void ApplyState(const std::vector<long>& ids, int nState);
    void ApplyPrintable(const std::vector<long>& ids, BOOL bPrintable);

    int m_nMode = modeDetails;
    int m_nImageOption = 2;
    CDrawingListCtrl m_wndList;
    CDrawingPreviewWnd m_wndPreview;
    std::vector<int> m_previewSelection;
};
