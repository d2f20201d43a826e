#include "command/CCommandBar.h"

#include "command/CommandBase.h"

CCommandBar::CCommandBar() = default;

CCommandBar::~CCommandBar() = default;

void CCommandBar::SetCommand(QZ2Command::CommandBase* pCommand)
{
    m_pCommand = pCommand;
    m_nRowCount = pCommand != nullptr ? pCommand->GetParameterCount() : 0;
}

void CCommandBar::Clear()
{
    m_pCommand = nullptr;
    m_nRowCount = 0;
}

BOOL CCommandBar::AddParameterRow(int nIndex)
{
    if (m_pCommand == nullptr || nIndex != m_nRowCount)
        return FALSE;
    ++m_nRowCount;
    return TRUE;
}

BOOL CCommandBar::InsertParameterRow(int nIndex)
{
    if (m_pCommand == nullptr || nIndex < 0 || nIndex > m_nRowCount)
        return FALSE;
    ++m_nRowCount;
    return TRUE;
}

BOOL CCommandBar::RemoveParameterRow(int nIndex)
{
    if (m_pCommand == nullptr || nIndex < 0 || nIndex >= m_nRowCount)
        return FALSE;
    --m_nRowCount;
    return TRUE;
}

BOOL CCommandBar::UpdateParameterRow(int nIndex, int)
{
    return (m_pCommand != nullptr && nIndex >= 0 && nIndex < m_nRowCount) ? TRUE : FALSE;
}
