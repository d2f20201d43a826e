#include "settings/CDimensionToleranceSettingPage.h"

#include <cfloat>
#include <utility>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/vevure/DimensionSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"
#include "settings/DimensionStylePreview.h"
#include "settings/UnitPrecisionLists.h"

namespace {
// A loaded precision beyond a shorter list (degrees-minutes-seconds end at 6) selects its last entry.
void SelectPrecision(CComboBox& list, int nPrecision)
{
    list.SetCurSel(nPrecision >= list.GetCount() ? list.GetCount() - 1 : nPrecision);
}

constexpr double kMaxValue = 1e15;

void FillList(CWnd* pPage, int nID, UINT nFirst, int nCount)
{
    if (auto* pList = dynamic_cast<CComboBox*>(pPage->GetDlgItem(nID))) {
        pList->ResetContent();
        for (int i = 0; i < nCount; ++i)
            pList->AddString(LoadResourceString(nFirst + i));
    }
}
}  // namespace

IMPLEMENT_DYNCREATE(CDimensionToleranceSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionToleranceSettingPage;

BEGIN_MESSAGE_MAP(CDimensionToleranceSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CDimensionToleranceSettingPage::CDimensionToleranceSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionTolerancePage;
}

CDimensionToleranceSettingPage::~CDimensionToleranceSettingPage() = default;

void CDimensionToleranceSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_nKind = pSetting->GetToleranceType();
    m_dTolerance1 = pSetting->GetTolerance1();
    m_dTolerance2 = pSetting->GetTolerance2();
    m_dAngle1 = pSetting->GetToleranceAngle1();
    m_dAngle2 = pSetting->GetToleranceAngle2();
    m_nValueShown = pSetting->GetVisibleDimValue();
    m_nPrecision = pSetting->GetTolerancePrecision();
    m_nAnglePrecision = pSetting->GetToleranceAnglePrecision();
    m_nZeroVisible = pSetting->GetToleranceZeroVisible();
    const double ratio = pSetting->GetToleranceTextSizeRatio();
    m_dRatio = ratio == DBL_MAX ? DBL_MAX : ratio * 100.0;
    m_nVertical = pSetting->GetToleranceVerticalTrueUpType();
    m_nHorizontal = pSetting->GetToleranceHorizonTrueUpType();
    m_nParenthesis = pSetting->GetToleranceAddParenthesis();
    if (GetSafeHwnd() != nullptr) {
        int nLength = -1, nAngle = -1;
        GetUnitFormats(nLength, nAngle);
        FillLengthPrecisionComboBox(nLength, m_precisionList);
        SelectPrecision(m_precisionList, m_nPrecision);
        FillAnglePrecisionComboBox(nAngle, m_anglePrecisionList);
        SelectPrecision(m_anglePrecisionList, m_nAnglePrecision);
        UpdateControls();
    }
}

BOOL CDimensionToleranceSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetToleranceType(m_nKind);
    pSetting->SetTolerance1(m_dTolerance1);
    pSetting->SetTolerance2(m_dTolerance2);
    pSetting->SetToleranceAngle1(m_dAngle1);
    pSetting->SetToleranceAngle2(m_dAngle2);
    pSetting->SetVisibleDimValue(m_nValueShown);
    pSetting->SetTolerancePrecision(static_cast<short>(m_nPrecision));
    pSetting->SetToleranceAnglePrecision(static_cast<short>(m_nAnglePrecision));
    pSetting->SetToleranceZeroVisible(m_nZeroVisible);
    pSetting->SetToleranceTextSizeRatio(m_dRatio == DBL_MAX ? DBL_MAX : m_dRatio / 100.0);
    pSetting->SetToleranceVerticalTrueUpType(m_nVertical);
    pSetting->SetToleranceHorizonTrueUpType(m_nHorizontal);
    pSetting->SetToleranceAddParenthesis(static_cast<BYTE>(m_nParenthesis));
    return TRUE;
}

void CDimensionToleranceSettingPage::GetUnitFormats(int& nLength, int& nAngle) const
{
    nLength = nAngle = -1;
    if (auto* pDialog = dynamic_cast<CFeatureSettingTreeDialog*>(GetParent())) {
        nLength = pDialog->GetDimensionLengthUnitFormat();
        nAngle = pDialog->GetDimensionAngleUnitFormat();
    }
}

void CDimensionToleranceSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kTolerance1Id, m_tolerance1Edit);
    DDX_Control(pDX, kTolerance2Id, m_tolerance2Edit);
    DDX_Control(pDX, kAngle1Id, m_angle1Edit);
    DDX_Control(pDX, kAngle2Id, m_angle2Edit);
    DDX_Control(pDX, kRatioId, m_ratioEdit);
    const int spinIds[5] = {kTolerance1Id + 1, kTolerance2Id + 1, kAngle1Id + 1, kAngle2Id + 1, kRatioId + 1};
    for (int i = 0; i < 5; ++i)
        DDX_Control(pDX, spinIds[i], m_spins[i]);
    DDX_Control(pDX, kPrecisionId, m_precisionList);
    DDX_Control(pDX, kAnglePrecisionId, m_anglePrecisionList);
    DDX_CBIndex(pDX, kHorizontalId, m_nHorizontal);
    DDX_CBIndex(pDX, kVerticalId, m_nVertical);
    DDX_CBIndex(pDX, kPrecisionId, m_nPrecision);
    DDX_CBIndex(pDX, kKindId, m_nKind);
    DDX_Check(pDX, kParenthesisId, m_nParenthesis);
    DDX_Check(pDX, kValueShownId, m_nValueShown);
    DDX_Check(pDX, kZeroId, m_nZeroVisible);
    DDX_CBIndex(pDX, kAnglePrecisionId, m_nAnglePrecision);
    DDX_DoubleEditDouble(pDX, kTolerance1Id, m_dTolerance1, -kMaxValue, kMaxValue, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kTolerance2Id, m_dTolerance2, -kMaxValue, kMaxValue, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kAngle1Id, m_dAngle1, -kMaxValue, kMaxValue, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kAngle2Id, m_dAngle2, -kMaxValue, kMaxValue, FALSE, FALSE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kRatioId, m_dRatio, 25.0, 100.0, TRUE, TRUE, m_bMixedValues);
}

