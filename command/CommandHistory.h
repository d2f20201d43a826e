#pragma once
// The ids of the commands started in this run, each once; read newest first.

#include "platform/afx/CObject.h"
#include "platform/afx/CUIntArray.h"

namespace QZ2Command {

class CommandHistory : public CObject
{
    DECLARE_DYNAMIC(CommandHistory)
public:
    CommandHistory();
    ~CommandHistory() override;

    // Appends the id, moving it to the newest end when it is already present.
    void Add(UINT nCommandID);
    int GetCount() const { return static_cast<int>(m_ids.GetSize()); }
    // The i-th id counted from the newest (0 = newest); (UINT)-1 outside the history.
    UINT GetAt(int nIndex) const;
    void RemoveAll() { m_ids.RemoveAll(); }

private:
    CUIntArray m_ids;  // oldest first
};

}  // namespace QZ2Command
