#include "controls/CGridCtrl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "controls/GridCellItem.h"
#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/ImageAttributes.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/SolidBrush.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/win/CButton.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/WinImm.h"
#include "platform/win/WinSystem.h"

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

Gdiplus::Color ColorOf(COLORREF color)
{
    Gdiplus::Color c;
    c.SetFromCOLORREF(color);
    return c;
}

Gdiplus::Color SysColor(int nIndex)
{
    return ColorOf(GetSysColor(nIndex));
}

}  // namespace

CGridCtrl::CGridCtrl()
{
    m_crSelection = GetSysColor(COLOR_HIGHLIGHT);
    m_crHeader = m_crSelection;
    m_crHeaderLine = m_crSelection;
    UINT lines = 0;
    m_nWheelLines = SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) ? static_cast<int>(lines) : 3;
}

CGridCtrl::~CGridCtrl()
{
    DestroyEditor();
    delete m_pToolTip;
    for (GridColumnItem* pColumn : m_columns)
        delete pColumn;
    for (GridRowItem* pRow : m_rows)
        delete pRow;
}

BOOL CGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

// ---- data ------------------------------------------------------------------------------------

BOOL CGridCtrl::InsertColumn(int nIndex, const GridColumnItem& column)
{
    if (nIndex < 0 || nIndex > GetColumnCount())
        nIndex = GetColumnCount();
    m_columns.insert(m_columns.begin() + nIndex, new GridColumnItem(column));
    UpdateScrollBars();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

GridColumnItem* CGridCtrl::GetColumn(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetColumnCount() ? m_columns[static_cast<size_t>(nIndex)] : nullptr;
}

int CGridCtrl::InsertRow(int nIndex, const GridRowItem& row, BOOL bRedraw)
{
    if (nIndex < 0 || nIndex > GetRowCount())
        nIndex = GetRowCount();
    GridRowItem* pRow = row.Clone();
    pRow->m_pGrid = this;
    m_rows.insert(m_rows.begin() + nIndex, pRow);
    if (bRedraw && GetSafeHwnd() != nullptr) {
        CRect rc;
        GetClientRect(&rc);
        rc.top = std::max(0L, static_cast<long>(GetRowRect(nIndex).top));
        InvalidateRect(&rc, FALSE);
        UpdateScrollBars();
    }
    return nIndex;
}

GridRowItem* CGridCtrl::GetRow(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetRowCount() ? m_rows[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (GetRow(nRow) == nullptr)
        return FALSE;
    DestroyEditor();
    const CRect rcOld = GetRowRect(nRow);
    delete m_rows[static_cast<size_t>(nRow)];
    m_rows.erase(m_rows.begin() + nRow);
    const int count = GetRowCount();
    if (m_nCurrentRow >= 0) {
        int newRow = m_nCurrentRow;
        if (m_nCurrentRow == nRow)
            newRow = nRow < count ? nRow : count - 1;
        else if (m_nCurrentRow > nRow)
            newRow = m_nCurrentRow - 1;  // the same row's data stays current
        if (newRow >= count)
            newRow = count - 1;
        if (newRow < 0) {
            SetCurrentCell(-1, -1);
        } else if (newRow != m_nCurrentRow || m_nCurrentRow == nRow) {
            // The stored cell is stale: force the change through.
            const int col = m_nCurrentColumn;
            m_nCurrentRow = -1;
            m_nCurrentColumn = -1;
            SetCurrentCell(newRow, col);
        }
    }
    // Scrolled down with everything now fitting: back to the first row.
    if (m_nTopRow > 0 && VertScrollMax() == 0)
        m_nTopRow = 0;
    else if (m_nTopRow >= count)
        m_nTopRow = std::max(0, count - 1);
    if (GetSafeHwnd() != nullptr) {
        CRect rc;
        GetClientRect(&rc);
        rc.top = std::max(0L, static_cast<long>(rcOld.top));
        InvalidateRect(&rc, FALSE);
    }
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteAllRows(BOOL bRedraw)
{
    DestroyEditor();
    for (GridRowItem* pRow : m_rows)
        delete pRow;
    m_rows.clear();
    m_nTopRow = 0;
    m_nFirstColumn = 0;
    if (m_nCurrentRow != -1 || m_nCurrentColumn != -1)
        SetCurrentCell(-1, -1);
    if (bRedraw && GetSafeHwnd() != nullptr) {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CGridCtrl::SetCellValue(int nRow, int nColumn, const VARIANT* pValue)
{
    GridRowItem* pRow = GetRow(nRow);
    if (pRow == nullptr || GetColumn(nColumn) == nullptr)
        return FALSE;
    DestroyEditor();
    pRow->SetValue(nColumn, pValue);
    InvalidateCell(nRow, nColumn);
    return TRUE;
}

BOOL CGridCtrl::GetCellValue(int nRow, int nColumn, VARIANT* pValue) const
{
    const GridRowItem* pRow = GetRow(nRow);
    return pRow != nullptr ? pRow->GetValue(nColumn, pValue) : FALSE;
}

BOOL CGridCtrl::ClearCell(int nRow, int nColumn)
{
    GridRowItem* pRow = GetRow(nRow);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pRow == nullptr || pColumn == nullptr)
        return FALSE;
    if (!pRow->ClearCell(nRow, nColumn, pColumn->m_nKind))
        return FALSE;
    InvalidateCell(nRow, nColumn);
    NotifyCellChanged(nRow, nColumn);
    return TRUE;
}

BOOL CGridCtrl::SetCurrentCell(int nRow, int nColumn)
{
    if (nRow == m_nCurrentRow && nColumn == m_nCurrentColumn)
        return TRUE;
    if (!(nRow == -1 && nColumn == -1) &&
        (nRow < 0 || nRow >= GetRowCount() || nColumn < 0 || nColumn >= GetColumnCount()))
        return FALSE;
    const int oldRow = m_nCurrentRow;
    const int oldColumn = m_nCurrentColumn;
    m_nCurrentRow = nRow;
    m_nCurrentColumn = nColumn;
    InvalidateCell(oldRow, oldColumn);
    InvalidateCell(nRow, nColumn);
    if (GetSafeHwnd() != nullptr) {
        CWnd* pFocus = GetFocus();
        if (pFocus == this || (pFocus != nullptr && IsChild(pFocus)))
            SetImeForColumn();
    }
    SendCellNotify(GridCellNotify::kCurrentCell, nRow, nColumn);
    return TRUE;
}

BOOL CGridCtrl::SelectRow(int nRow, BOOL bSelect)
{
    GridRowItem* pRow = GetRow(nRow);
    if (pRow == nullptr || pRow->m_bSelectable != TRUE)
        return FALSE;
    if ((pRow->m_bSelected != FALSE) == (bSelect != FALSE))
        return TRUE;
    pRow->m_bSelected = bSelect ? TRUE : FALSE;
    if (GetSafeHwnd() != nullptr && nRow >= m_nTopRow && nRow <= GetLastVisibleRow()) {
        CRect rc = GetRowRect(nRow);
        rc.left = 0;
        CRect client;
        GetClientRect(&client);
        rc.right = client.right;
        InvalidateRect(&rc, FALSE);
    }
    SendCellNotify(GridCellNotify::kSelectionChanged, m_nCurrentRow, m_nCurrentColumn);
    return TRUE;
}

BOOL CGridCtrl::SelectAllRows(BOOL bSelect)
{
    for (GridRowItem* pRow : m_rows) {
        if (pRow->m_bSelectable == TRUE)
            pRow->m_bSelected = bSelect ? TRUE : FALSE;
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    SendCellNotify(GridCellNotify::kSelectionChanged, m_nCurrentRow, m_nCurrentColumn);
    return TRUE;
}

BOOL CGridCtrl::IsRowSelected(int nRow) const
{
    const GridRowItem* pRow = GetRow(nRow);
    return pRow != nullptr && pRow->m_bSelected ? TRUE : FALSE;
}

BOOL CGridCtrl::AreAllRowsSelected() const
{
    int selectable = 0;
    for (const GridRowItem* pRow : m_rows) {
        if (pRow->m_bSelectable != TRUE)
            continue;
        ++selectable;
        if (!pRow->m_bSelected)
            return FALSE;
    }
    return selectable > 0 ? TRUE : FALSE;
}

int CGridCtrl::GetSelectedRowCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const GridRowItem* p) { return p->m_bSelected != FALSE; }));
}

int CGridCtrl::GetSelectedRows(CDWordArray& rows) const
{
    rows.RemoveAll();
    for (int i = 0; i < GetRowCount(); ++i) {
        if (m_rows[static_cast<size_t>(i)]->m_bSelected)
            rows.Add(static_cast<DWORD>(i));
    }
    return static_cast<int>(rows.GetSize());
}

int CGridCtrl::GetNextSelectedRow(int nAfter) const
{
    for (int i = std::max(0, nAfter + 1); i < GetRowCount(); ++i) {
        if (m_rows[static_cast<size_t>(i)]->m_bSelected)
            return i;
    }
    return -1;
}

BOOL CGridCtrl::EnableMultiSelect(BOOL bEnable)
{
    m_bMultiSelect = bEnable;
    return TRUE;
}

BOOL CGridCtrl::EnableHeaderNotify(BOOL bEnable)
{
    m_bHeaderNotify = bEnable;
    return TRUE;
}

BOOL CGridCtrl::ShowRowHeader(BOOL bShow)
{
    if ((m_bRowHeader != FALSE) != (bShow != FALSE)) {
        m_bRowHeader = bShow ? TRUE : FALSE;
        RecalcRowHeaderWidth();
        UpdateScrollBars();
        if (GetSafeHwnd() != nullptr)
            Invalidate(FALSE);
    }
    return TRUE;
}

LRESULT CGridCtrl::SendCellNotify(UINT nCode, int nRow, int nColumn, const VARIANT* pValue, BOOL bToParent)
{
    CWnd* pTarget = bToParent ? GetParent() : GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget == nullptr || pTarget->GetSafeHwnd() == nullptr)
        return 0;
    GridCellNotify notify{};
    notify.hdr.hwndFrom = GetSafeHwnd();
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = nCode;
    notify.nRow = nRow;
    notify.nColumn = nColumn;
    VariantInit(&notify.value);
    if (pValue != nullptr)
        VariantCopy(&notify.value, pValue);
    const LRESULT result = pTarget->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&notify));
    VariantClear(&notify.value);
    return result;
}

