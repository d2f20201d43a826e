#pragma once
// A spreadsheet-like grid window: a header row of column titles, a header column of row numbers and
// rows of typed cells edited in place. The owner hears of changes through WM_NOTIFY with a
// GridCellNotify record. Rows and columns scroll by whole rows and whole columns.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/CDWordArray.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ole/OleVariant.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinImm.h"

class CComboBox;
class CButton;
class CToolTipCtrl;
class GridColumnItem;
class GridRowItem;

namespace Gdiplus {
class Bitmap;
class Graphics;
class Font;
}  // namespace Gdiplus

class CGridCtrl : public CWnd
{
    DECLARE_DYNCREATE(CGridCtrl)
public:
    // Hit-test areas.
    enum { areaCell = 0, areaColumnHeader = 1, areaColumnBorder = 2, areaRowHeader = 3, areaCorner = 4, areaNone = 5 };
    // Control ids of the in-place editor and the "..." button of date cells.
    enum { kEditorId = 1090, kButtonId = 1091 };
    // Width of the check, radio and sort-mark images.
    static constexpr int kImageSize = 13;
    // Frame and margin of the tip window around its text.
    static constexpr int kToolTipInset = 4;

    CGridCtrl();
    ~CGridCtrl() override;

    // A child window of the grid class.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- data ----------------------------------------------------------------------------------
    BOOL InsertColumn(int nIndex, const GridColumnItem& column);
    GridColumnItem* GetColumn(int nIndex) const;
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    // Inserts a copy of the row (of the row's own class); the index used.
    int InsertRow(int nIndex, const GridRowItem& row, BOOL bRedraw = TRUE);
    GridRowItem* GetRow(int nIndex) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    BOOL DeleteRow(int nRow);
    BOOL DeleteAllRows(BOOL bRedraw = TRUE);
    // Stores a value without notifying; an open editor closes unsaved.
    BOOL SetCellValue(int nRow, int nColumn, const VARIANT* pValue);
    BOOL GetCellValue(int nRow, int nColumn, VARIANT* pValue) const;
    BOOL ClearCell(int nRow, int nColumn);

    BOOL SetCurrentCell(int nRow, int nColumn);
    int GetCurrentRow() const { return m_nCurrentRow; }
    int GetCurrentColumn() const { return m_nCurrentColumn; }

    BOOL SelectRow(int nRow, BOOL bSelect);
    BOOL SelectAllRows(BOOL bSelect);
    BOOL IsRowSelected(int nRow) const;
    BOOL AreAllRowsSelected() const;
    int GetSelectedRowCount() const;
    int GetSelectedRows(CDWordArray& rows) const;
    int GetNextSelectedRow(int nAfter) const;

    BOOL EnableMultiSelect(BOOL bEnable);
    BOOL EnableHeaderNotify(BOOL bEnable);
    BOOL ShowRowHeader(BOOL bShow);
    void SetSelectionColor(COLORREF color) { m_crSelection = color; }
    void SetHeaderColor(COLORREF color) { m_crHeader = color; }
    void SetHeaderLineColor(COLORREF color) { m_crHeaderLine = color; }

    // --- editing -------------------------------------------------------------------------------
    BOOL IsEditing() const;
    BOOL BeginEdit(int nRow, int nColumn);
    BOOL EndEdit(BOOL bSave, BOOL bDestroyEditor);
    void DestroyEditor();
    BOOL CreateEditor(int nKind, const GridColumnItem& column);
    BOOL PositionEditor();
    CWnd* GetEditor() const { return m_pEditor; }
    CButton* GetEditorButton() const { return m_pButton; }
    CToolTipCtrl* GetToolTip() const { return m_pToolTip; }
    int GetEditorKind() const { return m_nEditorKind; }

    // --- layout --------------------------------------------------------------------------------
    int GetRowHeight() const { return m_nRowHeight; }
    BOOL SetRowHeight(int nHeight);
    int GetHeaderHeight() const;
    int GetRowHeaderWidth() const;
    int GetTopRow() const { return m_nTopRow; }
    int GetFirstColumn() const { return m_nFirstColumn; }
    CRect GetCellRect(int nRow, int nColumn) const;
    CRect GetRowRect(int nRow) const;
    CRect GetColumnHeaderRect(int nColumn) const;
    CRect GetRowHeaderRect(int nRow) const;
    // The area under a client point (areaCell ...), with its row and column (-1 when none).
    int HitTest(CPoint point, int& nRow, int& nColumn) const;
    int GetVisibleRowCount() const;
    int GetLastVisibleRow() const;
    int GetLastVisibleColumn() const;
    BOOL SetTopLeftCell(int nRow, int nColumn);
    void EnsureRowVisible(int nRow);
    void EnsureCellVisible(int nRow, int nColumn);
    BOOL SetColumnWidth(int nColumn, int nWidth);
    int GetWheelLines() const { return m_nWheelLines; }

