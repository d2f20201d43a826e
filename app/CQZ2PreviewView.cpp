#include "app/CQZ2PreviewView.h"

#include <QtCore/QLocale>
#include <QtGui/QCursor>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "app/CPreviewZoomToolbarComboBoxButton.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2View.h"
#include "command/LoadResourceString.h"
#include "libs/kcplot/PlotDevice.h"
#include "libs/kcplot/PlotManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPToolBar.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CScrollBar.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinDocConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinSystem.h"

IMPLEMENT_DYNAMIC(CQZ2PreviewView, CWnd)

BEGIN_MESSAGE_MAP(CQZ2PreviewView, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_SETCURSOR()
ON_WM_HELPINFO()
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_PRINT, &CQZ2PreviewView::OnPrint)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_PAGE_SETUP, &CQZ2PreviewView::OnPageSetup)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_ZOOM_IN, &CQZ2PreviewView::OnZoomIn)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_ZOOM_OUT, &CQZ2PreviewView::OnZoomOut)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_HAND, &CQZ2PreviewView::OnHand)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_CLOSE, &CQZ2PreviewView::OnClose)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_HELP, &CQZ2PreviewView::OnHelp)
END_MESSAGE_MAP()

namespace {

constexpr UINT kPreviewHelpContext = 483;
constexpr UINT kPageSetupText = 10115;
constexpr UINT kCloseText = 10116;
}  // namespace

CQZ2PreviewView::CQZ2PreviewView() = default;

CQZ2PreviewView::~CQZ2PreviewView()
{
    delete m_pToolBar;
    for (CScrollBar* p : m_pBars)
        delete p;
}

void CQZ2PreviewView::PostNcDestroy() { delete this; }

BOOL CQZ2PreviewView::Start(CFrameWnd* pFrame, CQZ2View* pPrintView)
{
    if (pFrame == nullptr || pPrintView == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pFrame = pFrame;
    m_pPrintView = pPrintView;
    CRect client;
    pFrame->GetClientRect(&client);
    if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, client, pFrame, AFX_IDW_PANE_FIRST))
        return FALSE;
    // The frame's bars, document windows and status bar give way.
    for (CWnd* p = pFrame->GetWindow(GW_CHILD); p != nullptr; p = p->GetNextWindow()) {
        if (p->GetSafeHwnd() != GetSafeHwnd() && p->IsWindowVisible()) {
            m_hidden.push_back(p->GetSafeHwnd());
            p->ShowWindow(SW_HIDE);
        }
    }
    // The toolbar; without it the preview works all the same.
    CreateToolBar();
    // Real scroll bars, shown while the page does not fit.
    for (int nBar : {SB_HORZ, SB_VERT}) {
        auto* pBar = new CScrollBar;
        if (!pBar->Create(WS_CHILD | (nBar == SB_HORZ ? SBS_HORZ : SBS_VERT), CRect(0, 0, 0, 0), this, 0)) {
            delete pBar;
            pBar = nullptr;
        }
        m_pBars[nBar] = pBar;
    }
    m_hHandCursor = AfxGetApp() != nullptr ? AfxGetApp()->LoadCursor(kHandCursor) : nullptr;
    LayoutChildren();
    SetFocus();

    // The printing is prepared as for a print, without the dialog.
    m_pInfo = std::make_unique<CPrintInfo>();
    m_pInfo->m_bPreview = TRUE;
    if (!m_pPrintView->OnPreparePrinting(m_pInfo.get())) {
        // No context for the printer (it went away): the preview closes, which deletes it, and says why.
        OnPreviewClose();
        AfxMessageBox(AfxLoadFrameworkString(AFX_IDP_FAILED_TO_START_PRINT), MB_ICONEXCLAMATION);
        return TRUE;
    }
    RecalcPage();
    SetZoomMode(kWholePage);
    return TRUE;
}

