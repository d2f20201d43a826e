#pragma once
// Runs the line type table dialog over a copy of the active document's line types with its line pitch mode and value; OK puts them into the document as one undo step.
// A command without parameters, started nested so that a running drawing command waits meanwhile.

#include "command/CommandBase.h"

namespace QZ2Command {

class LineTypeSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(LineTypeSettingCommand)
public:
    LineTypeSettingCommand() = default;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
