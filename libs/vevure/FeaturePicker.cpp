#include "libs/vevure/FeaturePicker.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaGTrsf2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/zuruda/KcGeometryTool.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/SelectionFilter.h"

namespace {

double SegmentDistance(const RuVaPnt2d& p, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    const double dx = b.X() - a.X(), dy = b.Y() - a.Y();
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.X() - a.X()) * dx + (p.Y() - a.Y()) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X() - (a.X() + t * dx), p.Y() - (a.Y() + t * dy));
}

double Cross(const RuVaPnt2d& o, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    return (a.X() - o.X()) * (b.Y() - o.Y()) - (a.Y() - o.Y()) * (b.X() - o.X());
}

bool SegmentsMeet(const RuVaPnt2d& a1, const RuVaPnt2d& a2, const RuVaPnt2d& b1, const RuVaPnt2d& b2)
{
    const double d1 = Cross(b1, b2, a1), d2 = Cross(b1, b2, a2), d3 = Cross(a1, a2, b1), d4 = Cross(a1, a2, b2);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    auto on = [](const RuVaPnt2d& p, const RuVaPnt2d& q, const RuVaPnt2d& r, double d) {
        return d == 0.0 && std::min(p.X(), q.X()) <= r.X() && r.X() <= std::max(p.X(), q.X()) &&
               std::min(p.Y(), q.Y()) <= r.Y() && r.Y() <= std::max(p.Y(), q.Y());
    };
    return on(b1, b2, a1, d1) || on(b1, b2, a2, d2) || on(a1, a2, b1, d3) || on(a1, a2, b2, d4);
}

bool IsFilled(int nType)
{
    return nType == FeatureTypeText || nType == FeatureTypeImage || nType == FeatureTypeOleObject ||
           nType == FeatureTypeTolerance;
}

// The shape's chains in world coordinates: parts of groups and components resolved through the document.
void WorldChains(const Draw2dDocument* doc, long nRecordID, const Feature2dBase* f, const PartDrawingLayout* layout,
                 double dTolerance, std::vector<KcArrayOfGePnt2d>& chains, bool& bFilled)
{
    chains.clear();
    bFilled = false;
    const double scale = layout != nullptr ? std::max(layout->GetLocalToWorld().ScaleFactor(), 1e-12) : 1.0;
    const double tol = std::max(dTolerance / scale, 1e-9);
    const int type = f->GetFeatureType();
    if ((type == FeatureTypeDrawGroup || type == FeatureTypeDrawComponent) && doc != nullptr && nRecordID > 0) {
        if (const ResolvedFeature2dList* list = doc->GetResolveData(nRecordID, nullptr, nullptr)) {
            std::vector<std::unique_ptr<Feature2dBase>> parts;
            for (int i = 0; i < list->GetFeatureSize(); ++i)
                if (const Feature2dBase* part = list->GetFeature(i))
                    parts.emplace_back(part->CopyObject(Feature2dBase::copyAll));
            for (const auto& part : parts) {
                std::vector<KcArrayOfGePnt2d> more;
                bool filled = false;
                WorldChains(nullptr, -1, part.get(), layout, dTolerance, more, filled);
                for (auto& c : more)
                    chains.push_back(std::move(c));
            }
            return;
        }
    }
    FeatureFlattener::Flatten(f, chains, tol);
    if (IsFilled(type)) {
        KcArrayOfGePnt2d outline;
        if (f->GetOutlinePoints(outline) && outline.GetSize() >= 3) {
            chains.push_back(outline);
            bFilled = true;
        }
    }
    if (layout != nullptr && !layout->IsTransformIdentity())
        for (auto& c : chains)
            c.Transform(layout->GetLocalToWorld());
}

KcArrayOfGePnt2d RegionOutline(const PartDrawingLayout* layout)
{
    KcArrayOfGePnt2d out;
    const Region2dFeature* region = layout != nullptr ? layout->GetRegion() : nullptr;
    if (region == nullptr)
        return out;
    std::vector<KcArrayOfGePnt2d> chains;
    FeatureFlattener::Flatten(region, chains, 0.01);
    for (const auto& c : chains)
        out.Append(c);
    out.Transform(layout->GetLocalToWorld());
    return out;
}

