#include "settings/CBalloonSettingPage.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {
const CString kMixedText(u"\\n");
constexpr UINT IDS_CIRCLE = 12291;  // and 12292, the rectangle
}  // namespace

IMPLEMENT_DYNCREATE(CBalloonSettingPage, CFeatureSettingPropertyPage)

using Page = CBalloonSettingPage;

BEGIN_MESSAGE_MAP(CBalloonSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CBalloonSettingPage::CBalloonSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kBalloonPage;
}

CBalloonSettingPage::~CBalloonSettingPage() = default;

void CBalloonSettingPage::SetBalloonSetting(const BalloonSetting& setting)
{
    m_nKind = setting.GetType();
    m_dSize = setting.GetSize();
    m_nColorNo = setting.GetColorNo();
    m_nLineTypeNo = setting.GetLineTypeNo();
    m_nLineWidthNo = setting.GetLineWidthNo();
    const TextSetting& text = setting.GetTextFont();
    m_strFontName = text.GetFontName();
    m_dSlant = text.GetSlantAngle();
    m_nStyleFlag = text.GetStyleFlag();
    m_nTextColorRule = setting.GetTextColorDifferentBalloon();
    m_nTextColorNo = text.GetColorNo();
    m_nArrowType = setting.GetLeadArrowType();
    m_dArrowSize = setting.GetLeadArrowSize();
    m_nLeadColorRule = setting.GetLeadColorDifferentBalloon();
    m_nLeadColorNo = setting.GetLeadColorNo();
    m_nLeadLineTypeRule = setting.GetLeadLineTypeDifferentBalloon();
    m_nLeadLineTypeNo = setting.GetLeadLineTypeNo();
    m_nLeadLineWidthRule = setting.GetLeadLineWidthDifferentBalloon();
    m_nLeadLineWidthNo = setting.GetLeadLineWidthNo();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CBalloonSettingPage::GetBalloonSetting(BalloonSetting& setting) const
{
    setting.SetType(m_nKind);
    setting.SetSize(m_dSize);
    setting.SetColorNo(m_nColorNo);
    setting.SetLineTypeNo(m_nLineTypeNo);
    setting.SetLineWidthNo(m_nLineWidthNo);
    TextSetting text = setting.GetTextFont();
    text.SetFontName(m_strFontName);
    text.SetStyleFlag(static_cast<BYTE>(m_nStyleFlag));
    if (m_dSlant == DBL_MAX || (m_dSlant >= -85.0 && m_dSlant <= 85.0))
        text.SetSlantAngle(m_dSlant);
    if ((m_nTextColorNo >= 0 && m_nTextColorNo <= 256) || m_nTextColorNo == -1 || m_nTextColorNo == kUndefinedNo)
        text.SetColorNo(m_nTextColorNo);
    setting.SetTextFont(text);
    setting.SetTextColorDifferentBalloon(m_nTextColorRule);
    setting.SetLeadArrowType(m_nArrowType);
    setting.SetLeadArrowSize(m_dArrowSize);
    setting.SetLeadColorDifferentBalloon(m_nLeadColorRule);
    setting.SetLeadColorNo(m_nLeadColorNo);
    setting.SetLeadLineTypeDifferentBalloon(m_nLeadLineTypeRule);
    setting.SetLeadLineTypeNo(m_nLeadLineTypeNo);
    setting.SetLeadLineWidthDifferentBalloon(m_nLeadLineWidthRule);
    setting.SetLeadLineWidthNo(m_nLeadLineWidthNo);
    return TRUE;
}

void CBalloonSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kArrowId, m_arrowList);
    DDX_Control(pDX, kColorId, m_colorList);
    DDX_Control(pDX, kTextColorId, m_textColorList);
    DDX_Control(pDX, kLeadColorId, m_leadColorList);
    DDX_Control(pDX, kLineTypeId, m_lineTypeList);
    DDX_Control(pDX, kLeadLineTypeId, m_leadLineTypeList);
    DDX_Control(pDX, kLineWidthId, m_lineWidthList);
    DDX_Control(pDX, kLeadLineWidthId, m_leadLineWidthList);
    DDX_Control(pDX, kFontId, m_fontList);
    DDX_Control(pDX, kSizeId, m_sizeEdit);
    DDX_Control(pDX, kSlantId, m_slantEdit);
    DDX_Control(pDX, kArrowSizeId, m_arrowSizeEdit);
    DDX_Control(pDX, 2103, m_sizeSpin);
    DDX_Control(pDX, 2051, m_slantSpin);
    DDX_Control(pDX, 2102, m_arrowSizeSpin);
    DDX_CBIndex(pDX, kKindId, m_nKind);
    DDX_CBIndex(pDX, kArrowId, m_nArrowType);
    DDX_Check(pDX, kTextColorRuleId, m_nTextColorRule);
    DDX_Check(pDX, kStyleFlagId, m_nStyleFlag);
    DDX_Check(pDX, kLeadColorRuleId, m_nLeadColorRule);
    DDX_Check(pDX, kLeadLineTypeRuleId, m_nLeadLineTypeRule);
    DDX_Check(pDX, kLeadLineWidthRuleId, m_nLeadLineWidthRule);
    const BOOL mixed = m_bMixedValues;
    DDX_DoubleEditDouble(pDX, kSizeId, m_dSize, 0.0, 2.5e15, FALSE, FALSE, mixed);
    DDX_DoubleEditDouble(pDX, kSlantId, m_dSlant, -85.0, 85.0, TRUE, TRUE, mixed);
    DDX_DoubleEditDouble(pDX, kArrowSizeId, m_dArrowSize, 0.0, 2.5e15, FALSE, FALSE, mixed);
    CSelectColorComboBox* const colorLists[] = {&m_colorList, &m_textColorList, &m_leadColorList};
    short* const colorNos[] = {&m_nColorNo, &m_nTextColorNo, &m_nLeadColorNo};
    CSelectLineTypeComboBox* const typeLists[] = {&m_lineTypeList, &m_leadLineTypeList};
    short* const typeNos[] = {&m_nLineTypeNo, &m_nLeadLineTypeNo};
    CSelectLineWidthComboBox* const widthLists[] = {&m_lineWidthList, &m_leadLineWidthList};
    short* const widthNos[] = {&m_nLineWidthNo, &m_nLeadLineWidthNo};
    if (pDX->m_bSaveAndValidate) {
        for (int i = 0; i < 3; ++i)
            *colorNos[i] = colorLists[i]->GetColorNo();
        for (int i = 0; i < 2; ++i) {
            *typeNos[i] = m_pLineTypeTable != nullptr ? typeLists[i]->GetLineTypeNo() : kUndefinedNo;
            *widthNos[i] = m_pLineWidthTable != nullptr ? widthLists[i]->GetLineWidthNo() : kUndefinedNo;
        }
        CString name;
        m_fontList.GetFontName(name);
        m_strFontName = mixed && name.IsEmpty() ? kMixedText : name;
        return;
    }
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
    if (mixed && m_strFontName == kMixedText) {
        m_fontList.SetCurSel(-1);
    } else {
        CString name = m_strFontName;
        if (name.GetLength() > 0 && name[0] == u'@')
            name = name.Mid(1);
        m_fontList.SelectFontName(name);
    }
}

