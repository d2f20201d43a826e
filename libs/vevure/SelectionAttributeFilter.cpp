#include "libs/vevure/SelectionAttributeFilter.h"

#include "libs/vevure/FeatureAttribute.h"

bool SelectionAttributeFilter::operator==(const SelectionAttributeFilter& o) const
{
    if (m_entries.size() != o.m_entries.size())
        return false;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name != o.m_entries[i].name || m_entries[i].value != o.m_entries[i].value)
            return false;
    return true;
}

BOOL SelectionAttributeFilter::GetAttribute(int nIndex, CString& strName, CString& strValue) const
{
    if (nIndex < 0 || nIndex >= GetAttributeCount())
        return FALSE;
    strName = m_entries[static_cast<size_t>(nIndex)].name;
    strValue = m_entries[static_cast<size_t>(nIndex)].value;
    return TRUE;
}

void SelectionAttributeFilter::AddAttribute(const CString& strName, const CString& strValue)
{
    m_entries.push_back({strName, strValue});
}

BOOL SelectionAttributeFilter::IsAttributeSelectable(const FeatureAttribute* pAttribute) const
{
    if (m_entries.empty())
        return TRUE;
    if (pAttribute == nullptr)
        return FALSE;
    for (int i = 0; i < pAttribute->GetAttributeCount(); ++i) {
        const CString name = pAttribute->GetAttributeName(i);
        const CString value = pAttribute->GetAttributeValue(i);
        for (const Entry& e : m_entries)
            if (e.name.CompareNoCase(name) == 0 && (e.value.IsEmpty() || e.value == value))
                return TRUE;
    }
    return FALSE;
}
