#pragma once
// The bar that shows the running command and one row per parameter. This is the part the command
// manager drives: which command is shown and how many parameter rows it has; the window itself
// comes with the bar's own controls.

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {
class CommandBase;
}

class CCommandBar
{
public:
    CCommandBar();
    virtual ~CCommandBar();

    // Shows the command and a row for each of its parameters; NULL shows nothing.
    virtual void SetCommand(QZ2Command::CommandBase* pCommand);
    virtual void Clear();
    virtual BOOL AddParameterRow(int nIndex);
    virtual BOOL InsertParameterRow(int nIndex);
    virtual BOOL RemoveParameterRow(int nIndex);
    virtual BOOL UpdateParameterRow(int nIndex, int nFlag);

    QZ2Command::CommandBase* GetCommand() const { return m_pCommand; }
    int GetRowCount() const { return m_nRowCount; }

private:
    QZ2Command::CommandBase* m_pCommand = nullptr;
    int m_nRowCount = 0;
};
