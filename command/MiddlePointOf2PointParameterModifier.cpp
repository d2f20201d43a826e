#include "command/MiddlePointOf2PointParameterModifier.h"

#include "command/PointParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(MiddlePointOf2PointParameterModifier, PointParameterModifierBase)

MiddlePointOf2PointParameterModifier::MiddlePointOf2PointParameterModifier(CommandBase* pCommand, int nParameterIndex) : PointParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindMiddlePoint, 10856);
}

void MiddlePointOf2PointParameterModifier::InitItems()
{
    AddTwoPointInputs();
}

namespace {

RuVaPnt2d Middle(const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    return RuVaPnt2d((a.X() + b.X()) * 0.5, (a.Y() + b.Y()) * 0.5);
}

}  // namespace

int MiddlePointOf2PointParameterModifier::Compute(int, ParameterItemBase& target)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (!GetGivenPoint(0, a) || !GetGivenPoint(1, b))
        return resultMissing;
    return WritePoint(target, Middle(a, b)) ? resultDone : resultUnusable;
}

BOOL MiddlePointOf2PointParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    return GetPreviewPoint(0, a) && GetPreviewPoint(1, b) && WritePoint(target, Middle(a, b));
}

void MiddlePointOf2PointParameterModifier::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (GetPreviewPoint(0, a) && GetPreviewPoint(1, b))
        DrawLine(a, b);
}

}  // namespace QZ2Command