double ChainDistance(const std::vector<KcArrayOfGePnt2d>& chains, const RuVaPnt2d& p)
{
    double best = -1.0;
    for (const KcArrayOfGePnt2d& c : chains) {
        const RuVaPnt2d* pts = c.GetData();
        if (c.GetSize() == 1) {
            const double d = p.Distance(pts[0]);
            best = best < 0 ? d : std::min(best, d);
        }
        for (INT_PTR i = 1; i < c.GetSize(); ++i) {
            const double d = SegmentDistance(p, pts[i - 1], pts[i]);
            best = best < 0 ? d : std::min(best, d);
        }
    }
    return best;
}

// How the chains lie with respect to a closed outline: 0 wholly inside, 1 crossing, 2 wholly outside.
int MatchOutline(const std::vector<KcArrayOfGePnt2d>& chains, bool bFilled, const KcArrayOfGePnt2d& outline)
{
    bool inside = false, outside = false;
    const INT_PTR n = outline.GetSize();
    for (const KcArrayOfGePnt2d& c : chains) {
        for (INT_PTR i = 0; i < c.GetSize(); ++i) {
            const int j = KcGeometryTool::JudgePointInPolygon(outline, c[i]);
            (j == KcGeometryTool::kOutside ? outside : inside) = true;
        }
        for (INT_PTR i = 1; i < c.GetSize() && !(inside && outside); ++i)
            for (INT_PTR k = 0; k < n; ++k)
                if (SegmentsMeet(c[i - 1], c[i], outline[k], outline[(k + 1) % n])) {
                    inside = outside = true;
                    break;
                }
        if (inside && outside)
            return 1;
    }
    // A filled shape around the whole outline crosses it.
    if (!inside && bFilled && n > 0)
        for (const KcArrayOfGePnt2d& c : chains)
            if (c.GetSize() >= 3 && KcGeometryTool::JudgePointInPolygon(c, outline[0]) != KcGeometryTool::kOutside)
                return 1;
    if (inside && outside)
        return 1;
    return inside ? 0 : 2;
}

bool ChainsMeetPolyline(const std::vector<KcArrayOfGePnt2d>& chains, const KcArrayOfGePnt2d& line)
{
    for (const KcArrayOfGePnt2d& c : chains)
        for (INT_PTR i = 1; i < c.GetSize(); ++i)
            for (INT_PTR k = 1; k < line.GetSize(); ++k)
                if (SegmentsMeet(c[i - 1], c[i], line[k - 1], line[k]))
                    return true;
    return false;
}

}  // namespace

double FeaturePicker::DistanceToFeature(const Feature2dBase* pFeature, const PartDrawingLayout* pLayout,
                                        const RuVaPnt2d& world, double dTolerance)
{
    if (pFeature == nullptr)
        return -1.0;
    std::vector<KcArrayOfGePnt2d> chains;
    bool filled = false;
    WorldChains(nullptr, -1, pFeature, pLayout, dTolerance, chains, filled);
    if (filled && KcGeometryTool::JudgePointInPolygon(chains.back(), world) != KcGeometryTool::kOutside)
        return 0.0;
    return ChainDistance(chains, world);
}

