#include "commands/edit/SaveFeatureSetting2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/edit/FeatureSettingTransfer.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSettingStylesBase.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(SaveFeatureSetting2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr DWORD kKinds = 0x087EEFFF;
constexpr UINT kHatchPatternTableCommand = 34665;
using T = FeatureSettingTransfer;

// The document's current style of a kind (the basic shape style from its current numbers).
std::unique_ptr<FeatureSettingBase> CurrentSetting(const Draw2dDocument* pDocument, int nKind)
{
    std::unique_ptr<FeatureSettingBase> setting = T::NewSetting(nKind);
    const FeatureSettingBase* pCurrent = nullptr;
    switch (nKind) {
    case T::kGeneral: {
        auto* pGeneral = static_cast<GeneralFeatureSetting*>(setting.get());
        pGeneral->SetColorNo(pDocument->GetCurrentColorNo());
        pGeneral->SetLineTypeNo(pDocument->GetCurrentLineTypeNo());
        pGeneral->SetLineWidthNo(pDocument->GetCurrentLineWidthNo());
        return setting;
    }
    case T::kPointMarker: pCurrent = pDocument->GetPointMarkerSetting(); break;
    case T::kText: pCurrent = pDocument->GetTextSetting(); break;
    case T::kLead: pCurrent = pDocument->GetLeadSetting(); break;
    case T::kBalloon: pCurrent = pDocument->GetBalloonSetting(); break;
    case T::kDimension: pCurrent = pDocument->GetDimensionSetting(); break;
    case T::kHatch: pCurrent = pDocument->GetHatchSetting(); break;
    default: return nullptr;
    }
    if (pCurrent != nullptr)
        setting->Copy(*pCurrent);
    return setting;
}

void StoreSetting(Draw2dDocument* pDocument, int nKind, const FeatureSettingBase& setting)
{
    switch (nKind) {
    case T::kGeneral: {
        const auto& general = static_cast<const GeneralFeatureSetting&>(setting);
        if (general.GetColorNo() != pDocument->GetCurrentColorNo())
            pDocument->SetCurrentColorNo(general.GetColorNo());
        if (general.GetLineTypeNo() != pDocument->GetCurrentLineTypeNo())
            pDocument->SetCurrentLineTypeNo(general.GetLineTypeNo());
        if (general.GetLineWidthNo() != pDocument->GetCurrentLineWidthNo())
            pDocument->SetCurrentLineWidthNo(general.GetLineWidthNo());
        break;
    }
    case T::kPointMarker: pDocument->SetPointMarkerSetting(static_cast<const PointMarkerSetting&>(setting)); break;
    case T::kText: pDocument->SetTextSetting(static_cast<const TextSetting&>(setting)); break;
    case T::kLead: pDocument->SetLeadSetting(static_cast<const LeadSetting&>(setting)); break;
    case T::kBalloon: pDocument->SetBalloonSetting(static_cast<const BalloonSetting&>(setting)); break;
    case T::kDimension: pDocument->SetDimensionSetting(static_cast<const DimensionSetting&>(setting)); break;
    case T::kHatch: pDocument->SetHatchSetting(static_cast<const HatchSetting&>(setting)); break;
    default: break;
    }
}

}  // namespace

void SaveFeatureSetting2dCommand::SetupParameters()
{
    // Shapes that may not be edited are read too: they are not changed.
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, 0, kKinds, FALSE, 0);
}

int SaveFeatureSetting2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return resultNothing;
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pItem == nullptr || pItem->IsEmpty() || !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;
    // Sizes read through a layout of unequal scales would be wrong.
    if (!CheckUniformLayoutScale(itemShapes))
        return resultNothing;

    T::Merged merged;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(shapes[i].GetRecordID());
        if (pFeature == nullptr)
            continue;
        double s = 1.0;
        const BOOL bPaper = T::PaperScale(pView, shapes[i], s);
        std::unique_ptr<Feature2dBase> copy = T::ScaledCopy(pFeature, bPaper, s, TRUE);
        if (copy == nullptr)
            continue;
        const int nKind = T::KindOfType(copy->GetFeatureType());
        std::unique_ptr<FeatureSettingBase> setting = T::NewSetting(nKind);
        if (setting != nullptr && T::Read(nKind, copy.get(), *setting))
            merged.Fold(nKind, *setting);
    }

    int nFirstPage = 0;
    if (merged.OnlyKind() == T::kDimension) {
        const int nLast = CFeatureSettingTreeDialog::GetLastStylePage();
        if (CFeatureSettingTreeDialog::IsDimensionPage(nLast))
            nFirstPage = nLast;
    }
    CFeatureSettingTreeDialog dialog(pDocument, -1, nFirstPage, FALSE);
    std::unique_ptr<FeatureSettingBase> values[T::kKinds];
    for (int k = 0; k < T::kImage; ++k) {
        if (merged.settings[k] == nullptr)
            continue;
        // The shapes' shared values over the document's current ones.
        values[k] = CurrentSetting(pDocument, k);
        if (values[k] == nullptr)
            continue;
        values[k]->SetOnlyDefValue(*merged.settings[k]);
        dialog.SetFeatureSetting(values[k].get());
        if (const FeatureSettingStylesBase* pStyles = T::DocumentStyles(pDocument, k)) {
            std::unique_ptr<FeatureSettingStylesBase> local(
                static_cast<FeatureSettingStylesBase*>(pStyles->GetRuntimeClass()->CreateObject()));
            if (local != nullptr && local->Copy(*pStyles)) {
                local->SetCurrentSettingStyleName(CString());
                dialog.SetFeatureSettingStyles(local.get());
            }
        }
    }
    const INT_PTR nResult = dialog.DoModal();
    if (nResult != IDOK && nResult != CFeatureSettingTreeDialog::kHatchPatternResult)
        return resultFinished;

    pDocument->BeginUndoOperation(nullptr);
    for (int k = 0; k < T::kImage; ++k) {
        if (values[k] == nullptr)
            continue;
        const BOOL bRead = dialog.GetFeatureSetting(values[k].get());
        const FeatureSettingStylesBase* pEdited =
            dialog.GetFeatureSettingStyles(static_cast<CFeatureSettingTreeDialog::Kind>(k));
        // A named style chosen in the dialog is stored through the collection alone.
        if (bRead && (pEdited == nullptr || pEdited->GetCurrentSettingStyleName().IsEmpty()))
            StoreSetting(pDocument, k, *values[k]);
        if (pEdited != nullptr)
            pDocument->UpdateFeatureSettingStyles(*pEdited);
    }
    pDocument->EndUndoOperation();

    if (nResult == CFeatureSettingTreeDialog::kHatchPatternResult) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
            pMain->PostMessage(WM_COMMAND, MAKEWPARAM(kHatchPatternTableCommand, 0), 0);
    }
    return resultDone;
}

}  // namespace QZ2Command