BOOL CDimensionToleranceSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tolerance1Edit.SetValueKind(1);
    m_tolerance2Edit.SetValueKind(1);
    m_angle1Edit.SetValueKind(3);
    m_angle2Edit.SetValueKind(3);
    m_ratioEdit.SetValueKind(4);
    for (CQZ2DoubleEdit* pEdit : {&m_tolerance1Edit, &m_tolerance2Edit, &m_angle1Edit, &m_angle2Edit})
        pEdit->m_bAllowNegative = TRUE;
    FillList(this, kKindId, 13441, 7);
    FillList(this, kVerticalId, 13438, 3);
    FillList(this, kHorizontalId, 13435, 3);
    MakeThreeState({kValueShownId, kZeroId, kParenthesisId});
    // The precision lists start with the loaded precisions selected, for the refill to keep them.
    int nLength = -1, nAngle = -1;
    GetUnitFormats(nLength, nAngle);
    FillLengthPrecisionComboBox(nLength, m_precisionList);
    SelectPrecision(m_precisionList, m_nPrecision);
    FillAnglePrecisionComboBox(nAngle, m_anglePrecisionList);
    SelectPrecision(m_anglePrecisionList, m_nAnglePrecision);
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CDimensionToleranceSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    int L = -1, A = -1;
    GetUnitFormats(L, A);
    const int P = FillLengthPrecisionComboBox(L, m_precisionList);
    const int Q = FillAnglePrecisionComboBox(A, m_anglePrecisionList);
    m_nPrecision = P;
    m_nAnglePrecision = Q;
    for (CQZ2DoubleEdit* pEdit : {&m_tolerance1Edit, &m_tolerance2Edit}) {
        if (L >= 0 && L <= 4)
            pEdit->m_nLengthUnitFormat = L;
        if (P >= 0 && P <= 8)
            pEdit->m_nLengthPrecision = P;
        pEdit->SetValueKind(1);
    }
    for (CQZ2DoubleEdit* pEdit : {&m_angle1Edit, &m_angle2Edit}) {
        if (A >= 0 && A <= 3)
            pEdit->m_nAngleUnitFormat = A;
        if (Q >= 0 && Q <= 8 && (A != 1 || Q <= 6))
            pEdit->m_nAnglePrecision = Q;
        pEdit->SetValueKind(3);
    }
    const int K = m_nKind;
    const bool bOff = K == 0 || K == 4 || K == 5 || K == 6;
    const bool bFirst = K == -1 || K == 1 || K == 2 || K == 3;
    const bool bSecond = K == -1 || K == 2 || K == 3;
    const std::pair<int, bool> enabling[] = {
        {kValueShownId, !bOff && K == 3},
        {kTolerance1Id, !bOff && bFirst}, {kTolerance1Id + 1, !bOff && bFirst},
        {kAngle1Id, !bOff && bFirst},     {kAngle1Id + 1, !bOff && bFirst},
        {kTolerance2Id, !bOff && bSecond}, {kTolerance2Id + 1, !bOff && bSecond},
        {kAngle2Id, !bOff && bSecond},     {kAngle2Id + 1, !bOff && bSecond},
        {kHorizontalId, !bOff && K != 1},
        {kPrecisionId, !bOff && L >= 0},  {kAnglePrecisionId, !bOff && A >= 0},
        {kRatioId, !bOff},                {kRatioId + 1, !bOff},
        {kVerticalId, !bOff},             {kZeroId, !bOff},
        {kParenthesisId, !bOff},
    };
    for (const auto& [nID, bEnable] : enabling)
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    if (!UpdateData(FALSE))
        return FALSE;
    DimensionStylePreview::BuildDimensionTextPreview(this);
    return TRUE;
}

void CDimensionToleranceSettingPage::OnClicked(UINT nID)
{
    if (nID != kValueShownId && nID != kZeroId && nID != kParenthesisId)
        return;
    DecideThreeStateBox(static_cast<int>(nID));
    if (!UpdateData(TRUE))
        return;
    DimensionStylePreview::BuildDimensionTextPreview(this);
    NotifySettingChanged(FALSE);
}

void CDimensionToleranceSettingPage::OnSelect(UINT nID)
{
    switch (nID) {
    case kKindId: case kPrecisionId: case kAnglePrecisionId: case kVerticalId: case kHorizontalId: break;
    default: return;
    }
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionToleranceSettingPage::OnTyping(UINT) { NotifySettingChanged(TRUE); }

void CDimensionToleranceSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE) && GetSafeHwnd() != nullptr)
        DimensionStylePreview::BuildDimensionTextPreview(this);
}

CQZ2DoubleEdit* CDimensionToleranceSettingPage::EditOfSpin(int nSpinID)
{
    switch (nSpinID - 1) {
    case kTolerance1Id: return &m_tolerance1Edit;
    case kTolerance2Id: return &m_tolerance2Edit;
    case kAngle1Id: return &m_angle1Edit;
    case kAngle2Id: return &m_angle2Edit;
    case kRatioId: return &m_ratioEdit;
    default: return nullptr;
    }
}

void CDimensionToleranceSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (CQZ2DoubleEdit* pEdit = EditOfSpin(static_cast<int>(nID)))
        pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}
