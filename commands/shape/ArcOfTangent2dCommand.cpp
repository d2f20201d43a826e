#include "commands/shape/ArcOfTangent2dCommand.h"

#include <memory>

#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureConstrainedCircle.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ArcOfTangent2dCommand, CommandBase)

void ArcOfTangent2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    ConstrainedCircleCommandHelper::PrepareTangentItem(shape, itemShape, 10715, 10468);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemFirstPoint, 10723, 10461);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemSecondPoint, 10724, 10462);
    LengthParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10454);
    radius.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &radius});
    ShapeCommandHelper::PrepareItem(point, itemPick, 10735, 10463);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int ArcOfTangent2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 4)
        return resultNothing;
    std::unique_ptr<Feature2dBase> shape;
    const int read = Helper::ReadShapes(this, bPreview, resultNothing, {{itemShape, &shape}});
    if (read != resultDone)
        return read;
    RuVaPnt2d first;
    if (!Helper::ReadPoint(this, itemFirstPoint, bPreview, first))
        return resultMissing;
    FeatureConstrainedCircle solver;
    BOOL bSolved = FALSE;
    if (GetCurrentItemID(2) == itemSecondPoint) {
        RuVaPnt2d second;
        if (!Helper::ReadPoint(this, itemSecondPoint, bPreview, second))
            return resultMissing;
        if (!bPreview && first.IsEqual(second, ShapeCommandHelper::kPointTolerance))
            return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
        bSolved = solver.FindConstrainedArc(shape.get(), first, second);
    } else {
        double radius = 0.0;
        if (!Helper::ReadLength(this, itemRadius, bPreview, radius))
            return resultMissing;
        if (!bPreview && !(radius > 0.0))
            return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        bSolved = solver.FindConstrainedArc(shape.get(), first, radius);
    }
    Helper::Choice choice;
    choice.wPickItem = itemPick;
    choice.bSmallestFallback = TRUE;
    choice.nNoSolution = kMsgNoTangentArc;
    return Helper::MakeSolution(this, solver, bSolved, bPreview, choice);
}

int ArcOfTangent2dCommand::OnInput(int) { return Run(FALSE, 0); }

void ArcOfTangent2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
