#include "controls/CColorCellsCtrl.h"

#include "libs/vevure/ColorFeatureTable.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"

IMPLEMENT_DYNAMIC(CColorCellsCtrl, CStatic)

BEGIN_MESSAGE_MAP(CColorCellsCtrl, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CColorCellsCtrl::CColorCellsCtrl() = default;

CColorCellsCtrl::~CColorCellsCtrl()
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.DestroyWindow();
}

void CColorCellsCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // Clicks reach the control only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);
}

BOOL CColorCellsCtrl::Initialize(const ColorFeatureTable* pTable, int nFirst, int nLast, int nPerLine, BOOL bRowMajor)
{
    if (nPerLine < 1 || nLast < nFirst)
        return FALSE;
    m_pTable = pTable;
    m_nFirst = nFirst;
    m_nLast = nLast;
    m_nPerLine = nPerLine;
    m_bRowMajor = bRowMajor;
    m_nCurrentNo = nFirst;
    ResetTools();
    m_cells.clear();

    const int count = nLast - nFirst + 1;
    m_cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int line = i / nPerLine;
        const int place = i % nPerLine;
        const int column = bRowMajor ? place : line;
        const int row = bRowMajor ? line : place;
        ColorCellFeature cell;
        cell.rect.SetRect(column * kCellSize, row * kCellSize, (column + 1) * kCellSize, (row + 1) * kCellSize);
        cell.number = nFirst + i;
        m_cells.push_back(cell);
    }

    if (GetSafeHwnd() != nullptr) {
        if (m_toolTip.GetSafeHwnd() == nullptr)
            m_toolTip.Create(this, 9);
        if (m_toolTip.GetSafeHwnd() != nullptr) {
            m_toolTip.Activate(TRUE);
            m_toolTip.SetMaxTipWidth(32767);
            m_toolTip.SetDelayTime(TTDT_AUTOPOP, 32767);
            m_toolTip.SetDelayTime(TTDT_INITIAL, 100);
            m_toolTip.SetDelayTime(TTDT_RESHOW, 100);
            // The texts are asked for when a tip shows, so a changed table shows its new colours.
            for (const ColorCellFeature& cell : m_cells) {
                CRect tool(cell.rect);
                tool.DeflateRect(3, 3);
                m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, &tool, static_cast<UINT_PTR>(cell.number));
            }
        }
        Redraw();
    }
    return TRUE;
}

void CColorCellsCtrl::ResetTools()
{
    if (m_toolTip.GetSafeHwnd() == nullptr)
        return;
    for (const ColorCellFeature& cell : m_cells)
        m_toolTip.DelTool(this, static_cast<UINT_PTR>(cell.number));
}

void CColorCellsCtrl::SetCurSel(int nNumber)
{
    m_nCurrentNo = nNumber;
    Redraw();
}

void CColorCellsCtrl::SetShowSelection(BOOL bShow)
{
    m_bShowSelection = bShow;
    Redraw();
}

void CColorCellsCtrl::Redraw()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CColorCellsCtrl::HitTest(CPoint point) const
{
    CRect client;
    if (GetSafeHwnd() != nullptr) {
        GetClientRect(&client);
        if (!client.PtInRect(point))
            return -1;
    }
    for (const ColorCellFeature& cell : m_cells)
        if (cell.rect.PtInRect(point))
            return cell.number;
    return -1;
}

CString CColorCellsCtrl::GetTipText(int nNumber) const
{
    CString text;
    if (m_pTable == nullptr)
        return text;
    const COLORREF rgb = m_pTable->GetColorRef(static_cast<short>(nNumber));
    if (nNumber <= 16) {
        const CString name = m_pTable->GetColorName(static_cast<short>(nNumber));
        text.Format(u"%d: %s\n(R: %d, G: %d, B: %d)", nNumber, static_cast<LPCTSTR>(name), GetRValue(rgb),
                    GetGValue(rgb), GetBValue(rgb));
    } else {
        text.Format(u"%d: (R: %d, G: %d, B: %d)", nNumber, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    }
    return text;
}

BOOL CColorCellsCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == TTN_GETDISPINFO && m_toolTip.GetSafeHwnd() != nullptr &&
        pHeader->hwndFrom == m_toolTip.GetSafeHwnd()) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFO*>(lParam);
        // The whole text, however long: the record's own buffer would cut it at 79 characters.
        m_strTip = GetTipText(static_cast<int>(pHeader->idFrom));
        pInfo->lpszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(m_strTip));
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CStatic::OnNotify(wParam, lParam, pResult);
}

BOOL CColorCellsCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr)
        return FALSE;
    if ((pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP ||
         pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONUP || pMsg->message == WM_MBUTTONDOWN ||
         pMsg->message == WM_MBUTTONUP) &&
        m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == GetSafeHwnd()) {
        int step = 0;
        switch (pMsg->wParam) {
            case VK_LEFT: step = m_bRowMajor ? -1 : -m_nPerLine; break;
            case VK_RIGHT: step = m_bRowMajor ? 1 : m_nPerLine; break;
            case VK_UP: step = m_bRowMajor ? -m_nPerLine : -1; break;
            case VK_DOWN: step = m_bRowMajor ? m_nPerLine : 1; break;
            default: break;
        }
        if (step != 0) {
            const int next = m_nCurrentNo + step;
            if (next >= m_nFirst && next <= m_nLast) {
                m_nCurrentNo = next;
                Redraw();
                NotifyParent();
                return TRUE;
            }
        }
    }
    return CStatic::PreTranslateMessage(pMsg);
}

void CColorCellsCtrl::NotifyParent()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr || GetSafeHwnd() == nullptr)
        return;
    NMHDR header{};
    header.hwndFrom = GetSafeHwnd();
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = kNotifyCode;
    pParent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CColorCellsCtrl::Pick(CPoint point)
{
    const int number = HitTest(point);
    if (number >= 0) {
        m_nCurrentNo = number;
        NotifyParent();
    }
    SetFocus();
    Redraw();
}

void CColorCellsCtrl::OnLButtonDown(UINT, CPoint point) { Pick(point); }
void CColorCellsCtrl::OnRButtonDown(UINT, CPoint point) { Pick(point); }
void CColorCellsCtrl::OnMButtonDown(UINT, CPoint point) { Pick(point); }

void CColorCellsCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    Redraw();
    NotifyParent();
}

void CColorCellsCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CStatic::OnKillFocus(pNewWnd);
    Redraw();
    NotifyParent();
}

void CColorCellsCtrl::OnDestroy()
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.DestroyWindow();
    CStatic::OnDestroy();
}

BOOL CColorCellsCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CColorCellsCtrl::DrawCell(CDC* pDC, const ColorCellFeature& cell) const
{
    if (m_pTable == nullptr)
        return;
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    CRect r(cell.rect);
    if (m_bShowSelection && cell.number == m_nCurrentNo) {
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
        CBrush frame(GetSysColor(COLOR_ACTIVECAPTION));
        pDC->FrameRect(&r, &frame);
    } else {
        pDC->FillSolidRect(&r, light);
    }
    r.DeflateRect(3, 3);
    CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
    pDC->FrameRect(&r, &shadow);
    r.DeflateRect(1, 1);
    pDC->FillSolidRect(&r, m_pTable->GetColorRef(static_cast<short>(cell.number)) & 0x00FFFFFF);
}

void CColorCellsCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_3DLIGHT));
    for (const ColorCellFeature& cell : m_cells)
        DrawCell(&dc, cell);
}
