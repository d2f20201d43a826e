#include "libs/vevure/SelectionDrawingFilter.h"

#include <algorithm>

#include "platform/afx/CInvalidArgException.h"

long SelectionDrawingFilter::GetDrawingFilter(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetDrawingFilterCount())
        AfxThrowInvalidArgException();
    return m_ids[static_cast<size_t>(nIndex)];
}

void SelectionDrawingFilter::AddDrawingFilter(long nID)
{
    if (!IsExistDrawingFilter(nID))
        m_ids.push_back(nID);
}

BOOL SelectionDrawingFilter::IsExistDrawingFilter(long nID) const
{
    return std::find(m_ids.begin(), m_ids.end(), nID) != m_ids.end() ? TRUE : FALSE;
}
