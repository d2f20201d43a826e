#pragma once
// Takes back the document's last undo step ("Korvan.Edit.Undo") or does it again ("Korvan.Edit.Redo").
// Started nested, so a command that waits for input resumes as soon as the step is done.

#include "command/CommandBase.h"

namespace QZ2Command {

class UndoCommand : public CommandBase
{
    DECLARE_DYNCREATE(UndoCommand)
public:
    UndoCommand() = default;

    // Always ends the command: without parameters it could never take further input, and staying
    // would keep the command beneath it suspended.
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
