#include "libs/vevure/Draw2dView.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/afx/FrameworkText.h"
#include "platform/gdi/CDC.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/ruva/KcArrayOfGeEntity2d.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"

// The pictures of the view: the drawing as last rendered, and what is shown (the drawing with the overlay).
struct Draw2dView::Canvas {
    QImage picture;
    QImage frame;
    bool valid = false;
    // Where the overlay drew since the last restore (device pixels): a few rectangles (a cross-hair is two
    // thin strips, not the window), merged into one when there are many.
    std::vector<QRect> dirty;
    void AddDirty(const QRect& r)
    {
        if (r.isEmpty())
            return;
        for (QRect& d : dirty)
            if (d.contains(r))
                return;
        dirty.push_back(r);
        if (dirty.size() > 256) {
            QRect all;
            for (const QRect& d : dirty)
                all = all.united(d);
            dirty.assign(1, all);
        }
    }
    // Overlay brackets: 0 none, else the layers open (1 marks, 2 temporary shapes).
    int open = 0;
    std::unique_ptr<QPainter> painter;
    QPainter* target = nullptr;  // the device context's painter given to the bracket, or none
    int depth = 0;
    bool painting = false;  // inside DrawView
};

Draw2dView::Draw2dView(Draw2dDocument* pDocument)
    : m_pDocument(pDocument)
{
}

Draw2dView::Draw2dView(CWnd* pOwner)
    : m_pDocument(nullptr), m_pOwner(pOwner)
{
}

Draw2dView::Draw2dView(const Draw2dView& other)
    : m_pDocument(other.m_pDocument)
{
    CopySettings(other);
}

Draw2dView& Draw2dView::operator=(const Draw2dView& other)
{
    if (this != &other) {
        m_pDocument = other.m_pDocument;
        CopySettings(other);
        m_pCanvas.reset();
    }
    return *this;
}

Draw2dView::~Draw2dView() = default;

void Draw2dView::CopySettings(const Draw2dView& o)
{
    m_pOwner = o.m_pOwner;
    m_hWnd = o.m_hWnd;
    m_nDrawingID = o.m_nDrawingID;
    m_dScale = o.m_dScale;
    m_center = o.m_center;
    m_cx = o.m_cx;
    m_cy = o.m_cy;
    m_nActiveLayoutID = o.m_nActiveLayoutID;
    m_nGraphicsMode = o.m_nGraphicsMode;
    m_nLineSmoothMode = o.m_nLineSmoothMode;
    m_paperColor = o.m_paperColor;
    m_paperBack1 = o.m_paperBack1;
    m_paperBack2 = o.m_paperBack2;
    m_partBack = o.m_partBack;
    m_componentBack = o.m_componentBack;
    m_selectedColor = o.m_selectedColor;
    m_bLayoutRegionVisible = o.m_bLayoutRegionVisible;
    m_nGreekTextSize = o.m_nGreekTextSize;
    m_bGridVisible = o.m_bGridVisible;
    m_bPrintRangeVisible = o.m_bPrintRangeVisible;
    m_pfnBreak = o.m_pfnBreak;
    m_pfnRepaint = o.m_pfnRepaint;
    m_pRepaintUser = o.m_pRepaintUser;
    m_pTracker = o.m_pTracker;
}

Draw2dView::Canvas& Draw2dView::C() const
{
    if (!m_pCanvas)
        m_pCanvas = std::make_unique<Canvas>();
    return *m_pCanvas;
}

HWND Draw2dView::GetHWnd() const
{
    return m_hWnd;
}

void Draw2dView::SetDrawDocument(Draw2dDocument* pDocument)
{
    m_pDocument = pDocument;
    m_nDrawingID = -1;
    m_nActiveLayoutID = -1;
    InvalidateView();
}

void Draw2dView::SetDrawingFeature(DrawingFeatureBase* pDrawing)
{
    if (pDrawing == nullptr)
        SetDrawingID(-1);
    else
        SetDrawingID(pDrawing->GetDrawingID());
    InvalidateView();
}

void Draw2dView::SetActiveLayout(PartDrawingLayout* pLayout)
{
    m_nActiveLayoutID = pLayout != nullptr ? pLayout->GetLayoutID() : -1;
}

PartDrawingLayout* Draw2dView::GetActiveLayout() const
{
    if (m_pDocument == nullptr)
        return nullptr;
    if (m_nActiveLayoutID != -1) {
        if (PartDrawingLayout* l = m_pDocument->GetPartLayoutByID(m_nActiveLayoutID))
            return l;
    }
    return m_pDocument->GetActiveDrawingLayout();
}

BOOL Draw2dView::IsPaperView() const
{
    const DrawingFeatureBase* d = GetDrawingFeature();
    return d != nullptr && d->IsPaperFeature();
}

BOOL Draw2dView::IsPartView() const
{
    const DrawingFeatureBase* d = GetDrawingFeature();
    return d != nullptr && d->IsPartFeature();
}

BOOL Draw2dView::IsDrawComponentView() const
{
    const DrawingFeatureBase* d = GetDrawingFeature();
    return d != nullptr && d->IsDrawComponentDefine();
}

BOOL Draw2dView::SetGraphicsMode(int nMode)
{
    if (nMode < 0 || nMode > 2)
        return FALSE;
    m_nGraphicsMode = nMode;
    InvalidateView();
    return TRUE;
}

void Draw2dView::InitializeView(int nGraphicsMode)
{
    SetGraphicsMode(nGraphicsMode);
    ResizeView();
}

void Draw2dView::SetLineSmoothMode(int nMode)
{
    m_nLineSmoothMode = nMode != 0 ? 1 : 0;
    InvalidateView();
}

void Draw2dView::SetPaperColor(COLORREF color)
{
    m_paperColor = color & 0x00FFFFFF;
    InvalidateView();
}

void Draw2dView::SetPaperBackColor(COLORREF color1, COLORREF color2)
{
    m_paperBack1 = color1 & 0x00FFFFFF;
    m_paperBack2 = color2 & 0x00FFFFFF;
    InvalidateView();
}

