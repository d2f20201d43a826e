#pragma once
// Names one feature as seen in a view: its record id and the part layout it is seen through (-1 when
// none, or when the whole shape is meant).

#include "platform/afx/AfxTypes.h"

class FeatureRecord
{
public:
    FeatureRecord() = default;
    FeatureRecord(long nRecordID, long nLayoutID) : m_nRecordID((LONG)nRecordID), m_nLayoutID((LONG)nLayoutID) {}
    FeatureRecord(const FeatureRecord&) = default;
    FeatureRecord& operator=(const FeatureRecord&) = default;

    long GetRecordID() const { return m_nRecordID; }
    void SetRecordID(long nRecordID) { m_nRecordID = (LONG)nRecordID; }
    long GetLayoutID() const { return m_nLayoutID; }
    void SetLayoutID(long nLayoutID) { m_nLayoutID = (LONG)nLayoutID; }

    bool operator==(const FeatureRecord& other) const
    {
        return this == &other || (m_nRecordID == other.m_nRecordID && m_nLayoutID == other.m_nLayoutID);
    }
    bool operator!=(const FeatureRecord& other) const { return !(*this == other); }
    // Order of the selection's ordered set: record id, then layout id.
    bool operator<(const FeatureRecord& other) const
    {
        return m_nRecordID != other.m_nRecordID ? m_nRecordID < other.m_nRecordID : m_nLayoutID < other.m_nLayoutID;
    }

    // The hash that maps keyed by records use.
    UINT Hash() const { return (UINT)((m_nRecordID >> 4) + (m_nLayoutID >> 4)); }

    LONG m_nRecordID = -1;
    LONG m_nLayoutID = -1;
};

// The hash of CMap keys.
inline UINT HashKey(const FeatureRecord& key)
{
    return key.Hash();
}
