#include "commands/shape/HorizontalVerticalLine2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
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

IMPLEMENT_DYNCREATE(HorizontalVerticalLine2dCommand, CommandBase)

namespace {

constexpr UINT kStartCaption = 10720;
constexpr UINT kStartPrompt = 10448;
constexpr UINT kEndCaption = 10721;
constexpr UINT kEndPrompt = 10449;
constexpr UINT kLengthCaption = 10714;
constexpr UINT kLengthPrompt = 10450;
constexpr UINT kShapeCaption = 10715;
constexpr UINT kShapePrompt = 10451;
constexpr UINT kDirectionCaption = 10722;
constexpr UINT kDirectionPrompt = 11034;

const TCHAR kVertical[] = _T("Korvan.Shape.VerticalLine");
const TCHAR kHorizontal[] = _T("Korvan.Shape.HorizontalLine");

}  // namespace

Line2dFeature* HorizontalVerticalLine2dCommand::CreateLine(const CString& identifier, const RuVaPnt2d& start,
                                                           const RuVaPnt2d& end)
{
    if (identifier == kVertical)
        return FeatureCreator::CreateVerticalLineFeature(start, end);
    if (identifier == kHorizontal)
        return FeatureCreator::CreateHorizontalLineFeature(start, end);
    return FeatureCreator::CreateHorizontalVerticalLineFeature(start, end);
}

Line2dFeature* HorizontalVerticalLine2dCommand::CreateLine(const CString& identifier, const RuVaPnt2d& start,
                                                           double dLength, const RuVaPnt2d& direction)
{
    if (identifier == kVertical)
        return FeatureCreator::CreateVerticalLineFeature(start, dLength, direction);
    if (identifier == kHorizontal)
        return FeatureCreator::CreateHorizontalLineFeature(start, dLength, direction);
    return FeatureCreator::CreateHorizontalVerticalLineFeature(start, dLength, direction);
}

Line2dFeature* HorizontalVerticalLine2dCommand::CreateLine(const CString& identifier, const RuVaPnt2d& start,
                                                           const Feature2dBase* pShape, const RuVaPnt2d& pick)
{
    if (identifier == kVertical)
        return FeatureCreator::CreateVerticalLineFeature(start, pShape, pick);
    if (identifier == kHorizontal)
        return FeatureCreator::CreateHorizontalLineFeature(start, pShape, pick);
    return FeatureCreator::CreateHorizontalVerticalLineFeature(start, pShape, pick);
}

void HorizontalVerticalLine2dCommand::SetupParameters()
{
    PointParameterItem start;
    ShapeCommandHelper::PrepareItem(start, itemStartPoint, kStartCaption, kStartPrompt);
    start.m_wBaseItemId = itemEndPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, start);

    PointParameterItem end;
    ShapeCommandHelper::PrepareItem(end, itemEndPoint, kEndCaption, kEndPrompt);
    end.m_wBaseItemId = itemStartPoint;
    LengthParameterItem length;
    ShapeCommandHelper::PrepareItem(length, itemLength, kLengthCaption, kLengthPrompt);
    length.m_bHistory = TRUE;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, kShapePrompt);
    shape.m_dwAcceptedKinds = kShapeMask;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddAlternativesParameter(this, {&end, &length, &shape});
}

BOOL HorizontalVerticalLine2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    const int extentIndex = FindParameterIndex(itemEndPoint);
    if (nIndex != extentIndex || extentIndex < 0)
        return FALSE;
    CommandParameter* pExtent = GetParameter(extentIndex);
    if (nAlternative == pExtent->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pExtent->GetItemCount())
        return FALSE;
    const WORD oldId = pExtent->GetCurrentItem() != nullptr ? pExtent->GetCurrentItem()->GetId() : 0xFFFF;
    const WORD newId = pExtent->GetItem(nAlternative)->GetId();
    ParameterItemBase* pStart = FindItem(itemStartPoint);
    if (newId == itemLength && FindParameterIndex(itemDirection) < 0) {
        PointParameterItem direction;
        ShapeCommandHelper::PrepareItem(direction, itemDirection, kDirectionCaption, kDirectionPrompt);
        direction.m_wBaseItemId = itemStartPoint;
        ShapeCommandHelper::AddSingleItemParameter(this, direction);
        if (pStart != nullptr)
            pStart->m_wBaseItemId = itemDirection;
        return TRUE;
    }
    if (oldId == itemLength) {
        const int directionIndex = FindParameterIndex(itemDirection);
        if (directionIndex >= 0) {
            if (m_pManager != nullptr)
                m_pManager->RemoveParameter(this, directionIndex);
            else
                RemoveParameter(directionIndex);
        }
        if (pStart != nullptr)
            pStart->m_wBaseItemId = newId == itemEndPoint ? itemEndPoint : ParameterItemBase::kNoBaseItem;
    }
    return TRUE;
}

int HorizontalVerticalLine2dCommand::MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    nReason = 0;
    const int startIndex = FindParameterIndex(itemStartPoint);
    const int extentIndex = FindParameterIndex(itemEndPoint);
    if (startIndex < 0 || extentIndex < 0)
        return resultMissing;
    const ParameterItemBase* pExtent = GetParameterItem(extentIndex);
    if (!bPreview) {
        if (IsParameterEmpty(startIndex) || pExtent->IsEmpty())
            return resultMissing;
        if (pExtent->GetId() == itemLength) {
            const ParameterItemBase* pDirection = FindItem(itemDirection);
            if (pDirection == nullptr || pDirection->IsEmpty())
                return resultMissing;
        }
    }
    PointParameterItem startItem;
    RuVaPnt2d start;
    if (!GetParameterValue(startIndex, startItem) || !GetPointValue(startItem, start, TRUE))
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
        pLine = CreateLine(m_strIdentifier, start, end);
        break;
    }
    case itemLength: {
        LengthParameterItem lengthItem;
        PointParameterItem directionItem;
        double length = 0.0;
        RuVaPnt2d direction;
        // The length only when given or proposed; the cursor never stands in for it.
        if (!GetParameterValue(extentIndex, lengthItem) || !lengthItem.GetValue(length) ||
            !GetParameterValueByID(itemDirection, directionItem) || !GetPointValue(directionItem, direction, TRUE))
            return resultMissing;
        if (!(length > ShapeCommandHelper::kPointTolerance) || !std::isfinite(length)) {
            nReason = kMsgLengthNotPositive;
            return resultNothing;
        }
        if (start.IsEqual(direction, ShapeCommandHelper::kPointTolerance)) {
            nReason = kMsgPointsCoincide;
            return resultNothing;
        }
        pLine = CreateLine(m_strIdentifier, start, length, direction);
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
        pLine = CreateLine(m_strIdentifier, start, shape.get(), pick);
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

int HorizontalVerticalLine2dCommand::OnInput(int)
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

void HorizontalVerticalLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Line2dFeature* pLine = nullptr;
    UINT nReason = 0;
    if (MakeLine(TRUE, pLine, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
