#include "libs/vevure/SelectionManager.h"

#include <algorithm>
#include <limits>

#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/FeaturePicker.h"
#include "libs/vevure/FeatureTrackerBase.h"
#include "libs/vevure/NotifyInfoBase.h"

namespace {

// Drops the records from every group in one pass, and the groups left empty.
template <class Groups>
void EraseFromGroups(Groups& groups, const std::set<FeatureRecord>& records)
{
    for (auto& g : groups)
        g.records.erase(std::remove_if(g.records.begin(), g.records.end(),
                                       [&](const FeatureRecord& r) { return records.count(r) != 0; }),
                        g.records.end());
    groups.erase(std::remove_if(groups.begin(), groups.end(), [](const auto& g) { return g.records.empty(); }),
                 groups.end());
}

}  // namespace

SelectionManager::SelectionManager(Draw2dDocument* pDocument) : m_pDocument(pDocument)
{
    if (pDocument != nullptr)
        m_pTracker = std::make_unique<FeatureTrackerBase>(pDocument);
}

SelectionManager::~SelectionManager() = default;

void SelectionManager::SelectionChanged()
{
    // Grips of shapes no longer selected must not be hit or dragged; with a selection left the tracker
    // rebuilds its grips through the view that asks next.
    if (m_pTracker != nullptr && m_selected.empty()) {
        m_pTracker->CancelTrack(nullptr);
        m_pTracker->UpdateHandles(nullptr);
    }
}

void SelectionManager::GetSelectedFeatureList(CArray<FeatureLayout>& list) const
{
    list.RemoveAll();
    for (const FeatureRecord& r : m_selected)
        list.Add(FeatureLayout(r.GetRecordID(), r.GetLayoutID(), -1));
}

BOOL SelectionManager::IsFeatureSelected(const FeatureRecord& record) const
{
    if (record.GetLayoutID() != -1)
        return m_selected.count(record) ? TRUE : FALSE;
    auto it = m_selected.lower_bound(FeatureRecord(record.GetRecordID(), LONG(-2147483647 - 1)));
    return (it != m_selected.end() && it->GetRecordID() == record.GetRecordID()) ? TRUE : FALSE;
}

BOOL SelectionManager::IsLive(const FeatureRecord& record) const
{
    return m_pDocument == nullptr || (record.GetRecordID() > 0 && m_pDocument->GetFeature(record.GetRecordID()));
}

BOOL SelectionManager::SelectFeature(const FeatureRecord& record, BOOL bNotify)
{
    if (!IsLive(record) || m_selected.count(record))
        return FALSE;
    m_selected.insert(record);
    Group g;
    g.records.push_back(record);
    m_groups.push_back(std::move(g));
    if (bNotify)
        SendSelectionNotify();
    return TRUE;
}

void SelectionManager::RemoveFromGroups(const FeatureRecord& record)
{
    for (Group& g : m_groups)
        g.records.erase(std::remove(g.records.begin(), g.records.end(), record), g.records.end());
    m_groups.erase(std::remove_if(m_groups.begin(), m_groups.end(), [](const Group& g) { return g.records.empty(); }),
                   m_groups.end());
}

BOOL SelectionManager::UnselectFeature(const FeatureRecord& record, BOOL bNotify)
{
    if (!m_selected.erase(record))
        return FALSE;
    RemoveFromGroups(record);
    SelectionChanged();
    if (bNotify)
        SendSelectionNotify();
    return TRUE;
}

int SelectionManager::SelectFeatures(const CArray<FeatureLayout>& records, int nShapeMode,
                                     const KcArrayOfGePnt2d* pPoints, BOOL bNotify)
{
    Group g;
    g.mode = nShapeMode;
    if (pPoints != nullptr)
        g.points = *pPoints;
    for (INT_PTR i = 0; i < records.GetSize(); ++i) {
        FeatureRecord r(records[i].GetRecordID(), records[i].GetLayoutID());
        if (!IsLive(r) || m_selected.count(r))
            continue;
        m_selected.insert(r);
        g.records.push_back(r);
    }
    const int added = static_cast<int>(g.records.size());
    if (added > 0)
        m_groups.push_back(std::move(g));
    if (bNotify)
        SendSelectionNotify();
    return added;
}

int SelectionManager::UnselectFeatureRecords(const std::vector<FeatureRecord>& records, BOOL bNotify)
{
    std::set<FeatureRecord> removed;
    for (const FeatureRecord& r : records)
        if (m_selected.erase(r))
            removed.insert(r);
    if (!removed.empty()) {
        EraseFromGroups(m_groups, removed);
        SelectionChanged();
    }
    if (bNotify)
        SendSelectionNotify();
    return static_cast<int>(removed.size());
}

int SelectionManager::UnselectFeatures(const CArray<long, long>& recordIDs, BOOL bNotify)
{
    // The set orders by record id first: a record's entries (one per layout) lie together.
    std::set<FeatureRecord> removed;
    for (INT_PTR i = 0; i < recordIDs.GetSize(); ++i) {
        const long id = recordIDs[i];
        for (auto it = m_selected.lower_bound(FeatureRecord(id, std::numeric_limits<LONG>::min()));
             it != m_selected.end() && it->GetRecordID() == id;) {
            removed.insert(*it);
            it = m_selected.erase(it);
        }
    }
    if (!removed.empty()) {
        EraseFromGroups(m_groups, removed);
        SelectionChanged();
    }
    if (bNotify)
        SendSelectionNotify();
    return static_cast<int>(removed.size());
}