BOOL CQZ2PreviewView::CreateToolBar()
{
    auto* pBar = new CBCGPToolBar;
    if (!pBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, AFX_IDW_TOOLBAR) ||
        !pBar->LoadToolBar(kToolBarResource, 0, 0, TRUE, 0, 0, kToolBarHotImages)) {
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->DestroyWindow();
        delete pBar;
        return FALSE;
    }
    pBar->SetOwner(this);
    for (UINT nID : {static_cast<UINT>(ID_PREVIEW_PREVIOUS), static_cast<UINT>(ID_PREVIEW_NEXT)}) {
        const int i = pBar->CommandToIndex(nID);
        if (i >= 0)
            pBar->RemoveButton(i);
    }
    pBar->ReplaceButton(ID_PREVIEW_ZOOM_COMBO, CPreviewZoomToolbarComboBoxButton(this));
    // Page setup and close show their texts only.
    for (const auto& [nID, nText] : {std::pair<UINT, UINT>{ID_PREVIEW_PAGE_SETUP, kPageSetupText},
                                     std::pair<UINT, UINT>{ID_PREVIEW_CLOSE, kCloseText}}) {
        const int i = pBar->CommandToIndex(nID);
        if (CBCGPToolbarButton* pButton = pBar->GetButton(i)) {
            pButton->m_bImage = FALSE;
            pButton->m_bText = TRUE;
            pBar->SetButtonText(i, LoadResourceString(nText));
        }
    }
    m_pToolBar = pBar;
    return TRUE;
}

int CQZ2PreviewView::GetToolStripHeight() const
{
    if (m_pToolBar == nullptr || m_pToolBar->GetSafeHwnd() == nullptr)
        return 0;
    QWidget* w = m_pToolBar->GetLayoutWidget();
    return w != nullptr ? w->sizeHint().height() : 0;
}

CPreviewZoomToolbarComboBoxButton* CQZ2PreviewView::GetZoomButton() const
{
    if (m_pToolBar == nullptr)
        return nullptr;
    return dynamic_cast<CPreviewZoomToolbarComboBoxButton*>(
        m_pToolBar->GetButton(m_pToolBar->CommandToIndex(ID_PREVIEW_ZOOM_COMBO)));
}

CComboBox* CQZ2PreviewView::GetZoomCombo() const
{
    CPreviewZoomToolbarComboBoxButton* pButton = GetZoomButton();
    return pButton != nullptr ? pButton->GetComboBox() : nullptr;
}

CScrollBar* CQZ2PreviewView::GetScrollBarCtrl(int nBar) const
{
    return nBar == SB_HORZ || nBar == SB_VERT ? m_pBars[nBar] : nullptr;
}

void CQZ2PreviewView::LayoutChildren()
{
    CRect client;
    GetClientRect(&client);
    const int top = std::min<LONG>(client.bottom, client.top + GetToolStripHeight());
    if (m_pToolBar != nullptr && m_pToolBar->GetSafeHwnd() != nullptr)
        m_pToolBar->MoveWindow(client.left, client.top, client.Width(), top - client.top);
    // A bar is needed when the page with its margins is larger than the room; a vertical bar takes room
    // that may make the horizontal one needed, and the other way round.
    const int extent = ::GetSystemMetrics(SM_CXVSCROLL);
    const int totalX = m_nPageWidth + 2 * kPageMargin, totalY = m_nPageHeight + 2 * kPageMargin;
    int cw = client.Width(), ch = client.bottom - top;
    bool needH = m_nPageWidth > 0 && totalX > cw, needV = m_nPageHeight > 0 && totalY > ch;
    if (needH && !needV && totalY > ch - extent)
        needV = true;
    if (needV && !needH && totalX > cw - extent)
        needH = true;
    if (needV)
        cw -= extent;
    if (needH)
        ch -= extent;
    const bool need[2] = {needH, needV};
    for (int nBar : {SB_HORZ, SB_VERT}) {
        CScrollBar* pBar = m_pBars[nBar];
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
            continue;
        if (nBar == SB_HORZ)
            pBar->MoveWindow(client.left, top + std::max(0, ch), std::max(0, cw), need[SB_HORZ] ? extent : 0);
        else
            pBar->MoveWindow(client.left + std::max(0, cw), top, need[SB_VERT] ? extent : 0, std::max(0, ch));
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = need[nBar] ? (nBar == SB_HORZ ? totalX : totalY) - 1 : 0;
        info.nPage = static_cast<UINT>(need[nBar] ? (nBar == SB_HORZ ? cw : ch) : 0);
        info.nPos = nBar == SB_HORZ ? m_scroll.x : m_scroll.y;
        pBar->SetScrollInfo(&info, TRUE);
        pBar->ShowWindow(need[nBar] ? SW_SHOW : SW_HIDE);
    }
}

