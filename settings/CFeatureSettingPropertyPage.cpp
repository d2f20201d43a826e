#include "settings/CFeatureSettingPropertyPage.h"

#include <cstdlib>

#include "libs/vevure/LayerFeatureTable.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

IMPLEMENT_DYNCREATE(CFeatureSettingPropertyPage, CQZ2PropertyPage)

BEGIN_MESSAGE_MAP(CFeatureSettingPropertyPage, CQZ2PropertyPage)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CFeatureSettingPropertyPage::CFeatureSettingPropertyPage() = default;

CFeatureSettingPropertyPage::CFeatureSettingPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CQZ2PropertyPage(nIDTemplate, nIDCaption)
{
}

CFeatureSettingPropertyPage::~CFeatureSettingPropertyPage() = default;

void CFeatureSettingPropertyPage::SetAttributeTables(const LayerFeatureTable* pLayers, long nLayerID,
                                                     const ColorFeatureTable* pColors,
                                                     const LineTypeFeatureTable* pLineTypes,
                                                     const LineWidthFeatureTable* pLineWidths)
{
    m_pColorTable = pColors;
    m_pLineTypeTable = pLineTypes;
    m_pLineWidthTable = pLineWidths;
    if (nLayerID != -1 && pLayers != nullptr) {
        m_nLayerColorNo = pLayers->GetLayerColorNo(nLayerID);
        m_nLayerLineTypeNo = pLayers->GetLayerLineTypeNo(nLayerID);
        m_nLayerLineWidthNo = pLayers->GetLayerLineWidthNo(nLayerID);
    } else {
        m_nLayerColorNo = m_nLayerLineTypeNo = m_nLayerLineWidthNo = kUndefinedNo;
    }
}

void CFeatureSettingPropertyPage::NotifySettingChanged(BOOL bEdited)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_FEATURESETTING_CHANGED, static_cast<WPARAM>(bEdited), 0);
}

void CFeatureSettingPropertyPage::ShowPreview(Feature2dList& samples)
{
    if (auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(GetParent()))
        pDialog->UpdatePreview(&samples);
}

void CFeatureSettingPropertyPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (CFont* pFont = GetFont()) {
        LOGFONT lf{};
        if (pFont->GetLogFont(&lf) && std::abs(lf.lfHeight) > 0)
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::abs(lf.lfHeight) * 5 / 4);
    }
    CQZ2PropertyPage::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}
