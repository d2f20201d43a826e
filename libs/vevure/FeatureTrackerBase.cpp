#include "libs/vevure/FeatureTrackerBase.h"

#include <cmath>
#include <memory>

#include "platform/afx/CArray.h"
#include "platform/afx/CDWordArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"

namespace {

constexpr double kDegToRad = M_PI / 180.0;

}  // namespace

FeatureTrackerBase::FeatureTrackerBase(Draw2dDocument* pDocument)
    : m_pDocument(pDocument)
{
}

FeatureTrackerBase::~FeatureTrackerBase() = default;

void FeatureTrackerBase::GetGrips(const Feature2dBase* f, std::vector<RuVaPnt2d>& points)
{
    points.clear();
    if (f == nullptr)
        return;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        const auto* l = static_cast<const Line2dFeature*>(f);
        points = {l->GetStartPoint(), l->GetStartPoint().CenterPoint(l->GetEndPoint()), l->GetEndPoint()};
        break;
    }
    case FeatureTypePolyline: {
        const KcArrayOfGePnt2d& a = static_cast<const Polyline2dFeature*>(f)->GetPointArray();
        const INT_PTR n = std::min<INT_PTR>(a.GetSize(), 10000);
        for (INT_PTR i = 0; i < n; ++i)
            points.push_back(a[i]);
        break;
    }
    case FeatureTypeCircle: {
        const auto* c = static_cast<const Circle2dFeature*>(f);
        const RuVaPnt2d& o = c->GetCenterPoint();
        const double r = c->GetRadius();
        points = {o, RuVaPnt2d(o.X() + r, o.Y()), RuVaPnt2d(o.X(), o.Y() + r), RuVaPnt2d(o.X() - r, o.Y()),
                  RuVaPnt2d(o.X(), o.Y() - r)};
        break;
    }
    case FeatureTypeArc: {
        const auto* a = static_cast<const Arc2dFeature*>(f);
        points = {a->GetCenterPoint(), a->GetStartPoint(), a->GetEndPoint()};
        break;
    }
    case FeatureTypeText:
        points = {static_cast<const Text2dFeature*>(f)->GetPoint()};
        break;
    case FeatureTypePointMarker:
        points = {static_cast<const PointMarker2dFeature*>(f)->GetPoint()};
        break;
    case FeatureTypeImage:
        points = {static_cast<const Image2dFeature*>(f)->GetPoint()};
        break;
    case FeatureTypeEllipse:
        points = {static_cast<const Ellipse2dFeature*>(f)->GetCenterPoint()};
        break;
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine:
        points = {static_cast<const InfiniteLine2dFeature*>(f)->GetPoint()};
        break;
    default:
        break;
    }
}

