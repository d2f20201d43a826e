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

#include "app/CQZ2Doc.h"
#include "app/CQZ2PageSetupDialog.h"
#include "app/CQZ2View.h"
#include "command/LoadResourceString.h"
#include "libs/kcplot/PlotDevice.h"
#include "libs/kcplot/PlotManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/win/CButton.h"
#include "platform/win/CClientDC.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/CPrintDialog.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinDocConstants.h"
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
ON_WM_HELPINFO()
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_PRINT, &CQZ2PreviewView::OnPrint)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_PAGE_SETUP, &CQZ2PreviewView::OnPageSetup)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_ZOOM_IN, &CQZ2PreviewView::OnZoomIn)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_ZOOM_OUT, &CQZ2PreviewView::OnZoomOut)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_HAND, &CQZ2PreviewView::OnHand)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_CLOSE, &CQZ2PreviewView::OnClose)
ON_COMMAND(CQZ2PreviewView::ID_PREVIEW_HELP, &CQZ2PreviewView::OnHelp)
ON_CBN_SELCHANGE(CQZ2PreviewView::ID_PREVIEW_ZOOM_COMBO, &CQZ2PreviewView::OnZoomSelChange)
ON_CBN_KILLFOCUS(CQZ2PreviewView::ID_PREVIEW_ZOOM_COMBO, &CQZ2PreviewView::OnZoomKillFocus)
END_MESSAGE_MAP()

namespace {

constexpr UINT kPreviewHelpContext = 483;
constexpr int kZoomPresets[] = {500, 200, 150, 100, 75, 50, 25, 10};
constexpr LPARAM kDataFitWidth = -1;
constexpr LPARAM kDataWholePage = -2;

// The short name of a command: the text after the line break of its string.
CString StripText(UINT nID)
{
    const CString text = LoadResourceString(nID);
    const int i = text.Find(u'\n');
    return i >= 0 ? text.Mid(i + 1) : text;
}

// The zoom box: Return applies the typed text.
class CPreviewZoomComboBox : public CComboBox
{
public:
    explicit CPreviewZoomComboBox(CQZ2PreviewView* pPreview) : m_pPreview(pPreview) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
            CString text;
            GetWindowText(text);
            if (pMsg->wParam == VK_RETURN)
                m_pPreview->ApplyZoomText(text);
            else
                m_pPreview->SetZoomDisplay();
            m_pPreview->SetFocus();
            return TRUE;
        }
        return CComboBox::PreTranslateMessage(pMsg);
    }

private:
    CQZ2PreviewView* m_pPreview;
};

}  // namespace

CQZ2PreviewView::CQZ2PreviewView() = default;

CQZ2PreviewView::~CQZ2PreviewView()
{
    for (CWnd* p : m_strip)
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
    // The tool strip.
    struct Button {
        UINT id;
        CString text;
        DWORD style;
    };
    const Button buttons[] = {
        {ID_PREVIEW_PRINT, StripText(58116), BS_PUSHBUTTON},
        {ID_PREVIEW_PAGE_SETUP, LoadResourceString(10115), BS_PUSHBUTTON},
        {ID_PREVIEW_ZOOM_IN, StripText(34531), BS_PUSHBUTTON},
        {ID_PREVIEW_ZOOM_OUT, StripText(34532), BS_PUSHBUTTON},
        {ID_PREVIEW_HAND, StripText(34530), BS_AUTOCHECKBOX | BS_PUSHLIKE},
    };
    for (const Button& b : buttons) {
        auto* pButton = new CButton;
        pButton->Create(b.text, WS_CHILD | WS_VISIBLE | b.style, CRect(0, 0, 10, 10), this, b.id);
        m_strip.push_back(pButton);
        if (b.id == ID_PREVIEW_HAND)
            m_pHandButton = pButton;
    }
    m_pZoomCombo = new CPreviewZoomComboBox(this);
    m_pZoomCombo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, CRect(0, 0, 100, kStripHeight - 4), this, ID_PREVIEW_ZOOM_COMBO);
    m_strip.push_back(m_pZoomCombo);
    for (int percent : kZoomPresets) {
        CString text;
        text.Format(u"%d%%", percent);
        const int i = m_pZoomCombo->AddString(text);
        m_pZoomCombo->SetItemData(i, static_cast<DWORD_PTR>(percent));
    }
    m_pZoomCombo->SetItemData(m_pZoomCombo->AddString(LoadResourceString(10337)), static_cast<DWORD_PTR>(kDataFitWidth));
    m_pZoomCombo->SetItemData(m_pZoomCombo->AddString(LoadResourceString(10338)), static_cast<DWORD_PTR>(kDataWholePage));
    for (const Button& b : {Button{ID_PREVIEW_CLOSE, LoadResourceString(10116), BS_PUSHBUTTON},
                            Button{ID_PREVIEW_HELP, StripText(57666), BS_PUSHBUTTON}}) {
        auto* pButton = new CButton;
        pButton->Create(b.text, WS_CHILD | WS_VISIBLE | b.style, CRect(0, 0, 10, 10), this, b.id);
        m_strip.push_back(pButton);
    }
    LayoutStrip();
    SetFocus();

    // The printing is prepared as for a print, without the dialog.
    m_pInfo = std::make_unique<CPrintInfo>();
    m_pInfo->m_bPreview = TRUE;
    if (!m_pPrintView->OnPreparePrinting(m_pInfo.get())) {
        OnPreviewClose();
        return TRUE;
    }
    RecalcPage();
    SetZoomMode(kWholePage);
    return TRUE;
}

