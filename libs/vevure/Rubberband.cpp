#include "libs/vevure/Rubberband.h"

#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/PartDrawingLayout.h"

Rubberband::~Rubberband()
{
    EndDraw();
}

BOOL Rubberband::BeginDraw(Draw2dView* pView, Draw2dDocument* pDocument)
{
    EndDraw();
    if (pView == nullptr || !pView->BeginDrawTemporaryFeature(nullptr))
        return FALSE;
    m_pView = pView;
    m_pDocument = pDocument;
    return TRUE;
}

void Rubberband::EndDraw()
{
    if (m_pView != nullptr)
        m_pView->EndDrawTemporaryFeature();
    m_pView = nullptr;
    m_pDocument = nullptr;
}

BOOL Rubberband::DrawFeature(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout,
                             const Feature2dBase* pFeature, double, COLORREF color)
{
    if (m_pView == nullptr || pFeature == nullptr)
        return FALSE;
    if (pLayout == nullptr && pDrawing != nullptr) {
        const PartDrawingLayout* active = m_pView->GetActiveLayout();
        if (active != nullptr && active->GetDrawingID() == pDrawing->GetDrawingID())
            pLayout = active;
    }
    if (color == (COLORREF)-1) {
        // In its own look: drawn by the renderer, through the layout.
        m_pView->DrawOverlayRenderedFeature(pLayout, pFeature);
        return TRUE;
    }
    std::unique_ptr<Feature2dBase> world(m_pView->ConvertFeatureLocalToWorld(pDrawing, pLayout, pFeature, 0));
    if (!world)
        return FALSE;
    m_pView->DrawOverlayFeature(world.get(), color);
    return TRUE;
}

BOOL Rubberband::DrawLine(const RuVaPnt2d& p1, const RuVaPnt2d& p2, COLORREF color)
{
    return DrawPolyline(KcArrayOfGePnt2d{p1, p2}, color);
}

BOOL Rubberband::DrawPolyline(const KcArrayOfGePnt2d& points, COLORREF color)
{
    if (m_pView == nullptr || points.GetSize() == 0)
        return FALSE;
    m_pView->DrawOverlayPolyline(points, color, FALSE);
    return TRUE;
}

BOOL Rubberband::DrawRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2, COLORREF color)
{
    if (m_pView == nullptr)
        return FALSE;
    m_pView->DrawOverlayPolyline(KcArrayOfGePnt2d{p1, RuVaPnt2d(p2.X(), p1.Y()), p2, RuVaPnt2d(p1.X(), p2.Y())}, color,
                                 TRUE);
    return TRUE;
}
