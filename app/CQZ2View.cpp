#include "app/CQZ2View.h"

#include <cmath>

#include "app/CMainFrame.h"
#include "app/CQZ2App.h"
#include "app/CQZ2Doc.h"
#include "app/CQZ2TabView.h"
#include "app/SystemEnvironment.h"
#include "command/CCommandBar.h"
#include "command/CommandManager.h"
#include "command/LoadResourceString.h"
#include "command/NumericFormat.h"
#include "platform/win/CCmdUI.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"

IMPLEMENT_DYNCREATE(CQZ2View, CQZ2BaseView)

BEGIN_MESSAGE_MAP(CQZ2View, CQZ2BaseView)
ON_WM_CREATE()
ON_COMMAND(ID_OLE_INSERT_NEW, &CQZ2View::OnInsertObject)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_CONTEXTMENU()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_COMMAND_RANGE(34025, 34125, &CQZ2View::OnViewCommand)
ON_UPDATE_COMMAND_UI_RANGE(34025, 34125, &CQZ2View::OnUpdateViewCommand)
ON_UPDATE_COMMAND_UI(168, &CQZ2View::OnUpdateCoordinatePane)
ON_UPDATE_COMMAND_UI(169, &CQZ2View::OnUpdateSelectionPane)
ON_COMMAND(ID_FILE_PRINT, &CQZ2View::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CQZ2View::OnFilePrintPreview)
ON_COMMAND(ID_FILE_PAGE_SETUP, &CQZ2View::OnFilePageSetup)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CQZ2View::OnUpdateFilePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, &CQZ2View::OnUpdateFilePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PAGE_SETUP, &CQZ2View::OnUpdateFilePrint)
END_MESSAGE_MAP()

namespace {

// The code of a document change record travelling as a notification.
constexpr UINT kDocumentNotifyCode = 0x8064;

}  // namespace

CQZ2View::CQZ2View() : m_pDraw2dView(new Draw2dView(static_cast<CWnd*>(this)))
{
    m_pDraw2dView->SetBreakProc(&CQZ2View::ContinueDrawing);
    m_pDraw2dView->SetRepaintProc(&CQZ2View::RepaintView, this);
}

CQZ2View::~CQZ2View()
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager != nullptr && pManager->GetActiveView() == m_pDraw2dView)
        pManager->SetActiveDraw2dView(nullptr);
    delete m_pDraw2dView;
}

void CQZ2View::OnInsertObject()
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->ExecuteCommand(ID_OLE_INSERT_NEW);
}

QZ2Command::CommandManager* CQZ2View::GetCommandManager()
{
    CQZ2App* pApp = CQZ2App::GetApp();
    return pApp != nullptr ? pApp->GetCommandManager() : nullptr;
}

void CQZ2View::RepaintView(Draw2dView*, void* pUser)
{
    auto* pView = static_cast<CQZ2View*>(pUser);
    if (pView != nullptr && pView->GetSafeHwnd() != nullptr)
        pView->Invalidate(FALSE);
}

int CQZ2View::ContinueDrawing(Draw2dView* pView)
{
    MSG msg{};
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE | ((QS_KEY | QS_MOUSE) << 16)))
        return 1;
    const HWND hWnd = pView != nullptr ? pView->GetHWnd() : nullptr;
    switch (msg.message) {
    case WM_MOUSEWHEEL:
        return msg.hwnd == hWnd ? 0 : 1;
    case WM_MOUSEMOVE:
        return hWnd != nullptr && ::GetCapture() == hWnd ? 0 : 1;
    case WM_KEYDOWN:
        switch (msg.wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return 0;
        default:
            return 1;
        }
    default:
        return 1;
    }
}

// --- forwarders ---------------------------------------------------------------------------------

