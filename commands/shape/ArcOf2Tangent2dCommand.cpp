#include "commands/shape/ArcOf2Tangent2dCommand.h"

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
#include "libs/vevure/FeatureLayout.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ArcOf2Tangent2dCommand, CommandBase)

void ArcOf2Tangent2dCommand::SetupParameters()
{
    using Helper = ConstrainedCircleCommandHelper;
    FeatureParameterItem shape;
    Helper::PrepareTangentItem(shape, itemFirstShape, 10780, 10464);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    Helper::PrepareTangentItem(shape, itemSecondShape, 10781, 10465);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, 10722, 10453);
    LengthParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10454);
    radius.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &radius});
    ShapeCommandHelper::PrepareItem(point, itemPick, 10735, 10463);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int ArcOf2Tangent2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 4)
        return resultNothing;
    std::unique_ptr<Feature2dBase> first;
    std::unique_ptr<Feature2dBase> second;
    const int read =
        Helper::ReadShapes(this, bPreview, resultNothing, {{itemFirstShape, &first}, {itemSecondShape, &second}});
    if (read != resultDone)
        return read;
    // Both tangents one pick of one shape: no arc (the preview shows whatever the solver finds).
    auto samePick = [this] {
        FeatureParameterItem firstItem;
        FeatureParameterItem secondItem;
        FeatureLayout firstPick;
        FeatureLayout secondPick;
        return GetParameterValueByID(itemFirstShape, firstItem) && GetParameterValueByID(itemSecondShape, secondItem) &&
               firstItem.GetValue(firstPick) && secondItem.GetValue(secondPick) && firstPick == secondPick;
    };
    FeatureConstrainedCircle solver;
    BOOL bSolved = FALSE;
    if (GetCurrentItemID(2) == itemPoint) {
        RuVaPnt2d point;
        if (!Helper::ReadPoint(this, itemPoint, bPreview, point))
            return resultMissing;
        if (!bPreview && samePick())
            return ShapeCommandHelper::Refuse(this, kMsgSameShapeTwice, resultNothing);
        bSolved = solver.FindConstrainedArc(first.get(), second.get(), point);
    } else {
        double radius = 0.0;
        if (!Helper::ReadLength(this, itemRadius, bPreview, radius))
            return resultMissing;
        if (!bPreview && !(radius > 0.0))
            return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        if (!bPreview && samePick())
            return ShapeCommandHelper::Refuse(this, kMsgSameShapeTwice, resultNothing);
        bSolved = solver.FindConstrainedArc(first.get(), second.get(), radius);
    }
    Helper::Choice choice;
    choice.wPickItem = itemPick;
    choice.bSmallestFallback = TRUE;
    choice.nNoSolution = kMsgNoTangentArc;
    return Helper::MakeSolution(this, solver, bSolved, bPreview, choice);
}

int ArcOf2Tangent2dCommand::OnInput(int) { return Run(FALSE, 0); }

void ArcOf2Tangent2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
