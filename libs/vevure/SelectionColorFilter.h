#pragma once
// The colour part of a selection filter: a flag per colour number, 0 (by layer) to 256 and -1 (own RGB).
// No flag set = any colour.

#include <bitset>

#include "platform/afx/AfxTypes.h"

class SelectionColorFilter
{
public:
    SelectionColorFilter() = default;
    SelectionColorFilter(const SelectionColorFilter&) = default;
    SelectionColorFilter& operator=(const SelectionColorFilter&) = default;
    bool operator==(const SelectionColorFilter& o) const { return m_flags == o.m_flags; }

    BOOL IsFilterEmpty() const { return m_flags.none() ? TRUE : FALSE; }
    // 1 when the number is in the filter; 0 otherwise and for numbers outside -1..256.
    int GetColorFilter(int nColorNo) const;
    void ClearAllColorFilters() { m_flags.reset(); }
    // FALSE for a number outside -1..256.
    BOOL SetColorFilter(int nColorNo, BOOL bSet);
    BOOL IsColorSelectable(int nColorNo) const { return m_flags.none() ? TRUE : GetColorFilter(nColorNo); }

private:
    static int Slot(int nColorNo) { return nColorNo == -1 ? 257 : nColorNo; }
    std::bitset<258> m_flags;
};
