#pragma once
// The user attributes of one object: named text values, each with an id unique within the list. Names are
// unique too (compared case-sensitively). Index access outside the items answers NULL, an empty text or -1
// instead of touching memory that is not there.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/vevure/FeatureAttributeItem.h"

class CArchive;

class FeatureAttribute
{
public:
    FeatureAttribute() = default;
    FeatureAttribute(const FeatureAttribute&) = default;
    FeatureAttribute& operator=(const FeatureAttribute&) = default;
    virtual ~FeatureAttribute() = default;

    int GetAttributeCount() const { return (int)m_items.size(); }
    BOOL IsEmpty() const { return m_items.empty(); }

    FeatureAttributeItem* GetAttributeItem(int nIndex);
    const FeatureAttributeItem* GetAttributeItem(int nIndex) const;
    FeatureAttributeItem* GetAttributeItem(const CString& strName);
    const FeatureAttributeItem* GetAttributeItem(const CString& strName) const;
    FeatureAttributeItem* GetAttributeItemByID(long nID);
    const FeatureAttributeItem* GetAttributeItemByID(long nID) const;
    // Index of the item of that name, -1 when none.
    int FindAttribute(const CString& strName) const;

    CString GetAttributeName(int nIndex) const;
    CString GetAttributeValue(int nIndex) const;
    long GetAttributeId(int nIndex) const;

    // Adds an item and returns its index; -1 (nothing added) for an empty name or a name already present.
    // The item takes nID when that is above 0 and not yet used in the list, else a new id of its own (so
    // callers pass 0 or 1 as a plain flag, or the id of the definition's item they mirror).
    int AddAttribute(const CString& strName, const CString& strValue, long nID = 0);
    BOOL RemoveAttribute(const CString& strName);
    BOOL RemoveAttribute(int nIndex);
    void RemoveAll();
    // FALSE when no item has that name.
    BOOL SetAttributeValue(const CString& strName, const CString& strValue);
    // Renames the item of that id; FALSE when there is none or another item already has the name.
    BOOL SetAttributeName(long nID, const CString& strName);

    // Same items (ids, names and values) in the same order.
    bool operator==(const FeatureAttribute& other) const;
    bool operator!=(const FeatureAttribute& other) const { return !(*this == other); }

    // A damaged list (bad count, empty or repeated names) throws CArchiveException and leaves this list as
    // it was.
    void Serialize(CArchive& ar);

    static constexpr long kMaxID = 0x7FFFFFFF;

private:
    std::vector<FeatureAttributeItem> m_items;
    LONG m_nNextID = 1;
};
