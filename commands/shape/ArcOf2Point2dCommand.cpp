#include "commands/shape/ArcOf2Point2dCommand.h"

#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/FeatureConstrainedCircle.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ArcOf2Point2dCommand, CommandBase)

void ArcOf2Point2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemFirstPoint, 10723, 10461);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemSecondPoint, 10724, 10461);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    LengthParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10454);
    radius.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, radius);
    ShapeCommandHelper::PrepareItem(point, itemPick, 10735, 10463);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int ArcOf2Point2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    RuVaPnt2d p1;
    RuVaPnt2d p2;
    double radius = 0.0;
    if (!Helper::ReadPoint(this, itemFirstPoint, bPreview, p1) || !Helper::ReadPoint(this, itemSecondPoint, bPreview, p2) ||
        !Helper::ReadLength(this, itemRadius, bPreview, radius))
        return resultMissing;
    if (!bPreview && !(radius > 0.0))
        return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
    if (!bPreview && p1.IsEqual(p2, ShapeCommandHelper::kPointTolerance))
        return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    FeatureConstrainedCircle solver;
    const BOOL bSolved = solver.FindConstrainedArc(p1, p2, radius);
    Helper::Choice choice;
    choice.wPickItem = itemPick;
    choice.nNoSolution = kMsgNoArc;
    return Helper::MakeSolution(this, solver, bSolved, bPreview, choice);
}

int ArcOf2Point2dCommand::OnInput(int) { return Run(FALSE, 0); }

void ArcOf2Point2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
