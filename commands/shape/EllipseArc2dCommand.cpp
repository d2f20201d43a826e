#include "commands/shape/EllipseArc2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/Ellipse2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(EllipseArc2dCommand, CommandBase)

namespace {

// A value handed to the data model as a kind and a pointer to it.
struct Tagged {
    int nKind = FeatureCreator::TaggedNumber;
    double number = 0.0;
    RuVaPnt2d point;
    std::unique_ptr<Feature2dBase> shape;  // in the active layout's coordinates
    RuVaPnt2d pick;

    const void* Data() const
    {
        switch (nKind) {
        case FeatureCreator::TaggedPoint:
            return &point;
        case FeatureCreator::TaggedFeature:
            return shape.get();
        default:
            return &number;
        }
    }
};

// The radius of the parameter: a point (kind 1) or a length (kind 0). Result code, reason for 3.
int ReadRadius(CommandBase* pCommand, int nIndex, Tagged& value, UINT& nReason)
{
    if (pCommand->GetParameterItem(nIndex)->GetTypeCode() == ParameterItemBase::typePoint) {
        PointParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !pCommand->GetPointValue(item, value.point, TRUE))
            return CommandBase::resultMissing;
        value.nKind = FeatureCreator::TaggedPoint;
        return CommandBase::resultDone;
    }
    LengthParameterItem item;
    if (!pCommand->GetParameterValue(nIndex, item) || !item.GetValue(value.number))
        return CommandBase::resultMissing;
    value.nKind = FeatureCreator::TaggedNumber;
    if (!(value.number >= ShapeCommandHelper::kPointTolerance) || !std::isfinite(value.number)) {
        nReason = kMsgLengthNotPositive;
        return CommandBase::resultNothing;
    }
    return CommandBase::resultDone;
}

// The start or the end by its current alternative: a point, an angle or a picked shape.
int ReadEnd(CommandBase* pCommand, int nIndex, Tagged& value, UINT& nReason)
{
    switch (pCommand->GetParameterItem(nIndex)->GetTypeCode()) {
    case ParameterItemBase::typePoint: {
        PointParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !pCommand->GetPointValue(item, value.point, TRUE))
            return CommandBase::resultMissing;
        value.nKind = FeatureCreator::TaggedPoint;
        return CommandBase::resultDone;
    }
    case ParameterItemBase::typeAngle: {
        AngleParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item) || !item.GetValue(value.number) || !std::isfinite(value.number))
            return CommandBase::resultMissing;
        value.nKind = FeatureCreator::TaggedNumber;
        return CommandBase::resultDone;
    }
    default: {
        FeatureParameterItem item;
        if (!pCommand->GetParameterValue(nIndex, item))
            return CommandBase::resultMissing;
        const int taken = ShapeCommandHelper::TakePickedFeature(pCommand, item, value.shape, value.pick);
        if (taken == ShapeCommandHelper::pickMissing)
            return CommandBase::resultMissing;
        if (taken == ShapeCommandHelper::pickGone) {
            nReason = kMsgShapeGone;
            return CommandBase::resultNothing;
        }
        value.nKind = FeatureCreator::TaggedFeature;
        return CommandBase::resultDone;
    }
    }
}

}  // namespace

void EllipseArc2dCommand::SetupParameters()
{
    Ellipse2dCommand::AddEllipseParameters(this);

    PointParameterItem point;
    AngleParameterItem angle;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(point, itemStartPoint, 10720, 11005);
    point.m_wBaseItemId = Ellipse2dCommand::itemCentre;
    ShapeCommandHelper::PrepareItem(angle, itemStartAngle, 10711, 11006);
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::PrepareItem(shape, itemStartShape, 10785, 11007);
    shape.m_dwAcceptedKinds = kStartShapeMask;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &angle, &shape});

    ShapeCommandHelper::PrepareItem(point, itemEndPoint, 10721, 11008);
    ShapeCommandHelper::PrepareItem(angle, itemEndAngle, 10712, 11009);
    ShapeCommandHelper::PrepareItem(shape, itemEndShape, 10786, 11010);
    shape.m_dwAcceptedKinds = kEndShapeMask;
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &angle, &shape});
}

int EllipseArc2dCommand::MakeShape(BOOL bPreview, Feature2dBase*& pShape, UINT& nReason)
{
    pShape = nullptr;
    nReason = 0;
    if (GetParameterCount() < 6)
        return resultMissing;
    if (!bPreview) {
        for (int i = 0; i < 6; ++i) {
            if (IsParameterEmpty(i))
                return resultMissing;
        }
    }
    PointParameterItem centreItem;
    RuVaPnt2d centre;
    if (!GetParameterValue(0, centreItem) || !GetPointValue(centreItem, centre, TRUE))
        return resultMissing;
    Tagged r1;
    Tagged r2;
    int result = ReadRadius(this, 1, r1, nReason);
    if (result == resultDone)
        result = ReadRadius(this, 2, r2, nReason);
    if (result != resultDone)
        return result;

    Tagged axis;
    if (GetParameterItem(3)->GetTypeCode() == ParameterItemBase::typePoint) {
        PointParameterItem item;
        if (!GetParameterValue(3, item) || !GetPointValue(item, axis.point, TRUE))
            return resultMissing;
        if (axis.point.IsEqual(centre, ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgPointsCoincide;
            return resultNothing;
        }
        axis.nKind = FeatureCreator::TaggedPoint;
    } else {
        AngleParameterItem item;
        if (!GetParameterValue(3, item) || !item.GetValue(axis.number) || !std::isfinite(axis.number))
            return resultMissing;
    }
    if (bPreview) {
        // The axis goes as a number: while the second radius is sought the first axis stands square to
        // the cursor, so that the cursor lies on the second axis.
        const double offset = IsParameterEmpty(2) ? -90.0 : 0.0;
        if (axis.nKind == FeatureCreator::TaggedPoint)
            axis.number = offset + Ellipse2dCommand::AngleOfPoint(centre, axis.point);
        axis.nKind = FeatureCreator::TaggedNumber;
    }

    std::unique_ptr<Ellipse2dFeature> ellipse(FeatureCreator::CreateEllipseFeature(
        centre, r1.nKind, r1.Data(), r2.nKind, r2.Data(), axis.nKind, axis.Data()));
    if (!ellipse) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    if (bPreview && IsParameterEmpty(4) && IsParameterEmpty(5)) {
        pShape = ellipse.release();
        return resultDone;
    }

    Tagged start;
    Tagged end;
    result = ReadEnd(this, 4, start, nReason);
    if (result == resultDone)
        result = ReadEnd(this, 5, end, nReason);
    if (result != resultDone)
        return result;
    pShape = FeatureCreator::CreateEllipseArcFeature(ellipse.get(), start.nKind, start.Data(), start.pick, end.nKind,
                                                     end.Data(), end.pick, 0);
    if (pShape == nullptr) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    return resultDone;
}

int EllipseArc2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    Feature2dBase* pArc = nullptr;
    UINT nReason = 0;
    const int result = MakeShape(FALSE, pArc, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    if (!ShapeCommandHelper::BuildFeature(this, pArc, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void EllipseArc2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Feature2dBase* pShape = nullptr;
    UINT nReason = 0;
    if (MakeShape(TRUE, pShape, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pShape, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