void CQZ2PreviewView::LayoutStrip()
{
    int x = 4;
    for (CWnd* p : m_strip) {
        const bool combo = p == m_pZoomCombo;
        const UINT id = p->GetDlgCtrlID();
        const int w = combo ? 100 : 80;
        p->MoveWindow(x, 2, w, kStripHeight - 4);
        x += w + 4;
    }
}

CRect CQZ2PreviewView::GetPageArea() const
{
    CRect client;
    GetClientRect(&client);
    client.top = std::min<LONG>(client.bottom, client.top + kStripHeight);
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
    m_nPageWidth = static_cast<int>(std::lround(m_fullPage.cx * m_dZoom));
    m_nPageHeight = static_cast<int>(std::lround(m_fullPage.cy * m_dZoom));
    m_pPage.reset();
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
    if (m_pZoomCombo == nullptr || m_pZoomCombo->GetSafeHwnd() == nullptr)
        return;
    const LPARAM want = m_nZoomMode == kFitPageWidth ? kDataFitWidth : m_nZoomMode == kWholePage ? kDataWholePage : 0;
    if (want != 0) {
        for (int i = 0; i < m_pZoomCombo->GetCount(); ++i)
            if (static_cast<LPARAM>(m_pZoomCombo->GetItemData(i)) == want) {
                m_pZoomCombo->SetCurSel(i);
                return;
            }
    }
    m_pZoomCombo->SetCurSel(-1);
    m_pZoomCombo->SetWindowText(GetZoomDisplay());
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
    p->fillRect(QRect(client.left, client.top, client.Width(), kStripHeight), QColor(240, 240, 240));
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
    if (m_nZoomMode != kFreeZoom && m_fullPage.cx > 0)
        SetZoomMode(m_nZoomMode);
    else
        ScrollBy(0, 0);
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
    if (QWidget* w = GetQWidget())
        w->setCursor(Qt::ClosedHandCursor);
    SetCapture();
}

void CQZ2PreviewView::OnMButtonUp(UINT, CPoint)
{
    m_bHandMode = m_pHandButton != nullptr && m_pHandButton->GetCheck() == BST_CHECKED;
    m_bMiddleHand = FALSE;
    m_pAnchor.reset();
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    if (QWidget* w = GetQWidget())
        w->setCursor(m_bHandMode ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

BOOL CQZ2PreviewView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    ScrollBy(0, -zDelta / 120 * 60);
    return TRUE;
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
    m_bHandMode = !m_bHandMode;
    if (m_pHandButton != nullptr)
        m_pHandButton->SetCheck(m_bHandMode ? BST_CHECKED : BST_UNCHECKED);
    if (QWidget* w = GetQWidget())
        w->setCursor(m_bHandMode ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void CQZ2PreviewView::OnClose() { OnPreviewClose(); }

void CQZ2PreviewView::OnHelp()
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_COMMANDHELP, 0, kPreviewHelpContext);
}

void CQZ2PreviewView::OnZoomSelChange()
{
    if (m_pZoomCombo == nullptr)
        return;
    const int i = m_pZoomCombo->GetCurSel();
    if (i < 0)
        return;
    const auto data = static_cast<LPARAM>(m_pZoomCombo->GetItemData(i));
    if (data == kDataFitWidth)
        SetZoomMode(kFitPageWidth);
    else if (data == kDataWholePage)
        SetZoomMode(kWholePage);
    else
        SetZoomMode(kFreeZoom, data / 100.0);
    SetFocus();
}

void CQZ2PreviewView::OnZoomKillFocus() { SetZoomDisplay(); }

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