CRect CQZ2PreviewView::GetPageArea() const
{
    CRect client;
    GetClientRect(&client);
    client.top = std::min<LONG>(client.bottom, client.top + GetToolStripHeight());
    if (m_pBars[SB_VERT] != nullptr && m_pBars[SB_VERT]->GetSafeHwnd() != nullptr && m_pBars[SB_VERT]->IsWindowVisible())
        client.right = std::max<LONG>(client.left, client.right - ::GetSystemMetrics(SM_CXVSCROLL));
    if (m_pBars[SB_HORZ] != nullptr && m_pBars[SB_HORZ]->GetSafeHwnd() != nullptr && m_pBars[SB_HORZ]->IsWindowVisible())
        client.bottom = std::max<LONG>(client.top, client.bottom - ::GetSystemMetrics(SM_CYHSCROLL));
    return client;
}

void CQZ2PreviewView::RecalcPage()
{
    m_fullPage = CSize(0, 0);
    CPrintDialog* pDialog = m_pInfo != nullptr ? m_pInfo->m_pPD : nullptr;
    HDC hPrinter = pDialog != nullptr ? pDialog->m_pd.hDC : nullptr;
    if (hPrinter != nullptr) {
        const int dpiX = std::max(1, ::GetDeviceCaps(hPrinter, LOGPIXELSX));
        const int dpiY = std::max(1, ::GetDeviceCaps(hPrinter, LOGPIXELSY));
        m_dSheetWidth = ::GetDeviceCaps(hPrinter, PHYSICALWIDTH) * 25.4 / dpiX;
        m_dSheetHeight = ::GetDeviceCaps(hPrinter, PHYSICALHEIGHT) * 25.4 / dpiY;
        CClientDC dc(this);
        const int screenX = std::max(1, dc.GetDeviceCaps(LOGPIXELSX)), screenY = std::max(1, dc.GetDeviceCaps(LOGPIXELSY));
        m_fullPage = CSize(static_cast<int>(std::lround(m_dSheetWidth * screenX / 25.4)),
                           static_cast<int>(std::lround(m_dSheetHeight * screenY / 25.4)));
    }
    // Rounded down, so that a page fitted to the room never asks for a scroll bar by a pixel.
    m_nPageWidth = static_cast<int>(std::floor(m_fullPage.cx * m_dZoom + 1e-9));
    m_nPageHeight = static_cast<int>(std::floor(m_fullPage.cy * m_dZoom + 1e-9));
    m_pPage.reset();
    LayoutChildren();
    ScrollBy(0, 0);
    Invalidate(FALSE);
}

CSize CQZ2PreviewView::GetScrollLimit() const
{
    const CRect area = GetPageArea();
    return CSize(std::max(0, m_nPageWidth + 2 * kPageMargin - area.Width()),
                 std::max(0, m_nPageHeight + 2 * kPageMargin - area.Height()));
}

BOOL CQZ2PreviewView::ScrollBy(int dx, int dy)
{
    const CSize limit = GetScrollLimit();
    const CPoint old = m_scroll;
    m_scroll.x = std::clamp<LONG>(m_scroll.x + dx, 0, limit.cx);
    m_scroll.y = std::clamp<LONG>(m_scroll.y + dy, 0, limit.cy);
    if (m_scroll == old)
        return FALSE;
    for (int nBar : {SB_HORZ, SB_VERT})
        if (m_pBars[nBar] != nullptr && m_pBars[nBar]->GetSafeHwnd() != nullptr)
            m_pBars[nBar]->SetScrollPos(nBar == SB_HORZ ? m_scroll.x : m_scroll.y, TRUE);
    Invalidate(FALSE);
    return TRUE;
}

CRect CQZ2PreviewView::GetPageRect() const
{
    const CRect area = GetPageArea();
    const int x = area.left + kPageMargin - m_scroll.x, y = area.top + kPageMargin - m_scroll.y;
    return CRect(x, y, x + m_nPageWidth, y + m_nPageHeight);
}

BOOL CQZ2PreviewView::SetZoom(double dFactor)
{
    if (!std::isfinite(dFactor) || dFactor < kMinZoom || dFactor > kMaxZoom)
        return FALSE;
    if (dFactor == m_dZoom && m_nPageWidth > 0)
        return TRUE;
    m_dZoom = dFactor;
    RecalcPage();
    return TRUE;
}

