#include "commands/shape/Rectangle2dCommand.h"

#include <cmath>
#include <memory>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Rectangle2dCommand, CommandBase)

namespace {

constexpr UINT kCorner1Caption = 10739;
constexpr UINT kCorner1Prompt = 11111;
constexpr UINT kWidthCaption = 10759;
constexpr UINT kWidthPrompt = 11112;
constexpr UINT kCorner2Caption = 10740;
constexpr UINT kCorner2Prompt = 11113;
constexpr UINT kHeightCaption = 10760;
constexpr UINT kHeightPrompt = 11114;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 11115;
constexpr UINT kPositionCaption = 10741;
constexpr UINT kPositionPrompt = 11116;
constexpr UINT kPositionList = 10838;
constexpr UINT kPlacementCaption = 10729;
constexpr UINT kPlacementPrompt = 10507;

void RemoveParameterAt(CommandBase* pCommand, int nIndex)
{
    if (nIndex < 0)
        return;
    if (pCommand->m_pManager != nullptr)
        pCommand->m_pManager->RemoveParameter(pCommand, nIndex);
    else
        pCommand->RemoveParameter(nIndex);
}

BOOL ReadLength(const ParameterItemBase* pItem, double& value)
{
    const auto* pDouble = dynamic_cast<const DoubleParameterItem*>(pItem);
    return pDouble != nullptr && pDouble->GetValue(value);
}

}  // namespace

void Rectangle2dCommand::SetupParameters()
{
    PointParameterItem corner;
    ShapeCommandHelper::PrepareItem(corner, itemCorner1, kCorner1Caption, kCorner1Prompt);
    LengthParameterItem width;
    ShapeCommandHelper::PrepareItem(width, itemWidth, kWidthCaption, kWidthPrompt);
    width.m_nRetentionMode = 1;
    width.m_bHistory = TRUE;
    ShapeCommandHelper::AddAlternativesParameter(this, {&corner, &width});
    AddSecondCorner();
}

void Rectangle2dCommand::AddSecondCorner()
{
    PointParameterItem corner;
    ShapeCommandHelper::PrepareItem(corner, itemCorner2, kCorner2Caption, kCorner2Prompt);
    ShapeCommandHelper::AddSingleItemParameter(this, corner);
}

void Rectangle2dCommand::AddSizeRows()
{
    LengthParameterItem height;
    ShapeCommandHelper::PrepareItem(height, itemHeight, kHeightCaption, kHeightPrompt);
    height.m_nRetentionMode = 1;
    height.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, height);

    // The angle starts given, at 0.
    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.m_nRetentionMode = 1;
    angle.m_bHistory = TRUE;
    angle.SetDefaultValue(0.0);
    angle.SetValue(0.0);
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    ListParameterItem position;
    ShapeCommandHelper::PrepareItem(position, itemPosition, kPositionCaption, kPositionPrompt);
    position.SetItemsFromStringId(kPositionList);
    position.SetDefaultValue(kDefaultPosition);
    position.SetValue(kDefaultPosition);
    position.m_nRetentionMode = 2;
    position.m_bClearable = FALSE;
    ShapeCommandHelper::AddSingleItemParameter(this, position);

    PointParameterItem placement;
    ShapeCommandHelper::PrepareItem(placement, itemPlacement, kPlacementCaption, kPlacementPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, placement);
}

BOOL Rectangle2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex == 3)
        return TRUE;
    if (nIndex != 0)
        return FALSE;
    CommandParameter* pFirst = GetParameter(0);
    if (nAlternative == pFirst->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pFirst->GetItemCount())
        return FALSE;
    const WORD oldId = GetCurrentItemID(0);
    const WORD newId = pFirst->GetItem(nAlternative)->GetId();
    if (oldId == itemCorner1 && newId == itemWidth) {
        RemoveParameterAt(this, FindParameterIndex(itemCorner2));
        AddSizeRows();
    } else if (oldId == itemWidth && newId == itemCorner1) {
        for (WORD id : {itemPlacement, itemPosition, itemAngle, itemHeight})
            RemoveParameterAt(this, FindParameterIndex(id));
        AddSecondCorner();
    }
    return TRUE;
}

