#include "commands/shape/IntersectionPointMarker2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(IntersectionPointMarker2dCommand, CommandBase)

void IntersectionPointMarker2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    shape.m_dwAcceptedKinds = kShapeMask;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::PrepareItem(shape, itemFirst, 10780, 11041);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    ShapeCommandHelper::PrepareItem(shape, itemSecond, 10781, 11042);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
}

BOOL IntersectionPointMarker2dCommand::MakeMarkers(const FeatureLayout& first, const FeatureLayout& second,
                                                   Feature2dList& markers, BOOL& bGone) const
{
    bGone = FALSE;
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return FALSE;
    // Each picked shape in the world, from the drawing and layout it was picked in.
    auto toWorld = [&](const FeatureLayout& pick) -> std::unique_ptr<Feature2dBase> {
        const Feature2dBase* pFeature = pick.GetRecordID() > 0 ? pDocument->GetFeature(pick.GetRecordID()) : nullptr;
        if (pFeature == nullptr)
            return nullptr;
        const PartDrawingLayout* pLayout = pick.GetLayoutID() != -1 ? pView->GetPartLayoutByID(pick.GetLayoutID()) : nullptr;
        return std::unique_ptr<Feature2dBase>(pView->ConvertFeatureLocalToWorld(
            pDocument->GetParentDrawingFeature(pick.GetRecordID()), pLayout, pFeature, 0));
    };
    std::unique_ptr<Feature2dBase> a = toWorld(first);
    const bool same = first.GetRecordID() == second.GetRecordID() && first.GetField() == second.GetField() &&
                      first.GetLayoutID() == second.GetLayoutID();
    std::unique_ptr<Feature2dBase> b = same ? nullptr : toWorld(second);
    if (!a || (!same && !b)) {
        bGone = TRUE;
        return FALSE;
    }
    Feature2dList world;
    const BOOL bMet = same ? FeatureCreator::CreateIntersectionPointMarkerFeature(a.get(), world)
                           : FeatureCreator::CreateIntersectionPointMarkerFeature(a.get(), b.get(), world);
    if (!bMet || world.IsEmpty())
        return FALSE;
    // Into the active drawing and layout.
    const DrawingFeatureBase* pActive = pDocument->GetActiveDrawingFeature();
    const PartDrawingLayout* pActiveLayout = pView->GetActiveLayout();
    for (int i = 0; i < world.GetFeatureSize(); ++i) {
        std::unique_ptr<Feature2dBase> local(pView->ConvertFeatureWorldToLocal(pActive, pActiveLayout, world[i], 0));
        if (!local)
            return FALSE;
        markers.AddFeature(local.release(), 0);
    }
    return TRUE;
}

namespace {

BOOL ReadPicks(CommandBase* pCommand, BOOL bPreview, FeatureLayout& first, FeatureLayout& second)
{
    FeatureParameterItem a;
    FeatureParameterItem b;
    if (!bPreview) {
        const auto* pA = dynamic_cast<const FeatureParameterItem*>(pCommand->GetParameterItem(0));
        const auto* pB = dynamic_cast<const FeatureParameterItem*>(pCommand->GetParameterItem(1));
        return pA != nullptr && pB != nullptr && !pA->IsEmpty() && !pB->IsEmpty() && pA->GetValue(first) &&
               pB->GetValue(second);
    }
    return pCommand->GetParameterValue(0, a) && pCommand->GetParameterValue(1, b) && a.GetValue(first) &&
           b.GetValue(second);
}

}  // namespace

int IntersectionPointMarker2dCommand::OnInput(int)
{
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 2)
        return resultNothing;
    FeatureLayout first;
    FeatureLayout second;
    if (!ReadPicks(this, FALSE, first, second))
        return resultMissing;
    Feature2dList markers;
    BOOL bGone = FALSE;
    // A shape deleted since it was picked fails the run like shapes that do not meet.
    if (!MakeMarkers(first, second, markers, bGone))
        return ShapeCommandHelper::Refuse(this, bGone ? kMsgShapeGone : kMsgNoIntersection, resultConditional);
    if (!ShapeCommandHelper::BuildMarkerList(this, markers, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void IntersectionPointMarker2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    FeatureLayout first;
    FeatureLayout second;
    if (GetParameterCount() < 2 || !ReadPicks(this, TRUE, first, second))
        return;
    Feature2dList markers;
    BOOL bGone = FALSE;
    if (MakeMarkers(first, second, markers, bGone))
        ShapeCommandHelper::BuildMarkerList(this, markers, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
