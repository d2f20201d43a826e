#pragma once
// Change Settings: the style of the picked shapes in the style dialog, each kind merged over its shapes
// (a value the shapes do not share shows as undefined); only the kinds the user changed are written back,
// in one undo step. The identifier narrows which shapes can be picked.

#include "command/CommandBase.h"

namespace QZ2Command {

class ChangeFeatureSetting2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(ChangeFeatureSetting2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // The kinds the identifier admits and its prompt (0: none); FALSE for an identifier of another command.
    static BOOL KindsOfIdentifier(const CString& strIdentifier, DWORD& dwKinds, UINT& nPrompt);
    // Something selected that is not a draw group, component, image or embedded object.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