BOOL CBalloonSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* pKinds = dynamic_cast<CComboBox*>(GetDlgItem(kKindId))) {
        pKinds->ResetContent();
        pKinds->AddString(LoadResourceString(IDS_CIRCLE));
        pKinds->AddString(LoadResourceString(IDS_CIRCLE + 1));
    }
    for (int kind = 0; kind < 14; ++kind) {
        CString text;
        text.Format(_T("%d"), kind);
        m_arrowList.AddString(text);
    }
    m_slantEdit.SetValueKind(3);
    m_slantEdit.m_bAllowNegative = TRUE;
    m_sizeEdit.SetValueKind(2);
    m_arrowSizeEdit.SetValueKind(2);
    m_fontList.FillFontList();
    MakeThreeState({kStyleFlagId, kTextColorRuleId, kLeadColorRuleId, kLeadLineTypeRuleId, kLeadLineWidthRuleId});
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CBalloonSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    const std::pair<int, bool> enabling[] = {
        {kArrowSizeId, m_nArrowType != 0},          {2102, m_nArrowType != 0},
        {kTextColorId, m_nTextColorRule != 0},      {kLeadColorId, m_nLeadColorRule != 0},
        {kLeadLineTypeId, m_nLeadLineTypeRule != 0}, {kLeadLineWidthId, m_nLeadLineWidthRule != 0},
    };
    for (const auto& [nID, bEnable] : enabling)
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    if (!UpdateData(FALSE))
        return FALSE;
    for (CSelectColorComboBox* pList : {&m_colorList, &m_leadColorList, &m_textColorList})
        pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    UpdatePreview();
    return TRUE;
}

