// The grid's mouse and keyboard input and its in-place editors.

#include <algorithm>
#include <cstdlib>

#include <QtWidgets/QWidget>

#include "controls/CGridCtrl.h"
#include "controls/GridCellItem.h"
#include "controls/GridCellNotify.h"
#include "controls/GridColumnItem.h"
#include "controls/GridRowItem.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CButton.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CToolTipCtrl.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinSystem.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kRowDragInterval = 100;
constexpr UINT kTrackingInterval = 200;
// Cursor over the row header band.
constexpr UINT kRowHeaderCursor = 434;

BOOL IsKeyDown(int vk)
{
    return GetKeyState(vk) < 0 ? TRUE : FALSE;
}

}  // namespace

BOOL CGridCtrl::IsTypingKind(int nKind) const
{
    return nKind == GridColumnItem::kindText || nKind == GridColumnItem::kindMultiLineText ||
                   nKind == GridColumnItem::kindFixedText || nKind == GridColumnItem::kindEditableCombo ||
                   nKind == GridColumnItem::kindDate
               ? TRUE
               : FALSE;
}

// ---- the editing cycle -----------------------------------------------------------------------

BOOL CGridCtrl::IsEditing() const
{
    return m_nEditorKind != 0 && m_pEditor != nullptr ? TRUE : FALSE;
}

void CGridCtrl::DestroyEditor()
{
    CWnd* pEditor = m_pEditor;
    CButton* pButton = m_pButton;
    m_pEditor = nullptr;
    m_pButton = nullptr;
    m_nEditorKind = 0;
    if (pEditor != nullptr) {
        if (pEditor->GetSafeHwnd() != nullptr)
            pEditor->DestroyWindow();
        delete pEditor;
    }
    if (pButton != nullptr) {
        if (pButton->GetSafeHwnd() != nullptr)
            pButton->DestroyWindow();
        delete pButton;
    }
}

BOOL CGridCtrl::CreateEditor(int nKind, const GridColumnItem& column)
{
    const DWORD dwChild = WS_CHILD | WS_BORDER;
    const CRect rc(0, 0, 10, 10);
    CWnd* pEditor = nullptr;
    switch (nKind) {
    case GridColumnItem::kindText:
    case GridColumnItem::kindFixedText:
    case GridColumnItem::kindMultiLineText: {
        DWORD style = dwChild | ES_AUTOHSCROLL;
        if (nKind == GridColumnItem::kindMultiLineText)
            style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (column.m_nAlignment == GridColumnItem::alignRight)
            style |= ES_RIGHT;
        auto* pEdit = new CEdit;
        if (!pEdit->Create(style, rc, this, kEditorId)) {
            delete pEdit;
            return FALSE;
        }
        pEditor = pEdit;
        break;
    }
    case GridColumnItem::kindDropDownList:
    case GridColumnItem::kindEditableCombo: {
        DWORD style = WS_CHILD | WS_VSCROLL;
        style |= nKind == GridColumnItem::kindDropDownList ? CBS_DROPDOWNLIST : (CBS_DROPDOWN | CBS_AUTOHSCROLL);
        auto* pCombo = new CComboBox;
        if (!pCombo->Create(style, CRect(0, 0, 10, 200), this, kEditorId)) {
            delete pCombo;
            return FALSE;
        }
        const BOOL bData = nKind == GridColumnItem::kindDropDownList && column.HasItemData();
        for (INT_PTR i = 0; i < column.m_itemTexts.GetSize(); ++i) {
            const int index = pCombo->AddString(column.m_itemTexts[i]);
            if (bData && index >= 0)
                pCombo->SetItemData(index, column.m_itemData[i]);
        }
        pEditor = pCombo;
        break;
    }
    case GridColumnItem::kindDate: {
        auto* pButton = new CButton;
        if (!pButton->Create(_T("..."), WS_CHILD | BS_PUSHBUTTON, rc, this, kButtonId)) {
            delete pButton;
            return FALSE;
        }
        auto* pEdit = new CEdit;
        if (!pEdit->Create(dwChild | ES_AUTOHSCROLL, rc, this, kEditorId)) {
            delete pEdit;
            pButton->DestroyWindow();
            delete pButton;
            return FALSE;
        }
        pButton->SetFont(CFont::FromHandle(GetGridFont()), FALSE);
        m_pButton = pButton;
        pEditor = pEdit;
        break;
    }
    default:
        return FALSE;
    }
    pEditor->SetFont(CFont::FromHandle(GetGridFont()), FALSE);
    m_pEditor = pEditor;
    m_nEditorKind = nKind;
    ApplyImeToEditor();
    return TRUE;
}