void CQZ2PreviewView::SetZoomMode(int nMode, double dFactor)
{
    if (nMode == kFreeZoom) {
        if (!SetZoom(dFactor)) {
            SetZoomDisplay();
            return;
        }
    } else if (m_fullPage.cx > 0 && m_fullPage.cy > 0) {
        const CRect area = GetPageArea();
        const double pw = m_fullPage.cx + 2.0 * kPageMargin, ph = m_fullPage.cy + 2.0 * kPageMargin;
        const double cw = area.Width(), ch = area.Height();
        const double bar = ::GetSystemMetrics(SM_CXVSCROLL);
        double f = nMode == kWholePage ? std::min(cw / pw, ch / ph) : cw / pw;
        if (ph * f > ch)
            f = (cw - bar) / pw;
        SetZoom(std::clamp(f, kMinZoom, kMaxZoom));
    }
    m_nZoomMode = nMode;
    SetZoomDisplay();
}

CString CQZ2PreviewView::GetZoomDisplay() const
{
    if (m_nZoomMode == kFitPageWidth)
        return LoadResourceString(10337);
    if (m_nZoomMode == kWholePage)
        return LoadResourceString(10338);
    CString text;
    text.Format(u"%d%%", static_cast<int>(std::lround(m_dZoom * 100.0)));
    return text;
}

void CQZ2PreviewView::SetZoomDisplay()
{
    CPreviewZoomToolbarComboBoxButton* pButton = GetZoomButton();
    CComboBox* pCombo = GetZoomCombo();
    if (pButton == nullptr || pCombo == nullptr || pCombo->GetSafeHwnd() == nullptr)
        return;
    const DWORD_PTR want = m_nZoomMode == kFitPageWidth   ? CPreviewZoomToolbarComboBoxButton::kDataFitWidth
                           : m_nZoomMode == kWholePage ? CPreviewZoomToolbarComboBoxButton::kDataWholePage
                                                       : 0;
    if (want != 0 && pButton->SelectItem(want))
        return;
    const CString text = GetZoomDisplay();
    pButton->SetText(text);
    pCombo->SetCurSel(-1);
    pCombo->SetWindowText(text);
}

BOOL CQZ2PreviewView::ApplyZoomText(const CString& strText)
{
    QString text = strText.ToQString().trimmed();
    if (text.endsWith(QLatin1Char('%')))
        text = text.left(text.size() - 1).trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = QLocale().toDouble(text, &ok);
    // Only a positive percentage within the zoom's bounds is taken.
    const double n = ok && std::isfinite(value) ? std::round(value) : 0.0;
    if (!(n > 0.0) || n / 100.0 < kMinZoom || n / 100.0 > kMaxZoom) {
        SetZoomDisplay();
        return FALSE;
    }
    SetZoomMode(kFreeZoom, n / 100.0);
    return TRUE;
}

void CQZ2PreviewView::RefreshCallback(PlotDevice*, PlotSetting* pSetting, void* pArg)
{
    auto* pPreview = static_cast<CQZ2PreviewView*>(pArg);
    if (pPreview == nullptr)
        return;
    auto* pDoc = pPreview->m_pPrintView != nullptr ? dynamic_cast<CQZ2Doc*>(pPreview->m_pPrintView->GetDocument()) : nullptr;
    if (pDoc != nullptr && pSetting != nullptr)
        pDoc->GetDraw2dDocument()->SetPlotSetting(*pSetting);
    pPreview->RefreshPreview();
}

void CQZ2PreviewView::RefreshPreview()
{
    if (m_pPrintView == nullptr)
        return;
    if (m_pInfo != nullptr)
        m_pPrintView->OnEndPrinting(nullptr, m_pInfo.get());
    m_pInfo = std::make_unique<CPrintInfo>();
    m_pInfo->m_bPreview = TRUE;
    m_pPrintView->OnPreparePrinting(m_pInfo.get());
    RecalcPage();
    if (m_nZoomMode != kFreeZoom)
        SetZoomMode(m_nZoomMode);
    UpdateWindow();
}

