#include "settings/CDrawSettingDialog.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "settings/SettingsDialogSupport.h"
#include "settings/UnitPrecisionLists.h"

namespace {

constexpr UINT kFirstPitchMode = 10155;
constexpr UINT kFirstWidthMode = 10158;
constexpr UINT kFirstLengthFormat = 11930;
constexpr int kLengthFormats = 5;
constexpr UINT kFirstAngleFormat = 11935;
constexpr int kAngleFormats = 4;

void Fill(CComboBox& list, UINT nFirst, int nCount)
{
    list.ResetContent();
    for (int i = 0; i < nCount; ++i)
        list.AddString(LoadSettingsString(nFirst + static_cast<UINT>(i)));
}

}  // namespace

BEGIN_MESSAGE_MAP(CDrawSettingDialog, CDialog)
ON_CBN_SELENDOK(CDrawSettingDialog::kLengthFormat, &CDrawSettingDialog::OnLengthFormat)
ON_CBN_SELENDOK(CDrawSettingDialog::kAngleFormat, &CDrawSettingDialog::OnAngleFormat)
END_MESSAGE_MAP()

CDrawSettingDialog::CDrawSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CDrawSettingDialog::~CDrawSettingDialog() = default;

void CDrawSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kJoin, m_join);
    DDX_Control(pDX, kCap, m_cap);
    DDX_Control(pDX, kPaperWidth, m_paperWidthList);
    DDX_Control(pDX, kPaperPitch, m_paperPitchList);
    DDX_Control(pDX, kPartWidth, m_partWidthList);
    DDX_Control(pDX, kPartPitch, m_partPitchList);
    DDX_Control(pDX, kLengthFormat, m_lengthFormatList);
    DDX_Control(pDX, kDistPrecision, m_distPrecisionList);
    DDX_Control(pDX, kAngleFormat, m_angleFormatList);
    DDX_Control(pDX, kAnglePrecision, m_anglePrecisionList);
    DDX_CBIndex(pDX, kPaperPitch, m_nPaperPitch);
    DDX_CBIndex(pDX, kPaperWidth, m_nPaperWidth);
    DDX_CBIndex(pDX, kPartPitch, m_nPartPitch);
    DDX_CBIndex(pDX, kPartWidth, m_nPartWidth);
    DDX_CBIndex(pDX, kLengthFormat, m_nLengthFormat);
    DDX_CBIndex(pDX, kDistPrecision, m_nDistPrecision);
    DDX_CBIndex(pDX, kAngleFormat, m_nAngleFormat);
    DDX_CBIndex(pDX, kAnglePrecision, m_nAnglePrecision);
    if (!pDX->m_bSaveAndValidate) {
        m_cap.SetLineCap(m_nCap);
        m_join.SetLineJoin(m_nJoin);
    } else {
        m_nCap = m_cap.GetLineCap();
        m_nJoin = m_join.GetLineJoin();
    }
}

BOOL CDrawSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    Fill(m_paperPitchList, kFirstPitchMode, 3);
    Fill(m_partPitchList, kFirstPitchMode, 3);
    Fill(m_paperWidthList, kFirstWidthMode, 3);
    Fill(m_partWidthList, kFirstWidthMode, 3);
    Fill(m_lengthFormatList, kFirstLengthFormat, kLengthFormats);
    Fill(m_angleFormatList, kFirstAngleFormat, kAngleFormats);
    // The precision lists hold the entries of the formats, so they are filled before the selections.
    FillLengthPrecisionComboBox(m_nLengthFormat, m_distPrecisionList);
    FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
    UpdateData(FALSE);
    m_nDistPrecision = FillLengthPrecisionComboBox(m_nLengthFormat, m_distPrecisionList);
    m_nAnglePrecision = FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
    SetHelpButtonImage(this, m_helpImage);
    return TRUE;
}

void CDrawSettingDialog::OnLengthFormat()
{
    UpdateData(TRUE);
    m_nDistPrecision = FillLengthPrecisionComboBox(m_nLengthFormat, m_distPrecisionList);
}

void CDrawSettingDialog::OnAngleFormat()
{
    UpdateData(TRUE);
    m_nAnglePrecision = FillAnglePrecisionComboBox(m_nAngleFormat, m_anglePrecisionList);
}

void CDrawSettingDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CDialog::OnOK();
}