BOOL CGridCtrl::PositionEditor()
{
    if (!IsEditing() || GetRow(m_nCurrentRow) == nullptr || GetColumn(m_nCurrentColumn) == nullptr)
        return FALSE;
    CRect rc = GetCellRect(m_nCurrentRow, m_nCurrentColumn);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(GetGridFont()));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int avg = static_cast<int>(tm.tmAveCharWidth);
    switch (m_nEditorKind) {
    case GridColumnItem::kindText:
    case GridColumnItem::kindMultiLineText: {
        CString text;
        m_pEditor->GetWindowText(text);
        const int need = static_cast<int>(dc.GetTextExtent(text).cx) + avg;
        if (rc.Width() < need)
            rc.right = rc.left + need;
        if (m_nEditorKind == GridColumnItem::kindMultiLineText)
            rc.bottom = rc.top + 3 * m_nRowHeight;
        break;
    }
    case GridColumnItem::kindDate: {
        const int side = rc.Height();
        if (m_pButton != nullptr)
            m_pButton->MoveWindow(rc.right - side, rc.top, side, side);
        rc.right -= side;
        break;
    }
    case GridColumnItem::kindDropDownList:
    case GridColumnItem::kindEditableCombo: {
        auto* pCombo = static_cast<CComboBox*>(m_pEditor);
        const int count = pCombo->GetCount();
        const int shown = count == 0 ? 5 : std::min(count, 10);
        const int itemHeight = std::max(1, pCombo->GetItemHeight(0));
        const int fieldHeight = std::max(1, pCombo->GetItemHeight(-1));
        int width = rc.Width();
        CString text;
        pCombo->GetWindowText(text);
        width = std::max(width, static_cast<int>(dc.GetTextExtent(text).cx) + 2 * avg + GetSystemMetrics(SM_CXHTHUMB));
        for (int i = 0; i < count; ++i) {
            CString entry;
            pCombo->GetLBText(i, entry);
            width = std::max(width, static_cast<int>(dc.GetTextExtent(entry).cx) + avg +
                                        (count > 10 ? GetSystemMetrics(SM_CXVSCROLL) : 0));
        }
        rc.right = rc.left + width;
        rc.bottom = rc.top + itemHeight * shown + fieldHeight + 10;
        break;
    }
    default:
        break;
    }
    dc.SelectObject(pOld);
    m_pEditor->MoveWindow(&rc);
    return TRUE;
}

BOOL CGridCtrl::BeginEdit(int nRow, int nColumn)
{
    if (IsEditing()) {
        const int oldRow = m_nCurrentRow;
        const int oldColumn = m_nCurrentColumn;
        DestroyEditor();
        SetFocus();
        InvalidateCell(oldRow, oldColumn);
    }
    if (!SetCurrentCell(nRow, nColumn))
        return FALSE;
    EnsureCellVisible(nRow, nColumn);
    GridRowItem* pRow = GetRow(nRow);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pRow == nullptr || pColumn == nullptr || !pRow->IsCellEnabled(nColumn))
        return FALSE;
    const int kind = pColumn->m_nKind;
    if (kind < GridColumnItem::kindText || (kind > GridColumnItem::kindEditableCombo && kind != GridColumnItem::kindDate))
        return FALSE;
    if (!CreateEditor(kind, *pColumn))
        return FALSE;
    // A cell that does not exist has no value to load.
    if (pRow->FindCell(nColumn) == nullptr || !pRow->OnBeginEdit(nRow, nColumn, kind, m_pEditor) ||
        !pRow->LoadEditor(nRow, nColumn, kind, m_pEditor)) {
        DestroyEditor();
        return FALSE;
    }
    OnEditorReady(nRow, nColumn, kind, m_pEditor);
    PositionEditor();
    if (kind == GridColumnItem::kindDropDownList || kind == GridColumnItem::kindEditableCombo) {
        m_pEditor->ShowWindow(SW_SHOW);
        m_pEditor->SetFocus();
        auto* pCombo = static_cast<CComboBox*>(m_pEditor);
        if (pCombo->GetCount() > 0)
            pCombo->ShowDropDown(TRUE);
        return TRUE;
    }
    static_cast<CEdit*>(m_pEditor)->SetSel(0, -1);
    if (m_pButton != nullptr)
        m_pButton->ShowWindow(SW_SHOW);
    m_pEditor->ShowWindow(SW_SHOW);
    m_pEditor->SetFocus();
    return TRUE;
}

