#include "commands/shape/AngledLine2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AngledLine2dCommand, CommandBase)

namespace {

constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 10447;
constexpr UINT kStartCaption = 10720;
constexpr UINT kStartPrompt = 10448;
constexpr UINT kEndCaption = 10721;
constexpr UINT kEndPrompt = 10449;
constexpr UINT kLengthCaption = 10714;
constexpr UINT kLengthPrompt = 10450;
constexpr UINT kShapeCaption = 10715;
constexpr UINT kShapePrompt = 10451;

}  // namespace

void AngledLine2dCommand::SetupParameters()
{
    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.m_nRetentionMode = 1;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    PointParameterItem start;
    ShapeCommandHelper::PrepareItem(start, itemStartPoint, kStartCaption, kStartPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, start);

    PointParameterItem end;
    ShapeCommandHelper::PrepareItem(end, itemEndPoint, kEndCaption, kEndPrompt);
    LengthParameterItem length;
    ShapeCommandHelper::PrepareItem(length, itemLength, kLengthCaption, kLengthPrompt);
    length.m_bHistory = TRUE;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, kShapePrompt);
    shape.m_dwAcceptedKinds = kShapeMask;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddAlternativesParameter(this, {&end, &length, &shape});
}

int AngledLine2dCommand::MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    nReason = 0;
    AngleParameterItem angleItem;
    PointParameterItem startItem;
    double angle = 0.0;
    RuVaPnt2d start;
    if (bPreview) {
        if (!GetParameterValueByID(itemAngle, angleItem) || !GetParameterValueByID(itemStartPoint, startItem))
            return resultMissing;
    } else {
        const ParameterItemBase* pAngle = FindItem(itemAngle);
        const ParameterItemBase* pStart = FindItem(itemStartPoint);
        if (pAngle == nullptr || pStart == nullptr || pAngle->IsEmpty() || pStart->IsEmpty())
            return resultMissing;
        angleItem.Copy(*pAngle);
        startItem.Copy(*pStart);
    }
    if (!angleItem.GetValue(angle) || !GetPointValue(startItem, start, TRUE))
        return resultMissing;

    const int extentIndex = FindParameterIndex(itemEndPoint);
    const ParameterItemBase* pExtent = extentIndex >= 0 ? GetParameterItem(extentIndex) : nullptr;
    if (pExtent == nullptr || (!bPreview && pExtent->IsEmpty()))
        return resultMissing;
    switch (pExtent->GetId()) {
    case itemEndPoint: {
        PointParameterItem endItem;
        RuVaPnt2d end;
        if (!GetParameterValue(extentIndex, endItem) || !GetPointValue(endItem, end, TRUE))
            return resultMissing;
        if (start.IsEqual(end, ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgPointsCoincide;
            return resultNothing;
        }
        pLine = FeatureCreator::CreateAngledLineFeature(angle, start, end);
        break;
    }
    case itemLength: {
        LengthParameterItem lengthItem;
        double length = 0.0;
        if (!GetParameterValue(extentIndex, lengthItem) || !lengthItem.GetValue(length))
            return resultMissing;
        if (!(length > ShapeCommandHelper::kPointTolerance) || !std::isfinite(length)) {
            nReason = kMsgLengthNotPositive;
            return resultNothing;
        }
        pLine = FeatureCreator::CreateAngledLineFeature(angle, start, length);
        break;
    }
    case itemShape: {
        FeatureParameterItem shapeItem;
        if (!GetParameterValue(extentIndex, shapeItem))
            return resultMissing;
        std::unique_ptr<Feature2dBase> shape;
        RuVaPnt2d pick;
        const int taken = ShapeCommandHelper::TakePickedFeature(this, shapeItem, shape, pick);
        if (taken == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (taken == ShapeCommandHelper::pickGone) {
            nReason = kMsgShapeGone;
            return resultNothing;
        }
        pLine = FeatureCreator::CreateAngledLineFeature(angle, start, shape.get(), pick);
        break;
    }
    default:
        return resultMissing;
    }
    if (pLine == nullptr) {
        nReason = kMsgNoLine;
        return resultNothing;
    }
    return resultDone;
}

int AngledLine2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    Line2dFeature* pLine = nullptr;
    UINT nReason = 0;
    const int result = MakeLine(FALSE, pLine, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    if (!ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void AngledLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Line2dFeature* pLine = nullptr;
    UINT nReason = 0;
    if (MakeLine(TRUE, pLine, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
