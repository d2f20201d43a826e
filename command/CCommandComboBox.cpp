#include "command/CCommandComboBox.h"

#include "command/CommandManager.h"

using QZ2Command::CommandManager;

IMPLEMENT_DYNAMIC(CCommandComboBox, CFlatComboBox)

BEGIN_MESSAGE_MAP(CCommandComboBox, CFlatComboBox)
    ON_CONTROL_REFLECT(CBN_SELENDOK, &CCommandComboBox::OnSelEndOK)
END_MESSAGE_MAP()

CCommandComboBox::CCommandComboBox() = default;

CCommandComboBox::~CCommandComboBox() = default;

void CCommandComboBox::AddCommandName(const CString& strDisplayName, const CString& strIdentifier)
{
    // Two empty identifiers are equal: at most one entry cannot be run again.
    for (INT_PTR i = m_identifiers.GetSize() - 1; i >= 0; --i) {
        if (m_identifiers[i] == strIdentifier) {
            m_identifiers.RemoveAt(i);
            m_names.RemoveAt(i);
            if (GetSafeHwnd() != nullptr)
                DeleteString(static_cast<UINT>(i));
        }
    }
    if (m_names.GetSize() >= kMaxEntries) {
        const INT_PTR last = m_names.GetSize() - 1;
        m_identifiers.RemoveAt(last);
        m_names.RemoveAt(last);
        if (GetSafeHwnd() != nullptr)
            DeleteString(static_cast<UINT>(last));
    }
    m_names.InsertAt(0, strDisplayName);
    m_identifiers.InsertAt(0, strIdentifier);
    if (GetSafeHwnd() != nullptr) {
        InsertString(0, strDisplayName);
        SetCurSel(0);
    }
}

CString CCommandComboBox::GetEntryName(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_names.GetSize() ? m_names[nIndex] : CString();
}

CString CCommandComboBox::GetEntryIdentifier(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_identifiers.GetSize() ? m_identifiers[nIndex] : CString();
}

void CCommandComboBox::FillWindow(BOOL bSelectFirst)
{
    if (GetSafeHwnd() == nullptr)
        return;
    ResetContent();
    for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
        AddString(m_names[i]);
    if (bSelectFirst && m_names.GetSize() > 0)
        SetCurSel(0);
}

BOOL CCommandComboBox::RunEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_identifiers.GetSize() || m_pCommandManager == nullptr)
        return FALSE;
    // Copied: running the command renews the entries.
    const CString identifier = m_identifiers[nIndex];
    if (identifier.IsEmpty()) {
        if (GetSafeHwnd() != nullptr)
            SetCurSel(-1);
        return FALSE;
    }
    const UINT nID = CommandManager::GetCommandID(identifier);
    return nID != static_cast<UINT>(-1) ? m_pCommandManager->ExecuteCommand(nID)
                                        : m_pCommandManager->StartCommand(identifier);
}

void CCommandComboBox::OnSelEndOK()
{
    const int sel = GetCurSel();
    if (sel >= 0)
        RunEntry(sel);
}
