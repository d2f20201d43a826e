#include "libs/vevure/FeatureAttributeItem.h"

#include "platform/afx/CArchive.h"

bool FeatureAttributeItem::operator==(const FeatureAttributeItem& other) const
{
    return this == &other || (m_strName == other.m_strName && m_strValue == other.m_strValue);
}

bool FeatureAttributeItem::IsSame(const FeatureAttributeItem& other) const
{
    return m_nID == other.m_nID && m_strName == other.m_strName && m_strValue == other.m_strValue;
}

void FeatureAttributeItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nID << m_strName << m_strValue;
    else
        ar >> m_nID >> m_strName >> m_strValue;
}