void Draw2dView::SetPartBackColor(COLORREF color)
{
    m_partBack = color & 0x00FFFFFF;
    InvalidateView();
}

void Draw2dView::SetComponentEditerBackColor(COLORREF color)
{
    m_componentBack = color & 0x00FFFFFF;
    InvalidateView();
}

void Draw2dView::SetSelectedFeatureColor(COLORREF color)
{
    m_selectedColor = color & 0x00FFFFFF;
    InvalidateView();
}

void Draw2dView::SetLayoutRegionVisible(BOOL bVisible)
{
    m_bLayoutRegionVisible = bVisible ? TRUE : FALSE;
    InvalidateView();
}

void Draw2dView::SetGreekTextSize(int nPixels)
{
    m_nGreekTextSize = std::clamp(nPixels, 0, 1000);
    InvalidateView();
}

void Draw2dView::SetGridVisible(BOOL bVisible)
{
    m_bGridVisible = bVisible ? TRUE : FALSE;
    InvalidateView();
}

void Draw2dView::SetPrintRangeVisible(BOOL bVisible)
{
    m_bPrintRangeVisible = bVisible ? TRUE : FALSE;
    InvalidateView();
}

// ---- Painting

void Draw2dView::ResizeView()
{
    // The owner's client size is taken from the device context of the next DrawView.
    InvalidateView();
}

void Draw2dView::ResizeView(int cx, int cy)
{
    SetClientSize(std::min(cx, 16384), std::min(cy, 16384));
    InvalidateView();
}

BOOL Draw2dView::IsPictureValid() const
{
    return m_pCanvas && m_pCanvas->valid && m_pCanvas->picture.width() == m_cx && m_pCanvas->picture.height() == m_cy;
}

const QImage* Draw2dView::GetPicture() const
{
    return IsPictureValid() ? &m_pCanvas->picture : nullptr;
}

const QImage* Draw2dView::GetFrame() const
{
    return IsPictureValid() ? &m_pCanvas->frame : nullptr;
}

int Draw2dView::DrawView(HDC hDC)
{
    struct Painting {
        Canvas& c;
        explicit Painting(Canvas& canvas) : c(canvas) { c.painting = true; }
        ~Painting() { c.painting = false; }
    } painting(C());
    if (m_pOwner != nullptr && hDC != nullptr) {
        // A window's painter covers its client area: follow its size.
        CDC* dc = CDC::FromHandle(hDC);
        QPainter* p = dc != nullptr ? dc->GetQPainter() : nullptr;
        if (p != nullptr && p->device() != nullptr &&
            (p->device()->width() != m_cx || p->device()->height() != m_cy))
            ResizeView(p->device()->width(), p->device()->height());
    }
    if (m_cx <= 0 || m_cy <= 0 || m_pDocument == nullptr)
        return 0;
    Canvas& c = C();
    if (c.open != 0)
        return 0;
    if (!IsPictureValid()) {
        if (c.picture.width() != m_cx || c.picture.height() != m_cy)
            c.picture = QImage(m_cx, m_cy, QImage::Format_ARGB32_Premultiplied);
        c.valid = false;
        if (!DrawingManager::RenderView(*this, c.picture))
            return 0;
        DrawGrips(c.picture);
        c.valid = true;
        c.frame = c.picture.copy();
        c.dirty.clear();
    } else {
        RestoreView();
    }
    return PresentView(hDC) || hDC == nullptr ? 1 : 0;
}

BOOL Draw2dView::PresentView(HDC hDC) const
{
    if (!IsPictureValid() || hDC == nullptr)
        return FALSE;
    CDC* dc = CDC::FromHandle(hDC);
    QPainter* p = dc != nullptr ? dc->GetQPainter() : nullptr;
    if (p == nullptr)
        return FALSE;
    p->save();
    p->resetTransform();
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(0, 0, m_pCanvas->frame);
    p->restore();
    return TRUE;
}

void Draw2dView::DrawGrips(QImage& picture)
{
    if (m_pTracker == nullptr)
        return;
    m_pTracker->UpdateHandles(this);
    const int n = m_pTracker->GetHandleCount();
    if (n == 0 || n > kMaxGripsShown)
        return;
    QPainter p(&picture);
    p.setPen(QPen(QColor(0, 0, 160), 0));
    for (int i = 0; i < n; ++i) {
        RuVaPnt2d w;
        if (!m_pTracker->GetHandlePoint(i, w))
            continue;
        double x = 0, y = 0;
        ConvertPointWorldToClient(w, x, y);
        if (x < -8 || y < -8 || x > m_cx + 8 || y > m_cy + 8)
            continue;
        const QRectF box(std::round(x) - 3, std::round(y) - 3, 6, 6);
        p.fillRect(box, m_pTracker->IsHandleSelected(i) ? QColor(255, 0, 0) : QColor(0, 0, 255));
        p.drawRect(box);
    }
}

void Draw2dView::RestoreView()
{
    if (!IsPictureValid())
        return;
    Canvas& c = *m_pCanvas;
    if (c.open != 0 || c.dirty.empty())
        return;
    for (const QRect& d : c.dirty) {
        const QRect r = d.intersected(c.picture.rect());
        if (r.isEmpty())
            continue;
        const size_t bytes = (size_t)r.width() * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(c.frame.scanLine(y) + r.left() * 4, c.picture.constScanLine(y) + r.left() * 4, bytes);
    }
    c.dirty.clear();
    RequestRepaint();
}

void Draw2dView::UpdateView(int, int)
{
    InvalidateView();
}

void Draw2dView::UpdateSelection(BOOL)
{
    InvalidateView();
}

void Draw2dView::InvalidateView()
{
    if (m_pCanvas)
        m_pCanvas->valid = false;
    RequestRepaint();
}

void Draw2dView::RequestRepaint()
{
    // A paint under way asks for no other: the window would paint for ever.
    if (m_pfnRepaint != nullptr && !(m_pCanvas && m_pCanvas->painting))
        m_pfnRepaint(this, m_pRepaintUser);
}

// ---- Zoom and pan

