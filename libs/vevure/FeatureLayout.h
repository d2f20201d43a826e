#pragma once
// One selected or picked object: record id, a carried int field (list, sequence and group items store -1;
// never interpreted here) and the part layout it was picked in. Note that the constructor takes the layout
// id before the int field, unlike the field order.

#include "platform/afx/AfxTypes.h"

class FeatureLayout
{
public:
    FeatureLayout() = default;
    FeatureLayout(long nRecordID, long nLayoutID, int nField)
        : m_nRecordID((LONG)nRecordID), m_nField(nField), m_nLayoutID((LONG)nLayoutID)
    {
    }
    FeatureLayout(const FeatureLayout&) = default;
    FeatureLayout& operator=(const FeatureLayout&) = default;

    long GetRecordID() const { return m_nRecordID; }
    void SetRecordID(long nRecordID) { m_nRecordID = (LONG)nRecordID; }
    long GetLayoutID() const { return m_nLayoutID; }
    void SetLayoutID(long nLayoutID) { m_nLayoutID = (LONG)nLayoutID; }
    int GetField() const { return m_nField; }
    void SetField(int nField) { m_nField = nField; }

    bool operator==(const FeatureLayout& other) const
    {
        return this == &other ||
               (m_nRecordID == other.m_nRecordID && m_nField == other.m_nField && m_nLayoutID == other.m_nLayoutID);
    }
    bool operator!=(const FeatureLayout& other) const { return !(*this == other); }
    // Record id, then layout id; the int field takes no part in the order.
    bool operator<(const FeatureLayout& other) const
    {
        return m_nRecordID != other.m_nRecordID ? m_nRecordID < other.m_nRecordID : m_nLayoutID < other.m_nLayoutID;
    }

    LONG m_nRecordID = -1;
    int m_nField = -1;
    LONG m_nLayoutID = -1;
};
