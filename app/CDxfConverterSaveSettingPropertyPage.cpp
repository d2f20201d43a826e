#include "app/CDxfConverterSaveSettingPropertyPage.h"

#include <iterator>

#include "command/LoadResourceString.h"
#include "controls/DoubleEditExchange.h"
#include "libs/conv/ACadConvSetting.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CDxfConverterSaveSettingPropertyPage, CPropertyPage)

namespace {

enum : int {
    IDC_TEXT_PERCENT = 2322,
    IDC_TEXT_PERCENT_SPIN = 2323,
    IDC_GOTHIC_FOR_HORIZONTAL_TEXT = 2324,
    IDC_DWG_VERSION = 2325,
    IDC_SAVE_TYPE_FIRST = 2326,
    IDC_SAVE_TYPE_SECOND = 2327,
    IDC_BLACK_TO_WHITE = 2329,
    IDC_RESOLVE_DIMENSION = 2332,
    IDC_IMAGE_FILE_TYPE = 2334,
    IDC_TEXT_FACTOR_AUTO = 2341,
    IDC_TEXT_FACTOR_GIVEN = 2342,
    IDC_ADJUST_TEXT_HEIGHT = 2345,
};

// List texts: the drawing versions and the image file types.
constexpr UINT IDS_DWG_VERSION_FIRST = 11551;
constexpr int kDwgVersionCount = 9;
constexpr UINT IDS_IMAGE_FILE_TYPE_FIRST = 11560;
// The stored type of each entry of the image list.
constexpr int kImageFileTypes[] = {20, 23, 21, 22};

}  // namespace

BEGIN_MESSAGE_MAP(CDxfConverterSaveSettingPropertyPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ADJUST_TEXT_HEIGHT, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_TEXT_FACTOR_AUTO, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_TEXT_FACTOR_GIVEN, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_BLACK_TO_WHITE, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_RESOLVE_DIMENSION, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_GOTHIC_FOR_HORIZONTAL_TEXT, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_SAVE_TYPE_FIRST, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_SAVE_TYPE_SECOND, &CDxfConverterSaveSettingPropertyPage::OnClicked)
    ON_NOTIFY(UDN_DELTAPOS, IDC_TEXT_PERCENT_SPIN, &CDxfConverterSaveSettingPropertyPage::OnDeltaPosPercent)
END_MESSAGE_MAP()

CDxfConverterSaveSettingPropertyPage::CDxfConverterSaveSettingPropertyPage() : CPropertyPage(IDD)
{
    m_editTextPercent.SetValueKind(4);
}

CDxfConverterSaveSettingPropertyPage::~CDxfConverterSaveSettingPropertyPage() = default;

int CDxfConverterSaveSettingPropertyPage::ImageFileTypeOfIndex(int nIndex)
{
    return nIndex >= 0 && nIndex < static_cast<int>(std::size(kImageFileTypes)) ? kImageFileTypes[nIndex]
                                                                                 : kImageFileTypes[0];
}

int CDxfConverterSaveSettingPropertyPage::IndexOfImageFileType(int nType)
{
    for (int i = 0; i < static_cast<int>(std::size(kImageFileTypes)); ++i)
        if (kImageFileTypes[i] == nType)
            return i;
    return 0;
}

void CDxfConverterSaveSettingPropertyPage::LoadFrom(const ACadConvSetting& s)
{
    m_nSaveType = s.m_nQZDrawingSaveType == 1 ? 1 : 0;
    m_nDwgVersionIndex = s.m_nDwgSaveVer;
    m_bBlackToWhite = s.m_nQZBlackIsChagedWhite != 0;
    m_bResolveDimension = s.m_nResolveDimensionWrite != 0;
    m_bGothicForHorizontalText = s.m_nUseMsGothicForHorizonText != 0;
    m_bAdjustTextHeight = s.m_nAdjustmentTextHightWrite != 0;
    m_nTextHeightFactorMode = s.m_nAdjustmentTextHightFacterAutoWrite == 1 ? 0 : 1;
    m_dTextHeightPercent = s.m_dTextHiFacterWrite * 100.0;
    m_nImageFileIndex = IndexOfImageFileType(s.m_nImageFileType);
}

