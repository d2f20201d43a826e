#include "commands/edit/UndoCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(UndoCommand, CommandBase)

int UndoCommand::OnInput(int)
{
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pDocument == nullptr || pDocument->IsInUndoOperation())
        return resultFinished;
    if (m_strIdentifier == _T("Korvan.Edit.Undo"))
        pDocument->Undo(1);
    else
        pDocument->Redo(1);
    return resultFinished;
}

}  // namespace QZ2Command
