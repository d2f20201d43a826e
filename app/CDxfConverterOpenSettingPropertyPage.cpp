#include "app/CDxfConverterOpenSettingPropertyPage.h"

#include <cmath>

#include "command/LoadResourceString.h"
#include "controls/ControlsServices.h"
#include "controls/DoubleEditExchange.h"
#include "libs/conv/ACadConvSetting.h"
#include "libs/vevure/Paper2dFeature.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CDxfConverterOpenSettingPropertyPage, CPropertyPage)

namespace {

enum : int {
    IDC_PAPER_TYPE = 2315,
    IDC_ORIENT_PORTRAIT = 2316,
    IDC_ORIENT_LANDSCAPE = 2317,
    IDC_TEXT_PERCENT = 2320,
    IDC_TEXT_PERCENT_SPIN = 2321,
    IDC_WHITE_TO_BLACK = 2330,
    IDC_RESOLVE_DIMENSION = 2331,
    IDC_DEF_LINE_WIDTH = 2333,
    IDC_RESOLVE_MTEXT = 2335,
    IDC_ADJUST_TEXT_HEIGHT = 2336,
    IDC_HATCH_TRANSPARENCY = 2337,
    IDC_HATCH_TRANSPARENCY_SPIN = 2338,
    IDC_TEXT_FACTOR_AUTO = 2339,
    IDC_TEXT_FACTOR_GIVEN = 2340,
    IDC_RESOLVE_LEADER = 2343,
    IDC_WIDE_POLYLINE_TO_HATCH = 2344,
    IDC_READ_PAPER_SPACE = 2346,
    IDC_PAPER_SIZE_X = 2347,
    IDC_PAPER_SIZE_Y = 2348,
    IDC_SCALE_FIT = 2349,
    IDC_SCALE_GIVEN = 2350,
    IDC_SCALE_NUMERATOR = 2351,
    IDC_SCALE_NUMERATOR_SPIN = 2352,
    IDC_SCALE_DENOMINATOR = 2353,
    IDC_SCALE_DENOMINATOR_SPIN = 2354,
    IDC_PAPER_SIZE_X_SPIN = 2355,
    IDC_PAPER_SIZE_Y_SPIN = 2356,
    IDC_BLOCK_NAME_WITH_FILE = 2357,
    IDC_PART_LAYOUT_ORIGIN = 2358,
    IDC_MARGIN_X = 2359,
    IDC_MARGIN_X_SPIN = 2360,
    IDC_MARGIN_Y = 2361,
    IDC_MARGIN_Y_SPIN = 2362,
};

constexpr UINT IDS_USER_PAPER = 10161;
// The list texts of the placement combo (one per placement type) and of the default width combo's unit.
constexpr UINT IDS_PART_LAYOUT_ORIGIN_FIRST = 11549;
constexpr int kPartLayoutOriginCount = 2;
constexpr double kMaxLength = 1e15;

void EnableItems(CWnd* pPage, std::initializer_list<int> ids, BOOL bEnable)
{
    for (int nID : ids)
        if (CWnd* pItem = pPage->GetDlgItem(nID))
            pItem->EnableWindow(bEnable);
}

// A list index that the combo does not hold reads back as the stored value.
int IndexOrKeep(int nIndex, int nCount, int nStored)
{
    return nIndex >= 0 && nIndex < nCount ? nIndex : nStored;
}

bool ParseEdit(const CWnd& edit, double& value)
{
    CString text;
    edit.GetWindowText(text);
    return ControlsServices::StringToDouble(text, value) && std::isfinite(value);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDxfConverterOpenSettingPropertyPage, CPropertyPage)
    ON_BN_CLICKED(IDC_WHITE_TO_BLACK, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_RESOLVE_DIMENSION, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_RESOLVE_MTEXT, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_ADJUST_TEXT_HEIGHT, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_TEXT_FACTOR_AUTO, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_TEXT_FACTOR_GIVEN, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_RESOLVE_LEADER, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_WIDE_POLYLINE_TO_HATCH, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_READ_PAPER_SPACE, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_ORIENT_PORTRAIT, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_ORIENT_LANDSCAPE, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_SCALE_FIT, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_SCALE_GIVEN, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_BN_CLICKED(IDC_BLOCK_NAME_WITH_FILE, &CDxfConverterOpenSettingPropertyPage::OnClicked)
    ON_CBN_SELCHANGE(IDC_PAPER_TYPE, &CDxfConverterOpenSettingPropertyPage::OnPaperTypeChange)
    // The double edits keep EN_CHANGE to themselves; EN_UPDATE comes with every change as well.
    ON_EN_UPDATE(IDC_PAPER_SIZE_X, &CDxfConverterOpenSettingPropertyPage::OnPaperSizeChange)
    ON_EN_UPDATE(IDC_PAPER_SIZE_Y, &CDxfConverterOpenSettingPropertyPage::OnPaperSizeChange)
    ON_NOTIFY(UDN_DELTAPOS, IDC_TEXT_PERCENT_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_PAPER_SIZE_X_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_PAPER_SIZE_Y_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SCALE_NUMERATOR_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SCALE_DENOMINATOR_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_MARGIN_X_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
    ON_NOTIFY(UDN_DELTAPOS, IDC_MARGIN_Y_SPIN, &CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble)
END_MESSAGE_MAP()

CDxfConverterOpenSettingPropertyPage::CDxfConverterOpenSettingPropertyPage() : CPropertyPage(IDD)
{
    for (CQZ2DoubleEdit* pEdit : {&m_editTextPercent, &m_editPaperSizeX, &m_editPaperSizeY, &m_editScaleNumerator,
                                  &m_editScaleDenominator, &m_editMarginX, &m_editMarginY})
        pEdit->SetValueKind(4);
}

CDxfConverterOpenSettingPropertyPage::~CDxfConverterOpenSettingPropertyPage() = default;

void CDxfConverterOpenSettingPropertyPage::LoadFrom(const ACadConvSetting& s)
{
    m_nDefLineWidthIndex = ACadConvSetting::ConvertDefaultLineWidthNo(s.m_dDefLineWidth) - 1;
    m_bWhiteToBlack = s.m_nWhiteIsChagedQZBlack != 0;
    m_bResolveDimension = s.m_nResolveDimensionRead != 0;
    m_bResolveLeader = s.m_nResolveLeader != 0;
    m_bWidePolylineToHatch = s.m_nConvWPolylineToHatch != 0;
    m_bAdjustTextHeight = s.m_nAdjustmentTextHightRead != 0;
    m_nTextHeightFactorMode = s.m_nAdjustmentTextHightFacterAutoRead == 1 ? 0 : 1;
    m_dTextHeightPercent = s.m_dTextHiFacterRead * 100.0;
    m_bResolveMtext = s.m_nResolveMtext != 0;
    m_nHatchTransparency = s.m_nHatchTransparency;
    m_bBlockNameWithFileName = s.m_nBlockNameWithFileName != 0;
    m_bReadPaperSpace = s.m_nModelSpaceOnlyRead == 0;
    m_nPaperType = s.m_nPaperType;
    m_nPaperOrient = s.m_nPaperOrientType;
    m_dPaperSizeX = s.m_dPaperSizeX;
    m_dPaperSizeY = s.m_dPaperSizeY;
    m_nScaleMode = s.m_nAutoScale == 1 ? 0 : 1;
    m_dScaleNumerator = s.m_dScaleNumerator;
    m_dScaleDenominator = s.m_dScaleDenominator;
    m_nPartLayoutOrgPointType = s.m_nPartLayoutOrgPointType;
    m_dPaperMarginX = s.m_dPaperMarginX;
    m_dPaperMarginY = s.m_dPaperMarginY;
}

void CDxfConverterOpenSettingPropertyPage::SaveTo(ACadConvSetting& s) const
{
    if (m_nDefLineWidthIndex >= 0 && m_nDefLineWidthIndex < ACadConvSetting::kDefaultLineWidthCount)
        s.m_dDefLineWidth = ACadConvSetting::ConvertDefaultLineWidth(m_nDefLineWidthIndex + 1);
    s.m_nWhiteIsChagedQZBlack = m_bWhiteToBlack ? 1 : 0;
    s.m_nResolveDimensionRead = m_bResolveDimension ? 1 : 0;
    s.m_nResolveLeader = m_bResolveLeader ? 1 : 0;
    s.m_nConvWPolylineToHatch = m_bWidePolylineToHatch ? 1 : 0;
    s.m_nAdjustmentTextHightRead = m_bAdjustTextHeight ? 1 : 0;
    s.m_nAdjustmentTextHightFacterAutoRead = m_nTextHeightFactorMode == 0 ? 1 : 0;
    s.m_dTextHiFacterRead = m_dTextHeightPercent / 100.0;
    s.m_nResolveMtext = m_bResolveMtext ? 1 : 0;
    s.m_nHatchTransparency = m_nHatchTransparency;
    s.m_nBlockNameWithFileName = m_bBlockNameWithFileName ? 1 : 0;
    s.m_nModelSpaceOnlyRead = m_bReadPaperSpace ? 0 : 1;
    s.m_nPaperType = IndexOrKeep(m_nPaperType, kUserPaperType + 1, s.m_nPaperType);
    s.m_nPaperOrientType = m_nPaperOrient == 1 ? 1 : 0;
    s.m_dPaperSizeX = m_dPaperSizeX;
    s.m_dPaperSizeY = m_dPaperSizeY;
    s.m_nAutoScale = m_nScaleMode == 0 ? 1 : 0;
    s.m_dScaleNumerator = m_dScaleNumerator;
    s.m_dScaleDenominator = m_dScaleDenominator;
    s.m_nPartLayoutOrgPointType = IndexOrKeep(m_nPartLayoutOrgPointType, kPartLayoutOriginCount, s.m_nPartLayoutOrgPointType);
    s.m_dPaperMarginX = m_dPaperMarginX;
    s.m_dPaperMarginY = m_dPaperMarginY;
}

BOOL CDxfConverterOpenSettingPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_HATCH_TRANSPARENCY_SPIN)))
        pSpin->SetRange32(0, 100);
    // The double edits' spins only report their clicks; the edits take the step themselves.
    for (int nSpin : {IDC_TEXT_PERCENT_SPIN, IDC_PAPER_SIZE_X_SPIN, IDC_PAPER_SIZE_Y_SPIN, IDC_SCALE_NUMERATOR_SPIN,
                      IDC_SCALE_DENOMINATOR_SPIN, IDC_MARGIN_X_SPIN, IDC_MARGIN_Y_SPIN})
        if (auto* pSpin = static_cast<CSpinButtonCtrl*>(GetDlgItem(nSpin)))
            pSpin->SetRange32(nSpin == IDC_TEXT_PERCENT_SPIN ? 50 : 0, nSpin == IDC_TEXT_PERCENT_SPIN ? 200 : 100);

    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_PAPER_TYPE))) {
        pCombo->ResetContent();
        for (LPCTSTR name : {_T("A0"), _T("A1"), _T("A2"), _T("A3"), _T("A4")})
            pCombo->AddString(name);
        pCombo->AddString(LoadResourceString(IDS_USER_PAPER));
    }
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_DEF_LINE_WIDTH))) {
        pCombo->ResetContent();
        for (int no = 1; no <= ACadConvSetting::kDefaultLineWidthCount; ++no) {
            CString text;
            text.Format(_T("%g mm"), ACadConvSetting::ConvertDefaultLineWidth(no));
            pCombo->AddString(text);
        }
    }
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_PART_LAYOUT_ORIGIN))) {
        pCombo->ResetContent();
        for (int i = 0; i < kPartLayoutOriginCount; ++i)
            pCombo->AddString(LoadResourceString(IDS_PART_LAYOUT_ORIGIN_FIRST + i));
    }
    m_bFillingSizes = TRUE;
    UpdateData(FALSE);
    m_bFillingSizes = FALSE;
    UpdateControls();
    return TRUE;
}

void CDxfConverterOpenSettingPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT_PERCENT, m_editTextPercent);
    DDX_Control(pDX, IDC_PAPER_SIZE_X, m_editPaperSizeX);
    DDX_Control(pDX, IDC_PAPER_SIZE_Y, m_editPaperSizeY);
    DDX_Control(pDX, IDC_SCALE_NUMERATOR, m_editScaleNumerator);
    DDX_Control(pDX, IDC_SCALE_DENOMINATOR, m_editScaleDenominator);
    DDX_Control(pDX, IDC_MARGIN_X, m_editMarginX);
    DDX_Control(pDX, IDC_MARGIN_Y, m_editMarginY);

    DDX_CBIndex(pDX, IDC_DEF_LINE_WIDTH, m_nDefLineWidthIndex);
    DDX_Check(pDX, IDC_WHITE_TO_BLACK, m_bWhiteToBlack);
    DDX_Check(pDX, IDC_RESOLVE_DIMENSION, m_bResolveDimension);
    DDX_Check(pDX, IDC_RESOLVE_LEADER, m_bResolveLeader);
    DDX_Check(pDX, IDC_WIDE_POLYLINE_TO_HATCH, m_bWidePolylineToHatch);
    DDX_Check(pDX, IDC_ADJUST_TEXT_HEIGHT, m_bAdjustTextHeight);
    DDX_Radio(pDX, IDC_TEXT_FACTOR_AUTO, m_nTextHeightFactorMode);
    DDX_DoubleEditDouble(pDX, IDC_TEXT_PERCENT, m_dTextHeightPercent, 50.0, 200.0, TRUE, TRUE, FALSE);
    DDX_Check(pDX, IDC_RESOLVE_MTEXT, m_bResolveMtext);
    DDX_Text(pDX, IDC_HATCH_TRANSPARENCY, m_nHatchTransparency);
    DDV_MinMaxInt(pDX, m_nHatchTransparency, 0, 100);
    DDX_Check(pDX, IDC_BLOCK_NAME_WITH_FILE, m_bBlockNameWithFileName);
    DDX_Check(pDX, IDC_READ_PAPER_SPACE, m_bReadPaperSpace);
    DDX_CBIndex(pDX, IDC_PAPER_TYPE, m_nPaperType);
    DDX_Radio(pDX, IDC_ORIENT_PORTRAIT, m_nPaperOrient);
    DDX_DoubleEditDouble(pDX, IDC_PAPER_SIZE_X, m_dPaperSizeX, 1.0, kMaxLength, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, IDC_PAPER_SIZE_Y, m_dPaperSizeY, 1.0, kMaxLength, TRUE, TRUE, FALSE);
    DDX_Radio(pDX, IDC_SCALE_FIT, m_nScaleMode);
    DDX_DoubleEditDouble(pDX, IDC_SCALE_NUMERATOR, m_dScaleNumerator, 1.0, kMaxLength, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, IDC_SCALE_DENOMINATOR, m_dScaleDenominator, 1.0, kMaxLength, TRUE, TRUE, FALSE);
    DDX_CBIndex(pDX, IDC_PART_LAYOUT_ORIGIN, m_nPartLayoutOrgPointType);
    DDX_DoubleEditDouble(pDX, IDC_MARGIN_X, m_dPaperMarginX, 0.0, 50.0, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, IDC_MARGIN_Y, m_dPaperMarginY, 0.0, 50.0, TRUE, TRUE, FALSE);
}

