#include "command/AngleParameterModifierBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(AngleParameterModifierBase, ParameterModifierBase)

AngleParameterModifierBase::AngleParameterModifierBase(CommandBase* pCommand, int nParameterIndex)
    : ParameterModifierBase(pCommand, nParameterIndex)
{
}

}  // namespace QZ2Command