void CGridCtrl::NotifyCellChanged(int nRow, int nColumn)
{
    SendCellNotify(GridCellNotify::kCellChanged, nRow, nColumn);
}

void CGridCtrl::OnHeaderClick(int nColumn)
{
    if (m_bHeaderNotify)
        SendCellNotify(GridCellNotify::kHeaderClick, -1, nColumn);
}

void CGridCtrl::OnEditorReady(int, int, int, CWnd*) {}

// ---- layout ----------------------------------------------------------------------------------

BOOL CGridCtrl::SetRowHeight(int nHeight)
{
    if (nHeight <= 0)
        return FALSE;
    m_nRowHeight = nHeight;
    UpdateScrollBars();
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    return TRUE;
}

int CGridCtrl::GetHeaderHeight() const
{
    return m_bColumnHeader ? m_nHeaderHeight : 0;
}

int CGridCtrl::GetRowHeaderWidth() const
{
    return m_bRowHeader ? m_nRowHeaderWidth : 0;
}

int CGridCtrl::FirstColumnX() const
{
    int x = GetRowHeaderWidth();
    for (int i = 0; i < m_nFirstColumn && i < GetColumnCount(); ++i)
        x -= m_columns[static_cast<size_t>(i)]->m_nWidth;
    return x;
}

