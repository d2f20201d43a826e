#pragma once
// The modifiers that give a point of the active drawing.

#include "command/ParameterModifierBase.h"

namespace QZ2Command {

class PointParameterModifierBase : public ParameterModifierBase
{
    DECLARE_DYNAMIC(PointParameterModifierBase)
public:
    PointParameterModifierBase(CommandBase* pCommand, int nParameterIndex);
};

}  // namespace QZ2Command