void CQZ2PreviewView::EnsurePagePicture()
{
    if (m_pPage != nullptr || m_nPageWidth <= 0 || m_nPageHeight <= 0 || m_pPrintView == nullptr || m_pInfo == nullptr ||
        m_pInfo->m_pPD == nullptr || m_pInfo->m_pPD->m_pd.hDC == nullptr)
        return;
    auto* pDoc = dynamic_cast<CQZ2Doc*>(m_pPrintView->GetDocument());
    if (pDoc == nullptr || m_nPageWidth > 32767 || m_nPageHeight > 32767 ||
        static_cast<double>(m_nPageWidth) * m_nPageHeight > 400e6)
        return;
    auto page = std::make_unique<QImage>(m_nPageWidth, m_nPageHeight, QImage::Format_ARGB32_Premultiplied);
    if (page->isNull())
        return;
    page->fill(Qt::white);
    {
        QPainter painter(page.get());
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        Gdiplus::Graphics graphics(&painter);
        // Millimetres on the sheet scaled to the page's size on the screen.
        graphics.SetPageUnit(Gdiplus::UnitMillimeter);
        graphics.SetPageScale(1.0f);
        const double sx = m_nPageWidth / m_dSheetWidth / (graphics.GetDpiX() / 25.4);
        const double sy = m_nPageHeight / m_dSheetHeight / (graphics.GetDpiY() / 25.4);
        graphics.ScaleTransform(static_cast<Gdiplus::REAL>(sx), static_cast<Gdiplus::REAL>(sy));
        pDoc->GetPlotManager()->PlotOut(pDoc->GetDraw2dDocument(), m_pPrintView->GetDrawingFeature(), &graphics,
                                        m_pInfo->m_pPD->m_pd.hDC);
    }
    m_pPage = std::move(page);
}

BOOL CQZ2PreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CQZ2PreviewView::OnPaint()
{
    CPaintDC dc(this);
    QPainter* p = dc.GetQPainter();
    if (p == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const CRect area = GetPageArea();
    const CRect page = GetPageRect();
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    // The corner between the two scroll bars.
    p->fillRect(QRect(client.left, client.top, client.Width(), client.Height()), QColor(240, 240, 240));
    p->setClipRect(QRect(area.left, area.top, area.Width(), area.Height()));
    // The desk: a grey gradient from top to bottom.
    QLinearGradient desk(0, area.top, 0, area.bottom);
    desk.setColorAt(0, QColor(192, 192, 192));
    desk.setColorAt(1, QColor(128, 128, 128));
    p->fillRect(QRect(area.left, area.top, area.Width(), area.Height()), desk);
    if (page.Width() > 0 && page.Height() > 0) {
        // A shadow along the right side and the bottom, the paper with a black outline.
        const QColor shadow(1, 0, 0, 100);
        p->fillRect(QRect(page.right, page.top + 5, 5, page.Height()), shadow);
        p->fillRect(QRect(page.left + 5, page.bottom, page.Width() - 5, 5), shadow);
        EnsurePagePicture();
        if (m_pPage != nullptr)
            p->drawImage(QPoint(page.left, page.top), *m_pPage);
        else
            p->fillRect(QRect(page.left, page.top, page.Width(), page.Height()), Qt::white);
        p->setPen(QPen(Qt::black, 2));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(page.left, page.top, page.Width(), page.Height()));
    }
    p->restore();
}

void CQZ2PreviewView::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    LayoutChildren();
    if (m_nZoomMode != kFreeZoom && m_fullPage.cx > 0)
        SetZoomMode(m_nZoomMode);
    else
        RecalcPage();
}

void CQZ2PreviewView::Pan(CPoint point)
{
    if (m_pAnchor == nullptr) {
        m_pAnchor = std::make_unique<CPoint>(point);
        return;
    }
    const int dx = point.x - m_pAnchor->x, dy = point.y - m_pAnchor->y;
    // Jitter of a few pixels repaints nothing.
    if (std::abs(dx) < kPanThreshold && std::abs(dy) < kPanThreshold)
        return;
    ScrollBy(-dx, -dy);
    *m_pAnchor = point;
}

void CQZ2PreviewView::OnMouseMove(UINT nFlags, CPoint point)
{
    const bool left = (nFlags & MK_LBUTTON) != 0 && (nFlags & (MK_MBUTTON | MK_RBUTTON)) == 0;
    const bool middle = (nFlags & MK_MBUTTON) != 0;
    if (m_bHandMode && (left || middle))
        Pan(point);
}

void CQZ2PreviewView::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    if (m_bHandMode)
        SetCapture();
}

void CQZ2PreviewView::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    m_pAnchor.reset();
}

void CQZ2PreviewView::OnMButtonDown(UINT, CPoint)
{
    m_bHandMode = TRUE;
    m_bMiddleHand = TRUE;
    ApplyCursor();
    SetCapture();
}

void CQZ2PreviewView::OnMButtonUp(UINT, CPoint)
{
    m_bHandMode = m_bHandButton;
    m_bMiddleHand = FALSE;
    m_pAnchor.reset();
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    ApplyCursor();
}

BOOL CQZ2PreviewView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    ScrollBy(0, -zDelta / 120 * 3 * kScrollLine);
    return TRUE;
}

