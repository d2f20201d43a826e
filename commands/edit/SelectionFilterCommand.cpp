#include "commands/edit/SelectionFilterCommand.h"

#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/SelectionFilter.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(SelectionFilterCommand, CommandBase)

int SelectionFilterCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const SelectionFilter* pFilter = pDocument != nullptr ? pDocument->GetSelectionFilter() : nullptr;
    if (pFilter == nullptr)
        return resultFinished;
    if (m_strIdentifier == _T("Korvan.Settings.SelectFilterMode"))
        pDocument->SetSelectionFilterMode(pFilter->GetSelectionFilterMode() == 0 ? 1 : 0);
    // The sheet that edits the part filters ("Korvan.Settings.SelectFilter") is not built yet: that
    // identifier ends without a change.
    return resultFinished;
}

}  // namespace QZ2Command