void CQZ2View::SetDrawingFeature(DrawingFeatureBase* pDrawing) { m_pDraw2dView->SetDrawingFeature(pDrawing); }
DrawingFeatureBase* CQZ2View::GetDrawingFeature() const { return m_pDraw2dView->GetDrawingFeature(); }
void CQZ2View::SetActiveLayout(PartDrawingLayout* pLayout) { m_pDraw2dView->SetActiveLayout(pLayout); }
PartDrawingLayout* CQZ2View::GetActiveLayout() const { return m_pDraw2dView->GetActiveLayout(); }
BOOL CQZ2View::SetGraphicsMode(int nMode) { return m_pDraw2dView->SetGraphicsMode(nMode); }
void CQZ2View::SetPaperColor(COLORREF color) { m_pDraw2dView->SetPaperColor(color); }
void CQZ2View::SetPaperBackColor(COLORREF c1, COLORREF c2) { m_pDraw2dView->SetPaperBackColor(c1, c2); }
void CQZ2View::SetPartBackColor(COLORREF color) { m_pDraw2dView->SetPartBackColor(color); }
void CQZ2View::SetComponentEditerBackColor(COLORREF color) { m_pDraw2dView->SetComponentEditerBackColor(color); }
void CQZ2View::SetSelectedFeatureColor(COLORREF color) { m_pDraw2dView->SetSelectedFeatureColor(color); }
void CQZ2View::SetLineSmoothMode(int nMode) { m_pDraw2dView->SetLineSmoothMode(nMode); }
void CQZ2View::SetLayoutRegionVisible(BOOL bVisible) { m_pDraw2dView->SetLayoutRegionVisible(bVisible); }
void CQZ2View::SetGreekTextSize(int nPixels) { m_pDraw2dView->SetGreekTextSize(nPixels); }

// --- life -----------------------------------------------------------------------------------------

int CQZ2View::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    m_pDraw2dView->SetHWnd(GetSafeHwnd());
    if (auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument())) {
        Draw2dDocument* pModel = pDoc->GetDraw2dDocument();
        m_pDraw2dView->SetDrawDocument(pModel);
        // The grips of the document's selection are drawn and dragged in every view of it.
        if (pModel != nullptr && pModel->GetSelectionManager() != nullptr)
            m_pDraw2dView->SetFeatureTracker(pModel->GetSelectionManager()->GetFeatureTracker());
    }
    return 0;
}

void CQZ2View::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    const SystemEnvironment* pOptions =
        CQZ2App::GetApp() != nullptr ? CQZ2App::GetApp()->GetSystemEnvironment() : nullptr;
    int nMode = 2;
    if (pOptions != nullptr) {
        nMode = pOptions->m_GraphicsMode;
        if (nMode == 0 && pOptions->m_LineSmoothMode == 0)
            nMode = 2;
    }
    m_pDraw2dView->InitializeView(nMode);
    if (pOptions != nullptr) {
        m_pDraw2dView->SetPaperColor(pOptions->m_PaperColor);
        m_pDraw2dView->SetPaperBackColor(pOptions->m_PaperBackColor1, pOptions->m_PaperBackColor2);
        m_pDraw2dView->SetPartBackColor(pOptions->m_PartBackColor);
        m_pDraw2dView->SetComponentEditerBackColor(pOptions->m_ComponentEditerBackColor);
        m_pDraw2dView->SetSelectedFeatureColor(pOptions->m_SelectionColor);
        m_pDraw2dView->SetLineSmoothMode(pOptions->m_LineSmoothMode);
        m_pDraw2dView->SetLayoutRegionVisible(pOptions->m_LayoutRegionVisible);
        m_pDraw2dView->SetGreekTextSize(static_cast<int>(pOptions->m_GreekTextSize));
    }
    // A view made before its frame is laid out has no size yet: the first zoom waits for one, and
    // follows the size until the view is first painted, so it fits the size the user sees.
    CRect client;
    GetClientRect(&client);
    if (client.Width() > 0 && client.Height() > 0)
        m_pDraw2dView->ResizeView(client.Width(), client.Height());
    else
        m_pDraw2dView->ResizeView();
    m_bFirstZoomPending = TRUE;
    ApplyFirstZoom();
}

void CQZ2View::ApplyFirstZoom()
{
    DrawingFeatureBase* pDrawing = m_pDraw2dView->GetDrawingFeature();
    if (pDrawing == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    const int nType = pDrawing->GetDrawingType();
    if (nType == 1) {
        auto* pDoc = dynamic_cast<CQZ2Doc*>(GetDocument());
        if (pDoc == nullptr || !pDoc->IsEmbedded())
            m_pDraw2dView->ZoomPaper();
    } else if (nType == 2 || nType == 3) {
        if (!(pDrawing->GetFeatureCount() > 0 && m_pDraw2dView->ZoomAll()))
            m_pDraw2dView->ZoomLayout();
    }
}

void CQZ2View::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && pActivateView == this) {
        if (QZ2Command::CommandManager* pManager = GetCommandManager())
            pManager->SetActiveDraw2dView(m_pDraw2dView);
    }
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CQZ2View::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_pDraw2dView->ResizeView(cx, cy);
    if (m_bFirstZoomPending && cx > 0 && cy > 0)
        ApplyFirstZoom();
}

