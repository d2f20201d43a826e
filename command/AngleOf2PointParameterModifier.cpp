#include "command/AngleOf2PointParameterModifier.h"

#include "command/PointParameterItem.h"
#include "libs/vevure/MeasureTool.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(AngleOf2PointParameterModifier, AngleParameterModifierBase)

AngleOf2PointParameterModifier::AngleOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex) : AngleParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindAngleOf2Point, 10851);
}

void AngleOf2PointParameterModifier::InitItems()
{
    AddTwoPointInputs();
}

int AngleOf2PointParameterModifier::Compute(int, ParameterItemBase& target)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (!GetGivenPoint(0, a) || !GetGivenPoint(1, b))
        return resultMissing;
    // Two coinciding points have no direction.
    if (a.IsEqual(b, kZeroTolerance))
        return resultUnusable;
    return WriteNumber(target, MeasureTool::GetAngle(a, b), TRUE) ? resultDone : resultUnusable;
}

BOOL AngleOf2PointParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    // Two coinciding points have no direction.
    if (!GetPreviewPoint(0, a) || !GetPreviewPoint(1, b) || a.IsEqual(b, kZeroTolerance))
        return FALSE;
    return WriteNumber(target, MeasureTool::GetAngle(a, b), TRUE);
}

void AngleOf2PointParameterModifier::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (GetPreviewPoint(0, a) && GetPreviewPoint(1, b))
        DrawLine(a, b);
}

}  // namespace QZ2Command
