#pragma once
// Save Shape Setting: the style the picked shapes share, laid over the document's current style of each
// kind, is shown in the style dialog; what the user confirms becomes the document's current style (and
// named styles), in one undo step. The shapes themselves stay as they are.

#include "command/CommandBase.h"

namespace QZ2Command {

class SaveFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(SaveFeatureSetting2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
