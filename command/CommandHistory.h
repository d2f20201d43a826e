#pragma once
// The ids of the commands started in this run, oldest first, each once.

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
    UINT GetAt(int nIndex) const { return m_ids.GetAt(nIndex); }
    void RemoveAll() { m_ids.RemoveAll(); }

private:
    CUIntArray m_ids;
};

}  // namespace QZ2Command
