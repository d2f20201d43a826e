#pragma once
// Size, scale and background of the picked embedded objects in their setting dialog; a value the objects
// do not share stays each object's own unless the user sets it. One undo step per confirmed dialog.

#include "command/CommandBase.h"

namespace QZ2Command {

class ChangeOleObjectFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ChangeOleObjectFeatureSetting2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // An embedded object among the selected shapes.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