BOOL Draw2dView::FitBox(const RuVaBndBox2d& box, double dMargin)
{
    if (box.IsVoid() || m_cx <= 0 || m_cy <= 0)
        return FALSE;
    double w = box.Width(), h = box.Height();
    if (!std::isfinite(w) || !std::isfinite(h) || w > 1e14 || h > 1e14)
        return FALSE;
    if (w < 1e-9 && h < 1e-9)
        w = h = 1.0;
    const double usable = 1.0 - 2.0 * dMargin;
    const double s = std::min(w > 0 ? m_cx * usable / w : 1e300, h > 0 ? m_cy * usable / h : 1e300);
    if (!SetScale(std::clamp(s, 1e-9, 1e9)))
        return FALSE;
    m_center = box.Center();
    InvalidateView();
    return TRUE;
}

BOOL Draw2dView::ZoomAll()
{
    const DrawingFeatureBase* shown = GetDrawingFeature();
    if (m_pDocument == nullptr || shown == nullptr)
        return FALSE;
    RuVaBndBox2d box;
    RuVaBndBox2d own;
    if (m_pDocument->GetAllFeatureBox(shown, own) && !own.IsVoid())
        box.Add(own);
    for (int i = 0; i < shown->GetPartLayoutCount(); ++i) {
        const PartDrawingLayout* layout = shown->GetPartLayout(i);
        const DrawingFeatureBase* part = m_pDocument->GetDrawingFeatureByID(layout->GetDrawingID());
        RuVaBndBox2d local, world;
        if (part != nullptr && m_pDocument->GetAllFeatureBox(part, local) && !local.IsVoid()) {
            layout->ConvertBoxLocalToWorld(local, world);
            box.Add(world);
        }
    }
    return FitBox(box);
}

BOOL Draw2dView::ZoomPaper()
{
    const DrawingFeatureBase* shown = GetDrawingFeature();
    if (shown == nullptr || !shown->IsPaperFeature())
        return FALSE;
    double w = 0, h = 0;
    static_cast<const Paper2dFeature*>(shown)->GetPaperSize(w, h);
    return FitBox(RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(w, h)));
}

BOOL Draw2dView::ZoomLayout()
{
    // A drawing without shapes: the paper when there is one, else a 297 x 210 sheet about the origin.
    if (ZoomPaper())
        return TRUE;
    return FitBox(RuVaBndBox2d(RuVaPnt2d(0, 0), RuVaPnt2d(297, 210)));
}

BOOL Draw2dView::ZoomIn(const CPoint& point, double dFactor)
{
    if (!std::isfinite(dFactor) || dFactor <= 0.0 || dFactor > 100.0)
        return FALSE;
    RuVaPnt2d fixed;
    ConvertPointClientToWorld(point.x, point.y, fixed);
    if (!SetScale(std::min(m_dScale * (1.0 + dFactor), 1e9)))
        return FALSE;
    // Keep the world point under the client point.
    RuVaPnt2d after;
    ConvertPointClientToWorld(point.x, point.y, after);
    m_center.SetCoord(m_center.X() + fixed.X() - after.X(), m_center.Y() + fixed.Y() - after.Y());
    InvalidateView();
    return TRUE;
}

BOOL Draw2dView::ZoomIn(double dFactor)
{
    return ZoomIn(CPoint(m_cx / 2, m_cy / 2), dFactor);
}

BOOL Draw2dView::ZoomOut(const CPoint& point, double dFactor)
{
    if (!std::isfinite(dFactor) || dFactor <= 0.0 || dFactor > 100.0)
        return FALSE;
    RuVaPnt2d fixed;
    ConvertPointClientToWorld(point.x, point.y, fixed);
    if (!SetScale(std::max(m_dScale / (1.0 + dFactor), 1e-9)))
        return FALSE;
    RuVaPnt2d after;
    ConvertPointClientToWorld(point.x, point.y, after);
    m_center.SetCoord(m_center.X() + fixed.X() - after.X(), m_center.Y() + fixed.Y() - after.Y());
    InvalidateView();
    return TRUE;
}

BOOL Draw2dView::ZoomOut(double dFactor)
{
    return ZoomOut(CPoint(m_cx / 2, m_cy / 2), dFactor);
}

BOOL Draw2dView::MoveView(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return FALSE;
    m_center.SetCoord(m_center.X() - dx / m_dScale, m_center.Y() - dy / m_dScale);
    InvalidateView();
    return TRUE;
}

BOOL Draw2dView::ZoomRealtime(int, int dy)
{
    if (dy == 0)
        return FALSE;
    const double f = std::pow(1.01, -dy);
    if (!SetScale(std::clamp(m_dScale * f, 1e-9, 1e9)))
        return FALSE;
    InvalidateView();
    return TRUE;
}

BOOL Draw2dView::ZoomWindow(const CPoint& p1, const CPoint& p2)
{
    if (std::abs(p1.x - p2.x) < 2 || std::abs(p1.y - p2.y) < 2)
        return FALSE;
    RuVaPnt2d a, b;
    ConvertPointClientToWorld(p1.x, p1.y, a);
    ConvertPointClientToWorld(p2.x, p2.y, b);
    return FitBox(RuVaBndBox2d(a, b), 0.0);
}

BOOL Draw2dView::EnsureVisible(const RuVaBndBox2d& box, BOOL bZoom)
{
    if (box.IsVoid())
        return FALSE;
    if (bZoom)
        return FitBox(box);
    RuVaPnt2d c1, c2;
    GetWorldSpace(c1, c2);
    if (RuVaBndBox2d(c1, c2).Contains(box))
        return TRUE;
    m_center = box.Center();
    InvalidateView();
    return TRUE;
}

void Draw2dView::GetWorldSpace(RuVaPnt2d& corner1, RuVaPnt2d& corner2) const
{
    ConvertPointClientToWorld(0, m_cy, corner1);
    ConvertPointClientToWorld(m_cx, 0, corner2);
}

BOOL Draw2dView::SetWorldSpace(const RuVaPnt2d& corner1, const RuVaPnt2d& corner2)
{
    return FitBox(RuVaBndBox2d(corner1, corner2), 0.0);
}

