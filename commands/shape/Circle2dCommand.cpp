#include "commands/shape/Circle2dCommand.h"

#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Circle2dCommand, CommandBase)

void Circle2dCommand::SetupParameters()
{
    PointParameterItem centre;
    ShapeCommandHelper::PrepareItem(centre, itemCentre, 10719, 10452);
    ShapeCommandHelper::AddSingleItemParameter(this, centre);

    // A point on the circle or a typed length, which is the radius or the diameter.
    MultiParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10498);
    radius.m_wKindMask = MultiParameterItem::acceptPoint | MultiParameterItem::acceptLength;
    radius.m_wBaseItemId = itemCentre;
    radius.m_bHistory = TRUE;
    radius.m_strGuidance = LoadResourceString(10499);
    MultiParameterItem diameter;
    diameter.Copy(radius);
    ShapeCommandHelper::PrepareItem(diameter, itemDiameter, 10751, 10500);
    ShapeCommandHelper::AddAlternativesParameter(this, {&radius, &diameter});
}

int Circle2dCommand::Run(BOOL bPreview, UINT)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 2)
        return resultNothing;
    if (!bPreview && (IsParameterEmpty(0) || IsParameterEmpty(1)))
        return resultMissing;
    PointParameterItem centreItem;
    RuVaPnt2d centre;
    if (!GetParameterValueByID(itemCentre, centreItem) || !GetPointValue(centreItem, centre, TRUE))
        return resultMissing;
    MultiParameterItem size;
    if (!GetParameterValue(1, size))
        return resultMissing;
    double radius = 0.0;
    if (size.m_nCurrentKind == ParameterItemBase::typePoint) {
        // A point on the circle: the circle passes through it in both alternatives.
        RuVaPnt2d point;
        if (!GetPointValue(size.m_pointItem, point, TRUE))
            return resultMissing;
        radius = centre.Distance(point);
        if (radius < ShapeCommandHelper::kPointTolerance)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    } else if (size.m_nCurrentKind == ParameterItemBase::typeLength) {
        double length = 0.0;
        if (!size.m_numberItem.GetValue(length))
            return resultMissing;
        radius = size.GetId() == itemDiameter ? length / 2.0 : length;
        if (!(radius >= ShapeCommandHelper::kPointTolerance))
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
    } else {
        return resultMissing;
    }
    Circle2dFeature* pCircle = FeatureCreator::CreateCircleFeature(centre, radius);
    if (pCircle == nullptr)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNoShape, resultNothing);
    if (ShapeCommandHelper::BuildFeature(this, pCircle,
                                         bPreview ? ShapeCommandHelper::actionPreview : ShapeCommandHelper::actionAdd))
        return resultDone;
    return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
}

int Circle2dCommand::OnInput(int) { return Run(FALSE, 0); }

void Circle2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags) { Run(TRUE, nFlags); }

}  // namespace QZ2Command
