#include "libs/vevure/Draw2dView.h"

#include <cmath>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/PartDrawingLayout.h"

Draw2dView::Draw2dView(Draw2dDocument* pDocument)
    : m_pDocument(pDocument)
{
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
    m_dScale = dPixelsPerUnit;
    return TRUE;
}

void Draw2dView::SetClientSize(int cx, int cy)
{
    m_cx = cx < 0 ? 0 : cx;
    m_cy = cy < 0 ? 0 : cy;
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
