#include "structure/CViewControlSettingDialog.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDataExchange.h"

CViewControlSettingDialog::CViewControlSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CViewControlSettingDialog::~CViewControlSettingDialog() = default;

void CViewControlSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_SLOTS, m_nSelection);
}

BOOL CViewControlSettingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_SLOTS)))
        for (INT_PTR i = 0; i < m_names.GetSize(); ++i)
            pCombo->AddString(m_names[i]);
    if (m_nSelection < 0)
        m_nSelection = 0;
    UpdateData(FALSE);
    return TRUE;
}