namespace {

// The new position of a scroll bar's action: lines of kScrollLine, pages of the room, the thumb, the ends.
int ScrollTarget(UINT nSBCode, UINT nPos, int current, int page, int limit)
{
    switch (nSBCode) {
    case SB_LINEUP: return current - CQZ2PreviewView::kScrollLine;
    case SB_LINEDOWN: return current + CQZ2PreviewView::kScrollLine;
    case SB_PAGEUP: return current - page;
    case SB_PAGEDOWN: return current + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<int>(nPos);
    case SB_TOP: return 0;
    case SB_BOTTOM: return limit;
    default: return current;
    }
}

}  // namespace

void CQZ2PreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const CRect area = GetPageArea();
    const int target = ScrollTarget(nSBCode, nPos, m_scroll.x, area.Width(), GetScrollLimit().cx);
    ScrollBy(target - m_scroll.x, 0);
}

void CQZ2PreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const CRect area = GetPageArea();
    const int target = ScrollTarget(nSBCode, nPos, m_scroll.y, area.Height(), GetScrollLimit().cy);
    ScrollBy(0, target - m_scroll.y);
}

BOOL CQZ2PreviewView::OnSetCursor(CWnd*, UINT, UINT)
{
    ApplyCursor();
    return TRUE;
}

void CQZ2PreviewView::ApplyCursor()
{
    ::SetCursor(m_bHandMode && m_hHandCursor != nullptr ? m_hHandCursor : ::LoadCursor(nullptr, IDC_ARROW));
}

void CQZ2PreviewView::UpdateHandButton()
{
    if (m_pToolBar == nullptr)
        return;
    const int i = m_pToolBar->CommandToIndex(ID_PREVIEW_HAND);
    if (i < 0)
        return;
    const UINT style = m_pToolBar->GetButtonStyle(i) & ~static_cast<UINT>(TBBS_CHECKED | TBBS_DISABLED);
    m_pToolBar->SetButtonStyle(i, style | (m_bHandButton ? TBBS_CHECKED : 0));
}

BOOL CQZ2PreviewView::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}

void CQZ2PreviewView::OnPrint()
{
    CWnd* pMain = AfxGetMainWnd();
    OnPreviewClose();
    if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->PostMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CQZ2PreviewView::OnPageSetup()
{
    auto* pDoc = m_pPrintView != nullptr ? dynamic_cast<CQZ2Doc*>(m_pPrintView->GetDocument()) : nullptr;
    if (pDoc == nullptr)
        return;
    const int nCode = m_pPrintView->DoPageSetup(pDoc->GetPlotDevice(), FALSE, FALSE, TRUE, &CQZ2PreviewView::RefreshCallback, this);
    if (nCode == kExitOK)
        RefreshPreview();
    else if (nCode == kExitSetRange)
        OnPreviewClose();
}

void CQZ2PreviewView::OnZoomIn()
{
    SetZoomMode(kFreeZoom, std::min(kMaxZoom, m_dZoom * 1.2));
}

void CQZ2PreviewView::OnZoomOut()
{
    SetZoomMode(kFreeZoom, std::max(kMinZoom, m_dZoom * 0.8));
}

void CQZ2PreviewView::OnHand()
{
    m_bHandButton = !m_bHandButton;
    m_bHandMode = m_bHandButton || m_bMiddleHand;
    UpdateHandButton();
    ApplyCursor();
}

void CQZ2PreviewView::OnClose() { OnPreviewClose(); }

void CQZ2PreviewView::OnHelp()
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_COMMANDHELP, 0, kPreviewHelpContext);
}

void CQZ2PreviewView::OnPreviewClose()
{
    CQZ2View* pView = m_pPrintView;
    m_pPrintView = nullptr;
    for (HWND h : m_hidden)
        if (CWnd* p = CWnd::FromHandle(h))
            p->ShowWindow(SW_SHOW);
    m_hidden.clear();
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    // The toolbar goes before the frame lays out again.
    if (m_pToolBar != nullptr) {
        if (m_pToolBar->GetSafeHwnd() != nullptr)
            m_pToolBar->DestroyWindow();
        delete m_pToolBar;
        m_pToolBar = nullptr;
    }
    std::unique_ptr<CPrintInfo> info = std::move(m_pInfo);
    CFrameWnd* pFrame = m_pFrame;
    if (pView != nullptr)
        pView->OnEndPrintPreview(nullptr, info.get(), CPoint(0, 0), nullptr);
    info.reset();
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) {
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    DestroyWindow();  // deletes this
}
