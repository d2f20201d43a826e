#pragma once
// The command bar's combo of recently run commands: the newest at the top, at most 20; choosing an
// entry runs its command again. An entry without identifier (a command that cannot be repeated)
// runs nothing. The entries are kept also while the combo has no window.

#include "controls/CFlatComboBox.h"
#include "platform/afx/CStringArray.h"

namespace QZ2Command {
class CommandManager;
}

class CCommandComboBox : public CFlatComboBox
{
    DECLARE_DYNAMIC(CCommandComboBox)
public:
    static constexpr int kMaxEntries = 20;

    CCommandComboBox();
    ~CCommandComboBox() override;

    void SetCommandManager(QZ2Command::CommandManager* pManager) { m_pCommandManager = pManager; }
    QZ2Command::CommandManager* GetCommandManager() const { return m_pCommandManager; }

    // Enters the command at the top and selects it; an entry with the same identifier goes first,
    // and the oldest when the combo is full.
    void AddCommandName(const CString& strDisplayName, const CString& strIdentifier);
    int GetEntryCount() const { return static_cast<int>(m_names.GetSize()); }
    CString GetEntryName(int nIndex) const;
    CString GetEntryIdentifier(int nIndex) const;
    // Runs the command of the entry as choosing it does. FALSE for an entry without identifier, an
    // index out of range or no manager.
    BOOL RunEntry(int nIndex);
    // Fills a newly created window with the kept entries.
    void FillWindow(BOOL bSelectFirst);

protected:
    afx_msg void OnSelEndOK();
    DECLARE_MESSAGE_MAP()

    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    CStringArray m_names;
    CStringArray m_identifiers;
};
