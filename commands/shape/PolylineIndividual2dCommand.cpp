#include "commands/shape/PolylineIndividual2dCommand.h"

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PolylineIndividual2dCommand, CommandBase)

namespace {

constexpr UINT kStartCaption = 10720;
constexpr UINT kStartPrompt = 10448;
constexpr UINT kEndCaption = 10721;
constexpr UINT kEndPrompt = 11049;

}  // namespace

void PolylineIndividual2dCommand::SetupParameters()
{
    // Both points are kept between lines: the command moves them on itself.
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemStartPoint, kStartCaption, kStartPrompt);
    point.m_nRetentionMode = 1;
    point.m_wBaseItemId = itemEndPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);

    ShapeCommandHelper::PrepareItem(point, itemEndPoint, kEndCaption, kEndPrompt);
    point.m_wBaseItemId = itemStartPoint;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

void PolylineIndividual2dCommand::RefreshRows()
{
    if (m_pManager == nullptr)
        return;
    m_pManager->UpdateParameterInBar(this, FindParameterIndex(itemStartPoint), 1);
    m_pManager->UpdateParameterInBar(this, FindParameterIndex(itemEndPoint), 1);
}

int PolylineIndividual2dCommand::OnInput(int)
{
    auto* pStart = dynamic_cast<PointParameterItem*>(FindItem(itemStartPoint));
    auto* pEnd = dynamic_cast<PointParameterItem*>(FindItem(itemEndPoint));
    if (pStart == nullptr || pEnd == nullptr || pStart->IsEmpty())
        return resultMissing;
    if (pEnd->IsEmpty())
        return resultMissing;
    RuVaPnt2d start;
    RuVaPnt2d end;
    if (!GetPointValue(*pStart, start, TRUE) || !GetPointValue(*pEnd, end, TRUE))
        return resultMissing;
    // The last point given once more closes the chain and leaves the command.
    if (start.IsEqual(end, ShapeCommandHelper::kPointTolerance))
        return resultFinished;
    Line2dFeature* pLine = FeatureCreator::CreateLineFeature(start, end);
    const BOOL bMade = pLine != nullptr;
    if (bMade && ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionAdd)) {
        pStart->SetValue(end);
        pEnd->Clear();
        RefreshRows();
        return resultDone;
    }
    pStart->Clear();
    pEnd->Clear();
    RefreshRows();
    return ShapeCommandHelper::Refuse(this, bMade ? kMsgRefusedByDrawing : kMsgNoLine, resultNothing);
}

void PolylineIndividual2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointParameterItem startItem;
    PointParameterItem endItem;
    RuVaPnt2d start;
    RuVaPnt2d end;
    if (!GetParameterValue(FindParameterIndex(itemStartPoint), startItem) || !GetPointValue(startItem, start, TRUE) ||
        !GetParameterValueByID(itemEndPoint, endItem) || !GetPointValue(endItem, end, TRUE))
        return;
    Line2dFeature* pLine = FeatureCreator::CreateLineFeature(start, end);
    if (pLine != nullptr)
        ShapeCommandHelper::BuildFeature(this, pLine, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
