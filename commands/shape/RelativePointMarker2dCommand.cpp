#include "commands/shape/RelativePointMarker2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/PointMarkerSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RelativePointMarker2dCommand, CommandBase)

namespace {

LengthParameterItem LengthItem(WORD id, UINT caption, UINT prompt)
{
    LengthParameterItem item;
    ShapeCommandHelper::PrepareItem(item, id, caption, prompt);
    item.m_bHistory = TRUE;
    return item;
}

}  // namespace

void RelativePointMarker2dCommand::SetupParameters()
{
    PointParameterItem base;
    ShapeCommandHelper::PrepareItem(base, itemBase, 10728, 10505);
    ShapeCommandHelper::AddSingleItemParameter(this, base);
    const LengthParameterItem x = LengthItem(itemOffsetX, 10769, 11121);
    const LengthParameterItem distance = LengthItem(itemDistance, 10714, 11122);
    ShapeCommandHelper::AddAlternativesParameter(this, {&x, &distance});
    ReplaceThirdRow(FALSE);
}

void RelativePointMarker2dCommand::ReplaceThirdRow(BOOL bDirection)
{
    if (GetParameterCount() > 2) {
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, 2);
        else
            RemoveParameter(2);
    }
    ParameterItemBase* pBase = FindItem(itemBase);
    if (bDirection) {
        PointParameterItem direction;
        ShapeCommandHelper::PrepareItem(direction, itemDirection, 10726, 11124);
        direction.m_wBaseItemId = itemBase;
        AngleParameterItem angle;
        ShapeCommandHelper::PrepareItem(angle, itemAngle, 10707, 11125);
        angle.m_bHistory = TRUE;
        ShapeCommandHelper::AddAlternativesParameter(this, {&direction, &angle});
        if (pBase != nullptr)
            pBase->m_wBaseItemId = itemDirection;
    } else {
        const LengthParameterItem y = LengthItem(itemOffsetY, 10770, 11123);
        ShapeCommandHelper::AddSingleItemParameter(this, y);
        if (pBase != nullptr)
            pBase->m_wBaseItemId = ParameterItemBase::kNoBaseItem;
    }
}

BOOL RelativePointMarker2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return FALSE;
    CommandParameter* pParameter = GetParameter(nIndex);
    if (nAlternative == pParameter->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pParameter->GetItemCount())
        return FALSE;
    const WORD oldId = GetCurrentItemID(nIndex);
    const WORD newId = pParameter->GetItem(nAlternative)->GetId();
    ParameterItemBase* pBase = FindItem(itemBase);
    if (nIndex == 1 && oldId == itemOffsetX && newId == itemDistance)
        ReplaceThirdRow(TRUE);
    else if (nIndex == 1 && oldId == itemDistance && newId == itemOffsetX)
        ReplaceThirdRow(FALSE);
    else if (nIndex == 2 && pBase != nullptr)
        pBase->m_wBaseItemId = newId == itemDirection ? itemDirection : ParameterItemBase::kNoBaseItem;
    return TRUE;
}

PointMarker2dFeature* RelativePointMarker2dCommand::MakeMarker(const RuVaPnt2d& base, int nKind, double u, double v,
                                                               const RuVaPnt2d& direction) const
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || !std::isfinite(u) || !std::isfinite(v))
        return nullptr;
    std::unique_ptr<PointMarker2dFeature> marker;
    switch (nKind) {
    case kindOffsets:
        marker = std::make_unique<PointMarker2dFeature>();
        if (!marker->SetPoint(RuVaPnt2d(base.X() + u, base.Y() + v)))
            return nullptr;
        break;
    case kindDistanceAngle:
        marker.reset(FeatureCreator::CreateRelativePointMarkerFeature(base, u, v));
        break;
    case kindDistanceDirection:
        marker.reset(FeatureCreator::CreateRelativePointMarkerFeature(base, u, direction));
        break;
    default:
        return nullptr;
    }
    if (!marker)
        return nullptr;
    if (const PointMarkerSetting* pSetting = pDocument->GetPointMarkerSetting())
        FeatureSettingConverter::SetPointMarkerSettingToFeature(marker.get(), *pSetting);
    return marker.release();
}

int RelativePointMarker2dCommand::OnInput(int)
{
    if (GetParameterCount() < 3)
        return resultMissing;
    for (int i = 0; i < 3; ++i) {
        if (IsParameterEmpty(i))
            return resultMissing;
    }
    RuVaPnt2d base;
    double u = 0.0;
    double v = 0.0;
    RuVaPnt2d direction;
    const auto* pFirst = dynamic_cast<const DoubleParameterItem*>(GetParameterItem(1));
    if (!GetPointValue(*GetParameterItem(0), base, TRUE) || pFirst == nullptr || !pFirst->GetValue(u))
        return resultMissing;
    const WORD secondId = GetCurrentItemID(2);
    if (secondId == itemOffsetY || secondId == itemAngle) {
        const auto* pSecond = dynamic_cast<const DoubleParameterItem*>(GetParameterItem(2));
        if (pSecond == nullptr || !pSecond->GetValue(v))
            return resultMissing;
    } else if (!GetPointValue(*GetParameterItem(2), direction, TRUE)) {
        return resultMissing;
    }
    int kind = -1;
    if (GetCurrentItemID(1) == itemOffsetX)
        kind = kindOffsets;
    else if (secondId == itemAngle)
        kind = kindDistanceAngle;
    else if (secondId == itemDirection)
        kind = kindDistanceDirection;
    PointMarker2dFeature* pMarker = MakeMarker(base, kind, u, v, direction);
    if (pMarker == nullptr)
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultConditional);
    if (!ShapeCommandHelper::BuildMarker(this, pMarker, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void RelativePointMarker2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    if (GetParameterCount() < 3)
        return;
    PointParameterItem baseItem;
    LengthParameterItem firstItem;
    RuVaPnt2d base;
    double u = 0.0;
    if (!GetParameterValue(0, baseItem) || !GetPointValue(baseItem, base, TRUE) || !GetParameterValue(1, firstItem) ||
        !firstItem.GetValue(u))
        return;
    double v = 0.0;
    RuVaPnt2d direction;
    int kind = -1;
    switch (GetCurrentItemID(2)) {
    case itemOffsetY: {
        LengthParameterItem y;
        if (!GetParameterValue(2, y) || !y.GetValue(v))
            return;
        kind = kindOffsets;
        break;
    }
    case itemAngle: {
        AngleParameterItem angle;
        if (!GetParameterValue(2, angle) || !angle.GetValue(v))
            return;
        kind = kindDistanceAngle;
        break;
    }
    case itemDirection: {
        PointParameterItem point;
        if (!GetParameterValue(2, point) || !GetPointValue(point, direction, TRUE))
            return;
        kind = kindDistanceDirection;
        break;
    }
    default:
        return;
    }
    if (PointMarker2dFeature* pMarker = MakeMarker(base, kind, u, v, direction))
        ShapeCommandHelper::BuildMarker(this, pMarker, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
