#include "libs/vevure/SelectionManager.h"

#include <algorithm>

#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"

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

int SelectionManager::UnselectFeatures(const CArray<long, long>& recordIDs, BOOL bNotify)
{
    int removed = 0;
    for (INT_PTR i = 0; i < recordIDs.GetSize(); ++i) {
        const long id = recordIDs[i];
        for (auto it = m_selected.begin(); it != m_selected.end();) {
            if (it->GetRecordID() == id) {
                FeatureRecord r = *it;
                it = m_selected.erase(it);
                RemoveFromGroups(r);
                ++removed;
            } else {
                ++it;
            }
        }
    }
    if (bNotify)
        SendSelectionNotify();
    return removed;
}

void SelectionManager::UnselectAll(BOOL bNotify)
{
    m_selected.clear();
    m_groups.clear();
    if (bNotify)
        SendSelectionNotify();
}

int SelectionManager::RemoveDeadRecords()
{
    int removed = 0;
    for (auto it = m_selected.begin(); it != m_selected.end();) {
        if (!IsLive(*it)) {
            FeatureRecord r = *it;
            it = m_selected.erase(it);
            RemoveFromGroups(r);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
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
