#include "command/AngleOf3PointParameterModifier.h"

#include "command/PointParameterItem.h"
#include "libs/vevure/MeasureTool.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(AngleOf3PointParameterModifier, AngleParameterModifierBase)

AngleOf3PointParameterModifier::AngleOf3PointParameterModifier(CommandBase* pCommand, int nParameterIndex) : AngleParameterModifierBase(pCommand, nParameterIndex)
{
    SetKind(kindAngleOf3Point, 10852);
}

void AngleOf3PointParameterModifier::InitItems()
{
    PointParameterItem point;
    point.SetId(0);
    point.SetCaption(10719);
    AddItem(point);
    point.SetId(1);
    point.SetCaption(10720);
    point.m_wBaseItemId = 0;
    AddItem(point);
    point.SetId(2);
    point.SetCaption(10721);
    AddItem(point);
}

namespace {

// The angle at the vertex; FALSE when two of the points coincide.
BOOL AngleAt(const RuVaPnt2d& vertex, const RuVaPnt2d& a, const RuVaPnt2d& b, double& dAngle)
{
    constexpr double tol = ParameterModifierBase::kZeroTolerance;
    if (vertex.IsEqual(a, tol) || vertex.IsEqual(b, tol) || a.IsEqual(b, tol))
        return FALSE;
    dAngle = MeasureTool::GetAngle(vertex, a, b);
    return TRUE;
}

}  // namespace

int AngleOf3PointParameterModifier::Compute(int, ParameterItemBase& target)
{
    RuVaPnt2d vertex;
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (!GetGivenPoint(0, vertex) || !GetGivenPoint(1, a) || !GetGivenPoint(2, b))
        return resultMissing;
    double dAngle = 0.0;
    if (!AngleAt(vertex, a, b, dAngle))
        return resultUnusable;
    return WriteNumber(target, dAngle, TRUE) ? resultDone : resultUnusable;
}

BOOL AngleOf3PointParameterModifier::ComputePreview(ParameterItemBase& target) const
{
    RuVaPnt2d vertex;
    RuVaPnt2d a;
    RuVaPnt2d b;
    double dAngle = 0.0;
    return GetPreviewPoint(0, vertex) && GetPreviewPoint(1, a) && GetPreviewPoint(2, b) &&
           AngleAt(vertex, a, b, dAngle) && WriteNumber(target, dAngle, TRUE);
}

void AngleOf3PointParameterModifier::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d vertex;
    RuVaPnt2d p;
    if (!GetPreviewPoint(0, vertex))
        return;
    if (GetPreviewPoint(1, p))
        DrawLine(vertex, p);
    if (GetPreviewPoint(2, p))
        DrawLine(vertex, p);
}

}  // namespace QZ2Command
