#include "settings/FeatureSettingDialogService.h"

#include "command/FeatureSettingDialogHooks.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/BalloonSettingStyles.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/DimensionSettingStyles.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/GeneralFeatureSettingStyles.h"
#include "libs/vevure/HatchSetting.h"
#include "libs/vevure/HatchSettingStyles.h"
#include "libs/vevure/LeadSetting.h"
#include "libs/vevure/LeadSettingStyles.h"
#include "libs/vevure/PointMarkerSetting.h"
#include "libs/vevure/PointMarkerSettingStyles.h"
#include "libs/vevure/TextSetting.h"
#include "libs/vevure/TextSettingStyles.h"
#include "platform/win/WinConstants.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace {
// The hook is in place as soon as the library is loaded.
[[maybe_unused]] const bool s_registered = [] {
    FeatureSettingDialogHooks::Get().pfnEditFeatureSetting = &FeatureSettingDialogService::EditFeatureSetting;
    return true;
}();

const FeatureSettingStylesBase* StylesOfKind(const Draw2dDocument* pDocument, const FeatureSettingBase* pSetting)
{
    if (pSetting->IsKindOf(RUNTIME_CLASS(GeneralFeatureSetting)))
        return pDocument->GetGeneralFeatureSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(PointMarkerSetting)))
        return pDocument->GetPointMarkerSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(TextSetting)))
        return pDocument->GetTextSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(LeadSetting)))
        return pDocument->GetLeadSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(BalloonSetting)))
        return pDocument->GetBalloonSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(DimensionSetting)))
        return pDocument->GetDimensionSettingStyles();
    if (pSetting->IsKindOf(RUNTIME_CLASS(HatchSetting)))
        return pDocument->GetHatchSettingStyles();
    return nullptr;
}
}  // namespace

int FeatureSettingDialogService::InitialPage(const FeatureSettingBase* pSetting)
{
    if (pSetting != nullptr && pSetting->IsKindOf(RUNTIME_CLASS(DimensionSetting))) {
        const int nLast = CFeatureSettingTreeDialog::GetLastStylePage();
        return CFeatureSettingTreeDialog::IsDimensionPage(nLast) ? nLast : 0;
    }
    return 0;
}

INT_PTR FeatureSettingDialogService::EditFeatureSetting(Draw2dDocument* pDocument, FeatureSettingBase* pSetting)
{
    if (pDocument == nullptr || pSetting == nullptr)
        return IDCANCEL;
    CFeatureSettingTreeDialog dialog(pDocument, -1, InitialPage(pSetting), TRUE);
    dialog.SetFeatureSetting(pSetting);
    dialog.SetFeatureSettingStyles(StylesOfKind(pDocument, pSetting));
    const INT_PTR nResult = dialog.DoModal();
    if (nResult != IDOK && nResult != CFeatureSettingTreeDialog::kHatchPatternResult)
        return IDCANCEL;
    dialog.GetFeatureSetting(pSetting);
    return nResult;
}
