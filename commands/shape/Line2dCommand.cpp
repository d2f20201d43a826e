#include "commands/shape/Line2dCommand.h"

#include "command/AngleParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Line2dCommand, CommandBase)

namespace {

// Captions and prompts of the four items.
constexpr UINT kStartCaption = 10720;
constexpr UINT kStartPrompt = 10448;
constexpr UINT kEndCaption = 10721;
constexpr UINT kEndPrompt = 11049;
constexpr UINT kLengthCaption = 10714;
constexpr UINT kLengthPrompt = 10450;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 10447;

// Reads a given length or angle; FALSE when the item holds a value that cannot be read.
BOOL ReadOptionalValue(const ParameterItemBase* pItem, double& value, BOOL& bGiven)
{
    bGiven = FALSE;
    if (pItem == nullptr || pItem->IsEmpty())
        return TRUE;
    const auto* pDouble = dynamic_cast<const DoubleParameterItem*>(pItem);
    if (pDouble == nullptr || !pDouble->GetValue(value))
        return FALSE;
    bGiven = TRUE;
    return TRUE;
}

}  // namespace

Line2dFeature* Line2dCommand::CreateLine(const RuVaPnt2d& start, const RuVaPnt2d& end, const double* pLength,
                                         const double* pAngle)
{
    if (pLength != nullptr && pAngle != nullptr)
        return FeatureCreator::CreateLineFeature(start, *pLength, *pAngle, end);
    if (pLength != nullptr)
        return FeatureCreator::CreateLineFeature(start, *pLength, end);
    if (pAngle != nullptr)
        return FeatureCreator::CreateAngledLineFeature(*pAngle, start, end);
    return FeatureCreator::CreateLineFeature(start, end);
}

void Line2dCommand::SetupParameters()
{
    // Each point snaps relative to the other one.
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemStartPoint, kStartCaption, kStartPrompt);
    point.m_wBaseItemId = itemEndPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    ShapeCommandHelper::PrepareItem(point, itemEndPoint, kEndCaption, kEndPrompt);
    point.m_wBaseItemId = itemStartPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    LengthParameterItem length;
    ShapeCommandHelper::PrepareItem(length, itemLength, kLengthCaption, kLengthPrompt);
    length.m_bOptional = TRUE;
    length.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, length);

    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.m_bOptional = TRUE;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);
}

int Line2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;

    const ParameterItemBase* pStart = FindItem(itemStartPoint);
    if (pStart == nullptr)
        return resultNothing;
    if (pStart->IsEmpty())
        return resultMissing;
    RuVaPnt2d start;
    if (!GetPointValue(*pStart, start, TRUE))
        return resultNothing;

    const ParameterItemBase* pLength = FindItem(itemLength);
    const ParameterItemBase* pAngle = FindItem(itemAngle);
    const ParameterItemBase* pEnd = FindItem(itemEndPoint);
    if (pEnd == nullptr)
        return resultNothing;
    if (pEnd->IsEmpty())
        return resultMissing;
    RuVaPnt2d end;
    if (!GetPointValue(*pEnd, end, TRUE))
        return resultNothing;

    double length = 0.0;
    double angle = 0.0;
    BOOL bLength = FALSE;
    BOOL bAngle = FALSE;
    if (!ReadOptionalValue(pLength, length, bLength) || !ReadOptionalValue(pAngle, angle, bAngle))
        return resultNothing;

    Line2dFeature* pLine = CreateLine(start, end, bLength ? &length : nullptr, bAngle ? &angle : nullptr);
    if (pLine == nullptr)
        return resultNothing;
    return ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionAdd) ? resultDone : resultNothing;
}

void Line2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    // Given values, or else the cursor standing in for a point not given yet.
    PointParameterItem startItem;
    RuVaPnt2d start;
    if (!GetParameterValue(0, startItem) || !GetPointValue(startItem, start, TRUE))
        return;

    LengthParameterItem lengthItem;
    AngleParameterItem angleItem;
    double length = 0.0;
    double angle = 0.0;
    const BOOL bLength = GetParameterValueByID(itemLength, lengthItem) && lengthItem.GetValue(length);
    const BOOL bAngle = GetParameterValueByID(itemAngle, angleItem) && angleItem.GetValue(angle);

    PointParameterItem endItem;
    RuVaPnt2d end;
    if (!GetParameterValueByID(itemEndPoint, endItem) || !GetPointValue(endItem, end, TRUE))
        return;

    Line2dFeature* pLine = CreateLine(start, end, bLength ? &length : nullptr, bAngle ? &angle : nullptr);
    if (pLine != nullptr)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