BOOL CGridCtrl::EndEdit(BOOL bSave, BOOL bDestroyEditor)
{
    if (!IsEditing())
        return FALSE;
    const int row = m_nCurrentRow;
    const int column = m_nCurrentColumn;
    GridRowItem* pRow = GetRow(row);
    if (bSave && pRow != nullptr) {
        if (!pRow->SaveEditor(row, column, m_nEditorKind, m_pEditor)) {
            // Refused: the old value comes back, selected for retyping, and the editor stays.
            if (m_pEditor == nullptr)
                return FALSE;
            pRow->LoadEditor(row, column, m_nEditorKind, m_pEditor);
            if (m_nEditorKind != GridColumnItem::kindDropDownList && m_nEditorKind != GridColumnItem::kindEditableCombo)
                static_cast<CEdit*>(m_pEditor)->SetSel(0, -1);
            return FALSE;
        }
        NotifyCellChanged(row, column);
    }
    if (bDestroyEditor) {
        DestroyEditor();
        if (GetSafeHwnd() != nullptr)
            SetFocus();
    }
    InvalidateCell(row, column);
    return TRUE;
}

void CGridCtrl::OnEditorSelEndOk()
{
    SendCellNotify(GridCellNotify::kEditorSelEndOk, m_nCurrentRow, m_nCurrentColumn);
    EndEdit(TRUE, FALSE);
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kEditorId && HIWORD(wParam) == CBN_SELENDOK &&
        (m_nEditorKind == GridColumnItem::kindDropDownList || m_nEditorKind == GridColumnItem::kindEditableCombo)) {
        OnEditorSelEndOk();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr != nullptr && m_pToolTip != nullptr && pHdr->hwndFrom == m_pToolTip->GetSafeHwnd() &&
        pHdr->code == TTN_GETDISPINFO) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFO*>(lParam);
        pInfo->lpszText = nullptr;
        pInfo->szText[0] = 0;
        int row = -1;
        int column = -1;
        CString text;
        if (m_bToolTips && HitTest(m_ptLastMouse, row, column) == areaCell && GetToolTipText(row, column, text)) {
            m_tipText.assign(text.GetString(), static_cast<size_t>(text.GetLength()));
            pInfo->lpszText = m_tipText.data();
        }
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    if (pHdr != nullptr && m_pToolTip != nullptr && pHdr->hwndFrom == m_pToolTip->GetSafeHwnd() &&
        pHdr->code == TTN_SHOW && PlaceToolTip()) {
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CGridCtrl::PlaceToolTip()
{
    GridRowItem* pRow = GetRow(m_nTipRow);
    if (pRow == nullptr || GetColumn(m_nTipColumn) == nullptr || m_pToolTip == nullptr)
        return FALSE;
    const CRect rcCell = GetCellRect(m_nTipRow, m_nTipColumn);
    CSize text;
    {
        CClientDC dc(this);
        Gdiplus::Graphics graphics(dc.GetSafeHdc());
        const Gdiplus::Font font(dc.GetSafeHdc(), GetGridFont());
        text = pRow->MeasureCell(graphics, m_nTipRow, m_nTipColumn, rcCell, font);
    }
    // The text's own rectangle (as the cell draws it, 2 pixels in), centred on the cell.
    const int width = std::max(0, static_cast<int>(text.cx) - 4);
    const int height = std::max(0, static_cast<int>(text.cy) - 2);
    CRect rc(rcCell.left + 2, rcCell.CenterPoint().y - height / 2, rcCell.left + 2 + width, 0);
    rc.bottom = rc.top + height;
    ClientToScreen(&rc);
    // The tip draws its text inside a frame and a margin.
    rc.InflateRect(kToolTipInset, kToolTipInset);
    CRect tip;
    m_pToolTip->GetWindowRect(&tip);
    const int right = GetSystemMetrics(SM_CXSCREEN);
    if (right > 0 && rc.left + tip.Width() > right)
        rc.OffsetRect(right - 1 - (rc.left + tip.Width()), 0);
    m_pToolTip->SetWindowPos(nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// ---- check, cycle and radio ------------------------------------------------------------------

BOOL CGridCtrl::OnClickCheck(int nRow, int nColumn, POINT point)
{
    GridRowItem* pRow = GetRow(nRow);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pRow == nullptr || pColumn == nullptr || pColumn->m_nKind != GridColumnItem::kindCheck)
        return FALSE;
    const CRect rcCell = GetCellRect(nRow, nColumn);
    const CPoint centre = rcCell.CenterPoint();
    const CRect box(centre.x - 6, centre.y - 6, centre.x - 6 + kImageSize, centre.y - 6 + kImageSize);
    if (!box.PtInRect(point))
        return FALSE;
    const GridCellItem* pCell = pRow->FindCell(nColumn);
    const BOOL bOld = pCell != nullptr && pCell->m_value.vt == VT_BOOL && pCell->m_value.boolVal != 0;
    const BOOL bNew = bOld ? FALSE : TRUE;
    if (pRow->SetCheck(nRow, nColumn, bNew)) {
        NotifyCellChanged(nRow, nColumn);
        InvalidateCell(nRow, nColumn);
    }
    if (pRow->m_bSelected && GetSelectedRowCount() > 1) {
        for (int r = 0; r < GetRowCount(); ++r) {
            if (r != nRow && m_rows[static_cast<size_t>(r)]->m_bSelected && m_rows[static_cast<size_t>(r)]->SetCheck(r, nColumn, bNew)) {
                NotifyCellChanged(r, nColumn);
                InvalidateCell(r, nColumn);
            }
        }
    }
    return TRUE;
}

BOOL CGridCtrl::OnClickCycle(int nRow, int nColumn)
{
    GridRowItem* pRow = GetRow(nRow);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pRow == nullptr || pColumn == nullptr || pColumn->m_nKind != GridColumnItem::kindCycle)
        return FALSE;
    const GridCellItem* pCell = pRow->FindCell(nColumn);
    const int value = pCell != nullptr && pCell->m_value.vt == VT_I4 ? pCell->m_value.lVal : -1;
    const int next = value + 1 >= static_cast<int>(pColumn->m_itemTexts.GetSize()) ? 0 : value + 1;
    if (pRow->SetIntValue(nRow, nColumn, next)) {
        NotifyCellChanged(nRow, nColumn);
        InvalidateCell(nRow, nColumn);
    }
    if (pRow->m_bSelected && GetSelectedRowCount() > 1) {
        for (int r = 0; r < GetRowCount(); ++r) {
            if (r != nRow && m_rows[static_cast<size_t>(r)]->m_bSelected && m_rows[static_cast<size_t>(r)]->SetIntValue(r, nColumn, next)) {
                NotifyCellChanged(r, nColumn);
                InvalidateCell(r, nColumn);
            }
        }
    }
    return TRUE;
}

BOOL CGridCtrl::OnClickToggle(int nRow, int nColumn, POINT point)
{
    GridRowItem* pRow = GetRow(nRow);
    const GridColumnItem* pColumn = GetColumn(nColumn);
    if (pRow == nullptr || pColumn == nullptr || pColumn->m_nKind != GridColumnItem::kindRadio)
        return FALSE;
    const CRect rcCell = GetCellRect(nRow, nColumn);
    const CPoint centre = rcCell.CenterPoint();
    const CRect box(centre.x - 6, centre.y - 6, centre.x - 6 + kImageSize, centre.y - 6 + kImageSize);
    if (!box.PtInRect(point))
        return FALSE;
    const GridCellItem* pCell = pRow->FindCell(nColumn);
    if (pCell != nullptr && pCell->m_value.vt == VT_BOOL && pCell->m_value.boolVal != 0)
        return FALSE;
    if (!pRow->SetToggle(nRow, nColumn, TRUE))
        return FALSE;
    NotifyCellChanged(nRow, nColumn);
    InvalidateCell(nRow, nColumn);
    for (int r = 0; r < GetRowCount(); ++r) {
        if (r == nRow)
            continue;
        const GridCellItem* pOther = m_rows[static_cast<size_t>(r)]->FindCell(nColumn);
        if (pOther != nullptr && pOther->m_value.vt == VT_BOOL && pOther->m_value.boolVal != 0) {
            // The owner hears of this one too, so that a mirror of the values stays in step.
            if (m_rows[static_cast<size_t>(r)]->SetToggle(r, nColumn, FALSE)) {
                InvalidateCell(r, nColumn);
                NotifyCellChanged(r, nColumn);
            }
            break;
        }
    }
    return TRUE;
}

void CGridCtrl::OnSpaceKey()
{
    const GridColumnItem* pColumn = GetColumn(m_nCurrentColumn);
    if (pColumn == nullptr || GetRow(m_nCurrentRow) == nullptr)
        return;
    const CPoint centre = GetCellRect(m_nCurrentRow, m_nCurrentColumn).CenterPoint();
    switch (pColumn->m_nKind) {
    case GridColumnItem::kindCheck: OnClickCheck(m_nCurrentRow, m_nCurrentColumn, centre); break;
    case GridColumnItem::kindRadio: OnClickToggle(m_nCurrentRow, m_nCurrentColumn, centre); break;
    case GridColumnItem::kindCycle: OnClickCycle(m_nCurrentRow, m_nCurrentColumn); break;
    default: break;
    }
}

void CGridCtrl::OnDeleteKey()
{
    if (GetSelectedRowCount() > 0)
        return;
    if (m_nCurrentRow >= 0 && m_nCurrentColumn >= 0)
        ClearCell(m_nCurrentRow, m_nCurrentColumn);
}

// ---- keyboard --------------------------------------------------------------------------------

BOOL CGridCtrl::MoveCurrentCell(int nRow, int nColumn)
{
    nRow = std::max(0, std::min(nRow, GetRowCount() - 1));
    nColumn = std::max(0, std::min(nColumn, GetColumnCount() - 1));
    if (nRow == m_nCurrentRow && nColumn == m_nCurrentColumn)
        return FALSE;
    if (!SetCurrentCell(nRow, nColumn))
        return FALSE;
    EnsureCellVisible(nRow, nColumn);
    return TRUE;
}

void CGridCtrl::PageKey(BOOL bDown)
{
    if (bDown) {
        CRect rc;
        GetClientRect(&rc);
        if (GetRowRect(GetLastVisibleRow()).bottom < rc.bottom)
            return;
    }
    const BOOL bCurrent = m_nCurrentRow >= 0 && m_nCurrentColumn >= 0 ? TRUE : FALSE;
    const int dRow = bCurrent ? std::max(0, m_nCurrentRow - m_nTopRow) : 0;
    const int dColumn = bCurrent ? std::max(0, m_nCurrentColumn - m_nFirstColumn) : 0;
    ScrollVert(bDown ? SB_PAGEDOWN : SB_PAGEUP, 0);
    if (bCurrent)
        SetCurrentCell(std::min(m_nTopRow + dRow, GetRowCount() - 1), std::min(m_nFirstColumn + dColumn, GetColumnCount() - 1));
}

BOOL CGridCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        const UINT vk = static_cast<UINT>(pMsg->wParam);
        if (IsEditing()) {
            if (vk == VK_RETURN && m_nEditorKind != GridColumnItem::kindMultiLineText) {
                EndEdit(TRUE, TRUE);
                return TRUE;
            }
            if (vk == VK_ESCAPE) {
                EndEdit(FALSE, TRUE);
                return TRUE;
            }
            return CWnd::PreTranslateMessage(pMsg);
        }
        if (pMsg->hwnd != GetSafeHwnd())
            return CWnd::PreTranslateMessage(pMsg);
        switch (vk) {
        case VK_RETURN:
        case VK_F2:
            if (m_nCurrentRow >= 0 && m_nCurrentColumn >= 0)
                BeginEdit(m_nCurrentRow, m_nCurrentColumn);
            break;
        case VK_ESCAPE:
            if (m_bResizing) {
                SetColumnWidth(m_nResizeColumn, m_nResizeOldWidth);
                m_bResizing = FALSE;
                ReleaseCapture();
            }
            break;
        case VK_SPACE: OnSpaceKey(); break;
        case VK_DELETE: OnDeleteKey(); break;
        case VK_PRIOR: PageKey(FALSE); return TRUE;
        case VK_NEXT: PageKey(TRUE); return TRUE;
        case VK_HOME:
            if (m_nCurrentRow >= 0)
                MoveCurrentCell(m_nCurrentRow, 0);
            return TRUE;
        case VK_END:
            if (m_nCurrentRow >= 0)
                MoveCurrentCell(m_nCurrentRow, GetColumnCount() - 1);
            return TRUE;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: {
            if (m_rows.empty() || m_columns.empty())
                return TRUE;
            int row = std::max(m_nCurrentRow, 0);
            int column = std::max(m_nCurrentColumn, 0);
            if (m_nCurrentRow >= 0) {
                row += vk == VK_DOWN ? 1 : vk == VK_UP ? -1 : 0;
                column += vk == VK_RIGHT ? 1 : vk == VK_LEFT ? -1 : 0;
            }
            MoveCurrentCell(row, column);
            return TRUE;
        }
        default:
            break;
        }
    } else if (pMsg->message == WM_SYSKEYDOWN && !IsEditing() && pMsg->hwnd == GetSafeHwnd()) {
        if (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) {
            ScrollHorz(pMsg->wParam == VK_PRIOR ? SB_PAGELEFT : SB_PAGERIGHT, 0);
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const GridColumnItem* pColumn = GetColumn(m_nCurrentColumn);
    if (nChar >= 0x20 && nChar != 0x7F && !IsEditing() && pColumn != nullptr && GetRow(m_nCurrentRow) != nullptr &&
        IsTypingKind(pColumn->m_nKind)) {
        if (BeginEdit(m_nCurrentRow, m_nCurrentColumn) && m_pEditor != nullptr) {
            // The typed character replaces the loaded text, the caret after it.
            CString text;
            text += static_cast<TCHAR>(nChar);
            m_pEditor->SetWindowText(text);
            if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor))
                pCombo->SetEditSel(text.GetLength(), text.GetLength());
            else if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor))
                pEdit->SetSel(text.GetLength(), text.GetLength());
        }
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

