#include "settings/CDimensionTextSettingPage.h"

#include <algorithm>
#include <cfloat>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/DimensionStylePreview.h"
#include "settings/UnitPrecisionLists.h"

namespace {
// A loaded precision beyond a shorter list (degrees-minutes-seconds end at 6) selects its last entry.
void SelectPrecision(CComboBox& list, int nPrecision)
{
    list.SetCurSel(nPrecision >= list.GetCount() ? list.GetCount() - 1 : nPrecision);
}

constexpr double kMaxLength = 1e15;
const CString kMixedText(u"\\n");
constexpr int kSpinIds[6] = {2603, 2605, 2607, 2609, 2623, 2628};

void FillList(CWnd* pPage, int nID, UINT nFirst, int nCount)
{
    if (auto* pList = dynamic_cast<CComboBox*>(pPage->GetDlgItem(nID))) {
        pList->ResetContent();
        for (int i = 0; i < nCount; ++i)
            pList->AddString(LoadResourceString(nFirst + i));
    }
}

// A value the text style accepts, or the marker of differing values.
bool Fits(double value, double low, double high, bool lowIncluded)
{
    return value == DBL_MAX || ((lowIncluded ? value >= low : value > low) && value < high);
}
}  // namespace

IMPLEMENT_DYNCREATE(CDimensionTextSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionTextSettingPage;

BEGIN_MESSAGE_MAP(CDimensionTextSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CDimensionTextSettingPage::CDimensionTextSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionTextPage;
}

CDimensionTextSettingPage::~CDimensionTextSettingPage() = default;

void CDimensionTextSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    const TextSetting& text = pSetting->GetDimTextFont();
    m_strFontName = text.GetFontName();
    m_dHeight = text.GetHeight();
    m_dWidth = text.GetWidthRatio() == DBL_MAX ? DBL_MAX : text.GetWidthRatio() * 100.0;
    m_nStyleFlag = text.GetStyleFlag();
    m_dSlant = text.GetSlantAngle();
    m_dSpacing = text.GetCharSpacing();
    m_nLengthFormat = pSetting->GetLengthUnitFormatType();
    m_dScale = pSetting->GetLengthDimValueScale();
    m_nPrecision = pSetting->GetPrecision();
    m_dRound = pSetting->GetRound();
    m_nAngleFormat = pSetting->GetAngleUnitFormatType();
    m_nAnglePrecision = pSetting->GetAnglePrecision();
    m_nZeroVisible = pSetting->GetZeroVisible();
    m_nSeparator = pSetting->GetSeparateTextType();
    m_nSign = pSetting->GetAddRPhi();
    m_nVerticalPos = pSetting->GetVerticalPos();
    m_dDistance = pSetting->GetDistance();
    m_nHorizontalPos = pSetting->GetHorizonPos();
    m_nAngleRule = pSetting->GetPosAngle();
    m_dAngle = pSetting->GetDimValuePosAngle();
    m_nFullWidth = pSetting->GetToFullWidth();
    m_nArcTextOption = pSetting->GetArcDimTextOption();
    if (GetSafeHwnd() != nullptr) {
        FillLengthPrecisionComboBox(m_nLengthFormat, m_precisionList);
        SelectPrecision(m_precisionList, m_nPrecision);
        FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
        SelectPrecision(m_anglePrecisionList, m_nAnglePrecision);
        UpdateControls();
    }
}