BOOL CQZ2View::OnEraseBkgnd(CDC*)
{
    // The data model's view paints the whole client area.
    return FALSE;
}

void CQZ2View::OnDraw(CDC* pDC)
{
    if (pDC == nullptr || pDC->IsPrinting())
        return;
    CRect clip;
    const int nRegion = pDC->GetClipBox(&clip);
    if (nRegion == ERROR || nRegion == NULLREGION || clip.IsRectEmpty())
        return;
    m_bFirstZoomPending = FALSE;
    // A picture still current holds the overlay last drawn over it: show it as it is.
    if (m_pDraw2dView->IsPictureValid() && m_pDraw2dView->PresentView(pDC->GetSafeHdc()))
        return;
    if (m_pDraw2dView->DrawView(pDC->GetSafeHdc()) != 0) {
        if (QZ2Command::CommandManager* pManager = GetCommandManager())
            pManager->RedrawOverlay(this, pDC);
        // Drawn anew (moved, zoomed or changed): the overview shows its frame where this view is now.
        if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            pFrame->RefreshSkyView();
    }
}

void CQZ2View::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr || pInfo->GetKind() != NotifyInfoBase::kindView)
        return;
    if (pInfo->GetCode() == 0)
        m_pDraw2dView->UpdateView(TRUE, 0);
    else if (pInfo->GetCode() == 1)
        m_pDraw2dView->UpdateSelection(FALSE);
}

BOOL CQZ2View::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The record travels in the pointer-sized word after the header.
    struct DocumentNotify {
        NMHDR hdr;
        NotifyInfoBase* pInfo;
    };
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == kDocumentNotifyCode) {
        OnDocumentNotify(reinterpret_cast<const DocumentNotify*>(lParam)->pInfo);
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

// --- input --------------------------------------------------------------------------------------

BOOL CQZ2View::IsManagerCurrent(QZ2Command::CommandManager* pManager) const
{
    if (pManager == nullptr)
        return FALSE;
    return pManager->GetDraw2dDocument() == m_pDraw2dView->GetDrawDocument() &&
           pManager->GetActiveView() == m_pDraw2dView;
}

void CQZ2View::ArmMouseTracking()
{
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = GetSafeHwnd();
    track.dwHoverTime = HOVER_DEFAULT;
    ::TrackMouseEvent(&track);
}

void CQZ2View::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bMouseTracking) {
        m_bMouseTracking = TRUE;
        ArmMouseTracking();
    }
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (IsManagerCurrent(pManager))
        pManager->OnMouseMove(nFlags, point);
    Default();
}

void CQZ2View::OnMouseHover(UINT, CPoint)
{
    ArmMouseTracking();
}

void CQZ2View::OnMouseLeave()
{
    m_bMouseTracking = FALSE;
    m_pDraw2dView->RestoreView();
}

void CQZ2View::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CWnd::GetFocus() != this)
        SetFocus();
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnLButtonDown(nFlags, point);
    Default();
}

void CQZ2View::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnLButtonUp(nFlags, point);
    Default();
}

void CQZ2View::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnLButtonDblClk(nFlags, point);
    Default();
}

void CQZ2View::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (CWnd::GetFocus() != this)
        SetFocus();
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnRButtonDown(nFlags, point);
    Default();
}

void CQZ2View::OnMButtonDown(UINT nFlags, CPoint point)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnMButtonDown(nFlags, point);
    Default();
}

void CQZ2View::OnMButtonUp(UINT nFlags, CPoint point)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager())
        pManager->OnMButtonUp(nFlags, point);
    Default();
}

BOOL CQZ2View::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (QZ2Command::CommandManager* pManager = GetCommandManager()) {
        CPoint client = point;
        ScreenToClient(&client);
        if (zDelta > 0)
            pManager->ZoomInAt(0.2, client);
        else
            pManager->ZoomOutAt(0.2, client);
    }
    (void)nFlags;
    return static_cast<BOOL>(Default());
}

void CQZ2View::OnContextMenu(CWnd*, CPoint point)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (!IsManagerCurrent(pManager))
        return;
    // The menu key gives no point: the menu opens in the middle of the view.
    if (point.x == -1 && point.y == -1) {
        CRect rect;
        GetClientRect(&rect);
        point = rect.CenterPoint();
        ClientToScreen(&point);
    }
    pManager->OnContextMenu(this, point);
}

BOOL CQZ2View::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager != nullptr && pManager->OnSetCursor(this, pWnd, nHitTest, message))
        return TRUE;
    return static_cast<BOOL>(Default());
}

