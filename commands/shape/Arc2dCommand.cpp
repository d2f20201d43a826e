#include "commands/shape/Arc2dCommand.h"

#include <memory>

#include "command/AngleParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Arc2dCommand, CommandBase)

namespace {

// One end of the arc as the creator reads it.
struct ArcEnd {
    int nKind = FeatureCreator::ArcEndPoint;
    double angle = 0.0;
    RuVaPnt2d point;
    std::unique_ptr<Feature2dBase> shape;
    RuVaPnt2d pick;

    const void* Data() const
    {
        switch (nKind) {
        case FeatureCreator::ArcEndAngle:
            return &angle;
        case FeatureCreator::ArcEndPoint:
            return &point;
        default:
            return shape.get();
        }
    }
};

}  // namespace

void Arc2dCommand::SetupParameters()
{
    PointParameterItem centre;
    ShapeCommandHelper::PrepareItem(centre, itemCentre, 10719, 10452);
    ShapeCommandHelper::AddSingleItemParameter(this, centre);

    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemCirclePoint, 10722, 10453);
    point.m_wBaseItemId = itemCentre;
    LengthParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10454);
    radius.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &radius});

    AngleParameterItem angle;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(point, itemStartPoint, 10720, 10455);
    ShapeCommandHelper::PrepareItem(angle, itemStartAngle, 10711, 10456);
    angle.m_bHistory = TRUE;
    ConstrainedCircleCommandHelper::PrepareTangentItem(shape, itemStartShape, 10785, 10457);
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &angle, &shape});

    ShapeCommandHelper::PrepareItem(point, itemEndPoint, 10721, 10458);
    ShapeCommandHelper::PrepareItem(angle, itemEndAngle, 10712, 10459);
    ConstrainedCircleCommandHelper::PrepareTangentItem(shape, itemEndShape, 10786, 10460);
    ShapeCommandHelper::AddAlternativesParameter(this, {&point, &angle, &shape});
}

int Arc2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 4)
        return resultNothing;
    if (!bPreview) {
        for (int i = 0; i < 4; ++i) {
            if (IsParameterEmpty(i))
                return resultMissing;
        }
    }
    RuVaPnt2d centre;
    if (!Helper::ReadPoint(this, itemCentre, bPreview, centre))
        return resultMissing;

    // The full circle first.
    std::unique_ptr<Circle2dFeature> circle;
    if (GetCurrentItemID(1) == itemCirclePoint) {
        RuVaPnt2d point;
        if (!Helper::ReadPoint(this, itemCirclePoint, bPreview, point))
            return resultMissing;
        if (point.IsEqual(centre, ShapeCommandHelper::kPointTolerance))
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
        circle.reset(FeatureCreator::CreateCircleFeature(centre, point));
    } else {
        double radius = 0.0;
        if (!Helper::ReadLength(this, itemRadius, bPreview, radius))
            return resultMissing;
        if (radius < 1e-7)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        circle.reset(FeatureCreator::CreateCircleFeature(centre, radius));
    }
    if (!circle)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNoShape, resultNothing);

    // While neither end is given the preview is the whole circle.
    if (bPreview && IsParameterEmpty(2) && IsParameterEmpty(3))
        return ShapeCommandHelper::BuildFeature(this, circle.release(), ShapeCommandHelper::actionPreview)
                   ? resultDone
                   : resultNothing;

    ArcEnd ends[2];
    const WORD ids[2][3] = {{itemStartPoint, itemStartAngle, itemStartShape}, {itemEndPoint, itemEndAngle, itemEndShape}};
    for (int e = 0; e < 2; ++e) {
        ArcEnd& end = ends[e];
        const WORD wCurrent = GetCurrentItemID(2 + e);
        if (wCurrent == ids[e][0]) {
            end.nKind = FeatureCreator::ArcEndPoint;
            if (!Helper::ReadPoint(this, wCurrent, bPreview, end.point))
                return resultMissing;
            // The end point on the centre gives no direction.
            if (bPreview && e == 1 && end.point.IsEqual(centre, 1e-7))
                return resultNothing;
        } else if (wCurrent == ids[e][1]) {
            end.nKind = FeatureCreator::ArcEndAngle;
            if (!Helper::ReadAngle(this, wCurrent, bPreview, end.angle))
                return resultMissing;
        } else {
            end.nKind = FeatureCreator::ArcEndFeature;
            const int outcome = Helper::ReadShape(this, wCurrent, bPreview, end.shape, &end.pick);
            if (outcome == ShapeCommandHelper::pickGone)
                return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
            if (outcome != ShapeCommandHelper::pickTaken)
                return resultMissing;
        }
    }
    Arc2dFeature* pArc = FeatureCreator::CreateArcFeature(circle.get(), ends[0].nKind, ends[0].Data(), ends[0].pick,
                                                          ends[1].nKind, ends[1].Data(), ends[1].pick, 0);
    if (pArc == nullptr)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgNoShape, resultNothing);
    if (ShapeCommandHelper::BuildFeature(this, pArc,
                                         bPreview ? ShapeCommandHelper::actionPreview : ShapeCommandHelper::actionAdd))
        return resultDone;
    return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
}

int Arc2dCommand::OnInput(int) { return Run(FALSE, 0); }

void Arc2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags) { Run(TRUE, nFlags); }

}  // namespace QZ2Command
