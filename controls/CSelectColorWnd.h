#pragma once
// The palette that a colour combo opens in place of a list: an optional by-layer button, the sixteen
// named table colours in two rows of eight, and an "other" button that either ends the choice with a
// user colour (the combo then asks for any RGB value) or opens the palette of colours 17-256. It tracks
// the mouse with the capture, never takes the focus, tells the combo the result (message
// kChosenMessage with the number, or kCancelMessage with the number it was opened with) and closes.

#include <memory>
#include <vector>

#include "controls/ColorCellFeature.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/CWnd.h"

class CDC;
class ColorFeatureTable;
class CSelectUserColorWnd;

class CSelectColorWnd : public CWnd
{
    DECLARE_DYNAMIC(CSelectColorWnd)
public:
    static constexpr UINT kChosenMessage = 9;
    static constexpr UINT kCancelMessage = 0x8000 + 0x146;  // WM_APP range: no standard message
    static constexpr int kWidth = 158;
    static constexpr int kCellSize = 18;
    // Codes of the buttons among the colour numbers.
    static constexpr int kLayerButton = 0;
    static constexpr int kOtherButton = -3;
    static constexpr int kNoItem = -1000;

    explicit CSelectColorWnd(BOOL bAutoDelete);
    ~CSelectColorWnd() override;

    void SetCurrentNo(int nNumber) { m_nCurrentNo = nNumber; }
    void SetLayerColorNo(int nNumber) { m_nLayerColorNo = nNumber; }
    void SetLayerButton(BOOL bLayerButton) { m_bLayerButton = bLayerButton; }
    void SetShowNumber(BOOL bShow) { m_bShowNumber = bShow; }
    void SetShowName(BOOL bShow) { m_bShowName = bShow; }
    void SetUserColorMode(BOOL bUserColorMode) { m_bUserColorMode = bUserColorMode; }

    // Opens the palette under (or above) the combo's screen rectangle. FALSE, nothing shown, on failure.
    BOOL Create(const RECT& comboRect, CWnd* pCombo, int nReserved, const ColorFeatureTable* pTable);
    // Ends the palette: -1 user colour, -2 cancel, 0 by layer, else a colour number.
    void EndSelection(int nCode);

    int GetCurrentNo() const { return m_nCurrentNo; }
    int GetResultNo() const { return m_nResultNo; }
    CSelectUserColorWnd* GetUserColorWnd() const { return m_pUserColorWnd.get(); }
    const ColorFeatureTable* GetColorTable() const { return m_pTable; }
    BOOL IsShowNumber() const { return m_bShowNumber; }
    // The client rectangles of the layout.
    CRect GetLayerButtonRect() const { return m_rectLayer; }
    CRect GetColorBlockRect() const { return m_rectColors; }
    CRect GetOtherButtonRect() const { return m_rectOther; }
    // The client height of the layout: 98 with the by-layer button, 69 without.
    static int GetClientHeight(BOOL bLayerButton);
    // The top-left corner of a popup of the size beside an anchor rectangle inside the work area: at the
    // anchor's left edge (right-aligned when a narrow anchor would run past the right edge), below it, or
    // above it (6 pixels higher still) when it would run past the bottom.
    static CPoint ComputePosition(const RECT& anchor, const RECT& workArea, int width, int height);
    // The tool tip of a cell: number, name and RGB values as the flags say.
    static CString GetTipText(const ColorFeatureTable* pTable, int nNumber, BOOL bShowNumber, BOOL bShowName);
    // Answers a tool tip's TTN_GETDISPINFO of a palette cell with GetTipText; FALSE for another notification.
    static BOOL AnswerTipText(CWnd* pOwner, const CToolTipCtrl& tip, const ColorFeatureTable* pTable,
                              BOOL bShowNumber, BOOL bShowName, LPARAM lParam, CString& strKeep);
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Paints one button or cell (code 0 by layer, -3 other, else a colour number).
    void DrawItem(CDC* pDC, const CRect& rect, int nCode, BOOL bPressed, BOOL bHot);
    // Paints the checker of the current cell, shared with the second palette.
    static void FillChecker(CDC* pDC, const CRect& rect);

    // The item under a client point: kLayerButton, kOtherButton, a colour number or kNoItem.
    int HitTest(CPoint point) const;

protected:
    void PostNcDestroy() override;

    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    DECLARE_MESSAGE_MAP()

private:
    void Layout(int nHeight);
    void Track(CPoint point, BOOL bPressed);
    void Cancel();
    void SendToOwner(UINT message, int nNumber);
    void OpenUserColorWnd();
    BOOL IsInUserColorWnd(CPoint client) const;

    int m_nCellWidth = kCellSize;
    int m_nCellHeight = kCellSize;
    CWnd* m_pCombo = nullptr;
    CToolTipCtrl m_toolTip;
    CString m_strTip;
    BOOL m_bAutoDelete;
    CRect m_rectCombo;
    BOOL m_bShowNumber = TRUE;
    BOOL m_bShowName = TRUE;
    BOOL m_bUserColorMode = FALSE;
    int m_nRows = 2;
    int m_nCellsPerRow = 8;
    BOOL m_bLayerButton = TRUE;
    CRect m_rectLayer;
    CRect m_rectColors;
    CRect m_rectOther;
    std::vector<ColorCellFeature> m_cells;
    const ColorFeatureTable* m_pTable = nullptr;
    int m_nCurrentNo = 0;
    int m_nResultNo = 0;
    int m_nLayerColorNo = 32767;
    int m_nHot = kNoItem;
    BOOL m_bHotPressed = FALSE;
    BOOL m_bEnded = FALSE;
    std::unique_ptr<CSelectUserColorWnd> m_pUserColorWnd;
};
