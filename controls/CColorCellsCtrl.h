#pragma once
// A grid of small colour cells for a range of colour-table numbers (the colour-table dialog shows 1-16
// in one row and 17-256 in columns of ten). The user picks a cell with any mouse button or moves with
// the arrow keys; every change of the current cell, and the focus coming or going, is told to the
// parent as WM_NOTIFY code kNotifyCode. Each cell's tool tip gives its number, name (1-16) and RGB.

#include <vector>

#include "controls/ColorCellFeature.h"
#include "platform/afx/CString.h"
#include "platform/win/CStatic.h"
#include "platform/win/CToolTipCtrl.h"

class CDC;
class ColorFeatureTable;

class CColorCellsCtrl : public CStatic
{
    DECLARE_DYNAMIC(CColorCellsCtrl)
public:
    static constexpr UINT kNotifyCode = 0x8046;
    static constexpr int kCellSize = 18;

    CColorCellsCtrl();
    ~CColorCellsCtrl() override;

    // Lays out cells first..last, perLine to a row (rowMajor) or to a column; the current number becomes
    // first. FALSE, nothing changed, for an empty range or fewer than one cell to a line.
    BOOL Initialize(const ColorFeatureTable* pTable, int nFirst, int nLast, int nPerLine, BOOL bRowMajor);
    void SetCurSel(int nNumber);
    void SetShowSelection(BOOL bShow);
    BOOL IsShowSelection() const { return m_bShowSelection; }
    const std::vector<ColorCellFeature>& GetCells() const { return m_cells; }
    // The number of the cell at a client point, -1 for none.
    int HitTest(CPoint point) const;
    // The tool tip of a number: number, name (up to 16) and RGB values.
    CString GetTipText(int nNumber) const;
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

    // The current number: the one last set, picked or moved to.
    int m_nCurrentNo = 0;

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Pick(CPoint point);
    void NotifyParent();
    void Redraw();
    void DrawCell(CDC* pDC, const ColorCellFeature& cell) const;
    void ResetTools();

    CToolTipCtrl m_toolTip;
    const ColorFeatureTable* m_pTable = nullptr;
    std::vector<ColorCellFeature> m_cells;
    BOOL m_bShowSelection = FALSE;
    int m_nFirst = 0;
    int m_nLast = -1;
    int m_nPerLine = 1;
    BOOL m_bRowMajor = TRUE;
    // The text handed to the tool tip, kept while the tip shows it.
    CString m_strTip;
};