UINT CGridCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CGridCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    SetImeForColumn();
}

void CGridCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    // Leaving the grid and its editor for another window closes the input method again.
    if (m_hImc != nullptr && (pNewWnd == nullptr || !IsChild(pNewWnd)))
        ImmSetOpenStatus(m_hImc, FALSE);
}

BOOL CGridCtrl::SetImeForColumn()
{
    const GridColumnItem* pColumn = GetColumn(m_nCurrentColumn);
    const GridRowItem* pRow = GetRow(m_nCurrentRow);
    if (!m_bImeControl || pColumn == nullptr || pRow == nullptr || !pRow->IsCellEnabled(m_nCurrentColumn))
        return FALSE;
    if (pColumn->m_nImeMode != 1 && pColumn->m_nImeMode != 2)
        return TRUE;
    if (m_hImc == nullptr && GetSafeHwnd() != nullptr) {
        m_hImc = ImmCreateContext();
        ImmAssociateContext(GetSafeHwnd(), m_hImc);
    }
    ImmSetOpenStatus(m_hImc, pColumn->m_nImeMode == 2 ? TRUE : FALSE);
    ApplyImeToEditor();
    return TRUE;
}

void CGridCtrl::ApplyImeToEditor()
{
    // Desktop input methods cannot be switched by a program; a closed one is kept away from the editor
    // (and the grid, where typing starts an edit), so that keys arrive as typed.
    const BOOL bOpen = m_hImc == nullptr || ImmGetOpenStatus(m_hImc);
    GetQWidget()->setAttribute(Qt::WA_InputMethodEnabled, bOpen != FALSE);
    if (m_pEditor != nullptr && m_pEditor->GetQWidget() != nullptr) {
        QWidget* pEditor = m_pEditor->GetQWidget();
        pEditor->setAttribute(Qt::WA_InputMethodEnabled, bOpen != FALSE);
        for (QWidget* pChild : pEditor->findChildren<QWidget*>())
            pChild->setAttribute(Qt::WA_InputMethodEnabled, bOpen != FALSE);
    }
}

