#include "commands/shape/ConstrainedCircleCommandHelper.h"

#include <limits>

#include "command/AngleParameterItem.h"
#include "command/CommandBase.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaCircle2d.h"
#include "libs/vevure/ConvertGeom2dToFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureConstrainedCircle.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinInput.h"

namespace QZ2Command {

namespace {

BOOL IsGiven(CommandBase* pCommand, WORD wId, BOOL bPreview)
{
    const ParameterItemBase* pItem = pCommand->FindItem(wId);
    return pItem != nullptr && (bPreview || !pItem->IsEmpty());
}

}  // namespace

void ConstrainedCircleCommandHelper::PrepareTangentItem(FeatureParameterItem& item, WORD wId, UINT nCaptionId,
                                                        UINT nPromptId)
{
    ShapeCommandHelper::PrepareItem(item, wId, nCaptionId, nPromptId);
    item.m_dwAcceptedKinds = kTangentMask;
    item.m_nPickSetting = kTangentPickSetting;
}

int ConstrainedCircleCommandHelper::ReadShapes(
    CommandBase* pCommand, BOOL bPreview, int nGoneResult,
    std::initializer_list<std::pair<WORD, std::unique_ptr<Feature2dBase>*>> shapes)
{
    for (const auto& [wId, pShape] : shapes) {
        switch (ReadShape(pCommand, wId, bPreview, *pShape)) {
        case ShapeCommandHelper::pickTaken:
            break;
        case ShapeCommandHelper::pickGone:
            return bPreview ? CommandBase::resultNothing
                            : ShapeCommandHelper::Refuse(pCommand, kMsgShapeGone, nGoneResult);
        default:
            return CommandBase::resultMissing;
        }
    }
    return CommandBase::resultDone;
}

BOOL ConstrainedCircleCommandHelper::ReadPoint(CommandBase* pCommand, WORD wId, BOOL bPreview, RuVaPnt2d& point)
{
    PointParameterItem item;
    return IsGiven(pCommand, wId, bPreview) && pCommand->GetParameterValueByID(wId, item) &&
           pCommand->GetPointValue(item, point, TRUE);
}

BOOL ConstrainedCircleCommandHelper::ReadLength(CommandBase* pCommand, WORD wId, BOOL bPreview, double& value)
{
    LengthParameterItem item;
    return IsGiven(pCommand, wId, bPreview) && pCommand->GetParameterValueByID(wId, item) && item.GetValue(value);
}

BOOL ConstrainedCircleCommandHelper::ReadAngle(CommandBase* pCommand, WORD wId, BOOL bPreview, double& value)
{
    AngleParameterItem item;
    return IsGiven(pCommand, wId, bPreview) && pCommand->GetParameterValueByID(wId, item) && item.GetValue(value);
}

int ConstrainedCircleCommandHelper::ReadShape(CommandBase* pCommand, WORD wId, BOOL bPreview,
                                              std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d* pPick)
{
    shape.reset();
    FeatureParameterItem item;
    if (!IsGiven(pCommand, wId, bPreview) || !pCommand->GetParameterValueByID(wId, item))
        return ShapeCommandHelper::pickMissing;
    RuVaPnt2d pick;
    const int outcome = ShapeCommandHelper::TakePickedFeature(pCommand, item, shape, pick);
    if (pPick != nullptr)
        *pPick = pick;
    return outcome;
}

BOOL ConstrainedCircleCommandHelper::IsShiftDown(UINT nFlags)
{
    return (nFlags & MK_SHIFT) != 0 || GetAsyncKeyState(VK_SHIFT) < 0;
}

int ConstrainedCircleCommandHelper::MakeSolution(CommandBase* pCommand, const FeatureConstrainedCircle& solver,
                                                 BOOL bSolved, BOOL bPreview, const Choice& choice)
{
    if (!bSolved || solver.GetConstrainedCount() == 0)
        return bPreview ? CommandBase::resultNothing
                        : ShapeCommandHelper::Refuse(pCommand, choice.nNoSolution, CommandBase::resultNothing);
    int nChosen = 0;
    if (solver.GetConstrainedCount() > 1) {
        RuVaPnt2d pick;
        if (!ReadPoint(pCommand, choice.wPickItem, bPreview, pick))
            return CommandBase::resultMissing;
        nChosen = solver.GetNearestConstrained(pick);
        if (nChosen < 0 && bPreview && choice.bSmallestFallback) {
            double smallest = std::numeric_limits<double>::max();
            for (int i = 0; i < solver.GetConstrainedCount(); ++i) {
                const auto* pCircle = static_cast<const RuVaCircle2d*>(solver.GetConstrainedCurve(i));
                if (pCircle->GetRadius() < smallest) {
                    smallest = pCircle->GetRadius();
                    nChosen = i;
                }
            }
        }
        if (nChosen < 0)
            return CommandBase::resultMissing;
    }
    if (bPreview && choice.bShowAll) {
        // The chosen solution in the current colour and line type, the others in colour 11, line type 2.
        const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
        if (pDocument == nullptr)
            return CommandBase::resultNothing;
        Feature2dList all;
        for (int i = 0; i < solver.GetConstrainedCount(); ++i) {
            Feature2dBase* pFeature = ConvertGeom2dToFeature::Convert(solver.GetConstrainedCurve(i));
            if (pFeature == nullptr)
                continue;
            const BOOL bChosen = i == nChosen;
            ShapeCommandHelper::ApplyAttributes(pFeature, bChosen ? pDocument->GetCurrentColorNo() : 11,
                                                bChosen ? pDocument->GetCurrentLineTypeNo() : 2,
                                                pDocument->GetCurrentLineWidthNo(), pDocument->GetCurrentLayerID());
            all.AddFeature(pFeature, 0);
        }
        const BOOL bDrawn = !all.IsEmpty() && pCommand->DrawRubberbandFeatureList(all);
        all.RemoveAllFeatures();
        return bDrawn ? CommandBase::resultDone : CommandBase::resultNothing;
    }
    Feature2dBase* pFeature = ConvertGeom2dToFeature::Convert(solver.GetConstrainedCurve(nChosen));
    if (pFeature == nullptr)
        return bPreview ? CommandBase::resultNothing
                        : ShapeCommandHelper::Refuse(pCommand, choice.nNoSolution, CommandBase::resultNothing);
    const int nAction = bPreview ? ShapeCommandHelper::actionPreview : ShapeCommandHelper::actionAdd;
    if (ShapeCommandHelper::BuildFeature(pCommand, pFeature, nAction))
        return CommandBase::resultDone;
    return bPreview ? CommandBase::resultNothing
                    : ShapeCommandHelper::Refuse(pCommand, kMsgRefusedByDrawing, CommandBase::resultNothing);
}

}  // namespace QZ2Command