BOOL FeaturePicker::Collect(const Draw2dView* pView, double xmin, double ymin, double xmax, double ymax,
                            const Options& o, std::vector<Candidate>& out)
{
    out.clear();
    const Draw2dDocument* doc = pView != nullptr ? pView->GetDocument() : nullptr;
    const DrawingFeatureBase* shown = pView != nullptr ? pView->GetDrawingFeature() : nullptr;
    if (doc == nullptr || shown == nullptr || !(xmin <= xmax) || !(ymin <= ymax))
        return TRUE;
    const RuVaBndBox2d world(RuVaPnt2d(xmin, ymin), RuVaPnt2d(xmax, ymax));
    std::vector<long> ids;
    int polled = 0;
    auto pass = [&](const DrawingFeatureBase* d, const PartDrawingLayout* layout, long layoutID) -> BOOL {
        if (d == nullptr || !doc->IsDisplayDrawingFeature(d) ||
            (o.nDisplayStateMode == 0 && !doc->IsEditableDrawingFeature(d)))
            return TRUE;
        RuVaBndBox2d local = world;
        if (layout != nullptr)
            layout->ConvertBoxWorldToLocal(world, local);
        ids.clear();
        doc->GetFeaturesInBox(d, local, ids);
        std::sort(ids.begin(), ids.end());
        for (long id : ids) {
            if (o.pfnKeepGoing != nullptr && (polled++ % 10) == 0 && !o.pfnKeepGoing())
                return FALSE;
            if (!pView->IsFeatureSelectable(id, d, o.nDisplayStateMode != 0 ? 1 : 0))
                continue;
            if (!SelectionFeatureFilter::FilterFeature(doc->GetFeatureType(id), o.dwKinds))
                continue;
            if (o.pFilter != nullptr && !o.pFilter->IsFeatureSelectable(doc, id))
                continue;
            if (o.pSource != nullptr && o.pSource->GetSize() > 0) {
                bool listed = false;
                for (INT_PTR i = 0; i < o.pSource->GetSize() && !listed; ++i)
                    listed = (*o.pSource)[i].GetRecordID() == id &&
                             ((*o.pSource)[i].GetLayoutID() == layoutID || (*o.pSource)[i].GetLayoutID() == -1);
                if (!listed)
                    continue;
            }
            out.push_back({id, layoutID, layout});
        }
        return TRUE;
    };
    if (!pass(shown, nullptr, -1))
        return FALSE;
    for (int i = 0; i < shown->GetPartLayoutCount(); ++i) {
        const PartDrawingLayout* layout = shown->GetPartLayout(i);
        if (!pass(doc->GetDrawingFeatureByID(layout->GetDrawingID()), layout, layout->GetLayoutID()))
            return FALSE;
    }
    return TRUE;
}

int FeaturePicker::PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture, const Options& o,
                               CArray<FeatureLayout>& found)
{
    found.RemoveAll();
    if (pView == nullptr || !point.IsFinite() || !std::isfinite(dAperture) || dAperture < 0.0)
        return 0;
    std::vector<Candidate> candidates;
    if (!Collect(pView, point.X() - dAperture, point.Y() - dAperture, point.X() + dAperture, point.Y() + dAperture, o,
                 candidates))
        return -1;
    const Draw2dDocument* doc = pView->GetDocument();
    struct Hit {
        double d;
        long id;
        long layout;
    };
    std::vector<Hit> hits;
    std::vector<KcArrayOfGePnt2d> chains;
    long lastLayout = -2;
    KcArrayOfGePnt2d region;
    int n = 0;
    for (const Candidate& c : candidates) {
        if (o.pfnKeepGoing != nullptr && (n++ % 10) == 0 && !o.pfnKeepGoing())
            return -1;
        if (c.nLayoutID != lastLayout) {
            lastLayout = c.nLayoutID;
            region = RegionOutline(c.pLayout);
        }
        // A shape clipped away by its layout's region cannot be picked there.
        if (region.GetSize() >= 3 && KcGeometryTool::JudgePointInPolygon(region, point) == KcGeometryTool::kOutside)
            continue;
        const Feature2dBase* f = doc->GetFeature(c.nRecordID);
        if (f == nullptr)
            continue;
        bool filled = false;
        WorldChains(doc, c.nRecordID, f, c.pLayout, std::max(dAperture * 0.1, 1e-9), chains, filled);
        double d = ChainDistance(chains, point);
        if (filled && KcGeometryTool::JudgePointInPolygon(chains.back(), point) != KcGeometryTool::kOutside)
            d = 0.0;
        if (d >= 0.0 && d <= dAperture)
            hits.push_back({d, c.nRecordID, c.nLayoutID});
    }
    // Nearest first; among equals the shape drawn last (on top) first.
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.d != b.d)
            return a.d < b.d;
        if (a.layout != b.layout)
            return a.layout > b.layout;
        return a.id > b.id;
    });
    for (const Hit& h : hits) {
        if (found.GetSize() >= o.nMaxCount)
            break;
        found.Add(FeatureLayout(h.id, h.layout, -1));
    }
    return (int)found.GetSize();
}

