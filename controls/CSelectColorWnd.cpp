#include "controls/CSelectColorWnd.h"

#include "controls/CSelectUserColorWnd.h"
#include "controls/ControlsServices.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"

IMPLEMENT_DYNAMIC(CSelectColorWnd, CWnd)

BEGIN_MESSAGE_MAP(CSelectColorWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CSelectColorWnd::CSelectColorWnd(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CSelectColorWnd::~CSelectColorWnd()
{
    if (m_pUserColorWnd && m_pUserColorWnd->GetSafeHwnd() != nullptr)
        m_pUserColorWnd->DestroyWindow();
}

int CSelectColorWnd::GetClientHeight(BOOL bLayerButton) { return 2 * kCellSize + (bLayerButton ? 62 : 33); }

CPoint CSelectColorWnd::ComputePosition(const RECT& anchor, const RECT& workArea, int width, int height)
{
    CPoint pos(anchor.left, anchor.bottom);
    if (anchor.right - anchor.left < width && anchor.left + width > workArea.right)
        pos.x = anchor.right - width;
    if (anchor.bottom + height > workArea.bottom)
        pos.y = anchor.top - height - 6;
    return pos;
}

CString CSelectColorWnd::GetTipText(const ColorFeatureTable* pTable, int nNumber, BOOL bShowNumber, BOOL bShowName)
{
    CString text;
    if (pTable == nullptr)
        return text;
    const COLORREF rgb = pTable->GetColorRef(static_cast<short>(nNumber));
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const CString name = pTable->GetColorName(static_cast<short>(nNumber));
    if (bShowNumber && bShowName)
        text.Format(u"%d: %s\n(R: %d, G: %d, B: %d)", nNumber, static_cast<LPCTSTR>(name), r, g, b);
    else if (bShowNumber)
        text.Format(u"%d: (R: %d, G: %d, B: %d)", nNumber, r, g, b);
    else if (bShowName)
        text.Format(u"%s(R: %d, G: %d, B: %d)", static_cast<LPCTSTR>(name), r, g, b);
    else
        text.Format(u"(R: %d, G: %d, B: %d)", r, g, b);
    return text;
}

void CSelectColorWnd::Layout(int nHeight)
{
    (void)nHeight;
    int top = 2;
    if (m_bLayerButton) {
        m_rectLayer.SetRect(2, 2, 150, 26);
        top = 31;
    } else {
        m_rectLayer.SetRectEmpty();
    }
    m_rectColors.SetRect(2, top, 156, top + m_nRows * m_nCellHeight);
    m_cells.clear();
    for (int i = 0; i < 16; ++i) {
        ColorCellFeature cell;
        const int row = i / m_nCellsPerRow;
        const int column = i % m_nCellsPerRow;
        cell.rect.SetRect(m_rectColors.left + column * m_nCellWidth, m_rectColors.top + row * m_nCellHeight,
                          m_rectColors.left + (column + 1) * m_nCellWidth, m_rectColors.top + (row + 1) * m_nCellHeight);
        cell.number = i + 1;
        m_cells.push_back(cell);
    }
    m_rectOther.SetRect(2, m_rectColors.bottom + 5, 150, m_rectColors.bottom + 5 + 24);
}

BOOL CSelectColorWnd::Create(const RECT& comboRect, CWnd* pCombo, int nReserved, const ColorFeatureTable* pTable)
{
    (void)nReserved;
    m_pCombo = pCombo;
    m_pTable = pTable;
    m_rectCombo = comboRect;
    m_nRows = 16 / m_nCellsPerRow;
    m_nResultNo = m_nCurrentNo;
    const int height = GetClientHeight(m_bLayerButton);
    Layout(height);

    CRect work(0, 0, 1920, 1080);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const CPoint pos = ComputePosition(comboRect, work, kWidth, height);
    const LPCTSTR cls = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS);
    if (!CWnd::CreateEx(0, cls, u"", WS_POPUP | WS_DLGFRAME | WS_TABSTOP, pos.x, pos.y, kWidth, height + 6,
                        pCombo != nullptr ? pCombo->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    if (pCombo != nullptr)
        SetFont(pCombo->GetFont(), FALSE);

    if (m_toolTip.Create(this, 9)) {
        m_toolTip.Activate(TRUE);
        m_toolTip.SetMaxTipWidth(32767);
        m_toolTip.SetDelayTime(TTDT_AUTOPOP, 32767);
        m_toolTip.SetDelayTime(TTDT_INITIAL, 100);
        m_toolTip.SetDelayTime(TTDT_RESHOW, 100);
        // The texts are made when a tip shows, not for every cell each time the palette opens.
        for (const ColorCellFeature& cell : m_cells)
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, &cell.rect, static_cast<UINT_PTR>(cell.number));
    }
    ShowWindow(SW_SHOWNA);
    SetCapture();
    return TRUE;
}

BOOL CSelectColorWnd::AnswerTipText(CWnd* pOwner, const CToolTipCtrl& tip, const ColorFeatureTable* pTable,
                                    BOOL bShowNumber, BOOL bShowName, LPARAM lParam, CString& strKeep)
{
    (void)pOwner;
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader == nullptr || pHeader->code != TTN_GETDISPINFO || tip.GetSafeHwnd() == nullptr ||
        pHeader->hwndFrom != tip.GetSafeHwnd())
        return FALSE;
    // The whole text, however long: the record's own buffer would cut it at 79 characters.
    strKeep = GetTipText(pTable, static_cast<int>(pHeader->idFrom), bShowNumber, bShowName);
    reinterpret_cast<NMTTDISPINFO*>(lParam)->lpszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(strKeep));
    return TRUE;
}

