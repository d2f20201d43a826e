#pragma once
// The view of a document window: one tab per drawing shown (paper drawings, part drawings and
// components under edit) and the layer and drawing tables, kept in step with the document's drawings.
// The active tab's drawing is the document's active drawing and its view is the command manager's
// current view.

#include <map>

#include "platform/bcg/CBCGPTabView.h"

class CCmdUI;
class CDrawingTableView;
class CLayerTableView;
class CPrintInfo;
class CQZ2BaseView;
class CQZ2View;
class CUIntArray;
class DrawViewInfo;
class DrawingFeatureBase;
class NotifyInfoBase;
class PartDrawingLayout;

class CQZ2TabView : public CBCGPTabView
{
    DECLARE_DYNCREATE(CQZ2TabView)
public:
    CQZ2TabView();
    ~CQZ2TabView() override;

    // ---- Finders
    int GetTabCount() const;
    // The view kind of the tab's view when it is one of ours (0 paper, 1 part, 2 layer table, 4 component),
    // else -1; also -1 for an index out of range.
    int GetTabViewKind(int nTab) const;
    int GetActiveViewKind() const;
    BOOL IsDrawingTabActive() const;
    // The active tab's drawing view; NULL when the active tab shows no drawing.
    CQZ2View* GetActiveDrawView() const;
    // The drawing view of a drawing tab, NULL for any other tab.
    CQZ2View* GetDrawView(int nTab) const;
    // The drawing a drawing tab shows (for a component tab its definition), NULL for any other tab.
    DrawingFeatureBase* GetTabDrawing(int nTab) const;
    CQZ2View* FindDrawView(const DrawingFeatureBase* pDrawing) const;
    // The tab that shows the drawing, -1 for none.
    int FindDrawingTab(const DrawingFeatureBase* pDrawing) const;
    CLayerTableView* GetLayerTableView() const;
    CDrawingTableView* GetDrawingTableView() const;
    int FindLayerTableTab() const;
    int FindDrawingTableTab() const;

    // ---- Opening, activating and closing
    // A tab at the end; adding never changes the active tab. FALSE when the view could not be made.
    BOOL AddPaperDrawingTab(DrawingFeatureBase* pDrawing);
    BOOL AddPartDrawingTab(DrawingFeatureBase* pDrawing);
    // A component definition that has a tab already gets that tab activated instead.
    BOOL AddComponentTab(DrawingFeatureBase* pDefine);
    BOOL AddLayerTableTab(long nDrawingID);
    BOOL AddDrawingTableTab();
    // By the drawing's type; nothing for a drawing that already has a tab.
    BOOL AddTabForDrawing(DrawingFeatureBase* pDrawing);
    // Activates the drawing's tab (a part drawing or component without one gets one first) and the
    // document follows.
    BOOL ActivateDrawing(DrawingFeatureBase* pDrawing);
    // The table tabs, added when missing and activated; the document follows.
    void ShowLayerTableView();
    void ShowDrawingTableView();
    // Any kind of tab; FALSE for a bad index.
    BOOL ActivateTab(int nTab);
    // The drawing's view shows it through the layout and its tab becomes active.
    BOOL SetDrawingLayout(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout);
    // Closes a part drawing, component or layer table tab (paper drawings and the drawing table stay).
    BOOL CloseTab(int nTab);
    // A component's editing ends in the document; any other drawing's tab is removed.
    BOOL CloseDrawing(DrawingFeatureBase* pDrawing);
    BOOL RemoveDrawingTab(DrawingFeatureBase* pDrawing);
    void CloseLayerTableTab();
    BOOL UpdateTabLabel(DrawingFeatureBase* pDrawing);
    // order[i] is the current index of the tab that goes to position i; the active tab stays active.
    // FALSE, with nothing moved, when the order is no arrangement of the tabs.
    BOOL ReorderTabs(const CUIntArray& order);
    // The tabs in order (drawings by id, components by component id, the layer table by its drawing's id)
    // and the active one, for saving with the document.
    void SaveViewInfo(DrawViewInfo& info) const;
    // Zooms every drawing tab to show its whole drawing.
    void ZoomAllViews();

    // ---- Options applied to the tabs of the kinds each concerns
    // Stops at the first view that refuses the mode and returns FALSE.
    BOOL SetGraphicsMode(int nMode);
    void SetPaperColor(COLORREF color);
    void SetPaperBackColor(COLORREF color1, COLORREF color2);
    void SetPartBackColor(COLORREF color);
    void SetComponentEditerBackColor(COLORREF color);
    void SetSelectedFeatureColor(COLORREF color);
    void SetLineSmoothMode(int nMode);
    void SetLayoutRegionVisible(BOOL bVisible);
    void SetGreekTextSize(int nPixels);
    void SetTableViewThumbnailBackColor(COLORREF color);

    // The drawing view commands go to the active drawing view.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The document's active drawing follows the active tab; the command manager learns of it.
    void SyncDocumentToActiveTab();
    void OnDocumentNotify(NotifyInfoBase* pInfo);

    // Printing goes through the active drawing view; with a table active nothing is printed.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    int m_bInitialized = 0;

protected:
    void OnDraw(CDC* pDC) override;
    void OnActiveTabViewChanged(CView* pView) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnMoveTab(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCloseTab();
    afx_msg void OnUpdateCloseTab(CCmdUI* pCmdUI);
    afx_msg void OnTabOrder();
    DECLARE_MESSAGE_MAP()

private:
    BOOL AddDrawingTab(DrawingFeatureBase* pDrawing, int nKind);
    // Removes a drawing tab, its neighbour made active first when it is the active one.
    BOOL RemoveTabOf(int nTab);
    // Makes a tab of the view class at the end, the active tab kept; its index or -1.
    int AddTabView(CRuntimeClass* pViewClass, const CString& strLabel);
    // Activates the tab (its change makes the document follow) or, when it is active already, makes the
    // document follow now.
    void SelectTab(int nTab);
    // The tab (in tab order) of the first paper drawing, -1 for none.
    int FindFirstPaperTab() const;
    // Makes the active drawing view the command manager's current one.
    void PublishActiveView();

    // What each drawing tab's view stands for: the drawing id, or the component id for a component tab. A
    // drawing view shows the document's active drawing when its own is gone or is a component, so the tab
    // keeps which drawing it was made for.
    std::map<const CWnd*, long> m_tabIDs;
    // Set while a tab is being made: the first tab becomes active before its view knows what it shows.
    int m_nAdding = 0;
};
