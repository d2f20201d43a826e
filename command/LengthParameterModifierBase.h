#pragma once
// The modifiers that give a length.

#include "command/ParameterModifierBase.h"

namespace QZ2Command {

class LengthParameterModifierBase : public ParameterModifierBase
{
    DECLARE_DYNAMIC(LengthParameterModifierBase)
public:
    LengthParameterModifierBase(CommandBase* pCommand, int nParameterIndex);
};

}  // namespace QZ2Command
