#include "settings/FeatureSettingCommand.h"

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingStylesBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSettingStyles.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeatureSettingCommand, CommandBase)

FeatureSettingCommand::~FeatureSettingCommand() = default;

int FeatureSettingCommand::InitialPage(const CString& strIdentifier)
{
    struct Entry {
        const char16_t* identifier;
        int page;
    };
    static const Entry entries[] = {
        {u"Korvan.Settings.BasicShapeSetting", 12}, {u"Korvan.Settings.PointMarkerSetting", 1},
        {u"Korvan.Settings.TextSetting", 2},        {u"Korvan.Settings.LeadSetting", 3},
        {u"Korvan.Settings.BalloonSetting", 4},     {u"Korvan.Settings.HatchSetting", 11}};
    for (const Entry& e : entries)
        if (strIdentifier == e.identifier)
            return e.page;
    if (strIdentifier == u"Korvan.Settings.DimensionSetting") {
        const int nLast = CFeatureSettingTreeDialog::GetLastStylePage();
        return CFeatureSettingTreeDialog::IsDimensionPage(nLast) ? nLast : 5;
    }
    return 0;
}

int FeatureSettingCommand::OnInput(int)
{
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    if (pDocument == nullptr)
        return resultFinished;

    CFeatureSettingTreeDialog dialog(pDocument, -1, InitialPage(GetIdentifier()), FALSE);
    GeneralFeatureSetting general;
    general.SetColorNo(pDocument->GetCurrentColorNo());
    general.SetLineTypeNo(pDocument->GetCurrentLineTypeNo());
    general.SetLineWidthNo(pDocument->GetCurrentLineWidthNo());
    dialog.SetGeneralFeatureSetting(&general);
    dialog.SetPointMarkerSetting(pDocument->GetPointMarkerSetting());
    dialog.SetTextSetting(pDocument->GetTextSetting());
    dialog.SetLeadSetting(pDocument->GetLeadSetting());
    dialog.SetBalloonSetting(pDocument->GetBalloonSetting());
    dialog.SetDimensionSetting(pDocument->GetDimensionSetting());
    dialog.SetHatchSetting(pDocument->GetHatchSetting());
    const FeatureSettingStylesBase* const documentStyles[CFeatureSettingTreeDialog::kKinds] = {
        pDocument->GetGeneralFeatureSettingStyles(), pDocument->GetPointMarkerSettingStyles(),
        pDocument->GetTextSettingStyles(),           pDocument->GetLeadSettingStyles(),
        pDocument->GetBalloonSettingStyles(),        pDocument->GetDimensionSettingStyles(),
        pDocument->GetHatchSettingStyles()};
    for (const FeatureSettingStylesBase* pStyles : documentStyles)
        dialog.SetFeatureSettingStyles(pStyles);

    const INT_PTR nResult = dialog.DoModal();
    if (nResult != IDOK && nResult != CFeatureSettingTreeDialog::kHatchPatternResult)
        return resultFinished;

    GeneralFeatureSetting edited;
    const BOOL bGeneral = dialog.GetGeneralFeatureSetting(&edited);
    PointMarkerSetting pointMarker;
    if (pDocument->GetPointMarkerSetting() != nullptr)
        pointMarker = *pDocument->GetPointMarkerSetting();
    const BOOL bPointMarker = dialog.GetPointMarkerSetting(&pointMarker);
    TextSetting text;
    if (pDocument->GetTextSetting() != nullptr)
        text = *pDocument->GetTextSetting();
    const BOOL bText = dialog.GetTextSetting(&text);
    LeadSetting lead;
    if (pDocument->GetLeadSetting() != nullptr)
        lead = *pDocument->GetLeadSetting();
    const BOOL bLead = dialog.GetLeadSetting(&lead);
    BalloonSetting balloon;
    if (pDocument->GetBalloonSetting() != nullptr)
        balloon = *pDocument->GetBalloonSetting();
    const BOOL bBalloon = dialog.GetBalloonSetting(&balloon);
    DimensionSetting dimension;
    if (pDocument->GetDimensionSetting() != nullptr)
        dimension = *pDocument->GetDimensionSetting();
    const BOOL bDimension = dialog.GetDimensionSetting(&dimension);
    HatchSetting hatch;
    if (pDocument->GetHatchSetting() != nullptr)
        hatch = *pDocument->GetHatchSetting();
    const BOOL bHatch = dialog.GetHatchSetting(&hatch);

    pDocument->BeginUndoOperation(nullptr);
    const FeatureSettingStylesBase* pGeneralStyles = dialog.GetFeatureSettingStyles(CFeatureSettingTreeDialog::kGeneral);
    // The document keeps its current numbers apart from the basic shape style, and writing the collection
    // does not set them: with a current named style its numbers are written here.
    if (pGeneralStyles != nullptr) {
        if (const auto* pCurrent = dynamic_cast<const GeneralFeatureSetting*>(pGeneralStyles->GetCurrentSettingStyle())) {
            edited = *pCurrent;
        }
    }
    if (bGeneral) {
        if (edited.GetColorNo() != pDocument->GetCurrentColorNo())
            pDocument->SetCurrentColorNo(edited.GetColorNo());
        if (edited.GetLineTypeNo() != pDocument->GetCurrentLineTypeNo())
            pDocument->SetCurrentLineTypeNo(edited.GetLineTypeNo());
        if (edited.GetLineWidthNo() != pDocument->GetCurrentLineWidthNo())
            pDocument->SetCurrentLineWidthNo(edited.GetLineWidthNo());
    }
    auto noCurrentStyle = [&dialog](CFeatureSettingTreeDialog::Kind kind) {
        const FeatureSettingStylesBase* pStyles = dialog.GetFeatureSettingStyles(kind);
        return pStyles == nullptr || pStyles->GetCurrentSettingStyleName().IsEmpty();
    };
    if (bPointMarker && noCurrentStyle(CFeatureSettingTreeDialog::kPointMarker) &&
        (pDocument->GetPointMarkerSetting() == nullptr || !pDocument->GetPointMarkerSetting()->IsEqual(pointMarker)))
        pDocument->SetPointMarkerSetting(pointMarker);
    if (bText && noCurrentStyle(CFeatureSettingTreeDialog::kText) &&
        (pDocument->GetTextSetting() == nullptr || !pDocument->GetTextSetting()->IsEqual(text)))
        pDocument->SetTextSetting(text);
    if (bLead && noCurrentStyle(CFeatureSettingTreeDialog::kLead) &&
        (pDocument->GetLeadSetting() == nullptr || !pDocument->GetLeadSetting()->IsEqual(lead)))
        pDocument->SetLeadSetting(lead);
    if (bBalloon && noCurrentStyle(CFeatureSettingTreeDialog::kBalloon) &&
        (pDocument->GetBalloonSetting() == nullptr || !pDocument->GetBalloonSetting()->IsEqual(balloon)))
        pDocument->SetBalloonSetting(balloon);
    if (bDimension && noCurrentStyle(CFeatureSettingTreeDialog::kDimension) &&
        (pDocument->GetDimensionSetting() == nullptr || !pDocument->GetDimensionSetting()->IsEqual(dimension)))
        pDocument->SetDimensionSetting(dimension);
    if (bHatch && noCurrentStyle(CFeatureSettingTreeDialog::kHatch) &&
        (pDocument->GetHatchSetting() == nullptr || !pDocument->GetHatchSetting()->IsEqual(hatch)))
        pDocument->SetHatchSetting(hatch);
    // Only collections that changed are written, so that OK without a change adds no undo step.
    for (int kind = 0; kind < CFeatureSettingTreeDialog::kKinds; ++kind) {
        const FeatureSettingStylesBase* pEdited =
            dialog.GetFeatureSettingStyles(static_cast<CFeatureSettingTreeDialog::Kind>(kind));
        if (pEdited != nullptr && (documentStyles[kind] == nullptr || !documentStyles[kind]->IsEqual(*pEdited)))
            pDocument->UpdateFeatureSettingStyles(*pEdited);
    }
    pDocument->EndUndoOperation();

    if (nResult == CFeatureSettingTreeDialog::kHatchPatternResult) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
            pMain->PostMessage(WM_COMMAND, MAKEWPARAM(kHatchPatternTableCommand, 0), 0);
    }
    return resultFinished;
}

}  // namespace QZ2Command