void CDxfConverterSaveSettingPropertyPage::SaveTo(ACadConvSetting& s) const
{
    s.m_nQZDrawingSaveType = m_nSaveType == 1 ? 1 : 0;
    // A stored version the list does not hold stays as it was.
    if (m_nDwgVersionIndex >= 0 && m_nDwgVersionIndex < kDwgVersionCount)
        s.m_nDwgSaveVer = m_nDwgVersionIndex;
    s.m_nQZBlackIsChagedWhite = m_bBlackToWhite ? 1 : 0;
    s.m_nResolveDimensionWrite = m_bResolveDimension ? 1 : 0;
    s.m_nUseMsGothicForHorizonText = m_bGothicForHorizontalText ? 1 : 0;
    s.m_nAdjustmentTextHightWrite = m_bAdjustTextHeight ? 1 : 0;
    s.m_nAdjustmentTextHightFacterAutoWrite = m_nTextHeightFactorMode == 0 ? 1 : 0;
    s.m_dTextHiFacterWrite = m_dTextHeightPercent / 100.0;
    s.m_nImageFileType = ImageFileTypeOfIndex(m_nImageFileIndex);
}

BOOL CDxfConverterSaveSettingPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_TEXT_PERCENT_SPIN)))
        pSpin->SetRange32(50, 200);
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_DWG_VERSION))) {
        pCombo->ResetContent();
        for (int i = 0; i < kDwgVersionCount; ++i)
            pCombo->AddString(LoadResourceString(IDS_DWG_VERSION_FIRST + i));
    }
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_IMAGE_FILE_TYPE))) {
        pCombo->ResetContent();
        for (int i = 0; i < static_cast<int>(std::size(kImageFileTypes)); ++i)
            pCombo->AddString(LoadResourceString(IDS_IMAGE_FILE_TYPE_FIRST + i));
    }
    UpdateData(FALSE);
    UpdateControls();
    return TRUE;
}

void CDxfConverterSaveSettingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT_PERCENT, m_editTextPercent);
    DDX_Radio(pDX, IDC_SAVE_TYPE_FIRST, m_nSaveType);
    DDX_CBIndex(pDX, IDC_DWG_VERSION, m_nDwgVersionIndex);
    DDX_Check(pDX, IDC_BLACK_TO_WHITE, m_bBlackToWhite);
    DDX_Check(pDX, IDC_RESOLVE_DIMENSION, m_bResolveDimension);
    DDX_Check(pDX, IDC_GOTHIC_FOR_HORIZONTAL_TEXT, m_bGothicForHorizontalText);
    DDX_Check(pDX, IDC_ADJUST_TEXT_HEIGHT, m_bAdjustTextHeight);
    DDX_Radio(pDX, IDC_TEXT_FACTOR_AUTO, m_nTextHeightFactorMode);
    DDX_DoubleEditDouble(pDX, IDC_TEXT_PERCENT, m_dTextHeightPercent, 50.0, 200.0, TRUE, TRUE, FALSE);
    DDX_CBIndex(pDX, IDC_IMAGE_FILE_TYPE, m_nImageFileIndex);
}

void CDxfConverterSaveSettingPropertyPage::UpdateControls()
{
    const BOOL bAdjust = IsDlgButtonChecked(IDC_ADJUST_TEXT_HEIGHT) == BST_CHECKED;
    const BOOL bFactor = bAdjust && IsDlgButtonChecked(IDC_TEXT_FACTOR_GIVEN) == BST_CHECKED;
    for (int nID : {IDC_TEXT_FACTOR_AUTO, IDC_TEXT_FACTOR_GIVEN})
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(bAdjust);
    for (int nID : {IDC_TEXT_PERCENT, IDC_TEXT_PERCENT_SPIN})
        if (CWnd* pItem = GetDlgItem(nID))
            pItem->EnableWindow(bFactor);
}

void CDxfConverterSaveSettingPropertyPage::OnClicked() { UpdateControls(); }

void CDxfConverterSaveSettingPropertyPage::OnDeltaPosPercent(NMHDR* pNotify, LRESULT* pResult)
{
    if (pNotify != nullptr)
        m_editTextPercent.OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    if (pResult != nullptr)
        *pResult = 1;
}
