#pragma once
// One user attribute of a shape, a placed component or a component definition: an id, a name and a text value.
// Component instances link their items to the definition's items by id.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class CArchive;

class FeatureAttributeItem
{
public:
    FeatureAttributeItem() = default;
    FeatureAttributeItem(long nID, const CString& strName, const CString& strValue)
        : m_nID((LONG)nID), m_strName(strName), m_strValue(strValue)
    {
    }
    FeatureAttributeItem(const FeatureAttributeItem&) = default;
    FeatureAttributeItem& operator=(const FeatureAttributeItem&) = default;
    virtual ~FeatureAttributeItem() = default;

    long GetID() const { return m_nID; }
    void SetID(long nID) { m_nID = (LONG)nID; }
    const CString& GetName() const { return m_strName; }
    void SetName(const CString& strName) { m_strName = strName; }
    const CString& GetValue() const { return m_strValue; }
    void SetValue(const CString& strValue) { m_strValue = strValue; }

    // Equal names and equal values, case-sensitive; the id takes no part.
    bool operator==(const FeatureAttributeItem& other) const;
    bool operator!=(const FeatureAttributeItem& other) const { return !(*this == other); }
    // Every field, the id too.
    bool IsSame(const FeatureAttributeItem& other) const;

    void Serialize(CArchive& ar);

private:
    LONG m_nID = 0;
    CString m_strName;
    CString m_strValue;
};
