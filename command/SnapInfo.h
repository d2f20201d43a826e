#pragma once
// The snap record of the cursor: what the last probe snapped to and the recently met entities.

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {

class SnapInfo
{
public:
    SnapInfo();
    // Forgets the entities met recently (three histories).
    void ClearHistories();
    void Reset();
    int GetHistoryCount() const { return m_nHistoryCount; }

private:
    int m_nHistoryCount = 0;
};

}  // namespace QZ2Command
