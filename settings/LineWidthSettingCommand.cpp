#include "settings/LineWidthSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "settings/CLineWidthSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LineWidthSettingCommand, CommandBase)

int LineWidthSettingCommand::OnInput(int)
{
    Draw2dDocument* pModel = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return resultFinished;
    CLineWidthSettingDialog dialog(nullptr);
    dialog.SetLineWidthTable(pModel->GetLineWidthFeatureTable());
    if (dialog.DoModal() != IDOK)
        return resultFinished;
    pModel->BeginUndoOperation(nullptr);
    pModel->SetLineWidthFeatureTable(dialog.m_table, 1);
    pModel->EndUndoOperation();
    return resultFinished;
}

}  // namespace QZ2Command
