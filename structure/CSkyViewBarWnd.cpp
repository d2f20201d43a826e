#include "structure/CSkyViewBarWnd.h"

#include <QtWidgets/QApplication>

#include <algorithm>
#include <cmath>

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/CPaintDC.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"
#include "platform/win/WinMessages.h"
#include "structure/StructureServices.h"

IMPLEMENT_DYNAMIC(CSkyViewBarWnd, CWnd)

BEGIN_MESSAGE_MAP(CSkyViewBarWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

namespace {
constexpr int kFrameStep = 4;
constexpr int kPanStep = 2;
constexpr UINT kHandCursor = 432;

CRect HandleRect(const CRect& f, int kind, int grow)
{
    CRect r;
    switch (kind) {
    case CSkyViewBarWnd::dragTopLeft: r = CRect(f.left - 3, f.top - 2, f.left + 3, f.top + 4); break;
    case CSkyViewBarWnd::dragTopRight: r = CRect(f.right - 3, f.top - 2, f.right + 3, f.top + 4); break;
    case CSkyViewBarWnd::dragBottomLeft: r = CRect(f.left - 3, f.bottom - 4, f.left + 3, f.bottom + 2); break;
    default: r = CRect(f.right - 3, f.bottom - 4, f.right + 3, f.bottom + 2); break;
    }
    r.InflateRect(grow, grow);
    return r;
}

void SetCursorShape(LPCTSTR lpszStandard, UINT nResource = 0)
{
    HCURSOR h = nResource != 0 ? AfxLoadCursorResource(nResource) : ::LoadCursor(nullptr, lpszStandard);
    if (h != nullptr)
        ::SetCursor(h);
}
}  // namespace

CSkyViewBarWnd::CSkyViewBarWnd() : m_view(static_cast<CWnd*>(this)) {}

CSkyViewBarWnd::~CSkyViewBarWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSkyViewBarWnd::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pParentWnd, nID);
}

int CSkyViewBarWnd::OnCreate(LPCREATESTRUCT)
{
    m_view.SetGridVisible(FALSE);
    return 0;
}

Draw2dView* CSkyViewBarWnd::GetMainView() const
{
    if (m_pTestMainView != nullptr)
        return m_pTestMainView;
    QZ2Command::CommandManager* pManager = StructureServices::GetCommandManager();
    return pManager != nullptr ? pManager->GetView() : nullptr;
}

// ---- document and view ---------------------------------------------------------------------------

void CSkyViewBarWnd::SetDocument(Draw2dDocument* pDocument)
{
    m_view.SetDrawDocument(pDocument);
    if (pDocument == nullptr) {
        m_view.SetDrawingFeature(nullptr);
        m_view.SetActiveLayout(nullptr);
    } else if (PartDrawingLayout* pLayout = pDocument->GetActiveDrawingLayout()) {
        m_view.SetDrawingFeature(pDocument->ChangeDrawingFeature(pLayout->GetDrawingID()));
        m_view.SetActiveLayout(pLayout);
        FitWhole();
    }
    if (m_hWnd != nullptr)
        Invalidate();
}

void CSkyViewBarWnd::FitWhole()
{
    // A newly shown drawing is seen whole, its paper in sight.
    if (m_view.GetClientWidth() > 0 && m_view.GetClientHeight() > 0 && m_view.GetDrawingFeature() != nullptr)
        m_view.ZoomPaper();
}