BOOL Draw2dView::SetViewControlSetting(const RuVaPnt2d& centre, double dScale, long nDrawingID, long nLayoutID)
{
    if (!centre.IsFinite() || !std::isfinite(dScale) || dScale <= 0.0)
        return FALSE;
    if (nDrawingID != -1 && !SetDrawingID(nDrawingID))
        return FALSE;
    if (nLayoutID != -1 && GetPartLayoutByID(nLayoutID) != nullptr)
        m_nActiveLayoutID = nLayoutID;
    SetScale(dScale);
    m_center = centre;
    InvalidateView();
    return TRUE;
}

DrawingFeatureBase* Draw2dView::GetDrawingFeature() const
{
    if (m_pDocument == nullptr)
        return nullptr;
    if (m_nDrawingID != -1) {
        DrawingFeatureBase* d = m_pDocument->GetDrawingFeatureByID(m_nDrawingID);
        if (d != nullptr)
            return d;
    }
    DrawingFeatureBase* active = m_pDocument->GetActiveDrawingFeature();
    PartDrawingLayout* layout = m_pDocument->GetActiveDrawingLayout();
    if (active != nullptr && layout != nullptr && layout != active->GetSelfPartLayout() &&
        layout->GetDrawingID() == active->GetDrawingID()) {
        // A part edited through its layout on a paper: the view shows the paper.
        DrawingFeatureBase* paper = m_pDocument->GetDrawingFeatureByID(layout->GetPaperID());
        if (paper != nullptr && paper->GetPartLayoutByID(layout->GetLayoutID()) != nullptr)
            return paper;
    }
    return active;
}

BOOL Draw2dView::SetDrawingID(long nDrawingID)
{
    if (nDrawingID == -1) {
        m_nDrawingID = -1;
        return TRUE;
    }
    if (m_pDocument == nullptr)
        return FALSE;
    const DrawingFeatureBase* d = m_pDocument->GetDrawingFeatureByID(nDrawingID);
    if (d == nullptr || d->IsDrawComponentDefine())
        return FALSE;
    m_nDrawingID = nDrawingID;
    return TRUE;
}

PartDrawingLayout* Draw2dView::GetActivePartLayout() const
{
    return m_pDocument ? m_pDocument->GetActiveDrawingLayout() : nullptr;
}

PartDrawingLayout* Draw2dView::GetPartLayoutByID(long nLayoutID) const
{
    return m_pDocument ? m_pDocument->GetPartLayoutByID(nLayoutID) : nullptr;
}

BOOL Draw2dView::SetScale(double dPixelsPerUnit)
{
    if (!std::isfinite(dPixelsPerUnit) || dPixelsPerUnit <= 0.0)
        return FALSE;
    if (m_dScale != dPixelsPerUnit) {
        m_dScale = dPixelsPerUnit;
        InvalidateView();
    }
    return TRUE;
}

void Draw2dView::SetCenterPoint(const RuVaPnt2d& center)
{
    // A centre that is not finite, or beyond any drawing, is refused.
    if (!center.IsFinite() || std::fabs(center.X()) > 1e15 || std::fabs(center.Y()) > 1e15)
        return;
    if (m_center != center) {
        m_center = center;
        InvalidateView();
    }
}

void Draw2dView::SetClientSize(int cx, int cy)
{
    m_cx = cx < 0 ? 0 : cx;
    m_cy = cy < 0 ? 0 : cy;
    if (m_pCanvas)
        m_pCanvas->valid = false;
}

void Draw2dView::ConvertPointClientToWorld(double x, double y, RuVaPnt2d& world) const
{
    world.SetCoord(m_center.X() + (x - m_cx * 0.5) / m_dScale, m_center.Y() - (y - m_cy * 0.5) / m_dScale);
}

void Draw2dView::ConvertPointWorldToClient(const RuVaPnt2d& world, double& x, double& y) const
{
    x = (world.X() - m_center.X()) * m_dScale + m_cx * 0.5;
    y = m_cy * 0.5 - (world.Y() - m_center.Y()) * m_dScale;
}

RuVaPnt2d Draw2dView::ConvertPointClientToWorld(const CPoint& point, BOOL) const
{
    RuVaPnt2d world;
    ConvertPointClientToWorld(point.x, point.y, world);
    return world;
}

CPoint Draw2dView::ConvertPointWorldToClient(const RuVaPnt2d& world) const
{
    double x = 0, y = 0;
    ConvertPointWorldToClient(world, x, y);
    auto clampRound = [](double v) { return (int)std::lround(std::clamp(v, -1e9, 1e9)); };
    return CPoint(clampRound(x), clampRound(y));
}

void Draw2dView::ConvertBoxWorldToClient(const RuVaBndBox2d& world, double& x1, double& y1, double& x2,
                                         double& y2) const
{
    ConvertPointWorldToClient(world.MinPoint(), x1, y2);
    ConvertPointWorldToClient(world.MaxPoint(), x2, y1);
}

void Draw2dView::ConvertPointWorldToLocal(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                          const RuVaPnt2d& world, RuVaPnt2d& local) const
{
    if (pLayout == nullptr && pDrawing != nullptr) {
        const PartDrawingLayout* active = GetActiveLayout();
        if (active != nullptr && active->GetDrawingID() == pDrawing->GetDrawingID())
            pLayout = active;
    }
    ConvertPointWorldToLocal(pLayout, world, local);
}

void Draw2dView::ConvertPointLocalToWorld(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                                          const RuVaPnt2d& local, RuVaPnt2d& world) const
{
    if (pLayout == nullptr && pDrawing != nullptr) {
        const PartDrawingLayout* active = GetActiveLayout();
        if (active != nullptr && active->GetDrawingID() == pDrawing->GetDrawingID())
            pLayout = active;
    }
    ConvertPointLocalToWorld(pLayout, local, world);
}

double Draw2dView::ConvertLengthWorldToLocal(const DrawingFeatureBase*, const PartDrawingLayout* pLayout,
                                             double dLength) const
{
    return pLayout != nullptr ? pLayout->ConvertLengthWorldToLocal(dLength) : dLength;
}

