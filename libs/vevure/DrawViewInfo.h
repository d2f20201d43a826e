#pragma once
// The view tabs saved with a file: one entry per tab (view type and the id it shows) and the active tab.
// View types: 0 and 1 drawings, 2 the layer table (with the drawing it shows), 4 a component definition
// being edited.

#include <vector>

#include "platform/afx/AfxTypes.h"

class CArchive;

class DrawViewInfo
{
public:
    DrawViewInfo() = default;
    DrawViewInfo(const DrawViewInfo&) = default;
    DrawViewInfo& operator=(const DrawViewInfo&) = default;
    bool operator==(const DrawViewInfo& o) const;
    bool operator!=(const DrawViewInfo& o) const { return !(*this == o); }

    // Returns the index of the new entry.
    int AddViewInfo(int nViewType, long nID);
    int GetViewInfoCount() const { return static_cast<int>(m_entries.size()); }
    int GetViewType(int nIndex) const;  // index-guarded
    long GetViewID(int nIndex) const;   // index-guarded
    void DeleteAllViewInfo();
    int GetActiveIndex() const { return m_nActive; }
    void SetActiveIndex(int nIndex) { m_nActive = nIndex; }

    void Serialize(CArchive& ar);

private:
    struct Entry {
        int type;
        long id;
        bool operator==(const Entry& o) const { return type == o.type && id == o.id; }
    };
    std::vector<Entry> m_entries;
    int m_nActive = -1;
};
