#include "commands/shape/Tangent2Line2dCommand.h"

#include <memory>

#include "command/FeatureParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Tangent2Line2dCommand, CommandBase)

void Tangent2Line2dCommand::SetupParameters()
{
    FeatureParameterItem curve;
    ShapeCommandHelper::PrepareItem(curve, itemFirst, 10783, 11134);
    curve.m_dwAcceptedKinds = kCurveMask;
    curve.m_nPickSetting = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, curve);
    ShapeCommandHelper::PrepareItem(curve, itemSecond, 10784, 11135);
    ShapeCommandHelper::AddSingleItemParameter(this, curve);
}

int Tangent2Line2dCommand::MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    nReason = 0;
    if (GetParameterCount() < 2 || (!bPreview && (IsParameterEmpty(0) || IsParameterEmpty(1))))
        return resultMissing;
    FeatureParameterItem items[2];
    std::unique_ptr<Feature2dBase> curves[2];
    RuVaPnt2d picks[2];
    for (int i = 0; i < 2; ++i) {
        if (!GetParameterValueByID(static_cast<WORD>(i), items[i]))
            return resultMissing;
        const int taken = ShapeCommandHelper::TakePickedFeature(this, items[i], curves[i], picks[i]);
        if (taken == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (taken == ShapeCommandHelper::pickGone) {
            nReason = kMsgShapeGone;
            return resultNothing;
        }
    }
    if (!bPreview) {
        FeatureLayout first;
        FeatureLayout second;
        if (items[0].GetValue(first) && items[1].GetValue(second) && first.GetRecordID() == second.GetRecordID() &&
            first.GetLayoutID() == second.GetLayoutID() && first.GetField() == second.GetField()) {
            nReason = kMsgSameCurve;
            return resultNothing;
        }
    }
    pLine = FeatureCreator::CreateTangentLineFeature(curves[0].get(), picks[0], curves[1].get(), picks[1]);
    if (pLine == nullptr) {
        nReason = kMsgNoCommonTangent;
        return resultNothing;
    }
    return resultDone;
}

int Tangent2Line2dCommand::OnInput(int)
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

void Tangent2Line2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Line2dFeature* pLine = nullptr;
    UINT nReason = 0;
    if (MakeLine(TRUE, pLine, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
