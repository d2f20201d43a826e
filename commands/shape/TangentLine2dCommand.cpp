#include "commands/shape/TangentLine2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(TangentLine2dCommand, CommandBase)

namespace {

constexpr UINT kShapeCaption = 10782;
constexpr UINT kStartCaption = 10720;
constexpr UINT kEndCaption = 10721;

}  // namespace

const TangentLine2dCommand::Texts& TangentLine2dCommand::GetTexts() const
{
    static const Texts texts{kCurveMask, 10468, 11136, 10727, 11137, 11138, kMsgNoTangent};
    return texts;
}

FeatureParameterItem TangentLine2dCommand::MakeShapeItem(WORD wId) const
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, wId, kShapeCaption, GetTexts().nShapePrompt);
    shape.m_dwAcceptedKinds = GetTexts().dwMask;
    shape.m_nPickSetting = 1;
    return shape;
}

void TangentLine2dCommand::SetupParameters()
{
    const FeatureParameterItem shape = MakeShapeItem(itemShape);
    PointParameterItem start;
    ShapeCommandHelper::PrepareItem(start, itemStart, kStartCaption, GetTexts().nStartPrompt);
    ShapeCommandHelper::AddAlternativesParameter(this, {&shape, &start});
    PointParameterItem position;
    ShapeCommandHelper::PrepareItem(position, itemPosition, GetTexts().nPositionCaption, GetTexts().nPositionPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, position);
    PointParameterItem end;
    ShapeCommandHelper::PrepareItem(end, itemEnd, kEndCaption, GetTexts().nEndPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, end);
}

BOOL TangentLine2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 0 || GetParameterCount() < 2)
        return FALSE;
    const CommandParameter* pForm = GetParameter(0);
    if (nAlternative == pForm->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pForm->GetItemCount())
        return FALSE;
    auto remove = [this](int nAt) {
        if (nAt < GetParameterCount())
            m_pManager != nullptr ? m_pManager->RemoveParameter(this, nAt) : RemoveParameter(nAt);
    };
    if (pForm->GetItem(nAlternative)->GetId() == itemStart) {
        // From a point: the shape (whose pick chooses the touching point) follows the start.
        remove(2);
        remove(1);
        ShapeCommandHelper::AddSingleItemParameter(this, MakeShapeItem(itemShapeFromPoint));
    } else {
        remove(1);
        PointParameterItem position;
        ShapeCommandHelper::PrepareItem(position, itemPosition, GetTexts().nPositionCaption,
                                        GetTexts().nPositionPrompt);
        ShapeCommandHelper::AddSingleItemParameter(this, position);
        PointParameterItem end;
        ShapeCommandHelper::PrepareItem(end, itemEnd, kEndCaption, GetTexts().nEndPrompt);
        ShapeCommandHelper::AddSingleItemParameter(this, end);
    }
    return TRUE;
}

int TangentLine2dCommand::CreateLine(const FeatureParameterItem& shape, BOOL bOnShape, const RuVaPnt2d& p1,
                                     const RuVaPnt2d& p2, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    FeatureLayout picked;
    RuVaPnt2d worldPick;
    if (!shape.GetValueAndPickPoint(picked, worldPick) || picked.GetRecordID() == -1)
        return resultMissing;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager->GetView();
    const Feature2dBase* pFeature =
        pDocument != nullptr && picked.GetRecordID() > 0 ? pDocument->GetFeature(picked.GetRecordID()) : nullptr;
    if (pFeature == nullptr || pView == nullptr) {
        nReason = kMsgShapeGone;
        return resultNothing;
    }
    // Touching is worked out in the world, where a part layout's turn and scale do not distort the curve.
    const PartDrawingLayout* pLayout = picked.GetLayoutID() != -1 ? pView->GetPartLayoutByID(picked.GetLayoutID()) : nullptr;
    std::unique_ptr<Feature2dBase> world(
        pView->ConvertFeatureLocalToWorld(pDocument->GetParentDrawingFeature(picked.GetRecordID()), pLayout, pFeature, 0));
    RuVaPnt2d w1;
    RuVaPnt2d w2;
    if (!world || !m_pManager->LocalToWorldPoint(p1, w1) || (bOnShape && !m_pManager->LocalToWorldPoint(p2, w2))) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    std::unique_ptr<Line2dFeature> line(bOnShape ? FeatureCreator::CreateTangentLineFeature(world.get(), w1, w2)
                                                 : FeatureCreator::CreateTangentLineFeature(w1, world.get(), worldPick));
    if (!line) {
        nReason = GetTexts().nNoLineReason;
        return resultNothing;
    }
    pLine = dynamic_cast<Line2dFeature*>(pView->ConvertFeatureWorldToLocal(pDocument->GetActiveDrawingFeature(),
                                                                           pView->GetActivePartLayout(), line.get(), 0));
    if (pLine == nullptr) {
        nReason = kMsgNoLine;
        return resultNothing;
    }
    return resultDone;
}

int TangentLine2dCommand::MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason)
{
    pLine = nullptr;
    nReason = 0;
    const BOOL bOnShape = GetCurrentItemID(0) == itemShape;
    const int nNeeded = bOnShape ? 3 : 2;
    if (GetParameterCount() < nNeeded || m_pManager == nullptr)
        return resultMissing;
    if (!bPreview) {
        for (int i = 0; i < nNeeded; ++i) {
            if (IsParameterEmpty(i))
                return resultMissing;
        }
    }
    FeatureParameterItem shape;
    PointParameterItem item1;
    PointParameterItem item2;
    RuVaPnt2d p1;
    RuVaPnt2d p2;
    if (!GetParameterValueByID(bOnShape ? itemShape : itemShapeFromPoint, shape))
        return resultMissing;
    if (!GetParameterValueByID(bOnShape ? itemPosition : itemStart, item1) || !GetPointValue(item1, p1, TRUE))
        return resultMissing;
    if (bOnShape && (!GetParameterValueByID(itemEnd, item2) || !GetPointValue(item2, p2, TRUE)))
        return resultMissing;
    return CreateLine(shape, bOnShape, p1, p2, pLine, nReason);
}

int TangentLine2dCommand::OnInput(int)
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

void TangentLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Line2dFeature* pLine = nullptr;
    UINT nReason = 0;
    if (MakeLine(TRUE, pLine, nReason) == resultDone)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
