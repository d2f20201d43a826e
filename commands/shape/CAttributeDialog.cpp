#include "commands/shape/CAttributeDialog.h"

#include "libs/vevure/FeatureAttributeItem.h"

CAttributeDialog::CAttributeDialog(int nMode, Draw2dDocument* pDocument, CWnd* pParent)
    : CDialog(IDD, pParent), m_nMode(nMode), m_pDocument(pDocument)
{
}

CAttributeDialog::~CAttributeDialog() = default;

void CAttributeDialog::SetFeatureAttribute(const FeatureAttribute& attribute, int nIndex)
{
    if (nIndex == 0)
        m_attribute = attribute;
}

const FeatureAttribute& CAttributeDialog::GetFeatureAttribute(int) const
{
    return m_attribute;
}

BOOL CAttributeDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < kRows; ++i) {
        CWnd* pName = GetDlgItem(kFirstName + i);
        CWnd* pValue = GetDlgItem(kFirstValue + i);
        const BOOL bUsed = i < m_attribute.GetAttributeCount();
        if (pName != nullptr) {
            pName->SetWindowText(bUsed ? m_attribute.GetAttributeName(i) : CString());
            pName->ShowWindow(bUsed ? SW_SHOW : SW_HIDE);
        }
        if (pValue != nullptr) {
            pValue->SetWindowText(bUsed ? m_attribute.GetAttributeValue(i) : CString());
            pValue->ShowWindow(bUsed ? SW_SHOW : SW_HIDE);
        }
    }
    return TRUE;
}

void CAttributeDialog::OnOK()
{
    for (int i = 0; i < kRows && i < m_attribute.GetAttributeCount(); ++i) {
        CString value;
        if (CWnd* pValue = GetDlgItem(kFirstValue + i))
            pValue->GetWindowText(value);
        if (FeatureAttributeItem* pItem = m_attribute.GetAttributeItem(i))
            pItem->SetValue(value);
    }
    CDialog::OnOK();
}