void CDxfConverterOpenSettingPropertyPage::UpdateControls()
{
    const BOOL bAdjust = IsDlgButtonChecked(IDC_ADJUST_TEXT_HEIGHT) == BST_CHECKED;
    const BOOL bFactor = bAdjust && IsDlgButtonChecked(IDC_TEXT_FACTOR_GIVEN) == BST_CHECKED;
    EnableItems(this, {IDC_TEXT_FACTOR_AUTO, IDC_TEXT_FACTOR_GIVEN}, bAdjust);
    EnableItems(this, {IDC_TEXT_PERCENT, IDC_TEXT_PERCENT_SPIN}, bFactor);

    const BOOL bPaper = IsDlgButtonChecked(IDC_READ_PAPER_SPACE) == BST_CHECKED;
    EnableItems(this,
                {IDC_PAPER_TYPE, IDC_ORIENT_PORTRAIT, IDC_ORIENT_LANDSCAPE, IDC_SCALE_FIT, IDC_SCALE_GIVEN,
                 IDC_PART_LAYOUT_ORIGIN, IDC_MARGIN_X, IDC_MARGIN_X_SPIN, IDC_MARGIN_Y, IDC_MARGIN_Y_SPIN},
                bPaper);
    int nPaperType = -1;
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_PAPER_TYPE)))
        nPaperType = pCombo->GetCurSel();
    EnableItems(this, {IDC_PAPER_SIZE_X, IDC_PAPER_SIZE_Y, IDC_PAPER_SIZE_X_SPIN, IDC_PAPER_SIZE_Y_SPIN},
                bPaper && nPaperType == kUserPaperType);
    const BOOL bScale = bPaper && IsDlgButtonChecked(IDC_SCALE_GIVEN) == BST_CHECKED;
    EnableItems(this, {IDC_SCALE_NUMERATOR, IDC_SCALE_NUMERATOR_SPIN, IDC_SCALE_DENOMINATOR, IDC_SCALE_DENOMINATOR_SPIN},
                bScale);
}