    // The tip for a cell: its whole text when it does not fit; FALSE otherwise.
    BOOL GetToolTipText(int nRow, int nColumn, CString& text);

    // --- hooks (overridable) -------------------------------------------------------------------
    virtual void NotifyCellChanged(int nRow, int nColumn);
    virtual BOOL OnClickCheck(int nRow, int nColumn, POINT point);
    virtual BOOL OnClickCycle(int nRow, int nColumn);
    virtual BOOL OnClickToggle(int nRow, int nColumn, POINT point);
    virtual void OnEditorSelEndOk();
    virtual void OnHeaderClick(int nColumn);
    virtual void AutoSizeColumn(int nColumn);
    virtual void OnSpaceKey();
    virtual void OnDeleteKey();
    virtual void OnEditorReady(int nRow, int nColumn, int nKind, CWnd* pEditor);

    // Sends a notification to the owner (or with bToParent to the parent); the receiver's answer.
    LRESULT SendCellNotify(UINT nCode, int nRow, int nColumn, const VARIANT* pValue = nullptr, BOOL bToParent = FALSE);
    // Paints a check or radio image centred in the rectangle.
    void DrawStateImage(Gdiplus::Graphics& graphics, int nKind, BOOL bOn, const CRect& rect);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Texts of the tool tip over truncated cells.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Moves the shown tip so that its text lies exactly over the cell's text.
    BOOL PlaceToolTip();

    BOOL ExtendDragSelection(int nRow);
    BOOL SetImeForColumn();
    void ApplyImeToEditor();
    void UpdateScrollBars();
    // The scroll ranges' maximum (0: everything fits), from the layout rather than the bars, so that
    // a grid without scroll bars scrolls by keys and wheel alike.
    int HorzScrollMax() const;
    int VertScrollMax() const;
    void RecalcRowHeaderWidth();
    void RecalcHeaderHeight();
    void InvalidateCell(int nRow, int nColumn);
    int ColumnLeft(int nColumn) const;
    int FirstColumnX() const;
    int TotalColumnWidth() const;
    void ScrollHorz(UINT nCode, int nPos);
    void ScrollVert(UINT nCode, int nPos);
    BOOL MoveCurrentCell(int nRow, int nColumn);
    void PageKey(BOOL bDown);
    void EndMouseModes();
    HFONT GetGridFont() const;
    void PaintTo(CDC& dc, const CRect& rcClip);
    BOOL IsTypingKind(int nKind) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()

    std::vector<GridColumnItem*> m_columns;
    std::vector<GridRowItem*> m_rows;

    // Options.
    BOOL m_bGridLines = TRUE;
    BOOL m_bColumnHeader = TRUE;
    BOOL m_bRowHeader = TRUE;
    BOOL m_bMultiSelect = TRUE;
    BOOL m_bHeaderNotify = TRUE;
    BOOL m_bImeControl = TRUE;
    // The grid's input context, made when a column first switches the input method.
    HIMC m_hImc = nullptr;
    BOOL m_bToolTips = TRUE;
    COLORREF m_crSelection;
    COLORREF m_crHeader;
    COLORREF m_crHeaderLine;
    // The check (410), radio (411) and sort-mark (412) image strips, loaded when first drawn.
    std::unique_ptr<Gdiplus::Bitmap> m_stateImages[3];
    Gdiplus::Bitmap* GetStateImages(int nStrip);
    // Draws image nImage of a strip with its top-left at (x, y); FALSE when the strip cannot be loaded.
    BOOL DrawStripImage(Gdiplus::Graphics& graphics, int nStrip, int nImage, int x, int y);

    // Layout.
    int m_nRowHeight = 20;
    int m_nHeaderHeight = 0;
    int m_nRowHeaderWidth = 0;
    int m_nTopRow = 0;
    int m_nFirstColumn = 0;
    HFONT m_hFont = nullptr;
    int m_nWheelLines = 3;
    int m_nCurrentRow = -1;
    int m_nCurrentColumn = -1;
    int m_nTipRow = -1;
    int m_nTipColumn = -1;

    // Input.
    BOOL m_bRowDrag = FALSE;
    int m_nDragAnchor = -1;
    int m_nDragLast = -1;
    BOOL m_bCellTracking = FALSE;
    BOOL m_bResizing = FALSE;
    int m_nResizeColumn = -1;
    int m_nResizeOldWidth = 0;
    BOOL m_bHeaderPressed = FALSE;
    int m_nPressedColumn = -1;
    BOOL m_bPressedHot = FALSE;
    int m_nEditorKind = 0;
    CWnd* m_pEditor = nullptr;
    CButton* m_pButton = nullptr;
    CToolTipCtrl* m_pToolTip = nullptr;
    CPoint m_ptLastMouse{-1, -1};
    std::u16string m_tipText;
};
