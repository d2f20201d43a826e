#include "settings/CDimensionAddTextSettingPage.h"

#include <cfloat>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/vevure/DimensionSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/DimensionStylePreview.h"

namespace {
constexpr UINT IDS_FIRST_READY_TEXT = 13448;
constexpr int kReadyTexts = 5;

int IndexOfText(int nID)
{
    for (int i = 0; i < 5; ++i)
        if (CDimensionAddTextSettingPage::kTextIds[i] == nID)
            return i;
    return -1;
}

double ToPercent(double ratio) { return ratio == DBL_MAX ? DBL_MAX : ratio * 100.0; }
double ToRatio(double percent) { return percent == DBL_MAX ? DBL_MAX : percent / 100.0; }
}  // namespace

const int CDimensionAddTextSettingPage::kTextIds[5] = {kPreTextId, kInsideText1Id, kInsideText2Id, kPostText1Id,
                                                       kPostText2Id};

IMPLEMENT_DYNCREATE(CDimensionAddTextSettingPage, CFeatureSettingPropertyPage)

using Page = CDimensionAddTextSettingPage;

BEGIN_MESSAGE_MAP(CDimensionAddTextSettingPage, CFeatureSettingPropertyPage)
    ON_CONTROL_RANGE(BN_CLICKED, Page::kFirstId, Page::kLastId, &Page::OnClicked)
    ON_CONTROL_RANGE(CBN_SELENDOK, Page::kFirstId, Page::kLastId, &Page::OnSelect)
    ON_CONTROL_RANGE(CBN_EDITCHANGE, Page::kFirstId, Page::kLastId, &Page::OnEditText)
    ON_CONTROL_RANGE(EN_UPDATE, Page::kFirstId, Page::kLastId, &Page::OnTyping)
    ON_CONTROL_RANGE(EN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Page::kFirstId, Page::kLastId, &Page::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, Page::kFirstId, Page::kLastId, &Page::OnDeltaPos)
END_MESSAGE_MAP()

CDimensionAddTextSettingPage::CDimensionAddTextSettingPage() : CFeatureSettingPropertyPage(IDD, 0)
{
    m_nPageIndex = kDimensionAddTextPage;
}

CDimensionAddTextSettingPage::~CDimensionAddTextSettingPage() = default;

void CDimensionAddTextSettingPage::SetDimensionSetting(const DimensionSetting* pSetting)
{
    if (pSetting == nullptr)
        return;
    m_strPreText = pSetting->GetPreAdditionText();
    m_nInsideType = pSetting->GetInsideAdditionTextType();
    m_strInsideText1 = pSetting->GetInsideAdditionText1();
    m_strInsideText2 = pSetting->GetInsideAdditionText2();
    m_dInsideRatio = ToPercent(pSetting->GetInsideAdditionTextSizeRatio());
    m_nInsideVertical = pSetting->GetInsideAdditionTextVerticalArrangeType();
    m_nInsideHorizontal = pSetting->GetInsideAdditionTextHorizonArrangeType();
    m_nPostType = pSetting->GetPostAdditionTextType();
    m_strPostText1 = pSetting->GetPostAdditionText1();
    m_strPostText2 = pSetting->GetPostAdditionText2();
    m_dPostRatio = ToPercent(pSetting->GetPostAdditionTextSizeRatio());
    m_nPostVertical = pSetting->GetPostAdditionTextVerticalArrangeType();
    m_nPostHorizontal = pSetting->GetPostAdditionTextHorizonArrangeType();
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
}

BOOL CDimensionAddTextSettingPage::GetDimensionSetting(DimensionSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetPreAdditionText(m_strPreText);
    pSetting->SetInsideAdditionTextType(m_nInsideType);
    pSetting->SetInsideAdditionText1(m_strInsideText1);
    pSetting->SetInsideAdditionText2(m_strInsideText2);
    pSetting->SetInsideAdditionTextSizeRatio(ToRatio(m_dInsideRatio));
    pSetting->SetInsideAdditionTextVerticalArrangeType(m_nInsideVertical);
    pSetting->SetInsideAdditionTextHorizonArrangeType(m_nInsideHorizontal);
    pSetting->SetPostAdditionTextType(m_nPostType);
    pSetting->SetPostAdditionText1(m_strPostText1);
    pSetting->SetPostAdditionText2(m_strPostText2);
    pSetting->SetPostAdditionTextSizeRatio(ToRatio(m_dPostRatio));
    pSetting->SetPostAdditionTextVerticalArrangeType(m_nPostVertical);
    pSetting->SetPostAdditionTextHorizonArrangeType(m_nPostHorizontal);
    return TRUE;
}

void CDimensionAddTextSettingPage::MarkTextsEntered()
{
    for (int& entered : m_entered)
        entered = 1;
}