double Draw2dView::ConvertLengthLocalToWorld(const DrawingFeatureBase*, const PartDrawingLayout* pLayout,
                                             double dLength) const
{
    return pLayout != nullptr ? pLayout->ConvertLengthLocalToWorld(dLength) : dLength;
}

void Draw2dView::ConvertBoxLocalToWorld(const PartDrawingLayout* pLayout, const RuVaBndBox2d& local, RuVaBndBox2d& world)
{
    if (pLayout != nullptr)
        pLayout->ConvertBoxLocalToWorld(local, world);
    else
        world = local;
}

void Draw2dView::ConvertBoxWorldToLocal(const PartDrawingLayout* pLayout, const RuVaBndBox2d& world, RuVaBndBox2d& local)
{
    if (pLayout != nullptr)
        pLayout->ConvertBoxWorldToLocal(world, local);
    else
        local = world;
}

void Draw2dView::ConvertBoxLocalToWorld(const RuVaBndBox2d& local, RuVaBndBox2d& world) const
{
    const PartDrawingLayout* layout = GetActiveLayout();
    const DrawingFeatureBase* shown = GetDrawingFeature();
    if (layout != nullptr && shown != nullptr && shown->GetPartLayoutByID(layout->GetLayoutID()) != nullptr &&
        layout != shown->GetSelfPartLayout())
        ConvertBoxLocalToWorld(layout, local, world);
    else
        world = local;
}

void Draw2dView::ConvertPointLocalToWorld(const PartDrawingLayout* pLayout, const RuVaPnt2d& local, RuVaPnt2d& world)
{
    if (pLayout != nullptr)
        pLayout->ConvertPointLocalToWorld(local, world);
    else
        world = local;
}

void Draw2dView::ConvertPointWorldToLocal(const PartDrawingLayout* pLayout, const RuVaPnt2d& world, RuVaPnt2d& local)
{
    if (pLayout != nullptr)
        pLayout->ConvertPointWorldToLocal(world, local);
    else
        local = world;
}

Feature2dBase* Draw2dView::ConvertFeatureLocalToWorld(const DrawingFeatureBase*, const PartDrawingLayout* pLayout,
                                                      const Feature2dBase* pFeature, int) const
{
    if (pFeature == nullptr)
        return nullptr;
    if (pLayout == nullptr || pLayout->IsTransformIdentity())
        return pFeature->CopyObject(Feature2dBase::copyAll);
    return pLayout->ConvertFeatureLocalToWorld(pFeature);
}

Feature2dBase* Draw2dView::ConvertFeatureWorldToLocal(const DrawingFeatureBase*, const PartDrawingLayout* pLayout,
                                                      const Feature2dBase* pFeature, int) const
{
    if (pFeature == nullptr)
        return nullptr;
    if (pLayout == nullptr || pLayout->IsTransformIdentity())
        return pFeature->CopyObject(Feature2dBase::copyAll);
    return pLayout->ConvertFeatureWorldToLocal(pFeature);
}

BOOL Draw2dView::IsDrawingSelectable(const DrawingFeatureBase* pDrawing, int nFlag) const
{
    if (pDrawing == nullptr || !m_pDocument->IsDisplayDrawingFeature(pDrawing))
        return FALSE;
    return (nFlag != 0 || m_pDocument->IsEditableDrawingFeature(pDrawing)) ? TRUE : FALSE;
}

BOOL Draw2dView::IsFeatureSelectable(long nRecordID, const DrawingFeatureBase* pDrawing, int nFlag) const
{
    if (m_pDocument == nullptr || nRecordID <= 0)
        return FALSE;
    const Feature2dBase* f = m_pDocument->GetFeature(nRecordID);
    if (f == nullptr || (pDrawing != nullptr && m_pDocument->GetFeatureDrawingID(nRecordID) != pDrawing->GetDrawingID()))
        return FALSE;
    const long layer = f->GetLayerID();
    const LayerFeatureTable* table = m_pDocument->GetLayerTable();
    if (table == nullptr || table->GetLayerFeature(layer) == nullptr)
        return TRUE;
    if (!m_pDocument->IsDisplayLayerID(layer))
        return FALSE;
    return (nFlag != 0 || m_pDocument->IsEditableLayerID(layer)) ? TRUE : FALSE;
}

long Draw2dView::GetNextSelectableFeatureRecordID(int& nLayoutID, long nPrevID, int nFlag) const
{
    long layout = nLayoutID;
    const long id = GetNextSelectableFeatureRecordID(layout, nPrevID, nFlag);
    nLayoutID = (int)layout;
    return id;
}

long Draw2dView::GetNextSelectableFeatureRecordID(long& nLayoutID, long nPrevID, int nFlag) const
{
    const DrawingFeatureBase* shown = GetDrawingFeature();
    if (shown == nullptr)
        return -1;
    // Which stretch of the walk we are in: the shown drawing's own shapes (-1), then each layout.
    int nIndex = -1;
    if (nLayoutID != -1) {
        nIndex = shown->PartLayoutIDToIndex(nLayoutID);
        if (nIndex < 0)
            return -1;
    }
    for (;;) {
        const DrawingFeatureBase* drawing = shown;
        if (nIndex >= 0) {
            const PartDrawingLayout* layout = shown->GetPartLayout(nIndex);
            drawing = m_pDocument->GetDrawingFeatureByID(layout->GetDrawingID());
            nLayoutID = layout->GetLayoutID();
        } else {
            nLayoutID = -1;
        }
        if (drawing != nullptr && IsDrawingSelectable(drawing, nFlag)) {
            for (long id = m_pDocument->GetNextFeatureRecordID(drawing, nPrevID, 0); id != -1;
                 id = m_pDocument->GetNextFeatureRecordID(drawing, id, 0))
                if (IsFeatureSelectable(id, drawing, nFlag))
                    return id;
        }
        if (++nIndex >= shown->GetPartLayoutCount()) {
            nLayoutID = -1;
            return -1;
        }
        nPrevID = -1;
    }
}

// ---- Grid

