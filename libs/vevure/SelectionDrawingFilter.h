#pragma once
// The drawing part of a selection filter: the drawing ids a shape may lie on (none = any).

#include <vector>

#include "platform/afx/AfxTypes.h"

class SelectionDrawingFilter
{
public:
    SelectionDrawingFilter() = default;
    SelectionDrawingFilter(const SelectionDrawingFilter&) = default;
    SelectionDrawingFilter& operator=(const SelectionDrawingFilter&) = default;
    bool operator==(const SelectionDrawingFilter& o) const { return m_ids == o.m_ids; }

    BOOL IsFilterEmpty() const { return m_ids.empty() ? TRUE : FALSE; }
    int GetDrawingFilterCount() const { return static_cast<int>(m_ids.size()); }
    long GetDrawingFilter(int nIndex) const;  // index-guarded
    void ClearAllDrawingFilters() { m_ids.clear(); }
    // Adds an id once.
    void AddDrawingFilter(long nID);
    BOOL IsExistDrawingFilter(long nID) const;
    // An empty filter admits every id.
    BOOL IsDrawingSelectable(long nID) const { return m_ids.empty() ? TRUE : IsExistDrawingFilter(nID); }

private:
    std::vector<long> m_ids;
};