BOOL CDimensionTextSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    // A size the text style cannot take leaves the style's own.
    TextSetting text = pSetting->GetDimTextFont();
    text.SetFontName(m_strFontName);
    if (Fits(m_dHeight, 0.0, kMaxLength, false))
        text.SetHeight(m_dHeight);
    const double width = m_dWidth == DBL_MAX ? DBL_MAX : m_dWidth / 100.0;
    if (Fits(width, 0.0, kMaxLength, false))
        text.SetWidthRatio(width);
    text.SetStyleFlag(static_cast<BYTE>(m_nStyleFlag));
    if (m_dSlant == DBL_MAX || (m_dSlant >= -85.0 && m_dSlant <= 85.0))
        text.SetSlantAngle(m_dSlant);
    if (Fits(m_dSpacing, 0.0, kMaxLength, true))
        text.SetCharSpacing(m_dSpacing);
    pSetting->SetDimTextFont(text);
    pSetting->SetLengthUnitFormatType(m_nLengthFormat);
    pSetting->SetLengthDimValueScale(m_dScale);
    pSetting->SetPrecision(static_cast<short>(m_nPrecision));
    pSetting->SetRound(m_dRound);
    pSetting->SetAngleUnitFormatType(m_nAngleFormat);
    pSetting->SetAnglePrecision(static_cast<short>(m_nAnglePrecision));
    pSetting->SetZeroVisible(m_nZeroVisible);
    pSetting->SetSeparateTextType(m_nSeparator);
    pSetting->SetAddRPhi(m_nSign);
    pSetting->SetVerticalPos(m_nVerticalPos);
    pSetting->SetDistance(m_dDistance);
    pSetting->SetHorizonPos(m_nHorizontalPos);
    pSetting->SetPosAngle(m_nAngleRule);
    pSetting->SetDimValuePosAngle(m_dAngle);
    pSetting->SetToFullWidth(m_nFullWidth);
    pSetting->SetArcDimTextOption(m_nArcTextOption);
    return TRUE;
}

void CDimensionTextSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kFontId, m_fontList);
    DDX_Control(pDX, kPrecisionId, m_precisionList);
    DDX_Control(pDX, kAnglePrecisionId, m_anglePrecisionList);
    DDX_Control(pDX, kHeightId, m_heightEdit);
    DDX_Control(pDX, kWidthId, m_widthEdit);
    DDX_Control(pDX, kSpacingId, m_spacingEdit);
    DDX_Control(pDX, kSlantId, m_slantEdit);
    DDX_Control(pDX, kRoundId, m_roundEdit);
    DDX_Control(pDX, kScaleId, m_scaleEdit);
    DDX_Control(pDX, kDistanceId, m_distanceEdit);
    DDX_Control(pDX, kAngleId, m_angleEdit);
    for (int i = 0; i < 6; ++i)
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    DDX_CBIndex(pDX, kHorizontalId, m_nHorizontalPos);
    DDX_CBIndex(pDX, kPrecisionId, m_nPrecision);
    DDX_CBIndex(pDX, kSeparatorId, m_nSeparator);
    DDX_CBIndex(pDX, kAngleRuleId, m_nAngleRule);
    DDX_CBIndex(pDX, kVerticalId, m_nVerticalPos);
    DDX_Check(pDX, kFullWidthId, m_nFullWidth);
    DDX_Check(pDX, kZeroId, m_nZeroVisible);
    DDX_Check(pDX, kStyleFlagId, m_nStyleFlag);
    DDX_Check(pDX, kSignId, m_nSign);
    DDX_CBIndex(pDX, kAnglePrecisionId, m_nAnglePrecision);
    DDX_CBIndex(pDX, kLengthFormatId, m_nLengthFormat);
    DDX_CBIndex(pDX, kAngleFormatId, m_nAngleFormat);
    DDX_CBIndex(pDX, kArcTextId, m_nArcTextOption);
    DDX_DoubleEditDouble(pDX, kHeightId, m_dHeight, 0.0, kMaxLength, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kWidthId, m_dWidth, 1.0, 10000.0, TRUE, TRUE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kSpacingId, m_dSpacing, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kSlantId, m_dSlant, -85.0, 85.0, TRUE, TRUE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kRoundId, m_dRound, 0.0, kMaxLength, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kScaleId, m_dScale, 1e-100, 1e100, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kAngleId, m_dAngle, 0.0, 360.0, TRUE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kDistanceId, m_dDistance, -kMaxLength, kMaxLength, FALSE, FALSE, m_bMixedValues);
    if (pDX->m_bSaveAndValidate) {
        CString name;
        m_fontList.GetFontName(name);
        m_strFontName = m_bMixedValues && name.IsEmpty() ? kMixedText : name;
    } else if (m_bMixedValues && m_strFontName == kMixedText) {
        m_fontList.SetCurSel(-1);
    } else {
        // A vertical-writing face ("@Face") shows, and is kept, as its family.
        CString name = m_strFontName;
        if (name.GetLength() > 0 && name[0] == u'@')
            name = name.Mid(1);
        m_fontList.SelectFontName(name);
    }
}

