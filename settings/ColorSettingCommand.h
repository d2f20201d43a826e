#pragma once
// Runs the colour table dialog over a copy of the active document's colours; OK puts the edited table into the document as one undo step.
// A command without parameters, started nested so that a running drawing command waits meanwhile.

#include "command/CommandBase.h"

namespace QZ2Command {

class ColorSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(ColorSettingCommand)
public:
    ColorSettingCommand() = default;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
