#pragma once
// Runs the line width table dialog over a copy of the active document's table; OK puts the edited table into the document as one undo step.
// A command without parameters, started nested so that a running drawing command waits meanwhile.

#include "command/CommandBase.h"

namespace QZ2Command {

class LineWidthSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(LineWidthSettingCommand)
public:
    LineWidthSettingCommand() = default;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