// ---- mouse -----------------------------------------------------------------------------------

void CGridCtrl::EndMouseModes()
{
    if (m_bRowDrag || m_bCellTracking)
        KillTimer(kTimer);
    m_bRowDrag = FALSE;
    m_bCellTracking = FALSE;
    m_bHeaderPressed = FALSE;
    m_bResizing = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    Default();
    SetFocus();
    const BOOL bShift = (nFlags & MK_SHIFT) != 0 ? TRUE : FALSE;
    const BOOL bCtrl = (nFlags & MK_CONTROL) != 0 ? TRUE : FALSE;
    const BOOL bAdditive = bShift || bCtrl;
    int row = -1;
    int column = -1;
    const int area = HitTest(point, row, column);
    if (!bAdditive && (area == areaRowHeader || area == areaNone))
        SelectAllRows(FALSE);
    if (IsEditing())
        EndEdit(TRUE, TRUE);
    switch (area) {
    case areaColumnHeader:
        if (m_bHeaderNotify && column >= 0) {
            m_bHeaderPressed = TRUE;
            m_bPressedHot = TRUE;
            m_nPressedColumn = column;
            CRect rc = GetColumnHeaderRect(column);
            InvalidateRect(&rc, FALSE);
            SetCapture();
        }
        break;
    case areaColumnBorder:
        m_bResizing = TRUE;
        m_nResizeColumn = column;
        m_nResizeOldWidth = GetColumn(column)->m_nWidth;
        SetCapture();
        break;
    case areaRowHeader:
        if (row < 0)
            break;
        if (bShift && m_nCurrentRow >= 0) {
            for (int r = std::min(m_nCurrentRow, row); r <= std::max(m_nCurrentRow, row); ++r)
                SelectRow(r, TRUE);
        } else {
            SelectRow(row, bCtrl ? !IsRowSelected(row) : TRUE);
        }
        EnsureRowVisible(row);
        if (m_nCurrentColumn >= 0)
            SetCurrentCell(row, m_nCurrentColumn);
        if (m_bMultiSelect) {
            m_bRowDrag = TRUE;
            m_nDragAnchor = row;
            m_nDragLast = row;
            SetCapture();
            SetTimer(kTimer, kRowDragInterval, nullptr);
        }
        break;
    case areaCorner:
        SelectAllRows(AreAllRowsSelected() ? FALSE : TRUE);
        break;
    case areaCell: {
        BOOL bEditing = FALSE;
        if (row == m_nCurrentRow && column == m_nCurrentColumn)
            bEditing = BeginEdit(row, column);
        else
            SetCurrentCell(row, column);
        const int kind = GetColumn(column)->m_nKind;
        BOOL bChanged = FALSE;
        if (kind == GridColumnItem::kindCheck)
            bChanged = OnClickCheck(row, column, point);
        else if (kind == GridColumnItem::kindCycle)
            bChanged = OnClickCycle(row, column);
        else if (kind == GridColumnItem::kindRadio)
            bChanged = OnClickToggle(row, column, point);
        if (bChanged)
            break;
        if (GetSelectedRowCount() > 0)
            SelectAllRows(FALSE);
        if (!bEditing) {
            m_bCellTracking = TRUE;
            SetCapture();
            SetTimer(kTimer, kTrackingInterval, nullptr);
        }
        break;
    }
    default:
        break;
    }
}

