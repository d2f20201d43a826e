#include "command/ViewCommand.h"

namespace QZ2Command {

ViewCommand::ViewCommand(CommandManager* pOwner) : m_pOwner(pOwner) {}

void ViewCommand::Reset()
{
    m_points.clear();
    m_nMode = modeNone;
}

void ViewCommand::SetMode(int nMode)
{
    m_points.clear();
    m_nMode = nMode;
}

}  // namespace QZ2Command