void CSkyViewBarWnd::SetDrawing(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout)
{
    const BOOL bOther = pDrawing != m_view.GetDrawingFeature();
    m_view.SetDrawingFeature(pDrawing);
    m_view.SetActiveLayout(pLayout);
    if (bOther)
        FitWhole();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CSkyViewBarWnd::UpdateView(int nHint, int nFlag) { m_view.UpdateView(nHint, nFlag); }

void CSkyViewBarWnd::UpdateSelection(int nFlag) { m_view.UpdateSelection(nFlag); }

void CSkyViewBarWnd::InvalidateView()
{
    // The kept picture stays; only the frame moves.
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CSkyViewBarWnd::SetGraphicsMode(int nMode) { m_view.SetGraphicsMode(nMode); }

void CSkyViewBarWnd::InitializeView(int nMode)
{
    m_view.InitializeView(nMode);
    FitToMainView();
}

void CSkyViewBarWnd::FitToMainView()
{
    Draw2dView* pMain = GetMainView();
    if (pMain == nullptr)
        return;
    RuVaPnt2d a;
    RuVaPnt2d b;
    pMain->GetWorldSpace(a, b);
    const double cx = (a.X() + b.X()) / 2;
    const double cy = (a.Y() + b.Y()) / 2;
    const double w = std::fabs(b.X() - a.X()) * 0.55;
    const double h = std::fabs(b.Y() - a.Y()) * 0.55;
    if (w <= 0 || h <= 0)
        return;
    m_view.SetWorldSpace(RuVaPnt2d(cx - w, cy - h), RuVaPnt2d(cx + w, cy + h));
    m_view.UpdateView(0, 0);
}

BOOL CSkyViewBarWnd::GetFrameRect(CRect& rect) const
{
    Draw2dView* pMain = GetMainView();
    if (pMain == nullptr)
        return FALSE;
    RuVaPnt2d a;
    RuVaPnt2d b;
    pMain->GetWorldSpace(a, b);
    const CPoint p = m_view.ConvertPointWorldToClient(a);
    const CPoint q = m_view.ConvertPointWorldToClient(b);
    rect = CRect(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y));
    return TRUE;
}

BOOL CSkyViewBarWnd::ConvertToMainClient(CPoint in, CPoint& out) const
{
    Draw2dView* pMain = GetMainView();
    if (pMain == nullptr)
        return FALSE;
    out = pMain->ConvertPointWorldToClient(m_view.ConvertPointClientToWorld(in, FALSE));
    return TRUE;
}

// ---- geometry --------------------------------------------------------------------------------------

void CSkyViewBarWnd::ResizeFrame(int nKind, const RuVaPnt2d& corner1, const RuVaPnt2d& corner2, RuVaPnt2d cursor,
                                 RuVaPnt2d& out1, RuVaPnt2d& out2)
{
    const double left = std::min(corner1.X(), corner2.X());
    const double right = std::max(corner1.X(), corner2.X());
    const double bottom = std::min(corner1.Y(), corner2.Y());
    const double top = std::max(corner1.Y(), corner2.Y());
    const double w = right - left;
    const double h = top - bottom;
    // The dragged corner's side (world y grows up, so the top is the larger y).
    const bool dragRight = nKind == dragTopRight || nKind == dragBottomRight;
    const bool dragTop = nKind == dragTopLeft || nKind == dragTopRight;
    const double fx = dragRight ? left : right;
    const double fy = dragTop ? bottom : top;
    const double sx = dragRight ? 1.0 : -1.0;
    const double sy = dragTop ? 1.0 : -1.0;
    double x = cursor.X();
    if (dragRight)
        x = std::max(x, fx + kMinimumWidth);
    else
        x = std::min(x, fx - kMinimumWidth);
    double k = 1.0;
    if (w > 0 && h > 0) {
        const double u = sx * (x - fx) / w;
        const double v = sy * (cursor.Y() - fy) / h;
        k = std::max(u, v);
    }
    out1 = RuVaPnt2d(fx, fy);
    out2 = RuVaPnt2d(fx + sx * k * w, fy + sy * k * h);
}

BOOL CSkyViewBarWnd::MakeNewFrame(const RuVaPnt2d& anchor, const RuVaPnt2d& cursor, double dAspect, RuVaPnt2d& out1,
                                  RuVaPnt2d& out2)
{
    if (!(dAspect > 0) || !std::isfinite(dAspect))
        return FALSE;
    double w = cursor.X() - anchor.X();
    double h = cursor.Y() - anchor.Y();
    const double sx = w < 0 ? -1.0 : 1.0;
    const double sy = h < 0 ? -1.0 : 1.0;
    w = std::fabs(w);
    h = std::fabs(h);
    constexpr double kTiny = 1e-9;
    // A drag along one axis only gives no rectangle to show.
    if (w < kTiny || h < kTiny)
        return FALSE;
    if (h / w < dAspect)
        h = w * dAspect;
    else
        w = h / dAspect;
    out1 = anchor;
    out2 = RuVaPnt2d(anchor.X() + sx * w, anchor.Y() + sy * h);
    return TRUE;
}

// ---- painting --------------------------------------------------------------------------------------

BOOL CSkyViewBarWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CSkyViewBarWnd::OnSize(UINT, int cx, int cy)
{
    const BOOL bFirst = m_view.GetClientWidth() <= 0 || m_view.GetClientHeight() <= 0;
    m_view.ResizeView(cx, cy);
    if (bFirst)
        FitWhole();
}

void CSkyViewBarWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const StructureServices::ViewOptions options = StructureServices::GetViewOptions();
    Draw2dDocument* pDocument = m_view.GetDrawDocument();
    const DrawingFeatureBase* pDrawing = pDocument != nullptr ? m_view.GetDrawingFeature() : nullptr;
    const int type = pDrawing != nullptr ? pDrawing->GetDrawingType() : 0;
    if (type < 1 || type > 3) {
        dc.FillSolidRect(&client, options.paperColor);
        return;
    }
    // Each setter throws the kept picture away: only a changed option may do so.
    auto rgb = [](COLORREF c) { return c & 0x00FFFFFF; };
    if (m_view.GetPaperColor() != rgb(options.paperColor))
        m_view.SetPaperColor(options.paperColor);
    if (m_view.GetPartBackColor() != rgb(options.partBackColor))
        m_view.SetPartBackColor(options.partBackColor);
    if (m_view.GetPaperBackColor1() != rgb(options.paperBackColor1) ||
        m_view.GetPaperBackColor2() != rgb(options.paperBackColor2))
        m_view.SetPaperBackColor(options.paperBackColor1, options.paperBackColor2);
    if (m_view.GetComponentEditerBackColor() != rgb(options.componentBackColor))
        m_view.SetComponentEditerBackColor(options.componentBackColor);
    if (m_view.GetSelectedFeatureColor() != rgb(options.selectionColor))
        m_view.SetSelectedFeatureColor(options.selectionColor);
    if ((m_view.GetLayoutRegionVisible() != FALSE) != (options.bLayoutRegionVisible != FALSE))
        m_view.SetLayoutRegionVisible(options.bLayoutRegionVisible);
    if (m_view.GetGreekTextSize() != options.nGreekTextSize)
        m_view.SetGreekTextSize(options.nGreekTextSize);
    if (!m_view.IsPictureValid())
        ++m_nRenderCount;
    m_view.DrawView(dc.GetSafeHdc());
    CRect frame;
    if (!GetFrameRect(frame))
        return;
    CRect near = frame;
    near.InflateRect(5, 5);
    CRect meet;
    if (!meet.IntersectRect(&near, &client))
        return;
    CPen pen(PS_SOLID, 2, RGB(255, 0, 0));
    CPen* pOldPen = dc.SelectObject(&pen);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(frame.left, frame.top, frame.right + 1, frame.bottom + 1);
    dc.SelectObject(pOldPen);
    if (pOldBrush != nullptr)
        dc.SelectObject(pOldBrush);
    for (int kind = dragTopLeft; kind <= dragBottomRight; ++kind) {
        CRect handle = HandleRect(frame, kind, 0);
        CRect clipped;
        if (clipped.IntersectRect(&handle, &client))
            dc.FillSolidRect(&clipped, RGB(255, 0, 0));
    }
}

