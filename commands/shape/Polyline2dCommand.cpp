#include "commands/shape/Polyline2dCommand.h"

#include <memory>

#include "command/PointArrayParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Polyline2dCommand, CommandBase)

namespace {

constexpr UINT kPointsCaption = 10708;
constexpr UINT kPointsPrompt = 11106;
// What CollectPointCallback records the vertices as.
constexpr int kVertexPoint = 2;

}  // namespace

void Polyline2dCommand::SetupParameters()
{
    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, kPointsCaption, kPointsPrompt);
    points.m_wBaseItemId = itemPoints;  // relative input and angle snapping go from the last point
    ShapeCommandHelper::AddSingleItemParameter(this, points);
}

int Polyline2dCommand::OnInput(int)
{
    ClearPoints();
    const auto* pItem = dynamic_cast<const PointArrayParameterItem*>(GetParameterItem(0));
    if (pItem == nullptr || pItem->IsEmpty())
        return resultMissing;
    KcArrayOfGePnt2d points;
    if (!pItem->GetValue(points))
        return resultMissing;
    if (!pItem->m_bFinished) {
        // Every vertex so far becomes a snap target.
        for (INT_PTR i = 0; i < points.GetSize(); ++i)
            CollectPointCallback(kVertexPoint, points[i]);
        return resultMissing;
    }
    if (points.GetSize() < 2)
        return resultMissing;
    auto pPolyline = std::make_unique<Polyline2dFeature>();
    if (!pPolyline->SetPointArray(points))
        return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
    if (!ShapeCommandHelper::BuildFeature(this, pPolyline.release(), ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void Polyline2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointArrayParameterItem item;
    KcArrayOfGePnt2d points;
    if (!GetParameterValue(0, item) || !item.GetValue(points) || points.GetSize() == 0)
        return;
    auto pPolyline = std::make_unique<Polyline2dFeature>();
    if (pPolyline->SetPointArray(points))
        ShapeCommandHelper::BuildFeature(this, pPolyline.release(), ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
