#pragma once
// Deletes the picked or pre-selected shapes, all in one undo step ("Korvan.Edit.Delete", the Del key).

#include "command/CommandBase.h"

namespace QZ2Command {

class Delete2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Delete2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    Delete2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