// ---- mouse and keys --------------------------------------------------------------------------------

int CSkyViewBarWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    SetFocus();
    return MA_ACTIVATE;
}

int CSkyViewBarWnd::HitHandle(CPoint point, int nGrow) const
{
    CRect frame;
    if (!GetFrameRect(frame))
        return -1;
    for (int kind = dragTopLeft; kind <= dragBottomRight; ++kind)
        if (HandleRect(frame, kind, nGrow).PtInRect(point))
            return kind;
    return -1;
}

void CSkyViewBarWnd::StopPanning()
{
    if (!m_bPanning)
        return;
    m_bPanning = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    ::SetCursor(nullptr);
}

void CSkyViewBarWnd::OnMButtonDown(UINT, CPoint point)
{
    m_bPanning = TRUE;
    m_panLast = point;
    SetCursorShape(nullptr, kHandCursor);
    SetCapture();
}

void CSkyViewBarWnd::OnMButtonUp(UINT, CPoint) { StopPanning(); }

void CSkyViewBarWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (nFlags & MK_SHIFT)
        OnMButtonDown(nFlags, point);
    else
        Default();
}

void CSkyViewBarWnd::OnRButtonUp(UINT, CPoint)
{
    if (m_bPanning)
        StopPanning();
    else
        Default();
}

