#include "settings/CGeneralFeatureSettingPage.h"

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/GeneralFeatureSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Line2dFeature.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNCREATE(CGeneralFeatureSettingPage, CFeatureSettingPropertyPage)

BEGIN_MESSAGE_MAP(CGeneralFeatureSettingPage, CFeatureSettingPropertyPage)
    ON_CBN_SELENDOK(CGeneralFeatureSettingPage::kColorId, &CGeneralFeatureSettingPage::OnSelectAttribute)
    ON_CBN_SELENDOK(CGeneralFeatureSettingPage::kLineTypeId, &CGeneralFeatureSettingPage::OnSelectAttribute)
    ON_CBN_SELENDOK(CGeneralFeatureSettingPage::kLineWidthId, &CGeneralFeatureSettingPage::OnSelectAttribute)
    ON_CBN_SETFOCUS(CGeneralFeatureSettingPage::kColorId, &CGeneralFeatureSettingPage::OnFocusAttribute)
    ON_CBN_SETFOCUS(CGeneralFeatureSettingPage::kLineTypeId, &CGeneralFeatureSettingPage::OnFocusAttribute)
    ON_CBN_SETFOCUS(CGeneralFeatureSettingPage::kLineWidthId, &CGeneralFeatureSettingPage::OnFocusAttribute)
END_MESSAGE_MAP()

CGeneralFeatureSettingPage::CGeneralFeatureSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kGeneralPage;
}

CGeneralFeatureSettingPage::~CGeneralFeatureSettingPage() = default;

namespace {
short LayerNo(const LayerFeatureTable* pLayers, long nLayerID, short (LayerFeatureTable::*get)(long) const)
{
    return nLayerID != -1 && pLayers != nullptr ? (pLayers->*get)(nLayerID)
                                                : CFeatureSettingPropertyPage::kUndefinedNo;
}
}  // namespace

void CGeneralFeatureSettingPage::SetColorTable(const ColorFeatureTable* pTable, const LayerFeatureTable* pLayers,
                                               long nLayerID)
{
    m_pColorTable = pTable;
    m_nLayerColorNo = LayerNo(pLayers, nLayerID, &LayerFeatureTable::GetLayerColorNo);
}

void CGeneralFeatureSettingPage::SetLineTypeTable(const LineTypeFeatureTable* pTable,
                                                  const LayerFeatureTable* pLayers, long nLayerID)
{
    m_pLineTypeTable = pTable;
    m_nLayerLineTypeNo = LayerNo(pLayers, nLayerID, &LayerFeatureTable::GetLayerLineTypeNo);
}

void CGeneralFeatureSettingPage::SetLineWidthTable(const LineWidthFeatureTable* pTable,
                                                   const LayerFeatureTable* pLayers, long nLayerID)
{
    m_pLineWidthTable = pTable;
    m_nLayerLineWidthNo = LayerNo(pLayers, nLayerID, &LayerFeatureTable::GetLayerLineWidthNo);
}

void CGeneralFeatureSettingPage::SetGeneralFeatureSetting(const GeneralFeatureSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nColorNo = pSetting->GetColorNo();
    m_nLineTypeNo = pSetting->GetLineTypeNo();
    m_nLineWidthNo = pSetting->GetLineWidthNo();
    if (GetSafeHwnd() != nullptr)
        RefreshControls();
}

BOOL CGeneralFeatureSettingPage::GetGeneralFeatureSetting(GeneralFeatureSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetColorNo(m_nColorNo);
    pSetting->SetLineTypeNo(m_nLineTypeNo);
    pSetting->SetLineWidthNo(m_nLineWidthNo);
    return TRUE;
}

void CGeneralFeatureSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_Control(pDX, kLineTypeId, m_lineTypeList);
    DDX_Control(pDX, kLineWidthId, m_lineWidthList);
    if (!pDX->m_bSaveAndValidate) {
        m_colorList.SetColorTable(m_pColorTable);
        m_colorList.SetLayerColorNo(m_nLayerColorNo);
        m_colorList.SetColorNo(m_nColorNo);
        m_lineTypeList.SetLineTypeTable(m_pLineTypeTable, TRUE);
        m_lineTypeList.SetLayerLineTypeNo(m_nLayerLineTypeNo);
        m_lineTypeList.SetLineTypeNo(m_nLineTypeNo);
        m_lineWidthList.SetLineWidthTable(m_pLineWidthTable, TRUE);
        m_lineWidthList.SetLayerLineWidthNo(m_nLayerLineWidthNo);
        m_lineWidthList.SetLineWidthNo(m_nLineWidthNo);
    } else {
        m_nColorNo = m_colorList.GetColorNo();
        m_nLineTypeNo = m_lineTypeList.GetLineTypeNo();
        m_nLineWidthNo = m_lineWidthList.GetLineWidthNo();
    }
}

BOOL CGeneralFeatureSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    RefreshControls();
    return TRUE;
}

void CGeneralFeatureSettingPage::RefreshControls()
{
    UpdateData(FALSE);
    m_colorList.Invalidate();
    UpdatePreview();
}

void CGeneralFeatureSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    GeneralFeatureSetting setting;
    GetGeneralFeatureSetting(&setting);
    Feature2dList samples;
    Line2dFeature line(RuVaPnt2d(10, 5), RuVaPnt2d(110, 75));
    Circle2dFeature circle(RuVaPnt2d(70, 30), 25);
    FeatureSettingConverter::SetFeatureBaseSettingToFeature(&line, setting);
    FeatureSettingConverter::SetFeatureBaseSettingToFeature(&circle, setting);
    samples.AddFeature(&line, 1);
    samples.AddFeature(&circle, 1);
    ShowPreview(samples);
}

void CGeneralFeatureSettingPage::OnSelectAttribute()
{
    if (!UpdateData(TRUE))
        return;
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CGeneralFeatureSettingPage::OnFocusAttribute()
{
    if (UpdateData(TRUE))
        UpdatePreview();
}