void SelectionManager::UnselectAll(BOOL bNotify)
{
    m_selected.clear();
    m_groups.clear();
    SelectionChanged();
    if (bNotify)
        SendSelectionNotify();
}

int SelectionManager::RemoveDeadRecords()
{
    std::set<FeatureRecord> removed;
    for (auto it = m_selected.begin(); it != m_selected.end();) {
        if (!IsLive(*it)) {
            removed.insert(*it);
            it = m_selected.erase(it);
        } else {
            ++it;
        }
    }
    if (!removed.empty()) {
        EraseFromGroups(m_groups, removed);
        SelectionChanged();
    }
    return static_cast<int>(removed.size());
}

void SelectionManager::SendSelectionNotify()
{
    if (m_pDocument != nullptr)
        m_pDocument->SendNotify(NotifyInfoBase::kindView, 1);
}

int SelectionManager::GetSelectionGroupSelectShapeMode(int nGroup) const
{
    if (nGroup < 0 || nGroup >= GetSelectionGroupCount())
        AfxThrowInvalidArgException();
    return m_groups[static_cast<size_t>(nGroup)].mode;
}

const KcArrayOfGePnt2d& SelectionManager::GetSelectionGroupPointList(int nGroup) const
{
    if (nGroup < 0 || nGroup >= GetSelectionGroupCount())
        AfxThrowInvalidArgException();
    return m_groups[static_cast<size_t>(nGroup)].points;
}

BOOL SelectionManager::GetSelectionGroup(int nGroup, CArray<FeatureLayout>& records) const
{
    records.RemoveAll();
    if (nGroup < 0 || nGroup >= GetSelectionGroupCount())
        return FALSE;
    for (const FeatureRecord& r : m_groups[static_cast<size_t>(nGroup)].records)
        records.Add(FeatureLayout(r.GetRecordID(), r.GetLayoutID(), -1));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------------
// Picking

BOOL SelectionManager::IsOwnView(const Draw2dView* pView) const
{
    return pView != nullptr && pView->GetDocument() != nullptr &&
           (m_pDocument == nullptr || pView->GetDocument() == m_pDocument);
}

namespace {

FeaturePicker::Options FenceOptions(int nPartMode, int nSideMode, int nDisplayStateMode, DWORD dwKinds,
                                    const SelectionFilter* pFilter)
{
    FeaturePicker::Options o;
    o.nPartMode = nPartMode;
    o.nSideMode = nSideMode;
    o.nDisplayStateMode = nDisplayStateMode;
    o.dwKinds = dwKinds;
    o.pFilter = pFilter;
    return o;
}

// The picker reports -1 only when a keep-going test stops it; these picks have none.
int Count(int n)
{
    return n < 0 ? 0 : n;
}

}  // namespace

BOOL SelectionManager::PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture,
                                   int nDisplayStateMode, int nPickSetting, DWORD dwKinds,
                                   const SelectionFilter* pFilter, FeatureLayout& found) const
{
    if (!IsOwnView(pView))
        return FALSE;
    return FeaturePicker::PickByPoint(pView, point, dAperture, nDisplayStateMode, nPickSetting, dwKinds, pFilter,
                                      found);
}

int SelectionManager::PickByRectangle(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                      int nPartMode, int nSideMode, int nDisplayStateMode, DWORD dwKinds,
                                      const SelectionFilter* pFilter, CArray<FeatureLayout>& found) const
{
    found.RemoveAll();
    if (!IsOwnView(pView))
        return 0;
    return Count(FeaturePicker::PickByRectangle(
        pView, p1, p2, FenceOptions(nPartMode, nSideMode, nDisplayStateMode, dwKinds, pFilter), found));
}

int SelectionManager::PickByLine(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nPartMode,
                                 int nSideMode, int nDisplayStateMode, DWORD dwKinds, const SelectionFilter* pFilter,
                                 CArray<FeatureLayout>& found) const
{
    found.RemoveAll();
    if (!IsOwnView(pView))
        return 0;
    return Count(FeaturePicker::PickByLine(pView, p1, p2,
                                           FenceOptions(nPartMode, nSideMode, nDisplayStateMode, dwKinds, pFilter),
                                           found));
}

int SelectionManager::PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon, int nPartMode,
                                    int nSideMode, int nDisplayStateMode, DWORD dwKinds,
                                    const SelectionFilter* pFilter, CArray<FeatureLayout>& found) const
{
    found.RemoveAll();
    if (!IsOwnView(pView))
        return 0;
    return Count(FeaturePicker::PickByPolygon(
        pView, polygon, FenceOptions(nPartMode, nSideMode, nDisplayStateMode, dwKinds, pFilter), found));
}

int SelectionManager::PickByPolyline(const Draw2dView* pView, const KcArrayOfGePnt2d& polyline, int nPartMode,
                                     int nSideMode, int nDisplayStateMode, DWORD dwKinds,
                                     const SelectionFilter* pFilter, CArray<FeatureLayout>& found) const
{
    found.RemoveAll();
    if (!IsOwnView(pView))
        return 0;
    return Count(FeaturePicker::PickByPolyline(
        pView, polyline, FenceOptions(nPartMode, nSideMode, nDisplayStateMode, dwKinds, pFilter), found));
}
