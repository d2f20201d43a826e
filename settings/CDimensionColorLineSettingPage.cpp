#include "settings/CDimensionColorLineSettingPage.h"

#include <utility>

#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/WinCtrlConstants.h"
#include "settings/DimensionStylePreview.h"

IMPLEMENT_DYNCREATE(CDimensionColorLineSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionColorLineSettingPage;

BEGIN_MESSAGE_MAP(CDimensionColorLineSettingPage, CFeatureSettingPropertyPage)
    ON_BN_CLICKED(Page::kTextColorRuleId, &Page::OnTextColorRule)
    ON_BN_CLICKED(Page::kProjectionColorRuleId, &Page::OnProjectionColorRule)
    ON_BN_CLICKED(Page::kProjectionLineTypeRuleId, &Page::OnProjectionLineTypeRule)
    ON_BN_CLICKED(Page::kProjectionWidthRuleId, &Page::OnProjectionWidthRule)
    ON_BN_SETFOCUS(Page::kTextColorRuleId, &Page::OnFocusField)
    ON_BN_SETFOCUS(Page::kProjectionColorRuleId, &Page::OnFocusField)
    ON_BN_SETFOCUS(Page::kProjectionLineTypeRuleId, &Page::OnFocusField)
    ON_BN_SETFOCUS(Page::kProjectionWidthRuleId, &Page::OnFocusField)
    ON_CBN_SELENDOK(Page::kColorId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kLineTypeId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kLineWidthId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kTextColorId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kProjectionColorId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kProjectionLineTypeId, &Page::OnSelectAttribute)
    ON_CBN_SELENDOK(Page::kProjectionWidthId, &Page::OnSelectAttribute)
    ON_CBN_SETFOCUS(Page::kColorId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kLineTypeId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kLineWidthId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kTextColorId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kProjectionColorId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kProjectionLineTypeId, &Page::OnFocusField)
    ON_CBN_SETFOCUS(Page::kProjectionWidthId, &Page::OnFocusField)
END_MESSAGE_MAP()

CDimensionColorLineSettingPage::CDimensionColorLineSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionColorPage;
}

CDimensionColorLineSettingPage::~CDimensionColorLineSettingPage() = default;

void CDimensionColorLineSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nColorNo = pSetting->GetColorNo();
    m_nLineTypeNo = pSetting->GetLineTypeNo();
    m_nLineWidthNo = pSetting->GetLineWidthNo();
    m_nProjectionColorRule = pSetting->GetProjectionColorDifferentDim();
    m_nProjectionColorNo = pSetting->GetProjectionColorNo();
    m_nProjectionLineTypeRule = pSetting->GetProjectionLTypeDifferentDim();
    m_nProjectionLineTypeNo = pSetting->GetProjectionLTypeNo();
    m_nProjectionWidthRule = pSetting->GetProjectionWidthDifferentDim();
    m_nProjectionWidthNo = pSetting->GetProjectionWidthNo();
    const TextSetting textStyle = pSetting->GetDimTextFont();
    m_nTextColorRule = pSetting->GetDimTextColorDifferentDim();
    m_nTextColorNo = textStyle.GetColorNo();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CDimensionColorLineSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetColorNo(m_nColorNo);
    pSetting->SetLineTypeNo(m_nLineTypeNo);
    pSetting->SetLineWidthNo(m_nLineWidthNo);
    pSetting->SetProjectionColorDifferentDim(m_nProjectionColorRule);
    pSetting->SetProjectionColorNo(m_nProjectionColorNo);
    pSetting->SetProjectionLTypeDifferentDim(m_nProjectionLineTypeRule);
    pSetting->SetProjectionLTypeNo(m_nProjectionLineTypeNo);
    pSetting->SetProjectionWidthDifferentDim(m_nProjectionWidthRule);
    pSetting->SetProjectionWidthNo(m_nProjectionWidthNo);
    TextSetting textStyle = pSetting->GetDimTextFont();
    pSetting->SetDimTextColorDifferentDim(m_nTextColorRule);
    // Only a number the text style can hold is written; any other keeps the style's colour.
    const short nText = m_nTextColorNo;
    if ((nText >= 0 && nText <= 256) || nText == -1 || nText == kUndefinedNo)
        textStyle.SetColorNo(nText);
    pSetting->SetDimTextFont(textStyle);
    return TRUE;
}

void CDimensionColorLineSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_Control(pDX, kLineTypeId, m_lineTypeList);
    DDX_Control(pDX, kLineWidthId, m_lineWidthList);
    DDX_Control(pDX, kTextColorId, m_textColorList);
    DDX_Control(pDX, kProjectionColorId, m_projectionColorList);
    DDX_Control(pDX, kProjectionLineTypeId, m_projectionLineTypeList);
    DDX_Control(pDX, kProjectionWidthId, m_projectionWidthList);
    DDX_Check(pDX, kTextColorRuleId, m_nTextColorRule);
    DDX_Check(pDX, kProjectionColorRuleId, m_nProjectionColorRule);
    DDX_Check(pDX, kProjectionLineTypeRuleId, m_nProjectionLineTypeRule);
    DDX_Check(pDX, kProjectionWidthRuleId, m_nProjectionWidthRule);
    CSelectColorComboBox* const colorLists[] = {&m_colorList, &m_textColorList, &m_projectionColorList};
    short* const colorNos[] = {&m_nColorNo, &m_nTextColorNo, &m_nProjectionColorNo};
    CSelectLineTypeComboBox* const typeLists[] = {&m_lineTypeList, &m_projectionLineTypeList};
    short* const typeNos[] = {&m_nLineTypeNo, &m_nProjectionLineTypeNo};
    CSelectLineWidthComboBox* const widthLists[] = {&m_lineWidthList, &m_projectionWidthList};
    short* const widthNos[] = {&m_nLineWidthNo, &m_nProjectionWidthNo};
    if (!pDX->m_bSaveAndValidate) {
        for (int i = 0; i < 3; ++i) {
            colorLists[i]->SetColorTable(m_pColorTable);
            colorLists[i]->SetLayerColorNo(m_nLayerColorNo);
            colorLists[i]->SetColorNo(*colorNos[i]);
        }
        for (int i = 0; i < 2; ++i) {
            typeLists[i]->SetLineTypeTable(m_pLineTypeTable, TRUE);
            typeLists[i]->SetLayerLineTypeNo(m_nLayerLineTypeNo);
            typeLists[i]->SetLineTypeNo(*typeNos[i]);
            widthLists[i]->SetLineWidthTable(m_pLineWidthTable, TRUE);
            widthLists[i]->SetLayerLineWidthNo(m_nLayerLineWidthNo);
            widthLists[i]->SetLineWidthNo(*widthNos[i]);
        }
    } else {
        for (int i = 0; i < 3; ++i)
            *colorNos[i] = colorLists[i]->GetColorNo();
        // A list without a table has nothing to choose from.
        for (int i = 0; i < 2; ++i) {
            *typeNos[i] = m_pLineTypeTable != nullptr ? typeLists[i]->GetLineTypeNo() : kUndefinedNo;
            *widthNos[i] = m_pLineWidthTable != nullptr ? widthLists[i]->GetLineWidthNo() : kUndefinedNo;
        }
    }
}

BOOL CDimensionColorLineSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_bMixedValues) {
        for (int nID : {kTextColorRuleId, kProjectionColorRuleId, kProjectionLineTypeRuleId, kProjectionWidthRuleId})
            if (auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID)))
                pBox->SetButtonStyle(BS_AUTO3STATE);
    }
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CDimensionColorLineSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    // An indeterminate rule (2) enables its box too: the user may still pick a value for all.
    const std::pair<int, int> enabling[] = {{kTextColorId, m_nTextColorRule},
                                            {kProjectionColorId, m_nProjectionColorRule},
                                            {kProjectionLineTypeId, m_nProjectionLineTypeRule},
                                            {kProjectionWidthId, m_nProjectionWidthRule}};
    for (const auto& [nID, nRule] : enabling)
        if (CWnd* pBox = GetDlgItem(nID))
            pBox->EnableWindow(nRule != 0);
    if (!UpdateData(FALSE))
        return FALSE;
    for (CSelectColorComboBox* pList : {&m_colorList, &m_projectionColorList, &m_textColorList})
        pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    DimensionStylePreview::BuildDimensionPreview(this);
    return TRUE;
}

void CDimensionColorLineSettingPage::RuleClicked(int nID)
{
    auto* pBox = dynamic_cast<CButton*>(GetDlgItem(nID));
    if (m_bMixedValues && pBox != nullptr && (pBox->GetStyle() & BS_TYPEMASK) == BS_AUTO3STATE) {
        // The first click decides: checked stays checked, anything else becomes unchecked, and the box
        // can no longer be made indeterminate.
        if (pBox->GetCheck() != BST_CHECKED)
            pBox->SetCheck(BST_UNCHECKED);
        pBox->SetButtonStyle(BS_AUTOCHECKBOX);
    }
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionColorLineSettingPage::OnTextColorRule() { RuleClicked(kTextColorRuleId); }
void CDimensionColorLineSettingPage::OnProjectionColorRule() { RuleClicked(kProjectionColorRuleId); }
void CDimensionColorLineSettingPage::OnProjectionLineTypeRule() { RuleClicked(kProjectionLineTypeRuleId); }
void CDimensionColorLineSettingPage::OnProjectionWidthRule() { RuleClicked(kProjectionWidthRuleId); }

void CDimensionColorLineSettingPage::OnSelectAttribute()
{
    if (!UpdateData(TRUE))
        return;
    DimensionStylePreview::BuildDimensionPreview(this);
    NotifySettingChanged(FALSE);
}

void CDimensionColorLineSettingPage::OnFocusField()
{
    if (UpdateData(TRUE))
        DimensionStylePreview::BuildDimensionPreview(this);
}