int CGridCtrl::ColumnLeft(int nColumn) const
{
    int x = FirstColumnX();
    for (int i = 0; i < nColumn && i < GetColumnCount(); ++i)
        x += m_columns[static_cast<size_t>(i)]->m_nWidth;
    return x;
}

int CGridCtrl::TotalColumnWidth() const
{
    int total = 0;
    for (const GridColumnItem* pColumn : m_columns)
        total += pColumn->m_nWidth;
    return total;
}

CRect CGridCtrl::GetCellRect(int nRow, int nColumn) const
{
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr)
        return CRect(0, 0, 0, 0);
    const int left = ColumnLeft(nColumn);
    const int top = GetHeaderHeight() + (nRow - m_nTopRow) * m_nRowHeight;
    return CRect(left, top, left + pColumn->m_nWidth, top + m_nRowHeight);
}

CRect CGridCtrl::GetRowRect(int nRow) const
{
    const int x0 = FirstColumnX();
    const int top = GetHeaderHeight() + (nRow - m_nTopRow) * m_nRowHeight;
    return CRect(x0, top, x0 + TotalColumnWidth(), top + m_nRowHeight);
}

CRect CGridCtrl::GetColumnHeaderRect(int nColumn) const
{
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr || !m_bColumnHeader)
        return CRect(0, 0, 0, 0);
    const int left = ColumnLeft(nColumn);
    return CRect(left, 0, left + pColumn->m_nWidth, GetHeaderHeight());
}

CRect CGridCtrl::GetRowHeaderRect(int nRow) const
{
    if (!m_bRowHeader)
        return CRect(0, 0, 0, 0);
    const int top = GetHeaderHeight() + (nRow - m_nTopRow) * m_nRowHeight;
    return CRect(0, top, GetRowHeaderWidth(), top + m_nRowHeight);
}

int CGridCtrl::GetVisibleRowCount() const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    const int band = static_cast<int>(rc.Height()) - GetHeaderHeight();
    return band > 0 ? (band + m_nRowHeight - 1) / m_nRowHeight : 0;
}

int CGridCtrl::GetLastVisibleRow() const
{
    if (m_rows.empty())
        return -1;
    return std::min(GetRowCount() - 1, m_nTopRow + GetVisibleRowCount() - 1);
}

int CGridCtrl::GetLastVisibleColumn() const
{
    if (m_columns.empty())
        return -1;
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    int right = FirstColumnX();
    for (int i = 0; i < GetColumnCount(); ++i) {
        right += m_columns[static_cast<size_t>(i)]->m_nWidth;
        if (i >= m_nFirstColumn && right >= rc.right)
            return i;
    }
    return GetColumnCount() - 1;
}

int CGridCtrl::HitTest(CPoint point, int& nRow, int& nColumn) const
{
    nRow = -1;
    nColumn = -1;
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    if (!rc.PtInRect(point))
        return areaNone;
    const BOOL bInRowHeader = m_bRowHeader && point.x <= GetRowHeaderWidth() ? TRUE : FALSE;
    const BOOL bInColumnHeader = m_bColumnHeader && point.y <= GetHeaderHeight() ? TRUE : FALSE;
    BOOL bBorder = FALSE;
    int right = FirstColumnX();
    for (int i = 0; i < GetColumnCount(); ++i) {
        right += m_columns[static_cast<size_t>(i)]->m_nWidth;
        if (i < m_nFirstColumn)
            continue;
        if (bInColumnHeader && std::abs(right - point.x) < 4) {
            nColumn = i;
            bBorder = TRUE;
            break;
        }
        if (right >= point.x) {
            nColumn = i;
            break;
        }
        if (right >= rc.right)
            break;
    }
    const int last = GetLastVisibleRow();
    for (int r = m_nTopRow; r <= last; ++r) {
        if (GetHeaderHeight() + (r - m_nTopRow + 1) * m_nRowHeight >= point.y) {
            nRow = r;
            break;
        }
    }
    if (bInColumnHeader && bInRowHeader)
        return areaCorner;
    if (bInRowHeader)
        return areaRowHeader;
    if (bInColumnHeader)
        return bBorder ? areaColumnBorder : areaColumnHeader;
    return nRow >= 0 && nColumn >= 0 ? areaCell : areaNone;
}

