#include "command/LengthParameterModifierBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(LengthParameterModifierBase, ParameterModifierBase)

LengthParameterModifierBase::LengthParameterModifierBase(CommandBase* pCommand, int nParameterIndex)
    : ParameterModifierBase(pCommand, nParameterIndex)
{
}

}  // namespace QZ2Command
