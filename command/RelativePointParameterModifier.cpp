#include "command/RelativePointParameterModifier.h"

#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(RelativePointParameterModifier, PointParameterModifierBase)

RelativePointParameterModifier::RelativePointParameterModifier(CommandBase* pCommand, int nParameterIndex) : PointParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindRelativePoint, 10855);
}

void RelativePointParameterModifier::InitItems()
{
    PointParameterItem point;
    point.SetId(0);
    point.SetCaption(10728);
    AddItem(point);
    LengthParameterItem offset;
    offset.m_bHistory = TRUE;
    offset.SetId(1);
    offset.SetCaption(10769);
    AddItem(offset);
    offset.SetId(2);
    offset.SetCaption(10770);
    AddItem(offset);
}

namespace {

BOOL Offsets(const ParameterModifierBase& modifier, double& dx, double& dy)
{
    const auto* pX = dynamic_cast<const DoubleParameterItem*>(modifier.GetInputItem(1));
    const auto* pY = dynamic_cast<const DoubleParameterItem*>(modifier.GetInputItem(2));
    return pX != nullptr && pY != nullptr && pX->GetValue(dx) && pY->GetValue(dy);
}

}  // namespace

int RelativePointParameterModifier::Compute(int, ParameterItemBase& target)
{
    RuVaPnt2d base;
    double dx = 0.0;
    double dy = 0.0;
    if (!GetGivenPoint(0, base) || !Offsets(*this, dx, dy))
        return resultMissing;
    return WritePoint(target, RuVaPnt2d(base.X() + dx, base.Y() + dy)) ? resultDone : resultUnusable;
}

BOOL RelativePointParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    RuVaPnt2d base;
    double dx = 0.0;
    double dy = 0.0;
    return GetPreviewPoint(0, base) && Offsets(*this, dx, dy) &&
           WritePoint(target, RuVaPnt2d(base.X() + dx, base.Y() + dy));
}

void RelativePointParameterModifier::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d base;
    double dx = 0.0;
    double dy = 0.0;
    if (GetPreviewPoint(0, base) && Offsets(*this, dx, dy))
        DrawLine(base, RuVaPnt2d(base.X() + dx, base.Y() + dy));
}

}  // namespace QZ2Command
