#pragma once
// The view of a document window: one tab per drawing shown (paper drawings, part drawings and
// components under edit), kept in step with the document's drawings. The active tab's drawing is the
// document's active drawing and its view is the command manager's current view.

#include "platform/bcg/CBCGPTabView.h"

class CCmdUI;
class CQZ2BaseView;
class CQZ2View;
class DrawingFeatureBase;
class NotifyInfoBase;
class PartDrawingLayout;

class CQZ2TabView : public CBCGPTabView
{
    DECLARE_DYNCREATE(CQZ2TabView)
public:
    CQZ2TabView();
    ~CQZ2TabView() override;

    // A tab for the drawing; adding never changes the active tab. FALSE when the view could not be made.
    BOOL AddPaperDrawingTab(DrawingFeatureBase* pDrawing);
    BOOL AddPartDrawingTab(DrawingFeatureBase* pDrawing);
    BOOL AddComponentTab(DrawingFeatureBase* pDefine);
    // By the drawing's type; nothing for a drawing that already has a tab.
    BOOL AddTabForDrawing(DrawingFeatureBase* pDrawing);
    BOOL RemoveDrawingTab(DrawingFeatureBase* pDrawing);
    BOOL UpdateTabLabel(DrawingFeatureBase* pDrawing);
    BOOL ActivateDrawing(DrawingFeatureBase* pDrawing);
    BOOL ActivateTab(int nTab);
    // The tab that shows the drawing, -1 for none.
    int FindDrawingTab(const DrawingFeatureBase* pDrawing) const;
    int GetTabCount() const;
    // The view kind of the tab's view when it is one of ours, else -1.
    int GetTabKind(int nTab) const;
    int GetActiveViewKind() const;
    // The active tab's drawing view; NULL when the active tab shows no drawing.
    CQZ2View* GetActiveDrawView() const;
    CQZ2View* GetDrawView(int nTab) const;

    // Options applied to every drawing tab of the kinds each concerns. SetGraphicsMode stops at the first
    // view that refuses the mode and returns FALSE.
    BOOL SetGraphicsMode(int nMode);
    void SetPaperColor(COLORREF color);
    void SetPaperBackColor(COLORREF color1, COLORREF color2);
    void SetPartBackColor(COLORREF color);
    void SetComponentEditerBackColor(COLORREF color);
    void SetSelectedFeatureColor(COLORREF color);
    void SetLineSmoothMode(int nMode);
    void SetLayoutRegionVisible(BOOL bVisible);
    void SetGreekTextSize(int nPixels);
    // Closes the tab (not for paper drawings); the drawing stays in the document.
    BOOL CloseTab(int nTab);

    // The drawing view commands go to the active drawing view.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Zooms every drawing tab to show its whole drawing.
    void ZoomAllViews();
    // The document's active drawing follows the active tab; the command manager learns of it.
    void SyncDocumentToActiveTab();
    void OnDocumentNotify(NotifyInfoBase* pInfo);

    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    int m_bInitialized = 0;

protected:
    void OnDraw(CDC* pDC) override;
    void OnActiveTabViewChanged(CView* pView) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCloseTab();
    afx_msg void OnUpdateCloseTab(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL AddDrawingTab(DrawingFeatureBase* pDrawing, int nKind);
    // Makes the active drawing view the command manager's current one.
    void PublishActiveView();
};