Feature2dBase* FeatureTrackerBase::MoveGrip(const Feature2dBase* f, int nGrip, const RuVaPnt2d& p)
{
    if (f == nullptr || nGrip < 0 || !p.IsFinite())
        return nullptr;
    std::unique_ptr<Feature2dBase> copy(f->CopyObject(Feature2dBase::copyAll));
    BOOL ok = FALSE;
    switch (f->GetFeatureType()) {
    case FeatureTypeLine: {
        auto* l = static_cast<Line2dFeature*>(copy.get());
        const RuVaPnt2d s = l->GetStartPoint(), e = l->GetEndPoint();
        if (nGrip == 0)
            ok = l->SetPoint(p, e);
        else if (nGrip == 2)
            ok = l->SetPoint(s, p);
        else if (nGrip == 1) {
            const RuVaPnt2d m = s.CenterPoint(e);
            const double dx = p.X() - m.X(), dy = p.Y() - m.Y();
            ok = l->SetPoint(RuVaPnt2d(s.X() + dx, s.Y() + dy), RuVaPnt2d(e.X() + dx, e.Y() + dy));
        }
        break;
    }
    case FeatureTypePolyline: {
        auto* pl = static_cast<Polyline2dFeature*>(copy.get());
        if (nGrip < pl->GetPointSize()) {
            KcArrayOfGePnt2d pts = pl->GetPointArray();
            const bool closed = pl->IsClosed() && pts.GetSize() > 2;
            pts[nGrip] = p;
            // A closed chain keeps its last point on its first.
            if (closed && nGrip == 0)
                pts[pts.GetSize() - 1] = p;
            else if (closed && nGrip == pts.GetSize() - 1)
                pts[0] = p;
            ok = pl->SetPointArray(pts);
        }
        break;
    }
    case FeatureTypeCircle: {
        auto* c = static_cast<Circle2dFeature*>(copy.get());
        if (nGrip == 0)
            ok = c->SetCenterPoint(p);
        else if (nGrip <= 4)
            ok = c->SetRadius(c->GetCenterPoint().Distance(p));
        break;
    }
    case FeatureTypeArc: {
        auto* a = static_cast<Arc2dFeature*>(copy.get());
        const RuVaPnt2d& o = a->GetCenterPoint();
        const double ang = std::atan2(p.Y() - o.Y(), p.X() - o.X()) / kDegToRad;
        const double norm = ang < 0 ? ang + 360.0 : ang;
        if (nGrip == 0)
            ok = a->SetCenterPoint(p);
        else if (nGrip == 1)
            ok = a->SetStartAngle(norm >= 360.0 ? 0.0 : norm) && a->SetRadius(o.Distance(p));
        else if (nGrip == 2)
            ok = a->SetEndAngle(norm >= 360.0 ? 0.0 : norm) && a->SetRadius(o.Distance(p));
        break;
    }
    case FeatureTypeText:
        if (nGrip == 0)
            ok = static_cast<Text2dFeature*>(copy.get())->SetPoint(p);
        break;
    case FeatureTypePointMarker:
        if (nGrip == 0)
            ok = static_cast<PointMarker2dFeature*>(copy.get())->SetPoint(p);
        break;
    case FeatureTypeImage:
        if (nGrip == 0)
            ok = static_cast<Image2dFeature*>(copy.get())->SetPoint(p);
        break;
    case FeatureTypeEllipse:
        if (nGrip == 0)
            ok = static_cast<Ellipse2dFeature*>(copy.get())->SetCenterPoint(p);
        break;
    case FeatureTypeInfiniteLine:
    case FeatureTypeSemiInfiniteLine:
        if (nGrip == 0)
            ok = static_cast<InfiniteLine2dFeature*>(copy.get())->SetPoint(p);
        break;
    default:
        break;
    }
    return ok ? copy.release() : nullptr;
}

void FeatureTrackerBase::UpdateHandles(const Draw2dView* pView)
{
    // Keep the selection state of grips that survive the rebuild.
    std::vector<Handle> old;
    old.swap(m_handles);
    if (m_pDocument == nullptr || m_pDocument->GetSelectionManager() == nullptr)
        return;
    std::vector<RuVaPnt2d> grips;
    for (const FeatureRecord& r : m_pDocument->GetSelectionManager()->GetSelectedFeatureMap()) {
        const Feature2dBase* f = m_pDocument->GetFeature(r.GetRecordID());
        if (f == nullptr)
            continue;
        const PartDrawingLayout* layout = nullptr;
        if (r.GetLayoutID() != -1 && pView != nullptr)
            layout = pView->GetPartLayoutByID(r.GetLayoutID());
        GetGrips(f, grips);
        for (int i = 0; i < (int)grips.size(); ++i) {
            Handle h{r.GetRecordID(), r.GetLayoutID(), i, grips[i], false};
            Draw2dView::ConvertPointLocalToWorld(layout, grips[i], h.world);
            for (const Handle& o : old)
                if (o.nRecordID == h.nRecordID && o.nLayoutID == h.nLayoutID && o.nGrip == h.nGrip)
                    h.bSelected = o.bSelected;
            m_handles.push_back(h);
        }
    }
}

BOOL FeatureTrackerBase::GetHandlePoint(int nGrip, RuVaPnt2d& world) const
{
    if (nGrip < 0 || nGrip >= (int)m_handles.size())
        return FALSE;
    world = m_handles[(size_t)nGrip].world;
    return TRUE;
}

BOOL FeatureTrackerBase::IsHandleSelected(int nGrip) const
{
    return (nGrip >= 0 && nGrip < (int)m_handles.size() && m_handles[(size_t)nGrip].bSelected) ? TRUE : FALSE;
}

