#include "settings/COleObjectSettingDialog.h"

#include <cfloat>

#include "controls/CSelectColorComboBox.h"
#include "controls/DoubleEditExchange.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/OleObjectSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/SettingsDialogSupport.h"

BEGIN_MESSAGE_MAP(COleObjectSettingDialog, CDialog)
ON_BN_CLICKED(COleObjectSettingDialog::kBackground, &COleObjectSettingDialog::OnBackgroundClicked)
ON_CONTROL_RANGE(EN_KILLFOCUS, COleObjectSettingDialog::kWidth, COleObjectSettingDialog::kScaleY,
                 &COleObjectSettingDialog::OnFieldLeft)
ON_CONTROL_RANGE(EN_SETFOCUS, COleObjectSettingDialog::kWidth, COleObjectSettingDialog::kScaleY,
                 &COleObjectSettingDialog::OnFieldEntered)
ON_CONTROL_RANGE(BN_SETFOCUS, COleObjectSettingDialog::kBackground, COleObjectSettingDialog::kBackground,
                 &COleObjectSettingDialog::OnFieldEntered)
ON_NOTIFY(UDN_DELTAPOS, COleObjectSettingDialog::kScaleXSpin, &COleObjectSettingDialog::OnSpin)
ON_NOTIFY(UDN_DELTAPOS, COleObjectSettingDialog::kScaleYSpin, &COleObjectSettingDialog::OnSpin)
ON_NOTIFY(UDN_DELTAPOS, COleObjectSettingDialog::kWidthSpin, &COleObjectSettingDialog::OnSpin)
ON_NOTIFY(UDN_DELTAPOS, COleObjectSettingDialog::kHeightSpin, &COleObjectSettingDialog::OnSpin)
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace {

// A natural size that sizes and scales can be converted with.
bool IsUsableNatural(double natural)
{
    return natural != DBL_MAX && natural > 1e-7;
}

float ScaleOf(double size, double natural)
{
    return size != DBL_MAX && IsUsableNatural(natural) ? static_cast<float>(size / natural * 100.0) : FLT_MAX;
}

}  // namespace

COleObjectSettingDialog::COleObjectSettingDialog(CWnd* pParent, BOOL bAllowMixed)
    : CDialog(IDD, pParent),
      m_pColorCombo(std::make_unique<CSelectColorComboBox>(TRUE, TRUE, FALSE, TRUE)),
      m_bAllowMixed(bAllowMixed)
{
}

COleObjectSettingDialog::~COleObjectSettingDialog() = default;

void COleObjectSettingDialog::SetColorTable(const ColorFeatureTable* pColors, const LayerFeatureTable* pLayers,
                                            long nLayerID)
{
    m_pColors = pColors;
    m_nLayerColorNo = nLayerID != -1 && pLayers != nullptr ? pLayers->GetLayerColorNo(nLayerID) : 32767;
}

BOOL COleObjectSettingDialog::SetOleObjectSetting(const OleObjectSetting* pSetting)
{
    if (pSetting == nullptr)
        return FALSE;
    m_dWidth = pSetting->GetWidth();
    m_dHeight = pSetting->GetHeight();
    m_bBackground = pSetting->GetBackgroundMode() != 0 ? TRUE : FALSE;
    m_nBackColorNo = pSetting->GetBackColorNo();
    m_dNaturalWidth = pSetting->GetNaturalWidth();
    m_dNaturalHeight = pSetting->GetNaturalHeight();
    m_fScaleX = ScaleOf(m_dWidth, m_dNaturalWidth);
    m_fScaleY = ScaleOf(m_dHeight, m_dNaturalHeight);
    return TRUE;
}

BOOL COleObjectSettingDialog::GetOleObjectSetting(OleObjectSetting* pSetting) const
{
    if (pSetting == nullptr)
        return FALSE;
    pSetting->SetWidth(m_dWidth);
    pSetting->SetHeight(m_dHeight);
    pSetting->SetScaleX(m_fScaleX);
    pSetting->SetScaleY(m_fScaleY);
    pSetting->SetBackgroundMode(m_bBackground);
    pSetting->SetBackColorNo(m_nBackColorNo);
    return TRUE;
}

void COleObjectSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kBackground, m_backgroundCheck);
    DDX_Control(pDX, kScaleXSpin, m_spins[0]);
    DDX_Control(pDX, kScaleYSpin, m_spins[1]);
    DDX_Control(pDX, kWidthSpin, m_spins[2]);
    DDX_Control(pDX, kHeightSpin, m_spins[3]);
    DDX_Control(pDX, kWidth, m_widthEdit);
    DDX_Control(pDX, kHeight, m_heightEdit);
    DDX_Control(pDX, kScaleX, m_scaleXEdit);
    DDX_Control(pDX, kScaleY, m_scaleYEdit);
    DDX_Control(pDX, kBackColor, *m_pColorCombo);
    DDX_Check(pDX, kBackground, m_bBackground);
    DDX_DoubleEditDouble(pDX, kWidth, m_dWidth, 0.0, 2.5e15, FALSE, FALSE, m_bAllowMixed);
    DDX_DoubleEditDouble(pDX, kHeight, m_dHeight, 0.0, 2.5e15, FALSE, FALSE, m_bAllowMixed);
    DDX_DoubleEditFloat(pDX, kScaleX, m_fScaleX, 0.0f, FLT_MAX, FALSE, FALSE, m_bAllowMixed);
    DDX_DoubleEditFloat(pDX, kScaleY, m_fScaleY, 0.0f, FLT_MAX, FALSE, FALSE, m_bAllowMixed);
    if (!pDX->m_bSaveAndValidate)
        m_pColorCombo->SetColorNo(m_nBackColorNo);
    else
        m_nBackColorNo = m_pColorCombo->GetColorNo();
}

BOOL COleObjectSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_widthEdit.SetValueKind(1);
    m_heightEdit.SetValueKind(1);
    m_scaleXEdit.SetValueKind(8);
    m_scaleYEdit.SetValueKind(8);
    m_pColorCombo->SetColorTable(m_pColors);
    m_pColorCombo->SetLayerColorNo(m_nLayerColorNo);
    m_pColorCombo->EnableWindow(m_bBackground);
    UpdateData(FALSE);
    SetHelpButtonImage(this, m_helpImage);
    return TRUE;
}

void COleObjectSettingDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kBackColor && lpMeasureItemStruct != nullptr) {
        const int height = DialogRowHeight(this);
        if (height > 0) {
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
            return;
        }
    }
    CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void COleObjectSettingDialog::OnBackgroundClicked()
{
    m_pColorCombo->EnableWindow(m_backgroundCheck.GetCheck() == BST_CHECKED);
}

BOOL COleObjectSettingDialog::Recalculate(int nField)
{
    if (!UpdateData(TRUE))
        return FALSE;
    BOOL bComputed = FALSE;
    switch (nField) {
    case kWidth:
        if (m_dWidth != DBL_MAX && IsUsableNatural(m_dNaturalWidth)) {
            m_fScaleX = ScaleOf(m_dWidth, m_dNaturalWidth);
            bComputed = TRUE;
        }
        break;
    case kHeight:
        if (m_dHeight != DBL_MAX && IsUsableNatural(m_dNaturalHeight)) {
            m_fScaleY = ScaleOf(m_dHeight, m_dNaturalHeight);
            bComputed = TRUE;
        }
        break;
    case kScaleX:
        if (m_fScaleX != FLT_MAX && IsUsableNatural(m_dNaturalWidth)) {
            m_dWidth = m_fScaleX / 100.0 * m_dNaturalWidth;
            bComputed = TRUE;
        }
        break;
    case kScaleY:
        if (m_fScaleY != FLT_MAX && IsUsableNatural(m_dNaturalHeight)) {
            m_dHeight = m_fScaleY / 100.0 * m_dNaturalHeight;
            bComputed = TRUE;
        }
        break;
    default:
        break;
    }
    if (bComputed)
        UpdateData(FALSE);
    return bComputed;
}

void COleObjectSettingDialog::OnFieldLeft(UINT nID)
{
    m_nLastLeft = static_cast<int>(nID);
}

void COleObjectSettingDialog::OnFieldEntered(UINT)
{
    if (m_nLastLeft != 0)
        Recalculate(m_nLastLeft);
}

void COleObjectSettingDialog::OnSpin(NMHDR* pNotify, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (pNotify == nullptr)
        return;
    int nField = 0;
    CQZ2DoubleEdit* pEdit = nullptr;
    switch (static_cast<int>(pNotify->idFrom)) {
    case kWidthSpin: nField = kWidth; pEdit = &m_widthEdit; break;
    case kHeightSpin: nField = kHeight; pEdit = &m_heightEdit; break;
    case kScaleXSpin: nField = kScaleX; pEdit = &m_scaleXEdit; break;
    case kScaleYSpin: nField = kScaleY; pEdit = &m_scaleYEdit; break;
    default: return;
    }
    pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    Recalculate(nField);
}
