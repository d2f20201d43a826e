#include "controls/CSelectUserColorWnd.h"

#include "controls/CSelectColorWnd.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"

IMPLEMENT_DYNAMIC(CSelectUserColorWnd, CWnd)

BEGIN_MESSAGE_MAP(CSelectUserColorWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSelectUserColorWnd::CSelectUserColorWnd(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CSelectUserColorWnd::~CSelectUserColorWnd() = default;

CPoint CSelectUserColorWnd::ComputePosition(const RECT& parentRect, const RECT& workArea)
{
    CPoint pos(parentRect.left, parentRect.bottom);
    if (parentRect.right - parentRect.left < kWidth && parentRect.left + kWidth > workArea.right)
        pos.x = parentRect.right - kWidth;
    if (parentRect.bottom - parentRect.top < kHeight && parentRect.bottom + kHeight > workArea.bottom)
        pos.y = parentRect.top - kHeight;
    return pos;
}

CRect CSelectUserColorWnd::GetCellRect(int nNumber) const
{
    for (const ColorCellFeature& cell : m_cells)
        if (cell.number == nNumber)
            return cell.rect;
    return CRect();
}

BOOL CSelectUserColorWnd::Create(const RECT& parentPopupRect, CSelectColorWnd* pParent,
                                 const ColorFeatureTable* pTable)
{
    m_pParentPopup = pParent;
    m_pTable = pTable;
    m_nColumns = (kLast - kFirst + 1) / kRows;
    m_nResultNo = m_nCurrentNo;
    m_rectBlock.SetRect(2, 2, 2 + m_nColumns * m_nCellWidth, 2 + kRows * m_nCellHeight);
    m_cells.clear();
    for (int i = 0; i <= kLast - kFirst; ++i) {
        ColorCellFeature cell;
        const int column = i / kRows;
        const int row = i % kRows;
        cell.rect.SetRect(m_rectBlock.left + column * m_nCellWidth, m_rectBlock.top + row * m_nCellHeight,
                          m_rectBlock.left + (column + 1) * m_nCellWidth, m_rectBlock.top + (row + 1) * m_nCellHeight);
        cell.number = kFirst + i;
        m_cells.push_back(cell);
    }
    CRect work(0, 0, 1920, 1080);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const CPoint pos = ComputePosition(parentPopupRect, work);
    const LPCTSTR cls = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS);
    if (!CWnd::CreateEx(0, cls, u"", WS_POPUP | WS_DLGFRAME | WS_TABSTOP, pos.x, pos.y, kWidth, kHeight,
                        pParent != nullptr ? pParent->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    if (pParent != nullptr)
        SetFont(pParent->GetFont(), FALSE);
    if (m_toolTip.Create(this, 1)) {
        m_toolTip.Activate(TRUE);
        m_toolTip.SetMaxTipWidth(32767);
        m_toolTip.SetDelayTime(TTDT_AUTOPOP, 32767);
        m_toolTip.SetDelayTime(TTDT_INITIAL, 100);
        m_toolTip.SetDelayTime(TTDT_RESHOW, 100);
        // The texts are made when a tip shows, not for all 240 cells each time the palette opens.
        for (const ColorCellFeature& cell : m_cells)
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, &cell.rect, static_cast<UINT_PTR>(cell.number));
    }
    return TRUE;
}

BOOL CSelectUserColorWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CSelectColorWnd::AnswerTipText(this, m_toolTip, m_pTable, m_bShowNumber, m_bShowName, lParam, m_strTip)) {
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CSelectUserColorWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CSelectUserColorWnd::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message >= WM_MOUSEMOVE && pMsg->message <= WM_MBUTTONUP) && m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

int CSelectUserColorWnd::HitTest(CPoint point) const
{
    for (const ColorCellFeature& cell : m_cells)
        if (cell.rect.PtInRect(point))
            return cell.number;
    return 0;
}

void CSelectUserColorWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    if (m_pParentPopup == nullptr)
        return;
    for (const ColorCellFeature& cell : m_cells) {
        // The first palette paints cells the same way; its current number is ours.
        const int saved = m_pParentPopup->GetCurrentNo();
        m_pParentPopup->SetCurrentNo(m_nCurrentNo);
        m_pParentPopup->DrawItem(&dc, cell.rect, cell.number, m_bHotPressed, m_nHot == cell.number);
        m_pParentPopup->SetCurrentNo(saved);
    }
}

void CSelectUserColorWnd::Track(CPoint point, BOOL bPressed)
{
    m_nResultNo = m_nCurrentNo;
    const int hit = HitTest(point);
    if (hit != 0)
        m_nResultNo = hit;
    if (hit != m_nHot || bPressed != m_bHotPressed) {
        m_nHot = hit;
        m_bHotPressed = bPressed;
        Invalidate(FALSE);
    }
}

BOOL CSelectUserColorWnd::HandBack(UINT message, UINT nFlags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point) || m_pParentPopup == nullptr || m_pParentPopup->GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_nHot != 0) {
        m_nHot = 0;
        Invalidate(FALSE);
    }
    m_pParentPopup->SetCapture();
    CPoint p(point);
    ClientToScreen(&p);
    m_pParentPopup->ScreenToClient(&p);
    m_pParentPopup->SendMessage(message, nFlags, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    return TRUE;
}

void CSelectUserColorWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (HandBack(WM_MOUSEMOVE, nFlags, point))
        return;
    Track(point, (nFlags & MK_LBUTTON) != 0);
}

void CSelectUserColorWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press outside reaches the first palette, which cancels.
    if (HandBack(WM_LBUTTONDOWN, nFlags, point))
        return;
    Track(point, TRUE);
}

void CSelectUserColorWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    Track(point, FALSE);
    if (m_rectBlock.PtInRect(point) && m_pParentPopup != nullptr)
        m_pParentPopup->EndSelection(m_nResultNo);
}
