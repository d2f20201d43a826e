#pragma once
// The layer part of a selection filter: the layer ids a shape may lie on (none = any).

#include <vector>

#include "platform/afx/AfxTypes.h"

class SelectionLayerFilter
{
public:
    SelectionLayerFilter() = default;
    SelectionLayerFilter(const SelectionLayerFilter&) = default;
    SelectionLayerFilter& operator=(const SelectionLayerFilter&) = default;
    bool operator==(const SelectionLayerFilter& o) const { return m_ids == o.m_ids; }

    BOOL IsFilterEmpty() const { return m_ids.empty() ? TRUE : FALSE; }
    int GetLayerFilterCount() const { return static_cast<int>(m_ids.size()); }
    long GetLayerFilter(int nIndex) const;  // index-guarded
    void ClearAllLayerFilters() { m_ids.clear(); }
    // Adds an id once.
    void AddLayerFilter(long nID);
    BOOL IsExistLayerFilter(long nID) const;
    // An empty filter admits every id.
    BOOL IsLayerSelectable(long nID) const { return m_ids.empty() ? TRUE : IsExistLayerFilter(nID); }

private:
    std::vector<long> m_ids;
};
