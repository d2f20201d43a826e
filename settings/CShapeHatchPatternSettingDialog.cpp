#include "settings/CShapeHatchPatternSettingDialog.h"

#include "controls/DoubleEditExchange.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"

namespace {

constexpr UINT kMsgAngleOrder = 10382;
constexpr double kLargest = 1e15;
// The numeric edits and their spins, in the order of m_edits.
constexpr int kEditIds[4] = {CShapeHatchPatternSettingDialog::kAngle1Edit, CShapeHatchPatternSettingDialog::kSpace1Edit,
                             CShapeHatchPatternSettingDialog::kAngle2Edit, CShapeHatchPatternSettingDialog::kSpace2Edit};
constexpr int kSpinIds[4] = {2513, 2514, 2051, 2515};

}  // namespace

using Dlg = CShapeHatchPatternSettingDialog;

BEGIN_MESSAGE_MAP(CShapeHatchPatternSettingDialog, CHatchPatternSettingDialogBase)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kNameEdit, Dlg::kNameEdit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kAngle2Edit, Dlg::kAngle2Edit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kSpace2Edit, Dlg::kSpace2Edit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kSpace1Edit, Dlg::kAngle1Edit, &Dlg::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, 2051, 2515, &Dlg::OnDeltaPos)
END_MESSAGE_MAP()

CShapeHatchPatternSettingDialog::CShapeHatchPatternSettingDialog(CWnd* pParent)
    : CHatchPatternSettingDialogBase(IDD, pParent)
{
}

CShapeHatchPatternSettingDialog::~CShapeHatchPatternSettingDialog() = default;

void CShapeHatchPatternSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CHatchPatternSettingDialogBase::DoDataExchange(pDX);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    }
    DDX_Text(pDX, kNameEdit, m_strName);
    DDX_DoubleEditDouble(pDX, kAngle1Edit, m_dAngle1, -90.0, 90.0, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kSpace1Edit, m_dSpace1, 0.0, kLargest, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kAngle2Edit, m_dAngle2, 0.0, 180.0, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kSpace2Edit, m_dSpace2, 0.0, kLargest, FALSE, FALSE, FALSE);
    if (pDX->m_bSaveAndValidate && !(m_dAngle2 > m_dAngle1)) {
        AfxMessageBox(kMsgAngleOrder, MB_OK | MB_ICONEXCLAMATION);
        pDX->PrepareEditCtrl(kAngle2Edit);
        pDX->Fail();
    }
}

BOOL CShapeHatchPatternSettingDialog::OnInitDialog()
{
    m_strName = m_pattern.GetPatternName();
    m_dAngle1 = m_pattern.GetAngle1();
    m_dSpace1 = m_pattern.GetSpace1();
    m_dAngle2 = m_pattern.GetAngle2();
    m_dSpace2 = m_pattern.GetSpace2();
    CHatchPatternSettingDialogBase::OnInitDialog();
    // The first exchange bound the edits; shown again in their kinds.
    for (int i = 0; i < 4; ++i)
        m_edits[i].SetValueKind(i % 2 == 0 ? 3 : 1);
    m_edits[0].m_bAllowNegative = TRUE;
    m_edits[1].m_bAllowNegative = TRUE;
    m_edits[2].m_bAllowNegative = TRUE;
    UpdateData(FALSE);
    InitPreviewAndHelp();
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(TRUE);
    return TRUE;
}

void Dlg::StoreFields()
{
    m_pattern.SetAngle(m_dAngle1, m_dAngle2);
    m_pattern.SetSpace1(m_dSpace1);
    m_pattern.SetSpace2(m_dSpace2);
}

void CShapeHatchPatternSettingDialog::OnFocusField(UINT)
{
    if (!IsFocusToRead() || !ReadFields())
        return;
    StoreFields();
    MarkPreviewOutdated();
}

void CShapeHatchPatternSettingDialog::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int nField = -1;
    for (int i = 0; i < 4; ++i)
        if (static_cast<int>(nID) == kSpinIds[i])
            nField = i;
    if (nField < 0)
        return;
    m_edits[nField].OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
    if (!ReadFields())
        return;
    switch (nField) {
    case 0: case 2: m_pattern.SetAngle(m_dAngle1, m_dAngle2); break;
    case 1: m_pattern.SetSpace1(m_dSpace1); break;
    default: m_pattern.SetSpace2(m_dSpace2); break;
    }
    MarkPreviewOutdated();
}

void CShapeHatchPatternSettingDialog::OnOK()
{
    if (!ReadFields())
        return;
    StoreFields();
    if (!CheckName(m_bReplace))
        return;
    m_pattern.SetPatternName(m_strName);
    CDialog::OnOK();
}
