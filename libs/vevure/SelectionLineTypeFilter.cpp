#include "libs/vevure/SelectionLineTypeFilter.h"

#include <algorithm>

#include "platform/afx/CInvalidArgException.h"

short SelectionLineTypeFilter::GetLineTypeFilter(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLineTypeFilterCount())
        AfxThrowInvalidArgException();
    return m_numbers[static_cast<size_t>(nIndex)];
}

BOOL SelectionLineTypeFilter::IsExistLineTypeFilter(short nLineTypeNo) const
{
    return std::find(m_numbers.begin(), m_numbers.end(), nLineTypeNo) != m_numbers.end() ? TRUE : FALSE;
}

void SelectionLineTypeFilter::AddLineTypeFilter(short nLineTypeNo)
{
    if (!IsExistLineTypeFilter(nLineTypeNo))
        m_numbers.push_back(nLineTypeNo);
}
