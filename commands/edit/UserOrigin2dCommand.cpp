#include "commands/edit/UserOrigin2dCommand.h"

#include "command/PointParameterItem.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(UserOrigin2dCommand, CommandBase)

void UserOrigin2dCommand::SetupParameters()
{
    PointParameterItem origin;
    ShapeCommandHelper::PrepareItem(origin, itemOrigin, 11147, 11148);
    ShapeCommandHelper::AddSingleItemParameter(this, origin);
}

int UserOrigin2dCommand::OnInput(int)
{
    RuVaPnt2d point;
    const int read = MeasureCommandHelper::ReadPoint(this, itemOrigin, point);
    if (read != MeasureCommandHelper::pointTaken)
        return read == MeasureCommandHelper::pointMissing ? resultMissing : resultNothing;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    // Without a drawing there is nothing to change and no step to record.
    if (pDocument == nullptr || pDocument->GetActiveDrawingFeature() == nullptr)
        return resultNothing;
    pDocument->BeginUndoOperation(nullptr);
    const BOOL bSet = SetUserOrigin(point, TRUE);
    pDocument->EndUndoOperation();
    return bSet ? resultDone : resultNothing;
}

BOOL UserOrigin2dCommand::SetUserOrigin(const RuVaPnt2d& point, BOOL)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const DrawingFeatureBase* pDrawing = pDocument != nullptr ? pDocument->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr)
        return FALSE;
    pDocument->SetDrawingUserOrigin(pDrawing->GetDrawingID(), point, 0);
    pDocument->UpdateAllFeatures(TRUE);
    return TRUE;
}

}  // namespace QZ2Command
