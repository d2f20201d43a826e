#pragma once
// The line-width part of a selection filter: one bit per line-width number 0 (by layer) to 15, bit 16 for
// shapes with an explicit width. No bit set = any width.

#include "platform/afx/AfxTypes.h"

class SelectionLineWidthFilter
{
public:
    SelectionLineWidthFilter() = default;
    SelectionLineWidthFilter(const SelectionLineWidthFilter&) = default;
    SelectionLineWidthFilter& operator=(const SelectionLineWidthFilter&) = default;
    bool operator==(const SelectionLineWidthFilter& o) const { return m_dwBits == o.m_dwBits; }

    BOOL IsFilterEmpty() const { return m_dwBits == 0 ? TRUE : FALSE; }
    // 1 when the number (0-15, or -1 / 0xFFFF for an explicit width) is in the filter.
    int GetLineWidthFilter(int nLineWidthNo) const;
    void ClearAllLineWidthFilters() { m_dwBits = 0; }
    BOOL SetLineWidthFilter(int nLineWidthNo, BOOL bSet);
    BOOL IsLineWidthSelectable(int nLineWidthNo) const
    {
        return m_dwBits == 0 ? TRUE : GetLineWidthFilter(nLineWidthNo);
    }

private:
    static int Bit(int nLineWidthNo);
    DWORD m_dwBits = 0;
};
