#include "libs/vevure/FeatureSelector.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/afx/CInvalidArgException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureFlattener.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"

FeatureSelector::FeatureSelector() = default;

FeatureSelector::FeatureSelector(Draw2dDocument* pDocument) : m_pDocument(pDocument) {}

FeatureSelector::~FeatureSelector() = default;

void FeatureSelector::SetSourceRecordList(const CArray<FeatureLayout>& records)
{
    m_sourceRecords.Copy(records);
}

const FeatureLayout& FeatureSelector::GetSelectedFeatureLayout(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSelectedCount())
        AfxThrowInvalidArgException();
    return m_selected[nIndex];
}

long FeatureSelector::GetSelectedRecordID(int nIndex) const
{
    return GetSelectedFeatureLayout(nIndex).GetRecordID();
}

long FeatureSelector::GetSelectedLayoutID(int nIndex) const
{
    return GetSelectedFeatureLayout(nIndex).GetLayoutID();
}

void FeatureSelector::GetAllSelectedObjects(CArray<FeatureLayout>& objects) const
{
    objects.RemoveAll();
    objects.Copy(m_selected);
}

void FeatureSelector::ClearSelectedObject()
{
    m_selected.RemoveAll();
    m_matchTypes.clear();
}

BOOL FeatureSelector::AddSelectedObject(const FeatureLayout& object, int nMatchType)
{
    if (GetSelectedCount() >= m_nMaxSelectCount)
        return FALSE;
    for (INT_PTR i = 0; i < m_selected.GetSize(); ++i)
        if (m_selected[i] == object)
            return FALSE;
    m_selected.Add(object);
    m_matchTypes[object.GetRecordID()] = nMatchType;
    return TRUE;
}

int FeatureSelector::GetMatchType(long nRecordID) const
{
    const auto it = m_matchTypes.find(nRecordID);
    return it == m_matchTypes.end() ? MatchNone : it->second;
}

namespace {

FeaturePicker::Options PickOptions(const FeatureSelector& s, FeatureSelector::KeepGoingProc pfnKeepGoing)
{
    FeaturePicker::Options o;
    o.pfnKeepGoing = pfnKeepGoing;
    o.nMaxCount = s.GetMaxSelectCount();
    o.pSource = &s.GetSourceRecordList();
    o.nPartMode = s.GetSelectPart();
    o.nSideMode = s.GetSelectSide();
    if (s.GetSnapPick()) {
        o.nDisplayStateMode = 1;
    } else {
        o.nDisplayStateMode = s.GetDisplayStateMode();
        o.dwKinds = s.GetFeatureFilter();
        o.pFilter = s.GetSelectionFilter();
    }
    return o;
}

}  // namespace

BOOL FeatureSelector::CanPickIn(const Draw2dView* pView) const
{
    return pView != nullptr && pView->GetDocument() != nullptr &&
           (m_pDocument == nullptr || pView->GetDocument() == m_pDocument);
}

int FeatureSelector::PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture,
                                 KeepGoingProc pfnKeepGoing)
{
    ClearSelectedObject();
    if (!CanPickIn(pView) || m_nMaxSelectCount <= 0)
        return 0;
    CArray<FeatureLayout> found;
    if (FeaturePicker::PickByPoint(pView, point, dAperture, PickOptions(*this, pfnKeepGoing), found) < 0)
        return -1;
    for (INT_PTR i = 0; i < found.GetSize(); ++i)
        AddSelectedObject(found[i], MatchInside);
    return GetSelectedCount();
}

int FeatureSelector::PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon,
                                   KeepGoingProc pfnKeepGoing)
{
    ClearSelectedObject();
    if (!CanPickIn(pView) || m_nMaxSelectCount <= 0)
        return 0;
    CArray<FeatureLayout> found;
    if (FeaturePicker::PickByPolygon(pView, polygon, PickOptions(*this, pfnKeepGoing), found) < 0)
        return -1;
    const Draw2dDocument* doc = pView->GetDocument();
    // A window takes only what lies wholly inside; other picks are told apart shape by shape.
    const bool allInside = m_nSelectPart != 2 && m_nSelectSide != 2;
    for (INT_PTR i = 0; i < found.GetSize(); ++i) {
        // How the shape lies, as the view shows it, with respect to the polygon.
        int match = allInside ? MatchInside : MatchCrossing;
        const Feature2dBase* f = allInside ? nullptr : doc->GetFeature(found[i].GetRecordID());
        if (f != nullptr) {
            const long layoutID = found[i].GetLayoutID();
            const PartDrawingLayout* layout = layoutID != -1 ? pView->GetPartLayoutByID(layoutID) : nullptr;
            if (layout == nullptr) {
                match = PickByPolygon(f, polygon);
            } else {
                std::unique_ptr<Feature2dBase> world(pView->ConvertFeatureLocalToWorld(nullptr, layout, f, 1));
                if (world)
                    match = PickByPolygon(world.get(), polygon);
            }
            if (match == MatchNone)
                match = MatchCrossing;
        }
        AddSelectedObject(found[i], match);
    }
    return GetSelectedCount();
}

FeatureSelector::FeatureMatchType FeatureSelector::PickByPolygon(const Feature2dBase* pFeature,
                                                                 const KcArrayOfGePnt2d& polygon)
{
    if (pFeature == nullptr || polygon.GetSize() < 3)
        return MatchNone;
    std::vector<KcArrayOfGePnt2d> chains;
    if (!FeatureFlattener::Flatten(pFeature, chains))
        return MatchNone;
    bool anyInside = false, anyOutside = false;
    for (const auto& chain : chains)
        for (const RuVaPnt2d& p : chain) {
            if (KcGeometryTool::JudgePointInPolygon(polygon, p) != KcGeometryTool::kOutside)
                anyInside = true;
            else
                anyOutside = true;
        }
    if (anyInside)
        return anyOutside ? MatchCrossing : MatchInside;
    // Every point lies outside; a segment may still cross the polygon.
    const INT_PTR n = polygon.GetSize();
    for (const auto& chain : chains)
        for (INT_PTR i = 0; i + 1 < chain.GetSize(); ++i)
            for (INT_PTR j = 0; j < n; ++j) {
                RuVaPnt2d meet;
                if (KcGeometryTool::GetIntersectionPointOnLineLine(chain[i], chain[i + 1], polygon[j],
                                                                   polygon[(j + 1) % n], meet))
                    return MatchCrossing;
            }
    return MatchOutside;
}

int FeatureSelector::PolylineSelectIndex(const Polyline2dFeature* pPolyline, const RuVaPnt2d& point,
                                         double dTolerance)
{
    if (pPolyline == nullptr)
        return -1;
    int best = -1;
    double bestDistance = dTolerance;
    for (int i = 0; i + 1 < pPolyline->GetPointSize(); ++i) {
        const RuVaPnt2d& a = pPolyline->GetPoint(i);
        const RuVaPnt2d& b = pPolyline->GetPoint(i + 1);
        const RuVaVec2d ab = b - a;
        const double len2 = ab.SquareMagnitude();
        const double t = len2 > 0.0 ? std::clamp((point - a).Dot(ab) / len2, 0.0, 1.0) : 0.0;
        const double d = point.Distance(a + ab * t);
        if (d <= bestDistance && (best < 0 || d < bestDistance)) {
            best = i + 1;
            bestDistance = d;
        }
    }
    return best;
}