BOOL Draw2dView::HitGrid(const RuVaPnt2d& world, RuVaPnt2d& gridPoint, double dAperture, BOOL bForce) const
{
    const DrawingFeatureBase* shown = GetDrawingFeature();
    const GridSetting* g = shown != nullptr ? shown->GetGridSetting() : nullptr;
    if (g == nullptr || (!bForce && !g->IsShowGrid()) || !world.IsFinite() || !(dAperture >= 0.0))
        return FALSE;
    double sx = 0, sy = 0, a1 = 0, a2 = 0;
    g->GetStep(sx, sy);
    g->GetAngle(a1, a2);
    if (!(sx > 0.0) || !(sy > 0.0))
        return FALSE;
    // The lattice of the grid (see the renderer): u along the first angle, v across the second.
    const double ux = sx * std::cos(a1 * M_PI / 180), uy = sx * std::sin(a1 * M_PI / 180);
    const double vx = -sy * std::sin(a2 * M_PI / 180), vy = sy * std::cos(a2 * M_PI / 180);
    const double det = ux * vy - uy * vx;
    if (!(std::fabs(det) > 1e-12 * sx * sy))
        return FALSE;
    const RuVaPnt2d& o = g->GetOrigin();
    const double dx = world.X() - o.X(), dy = world.Y() - o.Y();
    const double fi = (dx * vy - dy * vx) / det, fj = (ux * dy - uy * dx) / det;
    // The nearest of the four lattice points about the point.
    double best = 1e300;
    RuVaPnt2d found;
    for (double i : {std::floor(fi), std::floor(fi) + 1})
        for (double j : {std::floor(fj), std::floor(fj) + 1}) {
            const RuVaPnt2d p(o.X() + i * ux + j * vx, o.Y() + i * uy + j * vy);
            const double d = p.Distance(world);
            if (d < best)
                best = d, found = p;
        }
    if (!g->GetGridAllWindow() && RuVaBndBox2d(g->GetMinGridPnt(), g->GetMaxGridPnt()).IsOut(found))
        return FALSE;
    if (!(best <= dAperture))
        return FALSE;
    gridPoint = found;
    return TRUE;
}

// ---- Overlays

QPainter* Draw2dView::GetOverlayPainter() const
{
    return (m_pCanvas && m_pCanvas->open != 0) ? m_pCanvas->painter.get() : nullptr;
}

BOOL Draw2dView::IsDrawingOverlay() const
{
    return m_pCanvas && m_pCanvas->open != 0;
}

BOOL Draw2dView::BeginOverlay(HDC hDC, int nLayer)
{
    if (!IsPictureValid())
        return FALSE;
    Canvas& c = *m_pCanvas;
    if (c.open != 0) {
        // Nested brackets share the open painter.
        c.open |= nLayer;
        ++c.depth;
        return TRUE;
    }
    c.target = nullptr;
    if (hDC != nullptr) {
        CDC* dc = CDC::FromHandle(hDC);
        c.target = dc != nullptr ? dc->GetQPainter() : nullptr;
    }
    c.painter = std::make_unique<QPainter>(&c.frame);
    c.painter->setRenderHint(QPainter::Antialiasing, false);
    c.open = nLayer;
    c.depth = 1;
    return TRUE;
}

void Draw2dView::EndOverlay(int)
{
    if (!m_pCanvas || m_pCanvas->open == 0)
        return;
    Canvas& c = *m_pCanvas;
    if (--c.depth > 0)
        return;
    c.painter.reset();
    c.open = 0;
    if (c.target != nullptr) {
        // Show the changed area at once on the device context given.
        for (const QRect& d : c.dirty) {
            const QRect r = d.intersected(c.frame.rect());
            if (!r.isEmpty())
                c.target->drawImage(r.topLeft(), c.frame, r);
        }
        c.target = nullptr;
    } else {
        RequestRepaint();
    }
}

BOOL Draw2dView::BeginDraw(HDC hDC)
{
    return BeginOverlay(hDC, 1);
}

void Draw2dView::EndDraw()
{
    EndOverlay(1);
}

BOOL Draw2dView::BeginDrawTemporaryFeature(HDC hDC)
{
    return BeginOverlay(hDC, 2);
}

void Draw2dView::EndDrawTemporaryFeature()
{
    EndOverlay(2);
}

void Draw2dView::MarkOverlay(double x1, double y1, double x2, double y2)
{
    if (!m_pCanvas)
        return;
    const double l = std::clamp(std::min(x1, x2) - 3, -1.0, (double)m_cx + 1);
    const double r = std::clamp(std::max(x1, x2) + 3, -1.0, (double)m_cx + 1);
    const double t = std::clamp(std::min(y1, y2) - 3, -1.0, (double)m_cy + 1);
    const double b = std::clamp(std::max(y1, y2) + 3, -1.0, (double)m_cy + 1);
    const QRect rc(QPoint((int)std::floor(l), (int)std::floor(t)), QPoint((int)std::ceil(r), (int)std::ceil(b)));
    m_pCanvas->AddDirty(rc.intersected(QRect(0, 0, m_cx, m_cy)));
}

void Draw2dView::MarkPolyline(const QPolygonF& poly, bool bClosed)
{
    if (poly.size() == 1)
        MarkOverlay(poly[0].x(), poly[0].y(), poly[0].x(), poly[0].y());
    for (int i = 1; i < poly.size(); ++i)
        MarkLine(poly[i - 1].x(), poly[i - 1].y(), poly[i].x(), poly[i].y());
    if (bClosed && poly.size() > 2)
        MarkLine(poly.back().x(), poly.back().y(), poly.front().x(), poly.front().y());
}

void Draw2dView::MarkLine(double x1, double y1, double x2, double y2)
{
    // Clamped first: a line may reach far beyond the window.
    const double lo = -16, hx = m_cx + 16.0, hy = m_cy + 16.0;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const double len = std::hypot(x2 - x1, y2 - y1);
    const int n = (int)std::clamp(std::ceil(len / 48.0), 1.0, 512.0);
    for (int i = 0; i < n; ++i) {
        const double a = double(i) / n, b = double(i + 1) / n;
        const double ax = x1 + (x2 - x1) * a, ay = y1 + (y2 - y1) * a, bx = x1 + (x2 - x1) * b, by = y1 + (y2 - y1) * b;
        if ((ax < lo && bx < lo) || (ay < lo && by < lo) || (ax > hx && bx > hx) || (ay > hy && by > hy))
            continue;
        MarkOverlay(std::clamp(ax, lo, hx), std::clamp(ay, lo, hy), std::clamp(bx, lo, hx), std::clamp(by, lo, hy));
    }
}