BOOL FeaturePicker::PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture,
                                int nDisplayStateMode, int, DWORD dwKinds, const SelectionFilter* pFilter,
                                FeatureLayout& found)
{
    Options o;
    o.nDisplayStateMode = nDisplayStateMode;
    o.dwKinds = dwKinds;
    o.pFilter = pFilter;
    o.nMaxCount = 1;
    CArray<FeatureLayout> list;
    if (PickByPoint(pView, point, dAperture, o, list) <= 0)
        return FALSE;
    found = list[0];
    return TRUE;
}

int FeaturePicker::Fence(const Draw2dView* pView, const KcArrayOfGePnt2d& outline, BOOL bClosed, const Options& o,
                         CArray<FeatureLayout>& found)
{
    found.RemoveAll();
    if (pView == nullptr || outline.GetSize() < (bClosed ? 3 : 2))
        return 0;
    for (INT_PTR i = 0; i < outline.GetSize(); ++i)
        if (!outline[i].IsFinite())
            return 0;
    RuVaBndBox2d box = outline.GetBndBox();
    std::vector<Candidate> candidates;
    // Shapes outside a window need every shape; the rest only those near the outline.
    const bool outside = bClosed && o.nSideMode == 2;
    const double big = 1e100;
    if (!Collect(pView, outside ? -big : box.XMin(), outside ? -big : box.YMin(), outside ? big : box.XMax(),
                 outside ? big : box.YMax(), o, candidates))
        return -1;
    const Draw2dDocument* doc = pView->GetDocument();
    std::vector<KcArrayOfGePnt2d> chains;
    const double tol = std::max(box.Width(), box.Height()) * 1e-4 + 1e-9;
    int n = 0;
    long lastLayout = -2;
    KcArrayOfGePnt2d region;
    for (const Candidate& c : candidates) {
        if (found.GetSize() >= o.nMaxCount)
            break;
        if (o.pfnKeepGoing != nullptr && (n++ % 10) == 0 && !o.pfnKeepGoing())
            return -1;
        const Feature2dBase* f = doc->GetFeature(c.nRecordID);
        if (f == nullptr)
            continue;
        bool filled = false;
        WorldChains(doc, c.nRecordID, f, c.pLayout, tol, chains, filled);
        if (chains.empty())
            continue;
        // A shape its layout's region hides wholly cannot be picked.
        if (c.nLayoutID != lastLayout) {
            lastLayout = c.nLayoutID;
            region = RegionOutline(c.pLayout);
        }
        if (region.GetSize() >= 3 && MatchOutline(chains, filled, region) == 2)
            continue;
        bool take = false;
        if (bClosed) {
            const int m = MatchOutline(chains, filled, outline);
            const bool window = o.nPartMode == 2 ? m != 2 : m == 0;
            take = o.nSideMode == 2 ? !window : window;
        } else {
            take = ChainsMeetPolyline(chains, outline);
        }
        if (take)
            found.Add(FeatureLayout(c.nRecordID, c.nLayoutID, -1));
    }
    return (int)found.GetSize();
}

int FeaturePicker::PickByRectangle(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                   const Options& o, CArray<FeatureLayout>& found)
{
    KcArrayOfGePnt2d outline{p1, RuVaPnt2d(p2.X(), p1.Y()), p2, RuVaPnt2d(p1.X(), p2.Y())};
    if (std::fabs(p1.X() - p2.X()) == 0.0 || std::fabs(p1.Y() - p2.Y()) == 0.0) {
        found.RemoveAll();
        return 0;
    }
    return Fence(pView, outline, TRUE, o, found);
}

int FeaturePicker::PickByLine(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2, const Options& o,
                              CArray<FeatureLayout>& found)
{
    return Fence(pView, KcArrayOfGePnt2d{p1, p2}, FALSE, o, found);
}

int FeaturePicker::PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon, const Options& o,
                                 CArray<FeatureLayout>& found)
{
    return Fence(pView, polygon, TRUE, o, found);
}

int FeaturePicker::PickByPolyline(const Draw2dView* pView, const KcArrayOfGePnt2d& polyline, const Options& o,
                                  CArray<FeatureLayout>& found)
{
    return Fence(pView, polyline, FALSE, o, found);
}
