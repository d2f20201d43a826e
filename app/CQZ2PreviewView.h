#pragma once
// The print preview: the page of the active drawing exactly as it prints (drawn by the printing library
// at screen resolution) on a grey desk, with its toolbar (resource 300: print, page setup, zoom in and
// out, hand, zoom box, close, help), zoom presets and typed percentages, whole page and page width,
// scroll bars, and panning with the hand or the middle button (hand cursor 432). While it shows, it takes
// the main frame's client area (as the frame's pane it follows the frame's size) and the frame's bars,
// document windows and status bar are hidden; closing brings them back. Without its toolbar (a resource
// missing) the preview still works.
//
// The page picture is kept at the current zoom and only redrawn on a zoom, a resize or a new setting, so
// that scrolling and panning do not print again.

#include <memory>
#include <vector>

#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/win/CWnd.h"

class CBCGPToolBar;
class CComboBox;
class CPreviewZoomToolbarComboBoxButton;
class CScrollBar;
class CFrameWnd;
class CPrintInfo;
class CQZ2View;
class PlotDevice;
class PlotSetting;
class QImage;

class CQZ2PreviewView : public CWnd
{
    DECLARE_DYNAMIC(CQZ2PreviewView)
public:
    enum PreviewZoomMode { kFitPageWidth = 0, kWholePage = 1, kFreeZoom = 2 };
    static constexpr double kMinZoom = 0.01;   // 1 %
    static constexpr double kMaxZoom = 100.0;  // 10,000 %
    static constexpr int kPageMargin = 8;
    static constexpr int kPanThreshold = 6;
    static constexpr int kScrollLine = 20;
    static constexpr UINT kToolBarResource = 300;
    static constexpr UINT kToolBarHotImages = 414;
    static constexpr UINT kHandCursor = 432;

    // Command ids of the tool strip.
    enum : UINT {
        ID_PREVIEW_PRINT = 58116,
        ID_PREVIEW_PAGE_SETUP = 34536,
        ID_PREVIEW_ZOOM_IN = 34531,
        ID_PREVIEW_ZOOM_OUT = 34532,
        ID_PREVIEW_HAND = 34530,
        ID_PREVIEW_ZOOM_COMBO = 34535,
        ID_PREVIEW_CLOSE = 58112,
        ID_PREVIEW_HELP = 57666,
        ID_PREVIEW_PREVIOUS = 34533,  // in the resource, not shown
        ID_PREVIEW_NEXT = 34534,      // in the resource, not shown
    };

    CQZ2PreviewView();
    ~CQZ2PreviewView() override;

    // Shows the preview of the view's drawing in the frame. FALSE when the window could not be made
    // (the frame is as it was); when the printing could not be prepared the preview closes again and
    // tells the user that printing could not be started.
    BOOL Start(CFrameWnd* pFrame, CQZ2View* pPrintView);
    // Ends the preview: the frame gets its windows back, the view hears of the end, this window goes.
    void OnPreviewClose();

    // A factor (1.0 = 100 %) outside kMinZoom..kMaxZoom or not finite is refused.
    BOOL SetZoom(double dFactor);
    void SetZoomMode(int nMode, double dFactor = 1.0);
    double GetZoom() const { return m_dZoom; }
    int GetZoomMode() const { return m_nZoomMode; }
    // Text typed into the zoom box ("150 %", "75"): FALSE, and the box shows the current zoom again,
    // when it is not a positive number of percent within the bounds.
    BOOL ApplyZoomText(const CString& strText);
    // The zoom box shows the mode or the factor.
    void SetZoomDisplay();
    CString GetZoomDisplay() const;
    // A new printer or plot setting: the page is prepared and drawn again.
    void RefreshPreview();

    CSize GetPageSizeAtFullScale() const { return m_fullPage; }
    CSize GetPageSize() const { return CSize(m_nPageWidth, m_nPageHeight); }
    CPoint GetScrollPosition() const { return m_scroll; }
    CSize GetScrollLimit() const;
    // Moves the page by the pixels given (clamped); TRUE when it moved.
    BOOL ScrollBy(int dx, int dy);
    CRect GetPageRect() const;
    CRect GetPageArea() const;  // the client area below the toolbar and beside the scroll bars
    const QImage* GetPagePicture() const { return m_pPage.get(); }
    int GetToolStripHeight() const;
    CBCGPToolBar* GetToolBar() const { return m_pToolBar; }
    CPreviewZoomToolbarComboBoxButton* GetZoomButton() const;
    CComboBox* GetZoomCombo() const;
    // The scroll bar of SB_HORZ or SB_VERT; shown only while the page does not fit that way.
    CScrollBar* GetScrollBarCtrl(int nBar) const;
    CQZ2View* GetPrintView() const { return m_pPrintView; }

    BOOL m_bHandMode = FALSE;

protected:
    void PostNcDestroy() override;
    // Makes the toolbar from its resource; FALSE (and no toolbar) when it cannot be made.
    BOOL CreateToolBar();
    // Places the toolbar and the scroll bars and sets the bars' ranges from the page size.
    void LayoutChildren();
    void UpdateHandButton();
    void ApplyCursor();
    void RecalcPage();
    // Draws the page picture at the current size when it is missing.
    void EnsurePagePicture();
    static void RefreshCallback(PlotDevice* pDevice, PlotSetting* pSetting, void* pArg);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnPrint();
    afx_msg void OnPageSetup();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnHand();
    afx_msg void OnClose();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    void Pan(CPoint point);

    CFrameWnd* m_pFrame = nullptr;
    CQZ2View* m_pPrintView = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    std::vector<HWND> m_hidden;  // the frame's windows hidden while the preview shows
    CBCGPToolBar* m_pToolBar = nullptr;  // owned
    CScrollBar* m_pBars[2] = {nullptr, nullptr};  // owned; SB_HORZ, SB_VERT
    HCURSOR m_hHandCursor = nullptr;
    CSize m_fullPage;            // the page at factor 1, in screen pixels
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    double m_dZoom = 1.0;
    int m_nZoomMode = kWholePage;
    CPoint m_scroll;
    std::unique_ptr<CPoint> m_pAnchor;
    BOOL m_bMiddleHand = FALSE;
    BOOL m_bHandButton = FALSE;  // the hand button is pressed in
    std::unique_ptr<QImage> m_pPage;
    double m_dSheetWidth = 0.0;  // mm
    double m_dSheetHeight = 0.0;
};
