#include "app/AddInManagerCommand.h"

#include "app/CAddInManagerDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AddInManagerCommand, CommandBase)

AddInManagerCommand::AddInManagerCommand()
{
    m_bNeedsDrawing = FALSE;
}

int AddInManagerCommand::OnInput(int /*nIndex*/)
{
    CAddInManagerDialog dialog(nullptr);
    dialog.DoModal();
    return 0;
}

}  // namespace QZ2Command
