#include "commands/edit/SelectionFilterCommand.h"

#include "command/LoadResourceString.h"
#include "command/SelectionFilterDialogHooks.h"
#include "commands/edit/CFeatureSelectionPropertySheet.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/SelectionFilter.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(SelectionFilterCommand, CommandBase)

namespace {
constexpr UINT kSheetCaption = 11133;

// The manager's select by filter opens the same sheet.
[[maybe_unused]] const bool s_registered = [] {
    SelectionFilterDialogHooks::Get().pfnRunFilterSheet = &SelectionFilterCommand::RunFilterSheet;
    return true;
}();
}  // namespace

BOOL SelectionFilterCommand::RunFilterSheet(const Draw2dDocument* pDocument, const CString& caption,
                                            BOOL bShowSwitch, SelectionFilter& filter)
{
    CFeatureSelectionPropertySheet sheet(caption, AfxGetMainWnd(), 0);
    sheet.m_bShowSwitch = bShowSwitch;
    sheet.SetDocument(pDocument);
    sheet.SetSelectionFilter(filter);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    SelectionFilter result;
    sheet.GetSelectionFilter(result);
    filter = result;
    return TRUE;
}

int SelectionFilterCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const SelectionFilter* pFilter = pDocument != nullptr ? pDocument->GetSelectionFilter() : nullptr;
    if (pFilter == nullptr)
        return resultFinished;
    if (m_strIdentifier == _T("Korvan.Settings.SelectFilterMode")) {
        pDocument->SetSelectionFilterMode(pFilter->GetSelectionFilterMode() == 0 ? 1 : 0);
    } else if (m_strIdentifier == _T("Korvan.Settings.SelectFilter")) {
        SelectionFilter filter(*pFilter);
        if (RunFilterSheet(pDocument, LoadResourceString(kSheetCaption), TRUE, filter))
            pDocument->SetSelectionFilter(filter);
    }
    return resultFinished;
}

}  // namespace QZ2Command
