#include "platform/ole/COlePasteSpecialDialog.h"

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(COlePasteSpecialDialog, CDialog)

BEGIN_MESSAGE_MAP(COlePasteSpecialDialog, CDialog)
ON_LBN_DBLCLK(COlePasteSpecialDialog::kList, &COlePasteSpecialDialog::OnListDblClk)
END_MESSAGE_MAP()

COlePasteSpecialDialog::COlePasteSpecialDialog(DWORD, CWnd* pParentWnd) : CDialog(kTemplateID, pParentWnd) {}

COlePasteSpecialDialog::~COlePasteSpecialDialog() = default;

void COlePasteSpecialDialog::AddFormat(CLIPFORMAT cf, const CString& strName, BOOL bLink)
{
    m_entries.push_back({cf, strName, bLink});
}

CLIPFORMAT COlePasteSpecialDialog::GetSelectedFormat() const
{
    return m_nSelected >= 0 && m_nSelected < GetEntryCount() ? m_entries[static_cast<size_t>(m_nSelected)].format : 0;
}

int COlePasteSpecialDialog::GetSelectionType() const
{
    return m_nSelected >= 0 && m_nSelected < GetEntryCount() && m_entries[static_cast<size_t>(m_nSelected)].link
               ? pasteLink
               : pasteOnly;
}

INT_PTR COlePasteSpecialDialog::DoModal()
{
    m_nSelected = -1;
    return CDialog::DoModal();
}

void COlePasteSpecialDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kList, m_list);
}

BOOL COlePasteSpecialDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const int n = m_list.AddString(m_entries[i].name);
        if (n >= 0)
            m_list.SetItemData(n, static_cast<DWORD_PTR>(i));
    }
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    return TRUE;
}

void COlePasteSpecialDialog::OnListDblClk()
{
    OnOK();
}

void COlePasteSpecialDialog::OnOK()
{
    const int n = m_list.GetCurSel();
    if (n < 0)
        return;
    m_nSelected = static_cast<int>(m_list.GetItemData(n));
    CDialog::OnOK();
}