BOOL CSelectColorWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (AnswerTipText(this, m_toolTip, m_pTable, m_bShowNumber, m_bShowName, lParam, m_strTip)) {
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CSelectColorWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CSelectColorWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP ||
        pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONUP || pMsg->message == WM_MBUTTONDOWN ||
        pMsg->message == WM_MBUTTONUP) {
        if (m_toolTip.GetSafeHwnd() != nullptr)
            m_toolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

int CSelectColorWnd::HitTest(CPoint point) const
{
    if (m_bLayerButton && m_rectLayer.PtInRect(point))
        return kLayerButton;
    for (const ColorCellFeature& cell : m_cells)
        if (cell.rect.PtInRect(point))
            return cell.number;
    if (m_rectOther.PtInRect(point))
        return kOtherButton;
    return kNoItem;
}

void CSelectColorWnd::FillChecker(CDC* pDC, const CRect& rect)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    pDC->FillSolidRect(&rect, face);
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left + ((y + 1) & 1); x < rect.right; x += 2)
            pDC->SetPixelV(x, y, light);
}

void CSelectColorWnd::DrawItem(CDC* pDC, const CRect& rect, int nCode, BOOL bPressed, BOOL bHot)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    if (nCode == kOtherButton && m_pUserColorWnd && m_pUserColorWnd->GetSafeHwnd() != nullptr) {
        pDC->FillSolidRect(&rect, face);
        pDC->Draw3dRect(&rect, shadow, light);
    } else if (nCode != m_nCurrentNo) {
        pDC->FillSolidRect(&rect, face);
        if (bHot)
            pDC->Draw3dRect(&rect, bPressed ? shadow : light, bPressed ? light : shadow);
    } else {
        if (bHot)
            pDC->FillSolidRect(&rect, face);
        else
            FillChecker(pDC, rect);
        pDC->Draw3dRect(&rect, shadow, light);
    }
    if (nCode == kLayerButton || nCode == kOtherButton) {
        const CString text = ControlsServices::LoadString(
            nCode == kLayerButton ? 10373 : (m_bUserColorMode ? 10374 : 10375));
        CFont* pOld = GetFont() != nullptr ? pDC->SelectObject(GetFont()) : nullptr;
        pDC->SetTextColor(GetSysColor(COLOR_BTNTEXT));
        CRect r(rect);
        pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (pOld != nullptr)
            pDC->SelectObject(pOld);
    } else if (m_pTable != nullptr) {
        CRect r(rect);
        r.DeflateRect(3, 3);
        CBrush frame(shadow);
        pDC->FrameRect(&r, &frame);
        r.DeflateRect(1, 1);
        pDC->FillSolidRect(&r, m_pTable->GetColorRef(static_cast<short>(nCode)));
    }
    pDC->RestoreDC(saved);
}

void CSelectColorWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    auto etched = [&](const CRect& under) {
        const CRect line(under.left, under.bottom + 2, under.right - 2, under.bottom + 4);
        dc.FillSolidRect(line.left, line.top, line.Width(), 1, GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(line.left, line.top + 1, line.Width(), 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    };
    if (m_bLayerButton) {
        DrawItem(&dc, m_rectLayer, kLayerButton, m_bHotPressed, m_nHot == kLayerButton);
        etched(m_rectLayer);
    }
    for (const ColorCellFeature& cell : m_cells)
        DrawItem(&dc, cell.rect, cell.number, m_bHotPressed, m_nHot == cell.number);
    etched(m_rectColors);
    DrawItem(&dc, m_rectOther, kOtherButton, m_bHotPressed, m_nHot == kOtherButton);
}

void CSelectColorWnd::Track(CPoint point, BOOL bPressed)
{
    m_nResultNo = m_nCurrentNo;
    const int hit = HitTest(point);
    if (hit != kOtherButton && hit != kNoItem)
        m_nResultNo = hit;
    if (hit != m_nHot || bPressed != m_bHotPressed) {
        m_nHot = hit;
        m_bHotPressed = bPressed;
        Invalidate(FALSE);
    }
}

BOOL CSelectColorWnd::IsInUserColorWnd(CPoint client) const
{
    if (!m_pUserColorWnd || m_pUserColorWnd->GetSafeHwnd() == nullptr || !m_pUserColorWnd->IsWindowVisible())
        return FALSE;
    CPoint screen(client);
    ClientToScreen(&screen);
    CRect rect;
    m_pUserColorWnd->GetWindowRect(&rect);
    return rect.PtInRect(screen);
}

void CSelectColorWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bEnded)
        return;
    if (IsInUserColorWnd(point)) {
        m_pUserColorWnd->SetCapture();
        return;
    }
    Track(point, (nFlags & MK_LBUTTON) != 0);
}

void CSelectColorWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_bEnded)
        return;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && !IsInUserColorWnd(point)) {
        Cancel();
        return;
    }
    Track(point, TRUE);
}

void CSelectColorWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_bEnded)
        return;
    Track(point, FALSE);
    if (m_bLayerButton && m_rectLayer.PtInRect(point)) {
        EndSelection(0);
    } else if (m_rectColors.PtInRect(point)) {
        EndSelection(m_nResultNo);
    } else if (m_rectOther.PtInRect(point)) {
        if (m_bUserColorMode)
            EndSelection(-1);
        else
            OpenUserColorWnd();
    }
}

void CSelectColorWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    (void)bActive;
    (void)dwThreadID;
    // Another program's turn: give the mouse back, in every mode.
    if (!m_bEnded)
        Cancel();
}

void CSelectColorWnd::OpenUserColorWnd()
{
    if (!m_pUserColorWnd) {
        m_pUserColorWnd = std::make_unique<CSelectUserColorWnd>(FALSE);
        m_pUserColorWnd->SetShowNumber(m_bShowNumber);
        m_pUserColorWnd->SetShowName(FALSE);
        CRect rect;
        GetWindowRect(&rect);
        if (!m_pUserColorWnd->Create(rect, this, m_pTable)) {
            m_pUserColorWnd.reset();
            return;
        }
        m_pUserColorWnd->SetOwner(this);
    }
    m_pUserColorWnd->SetCurrentNo(m_nCurrentNo);
    m_pUserColorWnd->ShowWindow(SW_SHOWNA);
    Invalidate(FALSE);
}

void CSelectColorWnd::SendToOwner(UINT message, int nNumber)
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = m_pCombo;
    if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
        pTarget->SendMessage(message, static_cast<WPARAM>(static_cast<INT_PTR>(nNumber)), 0);
}

void CSelectColorWnd::Cancel() { EndSelection(-2); }

void CSelectColorWnd::EndSelection(int nCode)
{
    if (m_bEnded || GetSafeHwnd() == nullptr)
        return;
    m_bEnded = TRUE;
    if (GetCapture() == this ||
        (m_pUserColorWnd && m_pUserColorWnd->GetSafeHwnd() != nullptr && GetCapture() == m_pUserColorWnd.get()))
        ReleaseCapture();
    if (m_pUserColorWnd && m_pUserColorWnd->GetSafeHwnd() != nullptr)
        m_pUserColorWnd->ShowWindow(SW_HIDE);
    m_nResultNo = nCode == -2 ? m_nCurrentNo : nCode;
    const HWND self = m_hWnd;
    if (nCode == -2)
        SendToOwner(kCancelMessage, m_nCurrentNo);
    else
        SendToOwner(kChosenMessage, nCode);
    if (::IsWindow(self))
        PostMessage(WM_CLOSE);
}
