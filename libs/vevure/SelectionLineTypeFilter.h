#pragma once
// The line-type part of a selection filter: the line-type numbers a shape may have (none = any).

#include <vector>

#include "platform/afx/AfxTypes.h"

class SelectionLineTypeFilter
{
public:
    SelectionLineTypeFilter() = default;
    SelectionLineTypeFilter(const SelectionLineTypeFilter&) = default;
    SelectionLineTypeFilter& operator=(const SelectionLineTypeFilter&) = default;
    bool operator==(const SelectionLineTypeFilter& o) const { return m_numbers == o.m_numbers; }

    BOOL IsFilterEmpty() const { return m_numbers.empty() ? TRUE : FALSE; }
    int GetLineTypeFilterCount() const { return static_cast<int>(m_numbers.size()); }
    short GetLineTypeFilter(int nIndex) const;  // index-guarded
    BOOL IsExistLineTypeFilter(short nLineTypeNo) const;
    void ClearAllLineTypeFilters() { m_numbers.clear(); }
    void AddLineTypeFilter(short nLineTypeNo);
    BOOL IsLineTypeSelectable(short nLineTypeNo) const
    {
        return m_numbers.empty() ? TRUE : IsExistLineTypeFilter(nLineTypeNo);
    }

private:
    std::vector<short> m_numbers;
};
