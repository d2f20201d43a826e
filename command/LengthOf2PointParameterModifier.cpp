#include "command/LengthOf2PointParameterModifier.h"

#include "command/PointParameterItem.h"
#include "libs/vevure/MeasureTool.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(LengthOf2PointParameterModifier, LengthParameterModifierBase)

LengthOf2PointParameterModifier::LengthOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex) : LengthParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindLengthOf2Point, 10849);
}

void LengthOf2PointParameterModifier::InitItems()
{
    AddTwoPointInputs();
}

int LengthOf2PointParameterModifier::Compute(int, ParameterItemBase& target)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (!GetGivenPoint(0, a) || !GetGivenPoint(1, b))
        return resultMissing;
    return WriteNumber(target, a.Distance(b), TRUE) ? resultDone : resultUnusable;
}

BOOL LengthOf2PointParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    return GetPreviewPoint(0, a) && GetPreviewPoint(1, b) && WriteNumber(target, a.Distance(b), TRUE);
}

void LengthOf2PointParameterModifier::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (GetPreviewPoint(0, a) && GetPreviewPoint(1, b))
        DrawLine(a, b);
}

}  // namespace QZ2Command