BOOL CSkyViewBarWnd::OnMouseWheel(UINT, short zDelta, CPoint pt)
{
    // A popup menu open over the overview keeps the wheel for itself.
    if (QApplication::activePopupWidget() != nullptr || CBCGPPopupMenu::GetActiveMenu() != nullptr || m_bNewFrame)
        return TRUE;
    CPoint client = pt;
    ScreenToClient(&client);
    if (zDelta > 0)
        m_view.ZoomIn(client, 0.2);
    else
        m_view.ZoomOut(client, 0.2);
    return TRUE;
}

BOOL CSkyViewBarWnd::OnKey(UINT nChar)
{
    switch (nChar) {
    case VK_LEFT: m_view.MoveView(30, 0); return TRUE;
    case VK_UP: m_view.MoveView(0, -30); return TRUE;
    case VK_RIGHT: m_view.MoveView(-30, 0); return TRUE;
    case VK_DOWN: m_view.MoveView(0, 30); return TRUE;
    case VK_PRIOR: m_view.ZoomIn(0.2); return TRUE;
    case VK_NEXT: m_view.ZoomOut(0.2); return TRUE;
    case VK_ESCAPE: StopPanning(); return TRUE;
    default: return FALSE;
    }
}

BOOL CSkyViewBarWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && OnKey(static_cast<UINT>(pMsg->wParam)))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CSkyViewBarWnd::OnLButtonDown(UINT, CPoint point) { PressLeft(point); }

void CSkyViewBarWnd::OnLButtonUp(UINT, CPoint point) { ReleaseLeft(point); }

void CSkyViewBarWnd::OnMouseMove(UINT nFlags, CPoint point) { MoveMouse(nFlags, point); }

void CSkyViewBarWnd::PressLeft(CPoint point)
{
    CRect frame;
    if (!GetFrameRect(frame))
        return;
    if (m_bFrameDrag) {
        // The drag goes on after the release and ends with the next press.
        m_bFrameDrag = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        ::SetCursor(nullptr);
        return;
    }
    const int handle = HitHandle(point, 2);
    if (handle > 0 || frame.PtInRect(point)) {
        m_bFrameDrag = TRUE;
        m_nDragKind = handle > 0 ? handle : dragMove;
        m_dragLast = point;
        if (m_nDragKind == dragTopLeft || m_nDragKind == dragBottomRight)
            SetCursorShape(IDC_SIZENWSE);
        else if (m_nDragKind != dragMove)
            SetCursorShape(IDC_SIZENESW);
        else
            SetCursorShape(nullptr, kHandCursor);
        if (m_hWnd != nullptr)
            SetCapture();
        return;
    }
    m_bPressedBeside = TRUE;
    m_pressPoint = point;
}

