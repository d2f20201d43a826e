#pragma once
// One row of the command table: the command id that menus, toolbars and accelerators deliver, the
// identifier by which the framework knows the command, the number of its display name in the
// language library and the class that carries the command out.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

struct CRuntimeClass;

namespace QZ2Command {

struct CommandInfo
{
    // 0 marks the end of the table.
    UINT m_nID;
    CString m_strIdentifier;
    UINT m_nStringID;
    // The run-time class name of the command class; classes join the program as their subsystems
    // are linked, so the row finds its class by name when a command is created.
    LPCSTR m_lpszClassName;

    // The command class, or NULL while no such class is linked.
    CRuntimeClass* GetCommandClass() const;

    // The table: 162 command rows, then the terminator row.
    static const CommandInfo* GetTable();
    static constexpr int kCommandCount = 162;
};

}  // namespace QZ2Command
