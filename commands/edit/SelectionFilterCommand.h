#pragma once
// The document's selection filter: "Korvan.Settings.SelectFilterMode" switches it on or off (the part
// filters stay as they are). The filter is view state, not stored in the file, so the switch is no undo
// step.

#include "command/CommandBase.h"

namespace QZ2Command {

class SelectionFilterCommand : public CommandBase
{
    DECLARE_DYNCREATE(SelectionFilterCommand)
public:
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
