#include "libs/vevure/FeatureAroundCatcher.h"

#include <cmath>
#include <memory>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace {

// One loose end: its shape, which end (0 first, 1 last) and the other point of its straight piece.
struct End {
    long record;
    int which;
    RuVaPnt2d point;
    RuVaPnt2d inner;
};

BOOL Inside(const KcArrayOfGePnt2d& polygon, const RuVaPnt2d& p)
{
    return KcGeometryTool::JudgePointInPolygon(polygon, p) != KcGeometryTool::kOutside ? TRUE : FALSE;
}

// The crossing of the lines through two pieces; FALSE when they are parallel.
BOOL Crossing(const End& a, const End& b, RuVaPnt2d& out)
{
    const double dx1 = a.point.X() - a.inner.X(), dy1 = a.point.Y() - a.inner.Y();
    const double dx2 = b.point.X() - b.inner.X(), dy2 = b.point.Y() - b.inner.Y();
    const double cross = dx1 * dy2 - dy1 * dx2;
    const double scale = std::hypot(dx1, dy1) * std::hypot(dx2, dy2);
    if (scale <= 0.0 || std::fabs(cross) <= 1e-10 * scale)
        return FALSE;
    const double t = ((b.inner.X() - a.inner.X()) * dy2 - (b.inner.Y() - a.inner.Y()) * dx2) / cross;
    out = RuVaPnt2d(a.inner.X() + t * dx1, a.inner.Y() + t * dy1);
    return std::isfinite(out.X()) && std::isfinite(out.Y()) ? TRUE : FALSE;
}

// The shape with the end carried to the point; NULL when the shape refuses it.
Feature2dBase* Carried(const Feature2dBase* pSource, const std::vector<const End*>& ends, const RuVaPnt2d& to)
{
    std::unique_ptr<Feature2dBase> copy(pSource->CopyObject(Feature2dBase::copyAll));
    if (auto* pLine = dynamic_cast<Line2dFeature*>(copy.get())) {
        RuVaPnt2d s = pLine->GetStartPoint();
        RuVaPnt2d e = pLine->GetEndPoint();
        for (const End* pEnd : ends)
            (pEnd->which == 0 ? s : e) = to;
        if (!pLine->SetPoint(s, e))
            return nullptr;
    } else if (auto* pPolyline = dynamic_cast<Polyline2dFeature*>(copy.get())) {
        KcArrayOfGePnt2d points = pPolyline->GetPointArray();
        for (const End* pEnd : ends)
            points.SetAt(pEnd->which == 0 ? 0 : points.GetSize() - 1, to);
        if (!pPolyline->SetPointArray(points))
            return nullptr;
    } else {
        return nullptr;
    }
    copy->SetRecordID(pSource->GetRecordID());
    return copy.release();
}

}  // namespace

long FeatureAroundCatcher::GetDeletedFeature(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_deleted.size() ? m_deleted[(size_t)nIndex] : -1;
}

BOOL FeatureAroundCatcher::AroundCatcherFeature(Draw2dDocument* pDocument, const Draw2dView* pView,
                                                const KcArrayOfGePnt2d& polygon)
{
    m_deleted.clear();
    m_results.RemoveAllFeatures();
    if (pDocument == nullptr || polygon.GetSize() < 3)
        return FALSE;
    const DrawingFeatureBase* pDrawing = pView != nullptr ? pView->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr)
        pDrawing = pDocument->GetActiveDrawingFeature();
    const PartDrawingLayout* pLayout =
        pView != nullptr ? pView->GetActivePartLayout() : pDocument->GetActiveDrawingLayout();
    KcArrayOfGePnt2d window;
    RuVaBndBox2d box;
    for (INT_PTR i = 0; i < polygon.GetSize(); ++i) {
        RuVaPnt2d local;
        Draw2dView::ConvertPointWorldToLocal(pLayout, polygon[i], local);
        window.Add(local);
        box.Add(local);
    }
    std::vector<long> ids;
    pDocument->GetFeaturesInBox(pDrawing, box, ids);
    std::vector<End> ends;
    for (long id : ids) {
        if (!pDocument->IsFeatureEditable(id))
            continue;
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (const auto* pLine = dynamic_cast<const Line2dFeature*>(pFeature)) {
            if (Inside(window, pLine->GetStartPoint()))
                ends.push_back({id, 0, pLine->GetStartPoint(), pLine->GetEndPoint()});
            if (Inside(window, pLine->GetEndPoint()))
                ends.push_back({id, 1, pLine->GetEndPoint(), pLine->GetStartPoint()});
        } else if (const auto* pPolyline = dynamic_cast<const Polyline2dFeature*>(pFeature)) {
            const int n = pPolyline->GetPointSize();
            if (n < 2 || pPolyline->IsClosed())
                continue;
            if (Inside(window, pPolyline->GetPoint(0)))
                ends.push_back({id, 0, pPolyline->GetPoint(0), pPolyline->GetPoint(1)});
            if (Inside(window, pPolyline->GetPoint(n - 1)))
                ends.push_back({id, 1, pPolyline->GetPoint(n - 1), pPolyline->GetPoint(n - 2)});
        }
    }
    RuVaPnt2d corner;
    if (ends.size() != 2 || !Crossing(ends[0], ends[1], corner))
        return FALSE;
    // A line with both ends caught has no corner to make; a polyline closes at the crossing.
    if (ends[0].record == ends[1].record) {
        if (dynamic_cast<const Polyline2dFeature*>(pDocument->GetFeature(ends[0].record)) == nullptr)
            return FALSE;
        Feature2dBase* pClosed = Carried(pDocument->GetFeature(ends[0].record), {&ends[0], &ends[1]}, corner);
        if (pClosed == nullptr)
            return FALSE;
        m_results.AddFeature(pClosed, 0);
        m_deleted.push_back(ends[0].record);
        return TRUE;
    }
    for (const End& end : ends) {
        Feature2dBase* pCarried = Carried(pDocument->GetFeature(end.record), {&end}, corner);
        if (pCarried == nullptr) {
            m_results.RemoveAllFeatures();
            m_deleted.clear();
            return FALSE;
        }
        m_results.AddFeature(pCarried, 0);
        m_deleted.push_back(end.record);
    }
    return TRUE;
}