void CDxfConverterOpenSettingPropertyPage::OnClicked() { UpdateControls(); }

void CDxfConverterOpenSettingPropertyPage::OnPaperTypeChange()
{
    auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_PAPER_TYPE));
    const int nType = pCombo != nullptr ? pCombo->GetCurSel() : -1;
    if (nType >= 0 && nType < kUserPaperType) {
        // The page's orientation 0 is portrait; the paper's own numbering has 0 for landscape.
        const int nPaperOrient = IsDlgButtonChecked(IDC_ORIENT_LANDSCAPE) == BST_CHECKED ? 0 : 1;
        double dWidth = 0.0, dHeight = 0.0;
        if (Paper2dFeature::GetPaperSize(nType, nPaperOrient, dWidth, dHeight)) {
            m_bFillingSizes = TRUE;
            m_editPaperSizeX.SetValue(dWidth);
            m_editPaperSizeY.SetValue(dHeight);
            m_bFillingSizes = FALSE;
        }
    }
    UpdateControls();
}

void CDxfConverterOpenSettingPropertyPage::OnPaperSizeChange()
{
    if (m_bFillingSizes || m_editPaperSizeX.GetSafeHwnd() == nullptr || m_editPaperSizeY.GetSafeHwnd() == nullptr)
        return;
    // Read as typed, without reformatting the text under the user's cursor.
    double dWidth = 0.0, dHeight = 0.0;
    if (!ParseEdit(m_editPaperSizeX, dWidth) || !ParseEdit(m_editPaperSizeY, dHeight))
        return;
    const BOOL bLandscape = IsDlgButtonChecked(IDC_ORIENT_LANDSCAPE) == BST_CHECKED;
    if (!bLandscape && dHeight < dWidth)
        CheckRadioButton(IDC_ORIENT_PORTRAIT, IDC_ORIENT_LANDSCAPE, IDC_ORIENT_LANDSCAPE);
    else if (bLandscape && dWidth < dHeight)
        CheckRadioButton(IDC_ORIENT_PORTRAIT, IDC_ORIENT_LANDSCAPE, IDC_ORIENT_PORTRAIT);
}

CQZ2DoubleEdit* CDxfConverterOpenSettingPropertyPage::DoubleEditOfSpin(int nSpinID)
{
    switch (nSpinID) {
    case IDC_TEXT_PERCENT_SPIN: return &m_editTextPercent;
    case IDC_PAPER_SIZE_X_SPIN: return &m_editPaperSizeX;
    case IDC_PAPER_SIZE_Y_SPIN: return &m_editPaperSizeY;
    case IDC_SCALE_NUMERATOR_SPIN: return &m_editScaleNumerator;
    case IDC_SCALE_DENOMINATOR_SPIN: return &m_editScaleDenominator;
    case IDC_MARGIN_X_SPIN: return &m_editMarginX;
    case IDC_MARGIN_Y_SPIN: return &m_editMarginY;
    default: return nullptr;
    }
}

void CDxfConverterOpenSettingPropertyPage::OnDeltaPosDouble(NMHDR* pNotify, LRESULT* pResult)
{
    if (pNotify != nullptr)
        if (CQZ2DoubleEdit* pEdit = DoubleEditOfSpin(static_cast<int>(pNotify->idFrom)))
            pEdit->OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNotify));
    if (pResult != nullptr)
        *pResult = 1;
}
