#pragma once
// Registers picked shapes as a new component definition: the shapes, a base point that becomes the
// definition's origin, and a name; by choice the picked shapes are replaced in the drawing by one
// placed component at the base point. The palette comes up and selects the new definition.

#include "command/CommandBase.h"

namespace QZ2Command {

class DrawComponentRegisterCommand : public CommandBase
{
    DECLARE_DYNCREATE(DrawComponentRegisterCommand)
public:
    enum { itemShapes = 0, itemBase = 1, itemName = 2, itemReplace = 3 };
    // Shapes a component may hold (groups and images are refused when picked).
    static constexpr DWORD kAcceptedKinds = 0xE97FFFFF;

    DrawComponentRegisterCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
};

}  // namespace QZ2Command