void CQZ2View::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_BACK:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (QZ2Command::CommandManager* pManager = GetCommandManager())
            pManager->OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    default:
        break;
    }
    Default();
}

void CQZ2View::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // While a command runs, what is typed here goes into the command bar's selected row.
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager != nullptr && pManager->HasActiveCommand() && CCommandBar::IsTypedCharacter(nChar)) {
        CCommandBar* pBar = pManager->GetCommandBar();
        const WCHAR text[2] = {static_cast<WCHAR>(nChar), 0};
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
            // A closed command bar comes back for the value.
            if (!pBar->IsWindowVisible())
                if (auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
                    pFrame->ShowCommandBar(TRUE);
            if (pBar->TypeIntoSelectedRow(text))
                return;
        }
    }
    CView::OnChar(nChar, nRepCnt, nFlags);
}

// --- view commands and the coordinate pane --------------------------------------------------------

namespace {

enum : UINT {
    kZoomAll = 34025,
    kWindowZoom = 34027,
    kRealtimeZoom = 34028,
    kPan = 34029,
    kZoomIn = 34030,
    kZoomOut = 34031,
    kZoomPaper = 34032,
};

// The view command mode each toggle command stands for; 0 for the others.
int ToggleMode(UINT nID)
{
    switch (nID) {
    case kWindowZoom:
        return 2;
    case kRealtimeZoom:
        return 1;
    case kPan:
        return 9;
    default:
        return 0;
    }
}

}  // namespace

void CQZ2View::OnViewCommand(UINT nID)
{
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager == nullptr)
        return;
    if (const int nMode = ToggleMode(nID)) {
        if (pManager->GetViewCommandMode() == nMode)
            pManager->EndViewCommand();
        else
            pManager->SetViewCommandMode(nMode);
        return;
    }
    switch (nID) {
    case kZoomAll:
        pManager->ZoomAll();
        break;
    case kZoomIn:
        pManager->ZoomIn(0.2);
        break;
    case kZoomOut:
        pManager->ZoomOut(0.2);
        break;
    case kZoomPaper:
        pManager->ZoomPaper();
        break;
    default:
        break;
    }
}

void CQZ2View::OnUpdateViewCommand(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr)
        return;
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (const int nMode = ToggleMode(pCmdUI->m_nID)) {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(pManager != nullptr && pManager->GetViewCommandMode() == nMode ? 1 : 0);
    } else if (pCmdUI->m_nID == kZoomAll) {
        pCmdUI->Enable(TRUE);
    } else if (pCmdUI->m_nID == kZoomPaper) {
        const DrawingFeatureBase* pDrawing = m_pDraw2dView->GetDrawingFeature();
        pCmdUI->Enable(pDrawing != nullptr && pDrawing->GetDrawingType() == DrawingFeatureBase::typePaper);
    }
}

void CQZ2View::OnUpdateCoordinatePane(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr)
        return;
    pCmdUI->Enable(TRUE);
    QZ2Command::CommandManager* pManager = GetCommandManager();
    if (pManager == nullptr || pManager->GetActiveView() != m_pDraw2dView) {
        pCmdUI->SetText(u"");
        return;
    }
    const RuVaPnt2d point = pManager->GetCursorUserPoint();
    constexpr double kNone = 1.7976931348623157e308;
    if (std::fabs(point.X() - kNone) < 1e-7 && std::fabs(point.Y() - kNone) < 1e-7) {
        // No position: an empty pane rather than the last coordinates, which no longer hold.
        pCmdUI->SetText(u"");
        return;
    }
    CString text;
    if (NumericFormat::PointToString(point, text, -1, -1, -1))
        pCmdUI->SetText(text);
}

void CQZ2View::OnUpdateSelectionPane(CCmdUI* pCmdUI)
{
    if (pCmdUI == nullptr)
        return;
    pCmdUI->Enable(TRUE);
    QZ2Command::CommandManager* pManager = GetCommandManager();
    Draw2dDocument* pModel = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
    const SelectionManager* pSelection = pModel != nullptr ? pModel->GetSelectionManager() : nullptr;
    const int nCount = pSelection != nullptr ? pSelection->GetSelectedFeatureCount() : 0;
    if (pManager == nullptr || pManager->GetActiveView() != m_pDraw2dView || nCount == 0) {
        pCmdUI->SetText(u"");
        return;
    }
    CString text;
    text.Format(LoadResourceString(10123), nCount);
    pCmdUI->SetText(text);
}