void CGridCtrl::RecalcHeaderHeight()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(GetGridFont()));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    m_nHeaderHeight = static_cast<int>(tm.tmHeight) + 6;
}

void CGridCtrl::RecalcRowHeaderWidth()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CString text;
    text.Format(_T("%d"), std::max(GetLastVisibleRow() + 1, 100));
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(GetGridFont()));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    m_nRowHeaderWidth = static_cast<int>(size.cx) + 2 * static_cast<int>(tm.tmAveCharWidth);
}

int CGridCtrl::HorzScrollMax() const
{
    if (m_columns.empty())
        return 0;
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    return m_nFirstColumn == 0 && ColumnLeft(GetColumnCount()) <= rc.right ? 0 : GetColumnCount() - 1;
}

int CGridCtrl::VertScrollMax() const
{
    if (m_rows.empty())
        return 0;
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    const int band = static_cast<int>(rc.Height()) - GetHeaderHeight();
    return GetRowCount() * m_nRowHeight <= band ? 0 : GetRowCount() - 1;
}

void CGridCtrl::UpdateScrollBars()
{
    if (GetSafeHwnd() == nullptr || m_columns.empty())
        return;
    CRect rc;
    GetClientRect(&rc);
    // Columns.
    {
        const int lastVisible = GetLastVisibleColumn();
        int page = lastVisible - m_nFirstColumn + 1;
        if (ColumnLeft(lastVisible) + m_columns[static_cast<size_t>(lastVisible)]->m_nWidth > rc.right)
            --page;
        const BOOL bAllFit = HorzScrollMax() == 0 ? TRUE : FALSE;
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMin = 0;
        si.nMax = bAllFit ? 0 : GetColumnCount() - 1;
        si.nPage = bAllFit ? 0 : static_cast<UINT>(std::max(page, 0));
        si.nPos = m_nFirstColumn;
        SetScrollInfo(SB_HORZ, &si, TRUE);
    }
    if (m_rows.empty())
        return;
    {
        const int band = static_cast<int>(rc.Height()) - GetHeaderHeight();
        const int fully = band > 0 ? band / m_nRowHeight : 0;
        const BOOL bAllFit = VertScrollMax() == 0 ? TRUE : FALSE;
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMin = 0;
        si.nMax = bAllFit ? 0 : GetRowCount() - 1;
        si.nPage = bAllFit ? 0 : static_cast<UINT>(fully);
        si.nPos = m_nTopRow;
        SetScrollInfo(SB_VERT, &si, TRUE);
    }
}

void CGridCtrl::InvalidateCell(int nRow, int nColumn)
{
    if (GetSafeHwnd() == nullptr || nRow < 0 || nColumn < 0)
        return;
    CRect rc = GetCellRect(nRow, nColumn);
    rc.InflateRect(2, 2);
    InvalidateRect(&rc, FALSE);
    CRect header = GetColumnHeaderRect(nColumn);
    header.InflateRect(0, 0, 1, 1);
    InvalidateRect(&header, FALSE);
    CRect rowHeader = GetRowHeaderRect(nRow);
    rowHeader.InflateRect(0, 0, 1, 1);
    InvalidateRect(&rowHeader, FALSE);
}

BOOL CGridCtrl::SetTopLeftCell(int nRow, int nColumn)
{
    CRect rc;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rc);
    const int band = static_cast<int>(rc.Height()) - GetHeaderHeight();
    if (GetRowCount() * m_nRowHeight <= band)
        nRow = 0;
    else if (nRow < 0)
        return FALSE;
    if ((nRow > 0 && nRow >= GetRowCount()) || nColumn < 0 || nColumn >= std::max(GetColumnCount(), 1))
        return FALSE;
    if (nRow == m_nTopRow && nColumn == m_nFirstColumn)
        return TRUE;
    const BOOL bNewTop = nRow != m_nTopRow ? TRUE : FALSE;
    m_nFirstColumn = nColumn;
    m_nTopRow = nRow;
    if (bNewTop)
        RecalcRowHeaderWidth();
    UpdateScrollBars();
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    if (IsEditing())
        PositionEditor();
    return TRUE;
}

