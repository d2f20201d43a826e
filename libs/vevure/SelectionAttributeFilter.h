#pragma once
// The attribute part of a selection filter: (name, value) pairs; a shape passes when one of its attributes
// matches one pair (names ignoring case, values exactly; an empty value matches any value). No pair = any.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class FeatureAttribute;

class SelectionAttributeFilter
{
public:
    SelectionAttributeFilter() = default;
    SelectionAttributeFilter(const SelectionAttributeFilter&) = default;
    SelectionAttributeFilter& operator=(const SelectionAttributeFilter&) = default;
    bool operator==(const SelectionAttributeFilter& o) const;

    BOOL IsFilterEmpty() const { return m_entries.empty() ? TRUE : FALSE; }
    int GetAttributeCount() const { return static_cast<int>(m_entries.size()); }
    BOOL GetAttribute(int nIndex, CString& strName, CString& strValue) const;  // FALSE out of range
    void ClearAll() { m_entries.clear(); }
    void AddAttribute(const CString& strName, const CString& strValue);
    BOOL IsAttributeSelectable(const FeatureAttribute* pAttribute) const;

private:
    struct Entry {
        CString name;
        CString value;
    };
    std::vector<Entry> m_entries;
};
