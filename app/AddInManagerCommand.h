#pragma once
// Tools > Add-in Manager: shows the add-in dialog and ends when it closes. It starts also without a
// drawing. No add-in is ever loaded, so the dialog's list stays empty.

#include "command/CommandBase.h"

namespace QZ2Command {

class AddInManagerCommand : public CommandBase
{
    DECLARE_DYNCREATE(AddInManagerCommand)
public:
    AddInManagerCommand();

    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
