#include "command/CommandHistory.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(CommandHistory, CObject)

CommandHistory::CommandHistory() = default;

CommandHistory::~CommandHistory() = default;

void CommandHistory::Add(UINT nCommandID)
{
    for (INT_PTR i = 0; i < m_ids.GetSize(); ++i) {
        if (m_ids[i] == nCommandID) {
            m_ids.RemoveAt(i);
            break;
        }
    }
    m_ids.Add(nCommandID);
}

UINT CommandHistory::GetAt(int nIndex) const
{
    const INT_PTR count = m_ids.GetSize();
    if (nIndex < 0 || nIndex >= count)
        return static_cast<UINT>(-1);
    return m_ids.GetAt(count - 1 - nIndex);
}

}  // namespace QZ2Command