int Rectangle2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    std::unique_ptr<Polyline2dFeature> rectangle;
    switch (GetCurrentItemID(0)) {
    case itemCorner1: {
        const ParameterItemBase* p1 = FindItem(itemCorner1);
        const ParameterItemBase* p2 = FindItem(itemCorner2);
        RuVaPnt2d c1;
        RuVaPnt2d c2;
        if (p1 == nullptr || p1->IsEmpty() || !GetPointValue(*p1, c1, TRUE))
            return resultMissing;
        if (p2 == nullptr || p2->IsEmpty() || !GetPointValue(*p2, c2, TRUE))
            return resultMissing;
        if (c1.IsEqual(c2, ShapeCommandHelper::kPointTolerance))
            return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
        rectangle.reset(FeatureCreator::CreatePolylineFeature(c1, c2));
        break;
    }
    case itemWidth: {
        if (GetParameterCount() < 5)
            return resultMissing;
        double width = 0.0;
        double height = 0.0;
        double angle = 0.0;
        int position = 0;
        RuVaPnt2d placement;
        if (!ReadLength(GetParameterItem(0), width))
            return resultMissing;
        if (!(width > 0.0) || !std::isfinite(width))
            return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        if (!ReadLength(GetParameterItem(1), height))
            return resultMissing;
        if (!(height > 0.0) || !std::isfinite(height))
            return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        const auto* pPosition = dynamic_cast<const ListParameterItem*>(GetParameterItem(3));
        const ParameterItemBase* pPlacement = GetParameterItem(4);
        if (!ReadLength(GetParameterItem(2), angle) || pPosition == nullptr || !pPosition->GetValue(position) ||
            pPlacement == nullptr || pPlacement->IsEmpty() || !GetPointValue(*pPlacement, placement, TRUE))
            return resultMissing;
        rectangle.reset(FeatureCreator::CreateRectanglePolylineFeature(width, height, angle, position, placement));
        break;
    }
    default:
        return resultConditional;
    }
    if (!rectangle)
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultConditional);
    if (!ShapeCommandHelper::BuildFeature(this, rectangle.release(), ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void Rectangle2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    std::unique_ptr<Polyline2dFeature> rectangle;
    if (GetCurrentItemID(0) == itemCorner1) {
        PointParameterItem i1;
        PointParameterItem i2;
        RuVaPnt2d c1;
        RuVaPnt2d c2;
        if (!GetParameterValueByID(itemCorner1, i1) || !GetPointValue(i1, c1, TRUE) ||
            !GetParameterValueByID(itemCorner2, i2) || !GetPointValue(i2, c2, TRUE) ||
            c1.IsEqual(c2, ShapeCommandHelper::kPointTolerance))
            return;
        rectangle.reset(FeatureCreator::CreatePolylineFeature(c1, c2));
    } else if (GetCurrentItemID(0) == itemWidth && GetParameterCount() >= 5) {
        LengthParameterItem width;
        LengthParameterItem height;
        AngleParameterItem angle;
        PointParameterItem placement;
        double w = 0.0;
        double h = 0.0;
        double a = 0.0;
        int position = 0;
        RuVaPnt2d at;
        const auto* pPosition = dynamic_cast<const ListParameterItem*>(GetParameterItem(3));
        if (!GetParameterValueByID(itemWidth, width) || !width.GetValue(w) || !GetParameterValueByID(itemHeight, height) ||
            !height.GetValue(h) || !GetParameterValueByID(itemAngle, angle) || !angle.GetValue(a) ||
            pPosition == nullptr || !pPosition->GetValue(position) || !GetParameterValueByID(itemPlacement, placement) ||
            !GetPointValue(placement, at, TRUE))
            return;
        rectangle.reset(FeatureCreator::CreateRectanglePolylineFeature(w, h, a, position, at));
    }
    if (rectangle)
        ShapeCommandHelper::BuildFeature(this, rectangle.release(), ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