namespace {
QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
}  // namespace

void Draw2dView::DrawOverlayClientLines(const std::vector<CPoint>& points, COLORREF color, BOOL bClosed, BOOL bDashed)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr || points.empty())
        return;
    QPen pen(ToQColor(color));
    pen.setWidth(0);
    if (bDashed)
        pen.setDashPattern({4, 3});
    p->setPen(pen);
    p->setBrush(Qt::NoBrush);
    QPolygonF poly;
    for (const CPoint& q : points)
        poly.push_back(QPointF(q.x, q.y));
    if (bClosed && poly.size() > 2)
        p->drawPolygon(poly);
    else if (poly.size() == 1)
        p->drawPoint(poly[0]);
    else
        p->drawPolyline(poly);
    MarkPolyline(poly, bClosed != FALSE);
}

void Draw2dView::DrawMouseCursor(const CPoint& point, BOOL bPickBox, int nBoxSize, BOOL bCrossHair, COLORREF color,
                                 DWORD)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr)
        return;
    p->setPen(QPen(ToQColor(color), 0));
    p->setBrush(Qt::NoBrush);
    if (bCrossHair) {
        p->drawLine(QPointF(0, point.y), QPointF(m_cx, point.y));
        p->drawLine(QPointF(point.x, 0), QPointF(point.x, m_cy));
        MarkOverlay(0, point.y, m_cx, point.y);
        MarkOverlay(point.x, 0, point.x, m_cy);
    }
    if (bPickBox) {
        const int h = std::clamp(nBoxSize, 1, 256);
        p->drawRect(QRect(point.x - h, point.y - h, 2 * h, 2 * h));
        MarkOverlay(point.x - h, point.y - h, point.x + h, point.y + h);
    }
}

void Draw2dView::DrawSnapMark(const RuVaPnt2d& world, int nSize, COLORREF color, DWORD dwSnapKind)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr || !world.IsFinite())
        return;
    double x = 0, y = 0;
    ConvertPointWorldToClient(world, x, y);
    const double h = std::clamp(nSize, 2, 128);
    p->setPen(QPen(ToQColor(color), 2));
    p->setBrush(Qt::NoBrush);
    // The mark's shape tells the kind: square end, triangle middle, circle centre, cross intersection,
    // hourglass nearest, right angle perpendicular, diamond for the rest.
    switch (dwSnapKind) {
    case 0x0002:
        p->drawRect(QRectF(x - h, y - h, 2 * h, 2 * h));
        break;
    case 0x0004: {
        const QPointF tri[3] = {QPointF(x, y - h), QPointF(x + h, y + h), QPointF(x - h, y + h)};
        p->drawPolygon(tri, 3);
        break;
    }
    case 0x0008:
        p->drawEllipse(QPointF(x, y), h, h);
        break;
    case 0x0010:
        p->drawLine(QPointF(x - h, y - h), QPointF(x + h, y + h));
        p->drawLine(QPointF(x - h, y + h), QPointF(x + h, y - h));
        break;
    case 0x0001: {
        const QPointF glass[4] = {QPointF(x - h, y - h), QPointF(x + h, y - h), QPointF(x - h, y + h), QPointF(x + h, y + h)};
        p->drawPolygon(glass, 4);
        break;
    }
    case 0x0100:
    case 0x1000:
        p->drawLine(QPointF(x - h, y + h), QPointF(x + h, y + h));
        p->drawLine(QPointF(x - h, y + h), QPointF(x - h, y - h));
        p->drawLine(QPointF(x - h, y), QPointF(x, y));
        p->drawLine(QPointF(x, y), QPointF(x, y + h));
        break;
    default: {
        const QPointF dia[4] = {QPointF(x, y - h), QPointF(x + h, y), QPointF(x, y + h), QPointF(x - h, y)};
        p->drawPolygon(dia, 4);
        break;
    }
    }
    MarkOverlay(x - h - 2, y - h - 2, x + h + 2, y + h + 2);
}

void Draw2dView::DrawAngularSnapLine(const RuVaPnt2d& origin, double dAngleDeg, double dBaseAngleDeg, COLORREF color)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr || !origin.IsFinite() || !std::isfinite(dAngleDeg) || !std::isfinite(dBaseAngleDeg))
        return;
    const double a = (dAngleDeg + dBaseAngleDeg) * M_PI / 180.0;
    const double reach = (m_cx + m_cy + 10) / m_dScale + std::hypot(origin.X() - m_center.X(), origin.Y() - m_center.Y());
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ConvertPointWorldToClient(origin, x1, y1);
    ConvertPointWorldToClient(RuVaPnt2d(origin.X() + reach * std::cos(a), origin.Y() + reach * std::sin(a)), x2, y2);
    QPen pen(ToQColor(color), 0);
    pen.setDashPattern({6, 4});
    p->setPen(pen);
    p->drawLine(QLineF(x1, y1, x2, y2));
    MarkLine(x1, y1, x2, y2);
}

