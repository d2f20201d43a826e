#include "commands/shape/PointMarker2dCommand.h"

#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/PointMarker2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PointMarker2dCommand, CommandBase)

void PointMarker2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, 10729, 10507);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL PointMarker2dCommand::BuildMarker(const RuVaPnt2d& point, int nAction)
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return FALSE;
    return ShapeCommandHelper::BuildMarker(
        this, FeatureCreator::CreatePointMarkerFeature(nullptr, point, pDocument->GetPointMarkerSetting()), nAction);
}

int PointMarker2dCommand::OnInput(int)
{
    const ParameterItemBase* pItem = GetParameterItem(0);
    RuVaPnt2d point;
    if (pItem == nullptr || pItem->IsEmpty() || !GetPointValue(*pItem, point, TRUE))
        return resultMissing;
    if (!BuildMarker(point, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

void PointMarker2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    PointParameterItem item;
    RuVaPnt2d point;
    if (GetParameterValueByID(itemPoint, item) && GetPointValue(item, point, TRUE))
        BuildMarker(point, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
