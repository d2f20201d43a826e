#include "libs/vevure/ResolvedFeature2dList.h"

#include "platform/afx/CInvalidArgException.h"

int ResolvedFeature2dList::AddResolvedFeature(Feature2dBase* pFeature, int nParentFeatureType)
{
    // Keep the type array as long as the list, whatever was added through the base class.
    m_parentTypes.resize((size_t)GetFeatureSize(), 0);
    const int index = AddFeature(pFeature, 0);
    if (index >= 0)
        m_parentTypes.push_back(nParentFeatureType);
    return index;
}

int ResolvedFeature2dList::GetParentFeatureType(int nIndex) const
{
    CheckIndex(nIndex);
    return (size_t)nIndex < m_parentTypes.size() ? m_parentTypes[(size_t)nIndex] : 0;
}
