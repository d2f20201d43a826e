#include "settings/LineTypeSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "settings/CLineTypeSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LineTypeSettingCommand, CommandBase)

int LineTypeSettingCommand::OnInput(int)
{
    Draw2dDocument* pModel = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return resultFinished;
    CLineTypeSettingDialog dialog(nullptr);
    dialog.SetLineTypeTable(pModel->GetLineTypeFeatureTable(), pModel);
    dialog.m_nPitchMode = pModel->GetLinePitchProportionalMode() != 0 ? 1 : 0;
    dialog.m_dPitch = pModel->GetLinePitchValue();
    if (dialog.DoModal() != IDOK)
        return resultFinished;
    pModel->BeginUndoOperation(nullptr);
    pModel->SetLineTypeFeatureTable(dialog.m_table, dialog.m_nPitchMode != 0 ? 1 : 0, dialog.m_dPitch, 1);
    pModel->EndUndoOperation();
    return resultFinished;
}

}  // namespace QZ2Command
