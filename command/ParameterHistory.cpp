#include "command/ParameterHistory.h"

#include "command/ParameterItemBase.h"

namespace QZ2Command {

ParameterHistory::ParameterHistory(int nMaximum) : m_nMaximum(nMaximum > 0 ? nMaximum : 1) {}

ParameterHistory::~ParameterHistory() = default;

BOOL ParameterHistory::Add(const ParameterItemBase& item)
{
    const int code = item.GetTypeCode();
    if (item.IsEmpty() || (code != 2 && code != 3 && code != 5 && code != 7))
        return FALSE;
    std::unique_ptr<ParameterItemBase> clone(item.Clone());
    if (!clone)
        return FALSE;
    auto& list = m_lists[static_cast<WORD>(code)];
    for (auto it = list.begin(); it != list.end(); ++it) {
        if ((*it)->IsEqual(item)) {
            list.erase(it);
            break;
        }
    }
    list.insert(list.begin(), std::move(clone));
    if (static_cast<int>(list.size()) > m_nMaximum)
        list.resize(m_nMaximum);
    return TRUE;
}

int ParameterHistory::GetCount(int nTypeCode) const
{
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    return it == m_lists.end() ? 0 : static_cast<int>(it->second.size());
}

const ParameterItemBase* ParameterHistory::GetAt(int nTypeCode, int nIndex) const
{
    auto it = m_lists.find(static_cast<WORD>(nTypeCode));
    if (it == m_lists.end() || nIndex < 0 || nIndex >= static_cast<int>(it->second.size()))
        return nullptr;
    return it->second[nIndex].get();
}

void ParameterHistory::Load()
{
    // The stored values join with the history's own storage; until then a run starts empty.
    m_bLoaded = TRUE;
}

void ParameterHistory::Save() {}

void ParameterHistory::RemoveAll()
{
    m_lists.clear();
}

}  // namespace QZ2Command
