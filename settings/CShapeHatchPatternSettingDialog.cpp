#include "settings/CShapeHatchPatternSettingDialog.h"

#include <cmath>

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CEdit.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

namespace {

constexpr UINT kMsgNoName = 10257;
constexpr UINT kMsgNameInUse = 10258;
constexpr UINT kAskReplace = 10371;
constexpr UINT kMsgAngleOrder = 10382;
constexpr double kLargest = 1e15;

// Both bounds excluded.
void DDV_Between(CDataExchange* pDX, double value, double low, double high)
{
    DDV_MinMaxDouble(pDX, value, std::nextafter(low, high), std::nextafter(high, low));
}

}  // namespace

CShapeHatchPatternSettingDialog::CShapeHatchPatternSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CShapeHatchPatternSettingDialog::~CShapeHatchPatternSettingDialog() = default;

void CShapeHatchPatternSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kNameEdit, m_strName);
    DDX_Text(pDX, kAngle1Edit, m_dAngle1);
    DDV_Between(pDX, m_dAngle1, -90.0, 90.0);
    DDX_Text(pDX, kSpace1Edit, m_dSpace1);
    DDV_Between(pDX, m_dSpace1, 0.0, kLargest);
    DDX_Text(pDX, kAngle2Edit, m_dAngle2);
    DDV_Between(pDX, m_dAngle2, 0.0, 180.0);
    DDX_Text(pDX, kSpace2Edit, m_dSpace2);
    DDV_Between(pDX, m_dSpace2, 0.0, kLargest);
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
    return CDialog::OnInitDialog();
}

void CShapeHatchPatternSettingDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_pattern.SetAngle(m_dAngle1, m_dAngle2);
    m_pattern.SetSpace1(m_dSpace1);
    m_pattern.SetSpace2(m_dSpace2);
    auto* pName = static_cast<CEdit*>(GetDlgItem(kNameEdit));
    if (m_strName.IsEmpty()) {
        AfxMessageBox(kMsgNoName, MB_OK | MB_ICONEXCLAMATION);
        if (pName != nullptr)
            pName->SetFocus();
        return;
    }
    for (INT_PTR i = 0; i < m_usedNames.GetSize(); ++i) {
        if (m_usedNames[i].CompareNoCase(m_strName) != 0)
            continue;
        BOOL bStay = TRUE;
        if (m_bReplace) {
            CString format, question;
            format.LoadString(kAskReplace);
            question.Format(format, static_cast<LPCTSTR>(m_strName));
            bStay = AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES;
        } else {
            AfxMessageBox(kMsgNameInUse, MB_OK | MB_ICONEXCLAMATION);
        }
        if (!bStay)
            break;
        if (pName != nullptr) {
            pName->SetSel(0, -1);
            pName->SetFocus();
        }
        return;
    }
    m_pattern.SetPatternName(m_strName);
    CDialog::OnOK();
}
