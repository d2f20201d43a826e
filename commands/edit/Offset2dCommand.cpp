#include "commands/edit/Offset2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Offset2dCommand, CommandBase)

namespace {

constexpr UINT kShapeCaption = 10715;
constexpr UINT kShapePrompt = 11080;
constexpr UINT kDistanceCaption = 10758;
constexpr UINT kDistancePrompt = 11081;
constexpr UINT kThroughCaption = 10722;
constexpr UINT kThroughPrompt = 11082;
constexpr UINT kSideCaption = 10726;
constexpr UINT kSidePrompt = 11083;
// "No parallel shape can be made with these values."
constexpr UINT kNoOffset = 11174;
constexpr DWORD kOffsetKinds = 0x01800DFE;
constexpr int kDistanceAlternative = 0;

struct EnableTestRegistrar {
    EnableTestRegistrar() { CommandBase::RegisterEnableTest(_T("Korvan.Edit.Offset"), &Offset2dCommand::IsCommandEnabled); }
} g_registrar;

PointParameterItem SideItem()
{
    PointParameterItem side;
    ShapeCommandHelper::PrepareItem(side, Offset2dCommand::itemSide, kSideCaption, kSidePrompt);
    return side;
}

}  // namespace

BOOL Offset2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> group;
    if (!pSelection->GetSelectionGroup(0, group) || group.IsEmpty())
        return FALSE;
    switch (pDocument->GetFeatureType(group[0].GetRecordID())) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 9: case 11: case 12:
        return TRUE;
    default:
        return FALSE;
    }
}

void Offset2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, kShapePrompt);
    shape.m_bTakeSelection = TRUE;
    shape.m_dwAcceptedKinds = kOffsetKinds;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, shape);

    auto pOffset = std::make_unique<CommandParameter>();
    LengthParameterItem distance;
    ShapeCommandHelper::PrepareItem(distance, itemDistance, kDistanceCaption, kDistancePrompt);
    distance.m_nRetentionMode = 1;
    distance.m_bHistory = TRUE;
    PointParameterItem through;
    ShapeCommandHelper::PrepareItem(through, itemThrough, kThroughCaption, kThroughPrompt);
    pOffset->AddItem(distance);
    pOffset->AddItem(through);
    pOffset->SetCurrentIndex(kDistanceAlternative);
    if (m_pManager != nullptr ? m_pManager->AddParameter(this, pOffset.get()) : AddParameter(pOffset.get()) >= 0)
        pOffset.release();

    ShapeCommandHelper::AddSingleItemParameter(this, SideItem());
}

BOOL Offset2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 1 || nIndex >= GetParameterCount())
        return FALSE;
    const CommandParameter* pOffset = GetParameter(nIndex);
    if (pOffset->GetCurrentIndex() == nAlternative || nAlternative < 0 || nAlternative > 1)
        return FALSE;
    if (nAlternative == kDistanceAlternative) {
        if (FindItem(itemSide) == nullptr)
            ShapeCommandHelper::AddSingleItemParameter(this, SideItem());
    } else {
        const int side = FindParameterIndex(itemSide);
        if (side >= 0) {
            if (m_pManager != nullptr)
                m_pManager->RemoveParameter(this, side);
            else
                RemoveParameter(side);
        }
    }
    return TRUE;
}

Feature2dBase* Offset2dCommand::BuildOffset(const RuVaPnt2d* pCursor, BOOL* pMissing, BOOL* pGone)
{
    *pMissing = TRUE;
    *pGone = FALSE;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const auto* pShape = dynamic_cast<const FeatureParameterItem*>(FindItem(itemShape));
    if (pDocument == nullptr || pShape == nullptr || pShape->IsEmpty() || GetParameterCount() < 2)
        return nullptr;
    const ParameterItemBase* pOffset = GetParameterItem(1);
    if (pOffset == nullptr || pOffset->IsEmpty())
        return nullptr;
    const BOOL bDistance = pOffset->GetId() == itemDistance;
    RuVaPnt2d point;
    const ParameterItemBase* pPoint = bDistance ? FindItem(itemSide) : pOffset;
    if (pPoint == nullptr)
        return nullptr;
    if (pPoint->IsEmpty()) {
        if (pCursor == nullptr)
            return nullptr;
        point = *pCursor;
    } else if (!GetPointValue(*pPoint, point, TRUE)) {
        return nullptr;
    }
    double distance = 0.0;
    if (bDistance && !static_cast<const LengthParameterItem*>(pOffset)->GetValue(distance))
        return nullptr;
    FeatureLayout picked;
    if (!pShape->GetValue(picked))
        return nullptr;
    *pMissing = FALSE;
    const Feature2dBase* pFeature = pDocument->GetFeature(picked.GetRecordID());
    if (pFeature == nullptr) {
        *pGone = TRUE;
        return nullptr;
    }
    EditCommandHelper::Place place;
    EditCommandHelper::Locate(pDocument, picked, place);
    std::unique_ptr<Feature2dBase> local(ConvertFeatureToLayout(place.pLayout, pFeature));
    if (!local)
        local.reset(pFeature->CopyObject(Feature2dBase::copyAll));
    return bDistance ? FeatureCreator::CreateOffsetFeature(local.get(), distance, point)
                     : FeatureCreator::CreateOffsetFeature(local.get(), point);
}

int Offset2dCommand::OnInput(int)
{
    BOOL bMissing = TRUE;
    BOOL bGone = FALSE;
    Feature2dBase* pOffset = BuildOffset(nullptr, &bMissing, &bGone);
    if (pOffset == nullptr) {
        if (bMissing)
            return resultMissing;
        if (bGone)
            return resultNothing;
        // No parallel for these values: the command stays with them for another try.
        EditCommandHelper::ShowStatus(this, kNoOffset);
        return resultNothing;
    }
    if (!ShapeCommandHelper::BuildFeature(this, pOffset, ShapeCommandHelper::actionAdd)) {
        EditCommandHelper::ShowStatus(this, kNoOffset);
        return resultNothing;
    }
    return resultDone;
}

void Offset2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d& local, UINT)
{
    BOOL bMissing = TRUE;
    BOOL bGone = FALSE;
    if (Feature2dBase* pOffset = BuildOffset(&local, &bMissing, &bGone))
        ShapeCommandHelper::BuildFeature(this, pOffset, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