void CGridCtrl::EnsureRowVisible(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;
    const int last = GetLastVisibleRow();
    if (nRow >= m_nTopRow && nRow < last)
        return;
    if (nRow < m_nTopRow) {
        SetTopLeftCell(nRow, m_nFirstColumn);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    const int bottom = GetRowRect(nRow).bottom;
    if (bottom > rc.bottom)
        SetTopLeftCell(m_nTopRow + (bottom - static_cast<int>(rc.bottom)) / m_nRowHeight + 1, m_nFirstColumn);
}

void CGridCtrl::EnsureCellVisible(int nRow, int nColumn)
{
    if (nRow < 0 || nRow >= GetRowCount() || nColumn < 0 || nColumn >= GetColumnCount())
        return;
    const int lastRow = GetLastVisibleRow();
    const int lastColumn = GetLastVisibleColumn();
    if (nRow >= m_nTopRow && nRow < lastRow && nColumn >= m_nFirstColumn && nColumn < lastColumn)
        return;
    CRect rc;
    GetClientRect(&rc);
    int top = m_nTopRow;
    if (nRow < m_nTopRow) {
        top = nRow;
    } else if (nRow >= lastRow) {
        const int bottom = GetRowRect(nRow).bottom;
        if (bottom > rc.bottom)
            top = m_nTopRow + (bottom - static_cast<int>(rc.bottom)) / m_nRowHeight + 1;
    }
    int first = m_nFirstColumn;
    if (nColumn < m_nFirstColumn) {
        first = nColumn;
    } else if (nColumn >= lastColumn) {
        int right = GetCellRect(nRow, nColumn).right;
        while (right > rc.right && first < nColumn) {
            right -= m_columns[static_cast<size_t>(first)]->m_nWidth;
            ++first;
        }
    }
    SetTopLeftCell(top, first);
}

BOOL CGridCtrl::SetColumnWidth(int nColumn, int nWidth)
{
    GridColumnItem* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr)
        return FALSE;
    if (pColumn->m_nWidth == nWidth)
        return TRUE;
    if (nWidth < 0)
        return FALSE;
    pColumn->m_nWidth = nWidth;
    if (GetSafeHwnd() != nullptr) {
        if (nColumn < m_nFirstColumn) {
            Invalidate(FALSE);
        } else {
            CRect rc;
            GetClientRect(&rc);
            rc.left = std::max(0L, static_cast<long>(ColumnLeft(nColumn)));
            InvalidateRect(&rc, FALSE);
        }
    }
    UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumn(int nColumn)
{
    GridColumnItem* pColumn = GetColumn(nColumn);
    if (pColumn == nullptr || GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    Gdiplus::Graphics graphics(dc.GetSafeHdc());
    const Gdiplus::Font font(dc.GetSafeHdc(), GetGridFont());
    Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
    Gdiplus::RectF bounds;
    graphics.MeasureString(pColumn->m_strTitle, pColumn->m_strTitle.GetLength(), &font,
                           Gdiplus::RectF(0, 0, 100000.0f, static_cast<Gdiplus::REAL>(GetHeaderHeight())), &format, &bounds);
    int width = static_cast<int>(std::ceil(bounds.Width)) + 6;
    if (pColumn->m_nSortMarkStyle != 0 && (pColumn->m_nSortDirection == 1 || pColumn->m_nSortDirection == 2))
        width += 15;
    const CRect layout(0, 0, pColumn->m_nWidth, m_nRowHeight);
    for (int r = 0; r < GetRowCount(); ++r)
        width = std::max(width, static_cast<int>(m_rows[static_cast<size_t>(r)]->MeasureCell(graphics, r, nColumn, layout, font).cx));
    SetColumnWidth(nColumn, width);
}

BOOL CGridCtrl::GetToolTipText(int nRow, int nColumn, CString& text)
{
    GridRowItem* pRow = GetRow(nRow);
    if (pRow == nullptr || GetColumn(nColumn) == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    const CRect rcCell = GetCellRect(nRow, nColumn);
    CClientDC dc(this);
    Gdiplus::Graphics graphics(dc.GetSafeHdc());
    const Gdiplus::Font font(dc.GetSafeHdc(), GetGridFont());
    const CSize need = pRow->MeasureCell(graphics, nRow, nColumn, rcCell, font);
    if (need.cx <= rcCell.Width())
        return FALSE;
    if (!pRow->GetCellText(nRow, nColumn, text))
        return FALSE;
    if (text.GetLength() > 80)
        text = text.Left(80);
    m_nTipRow = nRow;
    m_nTipColumn = nColumn;
    return TRUE;
}

// ---- scrolling -------------------------------------------------------------------------------

void CGridCtrl::ScrollHorz(UINT nCode, int nPos)
{
    if (m_columns.empty() || HorzScrollMax() < 1)
        return;
    if (IsEditing()) {
        DestroyEditor();
        SetFocus();
    }
    const int lastVisible = GetLastVisibleColumn();
    CRect rc;
    GetClientRect(&rc);
    int first = m_nFirstColumn;
    switch (nCode) {
    case SB_LINELEFT: first = m_nFirstColumn - 1; break;
    case SB_LINERIGHT: first = m_nFirstColumn + 1; break;
    case SB_PAGELEFT: {
        int width = 0;
        first = 0;
        for (int i = m_nFirstColumn; i >= 0; --i) {
            width += m_columns[static_cast<size_t>(i)]->m_nWidth;
            if (width >= rc.Width() - GetRowHeaderWidth()) {
                first = i;
                break;
            }
        }
        break;
    }
    case SB_PAGERIGHT: first = lastVisible; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = nPos; break;
    case SB_LEFT: first = 0; break;
    case SB_RIGHT: first = GetColumnCount() - 1; break;
    default: return;
    }
    first = std::max(0, std::min(first, lastVisible));
    if (first == m_nFirstColumn)
        return;
    m_nFirstColumn = first;
    UpdateScrollBars();
    Invalidate(FALSE);
}

void CGridCtrl::ScrollVert(UINT nCode, int nPos)
{
    if (m_rows.empty() || VertScrollMax() < 1)
        return;
    if (IsEditing())
        EndEdit(FALSE, TRUE);
    int top = m_nTopRow;
    switch (nCode) {
    case SB_LINEUP: top = m_nTopRow - 1; break;
    case SB_LINEDOWN: top = m_nTopRow + 1; break;
    case SB_PAGEUP: top = m_nTopRow - GetVisibleRowCount(); break;
    case SB_PAGEDOWN: top = GetLastVisibleRow(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: top = nPos; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = GetRowCount() - 1; break;
    default: return;
    }
    top = std::max(0, std::min(top, GetRowCount() - 1));
    if (top == m_nTopRow)
        return;
    m_nTopRow = top;
    RecalcRowHeaderWidth();
    UpdateScrollBars();
    Invalidate(FALSE);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollHorz(nSBCode, static_cast<int>(nPos));
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollVert(nSBCode, static_cast<int>(nPos));
}

BOOL CGridCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Rounded half away from zero, as the system's multiply-divide does.
    const long long product = -static_cast<long long>(zDelta) * m_nWheelLines;
    const int n = static_cast<int>((product + (product >= 0 ? 60 : -60)) / 120);
    for (int i = 0; i < std::abs(n); ++i)
        ScrollVert(n > 0 ? SB_LINEDOWN : SB_LINEUP, 0);
    return TRUE;
}

// ---- window life -----------------------------------------------------------------------------

HFONT CGridCtrl::GetGridFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int CGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    RecalcHeaderHeight();
    RecalcRowHeaderWidth();
    if (m_bToolTips && m_pToolTip == nullptr) {
        m_pToolTip = new CToolTipCtrl;
        if (m_pToolTip->Create(this)) {
            // One tool over the whole client area (any size it takes), asking the grid for its text.
            const CRect everywhere(0, 0, 0x7FFF, 0x7FFF);
            m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, &everywhere, 1);
            m_pToolTip->SetDelayTime(0);
        }
    }
    return 0;
}

void CGridCtrl::OnDestroy()
{
    DestroyEditor();
    if (m_hImc != nullptr) {
        ImmAssociateContext(GetSafeHwnd(), nullptr);
        ImmDestroyContext(m_hImc);
        m_hImc = nullptr;
    }
    EndMouseModes();
    if (m_pToolTip != nullptr) {
        if (m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    CWnd::OnDestroy();
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcRowHeaderWidth();
    UpdateScrollBars();
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    RecalcHeaderHeight();
    RecalcRowHeaderWidth();
    UpdateScrollBars();
    if (LOWORD(lParam) != 0 && GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

void CGridCtrl::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    Invalidate(FALSE);
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---- painting --------------------------------------------------------------------------------

Gdiplus::Bitmap* CGridCtrl::GetStateImages(int nStrip)
{
    static constexpr UINT kStripIds[3] = {410, 411, 412};
    std::unique_ptr<Gdiplus::Bitmap>& pStrip = m_stateImages[nStrip];
    if (!pStrip) {
        CBitmap bitmap;
        if (!bitmap.LoadBitmap(kStripIds[nStrip]))
            return nullptr;
        pStrip.reset(Gdiplus::Bitmap::FromHBITMAP(static_cast<HBITMAP>(bitmap.GetSafeHandle()), nullptr));
    }
    return pStrip.get();
}

BOOL CGridCtrl::DrawStripImage(Gdiplus::Graphics& graphics, int nStrip, int nImage, int x, int y)
{
    Gdiplus::Bitmap* pStrip = GetStateImages(nStrip);
    if (pStrip == nullptr || static_cast<int>(pStrip->GetWidth()) < (nImage + 1) * kImageSize)
        return FALSE;
    // Red is the strips' transparent colour.
    Gdiplus::ImageAttributes attributes;
    attributes.SetColorKey(Gdiplus::Color(255, 255, 0, 0), Gdiplus::Color(255, 255, 0, 0));
    const int height = static_cast<int>(pStrip->GetHeight());
    graphics.DrawImage(pStrip, Gdiplus::Rect(x, y, kImageSize, height), nImage * kImageSize, 0, kImageSize, height,
                       Gdiplus::UnitPixel, &attributes);
    return TRUE;
}

void CGridCtrl::DrawStateImage(Gdiplus::Graphics& graphics, int nKind, BOOL bOn, const CRect& rect)
{
    const int x = static_cast<int>(rect.left + rect.right) / 2 - kImageSize / 2;
    const int y = static_cast<int>(rect.top + rect.bottom) / 2 - kImageSize / 2;
    // Image 0 of each strip is the "on" state.
    if (DrawStripImage(graphics, nKind == GridColumnItem::kindRadio ? 1 : 0, bOn ? 0 : 1, x, y))
        return;
    // Without the language library's strips the marks are drawn.
    Gdiplus::Pen frame(SysColor(COLOR_BTNSHADOW), 1.0f);
    Gdiplus::SolidBrush white(SysColor(COLOR_WINDOW));
    Gdiplus::SolidBrush mark(SysColor(COLOR_WINDOWTEXT));
    if (nKind == GridColumnItem::kindRadio) {
        graphics.FillEllipse(&white, x, y, kImageSize - 1, kImageSize - 1);
        graphics.DrawEllipse(&frame, x, y, kImageSize - 1, kImageSize - 1);
        if (bOn)
            graphics.FillEllipse(&mark, x + 3, y + 3, kImageSize - 7, kImageSize - 7);
        return;
    }
    graphics.FillRectangle(&white, x, y, kImageSize - 1, kImageSize - 1);
    graphics.DrawRectangle(&frame, x, y, kImageSize - 1, kImageSize - 1);
    if (bOn) {
        Gdiplus::Pen tick(SysColor(COLOR_WINDOWTEXT), 2.0f);
        graphics.DrawLine(&tick, x + 3, y + 6, x + 5, y + 9);
        graphics.DrawLine(&tick, x + 5, y + 9, x + 10, y + 3);
    }
}

void CGridCtrl::PaintTo(CDC& dc, const CRect& rcClip)
{
    CRect client;
    GetClientRect(&client);
    const BOOL bEnabled = IsWindowEnabled();
    Gdiplus::Graphics g(dc.GetSafeHdc());
    g.SetClip(Gdiplus::Rect(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height()));
    g.Clear(SysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const Gdiplus::Font font(dc.GetSafeHdc(), GetGridFont());
    Gdiplus::SolidBrush face(SysColor(COLOR_BTNFACE));
    Gdiplus::SolidBrush shadowBrush(SysColor(COLOR_BTNSHADOW));
    Gdiplus::SolidBrush headerBrush(ColorOf(m_crHeader));
    Gdiplus::SolidBrush selectionBrush(ColorOf(m_crSelection));
    Gdiplus::SolidBrush textBrush(SysColor(COLOR_WINDOWTEXT));
    Gdiplus::SolidBrush highlightText(SysColor(COLOR_HIGHLIGHTTEXT));
    Gdiplus::SolidBrush selectedHeader(Gdiplus::Color(255, 62, 45, 17));
    Gdiplus::Pen shadow(SysColor(COLOR_BTNSHADOW), 1.0f);
    Gdiplus::Pen headerLine(ColorOf(m_crHeaderLine), 1.0f);
    const int hh = GetHeaderHeight();
    const int rhw = GetRowHeaderWidth();
    const int lastColumn = GetLastVisibleColumn();
    const int lastRow = GetLastVisibleRow();

    // Header bands.
    if (m_bColumnHeader)
        g.FillRectangle(&face, 0, 0, client.Width(), hh + 1);
    if (m_bRowHeader)
        g.FillRectangle(&face, 0, 0, rhw + 1, client.Height());
    if (m_bColumnHeader && m_bRowHeader) {
        g.DrawLine(&shadow, rhw, 0, rhw, hh);
        g.DrawLine(&shadow, 0, hh, rhw, hh);
    }
    if (m_bColumnHeader) {
        Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
        for (int c = m_nFirstColumn; c <= lastColumn; ++c) {
            const GridColumnItem& column = *m_columns[static_cast<size_t>(c)];
            const int left = ColumnLeft(c);
            const BOOL bCurrent = bEnabled && c == m_nCurrentColumn ? TRUE : FALSE;
            const Gdiplus::Brush* pFill = m_bHeaderPressed && m_bPressedHot && c == m_nPressedColumn ? &shadowBrush
                                          : bCurrent                                                  ? &headerBrush
                                                                                                      : &face;
            g.FillRectangle(pFill, left + 1, 0, column.m_nWidth - 1, hh);
            Gdiplus::Pen* pLine = bCurrent ? &headerLine : &shadow;
            g.DrawLine(pLine, left + column.m_nWidth, 0, left + column.m_nWidth, hh);
            g.DrawLine(pLine, left + 1, hh, left + column.m_nWidth, hh);
            const BOOL bMark = column.m_nSortMarkStyle != 0 && (column.m_nSortDirection == 1 || column.m_nSortDirection == 2);
            format.SetAlignment(column.m_nAlignment == GridColumnItem::alignCenter  ? Gdiplus::StringAlignmentCenter
                                : column.m_nAlignment == GridColumnItem::alignRight ? Gdiplus::StringAlignmentFar
                                                                                    : Gdiplus::StringAlignmentNear);
            const Gdiplus::RectF title(static_cast<Gdiplus::REAL>(left + 3), 1.0f,
                                       static_cast<Gdiplus::REAL>(column.m_nWidth - 5 - (bMark ? 15 : 0)),
                                       static_cast<Gdiplus::REAL>(hh - 2));
            g.DrawString(column.m_strTitle, column.m_strTitle.GetLength(), &font, title, &format, &textBrush);
            if (bMark) {
                Gdiplus::RectF used;
                g.MeasureString(column.m_strTitle, column.m_strTitle.GetLength(), &font, title, &format, &used);
                const int mx = static_cast<int>(used.X + used.Width) + 2;
                const int my = hh / 2;
                // Images 0 and 1 are the first pair (ascending, descending), 2 and 3 the second.
                const int image = (column.m_nSortMarkStyle == 1 ? 0 : 2) + (column.m_nSortDirection == 1 ? 0 : 1);
                if (DrawStripImage(g, 2, image, mx - 2, my - kImageSize / 2))
                    continue;
                Gdiplus::PointF tri[3];
                if (column.m_nSortDirection == 1) {
                    tri[0] = Gdiplus::PointF(mx, my + 3.0f);
                    tri[1] = Gdiplus::PointF(mx + 8.0f, my + 3.0f);
                    tri[2] = Gdiplus::PointF(mx + 4.0f, my - 3.0f);
                } else {
                    tri[0] = Gdiplus::PointF(mx, my - 3.0f);
                    tri[1] = Gdiplus::PointF(mx + 8.0f, my - 3.0f);
                    tri[2] = Gdiplus::PointF(mx + 4.0f, my + 3.0f);
                }
                if (column.m_nSortMarkStyle == 1)
                    g.FillPolygon(&shadowBrush, tri, 3);
                else
                    g.DrawPolygon(&shadow, tri, 3);
            }
        }
    }
    if (m_bRowHeader) {
        Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        for (int r = m_nTopRow; r <= lastRow; ++r) {
            const GridRowItem& row = *m_rows[static_cast<size_t>(r)];
            const int top = hh + (r - m_nTopRow) * m_nRowHeight;
            const BOOL bCurrent = bEnabled && r == m_nCurrentRow ? TRUE : FALSE;
            g.FillRectangle(row.m_bSelected ? &selectedHeader : bCurrent ? &headerBrush : &face, 0, top + 1, rhw, m_nRowHeight - 1);
            if (row.m_bShowRowNumber) {
                CString number;
                number.Format(_T("%d"), r + 1);
                const Gdiplus::RectF box(2.0f, static_cast<Gdiplus::REAL>(top + 2), static_cast<Gdiplus::REAL>(rhw - 4),
                                         static_cast<Gdiplus::REAL>(m_nRowHeight - 3));
                g.DrawString(number, number.GetLength(), &font, box, &format, row.m_bSelected ? &highlightText : &textBrush);
            }
            Gdiplus::Pen* pLine = bCurrent ? &headerLine : &shadow;
            g.DrawLine(pLine, 0, top + m_nRowHeight, rhw, top + m_nRowHeight);
            g.DrawLine(pLine, rhw, top, rhw, top + m_nRowHeight);
        }
    }
    // Cells.
    g.SetClip(Gdiplus::Rect(rhw + 1, hh + 1, std::max(0, static_cast<int>(client.Width()) - rhw - 1),
                            std::max(0, static_cast<int>(client.Height()) - hh - 1)));
    g.IntersectClip(Gdiplus::Rect(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height()));
    for (int r = m_nTopRow; r <= lastRow; ++r) {
        GridRowItem& row = *m_rows[static_cast<size_t>(r)];
        const CRect rcRow = GetRowRect(r);
        if (row.m_bSelected)
            g.FillRectangle(&selectionBrush, rhw + 1, rcRow.top + 1, static_cast<int>(rcRow.right) - rhw - 1, m_nRowHeight - 1);
        if (m_bGridLines)
            g.DrawLine(&shadow, static_cast<int>(rcRow.left), static_cast<int>(rcRow.bottom) - 1 + 1,
                       static_cast<int>(rcRow.right), static_cast<int>(rcRow.bottom) - 1 + 1);
        for (int c = m_nFirstColumn; c <= lastColumn; ++c) {
            const CRect rcCell = GetCellRect(r, c);
            if (m_bGridLines)
                g.DrawLine(&shadow, static_cast<int>(rcCell.right), static_cast<int>(rcCell.top),
                           static_cast<int>(rcCell.right), static_cast<int>(rcCell.bottom));
            row.DrawCell(g, r, c, *m_columns[static_cast<size_t>(c)], rcCell, font, textBrush);
        }
    }
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect rcClip = dc.m_ps.rcPaint;
    if (rcClip.IsRectEmpty())
        rcClip = client;
    // The window system already paints through a back buffer, so the grid goes straight to the paint DC.
    {
        const int saved = dc.SaveDC();
        PaintTo(dc, rcClip);
        dc.RestoreDC(saved);
    }
    // The current cell's frame inverts what lies under it, never over the header bands.
    if (IsWindowEnabled() && m_nCurrentRow >= m_nTopRow && m_nCurrentColumn >= m_nFirstColumn &&
        GetRow(m_nCurrentRow) != nullptr && GetColumn(m_nCurrentColumn) != nullptr) {
        CRect rc = GetCellRect(m_nCurrentRow, m_nCurrentColumn);
        rc.right += 1;
        rc.bottom += 1;
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(GetRowHeaderWidth() + 1, GetHeaderHeight() + 1, client.right, client.bottom);
        CPen pen(PS_INSIDEFRAME, 3, RGB(0, 0, 0));
        CPen* pOldPen = dc.SelectObject(&pen);
        CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
        const int oldRop = dc.SetROP2(R2_NOT);
        dc.Rectangle(&rc);
        dc.SetROP2(oldRop);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);
        dc.RestoreDC(saved);
    }
}
