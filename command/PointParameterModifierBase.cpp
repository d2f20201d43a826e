#include "command/PointParameterModifierBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(PointParameterModifierBase, ParameterModifierBase)

PointParameterModifierBase::PointParameterModifierBase(CommandBase* pCommand, int nParameterIndex)
    : ParameterModifierBase(pCommand, nParameterIndex)
{
}

}  // namespace QZ2Command
