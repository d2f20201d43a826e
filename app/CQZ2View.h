#pragma once
// The window in which one drawing of a document is shown and edited: one tab of the document's tab
// view. It owns the data model's view of the drawing, paints through it and hands the mouse, wheel,
// key and cursor messages to the application's command manager, which decides what they mean.

#include "app/CQZ2BaseView.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CString.h"

class CCmdUI;
class CPrintInfo;
class CQZ2PrintDialog;
class PlotDevice;
class PlotSetting;
class Draw2dView;
class DrawingFeatureBase;
class PartDrawingLayout;

namespace QZ2Command {
class CommandManager;
}

class CQZ2View : public CQZ2BaseView
{
    DECLARE_DYNCREATE(CQZ2View)
public:
    CQZ2View();
    ~CQZ2View() override;

    Draw2dView* GetDraw2dView() const { return m_pDraw2dView; }

    // Forwarders to the data model's view, by which the tab view applies options to every view.
    void SetDrawingFeature(DrawingFeatureBase* pDrawing);
    DrawingFeatureBase* GetDrawingFeature() const;
    void SetActiveLayout(PartDrawingLayout* pLayout);
    PartDrawingLayout* GetActiveLayout() const;
    BOOL SetGraphicsMode(int nMode);
    void SetPaperColor(COLORREF color);
    void SetPaperBackColor(COLORREF color1, COLORREF color2);
    void SetPartBackColor(COLORREF color);
    void SetComponentEditerBackColor(COLORREF color);
    void SetSelectedFeatureColor(COLORREF color);
    void SetLineSmoothMode(int nMode);
    void SetLayoutRegionVisible(BOOL bVisible);
    void SetGreekTextSize(int nPixels);

    void OnDocumentNotify(NotifyInfoBase* pInfo) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnDraw(CDC* pDC) override;

    // The manager of the application, NULL without one.
    static QZ2Command::CommandManager* GetCommandManager();
    // The break procedure of long redraws: 0 when a wheel, a captured mouse move or a scrolling key waits.
    static int ContinueDrawing(Draw2dView* pView);

    BOOL m_bMouseTracking = FALSE;
    BOOL m_bInPrintPreview = FALSE;

    // ---- printing (CQZ2ViewPrint.cpp) ----
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;
    // The page setup dialog over the plot device with the buttons asked for; Apply calls pfnApply. Stores
    // the setting for exit codes 1, 100, 101 and 104 and posts what they ask for. Returns the exit code.
    int DoPageSetup(PlotDevice* pDevice, BOOL bShowPreview, BOOL bShowPrint, BOOL bShowPrinter,
                    void (*pfnApply)(PlotDevice*, PlotSetting*, void*), void* pArg);
    // The print dialog until the user prints (IDOK, with a printer context in the dialog) or not (IDCANCEL).
    INT_PTR DoPrintDialog(CQZ2PrintDialog* pDialog, PlotDevice* pDevice);
    // The apply callback of the page setup: stores the setting and redraws the view (pArg: the view).
    static void ApplyPlotSetting(PlotDevice* pDevice, PlotSetting* pSetting, void* pArg);
    // Cancels the running commands and makes sure the document has a printer; the message of a missing
    // printer and FALSE when none can be had.
    BOOL CheckPrinter();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Insert Object: the object insertion command in this view.
    afx_msg void OnInsertObject();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnViewCommand(UINT nID);
    afx_msg void OnUpdateViewCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCoordinatePane(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectionPane(CCmdUI* pCmdUI);
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    afx_msg void OnFilePageSetup();
    afx_msg void OnUpdateFilePrint(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    static void RepaintView(Draw2dView* pView, void* pUser);
    // The first zoom by the kind of drawing shown; nothing while the view has no size.
    void ApplyFirstZoom();
    // TRUE when the manager's current document and view are this view's.
    BOOL IsManagerCurrent(QZ2Command::CommandManager* pManager) const;
    void ArmMouseTracking();

    // The PDF file of a print to the PDF printer: written under a name of its own and renamed over the
    // target once complete.
    void FinishPdf();

    Draw2dView* m_pDraw2dView = nullptr;
    BOOL m_bFirstZoomPending = FALSE;
    CString m_strPdfTarget;
    CString m_strPdfPart;
    BOOL m_bPagePrinted = FALSE;
};
