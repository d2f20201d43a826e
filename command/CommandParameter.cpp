#include "command/CommandParameter.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(CommandParameter, CObject)

CommandParameter::CommandParameter() = default;

CommandParameter::~CommandParameter()
{
    DeleteAllItems();
}

int CommandParameter::AddItem(const ParameterItemBase& item)
{
    if (FindItem(item.GetId()) != nullptr)
        return -1;
    ParameterItemBase* pClone = item.Clone();
    if (pClone == nullptr)
        return -1;
    return static_cast<int>(m_items.Add(pClone));
}

BOOL CommandParameter::SetCurrentIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_items.GetSize())
        return FALSE;
    m_nCurrentIndex = nIndex;
    return TRUE;
}

BOOL CommandParameter::SetCurrentByID(WORD wId)
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        if (m_items[i]->GetId() == wId) {
            m_nCurrentIndex = static_cast<int>(i);
            return TRUE;
        }
    }
    return FALSE;
}

ParameterItemBase* CommandParameter::GetCurrentItem() const
{
    if (m_nCurrentIndex < 0 || m_nCurrentIndex >= m_items.GetSize())
        return nullptr;
    return m_items.GetAt(m_nCurrentIndex);
}

ParameterItemBase* CommandParameter::FindItem(WORD wId) const
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        if (m_items[i]->GetId() == wId)
            return m_items[i];
    }
    return nullptr;
}

void CommandParameter::ClearAllItems()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        m_items[i]->Clear();
}

void CommandParameter::DeleteAllItems()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
    m_nCurrentIndex = -1;
}

}  // namespace QZ2Command