void CBalloonSettingPage::UpdatePreview()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int nFocus = GetFocusedControlId();
    BalloonSetting read;
    if (!GetBalloonSetting(read))
        return;
    BalloonSetting sample;
    sample.SetOnlyDefValue(read);
    sample.SetSize(10.0);
    sample.SetLeadArrowSize(2.5);
    double e = 0.0, v = 0.0;
    Arrow2dFeature::GetArrowHorizonVerticalSize(sample.GetLeadArrowType(), sample.GetLeadArrowSize(), e, v);
    Feature2dList samples;
    KcArrayOfGePnt2d points;
    if (nFocus == kArrowSizeId) {
        AddArrowSample(&samples, sample.GetLeadArrowType(), sample.GetColorNo());
    } else if (nFocus == kSlantId) {
        TextSetting text = sample.GetTextFont();
        const CString none;
        AddTextSample(&samples, &text, RuVaPnt2d(0, 0), 0.0, 3, &none, TRUE);
    } else if (nFocus == kSizeId) {
        sample.SetLeadArrowType(0);
        points.Add(-10.0, -7.0);
        points.Add(0.0, 0.0);
        AddLinearDimensionSample(&samples, RuVaPnt2d(8, 0), 10.0, 270.0, 0.0, 2.3, 2.3, CString(), 0);
    } else {
        const int type = sample.GetLeadArrowType();
        const double f = (type == 1 || type == 6 || type == 9 || type == 11 || type == 12 || type == 13) ? 2.5 : 7.0;
        const double a = sample.GetLeadArrowSize();
        const double s = sample.GetSize();
        const double c45 = std::cos(45.0 * 0.017453292519943295);
        points.Add(2 + 0.02 * a, 2 + 0.02 * a);
        points.Add(2 + c45 * f * e, 2 + c45 * f * e);
        points.Add(2 + c45 * f * e + s, 2 + c45 * f * e + s / 2);
    }
    if (points.GetSize() > 0)
        if (Balloon2dFeature* pBalloon = FeatureCreator::CreateBalloonFeature(nullptr, CString(u"A1"), points, &sample))
            samples.AddFeature(pBalloon, 0);
    ShowPreview(samples);
}

void CBalloonSettingPage::OnClicked(UINT nID)
{
    switch (nID) {
    case kTextColorRuleId: case kLeadColorRuleId: case kLeadLineTypeRuleId: case kLeadLineWidthRuleId:
    case kStyleFlagId: break;
    default: return;
    }
    DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    if (nID == kStyleFlagId)
        UpdatePreview();
    else
        UpdateControls();
    NotifySettingChanged(FALSE);
}

void CBalloonSettingPage::OnSelect(UINT nID)
{
    switch (nID) {
    case kKindId: case kColorId: case kLineTypeId: case kLineWidthId: case kFontId: case kTextColorId:
    case kArrowId: case kLeadColorId: case kLeadLineTypeId: case kLeadLineWidthId: break;
    default: return;
    }
    if (!UpdateData(TRUE))
        return;
    UpdatePreview();
    NotifySettingChanged(FALSE);
}

void CBalloonSettingPage::OnTyping(UINT) { NotifySettingChanged(TRUE); }

void CBalloonSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE))
        UpdatePreview();
}

void CBalloonSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CQZ2DoubleEdit* pEdit = nID == 2103 ? &m_sizeEdit : nID == 2051 ? &m_slantEdit : nID == 2102 ? &m_arrowSizeEdit : nullptr;
    if (pEdit != nullptr)
        pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}