void CDimensionAddTextSettingPage::DoDataExchange(CDataExchange* pDX)
{
    CFeatureSettingPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kInsideRatioId + 1, m_insideRatioSpin);
    DDX_Control(pDX, kPostRatioId + 1, m_postRatioSpin);
    DDX_Control(pDX, kInsideRatioId, m_insideRatioEdit);
    DDX_Control(pDX, kPostRatioId, m_postRatioEdit);
    DDX_CBIndex(pDX, kPostHorizontalId, m_nPostHorizontal);
    DDX_Radio(pDX, kPostOneId, m_nPostType);
    DDX_CBIndex(pDX, kPostVerticalId, m_nPostVertical);
    DDX_CBIndex(pDX, kInsideVerticalId, m_nInsideVertical);
    DDX_CBIndex(pDX, kInsideHorizontalId, m_nInsideHorizontal);
    DDX_Radio(pDX, kInsideOneId, m_nInsideType);
    DDX_DoubleEditDouble(pDX, kInsideRatioId, m_dInsideRatio, 25.0, 100.0, TRUE, TRUE, m_bMixedValues);
    DDX_DoubleEditDouble(pDX, kPostRatioId, m_dPostRatio, 25.0, 100.0, TRUE, TRUE, m_bMixedValues);
    // An untouched empty text of the mixed-values mode stays each shape's own (the marker).
    CString* const texts[5] = {&m_strPreText, &m_strInsideText1, &m_strInsideText2, &m_strPostText1,
                               &m_strPostText2};
    for (int i = 0; i < 5; ++i)
        DDX_CBStringDefault(pDX, kTextIds[i], *texts[i], kMaxTextLength, m_bMixedValues, m_entered[i] != 0);
}

BOOL CDimensionAddTextSettingPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_insideRatioEdit.SetValueKind(4);
    m_postRatioEdit.SetValueKind(4);
    for (int nID : kTextIds)
        if (auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(nID))) {
            pList->LimitText(kMaxTextLength);
            for (int i = 0; i < kReadyTexts; ++i)
                pList->AddString(LoadResourceString(IDS_FIRST_READY_TEXT + i));
        }
    for (int nID : {kInsideVerticalId, kPostVerticalId})
        if (auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(nID)))
            for (int i = 0; i < 3; ++i)
                pList->AddString(LoadResourceString(13438 + i));
    for (int nID : {kInsideHorizontalId, kPostHorizontalId})
        if (auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(nID)))
            for (int i = 0; i < 3; ++i)
                pList->AddString(LoadResourceString(13435 + i));
    if (GetSafeHwnd() != nullptr)
        UpdateControls();
    return TRUE;
}

BOOL CDimensionAddTextSettingPage::UpdateControls()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    for (int nID : {kInsideText2Id, kInsideHorizontalId})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(m_nInsideType == 1);
    for (int nID : {kPostText2Id, kPostHorizontalId})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(m_nPostType == 1);
    if (!UpdateData(FALSE))
        return FALSE;
    DimensionStylePreview::BuildDimensionTextPreview(this);
    return TRUE;
}

void CDimensionAddTextSettingPage::TextEntered(int nIndex)
{
    m_entered[nIndex] = 1;
    if (!UpdateData(TRUE))
        return;
    DimensionStylePreview::BuildDimensionTextPreview(this);
    NotifySettingChanged(FALSE);
}

void CDimensionAddTextSettingPage::OnClicked(UINT nID)
{
    if (nID != kInsideOneId && nID != kInsideTwoId && nID != kPostOneId && nID != kPostTwoId)
        return;
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionAddTextSettingPage::OnSelect(UINT nID)
{
    const int nText = IndexOfText(static_cast<int>(nID));
    if (nText >= 0) {
        // A ready-made entry goes into the field, as if typed.
        auto* pList = dynamic_cast<CComboBox*>(GetDlgItem(static_cast<int>(nID)));
        const int nIndex = pList != nullptr ? pList->GetCurSel() : CB_ERR;
        if (nIndex == CB_ERR)
            return;
        CString text;
        pList->GetLBText(nIndex, text);
        pList->SetWindowText(text);
        TextEntered(nText);
        return;
    }
    switch (nID) {
    case kInsideVerticalId: case kInsideHorizontalId: case kPostVerticalId: case kPostHorizontalId: break;
    default: return;
    }
    if (!UpdateData(TRUE))
        return;
    UpdateControls();
    NotifySettingChanged(FALSE);
}

void CDimensionAddTextSettingPage::OnEditText(UINT nID)
{
    const int nText = IndexOfText(static_cast<int>(nID));
    if (nText >= 0)
        TextEntered(nText);
}

void CDimensionAddTextSettingPage::OnTyping(UINT nID)
{
    if (nID == kInsideRatioId || nID == kPostRatioId)
        NotifySettingChanged(TRUE);
}

void CDimensionAddTextSettingPage::OnFocusField(UINT)
{
    if (UpdateData(TRUE) && GetSafeHwnd() != nullptr)
        DimensionStylePreview::BuildDimensionTextPreview(this);
}

void CDimensionAddTextSettingPage::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (static_cast<int>(nID) == kInsideRatioId + 1)
        m_insideRatioEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
    else if (static_cast<int>(nID) == kPostRatioId + 1)
        m_postRatioEdit.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
}
