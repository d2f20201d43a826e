#include "libs/vevure/SelectionLayerFilter.h"

#include <algorithm>

#include "platform/afx/CInvalidArgException.h"

long SelectionLayerFilter::GetLayerFilter(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLayerFilterCount())
        AfxThrowInvalidArgException();
    return m_ids[static_cast<size_t>(nIndex)];
}

void SelectionLayerFilter::AddLayerFilter(long nID)
{
    if (!IsExistLayerFilter(nID))
        m_ids.push_back(nID);
}

BOOL SelectionLayerFilter::IsExistLayerFilter(long nID) const
{
    return std::find(m_ids.begin(), m_ids.end(), nID) != m_ids.end() ? TRUE : FALSE;
}