void CSkyViewBarWnd::FrameDragStep(CPoint point)
{
    Draw2dView* pMain = GetMainView();
    CPoint now;
    CPoint last;
    if (pMain == nullptr || !ConvertToMainClient(point, now) || !ConvertToMainClient(m_dragLast, last))
        return;
    if (std::abs(now.x - last.x) < kFrameStep && std::abs(now.y - last.y) < kFrameStep)
        return;
    BOOL bDone = FALSE;
    if (m_nDragKind == dragMove) {
        bDone = pMain->MoveView(last.x - now.x, now.y - last.y);
    } else {
        RuVaPnt2d a;
        RuVaPnt2d b;
        pMain->GetWorldSpace(a, b);
        RuVaPnt2d c1;
        RuVaPnt2d c2;
        ResizeFrame(m_nDragKind, a, b, m_view.ConvertPointClientToWorld(point, FALSE), c1, c2);
        bDone = pMain->SetWorldSpace(c1, c2);
        if (bDone)
            pMain->UpdateView(1, 1);
    }
    if (bDone) {
        m_dragLast = point;
        if (m_hWnd != nullptr)
            Invalidate(FALSE);
    }
}

void CSkyViewBarWnd::NewFrameStep(CPoint point)
{
    Draw2dView* pMain = GetMainView();
    if (pMain == nullptr)
        return;
    if (std::abs(point.x - m_pressPoint.x) < kFrameStep && std::abs(point.y - m_pressPoint.y) < kFrameStep)
        return;
    RuVaPnt2d a;
    RuVaPnt2d b;
    pMain->GetWorldSpace(a, b);
    const double w = std::fabs(b.X() - a.X());
    if (w <= 0)
        return;  // no proportions to keep
    RuVaPnt2d c1;
    RuVaPnt2d c2;
    if (!MakeNewFrame(m_view.ConvertPointClientToWorld(m_pressPoint, FALSE), m_view.ConvertPointClientToWorld(point, FALSE),
                      std::fabs(b.Y() - a.Y()) / w, c1, c2))
        return;
    if (pMain->SetWorldSpace(c1, c2)) {
        pMain->UpdateView(1, 1);
        if (m_hWnd != nullptr)
            Invalidate(FALSE);
    }
}

void CSkyViewBarWnd::MoveMouse(UINT, CPoint point)
{
    if (GetMainView() == nullptr)
        return;
    if (!m_bNewFrame) {
        if (m_bPanning && (std::abs(point.x - m_panLast.x) >= kPanStep || std::abs(m_panLast.y - point.y) >= kPanStep)) {
            if (m_view.MoveView(point.x - m_panLast.x, m_panLast.y - point.y))
                m_panLast = point;
        }
        if (m_bFrameDrag)
            FrameDragStep(point);
    } else {
        NewFrameStep(point);
    }
    if (!m_bFrameDrag && !m_bPanning && !m_bNewFrame) {
        const int handle = HitHandle(point, 1);
        if (handle == dragTopLeft || handle == dragBottomRight)
            SetCursorShape(IDC_SIZENWSE);
        else if (handle == dragTopRight || handle == dragBottomLeft)
            SetCursorShape(IDC_SIZENESW);
        if (m_bPressedBeside)
            m_bNewFrame = TRUE;
    }
}

void CSkyViewBarWnd::ReleaseLeft(CPoint point)
{
    Draw2dView* pMain = GetMainView();
    if (pMain != nullptr && m_bPressedBeside && !m_bNewFrame) {
        CRect frame;
        CPoint centre;
        CPoint at;
        if (GetFrameRect(frame) && ConvertToMainClient(frame.CenterPoint(), centre) && ConvertToMainClient(point, at)) {
            pMain->MoveView(centre.x - at.x, at.y - centre.y);
            if (m_hWnd != nullptr)
                Invalidate(FALSE);
        }
    }
    m_bPressedBeside = FALSE;
    m_bNewFrame = FALSE;
}
