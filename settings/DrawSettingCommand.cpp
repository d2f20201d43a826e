#include "settings/DrawSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "settings/CDrawSettingDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawSettingCommand, CommandBase)

int DrawSettingCommand::OnInput(int)
{
    Draw2dDocument* pModel = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return resultFinished;
    CDrawSettingDialog dialog(nullptr);
    dialog.SetPaperLinePitchDisplayMode(pModel->GetPaperLinePitchDisplayMode());
    dialog.SetPaperLineWidthDisplayMode(pModel->GetPaperLineWidthDisplayMode());
    dialog.SetPartLinePitchDisplayMode(pModel->GetPartLinePitchDisplayMode());
    dialog.SetPartLineWidthDisplayMode(pModel->GetPartLineWidthDisplayMode());
    dialog.SetLineCapMode(pModel->GetLineCapMode());
    dialog.SetLineJoinMode(pModel->GetLineJoinMode());
    dialog.m_nLengthFormat = pModel->GetLengthUnitFormatType();
    dialog.m_nAngleFormat = pModel->GetAngleUnitFormatType();
    const int dist = pModel->GetDistPrecision();
    dialog.m_nDistPrecision = dist >= 0 && dist <= 8 ? dist : 0;
    const int angle = pModel->GetAnglePrecision();
    dialog.m_nAnglePrecision = angle >= 0 && angle <= 8 && !(dialog.m_nAngleFormat == 1 && angle > 6) ? angle : 0;
    if (dialog.DoModal() != IDOK)
        return resultFinished;
    pModel->BeginUndoOperation(nullptr);
    pModel->SetPaperLinePitchDisplayMode(dialog.GetPaperLinePitchDisplayMode(), 0);
    pModel->SetPaperLineWidthDisplayMode(dialog.GetPaperLineWidthDisplayMode(), 0);
    pModel->SetPartLinePitchDisplayMode(dialog.GetPartLinePitchDisplayMode(), 0);
    pModel->SetPartLineWidthDisplayMode(dialog.GetPartLineWidthDisplayMode(), 0);
    pModel->SetLineCapMode(dialog.GetLineCapMode(), 0);
    pModel->SetLineJoinMode(dialog.GetLineJoinMode(), 0);
    pModel->SetLengthUnitFormatType(dialog.m_nLengthFormat);
    pModel->SetDistPrecision(dialog.m_nDistPrecision);
    pModel->SetAngleUnitFormatType(dialog.m_nAngleFormat);
    pModel->SetAnglePrecision(dialog.m_nAnglePrecision);
    pModel->EndUndoOperation();
    pModel->UpdateAllFeatures(1);
    return resultFinished;
}

}  // namespace QZ2Command
