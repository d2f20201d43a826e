#include "settings/ColorSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "settings/CColorSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ColorSettingCommand, CommandBase)

int ColorSettingCommand::OnInput(int)
{
    Draw2dDocument* pModel = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return resultFinished;
    CColorSettingDialog dialog(nullptr);
    dialog.SetColorTable(pModel->GetColorFeatureTable());
    if (dialog.DoModal() != IDOK)
        return resultFinished;
    pModel->BeginUndoOperation(nullptr);
    pModel->SetColorFeatureTable(dialog.m_table, 1);
    pModel->EndUndoOperation();
    return resultFinished;
}

}  // namespace QZ2Command
