#pragma once
// The pieces of a broken-up shape with the type of the shape each piece came from.

#include <vector>

#include "libs/vevure/Feature2dList.h"

class ResolvedFeature2dList : public Feature2dList
{
public:
    ResolvedFeature2dList() = default;
    ResolvedFeature2dList(const ResolvedFeature2dList&) = default;
    ResolvedFeature2dList& operator=(const ResolvedFeature2dList&) = default;
    ~ResolvedFeature2dList() override = default;

    // Takes the piece over; returns its index, -1 for NULL.
    int AddResolvedFeature(Feature2dBase* pFeature, int nParentFeatureType);
    // Index-guarded (invalid-argument exception).
    int GetParentFeatureType(int nIndex) const;

private:
    std::vector<int> m_parentTypes;
};
