#include "commands/shape/CircleOf3Point2dCommand.h"

#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(CircleOf3Point2dCommand, CommandBase)

void CircleOf3Point2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemFirstPoint, 10723, 10461);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemSecondPoint, 10724, 10462);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
    ShapeCommandHelper::PrepareItem(point, itemThirdPoint, 10725, 10466);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

int CircleOf3Point2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    RuVaPnt2d p1;
    RuVaPnt2d p2;
    RuVaPnt2d p3;
    if (!Helper::ReadPoint(this, itemFirstPoint, bPreview, p1) || !Helper::ReadPoint(this, itemSecondPoint, bPreview, p2) ||
        !Helper::ReadPoint(this, itemThirdPoint, bPreview, p3))
        return resultMissing;
    Circle2dFeature* pCircle = FeatureCreator::CreateCircleFeature(p1, p2, p3);
    if (pCircle == nullptr)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgPointsCollinear, resultNothing);
    if (ShapeCommandHelper::BuildFeature(this, pCircle,
                                         bPreview ? ShapeCommandHelper::actionPreview : ShapeCommandHelper::actionAdd))
        return resultDone;
    return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
}

int CircleOf3Point2dCommand::OnInput(int) { return Run(FALSE, 0); }

void CircleOf3Point2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