int FeatureTrackerBase::HitTest(const Draw2dView* pView, const CPoint& client, int nBoxSize, int nFlag)
{
    if (pView == nullptr)
        return kHitNone;
    if (nFlag != 0)
        UpdateHandles(pView);
    m_cursor = client;
    int best = kHitNone;
    double bestD = 1e300;
    const double box = std::max(1, nBoxSize);
    for (int i = 0; i < (int)m_handles.size(); ++i) {
        double x = 0, y = 0;
        pView->ConvertPointWorldToClient(m_handles[(size_t)i].world, x, y);
        const double dx = std::fabs(x - client.x), dy = std::fabs(y - client.y);
        if (dx <= box && dy <= box && dx + dy < bestD) {
            bestD = dx + dy;
            best = i;
        }
    }
    if (best != kHitNone || m_handles.empty())
        return best;
    // On a selected shape: one of the selected records near the cursor.
    const RuVaPnt2d world = pView->ConvertPointClientToWorld(client);
    const double ap = pView->ConvertLengthClientToWorld(box);
    RuVaBndBox2d probe;
    probe.Set(world);
    probe.Enlarge(ap);
    for (const FeatureRecord& r : m_pDocument->GetSelectionManager()->GetSelectedFeatureMap()) {
        RuVaBndBox2d b;
        if (!m_pDocument->GetFeatureBox(r.GetRecordID(), b))
            continue;
        RuVaBndBox2d w;
        Draw2dView::ConvertBoxLocalToWorld(r.GetLayoutID() != -1 ? pView->GetPartLayoutByID(r.GetLayoutID()) : nullptr, b, w);
        if (!w.IsOut(probe))
            return kHitBody;
    }
    return kHitNone;
}

BOOL FeatureTrackerBase::SelectHandle(const Draw2dView*, int nGrip)
{
    if (nGrip < 0 || nGrip >= (int)m_handles.size())
        return FALSE;
    m_handles[(size_t)nGrip].bSelected = !m_handles[(size_t)nGrip].bSelected;
    return TRUE;
}

BOOL FeatureTrackerBase::BeginTrack(const Draw2dView* pView, const CPoint& client, int nBoxSize)
{
    const int hit = HitTest(pView, client, nBoxSize, 1);
    if (hit < 0)
        return FALSE;
    m_nActive = hit;
    m_start = m_handles[(size_t)hit].world;
    m_bTracking = true;
    m_bDragging = false;
    return TRUE;
}

void FeatureTrackerBase::BuildMoved(const Draw2dView* pView, const RuVaPnt2d& world,
                                    std::vector<std::pair<long, Feature2dBase*>>& out) const
{
    out.clear();
    if (m_nActive < 0 || m_nActive >= (int)m_handles.size() || m_pDocument == nullptr)
        return;
    const double dx = world.X() - m_start.X(), dy = world.Y() - m_start.Y();
    // The grip under the cursor, and every selected grip, move by the same offset; a shape changes once
    // per held grip, in grip order.
    std::vector<const Handle*> held;
    for (size_t i = 0; i < m_handles.size(); ++i)
        if ((int)i == m_nActive || m_handles[i].bSelected)
            held.push_back(&m_handles[i]);
    for (const Handle* h : held) {
        Feature2dBase* current = nullptr;
        for (auto& e : out)
            if (e.first == h->nRecordID)
                current = e.second;
        const Feature2dBase* base = current != nullptr ? current : m_pDocument->GetFeature(h->nRecordID);
        const PartDrawingLayout* layout = (h->nLayoutID != -1 && pView != nullptr) ? pView->GetPartLayoutByID(h->nLayoutID) : nullptr;
        RuVaPnt2d local;
        Draw2dView::ConvertPointWorldToLocal(layout, RuVaPnt2d(h->world.X() + dx, h->world.Y() + dy), local);
        Feature2dBase* moved = MoveGrip(base, h->nGrip, local);
        if (moved == nullptr)
            continue;
        if (current != nullptr) {
            for (auto& e : out)
                if (e.first == h->nRecordID) {
                    delete e.second;
                    e.second = moved;
                }
        } else {
            out.emplace_back(h->nRecordID, moved);
        }
    }
}

void FeatureTrackerBase::Tracking(Draw2dView* pView, float, float, const RuVaPnt2d& world, COLORREF color)
{
    if (!m_bTracking || pView == nullptr)
        return;
    m_bDragging = true;
    std::vector<std::pair<long, Feature2dBase*>> moved;
    BuildMoved(pView, world, moved);
    for (auto& e : moved) {
        long layoutID = -1;
        for (const Handle& h : m_handles)
            if (h.nRecordID == e.first)
                layoutID = h.nLayoutID;
        const PartDrawingLayout* layout = layoutID != -1 ? pView->GetPartLayoutByID(layoutID) : nullptr;
        std::unique_ptr<Feature2dBase> w(layout != nullptr ? layout->ConvertFeatureLocalToWorld(e.second) : nullptr);
        pView->DrawOverlayFeature(w ? w.get() : e.second, color);
        delete e.second;
    }
}

