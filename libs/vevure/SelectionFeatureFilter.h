#pragma once
// The feature-kind part of a selection filter: one mask with a bit per kind of shape.
//
// Bits: type t - 1 for the types 1 to 13, 0x2000 lead, 0x4000 balloon, 0x8000 hatch, 0x20000 to 0x400000 the
// dimensions 50 to 55, 0x800000 draw group, 0x1000000 component, 0x2000000 image, 0x4000000 OLE object,
// 0x8000000 geometric tolerance.

#include "platform/afx/AfxTypes.h"

class SelectionFeatureFilter
{
public:
    static constexpr DWORD kDefaultMask = 0xEFFFFFFF;

    SelectionFeatureFilter() = default;
    explicit SelectionFeatureFilter(DWORD dwMask) : m_dwMask(dwMask) {}
    SelectionFeatureFilter(const SelectionFeatureFilter&) = default;
    SelectionFeatureFilter& operator=(const SelectionFeatureFilter&) = default;
    bool operator==(const SelectionFeatureFilter& o) const { return m_dwMask == o.m_dwMask; }

    // The bit of a feature type, 0 for a type without one (-1 = no feature among them).
    static DWORD GetFeatureBit(int nFeatureType);
    // Whether the mask admits the type.
    static BOOL FilterFeature(int nFeatureType, DWORD dwMask);

    DWORD GetFeatureFilter() const { return m_dwMask; }
    void SetFeatureFilter(DWORD dwMask) { m_dwMask = dwMask; }
    BOOL IsFilterEmpty() const { return m_dwMask == 0 ? TRUE : FALSE; }
    // An empty filter admits every type.
    BOOL IsFeatureSelectable(int nFeatureType) const
    {
        return m_dwMask == 0 ? TRUE : FilterFeature(nFeatureType, m_dwMask);
    }

private:
    DWORD m_dwMask = 0;
};
