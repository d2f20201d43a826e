#include "commands/shape/Ellipse2dCommand.h"

#include <cmath>

#include "command/AngleParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Ellipse2dCommand, CommandBase)

namespace {

// The value of the parameter's current item: a point's distance from the centre or a typed length.
BOOL ReadRadius(CommandBase* pCommand, int nIndex, BOOL bPreview, const RuVaPnt2d& centre, double& radius)
{
    const ParameterItemBase* pCurrent = pCommand->GetParameterItem(nIndex);
    if (pCurrent == nullptr || (!bPreview && pCurrent->IsEmpty()))
        return FALSE;
    if (pCurrent->GetTypeCode() == ParameterItemBase::typePoint) {
        PointParameterItem item;
        RuVaPnt2d point;
        if (!pCommand->GetParameterValue(nIndex, item) || !pCommand->GetPointValue(item, point, TRUE))
            return FALSE;
        radius = centre.Distance(point);
        return TRUE;
    }
    LengthParameterItem item;
    return pCommand->GetParameterValue(nIndex, item) && item.GetValue(radius);
}

}  // namespace

double Ellipse2dCommand::AngleOfPoint(const RuVaPnt2d& centre, const RuVaPnt2d& point)
{
    return RuVaDir2d::DX2d().Angle(RuVaDir2d(point.X() - centre.X(), point.Y() - centre.Y())) / 0.017453292519943295;
}

void Ellipse2dCommand::SetupParameters()
{
    AddEllipseParameters(this);
}

void Ellipse2dCommand::AddEllipseParameters(CommandBase* pCommand)
{
    PointParameterItem centre;
    ShapeCommandHelper::PrepareItem(centre, itemCentre, 10719, 10998);
    ShapeCommandHelper::AddSingleItemParameter(pCommand, centre);

    PointParameterItem point;
    LengthParameterItem length;
    ShapeCommandHelper::PrepareItem(point, itemRadius1Point, 10736, 10999);
    ShapeCommandHelper::PrepareItem(length, itemRadius1, 10752, 11000);
    length.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(pCommand, {&point, &length});

    ShapeCommandHelper::PrepareItem(point, itemRadius2Point, 10737, 11001);
    ShapeCommandHelper::PrepareItem(length, itemRadius2, 10753, 11002);
    ShapeCommandHelper::AddAlternativesParameter(pCommand, {&point, &length});

    PointParameterItem anglePoint;
    ShapeCommandHelper::PrepareItem(anglePoint, itemAnglePoint, 10738, 11003);
    anglePoint.m_wBaseItemId = itemCentre;
    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, 10774, 11004);
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(pCommand, {&anglePoint, &angle});
}

int Ellipse2dCommand::ReadEllipse(BOOL bPreview, RuVaPnt2d& centre, double& r1, double& r2, double& angle,
                                  UINT& nReason)
{
    nReason = 0;
    if (GetParameterCount() < 4)
        return resultMissing;
    if (!bPreview) {
        for (int i = 0; i < 4; ++i) {
            if (IsParameterEmpty(i))
                return resultMissing;
        }
    }
    PointParameterItem centreItem;
    if (!GetParameterValue(0, centreItem) || !GetPointValue(centreItem, centre, TRUE))
        return resultMissing;
    if (!ReadRadius(this, 1, bPreview, centre, r1) || !ReadRadius(this, 2, bPreview, centre, r2))
        return resultMissing;
    if (GetCurrentItemID(3) == itemAnglePoint) {
        PointParameterItem item;
        RuVaPnt2d point;
        if (!GetParameterValue(3, item) || !GetPointValue(item, point, TRUE))
            return resultMissing;
        if (point.IsEqual(centre, ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgPointsCoincide;
            return resultNothing;
        }
        angle = AngleOfPoint(centre, point);
    } else {
        AngleParameterItem item;
        if (!GetParameterValue(3, item) || !item.GetValue(angle))
            return resultMissing;
    }
    if (!(r1 >= ShapeCommandHelper::kPointTolerance) || !(r2 >= ShapeCommandHelper::kPointTolerance)) {
        nReason = kMsgLengthNotPositive;
        return resultNothing;
    }
    return resultDone;
}

int Ellipse2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    RuVaPnt2d centre;
    double r1 = 0.0;
    double r2 = 0.0;
    double angle = 0.0;
    UINT nReason = 0;
    const int result = ReadEllipse(FALSE, centre, r1, r2, angle, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    Ellipse2dFeature* pEllipse = FeatureCreator::CreateEllipseFeature(centre, r1, r2, angle);
    if (pEllipse == nullptr)
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultNothing);
    if (!ShapeCommandHelper::BuildFeature(this, pEllipse, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void Ellipse2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    RuVaPnt2d centre;
    double r1 = 0.0;
    double r2 = 0.0;
    double angle = 0.0;
    UINT nReason = 0;
    if (ReadEllipse(TRUE, centre, r1, r2, angle, nReason) != resultDone)
        return;
    if (Ellipse2dFeature* pEllipse = FeatureCreator::CreateEllipseFeature(centre, r1, r2, angle))
        ShapeCommandHelper::BuildFeature(this, pEllipse, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
