#pragma once
// The print preview: the page of the active drawing exactly as it prints (drawn by the printing library
// at screen resolution) on a grey desk, with a tool strip (print, page setup, zoom in and out, hand, zoom
// box, close, help), zoom presets and typed percentages, whole page and page width, and panning with the
// hand or the middle button. While it shows, it takes the main frame's client area and the frame's bars,
// document windows and status bar are hidden; closing brings them back.
//
// The page picture is kept at the current zoom and only redrawn on a zoom, a resize or a new setting, so
// that scrolling and panning do not print again.

#include <memory>
#include <vector>

#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/win/CWnd.h"

class CButton;
class CComboBox;
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
    };

    CQZ2PreviewView();
    ~CQZ2PreviewView() override;

    // Shows the preview of the view's drawing in the frame. FALSE when the window could not be made
    // (the frame is as it was); when the printing could not be prepared the preview closes again.
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
    CRect GetPageArea() const;  // the client area below the tool strip
    const QImage* GetPagePicture() const { return m_pPage.get(); }
    int GetToolStripHeight() const { return kStripHeight; }
    CComboBox* GetZoomCombo() const { return m_pZoomCombo; }
    CQZ2View* GetPrintView() const { return m_pPrintView; }

    BOOL m_bHandMode = FALSE;

protected:
    static constexpr int kStripHeight = 28;

    void PostNcDestroy() override;
    void LayoutStrip();
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
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnPrint();
    afx_msg void OnPageSetup();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnHand();
    afx_msg void OnClose();
    afx_msg void OnHelp();
    afx_msg void OnZoomSelChange();
    afx_msg void OnZoomKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    void Pan(CPoint point);

    CFrameWnd* m_pFrame = nullptr;
    CQZ2View* m_pPrintView = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    std::vector<HWND> m_hidden;  // the frame's windows hidden while the preview shows
    std::vector<CWnd*> m_strip;  // the tool strip's controls
    CComboBox* m_pZoomCombo = nullptr;
    CButton* m_pHandButton = nullptr;
    CSize m_fullPage;            // the page at factor 1, in screen pixels
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    double m_dZoom = 1.0;
    int m_nZoomMode = kWholePage;
    CPoint m_scroll;
    std::unique_ptr<CPoint> m_pAnchor;
    BOOL m_bMiddleHand = FALSE;
    std::unique_ptr<QImage> m_pPage;
    double m_dSheetWidth = 0.0;  // mm
    double m_dSheetHeight = 0.0;
};
