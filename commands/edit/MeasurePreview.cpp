#include "commands/edit/MeasurePreview.h"

#include <memory>

#include "command/CommandBase.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

namespace {

void Draw(CommandBase* pCommand, Feature2dBase* pShape, short nWidthNo)
{
    std::unique_ptr<Feature2dBase> shape(pShape);
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (!shape || pDocument == nullptr)
        return;
    shape->SetColorNo(3);
    shape->SetLineTypeNo(1);
    shape->SetLineWidthNo(nWidthNo);
    if (nWidthNo == -1)
        shape->SetLineWidth(0.0);
    shape->SetLayerID(pDocument->GetCurrentLayerID());
    pCommand->DrawRubberbandFeature(shape.get());
}

}  // namespace

void MeasurePreview::DrawLine(CommandBase* pCommand, const RuVaPnt2d& p0, const RuVaPnt2d& p1, short nWidthNo)
{
    if (p0.Distance(p1) <= ShapeCommandHelper::kPointTolerance)
        return;
    Draw(pCommand, FeatureCreator::CreateLineFeature(p0, p1), nWidthNo);
}

void MeasurePreview::DrawPolyline(CommandBase* pCommand, const KcArrayOfGePnt2d& points)
{
    if (points.GetSize() < 2)
        return;
    auto pPolyline = std::make_unique<Polyline2dFeature>();
    if (pPolyline->SetPointArray(points))
        Draw(pCommand, pPolyline.release(), 1);
}

}  // namespace QZ2Command
