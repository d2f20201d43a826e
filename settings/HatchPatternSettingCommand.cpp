#include "settings/HatchPatternSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinConstants.h"
#include "settings/CHatchPatternTableDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(HatchPatternSettingCommand, CommandBase)

int HatchPatternSettingCommand::OnInput(int)
{
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pDocument == nullptr)
        return resultFinished;
    CHatchPatternTableDialog dialog(nullptr, pDocument);
    pDocument->BeginUndoOperation(nullptr);
    const INT_PTR result = dialog.DoModal();
    pDocument->EndUndoOperation();
    CWnd* pMain = AfxGetMainWnd();
    if (result == kHatchStyleResult && pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
        pMain->PostMessage(WM_COMMAND, kHatchStyleCommand, 0);
    return resultFinished;
}

}  // namespace QZ2Command
