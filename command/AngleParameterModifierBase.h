#pragma once
// The modifiers that give an angle (degrees).

#include "command/ParameterModifierBase.h"

namespace QZ2Command {

class AngleParameterModifierBase : public ParameterModifierBase
{
    DECLARE_DYNAMIC(AngleParameterModifierBase)
public:
    AngleParameterModifierBase(CommandBase* pCommand, int nParameterIndex);
};

}  // namespace QZ2Command