BOOL CGridCtrl::ExtendDragSelection(int nRow)
{
    if (!m_bMultiSelect || !m_bRowDrag || GetRow(nRow) == nullptr)
        return FALSE;
    const int lo = std::min(m_nDragAnchor, nRow);
    const int hi = std::max(m_nDragAnchor, nRow);
    const int oldLo = std::min(m_nDragAnchor, m_nDragLast);
    const int oldHi = std::max(m_nDragAnchor, m_nDragLast);
    for (int r = oldLo; r <= oldHi; ++r) {
        if (r < lo || r > hi)
            SelectRow(r, FALSE);
    }
    for (int r = lo; r <= hi; ++r)
        SelectRow(r, TRUE);
    if (m_nCurrentColumn >= 0)
        SetCurrentCell(nRow, m_nCurrentColumn);
    m_nDragLast = nRow;
    return TRUE;
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
        // Another cell under the pointer: the tip of the last one goes, the next one asks anew.
        int row = -1;
        int column = -1;
        HitTest(point, row, column);
        if (row != m_nTipRow || column != m_nTipColumn) {
            m_pToolTip->Pop();
            m_nTipRow = -1;
            m_nTipColumn = -1;
        }
        m_ptLastMouse = point;
        MSG relay{};
        relay.hwnd = GetSafeHwnd();
        relay.message = WM_MOUSEMOVE;
        relay.wParam = nFlags;
        relay.lParam = MAKELPARAM(point.x, point.y);
        m_pToolTip->RelayEvent(&relay);
    }
    if (m_bRowDrag) {
        const int last = GetLastVisibleRow();
        for (int r = m_nTopRow; r <= last; ++r) {
            const CRect rc = GetRowRect(r);
            if (point.y > rc.top && point.y <= rc.bottom) {
                if (r != m_nDragLast)
                    ExtendDragSelection(r);
                break;
            }
        }
    } else if (m_bCellTracking) {
        int row = -1;
        int column = -1;
        const int area = HitTest(point, row, column);
        if (area != areaNone && row >= 0 && column >= 0)
            SetCurrentCell(row, column);
    } else if (m_bResizing) {
        CRect rc;
        GetClientRect(&rc);
        const int left = ColumnLeft(m_nResizeColumn);
        if (point.x > left && point.x < rc.right)
            SetColumnWidth(m_nResizeColumn, point.x - left);
    } else if (m_bHeaderPressed) {
        int row = -1;
        int column = -1;
        const int area = HitTest(point, row, column);
        const BOOL bHot = (area == areaColumnHeader || area == areaColumnBorder) && column == m_nPressedColumn;
        if (bHot != m_bPressedHot) {
            m_bPressedHot = bHot;
            CRect rc = GetColumnHeaderRect(m_nPressedColumn);
            InvalidateRect(&rc, FALSE);
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bPressed = m_bHeaderPressed;
    const int pressed = m_nPressedColumn;
    if (m_bRowDrag || m_bCellTracking)
        KillTimer(kTimer);
    m_bRowDrag = FALSE;
    m_bCellTracking = FALSE;
    m_bResizing = FALSE;
    m_bHeaderPressed = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (bPressed) {
        int row = -1;
        int column = -1;
        const int area = HitTest(point, row, column);
        if ((area == areaColumnHeader || area == areaColumnBorder) && column == pressed)
            OnHeaderClick(pressed);
        CRect rc = GetColumnHeaderRect(pressed);
        InvalidateRect(&rc, FALSE);
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    int row = -1;
    int column = -1;
    const int area = HitTest(point, row, column);
    if (area == areaColumnBorder) {
        AutoSizeColumn(column);
    } else if (area == areaCell) {
        if (GetColumn(column)->m_nKind == GridColumnItem::kindReadOnly)
            SendCellNotify(GridCellNotify::kReadOnlyDblClk, row, column);
        else
            BeginEdit(row, column);
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    const BOOL bAdditive = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0 ? TRUE : FALSE;
    int row = -1;
    int column = -1;
    const int area = HitTest(point, row, column);
    if (!bAdditive && (area == areaNone || (area == areaRowHeader && (row < 0 || !IsRowSelected(row)))))
        SelectAllRows(FALSE);
    if (IsEditing())
        EndEdit(TRUE, TRUE);
    if (area == areaCell) {
        SetCurrentCell(row, column);
        if (!IsRowSelected(row) && GetSelectedRowCount() > 0)
            SelectAllRows(FALSE);
    } else if (area == areaRowHeader && row >= 0) {
        SelectRow(row, TRUE);
        EnsureRowVisible(row);
        if (m_nCurrentColumn >= 0)
            SetCurrentCell(row, m_nCurrentColumn);
    } else if (area == areaCorner) {
        SelectAllRows(AreAllRowsSelected() ? FALSE : TRUE);
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimer || (!m_bRowDrag && !m_bCellTracking)) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    CRect rc;
    GetClientRect(&rc);
    int row = -1;
    int column = -1;
    const int area = HitTest(point, row, column);
    int dRow = 0;
    int dColumn = 0;
    if (area == areaColumnHeader || area == areaColumnBorder) {
        dRow = -1;
    } else if (area == areaCorner) {
        dRow = -1;
        dColumn = -1;
    } else if (area == areaRowHeader && m_bCellTracking) {
        dColumn = -1;
    } else if (!rc.PtInRect(point)) {
        dColumn = point.x < rc.left ? -1 : point.x >= rc.right ? 1 : 0;
        if (point.y < rc.top)
            dRow = -1;
        else if (point.y >= rc.bottom)
            dRow = m_bCellTracking ? 1 : point.y - rc.bottom > 60 ? 10 : point.y - rc.bottom > 30 ? 5 : 1;
    }
    if (dRow == 0 && dColumn == 0)
        return;
    const int top = std::max(0, std::min(m_nTopRow + dRow, GetRowCount() - 1));
    const int first = std::max(0, std::min(m_nFirstColumn + dColumn, GetColumnCount() - 1));
    const int oldTop = m_nTopRow;
    if (!SetTopLeftCell(top, first))
        return;
    const int moved = m_nTopRow - oldTop;
    if (m_bRowDrag) {
        const int target = moved < 0 ? std::max(0, m_nDragLast + moved) : std::min(GetRowCount() - 1, GetLastVisibleRow());
        ExtendDragSelection(moved < 0 ? std::min(target, m_nTopRow) : target);
    } else if (m_nCurrentRow >= 0) {
        SetCurrentCell(std::max(0, std::min(m_nCurrentRow + moved, GetRowCount() - 1)),
                       std::max(0, std::min(m_nCurrentColumn + dColumn, GetColumnCount() - 1)));
    }
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        int row = -1;
        int column = -1;
        const int area = HitTest(point, row, column);
        if (m_bResizing || area == areaColumnBorder) {
            ::SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        if (area == areaRowHeader || area == areaCorner) {
            HCURSOR hCursor = AfxLoadCursorResource(kRowHeaderCursor);
            if (hCursor != nullptr) {
                ::SetCursor(hCursor);
                return TRUE;
            }
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CGridCtrl::OnCancelMode()
{
    DestroyEditor();
    if (m_bResizing)
        SetColumnWidth(m_nResizeColumn, m_nResizeOldWidth);
    EndMouseModes();
    CWnd::OnCancelMode();
}