BOOL CDimensionTextSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_roundEdit.SetValueKind(1);
    m_widthEdit.SetValueKind(4);
    m_spacingEdit.SetValueKind(1);
    m_slantEdit.SetValueKind(3);
    m_heightEdit.SetValueKind(1);
    m_angleEdit.SetValueKind(3);
    m_distanceEdit.SetValueKind(1);
    m_scaleEdit.SetValueKind(7);
    m_scaleEdit.m_nLengthUnitFormat = 0;
    m_slantEdit.m_bAllowNegative = TRUE;
    m_distanceEdit.m_bAllowNegative = TRUE;
    m_fontList.FillFontList();
    FillList(this, kHorizontalId, 13407, 7);
    FillList(this, kSeparatorId, 13414, 3);
    FillList(this, kAngleRuleId, 13417, 3);
    FillList(this, kVerticalId, 13420, 3);
    FillList(this, kLengthFormatId, 13423, 5);
    FillList(this, kAngleFormatId, 13428, 4);
    FillList(this, kArcTextId, 13432, 3);
    MakeThreeState({kFullWidthId, kZeroId, kStyleFlagId, kSignId});
    // The precision lists start with the loaded precisions selected, for the refill to keep them.
    FillLengthPrecisionComboBox(m_nLengthFormat, m_precisionList);
    SelectPrecision(m_precisionList, m_nPrecision);
    FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
    SelectPrecision(m_anglePrecisionList, m_nAnglePrecision);
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CDimensionTextSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    m_nPrecision = FillLengthPrecisionComboBox(m_nLengthFormat, m_precisionList);
    m_nAnglePrecision = FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
    if (m_nLengthFormat >= 0 && m_nLengthFormat <= 4)
        m_roundEdit.m_nLengthUnitFormat = m_nLengthFormat;
    if (m_nPrecision >= 0 && m_nPrecision <= 8)
        m_roundEdit.m_nLengthPrecision = m_nPrecision;
    m_roundEdit.SetValueKind(1);
    if (m_nPrecision + 1 >= 0)
        m_scaleEdit.m_nLengthPrecision = std::min(m_nPrecision + 1, 8);
    m_scaleEdit.SetValueKind(1);
    if (CWnd* pWnd = GetDlgItem(kPrecisionId))
        pWnd->EnableWindow(m_nLengthFormat >= 0);
    if (CWnd* pWnd = GetDlgItem(kAnglePrecisionId))
        pWnd->EnableWindow(m_nAngleFormat >= 0);
    for (int nID : {kAngleId, kAngleId + 1})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(m_nAngleRule == 2);
    if (!UpdateData(FALSE))
        return FALSE;
    DimensionStylePreview::BuildDimensionPreview(this);
    return TRUE;
}

void CDimensionTextSettingPage::OnClicked(UINT nID)
{
    if (nID != kFullWidthId && nID != kZeroId && nID != kStyleFlagId && nID != kSignId)
        return;
    DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    DimensionStylePreview::BuildDimensionPreview(this);
    NotifySettingChanged(FALSE);
}

void CDimensionTextSettingPage::OnSelect(UINT nID)
{
    switch (nID) {
    case kHorizontalId: case kVerticalId: case kSeparatorId: case kAngleRuleId: case kPrecisionId:
    case kAnglePrecisionId: case kArcTextId: case kFontId: case kLengthFormatId: case kAngleFormatId: break;
    default: return;
    }
    if (!UpdateData(TRUE))
        return;
    // A new format keeps the precision the list keeps (the degrees-minutes-seconds list ends at 6).
    if (nID == kLengthFormatId)
        m_nPrecision = FillLengthPrecisionComboBox(m_nLengthFormat, m_precisionList);
    if (nID == kAngleFormatId)
        m_nAnglePrecision = FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionTextSettingPage::OnTyping(UINT) { NotifySettingChanged(TRUE); }

void CDimensionTextSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE) && GetSafeHwnd() != nullptr)
        DimensionStylePreview::BuildDimensionPreview(this);
}

CQZ2DoubleEdit* CDimensionTextSettingPage::EditOfSpin(int nSpinID)
{
    switch (nSpinID) {
    case 2603: return &m_heightEdit;
    case 2605: return &m_widthEdit;
    case 2607: return &m_spacingEdit;
    case 2609: return &m_slantEdit;
    case 2623: return &m_distanceEdit;
    case 2628: return &m_angleEdit;
    default: return nullptr;
    }
}

void CDimensionTextSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (CQZ2DoubleEdit* pEdit = EditOfSpin(static_cast<int>(nID)))
        pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}
