#include "commands/shape/CircleOf3Tangent2dCommand.h"

#include <memory>

#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureConstrainedCircle.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(CircleOf3Tangent2dCommand, CommandBase)

void CircleOf3Tangent2dCommand::SetupParameters()
{
    using Helper = ConstrainedCircleCommandHelper;
    FeatureParameterItem shape;
    Helper::PrepareTangentItem(shape, itemFirstShape, 10715, 10464);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    Helper::PrepareTangentItem(shape, itemSecondShape, 10715, 10465);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    Helper::PrepareTangentItem(shape, itemThirdShape, 10715, 10467);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    PointParameterItem pick;
    ShapeCommandHelper::PrepareItem(pick, itemPick, 10735, 10502);
    ShapeCommandHelper::AddSingleItemParameter(this, pick);
}

int CircleOf3Tangent2dCommand::Run(BOOL bPreview, UINT nFlags)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    std::unique_ptr<Feature2dBase> first;
    std::unique_ptr<Feature2dBase> second;
    std::unique_ptr<Feature2dBase> third;
    const int read = Helper::ReadShapes(this, bPreview, resultMissing,
                                        {{itemFirstShape, &first}, {itemSecondShape, &second}, {itemThirdShape, &third}});
    if (read != resultDone)
        return read;
    FeatureConstrainedCircle solver;
    const BOOL bSolved = solver.FindConstrainedCircle(first.get(), second.get(), third.get());
    Helper::Choice choice;
    choice.wPickItem = itemPick;
    choice.bSmallestFallback = TRUE;
    choice.bShowAll = bPreview && Helper::IsShiftDown(nFlags);
    choice.nNoSolution = kMsgNoTangentCircle;
    return Helper::MakeSolution(this, solver, bSolved, bPreview, choice);
}

int CircleOf3Tangent2dCommand::OnInput(int) { return Run(FALSE, 0); }

void CircleOf3Tangent2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