BOOL FeatureTrackerBase::EndTrack(const Draw2dView* pView, const RuVaPnt2d& world)
{
    if (!m_bTracking)
        return FALSE;
    std::vector<std::pair<long, Feature2dBase*>> moved;
    BuildMoved(pView, world, moved);
    m_bTracking = m_bDragging = false;
    m_nActive = -1;
    if (moved.empty() || world.Distance(m_start) == 0.0) {
        for (auto& e : moved)
            delete e.second;
        return FALSE;
    }
    CDWordArray ids;
    m_pDocument->BeginUndoOperation(nullptr);
    for (auto& e : moved) {
        if (m_pDocument->UpdateFeature(e.first, e.second, 1, Feature2dBase::copyGeometry))
            ids.Add((DWORD)e.first);
        delete e.second;
    }
    m_pDocument->EndUndoOperation();
    UpdateHandles(pView);
    if (ids.GetSize() == 0)
        return FALSE;
    OnCommitTrack(ids);
    return TRUE;
}

BOOL FeatureTrackerBase::OnCommitTrack(CDWordArray&)
{
    return TRUE;
}

void FeatureTrackerBase::CancelTrack(const Draw2dView*)
{
    m_bTracking = m_bDragging = false;
    m_nActive = -1;
}

BOOL FeatureTrackerBase::SetCursor(const Draw2dView* pView, int nBoxSize, int nFlag)
{
    return HitTest(pView, m_cursor, nBoxSize, nFlag) >= 0 ? TRUE : FALSE;
}

BOOL FeatureTrackerBase::Nudge(Draw2dView* pView, UINT nKey, UINT nRepeat, int nMode, double dSteps)
{
    if (pView == nullptr || m_pDocument == nullptr || m_pDocument->GetSelectionManager()->IsSelectionEmpty())
        return FALSE;
    double step = nMode == 0 ? pView->ConvertLengthClientToWorld(std::clamp(dSteps, 1.0, 32767.0)) : dSteps;
    if (!std::isfinite(step) || step <= 0.0)
        return FALSE;
    step *= std::clamp<UINT>(nRepeat, 1, 1000);
    double dx = 0, dy = 0;
    switch (nKey) {
    case 37: dx = -step; break;
    case 38: dy = step; break;
    case 39: dx = step; break;
    case 40: dy = -step; break;
    default: return FALSE;
    }
    CArray<FeatureLayout> list;
    m_pDocument->GetSelectionManager()->GetSelectedFeatureList(list);
    CDWordArray ids;
    m_pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const long id = list[i].GetRecordID();
        const Feature2dBase* f = m_pDocument->GetFeature(id);
        if (f == nullptr || !m_pDocument->IsFeatureEditable(id))
            continue;
        const PartDrawingLayout* layout = list[i].GetLayoutID() != -1 ? pView->GetPartLayoutByID(list[i].GetLayoutID()) : nullptr;
        // The offset in the shape's own coordinates.
        RuVaPnt2d a, b;
        Draw2dView::ConvertPointWorldToLocal(layout, RuVaPnt2d(0, 0), a);
        Draw2dView::ConvertPointWorldToLocal(layout, RuVaPnt2d(dx, dy), b);
        std::unique_ptr<Feature2dBase> copy(f->CopyObject(Feature2dBase::copyAll));
        RuVaGTrsf2d t(1, 0, b.X() - a.X(), 0, 1, b.Y() - a.Y());
        if (copy->TransformGeometry(t, 1.0) && m_pDocument->UpdateFeature(id, copy.get(), 1, Feature2dBase::copyGeometry))
            ids.Add((DWORD)id);
    }
    m_pDocument->EndUndoOperation();
    UpdateHandles(pView);
    return ids.GetSize() > 0 ? TRUE : FALSE;
}

BOOL FeatureTrackerBase::GetBasePoint(const Draw2dView* pView, RuVaPnt2d& point, double& dAngle) const
{
    if (!m_bTracking)
        return FALSE;
    point = m_start;
    const PartDrawingLayout* layout = pView != nullptr ? pView->GetActiveLayout() : nullptr;
    dAngle = layout != nullptr ? layout->GetAngle() : 0.0;
    return TRUE;
}
