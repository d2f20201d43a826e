#pragma once
// Runs the drawing settings dialog over the active document's line pitch and width display, line cap and
// join, and length and angle formats; OK writes them back as one undo step and redraws every shape.
// A command without parameters, started nested so that a running drawing command waits meanwhile.

#include "command/CommandBase.h"

namespace QZ2Command {

class DrawSettingCommand : public CommandBase
{
    DECLARE_DYNCREATE(DrawSettingCommand)
public:
    DrawSettingCommand() = default;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