void Draw2dView::DrawSnapText(const CPoint& point, int nBoxSize, DWORD dwSnapKind, int nAngular, double dAngleDeg,
                              int, int nAnglePrecision)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr || (dwSnapKind == 0 && nAngular == 0))
        return;
    // One label per snap kind, in bit order, from the language library (0xF200 + bit number).
    static const TCHAR* const kSnapLabels[] = {
        u"Nearest", u"End", u"Middle", u"Centre", u"Intersection", u"Quadrant", u"Point", u"Division",
        u"Perpendicular", u"Tangent", u"Horizontal/Vertical", u"Extension", u"Perpendicular track"};
    QString text;
    for (int bit = 0; bit < int(std::size(kSnapLabels)); ++bit)
        if (dwSnapKind == (DWORD(1) << bit)) {
            text = AfxLoadFrameworkText(0xF200 + bit, kSnapLabels[bit]).ToQString();
            break;
        }
    if (nAngular != 0 && std::isfinite(dAngleDeg))
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) +
                QString::number(dAngleDeg, 'f', std::clamp(nAnglePrecision, 0, 8)) + QChar(0x00B0);
    if (text.isEmpty())
        return;
    const int off = std::clamp(nBoxSize, 0, 256) + 4;
    QFont font;
    font.setPixelSize(12);
    p->setFont(font);
    const QFontMetrics fm(font);
    const QRect r(point.x + off, point.y + off, fm.horizontalAdvance(text) + 6, fm.height() + 2);
    p->fillRect(r, QColor(255, 255, 225));
    p->setPen(QColor(0, 0, 0));
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->drawText(r, Qt::AlignCenter, text);
    MarkOverlay(r.left(), r.top(), r.right(), r.bottom());
}

void Draw2dView::DrawHitMark(const CPoint& point, COLORREF color)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr)
        return;
    p->fillRect(QRect(point.x - 4, point.y - 4, 9, 9), ToQColor(color));
    MarkOverlay(point.x - 4, point.y - 4, point.x + 5, point.y + 5);
}

void Draw2dView::DrawRectangleMarquee(const CPoint& p1, const CPoint& p2, int nPartMode)
{
    DrawOverlayClientLines({p1, CPoint(p2.x, p1.y), p2, CPoint(p1.x, p2.y)}, RGB(0, 0, 0), TRUE, nPartMode == 2);
}

void Draw2dView::DrawPolygonMarquee(const std::vector<CPoint>& points, int nPartMode)
{
    DrawOverlayClientLines(points, RGB(0, 0, 0), TRUE, nPartMode == 2);
}

void Draw2dView::DrawPolylineMarquee(const std::vector<CPoint>& points)
{
    DrawOverlayClientLines(points, RGB(0, 0, 0), FALSE, FALSE);
}

void Draw2dView::DrawLineMarquee(const CPoint& p1, const CPoint& p2)
{
    DrawOverlayClientLines({p1, p2}, RGB(0, 0, 0), FALSE, FALSE);
}

void Draw2dView::DrawOverlayPolyline(const KcArrayOfGePnt2d& world, COLORREF color, BOOL bClosed)
{
    QPainter* p = GetOverlayPainter();
    if (p == nullptr || world.GetSize() == 0)
        return;
    QPolygonF poly;
    for (INT_PTR i = 0; i < world.GetSize(); ++i) {
        double x = 0, y = 0;
        ConvertPointWorldToClient(world.GetData()[i], x, y);
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        poly.push_back(QPointF(std::clamp(x, -1e6, 1e6), std::clamp(y, -1e6, 1e6)));
    }
    p->setPen(QPen(ToQColor(color), 0));
    p->setBrush(Qt::NoBrush);
    if (bClosed && poly.size() > 2)
        p->drawPolygon(poly);
    else if (poly.size() == 1)
        p->drawPoint(poly[0]);
    else
        p->drawPolyline(poly);
    MarkPolyline(poly, bClosed != FALSE);
}

void Draw2dView::DrawOverlayFeature(const Feature2dBase* pWorldFeature, COLORREF color)
{
    if (pWorldFeature == nullptr || GetOverlayPainter() == nullptr)
        return;
    if (color == (COLORREF)-1) {
        const short no = pWorldFeature->GetColorNo();
        if (no == -1)
            color = pWorldFeature->GetColor();
        else if (no > 0 && m_pDocument != nullptr && m_pDocument->GetColorFeatureTable() != nullptr)
            color = m_pDocument->GetColorFeatureTable()->GetColorRef(no);
        else
            color = RGB(0, 0, 0);
    }
    std::vector<KcArrayOfGePnt2d> chains;
    FeatureFlattener::Flatten(pWorldFeature, chains, 0.25 / m_dScale);
    for (const KcArrayOfGePnt2d& c : chains)
        DrawOverlayPolyline(c, color, FALSE);
}

void Draw2dView::DrawOverlayRenderedFeature(const PartDrawingLayout* pLayout, const Feature2dBase* pLocalFeature)
{
    QPainter* p = GetOverlayPainter();
    if (pLocalFeature == nullptr || p == nullptr)
        return;
    QRectF drawn;
    if (!DrawingManager::DrawLooseFeature(*this, *p, pLayout, *pLocalFeature, drawn) || drawn.isEmpty())
        return;
    MarkOverlay(drawn.left(), drawn.top(), drawn.right(), drawn.bottom());
}

void Draw2dView::DrawVirtualSnapCurve(const KcArrayOfGeEntity2d& curves, COLORREF color)
{
    for (INT_PTR i = 0; i < curves.GetSize(); ++i) {
        std::unique_ptr<Feature2dBase> f(ConvertGeom2dToFeature::Convert(curves.GetAt(i)));
        if (!f)
            continue;
        std::vector<KcArrayOfGePnt2d> chains;
        FeatureFlattener::Flatten(f.get(), chains, 0.25 / m_dScale);
        for (const KcArrayOfGePnt2d& c : chains) {
            // Construction curves are dotted.
            QPainter* p = GetOverlayPainter();
            if (p == nullptr)
                return;
            QPolygonF poly;
            for (INT_PTR k = 0; k < c.GetSize(); ++k) {
                double x = 0, y = 0;
                ConvertPointWorldToClient(c.GetData()[k], x, y);
                poly.push_back(QPointF(std::clamp(x, -1e6, 1e6), std::clamp(y, -1e6, 1e6)));
            }
            QPen pen(ToQColor(color), 0);
            pen.setDashPattern({2, 3});
            p->setPen(pen);
            p->drawPolyline(poly);
            MarkPolyline(poly, false);
        }
    }
}

void Draw2dView::DrawFeatureTrackerHitMark(int nGrip, COLORREF color)
{
    RuVaPnt2d world;
    if (m_pTracker == nullptr || !m_pTracker->GetHandlePoint(nGrip, world))
        return;
    DrawHitMark(ConvertPointWorldToClient(world), color);
}
