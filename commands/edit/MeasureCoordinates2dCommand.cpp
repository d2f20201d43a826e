#include "commands/edit/MeasureCoordinates2dCommand.h"

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MeasureCoordinates2dCommand, CommandBase)

void MeasureCoordinates2dCommand::SetupParameters()
{
    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, 10717, 11069);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL MeasureCoordinates2dCommand::OnAlternativeChanging(int nIndex, int)
{
    return nIndex >= 0 && nIndex < GetParameterCount() ? TRUE : FALSE;
}

int MeasureCoordinates2dCommand::OnInput(int)
{
    RuVaPnt2d point;
    const int outcome = MeasureCommandHelper::ReadPoint(this, itemPoint, point);
    if (outcome != MeasureCommandHelper::pointTaken)
        return outcome == MeasureCommandHelper::pointMissing ? resultMissing : resultNothing;
    RuVaPnt2d relative = point;
    if (m_pManager != nullptr)
        m_pManager->WorldToUserPoint(relative);
    CMeasureResultDialog dialog;
    dialog.m_nKind = CMeasureResultDialog::kindCoordinates;
    dialog.m_firstPoint = point;
    dialog.m_secondPoint = relative;
    MeasureCommandHelper::ShowResult(this, dialog, FALSE);
    return resultDone;
}

}  // namespace QZ2Command
